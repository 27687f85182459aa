#pragma once
#include "platform/rtl/model/KVR.Model.Json.h"
#include <QString>
#include <cstdint>

class TBinaryReader;
class TBinaryWriter;
class TKVRBaseLabel;

// Size of a label (or drawing sheet) in micrometres, the sheet it is laid
// out on, the drawing scale 1 : DrawScale at which the model is put on paper,
// and the title block of a drawing.
class TKVRMeasure
{
public:
    // The label's size and drawing scale: a change is reported to the
    // document's views (change 3), which lay themselves out again.
    int64_t GetWidth() const { return fWidth; }
    void SetWidth(int64_t aValue) { Resize(fWidth, Length(aValue)); }
    int64_t GetHeight() const { return fHeight; }
    void SetHeight(int64_t aValue) { Resize(fHeight, Length(aValue)); }
    // Model micrometres per micrometre of paper; never below 1.
    int32_t GetDrawScale() const { return fDrawScale; }
    void SetDrawScale(int32_t aValue) { Resize(fDrawScale, aValue < 1 ? 1 : aValue); }
    // Labels across and down a sheet, 0 to KVRMaxSheetLabels each: every
    // data-bound element is copied once per sheet cell, so a damaged file
    // must not ask for millions.
    static constexpr int32_t KVRMaxSheetLabels = 1000;
    int32_t GetRows() const { return fRows; }
    void SetRows(int32_t aValue) { fRows = aValue < 0 ? 0 : aValue > KVRMaxSheetLabels ? KVRMaxSheetLabels : aValue; }
    int32_t GetColumns() const { return fColumns; }
    void SetColumns(int32_t aValue)
    {
        fColumns = aValue < 0 ? 0 : aValue > KVRMaxSheetLabels ? KVRMaxSheetLabels : aValue;
    }

    // The sheet: paper size, margins to the first label, gaps between labels.
    int64_t GetPaperWidth() const { return fPaperWidth; }
    void SetPaperWidth(int64_t aValue) { fPaperWidth = Length(aValue); }
    int64_t GetPaperHeight() const { return fPaperHeight; }
    void SetPaperHeight(int64_t aValue) { fPaperHeight = Length(aValue); }
    int64_t GetMarLeft() const { return fMarLeft; }
    void SetMarLeft(int64_t aValue) { fMarLeft = Length(aValue); }
    int64_t GetMarTop() const { return fMarTop; }
    void SetMarTop(int64_t aValue) { fMarTop = Length(aValue); }
    int64_t GetGapX() const { return fGapX; }
    void SetGapX(int64_t aValue) { fGapX = Length(aValue); }
    int64_t GetGapY() const { return fGapY; }
    void SetGapY(int64_t aValue) { fGapY = Length(aValue); }
    bool GetContinousPaper() const { return fContinous; }
    void SetContinousPaper(bool aValue) { fContinous = aValue; }
    // Sizes by kind: 0 paper width, 1 paper height, 2 label width, 3 label
    // height, 4 left margin, 5 top margin, 6 horizontal gap, 7 vertical gap; 0 for others.
    int64_t GetSize(int32_t aKind) const;
    // Has the document report its measures to its views (change 0); nothing
    // for a measure that belongs to no document.
    void SendInfo() const;
    // The document whose measure this is; copies keep their own.
    void SetOwner(TKVRBaseLabel* aOwner) { fOwner.Label = aOwner; }

    QString LabelName;
    // Title block of a drawing.
    QString Title, Author, Date, Promoter, Note, Project;

    void Write(TBinaryWriter& aWriter) const;
    // Reads a whole record; raises before changing anything when it cannot.
    void Read(TBinaryReader& aReader);
    TJsonObject WriteJson() const;
    void ReadJson(const TJsonObject& aJson);

private:
    // Lengths of paper: never negative, within the model's coordinate range.
    static int64_t Length(int64_t aValue);
    template <class T>
    void Resize(T& aField, T aValue)
    {
        if (aField == aValue)
            return;
        aField = aValue;
        SizeChanged();
    }
    void SizeChanged() const;

    int64_t fWidth = 100000;
    int64_t fHeight = 50000;
    int32_t fDrawScale = 1;
    int32_t fRows = 1;
    int32_t fColumns = 1;
    int64_t fPaperWidth = 210000;
    int64_t fPaperHeight = 297000;
    int64_t fMarLeft = 0;
    int64_t fMarTop = 0;
    int64_t fGapX = 0;
    int64_t fGapY = 0;
    bool fContinous = false;
    // Not copied: a measure copied into a document belongs to that document.
    struct TOwner
    {
        TKVRBaseLabel* Label = nullptr;
        TOwner() = default;
        TOwner(const TOwner&) {}
        TOwner& operator=(const TOwner&) { return *this; }
    } fOwner;
};
