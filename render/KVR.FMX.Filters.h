#pragma once
// The colour filters of pictures on the Skia canvas.
#include "platform/skia/TSkPaint.h"
#include <QString>
#include <array>

struct TKVRSkiaFilter
{
    QString Name;
    TSkColorMatrix Matrix;
};

// Entry 0 "None" (identity), 1 "Grayscale" (luminance 0.299, 0.587, 0.114 in
// every colour row), 2 "Black and White" (1.5 of each channel, clamped), alpha
// kept. Constant, so the export thread may read it too.
extern const std::array<TKVRSkiaFilter, 3> FiltersSkia;
