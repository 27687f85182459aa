#define ZX_USE_UTF8 1
#include "platform/rtl/codes/KVR.CodePage.h"
#include "platform/rtl/codes/KVR.PDF417.h"
#include "platform/rtl/model/TKVRBasePDF417.h"
#include "tests/rtl/codes/SymbolTestSupport.h"
#include "tests/support/BarcodeReader.h"
#include <QDir>
#include <QImage>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>
#include <thread>

namespace {
// The symbol painted as the element lays it out: 2 pixels a module, rows 3 modules high.
QImage PaintSymbol(const TPdf417Symbol& s)
{
    TKVRSymbolLayout layout;
    EXPECT_TRUE(TKVRBasePDF417::BuildLayout(s, false, layout));
    return PaintLayout(layout, 2, 3);
}

ZXing::Result Read(const QImage& image)
{
    ZXing::ImageView view(image.constBits(), image.width(), image.height(), ZXing::ImageFormat::Lum,
                          static_cast<int>(image.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::PDF417);
    return ZXing::ReadBarcode(view, hints);
}

TPdf417Symbol Encoded(const QByteArray& value, TKVRPdf417CorrectionLevel level, int columns = 0, int rows = 0)
{
    TPdf417Symbol s;
    EXPECT_TRUE(TPDF417::EncodeSymbol(value, level, columns, rows, s)) << value.left(40).toStdString();
    return s;
}

// What ZXing reads from the painted symbol; the level it reports comes from the row indicators.
QString RoundTrip(const QByteArray& value, TKVRPdf417CorrectionLevel level = 2, int columns = 0, int rows = 0)
{
    const TPdf417Symbol s = Encoded(value, level, columns, rows);
    if (s.CodeWords.empty())
        return {};
    const ZXing::Result result = Read(PaintSymbol(s));
    EXPECT_TRUE(result.isValid());
    EXPECT_EQ(result.ecLevel(), std::to_string(s.Level));
    return QString::fromStdString(result.text());
}

// c(x) with the first codeword as the highest power vanishes at 3^1 .. 3^k.
bool SyndromesVanish(const std::vector<uint16_t>& words, int k)
{
    int alpha = 1;
    for (int i = 1; i <= k; ++i) {
        alpha = alpha * 3 % 929;
        int sum = 0;
        for (const uint16_t w : words)
            sum = (sum * alpha + w) % 929;
        if (sum != 0)
            return false;
    }
    return true;
}
}

TEST(PDF417Test, TextDecodesAtSeveralLevels)
{
    const QByteArray text = "PDF417 Label No. 42, lot a-17/B; ok? [x] {y} ~z~ 'q' \"w\" 50% & more\tend";
    for (const TKVRPdf417CorrectionLevel level : {0, 2, 5, 8}) {
        SCOPED_TRACE(int(level));
        const TPdf417Symbol s = Encoded(text, level);
        ASSERT_FALSE(s.CodeWords.empty());
        const int e = 2 << level;
        ASSERT_EQ(s.CodeWords.size(), size_t(s.Columns) * s.Rows);
        EXPECT_EQ(s.CodeWords[0], s.Columns * s.Rows - e);  // length descriptor
        EXPECT_TRUE(SyndromesVanish(s.CodeWords, e));
        EXPECT_EQ(RoundTrip(text, level), QString::fromLatin1(text));
        if (level == 2)
            if (const QString dir = qEnvironmentVariable("KVR_TEST_PNG_DIR"); !dir.isEmpty())
                PaintSymbol(s).save(QDir(dir).filePath("pdf417_text.png"));
    }
    QByteArray ascii;
    for (int ch = 32; ch < 127; ++ch)
        ascii += char(ch);
    ascii += "\r\n\tTail";
    EXPECT_EQ(RoundTrip(ascii + ascii), QString::fromLatin1(ascii + ascii));
    EXPECT_EQ(RoundTrip("a"), QStringLiteral("a"));
}

TEST(PDF417Test, NumericRunsUseNumericCompaction)
{
    const QByteArray digits = "12345678901234567890123456789012345678901234567890";
    EXPECT_EQ(RoundTrip(digits, 3), QString::fromLatin1(digits));
    // 44 digits in 15 codewords, 6 in 3, after the length descriptor and the latch.
    EXPECT_EQ(TPDF417::fUsedCWords, 20);
    const QByteArray mixed = "Order 000123456789012345 qty 12 ref 98765432109876543210 EUR";
    EXPECT_EQ(RoundTrip(mixed, 1), QString::fromLatin1(mixed));
    EXPECT_EQ(RoundTrip("0000000000000000000001"), QStringLiteral("0000000000000000000001"));
}

TEST(PDF417Test, EightBitBytesDecodeAsLatin1)
{
    const QByteArray latin1 = QString::fromUtf8("Gr\u00f6\u00dfe: 5 \u00b5m; Preis 3,50 \u00a3 \u00b10,1 \u00a9KVR \u00e9t\u00e9").toLatin1();
    EXPECT_EQ(RoundTrip(latin1, 4), QString::fromLatin1(latin1));
    // Byte runs of every length modulo 6, between text, and alone.
    for (int n = 1; n <= 13; ++n) {
        QByteArray bytes;
        for (int i = 0; i < n; ++i)
            bytes += char(0xC0 + i);
        SCOPED_TRACE(n);
        EXPECT_EQ(RoundTrip(bytes), QString::fromLatin1(bytes));
        EXPECT_EQ(RoundTrip("Start " + bytes + " then text"), QString::fromLatin1("Start " + bytes + " then text"));
    }
    QByteArray binaryish;
    for (int i = 0; i < 200; ++i)
        binaryish += char(i % 7 == 0 ? 0xA0 + i % 90 : 'a' + i % 26);
    EXPECT_EQ(RoundTrip(binaryish, 5), QString::fromLatin1(binaryish));
}

// Bytes of 0x80..0x9F are Windows-1252 characters: the symbol says so (ECI 23)
// and the reader takes them back; Latin-1 alone keeps ECI 3, ASCII none.
TEST(PDF417Test, EightBitBytesCarryTheirCodePage)
{
    // The 27 characters of 0x80..0x9F by their byte, and all of them as bytes.
    QChar high[32];
    QByteArray bytes;
    for (char16_t u = 0x100; u < 0x2200; ++u)
        if (const int b = KVRCodePage::AnsiByte(u); b >= 0x80 && b < 0xA0) {
            high[b - 0x80] = QChar(u);
            bytes += char(b);
        }
    ASSERT_EQ(bytes.size(), 27);
    auto decoded = [&](const QByteArray& v) {
        QString s;
        for (const char c : v)
            s += uint8_t(c) >= 0x80 && uint8_t(c) < 0xA0 ? high[uint8_t(c) - 0x80] : QChar(uint8_t(c));
        return s;
    };
    for (int n = 1; n <= bytes.size(); n += 5) {
        SCOPED_TRACE(n);
        const QByteArray part = "Price " + bytes.left(n) + " \xE9t\xE9 each";
        EXPECT_EQ(RoundTrip(part, 2), decoded(part));
    }
    const struct
    {
        QByteArray value;
        std::vector<uint16_t> start;  // codewords after the length descriptor
    } marks[] = {
        {"plain", {}},
        {"caf\xE9", {927, 3}},
        {"5 \x80", {927, 23}},
    };
    for (const auto& m : marks) {
        const TPdf417Symbol s = Encoded(m.value, 2);
        const bool marked = s.CodeWords.size() > 2 && s.CodeWords[1] == 927;
        EXPECT_EQ(marked, !m.start.empty()) << m.value.toHex().toStdString();
        if (marked) {
            EXPECT_EQ(s.CodeWords[2], m.start[1]) << m.value.toHex().toStdString();
        }
    }
}

TEST(PDF417Test, ColumnsAndRowsFollowTheSettings)
{
    const QByteArray value = "Columns and rows as the element asks for them";
    const TPdf417Symbol three = Encoded(value, 2, 3);
    EXPECT_EQ(three.Columns, 3);
    EXPECT_EQ(RoundTrip(value, 2, 3), QString::fromLatin1(value));
    const TPdf417Symbol tall = Encoded(value, 2, 0, 20);
    EXPECT_EQ(tall.Rows, 20);
    EXPECT_EQ(RoundTrip(value, 2, 0, 20), QString::fromLatin1(value));
    const TPdf417Symbol both = Encoded(value, 2, 10, 6);
    EXPECT_EQ(both.Columns, 10);
    EXPECT_EQ(both.Rows, 6);
    EXPECT_EQ(RoundTrip(value, 2, 10, 6), QString::fromLatin1(value));

    uint16_t columns = 9;
    uint16_t rows = 9;
    EXPECT_TRUE(TPDF417::AdjustSize(columns, rows, 8, 10, 0, 1));  // rows below 3 count as 3
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(columns, 6);
    EXPECT_TRUE(TPDF417::AdjustSize(columns, rows, 8, 10, 45, 0));  // columns above 30 count as 30
    EXPECT_EQ(columns, 30);
    EXPECT_EQ(rows, 3);
    EXPECT_FALSE(TPDF417::AdjustSize(columns, rows, 8, 100, 5, 5));  // a fixed grid too small
    EXPECT_EQ(columns, 0);
    EXPECT_EQ(rows, 0);
    EXPECT_FALSE(TPDF417::AdjustSize(columns, rows, 8, 100, 30, 90));  // 2700 codewords are beyond the standard
    EXPECT_FALSE(TPDF417::AdjustSize(columns, rows, 7, 100, 0, 0));    // not an error-correction count
    for (int used = 1; used + 2 <= TPDF417::MaxCodeWords; used += 37) {
        ASSERT_TRUE(TPDF417::AdjustSize(columns, rows, 2, used, 0, 0)) << used;
        EXPECT_GE(columns * rows, used + 2);
        EXPECT_LE(columns * rows, TPDF417::MaxCodeWords);
    }
}

TEST(PDF417Test, ValuesBeyondCapacityFail)
{
    std::vector<uint16_t> words(2701, 7);
    // 2710 digits are the most any symbol holds (level 0).
    const QByteArray most(2710, '8');
    ASSERT_TRUE(TPDF417::Encode(words, most));
    EXPECT_EQ(TPDF417::fUsedCWords, 926);
    EXPECT_EQ(words[926], TPDF417::PadCodeWord);
    EXPECT_EQ(words[2700], TPDF417::PadCodeWord);
    EXPECT_EQ(RoundTrip(most, 0), QString::fromLatin1(most));

    EXPECT_FALSE(TPDF417::Encode(words, most + '8'));
    EXPECT_EQ(TPDF417::fUsedCWords, 0);
    EXPECT_EQ(words[1], TPDF417::PadCodeWord);  // nothing of the value is left behind
    EXPECT_FALSE(TPDF417::Encode(words, QByteArray(1200, char(0xF1))));
    EXPECT_FALSE(TPDF417::Encode(words, QByteArray()));
    std::vector<uint16_t> tiny(4);
    EXPECT_FALSE(TPDF417::Encode(tiny, "far too long for four codewords"));

    // Fits at level 0 but not with 512 error-correction codewords.
    TPdf417Symbol s = Encoded("previous", 2);
    ASSERT_FALSE(s.CodeWords.empty());
    const QByteArray text(900, 'A');
    EXPECT_TRUE(TPDF417::EncodeSymbol(text, 0, 0, 0, s));
    EXPECT_FALSE(TPDF417::EncodeSymbol(text, 8, 0, 0, s));
    EXPECT_TRUE(s.CodeWords.empty());
    EXPECT_EQ(s.Columns, 0);
    EXPECT_EQ(s.Rows, 0);
}

TEST(PDF417Test, UsedCountBelongsToTheEncodingThread)
{
    // Print encodes on its own thread while the screen lays out: neither may
    // see the other's count between Encode and AdjustSize.
    std::vector<uint16_t> words(2701);
    ASSERT_TRUE(TPDF417::Encode(words, "short"));
    const int32_t mine = TPDF417::fUsedCWords;
    int32_t theirs = 0;
    std::thread other([&theirs] {
        std::vector<uint16_t> w(2701);
        if (TPDF417::Encode(w, QByteArray(300, 'x')))
            theirs = TPDF417::fUsedCWords;
    });
    other.join();
    EXPECT_EQ(theirs, 152);  // latch to lower case, 300 letters, pad, length descriptor
    EXPECT_EQ(TPDF417::fUsedCWords, mine);
}

// The painters index the cluster tables by row and codeword only through
// GetPattern, which refuses what is no codeword; the error correction refuses
// counts and values the standard does not allow and leaves the array alone.
TEST(PDF417Test, LookupsAndErrorCorrectionGuardTheirRanges)
{
    EXPECT_EQ(TPDF417::GetPattern(5, 928), &PDF417_C[928]);
    EXPECT_EQ(TPDF417::GetPattern(0, 929), nullptr);
    EXPECT_EQ(TPDF417::GetPattern(0, -1), nullptr);
    EXPECT_EQ(TPDF417::GetPattern(-1, 0), nullptr);
    // The first and last entries of the data file, in clusters 0 and 6.
    EXPECT_EQ(PDF417_A[0], (TPdf417Widths{3, 1, 1, 1, 1, 1, 3, 6}));
    EXPECT_EQ(PDF417_C[928], (TPdf417Widths{3, 3, 6, 1, 1, 1, 1, 1}));
    EXPECT_EQ(TPDF417::GetCorrecLevel(200), 8);

    std::vector<uint16_t> words = {5, 1, 2, 3, 929, 0, 0, 0, 0};
    const std::vector<uint16_t> before = words;
    EXPECT_FALSE(TPDF417::CalculateECC(words, 5, 4));  // 929 is no codeword
    EXPECT_FALSE(TPDF417::CalculateECC(words, 4, 8));  // past the end of the array
    EXPECT_FALSE(TPDF417::CalculateECC(words, 4, 3));  // not a power of two
    EXPECT_FALSE(TPDF417::CalculateECC(words, 0, 2));
    EXPECT_EQ(words, before);
    words[4] = 0;
    ASSERT_TRUE(TPDF417::CalculateECC(words, 5, 4));
    EXPECT_TRUE(SyndromesVanish(words, 4));
}
