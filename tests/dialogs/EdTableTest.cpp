// The table column editor on a real document: what each control writes into
// the selected table, how often the views hear of it, and what it does
// without data fields or once the selection moved on.
#include "dialogs/KVR.FMX.DialogKit.h"
#include "dialogs/KVR.FMX.EdTable.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "document/KVR.FMX.h"
#include "document/KVR.FMX.Openers.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRTable.h"
#include "elements/TKVRText.h"
#include "platform/rtl/label/TKVRData.h"
#include "tests/dialogs/DialogsTestSupport.h"
#include <QButtonGroup>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <optional>

namespace {

struct TTableBench : TScriptedPrompts
{
    TVXLabelFMX Doc;
    TKVRTable* Table;
    std::optional<TBracketCount> Changes;  // from the selection on
    explicit TTableBench(bool aFields)
    {
        if (aFields)
            Doc.GetData().SetJson(R"([{"Item":"Bolt","Qty":1}])");
        Table = new TKVRTable(&Doc, false);
        Table->SetBase(1, 10000, 10000);
        Table->SetBase(2, 110000, 40000);
        Table->SetDetail(TKVRData::JsonDataset);
        Doc.SelectItem(Table, false);
        Changes.emplace(Doc);
    }
    int Ends() const { return Changes->Ends; }
};

}  // namespace

TEST(EdTable, NoColumnAsksAtOnceAndCancelLeavesAnEmptyList)
{
    TTableBench bench(true);
    TfEdTable form;
    form.Ini(&bench.Doc);
    EXPECT_EQ(bench.Asked, 1);
    EXPECT_EQ(bench.Table->GetColumnCount(), 0);
    EXPECT_EQ(form.lbColumns->count(), 0);
    EXPECT_FALSE(form.butUp->isEnabled());
    EXPECT_FALSE(form.butDown->isEnabled());
    form.butDelete->click();  // nothing selected: nothing
    EXPECT_EQ(bench.Ends(), 0);

    // Insert adds like Add.
    bench.Answer = "Part";
    QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
    QApplication::sendEvent(&form, &insert);
    ASSERT_EQ(bench.Table->GetColumnCount(), 1);
    EXPECT_EQ(bench.Table->GetColumn(1).Header.Text, "Part");
    EXPECT_EQ(form.edHeaderText->text(), "Part");
    EXPECT_EQ(bench.Ends(), 1);
    EXPECT_FALSE(form.butUp->isEnabled());
}

// A field choice renames the list entry, header, body and the header box;
// the width box shows what the column kept; delete and statistic reported.
TEST(EdTable, FieldWidthStatisticAndDelete)
{
    TTableBench bench(true);
    bench.Table->AddColumn(40.0f).Header.Text = "A";
    bench.Table->AddColumn(60.0f).Header.Text = "B";
    TfEdTable form;
    form.Ini(&bench.Doc);
    EXPECT_EQ(bench.Asked, 0);
    EXPECT_EQ(form.seWidth->value(), 40);
    EXPECT_EQ(bench.Ends(), 0) << "loading a column writes nothing";
    form.lbColumns->setCurrentRow(1);
    EXPECT_EQ(form.seWidth->value(), 60);

    form.cBoxFields->setCurrentIndex(form.cBoxFields->findText("Qty"));
    const TKVRColumn& b = bench.Table->GetColumn(2);
    EXPECT_EQ(b.FieldName, "Qty");
    EXPECT_EQ(b.Header.Text, "Qty");
    EXPECT_EQ(b.Body.Text, "Qty");
    EXPECT_EQ(form.lbColumns->item(1)->text(), "Qty");
    EXPECT_EQ(form.edHeaderText->text(), "Qty");
    EXPECT_EQ(bench.Table->GetColumn(1).FieldName, "") << "the other column untouched";
    EXPECT_EQ(bench.Ends(), 1);

    form.seWidth->setValue(100);
    EXPECT_EQ(b.Width, 100.0f);
    EXPECT_EQ(form.seWidth->value(), 100);
    EXPECT_EQ(bench.Ends(), 2);

    form.rcFooter[size_t(TKVRFooter::Median)]->click();
    EXPECT_EQ(b.GetFooter(), TKVRFooter::Median);
    EXPECT_EQ(bench.Ends(), 3);

    // An alignment button pressed counts; loading another column wrote nothing.
    form.cells[1].horz[2]->click();
    EXPECT_EQ(b.Header.HorzAlign, TKVRHorzAlign::Right);
    EXPECT_EQ(bench.Ends(), 4);

    form.butDelete->click();
    EXPECT_EQ(bench.Table->GetColumnCount(), 1);
    EXPECT_EQ(bench.Table->GetColumn(1).Header.Text, "A");
    EXPECT_EQ(form.lbColumns->currentRow(), 0);
    EXPECT_EQ(bench.Ends(), 5);
}

TEST(EdTable, NoFieldsHidesThePagesAndAddDoesNothing)
{
    TTableBench bench(false);
    bench.Table->AddColumn(50.0f).Header.Text = "A";
    TfEdTable form;
    form.Ini(&bench.Doc);
    form.show();
    EXPECT_EQ(bench.Messages.size(), 1);
    EXPECT_FALSE(form.PColumns->isVisible());
    bench.Answer = "New";
    form.butAdd->click();
    form.butDelete->click();
    EXPECT_EQ(bench.Asked, 0);
    EXPECT_EQ(bench.Table->GetColumnCount(), 1);
    EXPECT_EQ(bench.Ends(), 0);
}

// Once another element is selected, no handler writes; picker OK unchanged
// on each swatch keeps the element as it was.
TEST(EdTable, SelectionMovedOnAndPickerOkUnchanged)
{
    TTableBench bench(true);
    TKVRColumn& a = bench.Table->AddColumn(50.0f);
    a.Header.Text = "A";
    a.Footer.BackColor = 0x80C04020;
    a.Body.Font.Color = 0xFF102030;
    TfEdTable form;
    form.Ini(&bench.Doc);
    const std::string before = bench.Table->WriteJson().dump();
    for (const TfEdTable::TCellControls& c : form.cells)
        for (TKVRColorRect* swatch : {c.shBack, c.shFontColor}) {
            ClickWhenModal("butOK");
            form.ShColColorMouseDown(swatch);
        }
    EXPECT_EQ(bench.Table->WriteJson().dump(), before);
    EXPECT_EQ(form.cells[2].shBack->GetColor(), 0x80C04020u);

    bench.Doc.SelectItem(new TKVRText(&bench.Doc, false), false);
    const int ends = bench.Ends();
    form.edHeaderText->setText("Z");
    form.seWidth->setValue(10);
    form.rcFooter[1]->click();
    bench.Answer = "C";
    form.butAdd->click();
    form.butDelete->click();
    EXPECT_EQ(bench.Table->WriteJson().dump(), before);
    EXPECT_EQ(bench.Ends(), ends);
}

// The label's double-click hook and the inspector's openers reach both editors.
TEST(EdTable, OpenersReachBothEditors)
{
    TTableBench bench(true);
    bench.Table->AddColumn(50.0f).Header.Text = "A";
    QString opened;
    auto closeModal = [&opened] {
        WhenModal([&opened](QWidget* aForm) {
            opened = aForm->objectName();
            static_cast<QDialog*>(aForm)->reject();
        });
    };
    closeModal();
    EXPECT_TRUE(KVRLabelOpeners().EditItem(bench.Doc, bench.Table));
    EXPECT_EQ(opened, "fEdTable");

    auto* poly = new TKVRPolyText(&bench.Doc, false);
    poly->AddItem("A");
    bench.Doc.SelectItem(poly, false);
    opened.clear();
    closeModal();
    EXPECT_TRUE(KVRLabelOpeners().EditPolyText(bench.Doc));
    EXPECT_EQ(opened, "fEdPoly");
    EXPECT_FALSE(KVRLabelOpeners().EditTable(bench.Doc)) << "the selection is no table";
}
