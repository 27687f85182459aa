#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseSector.h"
#include "platform/skia/TSkPath.h"

class TKVRDraw;

// A pie slice: the arc from AngleStart over AngleGap degrees (clockwise on
// screen) and the two radii. A gap of exactly 360 is the whole circle,
// without radii. Painted alike on screen and on paper.
class TKVRSector : public TKVRBaseSector, public TKVRClassReaders<TKVRSector>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBaseSector::TKVRBaseSector;

    // Screen path of the slice: centre, a straight line to the arc, the arc, closed.
    ISkPath GetPath(TKVRDraw* aDraw) const;

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

private:
    bool IsWhole() const { return AngleGap() == 360.0f; }
};
