#pragma once
// What print and export share of a label sheet: which cells a run fills and
// which elements go to an output. One rule for both, so paper and files agree.
#include <cstdint>

class TKVRBaseLabel;
class TKVRBaseItem;

// The cells of a run, sheet by sheet: from the start cell on the first
// sheet, row by row, for as many labels as the run has. Refuses a sheet
// without rows or columns and a start cell outside it (std::invalid_argument).
class TKVRSheetWalk
{
public:
    TKVRSheetWalk(int32_t aRows, int32_t aColumns, int32_t aFirstRow, int32_t aFirstCol, int64_t aLabels);

    struct TCell
    {
        int64_t Page = 1;  // sheet of the run, from 1
        int32_t Row = 1;
        int32_t Col = 1;
    };
    // The next label's cell; false once every label has one.
    bool Next(TCell& oCell);
    // Passes over the sheets before aPage (from 1) without visiting their
    // cells: the next cell is the first of aPage, or none when the labels end before it.
    void SkipTo(int64_t aPage);
    // Labels given a cell (or passed over) so far.
    int64_t Done() const { return fDone; }

private:
    int32_t fRows, fColumns;
    int64_t fLabels;
    int64_t fDone = 0;
    TCell fCell;
};

// Whether an element goes to an output that needs aBits of the state words
// (print: printable; export: visible and exported): its own word and its
// layer's must carry them all. An element whose layer index names no layer
// answers by its own word: the editor shows it, and no output drops it.
bool KVRGoesToOutput(const TKVRBaseLabel& aLabel, const TKVRBaseItem& aItem, uint16_t aBits);
