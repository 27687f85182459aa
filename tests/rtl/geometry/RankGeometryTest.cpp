#include "platform/rtl/geometry/KVR.Rank.Geometry.h"
#include <gtest/gtest.h>
#include <cmath>
#include <string>

namespace {

// 10 pixels per label unit across, 20 down: the axes cannot be confused.
const TKVRRankPx kPx = [](float aValue, bool aHorizontal) { return aValue * (aHorizontal ? 10.0f : 20.0f); };

struct TRankCase
{
    const char* Name;
    float Width, Height, Gap;
    uint16_t Maximum;
    TKVRRankPos Pos;
    // Cell 1 and cell 2 (left, top), the square's side, in pixels.
    float X1, Y1, X2, Y2, Side;
};

class RankCellLayout : public ::testing::TestWithParam<TRankCase>
{
};

TEST_P(RankCellLayout, PlacesEveryCellFromTheBasePoint)
{
    const TRankCase& c = GetParam();
    const std::vector<TRectF> cells = RankCells(c.Width, c.Height, c.Gap, c.Maximum, c.Pos, 100.0f, 50.0f, kPx);
    ASSERT_EQ(cells.size(), size_t(c.Maximum));
    EXPECT_NEAR(cells[0].Left, c.X1, 1e-3);
    EXPECT_NEAR(cells[0].Top, c.Y1, 1e-3);
    EXPECT_NEAR(cells[1].Left, c.X2, 1e-3);
    EXPECT_NEAR(cells[1].Top, c.Y2, 1e-3);
    for (const TRectF& r : cells) {
        EXPECT_NEAR(r.Width(), c.Side, 1e-3);
        EXPECT_NEAR(r.Height(), c.Side, 1e-3) << "cells are square, sized across";
    }
}

// Worked by hand from the element's box, gap and count.
INSTANTIATE_TEST_SUITE_P(
    Directions, RankCellLayout,
    ::testing::Values(
        // 50 x 20, gap 1, 5 cells: cell (50 - 6) / 5 = 8.8 < 20 - 2: centred down at (20 - 8.8) / 2 = 5.6.
        TRankCase{"LeftToRight", 50, 20, 1, 5, 0, 110, 162, 208, 162, 88},
        // Right to left: cell 1 at the far end, 4 steps of 9.8 to the right.
        TRankCase{"RightToLeft", 50, 20, 1, 5, 1, 110 + 392, 162, 110 + 294, 162, 88},
        // 50 x 6: too flat for a cell of 8.8: cell 6 - 2 = 4, the row (5 x 4 + 4 gaps) centred along.
        TRankCase{"FlatRowCentredAlong", 50, 6, 1, 5, 0, 100 + 130, 70, 100 + 180, 70, 40},
        // Column, 20 x 50: cell 8.8 < 20 - 2: centred across at (20 - 8.8) / 2 = 5.6, down from the gap.
        TRankCase{"TopToBottom", 20, 50, 1, 5, 3, 156, 70, 156, 70 + 196, 88},
        // Bottom to top: cell 1 at the bottom, moved down by 4 x 9.8 x 20.
        TRankCase{"BottomToTop", 20, 50, 1, 5, 2, 156, 70 + 784, 156, 70 + 588, 88},
        // Narrow column, 6 x 50: cell 6 - 2 = 4, centred down: (50 - 4 - 20) / 2 = 13.
        TRankCase{"NarrowColumnCentredDown", 6, 50, 1, 5, 3, 110, 50 + 260, 110, 50 + 360, 40},
        // Unknown directions lay out as left to right.
        TRankCase{"OtherDirectionAsZero", 50, 20, 1, 5, 9, 110, 162, 208, 162, 88}),
    [](const ::testing::TestParamInfo<TRankCase>& aInfo) { return std::string(aInfo.param.Name); });

TEST(RankCells, NoCellsWhenThereIsNothingToLayOut)
{
    // No cells at all: nothing to divide by.
    EXPECT_TRUE(RankCells(50, 20, 1, 0, 0, 0, 0, kPx).empty());
    // Gaps wider than the element: the cells would be negative.
    EXPECT_TRUE(RankCells(50, 20, 30, 5, 0, 0, 0, kPx).empty());
    EXPECT_TRUE(RankCells(20, 50, 30, 5, 2, 0, 0, kPx).empty());
    // Gaps that eat exactly the room leave cells of 0.
    EXPECT_TRUE(RankCells(50, 2, 1, 5, 0, 0, 0, kPx).empty());
    // No number.
    EXPECT_TRUE(RankCells(std::nanf(""), 20, 1, 5, 0, 0, 0, kPx).empty());
    EXPECT_TRUE(RankCells(50, 20, INFINITY, 5, 0, 0, 0, kPx).empty());
    EXPECT_TRUE(RankCells(3e38f, 3e38f, 0, 2, 1, 0, 0, kPx).empty()) << "cells beyond the float range";
    // A single cell needs no division beyond itself.
    const std::vector<TRectF> one = RankCells(10, 10, 1, 1, 1, 0, 0, kPx);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_NEAR(one[0].Left, 10.0f, 1e-4);
    EXPECT_NEAR(one[0].Width(), 80.0f, 1e-4);
}

TEST(RankCells, StarAndRhombusStayInsideTheirCell)
{
    const TRectF cell(10, 20, 110, 220);
    const auto star = RankStarCorners(cell);
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const TPointF& p : star) {
        minX = std::min(minX, p.X), maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
    }
    EXPECT_GE(minX, cell.Left);
    EXPECT_LE(maxX, cell.Right);
    EXPECT_GE(minY, cell.Top);
    EXPECT_LE(maxY, cell.Bottom);
    // Upright and symmetric: the tip on the middle line, the star centred down.
    EXPECT_FLOAT_EQ(star[0].X, 60.0f);
    EXPECT_NEAR((minY + maxY) / 2, 120.0f, 1.0f);
    for (size_t k = 1; k < 5; ++k)
        EXPECT_NEAR(star[k].X - 60.0f, 60.0f - star[10 - k].X, 1.0f) << k;
    const auto rh = RankRhombusCorners(cell);
    EXPECT_FLOAT_EQ(rh[0].X, 60.0f);
    EXPECT_FLOAT_EQ(rh[0].Y, 20.0f);
    EXPECT_FLOAT_EQ(rh[1].X, 110.0f);
    EXPECT_FLOAT_EQ(rh[1].Y, 120.0f);
    EXPECT_FLOAT_EQ(rh[2].Y, 220.0f);
    EXPECT_FLOAT_EQ(rh[3].X, 10.0f);
}

}  // namespace
