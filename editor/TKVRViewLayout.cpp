#include "editor/TKVRViewLayout.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/label/KVR.Units.h"
#include <algorithm>
#include <cmath>

namespace {
constexpr float kFactors[] = {0.25f, 0.5f, 0.75f, 1.0f, 1.25f, 1.5f, 1.75f,
                              2.0f,  2.5f, 3.0f,  3.5f, 4.0f,  4.5f, 5.0f};
constexpr int32_t kFixedSteps = int32_t(std::size(kFactors));

// Left and right (or top and bottom) gaps around content of aTotal pixels.
void Gaps(TVKRLabelPos aPos, int32_t aMargin, int32_t aSurface, int32_t& aTotal, int16_t& aGap1, int16_t& aGap2)
{
    if (aPos == TVKRLabelPos::lbCenter) {
        if (aTotal + 2 * aMargin >= aSurface) {
            aGap1 = aGap2 = int16_t(aMargin);
        } else {
            aGap1 = int16_t((aSurface - aTotal) / 2);
            aGap2 = int16_t(aSurface - aTotal - aGap1);
        }
        aTotal += aGap1 + aGap2;
        return;
    }
    aGap1 = int16_t(aMargin);
    aTotal += aGap1;
    // The far gap fills the surface when the label is smaller; measured against
    // the surface (not the frame), so no label edge hides without a scroll bar.
    aGap2 = int16_t(aSurface > aTotal + aMargin ? aSurface - aTotal : aMargin);
    aTotal += aGap2;
}
}  // namespace

float ZoomFactor(TKVRZoom aZoom)
{
    const int32_t i = int32_t(aZoom);
    return i < kFixedSteps ? kFactors[i] : 0.0f;
}

TKVRZoom StepZoom(TKVRZoom aZoom, float aZScale, bool aUp)
{
    int32_t i = int32_t(aZoom);
    if (i >= kFixedSteps) {
        // The fixed step next to the computed factor, in the asked direction.
        if (aUp) {
            i = 0;
            while (i < kFixedSteps - 1 && kFactors[i] <= aZScale)
                ++i;
        } else {
            i = kFixedSteps - 1;
            while (i > 0 && kFactors[i] >= aZScale)
                --i;
        }
        return TKVRZoom(i);
    }
    if (aUp)
        return i < kFixedSteps - 1 ? TKVRZoom(i + 1) : aZoom;
    return i > 0 ? TKVRZoom(i - 1) : aZoom;
}

bool ZoomOfItem(int32_t aItem, TKVRZoom& aZoom)
{
    if (aItem >= 0 && aItem < kFixedSteps) {
        aZoom = TKVRZoom(aItem);
        return true;
    }
    if (aItem >= 15 && aItem <= 17) {
        aZoom = TKVRZoom(aItem - 1);
        return true;
    }
    return false;
}

int32_t ItemOfZoom(TKVRZoom aZoom)
{
    const int32_t i = int32_t(aZoom);
    // The computed modes stand after the blank separator item.
    return i < kFixedSteps ? i : i + 1;
}

float CustomZoom(const TKVRViewFrame& aFrame, TKVRDimScroll& aScroll, float aZScale)
{
    int32_t aw = aFrame.EditorW - 2 * aFrame.Margin - 44;
    if (aFrame.Rulers.testFlag(rvLeft))
        aw -= ScalePos(float(aFrame.RulerSize), aFrame.DPIX);
    if (aFrame.Rulers.testFlag(rvRight))
        aw -= ScalePos(float(aFrame.RulerSize), aFrame.DPIX);
    int32_t ah = aFrame.EditorH - 2 * aFrame.Margin - 44;
    if (aFrame.Rulers.testFlag(rvTop))
        ah -= ScalePos(float(aFrame.RulerSize), aFrame.DPIY);
    if (aFrame.Rulers.testFlag(rvBottom))
        ah -= ScalePos(float(aFrame.RulerSize), aFrame.DPIY);
    aScroll.ZoomW = aw;
    aScroll.ZoomH = ah;

    // A frame with no room left or a label without size gives no factor:
    // every conversion divides by it, so the last one stays.
    const float byWidth = aScroll.PixW > 0 && aw > 0 ? float(aw) / float(aScroll.PixW) : 0.0f;
    const float byHeight = aScroll.PixH > 0 && ah > 0 ? float(ah) / float(aScroll.PixH) : 0.0f;
    float factor = 0.0f;
    switch (aFrame.Zoom) {
    case TKVRZoom::zmWidth: factor = byWidth; break;
    case TKVRZoom::zmHeight: factor = byHeight; break;
    case TKVRZoom::zmFitAll:
        factor = byWidth > 0 && byHeight > 0 ? std::min(byWidth, byHeight) : 0.0f;
        break;
    default: return aZScale;
    }
    return factor > 0.0f && std::isfinite(factor) ? factor : aZScale;
}

void CheckDScroll(const TKVRViewFrame& aFrame, TKVRDimScroll& aScroll, float& aZScale)
{
    aZScale = CustomZoom(aFrame, aScroll, aZScale);
    const int32_t rulerX = ScalePos(float(aFrame.RulerSize), aFrame.DPIX);
    const int32_t rulerY = ScalePos(float(aFrame.RulerSize), aFrame.DPIY);
    aScroll.RulerMM = float((aFrame.RulerSize - 1) * 25.4 / aFrame.DPIX) / aZScale;
    aScroll.ZoomW = RoundHalfEven32(double(aScroll.PixW) * aZScale);
    aScroll.ZoomH = RoundHalfEven32(double(aScroll.PixH) * aZScale);
    aScroll.RulerL = uint16_t(aFrame.Rulers.testFlag(rvLeft) ? rulerX : 0);
    aScroll.RulerR = uint16_t(aFrame.Rulers.testFlag(rvRight) ? rulerX : 0);
    aScroll.RulerT = uint16_t(aFrame.Rulers.testFlag(rvTop) ? rulerY : 0);
    aScroll.RulerB = uint16_t(aFrame.Rulers.testFlag(rvBottom) ? rulerY : 0);
    aScroll.TotalW = aScroll.ZoomW + aScroll.RulerL + aScroll.RulerR;
    aScroll.TotalH = aScroll.ZoomH + aScroll.RulerT + aScroll.RulerB;
    Gaps(aFrame.LabelPos, aFrame.Margin, aFrame.SurfaceW, aScroll.TotalW, aScroll.GapL, aScroll.GapR);
    Gaps(aFrame.LabelPos, aFrame.Margin, aFrame.SurfaceH, aScroll.TotalH, aScroll.GapT, aScroll.GapB);
}

TKVRScrollRange ScrollRange(int32_t aTotal, int32_t aView, int32_t aValue)
{
    TKVRScrollRange r;
    if (aView >= aTotal)
        return r;
    r.Enabled = true;
    r.Maximum = aTotal - aView;
    r.Value = aValue > aTotal || aValue < 0 ? 0 : std::min(aValue, r.Maximum);
    return r;
}
