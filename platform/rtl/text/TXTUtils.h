#pragma once
// Edits of typed text shared by the editor's in-place text, its coordinate
// entry and the property grid's edit boxes.
#include <QChar>
#include <QString>
#include <cstdint>

struct TXTUtils
{
    // Deletes the character at aPos, counted from 1 (the one before a caret
    // that has aPos characters before it); a surrogate pair goes whole,
    // whichever half aPos names. True when it deleted. aKind (the edit box's
    // input type) changes nothing: every box deletes alike.
    static bool DeleteCharPos(QString& aText, int32_t aPos, uint8_t aKind = 0);
};

// Whether aKey may go into the coordinate entry aText at the caret aCaret
// (characters before it). Only the minus sign is restricted: it may start a
// number (at the start, after "," or "@"), once.
bool ValidInputKey(const QString& aText, QChar aKey, int32_t aCaret);
