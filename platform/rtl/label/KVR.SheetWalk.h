#pragma once
// The cells of a print run, sheet by sheet: from the start cell on the first
// sheet, row by row, for as many labels as the run has. Print, export, the
// preview and the document's page moves share it, so they agree on where
// every label goes and which runs cannot be made.
#include <cstdint>

// Refuses (std::invalid_argument) a sheet without rows or columns and a
// start cell outside it, and (std::length_error) a run with more sheets than
// a page number (32 bits) can count.
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

    int64_t CellsPerSheet() const { return int64_t(fRows) * fColumns; }
    // Cells before the start cell on the first sheet.
    int64_t Skipped() const { return fSkipped; }
    // Sheets the run fills; 0 without labels.
    int64_t Pages() const;
    // Labels on the sheets before aPage, held to the run: the run's label
    // index (from 0) of the first label of aPage.
    int64_t LabelsBefore(int64_t aPage) const;

private:
    int32_t fRows, fColumns;
    int64_t fLabels;
    int64_t fSkipped = 0;
    int64_t fDone = 0;
    TCell fCell;
};
