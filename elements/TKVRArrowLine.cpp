#include "elements/TKVRArrowLine.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"
#include <algorithm>
#include <limits>

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
    fTxtWidth = ScaledCaptionWidth(wid, scale);

    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const TKVRLineEnds ends = GetEnds();
    const TKVRLineText pos =
        PosBaseLinesText(p1.X, p1.Y, p2.X, p2.Y, int64_t(GetBaseFontHeight()) * scale, fTxtWidth,
                         int64_t(asc) * scale, int64_t(des) * scale, GetTextPos(),
                         MarkLength(ends.FromType, ends.SizeFrom, scale), MarkLength(ends.ToType, ends.SizeTo, scale));
    // The gap follows from the caption: written directly, so the layout does
    // not mark itself stale again.
    fPoints[2] = pos.GapStart;
    fPoints[3] = pos.GapEnd;
    fTxtX = pos.TextX;
    fTxtY = pos.TextY;
    fPrintX = pos.PrintX;
    fPrintY = pos.PrintY;
    fTxtAngle = pos.Angle;
    // The bounds reach the new gap points.
    UpdateBounds();
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

TKVRLineCaption TKVRArrowLine::Caption() const
{
    return {GetText(), GetFontName(), GetFontColor(), GetFontHeight(), GetBold(), GetItalic(), GetUnderline(),
            fFontRatio, GetTextAnchor(), GetPrintAnchor(), fTxtAngle, GetDrawScale()};
}

void TKVRArrowLine::DrawText(TKVRBaseDraw* aDraw)
{
    // The caption's width stays the one the layout measured: a measure at the
    // screen's zoom would make the model's width depend on the last paint.
    DrawLineCaption(static_cast<TKVRDraw*>(aDraw), Caption());
}

void TKVRArrowLine::Draw(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    if (!GetText().isEmpty())
        DrawText(aDraw);

    SetLinePaint(d, GetColor(), GetPenWidth());
    AdjustLineType(d, GetLineType(), GetItemState());
    d->kP->SetAntiAlias(true);

    const TPointF p1 = ScreenAt(GetPoint(1), d);
    const TPointF p2 = ScreenAt(GetPoint(2), d);
    if (CaptionInGap()) {
        d->kC->DrawLine(p1, ScreenAt(GetPoint(3), d), d->kP);
        d->kC->DrawLine(ScreenAt(GetPoint(4), d), p2, d->kP);
    } else {
        d->kC->DrawLine(p1, p2, d->kP);
    }
    DrawLineEnds(d, GetColor(), GetEnds(), p1, p2, p2, p1);
}

void TKVRArrowLine::Print(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TCanvas* c = d->pC;
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    c->Stroke().SetCap(TStrokeCap::Flat);
    c->Stroke().SetColor(GetColor());
    c->Stroke().SetThickness(d->DrawBasePtoX(GetPenWidth()));

    const TPointF p1 = PrintAt(GetPoint(1), d);
    const TPointF p2 = PrintAt(GetPoint(2), d);
    if (CaptionInGap()) {
        c->DrawLine(p1, PrintAt(GetPoint(3), d), 1.0f);
        c->DrawLine(PrintAt(GetPoint(4), d), p2, 1.0f);
    } else {
        c->DrawLine(p1, p2, 1.0f);
    }
    PrintLineEnds(d, GetEnds(), p1, p2, p2, p1);
    if (!GetText().isEmpty())
        PrintLineCaption(d, Caption());
}
