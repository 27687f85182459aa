#pragma once
// Small text edits of the editor's one-line entries.
#include <QChar>
#include <QString>
#include <cstdint>

namespace TXTUtils {
// Deletes the character at aPos (from 1); a surrogate pair goes whole,
// whichever half aPos names. False when aPos lies outside the text. aKind is
// kept for callers, which pass 0.
bool DeleteCharPos(QString& aText, int32_t aPos, int32_t aKind = 0);
}  // namespace TXTUtils

// Whether aKey may go into the coordinate entry aText at the caret aCaret
// (characters before it). Only the minus sign is restricted: it may start a
// number (at the start, after "," or "@"), once.
bool ValidInputKey(const QString& aText, QChar aKey, int32_t aCaret);
