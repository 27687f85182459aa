#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseCircle.h"

// A circle, optionally filled; painted as the ellipse is.
class TKVRCircle : public TKVRBaseCircle, public TKVRClassReaders<TKVRCircle>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBaseCircle::TKVRBaseCircle;

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
