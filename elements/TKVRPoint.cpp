#include "elements/TKVRPoint.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"

TKVRPoint::TKVRPoint(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBasePoint(aOwner, aPreview)
{
}

TKVRPoint::TKVRPoint(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBasePoint(aOwner, aLayer, aPreview)
{
}

TKVRBaseItem* TKVRPoint::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType)
{
    return KVRReadItem<TKVRPoint>([&](TKVRPoint& e) { e.ReadData(aVersion, aReader, aReadType); }, aLabel,
                                  aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRPoint::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRPoint>([&](TKVRPoint& e) { e.ReadJson(aVersion, aJson); }, aLabel, false);
}

void TKVRPoint::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!d || !d->kC || !d->kP)
        return;
    TSkPaint& paint = *d->kP;
    paint.SetColor(GetColor());
    paint.SetStrokeCap(TSkStrokeCap::Butt);
    paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
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
