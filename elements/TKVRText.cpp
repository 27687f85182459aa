#include "elements/TKVRText.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/text/KVR.BidiPlaces.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"
#include <cmath>


TKVRText::TKVRText(TKVRBaseLabel* aOwner) : TKVRBaseText(aOwner, false)
{
    IniText();
}

TKVRText::TKVRText(TKVRBaseLabel* aOwner, TKVRLayer* aLayer) : TKVRBaseText(aOwner, aLayer, false)
{
    IniText();
}

TKVRText::TKVRText(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseText(aOwner, aPreview)
{
}

void TKVRText::IniText()
{
    SetBaseFontHeight(10000);
    SetScale(1.0f);
}

void TKVRText::CalcValues(int16_t aMode)
{
    TKVRBaseText::CalcValues(aMode);
    TKVRCalc::FontSettings(GetFontName(), GetBaseFontHeight(), GetBold(), GetItalic(), Ascent, Descent, UnderlinePos,
                           LineHeight, Ratio);
    TextWidth = TKVRCalc::CalcTxtSize(DisplayText);
    if (Scale != 1.0f)
        TextWidth = RoundHalfEven32(double(TextWidth) * double(Scale));
    UpdateBounds();
}

bool TKVRText::IsEditedInPlace() const
{
    const TKVRBaseLabel* owner = GetOwner();
    if (!owner || GetItemState() != 1 || !owner->GetEditable())
        return false;
    const uint8_t action = owner->GetAct().fCurAction;
    return action == TAct::ActWriteText || action == TAct::ActEditText;
}

void TKVRText::DrawBox(TKVRDraw* d)
{
    const TKVRRect b = GetBounds();
    const TRectF r(DrawFromBaseX(b.Left, d) + d->ScreenOffsetX, DrawFromBaseY(b.Top, d) + d->ScreenOffsetY,
                   DrawFromBaseX(b.Right, d) + d->ScreenOffsetX, DrawFromBaseY(b.Bottom, d) + d->ScreenOffsetY);
    // The frame lies inside the bounds.
    ::DrawBox(d, r, BoxStyle(d), true);
}

TKVRBoxStyle TKVRText::BoxStyle(const TKVRDraw* d) const
{
    return {GetFilled(), GetBackColor(), GetPenWidth(), GetColor(), ModelToPixels(*this, GetBaseRadio(), d->ResolutionX, d),
            ModelToPixels(*this, GetBaseRadio(), d->ResolutionY, d)};
}

void TKVRText::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    const ISkCanvas& canvas = d->kC;
    const ISkPaint& paint = d->kP;
    const float sx = d->ScreenOffsetX;
    const float sy = d->ScreenOffsetY;

    const ISkTypeface typeface = TSkTypeface::MakeFromName(GetFontName(), GetFontStyle(GetBold(), GetItalic()));
    const ISkFont font =
        std::make_shared<TSkFont>(typeface, float(GetFontHeight() * d->TextFactor * Ratio), Scale, 0.0f);
    TSkFontMetrics m;
    font->GetMetrics(m);
    const float A = std::fabs(m.Ascent);
    const float D = std::fabs(m.Descent);
    const float U = std::fabs(m.UnderlinePosition);
    const float H = A + D;

    paint->SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
    paint->SetStyle(TSkPaintStyle::Fill);
    paint->SetAntiAlias(true);
    paint->SetColor(GetFontColor());

    const TKVRPto ref = GetPoint(1);
    const float padX = ModelToPixels(*this, GetBasePadX(), d->ResolutionX, d);
    const float padY = ModelToPixels(*this, GetBasePadY(), d->ResolutionY, d);
    const bool editing = IsEditedInPlace();

    const float w = font->MeasureText(DisplayText, paint);
    if (editing) {
        // Only the editor's own pass measures into the element; every other
        // paint (the export job's among them) leaves it as the layout made it.
        Measuring = true;
        Ascent = d->BaseValueY(m.Ascent);
        Descent = d->BaseValueY(m.Descent);
        si.cy = std::abs(RoundHalfEven32(m.Ascent)) + std::abs(RoundHalfEven32(m.Descent));
        // The caret stands where its character is painted, right-to-left letters from the right.
        const TKVRBidiPlaces places(d->aTxt, [&](int32_t k) { return double(font->MeasureText(d->aTxt.left(k), paint)); });
        si.cx = d->aTxt.isEmpty() ? 0 : RoundHalfEven32(float(places.CaretX(std::max(d->aPos, 0))));
    }
    const TPointF o = DrawTxtPos(ref.DrawX(d) + sx, ref.DrawY(d) + sy, padX, padY, w, H, GetHorzAlign(),
                                 GetVertAlign(), GetAngle());
    if (editing) {
        TextWidth = d->BaseValueX(w);
        if (LineHeight == 0) {
            int32_t asc = 0, des = 0;
            TKVRCalc::FontSettings(GetFontName(), GetBaseFontHeight(), GetBold(), GetItalic(), asc, des, UnderlinePos,
                                   LineHeight, Ratio);
            Ascent = asc;
            Descent = des;
        }
        UpdateBounds();
        Measuring = false;
    }

    DrawBox(d);
    if (!editing)
        DrawDataMarker(d, *this);

    paint->SetColor(GetFontColor());
    const TKVRSkCanvasSave save(*canvas);
    canvas->Translate(o.X, o.Y);
    if (const float turn = TurnDegrees(GetAngle()); turn != 0.0f)
        canvas->Rotate(turn);
    if (GetUnderline()) {
        paint->SetStrokeCap(TSkStrokeCap::Butt);
        paint->SetStrokeWidth(1.0f);
        paint->SetPathEffect(nullptr);
        paint->SetStyle(TSkPaintStyle::Stroke);
        paint->SetAntiAlias(false);
        const float u = H - U;
        canvas->DrawLine(0.0f, u, w, u, paint);
        paint->SetAntiAlias(true);
    }
    paint->SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
    paint->SetStyle(TSkPaintStyle::Fill);

    if (!editing && d->DrawState == KVRDrawState::Editor && MaxWidth > 0 && MaxWidth < TextWidth) {
        // The editor shows only the part of the text within the maximum width.
        const float mw = d->DrawValueX(MaxWidth);
        float left = 0.0f, right = mw;
        const auto h = uint8_t(GetHorzAlign());
        if (h == 1 || h == 3) {
            left = (w - mw) / 2.0f;
            right = (w + mw) / 2.0f;
        } else if (h == 2) {
            left = w - mw;
            right = w;
        }
        const TKVRSkCanvasSave clip(*canvas);
        canvas->ClipRect(TRectF(left, -2.0f * A, right, 2.0f * A + D), TSkClipOp::Intersect, false);
        canvas->DrawSimpleText(DisplayText, 0.0f, A, font, paint);
    } else {
        canvas->DrawSimpleText(DisplayText, 0.0f, A, font, paint);
    }

    if (editing && d->aFocused) {
        paint->SetColor(0xFFFF0000u);
        paint->SetStrokeWidth(1.0f);
        paint->SetPathEffect(nullptr);
        paint->SetStyle(TSkPaintStyle::Stroke);
        canvas->DrawLine(float(si.cx), 0.0f, float(si.cx), float(si.cy), paint);
    }
}

void TKVRText::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TCanvas& c = *d->pC;
    const QString text = PrintText();

    SetPrintFont(c, GetFontName(), float(FontPrintSize(GetFontHeight()) * Ratio), GetBold(), GetItalic(),
                 GetUnderline());

    const TPointF size = GetTextSize(c, text);
    // The frame and the text origin both take the stretched width.
    const float tw = size.X * Scale;
    const float th = size.Y;
    c.Stroke().SetDash(TStrokeDash::Solid);
    c.Stroke().SetCap(TStrokeCap::Flat);

    const TKVRPto ref = GetPoint(1);
    const float padX = ModelToPixels(*this, GetBasePadX(), d->ResolutionX, d);
    const float padY = ModelToPixels(*this, GetBasePadY(), d->ResolutionY, d);
    if (GetPenWidth() > 0.0f || GetFilled()) {
        const float x = PaperCellX(d, ref.DrawX(d));
        const float y = PaperCellY(d, ref.DrawY(d));
        TRectF r(x, y, x + tw + 2.0f * padX, y + th + 2.0f * padY);
        AdjustRect(r, GetHorzAlign(), GetVertAlign(), GetAngle());
        PrintBox(d, r, BoxStyle(d));
    }

    const TPointF o =
        DrawTxtPos(ref.DrawX(d), ref.DrawY(d), padX, padY, tw, th, GetHorzAlign(), GetVertAlign(), GetAngle());
    const TPointF off = GetInternalTextOffset(c, text);

    TCanvasStateGuard guard(c);
    c.Stroke().SetColor(GetFontColor());
    c.Stroke().SetThickness(0.0f);
    c.Fill().SetKind(TBrushKind::Solid);
    c.Fill().SetColor(GetFontColor());

    d->ResetMatrix(KVRDrawState::Print);
    if (Scale != 1.0f)
        d->Scale(Scale, 1.0f);
    if (GetAngle() != TKVRAngle::Angle0)
        d->Rotate(TurnDegrees(GetAngle()));
    switch (GetAngle()) {
    case TKVRAngle::Angle90: d->Translate(PaperCellX(d, o.X + off.Y), PaperCellY(d, o.Y - off.X)); break;
    case TKVRAngle::Angle180: d->Translate(PaperCellX(d, o.X - off.X), PaperCellY(d, o.Y - off.Y)); break;
    case TKVRAngle::Angle270: d->Translate(PaperCellX(d, o.X - off.Y), PaperCellY(d, o.Y + off.X)); break;
    default: d->Translate(PaperCellX(d, o.X + off.X), PaperCellY(d, o.Y + off.Y)); break;
    }
    d->ApplyMatrix();
    c.FillText(TRectF(0.0f, 0.0f, 50000.0f, 50000.0f), text, false, 255.0f, 0, TTextAlign::Leading,
               TTextAlign::Leading);
}
