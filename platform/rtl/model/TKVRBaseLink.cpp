#include "platform/rtl/model/TKVRBaseLink.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

TKVRLinkPt Pt(const TKVRPto& p)
{
    return {double(p.X), double(p.Y)};
}

IKVRLinkTarget* TargetOf(const TKVRBaseLabel* aOwner, int32_t aID)
{
    if (!aOwner)
        return nullptr;
    return dynamic_cast<IKVRLinkTarget*>(aOwner->FindNumID(aID));
}

// A straight route or a polyline through aMids; the markers point along the
// first and last legs.
void StraightRoute(TKVRLinkRoute& r, const TKVRPto& aFrom, const TKVRPto& aTo, const std::vector<TKVRPto>& aMids)
{
    r.Shape = aMids.empty() ? TKVRLinkRoute::TShape::Line : TKVRLinkRoute::TShape::Polyline;
    r.Points.clear();
    r.Points.push_back(Pt(aFrom));
    for (const TKVRPto& p : aMids)
        r.Points.push_back(Pt(p));
    r.Points.push_back(Pt(aTo));
    r.From = {Pt(aFrom), r.Points[1], false, 0.0};
    r.To = {Pt(aTo), r.Points[r.Points.size() - 2], false, 0.0};
}

struct TArc
{
    int64_t CX = 0, CY = 0, Radius = 0;
    double Start = 0.0, End = 0.0, Sweep = 0.0;
    bool Flag = false;
    bool FromFirst = true;  // the arc starts at the From end
};

// The arc from the end with the smaller x (the From end on a tie) through aPass.
bool ArcOf(const TKVRPto& aFrom, const TKVRPto& aPass, const TKVRPto& aTo, TArc& o)
{
    o.FromFirst = aFrom.X <= aTo.X;
    const TKVRPto& a = o.FromFirst ? aFrom : aTo;
    const TKVRPto& b = o.FromFirst ? aTo : aFrom;
    return TDraw2D::ArcThreePoints(a.X, a.Y, aPass.X, aPass.Y, b.X, b.Y, o.CX, o.CY, o.Radius, o.Start, o.End,
                                   o.Sweep, o.Flag);
}

}  // namespace

TKVRBaseLink::TKVRBaseLink(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRBaseItem(aOwner, KVRItemKind::Link, 0, aPreview)
{
}

TKVRBaseLink::TKVRBaseLink(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview)
    : TKVRBaseItem(aOwner, KVRItemKind::Link, aNumPoints, aPreview)
{
}

TKVRBaseLink::TKVRBaseLink(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseItem(aOwner, aLayer, KVRItemKind::Link, 0, aPreview)
{
}

IKVRLinkTarget* TKVRBaseLink::FromTarget() const
{
    return TargetOf(GetOwner(), fFromID);
}

IKVRLinkTarget* TKVRBaseLink::ToTarget() const
{
    return TargetOf(GetOwner(), fToID);
}

bool TKVRBaseLink::ResolveAnchors(TKVRPto& oFrom, TKVRPto& oTo) const
{
    const IKVRLinkTarget* from = FromTarget();
    const IKVRLinkTarget* to = ToTarget();
    if (!from || !to)
        return false;
    // The index is the target's to interpret; it bounds it by its own anchors.
    oFrom = from->GetAnchor(uint16_t(fFromIndex));
    oTo = to->GetAnchor(uint16_t(fToIndex));
    return true;
}

TKVRPto TKVRBaseLink::GetLinkPoint(int32_t aIndex) const
{
    if (aIndex < 1)
        return FromPoint;
    if (aIndex > GetNumLinkPoints())
        return ToPoint;
    return fPoints[size_t(aIndex - 1)];
}

void TKVRBaseLink::SetLinkPoint(int32_t aIndex, const TKVRPto& aPoint)
{
    SetBase(aIndex, aPoint);
    Changed();
}

void TKVRBaseLink::SetLinkPoints(std::vector<TKVRPto> aPoints)
{
    SetPoints(std::move(aPoints));
    Changed();
}

std::vector<TKVRPto> TKVRBaseLink::LinkPointsFor(const TKVRPto& aFrom, const TKVRPto& aTo) const
{
    switch (fLinkType) {
    case 1:
        return {{aTo.X, aFrom.Y}};
    case 2:
        return {{aFrom.X, aTo.Y}};
    case 3: {
        const int64_t mx = aFrom.X + (aTo.X - aFrom.X) / 2;
        return {{mx, aFrom.Y}, {mx, aTo.Y}};
    }
    case 7: {
        // The single curve of type 5 cut into five: the chain starts as that
        // curve and its points can then be edited one by one.
        TKVRPto c1, c2;
        TDraw2D::CurvePoints(aFrom, aTo, uint16_t(fFromIndex), uint16_t(fToIndex), c1, c2);
        std::vector<TKVRPto> pts = TDraw2D::SplitCubic(aFrom, c1, c2, aTo, 5);
        pts.pop_back();  // the last end is the To anchor itself
        return pts;
    }
    default:
        return {};
    }
}

void TKVRBaseLink::CalcLinkPoints(bool aNew)
{
    // From the ends as they stand (an end that does not resolve keeps its point).
    if (const IKVRLinkTarget* t = FromTarget())
        FromPoint = t->GetAnchor(uint16_t(fFromIndex));
    if (const IKVRLinkTarget* t = ToTarget())
        ToPoint = t->GetAnchor(uint16_t(fToIndex));
    switch (fLinkType) {
    case 1:
    case 2:
    case 3:
    case 7:
        SetPoints(LinkPointsFor(FromPoint, ToPoint));
        break;
    case 4:
        if (aNew && fPoints.empty()) {
            // A pass point a quarter of the span off the middle, to the left
            // looking from the From end.
            const double dx = double(ToPoint.X - FromPoint.X), dy = double(ToPoint.Y - FromPoint.Y);
            const double mx = double(FromPoint.X) + dx / 2.0, my = double(FromPoint.Y) + dy / 2.0;
            SetPoints({{RoundHalfEven(mx + dy / 4.0), RoundHalfEven(my - dx / 4.0)}});
        }
        break;
    default:
        break;
    }
}

void TKVRBaseLink::UpdateRoute()
{
    // The ends as the end elements stand now (CalcLinkPoints resolves them),
    // so that a document printed or exported without a screen paint has the
    // right route; an end that does not resolve keeps its stored point.
    CalcLinkPoints(false);

    ArcValid = false;
    if (fLinkType == 4 && !fPoints.empty()) {
        TArc a;
        ArcValid = ArcOf(FromPoint, fPoints[0], ToPoint, a);
        if (ArcValid) {
            ArcCenterX = a.CX, ArcCenterY = a.CY, ArcRadius = a.Radius;
            ArcStartAngle = a.Start, ArcEndAngle = a.End, ArcSweepAngle = a.Sweep;
            ArcDirection = a.Flag;
        }
    }
    if (fLinkType == 5 || fLinkType == 7)
        TDraw2D::CurvePoints(FromPoint, ToPoint, uint16_t(fFromIndex), uint16_t(fToIndex), ControlPoint1,
                             ControlPoint2);
    UpdateBounds();
}

TKVRLinkRoute TKVRBaseLink::Route(const TKVRPto& aFrom, const TKVRPto& aTo) const
{
    TKVRLinkRoute r;
    // The link points that follow from the ends were laid out for the stored
    // end points; when an end element has moved since, they follow it here.
    const bool moved = aFrom != FromPoint || aTo != ToPoint;
    const bool derived = fLinkType == 1 || fLinkType == 2 || fLinkType == 3 || fLinkType == 7;
    const std::vector<TKVRPto> pts = moved && derived ? LinkPointsFor(aFrom, aTo) : fPoints;
    const int32_t n = int32_t(pts.size());
    switch (fLinkType) {
    case 0:
        StraightRoute(r, aFrom, aTo, {});
        break;
    case 1:
    case 2:
    case 3:
    case 6:
        StraightRoute(r, aFrom, aTo, pts);
        break;
    case 4: {
        TArc a;
        // Without a pass point, or with one on the line, the arc is the line.
        if (n < 1 || !ArcOf(aFrom, pts[0], aTo, a)) {
            StraightRoute(r, aFrom, aTo, {});
            break;
        }
        r.Shape = TKVRLinkRoute::TShape::Arc;
        r.CX = double(a.CX), r.CY = double(a.CY), r.Radius = double(a.Radius);
        r.Start = a.Start, r.Sweep = a.Sweep;
        // The route runs along the circle: at its start it leaves at start +
        // 90 degrees in the sense of the sweep, at its end it arrives the same
        // way. A marker at the start points backwards, out of the route.
        const double quarter = (a.Sweep >= 0.0 ? 1.0 : -1.0) * std::numbers::pi / 2.0;
        const double leaving = a.Start + quarter + std::numbers::pi;
        const double arriving = a.Start + a.Sweep + quarter;
        r.From = {Pt(aFrom), Pt(aTo), true, a.FromFirst ? leaving : arriving};
        r.To = {Pt(aTo), Pt(aFrom), true, a.FromFirst ? arriving : leaving};
        break;
    }
    case 5: {
        TKVRPto c1, c2;
        TDraw2D::CurvePoints(aFrom, aTo, uint16_t(fFromIndex), uint16_t(fToIndex), c1, c2);
        r.Shape = TKVRLinkRoute::TShape::Curves;
        r.Points = {Pt(aFrom), Pt(c1), Pt(c2), Pt(aTo)};
        r.From = {Pt(aFrom), Pt(c1), false, 0.0};
        r.To = {Pt(aTo), Pt(c2), false, 0.0};
        break;
    }
    case 7: {
        // Fewer than the chain's points: the polyline through those there are.
        if (n < ChainPoints) {
            StraightRoute(r, aFrom, aTo, pts);
            break;
        }
        r.Shape = TKVRLinkRoute::TShape::Curves;
        r.Points.push_back(Pt(aFrom));
        for (int32_t i = 0; i < ChainPoints; ++i)
            r.Points.push_back(Pt(pts[size_t(i)]));
        r.Points.push_back(Pt(aTo));
        r.From = {Pt(aFrom), r.Points[1], false, 0.0};
        r.To = {Pt(aTo), r.Points[size_t(ChainPoints)], false, 0.0};
        break;
    }
    default:
        break;  // nothing, no markers
    }
    return r;
}

void TKVRBaseLink::Arrow(const TKVRPto& aEnd, const TKVRPto& aDir, uint16_t aIndex, uint16_t, uint16_t, int32_t aSize,
                         float& oX1, float& oY1, float& oX2, float& oY2)
{
    double fx = double(aDir.X), fy = double(aDir.Y);
    if (aDir == aEnd) {
        // No direction of its own: the head comes in from the anchor's side.
        const double s = aSize > 0 ? double(aSize) : 1.0;
        switch (aIndex) {
        case 1: fy -= s; break;
        case 2: fx += s; break;
        case 3: fy += s; break;
        case 4: fx -= s; break;
        default: fx -= s; break;
        }
    }
    TDraw2D::DrawArrow(float(fx), float(fy), float(aEnd.X), float(aEnd.Y), aSize, oX1, oY1, oX2, oY2, 8.0f);
}

void TKVRBaseLink::CheckFit(TKVRExtent& aExtent)
{
    const int64_t half = GetBasePenWidth() / 2;
    if (PaintsLinkPoints(fLinkType))
        for (const TKVRPto& p : fPoints)
            aExtent.IncludeWide(p.X, p.Y, half);
    aExtent.IncludeWide(FromPoint.X, FromPoint.Y, half);
    aExtent.IncludeWide(ToPoint.X, ToPoint.Y, half);
    // What Draw and Print paint: the route between the ends as they stand
    // (an arc or curve runs beyond its points) and the markers on the ends.
    TKVRPto from = FromPoint, to = ToPoint;
    if (!ResolveAnchors(from, to))
        return;
    const TKVRLinkRoute r = Route(from, to);
    // A whole pen: joins of the route's corners reach past half of it.
    const int64_t pen = GetBasePenWidth();
    auto include = [&](const TKVRLinkPt& aPoint, int64_t aWide) {
        if (std::isfinite(aPoint.X) && std::isfinite(aPoint.Y))
            aExtent.IncludeWide(KVRHeldExtent(aPoint.X), KVRHeldExtent(aPoint.Y), aWide);
    };
    switch (r.Shape) {
    case TKVRLinkRoute::TShape::None:
        return;
    case TKVRLinkRoute::TShape::Arc:
        KVRIncludeArc(aExtent, r.CX, r.CY, r.Radius, r.Start, r.Sweep, pen);
        break;
    default:
        // A cubic lies within its control points.
        for (const TKVRLinkPt& p : r.Points)
            include(p, pen);
        break;
    }
    // A marker reaches the term size (paper millimetres) from its end: the
    // head's length is twice its half size.
    const float term = GetOwner() ? GetOwner()->GetSettings().GetTermSize() : TKVRSettings().GetTermSize();
    // Held like the painters hold a marker: far beyond any page.
    const int64_t mark = RoundHalfEven(std::min(double(term) * 1000.0 * GetDrawScale(), 1.0e12)) + half;
    if (fFromType != 0)
        include(r.From.At, mark);
    if (fToType != 0)
        include(r.To.At, mark);
}

TJsonObject TKVRBaseLink::WriteJson() const
{
    TJsonObject j = TKVRBaseItem::WriteJson();
    j["LinkType"] = fLinkType;
    j["FromID"] = fFromID;
    j["ToID"] = fToID;
    j["FromIndex"] = fFromIndex;
    j["ToIndex"] = fToIndex;
    j["FromType"] = fFromType;
    j["ToType"] = fToType;
    j["FromColor"] = fFromColor;
    j["ToColor"] = fToColor;
    WriteJsonPoints(j, 1, GetNumLinkPoints());
    return j;
}

void TKVRBaseLink::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBaseItem::ReadJson(aVersion, aJson);
    fLinkType = KVRJson::GetByte(aJson, "LinkType", fLinkType);
    fFromID = KVRJson::GetInt32(aJson, "FromID", fFromID);
    fToID = KVRJson::GetInt32(aJson, "ToID", fToID);
    fFromIndex = KVRJson::GetInt16(aJson, "FromIndex", fFromIndex);
    fToIndex = KVRJson::GetInt16(aJson, "ToIndex", fToIndex);
    fFromType = KVRJson::GetByte(aJson, "FromType", fFromType);
    fToType = KVRJson::GetByte(aJson, "ToType", fToType);
    fFromColor = KVRJson::GetCardinal(aJson, "FromColor", fFromColor);
    fToColor = KVRJson::GetCardinal(aJson, "ToColor", fToColor);
    ReadJsonPoints(aJson, 1, 0, -1);
    Changed();
}

void TKVRBaseLink::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseItem::WriteData(aWriter);
    aWriter.WriteByte(fLinkType);
    aWriter.WriteInt32(fFromID);
    aWriter.WriteInt32(fToID);
    aWriter.WriteInt16(fFromIndex);
    aWriter.WriteInt16(fToIndex);
    aWriter.WriteByte(fFromType);
    aWriter.WriteByte(fToType);
    aWriter.WriteCardinal(fFromColor);
    aWriter.WriteCardinal(fToColor);
    WritePoints(aWriter, 1, GetNumLinkPoints());
}

void TKVRBaseLink::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseItem::ReadData(aVersion, aReader, aReadType);
    fLinkType = aReader.ReadByte();
    fFromID = aReader.ReadInt32();
    fToID = aReader.ReadInt32();
    fFromIndex = aReader.ReadInt16();
    fToIndex = aReader.ReadInt16();
    fFromType = aReader.ReadByte();
    fToType = aReader.ReadByte();
    fFromColor = aReader.ReadCardinal();
    fToColor = aReader.ReadCardinal();
    ReadPoints(aReader, 1, 0, -1);
    Changed();
}
