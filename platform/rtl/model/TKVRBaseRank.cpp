#include "platform/rtl/model/TKVRBaseRank.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <cmath>

TKVRBaseRank::TKVRBaseRank(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Rank, 2, aPreview)
{
    Init();
}

TKVRBaseRank::TKVRBaseRank(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Rank, 2, aPreview)
{
    Init();
}

void TKVRBaseRank::Init()
{
    // Reached cells show filled in gold.
    SetFilled(true);
    SetBackColor(0xFFFFC000u);
}

TJsonObject TKVRBaseRank::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    j["RankType"] = fRankType;
    j["RankPos"] = fRankPos;
    j["Gap"] = fGap;
    j["EmptyColor"] = fEmptyColor;
    j["DrawEmpty"] = fDrawEmpty;
    j["Position"] = fPosition;
    j["Maximum"] = fMaximum;
    fData.WriteJson(j);
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBaseRank::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    fRankType = KVRJson::GetByte(aJson, "RankType", fRankType);
    fRankPos = KVRJson::GetByte(aJson, "RankPos", fRankPos);
    fGap = KVRCheck::Finite(KVRJson::GetSingle(aJson, "Gap", fGap), "Gap");
    fEmptyColor = KVRJson::GetCardinal(aJson, "EmptyColor", fEmptyColor);
    fDrawEmpty = KVRJson::GetBool(aJson, "DrawEmpty", fDrawEmpty);
    const int32_t position = KVRJson::GetInt32(aJson, "Position", fPosition);
    const int32_t maximum = KVRJson::GetInt32(aJson, "Maximum", fMaximum);
    if (position < 0 || position > 0xFFFF)
        throw EKVRJsonError("Invalid JSON value for \"Position\": out of range");
    if (maximum < 0 || maximum > 0xFFFF)
        throw EKVRJsonError("Invalid JSON value for \"Maximum\": out of range");
    fPosition = uint16_t(position);
    fMaximum = uint16_t(maximum);
    fData.ReadJson(aJson);
    ReadJsonPoints(aJson, 1, 2, 2);
}

void TKVRBaseRank::UpdatePoints()
{
    NormalizeBox();
}

void TKVRBaseRank::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    aWriter.WriteByte(fRankType);
    aWriter.WriteByte(fRankPos);
    aWriter.WriteSingle(fGap);
    aWriter.WriteCardinal(fEmptyColor);
    aWriter.WriteBoolean(fDrawEmpty);
    aWriter.WriteWord(fPosition);
    aWriter.WriteWord(fMaximum);
    fData.Write(aWriter);
    WritePoints(aWriter, 1, 2);
}

void TKVRBaseRank::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    fRankType = aReader.ReadByte();
    fRankPos = aReader.ReadByte();
    fGap = KVRCheck::ReadSingle(aReader, "Gap");
    fEmptyColor = aReader.ReadCardinal();
    fDrawEmpty = aReader.ReadBoolean();
    fPosition = aReader.ReadWord();
    fMaximum = aReader.ReadWord();
    fData.Read(aReader);
    ReadPoints(aReader, 1, 2, 2);
}

int32_t TKVRBaseRank::RecordPosition() const
{
    if (!fData.IsBound() || !GetOwner())
        return fPosition;
    bool ok = false;
    const int32_t v = fData.Value(GetOwner(), QString()).trimmed().toInt(&ok);
    return ok ? v : 0;
}

void TKVRBaseRank::SetGap(float aValue)
{
    if (std::isfinite(aValue))
        fGap = aValue;
}

float TKVRBaseRank::GetWidth() const
{
    return float(FromBase(fPoints[1].X - fPoints[0].X));
}

float TKVRBaseRank::GetHeight() const
{
    return float(FromBase(fPoints[1].Y - fPoints[0].Y));
}

void TKVRBaseRank::SetWidth(float aValue)
{
    if (std::isfinite(aValue) && aValue >= 0.0f)
        SetBase(2, fPoints[0].X + ToBase(aValue), fPoints[1].Y);
}

void TKVRBaseRank::SetHeight(float aValue)
{
    if (std::isfinite(aValue) && aValue >= 0.0f)
        SetBase(2, fPoints[1].X, fPoints[0].Y + ToBase(aValue));
}
