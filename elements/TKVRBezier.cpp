#include "elements/TKVRBezier.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"

ISkPath TKVRBezier::GetPath(TKVRDraw* aDraw) const
{
    TSkPathBuilder builder;
    const int32_t n = NumPoints();
    if (n > 0) {
        builder.MoveTo(ScreenAt(GetPoint(1), aDraw));
        for (int32_t i = 2; i + 2 <= n; i += 3)
            builder.CubicTo(ScreenAt(GetPoint(i), aDraw), ScreenAt(GetPoint(i + 1), aDraw),
                            ScreenAt(GetPoint(i + 2), aDraw));
        if (GetFilled())
            builder.Close();
    }
    return builder.Detach();
}

void TKVRBezier::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    const int32_t n = NumPoints();
    TSkPaint& paint = *d->kP;
    paint.SetAntiAlias(true);
    // Without a whole segment there is no curve to paint.
    if (n >= 4) {
        const ISkPath path = GetPath(d);
        if (GetFilled()) {
            SetFillPaint(d, GetBackColor());
            d->kC->DrawPath(path, d->kP);
        }
        if (GetPenWidth() > 0) {
            paint.SetStrokeCap(TSkStrokeCap::Round);
            paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
            paint.SetStyle(TSkPaintStyle::Stroke);
            paint.SetColor(GetColor());
            // The curve keeps its own dash whatever the editor's highlight.
            AdjustLineType(d, GetLineType(), 0);
            d->kC->DrawPath(path, d->kP);
        }
    }
    if (GetFilled() || n < 2)
        return;
    // The marks' outlines take this element's pen, not the one left by the last element.
    paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
    DrawLineEnds(d, GetColor(), GetEnds(), ScreenAt(GetPoint(1), d), ScreenAt(GetPoint(2), d),
                 ScreenAt(GetPoint(n), d), ScreenAt(GetPoint(n - 1), d));
}

void TKVRBezier::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    const int32_t n = NumPoints();
    TCanvas& canvas = *d->pC;
    TStrokeBrush& stroke = canvas.Stroke();
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    if (n > 3) {
        TPathData path;
        path.MoveTo(PaperAt(GetPoint(1), d));
        for (int32_t i = 2; i + 2 <= n; i += 3)
            path.CurveTo(PaperAt(GetPoint(i), d), PaperAt(GetPoint(i + 1), d), PaperAt(GetPoint(i + 2), d));
        if (GetFilled()) {
            canvas.Fill().SetKind(TBrushKind::Solid);
            canvas.Fill().SetColor(GetBackColor());
            canvas.FillPath(path, 1.0f);
        }
        if (GetPenWidth() > 0) {
            stroke.SetKind(TBrushKind::Solid);
            stroke.SetColor(GetColor());
            stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
            stroke.SetCap(TStrokeCap::Flat);
            stroke.SetJoin(TStrokeJoin::Miter);
            canvas.DrawPath(path, 1.0f);
        }
    }
    if (n < 2)
        return;
    // Marks are printed filled or not, outlined with this element's pen.
    stroke.SetKind(TBrushKind::Solid);
    stroke.SetColor(GetColor());
    stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
    PrintLineEnds(d, GetEnds(), PaperAt(GetPoint(1), d), PaperAt(GetPoint(2), d), PaperAt(GetPoint(n), d),
                  PaperAt(GetPoint(n - 1), d));
}
