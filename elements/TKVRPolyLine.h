#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBasePolyLine.h"
#include "platform/skia/TSkPath.h"

class TKVRDraw;

// An open chain of straight segments with a mark at each end.
class TKVRPolyLine : public TKVRBasePolyLine, public TKVRClassReaders<TKVRPolyLine>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBasePolyLine::TKVRBasePolyLine;

    // Screen path: point 1, then a straight line to each further point, open.
    // Empty without points.
    ISkPath GetPath(TKVRDraw* aDraw) const;

    // Fewer than two points paint nothing, on screen and on paper.
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
