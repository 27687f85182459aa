#include "platform/rtl/geometry/KVR.Draw2D.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

// Corners of a head at the tip whose sides run back along 'back' (radians) +- the opening.
void ArrowCorners(double tipX, double tipY, double back, int32_t length, double openDeg,
                  float& x1, float& y1, float& x2, float& y2)
{
    const double open = openDeg * kDegToRad;
    // With y downwards, back + open lies on the left when looking along the arrow.
    x1 = static_cast<float>(tipX + length * std::cos(back + open));
    y1 = static_cast<float>(tipY + length * std::sin(back + open));
    x2 = static_cast<float>(tipX + length * std::cos(back - open));
    y2 = static_cast<float>(tipY + length * std::sin(back - open));
}

}  // namespace

void TDraw2D::DrawArrow(float aFromX, float aFromY, float aTipX, float aTipY, int32_t aLength,
                        float& oX1, float& oY1, float& oX2, float& oY2, float aOpen)
{
    const double dx = double(aFromX) - aTipX;
    const double dy = double(aFromY) - aTipY;
    const double back = (dx == 0.0 && dy == 0.0) ? std::numbers::pi : std::atan2(dy, dx);
    ArrowCorners(aTipX, aTipY, back, aLength, aOpen, oX1, oY1, oX2, oY2);
}

void TDraw2D::DrawArrow(float aTipX, float aTipY, float aAngle, int32_t aLength,
                        float& oX1, float& oY1, float& oX2, float& oY2, float aOpen)
{
    ArrowCorners(aTipX, aTipY, double(aAngle) + std::numbers::pi, aLength, aOpen, oX1, oY1, oX2, oY2);
}

void TDraw2D::DrawParallelLine(float aX1, float aY1, float aX2, float aY2, float aDistance,
                               float& oX1, float& oY1, float& oX2, float& oY2)
{
    const double dx = double(aX2) - aX1;
    const double dy = double(aY2) - aY1;
    const double len = std::hypot(dx, dy);
    // A segment without length has no side: it stays where it is.
    const double nx = len > 0.0 ? -dy / len * aDistance : 0.0;
    const double ny = len > 0.0 ? dx / len * aDistance : 0.0;
    oX1 = static_cast<float>(aX1 + nx);
    oY1 = static_cast<float>(aY1 + ny);
    oX2 = static_cast<float>(aX2 + nx);
    oY2 = static_cast<float>(aY2 + ny);
}

namespace {

void Tick(float aFromX, float aFromY, float aX, float aY, int32_t aHalf, double aTurn,
          float& oX1, float& oY1, float& oX2, float& oY2)
{
    const double dx = double(aX) - aFromX;
    const double dy = double(aY) - aFromY;
    const double along = (dx == 0.0 && dy == 0.0) ? 0.0 : std::atan2(dy, dx);
    const double a = along + aTurn;
    const double hx = aHalf * std::cos(a);
    const double hy = aHalf * std::sin(a);
    oX1 = static_cast<float>(aX - hx);
    oY1 = static_cast<float>(aY - hy);
    oX2 = static_cast<float>(aX + hx);
    oY2 = static_cast<float>(aY + hy);
}

}  // namespace

void TDraw2D::DrawLeft(float aFromX, float aFromY, float aX, float aY, int32_t aHalf,
                       float& oX1, float& oY1, float& oX2, float& oY2)
{
    Tick(aFromX, aFromY, aX, aY, aHalf, std::numbers::pi / 4.0, oX1, oY1, oX2, oY2);
}

void TDraw2D::DrawRight(float aFromX, float aFromY, float aX, float aY, int32_t aHalf,
                        float& oX1, float& oY1, float& oX2, float& oY2)
{
    Tick(aFromX, aFromY, aX, aY, aHalf, -std::numbers::pi / 4.0, oX1, oY1, oX2, oY2);
}

TPointF TDraw2D::RotatePoint(const TPointF& aPoint, const TPointF& aCentre, TKVRAngle aAngle)
{
    const float dx = aPoint.X - aCentre.X;
    const float dy = aPoint.Y - aCentre.Y;
    // -90 degrees on a y-down surface maps (dx, dy) to (dy, -dx).
    switch (aAngle) {
    case TKVRAngle::Angle90: return {aCentre.X + dy, aCentre.Y - dx};
    case TKVRAngle::Angle180: return {aCentre.X - dx, aCentre.Y - dy};
    case TKVRAngle::Angle270: return {aCentre.X - dy, aCentre.Y + dx};
    default: return aPoint;
    }
}

TPointF TDraw2D::RotatePoint(const TPointF& aPoint, const TPointF& aCentre, float aDegrees)
{
    const double a = double(aDegrees) * kDegToRad;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double dx = double(aPoint.X) - aCentre.X;
    const double dy = double(aPoint.Y) - aCentre.Y;
    return {static_cast<float>(aCentre.X + dx * c - dy * s), static_cast<float>(aCentre.Y + dx * s + dy * c)};
}

TRectF TDraw2D::Rotate(const TRectF& aRect, const TPointF& aCentre, TKVRAngle aAngle)
{
    const TPointF a = RotatePoint(aRect.TopLeft(), aCentre, aAngle);
    const TPointF b = RotatePoint(aRect.BottomRight(), aCentre, aAngle);
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}
