#pragma once
#include "platform/rtl/codes/KVR.Barcode.h"
#include "platform/rtl/codes/KVR.IBarcode.h"
#include "platform/rtl/model/KVR.Model.DataField.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/model/TKVR2DItem.h"
#include <QByteArray>
#include <QString>

// A linear barcode: its value, symbology and options, optionally taken from a
// data field, and the encoding of its own value that the screen shows. Point 1
// is the anchor; point 2, the bottom-right corner of the box, follows from
// the layout.
// The box is the bars plus PaddingX on both sides, across BarHeight plus
// PaddingY above and below and the text height when the number is shown.
//
// Binary after the filled header: angle (byte), bar width, bar height,
// wide-to-narrow factor, distance, padding x, padding y (Single, mm),
// horizontal alignment (byte), show number, checksum (bool), Code 128 subset
// (byte), font name (string), font height (int32 µm), value (string), code
// type (byte), fill type (byte), field name, format (strings), point 1.
class TKVRBaseBarcode : public TKVR2DItem, public TKVRBarcodeIntf
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
    TKVRBaseBarcode(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseBarcode(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    // ---- element slots
    TJsonObject WriteJson() const override;
    bool GetIsData() const override { return fData.IsBound(); }
    // The box of the code, not widened by the pen.
    void CheckFit(TKVRExtent& aExtent) override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    // Point 2 := the bottom-right corner of the box of the current pattern.
    void UpdatePoints() override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    // ---- barcode source of the painters
    float GetBarWidth() const override { return fBarWidth; }
    float GetBarHeight() const override { return fBarHeight; }
    float GetPaddingX() const override { return fPaddingX; }
    float GetPaddingY() const override { return fPaddingY; }
    float GetFactor() const override { return fFactor; }
    TKVRHorzAlign GetHorzAlign() const override { return fHorzAlign; }
    TKVRAngle GetAngle() const override { return fAngle; }
    float GetFontHeight() const override { return float(fFontHeight) / 1000.0f; }
    bool GetShowNumber() const override { return fShowNumber; }
    TKVRBarType GetBarType() const override { return fCodeType; }
    // The prepared code of the last valid layout (check characters included).
    QByteArray GetCodeText() const override { return fPrepared; }
    QByteArray GetBarPattern() const override { return fPattern; }
    void Reserved13() override {}
    QString GetFontName() const override { return fFontName; }

    // ---- properties (lengths in millimetres of paper)
    void SetAngle(TKVRAngle aValue) { fAngle = aValue; Changed(); }
    void SetBarWidth(float aValue);
    void SetBarHeight(float aValue);
    float GetBarWidthFactor() const { return fFactor; }
    void SetBarWidthFactor(float aValue);
    float GetDistance() const { return fDistance; }
    void SetDistance(float aValue);
    void SetPaddingX(float aValue);
    void SetPaddingY(float aValue);
    void SetHorzAlign(TKVRHorzAlign aValue) { fHorzAlign = aValue; Changed(); }
    void SetShowNumber(bool aValue) { fShowNumber = aValue; EncodingChanged(); }
    bool GetChecksum() const { return fChecksum; }
    void SetChecksum(bool aValue) { fChecksum = aValue; EncodingChanged(); }
    TKVR128AutoType GetE128Auto() const { return fE128Auto; }
    void SetE128Auto(TKVR128AutoType aValue) { fE128Auto = aValue; }
    void SetFontName(const QString& aValue) { fFontName = aValue; EncodingChanged(); }
    // Font height in millimetres, and in micrometres as the font cache takes it.
    void SetFontHeight(float aValue);
    int32_t GetBaseFontHeight() const { return fFontHeight; }
    void SetBaseFontHeight(int32_t aValue);
    // The value as typed; characters beyond the 8-bit code page are kept, and
    // make the value invalid rather than turning into "?".
    QString GetCode() const { return fCode; }
    // The value as 8-bit text (Latin-1); meaningful only for a valid value.
    QByteArray GetAnsiCode() const { return fCode.toLatin1(); }
    void SetCode(const QString& aValue) { fCode = aValue; EncodingChanged(); }
    void SetCode(const QByteArray& aValue) { SetCode(QString::fromLatin1(aValue)); }
    void SetCode(const char* aValue) { SetCode(QString::fromUtf8(aValue)); }
    void SetCodeType(TKVRBarType aValue) { fCodeType = aValue; EncodingChanged(); }
    // The second encoding option, without a property; not stored.
    bool GetOption() const { return fOption; }
    void SetOption(bool aValue) { fOption = aValue; EncodingChanged(); }
    uint8_t GetFillType() const { return fData.FillType; }
    void SetFillType(uint8_t aValue) { fData.FillType = aValue; }
    QString GetFillName() const { return fData.FillName; }
    void SetFillName(const QString& aValue) { fData.FillName = aValue; }
    QString GetFormat() const { return fData.Format; }
    void SetFormat(const QString& aValue) { fData.Format = aValue; }
    // The value printed for the current record: the element's own when not bound.
    QString PrintValue() const { return fData.Value(GetOwner(), fCode); }

    // ---- layout results
    bool GetValid() const { return fValid; }
    double GetFontRatio() const { return fFontRatio; }
    int32_t GetAscent() const { return fAscent; }
    int32_t GetDescent() const { return fDescent; }
    int32_t GetUnderlinePos() const { return fUnderline; }
    int32_t GetLineHeight() const { return fLineHeight; }
    // Whether the value or an encoding setting changed since the last layout.
    bool GetEncodeStale() const { return fEncodeStale; }

    // Width of the code's box for a pattern, in micrometres of paper: the bars
    // and PaddingX on both sides; a pattern without bars takes the size of a
    // code that has nothing encoded. aPoly changes nothing. The element
    // multiplies it by the drawing scale.
    int32_t BarCodeWidth(const QByteArray& aPattern, bool aPoly) const;
    // Height of the box in micrometres of paper: BarHeight and PaddingY twice,
    // plus the font height when the number is shown.
    int32_t BarCodeHeight() const;
    // The box in document micrometres for a box width in micrometres of paper.
    TKVRRect CodeBox(int32_t aPaperWidth) const;

protected:
    TKVRRect TurnBox() const override;
    // Layout results, written by the element class's layout.
    bool fValid = false;
    QByteArray fPrepared;
    QByteArray fPattern;
    int32_t fAscent = 0;
    int32_t fDescent = 0;
    int32_t fUnderline = 0;
    int32_t fLineHeight = 0;
    // Font size per font height; never 0, also before the first layout.
    double fFontRatio = 1.0;
    bool fEncodeStale = true;

private:
    void EncodingChanged()
    {
        fEncodeStale = true;
        Changed();
    }

    TKVRAngle fAngle = TKVRAngle::Angle0;
    float fBarWidth = 0.33f;
    float fBarHeight = 15.0f;
    float fFactor = 2.5f;
    float fDistance = 0.0f;
    float fPaddingX = 3.0f;
    float fPaddingY = 0.0f;
    TKVRHorzAlign fHorzAlign = TKVRHorzAlign::Left;
    bool fShowNumber = true;
    bool fChecksum = false;
    bool fOption = false;
    TKVR128AutoType fE128Auto = TKVR128AutoType::Auto;
    QString fFontName = QStringLiteral("Arial");
    int32_t fFontHeight = 3000;
    QString fCode;
    TKVRBarType fCodeType = TKVRBarType::Code128;
    TKVRDataField fData;
};
