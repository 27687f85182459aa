#pragma once
#include <QByteArray>

// Code 39 arithmetic that the engine does not hand out: the full-ASCII
// expansion and the modulo 43 check character.
namespace KVRCode39 {

// The Code 39 characters that stand for 7-bit text in full ASCII (a lower
// case letter is "+" and its capital, a control character "$" and a letter,
// ...). Empty when a byte is not 7-bit.
QByteArray FullAscii(const QByteArray& aText);
// The check character of Code 39 characters: the sum of their values
// (0-9, A-Z, then - . space $ / + %) modulo 43. 0 when a byte is not one of them.
char CheckChar(const QByteArray& aCode39);

}  // namespace KVRCode39
