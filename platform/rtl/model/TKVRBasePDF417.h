#pragma once
#include "platform/rtl/codes/KVR.PDF417.h"
#include "platform/rtl/model/TKVRBase2DCode.h"

// A stacked PDF417 symbol. Its value is 8-bit text (Windows-1252): a character
// beyond it makes the value fail to encode. Columns and Rows are the size
// settings handed to the encoder (data columns and rows, 0 = chosen).
// Binary after the shared symbol fields: correction level (byte), truncated
// (bool), columns, rows (int32).
class TKVRBasePDF417 : public TKVRBase2DCode
{
public:
    // Property rows (KVR.Model.PropTables*.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    TKVRBasePDF417(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBasePDF417(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    bool Encode() override;
    bool GetLayout(TKVRSymbolLayout& oLayout) const override;
    bool LayoutOf(const QString& aValue, TKVRSymbolLayout& oLayout) const override;
    // aColumns are data columns: the start pattern, the row indicators and the
    // stop pattern (a single bar when truncated) come on top.
    int32_t BarCodeWidth(int32_t aColumns) const override;
    int32_t BarCodeHeight(int32_t aRows) const override;

    // The codewords, sizes and level of a value with the element's settings;
    // false (and an empty symbol) when it does not fit a symbol.
    bool EncodeValue(const QString& aValue, TPdf417Symbol& oSymbol) const;
    // Module runs of a symbol (Y in rows); false, with the layout empty, when
    // the symbol is not whole: fewer codewords than its rows and columns hold,
    // or an entry that is no codeword.
    static bool BuildLayout(const TPdf417Symbol& aSymbol, bool aTruncated, TKVRSymbolLayout& oLayout);
    // Modules across a symbol of so many data columns.
    static int32_t ModulesAcross(int32_t aColumns, bool aTruncated);

    // ---- encoded state that the screen shows
    const std::vector<uint16_t>& GetCodeWords() const { return fSymbol.CodeWords; }
    uint16_t GetNumColumns() const { return fSymbol.Columns; }
    uint16_t GetNumRows() const { return fSymbol.Rows; }
    uint16_t GetLevel() const { return uint16_t(fSymbol.Level); }

    // ---- properties
    TKVRPdf417CorrectionLevel GetCorrectionLevel() const { return fCorrectionLevel; }
    void SetCorrectionLevel(TKVRPdf417CorrectionLevel aValue) { fCorrectionLevel = aValue; Changed(); }
    bool GetTruncated() const { return fTruncated; }
    void SetTruncated(bool aValue) { fTruncated = aValue; Changed(); }
    int32_t GetColumns() const { return fColumns; }
    void SetColumns(int32_t aValue) { fColumns = aValue; Changed(); }
    int32_t GetRows() const { return fRows; }
    void SetRows(int32_t aValue) { fRows = aValue; Changed(); }

private:
    TPdf417Symbol fSymbol;
    TKVRPdf417CorrectionLevel fCorrectionLevel = KVRPdf417CorrectionLevel::Level2;
    bool fTruncated = false;
    int32_t fColumns = 0;
    int32_t fRows = 0;
};
