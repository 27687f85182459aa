#include "tests/support/TestFonts.h"
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {
QString MakeTallMetricsFont(const QString& dataDir)
{
    static const QString family = QStringLiteral("Tall Metrics Sans");
    static std::unique_ptr<QTemporaryDir> dir;  // the font file lives as long as the process
    dir = std::make_unique<QTemporaryDir>();
    if (!dir->isValid()) {
        ADD_FAILURE() << "no temporary folder for the test font";
        return {};
    }
    const QString script = QDir(dataDir).filePath("make_tall_metrics_font.py");
    const QString out = dir->filePath("TallMetricsSans.ttf");
    // Debian's interpreter, which has python3-fonttools, before any other on the path.
    const QString python = QFile::exists("/usr/bin/python3") ? QStringLiteral("/usr/bin/python3")
                                                              : QStringLiteral("python3");
    QProcess p;
    p.start(python, {script, out, family});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << "making the test font failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    const int id = QFontDatabase::addApplicationFont(out);
    if (id < 0 || !QFontDatabase::applicationFontFamilies(id).contains(family)) {
        ADD_FAILURE() << "the test font did not register";
        return {};
    }
    return family;
}
}  // namespace

QString TestFonts::TallMetricsFamilyFrom(const QString& dataDir)
{
    static const QString family = MakeTallMetricsFont(dataDir);
    return family;
}
