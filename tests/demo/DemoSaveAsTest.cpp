// What the demo writes lands where the user said and nowhere else: Save as
// asks before it replaces a file, whatever the name typed; the start-up
// sample is saved under a name of the user's and survives the next start;
// label files are known by their extension in any case; an export of a
// sheet without records writes nothing and says why.
#include "dialogs/KVR.FMX.Dialogs.h"
#include "document/KVR.FMX.h"
#include "examples/demo/DemoStart.h"
#include "examples/demo/DemoWindow.h"
#include "examples/demo/EditorPage.h"
#include "examples/demo/LabellingPage.h"
#include "render/TKVRDraw.h"
#include "tests/demo/DemoMenus.h"
#include "tests/demo/ModalScript.h"
#include "tests/support/LabelDocuments.h"
#include <QAbstractSpinBox>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kBinary = "Binary label (*.eti)", kJson = "JSON label (*.json)";

// Rows of the label sheet in aFile; -1 when it cannot be read.
int32_t RowsIn(const QString& aFile)
{
    TVXLabelFMX back;
    try {
        return back.LoadFromFile(aFile) ? back.GetMeasure().GetRows() : -1;
    } catch (const std::exception&) {
        return -1;
    }
}

bool IsJson(const QString& aFile)
{
    QFile file(aFile);
    return file.open(QIODevice::ReadOnly) && QJsonDocument::fromJson(file.readAll()).isObject();
}

class DemoSaveAs : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        InitializeKVRFMXTypes();
        InitializeKVRFMXDialogs();
    }
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // The window as main starts it, over the test's sample folder.
    void Start(DemoWindow& aWindow, const TDemoStart& aStart = {})
    {
        aWindow.resize(1000, 800);
        aWindow.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&aWindow));
        ASSERT_TRUE(StartDemo(aWindow, aStart, dir.filePath("sample")));
        aWindow.Labelling().WaitForSheet();
        aWindow.Tabs().setCurrentWidget(&aWindow.Labelling());
        Activate(aWindow);
    }
    static void Activate(DemoWindow& aWindow)
    {
        aWindow.activateWindow();
        (void)QTest::qWaitForWindowActive(&aWindow);
    }
    // Dialogs › Sheet properties... on the labelling page: the rows typed, OK.
    static void SetRows(DemoWindow& aWindow, int aRows)
    {
        QAction* sheet = MenuEntry(aWindow, "Sheet properties...");
        ASSERT_TRUE(sheet);
        TModalScript script;
        script.Then("TfLabelling", [aRows](QWidget* f) {
            auto* rows = f->findChild<QAbstractSpinBox*>("seRows");
            rows->setFocus();
            QTest::keyClick(rows, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(rows, QString::number(aRows));
            QTest::mouseClick(f->findChild<QPushButton*>("butOK"), Qt::LeftButton);
        });
        sheet->trigger();
        ASSERT_TRUE(script.Done());
        ASSERT_EQ(aWindow.Labelling().Document().GetMeasure().GetRows(), aRows);
        aWindow.Labelling().WaitForSheet();
    }
    static void Reject(QWidget* aForm) { qobject_cast<QDialog*>(aForm)->reject(); }

    QTemporaryDir dir;
};

// Save as over a file of the other name: the type's extension is added to
// "keep", and keep.eti or keep.json is asked about once, as the dialog asks
// about a name typed whole; Yes replaces it, No goes back to the dialog and
// leaves the file as it was. The same through the question at Quit.
TEST_F(DemoSaveAs, AnotherFileIsReplacedOnlyOnceTheUserAgrees)
{
    using B = QMessageBox;
    enum TRoad { SaveAs, Quit };
    const struct
    {
        const char* Name;
        TRoad Road;
        QString Type;
        const char* Typed;
        const char* There;      // the file already in the folder
        B::StandardButton Reply;  // to the replace question; NoButton: none asked
        const char* Then;       // after No, another name typed; null: the dialog cancelled
        const char* Holds;      // the file the label is saved in; null: none
    } cases[] = {
        {"binary, replaced", SaveAs, kBinary, "keep", "keep.eti", B::Yes, nullptr, "keep.eti"},
        {"binary, kept, cancelled", SaveAs, kBinary, "keep", "keep.eti", B::No, nullptr, nullptr},
        {"binary, kept, another name", SaveAs, kBinary, "keep", "keep.eti", B::No, "other", "other.eti"},
        {"JSON, replaced", SaveAs, kJson, "keep", "keep.json", B::Yes, nullptr, "keep.json"},
        {"JSON, kept, cancelled", SaveAs, kJson, "keep", "keep.json", B::No, nullptr, nullptr},
        {"the name typed whole, kept", SaveAs, kBinary, "keep.eti", "keep.eti", B::No, nullptr, nullptr},
        {"the name typed whole, replaced", SaveAs, kJson, "keep.json", "keep.json", B::Yes, nullptr, "keep.json"},
        {"only the other type there", SaveAs, kBinary, "keep", "keep.json", B::NoButton, nullptr, "keep.eti"},
        {"at Quit, replaced", Quit, kBinary, "keep", "keep.eti", B::Yes, nullptr, "keep.eti"},
        {"at Quit, kept, cancelled", Quit, kJson, "keep", "keep.json", B::No, nullptr, nullptr},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QDir folder(dir.filePath(QString::number(++number)));
        ASSERT_TRUE(folder.mkpath("."));
        const QString there = folder.filePath(c.There);
        {
            TVXLabelFMX other;
            ASSERT_TRUE(other.SaveToFile(there, *KVRExt::OfFileName(there)));
        }
        const QByteArray before = ReadAll(there);
        DemoWindow window;
        Start(window);
        SetRows(window, 4);

        QStringList questions;
        const auto reply = [&questions, &c](QWidget* f) {
            questions << qobject_cast<QMessageBox*>(f)->text();
            TModalScript::Press(c.Reply)(f);
        };
        // The dialog asks about a name typed whole while the step that typed
        // it still runs: a script of its own answers it.
        const bool whole = KVRExt::OfFileName(c.Typed).has_value();
        TModalScript dialogs;
        if (whole)
            dialogs.Then("QMessageBox", reply);
        TModalScript script;
        script.Strictly();
        if (c.Road == Quit)
            script.Then("QMessageBox", TModalScript::Press(B::Save));
        script.Then("QFileDialog", TModalScript::ChooseFile(folder.filePath(c.Typed), c.Type));
        if (c.Reply != B::NoButton && !whole)
            script.Then("QMessageBox", reply);
        if (c.Reply == B::No)
            script.Then("QFileDialog", c.Then ? TModalScript::ChooseFile(folder.filePath(c.Then), c.Type) : Reject);
        Activate(window);
        if (c.Road == Quit)
            QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
        else
            window.findChild<QAction*>("actSaveAs")->trigger();
        EXPECT_TRUE(script.Done()) << script.Seen().join(", ").toStdString();
        EXPECT_TRUE(dialogs.Done());

        EXPECT_EQ(questions.size(), c.Reply == B::NoButton ? 0 : 1);
        for (const QString& q : questions)
            EXPECT_TRUE(q.startsWith(QFileInfo(there).fileName() + " already exists.")) << q.toStdString();
        const QString holds = c.Holds ? folder.filePath(c.Holds) : QString();
        EXPECT_EQ(window.Labelling().LabelFile().toStdString(), holds.toStdString());
        EXPECT_EQ(window.Labelling().Document().GetModified(), !c.Holds);
        EXPECT_EQ(window.isVisible(), c.Road != Quit || !c.Holds);
        if (c.Holds) {
            EXPECT_EQ(RowsIn(holds), 4);
            EXPECT_EQ(IsJson(holds), holds.endsWith(".json"));
        }
        if (holds != there) {
            EXPECT_EQ(ReadAll(there), before);
        }
        QStringList files{c.There};
        if (c.Holds && holds != there)
            files << c.Holds;
        files.sort();
        EXPECT_EQ(folder.entryList(QDir::Files), files);
        window.Labelling().WaitForSheet();
    }
}

// The start-up sample changed and saved, then the demo started again over the
// same temporary folder: the save asked for a name, the file saved holds the
// change, and the page shows the sample as the demo writes it.
TEST_F(DemoSaveAs, TheSampleSavedIsThereAtTheNextStart)
{
    enum TRoad { Save, Quit };
    const struct
    {
        const char* Name;
        TRoad Road;
    } cases[] = {{"File › Save", Save}, {"Save in the question at Quit", Quit}};
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString mine = dir.filePath(QString("mine-%1.eti").arg(++number));
        {
            DemoWindow first;
            Start(first);
            EXPECT_EQ(first.Labelling().LabelFile().toStdString(), "");
            SetRows(first, 4);
            TModalScript script;
            script.Strictly();
            if (c.Road == Quit)
                script.Then("QMessageBox", TModalScript::Press(QMessageBox::Save));
            script.Then("QFileDialog", TModalScript::ChooseFile(mine));
            Activate(first);
            QTest::keyClick(&first, c.Road == Quit ? Qt::Key_Q : Qt::Key_S, Qt::ControlModifier);
            EXPECT_TRUE(script.Done()) << script.Seen().join(", ").toStdString();
            EXPECT_EQ(first.Labelling().LabelFile().toStdString(), mine.toStdString());
            first.Labelling().WaitForSheet();
        }
        DemoWindow again;
        Start(again);
        const TKVRMeasure& m = again.Labelling().Document().GetMeasure();
        EXPECT_EQ(m.GetColumns(), 3);
        EXPECT_EQ(m.GetRows(), 7);
        EXPECT_EQ(again.Labelling().LabelFile().toStdString(), "");
        EXPECT_FALSE(again.Labelling().Document().GetModified());
        // What was saved opens as it was saved.
        ASSERT_EQ(RowsIn(mine), 4);
        TModalScript open;
        open.Strictly().Then("QFileDialog", TModalScript::ChooseFile(mine));
        again.findChild<QAction*>("actOpenLabelling")->trigger();
        EXPECT_TRUE(open.Done()) << open.Seen().join(", ").toStdString();
        EXPECT_EQ(again.Labelling().Document().GetMeasure().GetRows(), 4);
        again.Labelling().WaitForSheet();
    }
}

// Label files are known by their extension in any case: File › Open and the
// command line read them, Save keeps the extension typed and writes the
// format it names, and Save as suggests the type of the file the label is in.
TEST_F(DemoSaveAs, LabelFilesAreKnownByTheirExtensionInAnyCase)
{
    const QString upper = dir.filePath("UPPER.ETI"), lower = dir.filePath("LOWER.JSON");
    {
        TVXLabelFMX label;
        label.GetMeasure().SetRows(5);
        ASSERT_TRUE(label.SaveToFile(upper, KVRExt::Binary));
        ASSERT_TRUE(label.SaveToFile(lower, KVRExt::Json));
        ASSERT_TRUE(label.SaveToFile(dir.filePath("label.etx"), KVRExt::Binary));
    }
    // The command line: opened and saved under an extension in capitals.
    {
        DemoWindow window;
        Start(window, {upper, dir.filePath("cli.Json"), QString()});
        EXPECT_EQ(window.Labelling().LabelFile().toStdString(), upper.toStdString());
        EXPECT_EQ(RowsIn(dir.filePath("cli.Json")), 5);
        EXPECT_TRUE(IsJson(dir.filePath("cli.Json")));
        EXPECT_FALSE(QFile::exists(dir.filePath("cli.Json.eti")));
    }
    DemoWindow window;
    Start(window);
    const struct
    {
        const char* Opened;
        bool Labelling;
        QString SuggestedType;  // empty: the file is refused
        const char* Typed;      // in the Save as dialog, its type left as suggested
        const char* Written;
    } cases[] = {
        {"UPPER.ETI", false, kBinary, "Again.JSON", "Again.JSON"},
        {"LOWER.JSON", true, kJson, "again", "again.json"},
        {"LOWER.JSON", false, kJson, "Twice.Eti", "Twice.Eti"},
        {"label.etx", false, QString(), nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Opened);
        LabelHost& host = c.Labelling ? static_cast<LabelHost&>(window.Labelling()) : window.Editor();
        const QString before = host.LabelFile();
        QString refusal;
        {
            TModalScript open;
            open.Strictly().Then("QFileDialog", TModalScript::ChooseFile(dir.filePath(c.Opened)));
            if (c.SuggestedType.isEmpty())
                open.Then("QMessageBox", [&refusal](QWidget* f) {
                    refusal = qobject_cast<QMessageBox*>(f)->text();
                    TModalScript::Press(QMessageBox::Ok)(f);
                });
            window.findChild<QAction*>(c.Labelling ? "actOpenLabelling" : "actOpen")->trigger();
            EXPECT_TRUE(open.Done()) << open.Seen().join(", ").toStdString();
        }
        if (c.SuggestedType.isEmpty()) {
            EXPECT_TRUE(refusal.contains("Only .eti and .json label files can be opened")) << refusal.toStdString();
            EXPECT_EQ(host.LabelFile().toStdString(), before.toStdString());
            continue;
        }
        EXPECT_EQ(host.LabelFile().toStdString(), dir.filePath(c.Opened).toStdString());
        EXPECT_EQ(host.Document().GetMeasure().GetRows(), 5);

        QString suggested;
        TModalScript save;
        save.Strictly().Then("QFileDialog", [&](QWidget* f) {
            suggested = qobject_cast<QFileDialog*>(f)->selectedNameFilter();
            TModalScript::ChooseFile(dir.filePath(c.Typed))(f);
        });
        window.findChild<QAction*>("actSaveAs")->trigger();
        EXPECT_TRUE(save.Done()) << save.Seen().join(", ").toStdString();
        EXPECT_EQ(suggested.toStdString(), c.SuggestedType.toStdString());
        const QString written = dir.filePath(c.Written);
        EXPECT_EQ(host.LabelFile().toStdString(), written.toStdString());
        EXPECT_EQ(IsJson(written), QString(c.Written).endsWith("json", Qt::CaseInsensitive));
        EXPECT_EQ(RowsIn(written), 5);
        window.Labelling().WaitForSheet();
    }
}

// The labelling page bound to a CSV file of a header and no record: File ›
// Export page... says what Print says and writes nothing, an earlier export
// of that name left as it was.
TEST_F(DemoSaveAs, AnExportWithoutRecordsSaysWhyAndWritesNothing)
{
    const QString csv = dir.filePath("header.csv"), pdf = dir.filePath("sheet.pdf");
    WriteAll(csv, "Name,Price,Code,EAN\n");
    DemoWindow window;
    Start(window);
    {
        TModalScript data;
        data.Strictly().Then("QFileDialog", TModalScript::ChooseFile(csv));
        window.findChild<QAction*>("actOpenData")->trigger();
        ASSERT_TRUE(data.Done()) << data.Seen().join(", ").toStdString();
        window.Labelling().WaitForSheet();
    }
    for (const bool earlier : {false, true}) {
        SCOPED_TRACE(earlier ? "over an earlier export" : "no file there");
        if (earlier)
            WriteAll(pdf, "an earlier export");
        QString told;
        TModalScript replace;  // the dialog's own question, asked inside the step that names the file
        if (earlier)
            replace.Then("QMessageBox", TModalScript::Press(QMessageBox::Yes));
        TModalScript script;
        script.Strictly().Then("QFileDialog", TModalScript::ChooseFile(pdf, "PDF (*.pdf)"));
        script.Then("QMessageBox", [&told](QWidget* f) {
            told = qobject_cast<QMessageBox*>(f)->text();
            TModalScript::Press(QMessageBox::Ok)(f);
        });
        window.findChild<QAction*>("actExport")->trigger();
        // The export ends on its own thread; its report follows.
        for (int i = 0; i < 1200 && !script.Done(); ++i)
            QTest::qWait(50);
        EXPECT_TRUE(script.Done()) << script.Seen().join(", ").toStdString();
        EXPECT_TRUE(told.contains("The data has no records")) << told.toStdString();
        if (earlier) {
            EXPECT_EQ(ReadAll(pdf), QByteArray("an earlier export"));
        } else {
            EXPECT_FALSE(QFile::exists(pdf));
        }
        EXPECT_EQ(QDir(dir.path()).entryList({"sheet*"}, QDir::Files).size(), earlier ? 1 : 0);
    }
}

}  // namespace
