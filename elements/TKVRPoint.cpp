#include "elements/TKVRPoint.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"

void TKVRPoint::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    SetLinePaint(d, GetColor(), GetPenWidth());
    // Always solid; the editor's highlight still applies. Antialiasing stays as found.
    AdjustLineType(d, 0, GetItemState());
    // 1 mm of the document across, so it follows the zoom.
    const TKVRPto p = GetPoint(1);
    const TRectF oval(p.DrawGapX(d, -500) + d->ScreenOffsetX, p.DrawGapY(d, -500) + d->ScreenOffsetY,
                      p.DrawGapX(d, 500) + d->ScreenOffsetX, p.DrawGapY(d, 500) + d->ScreenOffsetY);
    d->kC->DrawOval(oval, d->kP);
}

void TKVRPoint::Print(TKVRBaseDraw*)
{
}
