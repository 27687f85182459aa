#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseArc.h"

// An open circular arc with a mark at each end.
class TKVRArc : public TKVRBaseArc, public TKVRClassReaders<TKVRArc>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBaseArc::TKVRBaseArc;

    // Directions (radians, clockwise from +x on the y-down surface) in which
    // the start and end marks point away from the arc. The direction flag
    // turns both by half a turn.
    double StartMarkAngle() const;
    double EndMarkAngle() const;

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
