#pragma once
#include "platform/rtl/model/KVR.Model.DataField.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/model/TKVR2DItem.h"

// What the text kinds (single-line text, paragraph, rich text) share: the
// font, the stretch or line spacing, the text, alignment, quarter turn,
// paddings, corner radius, the binding to a data field, the text they show
// and the font metrics of their layout.
//
// The fields are stored in this order after the filled header (each kind
// adds its own around them): font (name, colour, height µm, bold, italic,
// underline), strikeout (bool), scale (Single), text (string), horizontal and
// vertical alignment, angle (bytes), padding x, padding y, radius (int32 µm).
// A height or scale of 0 means "not stored" and reads as the default;
// negative or non-finite values raise. Every alignment and angle byte is
// kept: an alignment it does not know lays out as left or top, an angle
// from 4 up does not turn.
class TKVRBaseTextItem : public TKVR2DItem
{
public:
    // Property rows (KVR.Model.PropTables.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void TurnQuarter(bool aLeft, const TKVRPto& aOffset) override;
    bool GetIsData() const override { return fData.IsBound(); }
    // aEmpty (or no binding): the stored text shows; otherwise the current
    // record's value.
    void FillData(bool aEmpty) override;
    // Refreshes the shown text (a per-cell copy shows the record, any other
    // element its stored text), then the model's own step.
    void CalcValues(int16_t aMode) override;

    QString GetFontName() const { return fFont.Name; }
    void SetFontName(const QString& aValue) { fFont.Name = aValue; Changed(); }
    TAlphaColor GetFontColor() const { return fFont.Color; }
    void SetFontColor(TAlphaColor aValue) { fFont.Color = aValue; }
    // Millimetres of paper; held as BaseFontHeight (µm). Values that are not
    // positive are ignored.
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

    // The stored text, and the text the element shows: the stored one, or in
    // the per-cell copy of a data-bound element the current record's value.
    QString GetText() const { return StoredText; }
    QString GetDisplayText() const { return DisplayText; }
    // What is printed for the current record: the record's value when bound.
    QString PrintText() const { return fData.Value(GetOwner(), StoredText); }

    TKVRHorzAlign GetHorzAlign() const { return fHorzAlign; }
    void SetHorzAlign(TKVRHorzAlign aValue) { fHorzAlign = aValue; Changed(); }
    TKVRVertAlign GetVertAlign() const { return fVertAlign; }
    void SetVertAlign(TKVRVertAlign aValue) { fVertAlign = aValue; Changed(); }
    TKVRAngle GetAngle() const { return fAngle; }
    void SetAngle(TKVRAngle aValue) { fAngle = aValue; Changed(); }

    // Paddings and corner radius: the document's unit, held in model µm like
    // points; negative values count as 0.
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

    uint8_t GetFillType() const { return fData.FillType; }
    void SetFillType(uint8_t aValue) { fData.FillType = aValue; Changed(); }
    QString GetFillName() const { return fData.FillName; }
    void SetFillName(const QString& aValue) { fData.FillName = aValue; Changed(); }
    QString GetFormat() const { return fData.Format; }
    void SetFormat(const QString& aValue) { fData.Format = aValue; Changed(); }

    // Layout results (paper micrometres).
    int32_t GetAscent() const { return Ascent; }
    int32_t GetDescent() const { return Descent; }
    int32_t GetUnderlinePos() const { return UnderlinePos; }
    int32_t GetLineHeight() const { return LineHeight; }
    double GetRatio() const { return Ratio; }

protected:
    TKVRBaseTextItem(TKVRBaseLabel* aOwner, int32_t aKind, int32_t aNumPoints, bool aPreview,
                     int32_t aFontHeight);
    TKVRBaseTextItem(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aKind, int32_t aNumPoints, bool aPreview,
                     int32_t aFontHeight);

    // Stores the text and shows it at once (the editor paints what it typed).
    void StoreText(const QString& aValue);
    // Horizontal stretch (text) or line spacing (paragraph); values that are
    // not finite and positive are ignored.
    void StoreScale(float aValue);

    // The shared fields in their stored order (see the class comment).
    void WriteTextFields(TBinaryWriter& aWriter) const;
    void ReadTextFields(TBinaryReader& aReader);
    void WriteTextJson(TJsonObject& aJson) const;
    void ReadTextJson(const TJsonObject& aJson);

    QString StoredText;
    QString DisplayText;
    float Scale = 1.0f;
    int32_t Ascent = 0;
    int32_t Descent = 0;
    int32_t UnderlinePos = 0;
    int32_t LineHeight = 0;  // 0: not laid out yet
    double Ratio = 1.0;
    TKVRDataField fData;

private:
    TKVRFontInfo fFont;
    bool fStrikeout = false;
    TKVRHorzAlign fHorzAlign = TKVRHorzAlign::Left;
    TKVRVertAlign fVertAlign = TKVRVertAlign::Top;
    TKVRAngle fAngle = TKVRAngle::Angle0;
    int32_t fPaddingX = 0;
    int32_t fPaddingY = 0;
    int32_t fRadio = 0;
};
