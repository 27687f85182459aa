#include "platform/rtl/codes/KVR.Code39.h"
#include "platform/rtl/codes/KVR.CodePage.h"
#include <gtest/gtest.h>
#include <iconv.h>
#include <zint.h>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// The Windows-1252 byte of a character as the C library converts it, or -1.
int LibraryAnsiByte(iconv_t cd, char16_t c)
{
    char16_t in[1] = {c};
    char out[4] = {};
    char* inp = reinterpret_cast<char*>(in);
    char* outp = out;
    size_t inLeft = sizeof in, outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == size_t(-1) || outp - out != 1)
        return -1;
    return static_cast<uint8_t>(out[0]);
}

// zint's rows for a value, read without our code; empty on failure.
std::vector<std::vector<int>> ZintRows(int symbology, int option2, const QByteArray& data, QByteArray* text = nullptr)
{
    std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> s(ZBarcode_Create(), ZBarcode_Delete);
    s->symbology = symbology;
    s->option_2 = option2;
    s->input_mode = DATA_MODE;
    if (ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(data.constData()), int(data.size())) != 0)
        return {};
    if (text)
        *text = QByteArray(reinterpret_cast<const char*>(s->text));
    std::vector<std::vector<int>> rows(size_t(s->rows));
    for (int r = 0; r < s->rows; ++r)
        for (int c = 0; c < s->width; ++c)
            rows[r].push_back((s->encoded_data[r][c >> 3] >> (c & 7)) & 1);
    return rows;
}

}  // namespace

// Every character of the basic plane gets the byte the C library's Windows-1252
// gives it, or none where the library has none.
TEST(CodePage, EveryCharacterAsTheCLibraryConvertsIt)
{
    iconv_t cd = iconv_open("WINDOWS-1252", "UTF-16LE");
    ASSERT_NE(cd, iconv_t(-1));
    int mapped = 0;
    for (int c = 1; c < 0x10000; ++c) {
        const int ours = KVRCodePage::AnsiByte(char16_t(c));
        ASSERT_EQ(ours, LibraryAnsiByte(cd, char16_t(c))) << std::hex << c;
        mapped += ours >= 0;
    }
    iconv_close(cd);
    EXPECT_EQ(mapped, 250) << "251 characters with NUL, five bytes stand for nothing";

    QByteArray bytes = "x";
    EXPECT_TRUE(KVRCodePage::ToAnsi(QStringLiteral("5 \u20AC, a\u2013b, \u201Cquoted\u201D"), bytes));
    EXPECT_EQ(bytes, QByteArray("5 \x80, a\x96" "b, \x93quoted\x94"));
    for (const QString& refused : {QStringLiteral("\u0100"), QStringLiteral("a\u0081"), QString(QChar(0xD800))}) {
        EXPECT_FALSE(KVRCodePage::ToAnsi(refused, bytes));
        EXPECT_TRUE(bytes.isEmpty());
    }
}

TEST(CodePage, EciNamesWhatTheBytesNeed)
{
    const struct
    {
        QByteArray bytes;
        int eci;
    } cases[] = {
        {"", 0},
        {"plain ASCII ~", 0},
        {"caf\xE9 \xB5m", KVRCodePage::EciLatin1},
        {"5 \x80", KVRCodePage::EciWindows1252},
        {"\xE9 then \x9F", KVRCodePage::EciWindows1252},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KVRCodePage::EciOf(c.bytes), c.eci) << c.bytes.toHex().toStdString();
}

// Our full-ASCII expansion gives the engine's own full-ASCII bars for every
// 7-bit character, and our check character is the engine's.
TEST(Code39Arithmetic, FullAsciiAndCheckCharacterAgreeWithTheEngine)
{
    for (int c = 0; c < 128; ++c) {
        const QByteArray one(1, char(c));
        const auto engine = ZintRows(BARCODE_EXCODE39, 0, one);
        ASSERT_FALSE(engine.empty()) << c;
        EXPECT_EQ(ZintRows(BARCODE_CODE39, 0, KVRCode39::FullAscii(one)), engine) << c;
    }
    EXPECT_EQ(KVRCode39::FullAscii("a+B\x7F"), QByteArray("+A/KB%T"));
    EXPECT_TRUE(KVRCode39::FullAscii("caf\xE9").isEmpty());

    const QByteArray values[] = {"0", "Z", "%", "-11", "Z3", "CODE 39", "+A+B+C", "$A%U/O", "12345678901234567890"};
    for (const QByteArray& v : values) {
        QByteArray text;
        ASSERT_FALSE(ZintRows(BARCODE_CODE39, 1, v, &text).empty()) << v.constData();
        // The engine shows its check character before the closing asterisk, a space as "_".
        char check = text.at(text.size() - 2);
        if (check == '_')
            check = ' ';
        EXPECT_EQ(KVRCode39::CheckChar(v), check) << v.constData();
    }
    EXPECT_EQ(KVRCode39::CheckChar("abc"), '\0') << "not Code 39 characters";
}
