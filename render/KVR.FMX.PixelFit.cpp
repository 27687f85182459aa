#include "render/KVR.FMX.PixelFit.h"
#include "platform/rtl/KVR.Math.h"
#include <cmath>

namespace {
// Sums of many module widths carry rounding errors of this order.
constexpr double kSlack = 1e-6;
}  // namespace

TKVRFitAlign KVRFitAlignOf(TKVRHorzAlign aAlign)
{
    switch (aAlign) {
    case TKVRHorzAlign::Center: return TKVRFitAlign::Centre;
    case TKVRHorzAlign::Right: return TKVRFitAlign::End;
    default: return TKVRFitAlign::Start;
    }
}

TKVRFitAlign KVRFitAlignOf(TKVRVertAlign aAlign)
{
    switch (aAlign) {
    case TKVRVertAlign::Center: return TKVRFitAlign::Centre;
    case TKVRVertAlign::Bottom: return TKVRFitAlign::End;
    default: return TKVRFitAlign::Start;
    }
}

TKVRSideFit KVRFitSide(double aStart, double aExact, double aPadBefore, double aPadAfter, TKVRFitAlign aAlign,
                       const std::vector<double>& aWidths)
{
    const double boxFrom = aStart - aPadBefore, boxTo = aStart + aExact + aPadAfter;
    for (size_t i = 0; i < aWidths.size(); ++i) {
        const double w = aWidths[i];
        double start;
        switch (aAlign) {
        case TKVRFitAlign::End: start = double(RoundHalfEven(aStart + aExact)) - w; break;
        case TKVRFitAlign::Centre: start = double(RoundHalfEven(aStart + (aExact - w) / 2.0)); break;
        default: start = double(RoundHalfEven(aStart)); break;
        }
        // A pixel belongs to the box when its centre does, as a fill without
        // antialiasing decides.
        if (start + 0.5 >= boxFrom - kSlack && start + w - 0.5 <= boxTo + kSlack)
            return {int(i), start};
    }
    return {-1, aStart};
}

std::vector<double> KVRWholeModules(double aModule)
{
    if (!std::isfinite(aModule) || aModule < 1.0)
        return {};
    const double rounded = double(RoundHalfEven(aModule)), down = std::floor(aModule);
    if (rounded == down)
        return {rounded};
    return {rounded, down};
}

TKVRGridSide KVRFitGridSide(double aStart, double aModule, int aCount, double aPad, TKVRFitAlign aAlign,
                            const std::vector<double>& aModules)
{
    std::vector<double> widths;
    widths.reserve(aModules.size());
    for (double m : aModules)
        widths.push_back(m * aCount);
    const TKVRSideFit fit = KVRFitSide(aStart, aModule * aCount, aPad, aPad, aAlign, widths);
    if (fit.Choice < 0)
        return {aStart, aModule, false};
    return {fit.Start, aModules[size_t(fit.Choice)], true};
}
