#pragma once
#include "platform/rtl/codes/KVR.QRCode.h"
#include "platform/rtl/model/TKVRBase2DCode.h"

// A QR code of Unicode text. The screen and the printer prepare the text the
// same way: it goes into the symbol as it stands, in the element's encoding;
// text beyond ASCII carries its ECI (UTF-8 by default) so that readers decode
// it as written. Binary after the shared symbol fields: encoding (byte),
// error-correction level (byte, 0 L .. 3 H).
class TKVRBaseQRCode : public TKVRBase2DCode
{
public:
    // Property rows (KVR.Model.PropTables*.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    TKVRBaseQRCode(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseQRCode(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);
    ~TKVRBaseQRCode() override;

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    bool Encode() override;
    bool GetLayout(TKVRSymbolLayout& oLayout) const override;
    bool LayoutOf(const QString& aValue, TKVRSymbolLayout& oLayout) const override;
    int32_t BarCodeWidth(int32_t aColumns) const override { return BoxWidth(aColumns); }
    int32_t BarCodeHeight(int32_t aRows) const override { return BoxHeight(aRows); }

    // The one text preparation of screen and printer: the text into oQRCode
    // with the element's encoding and level; false (no matrix) when it does not encode.
    bool EncodeValue(const QString& aValue, TQRCode& oQRCode) const;
    // Module runs of a column-first grid (grid[column][row]); false, with the
    // layout empty, when the grid is empty or not square.
    static bool BuildLayout(const T2DBooleanArray& aGrid, TKVRSymbolLayout& oLayout);

    // ---- encoded state that the screen shows
    const T2DBooleanArray& GetGrid() const { return fGrid; }
    uint16_t GetNumColumns() const { return fColumns; }
    uint16_t GetNumRows() const { return fRows; }
    const TQRCode& GetQRCode() const { return fQRCode; }

    // ---- properties
    TQRCodeEncoding GetEncoding() const { return fEncoding; }
    void SetEncoding(TQRCodeEncoding aValue) { fEncoding = aValue; Changed(); }
    const TErrorCorrectionLevel& GetErrorLevel() const { return fLevel; }
    // Throws std::out_of_range for anything but L, M, Q or H.
    void SetErrorLevel(int32_t aOrdinal);

private:
    TQRCodeEncoding fEncoding = QRCodeEncoding::Auto;
    TErrorCorrectionLevel fLevel;
    TQRCode fQRCode;
    T2DBooleanArray fGrid;
    uint16_t fColumns = 0;
    uint16_t fRows = 0;
};
