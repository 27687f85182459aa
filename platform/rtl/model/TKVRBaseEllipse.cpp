#include "platform/rtl/model/TKVRBaseEllipse.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"

// ---------------------------------------------------------------- ellipse

TKVRBaseEllipse::TKVRBaseEllipse(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Ellipse, 2, aPreview)
{
}

TKVRBaseEllipse::TKVRBaseEllipse(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Ellipse, 2, aPreview)
{
}

TJsonObject TKVRBaseEllipse::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBaseEllipse::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    ReadJsonPoints(aJson, 1, 2, 2);
}

void TKVRBaseEllipse::UpdatePoints()
{
    NormalizeBox();
}

void TKVRBaseEllipse::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    WritePoints(aWriter, 1, 2);
}

void TKVRBaseEllipse::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    ReadPoints(aReader, 1, 2, 2);
}
