#pragma once
// Caret geometry of a laid-out rich text: a point of its text area to a plain
// position, a caret one line up or down, the word around a segment. Works on
// the draw segments as painted (X already aligned, Y, Width, micrometres of
// the text area; inside a segment, right-to-left letters from the right) and
// counts positions with their plain ranges only.
#include "platform/rtl/text/KVR.BidiPlaces.h"
#include "platform/rtl/text/KVR.RichText.h"
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class TKVRRichTextCaret
{
public:
    // Width of a segment's first aChars characters in its own format, micrometres.
    using TPrefixWidth = std::function<double(const TRichTextDrawSegment& aSegment, int32_t aChars)>;

    TKVRRichTextCaret(const TRichTextDrawSegments& aSegments, TPrefixWidth aPrefix);

    struct THit
    {
        int32_t Position = 0;  // plain position
        int32_t Segment = 0;
        int32_t Char = 0;      // character boundary inside the segment's text
    };

    bool Empty() const { return fLines.empty(); }
    // The line that holds aY, else the nearest one (the upper wins a tie); on
    // it the character boundary nearest to aX. Below a final line break lies
    // the empty line after it. Without segments: position 0.
    THit HitTest(double aX, double aY) const;
    // The caret one line up or down, kept at its x; unchanged at the first or
    // last line (or without segments).
    int32_t LineMove(int32_t aPosition, bool aUp) const;
    // The plain range of the word a segment belongs to: consecutive segments
    // of one line that are not blanks; a blank takes the word on its left,
    // else the one on its right. False when the line has no word there.
    bool WordAt(int32_t aSegment, int32_t& oStart, int32_t& oEnd) const;

private:
    struct TLine
    {
        size_t First = 0;
        size_t Last = 0;  // inclusive
        double Top = 0;
        double Bottom = 0;
    };

    THit OnLine(const TLine& aLine, double aX) const;
    // Where a segment's characters stand as painted.
    TKVRBidiPlaces PlacesOf(size_t aSegment) const;
    // Where the caret of a segment's character boundary stands.
    double CharX(size_t aSegment, int32_t aChar) const;
    size_t LineOf(size_t aSegment) const;
    // A final line break opens an empty line after the last one.
    bool HasLineAfterBreak() const;
    int32_t PositionAfterBreak() const;

    const TRichTextDrawSegments& fSegs;
    TPrefixWidth fPrefix;
    std::vector<TLine> fLines;
};
