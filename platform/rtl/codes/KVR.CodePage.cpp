#include "platform/rtl/codes/KVR.CodePage.h"

namespace {
// Characters of 0x80..0x9F in order; 0 where the byte stands for nothing.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
}  // namespace

namespace KVRCodePage {

int AnsiByte(char16_t aChar)
{
    if (aChar < 0x80 || (aChar >= 0xA0 && aChar <= 0xFF))
        return aChar;
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == aChar)
            return 0x80 + i;
    return -1;
}

bool ToAnsi(const QString& aText, QByteArray& oBytes)
{
    oBytes.clear();
    QByteArray out;
    out.reserve(aText.size());
    for (const QChar c : aText) {
        const int b = AnsiByte(c.unicode());
        if (b < 0)
            return false;
        out += char(b);
    }
    oBytes = std::move(out);
    return true;
}

int EciOf(const QByteArray& aBytes)
{
    int eci = 0;
    for (const char c : aBytes) {
        const auto b = static_cast<uint8_t>(c);
        if (b >= 0x80 && b < 0xA0)
            return EciWindows1252;
        if (b >= 0xA0)
            eci = EciLatin1;
    }
    return eci;
}

}  // namespace KVRCodePage
