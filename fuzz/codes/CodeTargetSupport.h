#pragma once
// What the barcode targets share: module runs painted into a grey image with
// a quiet zone, and ZXing told the one symbology to look for.
#define ZX_USE_UTF8 1
#include <QImage>
#include <QStringDecoder>
#include <ZXing/ReadBarcode.h>
#include <optional>

namespace kvr::fuzz {

// A white grey image with a quiet zone of aQuiet pixels on each side of
// aWidth x aHeight pixels of symbol.
inline QImage QuietImage(int aWidth, int aHeight, int aQuiet)
{
    QImage image(aWidth + 2 * aQuiet, aHeight + 2 * aQuiet, QImage::Format_Grayscale8);
    image.fill(255);
    return image;
}

inline void FillDark(QImage& aImage, int aLeft, int aTop, int aRight, int aBottom)
{
    for (int y = aTop; y < aBottom; ++y) {
        uchar* line = aImage.scanLine(y);
        for (int x = aLeft; x < aRight; ++x)
            line[x] = 0;
    }
}

// The text of the one symbol of that format in the image, or none. A clean
// upright symbol is read as such first (quick), then searched for.
inline std::optional<QString> ReadSymbol(const QImage& aGrey, ZXing::BarcodeFormat aFormat,
                                         bool aCode39FullAscii = false, bool aCode39Check = false)
{
    const ZXing::ImageView view(aGrey.constBits(), aGrey.width(), aGrey.height(), ZXing::ImageFormat::Lum,
                                int(aGrey.bytesPerLine()));
    for (const bool pure : {true, false}) {
        ZXing::DecodeHints hints;
        hints.setFormats(aFormat);
        hints.setIsPure(pure);
        hints.setTryHarder(!pure);
        hints.setTryRotate(false);
        hints.setMaxNumberOfSymbols(1);
        hints.setTryCode39ExtendedMode(aCode39FullAscii);
        hints.setValidateCode39CheckSum(aCode39Check);
        const ZXing::Result r = ZXing::ReadBarcode(view, hints);
        if (r.isValid()) {
            // A leading byte-order mark is part of the text.
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
            return QString(utf8(QByteArray::fromStdString(r.text())));
        }
    }
    return std::nullopt;
}

} // namespace kvr::fuzz
