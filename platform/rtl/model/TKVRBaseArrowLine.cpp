#include "platform/rtl/model/TKVRBaseArrowLine.h"
#include "platform/rtl/model/KVR.Stream.h"

TKVRBaseArrowLine::TKVRBaseArrowLine(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRBaseItem(aOwner, KVRItemKind::ArrowLine, 4, aPreview)
{
}

TKVRBaseArrowLine::TKVRBaseArrowLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseItem(aOwner, aLayer, KVRItemKind::ArrowLine, 4, aPreview)
{
}

TJsonObject TKVRBaseArrowLine::WriteJson() const
{
    TJsonObject j = TKVRBaseItem::WriteJson();
    fEnds.WriteJson(j);
    fFont.WriteJson(j);
    j["Text"] = KVRJson::Str(fText);
    j["TextPos"] = fTextPos;
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBaseArrowLine::CheckFit(TKVRExtent& aExtent)
{
    const int64_t half = GetBasePenWidth() / 2;
    aExtent.IncludeWide(fPoints[0].X, fPoints[0].Y, half);
    aExtent.IncludeWide(fPoints[1].X, fPoints[1].Y, half);
}

void TKVRBaseArrowLine::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBaseItem::ReadJson(aVersion, aJson);
    fEnds.ReadJson(aJson);
    fFont.ReadJson(aJson);
    fText = KVRJson::GetString(aJson, "Text", fText);
    fTextPos = KVRJson::GetByte(aJson, "TextPos", fTextPos);
    ReadJsonPoints(aJson, 1, 2, 2);
}

void TKVRBaseArrowLine::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseItem::WriteData(aWriter);
    fEnds.Write(aWriter);
    fFont.Write(aWriter);
    aWriter.WriteString(fText);
    aWriter.WriteByte(fTextPos);
    WritePoints(aWriter, 1, 2);
}

void TKVRBaseArrowLine::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseItem::ReadData(aVersion, aReader, aReadType);
    fEnds.Read(aReader);
    fFont.Read(aReader);
    fText = aReader.ReadString();
    fTextPos = aReader.ReadByte();
    ReadPoints(aReader, 1, 2, 2);
}

void TKVRBaseArrowLine::SetFont(const TKVRFontInfo& aValue)
{
    fFont = aValue;
    Changed();
}

void TKVRBaseArrowLine::SetText(const QString& aValue)
{
    fText = aValue;
    Changed();
}

void TKVRBaseArrowLine::SetTextPos(TKVRTextPos aValue)
{
    fTextPos = aValue;
    Changed();
}
