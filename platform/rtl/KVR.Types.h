#pragma once
#include <cstdint>

// Quarter turn of an element. Value n turns by -90 x n degrees: on the
// y-down surface that is a counter-clockwise turn, on screen and on paper alike.
// Values from 4 up do not turn.
enum class TKVRAngle : uint8_t {
    Angle0 = 0,
    Angle90 = 1,
    Angle180 = 2,
    Angle270 = 3,
};

enum class TKVRHorzAlign : uint8_t {
    Left = 0,
    Center = 1,
    Right = 2,
};

enum class TKVRVertAlign : uint8_t {
    Top = 0,
    Center = 1,
    Bottom = 2,
};
