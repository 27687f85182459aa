#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/KVR.Model.Types.h"
#include "platform/rtl/TKVRBasePolyLine.h"
#include <cstdint>
#include <memory>

class TBinaryReader;
class TKVRBaseDraw;
class TKVRBaseLabel;
class TKVRDraw;
class TKVRLayer;
class TSkPath;

// An open chain of straight segments with a mark at each end.
class TKVRPolyLine : public TKVRBasePolyLine
{
public:
    TKVRPolyLine(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRPolyLine(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview);
    TKVRPolyLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview);

    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType);
    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);

    // Screen path: point 1, then a straight line to each further point, open.
    // Empty without points.
    std::shared_ptr<TSkPath> GetPath(TKVRDraw* aDraw) const;

    // Fewer than two points paint nothing, on screen and on paper.
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
