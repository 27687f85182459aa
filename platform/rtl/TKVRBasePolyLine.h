#pragma once
#include "platform/rtl/KVR.Model.Records.h"
#include "platform/rtl/TKVRBaseItem.h"

// An open chain of points with marks at both ends. Binary after the common
// header: line ends, then the points (any number).
class TKVRBasePolyLine : public TKVRBaseItem
{
public:
    TKVRBasePolyLine(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBasePolyLine(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview);
    TKVRBasePolyLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    using TKVRBaseItem::SetPoints;
    const TKVRLineEnds& GetEnds() const { return fEnds; }
    void SetEnds(const TKVRLineEnds& aValue) { fEnds = aValue; }
    TKVRTermType GetFromType() const { return fEnds.FromType; }
    TKVRTermType GetToType() const { return fEnds.ToType; }
    TAlphaColor GetFromColor() const { return fEnds.FromColor; }
    TAlphaColor GetToColor() const { return fEnds.ToColor; }
    float GetSizeFrom() const { return fEnds.SizeFrom; }
    float GetSizeTo() const { return fEnds.SizeTo; }

private:
    TKVRLineEnds fEnds;
};
