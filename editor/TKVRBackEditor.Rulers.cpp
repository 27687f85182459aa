// The rulers along the surface's sides, graduated in the label's unit at the
// drawing scale, the selection band, and the two guides with their markers.
#include "editor/TKVRBackEditor.h"
#include "editor/TKVRBaseEditor.h"
#include "editor/TKVRRulerSteps.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/text/KVR.FormatFloat.h"
#include "platform/skia/TSkCanvas.h"
#include "platform/skia/TSkFont.h"
#include "platform/skia/TSkPaint.h"
#include "platform/skia/TSkPath.h"
#include "render/KVR.FMX.Text.h"
#include <cmath>
#include <vector>

namespace {
// The inner strip of a band, along the drawing, holds the ticks and the guide
// marker; the numbers stand in the outer rest, so a marker never covers one.
constexpr float kMarkStrip = 8;
// Room between two numbers along a ruler, in pixels.
constexpr float kNumberGap = 6;

void Triangle(TSkCanvas& aCanvas, const ISkPaint& aPaint, TPointF a, TPointF b, TPointF c)
{
    TSkPathBuilder path;
    path.MoveTo(a);
    path.LineTo(b);
    path.LineTo(c);
    path.Close();
    aCanvas.DrawPath(path.Detach(), aPaint);
}

// Height of the font's capitals (digits stand as high), positive.
float CapHeight(const ISkFont& aFont)
{
    TSkFontMetrics m;
    aFont->GetMetrics(m);
    return m.CapHeight > 0 ? m.CapHeight : std::fabs(m.Ascent) * 0.7f;
}
// Walks the ticks that show between the pixels aStart and aEnd (values
// aFrom to aTo, none beyond aMax): each with its pixel, its length (3 where a
// number stands, 8 on whole values, 4 between) and its number, empty where
// none. Only those: a drawing at 1 : 10,000,000 has billions.
template <class TPixel, class TTick>
void WalkTicks(const TKVRRulerSteps& aSteps, double aFrom, double aTo, double aMax, float aStart, float aEnd,
               double& aPos, TPixel aPixel, TTick aTick)
{
    const TKVRTickRange range = VisibleTicks(aFrom, aTo, aMax, aSteps.Minor);
    for (int64_t i = range.First; i <= range.Last; ++i) {
        aPos = double(i) * aSteps.Minor;
        const float at = float(aPixel(aPos));
        if (at < aStart)
            continue;
        if (at > aEnd)
            break;
        const bool number = aSteps.Number > 0 && RulerIsWhole(aPos / aSteps.Number);
        aTick(at, number ? 3.0f : (RulerIsWhole(aPos) ? 8.0f : 4.0f),
              number ? TKVRBackEditor::TickText(aPos, aSteps.Number) : QString());
    }
}
}  // namespace

TKVRRulerSteps TKVRBackEditor::CheckTickPos(bool aVertical, const std::function<double(double)>& aNumberRoom)
{
    const int32_t extent = aVertical ? height() : width();
    const int64_t base = aVertical ? fDScroll.BaseH : fDScroll.BaseW;
    const int64_t atEdge = aVertical ? BaseMMY(float(extent)) : BaseMMX(float(extent));
    if (atEdge < base)
        maxUnit = aVertical ? WorldY(float(extent), true) : WorldX(float(extent), true);
    else
        maxUnit = double(GetValue(base, Units())) * DrawScale();
    for (int32_t* f : {&pos01, &pos02, &pos05, &pos1, &pos2, &pos5, &pos10, &pos50, &pos100})
        *f = -1;
    const double perUnit = double(aVertical ? FY() : FX()) / std::max(DrawScale(), 1);
    const TKVRRulerSteps steps = ChooseRulerSteps(Units(), perUnit, aNumberRoom, aPosT);
    const std::pair<double, int32_t*> fields[] = {{0.1, &pos01}, {0.2, &pos02}, {0.5, &pos05},
                                                  {1, &pos1},    {2, &pos2},    {5, &pos5},
                                                  {10, &pos10},  {50, &pos50},  {100, &pos100}};
    for (const auto& [value, f] : fields)
        if (std::fabs(value - steps.Minor) < 0.001)
            *f = int32_t(RoundHalfEven(steps.Minor * perUnit));
    aPosT = steps.Number;
    fIncS = float(steps.Minor);
    return steps;
}

void TKVRBackEditor::PaintRulers(TSkCanvas& aCanvas)
{
    const TKVRRulers& rulers = *fEditor->GetRulers();
    const TKVRShowRulers visible = rulers.GetVisible();
    if (!visible)
        return;
    const float W = float(width()), H = float(height());
    const float L = fDScroll.RulerL, T = fDScroll.RulerT, R = fDScroll.RulerR, B = fDScroll.RulerB;
    auto band = std::make_shared<TSkPaint>();
    band->SetAntiAlias(true);
    band->SetStyle(TSkPaintStyle::Fill);
    band->SetColor(rulers.GetColor());
    if (visible.testFlag(rvLeft))
        aCanvas.DrawRect(TRectF(0, 0, L, H), band);
    if (visible.testFlag(rvRight))
        aCanvas.DrawRect(TRectF(W - R, 0, W, H), band);
    if (visible.testFlag(rvTop))
        aCanvas.DrawRect(TRectF(0, 0, W, T), band);
    if (visible.testFlag(rvBottom))
        aCanvas.DrawRect(TRectF(0, H - B, W, H), band);

    const QFont& qf = rulers.GetFont();
    auto typeface = TSkTypeface::MakeFromName(qf.family(), GetFontStyle(qf.bold(), qf.italic()));
    auto font = std::make_shared<TSkFont>(typeface, float(ScalePos(float(qf.pointSizeF()), fDPIY)), 1.0f, 0.0f);
    TSkFontMetrics metrics;
    font->GetMetrics(metrics);
    const float fh = metrics.Ascent + metrics.Descent;
    auto text = std::make_shared<TSkPaint>();
    text->SetAntiAlias(true);
    text->SetStyle(TSkPaintStyle::Fill);
    text->SetColor(rulers.GetFontColor());
    if (visible.testFlag(rvLeft) || visible.testFlag(rvRight))
        PaintLeftRightRuler(aCanvas, band, text, font, fh);
    if (visible.testFlag(rvTop) || visible.testFlag(rvBottom))
        PaintTopBottomRuler(aCanvas, band, text, font, fh);
}

QString TKVRBackEditor::TickText(double aPos, double aLabelStep)
{
    return FormatFloat(aLabelStep < 1 && !RulerIsWhole(aPos) ? QStringLiteral("0.0") : QStringLiteral("0"), aPos);
}

// Pixels a number needs along the ruler at a number step: the wider of the
// two last numbers up to maxUnit (the longest ones), and a gap.
std::function<double(double)> TKVRBackEditor::NumberRoom(const ISkFont& aFont, const ISkPaint& aText) const
{
    return [this, aFont, aText](double aStep) {
        const double last = std::floor(maxUnit / aStep + 0.001) * aStep;
        double w = 0;
        for (double v : {last, std::max(last - aStep, 0.0)})
            w = std::max(w, double(aFont->MeasureText(TickText(v, aStep), aText)));
        return w + kNumberGap;
    };
}

void TKVRBackEditor::PaintTopBottomRuler(TSkCanvas& aCanvas, const ISkPaint& aBand, const ISkPaint& aText,
                                         const ISkFont& aFont, float /*aTextHeight*/)
{
    const TKVRRulers& rulers = *fEditor->GetRulers();
    const TKVRShowRulers visible = rulers.GetVisible();
    const bool top = visible.testFlag(rvTop), bottom = visible.testFlag(rvBottom);
    const float W = float(width()), H = float(height());
    const float L = fDScroll.RulerL, T = fDScroll.RulerT, R = fDScroll.RulerR, B = fDScroll.RulerB;

    if (rulers.GetShowSize() && fEditor->SizeSelection(1) >= 0) {
        aSize1 = fEditor->SizeSelection(1);
        aSize2 = fEditor->SizeSelection(2);
        const float x1 = float(CoordDX(float(aSize1), true));
        float x2 = float(CoordDX(float(aSize2), true));
        aBand->SetColor(rulers.GetSizeColor());
        float limit = W;
        if (visible.testFlag(rvRight)) {
            limit = W - R;
            x2 = std::min(x2, limit);
        }
        if (x1 < limit) {
            if (top)
                aCanvas.DrawRect(TRectF(x1, T - 2, x2, T), aBand);
            if (bottom)
                aCanvas.DrawRect(TRectF(x1, H - B, x2, H - B + 2), aBand);
        }
    }

    aBand->SetColor(rulers.GetTickColor());
    aBand->SetAntiAlias(false);
    aBand->SetStrokeWidth(0);
    aBand->SetStyle(TSkPaintStyle::Stroke);
    const TKVRRulerSteps steps = CheckTickPos(false, NumberRoom(aFont, aText));
    // The first t pixels are the corner; with a right ruler the last ones too.
    const float t = T >= 1 ? T : B;
    const float end = visible.testFlag(rvRight) ? W - t : W;
    // Digits centred in the outer part of each band.
    const float cap = CapHeight(aFont);
    const float topBase = (T - kMarkStrip) / 2 + cap / 2;
    const float bottomBase = H - B + kMarkStrip + (B - kMarkStrip) / 2 + cap / 2;
    aCanvas.Save();
    aCanvas.ClipRect(TRectF(t, 0, end, H));
    const auto pixel = [this](double v) { return CoordDX(float(v), true); };
    WalkTicks(steps, WorldX(t, true), WorldX(end, true), maxUnit, t, end, posL, pixel,
              [&](float x, float n, const QString& s) {
                  if (top)
                      aCanvas.DrawLine(x, T, x, T - n, aBand);
                  if (bottom)
                      aCanvas.DrawLine(x, H - B, x, H - B + n, aBand);
                  if (s.isEmpty())
                      return;
                  const float w = aFont->MeasureText(s, aText);
                  if (top)
                      aCanvas.DrawSimpleText(s, x - w / 2, topBase, aFont, aText);
                  if (bottom)
                      aCanvas.DrawSimpleText(s, x - w / 2, bottomBase, aFont, aText);
              });
    aCanvas.Restore();

    if (!rulers.GetShowAlign())
        return;
    aBand->SetColor(fEditor->GetSelectionColors()->fAlign);
    aBand->SetStyle(TSkPaintStyle::Fill);
    const float x = float(CoordDX(float(double(rulers.fAlignLeft) / 1000.0), true));
    if (x >= L && x <= W - R) {
        if (top)
            Triangle(aCanvas, aBand, {x, T - 2}, {x - 4, T - kMarkStrip}, {x + 4, T - kMarkStrip});
        if (bottom)
            Triangle(aCanvas, aBand, {x, H - B + 2}, {x - 4, H - B + kMarkStrip}, {x + 4, H - B + kMarkStrip});
    }
    if (top && visible.testFlag(rvLeft))
        PaintCorner(aCanvas, aText, aFont, L, T);
}

// The two guide positions, one above the other in the top-left square, in a
// font small enough that both fit whole with a pixel around each.
void TKVRBackEditor::PaintCorner(TSkCanvas& aCanvas, const ISkPaint& aText, const ISkFont& aFont, float L, float T)
{
    const TKVRRulers& rulers = *fEditor->GetRulers();
    const QString texts[] = {FormatFloat(QStringLiteral("0.#"), double(rulers.fAlignLeft) / 1000.0),
                             FormatFloat(QStringLiteral("0.#"), double(rulers.fAlignTop) / 1000.0)};
    const float widest = std::max(aFont->MeasureText(texts[0], aText), aFont->MeasureText(texts[1], aText));
    const float cap = CapHeight(aFont);
    float fit = std::min(1.0f, (T - 3) / (2 * cap));
    if (widest > 0)
        fit = std::min(fit, (L - 2) / widest);
    auto font = std::make_shared<TSkFont>(aFont->GetTypeface(), aFont->GetSize() * fit, 1.0f, 0.0f);
    const float c = cap * fit;
    const float gap = (T - 2 * c) / 3;
    aText->SetColor(fEditor->GetSelectionColors()->fAlignText);
    aCanvas.Save();
    aCanvas.ClipRect(TRectF(0, 0, L, T));
    for (int k = 0; k < 2; ++k)
        aCanvas.DrawSimpleText(texts[k], (L - font->MeasureText(texts[k], aText)) / 2, (k + 1) * (gap + c), font, aText);
    aCanvas.Restore();
    aText->SetColor(rulers.GetFontColor());
}

void TKVRBackEditor::PaintLeftRightRuler(TSkCanvas& aCanvas, const ISkPaint& aBand, const ISkPaint& aText,
                                         const ISkFont& aFont, float /*aTextHeight*/)
{
    const TKVRRulers& rulers = *fEditor->GetRulers();
    const TKVRShowRulers visible = rulers.GetVisible();
    const bool left = visible.testFlag(rvLeft), right = visible.testFlag(rvRight);
    const float W = float(width()), H = float(height());
    const float L = fDScroll.RulerL, T = fDScroll.RulerT, R = fDScroll.RulerR, B = fDScroll.RulerB;

    if (rulers.GetShowSize() && fEditor->SizeSelection(1) >= 0) {
        aSize1 = fEditor->SizeSelection(3);
        aSize2 = fEditor->SizeSelection(4);
        const float y1 = std::max(float(CoordDY(float(aSize1), true)), T);
        float y2 = float(CoordDY(float(aSize2), true));
        aBand->SetColor(rulers.GetSizeColor());
        float limit = H;
        if (visible.testFlag(rvBottom)) {
            limit = H - B;
            y2 = std::min(y2, limit);
        }
        if (y1 < limit) {
            if (left)
                aCanvas.DrawRect(TRectF(L - 2, y1, L, y2), aBand);
            if (right)
                aCanvas.DrawRect(TRectF(W - R, y1, W - R + 2, y2), aBand);
        }
    }

    aBand->SetColor(rulers.GetTickColor());
    aBand->SetAntiAlias(false);
    aBand->SetStrokeWidth(0);
    aBand->SetStyle(TSkPaintStyle::Stroke);
    const TKVRRulerSteps steps = CheckTickPos(true, NumberRoom(aFont, aText));
    const float t = L >= 1 ? L : R;
    const float end = visible.testFlag(rvBottom) ? H - B : H;
    // Numbers read upwards, their digits centred in the outer part of the
    // band: upright, a number of two digits would not leave the marker room.
    const float cap = CapHeight(aFont);
    const float leftBase = (L - kMarkStrip) / 2 + cap / 2;
    const float rightBase = W - R + kMarkStrip + (R - kMarkStrip) / 2 + cap / 2;
    aCanvas.Save();
    aCanvas.ClipRect(TRectF(0, t, W, end));
    const auto pixel = [this](double v) { return CoordDY(float(v), true); };
    WalkTicks(steps, WorldY(t, true), WorldY(end, true), maxUnit, t, end, posL, pixel,
              [&](float y, float n, const QString& s) {
                  if (left)
                      aCanvas.DrawLine(L, y, L - n, y, aBand);
                  if (right)
                      aCanvas.DrawLine(W - R, y, W - R + n, y, aBand);
                  if (s.isEmpty())
                      return;
                  const float w = aFont->MeasureText(s, aText);
                  for (const auto& [shown, base] : {std::pair{left, leftBase}, std::pair{right, rightBase}}) {
                      if (!shown)
                          continue;
                      aCanvas.Save();
                      aCanvas.Translate(base, y);
                      aCanvas.Rotate(-90);
                      aCanvas.DrawSimpleText(s, -w / 2, 0, aFont, aText);
                      aCanvas.Restore();
                  }
              });
    aCanvas.Restore();

    if (!rulers.GetShowAlign())
        return;
    aBand->SetColor(fEditor->GetSelectionColors()->fAlign);
    aBand->SetStyle(TSkPaintStyle::Fill);
    const float y = float(CoordDY(float(double(rulers.fAlignTop) / 1000.0), true));
    if (y >= T && y <= H - B) {
        if (left)
            Triangle(aCanvas, aBand, {L - 2, y}, {L - kMarkStrip, y - 4}, {L - kMarkStrip, y + 4});
        if (right)
            Triangle(aCanvas, aBand, {W - R + 2, y}, {W - R + kMarkStrip, y - 4}, {W - R + kMarkStrip, y + 4});
    }
}

void TKVRBackEditor::DrawAlignLines(TSkCanvas& aCanvas)
{
    const TKVRRulers& rulers = *fEditor->GetRulers();
    if (!rulers.GetShowAlign())
        return;
    const float W = float(width()), H = float(height());
    const float L = fDScroll.RulerL, T = fDScroll.RulerT, R = fDScroll.RulerR, B = fDScroll.RulerB;
    auto paint = std::make_shared<TSkPaint>();
    paint->SetAntiAlias(false);
    paint->SetStyle(TSkPaintStyle::Stroke);
    paint->SetColor(fEditor->GetSelectionColors()->fAlign);
    paint->SetStrokeWidth(1.0f);
    paint->SetPathEffect(TSkPathEffect::MakeDash({4, 4}, 0));
    const float x = float(CoordDX(float(double(rulers.fAlignLeft) / 1000.0), true));
    if (x > L && x < W - R)
        aCanvas.DrawLine(x, T, x, H - B, paint);
    const float y = float(CoordDY(float(double(rulers.fAlignTop) / 1000.0), true));
    if (y > T && y < H - B)
        aCanvas.DrawLine(L, y, W - R, y, paint);
}
