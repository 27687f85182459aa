#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/KVR.Model.Types.h"
#include "platform/rtl/TKVRBaseRectangle.h"
#include <cstdint>

class TBinaryReader;
class TKVRBaseDraw;
class TKVRBaseLabel;
class TKVRLayer;

// A rectangle, optionally filled and with rounded corners. On screen an
// unfilled frame lies wholly inside the bounds; a filled one, and every
// printed one, is centred on them. Alpha 0 hides the fill on screen only.
class TKVRRectangle : public TKVRBaseRectangle
{
public:
    TKVRRectangle(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRRectangle(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType);
    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
