#pragma once
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/TKVRBaseDraw.h"
#include <cstdint>

// A document point in micrometres, with its positions in a context.
struct TKVRPto
{
    int64_t X = 0;
    int64_t Y = 0;

    // Pixels of the context, without its screen origin.
    float DrawX(const TKVRBaseDraw* d) const { return d->GetDrawX(X); }
    float DrawY(const TKVRBaseDraw* d) const { return d->GetDrawY(Y); }
    // Whole printer units, without the print-cell origin.
    int32_t PrintX(const TKVRBaseDraw* d) const { return RoundHalfEven32(d->GetDrawX(X)); }
    int32_t PrintY(const TKVRBaseDraw* d) const { return RoundHalfEven32(d->GetDrawY(Y)); }
    // Screen pixels: the context's screen origin added.
    float DrawGapX(const TKVRBaseDraw* d) const { return d->ScreenOffsetX + DrawX(d); }
    float DrawGapY(const TKVRBaseDraw* d) const { return d->ScreenOffsetY + DrawY(d); }

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
