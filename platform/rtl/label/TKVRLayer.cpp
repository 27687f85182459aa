#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"

void TKVRLayer::Write(TBinaryWriter& aWriter) const
{
    aWriter.WriteString(fName);
    aWriter.WriteWord(fState);
    aWriter.WriteCardinal(Color);
    aWriter.WriteCardinal(BackColor);
    aWriter.WriteInt32(PenWidth);
    aWriter.WriteString(FontName);
    aWriter.WriteCardinal(FontColor);
    aWriter.WriteInt32(FontHeight);
    aWriter.WriteBoolean(Bold);
    aWriter.WriteBoolean(Italic);
}

void TKVRLayer::Read(TBinaryReader& aReader)
{
    TKVRLayer l(fIndex);
    l.fName = aReader.ReadString();
    l.fState = aReader.ReadWord();
    l.Color = aReader.ReadCardinal();
    l.BackColor = aReader.ReadCardinal();
    l.PenWidth = KVRCheck::CheckPenWidth(aReader.ReadInt32());
    l.FontName = aReader.ReadString();
    l.FontColor = aReader.ReadCardinal();
    l.FontHeight = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "FontHeight"));
    l.Bold = aReader.ReadBoolean();
    l.Italic = aReader.ReadBoolean();
    *this = l;
}

TJsonObject TKVRLayer::WriteJson() const
{
    TJsonObject j = TJsonObject::object();
    j["Name"] = KVRJson::Str(fName);
    j["State"] = fState;
    j["Color"] = Color;
    j["BackColor"] = BackColor;
    j["PenWidth"] = PenWidth;
    j["FontName"] = KVRJson::Str(FontName);
    j["FontColor"] = FontColor;
    j["FontHeight"] = FontHeight;
    j["Bold"] = Bold;
    j["Italic"] = Italic;
    return j;
}

void TKVRLayer::ReadJson(const TJsonObject& aJson)
{
    TKVRLayer l = *this;
    l.fName = KVRJson::GetString(aJson, "Name", l.fName);
    l.fState = uint16_t(KVRJson::GetCardinal(aJson, "State", l.fState) & 0xFFFF);
    l.Color = KVRJson::GetCardinal(aJson, "Color", l.Color);
    l.BackColor = KVRJson::GetCardinal(aJson, "BackColor", l.BackColor);
    l.PenWidth = KVRCheck::CheckPenWidth(KVRJson::GetInt32(aJson, "PenWidth", l.PenWidth));
    l.FontName = KVRJson::GetString(aJson, "FontName", l.FontName);
    l.FontColor = KVRJson::GetCardinal(aJson, "FontColor", l.FontColor);
    l.FontHeight = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "FontHeight", l.FontHeight), "FontHeight"));
    l.Bold = KVRJson::GetBool(aJson, "Bold", l.Bold);
    l.Italic = KVRJson::GetBool(aJson, "Italic", l.Italic);
    *this = l;
}
