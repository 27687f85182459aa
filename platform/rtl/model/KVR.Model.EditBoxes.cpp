// Editing geometry of the kinds kept as a box or about a reference point:
// rectangle, circle, sector, ellipse, level, texts, codes, image, nutrition
// score, symbol. The plain boxes (flowchart node, table, rating, package,
// paragraph, rich text) keep TKVR2DItem's frame and the bounds as outline.
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/geometry/KVR.Outline.h"
#include "platform/rtl/model/TKVRBase2DCode.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/model/TKVRBaseCircle.h"
#include "platform/rtl/model/TKVRBaseEllipse.h"
#include "platform/rtl/model/TKVRBaseImage.h"
#include "platform/rtl/model/TKVRBaseLevel.h"
#include "platform/rtl/model/TKVRBaseNutri.h"
#include "platform/rtl/model/TKVRBasePoly.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseSector.h"
#include "platform/rtl/model/TKVRBaseSymbol.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include "platform/rtl/model/TKVRBaseTextItem.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

double Mid(int64_t a, int64_t b)
{
    return (double(a) + double(b)) / 2.0;
}

// Degrees in [0, 360).
float WrapDegrees(double d)
{
    d = std::fmod(d, 360.0);
    return float(d < 0.0 ? d + 360.0 : d);
}

// One-point kinds: the anchor and the laid-out bounds.
void AnchorSelPoints(const TKVRPto& aAnchor, const TKVRRect& aBounds, std::vector<TKVRSelPoint>& aOut)
{
    aOut.push_back({aAnchor.X, aAnchor.Y, aAnchor.X, aAnchor.Y, KVRSelKind::Anchor, 1});
    aOut.push_back({aBounds.Left, aBounds.Top, aBounds.Right, aBounds.Bottom, KVRSelKind::Frame, 0});
}

// Dragging the anchor of a one-point kind moves the whole element.
bool MoveByAnchor(TKVRBaseItem& aItem, TKVRMoveType aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    if (aItem.GetPreview() || aType != KVRMoveType::Point || aIndex != 1 || aItem.NumPoints() < 1)
        return false;
    const TKVRPto p = aItem.GetPoint(1);
    aItem.BaseMove(p.X, p.Y, KVRHeldCoordinate(aX), KVRHeldCoordinate(aY), 0, true);
    return true;
}

}  // namespace

// ---------------------------------------------------------------- rectangle, ellipse, level

void TKVRBaseRectangle::GetOutline(TKVROutline& aOutline) const
{
    const TKVRRect b = Box();
    const double l = double(b.Left), t = double(b.Top), r = double(b.Right), btm = double(b.Bottom);
    const double rad = std::min({double(fRadio), (r - l) / 2.0, (btm - t) / 2.0});
    if (rad <= 0.0) {
        aOutline.AddBox(b, GetFilled());
        return;
    }
    aOutline.MoveTo(l + rad, t);
    aOutline.LineTo(r - rad, t);
    aOutline.ArcTo(r - rad, t + rad, rad, rad, -Pi / 2.0, Pi / 2.0);
    aOutline.ArcTo(r - rad, btm - rad, rad, rad, 0.0, Pi / 2.0);
    aOutline.ArcTo(l + rad, btm - rad, rad, rad, Pi / 2.0, Pi / 2.0);
    aOutline.ArcTo(l + rad, t + rad, rad, rad, Pi, Pi / 2.0);
    aOutline.Close();
    aOutline.SetSolid(GetFilled());
    aOutline.AddCentre(Mid(b.Left, b.Right), Mid(b.Top, b.Bottom));
}

void TKVRBaseEllipse::GetOutline(TKVROutline& aOutline) const
{
    const TKVRRect b = Box();
    aOutline.AddEllipse(Mid(b.Left, b.Right), Mid(b.Top, b.Bottom), double(b.Width()) / 2.0,
                        double(b.Height()) / 2.0, GetFilled());
}

void TKVRBaseLevel::GetOutline(TKVROutline& aOutline) const
{
    // The gauge shows in the ellipse of its box, filled or not.
    const TKVRRect b = Box();
    aOutline.AddEllipse(Mid(b.Left, b.Right), Mid(b.Top, b.Bottom), double(b.Width()) / 2.0,
                        double(b.Height()) / 2.0, true);
}

void TKVRBaseLevel::TurnQuarter(bool aLeft, const TKVRPto& aOffset)
{
    if (GetPreview())
        return;
    fAngle = TurnedAngle(fAngle, aLeft);
    TKVRBaseItem::TurnQuarter(aLeft, aOffset);
}

// ---------------------------------------------------------------- circle, sector

void TKVRBaseCircle::GetOutline(TKVROutline& aOutline) const
{
    const TKVRRect b = Box();
    aOutline.AddEllipse(Mid(b.Left, b.Right), Mid(b.Top, b.Bottom), double(b.Width()) / 2.0,
                        double(b.Width()) / 2.0, GetFilled());
}

TKVRPto TKVRBaseCircle::CenterPoint() const
{
    const TKVRRect b = Box();
    return {b.Left + b.Width() / 2, b.Top + b.Height() / 2};
}

void TKVRBaseCircle::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    const TKVRPto c = CenterPoint();
    const TKVRRect b = Box();
    aPoints.push_back({c.X, c.Y, c.X, c.Y, KVRSelKind::ArcCentre, 0});
    aPoints.push_back({b.Right, c.Y, b.Right, c.Y, KVRSelKind::Radius, 0});
}

namespace {

// The radius a pointer at (aX, aY) gives a circle about c.
int64_t RadiusTo(const TKVRPto& c, int64_t aX, int64_t aY)
{
    const double r = std::hypot(double(aX) - double(c.X), double(aY) - double(c.Y));
    const double lim = double(KVRMaxCoordinate) - std::max(std::abs(double(c.X)), std::abs(double(c.Y)));
    return RoundHalfEven(std::clamp(r, 0.0, std::max(0.0, lim)));
}

}  // namespace

bool TKVRBaseCircle::MovePoint(TKVRMoveType& aType, int32_t, int64_t aX, int64_t aY)
{
    if (GetPreview())
        return false;
    const TKVRPto c = CenterPoint();
    if (aType == KVRMoveType::ArcCentre) {
        BaseMove(c.X, c.Y, KVRHeldCoordinate(aX), KVRHeldCoordinate(aY), 0, true);
        return true;
    }
    if (aType != KVRMoveType::Radius)
        return false;
    SetCircle(c.X, c.Y, RadiusTo(c, aX, aY));
    CheckPosition();
    return true;
}

void TKVRBaseSector::GetOutline(TKVROutline& aOutline) const
{
    const TKVRRect b = Box();
    const double cx = Mid(b.Left, b.Right), cy = Mid(b.Top, b.Bottom), r = double(b.Width()) / 2.0;
    const double start = double(fAngleStart) * Pi / 180.0, sweep = double(fAngleGap) * Pi / 180.0;
    if (std::abs(double(fAngleGap)) >= 360.0) {
        aOutline.AddEllipse(cx, cy, r, r, GetFilled());
        return;
    }
    aOutline.MoveTo(cx, cy);
    aOutline.ArcTo(cx, cy, r, r, start, sweep);
    aOutline.Close();
    aOutline.SetSolid(GetFilled());
    aOutline.AddCentre(cx, cy);
}

TKVRPto TKVRBaseSector::CenterPoint() const
{
    const TKVRRect b = Box();
    return {b.Left + b.Width() / 2, b.Top + b.Height() / 2};
}

void TKVRBaseSector::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    const TKVRPto c = CenterPoint();
    const double r = double(GetBaseRadio());
    auto at = [&](double deg, TKVRSelKind k) {
        const TKVRPto p{c.X + RoundHalfEven(r * std::cos(deg * Pi / 180.0)),
                        c.Y + RoundHalfEven(r * std::sin(deg * Pi / 180.0))};
        aPoints.push_back({p.X, p.Y, p.X, p.Y, k, 0});
    };
    aPoints.push_back({c.X, c.Y, c.X, c.Y, KVRSelKind::ArcCentre, 0});
    at(double(fAngleStart), KVRSelKind::ArcStart);
    at(double(fAngleStart) + double(fAngleGap) / 2.0, KVRSelKind::Radius);
    at(double(fAngleStart) + double(fAngleGap), KVRSelKind::ArcEnd);
}

bool TKVRBaseSector::MovePoint(TKVRMoveType& aType, int32_t, int64_t aX, int64_t aY)
{
    if (GetPreview())
        return false;
    const TKVRPto c = CenterPoint();
    aX = KVRHeldCoordinate(aX);
    aY = KVRHeldCoordinate(aY);
    switch (aType) {
    case KVRMoveType::ArcCentre: BaseMove(c.X, c.Y, aX, aY, 0, true); return true;
    case KVRMoveType::Radius: SetSector(c.X, c.Y, RadiusTo(c, aX, aY), fAngleStart, fAngleGap); break;
    case KVRMoveType::ArcStart:
    case KVRMoveType::ArcEnd: {
        if (aX == c.X && aY == c.Y)
            return false;
        const double a = std::atan2(double(aY - c.Y), double(aX - c.X)) * 180.0 / Pi;
        // The other end stays; the slice keeps running clockwise from start.
        const double end = double(fAngleStart) + double(fAngleGap);
        const double start = aType == KVRMoveType::ArcStart ? a : double(fAngleStart);
        const double stop = aType == KVRMoveType::ArcStart ? end : a;
        float gap = WrapDegrees(stop - start);
        if (gap == 0.0f)
            gap = 360.0f;
        fAngleStart = WrapDegrees(start);
        fAngleGap = gap;
        Changed();
        break;
    }
    default: return false;
    }
    CheckPosition();
    return true;
}

void TKVRBaseSector::TurnQuarter(bool aLeft, const TKVRPto& aOffset)
{
    if (GetPreview())
        return;
    fAngleStart = WrapDegrees(double(fAngleStart) + (aLeft ? -90.0 : 90.0));
    TKVRBaseItem::TurnQuarter(aLeft, aOffset);
}

// ---------------------------------------------------------------- texts

void TKVRBaseTextItem::TurnQuarter(bool aLeft, const TKVRPto& aOffset)
{
    if (GetPreview())
        return;
    fAngle = TurnedAngle(fAngle, aLeft);
    TKVRBaseItem::TurnQuarter(aLeft, aOffset);
}

void TKVRBaseText::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    AnchorSelPoints(GetPoint(1), fBounds, aPoints);
    AddSliderPoint(aPoints);
}

bool TKVRBaseText::MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    if (aType == KVRMoveType::Slider)
        return MoveSlider(aX, aY);
    return MoveByAnchor(*this, aType, aIndex, aX, aY);
}

TKVRRect TKVRBaseText::TurnBox() const
{
    return fBounds;
}

// ---------------------------------------------------------------- codes

void TKVRBaseBarcode::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    AnchorSelPoints(GetPoint(1), fBounds, aPoints);
}

bool TKVRBaseBarcode::MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    return MoveByAnchor(*this, aType, aIndex, aX, aY);
}

TKVRRect TKVRBaseBarcode::TurnBox() const
{
    return fBounds;
}

void TKVRBaseBarcode::TurnQuarter(bool aLeft, const TKVRPto& aOffset)
{
    if (GetPreview())
        return;
    fAngle = TurnedAngle(fAngle, aLeft);
    TKVRBaseItem::TurnQuarter(aLeft, aOffset);
}

void TKVRBase2DCode::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    AnchorSelPoints(GetPoint(1), fBounds, aPoints);
}

bool TKVRBase2DCode::MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    return MoveByAnchor(*this, aType, aIndex, aX, aY);
}

TKVRRect TKVRBase2DCode::TurnBox() const
{
    return fBounds;
}

void TKVRBase2DCode::TurnQuarter(bool aLeft, const TKVRPto& aOffset)
{
    if (GetPreview())
        return;
    fAngle = TurnedAngle(fAngle, aLeft);
    TKVRBaseItem::TurnQuarter(aLeft, aOffset);
}

void TKVRBasePoly::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    AnchorSelPoints(GetPoint(1), fBounds, aPoints);
}

bool TKVRBasePoly::MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    return MoveByAnchor(*this, aType, aIndex, aX, aY);
}

TKVRRect TKVRBasePoly::TurnBox() const
{
    return fBounds;
}

void TKVRBasePoly::TurnQuarter(bool aLeft, const TKVRPto& aOffset)
{
    if (GetPreview())
        return;
    fAngle = TurnedAngle(fAngle, aLeft);
    TKVRBaseItem::TurnQuarter(aLeft, aOffset);
}

// ---------------------------------------------------------------- image, nutrition score

void TKVRBaseImage::TurnQuarter(bool aLeft, const TKVRPto& aOffset)
{
    if (GetPreview())
        return;
    SetAngle(TurnedAngle(fAngle, aLeft));
    TKVRBaseItem::TurnQuarter(aLeft, aOffset);
}

void TKVRBaseNutri::TurnQuarter(bool aLeft, const TKVRPto& aOffset)
{
    if (GetPreview())
        return;
    SetAngle(TurnedAngle(fAngle, aLeft));
    TKVRBaseItem::TurnQuarter(aLeft, aOffset);
}

// ---------------------------------------------------------------- symbol

void TKVRBaseSymbol::GetOutline(TKVROutline& aOutline) const
{
    aOutline.AddBox(fBounds, true);
    const TKVRPto p = GetPoint(1);
    aOutline.AddReference(double(p.X), double(p.Y));
}

void TKVRBaseSymbol::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    AnchorSelPoints(GetPoint(1), fBounds, aPoints);
    const int32_t links = fSymbol ? fSymbol->GetNumLinks() : 0;
    for (int32_t i = 1; i <= links; ++i) {
        const TKVRPto a = GetAnchor(uint16_t(i));
        aPoints.push_back({a.X, a.Y, a.X, a.Y, KVRSelKind::LinkPoint, int16_t(i)});
    }
}

bool TKVRBaseSymbol::MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY)
{
    return MoveByAnchor(*this, aType, aIndex, aX, aY);
}

TKVRRect TKVRBaseSymbol::TurnBox() const
{
    return fBounds;
}

void TKVRBaseSymbol::TurnQuarter(bool aLeft, const TKVRPto& aOffset)
{
    if (GetPreview())
        return;
    // The angle turns clockwise on screen; kept in [0, 2π) so whole turns add up exactly.
    double a = fAngle + (aLeft ? -Pi / 2.0 : Pi / 2.0);
    if (a < 0.0)
        a += 2.0 * Pi;
    if (a >= 2.0 * Pi)
        a -= 2.0 * Pi;
    if (std::isfinite(fAngle))
        fAngle = a;
    TKVRBaseItem::TurnQuarter(aLeft, aOffset);
}
