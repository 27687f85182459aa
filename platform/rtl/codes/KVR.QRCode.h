#pragma once
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// How a QR element's text is put into the symbol.
using TQRCodeEncoding = uint8_t;
namespace QRCodeEncoding {
constexpr TQRCodeEncoding Auto = 0;          // ASCII as it stands, anything else as UTF-8 (ECI 26)
constexpr TQRCodeEncoding Numeric = 1;       // digits only
constexpr TQRCodeEncoding Alphanumeric = 2;  // 0-9, A-Z, space and $ % * + - . / :
constexpr TQRCodeEncoding ISO88591 = 3;      // Latin-1 characters only (ECI 3 when not ASCII)
constexpr TQRCodeEncoding UTF8 = 4;          // UTF-8 (ECI 26 when not ASCII)
}

// Error-correction level of a QR symbol: L, M, Q, H restore about 7, 15, 25 and
// 30 % of the codewords.
class TErrorCorrectionLevel
{
public:
    static constexpr int32_t L = 0;
    static constexpr int32_t M = 1;
    static constexpr int32_t Q = 2;
    static constexpr int32_t H = 3;

    TErrorCorrectionLevel() = default;
    // Throws std::out_of_range for anything but L, M, Q or H.
    explicit TErrorCorrectionLevel(int32_t aOrdinal);

    int32_t GetOrdinal() const { return fOrdinal; }
    void SetOrdinal(int32_t aOrdinal);

private:
    int32_t fOrdinal = L;
};

// Square grid of module bytes (1 = dark), addressed column first: Get(x, y)
// is column x, row y.
class TByteMatrix
{
public:
    // Throws std::out_of_range for negative sizes.
    TByteMatrix(int32_t aWidth, int32_t aHeight);

    int32_t GetWidth() const { return fWidth; }
    int32_t GetHeight() const { return fHeight; }
    // 0 (light) outside the matrix, as the quiet zone around a symbol is.
    uint8_t Get(int32_t x, int32_t y) const;
    // Throws std::out_of_range outside the matrix.
    void Set(int32_t x, int32_t y, uint8_t aValue);

private:
    int32_t fWidth = 0;
    int32_t fHeight = 0;
    std::vector<uint8_t> fBytes;  // row by row
};

// Result of one encoding; holds no matrix when the text could not be encoded.
class TQRCode
{
public:
    const TByteMatrix* GetMatrix() const { return fMatrix ? &*fMatrix : nullptr; }
    void Clear() { fMatrix.reset(); }

private:
    friend class TEncoder;
    std::optional<TByteMatrix> fMatrix;
};

class TEncoder
{
public:
    // Encodes aContents into oQRCode at the given level, every character kept (a
    // leading byte-order mark too). False, with no matrix in oQRCode, when the
    // text is empty, does not fit a version 40 symbol, holds characters that
    // aEncoding cannot carry or a surrogate without its partner. Unknown
    // encodings work as Auto.
    static bool Encode(const QString& aContents, TQRCodeEncoding aEncoding, const TErrorCorrectionLevel& aLevel,
                       TQRCode& oQRCode);
};

// Modules as the element keeps them: one array per column, each indexed by row
// (grid[x][y], true = dark).
using T2DBooleanArray = std::vector<std::vector<bool>>;

// The grid of a result: n x n for a matrix of height n, empty without a matrix.
T2DBooleanArray ModuleGrid(const TQRCode& aQRCode);
