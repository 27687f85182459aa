// The poly-text item editor on a real document: what each control writes
// into the selected element, how often the views hear of it, and that it
// leaves alone an element no longer selected.
#include "dialogs/KVR.FMX.DialogKit.h"
#include "dialogs/KVR.FMX.EdPolyText.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRText.h"
#include "tests/dialogs/DialogsTestSupport.h"
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Counts the edit brackets the document closes and the input boxes asked.
struct TPolyBench : TScriptedPrompts
{
    TVXLabelFMX Doc;
    TKVRPolyText* Poly;
    std::optional<TBracketCount> Changes;  // from the selection on
    explicit TPolyBench(const QStringList& aItems)
    {
        Poly = new TKVRPolyText(&Doc, false);
        for (const QString& text : aItems)
            Poly->AddItem(text);
        Doc.SelectItem(Poly, false);
        Changes.emplace(Doc);
    }
    int Ends() const { return Changes->Ends; }

    QString Order() const
    {
        QString s;
        for (int32_t i = 1; i <= Poly->GetItemCount(); ++i)
            s += Poly->GetItem(i).Text;
        return s;
    }
};

QStringList Lines(const QListWidget& aList)
{
    QStringList lines;
    for (int i = 0; i < aList.count(); ++i)
        lines << aList.item(i)->text();
    return lines;
}

}  // namespace

TEST(EdPoly, NoItemAsksAtOnceAndAnEmptyAnswerAddsNothing)
{
    TPolyBench bench({});
    TfEdPoly form;
    form.Ini(&bench.Doc);
    EXPECT_EQ(bench.Asked, 1);
    EXPECT_EQ(bench.Poly->GetItemCount(), 0);
    EXPECT_EQ(form.lbColumns->count(), 0);
    EXPECT_FALSE(form.butUp->isEnabled());
    EXPECT_FALSE(form.butDown->isEnabled());
    // Clearing the field of an element without items, deleting and moving are harmless.
    form.menuClear->trigger();
    form.butDelete->click();
    form.butDownClick();
    EXPECT_EQ(bench.Ends(), 0);

    bench.Answer = "Lot";
    form.butAdd->click();
    EXPECT_EQ(bench.Order(), "Lot");
    EXPECT_EQ(Lines(*form.lbColumns), QStringList{"Lot"});
    EXPECT_EQ(form.edText->text(), "Lot");
    EXPECT_EQ(bench.Ends(), 1);
}

// Up and Down at both ends: the buttons and the element's order agree.
TEST(EdPoly, UpAndDownMoveTheRightItems)
{
    TPolyBench bench({"A", "B", "C"});
    TfEdPoly form;
    form.Ini(&bench.Doc);
    EXPECT_EQ(bench.Asked, 0);
    EXPECT_FALSE(form.butUp->isEnabled());
    EXPECT_TRUE(form.butDown->isEnabled());
    form.butDown->click();
    EXPECT_EQ(bench.Order(), "BAC");
    form.butDown->click();
    EXPECT_EQ(bench.Order(), "BCA");
    EXPECT_EQ(form.lbColumns->currentRow(), 2);
    EXPECT_FALSE(form.butDown->isEnabled());
    form.butDownClick();  // at the end: nothing
    EXPECT_EQ(bench.Order(), "BCA");
    form.lbColumns->setCurrentRow(0);
    form.butUpClick();  // at the start: nothing
    EXPECT_EQ(bench.Order(), "BCA");
    form.lbColumns->setCurrentRow(1);
    form.butUp->click();
    EXPECT_EQ(bench.Order(), "CBA");
    EXPECT_EQ(Lines(*form.lbColumns), (QStringList{"C", "B", "A"}));
    EXPECT_EQ(form.edText->text(), "C");
    EXPECT_EQ(bench.Ends(), 3);
}

// Every edit is one reported change; the list line is trimmed, the item not.
TEST(EdPoly, EveryEditReportedOnceOnTheSelectedItem)
{
    TPolyBench bench({"A", "B"});
    TfEdPoly form;
    form.Ini(&bench.Doc);
    form.lbColumns->setCurrentRow(1);
    EXPECT_EQ(bench.Ends(), 0) << "loading an item writes nothing";

    int ends = 0;
    auto once = [&](const char* aWhat) {
        EXPECT_EQ(bench.Ends(), ++ends) << aWhat;
    };
    form.edText->setText("  Batch 7 ");
    once("text");
    EXPECT_EQ(bench.Poly->GetItem(2).Text, "  Batch 7 ");
    EXPECT_EQ(form.lbColumns->item(1)->text(), "Batch 7");
    form.edFormat->setText("0.00");
    once("format");
    form.edIA->setText("10");
    once("identifier");
    form.ckAddParenthesis->setChecked(!form.ckAddParenthesis->isChecked());
    once("parentheses");
    form.ckBold->setChecked(true);
    once("bold");
    form.ckItalic->setChecked(true);
    once("italic");
    form.seFontHeight->setValue(4.5);
    once("font height");
    const TKVRDataPoly& item = bench.Poly->GetItem(2);
    EXPECT_EQ(item.Data.Format, "0.00");
    EXPECT_EQ(item.AI, "10");
    EXPECT_TRUE(item.Font.Bold && item.Font.Italic);
    EXPECT_EQ(item.Font.Height, 4500);
    EXPECT_EQ(bench.Poly->GetItem(1).Text, "A") << "the first item is untouched";

    // Deleting selects the first remaining line.
    form.butDelete->click();
    once("delete");
    EXPECT_EQ(bench.Order(), "A");
    EXPECT_EQ(form.lbColumns->currentRow(), 0);
}

// Once another element is selected, no handler writes into either.
TEST(EdPoly, NothingWrittenWhenTheSelectionMovedOn)
{
    TPolyBench bench({"A", "B"});
    TfEdPoly form;
    form.Ini(&bench.Doc);
    auto* other = new TKVRText(&bench.Doc, false);
    bench.Doc.SelectItem(other, false);
    const std::string before = bench.Poly->WriteJson().dump();
    bench.Answer = "C";
    form.edText->setText("Z");
    form.butAdd->click();
    form.butDown->click();
    form.butDelete->click();
    form.ckBold->setChecked(true);
    form.menuClear->trigger();
    EXPECT_EQ(bench.Poly->WriteJson().dump(), before);
    EXPECT_EQ(bench.Ends(), 0);
}

// OK on the colour picker with the colour unchanged leaves the element as it was.
TEST(EdPoly, PickerOkUnchangedKeepsTheElement)
{
    TPolyBench bench({"A"});
    bench.Poly->GetItem(1).Font.Color = 0x80FF2040;
    TfEdPoly form;
    form.Ini(&bench.Doc);
    const std::string before = bench.Poly->WriteJson().dump();
    ClickWhenModal("butOK");
    form.shBackColorMouseDown(form.shFontColor);
    EXPECT_EQ(bench.Poly->WriteJson().dump(), before);
    EXPECT_EQ(form.shFontColor->GetColor(), 0x80FF2040u);
}
