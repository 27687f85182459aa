// The settings dialog's values reach the editor and the document only when confirmed.
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
struct TScripted : IKVRSettingsDialog
{
    bool Confirm = true;
    TKVRSettingsValues Values;
    int Opened = 0;
    bool Edit(TVXLabelFMX&, TKVRBaseEditor&, TKVRSettingsValues& aValues) override
    {
        ++Opened;
        aValues = Values;
        return Confirm;
    }
};
}  // namespace

TEST(EditorSettings, ConfirmedValuesAreWrittenBackCancelledOnesAreNot)
{
    TVXLabelFMX doc;
    doc.SetUnits(TKVRUnits::Inch);
    TKVREditor editor;
    editor.resize(400, 300);
    editor.SetLabel(&doc);
    TScripted dialog;
    dialog.Values.RightRuler = dialog.Values.BottomRuler = true;
    dialog.Values.LeftRuler = false;
    dialog.Values.Snap = dialog.Values.CrossPoint = true;
    dialog.Values.GridStyle = TKVRGridDraw::gdPoints;
    dialog.Values.GridX = 0.5f;  // inches
    dialog.Values.Gap = 12.5f;
    dialog.Values.TermSize = 5;
    editor.fSettingsDialog = &dialog;

    for (bool confirm : {false, true}) {
        SCOPED_TRACE(confirm);
        dialog.Confirm = confirm;
        editor.GetSettingsButton()->click();
        EXPECT_EQ(editor.GetRulers()->GetVisible(),
                  confirm ? TKVRShowRulers(rvTop | rvRight | rvBottom) : TKVRShowRulers(rvLeft | rvTop));
        EXPECT_EQ(editor.GetSnap(), confirm ? TKVRSnapOptions(skGrid | skCross) : TKVRSnapOptions());
        EXPECT_EQ(editor.GetGrid()->GetStyle(), confirm ? TKVRGridDraw::gdPoints : TKVRGridDraw::gdNone);
        EXPECT_EQ(editor.GetGrid()->fIncX, confirm ? 12700 : 10000);
        EXPECT_EQ(editor.GetGap(), confirm ? 12 : 8);  // 12.5 to the even neighbour
        EXPECT_FLOAT_EQ(doc.GetSettings().GetTermSize(), confirm ? 5.0f : 3.0f);
        EXPECT_TRUE(editor.GetSurface()->fDScroll.Ready);
    }
    EXPECT_EQ(dialog.Opened, 2);
}
