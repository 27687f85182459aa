#include "platform/rtl/codes/KVR.QRCode.h"
#include "platform/rtl/codes/KVR.ZintMatrix.h"
#include <stdexcept>
#include <zint.h>

namespace {
constexpr int EciLatin1 = 3;
constexpr int EciUtf8 = 26;

bool IsAscii(const QString& s)
{
    for (const QChar ch : s)
        if (ch.unicode() > 0x7F)
            return false;
    return true;
}

bool IsNumeric(const QString& s)
{
    for (const QChar ch : s)
        if (ch.unicode() < '0' || ch.unicode() > '9')
            return false;
    return true;
}

bool IsAlphanumeric(const QString& s)
{
    static const QString others = QStringLiteral(" $%*+-./:");
    for (const QChar ch : s) {
        const char16_t u = ch.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || others.contains(ch)))
            return false;
    }
    return true;
}

bool IsLatin1(const QString& s)
{
    for (const QChar ch : s)
        if (ch.unicode() > 0xFF)
            return false;
    return true;
}

// A surrogate without its partner is no character: UTF-8 cannot carry it.
bool HasLoneSurrogate(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar ch = s[i];
        if (ch.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        else if (ch.isSurrogate())
            return true;
    }
    return false;
}
}

TErrorCorrectionLevel::TErrorCorrectionLevel(int32_t aOrdinal)
{
    SetOrdinal(aOrdinal);
}

void TErrorCorrectionLevel::SetOrdinal(int32_t aOrdinal)
{
    if (aOrdinal < L || aOrdinal > H)
        throw std::out_of_range("QR error-correction level out of range");
    fOrdinal = aOrdinal;
}

TByteMatrix::TByteMatrix(int32_t aWidth, int32_t aHeight)
{
    if (aWidth < 0 || aHeight < 0)
        throw std::out_of_range("Negative matrix size");
    fWidth = aWidth;
    fHeight = aHeight;
    fBytes.assign(static_cast<size_t>(aWidth) * static_cast<size_t>(aHeight), 0);
}

uint8_t TByteMatrix::Get(int32_t x, int32_t y) const
{
    if (x < 0 || y < 0 || x >= fWidth || y >= fHeight)
        return 0;
    return fBytes[static_cast<size_t>(y) * fWidth + x];
}

void TByteMatrix::Set(int32_t x, int32_t y, uint8_t aValue)
{
    if (x < 0 || y < 0 || x >= fWidth || y >= fHeight)
        throw std::out_of_range("Module outside the matrix");
    fBytes[static_cast<size_t>(y) * fWidth + x] = aValue;
}

bool TEncoder::Encode(const QString& aContents, TQRCodeEncoding aEncoding, const TErrorCorrectionLevel& aLevel,
                      TQRCode& oQRCode)
{
    oQRCode.Clear();
    if (aContents.isEmpty())
        return false;
    if (HasLoneSurrogate(aContents))
        return false;
    TZintOptions options;
    options.Symbology = BARCODE_QRCODE;
    // The bytes as we make them: the engine's own text conversion drops a
    // leading byte-order mark, which is part of the value.
    options.InputMode = DATA_MODE;
    options.Option1 = aLevel.GetOrdinal() + 1;  // zint: 1 = L .. 4 = H
    const bool ascii = IsAscii(aContents);
    QByteArray bytes;
    switch (aEncoding) {
    case QRCodeEncoding::Numeric:
        if (!IsNumeric(aContents))
            return false;
        bytes = aContents.toLatin1();
        break;
    case QRCodeEncoding::Alphanumeric:
        if (!IsAlphanumeric(aContents))
            return false;
        bytes = aContents.toLatin1();
        break;
    case QRCodeEncoding::ISO88591:
        if (!IsLatin1(aContents))
            return false;
        bytes = aContents.toLatin1();
        options.Eci = ascii ? 0 : EciLatin1;
        break;
    default:
        // Without an ECI readers guess the character set (often Shift_JIS):
        // any text beyond ASCII says it is UTF-8.
        bytes = aContents.toUtf8();
        options.Eci = ascii ? 0 : EciUtf8;
        break;
    }
    TZintMatrix matrix;
    if (!ZintEncodeMatrix(options, bytes, matrix))
        return false;
    // QR symbols are square; anything else is not a symbol the painters expect.
    if (matrix.Columns != matrix.Rows)
        return false;
    TByteMatrix result(matrix.Columns, matrix.Rows);
    for (int32_t y = 0; y < matrix.Rows; ++y)
        for (int32_t x = 0; x < matrix.Columns; ++x)
            result.Set(x, y, matrix.Modules[static_cast<size_t>(y) * matrix.Columns + x]);
    oQRCode.fMatrix = std::move(result);
    return true;
}

T2DBooleanArray ModuleGrid(const TQRCode& aQRCode)
{
    T2DBooleanArray grid;
    const TByteMatrix* matrix = aQRCode.GetMatrix();
    if (!matrix)
        return grid;
    const int32_t n = matrix->GetHeight();
    grid.assign(static_cast<size_t>(n), std::vector<bool>(static_cast<size_t>(n), false));
    for (int32_t x = 0; x < n; ++x)
        for (int32_t y = 0; y < n; ++y)
            grid[x][y] = matrix->Get(x, y) == 1;
    return grid;
}
