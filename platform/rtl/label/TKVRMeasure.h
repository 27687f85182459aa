#pragma once
#include <cstdint>

// Size of a label (or drawing sheet) in micrometres, its sheet layout and
// the drawing scale 1 : DrawScale at which the model is put on paper.
class TKVRMeasure
{
public:
    int64_t GetWidth() const { return fWidth; }
    void SetWidth(int64_t aValue) { fWidth = aValue < 0 ? 0 : aValue; }
    int64_t GetHeight() const { return fHeight; }
    void SetHeight(int64_t aValue) { fHeight = aValue < 0 ? 0 : aValue; }
    // Model micrometres per micrometre of paper; never below 1.
    int32_t GetDrawScale() const { return fDrawScale; }
    void SetDrawScale(int32_t aValue) { fDrawScale = aValue < 1 ? 1 : aValue; }
    int32_t GetRows() const { return fRows; }
    void SetRows(int32_t aValue) { fRows = aValue < 0 ? 0 : aValue; }
    int32_t GetColumns() const { return fColumns; }
    void SetColumns(int32_t aValue) { fColumns = aValue < 0 ? 0 : aValue; }

private:
    int64_t fWidth = 100000;
    int64_t fHeight = 50000;
    int32_t fDrawScale = 1;
    int32_t fRows = 1;
    int32_t fColumns = 1;
};
