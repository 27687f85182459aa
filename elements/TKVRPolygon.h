#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBasePolygon.h"
#include "platform/skia/TSkPath.h"

class TKVRDraw;

// A closed chain of straight segments, optionally filled.
class TKVRPolygon : public TKVRBasePolygon, public TKVRClassReaders<TKVRPolygon>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBasePolygon::TKVRBasePolygon;

    // Screen path: the points joined by straight lines and closed.
    ISkPath GetPath(TKVRDraw* aDraw) const;

    // Fewer than two points paint nothing. The screen always shows the
    // outline (a pen width of 0 is a one-pixel hairline); paper shows it only
    // for a pen width above 0.
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
