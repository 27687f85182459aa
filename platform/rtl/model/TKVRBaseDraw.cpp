#include "platform/rtl/model/TKVRBaseDraw.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/label/KVR.Units.h"
#include <algorithm>
#include <cmath>

void TKVRBaseDraw::SetResolution(int32_t dpiX, int32_t dpiY, int32_t drawScale)
{
    ResolutionX = dpiX;
    ResolutionY = dpiY;
    DrawScale = drawScale > 0 ? drawScale : 1;
    PixelsPerMicX = double(dpiX) / (double(MicrometresPerInch) * DrawScale);
    PixelsPerMicY = double(dpiY) / (double(MicrometresPerInch) * DrawScale);
    TextFactor = float(dpiY / 25.4);
}

float TKVRBaseDraw::BasePtoX(float mm) const
{
    return float(double(mm) * ResolutionX / 25.4);
}

float TKVRBaseDraw::BasePtoY(float mm) const
{
    return float(double(mm) * ResolutionY / 25.4);
}

float TKVRBaseDraw::DrawBasePtoX(float mm) const
{
    return BasePtoX(mm);
}

float TKVRBaseDraw::FitPen(float aPixels) const
{
    if (!(FitScale > 0.0f) || !std::isfinite(FitScale))
        return aPixels;
    const float device = std::fabs(aPixels) * FitScale;
    const float held = std::clamp(std::isfinite(device) ? device : FitPenMax, FitPenMin, std::max(FitPenMin, FitPenMax));
    return held / FitScale;
}

int32_t TKVRBaseDraw::PrintBasePtoX(float mm) const
{
    return RoundHalfEven32(double(mm) * ResolutionX / 25.4);
}

float TKVRBaseDraw::GetDrawX(int64_t micrometres) const
{
    return float(double(micrometres) * PixelsPerMicX);
}

float TKVRBaseDraw::GetDrawY(int64_t micrometres) const
{
    return float(double(micrometres) * PixelsPerMicY);
}
