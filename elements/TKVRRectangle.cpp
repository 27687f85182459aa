#include "elements/TKVRRectangle.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
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
    float r = 0.0f;
    if (GetRadio() > 0) {
        const TKVRBaseLabel* owner = GetOwner();
        r = owner ? float(owner->GetPrintValue(GetRadio(), d->ResolutionX))
                  : float(RoundHalfEven32(d->GetDrawX(GetBaseRadio())));
    }
    // Paper always shows the fill: Alpha only concerns the screen.
    PrintRectFrame(d, *this, r);
}
