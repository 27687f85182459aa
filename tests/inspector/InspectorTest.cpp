// The inspector on a real document, offscreen: the rows it lists, its scroll
// range, the changes it follows, and what it paints.
#include "inspector/KVR.FMX.Inspector.h"
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include "tests/support/LabelDocuments.h"
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

namespace {

// (Kind, Type) of every row shown.
std::set<std::pair<int, int>> Groups(const TKVRBaseInspector& aGrid)
{
    std::set<std::pair<int, int>> groups;
    for (const TJsonObject& row : aGrid.GetRows())
        groups.insert({row["Kind"].get<int>(), row["Type"].get<int>()});
    return groups;
}

// The shown value of the part with position aPos.
TJsonObject Shown(const TKVRBaseInspector& aGrid, int aPos, int* aRow = nullptr, int* aPart = nullptr)
{
    int r = 0;
    for (const TJsonObject& row : aGrid.GetRows()) {
        for (int i = 1; i <= row["N"].get<int>(); ++i)
            if (row["P" + std::to_string(i)] == aPos) {
                if (aRow)
                    *aRow = r;
                if (aPart)
                    *aPart = i;
                return row["Value" + std::to_string(i)];
            }
        ++r;
    }
    return nullptr;
}

// A row of one part (code, value) laid out as the document lays out a line.
TJsonObject Row(int aHeight, int aCode, TJsonObject aValue, int aList = 0)
{
    TJsonObject row = {{"H", aHeight}, {"N", 1}, {"Kind", 0}, {"Type", 0}, {"Prop1", aCode}, {"P1", 1},
                       {"C1", KVRInsCol::Whole}, {"T1", 5}, {"AT1", 0}, {"Name1", "Part"}, {"TV1", 3},
                       {"Value1", std::move(aValue)}, {"List1", aList}, {"F1", "0.0"}, {"FE1", "0.0"},
                       {"I1", 1.0}, {"M1", 0.0}, {"X1", 100.0}};
    return row;
}

TEST(Inspector, SelectingARectangleThenATextListsTheirRows)
{
    TVXLabelFMX doc;
    auto* rect = doc.AddBaseRectangle(0, 0, 25400, 10000);
    auto* text = doc.AddBaseText(0, 20000);
    TKVRInspector grid;
    grid.SetLabel(&doc);
    doc.SelectItem(rect, false);
    EXPECT_TRUE(Groups(grid).count({0, KVRInsTypeBase::Size}));
    EXPECT_TRUE(Groups(grid).count({0, KVRInsTypeBase::Points}));
    EXPECT_FALSE(Groups(grid).count({0, KVRInsTypeBase::Text}));
    EXPECT_EQ(Shown(grid, 260), 25.4);
    doc.SelectItem(text, false);
    EXPECT_TRUE(Groups(grid).count({0, KVRInsTypeBase::Text}));
    EXPECT_FALSE(Groups(grid).count({0, KVRInsTypeBase::Size}));
    EXPECT_EQ(grid.GetNumRows(), int(grid.GetRows().size()));
    // An edit through the document shows at the next change 4.
    doc.SelectItem(rect, false);
    doc.UpdateProp(KVRInsProp::Number, 0, KVRInsTypeBase::Size, 260, {{"ext", 30.0}});
    EXPECT_EQ(Shown(grid, 260), 30.0);
    grid.SetLabel(nullptr);
    EXPECT_EQ(doc.GetObserverCount(), 0);
}

// Rows of 20 px and a last one of 90 px in a 100-px control: the last row
// can be scrolled to, before and after the control shrinks, and the top
// index never stays past the rows.
TEST(Inspector, EveryRowIsReachable)
{
    TKVRInspector grid;
    grid.resize(240, 100);
    grid.show();
    TJsonObject& rows = grid.GetRows();
    for (int i = 0; i < 9; ++i)
        rows.push_back(Row(20, KVRInsProp::Text, "row " + std::to_string(i)));
    rows.push_back(Row(90, KVRInsProp::Text, "last"));
    grid.FillInspector(true);
    EXPECT_EQ(grid.GetVisibleRows(), 4);
    ASSERT_TRUE(grid.GetVertScrollBarVisible());
    EXPECT_EQ(grid.GetScrollBar()->maximum(), 9);
    grid.GetScrollBar()->setValue(grid.GetScrollBar()->maximum());
    EXPECT_EQ(grid.GetTopIndex(), 9);

    grid.resize(240, 60);
    EXPECT_EQ(grid.width(), 240);
    EXPECT_EQ(grid.GetScrollBar()->maximum(), 9);
    EXPECT_EQ(grid.GetTopIndex(), 9);
    grid.resize(240, 150);  // the last row and three before it fit
    EXPECT_EQ(grid.GetScrollBar()->maximum(), 6);
    EXPECT_EQ(grid.GetTopIndex(), 6);

    rows.erase(rows.begin() + 2, rows.end());
    grid.FillInspector(false);
    EXPECT_EQ(grid.GetTopIndex(), 0);
    EXPECT_FALSE(grid.GetVertScrollBarVisible());
    // Narrower goes back to the grid's width; wider is kept (a host's splitter widens it).
    grid.resize(200, 150);
    EXPECT_EQ(grid.width(), 240);
    grid.resize(400, 150);
    EXPECT_EQ(grid.width(), 400);
}

TEST(Inspector, AChangeOfUnitsShowsTheNewUnitAndClosesTheBox)
{
    TVXLabelFMX doc;
    auto* rect = doc.AddBaseRectangle(0, 0, 25400, 10000);
    TKVRInspector grid;
    grid.resize(240, 600);
    grid.SetLabel(&doc);
    doc.SelectItem(rect, false);
    int row = 0, part = 0;
    EXPECT_EQ(Shown(grid, 260, &row, &part), 25.4);
    grid.Edit(row, part);
    ASSERT_TRUE(grid.GetEdit().Active);
    EXPECT_EQ(grid.GetEdit().Text, QStringLiteral("25.4"));
    // A move keeps the box over its property.
    doc.UpdateProp(KVRInsProp::Number, 0, KVRInsTypeBase::Corner, 220, {{"ext", 1.0}});
    EXPECT_TRUE(grid.GetEdit().Active);
    EXPECT_EQ(grid.GetEdit().Row, row);
    doc.SetUnits(TKVRUnits::Inch);
    EXPECT_EQ(Shown(grid, 260), 1.0);
    EXPECT_FALSE(grid.GetEdit().Active);
    grid.SetLabel(nullptr);
}

TEST(Inspector, ALayerRowWhoseLayerIsGonePaintsNoName)
{
    TVXLabelFMX doc;
    doc.AddLayer(QStringLiteral("Second"));
    doc.AddLayer(QStringLiteral("Third"));
    doc.SetActiveLayer(2);
    auto* rect = doc.AddBaseRectangle(0, 0, 10000, 10000);
    TKVRInspector grid;
    grid.resize(240, 400);
    grid.SetLabel(&doc);
    doc.SelectItem(rect, false);
    int row = -1, part = 0;
    ASSERT_EQ(Shown(grid, 100, &row, &part), 2);
    ASSERT_EQ(row, 0);
    // The rows hold an index the document's layers no longer reach (the
    // layer went while the rows stood).
    grid.GetRows()[0]["Value1"] = 7;
    const QImage image = grid.grab().toImage();
    // The value box of the layer row (the first row) holds no text.
    const int left = int(XPosCtrl(KVRInsCol::Whole, KVRInsProp::List, 10)) + 1;
    int marks = 0;
    for (int y = 3; y < 21; ++y)
        for (int x = left; x < 238; ++x)
            marks += image.pixelColor(x, y) != Qt::white;
    EXPECT_EQ(marks, 0);
    grid.SetLabel(nullptr);
}

// What the value boxes paint: a tick, a swatch, a line-end sample, the
// chosen option box opaque under a translucent selection colour, the caret.
TEST(Inspector, PaintsTheValueBoxes)
{
    TVXLabelFMX doc;
    TKVRInspector grid;
    grid.resize(240, 300);
    grid.SetLabel(&doc);
    grid.SetSelButColor(0x80FF0000);
    TJsonObject& rows = grid.GetRows();
    rows.push_back(Row(24, KVRInsProp::Check, true));
    rows.push_back(Row(24, KVRInsProp::Color, int64_t(0xFF00C000)));
    rows.push_back(Row(24, KVRInsProp::List, 4, KVRListProp::LineEnds));
    TJsonObject options = Row(26, KVRInsProp::HorzAlign, 0);
    options["T1"] = -1;
    options["TV1"] = 1;
    options["Value1"] = 1;
    options["C1"] = KVRInsCol::Wide;
    rows.push_back(options);
    rows.push_back(Row(24, KVRInsProp::Text, ""));
    grid.FillInspector(true);
    grid.Edit(4, 1);
    ASSERT_TRUE(grid.GetEdit().Active);
    const QImage image = grid.grab().toImage();
    const double unit = 10, left = XPosCtrl(KVRInsCol::Whole, KVRInsProp::Check, unit);

    // Tick: dark pixels inside the check box of row 0 (its frame is grey).
    int dark = 0;
    for (int y = 3 + 3; y < 3 + 14; ++y)
        for (int x = int(left) + 3; x < int(left) + 13; ++x)
            dark += image.pixelColor(x, y).lightness() < 60;
    EXPECT_GT(dark, 5);
    // Swatch of row 1.
    EXPECT_EQ(image.pixelColor(int(left) + 40, 24 + 10), QColor(0, 0xC0, 0));
    // Line-end sample of row 2: the document's line-end colour in the box.
    int sample = 0;
    for (int y = 48 + 3; y < 48 + 21; ++y)
        for (int x = int(left); x < 236; ++x)
            sample += image.pixelColor(x, y).lightness() < 128;
    EXPECT_GT(sample, 10);
    // Option row 3: the chosen box (1) opaque red, box 0 not.
    const int g = ScalePos((174 - 4) / 4, 96), s22 = ScalePos(22, 96);
    const int boxTop = 72 - 1 + 2;
    EXPECT_EQ(image.pixelColor(g + (s22 + g) + 2, boxTop + 7), QColor(255, 0, 0));
    EXPECT_NE(image.pixelColor(g + 2, boxTop + 7), QColor(255, 0, 0));
    // Caret of the empty text box: red, 3 px in from the box's left edge.
    const TDataEdit& edit = grid.GetEdit();
    const QColor caret = image.pixelColor(edit.Left + 3, edit.Top + edit.Height / 2);
    const QColor caretLeft = image.pixelColor(edit.Left + 2, edit.Top + edit.Height / 2);
    EXPECT_TRUE((caret.red() > 200 && caret.green() < 160) || (caretLeft.red() > 200 && caretLeft.green() < 160))
        << caret.name().toStdString();
    EXPECT_GT(image.pixelColor(edit.Left + 8, edit.Top + edit.Height / 2).green(), 200);
    grid.SetLabel(nullptr);
}

}  // namespace
