#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/KVR.Model.Types.h"
#include "platform/rtl/TKVRBasePolygon.h"
#include <cstdint>
#include <memory>

class TBinaryReader;
class TKVRBaseDraw;
class TKVRBaseLabel;
class TKVRDraw;
class TKVRLayer;
class TSkPath;

// A closed chain of straight segments, optionally filled.
class TKVRPolygon : public TKVRBasePolygon
{
public:
    TKVRPolygon(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRPolygon(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview);
    TKVRPolygon(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview);
    ~TKVRPolygon() override;

    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType);
    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);

    // Screen path: the points joined by straight lines and closed.
    std::shared_ptr<TSkPath> GetPath(TKVRDraw* aDraw) const;

    // Fewer than two points paint nothing. The screen always shows the
    // outline (a pen width of 0 is a one-pixel hairline); paper shows it only
    // for a pen width above 0.
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
