#pragma once
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/System.UITypes.h"
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

// Rich-text mark-up: the parser, the layout into draw segments and the one
// mapping between plain-text positions, mark-up positions and segments.
//
// Mark-up: "<B>" "<I>" "<U>" "<FN:family>" "<FS:micrometres>" "<FC:RRGGBB>"
// "<L>" "<C>" "<R>" with their closing tags, and "<BR>" alone; any letter case.
// There is no escape: a "<" that does not begin one complete tag of that list
// is text. In the plain text a "<BR>" is one line feed.

// One distinct format of a text; runs and segments point here by index.
struct TRichTextFormat
{
    QString FontName;
    int32_t FontHeight = 6000;  // micrometres
    TAlphaColor Color = TAlphaColors::Black;
    TAlphaColor BackColor = 0;  // 0 and 0xFFFFFFFF paint no background
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikeout = false;

    bool operator==(const TRichTextFormat&) const = default;
};

// A run: text in one format and alignment, in text order.
struct TRichTextParsedSegment
{
    QString Text;
    int32_t FormatIndex = 0;
    bool BreakAfter = false;     // a "<BR>" follows the run
    TKVRHorzAlign Align = TKVRHorzAlign::Left;
    bool HasAlign = false;       // inside "<L>", "<C>" or "<R>"; otherwise the layout's alignment applies
};

// A laid-out piece of one line: a word, one blank, or an empty placeholder.
struct TRichTextDrawSegment
{
    QString Text;
    int32_t FormatIndex = 0;
    int64_t X = 0;               // micrometres from the left of the text area, aligned
    int64_t Y = 0;               // top of the line, micrometres from the top of the text area
    int32_t Width = 0;
    int32_t Height = 0;          // the format's font height
    TKVRHorzAlign Align = TKVRHorzAlign::Left;
    bool LineEnd = false;        // a line break follows, or the placeholder of an empty line
    // The plain-text characters the segment stands for: from PlainStart, its
    // text, the blanks folded into a blank segment, and the blanks dropped
    // after it at a wrap or before a line break (never the line break itself).
    int32_t PlainStart = 0;
    int32_t PlainLength = 0;
};

using TRichTextFormats = std::vector<TRichTextFormat>;
using TRichTextRuns = std::vector<TRichTextParsedSegment>;
using TRichTextDrawSegments = std::vector<TRichTextDrawSegment>;

// Width of a text in a format, micrometres of the layout.
using TKVRMeasureTextFunc = std::function<int32_t(const QString& text, const TRichTextFormat& format)>;

// Parses mark-up into formats and runs, replacing both tables. Text outside
// every tag has the base format, which is always entry 0. With shareFormats
// equal formats share one entry; without it every run gets its own.
void ParseRichTextInto(const QString& markup, const TRichTextFormat& base, TRichTextFormats& formats,
                       TRichTextRuns& runs, bool shareFormats);

// The text without tags, each "<BR>" one line feed.
QString GetPlainText(const QString& markup);

// Plain position (characters before it) to a mark-up position: just after the
// plain character before it, then past the opening tags that follow (not past
// closing tags or "<BR>"), so that text put there joins the spans around it
// and a new pair placed at a selection's ends nests inside them.
// Clamped to 0 .. mark-up length.
int32_t PlainPosToRichPos(const QString& markup, int32_t plainPos);
// Mark-up position to the count of plain characters before it; a position
// inside a tag counts up to the tag.
int32_t RichPosToPlainPos(const QString& markup, int32_t richPos);

// Lays runs out into draw segments by word wrapping inside width x height
// micrometres (height <= 0: no limit). Lines follow each other by their
// largest font height plus Round(fontHeight x (scale - 1)). Runs outside an
// alignment tag take `align`. Both the screen layout (measuring through the
// font cache) and printing (measuring on the printer canvas) use it.
// A run's format index outside `formats` reads format 0; with no formats
// there is nothing to lay out.
void CalcPrintLayout(const TRichTextRuns& runs, const TRichTextFormats& formats, TRichTextDrawSegments& segments,
                     int64_t width, int64_t height, int32_t fontHeight, float scale, TKVRHorzAlign align,
                     const TKVRMeasureTextFunc& measure);

// The gap between two lines: Round(fontHeight x (scale - 1)) micrometres,
// held within a kilometre either way.
int64_t RichTextLineGap(int32_t fontHeight, float scale);

// The one mapping between plain positions and draw segments, for the caret,
// the selection and the editor's hit test alike.
// Plain position -> segment and character offset in its Text. False only when
// there are no segments or the position is negative. A position in blanks the
// layout dropped goes to the end of the segment before them; a position after
// a line break to the start of the next segment; a position past the laid-out
// text to the end of the last segment.
bool GetSegmentAtPlainPos(const TRichTextDrawSegments& segments, int32_t plainPos, int32_t& index, int32_t& offset);
// Segment and character offset -> plain position; the end of a blank segment
// is the start of the word after its blanks. Clamped to the segments.
int32_t GetPlainPosAtSegment(const TRichTextDrawSegments& segments, int32_t index, int32_t offset);

// A tag as the parser reads it. Pairs of one kind nest on their own stack;
// "<BR>" has no partner.
enum class TRichTextTagKind : uint8_t {
    Bold, Italic, Underline, FontName, FontSize, FontColor, Left, Center, Right, Break
};
struct TRichTextTag
{
    int32_t Start = 0;   // mark-up position of its "<"
    int32_t Length = 0;
    TRichTextTagKind Kind = TRichTextTagKind::Bold;
    bool Closing = false;
};
// Every tag of the mark-up, in text order.
std::vector<TRichTextTag> GetRichTextTags(const QString& markup);

// Opening tags with a value, as the editor writes them.
QString RichTextFontNameTag(const QString& family);   // "<FN:family>"; "<" and ">" cannot stand in a name
QString RichTextSizeTag(int32_t micrometres);         // "<FS:4000>"
QString RichTextColorTag(TAlphaColor color);          // "<FC:1A2B3C>", alpha dropped
