#include "editor/TKVRRulerSteps.h"
#include "platform/rtl/KVR.Math.h"
#include <cmath>
#include <vector>

namespace {
// Steps beyond the largest of a list go on by decades (1, 2, 5 times a power
// of ten) as far as any drawing scale needs: a step this long is still more
// than 5 pixels at zoom 25 % and 1 : 2^31 in every unit.
constexpr double kLargestStep = 1e15;

std::vector<double> ByDecades(std::vector<double> aSteps)
{
    for (double decade = 10; decade <= kLargestStep; decade *= 10)
        for (double m : {1.0, 2.0, 5.0})
            if (m * decade > aSteps.back() * 1.0001)
                aSteps.push_back(m * decade);
    return aSteps;
}

const std::vector<double>& MinorSteps(TKVRUnits aUnits)
{
    static const std::vector<double> mm = ByDecades({0.5, 1, 2, 5, 10});
    static const std::vector<double> inch = ByDecades({0.1, 0.2, 0.5, 1, 2, 5, 10});
    static const std::vector<double> cm = ByDecades({0.2, 0.5, 1, 2, 5, 10});
    static const std::vector<double> large = ByDecades({0.1, 0.2, 0.5, 1, 2, 5, 10, 50, 100});
    switch (aUnits) {
    case TKVRUnits::Inch: return inch;
    case TKVRUnits::Centimetre: return cm;
    case TKVRUnits::Decimetre:
    case TKVRUnits::Metre:
    case TKVRUnits::Foot:
    case TKVRUnits::Yard: return large;
    default: return mm;
    }
}

const std::vector<double>& NumberSteps()
{
    static const std::vector<double> steps = ByDecades({0.1, 0.2, 0.5, 1, 2, 5, 10, 50, 100});
    return steps;
}
}  // namespace

bool RulerIsWhole(double aValue)
{
    return std::fabs(aValue - std::nearbyint(aValue)) < 0.001;
}

TKVRRulerSteps ChooseRulerSteps(TKVRUnits aUnits, double aPixelsPerUnit,
                                const std::function<double(double)>& aNumberRoom, double aPreviousNumber)
{
    TKVRRulerSteps steps;
    steps.Number = aPreviousNumber;
    if (!(aPixelsPerUnit > 0) || !std::isfinite(aPixelsPerUnit))
        return steps;
    // Whole pixels, as the ruler places its ticks.
    const auto length = [aPixelsPerUnit](double v) { return double(RoundHalfEven(v * aPixelsPerUnit)); };
    for (double v : MinorSteps(aUnits))
        if (length(v) >= KVRMinTickPixels) {
            steps.Minor = v;
            break;
        }
    for (double v : NumberSteps()) {
        // Every number stands on a tick.
        if (steps.Minor > 0 && !RulerIsWhole(v / steps.Minor))
            continue;
        const double px = length(v);
        if (px > KVRMinNumberPixels && (!aNumberRoom || px > aNumberRoom(v))) {
            steps.Number = v;
            break;
        }
    }
    return steps;
}

TKVRTickRange VisibleTicks(double aFrom, double aTo, double aMax, double aStep)
{
    TKVRTickRange r;
    if (!(aStep > 0) || !std::isfinite(aFrom) || !std::isfinite(aTo) || !std::isfinite(aMax))
        return r;
    // A tick a thousandth of a step outside still counts: values come rounded.
    const double first = std::ceil(aFrom / aStep - 0.001);
    const double last = std::floor(std::min(aTo, aMax) / aStep + 0.001);
    r.First = first < 0 ? 0 : int64_t(first);
    r.Last = last < 0 ? -1 : int64_t(last);
    return r;
}
