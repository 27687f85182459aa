#include "views/KVR.FMX.PreviewLayout.h"
#include "platform/rtl/KVR.Math.h"
#include <cmath>

TKVRPreviewLayout KVRPreviewLayout(int32_t aWidth, int32_t aHeight, int32_t aMargin, int32_t aBarSize,
                                   double aPageWidth, double aPageHeight, TKVRViewType aViewType)
{
    TKVRPreviewLayout l;
    l.ContentWidth = aWidth;
    l.ContentHeight = aHeight;
    const int64_t aw = int64_t(aWidth) - 2 * int64_t(aMargin) - aBarSize;
    const int64_t ah = int64_t(aHeight) - 2 * int64_t(aMargin) - aBarSize;
    // Nothing to divide by, or no room: a zoom of zero or below would paint
    // the page mirrored or not at all.
    if (aw < 1 || ah < 1 || !(std::isfinite(aPageWidth) && aPageWidth > 0) ||
        !(std::isfinite(aPageHeight) && aPageHeight > 0))
        return l;
    if (aViewType == 0) {
        const int64_t fitted = RoundHalfEven(double(aw) / aPageWidth * aPageHeight);
        if (fitted > ah) {
            l.ch = int32_t(ah);
            l.cw = RoundHalfEven32(double(ah) / aPageHeight * aPageWidth);
        } else {
            l.ch = int32_t(fitted);
            l.cw = int32_t(aw);
        }
        l.MarginLeft = (aWidth - l.cw) / 2;
        l.MarginTop = (aHeight - l.ch) / 2;
    } else {
        l.cw = int32_t(aw);
        l.ch = RoundHalfEven32(double(aw) / aPageWidth * aPageHeight);
        l.ContentHeight = RoundHalfEven32(double(l.ch) + 2.0 * aMargin);
        l.MarginLeft = (aWidth - l.cw) / 2;
        l.MarginTop = l.ContentHeight < aHeight ? (aHeight - l.ch) / 2 : aMargin;
    }
    if (l.cw < 1 || l.ch < 1)
        return TKVRPreviewLayout{false, aWidth, aHeight};
    l.ZScale = float(double(l.cw) / aPageWidth);
    l.Valid = true;
    return l;
}

float KVRPixelsPerUnit(int32_t aResolution, float aZScale, TKVRUnits aUnits)
{
    return float(double(aResolution) * aZScale * double(MicrometresPerUnit(aUnits)) / double(MicrometresPerInch));
}
