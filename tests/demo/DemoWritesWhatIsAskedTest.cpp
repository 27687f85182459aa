// Without a display, the demo host writes the files it is asked for and
// nothing beside them.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DemoCommandLine, ExportWithoutADisplayWritesOnlyTheExport)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess demo;
    demo.setWorkingDirectory(dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    demo.setProcessEnvironment(env);
    demo.start(KVR_DEMO_PATH, {"--export", "page.png"});
    ASSERT_TRUE(demo.waitForFinished(180000));
    ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"page.png"});
}
