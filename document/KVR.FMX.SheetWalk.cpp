#include "document/KVR.FMX.SheetWalk.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

std::string OutsideSheet(const char* aWhat, int32_t aValue, int32_t aCount, const char* aUnit)
{
    return "The start " + std::string(aWhat) + " " + std::to_string(aValue) + " is outside the sheet of " +
           std::to_string(aCount) + " " + aUnit;
}

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
    fCell = {1, aFirstRow, aFirstCol};
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
    const int64_t cells = int64_t(fRows) * fColumns;
    // What is left of the current sheet, then whole sheets; held at the run's labels.
    const int64_t rest = cells - (int64_t(fCell.Row) - 1) * fColumns - (fCell.Col - 1);
    const int64_t sheets = aPage - fCell.Page - 1;
    const int64_t left = fLabels - fDone;
    fDone = rest >= left || sheets >= (left - rest) / cells + 1 ? fLabels : fDone + rest + sheets * cells;
    fCell = {aPage, 1, 1};
}

bool KVRGoesToOutput(const TKVRBaseLabel& aLabel, const TKVRBaseItem& aItem, uint16_t aBits)
{
    if ((aItem.GetState() & aBits) != aBits)
        return false;
    const TKVRLayer* layer = aLabel.FindLayer(aItem.GetLayer());
    return !layer || (layer->GetState() & aBits) == aBits;
}
