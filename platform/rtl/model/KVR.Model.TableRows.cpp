#include "platform/rtl/model/KVR.Model.TableRows.h"
#include <algorithm>

TKVRTableRows KVRTableRows(const TKVRTableBands& aBands, const std::vector<int32_t>& aRowHeights)
{
    TKVRTableRows out;
    int64_t pos = 0;
    if (aBands.TitleHeight > 0)
        out.Positions.push_back(pos += aBands.TitleHeight);
    if (aBands.HeaderHeight > 0)
        out.Positions.push_back(pos += aBands.HeaderHeight);
    const int64_t footer = std::max<int64_t>(aBands.FooterHeight, 0);
    for (const int32_t h : aRowHeights) {
        const int64_t bottom = pos + std::max<int32_t>(h, 0);
        if (bottom + footer > aBands.Limit)
            break;
        out.Positions.push_back(pos = bottom);
        ++out.Shown;
    }
    if (aBands.FixedSize) {
        // The footer sits at the box's lower edge, never above the last row.
        const int64_t top = std::max(pos, aBands.Limit - footer);
        out.Positions.push_back(top);
        out.Positions.push_back(top + footer);
    } else
        out.Positions.push_back(pos + footer);
    return out;
}
