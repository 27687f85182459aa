// Diagram elements on the surfaces a user prints and previews: a table's
// stored column selection, a table on a scaled drawing, and symbol texts in
// the layer's font style.
#include "elements/TKVRSymbol.h"
#include "elements/TKVRTable.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/elements/SymbolTestSupport.h"
#include <gtest/gtest.h>

using namespace kvrtest;

namespace {

// Two columns, header and three rows of 6 mm, footer 6 mm, in a 90 x 20 mm
// box at (10, 10) mm of paper, at the label's drawing scale.
TKVRTable* StockTable(TKVRBaseLabel& aLabel, int aRows = 3)
{
    const int64_t s = aLabel.GetMeasure().GetDrawScale();
    auto* t = new TKVRTable(&aLabel, false);
    t->SetBase(1, 10000 * s, 10000 * s);
    t->SetBase(2, 100000 * s, 30000 * s);
    t->SetHeaderHeight(6000);
    t->SetRowHeight(6000);
    t->SetFooterHeight(6000);
    TKVRColumn& item = t->AddColumn(60.0f);
    item.Header.Text = "Item";
    TKVRColumn& qty = t->AddColumn(40.0f);
    qty.Header.Text = "Qty";
    for (int r = 1; r <= aRows; ++r) {
        item.Rows << QStringLiteral("Part%1").arg(r);
        qty.Rows << QString::number(10 * r);
    }
    return t;
}

}  // namespace

// A table saved while the editor had a column selected prints and previews
// every column and every row; a selection outside the columns reads as none.
TEST(DiagramSurfaces, StoredColumnSelectionNeverChangesPaperOrPreview)
{
    TKVRBaseLabel source;
    TJsonObject json = StockTable(source)->WriteJson();
    const int w = Px(110), h = Px(50);
    auto stored = [&](TKVRBaseLabel& aLabel, int32_t aSel) {
        json["SelColumn"] = aSel;
        return static_cast<TKVRTable*>(TKVRTable::ReadFromJson(&aLabel, 1, json));
    };
    TKVRBaseLabel plain;
    TKVRTable* reference = stored(plain, -1);
    const TTwin expected = Twins(*reference, w, h);
    ASSERT_EQ(reference->GetShownCount(), 3);

    const struct { int32_t Stored, Reads; } cases[] = {{1, 1}, {2, 2}, {3, -1}, {0, -1}, {-7, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        TKVRBaseLabel label;
        TKVRTable* t = stored(label, c.Stored);
        EXPECT_EQ(t->GetSelColumn(), c.Reads);
        const TTwin got = Twins(*t, w, h);
        EXPECT_TRUE(got.screen == expected.screen) << "preview";
        EXPECT_TRUE(got.paper == expected.paper) << "paper";
    }
}

// The rows that fit on the label's paper show at any drawing scale.
TEST(DiagramSurfaces, TableRowsFitTheLabelAtAnyDrawingScale)
{
    // The 50 mm label leaves 40 mm below the table's top: header, footer and four rows.
    const struct { int32_t Scale, Rows, Shown; } cases[] = {{1, 3, 3}, {2, 3, 3}, {50, 3, 3}, {50, 6, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "1:" << c.Scale << ", " << c.Rows << " rows");
        TKVRBaseLabel label;
        label.GetMeasure().SetHeight(50000);
        label.GetMeasure().SetDrawScale(c.Scale);
        TKVRTable* t = StockTable(label, c.Rows);
        t->CalcValues(5);
        EXPECT_EQ(t->GetShownCount(), c.Shown);
    }
}

// A symbol's texts take the bold and italic of its layer, on screen and paper.
TEST(DiagramSurfaces, SymbolTextsTakeTheLayersFontStyle)
{
    const auto symbol = MakeSymbol(R"([{"Type":"FontHeight","Value":8},{"Type":"Text","Text":"Hm","Point":[0,0]}])");
    const struct { bool Bold, Italic; } cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    std::vector<TTwin> painted;
    for (const auto& c : cases) {
        TKVRBaseLabel label;
        label.GetLayer(0)->Bold = c.Bold;
        label.GetLayer(0)->Italic = c.Italic;
        auto* e = new TKVRSymbol(&label, false);
        e->SetBase(1, 10000, 10000);
        e->SetSymbol(symbol);
        painted.push_back(Twins(*e, Px(40), Px(30)));
        ASSERT_GT(CountColour(painted.back().screen, qRgb(0, 0, 0), 100), 0);
    }
    for (size_t i = 0; i < painted.size(); ++i)
        for (size_t j = i + 1; j < painted.size(); ++j) {
            SCOPED_TRACE(testing::Message() << "styles " << i << " and " << j);
            EXPECT_FALSE(painted[i].screen == painted[j].screen);
            EXPECT_FALSE(painted[i].paper == painted[j].paper);
        }
}
