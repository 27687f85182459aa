#include "platform/rtl/geometry/KVR.DashPath.h"
#include <QLineF>
#include <gtest/gtest.h>

namespace {
// Lengths of the contours of a dashed path, in order.
std::vector<double> Contours(const QPainterPath& aPath)
{
    std::vector<double> out;
    for (const QPolygonF& poly : aPath.toSubpathPolygons()) {
        double l = 0;
        for (qsizetype i = 1; i < poly.size(); ++i)
            l += QLineF(poly[i - 1], poly[i]).length();
        out.push_back(l);
    }
    return out;
}

QPainterPath Line(double aLength)
{
    QPainterPath p(QPointF(0, 0));
    p.lineTo(aLength, 0);
    return p;
}
}  // namespace

TEST(DashPath, PatternsThatCannotDashLeaveThePathAlone)
{
    const QPainterPath line = Line(100);
    const std::vector<TKVRDashPattern> bad = {
        {{}, 0}, {{5}, 0}, {{5, 5, 5}, 0}, {{0, 0}, 0}, {{-1, 5}, 0}, {{5, std::nan("")}, 0}, {{5, 5}, INFINITY}};
    for (const TKVRDashPattern& p : bad) {
        const TKVRDashedPath d = KVRDashPath(line, p);
        EXPECT_FALSE(d.Dashed);
        EXPECT_EQ(d.Path, line);
    }
}

TEST(DashPath, DashesKeepTheirLengthsAcrossCornersAndStartAtThePhase)
{
    QPainterPath corner(QPointF(0, 0));
    corner.lineTo(25, 0);
    corner.lineTo(25, 25);  // 50 long, turning after 25
    const TKVRDashedPath d = KVRDashPath(corner, {{10, 5}, 0});
    ASSERT_TRUE(d.Dashed);
    EXPECT_EQ(d.Dashes, 4u);  // 0-10, 15-25 (the corner), 30-40, 45-50
    const std::vector<double> c = Contours(d.Path);
    ASSERT_EQ(c.size(), 4u);
    EXPECT_NEAR(c[1], 10, 1e-9);
    EXPECT_NEAR(c[3], 5, 1e-9);

    // The phase of 12 starts 2 into the gap: dashes 3-13, 18-28 and 33-40, cut at the end.
    const TKVRDashedPath shifted = KVRDashPath(Line(40), {{10, 5}, 12});
    const std::vector<double> s = Contours(shifted.Path);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_NEAR(s[0], 10, 1e-9);
    EXPECT_NEAR(s[2], 7, 1e-9);
    EXPECT_EQ(shifted.Path.elementAt(0).x, 3.0);
}

TEST(DashPath, ShortDashesOfAThickPenAreChords)
{
    QPainterPath circle;
    circle.addEllipse(QPointF(0, 0), 100, 100);
    const TKVRDashPattern p{{20, 20}, 0};
    const TKVRDashedPath curved = KVRDashPath(circle, p, 1.0, 5.0);
    const TKVRDashedPath chords = KVRDashPath(circle, p, 1.0, 21.0);
    ASSERT_TRUE(curved.Dashed && chords.Dashed);
    EXPECT_EQ(curved.Dashes, chords.Dashes);
    EXPECT_GT(curved.Path.elementCount(), 3 * int(curved.Dashes));
    EXPECT_EQ(chords.Path.elementCount(), 2 * int(chords.Dashes));
}

TEST(DashPath, TooManyDashesStrokeUndashed)
{
    const QPainterPath line = Line(1000);
    // 500 dashes, and one more counted for the contour's start.
    const TKVRDashedPath few = KVRDashPath(line, {{1, 1}, 0}, 1.0, 0.0, 501);
    EXPECT_TRUE(few.Dashed);
    EXPECT_EQ(few.Dashes, 500u);
    const TKVRDashedPath many = KVRDashPath(line, {{1, 1}, 0}, 1.0, 0.0, 450);
    EXPECT_FALSE(many.Dashed);
    EXPECT_EQ(many.Path, line);
    // The shared bound: a million dashes.
    EXPECT_FALSE(KVRDashPath(Line(1e7), {{1, 1}, 0}).Dashed);
}
