#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/TKVRBaseDraw.h"
#include "platform/rtl/geometry/TKVRPto.h"
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

TEST(ModelGeometry, CircleThreePointsFailsForCollinearOrRepeatedPoints)
{
    int64_t cx = 7, cy = 7, r = 7;
    EXPECT_FALSE(TDraw2D::CircleThreePoints(0, 0, 10, 10, 20, 20, cx, cy, r));
    EXPECT_FALSE(TDraw2D::CircleThreePoints(0, 0, 0, 0, 20, 5, cx, cy, r));
    // Nearly collinear at document scale is still a (huge) circle, not a failure.
    EXPECT_TRUE(TDraw2D::CircleThreePoints(0, 0, 1000000, 1, 2000000, 0, cx, cy, r));
    EXPECT_GT(r, 1000000000LL);
    // Outputs stay untouched on failure.
    int64_t a = 1, b = 2, c = 3;
    EXPECT_FALSE(TDraw2D::CircleThreePoints(5, 5, 5, 5, 5, 5, a, b, c));
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(c, 3);
}

TEST(ModelGeometry, CircleThreePointsFindsTheCircle)
{
    int64_t cx, cy, r;
    ASSERT_TRUE(TDraw2D::CircleThreePoints(1000, 2000 + 500, 1500, 2000, 1000, 2000 - 500, cx, cy, r));
    EXPECT_EQ(cx, 1000);
    EXPECT_EQ(cy, 2000);
    EXPECT_EQ(r, 500);
    ASSERT_TRUE(TDraw2D::CircleTwoPoints(-100, 0, 100, 0, cx, cy, r));
    EXPECT_EQ(cx, 0);
    EXPECT_EQ(r, 100);
    EXPECT_FALSE(TDraw2D::CircleTwoPoints(3, 3, 3, 3, cx, cy, r));
}

TEST(ModelGeometry, ArcThreePointsRunsThroughTheMiddlePoint)
{
    int64_t cx, cy, r;
    double start, end, sweep;
    bool flag;
    // Right, bottom, left of the origin: clockwise on screen, half a turn.
    ASSERT_TRUE(TDraw2D::ArcThreePoints(100, 0, 0, 100, -100, 0, cx, cy, r, start, end, sweep, flag));
    EXPECT_EQ(cx, 0);
    EXPECT_EQ(cy, 0);
    EXPECT_EQ(r, 100);
    EXPECT_NEAR(start, 0.0, 1e-12);
    EXPECT_NEAR(end, kPi, 1e-12);
    EXPECT_NEAR(sweep, kPi, 1e-12);
    EXPECT_FALSE(flag);
    // The same ends through the top: counter-clockwise.
    ASSERT_TRUE(TDraw2D::ArcThreePoints(100, 0, 0, -100, -100, 0, cx, cy, r, start, end, sweep, flag));
    EXPECT_NEAR(sweep, -kPi, 1e-12);
    EXPECT_TRUE(flag);
    // Three quarters: from the top through the right to the left.
    ASSERT_TRUE(TDraw2D::ArcThreePoints(0, -100, 100, 0, -100, 0, cx, cy, r, start, end, sweep, flag));
    EXPECT_NEAR(sweep, 1.5 * kPi, 1e-12);
    const double mid = start + sweep / 2.0;
    EXPECT_NEAR(std::cos(mid) * 100, 70.71, 0.01);  // the middle lies on the right, bottom side
    EXPECT_FALSE(TDraw2D::ArcThreePoints(0, 0, 5, 5, 10, 10, cx, cy, r, start, end, sweep, flag));
    // All but on one line: a centre beyond any drawing is no arc (nor circle).
    const int64_t far = int64_t(1) << 52;
    EXPECT_FALSE(TDraw2D::ArcThreePoints(0, 0, far, 1, 2 * far, 0, cx, cy, r, start, end, sweep, flag));
    EXPECT_FALSE(TDraw2D::CircleThreePoints(0, 0, far, 1, 2 * far, 0, cx, cy, r));
}

TEST(ModelGeometry, NormalizeAngle)
{
    EXPECT_DOUBLE_EQ(TDraw2D::NormalizeAngle(-kPi / 2), 1.5 * kPi);
    EXPECT_DOUBLE_EQ(TDraw2D::NormalizeAngle(5 * kPi), kPi);
    EXPECT_DOUBLE_EQ(TDraw2D::NormalizeAngle(2 * kPi), 0.0);
}

TEST(ModelGeometry, AngleSegmentCoversTheShareOfTheArea)
{
    float start, sweep;
    TDraw2D::AngleSegment(0.5, false, false, start, sweep);
    EXPECT_NEAR(sweep, 180.0f, 1e-3);  // half the disc: the lower half
    EXPECT_NEAR(start, 0.0f, 1e-3);
    TDraw2D::AngleSegment(1.0, false, false, start, sweep);
    EXPECT_FLOAT_EQ(sweep, 360.0f);
    TDraw2D::AngleSegment(0.0, false, false, start, sweep);
    EXPECT_FLOAT_EQ(sweep, 0.0f);
    TDraw2D::AngleSegment(-3.0, false, false, start, sweep);
    EXPECT_FLOAT_EQ(sweep, 0.0f);
    // A quarter: (t - sin t) / 2 pi = 0.25 with the chord below the centre.
    TDraw2D::AngleSegment(0.25, false, false, start, sweep);
    const double t = sweep * kPi / 180.0;
    EXPECT_NEAR((t - std::sin(t)) / (2 * kPi), 0.25, 1e-6);
    EXPECT_NEAR(start + sweep / 2.0f, 90.0f, 1e-3);  // centred at the bottom
    TDraw2D::AngleSegment(0.25, false, true, start, sweep);
    EXPECT_NEAR(start + sweep / 2.0f, 180.0f, 1e-3);  // the other variant fills from the left
}

TEST(ModelGeometry, CenteredRectKeepsProportionsInsideTheBox)
{
    const TRectF r = TDraw2D::CenteredRect(200.0, 100.0, TRectF(0, 0, 100, 100));
    EXPECT_FLOAT_EQ(r.Left, 0.0f);
    EXPECT_FLOAT_EQ(r.Right, 100.0f);
    EXPECT_FLOAT_EQ(r.Top, 25.0f);
    EXPECT_FLOAT_EQ(r.Bottom, 75.0f);
    const TKVRRect m = TDraw2D::CenteredRect(10.0, 30.0, TKVRRect{0, 0, 3000, 3000});
    EXPECT_EQ(m, (TKVRRect{1000, 0, 2000, 3000}));
    // A size that is not positive gives an empty box at the centre.
    const TKVRRect e = TDraw2D::CenteredRect(0.0, 30.0, TKVRRect{0, 0, 3000, 1000});
    EXPECT_EQ(e, (TKVRRect{1500, 500, 1500, 500}));
}

TEST(ModelGeometry, SlotPolygonSurroundsTheCentreLine)
{
    const auto p = TDraw2D::CalculateSlotPolygon(10, 50, 90, 50, 8);
    EXPECT_EQ(p[0], TPointF(10, 46));
    EXPECT_EQ(p[1], TPointF(90, 46));
    EXPECT_EQ(p[2], TPointF(90, 54));
    EXPECT_EQ(p[3], TPointF(10, 54));
    const auto q = TDraw2D::CalculateSlotPolygon(5, 5, 5, 5, 2);  // a point: still a closed outline
    EXPECT_EQ(q[0], TPointF(5, 4));
    EXPECT_EQ(q[2], TPointF(5, 6));
}

// ---------------------------------------------------------------- text placement

TEST(ModelGeometry, ParallelLinesAndTicksFollowTheSegment)
{
    struct TCase
    {
        float X1, Y1, X2, Y2, Distance;
        float Ox1, Oy1, Ox2, Oy2;
    };
    // Positive moves right of the direction on the y-down surface.
    const TCase cases[] = {
        {0, 0, 10, 0, 5, 0, 5, 10, 5},       {0, 0, 10, 0, -5, 0, -5, 10, -5},
        {0, 0, 0, 10, 2, -2, 0, -2, 10},     {0, 0, 3, 4, 5, -4, 3, -1, 7},
        {7, 7, 7, 7, 3, 7, 7, 7, 7},  // no length, no side
    };
    for (const TCase& c : cases) {
        float x1, y1, x2, y2;
        TDraw2D::DrawParallelLine(c.X1, c.Y1, c.X2, c.Y2, c.Distance, x1, y1, x2, y2);
        EXPECT_NEAR(x1, c.Ox1, 1e-4);
        EXPECT_NEAR(y1, c.Oy1, 1e-4);
        EXPECT_NEAR(x2, c.Ox2, 1e-4);
        EXPECT_NEAR(y2, c.Oy2, 1e-4);
    }
    // On a level line heading right, the left tick is a backslash, the right one a slash.
    const float h = 10 / std::sqrt(2.0f);
    float x1, y1, x2, y2;
    TDraw2D::DrawLeft(0, 50, 100, 50, 10, x1, y1, x2, y2);
    EXPECT_NEAR(x1, 100 - h, 1e-4);
    EXPECT_NEAR(y1, 50 - h, 1e-4);
    EXPECT_NEAR(x2, 100 + h, 1e-4);
    EXPECT_NEAR(y2, 50 + h, 1e-4);
    TDraw2D::DrawRight(0, 50, 100, 50, 10, x1, y1, x2, y2);
    EXPECT_NEAR(x1, 100 - h, 1e-4);
    EXPECT_NEAR(y1, 50 + h, 1e-4);
    EXPECT_NEAR(x2, 100 + h, 1e-4);
    EXPECT_NEAR(y2, 50 - h, 1e-4);
    // Seen from the other end the same line gets the same tick.
    float a1, b1, a2, b2;
    TDraw2D::DrawLeft(200, 50, 100, 50, 10, a1, b1, a2, b2);
    TDraw2D::DrawLeft(0, 50, 100, 50, 10, x1, y1, x2, y2);
    EXPECT_NEAR(a1, x2, 1e-4);
    EXPECT_NEAR(b1, y2, 1e-4);
}

TEST(ModelTextPlace, DrawTxtPosCentresTheBoxForEveryTurn)
{
    // A 40 x 10 box centred on (100, 100): the corner the canvas turns about.
    auto c = [](TKVRAngle a) { return DrawTxtPos(100, 100, 0, 0, 40, 10, TKVRHorzAlign::Center, TKVRVertAlign::Center, a); };
    EXPECT_EQ(c(TKVRAngle::Angle0), TPointF(80, 95));
    EXPECT_EQ(c(TKVRAngle::Angle90), TPointF(95, 120));   // reads upwards
    EXPECT_EQ(c(TKVRAngle::Angle180), TPointF(120, 105));
    EXPECT_EQ(c(TKVRAngle::Angle270), TPointF(105, 80));
    int32_t x, y;
    PrintTxtPos(100, 100, 0, 0, 40, 10, TKVRHorzAlign::Center, TKVRVertAlign::Center, TKVRAngle::Angle90, x, y);
    EXPECT_EQ(x, 95);
    EXPECT_EQ(y, 120);
    // Margins push left- and right-aligned boxes away from the point.
    EXPECT_EQ(DrawTxtPos(0, 0, 3, 2, 40, 10, TKVRHorzAlign::Right, TKVRVertAlign::Bottom, TKVRAngle::Angle0),
              TPointF(-43, -12));
    EXPECT_EQ(DrawTxtPos(0, 0, 3, 2, 40, 10, TKVRHorzAlign::Left, TKVRVertAlign::Top, TKVRAngle::Angle0),
              TPointF(3, 2));
}

TEST(ModelTextPlace, AdjustRectAndPrintAngle)
{
    TRectF r(10, 10, 50, 20);  // 40 x 10 anchored at (10, 10)
    AdjustRect(r, TKVRHorzAlign::Left, TKVRVertAlign::Top, TKVRAngle::Angle90);
    EXPECT_EQ(r, TRectF(10, -30, 20, 10));  // turned upwards about the anchor
    TRectF c(10, 10, 50, 20);
    AdjustRect(c, TKVRHorzAlign::Center, TKVRVertAlign::Center, TKVRAngle::Angle0);
    EXPECT_EQ(c, TRectF(-10, 5, 30, 15));
    EXPECT_DOUBLE_EQ(PrintAngle(TKVRAngle::Angle90), -kPi / 2);
    EXPECT_DOUBLE_EQ(PrintAngle(TKVRAngle::Angle270), -1.5 * kPi);
    EXPECT_DOUBLE_EQ(PrintAngle(TKVRAngle(7)), 0.0);
}

TEST(ModelTextPlace, LineCaptionGapAndReadingDirection)
{
    // A 100 mm line, a caption 20 mm wide, 4 mm high (ascent 3, descent 1).
    TKVRLineText t = PosBaseLinesText(0, 0, 100000, 0, 4000, 20000, 3000, 1000, 4);
    EXPECT_EQ(t.GapStart, (TKVRPto{39000, 0}));  // width plus a quarter of the height on each side
    EXPECT_EQ(t.GapEnd, (TKVRPto{61000, 0}));
    EXPECT_EQ(t.TextX, 40000);
    EXPECT_EQ(t.TextY, 1000);   // centred on the line: baseline (ascent - descent) / 2 below it
    EXPECT_EQ(t.PrintY, -2000); // box top: ascent above the baseline
    EXPECT_FLOAT_EQ(t.Angle, 0.0f);
    // Above the line at its start.
    t = PosBaseLinesText(0, 0, 100000, 0, 4000, 20000, 3000, 1000, 0);
    EXPECT_EQ(t.TextX, 1000);
    EXPECT_EQ(t.TextY, -2000);  // descent plus clearance above
    // A line drawn right to left reads from its other end: same caption.
    TKVRLineText back = PosBaseLinesText(100000, 0, 0, 0, 4000, 20000, 3000, 1000, 0);
    EXPECT_EQ(back.TextX, t.TextX);
    EXPECT_EQ(back.TextY, t.TextY);
    // A vertical line reads upwards.
    TKVRLineText up = PosBaseLinesText(0, 100000, 0, 0, 4000, 20000, 3000, 1000, 1);
    EXPECT_NEAR(up.Angle, -kPi / 2, 1e-6);
    EXPECT_LT(up.TextX, 0);  // "above" a line read upwards is to its left
    // A caption wider than its line: the gap stays on the line.
    TKVRLineText wide = PosBaseLinesText(0, 0, 10000, 0, 4000, 20000, 3000, 1000, 4);
    EXPECT_EQ(wide.GapStart, (TKVRPto{0, 0}));
    EXPECT_EQ(wide.GapEnd, (TKVRPto{10000, 0}));
}

TEST(ModelTextPlace, GapCaptionsAtTheEndsKeepTheMarksClear)
{
    // Marks of 5 mm at the start and 3 mm at the end of a 100 mm line.
    TKVRLineText start = PosBaseLinesText(0, 0, 100000, 0, 4000, 20000, 3000, 1000, 3, 5000, 3000);
    EXPECT_EQ(start.GapStart, (TKVRPto{5000, 0}));
    EXPECT_EQ(start.TextX, 6000);
    TKVRLineText end = PosBaseLinesText(0, 0, 100000, 0, 4000, 20000, 3000, 1000, 5, 5000, 3000);
    EXPECT_EQ(end.GapEnd, (TKVRPto{97000, 0}));
    // Read from its other end, the marks change sides with the line's ends.
    TKVRLineText back = PosBaseLinesText(100000, 0, 0, 0, 4000, 20000, 3000, 1000, 5, 3000, 5000);
    EXPECT_EQ(back.GapEnd, (TKVRPto{97000, 0}));
    // Above and below the line the marks move nothing; the middle ignores them.
    EXPECT_EQ(PosBaseLinesText(0, 0, 100000, 0, 4000, 20000, 3000, 1000, 2, 5000, 3000).TextX, 79000);
    EXPECT_EQ(PosBaseLinesText(0, 0, 100000, 0, 4000, 20000, 3000, 1000, 4, 5000, 3000).TextX, 40000);
}

TEST(ModelTextPlace, FromBaseConversionsFollowTheContext)
{
    TKVRBaseDraw d;
    d.SetResolution(254, 254, 2);  // 10 px per paper mm, drawing at 1:2
    EXPECT_FLOAT_EQ(DrawFromBaseX(2000, &d), 10.0f);
    EXPECT_FLOAT_EQ(DrawFromBaseY(-1000, &d), -5.0f);
    EXPECT_EQ(PrintFromBaseX(1100, &d), 6);  // 5.5 -> 6 (halves to even)
    EXPECT_EQ(PrintFromBaseX(1300, &d), 6);  // 6.5 -> 6
    EXPECT_EQ(PrintFromBaseY(1500, &d), 8);  // 7.5 -> 8
}

}  // namespace
