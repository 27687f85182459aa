#define ZX_USE_UTF8 1
#include "platform/rtl/codes/KVR.Barcode.h"
#include "platform/rtl/codes/KVR.Code39.h"
#include "platform/rtl/KVR.Math.h"
#include "tests/support/BarcodeReader.h"
#include <QImage>
#include <gtest/gtest.h>
#include <zint.h>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kBarHeight = 80;
constexpr int kGuardExtra = 12;

// Paints a pattern as the painters lay it out, unturned, with quiet zones around it.
QImage Paint(const QByteArray& pattern, double module, double ratio)
{
    const int quiet = RoundHalfEven32(12 * module);
    const std::vector<TKVRBarElement> bars = TBarcode::LayOutPattern(pattern, module, ratio);
    const double total = bars.empty() ? 0.0 : bars.back().Right;
    QImage img(RoundHalfEven32(total) + 2 * quiet, kBarHeight + kGuardExtra + 2 * quiet, QImage::Format_Grayscale8);
    img.fill(255);
    for (const TKVRBarElement& e : bars) {
        int top = 0, bottom = 0;
        switch (e.Bar) {
        case TKVRDrawBar::Full: bottom = kBarHeight; break;
        case TKVRDrawBar::Short: top = kBarHeight - 2 * kBarHeight / 5; bottom = kBarHeight; break;
        case TKVRDrawBar::Guard: bottom = kBarHeight + kGuardExtra; break;
        default: break;
        }
        for (int px = RoundHalfEven32(e.Left); px < RoundHalfEven32(e.Right); ++px)
            for (int py = top; py < bottom; ++py)
                img.scanLine(quiet + py)[quiet + px] = 0;
    }
    return img;
}

// Expands a pattern into modules (1 bar, 0 space), wide elements as 'wide' modules.
std::vector<int> Modules(const QByteArray& pattern, int wide, std::vector<int>* kinds = nullptr)
{
    std::vector<int> m;
    for (const TKVRBarElement& e : TBarcode::LayOutPattern(pattern, 1, wide)) {
        for (int64_t i = RoundHalfEven(e.Right - e.Left); i > 0; --i) {
            m.push_back(e.Bar == TKVRDrawBar::Space ? 0 : 1);
            if (kinds)
                kinds->push_back(static_cast<int>(e.Bar));
        }
    }
    return m;
}

// zint's own rows for a value, read without our code; empty on failure.
std::vector<std::vector<int>> ZintRows(int symbology, int option2, const char* data)
{
    std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> s(ZBarcode_Create(), ZBarcode_Delete);
    s->symbology = symbology;
    s->option_2 = option2;
    if (ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(data), static_cast<int>(strlen(data))) != 0)
        return {};
    std::vector<std::vector<int>> rows(static_cast<size_t>(s->rows));
    for (int r = 0; r < s->rows; ++r)
        for (int c = 0; c < s->width; ++c)
            rows[r].push_back((s->encoded_data[r][c >> 3] >> (c & 7)) & 1);
    return rows;
}

struct Prepared
{
    QByteArray code, text, pattern;
};

Prepared Prepare(const QByteArray& value, TKVRBarType type, bool checksum, bool showNumber = true)
{
    Prepared p;
    TKVR128AutoType subset;
    p.code = TBarcode::PrepareBarcode(value, type, checksum, false, false, p.text, subset);
    p.pattern = TBarcode::FillBarPattern(p.code, type, subset, showNumber);
    return p;
}

}  // namespace

TEST(BarcodeEncoderTest, CheckCharactersTravelInThePreparedValue)
{
    // The prepared value carries the check character; encoding it again adds none.
    const Prepared c39 = Prepare("ABC-12", TKVRBarType::Code39, true);
    EXPECT_EQ(c39.code, QByteArray("ABC-12T"));
    EXPECT_EQ(c39.text, QByteArray("*ABC-12T*"));
    EXPECT_EQ(DecodeOne(Paint(c39.pattern, 3, 3)).text, QStringLiteral("ABC-12T"));

    const Prepared itf = Prepare("1234567", TKVRBarType::ITF, true);
    EXPECT_EQ(itf.code.size(), 8);
    EXPECT_TRUE(itf.code.startsWith("1234567"));
    EXPECT_EQ(DecodeOne(Paint(itf.pattern, 3, 3)).text, QString::fromLatin1(itf.code));

    const Prepared bar = Prepare("A40156B", TKVRBarType::Codabar, true);
    EXPECT_EQ(bar.code.size(), 8);
    EXPECT_EQ(DecodeOne(Paint(bar.pattern, 3, 3)).text, QString::fromLatin1(bar.code.mid(1, 6)));

    // EAN and UPC values given with their check digit prepare to themselves.
    EXPECT_EQ(Prepare("5901234123457", TKVRBarType::EAN13, false).code, QByteArray("5901234123457"));
    EXPECT_EQ(Prepare("12345678901231", TKVRBarType::ITF14, false).code, QByteArray("12345678901231"));
    // Code 128 keeps its control characters in the value; the text shows spaces.
    const Prepared c128 = Prepare("A\tB", TKVRBarType::Code128A, false);
    EXPECT_EQ(c128.code, QByteArray("A\tB"));
    EXPECT_EQ(c128.text, QByteArray("A B"));
}

TEST(BarcodeEncoderTest, UnreadableSymbologiesMatchTheEnginesModules)
{
    struct Case
    {
        TKVRBarType type;
        const char* value;
        bool checksum;
        int symbology, option2, wide;
    };
    // The value with our check option, against zint's encoding of the same value.
    const Case cases[] = {
        {TKVRBarType::Industrial25, "123456", false, BARCODE_C25IND, 0, 3},
        {TKVRBarType::Industrial25, "123456", true, BARCODE_C25IND, 1, 3},
        {TKVRBarType::Code11, "123-45", false, BARCODE_CODE11, 2, 2},
        {TKVRBarType::Code11, "123-45", true, BARCODE_CODE11, 0, 2},
        {TKVRBarType::MSI, "1234567", false, BARCODE_MSI_PLESSEY, 0, 2},
        {TKVRBarType::MSI, "1234567", true, BARCODE_MSI_PLESSEY, 1, 2},
        {TKVRBarType::Codabar, "A123B", true, BARCODE_CODABAR, 1, 2},
        {TKVRBarType::Code39, "ABC-12", true, BARCODE_CODE39, 1, 2},
        {TKVRBarType::ITF, "12345", true, BARCODE_C25INTER, 1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.value) + " as type " + std::to_string(static_cast<int>(c.type)));
        const Prepared p = Prepare(c.value, c.type, c.checksum);
        const auto zint = ZintRows(c.symbology, c.option2, c.value);
        ASSERT_EQ(zint.size(), 1u);
        EXPECT_EQ(Modules(p.pattern, c.wide), zint[0]);
        // The width follows the ratio: with zint's own wide element it is zint's width.
        EXPECT_EQ(TBarcode::BarCodeWidth(p.pattern, 1.0f, float(c.wide)), 1000 * int(zint[0].size()));
    }
}

TEST(BarcodeEncoderTest, PostnetHasShortBarsWhereTheEngineHasThem)
{
    const Prepared p = Prepare("12345", TKVRBarType::Postnet, false);
    std::vector<int> kinds;
    const auto modules = Modules(p.pattern, 1, &kinds);
    const auto zint = ZintRows(BARCODE_POSTNET, 0, "12345");
    ASSERT_EQ(zint.size(), 2u);  // tall parts on top, all bars below
    EXPECT_EQ(modules, zint[1]);
    int shortBars = 0;
    for (size_t i = 0; i < modules.size(); ++i) {
        if (!modules[i])
            continue;
        const int expected = zint[0][i] ? int(TKVRDrawBar::Full) : int(TKVRDrawBar::Short);
        EXPECT_EQ(kinds[i], expected) << "module " << i;
        shortBars += kinds[i] == int(TKVRDrawBar::Short);
    }
    // Five digits and the check digit: three short bars each.
    EXPECT_EQ(shortBars, 18);
}

TEST(BarcodeEncoderTest, InvalidValuesAreRefused)
{
    struct Case
    {
        TKVRBarType type;
        QByteArray value;
        bool checksum;
        const char* why;
    };
    const Case cases[] = {
        {TKVRBarType::EAN13, "5901234123458", false, "a wrong check digit"},
        {TKVRBarType::EAN13, "12345", false, "too short: the engine would make an add-on"},
        {TKVRBarType::EAN8, "123456", false, "too short: the engine would pad it"},
        {TKVRBarType::Code128, "", false, "empty"},
        {TKVRBarType::UPCE, "2123456", false, "number system 2: the engine would change it"},
        {TKVRBarType::UPCE, "123456", false, "no number system: the engine would add one"},
        {TKVRBarType::Code39, "abc", false, "lower case: the engine would upper-case it"},
        {TKVRBarType::Code93, "a", false, "outside the Code 93 set"},
        {TKVRBarType::Codabar, "123", false, "no start and stop characters"},
        {TKVRBarType::Code128, "caf\xE9", false, "8-bit character in a 7-bit set"},
        {TKVRBarType::Code128A, "abc", false, "lower case is not in code set A"},
        {TKVRBarType::Code128C, "123", false, "odd digit count in code set C"},
        {TKVRBarType::GS1_128, "(01)09501101530004", false, "bad check digit in an AI"},
        {TKVRBarType::ITF, "12345", false, "odd count: the engine would put a 0 in front"},
        {TKVRBarType::ITF, "123456", true, "odd count with its check digit"},
        {TKVRBarType::ITF14, "12345678901234", false, "wrong check digit"},
        {TKVRBarType::Postnet, "1234", false, "not 5, 9 or 11 digits"},
        {static_cast<TKVRBarType>(23), "123", false, "unknown type"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(TBarcode::IsValidCode(c.value, c.type, c.checksum, false)) << c.why;
        QByteArray text = "x";
        TKVR128AutoType subset;
        EXPECT_TRUE(TBarcode::PrepareBarcode(c.value, c.type, c.checksum, false, false, text, subset).isEmpty()) << c.why;
        EXPECT_TRUE(text.isEmpty()) << c.why;
        if (!c.checksum) {  // a pattern is made of a prepared value, with no check option
            EXPECT_TRUE(TBarcode::FillBarPattern(c.value, c.type, TKVR128AutoType::Auto, true).isEmpty()) << c.why;
        }
    }
    // Text: a character beyond Latin-1 never becomes '?'.
    EXPECT_FALSE(TBarcode::IsValidCode(QStringLiteral("AB\u20AC"), TKVRBarType::Code128, false, false));
    EXPECT_FALSE(TBarcode::IsValidCode(QStringLiteral("A\u0100"), TKVRBarType::Code39Ext, false, false));
    EXPECT_FALSE(TBarcode::IsValidCode(QString(), TKVRBarType::Code128, false, false));
    EXPECT_TRUE(TBarcode::IsValidCode(QStringLiteral("AB?"), TKVRBarType::Code128, false, false));
}

TEST(BarcodeEncoderTest, KeysFollowTheCharacterSetOfEachType)
{
    const struct
    {
        TKVRBarType type;
        char16_t key;
        bool taken;
    } keys[] = {
        {TKVRBarType::EAN13, 'A', false},     {TKVRBarType::Code39, '%', true},    {TKVRBarType::Code39, 'a', false},
        {TKVRBarType::Code39Ext, '\t', true}, {TKVRBarType::Code39Ext, 0xE9, false}, {TKVRBarType::Codabar, 'E', false},
        {TKVRBarType::Code128A, 0x1F, true},  {TKVRBarType::Code128B, '\n', false}, {TKVRBarType::GS1_128C, '(', true},
        {TKVRBarType(23), '1', false},        {TKVRBarType::Code128, 0x20AC, false},
    };
    for (const auto& k : keys)
        EXPECT_EQ(TBarcode::IsValidKey(k.type, QChar(k.key)), k.taken) << int(k.type) << " " << int(k.key);
    // The exported sets hold what the symbologies define, nothing more.
    int n39 = 0, nCodabar = 0, n11 = 0;
    for (int c = 0; c < 256; ++c) {
        n39 += ValidFullCode39.Contains(uint8_t(c));
        nCodabar += ValidCodabar.Contains(uint8_t(c));
        n11 += ValidCode11.Contains(uint8_t(c));
    }
    EXPECT_EQ(n39, 43);
    EXPECT_EQ(nCodabar, 20);
    EXPECT_EQ(n11, 11);
}

TEST(BarcodeEncoderTest, PatternCharactersDecode)
{
    // Narrow bar, narrow space, wide bar at M = 2 and ratio 2.5: edges 0-2, 4-9.
    QByteArray p;
    p += TBarcode::BarChar(TKVRDrawWidth::Module, TKVRDrawBar::Full);
    p += TBarcode::BarChar(TKVRDrawWidth::Module, TKVRDrawBar::Space);
    p += TBarcode::BarChar(TKVRDrawWidth::Ratio, TKVRDrawBar::Full);
    EXPECT_EQ(TBarcode::BarCodeWidth(p, 2.0f, 2.5f), 9000);
    // A width class beyond 1.5M repeats the previous width.
    p += TBarcode::BarChar(static_cast<TKVRDrawWidth>(9), TKVRDrawBar::Space);
    EXPECT_EQ(TBarcode::BarCodeWidth(p, 2.0f, 2.5f), 14000);
    for (int w = 0; w < 6; ++w)
        for (int b = 0; b < 4; ++b) {
            TKVRDrawWidth width;
            TKVRDrawBar bar;
            TBarcode::FillBarData(TBarcode::BarChar(TKVRDrawWidth(w), TKVRDrawBar(b)), width, bar);
            EXPECT_EQ(int(width), w);
            EXPECT_EQ(int(bar), b);
        }
    // Any byte decodes to something: high kinds are spaces.
    TKVRDrawWidth width;
    TKVRDrawBar bar;
    TBarcode::FillBarData('\xFF', width, bar);
    EXPECT_EQ(bar, TKVRDrawBar::Space);
}

TEST(BarcodeEncoderTest, GuardBarsOnlyWithTheNumber)
{
    auto countGuards = [](const QByteArray& pattern) {
        int n = 0;
        for (char c : pattern) {
            TKVRDrawWidth w;
            TKVRDrawBar b;
            TBarcode::FillBarData(c, w, b);
            n += b == TKVRDrawBar::Guard;
        }
        return n;
    };
    EXPECT_EQ(countGuards(Prepare("590123412345", TKVRBarType::EAN13, false).pattern), 6);
    EXPECT_EQ(countGuards(Prepare("590123412345", TKVRBarType::EAN13, false, false).pattern), 0);
    EXPECT_EQ(countGuards(Prepare("9638507", TKVRBarType::EAN8, false).pattern), 6);
    // UPC-A also lengthens the bars of its first and last digits.
    EXPECT_EQ(countGuards(Prepare("03600029145", TKVRBarType::UPCA, false).pattern), 10);
    EXPECT_EQ(countGuards(Prepare("0123456", TKVRBarType::UPCE, false).pattern), 5);
    EXPECT_EQ(countGuards(Prepare("HELLO", TKVRBarType::Code128, false).pattern), 0);
    // Bars are 95 modules in either case.
    EXPECT_EQ(TBarcode::BarCodeWidth(Prepare("590123412345", TKVRBarType::EAN13, false).pattern, 0.33f, 2.0f),
              95 * 330);
}

TEST(BarcodeEncoderTest, DigitGroupPositionsAreTheCentresOfTheGroups)
{
    const float m = 3.0f;
    // The centres of the two six-digit groups between the guard bars.
    float c1 = 0, c2 = 0;
    TBarcode::Ean13Pos(Prepare("590123412345", TKVRBarType::EAN13, false).pattern, m, 2.0f, c1, c2);
    EXPECT_FLOAT_EQ(c1, 24 * m);  // middle of modules 3 to 45
    EXPECT_FLOAT_EQ(c2, 71 * m);  // middle of modules 50 to 92

    // The same positions without guard bars, and they scale with the module.
    float d1 = 0, d2 = 0;
    TBarcode::Ean13Pos(Prepare("590123412345", TKVRBarType::EAN13, false, false).pattern, 2 * m, 2.0f, d1, d2);
    EXPECT_FLOAT_EQ(d1, 2 * c1);
    EXPECT_FLOAT_EQ(d2, 2 * c2);

    TBarcode::Ean8Pos(Prepare("9638507", TKVRBarType::EAN8, false).pattern, m, 2.0f, c1, c2);
    EXPECT_FLOAT_EQ(c1, 17 * m);
    EXPECT_FLOAT_EQ(c2, 50 * m);
    float c3 = 0;
    TBarcode::UPCAPos(Prepare("03600029145", TKVRBarType::UPCA, false).pattern, m, 2.0f, c1, c2, c3);
    EXPECT_FLOAT_EQ(c1, 27.5f * m);
    EXPECT_FLOAT_EQ(c2, 67.5f * m);
    EXPECT_FLOAT_EQ(c3, 96 * m);  // one module right of the last bar
    TBarcode::UPCEPos(Prepare("0123456", TKVRBarType::UPCE, false).pattern, m, 2.0f, c1, c2);
    EXPECT_FLOAT_EQ(c1, 24 * m);
    EXPECT_FLOAT_EQ(c2, 52 * m);
}

TEST(BarcodeEncoderTest, RemoveAccentedKeepsTheBaseLetters)
{
    EXPECT_EQ(TBarcode::RemoveAccented(QStringLiteral("\u00D1and\u00FA \u00C7ava \u00D8re \u0141\u00F3d\u017A")),
              QStringLiteral("Nandu Cava Ore Lodz"));
    EXPECT_EQ(TBarcode::RemoveAccented(QStringLiteral("Stra\u00DFe 12-A")), QStringLiteral("Stra\u00DFe 12-A"));
    EXPECT_EQ(TBarcode::RemoveAccented(QString()), QString());
}

// Full-ASCII Code 39 with the check option ends in its modulo 43 check
// character, even where that is a shift character or a space: a reader that
// verifies it takes the value back.
TEST(BarcodeEncoderTest, FullAsciiCode39CarriesItsCheckCharacter)
{
    const DecodeOptions verify{.code39FullAscii = true, .code39CheckDigit = true};
    std::vector<QByteArray> values = {"Code 39, full ASCII!", "tab\there", "lower case"};
    // Values whose check character is each of the awkward ones.
    for (const char check : QByteArray("$%/+ -.")) {
        for (int c = 32; c < 127; ++c) {
            const QByteArray v = QByteArray("Lot ") + char(c);
            if (KVRCode39::CheckChar(KVRCode39::FullAscii(v)) == check) {
                values.push_back(v);
                break;
            }
        }
    }
    ASSERT_EQ(values.size(), 10u);
    for (const QByteArray& v : values) {
        SCOPED_TRACE(v.toStdString());
        ASSERT_TRUE(TBarcode::IsValidCode(v, TKVRBarType::Code39Ext, true, false));
        const Prepared p = Prepare(v, TKVRBarType::Code39Ext, true);
        ASSERT_EQ(p.code.size(), v.size() + 1);
        EXPECT_TRUE(p.code.startsWith(v));
        EXPECT_EQ(p.text.right(1), p.code.right(1)) << "the text shows the check character";
        EXPECT_EQ(DecodeOne(Paint(p.pattern, 3, 3), verify).text, QString::fromLatin1(v));
        // Without the option the same value carries no check character.
        const Prepared plain = Prepare(v, TKVRBarType::Code39Ext, false);
        EXPECT_EQ(plain.code, v);
        EXPECT_EQ(DecodeOne(Paint(plain.pattern, 3, 3), verify).text, QString()) << "no check character to verify";
    }
    // A prepared value whose last character is not its check character encodes nothing.
    QByteArray wrong = Prepare("abc", TKVRBarType::Code39Ext, true).code;
    wrong.back() = wrong.back() == 'A' ? 'B' : 'A';
    EXPECT_TRUE(TBarcode::FillBarPattern(wrong, TKVRBarType::Code39Ext, KVRCode39CheckedSubset, true).isEmpty());
}

// A check character that is a space stays a space: Code 39 has no "_".
TEST(BarcodeEncoderTest, Code39SpaceCheckCharacterReads)
{
    for (const QByteArray& v : {QByteArray("-11"), QByteArray("Z3")}) {
        SCOPED_TRACE(v.toStdString());
        const Prepared p = Prepare(v, TKVRBarType::Code39, true);
        EXPECT_EQ(p.code, v + ' ');
        EXPECT_EQ(p.text, '*' + v + " *");
        ASSERT_FALSE(p.pattern.isEmpty());
        EXPECT_EQ(DecodeOne(Paint(p.pattern, 3, 3), {.code39CheckDigit = true}).text, QString::fromLatin1(v));
        EXPECT_EQ(DecodeOne(Paint(p.pattern, 3, 3)).text, QString::fromLatin1(v + ' '));
    }
}

// At and around the engine's length limits, a value is valid exactly when its
// prepared form, check characters included, makes bars, and those bars are
// the engine's own encoding of the value with its check characters.
TEST(BarcodeEncoderTest, LongestValuesEncodeOrAreInvalid)
{
    struct Case
    {
        TKVRBarType type;
        int longest;  // the engine's limit for the value alone
        char fill;
        int symbology, option2Check, wide;
    };
    const Case cases[] = {
        {TKVRBarType::Industrial25, 45, '7', BARCODE_C25IND, 1, 3},
        {TKVRBarType::MSI, 65, '7', BARCODE_MSI_PLESSEY, 1, 2},
        {TKVRBarType::Codabar, 60, '7', BARCODE_CODABAR, 1, 2},
        {TKVRBarType::Code11, 121, '7', BARCODE_CODE11, 0, 2},
        {TKVRBarType::Code39, 85, 'K', BARCODE_CODE39, 1, 2},
    };
    for (const Case& c : cases) {
        for (int len = c.longest - 3; len <= c.longest + 1; ++len) {
            QByteArray v(len, c.fill);
            if (c.type == TKVRBarType::Codabar)
                v = 'A' + v.mid(2) + 'B';  // start and stop characters count
            for (const bool checksum : {false, true}) {
                SCOPED_TRACE(std::to_string(int(c.type)) + " length " + std::to_string(len) +
                             (checksum ? " with" : " without") + " check");
                const bool valid = TBarcode::IsValidCode(v, c.type, checksum, false);
                const Prepared p = Prepare(v, c.type, checksum);
                EXPECT_EQ(valid, !p.code.isEmpty());
                EXPECT_EQ(valid, !p.pattern.isEmpty()) << "valid, yet no bars";
                if (!checksum) {
                    EXPECT_EQ(valid, len <= c.longest);
                }
                if (!valid)
                    continue;
                const auto zint = ZintRows(c.symbology, checksum ? c.option2Check : (c.type == TKVRBarType::Code11 ? 2 : 0),
                                           v.constData());
                ASSERT_EQ(zint.size(), 1u);
                EXPECT_EQ(Modules(p.pattern, c.wide), zint[0]);
            }
        }
    }
    // The symbologies ZXing reads decode at their longest valid length.
    for (const auto& [type, fill] : {std::pair{TKVRBarType::Code39, 'K'}, {TKVRBarType::Codabar, '7'}}) {
        for (int len = 90; len > 0; --len) {
            QByteArray v(len, fill);
            if (type == TKVRBarType::Codabar)
                v = 'A' + v.mid(2) + 'B';
            if (!TBarcode::IsValidCode(v, type, true, false))
                continue;
            const Prepared p = Prepare(v, type, true);
            const QString read = DecodeOne(Paint(p.pattern, 2, 3), {.code39CheckDigit = true}).text;
            EXPECT_EQ(read, QString::fromLatin1(type == TKVRBarType::Codabar ? p.code.mid(1, p.code.size() - 2) : v))
                << int(type) << " at length " << len;
            break;
        }
    }
}
