#pragma once
#include <cstdint>

class TBitmap;
class TImageList;

// In-place filters used when images are printed; a bitmap that cannot be
// mapped is left as it was.
void ConvertGrayScale(TBitmap& bitmap);
void ConvertBlackWhite(TBitmap& bitmap, uint8_t threshold);
void ApplyCircularMask(TBitmap& bitmap);
// Clears the pixels whose centres lie outside the ellipse inscribed in the
// bitmap's own rectangle: drawn into a rectangle, the bitmap shows that
// rectangle's ellipse, at the bitmap's size (no copy is made).
void ApplyEllipseMask(TBitmap& bitmap);

struct TImageListHelper
{
    // Adds a copy of the bitmap as a new entry; -1 for nil or empty, nothing added.
    static int32_t AddBitmap(TImageList& list, const TBitmap* aBitmap);
};
