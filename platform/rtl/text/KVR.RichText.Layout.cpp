#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/text/KVR.RichText.h"
#include <algorithm>
#include <cmath>

namespace {

// Word wrapping of runs into draw segments, with the plain-text range of each
// segment recorded as it is placed.
class TRichTextLayout
{
public:
    TRichTextLayout(const TRichTextFormats& formats, TRichTextDrawSegments& segments, int64_t width,
                    int64_t height, int64_t lineGap, const TKVRMeasureTextFunc& measure)
        : fFormats(formats), fSegs(segments), fW(width), fH(height), fGap(lineGap), fMeasure(measure)
    {
    }

    void Run(const TRichTextRuns& runs, TKVRHorzAlign defaultAlign)
    {
        int32_t plain = 0;  // plain position of the run's first character
        for (const TRichTextParsedSegment& run : runs) {
            const bool stop = LayRun(run, plain, defaultAlign);
            plain += int32_t(run.Text.size()) + (run.BreakAfter ? 1 : 0);
            if (stop)
                break;
        }
        if (fLineStart < fSegs.size())
            EndLine();
        // A segment also stands for the blanks dropped after it, up to the
        // next segment; one before a line break already reaches the break.
        for (size_t i = 0; i + 1 < fSegs.size(); ++i) {
            TRichTextDrawSegment& s = fSegs[i];
            if (!s.LineEnd)
                s.PlainLength = std::max(s.PlainLength, fSegs[i + 1].PlainStart - s.PlainStart);
        }
    }

private:
    // Lays one run out; true when the layout stops.
    bool LayRun(const TRichTextParsedSegment& run, int32_t plain, TKVRHorzAlign defaultAlign)
    {
        const bool indexOk = run.FormatIndex >= 0 && size_t(run.FormatIndex) < fFormats.size();
        fIndex = indexOk ? run.FormatIndex : 0;
        const TRichTextFormat& f = fFormats[size_t(fIndex)];
        fFormat = &f;
        fAlign = run.HasAlign ? run.Align : defaultAlign;
        if (uint8_t(fAlign) > uint8_t(TKVRHorzAlign::Right))
            fAlign = TKVRHorzAlign::Left;
        const QStringList words = run.Text.split(u' ', Qt::KeepEmptyParts);

        // A blank that ended the run before stands between its text and this one.
        if (fBlankEnded && fX > 0) {
            const auto w0 = std::find_if(words.begin(), words.end(), [](const QString& w) { return !w.isEmpty(); });
            if (w0 != words.end()) {
                if (fX + Measure(u' ' + *w0) > fW) {
                    EndLine();
                    if (NoRoom())
                        return true;
                } else {
                    // Placed with this run, the blank takes this run's format:
                    // an underline that ended before it stops at the word.
                    AddBlank(plain, fIndex);
                }
            }
        }

        bool stop = false;
        int32_t wordStart = plain;
        for (qsizetype j = 0; j < words.size(); ++j) {
            const QString& w = words[j];
            const int32_t start = wordStart;
            wordStart += int32_t(w.size()) + 1;
            if (w.isEmpty())
                continue;
            if (fX > 0 && j > 0) {
                if (fX + Measure(u' ' + w) > fW) {
                    EndLine();
                    if (NoRoom()) {
                        stop = true;
                        break;
                    }
                } else {
                    AddBlank(start, fIndex);
                }
            }
            // A word is never split: one wider than the area stands alone and runs past it.
            Add(w, Measure(w), start, int32_t(w.size()));
            fBlankFrom = start + int32_t(w.size());
        }

        fBlankEnded = !run.Text.isEmpty() && run.Text.back() == u' ';

        if (run.BreakAfter) {
            const int32_t breakPos = plain + int32_t(run.Text.size());
            if (!fSegs.empty()) {
                TRichTextDrawSegment& last = fSegs.back();
                if (!last.LineEnd) {
                    last.LineEnd = true;
                    last.PlainLength = std::max(last.PlainLength, breakPos - last.PlainStart);
                }
            } else {
                Add(QString(), 0, breakPos, 0);
                fSegs.back().LineEnd = true;
            }
            EndLine();
            fBlankEnded = false;
            fBlankFrom = breakPos + 1;
            if (NoRoom())
                stop = true;
        }
        return stop;
    }

    int32_t Measure(const QString& text) const
    {
        return Measure(text, *fFormat);
    }
    int32_t Measure(const QString& text, const TRichTextFormat& format) const
    {
        return std::max(0, fMeasure(text, format));
    }

    bool NoRoom() const { return fH > 0 && fY + fFormat->FontHeight > fH; }

    // One blank segment, in the format at `index`, for the blanks between the
    // last placed text and plainEnd.
    void AddBlank(int32_t plainEnd, int32_t index)
    {
        const TRichTextFormat& f = fFormats[size_t(index)];
        Add(QStringLiteral(" "), Measure(QStringLiteral(" "), f), fBlankFrom, plainEnd - fBlankFrom, index);
        fBlankFrom = plainEnd;
    }

    void Add(const QString& text, int32_t width, int32_t plainStart, int32_t plainLength)
    {
        Add(text, width, plainStart, plainLength, fIndex);
    }
    void Add(const QString& text, int32_t width, int32_t plainStart, int32_t plainLength, int32_t index)
    {
        const TRichTextFormat& f = fFormats[size_t(index)];
        TRichTextDrawSegment s;
        s.Text = text;
        s.FormatIndex = index;
        s.X = fX;
        s.Y = fY;
        s.Width = width;
        s.Height = f.FontHeight;
        s.Align = fAlign;
        s.PlainStart = plainStart;
        s.PlainLength = std::max(0, plainLength);
        fSegs.push_back(s);
        fX += width;
        fLineH = std::max<int64_t>(fLineH, f.FontHeight);
    }

    // Aligns the current line by the alignment of its first segment, as the
    // painters read it, and starts the next one.
    void EndLine()
    {
        if (fLineStart >= fSegs.size()) {
            NextLine();
            return;
        }
        int64_t total = 0;
        for (size_t i = fLineStart; i < fSegs.size(); ++i)
            total += fSegs[i].Width;
        const TKVRHorzAlign align = fSegs[fLineStart].Align;
        int64_t offset = 0;
        if (align == TKVRHorzAlign::Center)
            offset = (fW - total) / 2;
        else if (align == TKVRHorzAlign::Right)
            offset = fW - total;
        if (offset > 0)
            for (size_t i = fLineStart; i < fSegs.size(); ++i)
                fSegs[i].X += offset;
        NextLine();
    }

    void NextLine()
    {
        fY += fLineH + fGap;
        fX = 0;
        fLineH = 0;
        fLineStart = fSegs.size();
    }

    const TRichTextFormats& fFormats;
    TRichTextDrawSegments& fSegs;
    const int64_t fW;
    const int64_t fH;
    const int64_t fGap;
    const TKVRMeasureTextFunc& fMeasure;

    int64_t fX = 0;
    int64_t fY = 0;
    int64_t fLineH = 0;
    size_t fLineStart = 0;
    bool fBlankEnded = false;
    int32_t fBlankFrom = 0;  // plain position after the last placed text
    int32_t fIndex = 0;       // format of the run being laid out, checked against the formats
    const TRichTextFormat* fFormat = nullptr;
    TKVRHorzAlign fAlign = TKVRHorzAlign::Left;
};

int32_t TextLength(const TRichTextDrawSegment& s)
{
    return int32_t(s.Text.size());
}

}  // namespace

void CalcPrintLayout(const TRichTextRuns& runs, const TRichTextFormats& formats, TRichTextDrawSegments& segments,
                     int64_t width, int64_t height, int32_t fontHeight, float scale, TKVRHorzAlign align,
                     const TKVRMeasureTextFunc& measure)
{
    segments.clear();
    if (runs.empty() || formats.empty() || !measure)
        return;
    TRichTextLayout layout(formats, segments, width, height, RichTextLineGap(fontHeight, scale), measure);
    layout.Run(runs, align);
}

int64_t RichTextLineGap(int32_t fontHeight, float scale)
{
    // A spacing no page can show is held at a kilometre, so that the lines
    // below stay countable.
    const double gap = double(fontHeight) * (double(scale) - 1.0);
    return std::isfinite(gap) ? RoundHalfEven(std::clamp(gap, -1e9, 1e9)) : 0;
}

bool GetSegmentAtPlainPos(const TRichTextDrawSegments& segments, int32_t plainPos, int32_t& index, int32_t& offset)
{
    index = 0;
    offset = 0;
    if (segments.empty() || plainPos < 0)
        return false;
    const size_t n = segments.size();
    for (size_t i = 0; i < n; ++i) {
        const TRichTextDrawSegment& s = segments[i];
        const int64_t start = s.PlainStart;
        const int64_t end = start + s.PlainLength;
        if (plainPos < start) {
            // Skipped by the layout: leading blanks, or a line break's far side.
            index = int32_t(i);
            return true;
        }
        // At a segment's end the next segment takes the position when it
        // starts there; after a line break it starts later, so the position
        // stays at the end of the line before the break.
        if (plainPos < end || (plainPos == end && (i + 1 == n || segments[i + 1].PlainStart > end))) {
            index = int32_t(i);
            offset = int32_t(std::min<int64_t>(plainPos - start, TextLength(s)));
            return true;
        }
    }
    index = int32_t(n - 1);
    offset = TextLength(segments.back());
    return true;
}

int32_t GetPlainPosAtSegment(const TRichTextDrawSegments& segments, int32_t index, int32_t offset)
{
    if (segments.empty())
        return 0;
    const TRichTextDrawSegment& s = segments[size_t(std::clamp<int64_t>(index, 0, int64_t(segments.size()) - 1))];
    const int32_t len = TextLength(s);
    const int32_t k = std::clamp(offset, 0, len);
    // After a blank segment means before the word that follows its blanks.
    if (k == len && s.Text == QStringLiteral(" "))
        return s.PlainStart + s.PlainLength;
    return s.PlainStart + k;
}
