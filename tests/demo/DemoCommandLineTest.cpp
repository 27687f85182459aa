// The demo host driven from the command line, as a script would: what it
// saves and exports is the label it was asked to open.
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRText.h"
#include "platform/rtl/label/TKVRLayer.h"
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DemoCommandLine, SavesAndExportsTheOpenedLabel)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A small label of one text, exported in full.
    {
        TVXLabelFMX label;
        label.GetMeasure().SetWidth(60000);
        label.GetMeasure().SetHeight(30000);
        label.GetMeasure().SetPaperWidth(60000);
        label.GetMeasure().SetPaperHeight(30000);
        label.GetActiveLayer()->SetState(0x000B);
        TKVRText* text = TKVRFactory::AddText(&label, 5, 5);
        text->SetText("Opened label");
        text->SetState(0x000B);
        ASSERT_TRUE(label.SaveToFile(dir.filePath("opened.eti"), KVRExt::Binary));
    }
    QProcess demo;
    demo.setWorkingDirectory(dir.path());
    demo.start(KVR_DEMO_PATH, {"--open", dir.filePath("opened.eti"), "--export", dir.filePath("out.png"), "--save-as",
                               dir.filePath("out.json"), "--snapshot", dir.filePath("pages")});
    ASSERT_TRUE(demo.waitForFinished(180000));
    ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();

    QFile saved(dir.filePath("out.json"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QJsonObject json = QJsonDocument::fromJson(saved.readAll()).object();
    EXPECT_EQ(json["Items"].toArray().size(), 1);
    EXPECT_EQ(json["Items"].toArray()[0].toObject()["Text"].toString(), QString("Opened label"));
    // The label's own page: 60 x 30 mm at 96 dpi.
    const QImage exported(dir.filePath("out.png"));
    EXPECT_EQ(exported.size(), QSize(227, 113));
}
