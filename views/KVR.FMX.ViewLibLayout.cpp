#include "views/KVR.FMX.ViewLibLayout.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include <algorithm>
#include <limits>

namespace {

void CountCells(TKVRLibGrid& g, int32_t aWidth, int32_t aNumSym)
{
    g.Cols = std::clamp((aWidth - g.Gap) / (g.CellWidth + g.Gap), 1, aNumSym);
    g.Rows = (aNumSym + g.Cols - 1) / g.Cols;
}

int64_t Extent(const TKVRLibGrid& g, int32_t aCells, int32_t aCell)
{
    return int64_t(aCells) * aCell + int64_t(aCells + 1) * g.Gap;
}

}  // namespace

TKVRLibGrid KVRLibGrid(int32_t aWidth, int32_t aHeight, int32_t aCellWidth, int32_t aCellHeight, int32_t aGap,
                       int32_t aScrollBarWidth, int32_t aNumSym)
{
    TKVRLibGrid g;
    g.CellWidth = std::max(aCellWidth, TKVRLibGrid::MinCell);
    g.CellHeight = std::max(aCellHeight, TKVRLibGrid::MinCell);
    g.Gap = std::max(aGap, 0);
    g.MarginTop = g.Gap;
    if (aNumSym <= 0 || aWidth <= 0 || aHeight <= 0)
        return g;
    CountCells(g, aWidth, aNumSym);
    if (aHeight < Extent(g, g.Rows, g.CellHeight))
        CountCells(g, aWidth - aScrollBarWidth, aNumSym);
    const int64_t content = Extent(g, g.Rows, g.CellHeight);
    g.ContentHeight = int32_t(std::min<int64_t>(content, std::numeric_limits<int32_t>::max()));
    g.ScrollBar = content > aHeight;
    const int64_t needed = Extent(g, g.Cols, g.CellWidth) + (g.ScrollBar ? aScrollBarWidth : 0);
    // The grid is centred in what the scroll bar leaves.
    g.MarginLeft = g.Gap + int32_t(std::max<int64_t>(0, aWidth - needed) / 2);
    g.VisibleRows = std::max(1, (aHeight - g.Gap) / g.RowStep());
    g.MaxTopRow = std::max(0, g.Rows - g.VisibleRows);
    return g;
}

int32_t TKVRLibGrid::IndexAt(int32_t aX, int32_t aY, int32_t aNumSym) const
{
    if (Cols < 1 || aX < MarginLeft || aY < MarginTop)
        return 0;
    const int32_t col = (aX - MarginLeft) / (CellWidth + Gap) + 1;
    const int32_t row = (aY - MarginTop) / RowStep() + 1;
    if (col > Cols || row > Rows || (aY - MarginTop) % RowStep() >= CellHeight)
        return 0;
    const int64_t index = int64_t(row - 1) * Cols + col;
    return index <= aNumSym ? int32_t(index) : 0;
}

QRect TKVRLibGrid::CellRect(int32_t aIndex) const
{
    if (Cols < 1 || aIndex < 1)
        return {};
    const int32_t col = (aIndex - 1) % Cols, row = (aIndex - 1) / Cols;
    return QRect(MarginLeft + col * (CellWidth + Gap), MarginTop + row * RowStep(), CellWidth, CellHeight);
}

bool KVRFitSymbol(const TKVRExtent& aBounds, const QRect& aCell, double aPixelsPerMic, TKVRSymbolFit& aFit)
{
    const double w = double(aBounds.MaxX - aBounds.MinX) * aPixelsPerMic;
    const double h = double(aBounds.MaxY - aBounds.MinY) * aPixelsPerMic;
    if (!(w > 0) && !(h > 0))
        return false;
    constexpr double border = 5;
    const double inf = std::numeric_limits<double>::infinity();
    const double sx = w > 0 ? (aCell.width() - 2 * border) / w : inf;
    const double sy = h > 0 ? (aCell.height() - 2 * border) / h : inf;
    aFit.Scale = std::min(sx, sy);
    const double offX = sx <= sy ? border : (aCell.width() - w * aFit.Scale) / 2;
    const double offY = sy < sx ? border : (aCell.height() - h * aFit.Scale) / 2;
    aFit.DX = aCell.x() + offX - double(aBounds.MinX) * aPixelsPerMic * aFit.Scale;
    aFit.DY = aCell.y() + offY - double(aBounds.MinY) * aPixelsPerMic * aFit.Scale;
    // A stroke may take a twentieth of the cell, never less than a pixel.
    aFit.PenMax = std::max(1.0, std::min(aCell.width(), aCell.height()) / 20.0);
    return true;
}
