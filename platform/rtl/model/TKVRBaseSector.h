#pragma once
#include "platform/rtl/model/TKVR2DItem.h"

// A slice of a circle: the circle's bounding square (points 1 and 2), a
// start angle and an extent in degrees (clockwise on screen; 360 is the
// whole circle). Binary after the filled header: start, extent (Single),
// the two corners.
class TKVRBaseSector : public TKVR2DItem
{
public:
    // Property rows (KVR.Model.PropTables*.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;
    TKVRPto CenterPoint() const override;
    void TurnQuarter(bool aLeft, const TKVRPto& aOffset) override;
    TKVRBaseSector(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseSector(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    void SetSector(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aStart, float aGap);
    float AngleStart() const { return fAngleStart; }
    void SetAngleStart(float aValue) { fAngleStart = aValue; }
    float AngleGap() const { return fAngleGap; }
    void SetAngleGap(float aValue) { fAngleGap = aValue; }
    int64_t GetBaseCenterX() const { return fPoints[0].X + (fPoints[1].X - fPoints[0].X) / 2; }
    int64_t GetBaseCenterY() const { return fPoints[0].Y + (fPoints[1].Y - fPoints[0].Y) / 2; }
    // 64 bits: a radius of points at the readers' limit does not fit an Integer.
    int64_t GetBaseRadio() const { return (fPoints[1].X - fPoints[0].X) / 2; }

private:
    float fAngleStart = 0.0f;
    float fAngleGap = 90.0f;
};
