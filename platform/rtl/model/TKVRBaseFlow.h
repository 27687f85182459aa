#pragma once
#include "platform/rtl/model/IKVRLinkTarget.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/TKVR2DItem.h"
#include "platform/rtl/text/KVR.TextLines.h"
#include <QString>
#include <cstdint>

// A flowchart node: one of fifteen outlines (flow type 0..14) spanned over
// the box of points 1 and 2, with a text laid out inside the outline.
// Connectors reach it through five anchors (GetAnchor): 0 the centre, 1 the
// middle of the top side, 2 of the right side, 3 of the bottom side, 4 of the
// left side; any other index is the centre.
//
// Binary after the filled header: flow type (byte), font record, strikeout
// (bool), text (string), padding x, padding y (int32 µm), interline
// (Single), gradient (byte), gradient colour (uint32), shadow dx, shadow dy
// (Single, mm), shadow colour (uint32), the two corners. A stored font
// height of 0 reads as the default, a stored interline of 0 as 1.
class TKVRBaseFlow : public TKVR2DItem, public IKVRLinkTarget
{
public:
    // Property rows (KVR.Model.PropTables.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    static constexpr uint16_t AnchorCount = 5;
    static constexpr int32_t DefaultFontHeight = 4000;

    TKVRBaseFlow(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseFlow(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    // The anchor on the box as its corners order it, whichever way the
    // points were stored.
    TKVRPto GetAnchor(uint16_t aIndex) const override;

    TKVRFlowType GetFlowType() const { return fFlowType; }
    void SetFlowType(TKVRFlowType aValue) { fFlowType = aValue; Changed(); }
    QString GetText() const { return fText; }
    void SetText(const QString& aValue) { fText = aValue; Changed(); }

    const TKVRFontInfo& GetFont() const { return fFont; }
    void SetFont(const TKVRFontInfo& aValue) { fFont = aValue; Changed(); }
    QString GetFontName() const { return fFont.Name; }
    void SetFontName(const QString& aValue) { fFont.Name = aValue; Changed(); }
    TAlphaColor GetFontColor() const { return fFont.Color; }
    void SetFontColor(TAlphaColor aValue) { fFont.Color = aValue; }
    // Millimetres of paper, held in µm; values that are not positive are ignored.
    float GetFontHeight() const { return float(fFont.Height) / 1000.0f; }
    void SetFontHeight(float aValue);
    int32_t GetBaseFontHeight() const { return fFont.Height; }
    bool GetBold() const { return fFont.Bold; }
    void SetBold(bool aValue) { fFont.Bold = aValue; Changed(); }
    bool GetItalic() const { return fFont.Italic; }
    void SetItalic(bool aValue) { fFont.Italic = aValue; Changed(); }
    bool GetUnderline() const { return fFont.Underline; }
    void SetUnderline(bool aValue) { fFont.Underline = aValue; }
    bool GetStrikeout() const { return fStrikeout; }
    void SetStrikeout(bool aValue) { fStrikeout = aValue; }

    // Paddings: the document's unit, held in model µm; negative counts as 0.
    float GetPaddingX() const { return float(FromBase(fPadX)); }
    void SetPaddingX(float aValue) { SetBasePadX(int32_t(ToBase(aValue))); }
    float GetPaddingY() const { return float(FromBase(fPadY)); }
    void SetPaddingY(float aValue) { SetBasePadY(int32_t(ToBase(aValue))); }
    int32_t GetBasePadX() const { return fPadX; }
    void SetBasePadX(int32_t aValue) { fPadX = aValue < 0 ? 0 : aValue; Changed(); }
    int32_t GetBasePadY() const { return fPadY; }
    void SetBasePadY(int32_t aValue) { fPadY = aValue < 0 ? 0 : aValue; Changed(); }
    // Interline factor; values that are not finite and positive are ignored.
    float GetScaleX() const { return fScaleX; }
    void SetScaleX(float aValue);

    // Kept and edited, not painted.
    uint8_t GetGradient() const { return fGradient; }
    void SetGradient(uint8_t aValue) { fGradient = aValue; }
    TAlphaColor GetGradientToColor() const { return fGradColor; }
    void SetGradColor(TAlphaColor aValue) { fGradColor = aValue; }
    float GetShadowDX() const { return fShadowDX; }
    void SetShadowDX(float aValue) { fShadowDX = aValue; }
    float GetShadowDY() const { return fShadowDY; }
    void SetShadowDY(float aValue) { fShadowDY = aValue; }
    TAlphaColor GetShadowColor() const { return fShadowColor; }
    void SetShadowColor(TAlphaColor aValue) { fShadowColor = aValue; }

    // The box on paper (µm, drawing scale taken out), whichever corner is first.
    int32_t BaseScaleWidth() const;
    int32_t BaseScaleHeight() const;
    int32_t GetScalePadX() const;
    int32_t GetScalePadY() const;

    // Layout results (paper µm) and the laid-out lines, offsets from the
    // inner box's upper-left corner.
    int32_t GetAscent() const { return Ascent; }
    int32_t GetDescent() const { return Descent; }
    int32_t GetUnderlinePos() const { return UnderlinePos; }
    int32_t GetLineHeight() const { return LineHeight; }
    double GetRatio() const { return Ratio; }
    const TxtLines& GetLines() const { return Lines; }

protected:
    int32_t Ascent = 0;
    int32_t Descent = 0;
    int32_t UnderlinePos = 0;
    int32_t LineHeight = 0;
    double Ratio = 1.0;
    TxtLines Lines;

private:
    void KeepFontHeight();

    TKVRFlowType fFlowType = 1;
    TKVRFontInfo fFont{QStringLiteral("Arial"), TAlphaColors::Black, DefaultFontHeight, false, false, false};
    bool fStrikeout = false;
    QString fText;
    int32_t fPadX = 1000;
    int32_t fPadY = 1000;
    float fScaleX = 1.0f;
    uint8_t fGradient = 0;
    TAlphaColor fGradColor = TAlphaColors::White;
    float fShadowDX = 0.0f;
    float fShadowDY = 0.0f;
    TAlphaColor fShadowColor = 0xFF808080u;
};
