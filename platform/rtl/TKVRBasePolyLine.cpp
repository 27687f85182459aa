#include "platform/rtl/TKVRBasePolyLine.h"
#include "platform/rtl/KVR.Stream.h"

TKVRBasePolyLine::TKVRBasePolyLine(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRBaseItem(aOwner, KVRItemKind::PolyLine, 0, aPreview)
{
}

TKVRBasePolyLine::TKVRBasePolyLine(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview)
    : TKVRBaseItem(aOwner, KVRItemKind::PolyLine, aNumPoints, aPreview)
{
}

TKVRBasePolyLine::TKVRBasePolyLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview)
    : TKVRBaseItem(aOwner, aLayer, KVRItemKind::PolyLine, aNumPoints, aPreview)
{
}

TJsonObject TKVRBasePolyLine::WriteJson() const
{
    TJsonObject j = TKVRBaseItem::WriteJson();
    fEnds.WriteJson(j);
    WriteJsonPoints(j, 1, NumPoints());
    return j;
}

void TKVRBasePolyLine::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBaseItem::ReadJson(aVersion, aJson);
    fEnds.ReadJson(aJson);
    ReadJsonPoints(aJson, 1, 0, -1);
}

void TKVRBasePolyLine::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseItem::WriteData(aWriter);
    fEnds.Write(aWriter);
    WritePoints(aWriter, 1, NumPoints());
}

void TKVRBasePolyLine::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseItem::ReadData(aVersion, aReader, aReadType);
    fEnds.Read(aReader);
    ReadPoints(aReader, 1, 0, -1);
}
