#pragma once
#include <QImage>
#include <QString>
#include <vector>

// Decodes barcodes in an image with ZXing, a reader nobody here wrote.
struct DecodedSymbol
{
    QString text;    // decoded text (UTF-8 decoded)
    QString format;  // ZXing's format name, e.g. "QRCode", "EAN-13"
};

// All symbols ZXing finds in the image (any format, tries harder and rotated).
std::vector<DecodedSymbol> DecodeAll(const QImage& image);
// The first symbol, or an empty text when none is found.
DecodedSymbol DecodeOne(const QImage& image);
