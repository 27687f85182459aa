// Rich-text mark-up: any text parses into runs whose texts, with a line feed
// after each break, are the plain text; plain and mark-up positions map back
// to themselves; the layout keeps to the plain text; and the element paints
// the text on screen or on paper without failing.
#include "elements/TKVRRichText.h"
#include "fuzz/support/FuzzTarget.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/text/KVR.RichText.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRDraw.h"
#include <QImage>
#include <algorithm>

namespace {

constexpr int kDpi = 96;

void Prepare(TKVRDraw& aDraw, QImage& aImage)
{
    aImage = QImage(160, 100, QImage::Format_ARGB32_Premultiplied);
    aImage.fill(Qt::white);
    const int dotsPerMetre = int(kDpi / 0.0254);
    aImage.setDotsPerMeterX(dotsPerMetre);
    aImage.setDotsPerMeterY(dotsPerMetre);
    aDraw.SetResolution(kDpi, kDpi, 1);
    aDraw.SetStandardWidths();
}

void PaintElement(const QString& aMarkup, int32_t aFontHeight, uint8_t aFlags)
{
    TKVRBaseLabel label;
    auto* rich = new TKVRRichText(&label);
    rich->SetBase(1, 1000, 1000);
    rich->SetBase(2, 40000, 25000);
    rich->SetFontName(QStringLiteral("Arial"));
    rich->SetBaseFontHeight(aFontHeight);
    rich->SetAngle(TKVRAngle(aFlags & 3));
    if (aFlags & 8) {
        // Bound to a field: the printer parses and lays out the record's value anew.
        label.SetDataValue(QStringLiteral("Body"), aMarkup);
        rich->SetText(QStringLiteral("own text"));
        rich->SetFillType(1);
        rich->SetFillName(QStringLiteral("Body"));
    } else {
        rich->SetText(aMarkup);
    }
    rich->CalcValues(1);
    // One surface per input keeps the runs quick; the flags pick it.
    if ((aFlags & 4) == 0) {
        QImage image;
        TKVRDraw draw;
        Prepare(draw, image);
        draw.DrawState = KVRDrawState::Preview;
        draw.kC = TSkCanvas::Make(&image);
        draw.kP = std::make_shared<TSkPaint>();
        rich->DrawElement(&draw);
    } else {
        QImage image;
        TKVRDraw draw;
        Prepare(draw, image);
        draw.DrawState = KVRDrawState::Print;
        TCanvas canvas(&image);
        canvas.BeginScene();
        draw.pC = &canvas;
        rich->PrintElement(&draw);
        canvas.EndScene();
    }
}

} // namespace

KVR_FUZZ_TARGET(rich_text)
{
    // First byte: layout settings; the rest is the mark-up.
    if (data.isEmpty() || data.size() > 4096)
        return;
    const uint8_t flags = uint8_t(data[0]);
    const QString markup = QString::fromUtf8(data.sliced(1));
    const QString plain = GetPlainText(markup);

    TRichTextFormat base;
    base.FontName = QStringLiteral("Arial");
    base.FontHeight = 1000 + 500 * (flags >> 4);
    for (const bool share : {false, true}) {
        TRichTextFormats formats;
        TRichTextRuns runs;
        ParseRichTextInto(markup, base, formats, runs, share);
        KVR_FUZZ_CHECK(!formats.empty() && formats.front() == base, "format 0 is not the base format");
        QString joined;
        for (const TRichTextParsedSegment& run : runs) {
            KVR_FUZZ_CHECK(run.FormatIndex >= 0 && size_t(run.FormatIndex) < formats.size(),
                           "a run points outside the formats");
            KVR_FUZZ_CHECK(!run.Text.isEmpty() || run.BreakAfter, "an empty run without a break");
            joined += run.Text;
            if (run.BreakAfter)
                joined += u'\n';
        }
        KVR_FUZZ_CHECK(joined == plain, "the runs are not the plain text");
        if (share) {
            for (size_t i = 0; i < formats.size(); ++i)
                for (size_t j = i + 1; j < formats.size(); ++j)
                    KVR_FUZZ_CHECK(!(formats[i] == formats[j]) || i == 0, "shared formats repeat");
        }

        // Layout with a width per character of half the font height.
        TRichTextDrawSegments segments;
        const int64_t width = 2000 + 1000 * int64_t(flags & 15);
        auto measure = [](const QString& aText, const TRichTextFormat& aFormat) {
            return int32_t(std::min<int64_t>(int64_t(aText.size()) * (aFormat.FontHeight / 2), INT32_MAX));
        };
        CalcPrintLayout(runs, formats, segments, width, 0, base.FontHeight, 1.2f, TKVRHorzAlign::Left, measure);
        for (const TRichTextDrawSegment& s : segments) {
            KVR_FUZZ_CHECK(s.PlainStart >= 0 && s.PlainLength >= 0 &&
                               int64_t(s.PlainStart) + s.PlainLength <= plain.size(),
                           "a segment stands for characters beyond the plain text");
            KVR_FUZZ_CHECK(s.FormatIndex >= 0 && size_t(s.FormatIndex) < formats.size(),
                           "a segment points outside the formats");
        }
        for (int32_t p = 0; p <= plain.size() && !segments.empty(); p += 1 + int32_t(plain.size() / 64)) {
            int32_t index = -1, offset = -1;
            KVR_FUZZ_CHECK(GetSegmentAtPlainPos(segments, p, index, offset), "a position finds no segment");
            KVR_FUZZ_CHECK(index >= 0 && size_t(index) < segments.size() && offset >= 0 &&
                               offset <= segments[size_t(index)].Text.size(),
                           "a position finds a place outside the segments");
            const int32_t back = GetPlainPosAtSegment(segments, index, offset);
            KVR_FUZZ_CHECK(back >= 0 && back <= plain.size(), "a segment place maps outside the text");
        }
    }

    // Positions: every plain position maps to a mark-up position and back.
    for (int32_t p = 0; p <= plain.size(); p += 1 + int32_t(plain.size() / 64)) {
        const int32_t rich = PlainPosToRichPos(markup, p);
        KVR_FUZZ_CHECK(rich >= 0 && rich <= markup.size(), "a mark-up position outside the mark-up");
        KVR_FUZZ_CHECK(RichPosToPlainPos(markup, rich) == p, "a plain position does not map back");
    }
    KVR_FUZZ_CHECK(RichPosToPlainPos(markup, int32_t(markup.size())) == plain.size(),
                   "the end of the mark-up is not the end of the text");

    PaintElement(markup, 2000 + 1000 * (flags >> 4), flags);
}
