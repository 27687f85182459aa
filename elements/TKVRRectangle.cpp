#include "elements/TKVRRectangle.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/TKVRBaseLabel.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"

void TKVRRectangle::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (CanDraw(d))
        DrawRectFrame(d, *this, ScreenBox(*this, d), GetRadio() != 0.0f, GetBaseRadio());
}

void TKVRRectangle::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TCanvas& canvas = *d->pC;
    TStrokeBrush& stroke = canvas.Stroke();
    stroke.SetCap(TStrokeCap::Flat);
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    const TRectF box = PaperBox(*this, d);

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
