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

// What the reader is told beyond its defaults.
struct DecodeOptions
{
    bool code39FullAscii = false;   // Code 39 read in full ASCII
    bool code39CheckDigit = false;  // Code 39 ends in its check character: verified, then dropped
};

// The symbol ZXing finds in the image at any quarter turn, or none; at most
// one, since ZXing 1.4 cannot list several linear symbols safely.
std::vector<DecodedSymbol> DecodeAll(const QImage& image, const DecodeOptions& options = {});
// The first symbol, or an empty text when none is found.
DecodedSymbol DecodeOne(const QImage& image, const DecodeOptions& options = {});
