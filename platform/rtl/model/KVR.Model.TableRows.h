#pragma once
// Where the bands of a data table lie for output: which body rows fit and the
// lower edge of every band, from the table's top, in micrometres.
#include <cstdint>
#include <vector>

struct TKVRTableBands
{
    int64_t TitleHeight = 0;   // 0: no title band
    int64_t HeaderHeight = 0;  // 0: no header band
    int64_t FooterHeight = 0;  // the footer band is always laid out
    // Room below the table's top: its own height while it keeps its size,
    // otherwise what the label leaves below its top edge.
    int64_t Limit = 0;
    bool FixedSize = false;
};

struct TKVRTableRows
{
    // Body rows that fit, from the first; the rows after the first one that
    // does not fit are left out too.
    int32_t Shown = 0;
    // Lower edge of each band: title, header (each while present), the rows
    // shown, the footer; with a fixed size the gap before the footer is a
    // band of its own and the footer ends at the limit.
    std::vector<int64_t> Positions;
};

// A row fits while its lower edge and the footer below it stay within the
// limit; the title and header count once.
TKVRTableRows KVRTableRows(const TKVRTableBands& aBands, const std::vector<int32_t>& aRowHeights);
