#include "document/KVR.FMX.BackImage.h"
#include "platform/fmx/TBitmap.h"
#include "platform/fmx/TCanvas.h"
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/skia/TSkCanvas.h"
#include "platform/skia/TSkImage.h"
#include "render/TKVRDraw.h"
#include <QFileInfo>
#include <cmath>

TKVRLayer* KVRBackImageLayer(const TKVRBaseLabel& aLabel, TKVRDrawState aState)
{
    const int32_t index = aLabel.GetBackLayer();
    if (index <= 0 || index > aLabel.GetLayerCount())
        return nullptr;
    TKVRLayer* layer = aLabel.GetLayer(index - 1);
    const uint16_t state = layer->GetState();
    if (!(state & TKVRLayer::StateVisible))
        return nullptr;
    switch (aState) {
    case KVRDrawState::Preview:
    case KVRDrawState::Print:
        return (state & TKVRLayer::StateBackPrint) ? layer : nullptr;
    case KVRDrawState::Export:
        return (state & TKVRLayer::StateBackExport) ? layer : nullptr;
    default:
        return layer;
    }
}

std::optional<TKVRBackImagePlace> KVRBackImagePlace(float aLeft, float aTop, float aWidth, float aHeight,
                                                    const float aDX[4], const float aDY[4], int32_t aTurns)
{
    const int32_t k = ((aTurns % 4) + 4) % 4;
    // Edge e of the cell (left, top, right, bottom) keeps the margin that
    // the turn brings to it.
    auto m = [k](int32_t e) { return (e + k) % 4; };
    TKVRBackImagePlace p;
    p.Turns = k;
    p.Box = TRectF(aLeft + aDX[m(0)], aTop + aDY[m(1)], aLeft + aWidth - aDX[m(2)], aTop + aHeight - aDY[m(3)]);
    if (!(p.Box.Right > p.Box.Left) || !(p.Box.Bottom > p.Box.Top))
        return std::nullopt;
    return p;
}

std::optional<TKVRBackImagePlace> KVRBackImagePlace(const TKVRBaseLabel& aLabel, const TKVRLayer& aLayer,
                                                    const TKVRDraw& aDraw, bool aPrint)
{
    // The cell is the label on paper: the context's factors divide by the
    // drawing scale, so it is multiplied back in every context.
    const double sx = aDraw.PixelsPerMicX * aDraw.DrawScale;
    const double sy = aDraw.PixelsPerMicY * aDraw.DrawScale;
    const double unit = double(MicrometresPerUnit(aLabel.GetUnits()));
    const float margins[4] = {aLayer.GetImgMarLeft(), aLayer.GetImgMarTop(), aLayer.GetImgMarRight(),
                              aLayer.GetImgMarBottom()};
    float dx[4], dy[4];
    for (int i = 0; i < 4; ++i) {
        const double mic = std::round(double(margins[i]) * unit);
        dx[i] = float(mic * sx);
        dy[i] = float(mic * sy);
    }
    const TKVRMeasure& measure = aLabel.GetMeasure();
    const float left = aPrint ? float(aDraw.PrintOffsetX) : aDraw.ScreenOffsetX;
    const float top = aPrint ? float(aDraw.PrintOffsetY) : aDraw.ScreenOffsetY;
    return KVRBackImagePlace(left, top, float(double(measure.GetWidth()) * sx), float(double(measure.GetHeight()) * sy),
                             dx, dy, aLabel.GetLabelRotation());
}

QString KVRBackImageFile(const TKVRBaseLabel& aLabel, const TKVRLayer& aLayer)
{
    if (aLayer.ImgFileName.isEmpty())
        return QString();
    QString folder = aLabel.GetImageFolder();
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + aLayer.ImgFileName;
}

namespace {

bool FileExists(const QString& aPath)
{
    return !aPath.isEmpty() && QFileInfo(aPath).isFile();
}

}  // namespace

ISkImage TKVRBackImageCache::Get(TKVRBaseLabel& aLabel, TKVRLayer& aLayer)
{
    std::lock_guard<std::mutex> lock(fLock);
    if (fImage && !aLabel.GetImgReload())
        return fImage;
    ISkImage decoded;
    if (!aLayer.ImgBytes.isEmpty()) {
        decoded = TSkImage::MakeFromEncoded(aLayer.ImgBytes);
    } else {
        const QString path = KVRBackImageFile(aLabel, aLayer);
        if (FileExists(path)) {
            decoded = TSkImage::MakeFromEncodedFile(path);
            // From now on the picture travels with the document.
            if (decoded && aLayer.ImgEmbed)
                aLayer.ImgBytes = decoded->EncodeToBytes(TSkEncodedImageFormat::PNG, 80);
        }
    }
    if (decoded)
        fImage = decoded;
    aLabel.SetImgReload(false);
    return fImage;
}

void TKVRBackImageCache::Clear()
{
    std::lock_guard<std::mutex> lock(fLock);
    fImage.reset();
}

namespace {

// Restores the canvas also when drawing raises.
class TSkRestore
{
public:
    explicit TSkRestore(TSkCanvas& aCanvas) : fCanvas(aCanvas), fCount(aCanvas.Save()) {}
    ~TSkRestore() { fCanvas.RestoreToCount(fCount); }
    TSkRestore(const TSkRestore&) = delete;
    TSkRestore& operator=(const TSkRestore&) = delete;

private:
    TSkCanvas& fCanvas;
    int32_t fCount;
};

}  // namespace

bool KVRDrawBackImage(TKVRBaseLabel& aLabel, TKVRBackImageCache& aCache, const ISkCanvas& aCanvas,
                      const TKVRDraw& aDraw)
{
    if (!aCanvas)
        return false;
    TKVRLayer* layer = KVRBackImageLayer(aLabel, aDraw.DrawState);
    if (!layer)
        return false;
    const auto place = KVRBackImagePlace(aLabel, *layer, aDraw, false);
    if (!place)
        return false;
    const ISkImage image = aCache.Get(aLabel, *layer);
    if (!image || image->Width() < 1 || image->Height() < 1)
        return false;
    TSkRestore restore(*aCanvas);
    const TRectF& box = place->Box;
    TRectF dest = box;
    if (place->Turns != 0) {
        const float w = box.Width(), h = box.Height();
        aCanvas->Translate(box.Left + w / 2, box.Top + h / 2);
        aCanvas->Rotate(-90.0f * float(place->Turns));
        dest = place->Turns == 2 ? TRectF(-w / 2, -h / 2, w / 2, h / 2) : TRectF(-h / 2, -w / 2, h / 2, w / 2);
    }
    aCanvas->DrawImageRect(image, dest, nullptr, TSkSrcRectConstraint::Fast);
    return true;
}

bool KVRPrintBackImage(const TKVRBaseLabel& aLabel, const TKVRDraw& aDraw)
{
    if (!aDraw.pC)
        return false;
    const TKVRLayer* layer = KVRBackImageLayer(aLabel, KVRDrawState::Print);
    if (!layer)
        return false;
    const auto place = KVRBackImagePlace(aLabel, *layer, aDraw, true);
    if (!place)
        return false;
    TBitmap bitmap;
    if (!layer->ImgBytes.isEmpty()) {
        bitmap.LoadFromStream(layer->ImgBytes);
    } else {
        const QString path = KVRBackImageFile(aLabel, *layer);
        if (FileExists(path))
            bitmap.LoadFromFile(path);
    }
    if (bitmap.IsEmpty())
        return false;
    // Turned as on screen: the picture turns, the box stays on the cell.
    if (place->Turns != 0)
        bitmap.Rotate(-90.0f * float(place->Turns));
    const TRectF src(0, 0, float(bitmap.Width()), float(bitmap.Height()));
    aDraw.pC->DrawBitmap(bitmap, src, place->Box, 1.0f, true);
    return true;
}
