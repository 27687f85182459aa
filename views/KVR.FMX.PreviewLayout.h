#pragma once
// Where the preview puts the page in its client area: pure arithmetic,
// tested without a widget.
#include "platform/rtl/label/KVR.Units.h"
#include <cstdint>

// 0: the whole page in view; 1: the page as wide as the control, scrolling down.
using TKVRViewType = uint8_t;

struct TKVRPreviewLayout
{
    // False when there is no page to show: a paper without size, or a control
    // no larger than its margins and bar. Only the background is painted then.
    bool Valid = false;
    int32_t ContentWidth = 0;   // scrollable content, pixels
    int32_t ContentHeight = 0;
    int32_t MarginLeft = 0;     // page corner before scrolling
    int32_t MarginTop = 0;
    int32_t cw = 0;             // page size, pixels
    int32_t ch = 0;
    float ZScale = 1.0f;        // control pixels per page pixel
};

// aPageWidth, aPageHeight: the paper in pixels at the context's resolution.
TKVRPreviewLayout KVRPreviewLayout(int32_t aWidth, int32_t aHeight, int32_t aMargin, int32_t aBarSize,
                                   double aPageWidth, double aPageHeight, TKVRViewType aViewType);

// Pixels of the zoomed page per unit of the document.
float KVRPixelsPerUnit(int32_t aResolution, float aZScale, TKVRUnits aUnits);
