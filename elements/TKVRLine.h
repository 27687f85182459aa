#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseLine.h"

// A straight line from point 1 to point 2.
class TKVRLine : public TKVRBaseLine, public TKVRClassReaders<TKVRLine>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBaseLine::TKVRBaseLine;

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
