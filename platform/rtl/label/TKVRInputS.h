#pragma once
// What the editor's coordinate entry read and where it stands: the typed
// numbers, the point or length they make and the base point that relative
// entries start from. Positions are 64-bit micrometres: a large sheet at a
// small drawing scale spans more than 2^31.
#include <cstdint>

struct TKVRInputS
{
    float X = 0.0f, Y = 0.0f;  // the two numbers of a point entry, label units
    float Value = 0.0f;        // a lone length, label units
    int64_t PointX = 0, PointY = 0;  // the entered point, micrometres
    int32_t PixelX = 0, PixelY = 0;  // its position on the surface
    int64_t Length = 0;        // the entered length, micrometres
    int32_t LengthPixels = 0;  // its size on the surface
    // The last point placed, once one is: any point is one, also left of
    // or above the label.
    int64_t BaseX = 0, BaseY = 0;
    float BasePixelX = 0.0f, BasePixelY = 0.0f;
    bool BasePlaced = false;

    bool HasBase() const { return BasePlaced; }
    void Reset() { *this = TKVRInputS{}; }
};
