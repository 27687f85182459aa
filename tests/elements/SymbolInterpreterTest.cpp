#include "elements/TKVRSymbol.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Types.h"
#include "tests/elements/RecordingDevice.h"
#include "tests/elements/SymbolTestSupport.h"
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <cmath>
#include <limits>

namespace {

constexpr int kDpi = 300;
constexpr double kPxPerMm = kDpi / 25.4;

// A context painting into a recording device at 300 dpi.
struct TRecorded
{
    TRecordingDevice Device{1200, 1200, kDpi};
    TKVRDraw Draw;

    explicit TRecorded(int aDpiY = kDpi)
    {
        Draw.SetResolution(kDpi, aDpiY);
        Draw.SetStandardWidths();
        Draw.DrawState = KVRDrawState::Preview;
        Draw.kC = TSkCanvas::Make(&Device);
        Draw.kP = std::make_shared<TSkPaint>();
        Draw.aConf.Reset();
    }
    // Paints and ends the painter, so every call has reached the device.
    TRecorded& Paint(const TKVRBaseLibSymbol* aSymbol, float aScale = 1.0f)
    {
        if (aScale != 1.0f && std::isfinite(aScale))
            Draw.kC->Scale(aScale, aScale);
        TKVRSymbol::DrawSymbol(&Draw, aSymbol, aScale);
        Draw.kC.reset();
        return *this;
    }
};

QPointF Mm(double x, double y)
{
    return {x * kPxPerMm, y * kPxPerMm};
}

bool Near(const QPointF& a, const QPointF& b, double tol = 0.01)
{
    return std::abs(a.x() - b.x()) <= tol && std::abs(a.y() - b.y()) <= tol;
}

}  // namespace

TEST(SymbolInterpreter, PathJoinsItsSegmentsIntoOneFilledOutline)
{
    // Open, line p1-p2, line p3-p4, close: p1, p2, p4; p3 is never visited.
    auto symbol = MakeSymbol(R"([{"Type":"Fill","Value":true},{"Type":"BColor","Value":4278255360},
        {"Type":"PenWidth","Value":0.5},{"Type":"Path","Value":true},
        {"Type":"Line","Points":[1,1,10,1]},{"Type":"Line","Points":[20,20,10,10]},
        {"Type":"Path","Value":false}])");
    TRecorded r;
    r.Paint(symbol.get());
    const auto fills = r.Device.Fills();
    const auto strokes = r.Device.Strokes();
    ASSERT_EQ(fills.size(), 1u);
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(fills[0].Brush.color().rgba(), 0xFF00FF00u);
    const QList<QPolygonF> rings = fills[0].DevicePath().toSubpathPolygons();
    ASSERT_EQ(rings.size(), 1);
    const QPolygonF ring = rings[0];
    ASSERT_GE(ring.size(), 3);
    EXPECT_TRUE(Near(ring[0], Mm(1, 1)));
    EXPECT_TRUE(Near(ring[1], Mm(10, 1)));
    EXPECT_TRUE(Near(ring[2], Mm(10, 10)));
    for (const QPointF& p : ring)
        EXPECT_FALSE(Near(p, Mm(20, 20), 1.0)) << "point 3 of the second line was visited";
    EXPECT_EQ(strokes[0].Count(QPainterPath::MoveToElement), 1);
}

TEST(SymbolInterpreter, PolylineBezierAndArcContinueOneFigure)
{
    auto symbol = MakeSymbol(R"([{"Type":"PenWidth","Value":0.3},{"Type":"Path","Value":true},
        {"Type":"Line","Points":[0,0,10,0]},{"Type":"Polyline","Points":[10,5,10,10]},
        {"Type":"Bezier","Points":[0,0,12,12,8,14,5,15]},
        {"Type":"Arc","Center":[5,20],"Radius":5,"Start":270,"Sweep":-90},{"Type":"Path","Value":false}])");
    TRecorded r;
    r.Paint(symbol.get());
    const auto strokes = r.Device.Strokes();
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0].Count(QPainterPath::MoveToElement), 1) << "every part joins the first figure";
    EXPECT_GE(strokes[0].Count(QPainterPath::CurveToElement), 2) << "the curve and the arc";
    EXPECT_TRUE(r.Device.Fills().empty());
}

TEST(SymbolInterpreter, BezierTakesWholeCubicSegmentsOnly)
{
    struct TCase
    {
        const char* Points;
        int Cubics;
    };
    for (const TCase c : {TCase{"[0,0,5,10,10,10,15,0]", 1}, TCase{"[0,0,5,10,10,10,15,0,20,5,25,5]", 1},
                          TCase{"[0,0,5,10,10,10,15,0,20,5,25,5,30,0]", 2}, TCase{"[0,0,5,5]", 0}}) {
        auto symbol = MakeSymbol(std::string(R"([{"Type":"PenWidth","Value":0.3},{"Type":"Bezier","Points":)") +
                                 c.Points + "}]");
        TRecorded r;
        r.Paint(symbol.get());
        const auto strokes = r.Device.Strokes();
        // Two points make no whole segment: nothing to stroke.
        ASSERT_EQ(strokes.size(), c.Cubics > 0 ? 1u : 0u) << c.Points;
        if (c.Cubics > 0) {
            EXPECT_EQ(strokes[0].Count(QPainterPath::CurveToElement), c.Cubics) << c.Points;
        }
    }
}

TEST(SymbolInterpreter, UnscaledPenKeepsItsWidthAndScaledPenGrows)
{
    const double nominal = 0.5 * kPxPerMm;
    for (const bool scalePen : {false, true}) {
        auto symbol = MakeSymbol(std::string(R"([{"Type":"ScalePen","Value":)") + (scalePen ? "true" : "false") +
                                 R"(},{"Type":"PenWidth","Value":0.5},{"Type":"Line","Points":[1,1,20,1]}])");
        TRecorded r;
        r.Paint(symbol.get(), 2.0f);
        const auto strokes = r.Device.Strokes();
        ASSERT_EQ(strokes.size(), 1u);
        EXPECT_NEAR(strokes[0].DeviceWidth(), scalePen ? 2.0 * nominal : nominal, 0.01) << scalePen;
        // The line itself doubles either way.
        EXPECT_NEAR(strokes[0].DevicePath().boundingRect().width(), 2.0 * 19.0 * kPxPerMm, 0.1);
    }
}

TEST(SymbolInterpreter, MiddleAlignedTextTurnedUpwardsCentresOnItsPoint)
{
    auto symbol = MakeSymbol(R"([{"Type":"FontName","Value":"Arial"},{"Type":"FontHeight","Value":5},
        {"Type":"Text","Text":"Hg","Point":[40,40],"Angle":90,"HAlign":0,"VAlign":1}])");
    TRecorded r;
    r.Paint(symbol.get());
    const auto texts = r.Device.Texts();
    ASSERT_EQ(texts.size(), 1u);
    const QTransform& m = texts[0].Matrix;
    const QPointF origin = m.map(QPointF(0, 0));
    const QPointF along = m.map(QPointF(1, 0)) - origin;
    // Reads upwards: the baseline runs towards -y.
    EXPECT_NEAR(along.x(), 0.0, 1e-3 * std::abs(along.y()));
    EXPECT_LT(along.y(), 0.0);
    // The line halfway between ascent and descent passes through the point:
    // the baseline lies (ascent - descent) / 2 right of it, by Qt's own metrics.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(int(std::lround(5 * kPxPerMm)));
    const QFontMetricsF fm(font);
    const double k = 5 * kPxPerMm / font.pixelSize();
    const double expected = (fm.ascent() - fm.descent()) * k / 2.0;
    EXPECT_NEAR(origin.x() - Mm(40, 40).x(), expected, 1.0);
    EXPECT_NEAR(origin.y(), Mm(40, 40).y(), 0.01) << "left alignment starts at the point";
}

TEST(SymbolInterpreter, EmptyMissingOrUnscalableSymbolsPaintNothing)
{
    auto empty = MakeSymbol("[]");
    TRecorded a;
    a.Paint(empty.get());
    EXPECT_TRUE(a.Device.Ops.empty());
    TRecorded b;
    b.Paint(nullptr);
    EXPECT_TRUE(b.Device.Ops.empty());

    auto line = MakeSymbol(R"([{"Type":"PenWidth","Value":0.5},{"Type":"Line","Points":[1,1,20,1]}])");
    for (const float scale : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
        TRecorded r;
        r.Paint(line.get(), scale);
        EXPECT_TRUE(r.Device.Ops.empty()) << scale;
    }
}

TEST(SymbolInterpreter, ClosedShapesFollowFillAndPen)
{
    struct TCase
    {
        const char* State;
        size_t Fills, Strokes;
    };
    for (const TCase c : {TCase{R"({"Type":"Fill","Value":true},{"Type":"PenWidth","Value":0})", 1, 0},
                          TCase{R"({"Type":"Fill","Value":false},{"Type":"PenWidth","Value":0})", 0, 0},
                          TCase{R"({"Type":"Fill","Value":true},{"Type":"PenWidth","Value":0.3})", 1, 1},
                          TCase{R"({"Type":"Fill","Value":false},{"Type":"PenWidth","Value":0.3})", 0, 1}}) {
        for (const char* shape : {R"({"Type":"Circle","Center":[20,20],"Radius":5})",
                                  R"({"Type":"Ellipse","Center":[20,20],"RadiusX":8,"RadiusY":4})",
                                  R"({"Type":"Rectangle","Points":[5,5,30,20]})",
                                  R"({"Type":"Sector","Center":[20,20],"Radius":5,"Start":0,"Sweep":90})",
                                  R"({"Type":"Polyline","Points":[5,5,30,5,30,20],"Closed":true})"}) {
            auto symbol = MakeSymbol(std::string("[") + c.State + "," + shape + "]");
            TRecorded r;
            r.Paint(symbol.get());
            EXPECT_EQ(r.Device.Fills().size(), c.Fills) << c.State << " " << shape;
            EXPECT_EQ(r.Device.Strokes().size(), c.Strokes) << c.State << " " << shape;
        }
    }
    // A line is drawn whatever the pen: width 0 is the hairline.
    auto hair = MakeSymbol(R"([{"Type":"PenWidth","Value":0},{"Type":"Line","Points":[1,1,20,1]}])");
    TRecorded r;
    r.Paint(hair.get());
    ASSERT_EQ(r.Device.Strokes().size(), 1u);
    EXPECT_EQ(r.Device.Strokes()[0].Pen.widthF(), 0.0);
}

TEST(SymbolInterpreter, RoundedRectangleOnlyWithARadius)
{
    for (const double radius : {0.0, 3.0}) {
        auto symbol = MakeSymbol(std::string(R"([{"Type":"PenWidth","Value":0.3},{"Type":"Rectangle","Points":[5,5,30,20],"Radius":)") +
                                 std::to_string(radius) + "}]");
        TRecorded r;
        r.Paint(symbol.get());
        ASSERT_EQ(r.Device.Strokes().size(), 1u);
        const QPainterPath p = r.Device.Strokes()[0].DevicePath();
        // A square corner is on the outline; a rounded one is not.
        EXPECT_EQ(p.contains(Mm(5.05, 5.05)), radius == 0.0) << radius;
        EXPECT_EQ(r.Device.Strokes()[0].Count(QPainterPath::CurveToElement) > 0, radius > 0.0);
    }
}

TEST(SymbolInterpreter, StartsWithNoOpenPathAndDropsAnUnclosedOne)
{
    auto symbol = MakeSymbol(R"([{"Type":"PenWidth","Value":0.3},{"Type":"Line","Points":[1,1,20,1]},
        {"Type":"Path","Value":false},{"Type":"Path","Value":true},{"Type":"Line","Points":[1,5,20,5]}])");
    TRecorded r;
    r.Draw.aConf.InPath = true;  // left over by an earlier caller
    r.Paint(symbol.get());
    const auto strokes = r.Device.Strokes();
    ASSERT_EQ(strokes.size(), 1u) << "the first line is painted; the stray close and the unclosed path are not";
    EXPECT_TRUE(Near(strokes[0].DevicePath().pointAtPercent(0), Mm(1, 1)));
    EXPECT_FALSE(r.Draw.aConf.InPath);
}

TEST(SymbolInterpreter, LinkPointsAreSolidCirclesWhenAsked)
{
    const std::string items = R"([{"Type":"LineType","Value":3},{"Type":"PenWidth","Value":0.3},
        {"Type":"Line","Points":[1,1,30,1]}])";
    auto symbol = MakeSymbol(items, R"(,"Links":[10,10,30,10])");
    for (const bool show : {false, true}) {
        TRecorded r;
        r.Draw.aDrawLinkPto = show;
        r.Draw.aLinkPoint = 0xFFFF0000u;
        r.Paint(symbol.get());
        std::vector<TRecordedOp> circles;
        for (const auto& op : r.Device.Strokes())
            if (op.Pen.color().rgba() == 0xFFFF0000u)
                circles.push_back(op);
        ASSERT_EQ(circles.size(), show ? 2u : 0u);
        for (size_t i = 0; i < circles.size(); ++i) {
            const QRectF box = circles[i].DevicePath().boundingRect();
            EXPECT_NEAR(box.width(), 2 * kPxPerMm, 0.05);
            EXPECT_TRUE(Near(box.center(), Mm(i == 0 ? 10 : 30, 10), 0.05));
            EXPECT_EQ(circles[i].Count(QPainterPath::MoveToElement), 1) << "not dashed by the line before";
        }
    }
}

TEST(SymbolInterpreter, EachAxisTakesItsOwnResolution)
{
    // A printer of 300 x 150 dpi: circles, round corners, slices and link
    // points keep their shape in millimetres.
    auto symbol = MakeSymbol(R"([{"Type":"PenWidth","Value":0.3},{"Type":"Circle","Center":[20,20],"Radius":5},
        {"Type":"Sector","Center":[50,20],"Radius":5,"Start":0,"Sweep":90},
        {"Type":"Rectangle","Points":[60,10,80,30],"Radius":4}])", R"(,"Links":[10,40])");
    TRecorded r(150);
    r.Draw.aDrawLinkPto = true;
    r.Draw.aLinkPoint = 0xFFFF0000u;
    r.Paint(symbol.get());
    const auto strokes = r.Device.Strokes();
    ASSERT_EQ(strokes.size(), 4u);
    const double kx = kPxPerMm, ky = 150 / 25.4;
    const QRectF circle = strokes[0].DevicePath().boundingRect();
    EXPECT_NEAR(circle.width(), 10 * kx, 0.05);
    EXPECT_NEAR(circle.height(), 10 * ky, 0.05);
    const QRectF slice = strokes[1].DevicePath().boundingRect();
    EXPECT_NEAR(slice.width(), 5 * kx, 0.05);
    EXPECT_NEAR(slice.height(), 5 * ky, 0.05);
    // The rounded corner starts 4 mm along each side.
    const QPainterPath rect = strokes[2].DevicePath();
    EXPECT_FALSE(rect.contains(QPointF(60.2 * kx, 10.2 * ky)));
    EXPECT_TRUE(rect.contains(QPointF(64.2 * kx, 10.2 * ky)));
    EXPECT_TRUE(rect.contains(QPointF(60.2 * kx, 14.2 * ky)));
    const QRectF link = strokes[3].DevicePath().boundingRect();
    EXPECT_NEAR(link.center().x(), 10 * kx, 0.05);
    EXPECT_NEAR(link.center().y(), 40 * ky, 0.05);
    EXPECT_NEAR(link.height(), 2 * ky, 0.05);
}
