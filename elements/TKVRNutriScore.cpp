#include "elements/TKVRNutriScore.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

const QString kFontName = QStringLiteral("Arial");

// The cell area and the font size of the letters: cell A's height less two gap values.
float LetterSize(const TRectF& aArea, float aGap, float aGrow, TKVRAngle aAngle, TKVRNutriType aType)
{
    float step = SizeScore(aArea, aGap, aAngle, aType) / 5.0f;
    TRectF a;
    ScoreRect(aArea, a, step, aAngle, aType);
    return NutriFontSize(a.Height(), 2.0f * aGrow);
}

TRectF Shrunk(const TRectF& aBox, float aBy)
{
    return TRectF(aBox.Left + aBy, aBox.Top + aBy, aBox.Right - aBy, aBox.Bottom - aBy);
}

// Text on the printer canvas with its upper-left corner at (aX, aY) page
// units, turned by aTurn quarter turns (-90 degrees each); the canvas's text
// offset turns with the text, so the glyphs start at that corner.
void PrintTurnedText(TKVRDraw* aDraw, const QString& aText, float aX, float aY, int32_t aTurn, TAlphaColor aColor)
{
    TCanvas& c = *aDraw->pC;
    const TPointF o = GetInternalTextOffset(c, aText);
    TCanvasStateGuard guard(c);
    c.Fill().SetKind(TBrushKind::Solid);
    c.Fill().SetColor(aColor);
    c.Stroke().SetColor(aColor);
    c.Stroke().SetThickness(0.0f);
    aDraw->ResetMatrix(KVRDrawState::Print);
    if (aTurn != 0)
        aDraw->Rotate(-90.0f * float(aTurn));
    switch (aTurn) {
    case 1: aDraw->Translate(aX + o.Y, aY - o.X); break;
    case 2: aDraw->Translate(aX - o.X, aY - o.Y); break;
    case 3: aDraw->Translate(aX - o.Y, aY + o.X); break;
    default: aDraw->Translate(aX + o.X, aY + o.Y); break;
    }
    aDraw->ApplyMatrix();
    c.FillText(TRectF(0, 0, 50000, 50000), aText, false, 255.0f, 0, TTextAlign::Leading, TTextAlign::Leading);
    aDraw->ResetMatrix(KVRDrawState::Print);
}

int32_t AngleTurn(TKVRAngle aAngle)
{
    return uint8_t(aAngle) <= 3 ? int32_t(aAngle) : 0;
}

}  // namespace

QChar TKVRNutriScore::ShownLetter(TKVRDrawState aState) const
{
    return IsEditorState(aState) ? GetValue() : RecordLetter();
}

float TKVRNutriScore::Px(float aValue, int32_t aResolution) const
{
    if (const TKVRBaseLabel* owner = GetOwner())
        return owner->GetDrawValue(aValue, aResolution);
    return float(double(aValue) * double(GetUnitSize()) * aResolution / (25400.0 * GetDrawScale()));
}

TKVRNutriScore::TLayout TKVRNutriScore::Layout(const TKVRDraw* aDraw, float aOriginX, float aOriginY) const
{
    const int32_t dx = aDraw->ResolutionX, dy = aDraw->ResolutionY;
    const TKVRPto p1 = GetPoint(1);
    const float left = aOriginX + p1.DrawX(aDraw) + Px(GetMargin(), dx);
    const float top = aOriginY + p1.DrawY(aDraw) + Px(GetMargin(), dy);
    TLayout l;
    l.Box = TRectF(left, top, left + Px(GetWidth() - 2.0f * GetMargin(), dx),
                   top + Px(GetHeight() - 2.0f * GetMargin(), dy));
    l.Gap = Px(GetGap(), dx);
    l.Grow = Px(GetGapValue(), dx);
    return l;
}

void TKVRNutriScore::Draw(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    const int32_t current = NutriLetterIndex(ShownLetter(d->DrawState));
    const TKVRNutriType type = GetNutriType();
    const TKVRAngle angle = GetAngle();
    const bool mono = GetMonochrome();
    const ISkCanvas& canvas = d->kC;
    const ISkPaint& paint = d->kP;
    paint->SetPathEffect(nullptr);
    paint->SetAntiAlias(true);

    // Frame: a filled one straddles the edge, an outline alone lies inside it.
    TKVRBoxStyle frame;
    frame.Filled = GetFilled() && Alpha() != 0 && !mono;
    frame.BackColor = GetBackColor();
    frame.PenWidth = GetPenWidth();
    frame.Color = mono ? TAlphaColors::Black : GetColor();
    frame.RadiusX = Px(GetRadio(), d->ResolutionX);
    frame.RadiusY = Px(GetRadio(), d->ResolutionY);
    DrawBox(d, ScreenBox(*this, d), frame, !frame.Filled);

    TLayout l = Layout(d, d->ScreenOffsetX, d->ScreenOffsetY);
    const ISkTypeface typeface = TSkTypeface::MakeFromName(kFontName, GetFontStyle(false, false));
    if (GetShowTitle()) {
        const float size = NutriFontSize(NutriTitleBand(l.Box, angle, type), l.Grow);
        if (size > 0.0f && typeface && !GetTitle().isEmpty()) {
            const ISkFont font = std::make_shared<TSkFont>(typeface, size, 1.0f, 0.0f);
            TSkFontMetrics m;
            font->GetMetrics(m);
            SetTextPaint(d, mono ? TAlphaColors::Black : GetTitleColor());
            const TPointF at = NutriTxtPos(l.Box.Left, l.Box.Top, l.Box.Width(), l.Box.Height(), angle, type);
            const TKVRSkCanvasSave save(*canvas);
            canvas->Translate(at.X, at.Y);
            if (const float turn = NutriTitleDegrees(angle, type); turn != 0.0f)
                canvas->Rotate(turn);
            canvas->DrawSimpleText(GetTitle(), 0.0f, std::fabs(m.Ascent), font, paint);
        }
        AdjustNutriTitle(l.Box, angle, type);
    }

    const TRectF area = Shrunk(l.Box, l.Grow);
    const float letterSize = LetterSize(area, l.Gap, l.Grow, angle, type);
    ISkFont font;
    TSkFontMetrics m;
    if (letterSize > 0.0f && typeface) {
        font = std::make_shared<TSkFont>(typeface, letterSize, 1.0f, 0.0f);
        font->GetMetrics(m);
    }
    const float innerX = Px(GetInnerRadio(), d->ResolutionX), innerY = Px(GetInnerRadio(), d->ResolutionY);
    for (const TKVRNutriCell& cell : NutriPaintOrder(area, l.Gap, l.Grow, angle, type, current)) {
        TKVRBoxStyle style;
        style.RadiusX = innerX;
        style.RadiusY = innerY;
        if (mono) {
            style.Filled = cell.Current;
            style.BackColor = TAlphaColors::Black;
            style.PenWidth = cell.Current ? 0.0f : GetPenWidth();
            style.Color = TAlphaColors::Black;
        } else {
            style.Filled = true;
            style.BackColor = GetCellColor(cell.Index);
        }
        DrawBox(d, cell.Rect, style, false);
        if (!font)
            continue;
        const QString letter(NutriCellLetter(cell.Index));
        SetTextPaint(d, cell.Current ? (mono ? TAlphaColors::White : GetValueColor())
                                     : (mono ? TAlphaColors::Black : GetCharColor()));
        const float w = font->MeasureText(letter, paint);
        const float h = std::fabs(m.Ascent) + std::fabs(m.Descent);
        const TPointF c = cell.Rect.CenterPoint();
        const TPointF at = DrawTxtPos(c.X, c.Y, l.Gap, l.Gap, w, h, TKVRHorzAlign::Center, TKVRVertAlign::Center, angle);
        const TKVRSkCanvasSave save(*canvas);
        canvas->Translate(at.X, at.Y);
        if (const float turn = TurnDegrees(angle); turn != 0.0f)
            canvas->Rotate(turn);
        canvas->DrawSimpleText(letter, 0.0f, std::fabs(m.Ascent), font, paint);
    }
    DrawDataMarker(d, *this);
}

void TKVRNutriScore::Print(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TCanvas& c = *d->pC;
    // Each printed label takes the record it is printed for.
    const int32_t current = NutriLetterIndex(RecordLetter());
    const TKVRNutriType type = GetNutriType();
    const TKVRAngle angle = GetAngle();
    const bool mono = GetMonochrome();
    const float k = d->TextFactor;
    c.Stroke().SetCap(TStrokeCap::Flat);

    // Frame: no alpha test on paper; the outline straddles the edge.
    TKVRBoxStyle frame;
    frame.Filled = GetFilled() && !mono;
    frame.BackColor = GetBackColor();
    frame.PenWidth = GetPenWidth();
    frame.Color = mono ? TAlphaColors::Black : GetColor();
    frame.RadiusX = frame.RadiusY = GetRadio() > 0.0f ? GetMMRadio() * k : 0.0f;
    frame.Patterned = true;  // line type 0: a solid line
    PrintBox(d, PaperBox(*this, d), frame);

    TLayout l = Layout(d, float(d->PrintOffsetX), float(d->PrintOffsetY));
    SetPrintFont(c, kFontName, 0.0f, false, false, false);
    d->ResetMatrix(KVRDrawState::Print);
    if (GetShowTitle()) {
        const float size = NutriFontSize(NutriTitleBand(l.Box, angle, type), l.Grow);
        if (size > 0.0f && !GetTitle().isEmpty()) {
            c.Font().SetSize(FontPrintSize(size / k));
            const TKVRPto p1 = GetPoint(1);
            const TKVRBaseLabel* owner = GetOwner();
            const int32_t mx = owner ? owner->GetPrintValue(GetMargin(), d->ResolutionX)
                                     : RoundHalfEven32(Px(GetMargin(), d->ResolutionX));
            const int32_t my = owner ? owner->GetPrintValue(GetMargin(), d->ResolutionY)
                                     : RoundHalfEven32(Px(GetMargin(), d->ResolutionY));
            int32_t x = 0, y = 0;
            auto clamp32 = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
            NutriPrintTxtPos(clamp32(int64_t(p1.PrintX(d)) + mx), clamp32(int64_t(p1.PrintY(d)) + my),
                             RoundHalfEven32(l.Box.Width()),
                             RoundHalfEven32(l.Box.Height()), angle, type, x, y);
            PrintTurnedText(d, GetTitle(), float(int64_t(d->PrintOffsetX) + x), float(int64_t(d->PrintOffsetY) + y),
                            NutriTurn(angle, type), mono ? TAlphaColors::Black : GetTitleColor());
        }
        AdjustNutriTitle(l.Box, angle, type);
    }

    const TRectF area = Shrunk(l.Box, l.Grow);
    const float letterSize = LetterSize(area, l.Gap, l.Grow, angle, type);
    if (letterSize > 0.0f)
        c.Font().SetSize(FontPrintSize(letterSize / k));
    const float inner = GetInnerRadio() > 0.0f ? GetMMInnerRadio() * k : 0.0f;
    for (const TKVRNutriCell& cell : NutriPaintOrder(area, l.Gap, l.Grow, angle, type, current)) {
        TKVRBoxStyle style;
        style.RadiusX = style.RadiusY = inner;
        style.Patterned = true;
        if (mono) {
            style.Filled = cell.Current;
            style.BackColor = TAlphaColors::Black;
            style.PenWidth = cell.Current ? 0.0f : GetPenWidth();
            style.Color = TAlphaColors::Black;
        } else {
            style.Filled = true;
            style.BackColor = GetCellColor(cell.Index);
        }
        PrintBox(d, cell.Rect, style);
        if (!(letterSize > 0.0f))
            continue;
        const QString letter(NutriCellLetter(cell.Index));
        const TPointF s = GetTextSize(c, letter);
        const TPointF centre = cell.Rect.CenterPoint();
        int32_t x = 0, y = 0;
        PrintTxtPos(RoundHalfEven32(centre.X), RoundHalfEven32(centre.Y), 0, 0, RoundHalfEven32(s.X),
                    RoundHalfEven32(s.Y), TKVRHorzAlign::Center, TKVRVertAlign::Center, angle, x, y);
        PrintTurnedText(d, letter, float(x), float(y), AngleTurn(angle),
                        cell.Current ? (mono ? TAlphaColors::White : GetValueColor())
                                     : (mono ? TAlphaColors::Black : GetCharColor()));
    }
}
