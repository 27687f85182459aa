#include "elements/TKVRBezier.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRPoint.h"
#include "elements/TKVRPolyLine.h"
#include "elements/TKVRPolygon.h"
#include "platform/skia/System.Skia.h"
#include "tests/elements/PlainShapesTestSupport.h"
#include <gtest/gtest.h>

using namespace plain;

namespace {

TKVRLineEnds Ends(TKVRTermType aFrom, TKVRTermType aTo, TAlphaColor aColour)
{
    TKVRLineEnds e;
    e.FromType = aFrom;
    e.ToType = aTo;
    e.FromColor = aColour;
    e.ToColor = aColour;
    e.SizeFrom = 3.0f;
    e.SizeTo = 2.0f;
    return e;
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

TKVRPolyLine* MakePolyLine(TKVRBaseLabel& label, std::vector<TKVRPto> pts)
{
    auto* e = new TKVRPolyLine(&label, false);
    e->SetPoints(std::move(pts));
    e->SetColor(kBlue);
    e->SetPenWidth(0.5f);
    return e;
}

TKVRBezier* MakeBezier(TKVRBaseLabel& label, std::vector<TKVRPto> pts)
{
    auto* e = new TKVRBezier(&label, false);
    e->SetPoints(std::move(pts));
    e->SetColor(kBlue);
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

// ---------------------------------------------------------------- streams

TEST(PlainElements, EveryKindSurvivesBothFormatsAndTruncation)
{
    TKVRBaseLabel label;
    auto* point = new TKVRPoint(&label, false);
    point->SetBase(1, 12345, -678);
    point->SetColor(kRed);
    ExpectRoundTrips(label, *point, &TKVRPoint::Read, &TKVRPoint::ReadFromJson);

    auto* line = new TKVRLine(&label, false);
    line->SetBase(1, 1000, 2000);
    line->SetBase(2, 30000, -4000);
    line->SetLineType(7);
    line->SetPenWidth(0.35f);
    ExpectRoundTrips(label, *line, &TKVRLine::Read, &TKVRLine::ReadFromJson);

    auto* poly = MakePolyLine(label, Zigzag());
    poly->SetEnds(Ends(4, 6, kRed));
    ExpectRoundTrips(label, *poly, &TKVRPolyLine::Read, &TKVRPolyLine::ReadFromJson);

    auto* polygon = new TKVRPolygon(&label, false);
    polygon->SetPoints(Zigzag());
    polygon->SetFilled(true);
    polygon->SetBackColor(kGreen);
    polygon->SetAlpha(17);
    ExpectRoundTrips(label, *polygon, &TKVRPolygon::Read, &TKVRPolygon::ReadFromJson);

    auto* bezier = MakeBezier(label, Curve(2));
    bezier->SetEnds(Ends(3, 8, kGreen));
    bezier->SetFilled(true);
    ExpectRoundTrips(label, *bezier, &TKVRBezier::Read, &TKVRBezier::ReadFromJson);
}

TEST(PlainElements, OnlyTheCellCopyIsReadAsPreview)
{
    TKVRBaseLabel label;
    auto* line = new TKVRLine(&label, false);
    line->SetBase(2, 5000, 5000);
    ExpectPreviewFlag(label, *line, &TKVRLine::Read, &TKVRLine::ReadFromJson);
    auto* bezier = MakeBezier(label, Curve(1));
    ExpectPreviewFlag(label, *bezier, &TKVRBezier::Read, &TKVRBezier::ReadFromJson);
    auto* polygon = new TKVRPolygon(&label, 3, false);
    ExpectPreviewFlag(label, *polygon, &TKVRPolygon::Read, &TKVRPolygon::ReadFromJson);
    ExpectPreviewFlag(label, *MakePolyLine(label, Zigzag()), &TKVRPolyLine::Read, &TKVRPolyLine::ReadFromJson);
    ExpectPreviewFlag(label, *new TKVRPoint(&label, false), &TKVRPoint::Read, &TKVRPoint::ReadFromJson);
}

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
    auto* poly = MakePolyLine(label, Zigzag());
    poly->SetEnds(Ends(6, 2, kRed));
    ExpectTwins(*poly, "plain-polyline");

    auto* polygon = new TKVRPolygon(&label, false);
    polygon->SetPoints({{6000, 20000}, {20000, 4000}, {44000, 10000}, {36000, 30000}});
    polygon->SetFilled(true);
    polygon->SetBackColor(kGreen);
    polygon->SetPenWidth(1.0f);
    ExpectTwins(*polygon, "plain-polygon");

    // The screen's round cap reaches half a pen past the printed flat one.
    auto* bezier = MakeBezier(label, Curve(2));
    bezier->SetPenWidth(0.25f);
    bezier->SetEnds(Ends(0, 6, kRed));
    ExpectTwins(*bezier, "plain-bezier");
}

TEST(PlainElements, PrintedPolygonOutlineIsAsWideAsOnScreen)
{
    // A 2 mm pen is about 24 pixels at 300 dpi on both surfaces.
    TKVRBaseLabel label;
    auto* polygon = new TKVRPolygon(&label, false);
    polygon->SetPoints({{10000, 10000}, {40000, 10000}, {40000, 25000}, {10000, 25000}});
    polygon->SetPenWidth(2.0f);
    polygon->SetColor(kBlue);
    const int screen = CountColour(Screen(*polygon), kBlue);
    const int paper = CountColour(Paper(*polygon, "plain-polygon-2mm"), kBlue);
    EXPECT_GT(screen, 2 * 24 * 500);
    EXPECT_NEAR(paper, screen, screen / 20);
}

TEST(PlainElements, PointIsAMillimetreCircleOnScreenAndNothingOnPaper)
{
    TKVRBaseLabel label;
    auto* point = new TKVRPoint(&label, false);
    point->SetBase(1, 20000, 15000);
    point->SetPenWidth(0.1f);
    const QRect s = InkBounds(Screen(*point, "plain-point"));
    EXPECT_NEAR(s.width(), Px(1000), 2.0);
    EXPECT_NEAR(s.center().x(), Px(20000), 1.5);
    EXPECT_NEAR(s.center().y(), Px(15000), 1.5);
    EXPECT_EQ(InkCount(Paper(*point)), 0);

    // It follows the zoom: 1 mm of the document at twice the resolution.
    ScreenSurface big(kWidth * 2, kHeight * 2, kDpi * 2);
    point->DrawElement(&big.draw);
    EXPECT_NEAR(InkBounds(big.Finish()).width(), 2 * Px(1000), 3.0);
}

// ---------------------------------------------------------------- edge cases

TEST(PlainElements, PolyLineWithOnePointPaintsNothingAnywhere)
{
    TKVRBaseLabel label;
    auto* poly = MakePolyLine(label, {{20000, 15000}});
    poly->SetEnds(Ends(2, 6, kRed));
    QImage s, p;
    EXPECT_NO_THROW(s = Screen(*poly));
    EXPECT_NO_THROW(p = Paper(*poly));
    EXPECT_EQ(InkCount(s), 0);
    EXPECT_EQ(InkCount(p), 0);

    auto* empty = MakePolyLine(label, {});
    empty->SetEnds(Ends(2, 6, kRed));
    EXPECT_NO_THROW(s = Screen(*empty));
    EXPECT_NO_THROW(p = Paper(*empty));
    EXPECT_EQ(InkCount(s) + InkCount(p), 0);
}

TEST(PlainElements, PolyLineMarksSitOnBothEnds)
{
    TKVRBaseLabel label;
    auto* poly = MakePolyLine(label, Zigzag());
    poly->SetEnds(Ends(2, 2, kRed));
    for (const QImage& img : {Screen(*poly, "plain-polyline-marks"), Paper(*poly, "plain-polyline-marks")}) {
        const QRect start(int(Px(6000)) - 20, int(Px(26000)) - 20, 40, 40);
        const QRect end(int(Px(42000)) - 20, int(Px(10000)) - 20, 40, 40);
        EXPECT_GT(CountColour(img, kRed, start), 100);
        EXPECT_GT(CountColour(img, kRed, end), 50);
        EXPECT_EQ(CountColour(img, kRed) , CountColour(img, kRed, start) + CountColour(img, kRed, end));
    }
}

TEST(PlainElements, PolygonHairlineOnScreenOnly)
{
    TKVRBaseLabel label;
    auto* polygon = new TKVRPolygon(&label, false);
    polygon->SetPoints(Zigzag());
    polygon->SetPenWidth(0.0f);
    polygon->SetColor(kBlue);
    const QImage s = Screen(*polygon, "plain-polygon-pen0");
    EXPECT_GT(CountColour(s, kBlue), 200);
    // One pixel: the ink is about as many pixels as the outline is long.
    EXPECT_LT(CountColour(s, kBlue), 3 * 1200);
    EXPECT_EQ(InkCount(Paper(*polygon)), 0);

    polygon->SetFilled(true);
    polygon->SetBackColor(kGreen);
    EXPECT_GT(CountColour(Screen(*polygon), kBlue), 200);
    const QImage p = Paper(*polygon);
    EXPECT_GT(CountColour(p, kGreen), 1000);
    EXPECT_EQ(CountColour(p, kBlue), 0);
}

TEST(PlainElements, FilledBezierPrintsEndMarksTheScreenLeavesOut)
{
    TKVRBaseLabel label;
    auto* bezier = MakeBezier(label, Curve(2));
    bezier->SetEnds(Ends(2, 6, kRed));
    bezier->SetFilled(true);
    bezier->SetBackColor(kGreen);
    const QImage s = Screen(*bezier, "plain-bezier-filled");
    const QImage p = Paper(*bezier, "plain-bezier-filled");
    EXPECT_GT(CountColour(s, kGreen), 1000);
    EXPECT_EQ(CountColour(s, kRed), 0);
    EXPECT_GT(CountColour(p, kGreen), 1000);
    EXPECT_GT(CountColour(p, kRed), 100);

    bezier->SetFilled(false);
    EXPECT_GT(CountColour(Screen(*bezier, "plain-bezier-open"), kRed), 100);
    EXPECT_GT(CountColour(Paper(*bezier), kRed), 100);
}

TEST(PlainElements, BezierPathHasOneCubicPerWholeSegment)
{
    TKVRBaseLabel label;
    ScreenSurface s(kWidth, kHeight, kDpi);
    auto* bezier = MakeBezier(label, Curve(1));
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

TEST(PlainElements, ShortBezierPrintsNoPathAndNeedsTwoPointsForMarks)
{
    TKVRBaseLabel label;
    auto* bezier = MakeBezier(label, {{5000, 25000}, {15000, 5000}, {30000, 5000}});
    bezier->SetPenWidth(1.0f);
    EXPECT_EQ(InkCount(Paper(*bezier)), 0);
    EXPECT_EQ(InkCount(Screen(*bezier)), 0);

    // Two or three points: the marks alone.
    bezier->SetEnds(Ends(2, 2, kRed));
    const QImage p = Paper(*bezier, "plain-bezier-3points");
    const QRect start(int(Px(5000)) - 25, int(Px(25000)) - 25, 50, 50);
    const QRect end(int(Px(30000)) - 25, int(Px(5000)) - 25, 50, 50);
    EXPECT_GT(CountColour(p, kRed, start), 100);
    EXPECT_GT(CountColour(p, kRed, end), 50);
    EXPECT_EQ(InkCount(p), InkCount(p.copy(start)) + InkCount(p.copy(end)));

    // One point or none: nothing, and no read past the points.
    for (std::vector<TKVRPto> pts : {std::vector<TKVRPto>{{5000, 5000}}, std::vector<TKVRPto>{}}) {
        bezier->SetPoints(pts);
        for (bool filled : {false, true}) {
            bezier->SetFilled(filled);
            QImage a, b;
            EXPECT_NO_THROW(a = Screen(*bezier));
            EXPECT_NO_THROW(b = Paper(*bezier));
            EXPECT_EQ(InkCount(a) + InkCount(b), 0) << pts.size() << " points, filled " << filled;
        }
    }
}

TEST(PlainElements, BezierMarksKeepTheirOwnPenAfterAnotherElement)
{
    // A wide pen left on the shared paint by an earlier element must not
    // thicken the marks of a curve without a pen.
    TKVRBaseLabel label;
    auto* bezier = MakeBezier(label, Curve(1));
    bezier->SetPenWidth(0.0f);
    bezier->SetEnds(Ends(1, 1, kRed));
    const int alone = InkCount(Screen(*bezier));

    ScreenSurface s(kWidth, kHeight, kDpi);
    s.draw.kP->SetStrokeWidth(40.0f);
    bezier->DrawElement(&s.draw);
    EXPECT_EQ(InkCount(s.Finish()), alone);
    EXPECT_GT(alone, 20);
}

TEST(PlainElements, OutlineAfterAFillIsStillAStroke)
{
    TKVRBaseLabel label;
    auto* filled = new TKVRPolygon(&label, false);
    filled->SetPoints({{2000, 2000}, {8000, 2000}, {8000, 8000}});
    filled->SetFilled(true);
    auto* poly = MakePolyLine(label, {{10000, 10000}, {40000, 10000}, {40000, 30000}});
    ScreenSurface s(kWidth, kHeight, kDpi);
    filled->DrawElement(&s.draw);
    poly->DrawElement(&s.draw);
    const QImage img = s.Finish();
    // The inside of the open chain's corner stays white.
    EXPECT_EQ(CountColour(img, kBlue, QRect(int(Px(20000)), int(Px(15000)), 100, 100)), 0);
    EXPECT_GT(CountColour(img, kBlue), 500);
}

TEST(PlainElements, BezierDashFollowsItsLineTypeNotTheEditorHighlight)
{
    TKVRBaseLabel label;
    auto inEditor = [](TKVRBaseItem& aItem, TKVRItemState aState) {
        aItem.SetItemState(aState);
        ScreenSurface s(kWidth, kHeight, kDpi);
        s.draw.DrawState = KVRDrawState::Editor;
        aItem.DrawElement(&s.draw);
        return s.Finish();
    };
    auto* bezier = MakeBezier(label, Curve(1));
    bezier->SetLineType(5);
    const QImage plainCurve = inEditor(*bezier, 0);
    EXPECT_EQ(inEditor(*bezier, 1), plainCurve);
    EXPECT_EQ(inEditor(*bezier, 2), plainCurve);

    auto* poly = MakePolyLine(label, Zigzag());
    poly->SetLineType(5);
    const QImage plainChain = inEditor(*poly, 0);
    const QImage highlighted = inEditor(*poly, 1);
    SaveForLook(highlighted, "plain-polyline-highlight");
    EXPECT_NE(highlighted, plainChain);
    EXPECT_GT(CountColour(highlighted, kBlue), 500);
}
