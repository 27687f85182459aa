#pragma once
// The steps of a ruler graduated in the label's unit: ticks a few pixels
// apart and numbers far enough apart that they never touch, at any zoom and
// drawing scale, and the ticks that fall inside a stretch of the ruler.
// Pure arithmetic, so that a ruler can be checked without a screen.
#include "platform/rtl/label/KVR.Units.h"
#include <cstdint>
#include <functional>

// Ticks stand at least this many pixels apart, numbers more than this.
constexpr int32_t KVRMinTickPixels = 5;
constexpr int32_t KVRMinNumberPixels = 20;

struct TKVRRulerSteps
{
    double Minor = 0;   // tick step, label units
    double Number = 0;  // number step, label units: a whole number of ticks
};

// aPixelsPerUnit: pixels of one label unit along the ruler (zoom and drawing
// scale in). aNumberRoom: pixels a number needs along the ruler at a number
// step (its widest text and a gap); null when only the 20 pixels count.
// aPreviousNumber is kept when no step is long enough (0: no numbers).
TKVRRulerSteps ChooseRulerSteps(TKVRUnits aUnits, double aPixelsPerUnit,
                                const std::function<double(double)>& aNumberRoom, double aPreviousNumber);

// The indices i of the ticks i x aStep that lie within [aFrom, aTo] and not
// beyond aMax; never below 0. Empty (Last < First) when none does.
struct TKVRTickRange
{
    int64_t First = 0;
    int64_t Last = -1;
};
TKVRTickRange VisibleTicks(double aFrom, double aTo, double aMax, double aStep);

// A ruler value counts as whole (or as a number position) within a
// thousandth on either side, so sums of tenths do not miss one.
bool RulerIsWhole(double aValue);
