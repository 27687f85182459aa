#include "elements/TKVRLine.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"

void TKVRLine::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    SetLinePaint(d, GetColor(), GetPenWidth());
    AdjustLineType(d, GetLineType(), GetItemState());
    d->kP->SetAntiAlias(true);
    d->kC->DrawLine(ScreenAt(GetPoint(1), d), ScreenAt(GetPoint(2), d), d->kP);
}

void TKVRLine::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TStrokeBrush& stroke = d->pC->Stroke();
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    stroke.SetCap(TStrokeCap::Flat);
    stroke.SetKind(TBrushKind::Solid);
    stroke.SetColor(GetColor());
    stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
    d->pC->DrawLine(PrintAt(GetPoint(1), d), PrintAt(GetPoint(2), d), 1.0f);
}
