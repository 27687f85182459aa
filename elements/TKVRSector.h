#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/KVR.Model.Types.h"
#include "platform/rtl/TKVRBaseSector.h"
#include <cstdint>
#include <memory>

class TBinaryReader;
class TKVRBaseDraw;
class TKVRBaseLabel;
class TKVRDraw;
class TKVRLayer;
class TSkPath;

// A pie slice: the arc from AngleStart over AngleGap degrees (clockwise on
// screen) and the two radii. A gap of exactly 360 is the whole circle,
// without radii. Painted alike on screen and on paper.
class TKVRSector : public TKVRBaseSector
{
public:
    TKVRSector(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRSector(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType);
    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);

    // Screen path of the slice: centre, a straight line to the arc, the arc, closed.
    std::shared_ptr<TSkPath> GetPath(TKVRDraw* aDraw) const;

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

private:
    bool IsWhole() const { return AngleGap() == 360.0f; }
};
