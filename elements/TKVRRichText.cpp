#include "elements/TKVRRichText.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/text/KVR.BidiPlaces.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <stdexcept>

namespace {

// A run taller than a metre would only make the painter build giant glyphs.
constexpr int32_t kMaxRunHeight = 1000000;

constexpr TAlphaColor kCaretColor = 0xFFFF0000;
constexpr TAlphaColor kSelectionColor = 0x400078D7;

bool HasBackColor(TAlphaColor aColor)
{
    return aColor != 0 && aColor != 0xFFFFFFFFu;
}

// A format as measuring and painting use it: its family trimmed (the
// element's when that leaves none), its height within what can be painted.
TRichTextFormat Usable(TRichTextFormat aFormat, const QString& aElementFont)
{
    aFormat.FontName = aFormat.FontName.trimmed();
    if (aFormat.FontName.isEmpty())
        aFormat.FontName = aElementFont;
    aFormat.FontHeight = std::clamp(aFormat.FontHeight, 1, kMaxRunHeight);
    return aFormat;
}

// Font size per font height of a format's family and style: the font of
// that size fills the height from ascent to descent, as the layout measured it.
double FormatRatio(const TRichTextFormat& aFormat, double aFallback)
{
    int32_t asc = 0, des = 0, und = 0, lh = 0;
    double ratio = aFallback;
    try {
        TKVRCalc::FontSettings(aFormat.FontName, aFormat.FontHeight, aFormat.Bold, aFormat.Italic, asc, des, und, lh,
                               ratio);
    } catch (const std::runtime_error&) {
        return aFallback;
    }
    return ratio > 0.0 ? ratio : aFallback;
}

// The font of one format at a surface's pixels per millimetre.
struct TRunFont
{
    TRichTextFormat Format;
    double Ratio = 1.0;
    ISkFont Font;         // none when no typeface could be made
    float Size = 0.0f;    // pixels
    float Ascent = 0.0f;  // pixels above the baseline, positive
    float Descent = 0.0f; // pixels below it

    float Measure(const QString& aText) const { return Font && !aText.isEmpty() ? Font->MeasureText(aText) : 0.0f; }
};

// The fonts of the formats of one paint, each made once. An index outside
// the formats reads the element's base format.
class TRunFonts
{
public:
    TRunFonts(const TRichTextFormats& aFormats, const TRichTextFormat& aBase, const QString& aElementFont,
              double aRatio, float aPixelsPerMm)
        : fFormats(aFormats), fBase(aBase), fElementFont(aElementFont), fRatio(aRatio > 0.0 ? aRatio : 1.0),
          fPixelsPerMm(aPixelsPerMm)
    {
    }

    const TRunFont& Get(int32_t aIndex)
    {
        const bool valid = aIndex >= 0 && size_t(aIndex) < fFormats.size();
        const int32_t key = valid ? aIndex : -1;
        auto it = fFonts.find(key);
        if (it != fFonts.end())
            return it->second;
        TRunFont f;
        f.Format = Usable(valid ? fFormats[size_t(aIndex)] : fBase, fElementFont);
        f.Ratio = FormatRatio(f.Format, fRatio);
        f.Size = float(f.Format.FontHeight / 1000.0 * fPixelsPerMm * f.Ratio);
        if (const ISkTypeface face =
                TSkTypeface::MakeFromName(f.Format.FontName, GetFontStyle(f.Format.Bold, f.Format.Italic))) {
            f.Font = std::make_shared<TSkFont>(face, f.Size, 1.0f, 0.0f);
            TSkFontMetrics m;
            f.Font->GetMetrics(m);
            f.Ascent = std::abs(m.Ascent);
            f.Descent = std::abs(m.Descent);
        }
        return fFonts.emplace(key, std::move(f)).first->second;
    }

private:
    const TRichTextFormats& fFormats;
    TRichTextFormat fBase;
    QString fElementFont;
    double fRatio;
    float fPixelsPerMm;
    std::map<int32_t, TRunFont> fFonts;
};

// Where a segment's characters stand as its font paints them, pixels.
TKVRBidiPlaces PlacesOf(const TRichTextDrawSegment& aSegment, const TRunFont& aFont)
{
    return TKVRBidiPlaces(aSegment.Text, [&](int32_t aChars) { return double(aFont.Measure(aSegment.Text.left(aChars))); });
}

// A line of segments: consecutive segments with one Y.
struct TSegLine
{
    size_t First = 0;
    size_t Last = 0;     // inclusive
    int32_t Height = 0;  // largest run height of the line, micrometres
};

std::vector<TSegLine> LinesOf(const TRichTextDrawSegments& aSegs)
{
    std::vector<TSegLine> lines;
    for (size_t i = 0; i < aSegs.size(); ++i) {
        if (i == 0 || aSegs[i].Y != aSegs[i - 1].Y)
            lines.push_back({i, i, 0});
        TSegLine& l = lines.back();
        l.Last = i;
        l.Height = std::max(l.Height, aSegs[i].Height);
    }
    return lines;
}

// Largest ascent and descent of a line's fonts, pixels.
void LineMetrics(const TRichTextDrawSegments& aSegs, const TSegLine& aLine, TRunFonts& aFonts, float& oAscent,
                 float& oDescent)
{
    oAscent = 0.0f;
    oDescent = 0.0f;
    for (size_t i = aLine.First; i <= aLine.Last; ++i) {
        const TRunFont& f = aFonts.Get(aSegs[i].FormatIndex);
        oAscent = std::max(oAscent, f.Ascent);
        oDescent = std::max(oDescent, f.Descent);
    }
}

// Walks the segments line by line: each with its run's font, its x and its
// line's baseline (the line's largest ascent below its top), in pixels.
template <class F>
void ForEachRun(const TRichTextDrawSegments& aSegs, TRunFonts& aFonts, const TKVRDraw* aDraw, F&& aRun)
{
    for (const TSegLine& line : LinesOf(aSegs)) {
        float ascent = 0.0f, descent = 0.0f;
        LineMetrics(aSegs, line, aFonts, ascent, descent);
        const float b = PaperToPixels(aSegs[line.First].Y, aDraw->ResolutionY) + ascent;
        for (size_t i = line.First; i <= line.Last; ++i)
            aRun(aSegs[i], aFonts.Get(aSegs[i].FormatIndex), PaperToPixels(aSegs[i].X, aDraw->ResolutionX), b);
    }
}

// The printer font of a format.
void SetPrinterFont(TCanvas& aCanvas, const TRunFont& aFont)
{
    const TRichTextFormat& f = aFont.Format;
    SetPrintFont(aCanvas, f.FontName, float(FontPrintSize(f.FontHeight / 1000.0f) * aFont.Ratio), f.Bold, f.Italic,
                 f.Underline);
}

}  // namespace

// ---------------------------------------------------------------- construction and streams

TKVRRichText::TKVRRichText(TKVRBaseLabel* aOwner) : TKVRBaseRichText(aOwner, false)
{
    IniRichPara();
}

TKVRRichText::TKVRRichText(TKVRBaseLabel* aOwner, TKVRLayer* aLayer) : TKVRBaseRichText(aOwner, aLayer, false)
{
    IniRichPara();
}

TKVRRichText::TKVRRichText(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseRichText(aOwner, aPreview)
{
}

void TKVRRichText::IniRichPara()
{
    SetBaseFontHeight(6000);
    SetScaleX(1.0f);
}

void TKVRRichText::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    // Defaults first, so that a record without a font height or spacing keeps them.
    IniRichPara();
    TKVRBaseRichText::ReadData(aVersion, aReader, aReadType);
}

// ---------------------------------------------------------------- layout

void TKVRRichText::CalcValues(int16_t aMode)
{
    TKVRBaseRichText::CalcValues(aMode);
    TKVRCalc::FontSettings(GetFontName(), GetBaseFontHeight(), GetBold(), GetItalic(), Ascent, Descent, UnderlinePos,
                           LineHeight, Ratio);
    DrawSegments.clear();
    if (Runs.empty())
        return;
    int32_t w = 0, h = 0;
    WrapBox(w, h);
    const QString elementFont = GetFontName();
    const TKVRMeasureTextFunc measure = [&elementFont](const QString& aText, const TRichTextFormat& aFormat) {
        const TRichTextFormat f = Usable(aFormat, elementFont);
        int32_t asc = 0, des = 0, und = 0, lh = 0;
        double ratio = 0.0;
        try {
            TKVRCalc::FontSettings(f.FontName, f.FontHeight, f.Bold, f.Italic, asc, des, und, lh, ratio);
        } catch (const std::runtime_error&) {
            return 0;  // a family no typeface is made of paints nothing, so it takes no room
        }
        return TKVRCalc::CalcTxtSize(aText);
    };
    // The text starts at the top of its area: the stored vertical alignment
    // moves nothing.
    CalcPrintLayout(Runs, Formats, DrawSegments, w, h, GetBaseFontHeight(), GetScaleX(), GetHorzAlign(), measure);
}

// ---------------------------------------------------------------- screen

void TKVRRichText::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    DrawParaBox(d, *this);
    DrawDataMarker(d, *this);
    if (GetDisplayText().isEmpty() || DrawSegments.empty())
        return;

    const ISkCanvas& canvas = d->kC;
    const ISkPaint& paint = d->kP;
    const TKVRSkCanvasSave restore(*canvas);

    // Move to the text area and turn with it; each margin stays on its own
    // axis of the box, as on paper.
    const TPointF origin = TextAreaOrigin(GetAngle(), ScreenBox(*this, d),
                                          PaperToPixels(GetScalePadX(), d->ResolutionX),
                                          PaperToPixels(GetScalePadY(), d->ResolutionY));
    canvas->Translate(origin.X, origin.Y);
    if (GetAngle() != TKVRAngle::Angle0)
        canvas->Rotate(TurnDegrees(GetAngle()));
    int32_t w = 0, h = 0;
    WrapBox(w, h);
    canvas->ClipRect(TRectF(0.0f, 0.0f, std::max(0.0f, PaperToPixels(w, d->ResolutionX)),
                            std::max(0.0f, PaperToPixels(h, d->ResolutionY))),
                     TSkClipOp::Intersect, true);

    TRunFonts fonts(Formats, BaseFormat(), GetFontName(), Ratio, d->TextFactor);
    ForEachRun(DrawSegments, fonts, d, [&](const TRichTextDrawSegment& s, const TRunFont& rf, float x, float b) {
        const TRichTextFormat& f = rf.Format;
        if (!rf.Font)
            return;
        const float sw = PaperToPixels(s.Width, d->ResolutionX);
        paint->SetPathEffect(nullptr);
        paint->SetAntiAlias(true);
        if (HasBackColor(f.BackColor)) {
            paint->SetStyle(TSkPaintStyle::Fill);
            paint->SetColor(f.BackColor);
            canvas->DrawRect(TRectF(x, b - rf.Ascent, x + sw, b + rf.Descent), paint);
        }
        paint->SetStyle(TSkPaintStyle::Fill);
        paint->SetColor(f.Color);
        paint->SetStrokeWidth(1.0f);
        auto rule = [&](float aY) {
            paint->SetStrokeCap(TSkStrokeCap::Butt);
            paint->SetStrokeWidth(1.0f);
            paint->SetStyle(TSkPaintStyle::Stroke);
            canvas->DrawLine(x, aY, x + sw, aY, paint);
            paint->SetStyle(TSkPaintStyle::Fill);
        };
        if (f.Underline)
            rule(b + (rf.Ascent + rf.Descent) * 0.1f);
        if (f.Strikeout)
            rule(b - rf.Ascent / 2.0f);
        if (!s.Text.isEmpty())
            canvas->DrawSimpleText(s.Text, x, b, rf.Font, paint);
    });

    // In-place feedback of the element being edited.
    const TKVRBaseLabel* owner = GetOwner();
    const uint8_t action = owner ? owner->GetAct().fCurAction : TAct::ActNone;
    if (owner && (action == TAct::ActEditText || action == TAct::ActPressText) &&
        GetEditState() == 1 && owner->GetEditable()) {
        if (d->aSelStart != d->aSelEnd)
            DrawSelectionHighlight(d, d->aSelStart, d->aSelEnd);
        if (d->aFocused)
            DrawCaretAtPosition(d, d->aPos);
    }
}

TRectF TKVRRichText::CaretLine(const TKVRDraw* aDraw, int32_t aPosition) const
{
    const TRichTextDrawSegments& segs = DrawSegments;
    if (!aDraw || segs.empty())
        return TRectF();
    TRunFonts fonts(Formats, BaseFormat(), GetFontName(), Ratio, aDraw->TextFactor);
    const TRichTextDrawSegment& last = segs.back();
    if (last.LineEnd && int64_t(aPosition) > int64_t(last.PlainStart) + last.PlainLength) {
        // After the final line break: where the next line would start.
        const TSegLine line = LinesOf(segs).back();
        const int64_t gap = RichTextLineGap(GetBaseFontHeight(), GetScaleX());
        const float x = PaperToPixels(segs[line.First].X, aDraw->ResolutionX);
        const float y = PaperToPixels(last.Y + line.Height + gap, aDraw->ResolutionY);
        return TRectF(x, y, x, y + fonts.Get(last.FormatIndex).Size);
    }
    int32_t index = 0, offset = 0;
    if (!GetSegmentAtPlainPos(aPosition, index, offset)) {
        index = 0;
        offset = 0;
    }
    if (offset == 0 && index > 0) {
        // After a word that ends right to left the caret stays with its last
        // letter, at the word's left, not at the start of what follows.
        const TRichTextDrawSegment& before = segs[size_t(index) - 1];
        const int32_t length = int32_t(before.Text.size());
        const TRunFont& bf = fonts.Get(before.FormatIndex);
        if (before.Y == segs[size_t(index)].Y && int64_t(before.PlainStart) + length == aPosition && length > 0 &&
            PlacesOf(before, bf).CaretX(length) < bf.Measure(before.Text) / 2) {
            --index;
            offset = length;
        }
    }
    const TRichTextDrawSegment& s = segs[size_t(index)];
    const TRunFont& rf = fonts.Get(s.FormatIndex);
    const float x = PaperToPixels(s.X, aDraw->ResolutionX) + float(PlacesOf(s, rf).CaretX(offset));
    const float y = PaperToPixels(s.Y, aDraw->ResolutionY);
    return TRectF(x, y, x, y + rf.Size);
}

void TKVRRichText::DrawCaretAtPosition(TKVRDraw* aDraw, int32_t aPosition)
{
    if (!CanDraw(aDraw))
        return;
    const TRectF c = CaretLine(aDraw, aPosition);
    if (c.Bottom <= c.Top)
        return;
    TSkPaint& paint = *aDraw->kP;
    paint.SetColor(kCaretColor);
    paint.SetPathEffect(nullptr);
    paint.SetStyle(TSkPaintStyle::Stroke);
    paint.SetStrokeWidth(1.0f);
    // A crisp one-pixel bar: centred on the pixel column that holds x.
    paint.SetAntiAlias(false);
    const float x = std::floor(c.Left) + 0.5f;
    aDraw->kC->DrawLine(x, c.Top, x, c.Bottom, aDraw->kP);
    paint.SetAntiAlias(true);
}

std::vector<TRectF> TKVRRichText::SelectionRects(const TKVRDraw* aDraw, int32_t aStart, int32_t aEnd) const
{
    std::vector<TRectF> rects;
    const TRichTextDrawSegments& segs = DrawSegments;
    if (!aDraw || aStart == aEnd || segs.empty())
        return rects;
    const int32_t lo = std::min(aStart, aEnd);
    const int32_t hi = std::max(aStart, aEnd);
    // Both ends through the one mapping the caret uses.
    int32_t i0 = 0, o0 = 0, i1 = 0, o1 = 0;
    if (!GetSegmentAtPlainPos(lo, i0, o0)) {
        i0 = 0;
        o0 = 0;
    }
    if (!GetSegmentAtPlainPos(hi, i1, o1)) {
        i1 = int32_t(segs.size()) - 1;
        o1 = int32_t(segs.back().Text.size());
    }
    TRunFonts fonts(Formats, BaseFormat(), GetFontName(), Ratio, aDraw->TextFactor);
    for (const TSegLine& line : LinesOf(segs)) {
        if (int32_t(line.Last) < i0 || int32_t(line.First) > i1)
            continue;
        float asc = 0.0f, des = 0.0f;
        LineMetrics(segs, line, fonts, asc, des);
        for (size_t i = std::max<size_t>(line.First, size_t(i0)); i <= line.Last && int32_t(i) <= i1; ++i) {
            const TRichTextDrawSegment& s = segs[i];
            const TRunFont& rf = fonts.Get(s.FormatIndex);
            const int32_t len = int32_t(s.Text.size());
            const int32_t from = int32_t(i) == i0 ? std::clamp(o0, 0, len) : 0;
            const int32_t to = int32_t(i) == i1 ? std::clamp(o1, 0, len) : len;
            if (to <= from)
                continue;
            const float x = PaperToPixels(s.X, aDraw->ResolutionX);
            const float top = PaperToPixels(s.Y, aDraw->ResolutionY);
            const float height = asc + des > 0.0f ? asc + des : rf.Size;
            // Right-to-left letters are shaded where they are painted.
            for (const auto& [left, right] : PlacesOf(s, rf).Spans(from, to))
                if (right > left)
                    rects.emplace_back(x + float(left), top, x + float(right), top + height);
        }
    }
    return rects;
}

void TKVRRichText::DrawSelectionHighlight(TKVRDraw* aDraw, int32_t aStart, int32_t aEnd)
{
    if (!CanDraw(aDraw))
        return;
    const std::vector<TRectF> rects = SelectionRects(aDraw, aStart, aEnd);
    if (rects.empty())
        return;
    TSkPaint& paint = *aDraw->kP;
    paint.SetColor(kSelectionColor);
    paint.SetStyle(TSkPaintStyle::Fill);
    paint.SetPathEffect(nullptr);
    for (const TRectF& r : rects)
        aDraw->kC->DrawRect(r, aDraw->kP);
}

// ---------------------------------------------------------------- paper

void TKVRRichText::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TCanvas& c = *d->pC;
    // Print leaves the canvas as it found it, also when it fails.
    TCanvasStateGuard guard(c);
    const bool bound = GetIsData();

    int32_t w = 0, h = 0;
    WrapBox(w, h);
    // The record's value is parsed and laid out anew, measured on the printer.
    TRichTextFormats localFormats;
    TRichTextRuns localRuns;
    const TRichTextFormats* formats = &Formats;
    if (!bound && DrawSegments.empty()) {
        ParseRichText();
        CalcValues(0);
    }
    if (!bound && !DrawSegments.empty()) {
        fPrintSegments = DrawSegments;
    } else {
        ParseRichTextInto(PrintText(), BaseFormat(), localFormats, localRuns, true);
        formats = &localFormats;
        const double pixelsPerMmX = d->ResolutionX / 25.4;
        const TKVRMeasureTextFunc measure = [&](const QString& aText, const TRichTextFormat& aFormat) {
            TRunFont f;
            f.Format = Usable(aFormat, GetFontName());
            f.Ratio = FormatRatio(f.Format, Ratio > 0.0 ? Ratio : 1.0);
            SetPrinterFont(c, f);
            const double um = double(c.TextWidth(aText)) / pixelsPerMmX * 1000.0;
            return int32_t(std::clamp<double>(RoundHalfEven(um), 0.0, std::numeric_limits<int32_t>::max()));
        };
        CalcPrintLayout(localRuns, localFormats, fPrintSegments, w, h, GetBaseFontHeight(), GetScaleX(),
                        GetHorzAlign(), measure);
    }

    // Box.
    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const float x1 = PaperCellX(d, p1.DrawX(d)), y1 = PaperCellY(d, p1.DrawY(d));
    const float x2 = PaperCellX(d, p2.DrawX(d)), y2 = PaperCellY(d, p2.DrawY(d));
    if (GetPenWidth() > 0.0f || GetFilled())
        PrintBox(d, TRectF(x1, y1, x2, y2), ParaBoxStyle(d, *this, false));
    if (fPrintSegments.empty())
        return;

    // Text: the area's frame starts one margin in on each axis, turned with
    // the element; every run sits on its line's baseline, as on screen.
    const float mx = float(RoundHalfEven(PaperToPixels(GetScalePadX(), d->ResolutionX)));
    const float my = float(RoundHalfEven(PaperToPixels(GetScalePadY(), d->ResolutionY)));
    const TPointF origin = TextAreaOrigin(GetAngle(), TRectF(x1, y1, x2, y2), mx, my);
    const float degrees = TurnDegrees(GetAngle());
    TRunFonts fonts(*formats, BaseFormat(), GetFontName(), Ratio, d->TextFactor);
    // The matrix that puts a run at (aX, aY) of the area, on a whole pixel,
    // then moved by the canvas's own text offset aShift.
    auto place = [&](float aX, float aY, const TPointF& aShift) {
        const TPointF t = TDraw2D::RotatePoint(TPointF(aX, aY), TPointF(), GetAngle());
        const TPointF o = TDraw2D::RotatePoint(aShift, TPointF(), GetAngle());
        d->ResetMatrix(KVRDrawState::Print);
        if (GetAngle() != TKVRAngle::Angle0)
            d->Rotate(degrees);
        d->Translate(float(RoundHalfEven(origin.X + t.X)) + o.X, float(RoundHalfEven(origin.Y + t.Y)) + o.Y);
        d->ApplyMatrix();
    };
    ForEachRun(fPrintSegments, fonts, d, [&](const TRichTextDrawSegment& s, const TRunFont& rf, float x, float b) {
        if (s.Text.isEmpty())
            return;
        SetPrinterFont(c, rf);
        const TPointF o = GetInternalTextOffset(c, s.Text);
        const TPointF z = GetTextSize(c, s.Text);
        const float top = b - rf.Ascent;
        if (HasBackColor(rf.Format.BackColor)) {
            place(x, top, TPointF());
            c.Fill().SetKind(TBrushKind::Solid);
            c.Fill().SetColor(rf.Format.BackColor);
            c.FillRect(TRectF(0.0f, 0.0f, z.X, z.Y), 0.0f, 0.0f, NoCorners, 1.0f);
        }
        c.Fill().SetKind(TBrushKind::Solid);
        c.Fill().SetColor(rf.Format.Color);
        place(x, top, o);
        c.FillText(TRectF(0.0f, 0.0f, 50000.0f, 10000.0f), s.Text, false, 255.0f, 0, TTextAlign::Leading,
                   TTextAlign::Leading);
    });
}
