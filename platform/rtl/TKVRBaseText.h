#pragma once
#include "platform/rtl/KVR.Model.Records.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/TKVR2DItem.h"

// One line of text about its reference point (point 1): font, horizontal
// stretch, quarter turn, alignment, paddings, an optional filled and framed
// box with rounded corners, and an optional binding to a data field.
//
// Binary after the filled header: font (name, colour, height µm, bold,
// italic, underline), strikeout (bool), scale (Single), text (string),
// horizontal and vertical alignment, angle (bytes), padding x, padding y,
// radius, maximum width (int32 µm), fill type (byte), field name, format
// (strings), the reference point. A height or scale of 0 means "not
// stored" and reads as the default; negative or non-finite values raise.
class TKVRBaseText : public TKVR2DItem
{
public:
    static constexpr int32_t DefaultFontHeight = 10000;

    // A new element, also one about to be read, measures 10 mm with scale 1.0.
    TKVRBaseText(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseText(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    bool GetIsData() const override { return FillType != 0; }
    // The text's box (paddings included), placed by alignment and turn.
    void CheckFit(TKVRExtent& aExtent) override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    // aEmpty (or a text bound to no field): the stored text shows;
    // otherwise the current record's value.
    void FillData(bool aEmpty) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;
    // Refreshes the shown text: a per-cell copy shows the record, any other
    // element its stored text.
    void CalcValues(int16_t aMode) override;

    // The first operation of the text branch: the horizontal stretch.
    virtual float GetScale() const { return Scale; }
    void SetScale(float aValue);

    QString GetFontName() const { return fFont.Name; }
    void SetFontName(const QString& aValue) { fFont.Name = aValue; Changed(); }
    TAlphaColor GetFontColor() const { return fFont.Color; }
    void SetFontColor(TAlphaColor aValue) { fFont.Color = aValue; }
    // Millimetres of paper; held as BaseFontHeight (µm).
    float GetFontHeight() const { return float(fFont.Height) / 1000.0f; }
    void SetFontHeight(float aValue);
    int32_t GetBaseFontHeight() const { return fFont.Height; }
    void SetBaseFontHeight(int32_t aValue);
    bool GetBold() const { return fFont.Bold; }
    void SetBold(bool aValue) { fFont.Bold = aValue; Changed(); }
    bool GetItalic() const { return fFont.Italic; }
    void SetItalic(bool aValue) { fFont.Italic = aValue; Changed(); }
    bool GetUnderline() const { return fFont.Underline; }
    void SetUnderline(bool aValue) { fFont.Underline = aValue; }
    bool GetStrikeout() const { return fStrikeout; }
    void SetStrikeout(bool aValue) { fStrikeout = aValue; }

    // The stored text; the shown one follows it unless the element is a
    // per-cell copy of a data-bound text.
    QString GetText() const { return StoredText; }
    void SetText(const QString& aValue);
    QString GetDisplayText() const { return DisplayText; }

    TKVRHorzAlign GetHorzAlign() const { return fHorzAlign; }
    void SetHorzAlign(TKVRHorzAlign aValue) { fHorzAlign = aValue; Changed(); }
    TKVRVertAlign GetVertAlign() const { return fVertAlign; }
    void SetVertAlign(TKVRVertAlign aValue) { fVertAlign = aValue; Changed(); }
    TKVRAngle GetAngle() const { return fAngle; }
    void SetAngle(TKVRAngle aValue) { fAngle = aValue; Changed(); }

    // Paddings and corner radius: the document's unit, held in µm like points.
    float GetPaddingX() const { return float(FromBase(fPaddingX)); }
    void SetPaddingX(float aValue) { SetBasePaddingX(int32_t(ToBase(aValue))); }
    float GetPaddingY() const { return float(FromBase(fPaddingY)); }
    void SetPaddingY(float aValue) { SetBasePaddingY(int32_t(ToBase(aValue))); }
    int32_t GetBasePaddingX() const { return fPaddingX; }
    void SetBasePaddingX(int32_t aValue) { fPaddingX = aValue < 0 ? 0 : aValue; Changed(); }
    int32_t GetBasePaddingY() const { return fPaddingY; }
    void SetBasePaddingY(int32_t aValue) { fPaddingY = aValue < 0 ? 0 : aValue; Changed(); }
    float GetRadio() const { return float(FromBase(fRadio)); }
    void SetRadio(float aValue) { SetBaseRadio(int32_t(ToBase(aValue))); }
    int32_t GetBaseRadio() const { return fRadio; }
    void SetBaseRadio(int32_t aValue) { fRadio = aValue < 0 ? 0 : aValue; }
    // Micrometres of paper; 0 for none. Only the editor clips to it.
    int32_t GetMaxWidth() const { return MaxWidth; }
    void SetMaxWidth(int32_t aValue) { MaxWidth = aValue < 0 ? 0 : aValue; }

    uint8_t GetFillType() const { return FillType; }
    void SetFillType(uint8_t aValue) { FillType = aValue; Changed(); }
    QString GetFillName() const { return FillName; }
    void SetFillName(const QString& aValue) { FillName = aValue; Changed(); }
    QString GetFormat() const { return fFormat; }
    void SetFormat(const QString& aValue) { fFormat = aValue; Changed(); }

    // Layout results (paper micrometres).
    int32_t GetAscent() const { return Ascent; }
    int32_t GetDescent() const { return Descent; }
    int32_t GetUnderlinePos() const { return UnderlinePos; }
    int32_t GetTextWidth() const { return TextWidth; }
    int32_t GetLineHeight() const { return LineHeight; }
    double GetRatio() const { return Ratio; }

protected:
    // Fields the text classes lay out and paint from.
    QString StoredText;
    QString DisplayText;
    float Scale = 1.0f;
    int32_t Ascent = 0;
    int32_t Descent = 0;
    int32_t UnderlinePos = 0;
    int32_t TextWidth = 0;
    int32_t LineHeight = 0;   // 0: not laid out yet
    double Ratio = 1.0;
    int32_t MaxWidth = 0;
    uint8_t FillType = 0;
    QString FillName;
    // Set while Draw measures the text being edited.
    bool Measuring = false;

private:
    TKVRFontInfo fFont;
    bool fStrikeout = false;
    TKVRHorzAlign fHorzAlign = TKVRHorzAlign::Left;
    TKVRVertAlign fVertAlign = TKVRVertAlign::Top;
    TKVRAngle fAngle = TKVRAngle::Angle0;
    int32_t fPaddingX = 0;
    int32_t fPaddingY = 0;
    int32_t fRadio = 0;
    QString fFormat;
};

// Shared by the text kinds' readers: a stored font height or scale of 0
// reads as the default; a negative or non-finite one raises EKVRDataError.
namespace KVRTextCheck {
int32_t FontHeight(int32_t aValue, int32_t aDefault);
float Scale(float aValue);
}
