#pragma once
#include "platform/rtl/System.UITypes.h"

// The label's surface behind its elements: the colour the editor paints the
// label in (a layer's background picture, when shown, lies over it).
class TKVRBackSurf
{
public:
    TAlphaColor GetBackColor() const { return fBackColor; }
    void SetBackColor(TAlphaColor aValue) { fBackColor = aValue; }

    bool operator==(const TKVRBackSurf&) const = default;

private:
    TAlphaColor fBackColor = TAlphaColors::White;
};

// Options of the label component, a set of four (bits 0 to 3); other bits are never kept.
using TVXLabelOptions = uint8_t;
constexpr TVXLabelOptions KVRLabelOptionsMask = 0x0F;
