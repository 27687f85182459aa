#include "editor/TKVRRichTextCaret.h"
#include "platform/rtl/text/KVR.BidiPlaces.h"
#include <algorithm>
#include <cmath>

namespace {
bool IsBlank(const TRichTextDrawSegment& aSegment)
{
    return aSegment.Text == QStringLiteral(" ");
}

int32_t TextLength(const TRichTextDrawSegment& aSegment)
{
    return int32_t(aSegment.Text.size());
}
}  // namespace

TKVRRichTextCaret::TKVRRichTextCaret(const TRichTextDrawSegments& aSegments, TPrefixWidth aPrefix)
    : fSegs(aSegments), fPrefix(std::move(aPrefix))
{
    for (size_t i = 0; i < fSegs.size(); ++i) {
        const TRichTextDrawSegment& s = fSegs[i];
        if (fLines.empty() || s.Y != fSegs[fLines.back().First].Y)
            fLines.push_back({i, i, double(s.Y), double(s.Y)});
        TLine& line = fLines.back();
        line.Last = i;
        line.Bottom = std::max(line.Bottom, double(s.Y) + s.Height);
    }
    // A line reaches down to the next one, the gap between them included.
    for (size_t l = 0; l + 1 < fLines.size(); ++l)
        fLines[l].Bottom = fLines[l + 1].Top;
}

TKVRBidiPlaces TKVRRichTextCaret::PlacesOf(size_t aSegment) const
{
    const TRichTextDrawSegment& s = fSegs[aSegment];
    return TKVRBidiPlaces(s.Text, [&](int32_t aChars) { return aChars > 0 ? fPrefix(s, aChars) : 0.0; });
}

double TKVRRichTextCaret::CharX(size_t aSegment, int32_t aChar) const
{
    return double(fSegs[aSegment].X) + PlacesOf(aSegment).CaretX(aChar);
}

size_t TKVRRichTextCaret::LineOf(size_t aSegment) const
{
    for (size_t l = 0; l < fLines.size(); ++l)
        if (aSegment <= fLines[l].Last)
            return l;
    return fLines.size() - 1;
}

bool TKVRRichTextCaret::HasLineAfterBreak() const
{
    return !fSegs.empty() && fSegs.back().LineEnd;
}

int32_t TKVRRichTextCaret::PositionAfterBreak() const
{
    const TRichTextDrawSegment& last = fSegs.back();
    return last.PlainStart + last.PlainLength + 1;
}

TKVRRichTextCaret::THit TKVRRichTextCaret::OnLine(const TLine& aLine, double aX) const
{
    // The segment under x, else the line's last one. A character is hit as
    // painted: its leading half (the right one in right-to-left text) puts
    // the caret before it.
    size_t i = aLine.First;
    while (i < aLine.Last && aX >= double(fSegs[i].X) + fSegs[i].Width)
        ++i;
    const TRichTextDrawSegment& s = fSegs[i];
    // Past the end of the line a blank ends at its start: its end would be
    // the next word's start.
    const bool past = aX >= double(s.X) + s.Width;
    const int32_t k = past && IsBlank(s) ? 0 : PlacesOf(i).BoundaryAt(aX - double(s.X));
    return {GetPlainPosAtSegment(fSegs, int32_t(i), k), int32_t(i), k};
}

TKVRRichTextCaret::THit TKVRRichTextCaret::HitTest(double aX, double aY) const
{
    if (fLines.empty())
        return {};
    if (HasLineAfterBreak() && aY >= fLines.back().Bottom) {
        const int32_t last = int32_t(fSegs.size()) - 1;
        return {PositionAfterBreak(), last, TextLength(fSegs.back())};
    }
    const TLine* best = nullptr;
    double bestDistance = 0;
    for (const TLine& line : fLines) {
        if (line.Top <= aY && aY < line.Bottom) {
            best = &line;
            break;
        }
        const double distance = aY < line.Top ? line.Top - aY : aY - line.Bottom;
        if (!best || distance < bestDistance) {
            best = &line;
            bestDistance = distance;
        }
    }
    return OnLine(*best, aX);
}

int32_t TKVRRichTextCaret::LineMove(int32_t aPosition, bool aUp) const
{
    if (fLines.empty())
        return aPosition;
    const bool afterBreak = HasLineAfterBreak() && aPosition >= PositionAfterBreak();
    size_t line = fLines.size();
    double x = 0;
    if (afterBreak) {
        x = double(fSegs[fLines.back().First].X);
    } else {
        int32_t index = 0, offset = 0;
        GetSegmentAtPlainPos(fSegs, std::max(aPosition, 0), index, offset);
        line = LineOf(size_t(index));
        x = CharX(size_t(index), offset);
    }
    if (aUp) {
        if (line == 0)
            return aPosition;
        return OnLine(fLines[line - 1], x).Position;
    }
    if (line + 1 < fLines.size())
        return OnLine(fLines[line + 1], x).Position;
    if (line + 1 == fLines.size() && HasLineAfterBreak())
        return PositionAfterBreak();
    return aPosition;
}

bool TKVRRichTextCaret::WordAt(int32_t aSegment, int32_t& oStart, int32_t& oEnd) const
{
    if (aSegment < 0 || size_t(aSegment) >= fSegs.size())
        return false;
    const TLine& line = fLines[LineOf(size_t(aSegment))];
    size_t hit = size_t(aSegment);
    if (IsBlank(fSegs[hit])) {
        size_t left = hit;
        while (left > line.First && IsBlank(fSegs[left]))
            --left;
        size_t right = hit;
        while (right < line.Last && IsBlank(fSegs[right]))
            ++right;
        if (!IsBlank(fSegs[left]))
            hit = left;
        else if (!IsBlank(fSegs[right]))
            hit = right;
        else
            return false;
    }
    size_t first = hit, last = hit;
    while (first > line.First && !IsBlank(fSegs[first - 1]))
        --first;
    while (last < line.Last && !IsBlank(fSegs[last + 1]))
        ++last;
    oStart = fSegs[first].PlainStart;
    oEnd = fSegs[last].PlainStart + TextLength(fSegs[last]);
    return true;
}
