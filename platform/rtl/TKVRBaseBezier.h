#pragma once
#include "platform/rtl/KVR.Model.Records.h"
#include "platform/rtl/TKVR2DItem.h"

// A chain of cubic segments: the start point, then first control point,
// second control point and end of each segment (1 + 3 x segments points).
// Binary after the filled header: line ends, the points.
class TKVRBaseBezier : public TKVR2DItem
{
public:
    TKVRBaseBezier(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseBezier(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview);
    TKVRBaseBezier(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    // Any count is kept as it is; painting stops at the last whole segment.
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
