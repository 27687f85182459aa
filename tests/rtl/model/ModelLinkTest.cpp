// Connector routes between flowchart nodes as pure numbers: anchors, link
// points, arc, curves and the end markers' placement for every link type,
// and what happens when an end or a link point is missing.
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/TKVRBaseFlow.h"
#include "platform/rtl/model/TKVRBaseLink.h"
#include "tests/rtl/model/ModelTestSupport.h"
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

using TNode = TConcrete<TKVRBaseFlow>;
using TConnector = TConcrete<TKVRBaseLink>;
using TShape = TKVRLinkRoute::TShape;
constexpr double kPi = std::numbers::pi;

TNode* Node(TKVRBaseLabel& l, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    auto* n = new TNode(&l, false);
    n->SetBase(1, x1, y1);
    n->SetBase(2, x2, y2);
    return n;
}

TKVRLinkPt P(double x, double y)
{
    return {x, y};
}

// The same direction, whatever multiple of a full turn separates them.
::testing::AssertionResult SameAngle(double a, double b)
{
    const double d = std::remainder(a - b, 2.0 * kPi);
    if (std::abs(d) < 1e-9)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a << " vs " << b;
}

// Two nodes: A with its right anchor at (20000, 5000), B with its left
// anchor at (60000, 35000), joined A.2 -> B.4.
struct TPair
{
    TKVRBaseLabel label;
    TNode* A = Node(label, 0, 0, 20000, 10000);
    TNode* B = Node(label, 60000, 30000, 80000, 40000);
    TConnector* L = new TConnector(&label, false);

    explicit TPair(TVXLinkType aType)
    {
        L->SetFromID(A->GetNumID());
        L->SetToID(B->GetNumID());
        L->SetFromIndex(2);
        L->SetToIndex(4);
        L->SetLinkType(aType);
    }
    TKVRLinkRoute Route()
    {
        L->UpdateRoute();
        return L->Route(L->FromPoint, L->ToPoint);
    }
};

TEST(ModelLink, NodeAnchorsAreTheCentreAndTheSideMiddlesOfTheOrderedBox)
{
    TKVRBaseLabel label;
    // Stored with point 2 above and left of point 1.
    TNode* n = Node(label, 50000, 40000, 10000, 20000);
    EXPECT_EQ(n->GetAnchor(0), (TKVRPto{30000, 30000}));
    EXPECT_EQ(n->GetAnchor(1), (TKVRPto{30000, 20000}));
    EXPECT_EQ(n->GetAnchor(2), (TKVRPto{50000, 30000}));
    EXPECT_EQ(n->GetAnchor(3), (TKVRPto{30000, 40000}));
    EXPECT_EQ(n->GetAnchor(4), (TKVRPto{10000, 30000}));
    // Indices past the anchors there are, a negative stored index among them.
    for (uint16_t i : {uint16_t(5), uint16_t(200), uint16_t(int16_t(-1))})
        EXPECT_EQ(n->GetAnchor(i), (TKVRPto{30000, 30000})) << i;
}

TEST(ModelLink, StraightAndElbowRoutes)
{
    struct TCase
    {
        TVXLinkType Type;
        std::vector<TKVRPto> Points;
    };
    const std::vector<TCase> cases = {
        {0, {}},
        {1, {{60000, 5000}}},
        {2, {{20000, 35000}}},
        {3, {{40000, 5000}, {40000, 35000}}},
    };
    for (const TCase& c : cases) {
        TPair p(c.Type);
        const TKVRLinkRoute r = p.Route();
        EXPECT_EQ(p.L->FromPoint, (TKVRPto{20000, 5000}));
        EXPECT_EQ(p.L->ToPoint, (TKVRPto{60000, 35000}));
        EXPECT_EQ(p.L->GetPoints(), c.Points) << int(c.Type);
        std::vector<TKVRLinkPt> expected = {P(20000, 5000)};
        for (const TKVRPto& q : c.Points)
            expected.push_back(P(double(q.X), double(q.Y)));
        expected.push_back(P(60000, 35000));
        EXPECT_EQ(r.Shape, c.Points.empty() ? TShape::Line : TShape::Polyline) << int(c.Type);
        EXPECT_EQ(r.Points, expected) << int(c.Type);
        // Markers point along the first and the last leg.
        EXPECT_FALSE(r.From.ByAngle);
        EXPECT_EQ(r.From.At, P(20000, 5000));
        EXPECT_EQ(r.From.Toward, expected[1]) << int(c.Type);
        EXPECT_EQ(r.To.At, P(60000, 35000));
        EXPECT_EQ(r.To.Toward, expected[expected.size() - 2]) << int(c.Type);
    }
}

TEST(ModelLink, FreePolylineKeepsItsPointsAndWithoutThemIsStraight)
{
    TPair p(6);
    EXPECT_EQ(p.Route().Shape, TShape::Line);
    p.L->SetLinkPoints({{30000, 0}, {50000, 40000}});
    const TKVRLinkRoute r = p.Route();
    EXPECT_EQ(r.Shape, TShape::Polyline);
    EXPECT_EQ(p.L->GetNumLinkPoints(), 2) << "the layout leaves a free polyline's points alone";
    EXPECT_EQ(r.From.Toward, P(30000, 0));
    EXPECT_EQ(r.To.Toward, P(50000, 40000));
}

// Arc ends level at y 5000: through (40000, -15000) it is the upper half of
// the circle about (40000, 5000) of radius 20000, run clockwise on the page.
TEST(ModelLink, ArcThroughThePassPointWithTangentMarkers)
{
    for (bool swapped : {false, true}) {
        TKVRBaseLabel label;
        TNode* left = Node(label, 0, 0, 20000, 10000);
        TNode* right = Node(label, 60000, 0, 80000, 10000);
        auto* l = new TConnector(&label, false);
        l->SetLinkType(4);
        l->SetFromID((swapped ? right : left)->GetNumID());
        l->SetToID((swapped ? left : right)->GetNumID());
        l->SetFromIndex(swapped ? 4 : 2);
        l->SetToIndex(swapped ? 2 : 4);
        l->SetLinkPoints({{40000, -15000}});
        l->UpdateRoute();
        ASSERT_TRUE(l->ArcValid);
        EXPECT_EQ(l->ArcCenterX, 40000);
        EXPECT_EQ(l->ArcCenterY, 5000);
        EXPECT_EQ(l->ArcRadius, 20000);
        // From the end with the smaller x, whichever end that is.
        EXPECT_TRUE(SameAngle(l->ArcStartAngle, kPi));
        EXPECT_NEAR(l->ArcSweepAngle, kPi, 1e-9);
        EXPECT_FALSE(l->ArcDirection);

        const TKVRLinkRoute r = l->Route(l->FromPoint, l->ToPoint);
        ASSERT_EQ(r.Shape, TShape::Arc) << swapped;
        EXPECT_DOUBLE_EQ(r.Radius, 20000.0);
        EXPECT_TRUE(SameAngle(r.Start, kPi));
        EXPECT_NEAR(r.Sweep, kPi, 1e-9);
        // The left end is left going up, so its marker points down, out of
        // the route; the right end is reached going down.
        EXPECT_TRUE(r.From.ByAngle && r.To.ByAngle);
        EXPECT_TRUE(SameAngle(r.From.Angle, kPi / 2)) << swapped;
        EXPECT_TRUE(SameAngle(r.To.Angle, kPi / 2)) << swapped;
    }
}

TEST(ModelLink, ArcMarkersFollowTheTurningSense)
{
    // Through a point below, the lower half: run counter-clockwise.
    TKVRBaseLabel label;
    TNode* left = Node(label, 0, 0, 20000, 10000);
    TNode* right = Node(label, 60000, 0, 80000, 10000);
    auto* l = new TConnector(&label, false);
    l->SetLinkType(4);
    l->SetFromID(left->GetNumID());
    l->SetToID(right->GetNumID());
    l->SetFromIndex(2);
    l->SetToIndex(4);
    l->SetLinkPoints({{40000, 25000}});
    l->UpdateRoute();
    EXPECT_TRUE(l->ArcDirection);
    const TKVRLinkRoute r = l->Route(l->FromPoint, l->ToPoint);
    EXPECT_NEAR(r.Sweep, -kPi, 1e-9);
    EXPECT_TRUE(SameAngle(r.From.Angle, -kPi / 2)) << "left end left going down: marker points up";
    EXPECT_TRUE(SameAngle(r.To.Angle, -kPi / 2)) << "right end reached going up";
}

TEST(ModelLink, ArcWithoutPassPointOrOnALineIsStraight)
{
    TPair p(4);
    TKVRLinkRoute r = p.Route();
    EXPECT_EQ(r.Shape, TShape::Line);
    EXPECT_FALSE(p.L->ArcValid);
    // On the line between the anchors: no circle, the line.
    p.L->SetLinkPoints({{40000, 20000}});
    r = p.Route();
    EXPECT_FALSE(p.L->ArcValid);
    EXPECT_EQ(r.Shape, TShape::Line);
    EXPECT_EQ(r.Points, (std::vector<TKVRLinkPt>{P(20000, 5000), P(60000, 35000)}));
    EXPECT_FALSE(r.From.ByAngle);
    EXPECT_EQ(r.From.Toward, P(60000, 35000));
    // A new arc connector gets a pass point off the middle.
    p.L->SetLinkPoints({});
    p.L->CalcLinkPoints(true);
    ASSERT_EQ(p.L->GetNumLinkPoints(), 1);
    EXPECT_EQ(p.L->GetLinkPoint(1), (TKVRPto{47500, 10000}));
    EXPECT_EQ(p.Route().Shape, TShape::Arc);
}

TEST(ModelLink, SingleCurveLeavesEachAnchorSquareToItsSide)
{
    TPair p(5);
    const TKVRLinkRoute r = p.Route();
    // Half the distance (50000 / 2) out of the right side and the left side.
    EXPECT_EQ(p.L->ControlPoint1, (TKVRPto{45000, 5000}));
    EXPECT_EQ(p.L->ControlPoint2, (TKVRPto{35000, 35000}));
    EXPECT_EQ(r.Shape, TShape::Curves);
    EXPECT_EQ(r.Points,
              (std::vector<TKVRLinkPt>{P(20000, 5000), P(45000, 5000), P(35000, 35000), P(60000, 35000)}));
    EXPECT_EQ(r.From.Toward, P(45000, 5000));
    EXPECT_EQ(r.To.Toward, P(35000, 35000));

    // Up, down and towards the other end.
    TKVRPto c1, c2;
    TDraw2D::CurvePoints({0, 0}, {0, 10000}, 1, 3, c1, c2);
    EXPECT_EQ(c1, (TKVRPto{0, -5000}));
    EXPECT_EQ(c2, (TKVRPto{0, 15000}));
    TDraw2D::CurvePoints({0, 0}, {30000, 40000}, 0, 9, c1, c2);
    EXPECT_EQ(c1, (TKVRPto{15000, 20000}));
    EXPECT_EQ(c2, (TKVRPto{15000, 20000}));
}

TEST(ModelLink, ChainOfCurvesIsTheSingleCurveCutInFive)
{
    TPair p(7);
    const TKVRLinkRoute r = p.Route();
    ASSERT_EQ(p.L->GetNumLinkPoints(), TKVRBaseLink::ChainPoints);
    ASSERT_EQ(r.Shape, TShape::Curves);
    ASSERT_EQ(r.Points.size(), 16u);
    EXPECT_EQ(r.Points.back(), P(60000, 35000));
    // Each piece ends on the single curve at t = 0.2, 0.4, 0.6, 0.8.
    const double x0 = 20000, y0 = 5000, x1 = 45000, y1 = 5000, x2 = 35000, y2 = 35000, x3 = 60000, y3 = 35000;
    for (int k = 1; k <= 4; ++k) {
        const double t = k / 5.0, u = 1 - t;
        const double bx = u * u * u * x0 + 3 * u * u * t * x1 + 3 * u * t * t * x2 + t * t * t * x3;
        const double by = u * u * u * y0 + 3 * u * u * t * y1 + 3 * u * t * t * y2 + t * t * t * y3;
        EXPECT_NEAR(r.Points[size_t(3 * k)].X, bx, 1.0) << k;
        EXPECT_NEAR(r.Points[size_t(3 * k)].Y, by, 1.0) << k;
    }
    // The markers point along the first and last control legs.
    EXPECT_EQ(r.From.Toward, P(25000, 5000));
    EXPECT_EQ(r.To.Toward, P(55000, 35000));
}

TEST(ModelLink, ChainWithTooFewPointsFallsBackToThePolylineOrTheLine)
{
    TPair p(7);
    p.L->UpdateRoute();
    // The ends where the layout left them, but only three of fourteen points
    // (a record written so): the polyline through them, never a point past them.
    p.L->SetLinkPoints({{30000, 0}, {40000, 20000}, {50000, 40000}});
    TKVRLinkRoute r = p.L->Route({20000, 5000}, {60000, 35000});
    EXPECT_EQ(r.Shape, TShape::Polyline);
    EXPECT_EQ(r.Points.size(), 5u);
    EXPECT_EQ(r.To.Toward, P(50000, 40000));
    p.L->SetLinkPoints({});
    r = p.L->Route({20000, 5000}, {60000, 35000});
    EXPECT_EQ(r.Shape, TShape::Line);
}

TEST(ModelLink, ElbowsFollowANodeMovedSinceTheLastLayout)
{
    TPair p(1);
    p.Route();
    p.B->SetBase(1, 70000, 50000);
    p.B->SetBase(2, 90000, 60000);
    TKVRPto from, to;
    ASSERT_TRUE(p.L->ResolveAnchors(from, to));
    const TKVRLinkRoute r = p.L->Route(from, to);
    EXPECT_EQ(r.Points, (std::vector<TKVRLinkPt>{P(20000, 5000), P(70000, 5000), P(70000, 55000)}));
    EXPECT_EQ(p.L->GetLinkPoint(1), (TKVRPto{60000, 5000})) << "the route writes nothing";
}

TEST(ModelLink, UnknownLinkTypeHasNoRouteAndNoMarkers)
{
    TPair p(9);
    EXPECT_EQ(p.Route().Shape, TShape::None);
}

TEST(ModelLink, LinkPointsOutsideTheListReadAsTheEnds)
{
    TPair p(1);
    p.L->UpdateRoute();
    EXPECT_EQ(p.L->GetLinkPoint(0), p.L->FromPoint);
    EXPECT_EQ(p.L->GetLinkPoint(-3), p.L->FromPoint);
    EXPECT_EQ(p.L->GetLinkPoint(2), p.L->ToPoint);
    EXPECT_EQ(p.L->GetLinkPoint(1), (TKVRPto{60000, 5000}));
    EXPECT_THROW(p.L->SetLinkPoint(2, {1, 1}), std::out_of_range);
}

TEST(ModelLink, TheLayoutFollowsMovedNodesAndKeepsAnEndThatDoesNotResolve)
{
    TPair p(4);
    p.L->SetLinkPoints({{40000, -15000}});
    p.L->UpdateRoute();
    // B moves level with A: the layout alone (no painting) gives the new arc.
    p.B->SetBase(1, 60000, 0);
    p.B->SetBase(2, 80000, 10000);
    p.L->UpdateRoute();
    EXPECT_EQ(p.L->ToPoint, (TKVRPto{60000, 5000}));
    EXPECT_EQ(p.L->ArcCenterX, 40000);
    EXPECT_EQ(p.L->ArcCenterY, 5000);
    EXPECT_EQ(p.L->ArcRadius, 20000);

    // The To element goes away: its end keeps the last point, the From end follows A.
    p.L->SetToID(p.B->GetNumID() + 100);
    p.A->SetBase(1, -10000, 0);
    p.L->UpdateRoute();
    TKVRPto f, t;
    EXPECT_FALSE(p.L->ResolveAnchors(f, t));
    EXPECT_EQ(p.L->FromPoint, (TKVRPto{20000, 5000}));  // box (-10000..20000): right side unchanged
    EXPECT_EQ(p.L->ToPoint, (TKVRPto{60000, 5000}));
    p.A->SetBase(2, 30000, 10000);
    p.L->UpdateRoute();
    EXPECT_EQ(p.L->FromPoint, (TKVRPto{30000, 5000}));
    EXPECT_EQ(p.L->ToPoint, (TKVRPto{60000, 5000}));
}

TEST(ModelLink, ArrowBarbsComeFromTheDirectionPointOrTheAnchorSide)
{
    float x1, y1, x2, y2;
    TKVRBaseLink::Arrow({1000, 0}, {0, 0}, 4, 2, 4, 100, x1, y1, x2, y2);
    const double back = 1000 - 100 * std::cos(8 * kPi / 180), side = 100 * std::sin(8 * kPi / 180);
    EXPECT_NEAR(x1, back, 0.01);
    EXPECT_NEAR(x2, back, 0.01);
    EXPECT_NEAR(std::abs(y1), side, 0.01);
    EXPECT_NEAR(y1, -y2, 0.01);
    // No direction of its own: into the top anchor from above.
    TKVRBaseLink::Arrow({0, 0}, {0, 0}, 1, 0, 1, 100, x1, y1, x2, y2);
    EXPECT_NEAR(y1, -100 * std::cos(8 * kPi / 180), 0.01);
    EXPECT_NEAR(y2, y1, 0.01);
}

}  // namespace
