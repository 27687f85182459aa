#pragma once
#include "platform/rtl/model/TKVR2DItem.h"

// A circle, kept as its bounding square: points 1 and 2. Binary after the
// filled header: the two corners.
class TKVRBaseCircle : public TKVR2DItem
{
public:
    // Property rows (KVR.Model.PropTables*.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;
    TKVRPto CenterPoint() const override;
    TKVRBaseCircle(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseCircle(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    void SetCircle(int64_t aCenterX, int64_t aCenterY, int64_t aRadius) { SetBox(aCenterX, aCenterY, aRadius, aRadius); }
    int64_t GetBaseCenterX() const { return fPoints[0].X + (fPoints[1].X - fPoints[0].X) / 2; }
    int64_t GetBaseCenterY() const { return fPoints[0].Y + (fPoints[1].Y - fPoints[0].Y) / 2; }
    int64_t GetBaseRadio() const { return (fPoints[1].X - fPoints[0].X) / 2; }
    // Radius in the document's unit.
    float GetRadio() const { return float(FromBase(GetBaseRadio())); }
};
