#pragma once
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/model/TKVRBaseDraw.h"
#include <cstdint>

// A document point in micrometres, with its positions in a context.
struct TKVRPto
{
    int64_t X = 0;
    int64_t Y = 0;

    // A point from micrometres, and from a position in a document unit
    // (rounded half to even to whole micrometres).
    static TKVRPto DefineBase(int64_t aX, int64_t aY) { return {aX, aY}; }
    static TKVRPto Define(double aX, double aY, TKVRUnits aUnits)
    {
        const double unit = double(MicrometresPerUnit(aUnits));
        return {RoundHalfEven(aX * unit), RoundHalfEven(aY * unit)};
    }

    // Pixels of the context, without its screen origin.
    float DrawX(const TKVRBaseDraw* d) const { return d->GetDrawX(X); }
    float DrawY(const TKVRBaseDraw* d) const { return d->GetDrawY(Y); }
    // Whole printer units, without the print-cell origin; rounded from the exact
    // product, as every length on paper is.
    int32_t PrintX(const TKVRBaseDraw* d) const { return RoundHalfEven32(double(X) * d->PixelsPerMicX); }
    int32_t PrintY(const TKVRBaseDraw* d) const { return RoundHalfEven32(double(Y) * d->PixelsPerMicY); }
    // Pixels of the point moved by a gap in micrometres (screen origin not added).
    float DrawGapX(const TKVRBaseDraw* d, int64_t gap) const { return d->GetDrawX(X + gap); }
    float DrawGapY(const TKVRBaseDraw* d, int64_t gap) const { return d->GetDrawY(Y + gap); }

    bool operator==(const TKVRPto&) const = default;
};

// A document rectangle in micrometres.
struct TKVRRect
{
    int64_t Left = 0;
    int64_t Top = 0;
    int64_t Right = 0;
    int64_t Bottom = 0;

    int64_t Width() const { return Right - Left; }
    int64_t Height() const { return Bottom - Top; }
    bool operator==(const TKVRRect&) const = default;
};
