#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

// A whole number held in an integer type: NaN gives 0 and values beyond the
// type stop at its ends, so a damaged length never wraps around.
template <class TInt>
TInt KVRToInteger(double aWhole)
{
    constexpr double kLow = double(std::numeric_limits<TInt>::min());
    constexpr double kHigh = -kLow;  // 2^(bits - 1), one past the largest value
    if (std::isnan(aWhole))
        return 0;
    if (aWhole < kLow)
        return std::numeric_limits<TInt>::min();
    if (aWhole >= kHigh)
        return std::numeric_limits<TInt>::max();
    return static_cast<TInt>(aWhole);
}

// The one rounding rule of the suite: to the nearest integer, halves to even
// (banker's rounding), as the original runtime's Round does.
inline int64_t RoundHalfEven(double v)
{
    return KVRToInteger<int64_t>(std::nearbyint(v));  // default mode is to-nearest-even
}

// Round for results that are stored as 32-bit integers.
inline int32_t RoundHalfEven32(double v)
{
    return KVRToInteger<int32_t>(std::nearbyint(v));
}

// A paper length typed in millimetres, stored in micrometres: negative or
// NaN gives 0.
inline int32_t KVRMillimetresToMicrometres(float aMillimetres)
{
    return aMillimetres > 0 ? RoundHalfEven32(double(aMillimetres) * 1000.0) : 0;
}

// Setters of lengths and factors that must stay positive: a finite value
// above 0 is taken (true), anything else leaves aField as it was.
inline bool KVRAssignPositive(float& aField, float aValue)
{
    if (!(std::isfinite(aValue) && aValue > 0.0f))
        return false;
    aField = aValue;
    return true;
}
