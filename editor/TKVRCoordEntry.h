#pragma once
// The editor's coordinate entry as text: which characters it takes and what
// a finished entry means. Pure, so that it is tested without a surface.
#include <QChar>
#include <QString>
#include <cstdint>

struct TKVRCoordEntry
{
    enum class TKind : uint8_t {
        None,      // reads as nothing: the entry stays as typed
        Base,      // "@" alone: the base point again
        Relative,  // "@a,b": a and b from the base point
        Length,    // "a": a length along the running action
        Point,     // "a,b": an absolute point
    };
    TKind Kind = TKind::None;
    float A = 0.0f, B = 0.0f;  // label units, "." the decimal separator

    // What aText says once Enter is pressed.
    static TKVRCoordEntry Read(const QString& aText);
    // Whether aChar may be typed into aText at aCaret: digits, "." and the
    // separators "," "<" "@" once each, "-" where a number starts.
    static bool Accepts(const QString& aText, QChar aChar, int32_t aCaret);
    // aText with aInsert put at aCaret (0 in front, at or past the end appended).
    static QString InsertAt(const QString& aText, const QString& aInsert, int32_t aCaret);
};
