#include "platform/rtl/model/TKVRBase2DCode.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <algorithm>
#include <cmath>
#include <limits>

using namespace KVRCodeCheck;

TKVRBase2DCode::TKVRBase2DCode(TKVRBaseLabel* aOwner, int32_t aKind, bool aPreview, float aBarWidth,
                               float aBarHeight)
    : TKVR2DItem(aOwner, aKind, 2, aPreview), fBarWidth(aBarWidth), fBarHeight(aBarHeight)
{
}

TKVRBase2DCode::TKVRBase2DCode(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aKind, bool aPreview,
                               float aBarWidth, float aBarHeight)
    : TKVR2DItem(aOwner, aLayer, aKind, 2, aPreview), fBarWidth(aBarWidth), fBarHeight(aBarHeight)
{
}

// ---------------------------------------------------------------- geometry

namespace {
int32_t Scaled(int64_t aPaper, int32_t aScale)
{
    return int32_t(std::clamp<int64_t>(aPaper * aScale, 0, std::numeric_limits<int32_t>::max()));
}
}  // namespace

int32_t TKVRBase2DCode::BoxWidth(int32_t aModules) const
{
    const double mm = double(std::max(aModules, 0)) * double(fBarWidth) + 2.0 * double(fPaddingX);
    return Scaled(ToMicrometres(mm), GetDrawScale());
}

int32_t TKVRBase2DCode::BoxHeight(int32_t aModules) const
{
    const double mm = double(std::max(aModules, 0)) * double(fBarHeight) + 2.0 * double(fPaddingY);
    return Scaled(ToMicrometres(mm), GetDrawScale());
}

TKVRRect TKVRBase2DCode::CodeBox(const TKVRSymbolLayout* aLayout) const
{
    int64_t w, h;
    if (aLayout) {
        w = BarCodeWidth(aLayout->Columns);
        h = BarCodeHeight(aLayout->Rows);
    } else {
        const int32_t scale = GetDrawScale();
        w = Scaled(int64_t(KVRNoCodeSize) + 2 * int64_t(ToMicrometres(fPaddingX)), scale);
        h = Scaled(int64_t(KVRNoCodeSize) + 2 * int64_t(ToMicrometres(fPaddingY)), scale);
    }
    return KVRCodeBox(fPoints[0], w, h, fHorzAlign, fVertAlign, fAngle);
}

void TKVRBase2DCode::SetEncoded(bool aEncoded, int32_t aColumns, int32_t aRows)
{
    fEncoded = aEncoded;
    fEncodedColumns = aEncoded ? aColumns : 0;
    fEncodedRows = aEncoded ? aRows : 0;
}

void TKVRBase2DCode::CheckFit(TKVRExtent& aExtent)
{
    TKVRSymbolLayout size;
    size.Columns = fEncodedColumns;
    size.Rows = fEncodedRows;
    const TKVRRect box = CodeBox(fEncoded ? &size : nullptr);
    aExtent.Include(box.Left, box.Top);
    aExtent.Include(box.Right, box.Bottom);
}

void TKVRBase2DCode::UpdatePoints()
{
    TKVRExtent e;
    CheckFit(e);
    // Written directly, so the layout does not mark itself stale again.
    fPoints[1] = {e.MaxX, e.MaxY};
}

// ---------------------------------------------------------------- setters

void TKVRBase2DCode::SetBarWidth(float aValue)
{
    if (KVRAssignPositive(fBarWidth, aValue))
        Changed();
}

void TKVRBase2DCode::SetBarHeight(float aValue)
{
    if (KVRAssignPositive(fBarHeight, aValue))
        Changed();
}

void TKVRBase2DCode::SetRatio(float aValue)
{
    KVRAssignPositive(fRatio, aValue);
}

void TKVRBase2DCode::SetPaddingX(float aValue)
{
    fPaddingX = ClampLength(aValue);
    Changed();
}

void TKVRBase2DCode::SetPaddingY(float aValue)
{
    fPaddingY = ClampLength(aValue);
    Changed();
}

// ---------------------------------------------------------------- streams

TJsonObject TKVRBase2DCode::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    j["Angle"] = uint8_t(fAngle);
    j["BarWidth"] = fBarWidth;
    j["BarHeight"] = fBarHeight;
    j["Ratio"] = fRatio;
    j["PaddingX"] = fPaddingX;
    j["PaddingY"] = fPaddingY;
    j["HorzAlign"] = uint8_t(fHorzAlign);
    j["VertAlign"] = uint8_t(fVertAlign);
    j["Code"] = KVRJson::Str(fCode);
    fData.WriteJson(j);
    WriteJsonPoints(j, 1, 1);
    return j;
}

void TKVRBase2DCode::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    // A missing key keeps the value of a new element.
    // Any turn and alignment byte is kept; painting takes what it does not know as unturned, left, top.
    fAngle = TKVRAngle(KVRJson::GetByte(aJson, "Angle", uint8_t(fAngle)));
    fBarWidth = PositiveLength(KVRJson::GetSingle(aJson, "BarWidth", fBarWidth), "BarWidth");
    fBarHeight = PositiveLength(KVRJson::GetSingle(aJson, "BarHeight", fBarHeight), "BarHeight");
    fRatio = PositiveLength(KVRJson::GetSingle(aJson, "Ratio", fRatio), "Ratio");
    fPaddingX = NotNegativeLength(KVRJson::GetSingle(aJson, "PaddingX", fPaddingX), "PaddingX");
    fPaddingY = NotNegativeLength(KVRJson::GetSingle(aJson, "PaddingY", fPaddingY), "PaddingY");
    fHorzAlign = TKVRHorzAlign(KVRJson::GetByte(aJson, "HorzAlign", uint8_t(fHorzAlign)));
    fVertAlign = TKVRVertAlign(KVRJson::GetByte(aJson, "VertAlign", uint8_t(fVertAlign)));
    fCode = KVRJson::GetString(aJson, "Code", fCode);
    fData.ReadJson(aJson);
    ReadJsonPoints(aJson, 1, 1, 1);
    Changed();
}

void TKVRBase2DCode::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    aWriter.WriteByte(uint8_t(fAngle));
    aWriter.WriteSingle(fBarWidth);
    aWriter.WriteSingle(fBarHeight);
    aWriter.WriteSingle(fRatio);
    aWriter.WriteSingle(fPaddingX);
    aWriter.WriteSingle(fPaddingY);
    aWriter.WriteByte(uint8_t(fHorzAlign));
    aWriter.WriteByte(uint8_t(fVertAlign));
    aWriter.WriteString(fCode);
    fData.Write(aWriter);
    WritePoints(aWriter, 1, 1);
}

void TKVRBase2DCode::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    fAngle = TKVRAngle(aReader.ReadByte());
    fBarWidth = PositiveLength(aReader.ReadSingle(), "BarWidth");
    fBarHeight = PositiveLength(aReader.ReadSingle(), "BarHeight");
    fRatio = PositiveLength(aReader.ReadSingle(), "Ratio");
    fPaddingX = NotNegativeLength(aReader.ReadSingle(), "PaddingX");
    fPaddingY = NotNegativeLength(aReader.ReadSingle(), "PaddingY");
    fHorzAlign = TKVRHorzAlign(aReader.ReadByte());
    fVertAlign = TKVRVertAlign(aReader.ReadByte());
    fCode = aReader.ReadString();
    fData.Read(aReader);
    ReadPoints(aReader, 1, 1, 1);
    Changed();
}
