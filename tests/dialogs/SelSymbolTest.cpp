// The symbol browser over library files the tests write: the tree of
// categories, damaged and refused files, the labels, OK, and the editor's
// road from picking a symbol to the document.
#include "DialogsTestSupport.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "dialogs/KVR.FMX.SelSymbol.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "tests/support/LabelDocuments.h"
#include "views/KVR.FMX.ViewLibrary.h"
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QByteArray Library(const std::vector<std::pair<QString, QString>>& aSymbols)
{
    QByteArray text = "[";
    for (const auto& [name, category] : aSymbols) {
        if (text.size() > 1)
            text += ",";
        const std::string def = TJsonObject{{"Version", 1},
                                            {"Name", name.toStdString()},
                                            {"Category", category.toStdString()},
                                            {"Units", "in"},
                                            {"InsertX", 0},
                                            {"InsertY", 0},
                                            {"Note", "note of " + name.toStdString()},
                                            {"Def", TJsonObject::parse(R"([{"Type":"Line","Points":[0,0,1,1]}])")}}
                                    .dump();
        text += QByteArray::fromStdString(def);
    }
    return text + "]";
}

// Messages shown while it lives, instead of boxes.
struct TMessages
{
    QStringList Shown;
    TMessages()
    {
        TKVRPrompts::THandlers h;
        h.Message = [this](QWidget*, const QString& aText) { Shown.append(aText); };
        TKVRPrompts::SetHandlers(h);
    }
    ~TMessages() { TKVRPrompts::Reset(); }
};

// Texts of the tree, a line per item, indented by level.
QString Tree(const QTreeWidget& aTree)
{
    QString out;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* aItem, int aLevel) {
        out += QString(aLevel * 2, ' ') + aItem->text(0) + "\n";
        for (int i = 0; i < aItem->childCount(); ++i)
            walk(aItem->child(i), aLevel + 1);
    };
    for (int i = 0; i < aTree.topLevelItemCount(); ++i)
        walk(aTree.topLevelItem(i), 0);
    return out;
}

QTreeWidgetItem* Item(const QTreeWidget& aTree, const QString& aText)
{
    const auto found = aTree.findItems(aText, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// Picks the category aCategory and its first symbol in the browser.
void PickFirst(TfSelSymbol& aForm, const QString& aCategory)
{
    aForm.tvCategory->setCurrentItem(Item(*aForm.tvCategory, aCategory));
    TKVRViewLibrary& view = *aForm.KVRViewLibrary;
    QTest::mouseClick(&view, Qt::LeftButton, {}, view.Grid().CellRect(1).center());
}

}  // namespace

TEST(SymbolBrowser, TreeOfLibrariesLeavesOutDamagedAndRefusedFiles)
{
    QTemporaryDir dir;
    WriteAll(dir.filePath("a.lyp"), Library({{"i", "Doors/Inner"}, {"o", "Doors/Outer"}, {"c", "A/B/C"},
                                             {"d", "A/B/D"}, {"n", ""}}));
    WriteAll(dir.filePath("b.lyp"), Library({{"x", "Doors"}}));
    WriteAll(dir.filePath("c.lyp"), "[{");
    WriteAll(dir.filePath("d.lyp"), "not even JSON");  // refused: never read, so never named
    WriteAll(dir.filePath("notes.txt"), "not a library");
    TVXLabelFMX doc;
    QStringList asked;
    doc.OnReadSymEvent = [&](QObject*, const QString& aFile, bool& aAccept) {
        asked.append(QFileInfo(aFile).fileName());
        aAccept = !aFile.endsWith("d.lyp");
    };
    TMessages messages;
    TfSelSymbol form;
    form.Ini(&doc, dir.path(), QString());
    EXPECT_EQ(asked, (QStringList{"a.lyp", "b.lyp", "c.lyp", "d.lyp"}));
    // Shared roots of one library are one item; the same root in another library is its own.
    EXPECT_EQ(Tree(*form.tvCategory), "Doors\n  Inner\n  Outer\nA\n  B\n    C\n    D\na\nDoors\n");
    ASSERT_EQ(messages.Shown.size(), 1);
    EXPECT_TRUE(messages.Shown[0].contains("c.lyp"));
    EXPECT_FALSE(messages.Shown[0].contains("d.lyp"));
    // No symbols in the document: no current-drawing item.
    EXPECT_EQ(Item(*form.tvCategory, TKVRMsg::GetDialogsValue("CurDrawing")), nullptr);

    // A category shows its own symbols only; one without symbols is an empty view.
    form.tvCategory->setCurrentItem(Item(*form.tvCategory, "C"));
    EXPECT_EQ(form.KVRViewLibrary->GetNumSymbols(), 1);
    form.tvCategory->setCurrentItem(Item(*form.tvCategory, "B"));
    EXPECT_EQ(form.KVRViewLibrary->GetNumSymbols(), 0);
    form.tvCategory->setCurrentItem(Item(*form.tvCategory, "a"));
    EXPECT_EQ(form.KVRViewLibrary->GetNumSymbols(), 1);
    EXPECT_FALSE(form.butOK->isEnabled());
}

TEST(SymbolBrowser, AFolderThatCannotBeListedIsTold)
{
    QTemporaryDir dir;
    TVXLabelFMX doc;
    BuildEveryKind(doc);
    TMessages messages;
    TfSelSymbol form;
    form.Ini(&doc, dir.path(), QString());
    EXPECT_TRUE(messages.Shown.isEmpty());
    // The document's own symbols are the only entry.
    EXPECT_EQ(Tree(*form.tvCategory), TKVRMsg::GetDialogsValue("CurDrawing") + "\n");
    for (const QString& folder : {QString(), dir.filePath("missing")}) {
        form.Ini(&doc, folder, QString());
        EXPECT_EQ(form.tvCategory->topLevelItemCount(), 0);
    }
    EXPECT_EQ(messages.Shown, QStringList(2, "Incorrect path or search mask"));
}

TEST(SymbolBrowser, NamesFromFilesShowAsTheyAre)
{
    QTemporaryDir dir;
    WriteAll(dir.filePath("a.lyp"), Library({{"<b>x</b>", "Tags"}}));
    TVXLabelFMX doc;
    TfSelSymbol form;
    form.Ini(&doc, dir.path(), QString());
    form.tvCategory->setCurrentItem(Item(*form.tvCategory, "Tags"));
    form.show();
    TKVRViewLibrary& view = *form.KVRViewLibrary;
    QTest::mouseMove(&view, view.Grid().CellRect(1).center());
    EXPECT_EQ(form.labName->text(), "<b>x</b>");
    EXPECT_EQ(form.labName->textFormat(), Qt::PlainText);
    EXPECT_EQ(form.labUnits->text(), SymUnit(TKVRUnits::Inch, false));
    EXPECT_EQ(form.labNote->text(), "note of <b>x</b>");
    EXPECT_EQ(view.toolTip(), "&lt;b&gt;x&lt;/b&gt;");
    // Off the symbols the labels clear.
    QTest::mouseMove(&view, QPoint(1, 1));
    EXPECT_TRUE(form.labName->text().isEmpty());
}

TEST(SymbolBrowser, TheEditorPlacesACopyThatOutlivesTheBrowser)
{
    QTemporaryDir dir;
    WriteAll(dir.filePath("a.lyp"), Library({{"Pump", "Parts"}}));
    TVXLabelFMX doc;
    doc.SetLibraryFolder(dir.path());
    TKVREditor editor;
    editor.resize(400, 300);
    editor.SetLabel(&doc);

    bool okBeforePick = true;
    WhenModal([&](QWidget* aForm) {
        auto* form = qobject_cast<TfSelSymbol*>(aForm);
        okBeforePick = form->butOK->isEnabled();
        PickFirst(*form, "Parts");
        form->butOK->click();
    });
    doc.StartAction(TAct::ActSymbol);
    EXPECT_FALSE(okBeforePick);
    ASSERT_EQ(doc.GetSymbolCount(), 1);
    // The browser and its library are gone; the document's copy is whole.
    EXPECT_EQ(doc.GetSymbol(1)->GetName(), "Pump");
    EXPECT_EQ(doc.GetSymbol(1)->GetItemsCount(), 1);
    ASSERT_NE(doc.GetCurSymbol(), nullptr);
    EXPECT_EQ(doc.GetCurSymbol()->GetName(), "Pump");
    EXPECT_EQ(doc.GetAction(), TAct::ActSymbol);

    // Picked again from the current drawing: placed, not filed twice.
    doc.StartAction(TAct::ActSelect);
    WhenModal([&](QWidget* aForm) {
        auto* form = qobject_cast<TfSelSymbol*>(aForm);
        PickFirst(*form, TKVRMsg::GetDialogsValue("CurDrawing"));
        form->butOK->click();
    });
    doc.StartAction(TAct::ActSymbol);
    EXPECT_EQ(doc.GetSymbolCount(), 1);
    EXPECT_EQ(doc.GetAction(), TAct::ActSymbol);

    // Cancel resets the action.
    ClickWhenModal("butCancel");
    doc.StartAction(TAct::ActSymbol);
    EXPECT_EQ(doc.GetAction(), TAct::ActSelect);
}

TEST(SymbolBrowser, LongNamesAndNotesNeverMoveTheWindowAndEmptyLevelsMakeNoItem)
{
    const QString longName = QString(160, u'N'), hugeName = QString(6000, u'W'), lines = "first\nsecond";
    QTemporaryDir dir;
    WriteAll(dir.filePath("a.lyp"), Library({{longName, "/lead//double/"}, {hugeName, "/lead//double/"},
                                             {lines, "/lead//double/"}}));
    TVXLabelFMX doc;
    TfSelSymbol form;
    form.Ini(&doc, dir.path(), QString());
    EXPECT_EQ(Tree(*form.tvCategory), "lead\n  double\n");
    form.tvCategory->setCurrentItem(Item(*form.tvCategory, "double"));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    TKVRViewLibrary& view = *form.KVRViewLibrary;
    ASSERT_EQ(view.GetNumSymbols(), 3);
    const QSize size = form.size();
    const QRect grid = view.geometry();
    for (int i = 1; i <= 3; ++i) {
        const QString name = i == 1 ? longName : i == 2 ? hugeName : lines;
        SCOPED_TRACE(name.left(8).toStdString());
        QTest::mouseMove(&view, view.Grid().CellRect(i).center());
        QApplication::processEvents();
        EXPECT_EQ(form.size(), size);
        EXPECT_EQ(view.geometry(), grid);
        for (TKVRElidedLabel* label : {form.labName, form.labNote}) {
            EXPECT_TRUE(label->toolTip().endsWith(name));
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
            EXPECT_FALSE(label->text().contains(u'\n'));
        }
    }
    QTest::mouseMove(&view, QPoint(1, 1));
    QApplication::processEvents();
    EXPECT_EQ(form.size(), size);
}
