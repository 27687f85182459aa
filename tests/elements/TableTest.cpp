#include "elements/TKVRTable.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "tests/elements/ContentTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>

using namespace kvrtest;

namespace {

constexpr TAlphaColor kFooterGreen = 0xFF40C040;

// A 100 x 30 mm table at (10, 10) mm on a 50 mm label: title 8, header 6,
// rows 6 and footer 6 mm; the label leaves 40 mm below its top, room for
// three rows.
TKVRTable* MakeTable(TKVRBaseLabel& label, const QStringList& items)
{
    auto* t = new TKVRTable(&label, false);
    t->SetBase(1, 10000, 10000);
    t->SetBase(2, 110000, 40000);
    t->Title().Visible = true;
    t->Title().Text = "Stock";
    t->Title().BaseHeight = 8000;
    t->SetHeaderHeight(6000);
    t->SetRowHeight(6000);
    t->SetFooterHeight(6000);
    TKVRColumn& a = t->AddColumn(60.0f);
    a.Header.Text = "Item";
    a.Rows = items;
    a.Footer.Text = "Total";
    a.Footer.Filled = true;
    a.Footer.BackColor = kFooterGreen;
    TKVRColumn& b = t->AddColumn(40.0f);
    b.Header.Text = "Qty";
    QStringList qty;
    for (int i = 0; i < items.size(); ++i)
        qty << QString::number(10 * (i + 1));
    b.Rows = qty;
    b.FooterType = KVRFooterType::Sum;
    b.Format = "0";
    return t;
}

const TPdfWord* FindWord(const std::vector<TPdfWord>& words, const QString& text)
{
    const auto it = std::find_if(words.begin(), words.end(), [&](const TPdfWord& w) { return w.Text == text; });
    return it == words.end() ? nullptr : &*it;
}

}  // namespace

// The output layout keeps the rows that fit on the label (title and header
// counted once), ends the body at the first row that does not fit and puts
// the footer right after the last row kept; no position is negative.
TEST(Table, OutputLayoutKeepsRowsThatFitAndFooterFollowsThem)
{
    TKVRBaseLabel label;
    TKVRTable* t = MakeTable(label, {"Bolt", "Nut", "Washer", "Screw", "Pin"});
    t->CalcValues(5);
    EXPECT_EQ(t->GetPrintCount(), 5);
    EXPECT_EQ(t->GetShownCount(), 3);
    const std::vector<int64_t> expected = {8000, 14000, 20000, 26000, 32000, 38000};
    ASSERT_EQ(t->GetLineCount(), int32_t(expected.size()));
    for (int32_t i = 0; i < t->GetLineCount(); ++i)
        EXPECT_EQ(t->GetLinePos(i), expected[size_t(i)]) << i;
    // Every column lays out its rows, the first one too.
    EXPECT_FALSE(t->GetColumn(1).GetLineTxt(3).Lines.empty());
    EXPECT_FALSE(t->GetColumn(1).GetLineTxt(5).Lines.empty());
    // Guarded reads outside the positions.
    EXPECT_EQ(t->GetLinePos(-1), 0);
    EXPECT_EQ(t->GetLinePos(99), 0);

    const TKVRTableGeometry g = t->Geometry(false);
    EXPECT_EQ(g.RowTop, (std::vector<int64_t>{14000, 20000, 26000}));
    EXPECT_EQ(g.BodyBottom, 32000);
    EXPECT_EQ(g.FooterTop, 32000);
    EXPECT_EQ(g.Bottom, 38000);

    // A table of fixed size keeps the rows that fit its own 30 mm (one) and
    // ends at its lower edge.
    t->SetFixedSize(true);
    t->CalcValues(5);
    EXPECT_EQ(t->GetShownCount(), 1);
    EXPECT_EQ(t->Geometry(false).Bottom, 30000);
}

// Paper shows what fits, and the footer lies under the last row printed, as
// poppler reads the PDF.
TEST(Table, PrintedRowsAndFooterAsPopplerReadsThem)
{
    TKVRBaseLabel label;
    TKVRTable* t = MakeTable(label, {"Bolt", "Nut", "Washer", "Screw", "Pin"});
    const std::vector<TPdfWord> words = PrintToPdf(*t, 120, 50);
    for (const char* shown : {"Stock", "Item", "Qty", "Bolt", "Nut", "Washer", "Total"})
        EXPECT_NE(FindWord(words, shown), nullptr) << shown;
    EXPECT_EQ(FindWord(words, "Screw"), nullptr);
    EXPECT_EQ(FindWord(words, "Pin"), nullptr);
    // The sum counts every row filled: 10 + 20 + 30 + 40 + 50.
    EXPECT_NE(FindWord(words, "150"), nullptr);
    const TPdfWord* washer = FindWord(words, "Washer");
    const TPdfWord* total = FindWord(words, "Total");
    ASSERT_TRUE(washer && total);
    EXPECT_GT(total->YMin, washer->YMax);
    // Footer band from 42 to 48 mm of the page.
    EXPECT_GT(total->YMin, MmToPt(42.0));
    EXPECT_LT(total->YMax, MmToPt(48.0));
}

// Printing fills the record being printed and lays it out before painting.
TEST(Table, PrintLaysOutTheRecordItFills)
{
    TKVRBaseLabel label;
    TKVRTable* t = MakeTable(label, {});
    t->GetColumn(1).FieldName = "Items";
    label.SetDataValue("Items", "Alpha\nBeta");
    t->CalcValues(5);
    EXPECT_EQ(t->GetShownCount(), 2);
    label.SetDataValue("Items", "Gamma\r\nDelta\r\nEpsilon\r\n");
    const std::vector<TPdfWord> words = PrintToPdf(*t, 120, 50);
    for (const char* shown : {"Gamma", "Delta", "Epsilon"})
        EXPECT_NE(FindWord(words, shown), nullptr) << shown;
    EXPECT_EQ(FindWord(words, "Alpha"), nullptr);
    EXPECT_EQ(t->GetPrintCount(), 3);
}

// A wrapping column makes its row as tall as its text; a column that does
// not wrap keeps the row height whatever its text.
TEST(Table, WrappingCellsSetTheRowHeight)
{
    TKVRBaseLabel label;
    label.GetMeasure().SetHeight(200000);
    TKVRTable* t = MakeTable(label, {"short", "a long text that needs several lines in its narrow column"});
    t->SetBase(2, 40000, 40000);  // 30 mm wide
    t->CalcValues(5);
    const int32_t nowrap = int32_t(t->GetLinePos(3) - t->GetLinePos(2));
    EXPECT_EQ(nowrap, 6000);
    t->GetColumn(1).Body.Wrap = true;
    t->CalcValues(5);
    EXPECT_EQ(t->GetLinePos(2) - t->GetLinePos(1), 6000) << "a short text keeps the row height";
    const int64_t tall = t->GetLinePos(3) - t->GetLinePos(2);
    EXPECT_GT(tall, 6000);
    EXPECT_EQ(tall, t->GetColumn(1).GetLineTxt(4).Height);
}

// Cell paddings count once: a right-aligned number ends one padding before
// the cell's right edge, and a centred row stands in the middle of its band.
TEST(Table, CellPaddingsCountOnce)
{
    TKVRBaseLabel label;
    TKVRTable* t = MakeTable(label, {"Bolt"});
    t->Title().Visible = false;
    t->SetHeaderHeight(0);
    t->SetGridType(0);
    t->SetPenWidth(0.0f);
    t->GetColumn(2).Body.HorzAlign = TKVRHorzAlign::Right;
    t->GetColumn(2).Body.VertAlign = TKVRVertAlign::Center;
    t->SetBasePadX(2000);
    t->CalcValues(5);
    const QImage paper = Paper(*t, Px(120), Px(50));
    // Row 1 spans 10 to 16 mm; column 2 ends at 110 mm.
    const QRect number = InkBounds(paper.copy(QRect(Px(75), Px(10), Px(40), Px(6))));
    ASSERT_FALSE(number.isEmpty());
    EXPECT_NEAR(Px(75) + number.right(), Px(108), 3);
    // A 3 mm line centred in the 6 mm row.
    const TxtLines& lines = t->GetColumn(2).GetLineTxt(3).Lines;
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Y, 1500);
}

// The editor shows the design line and puts the footer at the box's lower
// edge; the preview puts it under the last row of the output layout.
TEST(Table, FooterInTheEditorAndInThePreview)
{
    TKVRBaseLabel label;
    TKVRTable* t = MakeTable(label, {"Bolt", "Nut"});
    t->SetPenWidth(0.0f);  // no frame over the footer's edge
    const int w = Px(120), h = Px(50);
    t->CalcValues(0);
    const QRect editor = ColourBounds(Screen(*t, w, h, KVRDrawState::Editor), qRgb(0x40, 0xC0, 0x40), 30);
    EXPECT_NEAR(editor.bottom(), Px(40), 2);
    t->CalcValues(5);
    const TTwin twin = Twins(*t, w, h);
    const QRect preview = ColourBounds(twin.screen, qRgb(0x40, 0xC0, 0x40), 30);
    EXPECT_NEAR(preview.top(), Px(10 + 26), 2);
    EXPECT_NEAR(preview.bottom(), Px(10 + 32), 2);
    EXPECT_EQ(t->GetShownCount(), 2);
    EXPECT_TRUE(SameBox(preview, ColourBounds(twin.paper, qRgb(0x40, 0xC0, 0x40), 30), 1));
    EXPECT_TRUE(SameBox(InkBounds(twin.screen), InkBounds(twin.paper), 1));
    const double inkPaper = InkCount(twin.paper);
    EXPECT_NEAR(InkCount(twin.screen), inkPaper, inkPaper * 0.05);
}

// The grid draws only the lines its type asks for; a pen width of 0 no frame.
TEST(Table, GridTypesAndFrame)
{
    TKVRBaseLabel label;
    TKVRTable* t = MakeTable(label, {"Bolt"});
    t->Title().Visible = false;
    for (const TKVRTableCell* c : {&t->GetColumn(1).Header, &t->GetColumn(2).Header})
        const_cast<TKVRTableCell*>(c)->Text.clear();
    t->GetColumn(1).Rows = {""};
    t->GetColumn(2).Rows = {""};
    t->GetColumn(1).Footer = TKVRTableCell{};
    t->GetColumn(2).FooterType = KVRFooterType::Text;
    t->SetPenWidth(0.0f);
    t->SetGridWidth(0.5f);
    t->SetGridColor(0xFF0000FF);
    const int w = Px(120), h = Px(50);
    // Columns split at 10 + 60 mm; bands at 16 and 22 mm.
    const QRect column(Px(70) - 4, Px(11), 8, Px(3));
    const QRect band(Px(30), Px(16) - 4, Px(20), 8);
    for (uint8_t type : {0, 1, 2, 3}) {
        t->SetGridType(type);
        t->CalcValues(5);
        const QImage img = Paper(*t, w, h);
        EXPECT_EQ(CountLeaning(img, 0xFF0000FF, column) > 0, type == 1 || type == 3) << int(type);
        EXPECT_EQ(CountLeaning(img, 0xFF0000FF, band) > 0, type == 2 || type == 3) << int(type);
    }
    t->SetGridType(0);
    EXPECT_EQ(InkCount(Paper(*t, w, h)), 0);
    t->SetPenWidth(0.5f);
    EXPECT_GT(InkCount(Paper(*t, w, h)), 0);
}

// A table without columns or rows paints its title, frame and the grid line
// under the title, and the footer band follows at once; nothing is read from
// a position that does not exist.
TEST(Table, TableWithoutColumnsOrRows)
{
    TKVRBaseLabel label;
    auto* t = new TKVRTable(&label, false);
    t->SetBase(1, 10000, 10000);
    t->SetBase(2, 60000, 30000);
    t->Title().Visible = true;
    t->Title().Text = "Empty";
    t->SetHeaderHeight(0);
    t->CalcValues(5);
    EXPECT_EQ(t->GetPrintCount(), 0);
    EXPECT_EQ(t->GetShownCount(), 0);
    const TKVRTableGeometry g = t->Geometry(false);
    EXPECT_TRUE(g.RowTop.empty());
    EXPECT_EQ(g.FooterTop, 8000);
    EXPECT_EQ(g.Bottom, 14000);
    const TTwin twin = Twins(*t, Px(70), Px(40));
    const QRect ink = InkBounds(twin.paper);
    EXPECT_NEAR(ink.bottom(), Px(24), 2);
    EXPECT_TRUE(SameBox(InkBounds(twin.screen), ink, 1));
    // The data goes away: the rows kept by the last layout go with it.
    TKVRTable* bound = MakeTable(label, {});
    bound->GetColumn(1).FieldName = "Items";
    label.SetDataValue("Items", "A\nB\nC");
    bound->CalcValues(5);
    EXPECT_EQ(bound->GetShownCount(), 3);
    label.SetDataValue("Items", "");
    bound->FillData(false);
    EXPECT_EQ(bound->GetShownCount(), 0);
    EXPECT_GT(InkCount(Screen(*bound, Px(120), Px(50))), 0);
}
