#pragma once
#include "platform/rtl/KVR.Model.Records.h"
#include "platform/rtl/KVR.TextLines.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/TKVR2DItem.h"

// A block of word-wrapped text in the box of points 1 and 2: font, line
// spacing, quarter turn, alignment, inner margins, an optional filled and
// framed box with rounded corners, and an optional binding to a data field
// whose value is printed per record, growing or shrinking the printed box.
//
// Binary after the filled header: font (name, colour, height µm, bold,
// italic, underline), strikeout (bool), scale (Single, the line spacing),
// text (string), horizontal and vertical alignment, angle (bytes),
// padding x, padding y, radius (int32 µm), fill type (byte), field name,
// format (strings), auto-grow, auto-shrink (bools), the two corners.
class TKVRBasePara : public TKVR2DItem
{
public:
    static constexpr int32_t DefaultFontHeight = 6000;

    // A new element, also one about to be read, has a 6 mm font and single
    // line spacing.
    TKVRBasePara(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBasePara(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    bool GetIsData() const override { return FillType != 0; }
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    // The operations that follow the element interface: the setters of the
    // text and of the font height.
    virtual void SetText(const QString& aValue);
    virtual void SetFontHeight(float aValue);

    QString GetText() const { return fText; }
    QString GetFontName() const { return fFont.Name; }
    void SetFontName(const QString& aValue) { fFont.Name = aValue; Changed(); }
    TAlphaColor GetFontColor() const { return fFont.Color; }
    void SetFontColor(TAlphaColor aValue) { fFont.Color = aValue; }
    // Millimetres of paper; held as BaseFontHeight (µm).
    float GetFontHeight() const { return float(fFont.Height) / 1000.0f; }
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

    // Line spacing: lines stand Scale font heights apart.
    float GetScaleX() const { return Scale; }
    void SetScaleX(float aValue);

    TKVRHorzAlign GetHorzAlign() const { return fHorzAlign; }
    void SetHorzAlign(TKVRHorzAlign aValue) { fHorzAlign = aValue; Changed(); }
    TKVRVertAlign GetVertAlign() const { return fVertAlign; }
    void SetVertAlign(TKVRVertAlign aValue) { fVertAlign = aValue; Changed(); }
    TKVRAngle GetAngle() const { return fAngle; }
    void SetAngle(TKVRAngle aValue) { fAngle = aValue; Changed(); }

    // Inner margins and corner radius: the document's unit, held in model µm
    // like the box.
    float GetPaddingX() const { return float(FromBase(fPaddingX)); }
    void SetPaddingX(float aValue) { SetBasePadX(int32_t(ToBase(aValue))); }
    float GetPaddingY() const { return float(FromBase(fPaddingY)); }
    void SetPaddingY(float aValue) { SetBasePadY(int32_t(ToBase(aValue))); }
    int32_t GetBasePadX() const { return fPaddingX; }
    void SetBasePadX(int32_t aValue) { fPaddingX = aValue < 0 ? 0 : aValue; Changed(); }
    int32_t GetBasePadY() const { return fPaddingY; }
    void SetBasePadY(int32_t aValue) { fPaddingY = aValue < 0 ? 0 : aValue; Changed(); }
    float GetRadio() const { return float(FromBase(fRadio)); }
    void SetRadio(float aValue) { SetBaseRadio(int32_t(ToBase(aValue))); }
    int32_t GetBaseRadio() const { return fRadio; }
    void SetBaseRadio(int32_t aValue) { fRadio = aValue < 0 ? 0 : aValue; }

    // The box (points 1 and 2) on paper: model micrometres over the drawing scale.
    int32_t BaseScaleWidth() const;
    int32_t BaseScaleHeight() const;
    // The inner margins the same way.
    int32_t GetScalePadX() const;
    int32_t GetScalePadY() const;

    uint8_t GetFillType() const { return FillType; }
    void SetFillType(uint8_t aValue) { FillType = aValue; }
    QString GetFillName() const { return FillName; }
    void SetFillName(const QString& aValue) { FillName = aValue; }
    QString GetFormat() const { return fFormat; }
    void SetFormat(const QString& aValue) { fFormat = aValue; }
    // Only the printed box of a data-bound paragraph grows or shrinks.
    bool GetAutoGrow() const { return AutoGrow; }
    void SetAutoGrow(bool aValue) { AutoGrow = aValue; }
    bool GetAutoShrink() const { return AutoShrink; }
    void SetAutoShrink(bool aValue) { AutoShrink = aValue; }

    // Layout results (paper micrometres).
    int32_t GetAscent() const { return Ascent; }
    int32_t GetDescent() const { return Descent; }
    int32_t GetUnderlinePos() const { return UnderlinePos; }
    int32_t GetLineHeight() const { return LineHeight; }
    double GetRatio() const { return Ratio; }
    const TxtLines& GetLines() const { return Lines; }

protected:
    // For the kinds that keep the paragraph's data under their own kind code.
    TKVRBasePara(TKVRBaseLabel* aOwner, int32_t aKind, bool aPreview);
    TKVRBasePara(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aKind, bool aPreview);

    float Scale = 1.0f;
    int32_t Ascent = 0;
    int32_t Descent = 0;
    int32_t UnderlinePos = 0;
    int32_t LineHeight = 0;
    double Ratio = 1.0;
    TxtLines Lines;
    bool AutoGrow = false;
    bool AutoShrink = false;
    uint8_t FillType = 0;
    QString FillName;

private:
    TKVRFontInfo fFont;
    QString fText;
    bool fStrikeout = false;
    TKVRHorzAlign fHorzAlign = TKVRHorzAlign::Left;
    TKVRVertAlign fVertAlign = TKVRVertAlign::Top;
    TKVRAngle fAngle = TKVRAngle::Angle0;
    int32_t fPaddingX = 0;
    int32_t fPaddingY = 0;
    int32_t fRadio = 0;
    QString fFormat;
};
