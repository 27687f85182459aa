#pragma once
#include <cmath>
#include <cstdint>

// The one rounding rule of the suite: to the nearest integer, halves to even
// (banker's rounding), as the original runtime's Round does.
inline int64_t RoundHalfEven(double v)
{
    return static_cast<int64_t>(std::nearbyint(v));  // default mode is to-nearest-even
}

// Round for results that are stored as 32-bit integers.
inline int32_t RoundHalfEven32(double v)
{
    return static_cast<int32_t>(std::nearbyint(v));
}
