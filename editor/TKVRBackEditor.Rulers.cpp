// The rulers along the surface's sides, graduated in the label's unit at the
// drawing scale, the selection band, and the two guides with their markers.
#include "editor/TKVRBackEditor.h"
#include "editor/TKVRBaseEditor.h"
#include "platform/rtl/text/KVR.FormatFloat.h"
#include "platform/skia/TSkCanvas.h"
#include "platform/skia/TSkFont.h"
#include "platform/skia/TSkPaint.h"
#include "platform/skia/TSkPath.h"
#include "render/KVR.FMX.Text.h"
#include <cmath>
#include <vector>

namespace {
// Ticks stand at i x step; a value counts as whole (or as a label position)
// within a thousandth, on either side, so sums of tenths do not miss one.
bool IsWhole(double aValue)
{
    return std::fabs(aValue - std::nearbyint(aValue)) < 0.001;
}

const std::vector<double>& MinorSteps(TKVRUnits aUnits)
{
    static const std::vector<double> mm{0.5, 1, 2, 5, 10};
    static const std::vector<double> inch{0.1, 0.2, 0.5, 1, 2, 5, 10};
    static const std::vector<double> cm{0.2, 0.5, 1, 2, 5, 10};
    static const std::vector<double> large{0.1, 0.2, 0.5, 1, 2, 5, 10, 50, 100};
    switch (aUnits) {
    case TKVRUnits::Inch: return inch;
    case TKVRUnits::Centimetre: return cm;
    case TKVRUnits::Decimetre:
    case TKVRUnits::Metre:
    case TKVRUnits::Foot:
    case TKVRUnits::Yard: return large;
    default: return mm;
    }
}

void Triangle(TSkCanvas& aCanvas, const ISkPaint& aPaint, TPointF a, TPointF b, TPointF c)
{
    TSkPathBuilder path;
    path.MoveTo(a);
    path.LineTo(b);
    path.LineTo(c);
    path.Close();
    aCanvas.DrawPath(path.Detach(), aPaint);
}
}  // namespace

void TKVRBackEditor::CheckTickPos(bool aVertical)
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
    const auto length = [&](double v) { return aVertical ? CoordDY(float(v), false) : CoordDX(float(v), false); };
    const auto field = [&](double v) -> int32_t* {
        const std::pair<double, int32_t*> fields[] = {{0.1, &pos01}, {0.2, &pos02}, {0.5, &pos05},
                                                      {1, &pos1},    {2, &pos2},    {5, &pos5},
                                                      {10, &pos10},  {50, &pos50},  {100, &pos100}};
        for (const auto& [value, f] : fields)
            if (std::fabs(value - v) < 0.001)
                return f;
        return nullptr;
    };
    double minor = 0;
    for (double v : MinorSteps(Units())) {
        const int32_t px = length(v);
        if (px >= 5) {
            minor = v;
            if (int32_t* f = field(v))
                *f = px;
            break;
        }
    }
    for (double v : {0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0, 50.0, 100.0}) {
        if ((v == 0.5 && minor == 0.2) || (v == 5.0 && minor == 2.0))
            continue;  // every label falls on a tick
        if (length(v) > 20) {
            aPosT = v;
            break;
        }
    }
    fIncS = minor > 0 ? float(minor) : 1000.0f;
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
    return FormatFloat(aLabelStep < 1 && !IsWhole(aPos) ? QStringLiteral("0.0") : QStringLiteral("0"), aPos);
}

void TKVRBackEditor::PaintTopBottomRuler(TSkCanvas& aCanvas, const ISkPaint& aBand, const ISkPaint& aText,
                                         const ISkFont& aFont, float aTextHeight)
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
    CheckTickPos(false);
    const float t = T >= 1 ? T : B;
    const int32_t half = int32_t(t) / 2;
    for (int64_t i = 0;; ++i) {
        posL = double(i) * fIncS;
        if (posL > maxUnit + 1e-9)
            break;
        const float x = float(CoordDX(float(posL), true));
        if (visible.testFlag(rvRight) && x > W - t)
            break;
        if (x > W)
            break;
        if (x < t)
            continue;
        const bool label = aPosT > 0 && IsWhole(posL / aPosT);
        const float n = label ? 3.0f : (IsWhole(posL) ? 8.0f : 4.0f);
        if (top)
            aCanvas.DrawLine(x, T, x, T - n, aBand);
        if (bottom)
            aCanvas.DrawLine(x, H - B, x, H - B + n, aBand);
        if (!label)
            continue;
        const QString s = TickText(posL, aPosT);
        const float w = aFont->MeasureText(s, aText);
        if (top)
            aCanvas.DrawSimpleText(s, x - w / 2, half - aTextHeight / 2, aFont, aText);
        if (bottom)
            aCanvas.DrawSimpleText(s, x - w / 2, (H - half) - aTextHeight / 2, aFont, aText);
    }

    if (!rulers.GetShowAlign())
        return;
    aBand->SetColor(fEditor->GetSelectionColors()->fAlign);
    aBand->SetStyle(TSkPaintStyle::Fill);
    const float x = float(CoordDX(float(double(rulers.fAlignLeft) / 1000.0), true));
    if (x >= L && x <= W - R) {
        if (top)
            Triangle(aCanvas, aBand, {x, T - 2}, {x - 4, T - 8}, {x + 4, T - 8});
        if (bottom)
            Triangle(aCanvas, aBand, {x, H - B + 2}, {x - 4, H - B + 8}, {x + 4, H - B + 8});
    }
    if (top && visible.testFlag(rvLeft)) {
        aText->SetColor(fEditor->GetSelectionColors()->fAlignText);
        const float a = std::fabs(aTextHeight);
        const QString left = FormatFloat(QStringLiteral("0.#"), double(rulers.fAlignLeft) / 1000.0);
        const QString topText = FormatFloat(QStringLiteral("0.#"), double(rulers.fAlignTop) / 1000.0);
        aCanvas.DrawSimpleText(left, (L - aFont->MeasureText(left, aText)) / 2, (T / 2 + a) / 2 - 2, aFont, aText);
        aCanvas.DrawSimpleText(topText, (L - aFont->MeasureText(topText, aText)) / 2, T / 2 + (T / 2 + a) / 2 - 2,
                               aFont, aText);
        aText->SetColor(rulers.GetFontColor());
    }
}

void TKVRBackEditor::PaintLeftRightRuler(TSkCanvas& aCanvas, const ISkPaint& aBand, const ISkPaint& aText,
                                         const ISkFont& aFont, float aTextHeight)
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
    CheckTickPos(true);
    const float t = L >= 1 ? L : R;
    const int32_t half = int32_t(t) / 2;
    for (int64_t i = 0;; ++i) {
        posL = double(i) * fIncS;
        if (posL > maxUnit + 1e-9)
            break;
        const float y = float(CoordDY(float(posL), true));
        if (visible.testFlag(rvBottom) && y > H - B)
            break;
        if (y > H)
            break;
        if (y < t)
            continue;
        const bool label = aPosT > 0 && IsWhole(posL / aPosT);
        const float n = label ? 3.0f : (IsWhole(posL) ? 8.0f : 4.0f);
        if (left)
            aCanvas.DrawLine(L, y, L - n, y, aBand);
        if (right)
            aCanvas.DrawLine(W - R, y, W - R + n, y, aBand);
        if (!label)
            continue;
        const QString s = TickText(posL, aPosT);
        const float w = aFont->MeasureText(s, aText);
        if (left)
            aCanvas.DrawSimpleText(s, half - w / 2, y - aTextHeight / 2, aFont, aText);
        if (right)
            aCanvas.DrawSimpleText(s, (W - half) - w / 2, y - aTextHeight / 2, aFont, aText);
    }

    if (!rulers.GetShowAlign())
        return;
    aBand->SetColor(fEditor->GetSelectionColors()->fAlign);
    aBand->SetStyle(TSkPaintStyle::Fill);
    const float y = float(CoordDY(float(double(rulers.fAlignTop) / 1000.0), true));
    if (y >= T && y <= H - B) {
        if (left)
            Triangle(aCanvas, aBand, {L - 2, y}, {L - 8, y - 4}, {L - 8, y + 4});
        if (right)
            Triangle(aCanvas, aBand, {W - R + 2, y}, {W - R + 8, y - 4}, {W - R + 8, y + 4});
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
