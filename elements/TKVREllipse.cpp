#include "elements/TKVREllipse.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "render/KVR.FMX.Types.h"

void TKVREllipse::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (CanDraw(d))
        DrawOvalShape(d, *this);
}

void TKVREllipse::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (CanPrint(d))
        PrintOvalShape(d, *this);
}
