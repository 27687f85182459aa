#include "platform/rtl/model/TKVRBaseNutri.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/KVR.Model.Codes.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <cmath>
#include <string>

namespace {
const char* const kCellKeys[5] = {"AColor", "BColor", "CColor", "DColor", "EColor"};
}

TKVRBaseNutri::TKVRBaseNutri(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::NutriScore, 2, aPreview)
{
}

TKVRBaseNutri::TKVRBaseNutri(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::NutriScore, 2, aPreview)
{
}

TJsonObject TKVRBaseNutri::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    j["NutriType"] = fNutriType;
    j["Gap"] = fGap;
    j["GapValue"] = fGapValue;
    j["Margin"] = fMargin;
    j["Title"] = KVRJson::Str(fTitle);
    j["TitleAlign"] = uint8_t(fTitleAlign);
    j["ShowTitle"] = fShowTitle;
    for (int i = 0; i < 5; ++i)
        j[kCellKeys[i]] = fCellColors[i];
    j["TitleColor"] = fTitleColor;
    j["CharColor"] = fCharColor;
    j["ValueColor"] = fValueColor;
    j["Value"] = KVRJson::Str(fValue.isNull() ? QString() : QString(fValue));
    j["Angle"] = uint8_t(fAngle);
    j["Radio"] = fRadio;
    j["InnerRadio"] = fInnerRadio;
    j["Monochrome"] = fMonochrome;
    fData.WriteJson(j);
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBaseNutri::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    using KVRCodeCheck::InList;
    TKVR2DItem::ReadJson(aVersion, aJson);
    fNutriType = KVRJson::GetByte(aJson, "NutriType", fNutriType);
    fGap = KVRCheck::Finite(KVRJson::GetSingle(aJson, "Gap", fGap), "Gap");
    fGapValue = KVRCheck::Finite(KVRJson::GetSingle(aJson, "GapValue", fGapValue), "GapValue");
    fMargin = KVRCheck::Finite(KVRJson::GetSingle(aJson, "Margin", fMargin), "Margin");
    fTitle = KVRJson::GetString(aJson, "Title", fTitle);
    fTitleAlign = TKVRHorzAlign(InList(KVRJson::GetByte(aJson, "TitleAlign", uint8_t(fTitleAlign)), 3, "TitleAlign"));
    fShowTitle = KVRJson::GetBool(aJson, "ShowTitle", fShowTitle);
    for (int i = 0; i < 5; ++i)
        fCellColors[i] = KVRJson::GetCardinal(aJson, kCellKeys[i], fCellColors[i]);
    fTitleColor = KVRJson::GetCardinal(aJson, "TitleColor", fTitleColor);
    fCharColor = KVRJson::GetCardinal(aJson, "CharColor", fCharColor);
    fValueColor = KVRJson::GetCardinal(aJson, "ValueColor", fValueColor);
    const QString value = KVRJson::GetString(aJson, "Value", fValue.isNull() ? QString() : QString(fValue));
    if (value.size() > 1)
        throw EKVRJsonError("Invalid JSON value for \"Value\": one letter was expected");
    fValue = value.isEmpty() ? QChar() : value.at(0);
    fAngle = TKVRAngle(InList(KVRJson::GetByte(aJson, "Angle", uint8_t(fAngle)), 4, "Angle"));
    fRadio = KVRCheck::Finite(KVRJson::GetSingle(aJson, "Radio", fRadio), "Radio");
    fInnerRadio = KVRCheck::Finite(KVRJson::GetSingle(aJson, "InnerRadio", fInnerRadio), "InnerRadio");
    fMonochrome = KVRJson::GetBool(aJson, "Monochrome", fMonochrome);
    fData.ReadJson(aJson);
    ReadJsonPoints(aJson, 1, 2, 2);
}

void TKVRBaseNutri::UpdatePoints()
{
    NormalizeBox();
}

void TKVRBaseNutri::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    aWriter.WriteByte(fNutriType);
    aWriter.WriteSingle(fGap);
    aWriter.WriteSingle(fGapValue);
    aWriter.WriteSingle(fMargin);
    aWriter.WriteString(fTitle);
    aWriter.WriteByte(uint8_t(fTitleAlign));
    aWriter.WriteBoolean(fShowTitle);
    for (TAlphaColor c : fCellColors)
        aWriter.WriteCardinal(c);
    aWriter.WriteCardinal(fTitleColor);
    aWriter.WriteCardinal(fCharColor);
    aWriter.WriteCardinal(fValueColor);
    aWriter.WriteWord(fValue.unicode());
    aWriter.WriteByte(uint8_t(fAngle));
    aWriter.WriteSingle(fRadio);
    aWriter.WriteSingle(fInnerRadio);
    aWriter.WriteBoolean(fMonochrome);
    fData.Write(aWriter);
    WritePoints(aWriter, 1, 2);
}

void TKVRBaseNutri::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    using KVRCodeCheck::InList;
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    fNutriType = aReader.ReadByte();
    fGap = KVRCheck::ReadSingle(aReader, "Gap");
    fGapValue = KVRCheck::ReadSingle(aReader, "GapValue");
    fMargin = KVRCheck::ReadSingle(aReader, "Margin");
    fTitle = aReader.ReadString();
    fTitleAlign = TKVRHorzAlign(InList(aReader.ReadByte(), 3, "TitleAlign"));
    fShowTitle = aReader.ReadBoolean();
    for (TAlphaColor& c : fCellColors)
        c = aReader.ReadCardinal();
    fTitleColor = aReader.ReadCardinal();
    fCharColor = aReader.ReadCardinal();
    fValueColor = aReader.ReadCardinal();
    const char16_t letter = char16_t(aReader.ReadWord());
    // Half of a surrogate pair is no letter: JSON could only write it as "?".
    if (QChar::isSurrogate(letter))
        throw EKVRDataError("Invalid value for Value: " + std::to_string(unsigned(letter)));
    fValue = QChar(letter);
    fAngle = TKVRAngle(InList(aReader.ReadByte(), 4, "Angle"));
    fRadio = KVRCheck::ReadSingle(aReader, "Radio");
    fInnerRadio = KVRCheck::ReadSingle(aReader, "InnerRadio");
    fMonochrome = aReader.ReadBoolean();
    fData.Read(aReader);
    ReadPoints(aReader, 1, 2, 2);
}

QChar TKVRBaseNutri::RecordLetter() const
{
    if (!fData.IsBound() || !GetOwner())
        return fValue;
    const QString v = fData.Value(GetOwner(), QString());
    return v.isEmpty() ? QChar() : v.at(0);
}

TAlphaColor TKVRBaseNutri::GetCellColor(int32_t aIndex) const
{
    return aIndex >= 0 && aIndex < 5 ? fCellColors[aIndex] : fCellColors[0];
}

void TKVRBaseNutri::SetLength(float& aField, float aValue)
{
    if (std::isfinite(aValue))
        aField = aValue;
}

float TKVRBaseNutri::ToPaperMM(float aValue) const
{
    return float(double(ToBase(aValue)) / (1000.0 * GetDrawScale()));
}

float TKVRBaseNutri::GetMMRadio() const
{
    return ToPaperMM(fRadio);
}

float TKVRBaseNutri::GetMMInnerRadio() const
{
    return ToPaperMM(fInnerRadio);
}

float TKVRBaseNutri::GetWidth() const
{
    return float(FromBase(fPoints[1].X - fPoints[0].X));
}

float TKVRBaseNutri::GetHeight() const
{
    return float(FromBase(fPoints[1].Y - fPoints[0].Y));
}
