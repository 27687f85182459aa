// Circles, sectors and arcs from points, the arc by its centre, and the
// eight points of every dimension the factory makes.
#include "tests/document/FactoryTestSupport.h"
#include "elements/TKVRArc.h"
#include "elements/TKVRCircle.h"
#include "elements/TKVRDim.h"
#include "elements/TKVRLink.h"
#include "elements/TKVRSector.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include <climits>
#include <cmath>
#include <numbers>

using namespace FactoryTest;
using KVRFactoryGeometry::TCircle;
using P = std::vector<TKVRPto>;

namespace {

constexpr double kPi = std::numbers::pi;

struct TCircleRow
{
    const char* name;
    int64_t x1, y1, x2, y2, x3, y3;
    TCircle expected;
};

void PrintTo(const TCircleRow& r, std::ostream* os)
{
    *os << r.name;
}

class FactoryCircle3 : public ::testing::TestWithParam<TCircleRow>
{
};

TEST_P(FactoryCircle3, CircleSectorAndCircleBoxAgree)
{
    const TCircleRow& r = GetParam();
    const TCircle c = KVRFactoryGeometry::CircleOf3(r.x1, r.y1, r.x2, r.y2, r.x3, r.y3);
    EXPECT_EQ(c.CX, r.expected.CX);
    EXPECT_EQ(c.CY, r.expected.CY);
    EXPECT_EQ(c.R, r.expected.R);

    // The creators still return their element, with the circle's box.
    TKVRSharedFMX doc;
    const P box{{c.CX - c.R, c.CY - c.R}, {c.CX + c.R, c.CY + c.R}};
    TKVRCircle* circle = TKVRFactory::AddBaseCircle3P(&doc, r.x1, r.y1, r.x2, r.y2, r.x3, r.y3);
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->GetPoints(), box);
    TKVRSector* sector = TKVRFactory::AddBaseSector3P(&doc, r.x1, r.y1, r.x2, r.y2, r.x3, r.y3, 30.0f, 45.0f);
    ASSERT_NE(sector, nullptr);
    EXPECT_EQ(sector->GetPoints(), box);
    EXPECT_EQ(sector->AngleStart(), 30.0f);
    EXPECT_EQ(sector->AngleGap(), 45.0f);
    EXPECT_NE(TKVRFactory::AddBaseArc(&doc, r.x1, r.y1, r.x2, r.y2, r.x3, r.y3), nullptr);
    EXPECT_EQ(doc.GetItemsCount(), 3);
}

constexpr int64_t kFar = int64_t(1) << 52;

INSTANTIATE_TEST_SUITE_P(
    All, FactoryCircle3,
    ::testing::Values(TCircleRow{"Through", -5000, 0, 0, -5000, 5000, 0, {0, 0, 5000}},
                      TCircleRow{"RightAngle", 0, 0, 6000, 0, 0, 8000, {3000, 4000, 5000}},
                      // On one line: the two outer points are the diameter, in any order.
                      TCircleRow{"Collinear", 0, 0, 5000, 0, 10000, 0, {5000, 0, 5000}},
                      TCircleRow{"CollinearMiddleLast", 0, 0, 10000, 0, 4000, 0, {5000, 0, 5000}},
                      TCircleRow{"CollinearMiddleFirst", 4000, 4000, 0, 0, 10000, 10000, {5000, 5000, 7071}},
                      TCircleRow{"TwoMeet", 0, 0, 0, 0, 6000, 8000, {3000, 4000, 5000}},
                      TCircleRow{"AllMeet", 7, -7, 7, -7, 7, -7, {7, -7, 0}},
                      // So nearly on a line that the centre lies beyond any drawing.
                      TCircleRow{"NearlyCollinearFar", -kFar, 0, 0, 1, kFar, 0, {0, 0, kFar}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FactoryCircles, TwoPoints)
{
    TKVRSharedFMX doc;
    EXPECT_EQ(TKVRFactory::AddBaseCircle2P(&doc, 0, 0, 10000, 0)->GetPoints(), (P{{0, -5000}, {10000, 5000}}));
    EXPECT_EQ(TKVRFactory::AddBaseSector2P(&doc, 0, 0, 0, 8000, 0.0f, 90.0f)->GetPoints(),
              (P{{-4000, 0}, {4000, 8000}}));
    // One point twice: a circle of no size on it.
    EXPECT_EQ(TKVRFactory::AddBaseCircle2P(&doc, 300, 400, 300, 400)->GetPoints(), (P{{300, 400}, {300, 400}}));
}

// The arc by its centre holds radians, with the clockwise sweep between start and end.
TEST(FactoryArcs, ByCentreInRadiansWithSweep)
{
    TKVRSharedFMX doc;
    TKVRArc* a = TKVRFactory::AddBaseArc(&doc, 10000, 20000, 5000, 30.0f, 120.0f);
    EXPECT_NEAR(a->GetStartAngle(), kPi / 6, 1e-6);
    EXPECT_NEAR(a->GetEndAngle(), 2 * kPi / 3, 1e-6);
    EXPECT_NEAR(a->GetSweepAngle(), kPi / 2, 1e-6);
    EXPECT_EQ(a->GetBaseCenterX(), 10000);
    EXPECT_EQ(a->GetBaseRadio(), 5000);
    EXPECT_EQ(a->GetPoint(1), (TKVRPto{10000 + 4330, 20000 + 2500}));
    EXPECT_EQ(a->GetPoint(3), (TKVRPto{10000 - 2500, 20000 + 4330}));
    // Past a full turn: 300 to 60 degrees runs 120 degrees through 0.
    TKVRArc* b = TKVRFactory::AddBaseArc(&doc, 0, 0, 1000, 300.0f, 60.0f);
    EXPECT_NEAR(b->GetSweepAngle(), 2 * kPi / 3, 1e-6);
    EXPECT_EQ(b->GetPoint(2), (TKVRPto{1000, 0}));
}

TEST(FactoryArcs, ThreePointsOnALineGiveTheHalfCircleOverThem)
{
    TKVRSharedFMX doc;
    TKVRArc* a = TKVRFactory::AddBaseArc(&doc, 0, 0, 4000, 0, 10000, 0);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetBaseCenterX(), 5000);
    EXPECT_EQ(a->GetBaseCenterY(), 0);
    EXPECT_EQ(a->GetBaseRadio(), 5000);
    EXPECT_NEAR(a->GetSweepAngle(), kPi, 1e-9);
    EXPECT_EQ(a->GetPoint(1), (TKVRPto{0, 0}));
    EXPECT_EQ(a->GetPoint(3), (TKVRPto{10000, 0}));
    EXPECT_EQ(a->GetPoint(2), (TKVRPto{5000, -5000}));
    // Every point the same: a circle of no size.
    TKVRArc* b = TKVRFactory::AddBaseArc(&doc, 9, 9, 9, 9, 9, 9);
    EXPECT_EQ(b->GetBaseRadio(), 0);
    EXPECT_EQ(b->GetPoint(2), (TKVRPto{9, 9}));
}

// ---------------------------------------------------------------- dimensions

P EightOf(const TKVRBaseItem* e)
{
    return P(e->GetPoints().begin(), e->GetPoints().begin() + 8);
}

TEST(FactoryDims, LinearTakesTheDocumentsLayout)
{
    TKVRSharedFMX doc;
    TKVRDim* d = TKVRFactory::AddBaseDim(&doc, 0, 0, 30000, 0, 10000, -10000);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetDimType(), KVRDimType::Horizontal);
    // Extension gap 1 mm and overshoot 2 mm of the standard style.
    EXPECT_EQ(EightOf(d), (P{{0, 0},
                             {30000, 0},
                             {0, -1000},
                             {30000, -1000},
                             {0, -10000},
                             {30000, -10000},
                             {0, -12000},
                             {30000, -12000}}));
    TKVRDim* v = TKVRFactory::AddBaseDim(&doc, 0, 0, 0, 20000, 5000, 10000);
    EXPECT_EQ(v->GetDimType(), KVRDimType::Vertical);
    EXPECT_EQ(v->GetPoint(5), (TKVRPto{5000, 0}));
    EXPECT_EQ(v->GetPoint(6), (TKVRPto{5000, 20000}));
}

struct TAngleRow
{
    const char* name;
    int64_t x1, y1, x2, y2, x3, y3, x4, y4, px, py;
    P expected;  // points 5 to 8
};

void PrintTo(const TAngleRow& r, std::ostream* os)
{
    *os << r.name;
}

class FactoryDimAngle : public ::testing::TestWithParam<TAngleRow>
{
};

TEST_P(FactoryDimAngle, EightPointsOnThePickedSide)
{
    const TAngleRow& r = GetParam();
    TKVRSharedFMX doc;
    SetUpLayers(doc);
    TKVRDim* d = TKVRFactory::AddBaseDimAngle(&doc, r.x1, r.y1, r.x2, r.y2, r.x3, r.y3, r.x4, r.y4, r.px, r.py);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetDimType(), KVRDimType::Angular);
    EXPECT_EQ(d->GetColor(), LayerColor);
    EXPECT_EQ(d->GetBasePenWidth(), LayerPen);
    P expected{{r.x1, r.y1}, {r.x2, r.y2}, {r.x3, r.y3}, {r.x4, r.y4}};
    expected.insert(expected.end(), r.expected.begin(), r.expected.end());
    EXPECT_EQ(EightOf(d), expected);

    // The element's own layout keeps the arc on the side that was picked:
    // its middle lies in the same quadrant about the crossing as the pick.
    d->CalcValues(0);
    const TKVRPto mid = d->GetPoint(7), centre = d->GetPoint(8);
    const double side = double(r.px - centre.X) * double(mid.X - centre.X) +
                        double(r.py - centre.Y) * double(mid.Y - centre.Y);
    EXPECT_GT(side, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    All, FactoryDimAngle,
    ::testing::Values(
        // Right and down: the quarter between them.
        TAngleRow{"BelowRight", 0, 0, 10000, 0, 0, 0, 0, 10000, 3000, 4000,
                  {{5000, 0}, {0, 5000}, {3000, 4000}, {3000, 4000}}},
        // The same lines picked on the far side: both flip.
        TAngleRow{"AboveLeft", 0, 0, 10000, 0, 0, 0, 0, 10000, -3000, -4000,
                  {{-5000, 0}, {0, -5000}, {-3000, -4000}, {-3000, -4000}}},
        // One line flips, the other not.
        TAngleRow{"BelowLeft", 0, 0, 10000, 0, 0, 0, 0, 10000, -3000, 4000,
                  {{0, 5000}, {-5000, 0}, {-3000, 4000}, {-3000, 4000}}},
        // A line drawn upwards has a negative direction angle of its own: it
        // must be compared in the same range as the others.
        TAngleRow{"UpwardsLine", 0, 0, 0, -10000, 0, 0, 10000, 0, 3000, -4000,
                  {{0, -5000}, {5000, 0}, {3000, -4000}, {3000, -4000}}},
        TAngleRow{"UpwardsLineOtherSide", 0, 0, 0, -10000, 0, 0, 10000, 0, -3000, 4000,
                  {{0, 5000}, {-5000, 0}, {-3000, 4000}, {-3000, 4000}}},
        // Lines that cross away from their points, at (10000, 10000).
        TAngleRow{"CrossingElsewhere", 0, 10000, 5000, 10000, 10000, 0, 10000, 5000, 13000, 14000,
                  {{15000, 10000}, {10000, 15000}, {13000, 14000}, {13000, 14000}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FactoryDims, AngleWithoutCrossingOrOnIt)
{
    TKVRSharedFMX doc;
    EXPECT_EQ(TKVRFactory::AddBaseDimAngle(&doc, 0, 0, 10000, 0, 0, 5000, 10000, 5000, 3000, 3000), nullptr);
    EXPECT_EQ(TKVRFactory::AddBaseDimAngle(&doc, 0, 0, 10000, 0, 0, 0, 0, 0, 3000, 3000), nullptr);
    EXPECT_EQ(doc.GetItemsCount(), 0);
    // A pick on the crossing: a radius of one micrometre.
    TKVRDim* d = TKVRFactory::AddBaseDimAngle(&doc, 0, 0, 10000, 0, 0, 0, 0, 10000, 0, 0);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetPoint(5), (TKVRPto{1, 0}));
    EXPECT_EQ(d->GetPoint(6), (TKVRPto{0, 1}));
}

struct TRadialRow
{
    const char* name;
    TKVRDim* (*make)(TKVRBaseLabel*, int64_t, int64_t, int64_t, float);
    TVXDimType type;
    float angle;
    P expected;
};

void PrintTo(const TRadialRow& r, std::ostream* os)
{
    *os << r.name;
}

class FactoryDimRadial : public ::testing::TestWithParam<TRadialRow>
{
};

TEST_P(FactoryDimRadial, EightPointsStayThroughTheLayout)
{
    const TRadialRow& r = GetParam();
    TKVRSharedFMX doc;
    TKVRDim* d = r.make(&doc, 0, 0, 10000, r.angle);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetDimType(), r.type);
    EXPECT_EQ(EightOf(d), r.expected);
    d->CalcValues(0);
    EXPECT_EQ(EightOf(d), r.expected);
}

const float kPiF = float(kPi);

// Leaders of the standard style: 10 mm, then a shelf of 10 mm towards the outside.
INSTANTIATE_TEST_SUITE_P(
    All, FactoryDimRadial,
    ::testing::Values(
        TRadialRow{"Radial1", TKVRFactory::AddBaseDimRadial1, KVRDimType::Radial1, 0.0f,
                   {{0, 0}, {10000, 0}, {10000, 0}, {10000, 0}, {0, 0}, {10000, 0}, {10000, 0}, {10000, 0}}},
        TRadialRow{"Radial2Right", TKVRFactory::AddBaseDimRadial2, KVRDimType::Radial2, 0.0f,
                   {{0, 0}, {10000, 0}, {20000, 0}, {30000, 0}, {20000, 0}, {30000, 0}, {10000, 0}, {10000, 0}}},
        TRadialRow{"Radial2Left", TKVRFactory::AddBaseDimRadial2, KVRDimType::Radial2, kPiF,
                   {{0, 0}, {-10000, 0}, {-20000, 0}, {-30000, 0}, {-20000, 0}, {-30000, 0}, {-10000, 0}, {-10000, 0}}},
        TRadialRow{"Diameter1", TKVRFactory::AddBaseDimDiameter1, KVRDimType::Diameter1, 0.0f,
                   {{-10000, 0}, {10000, 0}, {10000, 0}, {10000, 0}, {-10000, 0}, {10000, 0}, {10000, 0}, {10000, 0}}},
        TRadialRow{"Diameter2Down", TKVRFactory::AddBaseDimDiameter2, KVRDimType::Diameter2, kPiF / 2,
                   {{0, -10000},
                    {0, 10000},
                    {0, 20000},
                    {10000, 20000},
                    {0, 20000},
                    {10000, 20000},
                    {0, 10000},
                    {0, 10000}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FactoryDims, NewDimensionsTakeTheActiveStyle)
{
    TKVRSharedFMX doc;
    doc.AddDimStyle()->SetLeaderLength(4000);
    doc.SetActiveDimStyle(1);
    TKVRDim* d = TKVRFactory::AddBaseDimRadial2(&doc, 0, 0, 10000, 0.0f);
    EXPECT_EQ(d->GetDimStyleIndex(), 1);
    EXPECT_EQ(d->GetPoint(3), (TKVRPto{14000, 0}));
}

// ---------------------------------------------------------------- links

TEST(FactoryPolyLink, KeepsSixtyFourBitCoordinates)
{
    TKVRSharedFMX doc;
    const int64_t far = int64_t(5) << 32;  // beyond 32 bits, about 21 km
    const int64_t pts[] = {far, -far, -far - 7, far + 3};
    TKVRLink* l = TKVRFactory::AddBasePolyLink(&doc, 0, 0, 1, 2, 6, pts);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->GetNumLinkPoints(), 2);
    EXPECT_EQ(l->GetLinkPoint(1), (TKVRPto{far, -far}));
    EXPECT_EQ(l->GetLinkPoint(2), (TKVRPto{-far - 7, far + 3}));
}

}  // namespace

namespace {

// Coordinates no file could hold are refused before they become an element,
// and corners summed past 64 bits never wrap.
TEST(FactoryRange, CoordinatesBeyondTheDrawingAreRefused)
{
    TKVRSharedFMX doc;
    const int64_t beyond = KVRMaxCoordinate + 1;
    const int64_t huge = INT64_MAX - 5;
    EXPECT_THROW(TKVRFactory::AddBaseLine(&doc, 0, 0, beyond, 0), EKVRDataError);
    EXPECT_THROW(TKVRFactory::AddBaseRectangle(&doc, huge, 0, 100, 100), EKVRDataError);
    EXPECT_THROW(TKVRFactory::AddBaseRectangle(&doc, KVRMaxCoordinate, 0, 100, 100), EKVRDataError);
    EXPECT_THROW(TKVRFactory::AddBaseCircle(&doc, 0, 0, huge), EKVRDataError);
    EXPECT_THROW(TKVRFactory::AddBaseEllipse(&doc, -huge, 0, 10, huge), EKVRDataError);
    EXPECT_THROW(TKVRFactory::AddBaseArc(&doc, 0, 0, beyond, 0.0f, 90.0f), EKVRDataError);
    EXPECT_THROW(TKVRFactory::AddBaseArc(&doc, 0, 0, huge, 1, -huge, 0), EKVRDataError);
    EXPECT_THROW(TKVRFactory::AddBaseCircle3P(&doc, 0, 0, huge, 1, -huge, 0), EKVRDataError);
    EXPECT_THROW(TKVRFactory::AddBaseDimRadial1(&doc, 0, 0, beyond, 0.0f), EKVRDataError);
    EXPECT_THROW(TKVRFactory::AddBaseDimAngle(&doc, 0, 0, huge, 0, 0, 0, 0, huge, 1, 1), EKVRDataError);
    const int64_t chain[] = {0, 0, beyond, 0};
    EXPECT_THROW(TKVRFactory::AddBasePolyLine(&doc, chain), EKVRDataError);
    EXPECT_THROW(TKVRFactory::AddBasePolyLink(&doc, 0, 0, 0, 0, 6, chain), EKVRDataError);
    doc.SetUnits(TKVRUnits::Metre);
    EXPECT_THROW(TKVRFactory::AddLine(&doc, 0, 0, 1e30f, 0), EKVRDataError);
    const float far[] = {0, 0, 1e20f, 1};
    EXPECT_THROW(TKVRFactory::AddPolyLine(&doc, far), EKVRDataError);
    EXPECT_EQ(doc.GetItemsCount(), 0);
    // The edge itself is a coordinate like any other.
    EXPECT_NE(TKVRFactory::AddBaseLine(&doc, -KVRMaxCoordinate, 0, KVRMaxCoordinate, 0), nullptr);
}

}  // namespace
