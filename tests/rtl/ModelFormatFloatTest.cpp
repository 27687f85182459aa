#include "platform/rtl/KVR.FormatFloat.h"
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(ModelFormatFloat, WholeNumbersAndDecimals)
{
    EXPECT_EQ(FormatFloat("0", 12.6), "13");
    EXPECT_EQ(FormatFloat("0", 12.4), "12");
    EXPECT_EQ(FormatFloat("0", 0.0), "0");
    EXPECT_EQ(FormatFloat("0", -7.2), "-7");
    EXPECT_EQ(FormatFloat("0.0", 12.6), "12.6");
    EXPECT_EQ(FormatFloat("0.0", 3.0), "3.0");
    EXPECT_EQ(FormatFloat("0.0", -0.04), "0.0");  // no negative zero
    EXPECT_EQ(FormatFloat("000", 7.0), "007");
    EXPECT_EQ(FormatFloat("0.##", 5.0), "5");
    EXPECT_EQ(FormatFloat("0.##", 5.1), "5.1");
    EXPECT_EQ(FormatFloat("#.##", 0.25), ".25");
    EXPECT_EQ(FormatFloat("0.00", 0.05), "0.05");
}

TEST(ModelFormatFloat, HalvesGoToEvenOnTheDecimalValue)
{
    EXPECT_EQ(FormatFloat("0", 0.5), "0");
    EXPECT_EQ(FormatFloat("0", 1.5), "2");
    EXPECT_EQ(FormatFloat("0", 2.5), "2");
    EXPECT_EQ(FormatFloat("0.00", 2.675), "2.68");  // 2.675 as written, not 2.67499...
    EXPECT_EQ(FormatFloat("0.00", 2.665), "2.66");
    EXPECT_EQ(FormatFloat("0.0", 9.96), "10.0");     // carry into a new digit
}

TEST(ModelFormatFloat, ThousandsGrouping)
{
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1,234,567.89");
    EXPECT_EQ(FormatFloat("#,##0.00", -1234.5), "-1,234.50");
    EXPECT_EQ(FormatFloat("#,##0.00", 999.999), "1,000.00");
    EXPECT_EQ(FormatFloat("#,##0.00", 0.0), "0.00");
    EXPECT_EQ(FormatFloat("#,##0", 123.0), "123");
    EXPECT_EQ(FormatFloat("#,##0", 1e12), "1,000,000,000,000");
}

TEST(ModelFormatFloat, SectionsForPositiveNegativeAndZero)
{
    const QString f = "0.0;-0.0;zero";
    EXPECT_EQ(FormatFloat(f, 1.25), "1.2");
    EXPECT_EQ(FormatFloat(f, -1.25), "-1.2");
    EXPECT_EQ(FormatFloat(f, 0.0), "zero");
    EXPECT_EQ(FormatFloat(f, 0.01), "zero");  // rounds to zero
    EXPECT_EQ(FormatFloat(f, -0.01), "zero");
    // The negative section carries its own sign.
    EXPECT_EQ(FormatFloat("0.00;(0.00)", -3.5), "(3.50)");
    // An empty negative section falls back to the first, with a minus sign.
    EXPECT_EQ(FormatFloat("0.0;;nil", -2.0), "-2.0");
    EXPECT_EQ(FormatFloat("0.0;;nil", 0.0), "nil");
}

TEST(ModelFormatFloat, LiteralsAndExponent)
{
    EXPECT_EQ(FormatFloat("0.0 'mm'", 12.0), "12.0 mm");
    EXPECT_EQ(FormatFloat("\"L=\"0", 40.0), "L=40");
    EXPECT_EQ(FormatFloat("'#'0", 5.0), "#5");
    EXPECT_EQ(FormatFloat("00-00", 1234.0), "12-34");
    EXPECT_EQ(FormatFloat("0.00E+00", 12345.0), "1.23E+04");
    EXPECT_EQ(FormatFloat("0.00E-00", 0.000123), "1.23E-04");
    EXPECT_EQ(FormatFloat("0.0E+0", 1.0), "1.0E+0");
    EXPECT_EQ(FormatFloat("0.0;x;'quoted;semicolon'", 0.0), "quoted;semicolon");
}

TEST(ModelFormatFloat, GeneralFormAndSpecialValues)
{
    EXPECT_EQ(FormatFloat("", 12.5), "12.5");
    EXPECT_EQ(FormatFloat("", 0.1 + 0.2), "0.3");  // 15 significant digits
    EXPECT_EQ(FormatFloat("", 1.5e20), "1.5E20");
    EXPECT_EQ(FormatFloat("0", std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormatFloat("0", -std::numeric_limits<double>::infinity()), "-INF");
}

}  // namespace
