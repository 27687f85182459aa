#define ZX_USE_UTF8 1
#include "tests/support/BarcodeReader.h"
#include <QStringDecoder>
#include <QTransform>
#include <ZXing/ReadBarcode.h>

namespace {

// ZXing 1.4 trips an assertion when it merges several linear results (its
// rotated search does so too), so it is asked for one symbol, and the
// quarter turns are tried here, one upright read each.
ZXing::DecodeHints Hints(const DecodeOptions& options)
{
    ZXing::DecodeHints hints;
    hints.setTryCode39ExtendedMode(options.code39FullAscii);
    hints.setValidateCode39CheckSum(options.code39CheckDigit);
    hints.setTryHarder(true);
    hints.setTryRotate(false);
    hints.setMaxNumberOfSymbols(1);
    return hints;
}

std::vector<DecodedSymbol> ReadUpright(const QImage& grey, const DecodeOptions& options)
{
    ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                          static_cast<int>(grey.bytesPerLine()));
    std::vector<DecodedSymbol> result;
    for (const auto& r : ZXing::ReadBarcodes(view, Hints(options))) {
        if (!r.isValid())
            continue;
        // A leading byte-order mark is part of the text; the plain conversion drops it.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        result.push_back({utf8(QByteArray::fromStdString(r.text())), QString::fromStdString(ZXing::ToString(r.format()))});
    }
    return result;
}

// Grey copy composited over white, with a white margin that helps the reader
// find symbols drawn at the image's edge.
QImage PaperGrey(const QImage& image)
{
    QImage grey(image.width() + 40, image.height() + 40, QImage::Format_Grayscale8);
    grey.fill(255);
    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        uchar* out = grey.scanLine(y + 20) + 20;
        for (int x = 0; x < src.width(); ++x) {
            const int a = qAlpha(in[x]);
            out[x] = static_cast<uchar>((qGray(in[x]) * a + 255 * (255 - a)) / 255);
        }
    }
    return grey;
}

}  // namespace

std::vector<DecodedSymbol> DecodeAll(const QImage& image, const DecodeOptions& options)
{
    const QImage grey = PaperGrey(image);
    for (int turn = 0; turn < 4; ++turn) {
        const QImage turned = turn == 0 ? grey : grey.transformed(QTransform().rotate(90.0 * turn));
        auto found = ReadUpright(turned.convertToFormat(QImage::Format_Grayscale8), options);
        if (!found.empty())
            return found;
    }
    return {};
}

DecodedSymbol DecodeOne(const QImage& image, const DecodeOptions& options)
{
    auto all = DecodeAll(image, options);
    return all.empty() ? DecodedSymbol{} : all.front();
}
