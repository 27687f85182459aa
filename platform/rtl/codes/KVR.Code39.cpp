#include "platform/rtl/codes/KVR.Code39.h"
#include <cstring>

namespace {
constexpr char kValues[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

// One or two Code 39 characters for each 7-bit character.
constexpr const char* kFullAscii[128] = {
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O",
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E",
    " ",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", "/H", "/I", "/J", "/K", "/L", "-",  ".",  "/O",
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J",
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O",
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O",
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T",
};
}  // namespace

namespace KVRCode39 {

QByteArray FullAscii(const QByteArray& aText)
{
    QByteArray out;
    out.reserve(aText.size() * 2);
    for (const char c : aText) {
        const auto b = static_cast<uint8_t>(c);
        if (b > 127)
            return {};
        out += kFullAscii[b];
    }
    return out;
}

char CheckChar(const QByteArray& aCode39)
{
    int sum = 0;
    for (const char c : aCode39) {
        const char* at = c == '\0' ? nullptr : std::strchr(kValues, c);
        if (!at)
            return '\0';
        sum += int(at - kValues);
    }
    return kValues[sum % 43];
}

}  // namespace KVRCode39
