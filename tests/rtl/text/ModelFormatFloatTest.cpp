#include "platform/rtl/text/KVR.FormatFloat.h"
#include <gtest/gtest.h>
#include <limits>

TEST(ModelFormatFloat, FormatsAsTheTableSays)
{
    const struct
    {
        const char* format;
        double value;
        const char* text;
    } cases[] = {
        {"0", 12.6, "13"},
        {"0", -7.2, "-7"},
        {"0.0", 3.0, "3.0"},
        {"0.0", -0.04, "0.0"},  // no negative zero
        {"000", 7.0, "007"},
        {"0.##", 5.0, "5"},
        {"#.##", 0.25, ".25"},
        // halves go away from zero on the decimal value as written
        {"0", 0.5, "1"},
        {"0", 1.5, "2"},
        {"0", 12.5, "13"},
        {"0", 7.5, "8"},
        {"0", -2.5, "-3"},
        {"0.00", 2.125, "2.13"},
        {"0.00", 2.675, "2.68"},
        {"0.00", 2.665, "2.67"},
        {"0.00", 2.6649, "2.66"},
        {"0.0", 9.96, "10.0"},
        {"#,##0.00", 1234567.891, "1,234,567.89"},
        {"#,##0.00", -1234.5, "-1,234.50"},
        {"#,##0.00", 999.999, "1,000.00"},
        {"#,##0", 1e12, "1,000,000,000,000"},
        {"0.0;-0.0;zero", 1.25, "1.3"},
        {"0.0;-0.0;zero", -1.25, "-1.3"},
        {"0.0;-0.0;zero", -0.01, "zero"},  // rounds to zero
        {"0.00;(0.00)", -3.5, "(3.50)"},
        {"0.0;;nil", -2.0, "-2.0"},  // empty negative section: the first, with a minus
        {"0.0;;nil", 0.0, "nil"},
        {"0.0 'mm'", 12.0, "12.0 mm"},
        {"\"L=\"0", 40.0, "L=40"},
        {"'#'0", 5.0, "#5"},
        {"00-00", 1234.0, "12-34"},
        {"0.00E+00", 12345.0, "1.23E+04"},
        {"0.00E-00", 0.000123, "1.23E-04"},
        {"0.0;x;'quoted;semicolon'", 0.0, "quoted;semicolon"},
        {"", 0.1 + 0.2, "0.3"},  // 15 significant digits
        {"", 1.5e20, "1.5E20"},
        {"0", std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {"0", -std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format << " " << c.value;
}
