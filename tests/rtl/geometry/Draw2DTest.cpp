#include "platform/rtl/geometry/KVR.Draw2D.h"
#include <QTransform>
#include <gtest/gtest.h>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

QTransform QuarterTurnAbout(const TPointF& c, int quarter)
{
    QTransform t;
    t.translate(c.X, c.Y);
    t.rotate(-90.0 * quarter);
    t.translate(-c.X, -c.Y);
    return t;
}

}  // namespace

TEST(Draw2DTest, ArrowHeadIsSymmetricAboutItsLineInEveryDirection)
{
    const float tipX = 200, tipY = 150;
    const int length = 20;
    const float open = 8;
    for (int deg = 0; deg < 360; deg += 15) {
        SCOPED_TRACE(deg);
        const double a = deg * kPi / 180;  // direction of travel at the tip
        const float fromX = tipX - 100 * std::cos(a), fromY = tipY - 100 * std::sin(a);
        float x1, y1, x2, y2;
        TDraw2D::DrawArrow(fromX, fromY, tipX, tipY, length, x1, y1, x2, y2, open);
        // Both sides have the head's length.
        EXPECT_NEAR(std::hypot(x1 - tipX, y1 - tipY), length, 1e-3);
        EXPECT_NEAR(std::hypot(x2 - tipX, y2 - tipY), length, 1e-3);
        // The corners mirror each other across the line: their midpoint lies on
        // the line behind the tip, and the segment between them crosses it square.
        const double ux = std::cos(a), uy = std::sin(a);
        const double mx = (x1 + x2) / 2 - tipX, my = (y1 + y2) / 2 - tipY;
        EXPECT_NEAR(mx * ux + my * uy, -length * std::cos(open * kPi / 180), 1e-3);
        EXPECT_NEAR(-mx * uy + my * ux, 0, 1e-3);
        EXPECT_NEAR((x1 - x2) * ux + (y1 - y2) * uy, 0, 1e-3);
        // The half-angle is the opening: the corners are 2 L sin(8 deg) apart.
        EXPECT_NEAR(std::hypot(x1 - x2, y1 - y2), 2 * length * std::sin(open * kPi / 180), 1e-3);
        // The first corner is on the left when looking along the arrow (y down).
        EXPECT_GT((x1 - tipX) * uy - (y1 - tipY) * ux, 0.0) << "cross product sign";
        // The angle form gives the same head.
        float a1, b1, a2, b2;
        TDraw2D::DrawArrow(tipX, tipY, float(a), length, a1, b1, a2, b2, open);
        EXPECT_NEAR(a1, x1, 1e-3);
        EXPECT_NEAR(b1, y1, 1e-3);
        EXPECT_NEAR(a2, x2, 1e-3);
        EXPECT_NEAR(b2, y2, 1e-3);
    }
}

TEST(Draw2DTest, ArrowHeadOpensWithTheOpeningAndSurvivesAPointLine)
{
    float x1, y1, x2, y2;
    // A rightward arrow: the head lies left of the tip, one corner above, one below.
    TDraw2D::DrawArrow(0, 0, 100, 0, 10, x1, y1, x2, y2, 30);
    EXPECT_NEAR(x1, 100 - 10 * std::cos(kPi / 6), 1e-4);
    EXPECT_NEAR(y1, -5, 1e-4);
    EXPECT_NEAR(x2, x1, 1e-4);
    EXPECT_NEAR(y2, 5, 1e-4);
    // From-point on the tip: a defined head, no NaN.
    TDraw2D::DrawArrow(5, 5, 5, 5, 10, x1, y1, x2, y2, 8);
    EXPECT_TRUE(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2));
    EXPECT_NEAR(std::hypot(x1 - 5, y1 - 5), 10, 1e-4);
    // Length 0 collapses the head onto the tip.
    TDraw2D::DrawArrow(0, 0, 7, 3, 0, x1, y1, x2, y2, 8);
    EXPECT_FLOAT_EQ(x1, 7);
    EXPECT_FLOAT_EQ(y2, 3);
}

TEST(Draw2DTest, QuarterTurnsTurnAsTheCanvasDoes)
{
    const TPointF c(10, 20);
    const TPointF p(13, 24);
    // Counter-clockwise on the y-down surface: right of the centre goes above it.
    EXPECT_EQ(TDraw2D::RotatePoint(TPointF(11, 20), c, TKVRAngle::Angle90), TPointF(10, 19));
    for (int q = 0; q < 4; ++q) {
        SCOPED_TRACE(q);
        const QPointF expected = QuarterTurnAbout(c, q).map(p.ToQt());
        const TPointF got = TDraw2D::RotatePoint(p, c, TKVRAngle(q));
        EXPECT_FLOAT_EQ(got.X, float(expected.x()));
        EXPECT_FLOAT_EQ(got.Y, float(expected.y()));
        const TPointF byDegrees = TDraw2D::RotatePoint(p, c, float(-90 * q));
        EXPECT_NEAR(byDegrees.X, got.X, 1e-4);
        EXPECT_NEAR(byDegrees.Y, got.Y, 1e-4);
    }
    // Four quarter turns come back exactly.
    TPointF q = p;
    for (int i = 0; i < 4; ++i)
        q = TDraw2D::RotatePoint(q, c, TKVRAngle::Angle90);
    EXPECT_EQ(q, p);
    EXPECT_EQ(TDraw2D::RotatePoint(p, c, TKVRAngle(7)), p);  // not a quarter turn

    // Rectangles come back normalised and equal to Qt's mapping.
    const TRectF r(10, 20, 30, 25);
    for (int k = 0; k < 4; ++k) {
        const TRectF got = TDraw2D::Rotate(r, c, TKVRAngle(k));
        EXPECT_EQ(got.ToQt(), QuarterTurnAbout(c, k).mapRect(r.ToQt())) << k;
        EXPECT_LE(got.Left, got.Right);
        EXPECT_LE(got.Top, got.Bottom);
    }
    EXPECT_EQ(TDraw2D::Rotate(r, c, TKVRAngle::Angle90), TRectF(10, 0, 15, 20));
}
