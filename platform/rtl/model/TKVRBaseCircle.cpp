#include "platform/rtl/model/TKVRBaseCircle.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"

// ---------------------------------------------------------------- circle

TKVRBaseCircle::TKVRBaseCircle(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Circle, 2, aPreview)
{
}

TKVRBaseCircle::TKVRBaseCircle(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Circle, 2, aPreview)
{
}

TJsonObject TKVRBaseCircle::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBaseCircle::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    ReadJsonPoints(aJson, 1, 2, 2);
}

void TKVRBaseCircle::UpdatePoints()
{
    NormalizeBox();
}

void TKVRBaseCircle::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    WritePoints(aWriter, 1, 2);
}

void TKVRBaseCircle::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    ReadPoints(aReader, 1, 2, 2);
}
