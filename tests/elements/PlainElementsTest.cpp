#include "elements/TKVRArc.h"
#include "elements/TKVRArrowLine.h"
#include "elements/TKVRBezier.h"
#include "elements/TKVRDim.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRPoint.h"
#include "elements/TKVRPolyLine.h"
#include "elements/TKVRPolygon.h"
#include "platform/skia/System.Skia.h"
#include "tests/elements/ShapeTestSupport.h"
#include <gtest/gtest.h>

using namespace shape;

namespace {

TKVRLineEnds Ends(TKVRTermType aFrom, TKVRTermType aTo, TAlphaColor aColour)
{
    return TKVRLineEnds{aFrom, aTo, aColour, aColour, 3.0f, 2.0f};
}

std::vector<TKVRPto> Zigzag()
{
    return {{6000, 26000}, {16000, 8000}, {28000, 24000}, {42000, 10000}};
}

// A smooth chain of cubic segments, each 20 mm wide, rising and falling.
std::vector<TKVRPto> Curve(int aSegments)
{
    std::vector<TKVRPto> pts = {{5000, 25000}};
    for (int s = 0; s < aSegments; ++s) {
        const int64_t x = 5000 + s * 20000;
        const int64_t up = s % 2 == 0 ? -1 : 1;
        pts.push_back({x + 5000, 15000 + up * 10000});
        pts.push_back({x + 15000, 15000 + up * 10000});
        pts.push_back({x + 20000, 15000});
    }
    pts[1].Y = 5000;  // the first segment starts from below
    return pts;
}

template <class T>
T* Chain(TKVRBaseLabel& label, std::vector<TKVRPto> pts, TAlphaColor aColour = kBlue)
{
    auto* e = new T(&label, false);
    e->SetPoints(std::move(pts));
    e->SetColor(aColour);
    e->SetPenWidth(0.5f);
    return e;
}

int CurveCount(const ISkPath& aPath)
{
    const QPainterPath& p = aPath->ToQt();
    int n = 0;
    for (int i = 0; i < p.elementCount(); ++i)
        n += p.elementAt(i).type == QPainterPath::CurveToElement ? 1 : 0;
    return n;
}

}  // namespace

// ---------------------------------------------------------------- screen and paper

TEST(PlainElements, LinesLandInTheSamePlaceOnScreenAndPaper)
{
    TKVRBaseLabel label;
    auto* line = new TKVRLine(&label, false);
    line->SetBase(1, 5000, 5000);
    line->SetBase(2, 45000, 28000);
    line->SetPenWidth(1.0f);
    line->SetColor(kRed);
    ExpectTwins(*line, "plain-line");

    // Corners and marks that are not sharp: both surfaces join them alike.
    auto* poly = Chain<TKVRPolyLine>(label, Zigzag());
    poly->SetEnds(Ends(6, 2, kRed));
    ExpectTwins(*poly, "plain-polyline");

    auto* polygon = Chain<TKVRPolygon>(label, {{6000, 20000}, {20000, 4000}, {44000, 10000}, {36000, 30000}});
    polygon->SetFilled(true);
    polygon->SetBackColor(kGreen);
    polygon->SetPenWidth(1.0f);
    ExpectTwins(*polygon, "plain-polygon");

    // The screen's round cap reaches half a pen past the printed flat one.
    auto* bezier = Chain<TKVRBezier>(label, Curve(2));
    bezier->SetPenWidth(0.25f);
    bezier->SetEnds(Ends(0, 6, kRed));
    ExpectTwins(*bezier, "plain-bezier");
}

TEST(PlainElements, PrintedPolygonOutlineIsAsWideAsOnScreen)
{
    // A 2 mm pen is about 24 pixels at 300 dpi on both surfaces.
    TKVRBaseLabel label;
    auto* polygon = Chain<TKVRPolygon>(label, {{10000, 10000}, {40000, 10000}, {40000, 25000}, {10000, 25000}});
    polygon->SetPenWidth(2.0f);
    const TScreenPaper t = Paint(*polygon, "plain-polygon-2mm");
    const int screen = CountLeaning(t.Screen, kBlue);
    EXPECT_GT(screen, 2 * 24 * 500);
    EXPECT_NEAR(CountLeaning(t.Paper, kBlue), screen, screen / 20);
}

TEST(PlainElements, PointIsAMillimetreCircleOnScreenAndNothingOnPaper)
{
    TKVRBaseLabel label;
    auto* point = new TKVRPoint(&label, false);
    point->SetBase(1, 20000, 15000);
    point->SetPenWidth(0.1f);
    const TScreenPaper t = Paint(*point, "plain-point");
    const QRect s = InkBounds(t.Screen);
    EXPECT_NEAR(s.width(), Px(1000), 2.0);
    EXPECT_NEAR(s.center().x(), Px(20000), 1.5);
    EXPECT_NEAR(s.center().y(), Px(15000), 1.5);
    EXPECT_EQ(InkCount(t.Paper), 0);

    // It follows the zoom: 1 mm of the document at twice the resolution.
    ScreenSurface big(kWidth * 2, kHeight * 2, kDpi * 2);
    point->DrawElement(&big.draw);
    EXPECT_NEAR(InkBounds(big.Finish()).width(), 2 * Px(1000), 3.0);
}

// ---------------------------------------------------------------- edge cases

TEST(PlainElements, TooFewPointsPaintNothingAndReadNoPointPastTheList)
{
    TKVRBaseLabel label;
    std::vector<TKVRBaseItem*> chains;
    for (const std::vector<TKVRPto>& pts : {std::vector<TKVRPto>{}, std::vector<TKVRPto>{{20000, 15000}}}) {
        auto* poly = Chain<TKVRPolyLine>(label, pts);
        poly->SetEnds(Ends(2, 6, kRed));
        auto* polygon = Chain<TKVRPolygon>(label, pts);
        polygon->SetFilled(true);
        for (bool filled : {false, true}) {
            auto* bezier = Chain<TKVRBezier>(label, pts);
            bezier->SetEnds(Ends(2, 6, kRed));
            bezier->SetFilled(filled);
            chains.push_back(bezier);
        }
        chains.push_back(poly);
        chains.push_back(polygon);
    }
    for (TKVRBaseItem* e : chains) {
        TScreenPaper t;
        EXPECT_NO_THROW(t = Paint(*e));
        EXPECT_EQ(InkCount(t.Screen) + InkCount(t.Paper), 0) << e->GetKind() << ", " << e->NumPoints() << " points";
    }

    // A Bezier curve of two or three points: the marks alone.
    auto* bezier = Chain<TKVRBezier>(label, {{5000, 25000}, {15000, 5000}, {30000, 5000}});
    bezier->SetPenWidth(1.0f);
    EXPECT_EQ(InkCount(Paper(*bezier)) + InkCount(Screen(*bezier)), 0);
    bezier->SetEnds(Ends(2, 2, kRed));
    const QImage p = Paper(*bezier, "plain-bezier-3points");
    const QRect start = Around({5000, 25000}, 25), end = Around({30000, 5000}, 25);
    EXPECT_GT(CountLeaning(p, kRed, start), 100);
    EXPECT_GT(CountLeaning(p, kRed, end), 50);
    EXPECT_EQ(InkCount(p), InkCount(p.copy(start)) + InkCount(p.copy(end)));
}

TEST(PlainElements, PolyLineMarksSitOnBothEnds)
{
    TKVRBaseLabel label;
    auto* poly = Chain<TKVRPolyLine>(label, Zigzag());
    poly->SetEnds(Ends(2, 2, kRed));
    const TScreenPaper t = Paint(*poly, "plain-polyline-marks");
    for (const QImage& img : {t.Screen, t.Paper}) {
        const QRect start = Around({6000, 26000}, 20), end = Around({42000, 10000}, 20);
        EXPECT_GT(CountLeaning(img, kRed, start), 100);
        EXPECT_GT(CountLeaning(img, kRed, end), 50);
        EXPECT_EQ(CountLeaning(img, kRed), CountLeaning(img, kRed, start) + CountLeaning(img, kRed, end));
    }
}

TEST(PlainElements, PolygonHairlineOnScreenOnly)
{
    TKVRBaseLabel label;
    auto* polygon = Chain<TKVRPolygon>(label, Zigzag());
    polygon->SetPenWidth(0.0f);
    TScreenPaper t = Paint(*polygon, "plain-polygon-pen0");
    EXPECT_GT(CountLeaning(t.Screen, kBlue), 200);
    // One pixel: the ink is about as many pixels as the outline is long.
    EXPECT_LT(CountLeaning(t.Screen, kBlue), 3 * 1200);
    EXPECT_EQ(InkCount(t.Paper), 0);

    polygon->SetFilled(true);
    polygon->SetBackColor(kGreen);
    t = Paint(*polygon);
    EXPECT_GT(CountLeaning(t.Screen, kBlue), 200);
    EXPECT_GT(CountLeaning(t.Paper, kGreen), 1000);
    EXPECT_EQ(CountLeaning(t.Paper, kBlue), 0);
}

TEST(PlainElements, FilledBezierPrintsEndMarksTheScreenLeavesOut)
{
    TKVRBaseLabel label;
    auto* bezier = Chain<TKVRBezier>(label, Curve(2));
    bezier->SetEnds(Ends(2, 6, kRed));
    bezier->SetFilled(true);
    bezier->SetBackColor(kGreen);
    TScreenPaper t = Paint(*bezier, "plain-bezier-filled");
    EXPECT_GT(CountLeaning(t.Screen, kGreen), 1000);
    EXPECT_EQ(CountLeaning(t.Screen, kRed), 0);
    EXPECT_GT(CountLeaning(t.Paper, kGreen), 1000);
    EXPECT_GT(CountLeaning(t.Paper, kRed), 100);

    bezier->SetFilled(false);
    t = Paint(*bezier, "plain-bezier-open");
    EXPECT_GT(CountLeaning(t.Screen, kRed), 100);
    EXPECT_GT(CountLeaning(t.Paper, kRed), 100);
}

TEST(PlainElements, BezierPathHasOneCubicPerWholeSegment)
{
    TKVRBaseLabel label;
    ScreenSurface s(kWidth, kHeight, kDpi);
    auto* bezier = Chain<TKVRBezier>(label, Curve(1));
    EXPECT_EQ(CurveCount(bezier->GetPath(&s.draw)), 1);
    bezier->SetPoints(Curve(2));
    EXPECT_EQ(CurveCount(bezier->GetPath(&s.draw)), 2);
    // Points beyond the last whole segment are left out.
    std::vector<TKVRPto> extra = Curve(2);
    extra.push_back({48000, 5000});
    extra.push_back({49000, 6000});
    bezier->SetPoints(extra);
    EXPECT_EQ(CurveCount(bezier->GetPath(&s.draw)), 2);
    bezier->SetPoints({});
    EXPECT_TRUE(bezier->GetPath(&s.draw)->IsEmpty());
}

TEST(PlainElements, BezierDashFollowsItsLineTypeNotTheEditorHighlight)
{
    TKVRBaseLabel label;
    auto inEditor = [](TKVRBaseItem& aItem, TKVRItemState aState) {
        aItem.SetItemState(aState);
        return Paint(aItem, QString(), kWidth, kHeight, 1, KVRDrawState::Editor).Screen;
    };
    auto* bezier = Chain<TKVRBezier>(label, Curve(1));
    bezier->SetLineType(5);
    const QImage plainCurve = inEditor(*bezier, 0);
    EXPECT_EQ(inEditor(*bezier, 1), plainCurve);
    EXPECT_EQ(inEditor(*bezier, 2), plainCurve);

    auto* poly = Chain<TKVRPolyLine>(label, Zigzag());
    poly->SetLineType(5);
    const QImage plainChain = inEditor(*poly, 0);
    const QImage highlighted = inEditor(*poly, 1);
    EXPECT_NE(highlighted, plainChain);
    EXPECT_GT(CountLeaning(highlighted, kBlue), 500);
}

// Line ends and dimension heads of any stored size paint and print without
// fault: sizes beyond the page are held to what the canvases take.
TEST(PlainElements, MarksOfAnySizePaintWithoutFault)
{
    TKVRBaseLabel label;
    const TKVRLineEnds huge{4, 3, kRed, kRed, 3.0e38f, -3.0e38f};
    auto* poly = Chain<TKVRPolyLine>(label, Zigzag());
    poly->SetEnds(huge);
    auto* bezier = Chain<TKVRBezier>(label, Curve(1));
    bezier->SetEnds(huge);
    auto* arc = new TKVRArc(&label, 20000, 15000, 8000, 0.0f, 2.0f, false);
    arc->SetEnds(huge);
    auto* arrow = new TKVRArrowLine(&label, false);
    arrow->SetBase(2, 30000, 10000);
    arrow->SetEnds(huge);
    label.GetDimStyle(0).SetHeadSize(3.0e38f);
    auto* dim = new TKVRDim(&label, KVRDimType::Horizontal, false);
    dim->SetLinear(KVRDimType::Horizontal, 5000, 20000, 40000, 20000, 20000, 10000);
    for (TKVRBaseItem* e : std::initializer_list<TKVRBaseItem*>{poly, bezier, arc, arrow, dim}) {
        TScreenPaper t;
        EXPECT_NO_THROW(t = Paint(*e, QString(), 200, 150)) << e->GetKind();
    }
}
