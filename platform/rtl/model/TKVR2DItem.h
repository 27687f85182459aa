#pragma once
#include "platform/rtl/model/TKVRBaseItem.h"

// A filled element: fill flag, back colour and the fill's screen opacity.
// Binary after the common header: filled (bool), back colour (uint32),
// alpha (byte).
class TKVR2DItem : public TKVRBaseItem
{
public:
    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    bool GetFilled() const { return fFilled; }
    void SetFilled(bool aValue) { fFilled = aValue; }
    TAlphaColor GetBackColor() const { return fBackColor; }
    void SetBackColor(TAlphaColor aValue) { fBackColor = aValue; }
    // 0 leaves the fill out on screen; paper always shows it.
    uint8_t Alpha() const { return fAlpha; }
    void SetAlpha(uint8_t aValue) { fAlpha = aValue; }

protected:
    using TKVRBaseItem::TKVRBaseItem;

    // Points 1 and 2 as the top-left and bottom-right corners of a box.
    void NormalizeBox();
    // The box of a circle or ellipse about a centre.
    void SetBox(int64_t aCX, int64_t aCY, int64_t aRX, int64_t aRY);

private:
    bool fFilled = false;
    TAlphaColor fBackColor = TAlphaColors::White;
    uint8_t fAlpha = 255;
};
