#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/geometry/TKVRPto.h"
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

TEST(Rounding, HalvesGoToEvenAndOddValuesStayInRange)
{
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(RoundHalfEven32(-2147483648.4), INT32_MIN);
    EXPECT_EQ(RoundHalfEven32(2147483647.4), INT32_MAX);
    // No number is 0; beyond the type is its end, never a wrapped-around value.
    EXPECT_EQ(RoundHalfEven32(std::nan("")), 0);
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(RoundHalfEven32(1e12), INT32_MAX);
    EXPECT_EQ(RoundHalfEven32(-std::numeric_limits<double>::infinity()), INT32_MIN);
    EXPECT_EQ(RoundHalfEven(1e30), INT64_MAX);
}

TEST(BaseDraw, DrawingScaleShrinksPositionsButNotPenWidths)
{
    TKVRBaseDraw d;
    d.SetResolution(300, 600, 100);
    // 1 m at 1:100 is 1 cm on paper: 300 dpi -> 118.11 px.
    EXPECT_NEAR(d.GetDrawX(1000000), 10000.0 * 300 / 25400, 1e-3);
    EXPECT_NEAR(d.GetDrawY(1000000), 10000.0 * 600 / 25400, 1e-3);
    // A 2.54 mm pen is a tenth of an inch whatever the scale.
    EXPECT_NEAR(d.BasePtoX(2.54f), 30.0f, 1e-4);
    EXPECT_NEAR(d.BasePtoY(2.54f), 60.0f, 1e-4);
    EXPECT_EQ(d.PrintBasePtoX(2.54f), 30);
    TKVRPto p{-1000000, 254000};
    EXPECT_EQ(p.PrintX(&d), -118);
    EXPECT_NEAR(p.DrawGapX(&d, 500000), -59.055f, 1e-2);
}

TEST(BaseDraw, PointsAndLengthsRoundAlikeOnPaper)
{
    // At 203 dpi these lie within a float's step of a half: rounded from the
    // exact product, a point lands where a length of the same micrometres ends.
    TKVRBaseDraw d;
    d.SetResolution(203, 203);
    const TKVRPto p{147833, 156967};  // 1181.49996 and 1254.50004 dots
    EXPECT_EQ(p.PrintX(&d), 1181);
    EXPECT_EQ(p.PrintY(&d), 1255);
    EXPECT_EQ(p.PrintX(&d), PrintFromBaseX(p.X, &d));
    EXPECT_EQ(p.PrintY(&d), PrintFromBaseY(p.Y, &d));
}
