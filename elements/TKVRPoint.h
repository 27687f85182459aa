#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/KVR.Model.Types.h"
#include "platform/rtl/TKVRBasePoint.h"
#include <cstdint>

class TBinaryReader;
class TKVRBaseDraw;
class TKVRBaseLabel;
class TKVRLayer;

// A point: a circle 1 mm across on screen, nothing on paper.
class TKVRPoint : public TKVRBasePoint
{
public:
    TKVRPoint(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRPoint(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    // Builds the element from a record (the reader stands after the kind
    // code); a record that cannot be read leaves the document as it was.
    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType);
    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);

    void Draw(TKVRBaseDraw* aDraw) override;
    // Points are a drawing aid: they are not printed.
    void Print(TKVRBaseDraw* aDraw) override;
};
