#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/KVR.Units.h"
#include "platform/rtl/TKVRPto.h"
#include <gtest/gtest.h>

TEST(Rounding, HalvesGoToEven)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
}

TEST(Units, MicrometresPerUnit)
{
    EXPECT_EQ(MicrometresPerUnit(TKVRUnits::Millimetre), 1000);
    EXPECT_EQ(MicrometresPerUnit(TKVRUnits::Inch), 25400);
    EXPECT_EQ(MicrometresPerUnit(TKVRUnits::Foot) * 3, MicrometresPerUnit(TKVRUnits::Yard));
    EXPECT_EQ(MicrometresPerUnit(TKVRUnits::Metre), 1000 * MicrometresPerUnit(TKVRUnits::Millimetre));
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
