#include "platform/rtl/model/TKVRBaseLevel.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

TKVRBaseLevel::TKVRBaseLevel(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Level, 2, aPreview)
{
}

TKVRBaseLevel::TKVRBaseLevel(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Level, 2, aPreview)
{
}

int64_t TKVRBaseLevel::GetBaseRadio() const
{
    return std::min(fPoints[1].X - fPoints[0].X, fPoints[1].Y - fPoints[0].Y) / 2;
}

TJsonObject TKVRBaseLevel::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    j["LevelType"] = fLevelType;
    j["Value"] = Value;
    j["MaxValue"] = MaxValue;
    j["LevelColor"] = LevelColor;
    j["AngleGap"] = fAngleGap;
    j["Angle"] = uint8_t(fAngle);
    j["Text"] = KVRJson::Str(fText);
    fFont.WriteJson(j);
    j["FillType"] = FillType;
    j["FillName"] = KVRJson::Str(FillName);
    j["Format"] = KVRJson::Str(fFormat);
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBaseLevel::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    fLevelType = KVRJson::GetByte(aJson, "LevelType", fLevelType);
    Value = KVRJson::GetSingle(aJson, "Value", Value);
    MaxValue = KVRJson::GetSingle(aJson, "MaxValue", MaxValue);
    LevelColor = KVRJson::GetCardinal(aJson, "LevelColor", LevelColor);
    fAngleGap = KVRJson::GetSingle(aJson, "AngleGap", fAngleGap);
    fAngle = TKVRAngle(KVRJson::GetByte(aJson, "Angle", uint8_t(fAngle)));
    fText = KVRJson::GetString(aJson, "Text", fText);
    fFont.ReadJson(aJson);
    FillType = KVRJson::GetByte(aJson, "FillType", FillType);
    FillName = KVRJson::GetString(aJson, "FillName", FillName);
    fFormat = KVRJson::GetString(aJson, "Format", fFormat);
    ReadJsonPoints(aJson, 1, 2, 2);
}

void TKVRBaseLevel::UpdatePoints()
{
    NormalizeBox();
}

void TKVRBaseLevel::FillData(bool aEmpty)
{
    if (aEmpty) {
        RecordText = fText;
        RecordValue = Value;
        return;
    }
    RecordOf(RecordValue, RecordText);
}

void TKVRBaseLevel::RecordOf(float& oValue, QString& oText) const
{
    if (FillType == 0 || !GetOwner()) {
        oText = fText;
        oValue = Value;
        return;
    }
    const QString raw = GetOwner()->DataValue(FillName, QString(), FillType);
    bool ok = false;
    const double v = QLocale::c().toDouble(raw.trimmed(), &ok);
    // A number beyond the float range is as far beyond any maximum.
    const double limit = double(std::numeric_limits<float>::max());
    oValue = ok && !std::isnan(v) ? float(std::clamp(v, -limit, limit)) : 0.0f;
    oText = fFormat.isEmpty() ? raw : GetOwner()->DataValue(FillName, fFormat, FillType);
}

void TKVRBaseLevel::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    aWriter.WriteByte(fLevelType);
    aWriter.WriteSingle(Value);
    aWriter.WriteSingle(MaxValue);
    aWriter.WriteCardinal(LevelColor);
    aWriter.WriteSingle(fAngleGap);
    aWriter.WriteByte(uint8_t(fAngle));
    aWriter.WriteString(fText);
    fFont.Write(aWriter);
    aWriter.WriteByte(FillType);
    aWriter.WriteString(FillName);
    aWriter.WriteString(fFormat);
    WritePoints(aWriter, 1, 2);
}

void TKVRBaseLevel::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    fLevelType = aReader.ReadByte();
    Value = KVRCheck::ReadSingle(aReader, "Value");
    MaxValue = KVRCheck::ReadSingle(aReader, "MaxValue");
    LevelColor = aReader.ReadCardinal();
    fAngleGap = KVRCheck::ReadSingle(aReader, "AngleGap");
    fAngle = TKVRAngle(aReader.ReadByte());
    fText = aReader.ReadString();
    fFont.Read(aReader);
    FillType = aReader.ReadByte();
    FillName = aReader.ReadString();
    fFormat = aReader.ReadString();
    ReadPoints(aReader, 1, 2, 2);
}

void TKVRBaseLevel::CalcValues(int16_t aMode)
{
    TKVR2DItem::CalcValues(aMode);
    FillData(false);
}
