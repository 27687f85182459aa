#include "elements/TKVRRectangle.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"

TKVRRectangle::TKVRRectangle(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseRectangle(aOwner, aPreview)
{
}

TKVRRectangle::TKVRRectangle(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseRectangle(aOwner, aLayer, aPreview)
{
}

TKVRBaseItem* TKVRRectangle::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                                  TKVRReadType aReadType)
{
    return KVRReadItem<TKVRRectangle>([&](TKVRRectangle& e) { e.ReadData(aVersion, aReader, aReadType); }, aLabel,
                                      aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRRectangle::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRRectangle>([&](TKVRRectangle& e) { e.ReadJson(aVersion, aJson); }, aLabel, false);
}

void TKVRRectangle::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!d || !d->kC || !d->kP)
        return;
    TSkPaint& paint = *d->kP;
    paint.SetPathEffect(nullptr);
    paint.SetAntiAlias(true);
    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const TRectF box(p1.DrawX(d) + d->ScreenOffsetX, p1.DrawY(d) + d->ScreenOffsetY, p2.DrawX(d) + d->ScreenOffsetX,
                     p2.DrawY(d) + d->ScreenOffsetY);
    const bool square = GetRadio() == 0.0f;
    const float rx = d->GetDrawX(GetBaseRadio());
    const float ry = d->GetDrawY(GetBaseRadio());
    auto paintShape = [&](const TRectF& r) {
        if (square)
            d->kC->DrawRect(r, d->kP);
        else
            d->kC->DrawRoundRect(r, rx, ry, d->kP);
    };
    auto setOutline = [&]() {
        paint.SetColor(GetColor());
        paint.SetStyle(TSkPaintStyle::Stroke);
        AdjustLineType(d, GetLineType(), GetItemState());
        paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
    };

    if (GetFilled() && Alpha() > 0) {
        paint.SetColor(GetBackColor());
        paint.SetStyle(TSkPaintStyle::Fill);
        paintShape(box);
        if (GetPenWidth() > 0) {
            setOutline();
            paintShape(box);
        }
    } else if (GetPenWidth() > 0) {
        setOutline();
        // Half the line inwards on every side keeps the frame inside the bounds.
        const float h = paint.GetStrokeWidth() / 2;
        paintShape(TRectF(box.Left + h, box.Top + h, box.Right - h, box.Bottom - h));
    }
}

void TKVRRectangle::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!d || !d->pC)
        return;
    TCanvas& canvas = *d->pC;
    TStrokeBrush& stroke = canvas.Stroke();
    stroke.SetCap(TStrokeCap::Flat);
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    const TKVRPto p1 = GetPoint(1);
    const TKVRPto p2 = GetPoint(2);
    const float left = float(d->PrintOffsetX) + p1.DrawX(d);
    const float top = float(d->PrintOffsetY) + p1.DrawY(d);
    const TRectF box(left, top, left + (p2.DrawX(d) - p1.DrawX(d)), top + (p2.DrawY(d) - p1.DrawY(d)));

    float r = 0.0f;
    TCorners corners = NoCorners;
    if (GetRadio() > 0) {
        const TKVRBaseLabel* owner = GetOwner();
        r = owner ? float(owner->GetPrintValue(GetRadio(), d->ResolutionX))
                  : float(RoundHalfEven32(d->GetDrawX(GetBaseRadio())));
        corners = AllCorners;
    }
    // Paper always shows the fill: Alpha only concerns the screen.
    if (GetFilled()) {
        canvas.Fill().SetKind(TBrushKind::Solid);
        canvas.Fill().SetColor(GetBackColor());
        canvas.FillRect(box, r, r, corners, 1.0f, TCornerType::Round);
    }
    if (GetPenWidth() > 0) {
        stroke.SetKind(TBrushKind::Solid);
        stroke.SetColor(GetColor());
        stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
        canvas.DrawRect(box, r, r, corners, 1.0f, TCornerType::Round);
    }
}
