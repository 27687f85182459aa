#include "platform/rtl/TKVRBaseBezier.h"
#include "platform/rtl/KVR.Model.Records.h"
#include "platform/rtl/KVR.Stream.h"

TKVRBaseBezier::TKVRBaseBezier(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Bezier, 0, aPreview)
{
}

TKVRBaseBezier::TKVRBaseBezier(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Bezier, aNumPoints, aPreview)
{
}

TKVRBaseBezier::TKVRBaseBezier(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Bezier, aNumPoints, aPreview)
{
}

TJsonObject TKVRBaseBezier::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    fEnds.WriteJson(j);
    WriteJsonPoints(j, 1, NumPoints());
    return j;
}

void TKVRBaseBezier::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    fEnds.ReadJson(aJson);
    ReadJsonPoints(aJson, 1, 0, -1);
}

void TKVRBaseBezier::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    fEnds.Write(aWriter);
    WritePoints(aWriter, 1, NumPoints());
}

void TKVRBaseBezier::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    fEnds.Read(aReader);
    ReadPoints(aReader, 1, 0, -1);
}
