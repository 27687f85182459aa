#include "platform/rtl/model/TKVRBaseLine.h"
#include "platform/rtl/model/KVR.Stream.h"

TKVRBaseLine::TKVRBaseLine(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRBaseItem(aOwner, KVRItemKind::Line, 2, aPreview)
{
}

TKVRBaseLine::TKVRBaseLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseItem(aOwner, aLayer, KVRItemKind::Line, 2, aPreview)
{
}

TJsonObject TKVRBaseLine::WriteJson() const
{
    TJsonObject j = TKVRBaseItem::WriteJson();
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBaseLine::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBaseItem::ReadJson(aVersion, aJson);
    ReadJsonPoints(aJson, 1, 2, 2);
}

void TKVRBaseLine::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseItem::WriteData(aWriter);
    WritePoints(aWriter, 1, 2);
}

void TKVRBaseLine::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseItem::ReadData(aVersion, aReader, aReadType);
    ReadPoints(aReader, 1, 2, 2);
}
