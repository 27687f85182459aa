#pragma once
#include "platform/rtl/codes/KVR.Barcode.h"
#include "platform/rtl/codes/KVR.IBarcode.h"
#include "platform/rtl/codes/KVR.QRCode.h"
#include "platform/rtl/model/KVR.Model.Codes.h"
#include "platform/rtl/model/KVR.Model.DataField.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/model/TKVR2DItem.h"
#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

// One item of a poly-text: a text or a data field with its format, an
// optional application identifier (shown in parentheses when asked) and its
// font. Stored as font record, text, fill type (byte), field name, format,
// identifier (strings), parentheses, filled (bools), back colour (uint32).
// The setters mark the poly-text that holds the item changed.
class TKVRBasePoly;
class TKVRDataPoly
{
public:
    TKVRFontInfo Font;
    QString Text;
    TKVRDataField Data;
    QString AI;
    bool ShowAI = true;
    bool Filled = false;  // kept for the item dialog; painting ignores it
    TAlphaColor BackColor = TAlphaColors::White;

    // The value of the item: the current record's field when bound and aData,
    // otherwise its own text.
    QString Value(const TKVRBaseLabel* aLabel, bool aData) const;
    // The text the item shows: identifier (in parentheses when asked) and value.
    QString GetResText(const TKVRBaseLabel* aLabel, bool aData) const;

    float GetFontHeight() const { return float(Font.Height) / 1000.0f; }
    int32_t GetBaseFontHeight() const { return Font.Height; }
    // Laid-out width and height in micrometres of paper.
    int32_t GetBaseWidth() const { return fWidth; }
    int32_t GetBaseHeight() const { return Font.Height; }
    int32_t GetAscent() const { return fAscent; }
    double GetRatio() const { return fRatio; }
    void SetBaseSize(int32_t aWidth, int32_t aAscent, int32_t aDescent, double aRatio);

    // ---- edits
    void SetText(const QString& aValue);
    // A name binds the item to that field, an empty one unbinds it.
    void SetField(const QString& aName);
    QString GetSymField() const { return Data.IsBound() ? Data.FillName : QString(); }
    void SetFormat(const QString& aValue);
    void SetIA(const QString& aValue);
    void SetAddPar(bool aValue);
    void SetFontName(const QString& aValue);
    // Millimetres of paper, held as micrometres.
    void SetFontHeight(float aValue);
    void SetBold(bool aValue);
    void SetItalic(bool aValue);
    void SetFontColor(TAlphaColor aValue);
    void SetBackColor(TAlphaColor aValue);
    void SetFillBack(bool aValue);

    void Write(TBinaryWriter& aWriter) const;
    void Read(TBinaryReader& aReader);
    TJsonObject WriteJson() const;
    void ReadJson(const TJsonObject& aJson);

private:
    friend class TKVRBasePoly;
    void Changed();

    TKVRBasePoly* fOwner = nullptr;
    int32_t fWidth = 0;
    int32_t fAscent = 0;
    int32_t fDescent = 0;
    double fRatio = 1.0;
};

// Output kinds of a poly-text.
namespace KVRPolyType {
constexpr uint8_t Texts = 0;
constexpr uint8_t Linear = 1;
constexpr uint8_t QR = 2;
constexpr uint8_t DataMatrix = 3;
}

// A row of data items shown as texts side by side in one box, or the code the
// items compose as a linear barcode, a QR code or a Data Matrix symbol. The
// box (paddings included) is aligned about point 1 and turned about it; point
// 2 is its bottom-right corner.
//
// Binary after the filled header: poly type (byte), angle (byte 0-3), bar
// width, bar height, wide-to-narrow factor, distance, padding x, padding y
// (Single, mm), horizontal and vertical alignment (bytes 0-2), show number,
// checksum (bools), Code 128 subset (byte 0-3), code type (byte), corner
// radius (int32 µm), QR encoding (byte), QR error level (byte 0-3), item
// count (int32) and the items, point 1.
class TKVRBasePoly : public TKVR2DItem, public TKVRBarcodeIntf
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
    TKVRBasePoly(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBasePoly(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);
    ~TKVRBasePoly() override;

    // ---- element slots
    TJsonObject WriteJson() const override;
    bool GetIsData() const override;
    void CheckFit(TKVRExtent& aExtent) override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    // ---- items, counted from 1
    int32_t GetItemCount() const { return int32_t(fItems.size()); }
    // An index outside 1..count raises std::out_of_range.
    TKVRDataPoly& GetItem(int32_t aIndex);
    const TKVRDataPoly& GetItem(int32_t aIndex) const;
    TKVRDataPoly& AddItem(const QString& aText);
    void DeleteItem(int32_t aIndex);
    // Swaps two items by list position counted from 0 (as the item editor's
    // list counts); false, and nothing moved, when either is outside.
    bool Exchange(int32_t aFirst, int32_t aSecond);
    // The data set whose fields the items offer: the label's selected one.
    QString GetSymData() const;

    // ---- the code the items compose
    // Identifiers and values in order; a GS1-128 linear code writes each
    // identifier in parentheses, as its encoder takes them. aData: bound items
    // take the current record.
    QString GetCode(bool aData) const;
    // The code the printer uses: the current record's.
    QString GetCode() const { return GetCode(true); }
    QByteArray GetAnsiCode() const { return GetCode().toLatin1(); }
    // The stored code: what the screen shows (bound items show the record in
    // the per-cell copies only).
    void CheckBarcode() { fCode = GetCode(GetPreview()); }
    QString GetStoredCode() const { return fCode; }
    // Module runs of a value as a QR code (the text as it stands, in the
    // element's encoding with its ECI) or a Data Matrix symbol, through the
    // two-dimensional code elements' own encoders; false when it does not encode.
    bool LayoutOf(const QString& aValue, TKVRSymbolLayout& oLayout) const;
    // Encodes the stored code for the screen; a failure leaves no modules.
    bool Encode();
    bool GetEncoded() const { return fEncoded; }
    const TKVRSymbolLayout& GetSymbol() const { return fSymbol; }

    // ---- barcode source of the painters
    float GetBarWidth() const override { return fBarWidth; }
    float GetBarHeight() const override { return fBarHeight; }
    float GetPaddingX() const override { return fPaddingX; }
    float GetPaddingY() const override { return fPaddingY; }
    float GetFactor() const override { return fFactor; }
    TKVRHorzAlign GetHorzAlign() const override { return fHorzAlign; }
    TKVRAngle GetAngle() const override { return fAngle; }
    // The human-readable text's font: the first item's, else Arial 3 mm.
    float GetFontHeight() const override;
    bool GetShowNumber() const override { return fShowNumber; }
    TKVRBarType GetBarType() const override { return fCodeType; }
    QByteArray GetCodeText() const override { return fPrepared; }
    QByteArray GetBarPattern() const override { return fPattern; }
    void Reserved13() override {}
    QString GetFontName() const override;

    // ---- properties (lengths in millimetres of paper)
    uint8_t GetPolyType() const { return fPolyType; }
    void SetPolyType(uint8_t aValue) { fPolyType = aValue; Changed(); }
    void SetAngle(TKVRAngle aValue) { fAngle = aValue; Changed(); }
    void SetBarWidth(float aValue);
    void SetBarHeight(float aValue);
    void SetFactor(float aValue);
    float GetDistance() const { return fDistance; }
    void SetDistance(float aValue) { fDistance = KVRCodeCheck::ClampLength(aValue); }
    void SetPaddingX(float aValue) { fPaddingX = KVRCodeCheck::ClampLength(aValue); Changed(); }
    void SetPaddingY(float aValue) { fPaddingY = KVRCodeCheck::ClampLength(aValue); Changed(); }
    void SetHorzAlign(TKVRHorzAlign aValue) { fHorzAlign = aValue; Changed(); }
    TKVRVertAlign GetVertAlign() const { return fVertAlign; }
    void SetVertAlign(TKVRVertAlign aValue) { fVertAlign = aValue; Changed(); }
    void SetShowNumber(bool aValue) { fShowNumber = aValue; Changed(); }
    bool GetChecksum() const { return fChecksum; }
    void SetCheckSum(bool aValue) { fChecksum = aValue; Changed(); }
    TKVR128AutoType GetE128Auto() const { return fE128Auto; }
    void SetE128Auto(TKVR128AutoType aValue) { fE128Auto = aValue; }
    TKVRBarType GetCodeType() const { return fCodeType; }
    void SetCodeType(TKVRBarType aValue) { fCodeType = aValue; Changed(); }
    // Corner radius in millimetres; 0 gives square corners.
    float GetRadio() const { return float(fRadius) / 1000.0f; }
    void SetRadio(float aValue) { fRadius = KVRCodeCheck::ToMicrometres(KVRCodeCheck::ClampLength(aValue)); }
    TQRCodeEncoding GetEncoding() const { return fEncoding; }
    void SetEncoding(TQRCodeEncoding aValue) { fEncoding = aValue; Changed(); }
    const TErrorCorrectionLevel& GetErrorLevel() const { return fLevel; }
    void SetErrorLevel(int32_t aOrdinal) { fLevel.SetOrdinal(aOrdinal); Changed(); }

    // ---- layout results
    bool GetValid() const { return fValid; }
    double GetFontRatio() const { return fFontRatio; }
    // Width of the bars alone (µm of paper) for a pattern; a code with nothing
    // encoded takes the no-code size.
    int32_t BarsWidth(const QByteArray& aPattern) const;
    // The box in document micrometres of a content aWidth x aHeight µm of
    // paper (paddings added here), aligned and turned about point 1.
    TKVRRect ContentBox(int64_t aWidth, int64_t aHeight) const;
    // Height of the linear code's box content: bars and, with the number, its text.
    int32_t LinearHeight() const;
    // Sum of the items' laid-out widths and the tallest item, µm of paper.
    int64_t ItemsWidth() const;
    int32_t ItemsHeight() const;

protected:
    friend class TKVRDataPoly;
    TKVRRect TurnBox() const override;
    bool fValid = false;
    QByteArray fPrepared;
    QByteArray fPattern;
    double fFontRatio = 1.0;
    bool fEncoded = false;
    TKVRSymbolLayout fSymbol;

private:
    uint8_t fPolyType = KVRPolyType::Texts;
    TKVRAngle fAngle = TKVRAngle::Angle0;
    float fBarWidth = 0.33f;
    float fBarHeight = 15.0f;
    float fFactor = 2.5f;
    float fDistance = 0.0f;
    float fPaddingX = 2.0f;
    float fPaddingY = 1.0f;
    TKVRHorzAlign fHorzAlign = TKVRHorzAlign::Left;
    TKVRVertAlign fVertAlign = TKVRVertAlign::Top;
    bool fShowNumber = true;
    bool fChecksum = false;
    TKVR128AutoType fE128Auto = TKVR128AutoType::Auto;
    TKVRBarType fCodeType = TKVRBarType::Code128;
    int32_t fRadius = 0;
    TQRCodeEncoding fEncoding = QRCodeEncoding::Auto;
    TErrorCorrectionLevel fLevel;
    QString fCode;
    std::vector<std::unique_ptr<TKVRDataPoly>> fItems;
};
