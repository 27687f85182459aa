#include "platform/rtl/codes/KVR.CodePage.h"
#include "platform/rtl/codes/KVR.DataMatrix.h"
#include "platform/rtl/model/TKVRBaseDataMatrix.h"
#include "tests/rtl/codes/SymbolTestSupport.h"
#include "tests/support/BarcodeReader.h"
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {
// The modules painted as the element lays them out (byte at row x columns +
// column, 1 = dark), 5 pixels a module.
QImage PaintModules(const std::vector<uint8_t>& modules, int columns, int rows)
{
    TKVRSymbolLayout layout;
    EXPECT_TRUE(TKVRBaseDataMatrix::BuildLayout(modules, uint16_t(columns), uint16_t(rows), layout));
    return PaintLayout(layout, 5, 1, 3);
}

struct TEncoded
{
    bool Ok = false;
    std::vector<uint8_t> Modules;
    uint16_t Columns = 0;
    uint16_t Rows = 0;
};

TEncoded Encode(const QByteArray& data, int32_t size = 0, int32_t shape = 0)
{
    TEncoded e;
    e.Ok = CalcECC200(data, size, shape, e.Modules, e.Columns, e.Rows);
    return e;
}

QString Decode(const TEncoded& e)
{
    const DecodedSymbol symbol = DecodeOne(PaintModules(e.Modules, e.Columns, e.Rows));
    EXPECT_EQ(symbol.format, QStringLiteral("DataMatrix"));
    return symbol.text;
}

// The finder of ECC 200: left column and bottom row dark, the top row and right
// column alternating. It only holds when the bytes are read row by row.
void ExpectFinder(const TEncoded& e)
{
    const int cols = e.Columns;
    const int rows = e.Rows;
    for (int r = 0; r < rows; ++r)
        ASSERT_EQ(e.Modules[static_cast<size_t>(r) * cols], 1) << "left column, row " << r;
    for (int c = 0; c < cols; ++c) {
        ASSERT_EQ(e.Modules[static_cast<size_t>(rows - 1) * cols + c], 1) << "bottom row, column " << c;
        ASSERT_EQ(e.Modules[static_cast<size_t>(c)], c % 2 == 0 ? 1 : 0) << "top row, column " << c;
    }
}
}

TEST(DataMatrixTest, ShortAndLongValuesDecode)
{
    const TEncoded small = Encode("KVR-2024");
    ASSERT_TRUE(small.Ok);
    EXPECT_EQ(small.Columns, small.Rows);  // shape 0: square
    EXPECT_EQ(small.Modules.size(), size_t(small.Columns) * small.Rows);
    for (const uint8_t m : small.Modules)
        ASSERT_LE(m, 1);
    ExpectFinder(small);
    EXPECT_EQ(Decode(small), QStringLiteral("KVR-2024"));

    QByteArray text;
    for (int i = 0; text.size() < 600; ++i)
        text += "Lot " + QByteArray::number(i) + ": Box/Carton #" + QByteArray::number(i * 37) + "; ";
    const TEncoded large = Encode(text);
    ASSERT_TRUE(large.Ok);
    EXPECT_GT(large.Columns, 52);  // big enough for several data regions
    ExpectFinder(large);
    EXPECT_EQ(Decode(large), QString::fromLatin1(text));
    if (const QString dir = qEnvironmentVariable("KVR_TEST_PNG_DIR"); !dir.isEmpty()) {
        PaintModules(small.Modules, small.Columns, small.Rows).save(QDir(dir).filePath("datamatrix_short.png"));
        PaintModules(large.Modules, large.Columns, large.Rows).save(QDir(dir).filePath("datamatrix_long.png"));
    }
}

// 8-bit bytes are characters of the system's code page, Windows-1252; the
// symbol says so, and the reader takes each one back.
TEST(DataMatrixTest, EightBitCharactersCarryTheirCodePage)
{
    const QString text = QString::fromUtf8("Gr\u00f6\u00dfe 5 \u00b5m \u00b1 0,1 \u2014 \u00a9 K\u00f6ln \u20ac");
    QByteArray bytes;
    ASSERT_TRUE(KVRCodePage::ToAnsi(text, bytes));
    const TEncoded e = Encode(bytes);
    ASSERT_TRUE(e.Ok);
    EXPECT_EQ(Decode(e), text);

    // Every character of the code page beyond ASCII, in byte order.
    QString all;
    std::vector<uint8_t> raw;
    for (int b = 0x80; b <= 0xFF; ++b)
        for (char16_t u = 0x80; u < 0x2200; ++u)
            if (KVRCodePage::AnsiByte(u) == b) {
                all += QChar(u);
                raw.push_back(static_cast<uint8_t>(b));
            }
    ASSERT_EQ(all.size(), 27 + 96);
    TEncoded r;
    r.Ok = CalcECC200(raw, 0, 0, r.Modules, r.Columns, r.Rows);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(Decode(r), all);
    // Latin-1 alone reads back the same way.
    const TEncoded latin1 = Encode("\xC0\xC9\xCE\xD5\xDC \xB5m \xB1 \xB0" "C");
    EXPECT_EQ(Decode(latin1), QStringLiteral("\u00C0\u00C9\u00CE\u00D5\u00DC \u00B5m \u00B1 \u00B0C"));
}

TEST(DataMatrixTest, SizeAndShapeChooseTheSymbol)
{
    const TEncoded fixed = Encode("AB", 25);  // 8 x 18
    ASSERT_TRUE(fixed.Ok);
    EXPECT_EQ(fixed.Rows, 8);
    EXPECT_EQ(fixed.Columns, 18);
    EXPECT_EQ(Decode(fixed), QStringLiteral("AB"));

    const TEncoded square = Encode("ABCDEF", 0, 0);
    ASSERT_TRUE(square.Ok);
    EXPECT_EQ(square.Columns, square.Rows);
    const TEncoded any = Encode("ABCDEF", 0, 1);
    ASSERT_TRUE(any.Ok);
    EXPECT_LE(int(any.Columns) * any.Rows, int(square.Columns) * square.Rows);

    EXPECT_FALSE(Encode("AB", 31).Ok);  // no such size
    EXPECT_FALSE(Encode("AB", -1).Ok);
    EXPECT_FALSE(Encode(QByteArray(40, 'x'), 1).Ok);  // 10 x 10 holds 3 characters
}

TEST(DataMatrixTest, TooLongOrEmptyFailsWithNothingLeft)
{
    std::vector<uint8_t> modules(5, 1);
    uint16_t columns = 7;
    uint16_t rows = 7;
    // 144 x 144 holds 1556 bytes of 8-bit data.
    EXPECT_FALSE(CalcECC200(QByteArray(1600, char(0xE9)), 0, 0, modules, columns, rows));
    EXPECT_TRUE(modules.empty());
    EXPECT_EQ(columns, 0);
    EXPECT_EQ(rows, 0);
    EXPECT_FALSE(CalcECC200(QByteArray(), 0, 0, modules, columns, rows));
    EXPECT_TRUE(modules.empty());

    // 3116 digits are the most a symbol holds.
    const QByteArray digits(3116, '5');
    TEncoded most;
    most.Ok = CalcECC200(digits, 0, 0, most.Modules, most.Columns, most.Rows);
    ASSERT_TRUE(most.Ok);
    EXPECT_EQ(most.Columns, 144);
    EXPECT_EQ(Decode(most), QString::fromLatin1(digits));
    EXPECT_FALSE(CalcECC200(digits + '5', 0, 0, modules, columns, rows));
}
