#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"

TKVRBaseRectangle::TKVRBaseRectangle(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Rectangle, 2, aPreview)
{
}

TKVRBaseRectangle::TKVRBaseRectangle(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Rectangle, 2, aPreview)
{
}

TJsonObject TKVRBaseRectangle::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    j["Radius"] = fRadio;
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBaseRectangle::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    fRadio = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "Radius", fRadio), "Radius"));
    ReadJsonPoints(aJson, 1, 2, 2);
}

void TKVRBaseRectangle::UpdatePoints()
{
    NormalizeBox();
}

void TKVRBaseRectangle::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    aWriter.WriteInt32(fRadio);
    WritePoints(aWriter, 1, 2);
}

void TKVRBaseRectangle::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    fRadio = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "Radius"));
    ReadPoints(aReader, 1, 2, 2);
}
