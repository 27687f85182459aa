#pragma once
#include "platform/rtl/model/TKVR2DItem.h"

// A closed chain of points. Binary after the filled header: the points.
class TKVRBasePolygon : public TKVR2DItem
{
public:
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;
    bool DeletePoint(int32_t aIndex) override;
    int32_t LeastPoints() const override;
    bool InsertPoint(int64_t aX, int64_t aY, int32_t aIndex) override;
    TKVRBasePolygon(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBasePolygon(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview);
    TKVRBasePolygon(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    using TKVRBaseItem::SetPoints;
};
