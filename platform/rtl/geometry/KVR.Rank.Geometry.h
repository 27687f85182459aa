#pragma once
// Cells of a rating graphic: where each of its equal cells lies, for the
// screen and the paper alike.
#include "platform/rtl/System.Types.h"
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// Cell shape: 0 rectangle, 1 ellipse, 2 star, 3 rhombus; others paint no cell.
using TKVRRankType = uint8_t;
// Direction of the cells: 0 left to right, 1 right to left, 2 bottom to top,
// 3 top to bottom; others lay out as 0.
using TKVRRankPos = uint8_t;

// The star's outline: ten corners, in percent of the cell's width and height
// from its top-left corner, outer and inner corners in turn, upper tip first.
inline constexpr std::array<std::array<int32_t, 2>, 10> StarPoints{{
    {50, 5}, {61, 40}, {98, 40}, {68, 61}, {79, 95}, {50, 74}, {21, 95}, {32, 61}, {2, 40}, {39, 40},
}};

// A length in label units to pixels, across (true) or down (false).
using TKVRRankPx = std::function<float(float aValue, bool aHorizontal)>;

// The square cells of a rating graphic of aWidth x aHeight label units with
// aMaximum cells aGap apart and from the edges, whose top-left corner is at
// (aBaseX, aBaseY) pixels: cell 1 (the first reached) first. The row (or
// column) takes the element's length; across, the cells are centred. When the
// other side is too short for a cell plus two gaps, the cells are as large as
// that side less two gaps and the row is centred along. No cells when there
// are none to lay out or the gaps leave no room (a cell of 0 or less).
std::vector<TRectF> RankCells(float aWidth, float aHeight, float aGap, uint16_t aMaximum, TKVRRankPos aPos,
                              float aBaseX, float aBaseY, const TKVRRankPx& aPx);

// Corners of the star and of the rhombus in a cell, in outline order.
std::array<TPointF, 10> RankStarCorners(const TRectF& aCell);
std::array<TPointF, 4> RankRhombusCorners(const TRectF& aCell);
