// Dashed outlines of a pen metres wide (a damaged file) print a bounded
// path: at most two points per dash, and no more dashes than the outline's
// length holds, so printing stays as quick as the screen.
#include "elements/TKVRArc.h"
#include "elements/TKVREllipse.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRSector.h"
#include "platform/rtl/geometry/KVR.DashPath.h"
#include "tests/elements/ShapeTestSupport.h"
#include "tests/support/ImageProbes.h"
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>

using namespace shape;

namespace {

struct TThickCase
{
    const char* Name;
    std::function<TKVRBaseItem*(TKVRBaseLabel&)> Make;
    double OutlineMm;  // the outline's length
};

template <class T>
T* Thick(T* e)
{
    e->SetColor(kBlack);
    e->SetPenWidth(3000.0f);  // three metres
    e->SetLineType(7);        // 3 mm dashes and gaps
    return e;
}

// Ramanujan's perimeter of an ellipse.
double EllipseMm(double a, double b)
{
    return std::numbers::pi * (3 * (a + b) - std::sqrt((3 * a + b) * (a + 3 * b)));
}

const std::vector<TThickCase>& Cases()
{
    static const std::vector<TThickCase> cases = {
        {"ellipse",
         [](TKVRBaseLabel& l) -> TKVRBaseItem* {
             auto* e = Thick(new TKVREllipse(&l, false));
             e->SetEllipse(25000, 16000, 200000, 100000);
             return e;
         },
         EllipseMm(200, 100)},
        {"arc",
         [](TKVRBaseLabel& l) -> TKVRBaseItem* {
             auto* e = Thick(new TKVRArc(&l, false));
             e->SetCircle(25000, 16000, 150000);
             e->SetAngles(0.0, 0.75 * std::numbers::pi);
             return e;
         },
         -1.0},  // its sweep is read from the element
        {"sector",
         [](TKVRBaseLabel& l) -> TKVRBaseItem* {
             auto* e = Thick(new TKVRSector(&l, false));
             e->SetSector(25000, 16000, 150000, 30.0f, 200.0f);
             return e;
         },
         150.0 * 2 + 150.0 * 200.0 / 180.0 * std::numbers::pi},
    };
    return cases;
}

void ExpectTwoPointsPerDash(const TThickCase& c)
{
    TKVRBaseLabel label;
    TKVRBaseItem* e = c.Make(label);
    double outline = c.OutlineMm;
    if (outline < 0) {
        auto* arc = dynamic_cast<TKVRArc*>(e);
        ASSERT_NE(arc, nullptr);
        outline = 150.0 * std::fabs(double(arc->GetSweepAngle()));
    }
    PaperSurface p(kWidth, kHeight, kDpi);
    e->PrintElement(&p.draw);
    const TKVRDashedPath& cut = p.canvas->LastDashes();
    ASSERT_TRUE(cut.Dashed) << c.Name;
    // Dashes of 3 mm every 6 mm, one more for each contour's start.
    EXPECT_NEAR(double(cut.Dashes), outline / 6.0, 3.0) << c.Name;
    // Each dash is its chord: a move and a line, nothing else to join.
    EXPECT_EQ(cut.Path.elementCount(), 2 * int(cut.Dashes)) << c.Name;
    const QImage& img = p.Finish();
    ImageProbes::SaveForLooking(img, QStringLiteral("thick-dash-%1.png").arg(QString::fromLatin1(c.Name)));
    EXPECT_GT(InkCount(img), 0) << c.Name;
}

}  // namespace

TEST(ThickDashes, PrintAtMostTwoPointsPerDash)
{
    for (const TThickCase& c : Cases()) {
        SCOPED_TRACE(c.Name);
        ExpectTwoPointsPerDash(c);
    }
}

TEST(ThickDashes, ThinPensKeepTheirCurves)
{
    // The same ellipse with a pen thinner than its dashes: dashes follow the curve.
    TKVRBaseLabel label;
    auto* e = new TKVREllipse(&label, false);
    e->SetEllipse(25000, 16000, 20000, 10000);
    e->SetPenWidth(0.3f);
    e->SetLineType(7);
    PaperSurface p(kWidth, kHeight, kDpi);
    e->PrintElement(&p.draw);
    const TKVRDashedPath& cut = p.canvas->LastDashes();
    ASSERT_TRUE(cut.Dashed);
    EXPECT_GT(cut.Path.elementCount(), 4 * int(cut.Dashes));
}

TEST(ThickDashes, AnOutlineReachingFarOffThePagePrintsDashedWhereItShows)
{
    // 123 km of dashes would be 20 million: cut whole, the outline would
    // print solid (or take seconds); only the page's share is cut.
    TKVRBaseLabel label;
    auto* e = new TKVRLine(&label, false);
    e->SetBase(1, 10000, 10000);
    e->SetBase(2, 123000000, 10000);
    e->SetColor(kBlack);
    e->SetPenWidth(0.3f);
    e->SetLineType(7);
    PaperSurface p(kWidth, kHeight, kDpi);
    e->PrintElement(&p.draw);
    const TKVRDashedPath& cut = p.canvas->LastDashes();
    EXPECT_TRUE(cut.Dashed);
    EXPECT_GT(cut.Dashes, 2u);
    EXPECT_LT(cut.Dashes, 1000u);
}
