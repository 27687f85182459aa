// A label carries its data: whichever page shows it and however the data
// was bound (the sheet dialog's "Link data", File › Open data), its print
// holds one label per record.
#include "dialogs/KVR.FMX.Dialogs.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRText.h"
#include "examples/demo/DemoWindow.h"
#include "examples/demo/EditorPage.h"
#include "examples/demo/LabellingPage.h"
#include "examples/demo/LabellingSample.h"
#include "render/TKVRDraw.h"
#include "tests/demo/DemoMenus.h"
#include "tests/demo/ModalScript.h"
#include "tests/demo/WalkData.h"
#include "tests/support/PdfReader.h"
#include <QCheckBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void AcceptFile(TModalScript& aScript, const QString& aFile)
{
    aScript.Then("QFileDialog", TModalScript::ChooseFile(aFile));
}

// A text bound to the field Name, on the label in front.
void AddNameText(TVXLabelFMX& aDoc)
{
    TKVRText* text = TKVRFactory::AddText(&aDoc, 3, 3);
    text->SetText("Design name");
    text->SetFillType(1);
    text->SetFillName("Name");
}

// File › Print... on the printer named, its report taken.
void PrintFromTheMenu(DemoWindow& aWindow, const QString& aPrinter)
{
    TModalScript print;
    print.Then("QInputDialog", [aPrinter](QWidget* f) {
             auto* d = qobject_cast<QInputDialog*>(f);
             d->setTextValue(aPrinter);
             static_cast<QDialog*>(d)->accept();
         })
        .Then("QMessageBox", [](QWidget* f) { qobject_cast<QDialog*>(f)->accept(); });
    aWindow.findChild<QAction*>("actPrint")->trigger();
    ASSERT_TRUE(print.Done());
}

}  // namespace

TEST(DemoPrintsWithData, EveryRoadPrintsOneLabelPerRecord)
{
    InitializeKVRFMXTypes();
    InitializeKVRFMXDialogs();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::vector<TWalkRecord> records = WalkRecords(5);
    const QString csv = dir.filePath("people.csv");
    ASSERT_TRUE(WriteWalkCsv(csv, records));

    enum TRoad { SheetDialogOnEditor, OpenDataOnEditor, OpenDataOnLabelling };
    const struct { const char* Name; TRoad Road; } roads[] = {
        {"sheet dialog, editor page", SheetDialogOnEditor},
        {"open data, editor page", OpenDataOnEditor},
        {"open data, labelling page", OpenDataOnLabelling},
    };
    for (const auto& road : roads) {
        SCOPED_TRACE(road.Name);
        DemoWindow window;
        window.resize(1000, 800);
        window.show();
        const QString pdf = dir.filePath(QString("%1.pdf").arg(int(road.Road)));
        TPdfFileDevice device(pdf);
        {
            TModalScript script;
            if (road.Road == SheetDialogOnEditor) {
                // File › New opens the sheet: the CSV chosen on its Data tab, "Link data" ticked, OK.
                TKVRPrompts::THandlers h;
                h.OpenFile = [csv](QWidget*, const QString&, const QString&, const QString&) { return csv; };
                TKVRPrompts::SetHandlers(h);
                script.Then("TfLabelling", [](QWidget* f) {
                    QTest::mouseClick(f->findChild<QPushButton*>("butSelFile"), Qt::LeftButton);
                    f->findChild<QCheckBox*>("ckLinkData")->setChecked(true);
                    QTest::mouseClick(f->findChild<QPushButton*>("butOK"), Qt::LeftButton);
                });
                window.findChild<QAction*>("actNew")->trigger();
                TKVRPrompts::Reset();
                AddNameText(window.Editor().Document());
            } else if (road.Road == OpenDataOnEditor) {
                script.Then("TfLabelling", [](QWidget* f) { qobject_cast<QDialog*>(f)->reject(); });
                window.findChild<QAction*>("actNew")->trigger();
                AddNameText(window.Editor().Document());
                AcceptFile(script, csv);
                window.findChild<QAction*>("actOpenData")->trigger();
            } else {
                TVXLabelFMX label;
                AddNameText(label);
                const QString file = dir.filePath("bound.eti");
                ASSERT_TRUE(label.SaveToFile(file, KVRExt::Binary));
                ASSERT_TRUE(window.OpenLabel(file, true, nullptr));
                AcceptFile(script, csv);
                window.findChild<QAction*>("actOpenData")->trigger();
            }
            ASSERT_TRUE(script.Done());
        }
        const bool editor = road.Road != OpenDataOnLabelling;
        ASSERT_EQ(window.Tabs().currentWidget(), editor ? static_cast<QWidget*>(&window.Editor())
                                                        : static_cast<QWidget*>(&window.Labelling()));
        PrintFromTheMenu(window, device.Name);
        const QString text = PdfText(pdf);
        for (const TWalkRecord& r : records)
            EXPECT_TRUE(text.contains(r.Name)) << r.Name.toStdString() << " missing from:\n" << text.toStdString();
        EXPECT_FALSE(text.contains("Design name")) << text.toStdString();
    }
}

// The sample the demo starts with on its labelling page: its sheet dialog
// shows "Link data" ticked, and, OK'd untouched, its print holds one label
// per record, as the tick says.
TEST(DemoPrintsWithData, TheStartUpSampleShowsTheLinkItPrints)
{
    InitializeKVRFMXTypes();
    InitializeKVRFMXDialogs();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TLabellingSample sample = WriteLabellingSample(dir.filePath("sample"));
    ASSERT_FALSE(sample.LabelFile.isEmpty());
    QFile csv(sample.DataFile);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    QStringList names;
    for (const QByteArray& line : csv.readAll().split('\n').mid(1))
        if (!line.isEmpty())
            names << QString::fromUtf8(line.split(',').first());
    ASSERT_GT(names.size(), 1);

    DemoWindow window;
    window.resize(1000, 800);
    window.show();
    ASSERT_TRUE(window.OpenLabel(sample.LabelFile, true, nullptr));
    window.Labelling().WaitForSheet();
    QAction* sheet = MenuEntry(window, "Sheet properties...");
    ASSERT_TRUE(sheet);
    bool ticked = false;
    {
        TModalScript script;
        script.Then("TfLabelling", [&ticked](QWidget* f) {
            ticked = f->findChild<QCheckBox*>("ckLinkData")->isChecked();
            QTest::mouseClick(f->findChild<QPushButton*>("butOK"), Qt::LeftButton);
        });
        sheet->trigger();
        ASSERT_TRUE(script.Done());
    }
    EXPECT_TRUE(ticked);

    const QString pdf = dir.filePath("sample.pdf");
    TPdfFileDevice device(pdf);
    PrintFromTheMenu(window, device.Name);
    const QString text = PdfText(pdf);
    for (const QString& name : names)
        EXPECT_EQ(text.count(name), 1) << name.toStdString() << " in:\n" << text.toStdString();
}
