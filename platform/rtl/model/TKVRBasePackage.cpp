#include "platform/rtl/model/TKVRBasePackage.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {

double JsonNumber(const TJsonObject& aItem, const char* aKey)
{
    return KVRCheck::Finite(KVRJson::GetDouble(aItem, aKey, 0.0), aKey);
}

}  // namespace

TKVRBasePackage::TKVRBasePackage(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Package, 2, aPreview)
{
}

TKVRBasePackage::TKVRBasePackage(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Package, 2, aPreview)
{
}

TJsonObject TKVRBasePackage::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    j["Radius"] = fRadio;
    j["SizeLength"] = fSizeLength;
    j["SizeWidth"] = fSizeWidth;
    j["SizeHeight"] = fSizeHeight;
    j["NameLength"] = KVRJson::Str(fNameLength);
    j["NameWidth"] = KVRJson::Str(fNameWidth);
    j["NameHeight"] = KVRJson::Str(fNameHeight);
    j["Style"] = fStyle;
    j["BoxColor"] = fBoxColor;
    j["FontColor"] = fFontColor;
    j["Format"] = KVRJson::Str(fFormat);
    j["SizesFontHeight"] = SizesFontHeight;
    j["BoxFontHeight"] = BoxFontHeight;
    j["FillType"] = FillType;
    j["FillName"] = KVRJson::Str(FillName);
    TJsonObject drillList = TJsonObject::array();
    for (const TDrillPoint& d : fDrills)
        drillList.push_back({{"X", d.X}, {"Y", d.Y}, {"D", d.D}});
    j["Drills"] = std::move(drillList);
    TJsonObject slotList = TJsonObject::array();
    for (const TSlot& s : fSlots)
        slotList.push_back({{"X1", s.X1}, {"Y1", s.Y1}, {"X2", s.X2}, {"Y2", s.Y2}, {"Width", s.Width}});
    j["Slots"] = std::move(slotList);
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBasePackage::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    fRadio = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "Radius", fRadio), "Radius"));
    fSizeLength = KVRJson::GetSingle(aJson, "SizeLength", fSizeLength);
    fSizeWidth = KVRJson::GetSingle(aJson, "SizeWidth", fSizeWidth);
    fSizeHeight = KVRJson::GetSingle(aJson, "SizeHeight", fSizeHeight);
    fNameLength = KVRJson::GetString(aJson, "NameLength", fNameLength);
    fNameWidth = KVRJson::GetString(aJson, "NameWidth", fNameWidth);
    fNameHeight = KVRJson::GetString(aJson, "NameHeight", fNameHeight);
    fStyle = KVRJson::GetByte(aJson, "Style", fStyle);
    fBoxColor = KVRJson::GetCardinal(aJson, "BoxColor", fBoxColor);
    fFontColor = KVRJson::GetCardinal(aJson, "FontColor", fFontColor);
    fFormat = KVRJson::GetString(aJson, "Format", fFormat);
    SizesFontHeight = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "SizesFontHeight", SizesFontHeight), "SizesFontHeight"));
    BoxFontHeight = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "BoxFontHeight", BoxFontHeight), "BoxFontHeight"));
    FillType = KVRJson::GetByte(aJson, "FillType", FillType);
    FillName = KVRJson::GetString(aJson, "FillName", FillName);
    if (const TJsonObject* drillList = KVRJson::GetArray(aJson, "Drills")) {
        std::vector<TDrillPoint> list;
        for (const TJsonObject& d : *drillList)
            list.push_back({JsonNumber(d, "X"), JsonNumber(d, "Y"), JsonNumber(d, "D")});
        fDrills = std::move(list);
    }
    if (const TJsonObject* slotList = KVRJson::GetArray(aJson, "Slots")) {
        std::vector<TSlot> list;
        for (const TJsonObject& s : *slotList)
            list.push_back({JsonNumber(s, "X1"), JsonNumber(s, "Y1"), JsonNumber(s, "X2"), JsonNumber(s, "Y2"),
                            JsonNumber(s, "Width")});
        fSlots = std::move(list);
    }
    ReadJsonPoints(aJson, 1, 2, 2);
}

void TKVRBasePackage::UpdatePoints()
{
    NormalizeBox();
}

void TKVRBasePackage::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    aWriter.WriteInt32(fRadio);
    aWriter.WriteSingle(fSizeLength);
    aWriter.WriteSingle(fSizeWidth);
    aWriter.WriteSingle(fSizeHeight);
    aWriter.WriteString(fNameLength);
    aWriter.WriteString(fNameWidth);
    aWriter.WriteString(fNameHeight);
    aWriter.WriteByte(fStyle);
    aWriter.WriteCardinal(fBoxColor);
    aWriter.WriteCardinal(fFontColor);
    aWriter.WriteString(fFormat);
    aWriter.WriteInt32(SizesFontHeight);
    aWriter.WriteInt32(BoxFontHeight);
    aWriter.WriteByte(FillType);
    aWriter.WriteString(FillName);
    aWriter.WriteInt32(int32_t(fDrills.size()));
    for (const TDrillPoint& d : fDrills) {
        aWriter.WriteDouble(d.X);
        aWriter.WriteDouble(d.Y);
        aWriter.WriteDouble(d.D);
    }
    aWriter.WriteInt32(int32_t(fSlots.size()));
    for (const TSlot& s : fSlots) {
        aWriter.WriteDouble(s.X1);
        aWriter.WriteDouble(s.Y1);
        aWriter.WriteDouble(s.X2);
        aWriter.WriteDouble(s.Y2);
        aWriter.WriteDouble(s.Width);
    }
    WritePoints(aWriter, 1, 2);
}

void TKVRBasePackage::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    fRadio = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "Radius"));
    fSizeLength = KVRCheck::ReadSingle(aReader, "SizeLength");
    fSizeWidth = KVRCheck::ReadSingle(aReader, "SizeWidth");
    fSizeHeight = KVRCheck::ReadSingle(aReader, "SizeHeight");
    fNameLength = aReader.ReadString();
    fNameWidth = aReader.ReadString();
    fNameHeight = aReader.ReadString();
    fStyle = aReader.ReadByte();
    fBoxColor = aReader.ReadCardinal();
    fFontColor = aReader.ReadCardinal();
    fFormat = aReader.ReadString();
    SizesFontHeight = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "SizesFontHeight"));
    BoxFontHeight = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "BoxFontHeight"));
    FillType = aReader.ReadByte();
    FillName = aReader.ReadString();
    std::vector<TDrillPoint> drillList(size_t(aReader.ReadCount(24)));
    for (TDrillPoint& d : drillList) {
        d.X = KVRCheck::ReadDouble(aReader, "Drill");
        d.Y = KVRCheck::ReadDouble(aReader, "Drill");
        d.D = KVRCheck::ReadDouble(aReader, "Drill");
    }
    std::vector<TSlot> slotList(size_t(aReader.ReadCount(40)));
    for (TSlot& s : slotList) {
        s.X1 = KVRCheck::ReadDouble(aReader, "Slot");
        s.Y1 = KVRCheck::ReadDouble(aReader, "Slot");
        s.X2 = KVRCheck::ReadDouble(aReader, "Slot");
        s.Y2 = KVRCheck::ReadDouble(aReader, "Slot");
        s.Width = KVRCheck::ReadDouble(aReader, "Slot");
    }
    fDrills = std::move(drillList);
    fSlots = std::move(slotList);
    ReadPoints(aReader, 1, 2, 2);
}

void TKVRBasePackage::SetDat(const QString& aText)
{
    const TKVRBoxSizes s = SizesOf(aText);
    fSizeLength = s.Length;
    fSizeWidth = s.Width;
    fSizeHeight = s.Height;
}

TKVRBoxSizes TKVRBasePackage::SizesOf(const QString& aText) const
{
    static const QRegularExpression separators(QStringLiteral("[xX*;/\\s]+"));
    const QStringList parts = aText.split(separators, Qt::SkipEmptyParts);
    TKVRBoxSizes s = GetSizes();
    float* sizes[3] = {&s.Length, &s.Width, &s.Height};
    for (int i = 0; i < 3 && i < parts.size(); ++i) {
        bool ok = false;
        const double v = QLocale::c().toDouble(parts[i], &ok);
        if (ok && std::isfinite(v) && std::fabs(v) <= 3.0e38)
            *sizes[i] = float(v);
    }
    return s;
}
