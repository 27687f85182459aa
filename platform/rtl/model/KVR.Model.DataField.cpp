#include "platform/rtl/model/KVR.Model.DataField.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/label/TKVRBaseLabel.h"

QString TKVRDataField::Value(const TKVRBaseLabel* aLabel, const QString& aOwn) const
{
    if (!IsBound() || !aLabel || !aLabel->HasFieldSource(FillName))
        return aOwn;
    return aLabel->DataValue(FillName, Format, FillType);
}

void TKVRDataField::Write(TBinaryWriter& aWriter) const
{
    aWriter.WriteByte(FillType);
    aWriter.WriteString(FillName);
    aWriter.WriteString(Format);
}

void TKVRDataField::Read(TBinaryReader& aReader)
{
    FillType = aReader.ReadByte();
    FillName = aReader.ReadString();
    Format = aReader.ReadString();
}

void TKVRDataField::WriteJson(TJsonObject& aJson) const
{
    aJson["FillType"] = FillType;
    aJson["FillName"] = KVRJson::Str(FillName);
    aJson["Format"] = KVRJson::Str(Format);
}

void TKVRDataField::ReadJson(const TJsonObject& aJson)
{
    FillType = KVRJson::GetByte(aJson, "FillType", FillType);
    FillName = KVRJson::GetString(aJson, "FillName", FillName);
    Format = KVRJson::GetString(aJson, "Format", Format);
}
