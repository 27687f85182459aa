#pragma once
// The editor frame's placing table: four rows and five columns, each of fixed
// pixels or a share of what the fixed ones leave, and up to nine cells that
// each span some rows and columns. Pure arithmetic: the frame places its
// child widgets by the rectangles it gives.
#include "editor/KVR.FMX.Editor.Types.h"
#include <QRect>
#include <array>
#include <cstdint>

class QWidget;

struct TGridDimension
{
    float Size = 0;
    TGridMeasureType MeasureType = TGridMeasureType::mtAbsolute;
};

struct TGridCell
{
    QWidget* Control = nullptr;
    int32_t Row = 0, Column = 0, RowSpan = 1, ColSpan = 1;
};

class TKVRFrameLayout
{
public:
    static constexpr int32_t RowCount = 4;
    static constexpr int32_t ColumnCount = 5;
    static constexpr int32_t MaxCells = 9;

    // The table of a new editor: rows 22, 22, 100 %, 22; columns 70, 30, 22, 100 %, 22.
    TKVRFrameLayout();

    std::array<TGridDimension, RowCount> fRows;
    std::array<TGridDimension, ColumnCount> fColumns;
    std::array<TGridCell, MaxCells> fCells;
    int32_t fCellCount = 0;

    // False for a tenth cell, which is not laid out.
    bool AddControl(QWidget* aControl, int32_t aRow, int32_t aColumn, int32_t aRowSpan, int32_t aColSpan);
    void Clear() { fCellCount = 0; fCells = {}; }

    int32_t GetColumnWidth(int32_t aIndex, int32_t aWidth) const;
    int32_t GetRowHeight(int32_t aIndex, int32_t aHeight) const;
    int32_t CalculateAvailableWidth(int32_t aWidth) const;
    int32_t CalculateAvailableHeight(int32_t aHeight) const;
    float GetTotalPercentageColumns() const;
    float GetTotalPercentageRows() const;
    // Where cell aIndex lies in a frame of aWidth x aHeight pixels.
    QRect CellBounds(int32_t aIndex, int32_t aWidth, int32_t aHeight) const;

    // Column and row sizes that the options switch (0 hides the control).
    void ApplyOptions(TKVREditorOptions aOptions);
};
