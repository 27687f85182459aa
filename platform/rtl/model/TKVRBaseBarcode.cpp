#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Codes.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

using namespace KVRCodeCheck;

TKVRBaseBarcode::TKVRBaseBarcode(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Barcode, 2, aPreview)
{
}

TKVRBaseBarcode::TKVRBaseBarcode(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Barcode, 2, aPreview)
{
}

// ---------------------------------------------------------------- geometry

int32_t TKVRBaseBarcode::BarCodeWidth(const QByteArray& aPattern, bool /*aPoly*/) const
{
    const int32_t bars = aPattern.isEmpty() ? KVRNoCodeSize : TBarcode::BarCodeWidth(aPattern, fBarWidth, fFactor);
    const int64_t width = int64_t(std::max(bars, 0)) + 2 * int64_t(ToMicrometres(fPaddingX));
    return int32_t(std::min<int64_t>(width, std::numeric_limits<int32_t>::max()));
}

int32_t TKVRBaseBarcode::BarCodeHeight() const
{
    double h = double(fBarHeight) + double(fPaddingY) + double(fPaddingY);
    if (fShowNumber)
        h += double(fFontHeight) / 1000.0;
    return ToMicrometres(h);
}

TKVRRect TKVRBaseBarcode::CodeBox(int32_t aPaperWidth) const
{
    const int64_t scale = GetDrawScale();
    return KVRCodeBox(fPoints[0], int64_t(aPaperWidth) * scale, int64_t(BarCodeHeight()) * scale, fHorzAlign,
                      TKVRVertAlign::Top, fAngle);
}

void TKVRBaseBarcode::CheckFit(TKVRExtent& aExtent)
{
    const TKVRRect box = CodeBox(BarCodeWidth(fPattern, false));
    aExtent.Include(box.Left, box.Top);
    aExtent.Include(box.Right, box.Bottom);
}

void TKVRBaseBarcode::UpdatePoints()
{
    const TKVRRect box = CodeBox(BarCodeWidth(fPattern, false));
    // Written directly, so the layout does not mark itself stale again.
    fPoints[1] = {box.Right, box.Bottom};
}

// ---------------------------------------------------------------- setters

void TKVRBaseBarcode::SetBarWidth(float aValue)
{
    if (KVRAssignPositive(fBarWidth, aValue))
        Changed();
}

void TKVRBaseBarcode::SetBarHeight(float aValue)
{
    fBarHeight = ClampLength(aValue);
    Changed();
}

void TKVRBaseBarcode::SetBarWidthFactor(float aValue)
{
    if (KVRAssignPositive(fFactor, aValue))
        Changed();
}

void TKVRBaseBarcode::SetDistance(float aValue)
{
    fDistance = ClampLength(aValue);
}

void TKVRBaseBarcode::SetPaddingX(float aValue)
{
    fPaddingX = ClampLength(aValue);
    Changed();
}

void TKVRBaseBarcode::SetPaddingY(float aValue)
{
    fPaddingY = ClampLength(aValue);
    Changed();
}

void TKVRBaseBarcode::SetFontHeight(float aValue)
{
    SetBaseFontHeight(std::isfinite(aValue) ? ToMicrometres(std::max(0.0, double(aValue))) : 0);
}

void TKVRBaseBarcode::SetBaseFontHeight(int32_t aValue)
{
    fFontHeight = std::max(aValue, 0);
    EncodingChanged();
}

// ---------------------------------------------------------------- streams

TJsonObject TKVRBaseBarcode::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    j["Angle"] = uint8_t(fAngle);
    j["BarWidth"] = fBarWidth;
    j["BarHeight"] = fBarHeight;
    j["BarWidthFactor"] = fFactor;
    j["Distance"] = fDistance;
    j["PaddingX"] = fPaddingX;
    j["PaddingY"] = fPaddingY;
    j["HorzAlign"] = uint8_t(fHorzAlign);
    j["ShowNumber"] = fShowNumber;
    j["Checksum"] = fChecksum;
    j["E128Auto"] = uint8_t(fE128Auto);
    j["FontName"] = KVRJson::Str(fFontName);
    j["FontHeight"] = fFontHeight;
    j["BarCode"] = KVRJson::Str(fCode);
    j["CodeType"] = uint8_t(fCodeType);
    fData.WriteJson(j);
    WriteJsonPoints(j, 1, 1);
    return j;
}

void TKVRBaseBarcode::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    // A missing key keeps the value of a new element.
    // Any turn and alignment byte is kept; painting takes what it does not know as unturned, left.
    fAngle = TKVRAngle(KVRJson::GetByte(aJson, "Angle", uint8_t(fAngle)));
    fBarWidth = PositiveLength(KVRJson::GetSingle(aJson, "BarWidth", fBarWidth), "BarWidth");
    fBarHeight = NotNegativeLength(KVRJson::GetSingle(aJson, "BarHeight", fBarHeight), "BarHeight");
    fFactor = PositiveLength(KVRJson::GetSingle(aJson, "BarWidthFactor", fFactor), "BarWidthFactor");
    fDistance = NotNegativeLength(KVRJson::GetSingle(aJson, "Distance", fDistance), "Distance");
    fPaddingX = NotNegativeLength(KVRJson::GetSingle(aJson, "PaddingX", fPaddingX), "PaddingX");
    fPaddingY = NotNegativeLength(KVRJson::GetSingle(aJson, "PaddingY", fPaddingY), "PaddingY");
    fHorzAlign = TKVRHorzAlign(KVRJson::GetByte(aJson, "HorzAlign", uint8_t(fHorzAlign)));
    fShowNumber = KVRJson::GetBool(aJson, "ShowNumber", fShowNumber);
    fChecksum = KVRJson::GetBool(aJson, "Checksum", fChecksum);
    fE128Auto = TKVR128AutoType(InList(KVRJson::GetByte(aJson, "E128Auto", uint8_t(fE128Auto)), 4, "E128Auto"));
    fFontName = KVRJson::GetString(aJson, "FontName", fFontName);
    fFontHeight = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "FontHeight", fFontHeight), "FontHeight"));
    fCode = KVRJson::GetString(aJson, "BarCode", fCode);
    fCodeType = TKVRBarType(KVRJson::GetByte(aJson, "CodeType", uint8_t(fCodeType)));
    fData.ReadJson(aJson);
    ReadJsonPoints(aJson, 1, 1, 1);
    EncodingChanged();
}

void TKVRBaseBarcode::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    aWriter.WriteByte(uint8_t(fAngle));
    aWriter.WriteSingle(fBarWidth);
    aWriter.WriteSingle(fBarHeight);
    aWriter.WriteSingle(fFactor);
    aWriter.WriteSingle(fDistance);
    aWriter.WriteSingle(fPaddingX);
    aWriter.WriteSingle(fPaddingY);
    aWriter.WriteByte(uint8_t(fHorzAlign));
    aWriter.WriteBoolean(fShowNumber);
    aWriter.WriteBoolean(fChecksum);
    aWriter.WriteByte(uint8_t(fE128Auto));
    aWriter.WriteString(fFontName);
    aWriter.WriteInt32(fFontHeight);
    aWriter.WriteString(fCode);
    aWriter.WriteByte(uint8_t(fCodeType));
    fData.Write(aWriter);
    WritePoints(aWriter, 1, 1);
}

void TKVRBaseBarcode::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    fAngle = TKVRAngle(aReader.ReadByte());
    fBarWidth = PositiveLength(aReader.ReadSingle(), "BarWidth");
    fBarHeight = NotNegativeLength(aReader.ReadSingle(), "BarHeight");
    fFactor = PositiveLength(aReader.ReadSingle(), "BarWidthFactor");
    fDistance = NotNegativeLength(aReader.ReadSingle(), "Distance");
    fPaddingX = NotNegativeLength(aReader.ReadSingle(), "PaddingX");
    fPaddingY = NotNegativeLength(aReader.ReadSingle(), "PaddingY");
    fHorzAlign = TKVRHorzAlign(aReader.ReadByte());
    fShowNumber = aReader.ReadBoolean();
    fChecksum = aReader.ReadBoolean();
    fE128Auto = TKVR128AutoType(InList(aReader.ReadByte(), 4, "E128Auto"));
    fFontName = aReader.ReadString();
    fFontHeight = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "FontHeight"));
    fCode = aReader.ReadString();
    fCodeType = TKVRBarType(aReader.ReadByte());
    fData.Read(aReader);
    ReadPoints(aReader, 1, 1, 1);
    EncodingChanged();
}
