// The editor's settings button opens the settings dialog: what OK confirms
// without an edit is what the editor and the document held; Cancel keeps
// them whatever colours were picked.
#include "dialogs/KVR.FMX.SelColor.h"
#include "dialogs/KVR.FMX.Settings.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "tests/dialogs/DialogsTestSupport.h"
#include <QCheckBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Everything the dialog shows, as the editor and the document hold it.
struct TState
{
    TKVRGridDraw Style;
    int32_t IncX, IncY, MoveX, MoveY, Gap;
    bool Orto, ShowSize, ShowAlign, ShowRefLines;
    TKVRSnapOptions Snap;
    TKVRShowRulers Rulers;
    TAlphaColor SizeColor, Align, AlignText, RefLine, Step, Units, Term, FillTerm;
    float TermSize;

    bool operator==(const TState&) const = default;
};

TState StateOf(TKVREditor& aEditor, TVXLabelFMX& aDoc)
{
    const TKVRGrid& grid = *aEditor.GetGrid();
    const TKVRRulers& rulers = *aEditor.GetRulers();
    const TKVRSelColors& colors = *aEditor.GetSelectionColors();
    const float moveX = aEditor.GetMoveX();
    const float moveY = aEditor.GetMoveY();
    return {grid.GetStyle(),
            grid.fIncX,
            grid.fIncY,
            int32_t(SetValue(moveX, aEditor.Units())),
            int32_t(SetValue(moveY, aEditor.Units())),
            aEditor.GetGap(),
            aEditor.GetOrtoLines(),
            rulers.GetShowSize(),
            rulers.GetShowAlign(),
            aEditor.GetShowRefLines(),
            aEditor.GetSnap(),
            rulers.GetVisible(),
            rulers.GetSizeColor(),
            colors.fAlign,
            colors.fAlignText,
            colors.fRefLine,
            grid.GetStepColor(),
            grid.GetUnitsColor(),
            aDoc.GetSettings().GetTermColor(),
            aDoc.GetSettings().GetFillTermColor(),
            aDoc.GetSettings().GetTermSize()};
}

class Settings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Values no default holds, in a unit whose micrometre needs five decimals.
        fDoc.SetUnits(TKVRUnits::Inch);
        fEditor.resize(500, 400);
        fEditor.SetLabel(&fDoc);
        fEditor.GetGrid()->SetStyle(TKVRGridDraw::gdPoints);
        fEditor.GetGrid()->fIncX = 9399;
        fEditor.GetGrid()->fIncY = 12345;
        fEditor.GetGrid()->SetStepColor(0xFF102030u);
        fEditor.GetGrid()->SetUnitsColor(0x80405060u);
        fEditor.SetMoveX(0.12345f);
        fEditor.SetMoveY(1.5f);
        fEditor.SetGap(17);
        fEditor.SetOrtoLines(true);
        fEditor.SetSnap(skGrid | skCross | skPerpendicular | skSymbolRef);
        fEditor.SetShowRefLines(true);
        fEditor.GetRulers()->SetVisible(rvRight | rvBottom);
        fEditor.GetRulers()->SetShowSize(true);
        fEditor.GetRulers()->SetSizeColor(0xFFAA0011u);
        fEditor.GetRulers()->SetShowAlign(true);
        fEditor.GetSelectionColors()->fAlign = 0xFF00AA22u;
        fEditor.GetSelectionColors()->fAlignText = 0xFF0000AAu;
        fEditor.GetSelectionColors()->fRefLine = 0x7F123456u;
        fDoc.GetSettings().SetTermColor(0xFF804020u);
        fDoc.GetSettings().SetFillTermColor(0x80C0E0F0u);
        fDoc.GetSettings().SetTermSize(3.14159f);
    }
    void TearDown() override { fEditor.SetLabel(nullptr); }

    TVXLabelFMX fDoc;
    TKVREditor fEditor;
};

}  // namespace

TEST_F(Settings, OkWithoutAnEditWritesBackWhatWasRead)
{
    const TState before = StateOf(fEditor, fDoc);
    bool shown = false;
    WhenModal([&](QWidget* aForm) {
        auto* form = qobject_cast<TfSettings*>(aForm);
        ASSERT_NE(form, nullptr);
        shown = true;
        EXPECT_TRUE(form->findChild<QRadioButton*>("RB2")->isChecked());
        EXPECT_TRUE(form->findChild<QCheckBox*>("ckPerpendicularPoint")->isChecked());
        EXPECT_FALSE(form->findChild<QCheckBox*>("ckLeftRuler")->isChecked());
        EXPECT_EQ(form->findChild<QSpinBox*>("SEGap")->value(), 17);
        EXPECT_EQ(form->findChild<QCheckBox*>("ckOrtoLines")->text(), "Orthogonal lines (F8)");
        form->findChild<QPushButton*>("butOK")->click();
    });
    fEditor.GetSettingsButton()->click();
    ASSERT_TRUE(shown);
    EXPECT_TRUE(StateOf(fEditor, fDoc) == before);
    EXPECT_EQ(fDoc.GetSettings().GetTermSize(), 3.14159f);
    EXPECT_EQ(fEditor.GetGrid()->fIncX, 9399);
}

TEST_F(Settings, CancelAfterPickingColoursChangesNothing)
{
    const TState before = StateOf(fEditor, fDoc);
    QStringList picked;
    WhenModal([&](QWidget* aForm) {
        for (const char* name : {"shSizeColor", "shpGridColor", "shpTermColor"}) {
            auto* box = aForm->findChild<TKVRColorRect*>(name);
            WhenModal([](QWidget* aPicker) {
                aPicker->findChild<QSpinBox*>("seRed")->setValue(7);
                aPicker->findChild<QPushButton*>("butOK")->click();
            });
            QTest::mousePress(box, Qt::LeftButton);
            if ((box->GetColor() >> 16 & 0xFF) == 7)
                picked << name;
        }
        aForm->findChild<QPushButton*>("butCancel")->click();
    });
    fEditor.GetSettingsButton()->click();
    EXPECT_EQ(picked, QStringList({"shSizeColor", "shpGridColor", "shpTermColor"}));
    EXPECT_TRUE(StateOf(fEditor, fDoc) == before);

    // The same picks confirmed reach the editor and the document.
    WhenModal([&](QWidget* aForm) {
        WhenModal([](QWidget* aPicker) {
            aPicker->findChild<QSpinBox*>("seRed")->setValue(7);
            aPicker->findChild<QPushButton*>("butOK")->click();
        });
        QTest::mousePress(aForm->findChild<TKVRColorRect*>("shpTermColor"), Qt::LeftButton);
        aForm->findChild<QPushButton*>("butOK")->click();
    });
    fEditor.GetSettingsButton()->click();
    EXPECT_EQ(fDoc.GetSettings().GetTermColor(), 0xFF074020u);
}

TEST(SettingsForm, GridStyleIsNoneWithoutARadioButton)
{
    TfSettings form;
    EXPECT_EQ(form.GridStyle(), 0);
    form.RB3->setChecked(true);
    EXPECT_EQ(form.GridStyle(), 2);
}
