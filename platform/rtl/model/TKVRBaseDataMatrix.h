#pragma once
#include "platform/rtl/model/TKVRBase2DCode.h"
#include <cstdint>
#include <vector>

// A Data Matrix ECC 200 symbol of the smallest square size that holds the
// value. The value is 8-bit text (Windows-1252): a character beyond it, or a value
// too long for the largest symbol, does not encode. No fields of its own.
class TKVRBaseDataMatrix : public TKVRBase2DCode
{
public:
    TKVRBaseDataMatrix(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseDataMatrix(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    bool Encode() override;
    bool GetLayout(TKVRSymbolLayout& oLayout) const override;
    bool LayoutOf(const QString& aValue, TKVRSymbolLayout& oLayout) const override;
    int32_t BarCodeWidth(int32_t aColumns) const override { return BoxWidth(aColumns); }
    int32_t BarCodeHeight(int32_t aRows) const override { return BoxHeight(aRows); }

    // Modules of a value (row by row, 1 = dark); false when it does not encode.
    static bool EncodeValue(const QString& aValue, std::vector<uint8_t>& oModules, uint16_t& oColumns,
                            uint16_t& oRows);
    // Module runs; false, with the layout empty, when the array holds fewer
    // than rows x columns modules or a size is 0.
    static bool BuildLayout(const std::vector<uint8_t>& aModules, uint16_t aColumns, uint16_t aRows,
                            TKVRSymbolLayout& oLayout);

    // ---- encoded state that the screen shows
    const std::vector<uint8_t>& GetModules() const { return fModules; }
    uint16_t GetNumColumns() const { return fColumns; }
    uint16_t GetNumRows() const { return fRows; }

private:
    std::vector<uint8_t> fModules;
    uint16_t fColumns = 0;
    uint16_t fRows = 0;
};
