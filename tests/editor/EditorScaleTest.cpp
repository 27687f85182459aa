// On a screen of device pixel ratio 2 the editor keeps its 96-dpi geometry in
// device-independent pixels and grab() gives twice as many device pixels.
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

TEST(EditorScale, AtScaleFactorTwo)
{
    if (qEnvironmentVariable("QT_SCALE_FACTOR") != "2")
        GTEST_SKIP() << "run by EditorScale.RunAtScaleFactorTwo";
    TVXLabelFMX doc;
    doc.GetMeasure().SetWidth(50000);
    doc.GetMeasure().SetHeight(30000);
    TKVREditor editor;
    editor.SetEditorOptions(TKVREditorOptions(0));
    editor.GetRulers()->SetVisible({});
    editor.resize(322, 222);
    editor.show();
    editor.SetLabel(&doc);
    const QImage img = editor.GetSurface()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_DOUBLE_EQ(img.devicePixelRatio(), 2.0);
    EXPECT_EQ(img.size(), QSize(600, 400));
    EXPECT_EQ(editor.GetSurface()->ScreenMMX(50000), 15 + 189);  // 96 dpi, whatever the screen
    // The label's corner at (15, 15) device-independent pixels: (30, 30) on the device.
    EXPECT_EQ(img.pixel(28, 28), 0xFFC0C0C0u);
    EXPECT_EQ(img.pixel(32, 32), 0xFFFFFFFFu);
    EXPECT_EQ(img.pixel(2 * 203, 2 * 50), 0xFFFFFFFFu);
    EXPECT_EQ(img.pixel(2 * 205, 2 * 50), 0xFFC0C0C0u);
}

TEST(EditorScale, RunAtScaleFactorTwo)
{
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == "2")
        GTEST_SKIP();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_SCALE_FACTOR", "2");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=EditorScale.AtScaleFactorTwo"});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
    EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
}
