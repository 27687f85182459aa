#define ZX_USE_UTF8 1
#include "platform/rtl/codes/KVR.QRCode.h"
#include "platform/rtl/model/TKVRBaseQRCode.h"
#include "tests/rtl/codes/SymbolTestSupport.h"
#include "tests/support/BarcodeReader.h"
#include <QImage>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
// The element's column-first grid (grid[x][y] is column x, row y) painted as
// the element lays it out, 5 pixels a module.
QImage PaintGrid(const T2DBooleanArray& grid)
{
    TKVRSymbolLayout layout;
    EXPECT_TRUE(TKVRBaseQRCode::BuildLayout(grid, layout));
    return PaintLayout(layout, 5);
}

QImage Encoded(const QString& text, int32_t level, TQRCodeEncoding encoding = QRCodeEncoding::Auto)
{
    TQRCode code;
    if (!TEncoder::Encode(text, encoding, TErrorCorrectionLevel(level), code))
        return {};
    return PaintGrid(ModuleGrid(code));
}

// Decodes with ZXing directly, for the error-correction level it reports.
ZXing::Result Read(const QImage& image)
{
    ZXing::ImageView view(image.constBits(), image.width(), image.height(), ZXing::ImageFormat::Lum,
                          static_cast<int>(image.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    return ZXing::ReadBarcode(view, hints);
}

const char* const LevelNames[] = {"L", "M", "Q", "H"};
}

TEST(QRCodeTest, EveryLevelDecodesAsciiAndNonAsciiText)
{
    const QString texts[] = {QStringLiteral("KVR label 0042 / lot A-17"),
                             QString::fromUtf8("Gr\u00fc\u00dfe \u2013 \u65e5\u672c")};
    for (const QString& text : texts)
        for (int32_t level = TErrorCorrectionLevel::L; level <= TErrorCorrectionLevel::H; ++level) {
            SCOPED_TRACE(text.toStdString() + " level " + LevelNames[level]);
            const QImage image = Encoded(text, level);
            ASSERT_FALSE(image.isNull());
            const ZXing::Result result = Read(image);
            ASSERT_TRUE(result.isValid());
            EXPECT_EQ(QString::fromStdString(result.text()), text);  // accents and CJK kept
            EXPECT_EQ(result.ecLevel(), LevelNames[level]);
        }
    // The shared reader sees the same.
    EXPECT_EQ(DecodeOne(Encoded(texts[1], TErrorCorrectionLevel::Q)).text, texts[1]);
}

TEST(QRCodeTest, GridIsColumnFirstAndMatchesTheMatrix)
{
    TQRCode code;
    ASSERT_TRUE(TEncoder::Encode(QStringLiteral("https://example.org/a?b=1"), QRCodeEncoding::Auto,
                                 TErrorCorrectionLevel(TErrorCorrectionLevel::H), code));
    const TByteMatrix* matrix = code.GetMatrix();
    ASSERT_NE(matrix, nullptr);
    const int32_t n = matrix->GetHeight();
    ASSERT_EQ(matrix->GetWidth(), n);
    EXPECT_EQ((n - 17) % 4, 0);  // a QR version size
    const T2DBooleanArray grid = ModuleGrid(code);
    ASSERT_EQ(static_cast<int32_t>(grid.size()), n);
    for (int32_t x = 0; x < n; ++x) {
        ASSERT_EQ(static_cast<int32_t>(grid[x].size()), n);
        for (int32_t y = 0; y < n; ++y)
            ASSERT_EQ(grid[x][y], matrix->Get(x, y) == 1);
    }
    // The dark module beside the lower-left finder sits at column 8, row n - 8;
    // a transposed grid would put a format bit there instead.
    EXPECT_EQ(matrix->Get(8, n - 8), 1);
    EXPECT_TRUE(grid[8][n - 8]);
    // Outside the matrix is quiet zone.
    EXPECT_EQ(matrix->Get(-1, 0), 0);
    EXPECT_EQ(matrix->Get(n, n - 1), 0);
}

TEST(QRCodeTest, EncodingsRestrictTheCharacters)
{
    const auto encodes = [](const QString& text, TQRCodeEncoding encoding) {
        TQRCode code;
        const bool ok = TEncoder::Encode(text, encoding, TErrorCorrectionLevel(), code);
        EXPECT_EQ(ok, code.GetMatrix() != nullptr);
        return ok;
    };
    EXPECT_TRUE(encodes(QStringLiteral("0123456789"), QRCodeEncoding::Numeric));
    EXPECT_FALSE(encodes(QStringLiteral("12a4"), QRCodeEncoding::Numeric));
    EXPECT_TRUE(encodes(QStringLiteral("AB-12 $%*+./:"), QRCodeEncoding::Alphanumeric));
    EXPECT_FALSE(encodes(QStringLiteral("lower"), QRCodeEncoding::Alphanumeric));
    EXPECT_FALSE(encodes(QString::fromUtf8("\u65e5\u672c"), QRCodeEncoding::ISO88591));
    EXPECT_FALSE(encodes(QString(), QRCodeEncoding::Auto));

    const QString latin1 = QString::fromUtf8("Stra\u00dfe 5, K\u00f6ln");
    EXPECT_EQ(DecodeOne(Encoded(latin1, TErrorCorrectionLevel::M, QRCodeEncoding::ISO88591)).text, latin1);
    const QString utf8 = QString::fromUtf8("\u00c5ngstr\u00f6m \u03bcm");
    EXPECT_EQ(DecodeOne(Encoded(utf8, TErrorCorrectionLevel::L, QRCodeEncoding::UTF8)).text, utf8);
    // An unknown encoding byte (a newer or damaged file) still gives a readable symbol.
    EXPECT_EQ(DecodeOne(Encoded(utf8, TErrorCorrectionLevel::L, 77)).text, utf8);

    // A leading byte-order mark is a character of the value; half a surrogate pair is none.
    const QString marked = QChar(0xFEFF) + QStringLiteral("marked");
    EXPECT_EQ(DecodeOne(Encoded(marked, TErrorCorrectionLevel::M)).text, marked);
    EXPECT_EQ(DecodeOne(Encoded(marked, TErrorCorrectionLevel::M, QRCodeEncoding::UTF8)).text, marked);
    for (const TQRCodeEncoding encoding : {QRCodeEncoding::Auto, QRCodeEncoding::UTF8, TQRCodeEncoding(77)}) {
        EXPECT_FALSE(encodes(QStringLiteral("a") + QChar(0xD800), encoding));
        EXPECT_FALSE(encodes(QChar(0xDC00) + QStringLiteral("b"), encoding));
        EXPECT_FALSE(encodes(QString(QChar(0xDBFF)) + QChar(0xDBFF) + QChar(0xDC00), encoding));
        EXPECT_TRUE(encodes(QStringLiteral("pair \U0001F600"), encoding));
    }
}

TEST(QRCodeTest, TooLongForVersion40FailsWithoutMatrix)
{
    TQRCode code;
    ASSERT_TRUE(TEncoder::Encode(QStringLiteral("first"), QRCodeEncoding::Auto, TErrorCorrectionLevel(), code));
    ASSERT_NE(code.GetMatrix(), nullptr);

    // 7089 digits are the most a symbol holds, and only at level L.
    const QString digits(7089, QChar('7'));
    EXPECT_TRUE(TEncoder::Encode(digits, QRCodeEncoding::Numeric, TErrorCorrectionLevel(TErrorCorrectionLevel::L), code));
    ASSERT_NE(code.GetMatrix(), nullptr);
    EXPECT_EQ(code.GetMatrix()->GetWidth(), 177);
    EXPECT_FALSE(TEncoder::Encode(digits + QChar('7'), QRCodeEncoding::Numeric,
                                  TErrorCorrectionLevel(TErrorCorrectionLevel::L), code));
    EXPECT_EQ(code.GetMatrix(), nullptr);  // the earlier symbol is gone, not kept half-valid
    EXPECT_TRUE(ModuleGrid(code).empty());
    EXPECT_FALSE(TEncoder::Encode(digits, QRCodeEncoding::Numeric, TErrorCorrectionLevel(TErrorCorrectionLevel::H), code));

    const QString longText(2000, QChar(0x00E9));  // 4000 bytes of UTF-8
    EXPECT_FALSE(TEncoder::Encode(longText, QRCodeEncoding::Auto, TErrorCorrectionLevel(), code));
    EXPECT_EQ(code.GetMatrix(), nullptr);
}

TEST(QRCodeTest, LevelsAndMatrixGuardTheirRanges)
{
    EXPECT_THROW(TErrorCorrectionLevel(4), std::out_of_range);
    TErrorCorrectionLevel level;
    EXPECT_THROW(level.SetOrdinal(-1), std::out_of_range);
    EXPECT_EQ(level.GetOrdinal(), TErrorCorrectionLevel::L);

    TByteMatrix matrix(3, 2);
    EXPECT_EQ(matrix.Get(1, 2), 0);  // column 1, row 2 is outside a 3 x 2 matrix
    EXPECT_THROW(matrix.Set(1, 2, 1), std::out_of_range);
    EXPECT_THROW(TByteMatrix(-1, 3), std::out_of_range);
}
