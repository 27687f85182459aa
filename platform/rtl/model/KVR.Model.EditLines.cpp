// Editing geometry of the line kinds: point, line, arrow line, polyline,
// polygon, Bézier curve, arc, dimension and connector. Outlines, handles,
// point moves, deletes, inserts and quarter turns.
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/geometry/KVR.Outline.h"
#include "platform/rtl/model/TKVRBaseArc.h"
#include "platform/rtl/model/TKVRBaseArrowLine.h"
#include "platform/rtl/model/TKVRBaseBezier.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/model/TKVRBaseLine.h"
#include "platform/rtl/model/TKVRBaseLink.h"
#include "platform/rtl/model/TKVRBasePoint.h"
#include "platform/rtl/model/TKVRBasePolyLine.h"
#include "platform/rtl/model/TKVRBasePolygon.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

bool InRange(int32_t aIndex, size_t aCount)
{
    return aIndex >= 1 && size_t(aIndex) <= aCount;
}

void VertexSelPoints(const std::vector<TKVRPto>& aPoints, TKVRSelKind aKind, std::vector<TKVRSelPoint>& aOut)
{
    for (size_t i = 0; i < aPoints.size(); ++i)
        aOut.push_back({aPoints[i].X, aPoints[i].Y, aPoints[i].X, aPoints[i].Y, aKind, int16_t(i + 1)});
}

// Where a new vertex goes: after the first point of the segment nearest to
// (aX, aY), the closing segment of a closed chain included.
int32_t NearestSegmentEnd(const std::vector<TKVRPto>& aPoints, bool aClosed, int64_t aX, int64_t aY)
{
    const size_t n = aPoints.size();
    if (n < 2)
        return int32_t(n) + 1;
    int32_t best = int32_t(n) + 1;
    double bestD = -1.0;
    const size_t last = aClosed ? n : n - 1;
    for (size_t i = 0; i < last; ++i) {
        TKVROutline o;
        const TKVRPto& a = aPoints[i];
        const TKVRPto& b = aPoints[(i + 1) % n];
        o.MoveTo(double(a.X), double(a.Y));
        o.LineTo(double(b.X), double(b.Y));
        const double d = o.Distance(double(aX), double(aY));
        if (bestD < 0.0 || d < bestD) {
            bestD = d;
            best = int32_t(i) + 2;
        }
    }
    return best;
}

// Drags point aIndex (from 1) of a list of aCount points to (aX, aY), held to
// the range; aAllowed says whether the grab's move type fits the point.
bool SetListPoint(TKVRBaseItem& aItem, bool aAllowed, int32_t aIndex, size_t aCount, int64_t aX, int64_t aY)
{
    if (aItem.GetPreview() || !aAllowed || !InRange(aIndex, aCount))
        return false;
    aItem.SetBase(aIndex, KVRHeldCoordinate(aX), KVRHeldCoordinate(aY));
    aItem.CheckPosition();
    return true;
}

// Edits of a free point list, made on a copy the kind then stores: false,
// leaving the copy as it was, for an index outside the list or a delete
// below aLeast points.
bool ErasePoint(std::vector<TKVRPto>& aPoints, int32_t aIndex, int32_t aLeast)
{
    if (!InRange(aIndex, aPoints.size()) || int64_t(aPoints.size()) <= aLeast)
        return false;
    aPoints.erase(aPoints.begin() + (aIndex - 1));
    return true;
}

bool InsertPointAt(std::vector<TKVRPto>& aPoints, int32_t aIndex, int64_t aX, int64_t aY)
{
    if (aIndex < 1 || size_t(aIndex) > aPoints.size() + 1)
        return false;
    aPoints.insert(aPoints.begin() + (aIndex - 1), TKVRPto{KVRHeldCoordinate(aX), KVRHeldCoordinate(aY)});
    return true;
}

// The open and closed chains (polyline, polygon) store their list whole.
template <class TChain>
bool DeleteChainPoint(TChain& aChain, std::vector<TKVRPto> aPoints, int32_t aIndex)
{
    if (aChain.GetPreview() || !ErasePoint(aPoints, aIndex, aChain.LeastPoints()))
        return false;
    aChain.SetPoints(std::move(aPoints));
    aChain.CheckPosition();
    return true;
}

template <class TChain>
bool InsertChainPoint(TChain& aChain, std::vector<TKVRPto> aPoints, bool aClosed, int64_t aX, int64_t aY,
                      int32_t aIndex)
{
    if (aIndex == 0)
        aIndex = NearestSegmentEnd(aPoints, aClosed, aX, aY);
    if (aChain.GetPreview() || !InsertPointAt(aPoints, aIndex, aX, aY))
        return false;
    aChain.SetPoints(std::move(aPoints));
    aChain.CheckPosition();
    return true;
}

}  // namespace

// ---------------------------------------------------------------- point

void TKVRBasePoint::GetOutline(TKVROutline& aOutline) const
{
    const TKVRPto p = GetPoint(1);
    aOutline.MoveTo(double(p.X), double(p.Y));
    aOutline.LineTo(double(p.X), double(p.Y));
}

void TKVRBasePoint::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    VertexSelPoints(fPoints, KVRSelKind::Anchor, aPoints);
}

bool TKVRBasePoint::MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    return SetListPoint(*this, aType == KVRMoveType::Point, aIndex, fPoints.size(), aX, aY);
}

// ---------------------------------------------------------------- line, arrow line

void TKVRBaseLine::GetOutline(TKVROutline& aOutline) const
{
    aOutline.AddPolygon(fPoints, false, false);
}

void TKVRBaseLine::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    VertexSelPoints(fPoints, KVRSelKind::End, aPoints);
}

bool TKVRBaseLine::MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    return SetListPoint(*this, aType == KVRMoveType::Point, aIndex, fPoints.size(), aX, aY);
}

void TKVRBaseArrowLine::GetOutline(TKVROutline& aOutline) const
{
    aOutline.AddPolygon({GetPoint(1), GetPoint(2)}, false, false);
}

void TKVRBaseArrowLine::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    VertexSelPoints({GetPoint(1), GetPoint(2)}, KVRSelKind::End, aPoints);
}

bool TKVRBaseArrowLine::MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    return SetListPoint(*this, aType == KVRMoveType::Point, aIndex, 2, aX, aY);
}

TKVRRect TKVRBaseArrowLine::TurnBox() const
{
    const TKVRPto a = GetPoint(1), b = GetPoint(2);
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

// ---------------------------------------------------------------- polyline, polygon

void TKVRBasePolyLine::GetOutline(TKVROutline& aOutline) const
{
    aOutline.AddPolygon(fPoints, false, false);
}

void TKVRBasePolyLine::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    VertexSelPoints(fPoints, KVRSelKind::Vertex, aPoints);
}

bool TKVRBasePolyLine::MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    return SetListPoint(*this, aType == KVRMoveType::Vertex, aIndex, fPoints.size(), aX, aY);
}

int32_t TKVRBasePolyLine::LeastPoints() const
{
    return 2;
}

bool TKVRBasePolyLine::DeletePoint(int32_t aIndex)
{
    return DeleteChainPoint(*this, fPoints, aIndex);
}

bool TKVRBasePolyLine::InsertPoint(int64_t aX, int64_t aY, int32_t aIndex)
{
    return InsertChainPoint(*this, fPoints, false, aX, aY, aIndex);
}

void TKVRBasePolygon::GetOutline(TKVROutline& aOutline) const
{
    aOutline.AddPolygon(fPoints, true, GetFilled());
}

void TKVRBasePolygon::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    VertexSelPoints(fPoints, KVRSelKind::Vertex, aPoints);
}

bool TKVRBasePolygon::MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    return SetListPoint(*this, aType == KVRMoveType::Vertex, aIndex, fPoints.size(), aX, aY);
}

int32_t TKVRBasePolygon::LeastPoints() const
{
    return 3;
}

bool TKVRBasePolygon::DeletePoint(int32_t aIndex)
{
    return DeleteChainPoint(*this, fPoints, aIndex);
}

bool TKVRBasePolygon::InsertPoint(int64_t aX, int64_t aY, int32_t aIndex)
{
    return InsertChainPoint(*this, fPoints, true, aX, aY, aIndex);
}

// ---------------------------------------------------------------- Bézier curve

void TKVRBaseBezier::GetOutline(TKVROutline& aOutline) const
{
    if (fPoints.empty())
        return;
    aOutline.MoveTo(double(fPoints[0].X), double(fPoints[0].Y));
    if (fPoints.size() < 4)
        aOutline.LineTo(double(fPoints[0].X), double(fPoints[0].Y));
    for (size_t i = 1; i + 2 < fPoints.size(); i += 3)
        aOutline.CubicTo(double(fPoints[i].X), double(fPoints[i].Y), double(fPoints[i + 1].X),
                         double(fPoints[i + 1].Y), double(fPoints[i + 2].X), double(fPoints[i + 2].Y));
    if (GetFilled()) {
        aOutline.Close();
        aOutline.SetSolid(true);
    }
}

void TKVRBaseBezier::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    for (size_t i = 0; i < fPoints.size(); ++i) {
        const bool anchor = i % 3 == 0;
        aPoints.push_back({fPoints[i].X, fPoints[i].Y, fPoints[i].X, fPoints[i].Y,
                           anchor ? KVRSelKind::Vertex : KVRSelKind::Control, int16_t(i + 1)});
    }
}

bool TKVRBaseBezier::MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    if (GetPreview() || !InRange(aIndex, fPoints.size()))
        return false;
    const size_t i = size_t(aIndex - 1);
    const bool anchor = i % 3 == 0;
    if (aType != (anchor ? KVRMoveType::Vertex : KVRMoveType::Control))
        return false;
    std::vector<TKVRPto> p = fPoints;
    const int64_t dx = KVRHeldCoordinate(aX) - p[i].X, dy = KVRHeldCoordinate(aY) - p[i].Y;
    p[i] = {KVRHeldCoordinate(aX), KVRHeldCoordinate(aY)};
    // An anchor carries its control points along, so its corner keeps its shape.
    if (anchor)
        for (const size_t j : {i - 1, i + 1})
            if (j < p.size() && j != i)
                p[j] = {KVRHeldCoordinate(p[j].X + dx), KVRHeldCoordinate(p[j].Y + dy)};
    SetPoints(std::move(p));
    CheckPosition();
    return true;
}

int32_t TKVRBaseBezier::LeastPoints() const
{
    return 4;
}

bool TKVRBaseBezier::DeletePoint(int32_t aIndex)
{
    // Only whole segments go: an anchor takes its neighbouring controls with it.
    const int32_t n = NumPoints();
    if (GetPreview() || !InRange(aIndex, fPoints.size()) || (aIndex - 1) % 3 != 0 || n - 3 < LeastPoints())
        return false;
    std::vector<TKVRPto> p = fPoints;
    const size_t i = size_t(aIndex - 1);
    if (i == 0)
        p.erase(p.begin(), p.begin() + 3);
    else if (i + 1 >= p.size())
        p.erase(p.end() - 3, p.end());
    else
        p.erase(p.begin() + std::ptrdiff_t(i - 1), p.begin() + std::ptrdiff_t(i + 2));
    SetPoints(std::move(p));
    CheckPosition();
    return true;
}

bool TKVRBaseBezier::InsertPoint(int64_t aX, int64_t aY, int32_t)
{
    // Splits the segment nearest to the point where it passes nearest; the
    // new anchor then goes onto the point with its two controls.
    if (GetPreview() || fPoints.size() < 4)
        return false;
    const TKVRGPoint q{double(aX), double(aY)};
    size_t bestSeg = 1;
    double bestT = 0.5, bestD = -1.0;
    for (size_t s = 1; s + 2 < fPoints.size(); s += 3) {
        const TKVRCubic c(fPoints[s - 1], fPoints[s], fPoints[s + 1], fPoints[s + 2]);
        double t = 0.0;
        const double d = c.Nearest(q, t);
        if (bestD < 0.0 || d < bestD) {
            bestD = d;
            bestSeg = s;
            bestT = t;
        }
    }
    const TKVRCubic c(fPoints[bestSeg - 1], fPoints[bestSeg], fPoints[bestSeg + 1], fPoints[bestSeg + 2]);
    TKVRGPoint left[4], right[4];
    c.Split(bestT, left, right);
    // The split anchor lies on the curve; the click may lie a rounding or a
    // pick tolerance beside it.
    const double dx = q.X - left[3].X, dy = q.Y - left[3].Y;
    const auto held = [](const TKVRGPoint& aPoint, double aDx, double aDy) {
        return TKVRPto{KVRHeldCoordinate(RoundHalfEven(aPoint.X + aDx)), KVRHeldCoordinate(RoundHalfEven(aPoint.Y + aDy))};
    };
    std::vector<TKVRPto> p = fPoints;
    p.erase(p.begin() + std::ptrdiff_t(bestSeg), p.begin() + std::ptrdiff_t(bestSeg + 2));
    p.insert(p.begin() + std::ptrdiff_t(bestSeg),
             {held(left[1], 0, 0), held(left[2], dx, dy), TKVRPto{KVRHeldCoordinate(aX), KVRHeldCoordinate(aY)},
              held(right[1], dx, dy), held(right[2], 0, 0)});
    SetPoints(std::move(p));
    CheckPosition();
    return true;
}

// ---------------------------------------------------------------- arc

void TKVRBaseArc::GetOutline(TKVROutline& aOutline) const
{
    const double r = double(fRadius);
    aOutline.MoveTo(double(fCenterX) + r * std::cos(fStart), double(fCenterY) + r * std::sin(fStart));
    aOutline.ArcTo(double(fCenterX), double(fCenterY), r, r, fStart, fSweep);
}

void TKVRBaseArc::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    const TKVRSelKind kinds[3] = {KVRSelKind::ArcStart, KVRSelKind::ArcMiddle, KVRSelKind::ArcEnd};
    for (int32_t i = 1; i <= 3; ++i) {
        const TKVRPto p = GetPoint(i);
        aPoints.push_back({p.X, p.Y, p.X, p.Y, kinds[i - 1], int16_t(i)});
    }
    aPoints.push_back({fCenterX, fCenterY, fCenterX, fCenterY, KVRSelKind::ArcCentre, 0});
}

bool TKVRBaseArc::MovePoint(TKVRMoveType& aType, int32_t, int64_t aX, int64_t aY)
{
    if (GetPreview())
        return false;
    aX = KVRHeldCoordinate(aX);
    aY = KVRHeldCoordinate(aY);
    if (aType == KVRMoveType::ArcCentre) {
        BaseMove(fCenterX, fCenterY, aX, aY, 0, true);
        return true;
    }
    int32_t which = 0;
    if (aType == KVRMoveType::ArcStart)
        which = 1;
    else if (aType == KVRMoveType::ArcMiddle)
        which = 2;
    else if (aType == KVRMoveType::ArcEnd)
        which = 3;
    if (which == 0)
        return false;
    TKVRPto p[3] = {GetPoint(1), GetPoint(2), GetPoint(3)};
    p[which - 1] = {aX, aY};
    if (which == 2) {
        // The middle handle sets the bulge: it stays on the chord's
        // perpendicular bisector, where the new arc's middle then lies, so
        // the handle stays under the pointer instead of jumping beside it.
        const double cx = (double(p[0].X) + double(p[2].X)) / 2.0, cy = (double(p[0].Y) + double(p[2].Y)) / 2.0;
        const double nx = -(double(p[2].Y) - double(p[0].Y)), ny = double(p[2].X) - double(p[0].X);
        const double len2 = nx * nx + ny * ny;
        if (len2 > 0.0) {
            const double k = ((double(aX) - cx) * nx + (double(aY) - cy) * ny) / len2;
            p[1] = {KVRHeldCoordinate(RoundHalfEven(cx + nx * k)), KVRHeldCoordinate(RoundHalfEven(cy + ny * k))};
        }
    }
    int64_t cx, cy, r;
    double start, end, sweep;
    bool dir;
    if (!TDraw2D::ArcThreePoints(p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y, cx, cy, r, start, end, sweep, dir))
        return false;  // three points on a line: the arc stays as it was
    fCenterX = cx;
    fCenterY = cy;
    fRadius = r;
    fStart = start;
    fEnd = end;
    fSweep = sweep;
    fDirection = dir;
    // The points the user placed stay where they are (the layout keeps a
    // point the rounded centre and radius put a micrometre beside it).
    fPoints.assign(std::begin(p), std::end(p));
    Changed();
    CheckPosition();
    return true;
}

TKVRPto TKVRBaseArc::CenterPoint() const
{
    return {fCenterX, fCenterY};
}

TKVRRect TKVRBaseArc::TurnBox() const
{
    return {fCenterX, fCenterY, fCenterX, fCenterY};
}

void TKVRBaseArc::TurnQuarter(bool aLeft, const TKVRPto& aOffset)
{
    if (GetPreview())
        return;
    const auto turn = [&](const TKVRPto& p) {
        const TKVRPto t = aLeft ? TKVRPto{p.Y + aOffset.X, -p.X + aOffset.Y} : TKVRPto{-p.Y + aOffset.X, p.X + aOffset.Y};
        return TKVRPto{KVRHeldCoordinate(t.X), KVRHeldCoordinate(t.Y)};
    };
    const TKVRPto c = turn({fCenterX, fCenterY});
    const double q = aLeft ? -Pi / 2.0 : Pi / 2.0;
    fCenterX = c.X;
    fCenterY = c.Y;
    // The points turn exactly with the centre, so they keep their places.
    for (TKVRPto& p : fPoints)
        p = turn(p);
    fStart = TDraw2D::NormalizeAngle(fStart + q);
    fEnd = TDraw2D::NormalizeAngle(fEnd + q);
    UpdatePoints();
    Changed();
    CheckPosition();
}

// ---------------------------------------------------------------- dimension

void TKVRBaseDim::GetOutline(TKVROutline& aOutline) const
{
    auto seg = [&](int32_t a, int32_t b) { aOutline.AddPolygon({GetPoint(a), GetPoint(b)}, false, false); };
    const TVXDimType t = GetDimType();
    if (KVRDimType::IsLinear(t)) {
        seg(3, 7);
        seg(4, 8);
        seg(5, 6);
    } else if (t == KVRDimType::Radial1 || t == KVRDimType::Diameter1) {
        seg(1, 2);
        seg(3, 4);
    } else if (t == KVRDimType::Radial2 || t == KVRDimType::Diameter2) {
        seg(3, 2);
        seg(3, 4);
    } else {
        const TKVRPto p5 = GetPoint(5), p7 = GetPoint(7), p6 = GetPoint(6);
        int64_t cx, cy, r;
        double s, e, w;
        bool f;
        if (TDraw2D::ArcThreePoints(p5.X, p5.Y, p7.X, p7.Y, p6.X, p6.Y, cx, cy, r, s, e, w, f)) {
            aOutline.MoveTo(double(p5.X), double(p5.Y));
            aOutline.ArcTo(double(cx), double(cy), double(r), double(r), s, w);
        } else {
            seg(5, 6);
        }
    }
}

namespace {

// Stored inputs of each dimension kind, and the one that places it.
bool DimInput(TVXDimType aType, int32_t aIndex)
{
    if (KVRDimType::IsLinear(aType))
        return aIndex == 1 || aIndex == 2 || aIndex == 5;
    if (aType == KVRDimType::Angular)
        return (aIndex >= 1 && aIndex <= 4) || aIndex == 7;
    return aIndex == 1 || aIndex == 2;
}

int32_t DimPositionPoint(TVXDimType aType)
{
    if (KVRDimType::IsLinear(aType))
        return 5;
    return aType == KVRDimType::Angular ? 7 : 0;
}

}  // namespace

void TKVRBaseDim::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    const TVXDimType t = GetDimType();
    for (int32_t i = 1; i <= 8; ++i) {
        TKVRPto p = GetPoint(i);
        TKVRSelKind k = KVRSelKind::Fixed;
        if (i == DimPositionPoint(t)) {
            k = KVRSelKind::DimPosition;
            p = GetPositionPoint();
        } else if (DimInput(t, i)) {
            k = KVRSelKind::End;
        }
        aPoints.push_back({p.X, p.Y, p.X, p.Y, k, int16_t(i)});
    }
}

bool TKVRBaseDim::MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    const TVXDimType t = GetDimType();
    if (GetPreview() || aIndex < 1 || aIndex > 8 || !DimInput(t, aIndex))
        return false;
    const bool position = aIndex == DimPositionPoint(t);
    if (!SetListPoint(*this, aType == (position ? KVRMoveType::DimPosition : KVRMoveType::Point), aIndex, 8, aX, aY))
        return false;
    // The line runs through the dropped point; the handle stays on it there.
    if (position && KVRDimType::IsLinear(t))
        fAlong = KVRDim::DistanceAlong(GetPoint(5), GetPoint(6), {KVRHeldCoordinate(aX), KVRHeldCoordinate(aY)});
    return true;
}

TKVRRect TKVRBaseDim::TurnBox() const
{
    const TKVRPto a = GetPoint(1), b = GetPoint(2);
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

void TKVRBaseDim::TurnQuarter(bool aLeft, const TKVRPto& aOffset)
{
    if (GetPreview())
        return;
    // A horizontal measure turned a quarter is a vertical one.
    if (fDimType == KVRDimType::Horizontal)
        fDimType = KVRDimType::Vertical;
    else if (fDimType == KVRDimType::Vertical)
        fDimType = KVRDimType::Horizontal;
    TKVRBaseItem::TurnQuarter(aLeft, aOffset);
}

// ---------------------------------------------------------------- connector

void TKVRBaseLink::GetOutline(TKVROutline& aOutline) const
{
    const TKVRLinkRoute r = Route(FromPoint, ToPoint);
    switch (r.Shape) {
    case TKVRLinkRoute::TShape::Line:
    case TKVRLinkRoute::TShape::Polyline:
        if (r.Points.empty())
            return;
        aOutline.MoveTo(r.Points[0].X, r.Points[0].Y);
        for (size_t i = 1; i < r.Points.size(); ++i)
            aOutline.LineTo(r.Points[i].X, r.Points[i].Y);
        break;
    case TKVRLinkRoute::TShape::Arc:
        aOutline.MoveTo(r.CX + r.Radius * std::cos(r.Start), r.CY + r.Radius * std::sin(r.Start));
        aOutline.ArcTo(r.CX, r.CY, r.Radius, r.Radius, r.Start, r.Sweep);
        break;
    case TKVRLinkRoute::TShape::Curves:
        if (r.Points.empty())
            return;
        aOutline.MoveTo(r.Points[0].X, r.Points[0].Y);
        for (size_t i = 1; i + 2 < r.Points.size(); i += 3)
            aOutline.CubicTo(r.Points[i].X, r.Points[i].Y, r.Points[i + 1].X, r.Points[i + 1].Y, r.Points[i + 2].X,
                             r.Points[i + 2].Y);
        break;
    case TKVRLinkRoute::TShape::None: break;
    }
}

void TKVRBaseLink::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    aPoints.push_back({FromPoint.X, FromPoint.Y, ToPoint.X, ToPoint.Y, KVRSelKind::LinkEnds, 0});
    if (FreeLinkPoints(GetLinkType()))
        VertexSelPoints(fPoints, KVRSelKind::Vertex, aPoints);
}

bool TKVRBaseLink::MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    return SetListPoint(*this, aType == KVRMoveType::Vertex && FreeLinkPoints(GetLinkType()), aIndex, fPoints.size(),
                        aX, aY);
}

int32_t TKVRBaseLink::LeastPoints() const
{
    // An arc keeps its pass point; free polylines and curves may lose them all.
    return GetLinkType() == 4 ? 1 : 0;
}

bool TKVRBaseLink::DeletePoint(int32_t aIndex)
{
    std::vector<TKVRPto> p = fPoints;
    if (GetPreview() || !FreeLinkPoints(GetLinkType()) || !ErasePoint(p, aIndex, LeastPoints()))
        return false;
    SetLinkPoints(std::move(p));
    CheckPosition();
    return true;
}

bool TKVRBaseLink::InsertPoint(int64_t aX, int64_t aY, int32_t aIndex)
{
    if (GetPreview() || !FreeLinkPoints(GetLinkType()))
        return false;
    if (aIndex == 0) {
        std::vector<TKVRPto> chain;
        chain.push_back(FromPoint);
        chain.insert(chain.end(), fPoints.begin(), fPoints.end());
        chain.push_back(ToPoint);
        aIndex = NearestSegmentEnd(chain, false, aX, aY) - 1;
    }
    std::vector<TKVRPto> p = fPoints;
    if (!InsertPointAt(p, aIndex, aX, aY))
        return false;
    SetLinkPoints(std::move(p));
    CheckPosition();
    return true;
}
