#pragma once
#include "platform/rtl/model/TKVR2DItem.h"

// A closed chain of points. Binary after the filled header: the points.
class TKVRBasePolygon : public TKVR2DItem
{
public:
    TKVRBasePolygon(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBasePolygon(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview);
    TKVRBasePolygon(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    using TKVRBaseItem::SetPoints;
};
