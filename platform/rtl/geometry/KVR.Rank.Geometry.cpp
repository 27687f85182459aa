#include "platform/rtl/geometry/KVR.Rank.Geometry.h"
#include <cmath>

std::vector<TRectF> RankCells(float aWidth, float aHeight, float aGap, uint16_t aMaximum, TKVRRankPos aPos,
                              float aBaseX, float aBaseY, const TKVRRankPx& aPx)
{
    if (aMaximum == 0)
        return {};
    const float m = float(aMaximum);
    const bool vertical = aPos == 2 || aPos == 3;
    float cell = 0.0f, x = aBaseX, y = aBaseY;
    if (vertical) {
        cell = (aHeight - (m + 1.0f) * aGap) / m;
        if (aWidth - 2.0f * aGap > cell) {
            x += aPx((aWidth - cell) / 2.0f, true);
            y += aPx(aGap, false);
        } else {
            cell = aWidth - 2.0f * aGap;
            x += aPx(aGap, true);
            y += aPx((aHeight - (m - 1.0f) * aGap - m * cell) / 2.0f, false);
        }
    } else {
        cell = (aWidth - (m + 1.0f) * aGap) / m;
        if (aHeight - 2.0f * aGap > cell) {
            x += aPx(aGap, true);
            y += aPx((aHeight - cell) / 2.0f, false);
        } else {
            cell = aHeight - 2.0f * aGap;
            x += aPx((aWidth - (m - 1.0f) * aGap - m * cell) / 2.0f, true);
            y += aPx(aGap, false);
        }
    }
    // Gaps that leave no room (or no number at all) give no cells.
    if (!(cell > 0.0f) || !std::isfinite(cell))
        return {};
    const float side = aPx(cell, true);
    if (!(side > 0.0f) || !std::isfinite(side) || !std::isfinite(x) || !std::isfinite(y))
        return {};

    float dx = 0.0f, dy = 0.0f;
    switch (aPos) {
    case 1:
        x += aPx((cell + aGap) * (m - 1.0f), true);
        dx = -aPx(cell + aGap, true);
        break;
    case 2:
        y += aPx((cell + aGap) * (m - 1.0f), false);
        dy = -aPx(cell + aGap, false);
        break;
    case 3: dy = aPx(cell + aGap, false); break;
    default: dx = aPx(cell + aGap, true); break;
    }
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(dx) || !std::isfinite(dy))
        return {};
    std::vector<TRectF> cells;
    cells.reserve(aMaximum);
    TRectF r(x, y, x + side, y + side);
    for (uint16_t i = 0; i < aMaximum; ++i) {
        cells.push_back(r);
        r.Offset(dx, dy);
    }
    return cells;
}

std::array<TPointF, 10> RankStarCorners(const TRectF& aCell)
{
    std::array<TPointF, 10> p;
    for (size_t k = 0; k < p.size(); ++k)
        p[k] = TPointF(aCell.Left + aCell.Width() * float(StarPoints[k][0]) / 100.0f,
                       aCell.Top + aCell.Height() * float(StarPoints[k][1]) / 100.0f);
    return p;
}

std::array<TPointF, 4> RankRhombusCorners(const TRectF& aCell)
{
    const float cx = aCell.Left + aCell.Width() / 2.0f, cy = aCell.Top + aCell.Height() / 2.0f;
    return {TPointF(cx, aCell.Top), TPointF(aCell.Right, cy), TPointF(cx, aCell.Bottom), TPointF(aCell.Left, cy)};
}
