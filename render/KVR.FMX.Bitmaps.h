#pragma once
#include <cstdint>

class TBitmap;
class TImageList;

// In-place filters used when images are printed; a bitmap that cannot be
// mapped is left as it was.
void ConvertGrayScale(TBitmap& bitmap);
void ConvertBlackWhite(TBitmap& bitmap, uint8_t threshold);
void ApplyCircularMask(TBitmap& bitmap);

struct TImageListHelper
{
    // Adds a copy of the bitmap as a new entry; -1 for nil or empty, nothing added.
    static int32_t AddBitmap(TImageList& list, const TBitmap* aBitmap);
};
