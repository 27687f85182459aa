#include "platform/rtl/model/TKVRBaseArc.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double ClockwiseSweep(double aStart, double aEnd)
{
    const double s = TDraw2D::NormalizeAngle(aEnd - aStart);
    return s == 0.0 ? 2.0 * std::numbers::pi : s;
}

}  // namespace

TKVRBaseArc::TKVRBaseArc(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRBaseItem(aOwner, KVRItemKind::Arc, 3, aPreview)
{
}

TKVRBaseArc::TKVRBaseArc(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseItem(aOwner, aLayer, KVRItemKind::Arc, 3, aPreview)
{
}

TKVRBaseArc::TKVRBaseArc(TKVRBaseLabel* aOwner, int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aStart,
                         float aEnd, bool aPreview)
    : TKVRBaseItem(aOwner, KVRItemKind::Arc, 3, aPreview)
{
    SetCircle(aCenterX, aCenterY, aRadius);
    SetAngles(aStart, aEnd);
}

TKVRBaseArc::TKVRBaseArc(TKVRBaseLabel* aOwner, int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3,
                         int64_t aY3, bool aPreview)
    : TKVRBaseItem(aOwner, KVRItemKind::Arc, 3, aPreview)
{
    if (!TDraw2D::ArcThreePoints(aX1, aY1, aX2, aY2, aX3, aY3, fCenterX, fCenterY, fRadius, fStart, fEnd, fSweep,
                                 fDirection))
        throw EKVRDataError("The three points do not define an arc");
    fPoints = {{aX1, aY1}, {aX2, aY2}, {aX3, aY3}};
    UpdatePoints();
}

TJsonObject TKVRBaseArc::WriteJson() const
{
    TJsonObject j = TKVRBaseItem::WriteJson();
    fEnds.WriteJson(j);
    j["StartAngle"] = fStart;
    j["EndAngle"] = fEnd;
    j["SweepAngle"] = fSweep;
    j["Direction"] = fDirection;
    j["CenterX"] = fCenterX;
    j["CenterY"] = fCenterY;
    j["Radius"] = fRadius;
    return j;
}

void TKVRBaseArc::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBaseItem::ReadJson(aVersion, aJson);
    fEnds.ReadJson(aJson);
    fStart = KVRJson::GetDouble(aJson, "StartAngle", fStart);
    fEnd = KVRJson::GetDouble(aJson, "EndAngle", fEnd);
    fSweep = KVRJson::GetDouble(aJson, "SweepAngle", fSweep);
    fDirection = KVRJson::GetBool(aJson, "Direction", fDirection);
    fCenterX = KVRCheck::Coordinate(KVRJson::GetInt64(aJson, "CenterX", fCenterX), "CenterX");
    fCenterY = KVRCheck::Coordinate(KVRJson::GetInt64(aJson, "CenterY", fCenterY), "CenterY");
    fRadius = KVRCheck::Coordinate(KVRCheck::NotNegative(KVRJson::GetInt64(aJson, "Radius", fRadius), "Radius"),
                                   "Radius");
    UpdatePoints();
}

void TKVRBaseArc::UpdatePoints()
{
    const double r = double(fRadius);
    const double angles[3] = {fStart, fStart + fSweep / 2.0, fStart + fSweep};
    for (size_t i = 0; i < 3; ++i) {
        const TKVRPto at{fCenterX + RoundHalfEven(r * std::cos(angles[i])),
                         fCenterY + RoundHalfEven(r * std::sin(angles[i]))};
        // Centre and radius are whole micrometres: a point placed on the arc
        // by hand may lie beside where they put it by that rounding, and
        // stays, so an edit never makes the user's points drift.
        if (std::abs(at.X - fPoints[i].X) > PointSlack || std::abs(at.Y - fPoints[i].Y) > PointSlack)
            fPoints[i] = at;
    }
}

void TKVRBaseArc::CheckFit(TKVRExtent& aExtent)
{
    TKVRBaseItem::CheckFit(aExtent);
    KVRIncludeArc(aExtent, double(fCenterX), double(fCenterY), double(fRadius), fStart, fSweep,
                  GetBasePenWidth() / 2);
}

void TKVRBaseArc::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseItem::WriteData(aWriter);
    fEnds.Write(aWriter);
    aWriter.WriteDouble(fStart);
    aWriter.WriteDouble(fEnd);
    aWriter.WriteDouble(fSweep);
    aWriter.WriteBoolean(fDirection);
    aWriter.WriteInt64(fCenterX);
    aWriter.WriteInt64(fCenterY);
    aWriter.WriteInt64(fRadius);
}

void TKVRBaseArc::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseItem::ReadData(aVersion, aReader, aReadType);
    fEnds.Read(aReader);
    fStart = KVRCheck::ReadDouble(aReader, "StartAngle");
    fEnd = KVRCheck::ReadDouble(aReader, "EndAngle");
    fSweep = KVRCheck::ReadDouble(aReader, "SweepAngle");
    fDirection = aReader.ReadBoolean();
    fCenterX = KVRCheck::Coordinate(aReader.ReadInt64(), "CenterX");
    fCenterY = KVRCheck::Coordinate(aReader.ReadInt64(), "CenterY");
    fRadius = KVRCheck::Coordinate(KVRCheck::NotNegative(aReader.ReadInt64(), "Radius"), "Radius");
    UpdatePoints();
}

void TKVRBaseArc::BaseMove(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, TKVRMoveOpt aOpt, bool aUpdate)
{
    if (GetPreview())
        return;
    int64_t dx = KVRHeldDifference(aX2, aX1);
    int64_t dy = KVRHeldDifference(aY2, aY1);
    CheckBaseBoundsMove(dx, dy, aOpt);
    // The points move first: their move checks the circle again, and must
    // find it where it stood, or the centre and the points part ways.
    TKVRBaseItem::BaseMove(0, 0, dx, dy, aOpt, false);
    fCenterX += dx;
    fCenterY += dy;
    if (aUpdate)
        CalcValues(0);
}

void TKVRBaseArc::CheckBaseBoundsMove(int64_t& aDx, int64_t& aDy, TKVRMoveOpt aOpt)
{
    // The whole circle stays in range, so the derived points always do.
    const int64_t lim = KVRMaxCoordinate;
    TKVRBaseItem::CheckBaseBoundsMove(aDx, aDy, aOpt);
    if (aDx > 0 && fCenterX + fRadius + aDx > lim)
        aDx = std::max<int64_t>(0, lim - fCenterX - fRadius);
    if (aDx < 0 && fCenterX - fRadius + aDx < -lim)
        aDx = std::min<int64_t>(0, -lim - fCenterX + fRadius);
    if (aDy > 0 && fCenterY + fRadius + aDy > lim)
        aDy = std::max<int64_t>(0, lim - fCenterY - fRadius);
    if (aDy < 0 && fCenterY - fRadius + aDy < -lim)
        aDy = std::min<int64_t>(0, -lim - fCenterY + fRadius);
}

void TKVRBaseArc::SetAngles(double aStart, double aEnd)
{
    fStart = aStart;
    fEnd = aEnd;
    fSweep = ClockwiseSweep(aStart, aEnd);
    UpdatePoints();
    Changed();
}

void TKVRBaseArc::SetSweepAngle(double aValue)
{
    fSweep = aValue;
    UpdatePoints();
    Changed();
}

void TKVRBaseArc::SetCircle(int64_t aCenterX, int64_t aCenterY, int64_t aRadius)
{
    fCenterX = aCenterX;
    fCenterY = aCenterY;
    fRadius = aRadius < 0 ? -aRadius : aRadius;
    UpdatePoints();
    Changed();
}
