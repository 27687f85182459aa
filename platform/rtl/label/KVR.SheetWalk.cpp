#include "platform/rtl/label/KVR.SheetWalk.h"
#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

std::string OutsideSheet(const char* aWhat, int32_t aValue, int32_t aCount, const char* aUnit)
{
    return "The start " + std::string(aWhat) + " " + std::to_string(aValue) + " is outside the sheet of " +
           std::to_string(aCount) + " " + aUnit;
}

using Wide = __int128;

}  // namespace

TKVRSheetWalk::TKVRSheetWalk(int32_t aRows, int32_t aColumns, int32_t aFirstRow, int32_t aFirstCol, int64_t aLabels)
    : fRows(aRows), fColumns(aColumns), fLabels(std::max<int64_t>(aLabels, 0))
{
    if (aRows < 1)
        throw std::invalid_argument("The label sheet has no rows");
    if (aColumns < 1)
        throw std::invalid_argument("The label sheet has no columns");
    if (aFirstRow < 1 || aFirstRow > aRows)
        throw std::invalid_argument(OutsideSheet("row", aFirstRow, aRows, "rows"));
    if (aFirstCol < 1 || aFirstCol > aColumns)
        throw std::invalid_argument(OutsideSheet("column", aFirstCol, aColumns, "columns"));
    fSkipped = (int64_t(aFirstRow) - 1) * aColumns + (aFirstCol - 1);
    fCell = {1, aFirstRow, aFirstCol};
    const int64_t pages = Pages();
    if (pages > std::numeric_limits<int32_t>::max())
        throw std::length_error("The run of " + std::to_string(fLabels) + " labels needs " + std::to_string(pages) +
                                " pages, more than a page number can hold (" +
                                std::to_string(std::numeric_limits<int32_t>::max()) + ")");
}

int64_t TKVRSheetWalk::Pages() const
{
    if (fLabels == 0)
        return 0;
    const Wide cells = CellsPerSheet();
    const Wide pages = (Wide(fSkipped) + fLabels + cells - 1) / cells;
    return int64_t(std::min<Wide>(pages, std::numeric_limits<int64_t>::max()));
}

int64_t TKVRSheetWalk::LabelsBefore(int64_t aPage) const
{
    if (aPage <= 1)
        return 0;
    const Wide before = (Wide(aPage) - 1) * CellsPerSheet() - fSkipped;
    return int64_t(std::clamp<Wide>(before, 0, fLabels));
}

bool TKVRSheetWalk::Next(TCell& oCell)
{
    if (fDone >= fLabels)
        return false;
    oCell = fCell;
    ++fDone;
    if (++fCell.Col > fColumns) {
        fCell.Col = 1;
        if (++fCell.Row > fRows) {
            fCell.Row = 1;
            ++fCell.Page;
        }
    }
    return true;
}

void TKVRSheetWalk::SkipTo(int64_t aPage)
{
    if (aPage <= fCell.Page)
        return;
    fDone = std::max(fDone, LabelsBefore(aPage));
    fCell = {aPage, 1, 1};
}
