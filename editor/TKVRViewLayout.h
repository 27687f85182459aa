#pragma once
// The zoom factor and the scrollable geometry of the editor's surface,
// computed from the frame's size and options. Pure arithmetic.
#include "editor/KVR.FMX.Editor.Types.h"
#include "platform/rtl/label/KVR.EditorView.h"
#include <cstdint>

// The factor of a fixed zoom step; 0 for the three computed modes.
float ZoomFactor(TKVRZoom aZoom);
// The fixed step after (aUp) or before the zoom; a computed mode goes to the
// fixed step next to its factor. The ends stay.
TKVRZoom StepZoom(TKVRZoom aZoom, float aZScale, bool aUp);
// The zoom of the combo item; false for the blank item and anything unknown.
bool ZoomOfItem(int32_t aItem, TKVRZoom& aZoom);
// The zoom box's item that shows aZoom.
int32_t ItemOfZoom(TKVRZoom aZoom);

// What the frame tells the relayout.
struct TKVRViewFrame
{
    int32_t EditorW = 0, EditorH = 0;    // the frame
    int32_t SurfaceW = 0, SurfaceH = 0;  // its drawing surface
    int32_t Margin = 15;
    TKVRShowRulers Rulers = TKVRShowRulers(rvLeft | rvTop);
    int32_t RulerSize = 18;              // pixels at 96 dpi
    TVKRLabelPos LabelPos = TVKRLabelPos::lbTopLeft;
    TKVRZoom Zoom = TKVRZoom::zm100;
    int32_t DPIX = 96, DPIY = 96;
};

// The factor of a computed zoom (width, height or fit); any other zoom and a
// frame too small or a label without size keep aZScale.
float CustomZoom(const TKVRViewFrame& aFrame, TKVRDimScroll& aScroll, float aZScale);
// Zoom, rulers, gaps and totals; aZScale is updated for the computed modes.
void CheckDScroll(const TKVRViewFrame& aFrame, TKVRDimScroll& aScroll, float& aZScale);

// A scroll bar over aTotal pixels of which aView show: its maximum value
// (0 when everything shows) and the value aValue becomes. A value beyond the
// content goes back to the start; one past the last page stops at it.
struct TKVRScrollRange
{
    int32_t Maximum = 0;
    int32_t Value = 0;
    bool Enabled = false;
};
TKVRScrollRange ScrollRange(int32_t aTotal, int32_t aView, int32_t aValue);
