#pragma once
#include "platform/rtl/System.UITypes.h"
#include <cmath>

// Document settings the element classes read: the size and the outline
// colour of connector end markers, and the fill colour the editor's samples
// of line ends take.
class TKVRSettings
{
public:
    // Full size of a connector's end marker, millimetres of paper.
    float GetTermSize() const { return fTermSize; }
    // Sizes that are not finite and positive are ignored.
    void SetTermSize(float aValue)
    {
        if (std::isfinite(aValue) && aValue > 0.0f)
            fTermSize = aValue;
    }
    // Outline colour of printed end markers.
    TAlphaColor GetTermColor() const { return fTermColor; }
    void SetTermColor(TAlphaColor aValue) { fTermColor = aValue; }
    // Fill colour of line-end samples.
    TAlphaColor GetFillTermColor() const { return fFillTermColor; }
    void SetFillTermColor(TAlphaColor aValue) { fFillTermColor = aValue; }

    bool operator==(const TKVRSettings&) const = default;

private:
    float fTermSize = 3.0f;
    TAlphaColor fTermColor = TAlphaColors::Black;
    TAlphaColor fFillTermColor = TAlphaColors::Black;
};
