#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <cmath>
#include <string>

namespace KVRCheck {

int32_t CheckPenWidth(int32_t aValue)
{
    if (aValue < 0)
        throw EKVRDataError("Invalid pen width: " + std::to_string(aValue));
    return aValue;
}

void CheckPointCount(int32_t aCount, int32_t aMin, int32_t aMax)
{
    if (aCount < aMin || (aMax >= 0 && aCount > aMax))
        throw EKVRDataError("Invalid number of points: " + std::to_string(aCount));
}

float Finite(float aValue, const char* aWhat)
{
    if (!std::isfinite(aValue))
        throw EKVRDataError(std::string("Invalid number for ") + aWhat);
    return aValue;
}

double Finite(double aValue, const char* aWhat)
{
    if (!std::isfinite(aValue))
        throw EKVRDataError(std::string("Invalid number for ") + aWhat);
    return aValue;
}

int64_t NotNegative(int64_t aValue, const char* aWhat)
{
    if (aValue < 0)
        throw EKVRDataError(std::string("Invalid negative value for ") + aWhat);
    return aValue;
}

int64_t Coordinate(int64_t aValue, const char* aWhat)
{
    if (aValue < -KVRMaxCoordinate || aValue > KVRMaxCoordinate)
        throw EKVRDataError(std::string("Coordinate out of range for ") + aWhat + ": " + std::to_string(aValue));
    return aValue;
}

float ReadSingle(TBinaryReader& aReader, const char* aWhat)
{
    return Finite(aReader.ReadSingle(), aWhat);
}

double ReadDouble(TBinaryReader& aReader, const char* aWhat)
{
    return Finite(aReader.ReadDouble(), aWhat);
}

}  // namespace KVRCheck

void TKVRLineEnds::Write(TBinaryWriter& aWriter) const
{
    aWriter.WriteByte(FromType);
    aWriter.WriteByte(ToType);
    aWriter.WriteCardinal(FromColor);
    aWriter.WriteCardinal(ToColor);
    aWriter.WriteSingle(SizeFrom);
    aWriter.WriteSingle(SizeTo);
}

void TKVRLineEnds::Read(TBinaryReader& aReader)
{
    FromType = aReader.ReadByte();
    ToType = aReader.ReadByte();
    FromColor = aReader.ReadCardinal();
    ToColor = aReader.ReadCardinal();
    SizeFrom = KVRCheck::ReadSingle(aReader, "SizeFrom");
    SizeTo = KVRCheck::ReadSingle(aReader, "SizeTo");
}

void TKVRLineEnds::WriteJson(TJsonObject& aJson) const
{
    aJson["FromType"] = FromType;
    aJson["ToType"] = ToType;
    aJson["FromColor"] = FromColor;
    aJson["ToColor"] = ToColor;
    aJson["SizeFrom"] = SizeFrom;
    aJson["SizeTo"] = SizeTo;
}

void TKVRLineEnds::ReadJson(const TJsonObject& aJson)
{
    FromType = KVRJson::GetByte(aJson, "FromType", FromType);
    ToType = KVRJson::GetByte(aJson, "ToType", ToType);
    FromColor = KVRJson::GetCardinal(aJson, "FromColor", FromColor);
    ToColor = KVRJson::GetCardinal(aJson, "ToColor", ToColor);
    SizeFrom = KVRJson::GetSingle(aJson, "SizeFrom", SizeFrom);
    SizeTo = KVRJson::GetSingle(aJson, "SizeTo", SizeTo);
}

void TKVRFontInfo::Write(TBinaryWriter& aWriter) const
{
    aWriter.WriteString(Name);
    aWriter.WriteCardinal(Color);
    aWriter.WriteInt32(Height);
    aWriter.WriteBoolean(Bold);
    aWriter.WriteBoolean(Italic);
    aWriter.WriteBoolean(Underline);
}

void TKVRFontInfo::Read(TBinaryReader& aReader)
{
    Name = aReader.ReadString();
    Color = aReader.ReadCardinal();
    Height = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "FontHeight"));
    Bold = aReader.ReadBoolean();
    Italic = aReader.ReadBoolean();
    Underline = aReader.ReadBoolean();
}

void TKVRFontInfo::WriteJson(TJsonObject& aJson, const char* aPrefix) const
{
    const std::string p(aPrefix);
    aJson[p + "Name"] = KVRJson::Str(Name);
    aJson[p + "Color"] = Color;
    aJson[p + "Height"] = Height;
    aJson["Bold"] = Bold;
    aJson["Italic"] = Italic;
    aJson["Underline"] = Underline;
}

void TKVRFontInfo::ReadJson(const TJsonObject& aJson, const char* aPrefix)
{
    const std::string p(aPrefix);
    Name = KVRJson::GetString(aJson, (p + "Name").c_str(), Name);
    Color = KVRJson::GetCardinal(aJson, (p + "Color").c_str(), Color);
    Height = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, (p + "Height").c_str(), Height), "FontHeight"));
    Bold = KVRJson::GetBool(aJson, "Bold", Bold);
    Italic = KVRJson::GetBool(aJson, "Italic", Italic);
    Underline = KVRJson::GetBool(aJson, "Underline", Underline);
}
