#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseBezier.h"
#include "platform/skia/TSkPath.h"

class TKVRDraw;

// A chain of cubic segments with a mark at each end, optionally filled.
// A filled curve shows no end marks on screen but prints them.
class TKVRBezier : public TKVRBaseBezier, public TKVRClassReaders<TKVRBezier>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBaseBezier::TKVRBaseBezier;

    // Screen path: point 1, then one cubic per whole segment (points i to
    // i + 2 for i = 2, 5, 8, ...); closed when filled. Empty without points.
    ISkPath GetPath(TKVRDraw* aDraw) const;

    // End marks need two points; the curve needs one whole segment (4 points).
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
