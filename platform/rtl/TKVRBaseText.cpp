#include "platform/rtl/TKVRBaseText.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/KVR.Stream.h"
#include "platform/rtl/TKVRBaseLabel.h"
#include <cmath>

namespace KVRTextCheck {

int32_t FontHeight(int32_t aValue, int32_t aDefault)
{
    if (aValue < 0)
        throw EKVRDataError("Invalid font height: " + std::to_string(aValue));
    return aValue == 0 ? aDefault : aValue;
}

float Scale(float aValue)
{
    if (!std::isfinite(aValue) || aValue < 0.0f)
        throw EKVRDataError("Invalid number for Scale");
    return aValue == 0.0f ? 1.0f : aValue;
}

}  // namespace KVRTextCheck

TKVRBaseText::TKVRBaseText(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Text, 1, aPreview)
{
    fFont.Height = DefaultFontHeight;
}

TKVRBaseText::TKVRBaseText(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Text, 1, aPreview)
{
    fFont.Height = DefaultFontHeight;
}

void TKVRBaseText::SetScale(float aValue)
{
    // A stretch of 0 would make the text vanish; such values are ignored.
    if (std::isfinite(aValue) && aValue > 0.0f) {
        Scale = aValue;
        Changed();
    }
}

void TKVRBaseText::SetFontHeight(float aValue)
{
    SetBaseFontHeight(RoundHalfEven32(double(aValue) * 1000.0));
}

void TKVRBaseText::SetBaseFontHeight(int32_t aValue)
{
    if (aValue > 0) {
        fFont.Height = aValue;
        Changed();
    }
}

void TKVRBaseText::SetText(const QString& aValue)
{
    StoredText = aValue;
    FillData(!GetPreview());
    Changed();
}

TJsonObject TKVRBaseText::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    fFont.WriteJson(j);
    j["Strikeout"] = fStrikeout;
    j["Scale"] = Scale;
    j["Text"] = KVRJson::Str(StoredText);
    j["HorzAlign"] = uint8_t(fHorzAlign);
    j["VertAlign"] = uint8_t(fVertAlign);
    j["Angle"] = uint8_t(fAngle);
    j["PaddingX"] = fPaddingX;
    j["PaddingY"] = fPaddingY;
    j["Radius"] = fRadio;
    j["MaxWidth"] = MaxWidth;
    j["FillType"] = FillType;
    j["FillName"] = KVRJson::Str(FillName);
    j["Format"] = KVRJson::Str(fFormat);
    WriteJsonPoints(j, 1, 1);
    return j;
}

void TKVRBaseText::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    const int32_t height = fFont.Height;
    fFont.ReadJson(aJson);
    fFont.Height = KVRTextCheck::FontHeight(fFont.Height, height);
    fStrikeout = KVRJson::GetBool(aJson, "Strikeout", fStrikeout);
    Scale = KVRTextCheck::Scale(KVRJson::GetSingle(aJson, "Scale", Scale));
    StoredText = KVRJson::GetString(aJson, "Text", StoredText);
    fHorzAlign = TKVRHorzAlign(KVRJson::GetByte(aJson, "HorzAlign", uint8_t(fHorzAlign)));
    fVertAlign = TKVRVertAlign(KVRJson::GetByte(aJson, "VertAlign", uint8_t(fVertAlign)));
    fAngle = TKVRAngle(KVRJson::GetByte(aJson, "Angle", uint8_t(fAngle)));
    fPaddingX = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "PaddingX", fPaddingX), "PaddingX"));
    fPaddingY = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "PaddingY", fPaddingY), "PaddingY"));
    fRadio = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "Radius", fRadio), "Radius"));
    MaxWidth = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "MaxWidth", MaxWidth), "MaxWidth"));
    FillType = KVRJson::GetByte(aJson, "FillType", FillType);
    FillName = KVRJson::GetString(aJson, "FillName", FillName);
    fFormat = KVRJson::GetString(aJson, "Format", fFormat);
    ReadJsonPoints(aJson, 1, 1, 1);
    FillData(!GetPreview());
}

void TKVRBaseText::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
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
    aWriter.WriteInt32(MaxWidth);
    aWriter.WriteByte(FillType);
    aWriter.WriteString(FillName);
    aWriter.WriteString(fFormat);
    WritePoints(aWriter, 1, 1);
}

void TKVRBaseText::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    const int32_t height = fFont.Height;
    fFont.Read(aReader);
    fFont.Height = KVRTextCheck::FontHeight(fFont.Height, height);
    fStrikeout = aReader.ReadBoolean();
    Scale = KVRTextCheck::Scale(aReader.ReadSingle());
    StoredText = aReader.ReadString();
    fHorzAlign = TKVRHorzAlign(aReader.ReadByte());
    fVertAlign = TKVRVertAlign(aReader.ReadByte());
    fAngle = TKVRAngle(aReader.ReadByte());
    fPaddingX = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "PaddingX"));
    fPaddingY = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "PaddingY"));
    fRadio = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "Radius"));
    MaxWidth = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "MaxWidth"));
    FillType = aReader.ReadByte();
    FillName = aReader.ReadString();
    fFormat = aReader.ReadString();
    ReadPoints(aReader, 1, 1, 1);
    FillData(!GetPreview());
}

void TKVRBaseText::FillData(bool aEmpty)
{
    if (aEmpty || FillType == 0 || !GetOwner())
        DisplayText = StoredText;
    else
        DisplayText = GetOwner()->DataValue(FillName, fFormat, FillType);
}

void TKVRBaseText::CalcValues(int16_t aMode)
{
    FillData(!GetPreview());
    TKVR2DItem::CalcValues(aMode);
}

void TKVRBaseText::CheckFit(TKVRExtent& aExtent)
{
    if (fPoints.empty())
        return;
    // Text lengths are paper micrometres; the box lives in the model.
    const int64_t scale = GetDrawScale();
    const int64_t h = LineHeight > 0 ? LineHeight : fFont.Height;
    const int64_t w = int64_t(TextWidth) * scale + 2 * int64_t(fPaddingX);
    const int64_t hh = h * scale + 2 * int64_t(fPaddingY);
    int64_t ox = 0, oy = 0;
    if (fHorzAlign == TKVRHorzAlign::Center)
        ox = -(w / 2);
    else if (fHorzAlign == TKVRHorzAlign::Right)
        ox = -w;
    if (fVertAlign == TKVRVertAlign::Center)
        oy = -(hh / 2);
    else if (fVertAlign == TKVRVertAlign::Bottom)
        oy = -hh;
    // The box's corners turned about the reference point by -90 degrees a step.
    auto turn = [this](int64_t x, int64_t y, int64_t& tx, int64_t& ty) {
        switch (fAngle) {
        case TKVRAngle::Angle90: tx = y; ty = -x; break;
        case TKVRAngle::Angle180: tx = -x; ty = -y; break;
        case TKVRAngle::Angle270: tx = -y; ty = x; break;
        default: tx = x; ty = y; break;
        }
    };
    const TKVRPto& p = fPoints[0];
    int64_t ax, ay, bx, by;
    turn(ox, oy, ax, ay);
    turn(ox + w, oy + hh, bx, by);
    aExtent.Include(p.X + ax, p.Y + ay);
    aExtent.Include(p.X + bx, p.Y + by);
}
