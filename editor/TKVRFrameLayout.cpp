#include "editor/TKVRFrameLayout.h"
#include <algorithm>

namespace {
TGridDimension Absolute(float aSize)
{
    return {aSize, TGridMeasureType::mtAbsolute};
}
TGridDimension Share(float aSize)
{
    return {aSize, TGridMeasureType::mtPercentage};
}

template <size_t N>
int32_t Available(const std::array<TGridDimension, N>& aDims, int32_t aTotal)
{
    float fixed = 0;
    for (const TGridDimension& d : aDims)
        if (d.MeasureType == TGridMeasureType::mtAbsolute)
            fixed += d.Size;
    return std::max(0, int32_t(float(aTotal) - fixed));
}

template <size_t N>
float Shares(const std::array<TGridDimension, N>& aDims)
{
    float sum = 0;
    for (const TGridDimension& d : aDims)
        if (d.MeasureType == TGridMeasureType::mtPercentage)
            sum += d.Size;
    return sum;
}

template <size_t N>
int32_t Extent(const std::array<TGridDimension, N>& aDims, int32_t aIndex, int32_t aTotal)
{
    if (aIndex < 0 || aIndex >= int32_t(N))
        return 0;
    const TGridDimension& d = aDims[size_t(aIndex)];
    if (d.MeasureType == TGridMeasureType::mtAbsolute)
        return int32_t(d.Size);
    const float shares = Shares(aDims);
    return shares > 0 ? int32_t(float(Available(aDims, aTotal)) * d.Size / shares) : 0;
}
}  // namespace

TKVRFrameLayout::TKVRFrameLayout()
    : fRows{Absolute(22), Absolute(22), Share(100), Absolute(22)},
      fColumns{Absolute(70), Absolute(30), Absolute(22), Share(100), Absolute(22)}
{
}

bool TKVRFrameLayout::AddControl(QWidget* aControl, int32_t aRow, int32_t aColumn, int32_t aRowSpan,
                                 int32_t aColSpan)
{
    if (fCellCount >= MaxCells)
        return false;
    fCells[size_t(fCellCount++)] = {aControl, aRow, aColumn, aRowSpan, aColSpan};
    return true;
}

int32_t TKVRFrameLayout::GetColumnWidth(int32_t aIndex, int32_t aWidth) const
{
    return Extent(fColumns, aIndex, aWidth);
}

int32_t TKVRFrameLayout::GetRowHeight(int32_t aIndex, int32_t aHeight) const
{
    return Extent(fRows, aIndex, aHeight);
}

int32_t TKVRFrameLayout::CalculateAvailableWidth(int32_t aWidth) const
{
    return Available(fColumns, aWidth);
}

int32_t TKVRFrameLayout::CalculateAvailableHeight(int32_t aHeight) const
{
    return Available(fRows, aHeight);
}

float TKVRFrameLayout::GetTotalPercentageColumns() const
{
    return Shares(fColumns);
}

float TKVRFrameLayout::GetTotalPercentageRows() const
{
    return Shares(fRows);
}

QRect TKVRFrameLayout::CellBounds(int32_t aIndex, int32_t aWidth, int32_t aHeight) const
{
    const TGridCell& c = fCells[size_t(aIndex)];
    int32_t x = 0, y = 0, w = 0, h = 0;
    for (int32_t i = 0; i < c.Column; ++i)
        x += GetColumnWidth(i, aWidth);
    for (int32_t i = 0; i < c.Row; ++i)
        y += GetRowHeight(i, aHeight);
    for (int32_t i = c.Column; i < c.Column + c.ColSpan; ++i)
        w += GetColumnWidth(i, aWidth);
    for (int32_t i = c.Row; i < c.Row + c.RowSpan; ++i)
        h += GetRowHeight(i, aHeight);
    return QRect(x, y, w, h);
}

void TKVRFrameLayout::ApplyOptions(TKVREditorOptions aOptions)
{
    fColumns[0].Size = aOptions.testFlag(eoZoomBox) ? 70 : 0;
    fColumns[1].Size = aOptions.testFlag(eoUnitsButton) ? 30 : 0;
    fColumns[2].Size = aOptions.testFlag(eoOrtoInfo) ? 22 : 0;
    fRows[0].Size = aOptions.testFlag(eoSettings) ? 22 : 0;
    fRows[1].Size = aOptions.testFlag(eoRotate) ? 22 : 0;
}
