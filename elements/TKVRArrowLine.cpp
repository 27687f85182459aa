#include "elements/TKVRArrowLine.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/KVR.Model.Utils.h"
#include "platform/rtl/KVR.Stream.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"
#include <algorithm>
#include <limits>
#include <numbers>

namespace {

constexpr int16_t kArrowOpen = 8;

double ToDegrees(double aRadians)
{
    return aRadians * 180.0 / std::numbers::pi;
}

// A paper width scaled into the model; the model keeps it in 32 bits.
int32_t ScaledWidth(int32_t aWidth, int32_t aScale)
{
    const int64_t w = int64_t(aWidth) * aScale;
    return int32_t(std::clamp<int64_t>(w, 0, std::numeric_limits<int32_t>::max()));
}

}  // namespace

TKVRArrowLine::TKVRArrowLine(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseArrowLine(aOwner, aPreview) {}

TKVRArrowLine::TKVRArrowLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseArrowLine(aOwner, aLayer, aPreview)
{
}

TKVRBaseItem* TKVRArrowLine::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                                  TKVRReadType aReadType)
{
    return KVRReadItem<TKVRArrowLine>(
        [&](TKVRArrowLine& item) { item.ReadData(aVersion, aReader, aReadType); }, aLabel,
        aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRArrowLine::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRArrowLine>([&](TKVRArrowLine& item) { item.ReadJson(aVersion, aJson); }, aLabel, false);
}

void TKVRArrowLine::CalcValues(int16_t aMode)
{
    TKVRBaseArrowLine::CalcValues(aMode);
    const QString text = GetText();
    if (text.isEmpty())
        return;
    const int32_t scale = GetDrawScale();
    int32_t asc = 0, des = 0, wid = 0;
    double ratio = 1.0;
    TKVRCalc::FontSettings(text, GetFontName(), GetBaseFontHeight(), GetBold(), GetItalic(), asc, des, wid, ratio);
    fTxtAscent = asc;
    fTxtDescent = des;
    fFontRatio = ratio;
    fTxtWidth = ScaledWidth(wid, scale);

    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const TKVRLineText pos =
        PosBaseLinesText(p1.X, p1.Y, p2.X, p2.Y, int64_t(GetBaseFontHeight()) * scale, fTxtWidth,
                         int64_t(asc) * scale, int64_t(des) * scale, GetTextPos());
    // The gap follows from the caption: written directly, so the layout does
    // not mark itself stale again.
    fPoints[2] = pos.GapStart;
    fPoints[3] = pos.GapEnd;
    fTxtX = pos.TextX;
    fTxtY = pos.TextY;
    fPrintX = pos.PrintX;
    fPrintY = pos.PrintY;
    fTxtAngle = pos.Angle;
}

void TKVRArrowLine::CheckFit(TKVRExtent& aExtent)
{
    TKVRBaseArrowLine::CheckFit(aExtent);
    if (!CaptionInGap())
        return;
    const int64_t half = GetBasePenWidth() / 2;
    for (int32_t i : {3, 4}) {
        const TKVRPto p = GetPoint(i);
        aExtent.IncludeWide(p.X, p.Y, half);
    }
}

void TKVRArrowLine::DrawText(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    const ISkTypeface typeface = TSkTypeface::MakeFromName(GetFontName(), GetFontStyle(GetBold(), GetItalic()));
    if (!typeface)
        return;
    const ISkFont font =
        std::make_shared<TSkFont>(typeface, float(GetFontHeight() * d->TextFactor * fFontRatio), 1.0f, 0.0f);
    // The caption's width stays the one the layout measured: a measure at the
    // screen's zoom would make the model's width depend on the last paint.
    d->kP->SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
    d->kP->SetStyle(TSkPaintStyle::Fill);
    d->kP->SetAntiAlias(true);
    d->kP->SetColor(GetFontColor());

    const double unit = double(GetDrawScale()) * 1000.0;
    const float x = float(double(d->ScreenOffsetX) + double(fTxtX) * d->TextFactor / unit);
    const float y = float(double(d->ScreenOffsetY) + double(fTxtY) * d->TextFactor / unit);
    const int32_t saved = d->kC->Save();
    try {
        d->kC->Translate(x, y);
        if (fTxtAngle != 0.0f)
            d->kC->Rotate(float(ToDegrees(fTxtAngle)));
        d->kC->DrawSimpleText(GetText(), 0, 0, font, d->kP);
    } catch (...) {
        d->kC->RestoreToCount(saved);
        throw;
    }
    d->kC->RestoreToCount(saved);
}

void TKVRArrowLine::Draw(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!GetText().isEmpty())
        DrawText(aDraw);

    d->kP->SetColor(GetColor());
    d->kP->SetStrokeCap(TSkStrokeCap::Butt);
    d->kP->SetStrokeWidth(d->BasePtoY(GetPenWidth()));
    AdjustLineType(d, GetLineType(), GetItemState());
    d->kP->SetAntiAlias(true);

    auto px = [d](const TKVRPto& p) { return d->ScreenOffsetX + p.DrawX(d); };
    auto py = [d](const TKVRPto& p) { return d->ScreenOffsetY + p.DrawY(d); };
    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    if (CaptionInGap()) {
        const TKVRPto p3 = GetPoint(3);
        const TKVRPto p4 = GetPoint(4);
        d->kC->DrawLine(px(p1), py(p1), px(p3), py(p3), d->kP);
        d->kC->DrawLine(px(p4), py(p4), px(p2), py(p2), d->kP);
    } else {
        d->kC->DrawLine(px(p1), py(p1), px(p2), py(p2), d->kP);
    }

    DrawTermType(d, GetFromType(), GetColor(), GetFromColor(), GetSizeFrom() * d->TextFactor / 2.0f, px(p1), py(p1),
                 px(p2), py(p2), kArrowOpen, false);
    DrawTermType(d, GetToType(), GetColor(), GetToColor(), GetSizeTo() * d->TextFactor / 2.0f, px(p2), py(p2), px(p1),
                 py(p1), kArrowOpen, false);
}

void TKVRArrowLine::Print(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    TCanvas* c = d->pC;
    if (!c)
        return;
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    c->Stroke().SetCap(TStrokeCap::Flat);
    c->Stroke().SetColor(GetColor());
    c->Stroke().SetThickness(d->DrawBasePtoX(GetPenWidth()));

    auto at = [d](const TKVRPto& p) {
        return TPointF(float(d->PrintOffsetX + p.PrintX(d)), float(d->PrintOffsetY + p.PrintY(d)));
    };
    const TPointF p1 = at(GetPoint(1));
    const TPointF p2 = at(GetPoint(2));
    if (CaptionInGap()) {
        c->DrawLine(p1, at(GetPoint(3)), 1.0f);
        c->DrawLine(at(GetPoint(4)), p2, 1.0f);
    } else {
        c->DrawLine(p1, p2, 1.0f);
    }

    if (GetFromType() != 0) {
        c->Fill().SetColor(GetFromColor());
        PrintTermType(d, GetFromType(), p1, p2, RoundHalfEven32(double(GetSizeFrom()) * d->TextFactor / 2.0),
                      kArrowOpen, false);
    }
    if (GetToType() != 0) {
        c->Fill().SetColor(GetToColor());
        PrintTermType(d, GetToType(), p2, p1, RoundHalfEven32(double(GetSizeTo()) * d->TextFactor / 2.0), kArrowOpen,
                      false);
    }

    const QString text = GetText();
    if (text.isEmpty())
        return;
    c->Font().SetFamily(GetFontName());
    c->Font().SetSize(FontPrintSize(float(GetFontHeight() * fFontRatio)));
    TFontStyles style = 0;
    if (GetBold())
        style |= FontStyleSet(TFontStyle::Bold);
    if (GetItalic())
        style |= FontStyleSet(TFontStyle::Italic);
    if (GetUnderline())
        style |= FontStyleSet(TFontStyle::Underline);
    c->Font().SetStyle(style);
    c->Stroke().SetColor(GetFontColor());
    c->Stroke().SetThickness(0.0f);
    c->Fill().SetKind(TBrushKind::Solid);
    c->Fill().SetColor(GetFontColor());

    const double unit = double(GetDrawScale()) * 1000.0;
    const float x = float(double(d->PrintOffsetX) + double(fPrintX) * d->TextFactor / unit);
    const float y = float(double(d->PrintOffsetY) + double(fPrintY) * d->TextFactor / unit);
    const TPointF offset = GetInternalTextOffset(*c, text);

    TCanvasStateGuard guard(*c);
    d->ResetMatrix(KVRDrawState::Print);
    if (fTxtAngle != 0.0f)
        d->Rotate(float(ToDegrees(fTxtAngle)));
    d->Translate(x + offset.X, y + offset.Y);
    d->ApplyMatrix();
    c->FillText(TRectF(0, 0, 50000, 50000), text, false, 255.0f, 0, TTextAlign::Leading, TTextAlign::Leading);
}
