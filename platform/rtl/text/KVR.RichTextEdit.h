#pragma once
#include "platform/rtl/text/KVR.RichText.h"

// Edits of rich-text mark-up at plain positions (characters of GetPlainText
// before a point), as the editor makes them in place. Every edit keeps the
// pairs balanced: a tag goes only together with its own partner, so text
// outside the range keeps its format. Tags are found in any letter case and
// written upper case. Each returns true when the mark-up changed; ranges are
// ordered and clamped to the plain text first.

// Toggles a pair ("<B>"/"</B>", RichTextFontNameTag(...)/"</FN>", ...) on the
// plain range: when every character of it (line breaks aside) lies in a pair
// with that very opening tag, the range leaves those pairs (a pair around
// more is split round it); otherwise pairs of the kind leave the range and
// the range is wrapped in the new pair. Bold, italic and underline pairs
// holding nothing but blanks are dropped afterwards, their blanks kept.
bool ToggleRichTextPair(QString& markup, int32_t start, int32_t end, const QString& open, const QString& close);

// Wraps the range in "<FC:RRGGBB>" ... "</FC>" (alpha dropped). A range that
// begins inside a coloured pair keeps its colour (false); coloured pairs
// that begin inside the range are split round it.
bool ApplyRichTextColorPair(QString& markup, int32_t start, int32_t end, TAlphaColor color);

// Wraps the caret's paragraph (between the line breaks around the caret; a
// break right at the caret ends the paragraph) in "<L>", "<C>" or "<R>"
// (align 0, 1, 2) after taking every alignment pair off it. False for other
// values and for an empty mark-up.
bool ApplyRichTextParagraphAlign(QString& markup, int32_t caret, int32_t align);

// Replaces the plain range by `insert` (plain characters or "<BR>"): the
// range's characters go, with the pairs lying wholly inside it; `insert` goes
// in at PlainPosToRichPos of the range's start, joining the spans there. An
// edit that would make or break a tag out of text is refused (false), since
// the mark-up has no escape.
bool ReplaceRichTextRange(QString& markup, int32_t start, int32_t end, const QString& insert);
