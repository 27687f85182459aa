#include "platform/rtl/model/TKVRBasePoint.h"
#include "platform/rtl/model/KVR.Stream.h"

// ---------------------------------------------------------------- point

TKVRBasePoint::TKVRBasePoint(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRBaseItem(aOwner, KVRItemKind::Point, 1, aPreview)
{
}

TKVRBasePoint::TKVRBasePoint(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseItem(aOwner, aLayer, KVRItemKind::Point, 1, aPreview)
{
}

TJsonObject TKVRBasePoint::WriteJson() const
{
    TJsonObject j = TKVRBaseItem::WriteJson();
    WriteJsonPoints(j, 1, 1);
    return j;
}

void TKVRBasePoint::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBaseItem::ReadJson(aVersion, aJson);
    ReadJsonPoints(aJson, 1, 1, 1);
}

void TKVRBasePoint::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseItem::WriteData(aWriter);
    WritePoints(aWriter, 1, 1);
}

void TKVRBasePoint::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseItem::ReadData(aVersion, aReader, aReadType);
    ReadPoints(aReader, 1, 1, 1);
}
