#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/KVR.Model.Types.h"
#include "platform/rtl/TKVRBaseEllipse.h"
#include <cstdint>

class TBinaryReader;
class TKVRBaseDraw;
class TKVRBaseLabel;
class TKVRLayer;

// An ellipse with upright axes, optionally filled; painted as the circle is.
class TKVREllipse : public TKVRBaseEllipse
{
public:
    TKVREllipse(TKVRBaseLabel* aOwner, bool aPreview);
    TKVREllipse(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType);
    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
