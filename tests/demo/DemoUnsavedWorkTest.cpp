// Work is never thrown away unasked: File › New, Open..., Open for
// labelling..., Quit and the window's close ask about a changed label
// (Save, Discard, Cancel) and go on only once it is saved or discarded.
#include "dialogs/KVR.FMX.Dialogs.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "editor/TKVRBackEditor.h"
#include "examples/demo/DemoWindow.h"
#include "examples/demo/EditorPage.h"
#include "examples/demo/LabellingPage.h"
#include "examples/demo/LabellingSample.h"
#include "render/TKVRDraw.h"
#include "tests/demo/DemoMenus.h"
#include "tests/demo/ModalScript.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

enum class TRoad { New, Open, OpenForLabelling, Quit, Close };
// Where the changed label's Save goes: its own file, a file the Save as
// dialog asks for, or a file that can no longer be written.
enum class TFile { Named, Unnamed, Unwritable };

void WriteLabel(const QString& aFile, int aCount)
{
    TVXLabelFMX label;
    for (int i = 0; i < aCount; ++i)
        label.AddBaseRichText(5000, 5000 + i * 12000, 40000, 10000);
    ASSERT_TRUE(label.SaveToFile(aFile, KVRExt::Binary));
}

// Elements of the label in aFile; -1 when it cannot be read.
int32_t ItemsIn(const QString& aFile)
{
    TVXLabelFMX back;
    try {
        return back.LoadFromFile(aFile) ? back.GetItemsCount() : -1;
    } catch (const std::exception&) {
        return -1;
    }
}

class DemoUnsavedWork : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        InitializeKVRFMXTypes();
        InitializeKVRFMXDialogs();
    }
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    static void Show(DemoWindow& aWindow)
    {
        aWindow.resize(1000, 800);
        aWindow.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&aWindow));
        Activate(aWindow);
    }
    static void Activate(DemoWindow& aWindow)
    {
        aWindow.activateWindow();
        (void)QTest::qWaitForWindowActive(&aWindow);
    }
    // A rectangle drawn on the editor page: its tool, then two clicks.
    static void DrawRectangle(DemoWindow& aWindow)
    {
        aWindow.Tabs().setCurrentWidget(&aWindow.Editor());
        for (QToolButton* b : aWindow.Editor().Tools().findChildren<QToolButton*>())
            if (b->menu())
                for (QAction* a : b->menu()->actions())
                    if (a->text() == "Rectangle")
                        a->trigger();
        TKVRBackEditor* surface = aWindow.Editor().Editor().GetSurface();
        for (const QPoint um : {QPoint(20000, 20000), QPoint(60000, 40000)})
            QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(surface->ScreenMMX(um.x()), surface->ScreenMMY(um.y())));
    }
    // A picture added to the labelling page's label from the Dialogs menu.
    void AddPicture(DemoWindow& aWindow)
    {
        const QString png = dir.filePath("picture.png");
        QImage image(40, 20, QImage::Format_ARGB32);
        image.fill(Qt::darkCyan);
        ASSERT_TRUE(image.save(png));
        aWindow.Tabs().setCurrentWidget(&aWindow.Labelling());
        TModalScript script;
        script.Then("QFileDialog", TModalScript::ChooseFile(png));
        QAction* add = MenuEntry(aWindow, "Add picture...");
        ASSERT_TRUE(add);
        add->trigger();
        ASSERT_TRUE(script.Done());
        aWindow.Labelling().WaitForSheet();
    }
    static void Take(DemoWindow& aWindow, TRoad aRoad)
    {
        Activate(aWindow);
        switch (aRoad) {
        case TRoad::New: QTest::keyClick(&aWindow, Qt::Key_N, Qt::ControlModifier); break;
        case TRoad::Open: QTest::keyClick(&aWindow, Qt::Key_O, Qt::ControlModifier); break;
        case TRoad::OpenForLabelling: aWindow.findChild<QAction*>("actOpenLabelling")->trigger(); break;
        case TRoad::Quit: QTest::keyClick(&aWindow, Qt::Key_Q, Qt::ControlModifier); break;
        case TRoad::Close: aWindow.close(); break;
        }
    }
    // The labelling page as the demo starts: its sample opened, its sheet painted.
    void OpenSample(DemoWindow& aWindow)
    {
        const TLabellingSample sample = WriteLabellingSample(dir.filePath("sample"));
        QString error;
        ASSERT_TRUE(aWindow.Labelling().OpenLabel(sample.LabelFile, error)) << error.toStdString();
        aWindow.Labelling().WaitForSheet();
    }

    QTemporaryDir dir;
};

TEST_F(DemoUnsavedWork, EveryRoadAsksAboutAChangedLabel)
{
    using B = QMessageBox;
    const struct
    {
        const char* Name;
        TRoad Road;
        B::StandardButton Answer;
        TFile File;
        bool SaveAsTaken;
        bool Goes;
    } cases[] = {
        {"New, saved to its file", TRoad::New, B::Save, TFile::Named, false, true},
        {"New, saved as a new file", TRoad::New, B::Save, TFile::Unnamed, true, true},
        {"New, its Save as cancelled", TRoad::New, B::Save, TFile::Unnamed, false, false},
        {"New, its save failed", TRoad::New, B::Save, TFile::Unwritable, false, false},
        {"New, discarded", TRoad::New, B::Discard, TFile::Named, false, true},
        {"New, cancelled", TRoad::New, B::Cancel, TFile::Named, false, false},
        {"Open, saved", TRoad::Open, B::Save, TFile::Named, false, true},
        {"Open, discarded", TRoad::Open, B::Discard, TFile::Unnamed, false, true},
        {"Open, cancelled", TRoad::Open, B::Cancel, TFile::Named, false, false},
        {"Open for labelling, saved", TRoad::OpenForLabelling, B::Save, TFile::Named, false, true},
        {"Open for labelling, saved as", TRoad::OpenForLabelling, B::Save, TFile::Unnamed, true, true},
        {"Open for labelling, discarded", TRoad::OpenForLabelling, B::Discard, TFile::Named, false, true},
        {"Open for labelling, cancelled", TRoad::OpenForLabelling, B::Cancel, TFile::Named, false, false},
        {"Quit, saved", TRoad::Quit, B::Save, TFile::Named, false, true},
        {"Quit, its save failed", TRoad::Quit, B::Save, TFile::Unwritable, false, false},
        {"Quit, discarded", TRoad::Quit, B::Discard, TFile::Unnamed, false, true},
        {"Quit, cancelled", TRoad::Quit, B::Cancel, TFile::Named, false, false},
        {"Close, saved as", TRoad::Close, B::Save, TFile::Unnamed, true, true},
        {"Close, discarded", TRoad::Close, B::Discard, TFile::Named, false, true},
        {"Close, cancelled", TRoad::Close, B::Cancel, TFile::Named, false, false},
    };
    const QString other = dir.filePath("other.eti");
    WriteLabel(other, 3);
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const bool labelling = c.Road == TRoad::OpenForLabelling;
        const QString folder = dir.filePath(QString::number(++number));
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString base = QDir(folder).filePath("base.eti"), savedAs = QDir(folder).filePath("saved.eti");
        WriteLabel(base, 1);
        DemoWindow window;
        Show(window);
        LabelHost& host = labelling ? static_cast<LabelHost&>(window.Labelling()) : window.Editor();
        if (c.File != TFile::Unnamed) {
            ASSERT_TRUE(window.OpenLabel(base, labelling, nullptr));
        }
        if (c.File == TFile::Unwritable) {
            ASSERT_TRUE(QDir(folder).removeRecursively());
        }
        if (labelling)
            AddPicture(window);
        else
            DrawRectangle(window);
        const int32_t before = host.Document().GetItemsCount();
        const QString file = host.LabelFile();
        ASSERT_TRUE(host.Document().GetModified());

        TModalScript script;
        script.Strictly().Then("QMessageBox", TModalScript::Press(c.Answer));
        if (c.Answer == B::Save && c.File == TFile::Unnamed)
            script.Then("QFileDialog", c.SaveAsTaken ? TModalScript::ChooseFile(savedAs)
                                                     : [](QWidget* f) { qobject_cast<QDialog*>(f)->reject(); });
        if (c.Answer == B::Save && c.File == TFile::Unwritable)
            script.Then("QMessageBox", TModalScript::Press(B::Ok));
        if (c.Goes && c.Road == TRoad::New)
            script.Then("TfLabelling", [](QWidget* f) { qobject_cast<QDialog*>(f)->reject(); });
        if (c.Goes && (c.Road == TRoad::Open || labelling))
            script.Then("QFileDialog", TModalScript::ChooseFile(other));
        Take(window, c.Road);
        EXPECT_TRUE(script.Done()) << script.Seen().join(", ").toStdString();
        EXPECT_EQ(script.Seen().value(0), "QMessageBox");

        const bool ends = c.Road == TRoad::Quit || c.Road == TRoad::Close;
        const bool saved = c.Answer == B::Save && c.Goes;
        EXPECT_EQ(window.isVisible(), !(c.Goes && ends));
        if (!c.Goes || ends) {
            // Cancelled, or the demo ended: the drawing as it was.
            EXPECT_EQ(host.Document().GetItemsCount(), before);
            EXPECT_EQ(host.LabelFile(), saved && c.File == TFile::Unnamed ? savedAs : file);
            EXPECT_EQ(host.Document().GetModified(), !saved);
        } else if (c.Road == TRoad::New) {
            EXPECT_EQ(host.Document().GetItemsCount(), 0);
            EXPECT_FALSE(host.Document().GetModified());
        } else {
            EXPECT_EQ(host.Document().GetItemsCount(), 3);
            EXPECT_EQ(host.LabelFile(), other);
            EXPECT_FALSE(host.Document().GetModified());
        }
        // On disk: saved with the change, or as it was.
        if (c.File == TFile::Named) {
            EXPECT_EQ(ItemsIn(base), saved ? before : 1);
        } else if (c.File == TFile::Unnamed) {
            EXPECT_EQ(ItemsIn(savedAs), saved ? before : -1);
        } else {
            EXPECT_FALSE(QFileInfo::exists(base));
        }
        window.Labelling().WaitForSheet();
    }
}

// Quitting asks about every label that would be lost, and about no other:
// the samples the demo starts with, data bound, a label saved are no loss.
TEST_F(DemoUnsavedWork, QuitAsksAboutEachChangedLabelOnly)
{
    using B = QMessageBox;
    enum TBefore { Nothing, EditorChanged = 1, LabellingChanged = 2, DataBound = 4, Saved = 8, OtherData = 16 };
    const struct
    {
        const char* Name;
        int Before;
        QList<B::StandardButton> Answers;
        bool Closes;
    } cases[] = {
        {"the demo as it starts", Nothing, {}, true},
        {"the sample's data bound again", DataBound, {}, true},
        {"both labels changed and saved", EditorChanged | LabellingChanged | Saved, {}, true},
        {"another data file bound", OtherData, {B::Discard}, true},
        {"the editor's label changed", EditorChanged, {B::Discard}, true},
        {"the labelling label changed", LabellingChanged, {B::Cancel}, false},
        {"both changed, both discarded", EditorChanged | LabellingChanged, {B::Discard, B::Discard}, true},
        {"both changed, the second cancelled", EditorChanged | LabellingChanged, {B::Discard, B::Cancel}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        DemoWindow window;
        Show(window);
        OpenSample(window);
        QStringList asked;
        if (c.Before & (DataBound | OtherData)) {
            QString csv = dir.filePath("sample/products.csv");
            if (c.Before & OtherData) {
                csv = dir.filePath("other.csv");
                QFile other(csv);
                ASSERT_TRUE(other.open(QIODevice::WriteOnly));
                other.write("Name;Price;Code;EAN\nTea;2,50;T-1;4006381333931\n");
                asked << window.Labelling().LabelTitle();
            }
            TModalScript data;
            data.Then("QFileDialog", TModalScript::ChooseFile(csv));
            window.findChild<QAction*>("actOpenData")->trigger();
            ASSERT_TRUE(data.Done());
            window.Labelling().WaitForSheet();
        }
        if (c.Before & EditorChanged) {
            DrawRectangle(window);
            asked << "Editor";
        }
        if (c.Before & LabellingChanged) {
            AddPicture(window);
            asked << window.Labelling().LabelTitle();
        }
        if (c.Before & Saved) {
            // Ctrl+S on each page: the editor's sample asks for a name.
            for (QWidget* page : {static_cast<QWidget*>(&window.Editor()), static_cast<QWidget*>(&window.Labelling())}) {
                window.Tabs().setCurrentWidget(page);
                TModalScript save;
                if (page == &window.Editor())
                    save.Then("QFileDialog", TModalScript::ChooseFile(dir.filePath("editor.eti")));
                Activate(window);
                QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
                EXPECT_TRUE(save.Done());
            }
            EXPECT_EQ(ItemsIn(dir.filePath("editor.eti")), window.Editor().Document().GetItemsCount());
            asked.clear();
        }
        QStringList questions;
        TModalScript script;
        for (B::StandardButton answer : c.Answers)
            script.Then("QMessageBox", [&questions, answer](QWidget* f) {
                questions << qobject_cast<QMessageBox*>(f)->text();
                TModalScript::Press(answer)(f);
            });
        // A question nobody expects is closed, and seen.
        script.Strictly();
        Take(window, TRoad::Quit);
        EXPECT_EQ(script.Seen().size(), c.Answers.size()) << script.Seen().join(", ").toStdString();
        EXPECT_EQ(window.isVisible(), !c.Closes);
        ASSERT_EQ(questions.size(), std::min<qsizetype>(asked.size(), c.Answers.size()));
        for (qsizetype i = 0; i < questions.size(); ++i)
            EXPECT_TRUE(questions[i].contains('"' + asked[i] + '"')) << questions[i].toStdString();
    }
}

}  // namespace
