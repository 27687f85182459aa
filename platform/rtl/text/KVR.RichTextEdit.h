#pragma once
#include "platform/rtl/text/KVR.RichText.h"

// Edits of rich-text mark-up at plain positions (characters of GetPlainText
// before a point), as the editor makes them in place. Every edit keeps the
// pairs balanced: a tag goes only together with its own partner, so text
// outside the range keeps its format; pairs closed before a range and opened
// again after it keep their order. Tags are found in any letter case and
// written upper case. Ranges are ordered and clamped to the plain text first.
// The format edits return true when the mark-up changed; each refuses
// (false, nothing changed) an edit after which the text would not read as
// before, as when taking a tag out joins a "<" and a ">" of the text.
// Mark-up written by hand may hold closing tags while no pair of their kind
// is open, which the parser passes over, and pairs never closed, which hold
// the rest of the text. Both read as the parser reads them: a new pair takes
// out such closing tags of its kind inside it, where they would end it early.

// Toggles a pair ("<B>"/"</B>", RichTextFontNameTag(...)/"</FN>", ...) on the
// plain range. The range has the format when every character of it (line
// breaks aside) shows it: for bold, italic and underline any pair of the kind
// holding it, for a font, size or colour the innermost pair of its kind,
// which is the one shown. Then the format leaves the range: a style's pairs
// altogether, a value's shown pairs only, so the value beneath shows again.
// A range that reaches one end of such a pair and misses the other by one
// character takes the whole pair; strictly inside, it splits the pair.
// Otherwise the range is wrapped in the new pair, after the kind's pairs
// inside it have left it. Bold, italic and underline pairs that the toggle
// leaves holding nothing but blanks are dropped, their blanks kept.
bool ToggleRichTextPair(QString& markup, int32_t start, int32_t end, const QString& open, const QString& close);

// Wraps the range in "<FC:RRGGBB>" ... "</FC>" (alpha dropped): the chosen
// colour replaces the one the range shows. Colour pairs inside the range are
// split round it; one reaching beyond it stays around the new pair.
bool ApplyRichTextColorPair(QString& markup, int32_t start, int32_t end, TAlphaColor color);

// Wraps the caret's paragraph (between the line breaks around the caret; a
// break right at the caret ends the paragraph) in "<L>", "<C>" or "<R>"
// (align 0, 1, 2) after taking every alignment pair off it. False for other
// values and for an empty mark-up.
bool ApplyRichTextParagraphAlign(QString& markup, int32_t caret, int32_t align);

// Replaces the plain range by the plain text `insert` (a line feed in it is a
// line break): the range's characters go, with the pairs lying wholly inside
// it; `insert` goes in at PlainPosToRichPos of the range's start, joining the
// spans there. True when done, even when the mark-up reads as before (a
// character typed over itself). Refused (false, nothing changed) when the
// text would not read as typed, since the mark-up has no escape: typing or
// deleting that would make a tag out of text, or typing a tag.
bool ReplaceRichTextRange(QString& markup, int32_t start, int32_t end, const QString& insert);
