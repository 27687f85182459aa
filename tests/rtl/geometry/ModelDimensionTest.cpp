#include "tests/rtl/model/ModelTestSupport.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include <QBuffer>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using TDim = TConcrete<TKVRBaseDim>;

TEST(ModelDimension, NewLinearDimensionChoosesItsKindFromThePickedPoint)
{
    TKVRBaseLabel doc;
    auto* d = new TDim(&doc, TVXDimType(0), false);
    doc.CalcDimPoints(d, 0, 0, 40000, 5000, 20000, -10000);  // above both points
    EXPECT_EQ(d->GetDimType(), KVRDimType::Horizontal);
    doc.CalcDimPoints(d, 0, 0, 40000, 5000, 60000, 2000);    // beside them
    EXPECT_EQ(d->GetDimType(), KVRDimType::Vertical);
    doc.CalcDimPoints(d, 0, 0, 40000, 5000, 20000, 2000);    // between them
    EXPECT_EQ(d->GetDimType(), KVRDimType::Aligned);
}

TEST(ModelDimension, HorizontalPointsAndText)
{
    TKVRBaseLabel doc;
    auto* d = new TDim(&doc, TVXDimType(0), false);
    doc.CalcDimPoints(d, 0, 0, 40000, 5000, 20000, -10000);
    EXPECT_EQ(d->GetPoint(5), (TKVRPto{0, -10000}));
    EXPECT_EQ(d->GetPoint(6), (TKVRPto{40000, -10000}));
    EXPECT_EQ(d->GetPoint(3), (TKVRPto{0, -1000}));    // 1 mm off the measured point
    EXPECT_EQ(d->GetPoint(4), (TKVRPto{40000, 4000}));
    EXPECT_EQ(d->GetPoint(7), (TKVRPto{0, -12000}));   // 2 mm past the dimension line
    EXPECT_EQ(d->GetPoint(8), (TKVRPto{40000, -12000}));
    EXPECT_EQ(d->GetText(), "40.00");
    // Moving a measured point and laying out again follows the stored line position.
    d->SetBase(2, 50000, 5000);
    d->CalcValues(0);
    EXPECT_EQ(d->GetPoint(6), (TKVRPto{50000, -10000}));
    EXPECT_EQ(d->GetText(), "50.00");
}

TEST(ModelDimension, StyleLengthsScaleWithTheDrawingAndTextUsesTheUnit)
{
    TKVRBaseLabel doc;
    doc.GetMeasure().SetDrawScale(100);
    doc.SetUnits(TKVRUnits::Metre);
    doc.GetDimStyle(0).SetSuffix(QStringLiteral(" m"));
    auto* d = new TDim(&doc, TVXDimType(0), false);
    doc.CalcDimPoints(d, 0, 0, 3000000, 4000000, 0, 0);  // picked on the line: aligned, 5 m
    EXPECT_EQ(d->GetDimType(), KVRDimType::Aligned);
    EXPECT_EQ(d->GetText(), "5.00 m");
    d->SetLinear(KVRDimType::Vertical, 0, 0, 0, 2000000, -500000, 0);
    EXPECT_EQ(d->GetPoint(3), (TKVRPto{-100000, 0}));  // 1 mm of paper = 100 mm of model
    EXPECT_EQ(d->GetPoint(7), (TKVRPto{-700000, 0}));
    EXPECT_EQ(d->GetText(), "2.00 m");
}

TEST(ModelDimension, RadiusAndDiameter)
{
    TKVRBaseLabel doc;
    auto* r = new TDim(&doc, TVXDimType(0), false);
    r->SetRadial(KVRDimType::Radial1, 1000, 1000, 5000, 0.0f);
    EXPECT_EQ(r->GetPoint(1), (TKVRPto{1000, 1000}));
    EXPECT_EQ(r->GetPoint(2), (TKVRPto{6000, 1000}));
    EXPECT_EQ(r->GetText(), "R5.00");
    auto* dia = new TDim(&doc, TVXDimType(0), false);
    dia->SetRadial(KVRDimType::Diameter1, 0, 0, 5000, 90.0f);
    EXPECT_EQ(dia->GetPoint(1), (TKVRPto{0, -5000}));
    EXPECT_EQ(dia->GetPoint(2), (TKVRPto{0, 5000}));
    EXPECT_EQ(dia->GetText(), QString(QChar(0x00D8)) + "10.00");
    // The leader kinds: 3 lies on the ray past the circle, 4 ends a level shelf.
    auto* lead = new TDim(&doc, TVXDimType(0), false);
    lead->SetRadial(KVRDimType::Radial2, 0, 0, 5000, 180.0f);
    EXPECT_EQ(lead->GetPoint(3), (TKVRPto{-15000, 0}));
    EXPECT_EQ(lead->GetPoint(4), (TKVRPto{-25000, 0}));
    EXPECT_EQ(lead->GetPoint(5), lead->GetPoint(3));
    EXPECT_EQ(lead->GetPoint(6), lead->GetPoint(4));
}

TEST(ModelDimension, AngleBetweenTwoLines)
{
    TKVRBaseLabel doc;
    auto* a = new TDim(&doc, TVXDimType(0), false);
    a->SetAngular(0, 0, 10000, 0, 0, 0, 0, 10000, 5000, 5000);
    EXPECT_EQ(a->GetDimType(), KVRDimType::Angular);
    EXPECT_EQ(a->GetPoint(8), (TKVRPto{0, 0}));
    EXPECT_EQ(a->GetPoint(5), (TKVRPto{7071, 0}));
    EXPECT_EQ(a->GetPoint(6), (TKVRPto{0, 7071}));
    EXPECT_EQ(a->GetText(), QStringLiteral("90.00") + QChar(0x00B0));
    // Points 5, 7 and 6 make the arc the painter draws.
    int64_t cx, cy, r;
    double s, e, sw;
    bool f;
    ASSERT_TRUE(TDraw2D::ArcThreePoints(a->GetPoint(5).X, a->GetPoint(5).Y, a->GetPoint(7).X, a->GetPoint(7).Y,
                                        a->GetPoint(6).X, a->GetPoint(6).Y, cx, cy, r, s, e, sw, f));
    EXPECT_NEAR(double(r), 7071.0, 1.0);
    EXPECT_NEAR(std::fabs(sw), std::numbers::pi / 2, 1e-3);
    // Picked on the other side of the crossing: the opposite angle, still 90.
    // The ends lie as far from the crossing as the arc's middle, (-3536, -3536):
    // 5000.6 micrometres, so that a second layout finds them where they are.
    a->SetAngular(0, 0, 10000, 0, 0, 0, 0, 10000, -3000, -4000);
    EXPECT_EQ(a->GetPoint(7), (TKVRPto{-3536, -3536}));
    EXPECT_EQ(a->GetPoint(5), (TKVRPto{-5001, 0}));
    EXPECT_EQ(a->GetPoint(6), (TKVRPto{0, -5001}));
}

TEST(ModelDimension, AngleOfParallelLinesHasNoArc)
{
    TKVRBaseLabel doc;
    auto* a = new TDim(&doc, TVXDimType(0), false);
    a->SetAngular(0, 0, 10000, 0, 0, 5000, 10000, 5000, 3000, 2000);
    for (int i = 5; i <= 8; ++i)
        EXPECT_EQ(a->GetPoint(i), (TKVRPto{3000, 2000})) << i;
    int64_t cx, cy, r;
    double s, e, sw;
    bool f;
    EXPECT_FALSE(TDraw2D::ArcThreePoints(a->GetPoint(5).X, a->GetPoint(5).Y, a->GetPoint(7).X, a->GetPoint(7).Y,
                                         a->GetPoint(6).X, a->GetPoint(6).Y, cx, cy, r, s, e, sw, f));
    EXPECT_EQ(a->GetText(), QStringLiteral("0.00") + QChar(0x00B0));
    // A position on the crossing itself: no arc either.
    a->SetAngular(0, 0, 10000, 0, 0, 0, 0, 10000, 0, 0);
    EXPECT_EQ(a->GetPoint(5), a->GetPoint(6));
    // Lines so nearly parallel that they cross beyond any drawing count as parallel.
    const int64_t n = 60000000;
    a->SetAngular(0, 0, n, n - 1, 0, 1000000, n + 1, 1000000 + n, 500, 700000);
    for (int i = 5; i <= 8; ++i)
        EXPECT_EQ(a->GetPoint(i), (TKVRPto{500, 700000})) << i;
}

TEST(ModelDimension, StyleRoundTripsAndUnknownStyleFallsBack)
{
    TKVRDimStyle s;
    s.SetName(QStringLiteral("Planos"));
    s.SetHeadType(7);
    s.SetArrowOpen(-3);
    s.SetHeadSize(1.75f);
    s.SetFontHeight(3.5f);
    s.SetPrefix(QStringLiteral("≈"));
    s.SetFormat(QStringLiteral("#,##0.0"));
    s.SetExtBeyond(0);
    QBuffer buf;
    buf.open(QIODevice::ReadWrite);
    TBinaryWriter w(&buf);
    s.WriteData(w);
    const QByteArray first = buf.data();
    buf.seek(0);
    TBinaryReader r(&buf);
    TKVRDimStyle t;
    t.ReadData(KVRFileVersion, r);
    EXPECT_EQ(t.WriteJson().dump(), s.WriteJson().dump());
    TKVRDimStyle u;
    u.ReadJson(KVRFileVersion, s.WriteJson());
    EXPECT_EQ(u.WriteJson().dump(), s.WriteJson().dump());
    // A truncated style leaves the one read into untouched.
    QBuffer cut;
    cut.setData(first.left(first.size() - 1));
    cut.open(QIODevice::ReadOnly);
    TBinaryReader rc(&cut);
    TKVRDimStyle v;
    EXPECT_THROW(v.ReadData(KVRFileVersion, rc), EKVRStreamError);
    EXPECT_EQ(v.WriteJson().dump(), TKVRDimStyle().WriteJson().dump());

    TKVRBaseLabel doc;
    auto* d = new TDim(&doc, TVXDimType(0), false);
    d->SetDimStyleIndex(5);
    EXPECT_EQ(&d->GetDimStyle(), &doc.GetDimStyle(0));
    doc.AsignDimPosition(d, false);
    EXPECT_EQ(d->GetDimStyleIndex(), 0);
    EXPECT_THROW(TDim(nullptr, TVXDimType(8), false), EKVRDataError);
}

// Files keep a linear dimension's point 5 where its position handle sits; the
// line lays out from its offset alone. A record written before, with point 5
// on the line's end, keeps its handle there and is written back unchanged.
TEST(ModelDimension, StoredPointFivePlacesThePositionHandle)
{
    const auto handle = [](const TKVRBaseItem& aDim) {
        std::vector<TKVRSelPoint> points;
        aDim.GetSelPoints(points);
        for (const TKVRSelPoint& p : points)
            if (p.Kind == KVRSelKind::DimPosition)
                return TKVRPto{p.X, p.Y};
        return TKVRPto{-1, -1};
    };
    struct Row
    {
        int64_t StoredX;  // point 5 of the record: the line's end, mid-line, past point 6
        int64_t HandleX;
    };
    for (const Row& r : {Row{0, 0}, Row{25000, 25000}, Row{90000, 40000}}) {
        SCOPED_TRACE(r.StoredX);
        TKVRBaseLabel doc;
        auto* d = new TDim(&doc, TVXDimType(0), false);
        const TJsonObject record = TJsonObject::parse(
            R"({"DimType":1,"Points":[[0,0],[40000,0],[0,-1000],[40000,-1000],[)" + std::to_string(r.StoredX) +
            R"(,-10000],[40000,-10000],[0,-12000],[40000,-12000]]})");
        d->ReadJson(KVRFileVersion, record);
        EXPECT_EQ(d->GetPoint(5), (TKVRPto{0, -10000}));
        EXPECT_EQ(d->GetPoint(6), (TKVRPto{40000, -10000}));
        EXPECT_EQ(handle(*d), (TKVRPto{r.HandleX, -10000}));
        d->CalcValues(0);
        EXPECT_EQ(d->GetPoint(5), (TKVRPto{0, -10000}));
        EXPECT_EQ(d->GetText(), "40.00");
        // Binary and JSON write the handle back as point 5, the rest as laid out.
        EXPECT_EQ(d->WriteJson()["Points"][4], TJsonObject::array({r.HandleX, -10000}));
        QBuffer buf;
        buf.open(QIODevice::ReadWrite);
        TBinaryWriter w(&buf);
        d->WriteData(w);
        buf.seek(0);
        TBinaryReader rd(&buf);
        auto* back = new TDim(&doc, TVXDimType(0), false);
        back->ReadData(KVRFileVersion, rd, KVRReadType::File);
        EXPECT_EQ(handle(*back), handle(*d));
        for (int32_t i = 1; i <= 8; ++i)
            EXPECT_EQ(back->GetPoint(i), d->GetPoint(i)) << i;
    }
}

}  // namespace
