#pragma once
#include "platform/rtl/model/TKVRBaseItem.h"

// A straight line from point 1 to point 2. Binary after the common header:
// its two points.
class TKVRBaseLine : public TKVRBaseItem
{
public:
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;
    TKVRBaseLine(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;
};
