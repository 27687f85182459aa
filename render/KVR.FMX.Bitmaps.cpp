#include "platform/fmx/FMX.ImgList.h"
#include "platform/fmx/TBitmap.h"
#include "platform/rtl/KVR.Math.h"
#include "render/KVR.FMX.Bitmaps.h"
#include <algorithm>
#include <cmath>

namespace {

// Maps a bitmap for read-write access and unmaps it when leaving, also on exceptions.
class MappedBitmap
{
public:
    explicit MappedBitmap(TBitmap& bitmap) : fBitmap(bitmap)
    {
        fMapped = fBitmap.Map(TMapAccess::ReadWrite, fData);
    }
    ~MappedBitmap()
    {
        if (fMapped)
            fBitmap.Unmap(fData);
    }
    MappedBitmap(const MappedBitmap&) = delete;
    MappedBitmap& operator=(const MappedBitmap&) = delete;

    bool Mapped() const { return fMapped; }
    const TBitmapData& Data() const { return fData; }

private:
    TBitmap& fBitmap;
    TBitmapData fData;
    bool fMapped = false;
};

enum : int { B = 0, G = 1, R = 2, A = 3 };

uint8_t Luminance(const uint8_t* px)
{
    return uint8_t(RoundHalfEven(0.299 * px[R] + 0.587 * px[G] + 0.114 * px[B]));
}

template <class PixelFn>
void ForEachPixel(TBitmap& bitmap, PixelFn fn)
{
    MappedBitmap map(bitmap);
    if (!map.Mapped())
        return;
    const TBitmapData& d = map.Data();
    for (int32_t y = 0; y < d.Height; ++y) {
        uint8_t* row = d.GetScanline(y);
        for (int32_t x = 0; x < d.Width; ++x)
            fn(row + 4 * x, x, y);
    }
}

}  // namespace

void ConvertGrayScale(TBitmap& bitmap)
{
    ForEachPixel(bitmap, [](uint8_t* px, int32_t, int32_t) {
        const uint8_t g = Luminance(px);
        px[R] = px[G] = px[B] = g;
    });
}

void ConvertBlackWhite(TBitmap& bitmap, uint8_t threshold)
{
    ForEachPixel(bitmap, [threshold](uint8_t* px, int32_t, int32_t) {
        const uint8_t v = Luminance(px) >= threshold ? 255 : 0;
        px[R] = px[G] = px[B] = v;
    });
}

void ApplyCircularMask(TBitmap& bitmap)
{
    const float cx = float(bitmap.Width()) / 2;
    const float cy = float(bitmap.Height()) / 2;
    const float r = std::min(cx, cy);
    ForEachPixel(bitmap, [cx, cy, r](uint8_t* px, int32_t x, int32_t y) {
        const float d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
        if (d > r)
            px[A] = 0;
    });
}

void ApplyEllipseMask(TBitmap& bitmap)
{
    const double rx = double(bitmap.Width()) / 2;
    const double ry = double(bitmap.Height()) / 2;
    ForEachPixel(bitmap, [rx, ry](uint8_t* px, int32_t x, int32_t y) {
        const double dx = (x + 0.5 - rx) / rx, dy = (y + 0.5 - ry) / ry;
        if (dx * dx + dy * dy > 1.0)
            px[A] = 0;
    });
}

int32_t TImageListHelper::AddBitmap(TImageList& list, const TBitmap* aBitmap)
{
    if (!aBitmap || aBitmap->IsEmpty())
        return -1;
    TSourceItem& source = list.Source().Add();
    TFixedBitmapItem& picture = source.MultiResBitmap().Add();
    picture.Bitmap().Assign(*aBitmap);

    TDestinationItem& entry = list.Destination().Add();
    TLayer& layer = entry.Layers().Add();
    layer.SetName(source.Name());
    layer.SetSourceRect(TRectF(0, 0, float(aBitmap->Width()), float(aBitmap->Height())));
    return entry.Index();
}
