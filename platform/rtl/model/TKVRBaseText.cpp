#include "platform/rtl/model/TKVRBaseText.h"
#include "platform/rtl/model/KVR.Model.Codes.h"
#include "platform/rtl/model/KVR.Stream.h"

TKVRBaseText::TKVRBaseText(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRBaseTextItem(aOwner, KVRItemKind::Text, 1, aPreview, DefaultFontHeight)
{
}

TKVRBaseText::TKVRBaseText(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseTextItem(aOwner, aLayer, KVRItemKind::Text, 1, aPreview, DefaultFontHeight)
{
}

TJsonObject TKVRBaseText::WriteJson() const
{
    TJsonObject j = TKVRBaseTextItem::WriteJson();
    WriteTextJson(j);
    j["MaxWidth"] = MaxWidth;
    fData.WriteJson(j);
    WriteJsonPoints(j, 1, 1);
    return j;
}

void TKVRBaseText::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBaseTextItem::ReadJson(aVersion, aJson);
    ReadTextJson(aJson);
    MaxWidth = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "MaxWidth", MaxWidth), "MaxWidth"));
    fData.ReadJson(aJson);
    ReadJsonPoints(aJson, 1, 1, 1);
    FillData(!GetPreview());
}

void TKVRBaseText::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseTextItem::WriteData(aWriter);
    WriteTextFields(aWriter);
    aWriter.WriteInt32(MaxWidth);
    fData.Write(aWriter);
    WritePoints(aWriter, 1, 1);
}

void TKVRBaseText::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseTextItem::ReadData(aVersion, aReader, aReadType);
    ReadTextFields(aReader);
    MaxWidth = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "MaxWidth"));
    fData.Read(aReader);
    ReadPoints(aReader, 1, 1, 1);
    FillData(!GetPreview());
}

void TKVRBaseText::CheckFit(TKVRExtent& aExtent)
{
    if (fPoints.empty())
        return;
    // Text lengths are paper micrometres; the box lives in the model.
    const int64_t scale = GetDrawScale();
    const int64_t h = LineHeight > 0 ? LineHeight : GetBaseFontHeight();
    const TKVRRect box = KVRCodeBox(fPoints[0], int64_t(TextWidth) * scale + 2 * int64_t(GetBasePadX()),
                                    h * scale + 2 * int64_t(GetBasePadY()), GetHorzAlign(), GetVertAlign(), GetAngle());
    aExtent.Include(box.Left, box.Top);
    aExtent.Include(box.Right, box.Bottom);
}
