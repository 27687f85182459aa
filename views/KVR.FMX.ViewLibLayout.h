#pragma once
// The library view's grid of equal cells: how many columns and rows fit,
// where each cell lies, which symbol lies under a point and how a symbol is
// fitted into its cell. Pixels of the control; no widget involved.
#include <QRect>
#include <cstdint>

struct TKVRExtent;

struct TKVRLibGrid
{
    // Smallest cell side: a symbol keeps a 5-pixel border and at least a pixel.
    static constexpr int32_t MinCell = 11;

    int32_t CellWidth = 80, CellHeight = 80, Gap = 10;
    int32_t Cols = 0, Rows = 0;
    int32_t MarginLeft = 0, MarginTop = 0;
    int32_t ContentHeight = 0;
    bool ScrollBar = false;      // the content is taller than the control
    int32_t VisibleRows = 1;     // rows shown whole at a time
    int32_t MaxTopRow = 0;       // the last row shows whole from this top row on

    // A row's height with the gap below it: one scroll step.
    int32_t RowStep() const { return CellHeight + Gap; }
    // Symbol 1.. under a point (content coordinates: the scroll offset
    // added); 0 in the gaps between rows, left of the grid, right of the last
    // column and past the last symbol. The gap right of a cell is that cell's.
    int32_t IndexAt(int32_t aX, int32_t aY, int32_t aNumSym) const;
    // The cell of symbol aIndex (from 1), content coordinates.
    QRect CellRect(int32_t aIndex) const;
};

// Lays out aNumSym cells in a control of aWidth x aHeight; the scroll bar's
// width is taken off when the rows do not fit. Cells below MinCell and
// negative gaps are raised; there is at least one column.
TKVRLibGrid KVRLibGrid(int32_t aWidth, int32_t aHeight, int32_t aCellWidth, int32_t aCellHeight, int32_t aGap,
                       int32_t aScrollBarWidth, int32_t aNumSym);

// How a symbol covering aBounds (micrometres) is painted into a cell by a
// context of aPixelsPerMic (its micrometres to unscaled pixels): the canvas
// is moved by (DX, DY) and scaled by Scale. The longer side keeps a 5-pixel
// border, the other is centred; a flat symbol fits by its other side. False
// for a symbol without extent. PenMax: the widest stroke the cell takes.
struct TKVRSymbolFit
{
    double Scale = 0;
    double DX = 0;
    double DY = 0;
    double PenMax = 1;
};
bool KVRFitSymbol(const TKVRExtent& aBounds, const QRect& aCell, double aPixelsPerMic, TKVRSymbolFit& aFit);
