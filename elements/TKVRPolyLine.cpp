#include "elements/TKVRPolyLine.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include <vector>

ISkPath TKVRPolyLine::GetPath(TKVRDraw* aDraw) const
{
    return ChainPath(*this, aDraw, false);
}

void TKVRPolyLine::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    const int32_t n = NumPoints();
    if (!CanDraw(d) || n < 2)
        return;
    SetLinePaint(d, GetColor(), GetPenWidth());
    d->kP->SetAntiAlias(true);
    AdjustLineType(d, GetLineType(), GetItemState());
    d->kC->DrawPath(GetPath(d), d->kP);
    DrawLineEnds(d, GetColor(), GetEnds(), ScreenAt(GetPoint(1), d), ScreenAt(GetPoint(2), d),
                 ScreenAt(GetPoint(n), d), ScreenAt(GetPoint(n - 1), d));
}

void TKVRPolyLine::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    const int32_t n = NumPoints();
    if (!CanPrint(d) || n < 2)
        return;
    TCanvas& canvas = *d->pC;
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    const std::vector<TPointF> pts = PaperPoints(*this, d);
    TStrokeBrush& stroke = canvas.Stroke();
    stroke.SetKind(TBrushKind::Solid);
    stroke.SetColor(GetColor());
    stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
    stroke.SetCap(TStrokeCap::Flat);
    stroke.SetJoin(TStrokeJoin::Miter);
    TPathData path;
    path.MoveTo(pts.front());
    for (size_t i = 1; i < pts.size(); ++i)
        path.LineTo(pts[i]);
    canvas.DrawPath(path, 1.0f);
    stroke.SetDash(TStrokeDash::Solid);
    PrintLineEnds(d, GetEnds(), pts[0], pts[1], pts[size_t(n - 1)], pts[size_t(n - 2)]);
}
