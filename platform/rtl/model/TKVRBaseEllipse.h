#pragma once
#include "platform/rtl/model/TKVR2DItem.h"

// An ellipse with upright axes, kept as its bounding box: points 1 and 2.
// Binary after the filled header: the two corners.
class TKVRBaseEllipse : public TKVR2DItem
{
public:
    // Property rows (KVR.Model.PropTables*.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    TKVRBaseEllipse(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseEllipse(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    void SetEllipse(int64_t aCenterX, int64_t aCenterY, int64_t aRadioX, int64_t aRadioY)
    {
        SetBox(aCenterX, aCenterY, aRadioX, aRadioY);
    }
    int64_t GetBaseCenterX() const { return fPoints[0].X + (fPoints[1].X - fPoints[0].X) / 2; }
    int64_t GetBaseCenterY() const { return fPoints[0].Y + (fPoints[1].Y - fPoints[0].Y) / 2; }
    int64_t GetBaseRadioX() const { return (fPoints[1].X - fPoints[0].X) / 2; }
    int64_t GetBaseRadioY() const { return (fPoints[1].Y - fPoints[0].Y) / 2; }
    // Radii in the document's unit.
    float GetRadioX() const { return float(FromBase(GetBaseRadioX())); }
    float GetRadioY() const { return float(FromBase(GetBaseRadioY())); }
};
