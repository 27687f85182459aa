#pragma once
// The print job: every remaining label of a document on the platform printer,
// laid out on sheets by rows and columns, one data record per label.
#include "document/KVR.FMX.PrintReport.h"
#include "document/KVR.FMX.SheetWalk.h"
#include <cstdint>

class TVXLabelFMX;
class TKVRBaseItem;

// Device pixel of a cell's near edge: margin + index x (size + gap)
// micrometres at dpi, summed in double precision (whole micrometres exact to
// 2^53, far past 32 bits), halves to even, held to the 32-bit range.
int32_t PrintCellOrigin(int64_t aMargin, int32_t aIndex, int64_t aSize, int64_t aGap, int32_t aDpi);

// Why an element cannot print its symbol for the current record (empty:
// it can, or it is no symbol).
QString CodeProblem(const TKVRBaseItem& aItem);

// Runs on the calling thread, never as a thread of its own: Execute prints
// and returns when the last page has gone to the printer.
class TPrintThread
{
public:
    explicit TPrintThread(TVXLabelFMX* aLabel) : fLabel(aLabel) {}
    TPrintThread(const TPrintThread&) = delete;
    TPrintThread& operator=(const TPrintThread&) = delete;

    // Set-up failures (the sheet, the printer, the event before printing)
    // raise after the printer has dropped what was begun; a failure while
    // the pages print aborts the document and is reported, not raised. The
    // document's printing state and the print font resolution are restored
    // in every case.
    void Execute();
    const TKVRPrintReport& Report() const { return fReport; }

private:
    void PrintPages(class TKVRDraw& aDraw, TKVRSheetWalk& aWalk);

    TVXLabelFMX* fLabel;
    TKVRPrintReport fReport;
    int64_t fLastPage = 0;  // of the pages chosen
};
