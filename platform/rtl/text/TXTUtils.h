#pragma once
// Edits of typed text shared by the editor's in-place text and the property
// grid's edit boxes.
#include <QString>
#include <cstdint>

struct TXTUtils
{
    // Deletes the character at aPos, counted from 1 (the one before a caret
    // that has aPos characters before it); true when it deleted. aKind (the
    // edit box's input type) changes nothing: every box deletes alike.
    static bool DeleteCharPos(QString& aText, int32_t aPos, uint8_t aKind = 0);
};
