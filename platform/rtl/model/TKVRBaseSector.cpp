#include "platform/rtl/model/TKVRBaseSector.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"

TKVRBaseSector::TKVRBaseSector(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Sector, 2, aPreview)
{
}

TKVRBaseSector::TKVRBaseSector(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Sector, 2, aPreview)
{
}

TJsonObject TKVRBaseSector::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    j["AngleStart"] = fAngleStart;
    j["AngleGap"] = fAngleGap;
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBaseSector::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    fAngleStart = KVRJson::GetSingle(aJson, "AngleStart", fAngleStart);
    fAngleGap = KVRJson::GetSingle(aJson, "AngleGap", fAngleGap);
    ReadJsonPoints(aJson, 1, 2, 2);
}

void TKVRBaseSector::UpdatePoints()
{
    NormalizeBox();
}

void TKVRBaseSector::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    aWriter.WriteSingle(fAngleStart);
    aWriter.WriteSingle(fAngleGap);
    WritePoints(aWriter, 1, 2);
}

void TKVRBaseSector::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    fAngleStart = KVRCheck::ReadSingle(aReader, "AngleStart");
    fAngleGap = KVRCheck::ReadSingle(aReader, "AngleGap");
    ReadPoints(aReader, 1, 2, 2);
}

void TKVRBaseSector::SetSector(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aStart, float aGap)
{
    SetBox(aCenterX, aCenterY, aRadius, aRadius);
    fAngleStart = aStart;
    fAngleGap = aGap;
}
