// What the code elements put into their symbols, read back by ZXing on the
// screen and on paper: check characters, 8-bit text with its ECI, values
// that do not encode.
#include "elements/TKVRBarcode.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRQRCode.h"
#include "platform/rtl/codes/KVR.Code39.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/support/BarcodeReader.h"
#include "tests/support/ImageProbes.h"
#include <gtest/gtest.h>

using namespace kvrtest;

namespace {

TKVRBarcode* MakeBarcode(TKVRBaseLabel& label, const QString& code, TKVRBarType type, bool checksum)
{
    auto* b = new TKVRBarcode(&label, false);
    b->SetCode(code);
    b->SetCodeType(type);
    b->SetChecksum(checksum);
    b->SetBarWidth(0.25f);
    b->CalcValues(1);
    return b;
}

template <class T>
T* MakeSymbol(TKVRBaseLabel& label, const QString& code)
{
    auto* s = new T(&label, false);
    s->SetCode(code);
    s->CalcValues(1);
    return s;
}

// ZXing finds a matrix symbol from the middle of the picture: the symbol is
// cut out with a quiet zone first.
QString ReadSymbol(const QImage& image, const DecodeOptions& options = {})
{
    const QRect ink = InkBounds(image);
    if (ink.isEmpty())
        return {};
    return DecodeOne(image.copy(ink.adjusted(-24, -24, 24, 24)), options).text;
}

// Point 1 in the middle of a surface that holds the element; both paintings.
TTwin Painted(TKVRBaseItem& item)
{
    const int side = Centre(item);
    return Twins(item, side, side);
}

}  // namespace

// Full-ASCII Code 39 with the check option carries its check character on
// screen and paper: a reader that verifies it reads the value. So does
// Code 39 whose check character is a space.
TEST(CodeCharacters, Code39CheckCharacterVerifiedOnScreenAndPaper)
{
    struct Case
    {
        QString value;
        TKVRBarType type;
    };
    std::vector<Case> cases = {
        {QStringLiteral("Code 39, full ASCII!"), TKVRBarType::Code39Ext},
        {QStringLiteral("-11"), TKVRBarType::Code39},
        {QStringLiteral("Z3"), TKVRBarType::Code39},
    };
    // Full-ASCII values whose check character is a shift character or a space.
    for (const char check : QByteArray("+/ ")) {
        for (char c = 'a'; c <= 'z'; ++c) {
            const QByteArray v = QByteArray("lot ") + c;
            if (KVRCode39::CheckChar(KVRCode39::FullAscii(v)) == check) {
                cases.push_back({QString::fromLatin1(v), TKVRBarType::Code39Ext});
                break;
            }
        }
    }
    ASSERT_EQ(cases.size(), 6u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        TKVRBaseLabel label;
        TKVRBarcode* b = MakeBarcode(label, c.value, c.type, true);
        ASSERT_TRUE(b->GetValid());
        EXPECT_EQ(b->GetCodeText().size(), c.value.size() + 1) << "the check character shows";
        const TTwin t = Painted(*b);
        const QString name = QStringLiteral("code39_check_%1_%2").arg(int(c.type)).arg(int(b->GetCodeText().back()));
        ImageProbes::SaveForLooking(t.screen, name + "_screen.png");
        ImageProbes::SaveForLooking(t.paper, name + "_paper.png");
        const DecodeOptions verify{.code39FullAscii = c.type == TKVRBarType::Code39Ext, .code39CheckDigit = true};
        EXPECT_EQ(DecodeOne(t.screen, verify).text, c.value);
        EXPECT_EQ(DecodeOne(t.paper, verify).text, c.value);
        // Printing a data-bound copy validates and encodes the record's value the same way.
        b->SetFillType(1);
        b->SetFillName("code");
        label.SetDataValue("code", c.value);
        EXPECT_EQ(DecodeOne(Paper(*b, t.paper.width(), t.paper.height()), verify).text, c.value);
    }
}

// At their longest accepted lengths, with check characters that push the
// prepared value past the engine's limit, the values are invalid: the red
// cross on screen and nothing on paper. Without the check they still print.
TEST(CodeCharacters, LongestValuesWithChecksumAreInvalid)
{
    const struct
    {
        TKVRBarType type;
        QString value;
    } cases[] = {
        {TKVRBarType::Industrial25, QString(45, '4')},
        {TKVRBarType::MSI, QString(65, '4')},
        {TKVRBarType::Codabar, 'A' + QString(58, '4') + 'B'},
        {TKVRBarType::Code11, QString(120, '4')},
        {TKVRBarType::Code39, QString(85, 'K')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.type));
        TKVRBaseLabel label;
        TKVRBarcode* b = MakeBarcode(label, c.value, c.type, false);
        ASSERT_TRUE(b->GetValid());
        b->SetBarWidth(0.1f);
        b->SetBase(1, 2000, 2000);
        b->CalcValues(1);
        const int width = Px(double(b->GetBounds().Right) / 1000.0) + 40;
        EXPECT_GT(InkCount(Paper(*b, width, 300)), 1000);

        b->SetChecksum(true);
        b->CalcValues(1);
        EXPECT_FALSE(b->GetValid());
        const QImage screen = Screen(*b, width, 300);
        EXPECT_GT(RedCount(screen), 50);
        EXPECT_EQ(InkCount(Paper(*b, width, 300)), 0);
    }
}

// PDF417 and Data Matrix carry Windows-1252 text, marked so that readers take
// it back exactly.
TEST(CodeCharacters, EightBitTextReadsBackOnScreenAndPaper)
{
    const QString texts[] = {
        QStringLiteral("5 \u20AC"),
        QStringLiteral("a\u2013b"),
        QStringLiteral("\u201Cquoted\u201D"),
        QStringLiteral("\u00C0\u00C9\u00CE\u00D5\u00DC \u00B5m \u00B1 \u00B0C"),
        QStringLiteral("\u0160koda \u2122 \u2026 \u0152uvre \u00E9t\u00E9"),
    };
    int n = 0;
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        TKVRBaseLabel label;
        TKVRBase2DCode* symbols[] = {MakeSymbol<TKVRPDF417>(label, text), MakeSymbol<TKVRDataMatrix>(label, text)};
        for (TKVRBase2DCode* s : symbols) {
            ASSERT_TRUE(s->GetEncoded());
            const TTwin t = Painted(*s);
            ImageProbes::SaveForLooking(t.paper, QStringLiteral("eight_bit_%1.png").arg(n++));
            EXPECT_EQ(ReadSymbol(t.screen), text);
            EXPECT_EQ(ReadSymbol(t.paper), text);
        }
    }
}

// A leading byte-order mark is part of a QR value: it is encoded and read back.
TEST(CodeCharacters, QRKeepsALeadingByteOrderMark)
{
    for (const QString& value :
         {QChar(0xFEFF) + QStringLiteral("BOM first"), QChar(0xFEFF) + QStringLiteral("\u00E9t\u00E9 \U0001F600")}) {
        TKVRBaseLabel label;
        TKVRQRCode* q = MakeSymbol<TKVRQRCode>(label, value);
        ASSERT_TRUE(q->GetEncoded());
        const TTwin t = Painted(*q);
        EXPECT_EQ(ReadSymbol(t.screen), value);
        EXPECT_EQ(ReadSymbol(t.paper), value);
        // Saved and read again, the value keeps its mark too.
        auto* fromBinary = dynamic_cast<TKVRQRCode*>(ReadRecord(label, WriteBinary(*q), TKVRQRCode::Read));
        auto* fromJson = dynamic_cast<TKVRQRCode*>(TKVRQRCode::ReadFromJson(&label, KVRFileVersion, q->WriteJson()));
        ASSERT_TRUE(fromBinary && fromJson);
        EXPECT_EQ(fromBinary->GetCode(), value);
        EXPECT_EQ(fromJson->GetCode(), value);
    }
}
