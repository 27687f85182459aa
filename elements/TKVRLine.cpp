#include "elements/TKVRLine.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"

TKVRLine::TKVRLine(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseLine(aOwner, aPreview)
{
}

TKVRLine::TKVRLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview) : TKVRBaseLine(aOwner, aLayer, aPreview)
{
}

TKVRBaseItem* TKVRLine::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    return KVRReadItem<TKVRLine>([&](TKVRLine& e) { e.ReadData(aVersion, aReader, aReadType); }, aLabel,
                                 aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRLine::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRLine>([&](TKVRLine& e) { e.ReadJson(aVersion, aJson); }, aLabel, false);
}

void TKVRLine::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!d || !d->kC || !d->kP)
        return;
    TSkPaint& paint = *d->kP;
    paint.SetColor(GetColor());
    paint.SetStrokeCap(TSkStrokeCap::Butt);
    paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
    AdjustLineType(d, GetLineType(), GetItemState());
    paint.SetAntiAlias(true);
    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    d->kC->DrawLine(p1.DrawX(d) + d->ScreenOffsetX, p1.DrawY(d) + d->ScreenOffsetY, p2.DrawX(d) + d->ScreenOffsetX,
                    p2.DrawY(d) + d->ScreenOffsetY, d->kP);
}

void TKVRLine::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!d || !d->pC)
        return;
    TStrokeBrush& stroke = d->pC->Stroke();
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    stroke.SetCap(TStrokeCap::Flat);
    stroke.SetKind(TBrushKind::Solid);
    stroke.SetColor(GetColor());
    stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    d->pC->DrawLine(TPointF(float(p1.PrintX(d) + d->PrintOffsetX), float(p1.PrintY(d) + d->PrintOffsetY)),
                    TPointF(float(p2.PrintX(d) + d->PrintOffsetX), float(p2.PrintY(d) + d->PrintOffsetY)), 1.0f);
}
