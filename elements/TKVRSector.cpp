#include "elements/TKVRSector.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"

ISkPath TKVRSector::GetPath(TKVRDraw* aDraw) const
{
    const float cx = aDraw->GetDrawX(GetBaseCenterX()) + aDraw->ScreenOffsetX;
    const float cy = aDraw->GetDrawY(GetBaseCenterY()) + aDraw->ScreenOffsetY;
    const float rx = aDraw->GetDrawX(GetBaseRadio());
    const float ry = aDraw->GetDrawY(GetBaseRadio());
    TSkPathBuilder builder;
    builder.MoveTo(cx, cy);
    builder.ArcTo(TRectF(cx - rx, cy - ry, cx + rx, cy + ry), AngleStart(), AngleGap(), false);
    builder.Close();
    return builder.Detach();
}

void TKVRSector::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    if (IsWhole()) {
        DrawOvalShape(d, *this);
        return;
    }
    TSkPaint& paint = *d->kP;
    paint.SetPathEffect(nullptr);
    paint.SetAntiAlias(true);
    const ISkPath path = GetPath(d);
    if (GetFilled() && Alpha() > 0) {
        SetFillPaint(d, GetBackColor());
        d->kC->DrawPath(path, d->kP);
    }
    if (GetPenWidth() > 0) {
        paint.SetColor(GetColor());
        AdjustLineType(d, GetLineType(), GetItemState());
        paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
        d->kC->DrawPath(path, d->kP);
    }
}

void TKVRSector::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    if (IsWhole()) {
        PrintOvalShape(d, *this);
        return;
    }
    // The screen's slice on paper: centre, arc, back to the centre. Paper
    // always shows the fill, as for the other closed shapes.
    TCanvas& canvas = *d->pC;
    const TPointF centre(PaperCellX(d, d->GetDrawX(GetBaseCenterX())), PaperCellY(d, d->GetDrawY(GetBaseCenterY())));
    TPathData path;
    path.MoveTo(centre);
    path.AddArc(centre, TPointF(PaperLength(d->GetDrawX(GetBaseRadio())), PaperLength(d->GetDrawY(GetBaseRadio()))),
                AngleStart(), AngleGap());
    path.ClosePath();
    if (GetFilled()) {
        canvas.Fill().SetKind(TBrushKind::Solid);
        canvas.Fill().SetColor(GetBackColor());
        canvas.FillPath(path, 1.0f);
    }
    if (GetPenWidth() > 0) {
        TStrokeBrush& stroke = canvas.Stroke();
        AdjustPrintLineType(d, GetPenWidth(), GetLineType());
        stroke.SetCap(TStrokeCap::Flat);
        stroke.SetJoin(TStrokeJoin::Miter);
        stroke.SetKind(TBrushKind::Solid);
        stroke.SetColor(GetColor());
        stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
        canvas.DrawPath(path, 1.0f);
    }
}
