#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"

// A rectangle, optionally filled and with rounded corners. On screen an
// unfilled frame lies wholly inside the bounds; a filled one, and every
// printed one, is centred on them. Alpha 0 hides the fill on screen only.
class TKVRRectangle : public TKVRBaseRectangle, public TKVRClassReaders<TKVRRectangle>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBaseRectangle::TKVRBaseRectangle;

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
