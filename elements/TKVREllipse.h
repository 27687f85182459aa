#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseEllipse.h"

// An ellipse with upright axes, optionally filled; painted as the circle is.
class TKVREllipse : public TKVRBaseEllipse, public TKVRClassReaders<TKVREllipse>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBaseEllipse::TKVRBaseEllipse;

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
