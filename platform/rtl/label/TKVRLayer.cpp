#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <cmath>
#include <string>

namespace {
// Margins are lengths: a damaged record must not bring NaN or negative ones.
float Margin(float aValue, const char* aName)
{
    if (!std::isfinite(aValue) || aValue < 0)
        throw EKVRDataError(std::string("Invalid value for ") + aName);
    return aValue;
}

// Margins typed by the user: what a file would refuse becomes 0.
float TypedMargin(float aValue)
{
    return std::isfinite(aValue) && aValue > 0 ? aValue : 0.0f;
}
}

void TKVRLayer::SetPenWidth(float aValue) { PenWidth = KVRMillimetresToMicrometres(aValue); }
void TKVRLayer::SetFontHeight(float aValue) { FontHeight = KVRMillimetresToMicrometres(aValue); }
void TKVRLayer::SetImgMarLeft(float aValue) { ImgMarLeft = TypedMargin(aValue); }
void TKVRLayer::SetImgMarTop(float aValue) { ImgMarTop = TypedMargin(aValue); }
void TKVRLayer::SetImgMarRight(float aValue) { ImgMarRight = TypedMargin(aValue); }
void TKVRLayer::SetImgMarBottom(float aValue) { ImgMarBottom = TypedMargin(aValue); }

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
    aWriter.WriteBoolean(ImgEmbed);
    aWriter.WriteString(ImgFileName);
    aWriter.WriteSingle(ImgMarLeft);
    aWriter.WriteSingle(ImgMarTop);
    aWriter.WriteSingle(ImgMarRight);
    aWriter.WriteSingle(ImgMarBottom);
    aWriter.WriteInt32(int32_t(ImgBytes.size()));
    aWriter.WriteBytes(ImgBytes);
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
    l.ImgEmbed = aReader.ReadBoolean();
    l.ImgFileName = aReader.ReadString();
    l.ImgMarLeft = Margin(aReader.ReadSingle(), "ImgMarLeft");
    l.ImgMarTop = Margin(aReader.ReadSingle(), "ImgMarTop");
    l.ImgMarRight = Margin(aReader.ReadSingle(), "ImgMarRight");
    l.ImgMarBottom = Margin(aReader.ReadSingle(), "ImgMarBottom");
    // The count is checked against what is left before anything is allocated.
    l.ImgBytes = aReader.ReadBytes(aReader.ReadCount(1));
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
    j["ImgEmbed"] = ImgEmbed;
    j["ImgFileName"] = KVRJson::Str(ImgFileName);
    j["ImgMarLeft"] = ImgMarLeft;
    j["ImgMarTop"] = ImgMarTop;
    j["ImgMarRight"] = ImgMarRight;
    j["ImgMarBottom"] = ImgMarBottom;
    j["ImgData"] = ImgBytes.toBase64().toStdString();
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
    l.ImgEmbed = KVRJson::GetBool(aJson, "ImgEmbed", l.ImgEmbed);
    l.ImgFileName = KVRJson::GetString(aJson, "ImgFileName", l.ImgFileName);
    l.ImgMarLeft = Margin(KVRJson::GetSingle(aJson, "ImgMarLeft", l.ImgMarLeft), "ImgMarLeft");
    l.ImgMarTop = Margin(KVRJson::GetSingle(aJson, "ImgMarTop", l.ImgMarTop), "ImgMarTop");
    l.ImgMarRight = Margin(KVRJson::GetSingle(aJson, "ImgMarRight", l.ImgMarRight), "ImgMarRight");
    l.ImgMarBottom = Margin(KVRJson::GetSingle(aJson, "ImgMarBottom", l.ImgMarBottom), "ImgMarBottom");
    if (aJson.contains("ImgData")) {
        const QString text = KVRJson::GetString(aJson, "ImgData", QString());
        auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            throw EKVRJsonError("Invalid JSON value for \"ImgData\": Base64 was expected");
        l.ImgBytes = *decoded;
    }
    *this = l;
}
