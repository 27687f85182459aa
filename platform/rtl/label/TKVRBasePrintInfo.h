#pragma once
#include "platform/rtl/model/KVR.Model.Json.h"
#include <QString>
#include <cstdint>

class TBinaryReader;
class TBinaryWriter;

// How a label document goes on paper: the printer, where the first label
// sits on the first sheet, how many labels and copies, and the position of a
// run under way (pages and labels counted from 1).
class TKVRBasePrintInfo
{
public:
    int32_t GetPrinterIndex() const { return fPrinterIndex; }
    void SetPrinterIndex(int32_t aValue) { fPrinterIndex = aValue < 0 ? -1 : aValue; }
    // Row and column of the first label on the first sheet, from 1.
    int32_t GetFirstRow() const { return fFirstRow; }
    void SetFirstRow(int32_t aValue) { fFirstRow = aValue < 1 ? 1 : aValue; }
    int32_t GetFirstCol() const { return fFirstCol; }
    void SetFirstCol(int32_t aValue) { fFirstCol = aValue < 1 ? 1 : aValue; }
    // Labels to print when no data is bound.
    int32_t GetLabs() const { return fLabs; }
    void SetLabs(int32_t aValue) { fLabs = aValue < 1 ? 1 : aValue; }
    // Copies of each label.
    int32_t GetRepetition() const { return fRepetition; }
    void SetRepetition(int32_t aValue) { fRepetition = aValue < 1 ? 1 : aValue; }
    bool GetLandscape() const { return fLandscape; }
    void SetLandscape(bool aValue) { fLandscape = aValue; }
    // Print one label per data record.
    bool GetWithData() const { return fWithData; }
    void SetWithData(bool aValue) { fWithData = aValue; }

    // The run, prepared by the document's CheckPrintData.
    int64_t GetTotalLabels() const { return fTotalLabels; }
    int32_t GetNumPages() const { return fNumPages; }
    int32_t GetCurPage() const { return fCurPage; }
    void SetCurPage(int32_t aValue) { fCurPage = aValue; }
    int64_t GetCurLabel() const { return fCurLabel; }
    void SetCurLabel(int64_t aValue) { fCurLabel = aValue; }
    // Why the prepared run cannot be made (a sheet without cells, a start
    // cell off the sheet, more pages than a page number holds): it has no
    // pages then. Empty when it can.
    QString GetRefusal() const { return fRefusal; }
    // False until the document first prepares a run.
    bool GetPrepared() const { return fPrepared; }
    // The pages a print puts out, from 1; 0 as the last page: to the run's
    // end. A choice of the print dialog, not saved with the label.
    int32_t GetFromPage() const { return fFromPage; }
    int32_t GetToPage() const { return fToPage; }
    void SetPageRange(int32_t aFrom, int32_t aTo)
    {
        fFromPage = aFrom < 1 ? 1 : aFrom;
        fToPage = aTo < 0 ? 0 : aTo;
    }

    // The settings (not the printer, which belongs to the machine, nor the
    // run under way); Read raises before changing anything when it cannot.
    void Write(TBinaryWriter& aWriter) const;
    void Read(TBinaryReader& aReader);
    TJsonObject WriteJson() const;
    void ReadJson(const TJsonObject& aJson);

private:
    friend class TKVRBaseLabel;
    int32_t fPrinterIndex = -1;
    int32_t fFirstRow = 1;
    int32_t fFirstCol = 1;
    int32_t fLabs = 1;
    int32_t fRepetition = 1;
    bool fLandscape = false;
    bool fWithData = false;
    int64_t fTotalLabels = 0;
    int32_t fNumPages = 0;
    int32_t fCurPage = 1;
    int64_t fCurLabel = 1;
    QString fRefusal;
    bool fPrepared = false;
    int32_t fFromPage = 1;
    int32_t fToPage = 0;
};
