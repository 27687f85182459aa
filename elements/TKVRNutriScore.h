#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseDraw.h"
#include "platform/rtl/model/TKVRBaseNutri.h"

class TKVRDraw;

// Nutrition score element, kind 22: five lettered cells A to E in a frame,
// with a title; the current letter's cell is painted last, grown over its
// neighbours. The editor shows the stored letter; the preview, the export and
// paper show the current record's letter of a bound score. Painting writes
// nothing into the element: fonts and metrics live in locals.
class TKVRNutriScore : public TKVRBaseNutri, public TKVRClassReaders<TKVRNutriScore>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBaseNutri::TKVRBaseNutri;

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

    // The current letter a context shows: the stored Value in the editor, the
    // current record's letter elsewhere.
    QChar ShownLetter(TKVRDrawState aState) const;

private:
    // The content box (the element less its margin) from an origin in pixels,
    // and the gap and the gap value in pixels.
    struct TLayout
    {
        TRectF Box;
        float Gap = 0.0f;
        float Grow = 0.0f;
    };
    TLayout Layout(const TKVRDraw* aDraw, float aOriginX, float aOriginY) const;
    float Px(float aValue, int32_t aResolution) const;
};
