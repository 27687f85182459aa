#include "platform/rtl/TKVRBasePara.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/KVR.Stream.h"
#include "platform/rtl/TKVRBaseText.h"
#include <cmath>

TKVRBasePara::TKVRBasePara(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Paragraph, 2, aPreview)
{
    fFont.Height = DefaultFontHeight;
}

TKVRBasePara::TKVRBasePara(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Paragraph, 2, aPreview)
{
    fFont.Height = DefaultFontHeight;
}

TKVRBasePara::TKVRBasePara(TKVRBaseLabel* aOwner, int32_t aKind, bool aPreview)
    : TKVR2DItem(aOwner, aKind, 2, aPreview)
{
    fFont.Height = DefaultFontHeight;
}

TKVRBasePara::TKVRBasePara(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aKind, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, aKind, 2, aPreview)
{
    fFont.Height = DefaultFontHeight;
}

void TKVRBasePara::SetText(const QString& aValue)
{
    fText = aValue;
    Changed();
}

void TKVRBasePara::SetFontHeight(float aValue)
{
    SetBaseFontHeight(RoundHalfEven32(double(aValue) * 1000.0));
}

void TKVRBasePara::SetBaseFontHeight(int32_t aValue)
{
    if (aValue > 0) {
        fFont.Height = aValue;
        Changed();
    }
}

void TKVRBasePara::SetScaleX(float aValue)
{
    if (std::isfinite(aValue) && aValue > 0.0f) {
        Scale = aValue;
        Changed();
    }
}

int32_t TKVRBasePara::BaseScaleWidth() const
{
    return RoundHalfEven32(double(fPoints[1].X - fPoints[0].X) / GetDrawScale());
}

int32_t TKVRBasePara::BaseScaleHeight() const
{
    return RoundHalfEven32(double(fPoints[1].Y - fPoints[0].Y) / GetDrawScale());
}

int32_t TKVRBasePara::GetScalePadX() const
{
    return RoundHalfEven32(double(fPaddingX) / GetDrawScale());
}

int32_t TKVRBasePara::GetScalePadY() const
{
    return RoundHalfEven32(double(fPaddingY) / GetDrawScale());
}

void TKVRBasePara::UpdatePoints()
{
    NormalizeBox();
}

TJsonObject TKVRBasePara::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    fFont.WriteJson(j);
    j["Strikeout"] = fStrikeout;
    j["Scale"] = Scale;
    j["Text"] = KVRJson::Str(fText);
    j["HorzAlign"] = uint8_t(fHorzAlign);
    j["VertAlign"] = uint8_t(fVertAlign);
    j["Angle"] = uint8_t(fAngle);
    j["PaddingX"] = fPaddingX;
    j["PaddingY"] = fPaddingY;
    j["Radius"] = fRadio;
    j["FillType"] = FillType;
    j["FillName"] = KVRJson::Str(FillName);
    j["Format"] = KVRJson::Str(fFormat);
    j["AutoGrow"] = AutoGrow;
    j["AutoShrink"] = AutoShrink;
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBasePara::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    const int32_t height = fFont.Height;
    fFont.ReadJson(aJson);
    fFont.Height = KVRTextCheck::FontHeight(fFont.Height, height);
    fStrikeout = KVRJson::GetBool(aJson, "Strikeout", fStrikeout);
    Scale = KVRTextCheck::Scale(KVRJson::GetSingle(aJson, "Scale", Scale));
    fText = KVRJson::GetString(aJson, "Text", fText);
    fHorzAlign = TKVRHorzAlign(KVRJson::GetByte(aJson, "HorzAlign", uint8_t(fHorzAlign)));
    fVertAlign = TKVRVertAlign(KVRJson::GetByte(aJson, "VertAlign", uint8_t(fVertAlign)));
    fAngle = TKVRAngle(KVRJson::GetByte(aJson, "Angle", uint8_t(fAngle)));
    fPaddingX = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "PaddingX", fPaddingX), "PaddingX"));
    fPaddingY = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "PaddingY", fPaddingY), "PaddingY"));
    fRadio = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "Radius", fRadio), "Radius"));
    FillType = KVRJson::GetByte(aJson, "FillType", FillType);
    FillName = KVRJson::GetString(aJson, "FillName", FillName);
    fFormat = KVRJson::GetString(aJson, "Format", fFormat);
    AutoGrow = KVRJson::GetBool(aJson, "AutoGrow", AutoGrow);
    AutoShrink = KVRJson::GetBool(aJson, "AutoShrink", AutoShrink);
    ReadJsonPoints(aJson, 1, 2, 2);
}

void TKVRBasePara::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    fFont.Write(aWriter);
    aWriter.WriteBoolean(fStrikeout);
    aWriter.WriteSingle(Scale);
    aWriter.WriteString(fText);
    aWriter.WriteByte(uint8_t(fHorzAlign));
    aWriter.WriteByte(uint8_t(fVertAlign));
    aWriter.WriteByte(uint8_t(fAngle));
    aWriter.WriteInt32(fPaddingX);
    aWriter.WriteInt32(fPaddingY);
    aWriter.WriteInt32(fRadio);
    aWriter.WriteByte(FillType);
    aWriter.WriteString(FillName);
    aWriter.WriteString(fFormat);
    aWriter.WriteBoolean(AutoGrow);
    aWriter.WriteBoolean(AutoShrink);
    WritePoints(aWriter, 1, 2);
}

void TKVRBasePara::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    const int32_t height = fFont.Height;
    fFont.Read(aReader);
    fFont.Height = KVRTextCheck::FontHeight(fFont.Height, height);
    fStrikeout = aReader.ReadBoolean();
    Scale = KVRTextCheck::Scale(aReader.ReadSingle());
    fText = aReader.ReadString();
    fHorzAlign = TKVRHorzAlign(aReader.ReadByte());
    fVertAlign = TKVRVertAlign(aReader.ReadByte());
    fAngle = TKVRAngle(aReader.ReadByte());
    fPaddingX = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "PaddingX"));
    fPaddingY = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "PaddingY"));
    fRadio = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "Radius"));
    FillType = aReader.ReadByte();
    FillName = aReader.ReadString();
    fFormat = aReader.ReadString();
    AutoGrow = aReader.ReadBoolean();
    AutoShrink = aReader.ReadBoolean();
    ReadPoints(aReader, 1, 2, 2);
}
