#include "elements/TKVRCircle.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/TKVR2DItem.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"

// ---------------------------------------------------------------- oval painting

void TKVROvalPaint::Draw(const TKVR2DItem& aItem, TKVRDraw* aDraw)
{
    TKVRDraw* d = aDraw;
    if (!d || !d->kC || !d->kP)
        return;
    TSkPaint& paint = *d->kP;
    paint.SetPathEffect(nullptr);
    paint.SetAntiAlias(true);
    const TKVRPto p1 = aItem.GetPoint(1);
    const TKVRPto p2 = aItem.GetPoint(2);
    const TRectF box(p1.DrawX(d) + d->ScreenOffsetX, p1.DrawY(d) + d->ScreenOffsetY, p2.DrawX(d) + d->ScreenOffsetX,
                     p2.DrawY(d) + d->ScreenOffsetY);
    if (aItem.GetFilled() && aItem.Alpha() > 0) {
        paint.SetColor(aItem.GetBackColor());
        paint.SetStyle(TSkPaintStyle::Fill);
        d->kC->DrawOval(box, d->kP);
    }
    if (aItem.GetPenWidth() > 0) {
        paint.SetColor(aItem.GetColor());
        AdjustLineType(d, aItem.GetLineType(), aItem.GetItemState());
        paint.SetStrokeWidth(d->BasePtoY(aItem.GetPenWidth()));
        d->kC->DrawOval(box, d->kP);
    }
}

void TKVROvalPaint::Print(const TKVR2DItem& aItem, TKVRDraw* aDraw)
{
    TKVRDraw* d = aDraw;
    if (!d || !d->pC)
        return;
    TCanvas& canvas = *d->pC;
    const TKVRPto p1 = aItem.GetPoint(1);
    const TKVRPto p2 = aItem.GetPoint(2);
    const TRectF box(float(d->PrintOffsetX) + p1.DrawX(d), float(d->PrintOffsetY) + p1.DrawY(d),
                     float(d->PrintOffsetX) + p2.DrawX(d), float(d->PrintOffsetY) + p2.DrawY(d));
    // The fill alone, then the element's own outline: no edge is stroked with
    // a pen that another element left on the canvas.
    if (aItem.GetFilled()) {
        canvas.Stroke().SetCap(TStrokeCap::Flat);
        canvas.Fill().SetKind(TBrushKind::Solid);
        canvas.Fill().SetColor(aItem.GetBackColor());
        canvas.FillEllipse(box, 1.0f);
    }
    if (aItem.GetPenWidth() > 0) {
        TStrokeBrush& stroke = canvas.Stroke();
        AdjustPrintLineType(d, aItem.GetPenWidth(), aItem.GetLineType());
        stroke.SetCap(TStrokeCap::Flat);
        stroke.SetKind(TBrushKind::Solid);
        stroke.SetColor(aItem.GetColor());
        stroke.SetThickness(d->DrawBasePtoX(aItem.GetPenWidth()));
        canvas.DrawEllipse(box, 1.0f);
    }
}

// ---------------------------------------------------------------- circle

TKVRCircle::TKVRCircle(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseCircle(aOwner, aPreview)
{
}

TKVRCircle::TKVRCircle(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseCircle(aOwner, aLayer, aPreview)
{
}

TKVRBaseItem* TKVRCircle::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                               TKVRReadType aReadType)
{
    return KVRReadItem<TKVRCircle>([&](TKVRCircle& e) { e.ReadData(aVersion, aReader, aReadType); }, aLabel,
                                   aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRCircle::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRCircle>([&](TKVRCircle& e) { e.ReadJson(aVersion, aJson); }, aLabel, false);
}

void TKVRCircle::Draw(TKVRBaseDraw* aDraw)
{
    TKVROvalPaint::Draw(*this, static_cast<TKVRDraw*>(aDraw));
}

void TKVRCircle::Print(TKVRBaseDraw* aDraw)
{
    TKVROvalPaint::Print(*this, static_cast<TKVRDraw*>(aDraw));
}
