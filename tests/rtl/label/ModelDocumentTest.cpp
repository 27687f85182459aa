#include "tests/rtl/model/ModelTestSupport.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/TKVRBaseArc.h"
#include "platform/rtl/model/TKVRBaseArrowLine.h"
#include "platform/rtl/model/TKVRBaseDraw.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/TKVRBaseLevel.h"
#include "platform/rtl/model/TKVRBaseLine.h"
#include "platform/rtl/model/TKVRBasePackage.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/label/TKVRLayer.h"
#include <gtest/gtest.h>
#include <numbers>

namespace {

using TLine = TConcrete<TKVRBaseLine>;

TEST(ModelDocument, ElementsAttachOnConstructionAndCanBeTakenOut)
{
    TKVRBaseLabel doc;
    auto* a = new TLine(&doc, false);
    auto* b = new TLine(&doc, doc.AddLayer(QStringLiteral("cotas")), false);
    EXPECT_EQ(doc.GetItemsCount(), 2);
    EXPECT_EQ(doc.GetItem(1), a);
    EXPECT_EQ(doc.GetItem(2), b);
    EXPECT_EQ(b->GetLayer(), 1);
    EXPECT_THROW(doc.GetItem(0), std::out_of_range);
    EXPECT_THROW(doc.GetItem(3), std::out_of_range);

    std::unique_ptr<TKVRBaseItem> taken = doc.DetachItem(a);
    EXPECT_EQ(taken.get(), a);
    EXPECT_EQ(doc.GetItemsCount(), 1);
    EXPECT_EQ(doc.IndexOf(a), 0);
    EXPECT_EQ(doc.DetachItem(a), nullptr);
    taken.reset();  // freeing a detached element leaves the document alone
    EXPECT_EQ(doc.GetItem(1), b);
    doc.DeleteItem(1);
    EXPECT_EQ(doc.GetItemsCount(), 0);
}

TEST(ModelDocument, NumericIdsAreUniqueAndStayAboveEveryIdRead)
{
    TKVRBaseLabel doc;
    auto* a = new TLine(&doc, false);
    auto* b = new TLine(&doc, false);
    EXPECT_GT(a->GetNumID(), 0);
    EXPECT_NE(a->GetNumID(), b->GetNumID());
    a->SetID(QStringLiteral("Start"));
    EXPECT_EQ(doc.SearchItem(QStringLiteral("Start"), false), a);
    EXPECT_EQ(doc.SearchItem(QStringLiteral("start"), false), nullptr);
    EXPECT_EQ(doc.FindNumID(b->GetNumID()), b);
    EXPECT_EQ(doc.FindNumID(0), nullptr);

    // An element read with a stored id keeps it; the next new one goes above it.
    TJsonObject j = a->WriteJson();
    j["NumID"] = 500;
    auto* c = new TLine(&doc, false);
    c->ReadJson(1, j);
    EXPECT_EQ(c->GetNumID(), 500);
    EXPECT_EQ(c->GetID(), QStringLiteral("Start"));
    auto* d = new TLine(&doc, false);
    EXPECT_EQ(d->GetNumID(), 501);

    // A per-cell copy carries the original's ids but is never found by them.
    auto* copy = new TLine(&doc, true);
    copy->ReadJson(1, j);
    EXPECT_EQ(copy->GetNumID(), 500);
    EXPECT_EQ(doc.FindNumID(500), c);
    EXPECT_EQ(doc.SearchItem(QStringLiteral("Start"), false), a);
    doc.DeleteItem(doc.IndexOf(a));
    doc.DeleteItem(doc.IndexOf(c));
    EXPECT_EQ(doc.SearchItem(QStringLiteral("Start"), false), nullptr);
    EXPECT_EQ(doc.FindNumID(500), nullptr);
}

TEST(ModelDocument, AFailingConstructorLeavesNoElement)
{
    TKVRBaseLabel doc;
    new TLine(&doc, false);
    EXPECT_THROW((TConcrete<TKVRBaseArc>(&doc, 0, 0, 10, 10, 20, 20, false)), EKVRDataError);
    EXPECT_THROW(new TConcrete<TKVRBaseArc>(&doc, 0, 0, 10, 10, 20, 20, false), EKVRDataError);
    EXPECT_EQ(doc.GetItemsCount(), 1);
    auto* arc = new TConcrete<TKVRBaseArc>(&doc, 0, 1000, 1000, 0, 0, -1000, false);
    EXPECT_EQ(arc->GetBaseCenterX(), 0);
    EXPECT_EQ(arc->GetBaseRadio(), 1000);
    EXPECT_EQ(arc->GetPto(1), (TKVRPto{0, 1000}));
    EXPECT_EQ(arc->GetPto(3), (TKVRPto{0, -1000}));
    EXPECT_EQ(doc.GetItemsCount(), 2);
}

TEST(ModelDocument, KVRReadItemFreesTheElementWhenReadingFails)
{
    TKVRBaseLabel doc;
    EXPECT_THROW(KVRReadItem<TLine>([](TLine&) { throw EKVRDataError("bad"); }, &doc, false), EKVRDataError);
    EXPECT_EQ(doc.GetItemsCount(), 0);
    TLine* ok = KVRReadItem<TLine>([](TLine& e) { e.SetBase(2, 5, 5); }, &doc, false);
    EXPECT_EQ(doc.GetItem(1), ok);
}

TEST(ModelDocument, CheckFitTreatsMinusOneAsACoordinate)
{
    TLine line(nullptr, false);
    line.SetBasePenWidth(0);
    line.SetBase(1, -1, -1);
    line.SetBase(2, -5, 3);
    TKVRExtent e;
    line.CheckFit(e);
    ASSERT_TRUE(e.Assigned);
    EXPECT_EQ(e.MinX, -5);
    EXPECT_EQ(e.MaxX, -1);
    EXPECT_EQ(e.MinY, -1);
    EXPECT_EQ(e.MaxY, 3);
    // A stored pen of 501 µm widens by 250 on each side.
    line.SetBasePenWidth(501);
    line.UpdateBounds();
    EXPECT_EQ(line.GetBounds(), (TKVRRect{-255, -251, 249, 253}));
    // An extent that is already set is only widened.
    TKVRExtent f;
    f.Include(-1000, 0);
    line.CheckFit(f);
    EXPECT_EQ(f.MinX, -1000);
    EXPECT_EQ(f.MaxX, 249);
}

TEST(ModelDocument, ArrowLineBoundsIgnoreTheGapBeforeLayout)
{
    TConcrete<TKVRBaseArrowLine> a(nullptr, false);
    a.SetBasePenWidth(0);
    a.SetBase(1, 10000, 10000);
    a.SetBase(2, 20000, 12000);
    a.UpdateBounds();  // points 3 and 4 are still (0, 0)
    EXPECT_EQ(a.GetBounds(), (TKVRRect{10000, 10000, 20000, 12000}));
    EXPECT_EQ(a.NumPoints(), 2);
}

TEST(ModelDocument, ArcBoundsCoverTheCurveNotOnlyItsPoints)
{
    const double pi = std::numbers::pi;
    TConcrete<TKVRBaseArc> a(nullptr, false);
    a.SetBasePenWidth(0);
    a.SetCircle(0, 0, 10000);
    // Three quarters clockwise from +x (y down): through +y, -x to -y.
    a.SetAngles(0.0, 1.5 * pi);
    a.UpdateBounds();
    EXPECT_EQ(a.GetBounds(), (TKVRRect{-10000, -10000, 10000, 10000}));
    // A quarter that passes no extreme between its ends.
    a.SetAngles(0.25 * pi, 0.4 * pi);
    a.UpdateBounds();
    EXPECT_GT(a.GetBounds().Top, 5000);
    EXPECT_LT(a.GetBounds().Bottom, 10000);
    // Counter-clockwise from +x to -y passes no other extreme.
    a.SetAngles(0.0, 0.0);
    a.SetSweepAngle(-0.5 * pi);
    a.UpdateBounds();
    EXPECT_EQ(a.GetBounds(), (TKVRRect{0, -10000, 10000, 0}));
    // A whole circle, widened by half the pen.
    a.SetBasePenWidth(400);
    a.SetAngles(1.0, 1.0);
    a.UpdateBounds();
    EXPECT_EQ(a.GetBounds(), (TKVRRect{-10200, -10200, 10200, 10200}));
}

class TCountingLine : public TLine
{
public:
    using TLine::TLine;
    void CalcValues(int16_t aMode) override
    {
        ++Calcs;
        TLine::CalcValues(aMode);
        SetBase(1, GetPoint(1));  // a layout step that writes a derived point
    }
    int Calcs = 0;
};

TEST(ModelDocument, DrawElementLaysOutOnlyAfterAChange)
{
    TKVRBaseDraw ctx;
    TCountingLine line(nullptr, false);
    line.DrawElement(&ctx);
    line.DrawElement(&ctx);
    line.PrintElement(&ctx);
    EXPECT_EQ(line.Calcs, 1);
    EXPECT_EQ(line.Draws, 2);
    EXPECT_EQ(line.Prints, 1);
    line.SetBase(2, 100, 100);
    line.PrintElement(&ctx);
    EXPECT_EQ(line.Calcs, 2);
    line.DrawElement(nullptr);
    EXPECT_EQ(line.Draws, 2);
}

TEST(ModelDocument, LengthsFollowUnitsAndDrawingScale)
{
    TKVRBaseLabel doc;
    EXPECT_FLOAT_EQ(doc.GetDrawValue(25.4f, 300), 300.0f);
    EXPECT_FLOAT_EQ(doc.GetDrawValue(int64_t(25400), 300), 300.0f);
    doc.SetUnits(TKVRUnits::Inch);
    EXPECT_FLOAT_EQ(doc.GetDrawValue(1.0f, 300), 300.0f);
    doc.GetMeasure().SetDrawScale(4);
    EXPECT_FLOAT_EQ(doc.GetDrawValue(1.0f, 300), 75.0f);
    EXPECT_EQ(doc.GetPrintValue(0.01f, 250), 1);  // 0.625 px -> 1
    doc.SetUnits(TKVRUnits::Yard);
    TLine line(&doc, false);
    EXPECT_EQ(line.ToBase(1.0), 914400);
    line.SetBase(1, 4000, 8000);
    EXPECT_FLOAT_EQ(line.GetRefX(1), 1.0f);  // paper millimetres at 1:4
    EXPECT_FLOAT_EQ(line.GetRefY(1), 2.0f);
    line.Move(1.0f, 0.0f, 0);
    EXPECT_EQ(line.GetPoint(1), (TKVRPto{918400, 8000}));
}

TEST(ModelDocument, DataValuesOfTheCurrentRecord)
{
    TKVRBaseLabel doc;
    doc.SetDataValue(QStringLiteral("PRICE"), QStringLiteral("1234.5"));
    doc.SetDataValue(QStringLiteral("NAME"), QStringLiteral("Tornillo"));
    EXPECT_EQ(doc.DataValue("PRICE", "", 1), "1234.5");
    EXPECT_EQ(doc.DataValue("PRICE", "#,##0.00", 1), "1,234.50");
    EXPECT_EQ(doc.DataValue("NAME", "0.0", 1), "Tornillo");  // not a number: as it is
    EXPECT_EQ(doc.DataValue("PRICE", "", 0), "");           // not bound
    EXPECT_EQ(doc.DataValue("MISSING", "", 1), "");
}

TEST(ModelDocument, LevelTakesItsRecordFromTheDocument)
{
    TKVRBaseLabel doc;
    TConcrete<TKVRBaseLevel> level(&doc, false);
    level.SetLevelCircle(0, 0, 10000);
    level.SetValue(10.0f);
    level.SetText(QStringLiteral("diez"));
    level.CalcValues(0);
    EXPECT_FALSE(level.GetIsData());
    EXPECT_EQ(level.GetRecordValue(), 10.0f);
    EXPECT_EQ(level.GetRecordText(), "diez");

    level.SetFillType(1);
    level.SetFillName(QStringLiteral("FILL"));
    level.SetFormat(QStringLiteral("0 '%'"));
    doc.SetDataValue(QStringLiteral("FILL"), QStringLiteral("62.4"));
    level.FillData(false);
    EXPECT_TRUE(level.GetIsData());
    EXPECT_FLOAT_EQ(level.GetRecordValue(), 62.4f);
    EXPECT_EQ(level.GetRecordText(), "62 %");
    doc.SetDataValue(QStringLiteral("FILL"), QStringLiteral("n/a"));
    level.FillData(false);
    EXPECT_EQ(level.GetRecordValue(), 0.0f);
    level.FillData(true);
    EXPECT_EQ(level.GetRecordText(), "diez");
    // The ring follows the largest circle in the box.
    level.SetBase(2, 10000, 4000);
    level.CalcValues(0);
    EXPECT_EQ(level.GetBaseRadio(), 7000);
}

TEST(ModelDocument, PackageSizesFromARecord)
{
    TConcrete<TKVRBasePackage> box(nullptr, false);
    box.SetDat(QStringLiteral("120x80.5x0"));
    EXPECT_FLOAT_EQ(box.SizeLength(), 120.0f);
    EXPECT_FLOAT_EQ(box.SizeWidth(), 80.5f);
    EXPECT_FLOAT_EQ(box.SizeHeight(), 0.0f);
    box.SetDat(QStringLiteral("abc; 33"));
    EXPECT_FLOAT_EQ(box.SizeLength(), 120.0f);  // unreadable: kept
    EXPECT_FLOAT_EQ(box.SizeWidth(), 33.0f);
    EXPECT_THROW(box.GetDrillPoint(0), std::out_of_range);
}

TEST(ModelDocument, RectangleCornersAndRadiusInDocumentUnits)
{
    TKVRBaseLabel doc;
    doc.SetUnits(TKVRUnits::Centimetre);
    TConcrete<TKVRBaseRectangle> r(&doc, false);
    r.SetBase(1, 5000, 6000);
    r.SetBase(2, 1000, 2000);
    r.SetRadio(0.25f);
    r.CalcValues(0);
    EXPECT_EQ(r.GetPoint(1), (TKVRPto{1000, 2000}));
    EXPECT_EQ(r.GetPoint(2), (TKVRPto{5000, 6000}));
    EXPECT_EQ(r.GetBaseRadio(), 2500);
    EXPECT_FLOAT_EQ(r.GetRadio(), 0.25f);
}

}  // namespace
