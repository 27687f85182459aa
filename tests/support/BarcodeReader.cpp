#define ZX_USE_UTF8 1
#include "tests/support/BarcodeReader.h"
#include <ZXing/ReadBarcode.h>

namespace {
ZXing::DecodeHints Hints()
{
    ZXing::DecodeHints hints;
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    return hints;
}
}

std::vector<DecodedSymbol> DecodeAll(const QImage& image)
{
    // A white margin helps the reader find symbols drawn at the image's edge.
    QImage grey(image.width() + 40, image.height() + 40, QImage::Format_Grayscale8);
    grey.fill(255);
    {
        QImage src = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < src.height(); ++y) {
            const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
            uchar* out = grey.scanLine(y + 20) + 20;
            for (int x = 0; x < src.width(); ++x) {
                const QRgb p = in[x];
                const int a = qAlpha(p);
                // Composite over white so transparent backgrounds read as paper.
                const int g = (qGray(p) * a + 255 * (255 - a)) / 255;
                out[x] = static_cast<uchar>(g);
            }
        }
    }
    ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                          static_cast<int>(grey.bytesPerLine()));
    std::vector<DecodedSymbol> result;
    for (const auto& r : ZXing::ReadBarcodes(view, Hints())) {
        if (!r.isValid())
            continue;
        result.push_back({QString::fromStdString(r.text()),
                          QString::fromStdString(ZXing::ToString(r.format()))});
    }
    return result;
}

DecodedSymbol DecodeOne(const QImage& image)
{
    auto all = DecodeAll(image);
    return all.empty() ? DecodedSymbol{} : all.front();
}
