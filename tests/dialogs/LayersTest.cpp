#include "tests/dialogs/DialogsTestSupport.h"
#include "dialogs/KVR.FMX.Layers.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/TKVRBaseLine.h"
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Three layers "0", "A", "B" and the dialog open on them.
struct TLayersFixture : ::testing::Test
{
    TVXLabelFMX Doc;
    TfLayers Form;
    void SetUp() override
    {
        Doc.AddLayer(QStringLiteral("A"));
        Doc.AddLayer(QStringLiteral("B"));
    }
    void Open() { Form.Ini(&Doc); }
    QString Rows() const
    {
        QStringList rows;
        for (int i = 0; i < Form.lbLayers->count(); ++i)
            rows << Form.lbLayers->item(i)->text();
        return rows.join(QLatin1Char(','));
    }
    QString Layers() const
    {
        QStringList names;
        Doc.GetLayersNames(names);
        return names.join(QLatin1Char(','));
    }
    // Up, Down, Delete enabled.
    std::string Buttons() const
    {
        return std::string(Form.butUp->isEnabled() ? "U" : "-") + (Form.butDown->isEnabled() ? "D" : "-") +
               (Form.butDelete->isEnabled() ? "X" : "-");
    }
    void TearDown() override { TKVRPrompts::Reset(); }
};

TEST_F(TLayersFixture, OpeningWritesNothingAndTheButtonsFollowTheRow)
{
    TBracketCount changes(Doc);
    Open();
    EXPECT_EQ(changes.Ends, 0);
    EXPECT_EQ(Rows(), "0,A,B");
    EXPECT_EQ(Form.edName->text(), "0");
    EXPECT_EQ(Buttons(), "---");
    Form.lbLayers->setCurrentRow(1);
    EXPECT_EQ(Buttons(), "-DX");
    Form.lbLayers->setCurrentRow(2);
    EXPECT_EQ(Buttons(), "U-X");
    EXPECT_EQ(Form.edName->text(), "B");
    EXPECT_EQ(changes.Ends, 0);
}

TEST_F(TLayersFixture, UpAndDownMoveTheRowsTheSelectionAndTheElements)
{
    Doc.SetActiveLayer(2);
    TKVRBaseLine* line = Doc.AddBaseLine(0, 0, 10000, 0);
    Open();
    Form.lbLayers->setCurrentRow(2);
    Form.butUp->click();
    EXPECT_EQ(Layers(), "0,B,A");
    EXPECT_EQ(Rows(), "0,B,A");
    EXPECT_EQ(Form.lbLayers->currentRow(), 1);
    EXPECT_EQ(Form.edName->text(), "B");
    EXPECT_EQ(Buttons(), "-DX");  // the default layer stays first
    EXPECT_EQ(line->GetLayer(), 1);
    EXPECT_EQ(Doc.GetActiveLayer()->GetName(), "B");
    Form.butUp->click();  // disabled: nothing happens
    EXPECT_EQ(Layers(), "0,B,A");
    Form.butDown->click();
    EXPECT_EQ(Layers(), "0,A,B");
    EXPECT_EQ(Form.lbLayers->currentRow(), 2);
    EXPECT_EQ(Buttons(), "U-X");
    EXPECT_EQ(line->GetLayer(), 2);
    // A rename after the moves relabels the moved layer's row.
    QTest::keyClicks(Form.edName, QStringLiteral("2"));
    EXPECT_EQ(Layers(), "0,A,B2");
    EXPECT_EQ(Rows(), "0,A,B2");
}

TEST_F(TLayersFixture, EachOptionBoxFlipsOneBit)
{
    Open();
    Form.lbLayers->setCurrentRow(1);
    const std::pair<QCheckBox*, uint16_t> boxes[] = {
        {Form.ckVisible, TKVRLayer::StateVisible},     {Form.ckPrint, TKVRLayer::StatePrintable},
        {Form.ckSelect, TKVRLayer::StateSelect},       {Form.ckExport, TKVRLayer::StateExport},
        {Form.ckPrintBack, TKVRLayer::StateBackPrint}, {Form.ckExportBack, TKVRLayer::StateBackExport},
    };
    TBracketCount changes(Doc);
    for (const auto& [box, bit] : boxes) {
        const uint16_t before = Doc.GetLayer(1)->GetState();
        box->click();
        EXPECT_EQ(Doc.GetLayer(1)->GetState(), uint16_t(before ^ bit)) << box->objectName().toStdString();
        EXPECT_EQ(Doc.GetLayer(0)->GetState(), TKVRLayer(0).GetState());
    }
    EXPECT_EQ(changes.Ends, 6);
}

TEST_F(TLayersFixture, DeleteAsksSendsElementsToTheDefaultLayerAndSelectsTheNewLast)
{
    Doc.SetActiveLayer(2);
    TKVRBaseLine* line = Doc.AddBaseLine(0, 0, 10000, 0);
    int asked = 0;
    TKVRPrompts::THandlers answers;
    answers.Confirm = [&](QWidget*, const QString&) { return ++asked == 2; };
    TKVRPrompts::SetHandlers(answers);
    Open();
    Form.lbLayers->setCurrentRow(2);
    Form.butDelete->click();  // No
    EXPECT_EQ(Layers(), "0,A,B");
    Form.butDelete->click();  // Yes
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(Layers(), "0,A");
    EXPECT_EQ(Rows(), "0,A");
    EXPECT_EQ(line->GetLayer(), 0);
    EXPECT_EQ(Form.lbLayers->currentRow(), 1);
    EXPECT_EQ(Form.edName->text(), "A");
    // The default layer is refused with a message.
    QString message;
    answers.Message = [&](QWidget*, const QString& aText) { message = aText; };
    answers.Confirm = [](QWidget*, const QString&) { return true; };
    TKVRPrompts::SetHandlers(answers);
    Form.lbLayers->setCurrentRow(0);
    Form.butDeleteClick();
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(Layers(), "0,A");
}

TEST_F(TLayersFixture, WithoutASelectedRowNothingIsWritten)
{
    Open();
    Form.lbLayers->setCurrentRow(2);
    Form.lbLayers->clearSelection();  // Ctrl+click on the selected row
    TBracketCount changes(Doc);
    QTest::keyClicks(Form.edName, QStringLiteral("x"));
    Form.ckVisible->click();
    Form.butDelete->click();
    Form.butDeleteClick();
    EXPECT_EQ(changes.Ends, 0);
    EXPECT_EQ(Layers(), "0,A,B");
    EXPECT_EQ(Doc.GetLayer(2)->GetState(), TKVRLayer(0).GetState());
}

TEST_F(TLayersFixture, TheLabelOpensTheDialogAndRefreshes)
{
    TBracketCount changes(Doc);
    WhenModal([](QWidget* aForm) {
        auto* form = qobject_cast<TfLayers*>(aForm);
        ASSERT_NE(form, nullptr);
        form->lbLayers->setCurrentRow(1);
        form->ckLayerZPos->click();
        form->reject();
    });
    Doc.EditLayers();
    EXPECT_TRUE(Doc.GetLayerZOrder());
    EXPECT_EQ(changes.Ends, 2);  // the box, then the refresh
}

}  // namespace

namespace {

TEST_F(TLayersFixture, MarginsAreWrittenOnOkOnly)
{
    Open();
    Form.lbLayers->setCurrentRow(1);
    for (const char* button : {"butCancel", "butOK"}) {
        WhenModal([button](QWidget* aForm) {
            aForm->findChild<QDoubleSpinBox*>(QStringLiteral("seMarginTop"))->setValue(2.5);
            aForm->findChild<QDoubleSpinBox*>(QStringLiteral("seMarginRight"))->setValue(4);
            aForm->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        });
        Form.butBackMargins->click();
        if (button[3] == 'C') {
            EXPECT_EQ(Doc.GetLayer(1)->GetImgMarTop(), 0.0f);
        }
    }
    const TKVRLayer* l = Doc.GetLayer(1);
    EXPECT_EQ(l->GetImgMarTop(), 2.5f);
    EXPECT_EQ(l->GetImgMarRight(), 4.0f);
    EXPECT_EQ(l->GetImgMarLeft(), 0.0f);
    EXPECT_EQ(Doc.GetLayer(0)->GetImgMarTop(), 0.0f);
}

}  // namespace
