#pragma once
#include "platform/rtl/model/TKVR2DItem.h"

// A rectangle from corner 1 (top left) to corner 2 (bottom right), with
// optionally rounded corners. Binary after the filled header: corner radius
// (int32 µm), the two corners.
class TKVRBaseRectangle : public TKVR2DItem
{
public:
    // Property rows (KVR.Model.PropTables.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    TKVRBaseRectangle(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseRectangle(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    // Corner radius in the document's unit (0: square corners) and in micrometres.
    float GetRadio() const { return float(FromBase(fRadio)); }
    void SetRadio(float aValue) { SetBaseRadio(int32_t(ToBase(aValue))); }
    int32_t GetBaseRadio() const { return fRadio; }
    void SetBaseRadio(int32_t aValue) { fRadio = aValue < 0 ? 0 : aValue; }

private:
    int32_t fRadio = 0;
};
