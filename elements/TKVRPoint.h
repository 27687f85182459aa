#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBasePoint.h"

// A point: a circle 1 mm across on screen, nothing on paper.
class TKVRPoint : public TKVRBasePoint, public TKVRClassReaders<TKVRPoint>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBasePoint::TKVRBasePoint;

    void Draw(TKVRBaseDraw* aDraw) override;
    // Points are a drawing aid: they are not printed.
    void Print(TKVRBaseDraw* aDraw) override;
};
