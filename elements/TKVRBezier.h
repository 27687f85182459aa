#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/KVR.Model.Types.h"
#include "platform/rtl/TKVRBaseBezier.h"
#include <cstdint>
#include <memory>

class TBinaryReader;
class TKVRBaseDraw;
class TKVRBaseLabel;
class TKVRDraw;
class TKVRLayer;
class TSkPath;

// A chain of cubic segments with a mark at each end, optionally filled.
// A filled curve shows no end marks on screen but prints them.
class TKVRBezier : public TKVRBaseBezier
{
public:
    TKVRBezier(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBezier(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview);
    TKVRBezier(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview);
    ~TKVRBezier() override;

    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType);
    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);

    // Screen path: point 1, then one cubic per whole segment (points i to
    // i + 2 for i = 2, 5, 8, ...); closed when filled. Empty without points.
    std::shared_ptr<TSkPath> GetPath(TKVRDraw* aDraw) const;

    // End marks need two points; the curve needs one whole segment (4 points).
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
