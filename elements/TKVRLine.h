#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/KVR.Model.Types.h"
#include "platform/rtl/TKVRBaseLine.h"
#include <cstdint>

class TBinaryReader;
class TKVRBaseDraw;
class TKVRBaseLabel;
class TKVRLayer;

// A straight line from point 1 to point 2.
class TKVRLine : public TKVRBaseLine
{
public:
    TKVRLine(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType);
    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
