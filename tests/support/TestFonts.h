#pragma once
// Fonts made for the tests at run time.
#include <QString>

namespace TestFonts {

// Family of a copy of Liberation Sans whose OS/2 ascent and descent (both the
// win and the typo pair) lie far outside its hhea ones, made once per process
// with fontTools (tests/data/make_tall_metrics_font.py) and registered with
// the application. Empty, with a test failure, when it cannot be made.
// dataDir is the folder of the script.
QString TallMetricsFamilyFrom(const QString& dataDir);
#ifdef KVR_TEST_DATA_DIR
inline QString TallMetricsFamily()
{
    return TallMetricsFamilyFrom(QStringLiteral(KVR_TEST_DATA_DIR));
}
#endif

}  // namespace TestFonts
