#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

TVXDimType CheckDimType(int64_t aValue)
{
    if (aValue < 0 || aValue > KVRDimType::Angular)
        throw EKVRDataError("Invalid dimension type: " + std::to_string(aValue));
    return TVXDimType(aValue);
}

}  // namespace

TKVRBaseDim::TKVRBaseDim(TKVRBaseLabel* aOwner, TVXDimType aType, bool aPreview)
    : TKVRBaseItem(aOwner, KVRItemKind::Dim, PointCount, aPreview), fDimType(CheckDimType(aType))
{
}

TKVRBaseDim::TKVRBaseDim(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, TVXDimType aType, bool aPreview)
    : TKVRBaseItem(aOwner, aLayer, KVRItemKind::Dim, PointCount, aPreview), fDimType(CheckDimType(aType))
{
}

TJsonObject TKVRBaseDim::WriteJson() const
{
    TJsonObject j = TKVRBaseItem::WriteJson();
    j["DimType"] = fDimType;
    j["DimExt"] = fDimExt;
    j["DimStyle"] = fDimStyle;
    j["Text"] = KVRJson::Str(fText);
    WriteJsonPoints(j, 1, 8);
    const TKVRPto stored = StoredPoints()[4];
    j["Points"][4] = TJsonObject::array({stored.X, stored.Y});
    return j;
}

void TKVRBaseDim::CheckFit(TKVRExtent& aExtent)
{
    const int64_t half = GetBasePenWidth() / 2;
    for (int32_t i = 0; i < 8; ++i)
        aExtent.IncludeWide(fPoints[size_t(i)].X, fPoints[size_t(i)].Y, half);
}

void TKVRBaseDim::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBaseItem::ReadJson(aVersion, aJson);
    fDimType = CheckDimType(KVRJson::GetInt64(aJson, "DimType", fDimType));
    fDimExt = KVRJson::GetBool(aJson, "DimExt", fDimExt);
    fDimStyle = KVRJson::GetInt32(aJson, "DimStyle", fDimStyle);
    fText = KVRJson::GetString(aJson, "Text", fText);
    if (KVRJson::GetArray(aJson, "Points")) {
        ReadJsonPoints(aJson, 1, 8, 8);
        TakeStoredPosition();
    }
}

void TKVRBaseDim::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseItem::WriteData(aWriter);
    aWriter.WriteByte(fDimType);
    aWriter.WriteBoolean(fDimExt);
    aWriter.WriteInt32(fDimStyle);
    aWriter.WriteString(fText);
    const std::array<TKVRPto, 8> points = StoredPoints();
    WritePointList(aWriter, points.data(), int32_t(points.size()));
}

void TKVRBaseDim::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseItem::ReadData(aVersion, aReader, aReadType);
    ReadDimBody(aReader);
}

void TKVRBaseDim::ReadDimBody(TBinaryReader& aReader)
{
    fDimType = CheckDimType(aReader.ReadByte());
    fDimExt = aReader.ReadBoolean();
    fDimStyle = aReader.ReadInt32();
    fText = aReader.ReadString();
    ReadPoints(aReader, 1, 8, 8);
    TakeStoredPosition();
}

std::array<TKVRPto, 8> TKVRBaseDim::StoredPoints() const
{
    std::array<TKVRPto, 8> points;
    std::copy_n(fPoints.begin(), points.size(), points.begin());
    if (KVRDimType::IsLinear(fDimType))
        points[4] = GetPositionPoint();
    return points;
}

void TKVRBaseDim::TakeStoredPosition()
{
    fAlong = 0.0;
    if (!KVRDimType::IsLinear(fDimType))
        return;
    // The line's ends do not depend on the style: any style lays them out.
    const TKVRPto placed = fPoints[4];
    KVRDim::TDimPoints pts;
    KVRDim::LinearPoints(fDimType, fPoints[0], fPoints[1], placed, TKVRDimStyle(), 1, pts);
    fPoints[4] = pts[4];
    fPoints[5] = pts[5];
    fAlong = KVRDim::DistanceAlong(pts[4], pts[5], placed);
}

TKVRPto TKVRBaseDim::GetPositionPoint() const
{
    if (KVRDimType::IsLinear(fDimType))
        return KVRDim::PointAlong(fPoints[4], fPoints[5], fAlong);
    return fPoints[6];
}

void TKVRBaseDim::CalcValues(int16_t aMode)
{
    UpdateDimPoints();
    TKVRBaseItem::CalcValues(aMode);
}

void TKVRBaseDim::SetDimType(TVXDimType aValue)
{
    fDimType = CheckDimType(aValue);
    Changed();
}

void TKVRBaseDim::SetDimStyleIndex(int32_t aValue)
{
    fDimStyle = aValue;
    Changed();
}

const TKVRDimStyle& TKVRBaseDim::GetDimStyle() const
{
    static const TKVRDimStyle standard;
    return GetOwner() ? GetOwner()->GetDimStyle(fDimStyle) : standard;
}

double TKVRBaseDim::GetValue() const
{
    KVRDim::TDimPoints pts;
    for (size_t i = 0; i < pts.size(); ++i)
        pts[i] = fPoints[i];
    return KVRDim::MeasuredValue(fDimType, pts);
}

void TKVRBaseDim::SetLinear(TVXDimType aType, int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aPX,
                            int64_t aPY)
{
    if (!KVRDimType::IsLinear(aType))
        throw EKVRDataError("Invalid dimension type: " + std::to_string(aType));
    fDimType = aType;
    fPoints[0] = {aX1, aY1};
    fPoints[1] = {aX2, aY2};
    fPoints[4] = {aPX, aPY};
    UpdateDimPoints();
    fAlong = KVRDim::DistanceAlong(fPoints[4], fPoints[5], {aPX, aPY});
    Changed();
}

void TKVRBaseDim::SetRadial(TVXDimType aType, int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle)
{
    if (aType < KVRDimType::Radial1 || aType > KVRDimType::Diameter2)
        throw EKVRDataError("Invalid dimension type: " + std::to_string(aType));
    fDimType = aType;
    KVRDim::TDimPoints pts;
    KVRDim::RadialPoints(aType, aCenterX, aCenterY, aRadius < 0 ? -aRadius : aRadius,
                         double(aAngle) * std::numbers::pi / 180.0, GetDimStyle(), GetDrawScale(), pts);
    fPoints[0] = pts[0];
    fPoints[1] = pts[1];
    UpdateDimPoints();
    Changed();
}

void TKVRBaseDim::SetAngular(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3,
                             int64_t aX4, int64_t aY4, int64_t aPX, int64_t aPY)
{
    fDimType = KVRDimType::Angular;
    fPoints[0] = {aX1, aY1};
    fPoints[1] = {aX2, aY2};
    fPoints[2] = {aX3, aY3};
    fPoints[3] = {aX4, aY4};
    fPoints[6] = {aPX, aPY};
    UpdateDimPoints();
    Changed();
}

void TKVRBaseDim::UpdateDimPoints()
{
    KVRDim::TDimPoints pts;
    const TKVRDimStyle& style = GetDimStyle();
    if (KVRDimType::IsLinear(fDimType))
        KVRDim::LinearPoints(fDimType, fPoints[0], fPoints[1], fPoints[4], style, GetDrawScale(), pts);
    else if (fDimType == KVRDimType::Angular)
        KVRDim::AngularPoints(fPoints[0], fPoints[1], fPoints[2], fPoints[3], fPoints[6], pts);
    else
        KVRDim::RadialPointsFrom(fDimType, fPoints[0], fPoints[1], style, GetDrawScale(), pts);
    for (size_t i = 0; i < pts.size(); ++i)
        fPoints[i] = pts[i];
    const TKVRUnits units = GetOwner() ? GetOwner()->GetUnits() : TKVRUnits::Millimetre;
    fText = KVRDim::ValueText(fDimType, KVRDim::MeasuredValue(fDimType, pts), units, style);
}
