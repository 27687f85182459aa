#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBasePoly.h"
#include "platform/skia/TSkFont.h"

class TKVRDraw;

// A poly-text: its items as a row of texts in one box, or the code they
// compose as a linear barcode, a QR code or a Data Matrix symbol. The screen
// shows the layout's encoding (a red cross for a value that does not encode);
// the printer encodes the current record anew and prints nothing for a value
// that does not encode. Both prepare a 2-D value alike (UTF-8 with its ECI for
// a QR code) through the two-dimensional code elements' encoders.
class TKVRPolyText : public TKVRBasePoly, public TKVRClassReaders<TKVRPolyText>
{
public:
    TKVRPolyText(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRPolyText(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    void CalcValues(int16_t aMode) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

private:
    void DrawTexts(TKVRDraw* aDraw);
    void PrintTexts(TKVRDraw* aDraw);
    void PrintLinear(TKVRDraw* aDraw);
    void PrintSymbol(TKVRDraw* aDraw);

    // Typeface and font of the item painted last.
    ISkTypeface LTypeface;
    ISkFont LFont;
};
