#pragma once
#include "elements/TKVRClassReaders.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include <cstdint>

class TKVRDraw;

// Single-line text element, kind 10: lays the text out with the font cache,
// paints it on screen (measuring itself while it is edited in place) and
// prints it, data-bound texts with the current record's value.
class TKVRText : public TKVRBaseText, public TKVRClassReaders<TKVRText>
{
public:
    // The caret while the text is edited in place: x offset from the text's
    // origin and height, in screen pixels.
    struct TCaret
    {
        int32_t cx = 0;
        int32_t cy = 0;
    };

    // A new text: 10 mm high, scale 1.0.
    explicit TKVRText(TKVRBaseLabel* aOwner);
    TKVRText(TKVRBaseLabel* aOwner, TKVRLayer* aLayer);
    // The model's own constructor, for the class readers.
    TKVRText(TKVRBaseLabel* aOwner, bool aPreview);

    float GetScale() const override { return Scale; }
    // Font metrics, laid-out width (scale included) and bounds.
    void CalcValues(int16_t aMode) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

    const TCaret& GetCaret() const { return si; }

private:
    void IniText();
    // Filled and framed box of the bounds.
    void DrawBox(TKVRDraw* aDraw);
    TKVRBoxStyle BoxStyle(const TKVRDraw* aDraw) const;
    // Edit action 15 or 16 on this element (item state 1) in an editable document.
    bool IsEditedInPlace() const;

    TCaret si;
};
