#pragma once
// The word scanning shared by the line breakers: one position in the text,
// the line being filled, its start and the at-line-start state.
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/KVR.Math.h"
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

// A line's range in the laid-out text: Start counts from 1.
struct TKVRLineRange
{
    int32_t Start = 1;
    int32_t Length = 0;
};

class TKVRLineScanner
{
public:
    explicit TKVRLineScanner(const QString& txt) : fTxt(txt) {}

    static bool IsBreak(QChar c) { return c == u'\r' || c == u'\n'; }

    bool AtEnd() const { return fPos >= fTxt.size(); }
    bool AtBreak() const { return !AtEnd() && IsBreak(fTxt.at(fPos)); }

    // Steps over a CR or LF and a second break character that follows it: one
    // that differs (CR LF, LF CR) or, with anyPair, one of either kind.
    void SkipBreak(bool anyPair)
    {
        const QChar first = fTxt.at(fPos++);
        if (!AtEnd() && IsBreak(fTxt.at(fPos)) && (anyPair || fTxt.at(fPos) != first))
            ++fPos;
    }

    // Collects the blanks and the word at the position and returns the piece to
    // place. At the start of a line the blanks stay in front of the word, so an
    // indent after a hard break survives; elsewhere they are held apart and put
    // back only when the piece joins the line. Words have any length.
    QString NextPiece()
    {
        const qsizetype blanks = fPos;
        while (!AtEnd() && fTxt.at(fPos) == u' ')
            ++fPos;
        const qsizetype word = fPos;
        while (!AtEnd() && fTxt.at(fPos) != u' ' && !IsBreak(fTxt.at(fPos)))
            ++fPos;
        if (fAtLineStart) {
            fHeld.clear();
            return fTxt.mid(blanks, fPos - blanks);
        }
        fHeld = fTxt.mid(blanks, word - blanks);
        return fTxt.mid(word, fPos - word);
    }

    const QString& Line() const { return fLine; }
    bool LineEmpty() const { return fLine.isEmpty(); }
    // The line without trailing blanks: what alignment measures.
    QString LineText() const
    {
        qsizetype n = fLine.size();
        while (n > 0 && fLine.at(n - 1) == u' ')
            --n;
        return fLine.left(n);
    }

    // A piece joins when the line, one blank and the piece fit (one blank is
    // measured whatever the number held). An empty line takes any piece that the
    // caller let through: wrapping it would only emit a blank line.
    template <class TWidth, class TMeasure>
    bool Joins(const QString& piece, TWidth avail, const TMeasure& width) const
    {
        if (fLine.isEmpty())
            return true;
        return width(fLine) + width(QStringLiteral(" ") + piece) <= avail;
    }

    void Join(const QString& piece)
    {
        fLine += fHeld;
        fLine += piece;
        fHeld.clear();
        fAtLineStart = false;
    }

    // Ends the line just before the piece (the blanks between them stay with the
    // ended line) and starts the next line with the piece; leading blanks are not
    // kept after a wrap.
    TKVRLineRange Wrap(const QString& piece)
    {
        const TKVRLineRange r = RangeTo(fPos - piece.size());
        fLine = piece;
        fHeld.clear();
        fAtLineStart = false;
        return r;
    }

    // Ends the line at the position (its break characters belong to it) and
    // enters the at-line-start state.
    TKVRLineRange Break()
    {
        const TKVRLineRange r = RangeTo(fPos);
        StartLine();
        return r;
    }

    // Forgets the line without emitting it: the characters up to the position
    // belong to no line.
    void DropLine()
    {
        fLineStart = fPos;
        StartLine();
    }

    // Makes the piece the whole line (a line moved down until it fits).
    void SetLine(const QString& piece)
    {
        fLine = piece;
        fHeld.clear();
        fAtLineStart = false;
    }

    // The range of the line up to the position, for the last line.
    TKVRLineRange Finish() { return RangeTo(fPos); }

private:
    void StartLine()
    {
        fLine.clear();
        fHeld.clear();
        fAtLineStart = true;
    }

    TKVRLineRange RangeTo(qsizetype end)
    {
        const TKVRLineRange r{int32_t(fLineStart + 1), int32_t(end - fLineStart)};
        fLineStart = end;
        return r;
    }

    const QString& fTxt;
    qsizetype fPos = 0;        // next character, from 0
    qsizetype fLineStart = 0;  // first character of the current line, from 0
    QString fLine;
    QString fHeld;             // blanks between the line and the next word
    bool fAtLineStart = true;
};

// How a line breaker ended: the whole text placed, cut where the box was full,
// or stopped at a piece wider than any line (which is never split).
enum class TKVRBreakEnd : uint8_t { Done, Overflow, TooWide };

// The word scanning of the box layouts, on screen and on paper alike. The box
// decides where lines may go: Full() at the top of each pass, CanEmit() before
// a line is emitted at a break or a wrap, Advance() to the next line (false
// when it does not fit) and LastFits() for the line left at the end. place
// receives a line's range and its text without trailing blanks.
template <class TNum, class TBox, class TWidth, class TPlace>
TKVRBreakEnd KVRBreakLines(const QString& txt, TNum avail, TBox& box, const TWidth& width, const TPlace& place)
{
    TKVRLineScanner scan(txt);
    // Lines are measured before the scanner moves on to the next one.
    auto placeLine = [&](auto range) {
        const QString text = scan.LineText();
        place(range(), text);
    };
    while (!scan.AtEnd()) {
        if (box.Full())
            return TKVRBreakEnd::Overflow;
        if (scan.AtBreak()) {
            scan.SkipBreak(false);
            if (!box.CanEmit())
                return TKVRBreakEnd::Overflow;
            placeLine([&] { return scan.Break(); });  // an empty line keeps its entry
            if (!box.Advance())
                return TKVRBreakEnd::Overflow;
            continue;
        }
        const QString piece = scan.NextPiece();
        if (piece.isEmpty())
            continue;
        if (scan.LineEmpty() && width(piece) > avail)
            return TKVRBreakEnd::TooWide;
        if (scan.Joins(piece, avail, width)) {
            scan.Join(piece);
            continue;
        }
        if (!box.CanEmit())
            return TKVRBreakEnd::Overflow;
        placeLine([&] { return scan.Wrap(piece); });
        if (!box.Advance())
            return TKVRBreakEnd::Overflow;
    }
    if (scan.LineEmpty())
        return TKVRBreakEnd::Done;
    if (!box.LastFits())
        return TKVRBreakEnd::Overflow;
    placeLine([&] { return scan.Finish(); });
    return TKVRBreakEnd::Done;
}

// The height of a block of n lines, one rule for screen and paper: from the
// first line's top to the bottom of the last line's text, textHeight + (n - 1)
// x step (a text height below 1 counts as a step). 0 for no lines.
template <class TNum>
TNum KVRBlockHeight(size_t n, TNum step, TNum textHeight)
{
    if (n == 0)
        return TNum(0);
    return (textHeight < TNum(1) ? step : textHeight) + TNum(n - 1) * step;
}

// How far below the room's top a block of that height starts: centred (the
// spare room halved, integer division for integers) or at the bottom; never
// above the top. Top and unknown alignments give 0.
template <class TNum>
TNum KVRBlockOffset(TKVRVertAlign vAlign, TNum room, TNum block)
{
    const TNum spare = room - block;
    if (!(spare > TNum(0)))
        return TNum(0);
    if (vAlign == TKVRVertAlign::Center)
        return spare / TNum(2);
    if (vAlign == TKVRVertAlign::Bottom)
        return spare;
    return TNum(0);
}

// The distance between two lines' tops: lineHeight x inter, rounded. A step
// below 1 would never leave a line; a spacing no page can show is held at a
// kilometre, so that one step per character of any text keeps y far inside
// 64 bits.
constexpr int64_t KVRMaxLineStep = 1000000000;
inline int64_t KVRLineStep(int32_t lineHeight, float inter)
{
    const double step = double(lineHeight) * double(inter);
    if (!std::isfinite(step))
        return step > 0.0 ? KVRMaxLineStep : 1;
    return std::clamp<int64_t>(RoundHalfEven(std::clamp(step, 1.0, double(KVRMaxLineStep))), 1, KVRMaxLineStep);
}

// The room a box gives its lines along their stacking direction once its
// flags have acted: a box that fits its text (a data-bound one) grows to what
// its lines need or shrinks down to it, as grow and shrink allow; any other
// keeps its room.
template <class TNum>
TNum KVRFitRoom(bool fitsText, bool grow, bool shrink, TNum room, TNum need)
{
    if (fitsText && ((grow && need > room) || (shrink && need < room)))
        return need;
    return room;
}
