#pragma once
#include <QByteArray>
#include <QString>

// The system's 8-bit code page, Windows-1252: ASCII, the Latin-1 characters
// from 0xA0 up, and 27 further characters (the euro sign, dashes, curly
// quotes, ...) in 0x80..0x9F. Five bytes of that range stand for nothing.
namespace KVRCodePage {

// ECIs that tell a reader how to take 8-bit data.
constexpr int EciLatin1 = 3;
constexpr int EciWindows1252 = 23;

// The code-page byte of a character, or -1 when the code page has none
// (C1 controls, characters beyond it, surrogates).
int AnsiByte(char16_t aChar);
// The 8-bit form of a text; false, with oBytes empty, when a character has
// no byte in the code page: it is refused, never written as "?".
bool ToAnsi(const QString& aText, QByteArray& oBytes);
// The ECI that 8-bit data needs: 0 for 7-bit data, ISO-8859-1 when every
// byte means the same there (nothing in 0x80..0x9F), Windows-1252 otherwise.
int EciOf(const QByteArray& aBytes);

}  // namespace KVRCodePage
