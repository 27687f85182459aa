// The demo's window as a user meets it at 1000 x 800: its menus, its tools
// and its pages, driven by mouse and keys.
#include "dialogs/KVR.FMX.Dialogs.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "editor/TKVRBackEditor.h"
#include "examples/demo/DemoWindow.h"
#include "examples/demo/EditorPage.h"
#include "examples/demo/LabellingPage.h"
#include "inspector/KVR.FMX.Inspector.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "render/TKVRDraw.h"
#include "tests/demo/DemoMenus.h"
#include "tests/demo/ModalScript.h"
#include "views/KVR.FMX.ShowPreview.h"
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHelpEvent>
#include <QJsonDocument>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSet>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

class DemoWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        InitializeKVRFMXTypes();
        InitializeKVRFMXDialogs();
    }
    void SetUp() override
    {
        window.resize(1000, 800);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
    }
    QAction* Action(const char* aName) { return window.findChild<QAction*>(QString::fromLatin1(aName)); }
    // A Dialogs menu entry by its caption without the mnemonic.
    QAction* DialogsEntry(const QString& aCaption) { return MenuEntry(window, aCaption); }
    void Front(QWidget* aPage) { window.Tabs().setCurrentWidget(aPage); }

    DemoWindow window;
};

// The menus answer to the usual keys of the desktop; Quit to Ctrl+Q where
// the platform names no key for it.
TEST_F(DemoWindowTest, FileMenuHasTheStandardShortcuts)
{
    const struct { const char* Name; QKeySequence::StandardKey Key; QKeySequence Otherwise; } table[] = {
        {"actNew", QKeySequence::New, {}},       {"actOpen", QKeySequence::Open, {}},
        {"actSave", QKeySequence::Save, {}},     {"actSaveAs", QKeySequence::SaveAs, {}},
        {"actPrint", QKeySequence::Print, {}},   {"actQuit", QKeySequence::Quit, QKeySequence("Ctrl+Q")},
    };
    for (const auto& row : table) {
        QAction* action = Action(row.Name);
        ASSERT_TRUE(action) << row.Name;
        const QList<QKeySequence> keys = QKeySequence::keyBindings(row.Key);
        EXPECT_FALSE(action->shortcut().isEmpty() && !keys.isEmpty()) << row.Name;
        EXPECT_EQ(action->shortcut(), keys.value(0, row.Otherwise)) << row.Name;
    }
}

// Every entry of every menu has its own mnemonic, once in its menu.
TEST_F(DemoWindowTest, MenuMnemonicsAreUniquePerMenu)
{
    const auto mnemonic = [](const QString& aText) {
        const int at = aText.indexOf('&');
        return at >= 0 && at + 1 < aText.size() ? aText.at(at + 1).toLower() : QChar();
    };
    QSet<QChar> titles;
    for (QAction* top : window.menuBar()->actions()) {
        ASSERT_FALSE(mnemonic(top->text()).isNull()) << top->text().toStdString();
        EXPECT_FALSE(titles.contains(mnemonic(top->text()))) << top->text().toStdString();
        titles << mnemonic(top->text());
        QSet<QChar> seen;
        for (QAction* a : top->menu()->actions()) {
            if (a->isSeparator())
                continue;
            const QChar m = mnemonic(a->text());
            EXPECT_FALSE(m.isNull()) << a->text().toStdString();
            EXPECT_FALSE(seen.contains(m)) << top->text().toStdString() << " repeats " << QString(m).toStdString()
                                           << " in " << a->text().toStdString();
            seen << m;
        }
    }
}

// Ctrl+N: an empty label on the editor page, its sheet dialog open on it.
TEST_F(DemoWindowTest, NewMakesAnEmptyLabelAndOpensItsSheet)
{
    ASSERT_GT(window.Editor().Document().GetItemsCount(), 0);
    TModalScript script;
    script.Then("TfLabelling", [](QWidget* f) { qobject_cast<QDialog*>(f)->reject(); });
    window.activateWindow();
    QTest::keySequence(&window, QKeySequence(QKeySequence::New));
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(script.Seen(), QStringList{"TfLabelling"});
    EXPECT_EQ(window.Tabs().currentWidget(), &window.Editor());
    EXPECT_EQ(window.Editor().Document().GetItemsCount(), 0);
    EXPECT_EQ(window.Editor().Editor().GetLabel(), &window.Editor().Document());
    EXPECT_EQ(window.Editor().Inspector().GetLabel(), &window.Editor().Document());
}

// The sample drawing keeps every element on its page.
TEST_F(DemoWindowTest, EditorSampleLiesOnItsPage)
{
    TVXLabelFMX& doc = window.Editor().Document();
    const int64_t w = doc.GetMeasure().GetPaperWidth(), h = doc.GetMeasure().GetPaperHeight();
    for (int32_t i = 1; i <= doc.GetItemsCount(); ++i) {
        const TKVRRect b = doc.GetItem(i)->GetBounds();
        EXPECT_TRUE(b.Left >= 0 && b.Top >= 0 && b.Right <= w && b.Bottom <= h)
            << "element " << i << " (kind " << int(doc.GetItem(i)->GetKind()) << ") at " << b.Left << ", " << b.Top
            << " - " << b.Right << ", " << b.Bottom << " on a page of " << w << " x " << h;
    }
}

// A label opened with Ctrl+O lands on the editor, is changed and saved with Ctrl+S.
TEST_F(DemoWindowTest, OpenPutsALabelOnTheEditorToChangeAndSave)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("opened.eti");
    {
        TVXLabelFMX label;
        label.AddBaseRichText(5000, 5000, 40000, 10000);
        ASSERT_TRUE(label.SaveToFile(file, KVRExt::Binary));
    }
    Front(&window.Labelling());
    TModalScript script;
    script.Then("QFileDialog", TModalScript::ChooseFile(file));
    window.activateWindow();
    QTest::keySequence(&window, QKeySequence(QKeySequence::Open));
    ASSERT_TRUE(script.Done());
    ASSERT_EQ(window.Tabs().currentWidget(), &window.Editor());
    TVXLabelFMX& doc = window.Editor().Document();
    ASSERT_EQ(doc.GetItemsCount(), 1);
    doc.AddBaseRichText(5000, 20000, 40000, 10000);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keySequence(&window, QKeySequence(QKeySequence::Save));
    TVXLabelFMX back;
    ASSERT_TRUE(back.LoadFromFile(file));
    EXPECT_EQ(back.GetItemsCount(), 2);
}

// Each drawing action is one or two clicks away at 1000 px: none hides
// behind the toolbar's extension button.
TEST_F(DemoWindowTest, EveryToolIsAtMostTwoClicksAway)
{
    const struct { const char* Caption; uint8_t Action; } tools[] = {
        {"Select", 1},      {"Point", 3},        {"Line", 4},          {"Arrow", 5},        {"Polyline", 7},
        {"Bezier", 10},     {"Arc", 13},         {"Rectangle", 6},     {"Polygon", 9},      {"Circle", 11},
        {"Circle 2P", 12},  {"Circle 3P", 8},    {"Ellipse", 14},      {"Ellipse box", 18}, {"Sector", 36},
        {"Text", 15},       {"Paragraph", 19},   {"Rich text", 24},    {"Poly-text", 32},   {"Barcode", 25},
        {"PDF417", 26},     {"Data Matrix", 27}, {"QR", 28},           {"Table", 29},       {"Rating", 33},
        {"Nutri-score", 34}, {"Level", 35},      {"Package", 37},      {"Node", 39},        {"Connector", 30},
        {"Bent connector", 31}, {"Dimension", 38}, {"Radius dim.", 47},
    };
    Front(&window.Editor());
    QToolBar& bar = window.Editor().Tools();
    QCoreApplication::processEvents();
    auto* more = bar.findChild<QToolButton*>("qt_toolbar_ext_button");
    EXPECT_TRUE(!more || !more->isVisible()) << "tools hide behind the extension button";
    TVXLabelFMX& doc = window.Editor().Document();
    const auto reachable = [&bar](QWidget* w) {
        return w && w->isVisible() && bar.rect().contains(w->geometry());
    };
    for (const auto& tool : tools) {
        doc.ResetAction();
        int clicks = 0;
        for (QAction* a : bar.actions()) {
            if (a->text() == tool.Caption && reachable(bar.widgetForAction(a))) {
                QTest::mouseClick(bar.widgetForAction(a), Qt::LeftButton);
                clicks = 1;
            }
        }
        for (QToolButton* button : bar.findChildren<QToolButton*>()) {
            if (clicks || !button->menu() || !reachable(button))
                continue;
            QAction* item = nullptr;
            for (QAction* a : button->menu()->actions())
                if (a->text() == tool.Caption)
                    item = a;
            if (!item)
                continue;
            // The menu pops up on the first click; the second picks the tool.
            QTimer::singleShot(0, [item] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (menu)
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
            });
            QTest::mouseClick(button, Qt::LeftButton);
            clicks = 2;
        }
        EXPECT_GT(clicks, 0) << tool.Caption << " is out of reach";
        EXPECT_EQ(int(doc.GetAction()), int(tool.Action)) << tool.Caption << " after " << clicks << " clicks";
    }
    doc.ResetAction();
}

// The inspector sits in a splitter: wide enough for its captions at
// first, wider when its handle is dragged.
TEST_F(DemoWindowTest, InspectorShowsWholeCaptionsAndWidens)
{
    Front(&window.Editor());
    TVXLabelFMX& doc = window.Editor().Document();
    TKVRInspector& inspector = window.Editor().Inspector();
    QWidget* grid = inspector.viewport();
    // Element kinds with long captions: rich text, text, barcode, QR, rectangle.
    QList<int> kinds{KVRItemKind::RichText, KVRItemKind::Text, KVRItemKind::Barcode, KVRItemKind::QRCode,
                     KVRItemKind::Rectangle};
    for (int32_t i = 1; i <= doc.GetItemsCount() && !kinds.isEmpty(); ++i) {
        TKVRBaseItem* item = doc.GetItem(i);
        if (!kinds.removeOne(int(item->GetKind())))
            continue;
        doc.SelectItem(item, false);
        QCoreApplication::processEvents();
        grid->repaint();
        // A caption cut short shows itself whole as the tool tip under the pointer.
        QStringList cut;
        for (int y = 2; y < grid->height(); y += 4)
            for (int x = 2; x < grid->width(); x += 8) {
                QTest::mouseMove(grid, QPoint(x, y));
                if (!grid->toolTip().isEmpty() && !cut.contains(grid->toolTip()))
                    cut << grid->toolTip();
            }
        EXPECT_TRUE(cut.isEmpty()) << "kind " << int(item->GetKind()) << ": " << cut.join(", ").toStdString()
                                   << " cut at " << inspector.width() << " px";
    }
    EXPECT_TRUE(kinds.isEmpty());

    QSplitter& splitter = window.Editor().Splitter();
    QSplitterHandle* handle = splitter.handle(1);
    const int before = inspector.width();
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip - QPoint(60, 0));
    QTest::mouseMove(handle, grip - QPoint(120, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip - QPoint(120, 0));
    EXPECT_GE(inspector.width(), before + 100);
}

// The rich-text toolbar's buttons with signs for captions say what they set.
TEST_F(DemoWindowTest, RichTextToolbarButtonsHaveToolTips)
{
    Front(&window.Editor());
    TKVRBackEditor* surface = window.Editor().Editor().GetSurface();
    surface->repaint();
    QStringList tips;
    for (int y = 0; y < surface->height(); y += 5)
        for (int x = 0; x < surface->width(); x += 5) {
            QHelpEvent help(QEvent::ToolTip, QPoint(x, y), surface->mapToGlobal(QPoint(x, y)));
            QApplication::sendEvent(surface, &help);
            if (QToolTip::isVisible() && !tips.contains(QToolTip::text()))
                tips << QToolTip::text();
        }
    QToolTip::hideText();
    for (const char* tip : {"Font", "Text colour", "Bold", "Italic", "Underline", "Font height"})
        EXPECT_TRUE(tips.contains(QString::fromLatin1(tip))) << tip << " not among " << tips.join(", ").toStdString();
}

// Dimension styles on a label leave it a label: the sheet dialog that
// follows is still the label sheet's.
TEST_F(DemoWindowTest, DimensionStylesLeaveTheLabelALabel)
{
    Front(&window.Editor());
    TVXLabelFMX& doc = window.Editor().Document();
    doc.SetEditorMode(0);
    TModalScript script;
    script.Then("QDialog", [](QWidget* f) { qobject_cast<QDialog*>(f)->reject(); })
        .Then("QDialog", [](QWidget* f) { qobject_cast<QDialog*>(f)->reject(); });
    QAction* styles = DialogsEntry("Dimension styles...");
    QAction* sheet = DialogsEntry("Sheet properties...");
    ASSERT_TRUE(styles && sheet);
    styles->trigger();
    EXPECT_EQ(doc.GetEditorMode(), 0);
    sheet->trigger();
    EXPECT_EQ(script.Seen(), (QStringList{"TfDimStls", "TfLabelling"}));
}

// The preview window shows the same controls for the labelling page's
// label (printed with data) as for the editor's.
TEST_F(DemoWindowTest, PreviewHasTheFitBoxOnEveryPage)
{
    window.Labelling().WaitForSheet();
    for (QWidget* page : {static_cast<QWidget*>(&window.Labelling()), static_cast<QWidget*>(&window.Editor())}) {
        Front(page);
        bool shown = false;
        TModalScript script;
        script.Then("TfPreview", [&shown](QWidget* f) {
            auto* fit = f->findChild<QCheckBox*>("ckFit");
            shown = fit && fit->isVisibleTo(f);
            qobject_cast<QDialog*>(f)->reject();
        });
        Action("actPreview")->trigger();
        EXPECT_TRUE(script.Done());
        EXPECT_TRUE(shown) << (page == &window.Editor() ? "editor" : "labelling");
    }
}

// The toolbar shows the running action checked, with its family's button,
// and Select when none runs, whichever road changed the action.
TEST_F(DemoWindowTest, ToolbarShowsTheRunningAction)
{
    Front(&window.Editor());
    EditorPage& page = window.Editor();
    QToolBar& bar = page.Tools();
    TKVRBackEditor* surface = page.Editor().GetSurface();
    const auto at = [surface](int64_t x, int64_t y) { return QPoint(surface->ScreenMMX(x), surface->ScreenMMY(y)); };
    const auto button = [&bar](const QString& aText) {
        for (QToolButton* b : bar.findChildren<QToolButton*>())
            if (b->text() == aText && b->isVisible())
                return b;
        return static_cast<QToolButton*>(nullptr);
    };
    // A click on the family's button, one on the tool in the menu it pops up.
    const auto pick = [&button](const QString& aFamily, const QString& aTool) {
        QToolButton* family = button(aFamily);
        ASSERT_TRUE(family && family->menu()) << aFamily.toStdString();
        QAction* item = nullptr;
        for (QAction* a : family->menu()->actions())
            if (a->text() == aTool)
                item = a;
        ASSERT_TRUE(item) << aTool.toStdString();
        QTimer::singleShot(0, [item] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        });
        QTest::mouseClick(family, Qt::LeftButton);
    };
    // The family's menu popped up and closed with Esc, no tool chosen.
    const auto glance = [&button](const QString& aFamily) {
        QTimer::singleShot(0, [] {
            if (QWidget* menu = QApplication::activePopupWidget())
                QTest::keyClick(menu, Qt::Key_Escape);
        });
        QTest::mouseClick(button(aFamily), Qt::LeftButton);
    };
    const auto click = [surface, at](int64_t x, int64_t y, Qt::MouseButton aButton = Qt::LeftButton) {
        QTest::mouseClick(surface, aButton, {}, at(x, y));
    };
    // What shows checked: the buttons by their text, the menus' tools as "family/tool".
    const auto checked = [&bar] {
        QStringList out;
        for (QToolButton* b : bar.findChildren<QToolButton*>()) {
            if (b->isChecked())
                out << b->text();
            if (b->menu())
                for (QAction* a : b->menu()->actions())
                    if (a->isChecked())
                        out << b->text() + '/' + a->text();
        }
        out.sort();
        return out;
    };
    const int32_t items = page.Document().GetItemsCount();
    const struct
    {
        const char* Name;
        std::function<void()> Do;
        QStringList Checked;
        int32_t Drawn;  // elements drawn so far
    } steps[] = {
        {"at start", [] {}, {"Select"}, 0},
        {"Shapes, Rectangle", [&] { pick("Shapes", "Rectangle"); }, {"Shapes", "Shapes/Rectangle"}, 0},
        {"the same tool again", [&] { pick("Shapes", "Rectangle"); }, {"Shapes", "Shapes/Rectangle"}, 0},
        {"Esc", [&] { QTest::keyClick(surface, Qt::Key_Escape); }, {"Select"}, 0},
        {"Lines, Polyline", [&] { pick("Lines", "Polyline"); }, {"Lines", "Lines/Polyline"}, 0},
        {"three points", [&] { click(20000, 20000); click(60000, 20000); click(60000, 50000); },
         {"Lines", "Lines/Polyline"}, 0},
        {"the right button ends it", [&] { click(60000, 50000, Qt::RightButton); }, {"Select"}, 1},
        {"Shapes, Rectangle once more", [&] { pick("Shapes", "Rectangle"); }, {"Shapes", "Shapes/Rectangle"}, 1},
        {"two clicks draw it", [&] { click(20000, 60000); click(50000, 80000); }, {"Select"}, 2},
        {"Codes, QR", [&] { pick("Codes", "QR"); }, {"Codes", "Codes/QR"}, 2},
        {"the Lines menu opened and closed", [&] { glance("Lines"); }, {"Codes", "Codes/QR"}, 2},
        {"the Codes menu opened and closed", [&] { glance("Codes"); }, {"Codes", "Codes/QR"}, 2},
        {"the Select button", [&] { QTest::mouseClick(button("Select"), Qt::LeftButton); }, {"Select"}, 2},
        {"Texts, Text", [&] { pick("Texts", "Text"); }, {"Texts", "Texts/Text"}, 2},
        {"File, New, the drawing discarded", [&] {
             TModalScript script;
             script.Strictly()
                 .Then("QMessageBox", TModalScript::Press(QMessageBox::Discard))
                 .Then("TfLabelling", [](QWidget* f) { qobject_cast<QDialog*>(f)->reject(); });
             Action("actNew")->trigger();
             EXPECT_TRUE(script.Done());
         },
         {"Select"}, -items},
    };
    for (const auto& step : steps) {
        step.Do();
        EXPECT_EQ(checked(), step.Checked) << step.Name << ": " << checked().join(", ").toStdString();
        EXPECT_EQ(page.Document().GetItemsCount(), items + step.Drawn) << step.Name;
    }
}

// Save as... writes the type chosen in its dialog: a name typed without an
// extension takes the type's; a name with one keeps it, since Open reads by it.
TEST_F(DemoWindowTest, SaveAsWritesTheTypeChosen)
{
    QTemporaryDir dir;
    const QString binary = "Binary label (*.eti)", json = "JSON label (*.json)";
    const struct
    {
        QString Type, Typed, Written;
        bool Json;
    } cases[] = {
        {json, "plain", "plain.json", true},
        {binary, "plain", "plain.eti", false},
        {json, "named.eti", "named.eti", false},
        {binary, "named.json", "named.json", true},
    };
    Front(&window.Editor());
    const int32_t items = window.Editor().Document().GetItemsCount();
    for (const auto& c : cases) {
        SCOPED_TRACE((c.Type + " " + c.Typed).toStdString());
        const QString folder = dir.filePath(c.Type.left(4) + c.Typed);
        ASSERT_TRUE(QDir().mkpath(folder));
        TModalScript script;
        script.Then("QFileDialog", TModalScript::ChooseFile(QDir(folder).filePath(c.Typed), c.Type));
        Action("actSaveAs")->trigger();
        ASSERT_TRUE(script.Done());
        const QString written = QDir(folder).filePath(c.Written);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{c.Written});
        EXPECT_EQ(window.Editor().LabelFile(), written);
        QFile file(written);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(QJsonDocument::fromJson(file.readAll()).isObject(), c.Json);
        TVXLabelFMX back;
        ASSERT_TRUE(back.LoadFromFile(written));
        EXPECT_EQ(back.GetItemsCount(), items);
    }
}

}  // namespace
