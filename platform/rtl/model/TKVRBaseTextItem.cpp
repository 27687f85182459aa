#include "platform/rtl/model/TKVRBaseTextItem.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Codes.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <algorithm>
#include <cmath>
#include <string>

namespace {

// A stored font height or scale of 0 reads as the default; a negative or
// non-finite one cannot be held.
int32_t CheckFontHeight(int32_t aValue, int32_t aDefault)
{
    if (aValue < 0)
        throw EKVRDataError("Invalid font height: " + std::to_string(aValue));
    return aValue == 0 ? aDefault : aValue;
}

float CheckScale(float aValue)
{
    if (!std::isfinite(aValue) || aValue < 0.0f)
        throw EKVRDataError("Invalid number for Scale");
    return aValue == 0.0f ? 1.0f : aValue;
}

int32_t CheckLength(int64_t aValue, const char* aWhat)
{
    return int32_t(KVRCheck::NotNegative(aValue, aWhat));
}

}  // namespace

TKVRBaseTextItem::TKVRBaseTextItem(TKVRBaseLabel* aOwner, int32_t aKind, int32_t aNumPoints, bool aPreview,
                                   int32_t aFontHeight)
    : TKVR2DItem(aOwner, aKind, aNumPoints, aPreview)
{
    fFont.Height = aFontHeight;
}

TKVRBaseTextItem::TKVRBaseTextItem(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aKind, int32_t aNumPoints,
                                   bool aPreview, int32_t aFontHeight)
    : TKVR2DItem(aOwner, aLayer, aKind, aNumPoints, aPreview)
{
    fFont.Height = aFontHeight;
}

void TKVRBaseTextItem::FillData(bool aEmpty)
{
    DisplayText = aEmpty ? StoredText : fData.Value(GetOwner(), StoredText);
}

void TKVRBaseTextItem::CalcValues(int16_t aMode)
{
    FillData(!GetPreview());
    TKVR2DItem::CalcValues(aMode);
}

void TKVRBaseTextItem::SetFontHeight(float aValue)
{
    if (std::isfinite(aValue))
        SetBaseFontHeight(int32_t(std::clamp(RoundHalfEven(double(aValue) * 1000.0), int64_t(0), int64_t(INT32_MAX))));
}

void TKVRBaseTextItem::SetBaseFontHeight(int32_t aValue)
{
    if (aValue > 0) {
        fFont.Height = aValue;
        Changed();
    }
}

void TKVRBaseTextItem::StoreText(const QString& aValue)
{
    StoredText = aValue;
    FillData(!GetPreview());
    Changed();
}

void TKVRBaseTextItem::StoreScale(float aValue)
{
    if (KVRAssignPositive(Scale, aValue))
        Changed();
}

void TKVRBaseTextItem::WriteTextFields(TBinaryWriter& aWriter) const
{
    fFont.Write(aWriter);
    aWriter.WriteBoolean(fStrikeout);
    aWriter.WriteSingle(Scale);
    aWriter.WriteString(StoredText);
    aWriter.WriteByte(uint8_t(fHorzAlign));
    aWriter.WriteByte(uint8_t(fVertAlign));
    aWriter.WriteByte(uint8_t(fAngle));
    aWriter.WriteInt32(fPaddingX);
    aWriter.WriteInt32(fPaddingY);
    aWriter.WriteInt32(fRadio);
}

void TKVRBaseTextItem::ReadTextFields(TBinaryReader& aReader)
{
    const int32_t height = fFont.Height;
    fFont.Read(aReader);
    fFont.Height = CheckFontHeight(fFont.Height, height);
    fStrikeout = aReader.ReadBoolean();
    Scale = CheckScale(aReader.ReadSingle());
    StoredText = aReader.ReadString();
    // Any alignment and turn byte is kept: painting takes what it does not know as left, top, unturned.
    fHorzAlign = TKVRHorzAlign(aReader.ReadByte());
    fVertAlign = TKVRVertAlign(aReader.ReadByte());
    fAngle = TKVRAngle(aReader.ReadByte());
    fPaddingX = CheckLength(aReader.ReadInt32(), "PaddingX");
    fPaddingY = CheckLength(aReader.ReadInt32(), "PaddingY");
    fRadio = CheckLength(aReader.ReadInt32(), "Radius");
}

void TKVRBaseTextItem::WriteTextJson(TJsonObject& aJson) const
{
    fFont.WriteJson(aJson);
    aJson["Strikeout"] = fStrikeout;
    aJson["Scale"] = Scale;
    aJson["Text"] = KVRJson::Str(StoredText);
    aJson["HorzAlign"] = uint8_t(fHorzAlign);
    aJson["VertAlign"] = uint8_t(fVertAlign);
    aJson["Angle"] = uint8_t(fAngle);
    aJson["PaddingX"] = fPaddingX;
    aJson["PaddingY"] = fPaddingY;
    aJson["Radius"] = fRadio;
}

void TKVRBaseTextItem::ReadTextJson(const TJsonObject& aJson)
{
    const int32_t height = fFont.Height;
    fFont.ReadJson(aJson);
    fFont.Height = CheckFontHeight(fFont.Height, height);
    fStrikeout = KVRJson::GetBool(aJson, "Strikeout", fStrikeout);
    Scale = CheckScale(KVRJson::GetSingle(aJson, "Scale", Scale));
    StoredText = KVRJson::GetString(aJson, "Text", StoredText);
    fHorzAlign = TKVRHorzAlign(KVRJson::GetByte(aJson, "HorzAlign", uint8_t(fHorzAlign)));
    fVertAlign = TKVRVertAlign(KVRJson::GetByte(aJson, "VertAlign", uint8_t(fVertAlign)));
    fAngle = TKVRAngle(KVRJson::GetByte(aJson, "Angle", uint8_t(fAngle)));
    fPaddingX = CheckLength(KVRJson::GetInt32(aJson, "PaddingX", fPaddingX), "PaddingX");
    fPaddingY = CheckLength(KVRJson::GetInt32(aJson, "PaddingY", fPaddingY), "PaddingY");
    fRadio = CheckLength(KVRJson::GetInt32(aJson, "Radius", fRadio), "Radius");
}
