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

