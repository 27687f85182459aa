#include "platform/rtl/model/TKVR2DItem.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <algorithm>

TJsonObject TKVR2DItem::WriteJson() const
{
    TJsonObject j = TKVRBaseItem::WriteJson();
    j["Filled"] = fFilled;
    j["BackColor"] = fBackColor;
    j["Alpha"] = fAlpha;
    return j;
}

void TKVR2DItem::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBaseItem::ReadJson(aVersion, aJson);
    fFilled = KVRJson::GetBool(aJson, "Filled", fFilled);
    fBackColor = KVRJson::GetCardinal(aJson, "BackColor", fBackColor);
    fAlpha = KVRJson::GetByte(aJson, "Alpha", fAlpha);
}

void TKVR2DItem::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseItem::WriteData(aWriter);
    aWriter.WriteBoolean(fFilled);
    aWriter.WriteCardinal(fBackColor);
    aWriter.WriteByte(fAlpha);
}

void TKVR2DItem::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseItem::ReadData(aVersion, aReader, aReadType);
    fFilled = aReader.ReadBoolean();
    fBackColor = aReader.ReadCardinal();
    fAlpha = aReader.ReadByte();
}

void TKVR2DItem::NormalizeBox()
{
    if (fPoints.size() < 2)
        return;
    TKVRPto& a = fPoints[0];
    TKVRPto& b = fPoints[1];
    if (a.X > b.X)
        std::swap(a.X, b.X);
    if (a.Y > b.Y)
        std::swap(a.Y, b.Y);
}

void TKVR2DItem::SetBox(int64_t aCX, int64_t aCY, int64_t aRX, int64_t aRY)
{
    aRX = aRX < 0 ? -aRX : aRX;
    aRY = aRY < 0 ? -aRY : aRY;
    SetBase(1, aCX - aRX, aCY - aRY);
    SetBase(2, aCX + aRX, aCY + aRY);
}
