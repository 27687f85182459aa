// What every dialog and the preview window show in words: no caption, title,
// tool tip, list entry or header is a message key left without a text, and
// in the column, item, layer and dimension-style editors each caption fits.
#include "dialogs/KVR.FMX.Back.Margins.h"
#include "dialogs/KVR.FMX.DimStyles.h"
#include "dialogs/KVR.FMX.Drawing.h"
#include "dialogs/KVR.FMX.EdJson.h"
#include "dialogs/KVR.FMX.EdPolyText.h"
#include "dialogs/KVR.FMX.EdTable.h"
#include "dialogs/KVR.FMX.Labelling.h"
#include "dialogs/KVR.FMX.Layers.h"
#include "dialogs/KVR.FMX.Mem.h"
#include "dialogs/KVR.FMX.SelColor.h"
#include "dialogs/KVR.FMX.SelFont.h"
#include "dialogs/KVR.FMX.SelMap.h"
#include "dialogs/KVR.FMX.SelSize.h"
#include "dialogs/KVR.FMX.SelSymbol.h"
#include "dialogs/KVR.FMX.Settings.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRTable.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/label/TKVRData.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "tests/dialogs/DialogsTestSupport.h"
#include "tests/support/LabelDocuments.h"
#include "views/KVR.FMX.ShowPreview.h"
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

// Every dialog of the suite opened on a sample document, and the preview.
struct TEveryDialog
{
    TScriptedPrompts Prompts;
    QTemporaryDir Symbols;
    TVXLabelFMX Doc, Drawing, Library;
    TKVREditor Editor;
    std::vector<std::unique_ptr<QDialog>> Forms;

    template <typename T>
    T& Add()
    {
        Forms.push_back(std::make_unique<T>());
        return static_cast<T&>(*Forms.back());
    }

    TEveryDialog()
    {
        TKVRMsg::ForgetMissingKeys();
        Doc.GetData().SetJson(R"([{"Item":"Bolt","Qty":1,"Price":0.5}])");
        Doc.AddLayer(QStringLiteral("Walls"));
        (new TKVRCounter(&Doc))->Name = QStringLiteral("Serial");

        Add<TfSelColor>().Ini(QString(), 0xC02CA02Cu);
        Add<TfMem>().Ini(QStringLiteral("Lot 42"), false);
        Add<TfSelFont>().LoadFonts({QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
        Add<TfSelSize>().LoadSizes();
        Add<TfSelMap>().Ini(&Doc, true, 300, 200);
        Editor.SetLabel(&Drawing);
        Add<TfSettings>().Ini(&Drawing, &Editor);
        WriteAll(Symbols.filePath(QStringLiteral("parts.lyp")), kSymbolLibrary);
        BuildEveryKind(Library);
        auto& browser = Add<TfSelSymbol>();
        browser.Ini(&Library, Symbols.path(), QString());
        browser.tvCategory->expandAll();
        Add<TfLabelling>().Ini(&Doc);
        Add<TfJsonData>().IniDialog(R"({"Items":[{"Name":"bolt"}]})");
        Add<TfLayers>().Ini(&Doc);
        Add<TfBackMargins>().Ini(&Doc, 1);
        Add<TfPreview>().Ini(&Doc);

        auto* table = new TKVRTable(&Doc, false);
        table->SetDetail(TKVRData::JsonDataset);
        table->AddColumn(40.0f).SetField(QStringLiteral("Qty"));
        Doc.SelectItem(table, false);
        Add<TfEdTable>().Ini(&Doc);
        auto* poly = new TKVRPolyText(&Doc, false);
        poly->AddItem(QStringLiteral("Lot"));
        Doc.SelectItem(poly, false);
        Add<TfEdPoly>().Ini(&Doc);

        Doc.SetEditorMode(2);
        Add<TfDrawing>().Ini(&Doc);
        Add<TfDimStls>().Ini(&Doc);
    }
    ~TEveryDialog()
    {
        Forms.clear();
        Editor.SetLabel(nullptr);
    }
};

// The texts a person reads on a form, each with where it stands.
std::vector<std::pair<std::string, QString>> Texts(QDialog& aForm, std::vector<int>* oHeaderNumbers = nullptr)
{
    std::vector<std::pair<std::string, QString>> texts;
    const auto add = [&](const QObject* aWhere, const char* aWhat, const QString& aText) {
        texts.emplace_back(aWhere->objectName().toStdString() + " " + aWhat, aText.trimmed());
    };
    add(&aForm, "title", aForm.windowTitle());
    for (QWidget* w : aForm.findChildren<QWidget*>()) {
        add(w, "tool tip", w->toolTip());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            add(w, "caption", b->text());
        if (auto* l = qobject_cast<QLabel*>(w))
            add(w, "caption", l->text());
        if (auto* g = qobject_cast<QGroupBox*>(w))
            add(w, "title", g->title());
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                add(w, "entry", c->itemText(i));
        if (auto* l = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < l->count(); ++i)
                add(w, "entry", l->item(i)->text());
        if (auto* t = qobject_cast<QTreeWidget*>(w))
            for (QTreeWidgetItemIterator it(t); *it; ++it)
                add(w, "entry", (*it)->text(0));
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i) {
                add(w, "tab", t->tabText(i));
                add(w, "tab tip", t->tabToolTip(i));
            }
        if (auto* v = qobject_cast<QTableView*>(w); v && v->model())
            for (int i = 0; i < v->model()->columnCount(); ++i) {
                const QString header = v->model()->headerData(i, Qt::Horizontal).toString();
                add(w, "header", header);
                // A header nobody named shows its number.
                if (oHeaderNumbers && header == QString::number(i + 1))
                    oHeaderNumbers->push_back(i);
            }
    }
    for (QAction* a : aForm.findChildren<QAction*>()) {
        add(a, "menu entry", a->text());
        add(a, "tool tip", a->toolTip() == QString(a->text()).remove(u'&') ? QString() : a->toolTip());
    }
    return texts;
}

}  // namespace

TEST(DialogCaptions, NoKeyWithoutATextIsShown)
{
    TEveryDialog all;
    const QStringList missing = TKVRMsg::MissingKeys();
    std::set<std::string> found;
    for (const auto& form : all.Forms) {
        std::vector<int> numbers;
        const std::string name = form->objectName().toStdString();
        for (const auto& [where, text] : Texts(*form, &numbers))
            if (!text.isEmpty() && missing.contains(text))
                found.insert(name + " " + where + ": " + text.toStdString());
        for (int i : numbers)
            found.insert(name + " header " + std::to_string(i + 1));
    }
    for (const std::string& f : found)
        ADD_FAILURE() << f;
    EXPECT_EQ(all.Forms.size(), 16u);  // every dialog and the preview window
}

namespace {

// What of a caption or a list entry is cut: empty when every text fits.
std::vector<std::string> CutTexts(QWidget& aPage)
{
    std::vector<std::string> cut;
    const auto check = [&](QWidget* aWhere, const QString& aText, int aNeed, int aRoom) {
        if (aNeed > aRoom)
            cut.push_back(aWhere->objectName().toStdString() + " \"" + aText.toStdString() + "\" needs " +
                          std::to_string(aNeed) + " of " + std::to_string(aRoom));
    };
    for (QWidget* w : aPage.findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty())
            check(w, l->text(), l->fontMetrics().horizontalAdvance(l->text()), l->contentsRect().width());
        if (auto* b = qobject_cast<QCheckBox*>(w))
            check(w, b->text(), b->sizeHint().width(), b->width());
        if (auto* b = qobject_cast<QRadioButton*>(w))
            check(w, b->text(), b->sizeHint().width(), b->width());
        // Font lists hold whatever the machine has; every other list is ours.
        auto* c = qobject_cast<QComboBox*>(w);
        if (!c || c->objectName().contains(QStringLiteral("Font")))
            continue;
        QStyleOptionComboBox option;
        option.initFrom(c);
        const int field = c->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, c).width();
        for (int i = 0; i < c->count(); ++i)
            check(w, c->itemText(i), c->fontMetrics().horizontalAdvance(c->itemText(i)), field);
        c->showPopup();
        QAbstractItemView* list = c->view();
        check(w, QStringLiteral("open list"), list->sizeHintForColumn(0), list->viewport()->width());
        c->hidePopup();
    }
    return cut;
}

}  // namespace

TEST(DialogCaptions, EveryCaptionAndListEntryOfTheEditorsFits)
{
    TEveryDialog all;
    for (const auto& form : all.Forms) {
        const QString name = form->objectName();
        if (name != "fEdTable" && name != "fEdPoly" && name != "fLayers" && name != "fDimStls")
            continue;
        SCOPED_TRACE(name.toStdString());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        auto* pages = form->findChild<QTabWidget*>();
        for (int page = 0; page < (pages ? pages->count() : 1); ++page) {
            if (pages)
                pages->setCurrentIndex(page);
            for (const std::string& cut : CutTexts(*form))
                ADD_FAILURE() << cut;
        }
        form->hide();
    }
}
