#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/KVR.Model.Types.h"
#include "platform/rtl/TKVRBaseArc.h"
#include <cstdint>

class TBinaryReader;
class TKVRBaseDraw;
class TKVRBaseLabel;
class TKVRLayer;

// An open circular arc with a mark at each end.
class TKVRArc : public TKVRBaseArc
{
public:
    TKVRArc(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRArc(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);
    // Centre, radius and start and end angles (radians), as the model takes them.
    TKVRArc(TKVRBaseLabel* aOwner, int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aStart, float aEnd,
            bool aPreview);
    // The arc from the first point through the second to the third (µm);
    // raises when the points are on one line.
    TKVRArc(TKVRBaseLabel* aOwner, int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3,
            bool aPreview);

    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType);
    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);

    // Directions (radians, clockwise from +x on the y-down surface) in which
    // the start and end marks point away from the arc. The direction flag
    // turns both by half a turn.
    double StartMarkAngle() const;
    double EndMarkAngle() const;

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
