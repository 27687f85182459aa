#pragma once
#include "platform/rtl/model/KVR.Model.Codes.h"
#include "platform/rtl/model/KVR.Model.DataField.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/model/TKVR2DItem.h"
#include <QString>

// What the three two-dimensional symbols (PDF417, Data Matrix, QR code) share:
// module sizes, paddings, alignment, quarter turn, the value and its data
// field, and the box about the anchor (point 1). The box is the symbol plus
// PaddingX and PaddingY on each side; point 2 is its bottom-right corner.
//
// Binary after the filled header: angle (byte), bar width, bar height, ratio,
// padding x, padding y (Single, mm), horizontal and vertical alignment
// (bytes), value (string), fill type (byte), field name, format (strings),
// point 1; then each kind's own fields.
class TKVRBase2DCode : public TKVR2DItem
{
public:
    // Property rows (KVR.Model.PropTables.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // Point 2 is the laid-out corner, not placed by the user.
    bool IsInputPoint(int32_t aIndex) const override { return aIndex == 1; }
    // ---- editing (see TKVRBaseItem)
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;
    void TurnQuarter(bool aLeft, const TKVRPto& aOffset) override;
    // ---- element slots
    TJsonObject WriteJson() const override;
    bool GetIsData() const override { return fData.IsBound(); }
    // The box of the symbol, not widened by the pen.
    void CheckFit(TKVRExtent& aExtent) override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    // ---- the symbol
    // Encodes the element's own value into the state that the screen shows;
    // false, with that state cleared, when the value does not encode.
    virtual bool Encode() = 0;
    bool GetEncoded() const { return fEncoded; }
    // The encoded state as module runs; false when nothing is encoded.
    virtual bool GetLayout(TKVRSymbolLayout& oLayout) const = 0;
    // A value encoded with the element's settings, as module runs; the element
    // is left as it is. False when the value does not encode.
    virtual bool LayoutOf(const QString& aValue, TKVRSymbolLayout& oLayout) const = 0;
    // Size of the box in document micrometres for a symbol of so many columns
    // and rows (the kind's own count: data columns for PDF417, modules for the others).
    virtual int32_t BarCodeWidth(int32_t aColumns) const = 0;
    virtual int32_t BarCodeHeight(int32_t aRows) const = 0;
    // The box of a symbol of that layout, or of a symbol with nothing encoded.
    TKVRRect CodeBox(const TKVRSymbolLayout* aLayout) const;
    // The value for the current record: the element's own when not bound.
    QString PrintValue() const { return fData.Value(GetOwner(), fCode); }

    // ---- properties (lengths in millimetres of paper)
    TKVRAngle GetAngle() const { return fAngle; }
    void SetAngle(TKVRAngle aValue) { fAngle = aValue; Changed(); }
    // Module width, and module height (PDF417: row height).
    float GetBarWidth() const { return fBarWidth; }
    void SetBarWidth(float aValue);
    float GetBarHeight() const { return fBarHeight; }
    void SetBarHeight(float aValue);
    // Stored for the callers; the symbols do not use it.
    float GetRatio() const { return fRatio; }
    void SetRatio(float aValue);
    float GetPaddingX() const { return fPaddingX; }
    void SetPaddingX(float aValue);
    float GetPaddingY() const { return fPaddingY; }
    void SetPaddingY(float aValue);
    TKVRHorzAlign GetHorzAlign() const { return fHorzAlign; }
    void SetHorzAlign(TKVRHorzAlign aValue) { fHorzAlign = aValue; Changed(); }
    TKVRVertAlign GetVertAlign() const { return fVertAlign; }
    void SetVertAlign(TKVRVertAlign aValue) { fVertAlign = aValue; Changed(); }
    QString GetCode() const { return fCode; }
    void SetCode(const QString& aValue) { fCode = aValue; Changed(); }
    uint8_t GetFillType() const { return fData.FillType; }
    void SetFillType(uint8_t aValue) { fData.FillType = aValue; }
    QString GetFillName() const { return fData.FillName; }
    void SetFillName(const QString& aValue) { fData.FillName = aValue; }
    QString GetFormat() const { return fData.Format; }
    void SetFormat(const QString& aValue) { fData.Format = aValue; }

protected:
    TKVRRect TurnBox() const override;
    TKVRBase2DCode(TKVRBaseLabel* aOwner, int32_t aKind, bool aPreview, float aBarWidth, float aBarHeight);
    TKVRBase2DCode(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aKind, bool aPreview, float aBarWidth,
                   float aBarHeight);

    // Box size in document micrometres of a symbol so many modules across or down.
    int32_t BoxWidth(int32_t aModules) const;
    int32_t BoxHeight(int32_t aModules) const;
    // Records the outcome of Encode: whether it succeeded and the symbol's own
    // column and row counts.
    void SetEncoded(bool aEncoded, int32_t aColumns, int32_t aRows);

private:
    TKVRAngle fAngle = TKVRAngle::Angle0;
    float fBarWidth = 0.5f;
    float fBarHeight = 0.5f;
    float fRatio = 1.0f;
    float fPaddingX = 2.0f;
    float fPaddingY = 2.0f;
    TKVRHorzAlign fHorzAlign = TKVRHorzAlign::Left;
    TKVRVertAlign fVertAlign = TKVRVertAlign::Top;
    QString fCode;
    TKVRDataField fData;

    bool fEncoded = false;
    int32_t fEncodedColumns = 0;
    int32_t fEncodedRows = 0;
};
