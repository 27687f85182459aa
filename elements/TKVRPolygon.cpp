#include "elements/TKVRPolygon.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"

ISkPath TKVRPolygon::GetPath(TKVRDraw* aDraw) const
{
    return ChainPath(*this, aDraw, true);
}

void TKVRPolygon::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d) || NumPoints() < 2)
        return;
    TSkPaint& paint = *d->kP;
    const ISkPath path = GetPath(d);
    if (GetFilled()) {
        // Painted with the antialiasing as found.
        SetFillPaint(d, GetBackColor());
        d->kC->DrawPath(path, d->kP);
    }
    paint.SetAntiAlias(true);
    paint.SetColor(GetColor());
    paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
    AdjustLineType(d, GetLineType(), GetItemState());
    paint.SetStyle(TSkPaintStyle::Stroke);
    d->kC->DrawPath(path, d->kP);
}

void TKVRPolygon::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d) || NumPoints() < 2)
        return;
    TCanvas& canvas = *d->pC;
    const TPolygon pts = PaperPoints(*this, d);
    if (GetFilled()) {
        canvas.Fill().SetKind(TBrushKind::Solid);
        canvas.Fill().SetColor(GetBackColor());
        canvas.FillPolygon(pts, 1.0f);
    }
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    if (GetPenWidth() > 0) {
        TStrokeBrush& stroke = canvas.Stroke();
        stroke.SetKind(TBrushKind::Solid);
        stroke.SetColor(GetColor());
        // The pen in printer units, as the screen shows it.
        stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
        canvas.DrawPolygon(pts, 1.0f);
    }
}
