#include "platform/rtl/model/TKVRBasePolygon.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"

TKVRBasePolygon::TKVRBasePolygon(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Polygon, 0, aPreview)
{
}

TKVRBasePolygon::TKVRBasePolygon(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Polygon, aNumPoints, aPreview)
{
}

TKVRBasePolygon::TKVRBasePolygon(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Polygon, aNumPoints, aPreview)
{
}

TJsonObject TKVRBasePolygon::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    WriteJsonPoints(j, 1, NumPoints());
    return j;
}

void TKVRBasePolygon::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    ReadJsonPoints(aJson, 1, 0, -1);
}

void TKVRBasePolygon::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    WritePoints(aWriter, 1, NumPoints());
}

void TKVRBasePolygon::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    ReadPoints(aReader, 1, 0, -1);
}
