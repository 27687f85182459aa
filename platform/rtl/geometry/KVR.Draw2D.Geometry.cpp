#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/geometry/TKVRPto.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Twice the signed area of the triangle, exactly; positive when the points run
// clockwise on the y-down surface.
__int128 Cross(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3)
{
    return __int128(aX2 - aX1) * (aY3 - aY1) - __int128(aY2 - aY1) * (aX3 - aX1);
}

// Centre of the circle through three points that are known not to be
// collinear; false when it lies beyond any drawing (the points are then as
// good as on one line, and the centre would not fit the model's integers).
bool Circumcentre(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3,
                  long double& oCX, long double& oCY)
{
    // Relative to the first point, to keep the squares small.
    const long double bx = aX2 - aX1, by = aY2 - aY1;
    const long double cx = aX3 - aX1, cy = aY3 - aY1;
    const long double d = 2.0L * (bx * cy - by * cx);
    const long double b2 = bx * bx + by * by;
    const long double c2 = cx * cx + cy * cy;
    oCX = aX1 + (cy * b2 - by * c2) / d;
    oCY = aY1 + (bx * c2 - cx * b2) / d;
    const long double far = KVRMaxCoordinate;
    return std::fabs(oCX) <= far && std::fabs(oCY) <= far;
}

}  // namespace

double TDraw2D::NormalizeAngle(double aAngle)
{
    double a = std::fmod(aAngle, kTwoPi);
    if (a < 0.0)
        a += kTwoPi;
    if (a >= kTwoPi)
        a = 0.0;
    return a;
}

bool TDraw2D::CircleTwoPoints(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2,
                              int64_t& oCX, int64_t& oCY, int64_t& oRadius)
{
    if (aX1 == aX2 && aY1 == aY2)
        return false;
    oCX = RoundHalfEven((double(aX1) + double(aX2)) / 2.0);
    oCY = RoundHalfEven((double(aY1) + double(aY2)) / 2.0);
    oRadius = RoundHalfEven(std::hypot(double(aX2 - aX1), double(aY2 - aY1)) / 2.0);
    return true;
}

bool TDraw2D::CircleThreePoints(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3,
                                int64_t& oCX, int64_t& oCY, int64_t& oRadius)
{
    long double cx, cy;
    if (Cross(aX1, aY1, aX2, aY2, aX3, aY3) == 0 || !Circumcentre(aX1, aY1, aX2, aY2, aX3, aY3, cx, cy))
        return false;
    oCX = RoundHalfEven(double(cx));
    oCY = RoundHalfEven(double(cy));
    oRadius = RoundHalfEven(double(std::hypot(aX1 - cx, aY1 - cy)));
    return true;
}

bool TDraw2D::ArcThreePoints(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3,
                             int64_t& oCX, int64_t& oCY, int64_t& oRadius,
                             double& oStart, double& oEnd, double& oSweep, bool& oFlag)
{
    const __int128 cross = Cross(aX1, aY1, aX2, aY2, aX3, aY3);
    long double cx, cy;
    if (cross == 0 || !Circumcentre(aX1, aY1, aX2, aY2, aX3, aY3, cx, cy))
        return false;
    const double start = std::atan2(double(aY1 - cy), double(aX1 - cx));
    const double end = std::atan2(double(aY3 - cy), double(aX3 - cx));
    const bool clockwise = cross > 0;
    oCX = RoundHalfEven(double(cx));
    oCY = RoundHalfEven(double(cy));
    oRadius = RoundHalfEven(double(std::hypot(aX1 - cx, aY1 - cy)));
    oStart = start;
    oEnd = end;
    oSweep = clockwise ? NormalizeAngle(end - start) : -NormalizeAngle(start - end);
    oFlag = !clockwise;
    return true;
}

void TDraw2D::AngleSegment(double aShare, bool aInvert, bool aVertical, float& oStart, float& oSweep)
{
    const double share = std::clamp(std::isfinite(aShare) ? aShare : 0.0, 0.0, 1.0);
    // The segment of central angle t covers (t - sin t) / 2 pi of the area,
    // which grows steadily with t: halve the interval until it is exact.
    const double target = share * kTwoPi;
    double lo = 0.0, hi = kTwoPi;
    for (int i = 0; i < 64; ++i) {
        const double mid = (lo + hi) / 2.0;
        if (mid - std::sin(mid) < target)
            lo = mid;
        else
            hi = mid;
    }
    const double theta = share >= 1.0 ? kTwoPi : (share <= 0.0 ? 0.0 : (lo + hi) / 2.0);
    // Direction of the segment's middle, in degrees: bottom, top, left, right.
    double middle = 90.0;
    if (aVertical)
        middle = aInvert ? 0.0 : 180.0;
    else if (aInvert)
        middle = 270.0;
    const double sweep = theta * 180.0 / std::numbers::pi;
    oStart = float(middle - sweep / 2.0);
    oSweep = float(sweep);
}

TRectF TDraw2D::CenteredRect(double aLength, double aWidth, const TRectF& aRect)
{
    const double cx = (double(aRect.Left) + aRect.Right) / 2.0;
    const double cy = (double(aRect.Top) + aRect.Bottom) / 2.0;
    if (!(aLength > 0.0) || !(aWidth > 0.0))
        return TRectF(float(cx), float(cy), float(cx), float(cy));
    const double s = std::min(double(aRect.Width()) / aLength, double(aRect.Height()) / aWidth);
    const double w = aLength * s;
    const double h = aWidth * s;
    return TRectF(float(cx - w / 2.0), float(cy - h / 2.0), float(cx + w / 2.0), float(cy + h / 2.0));
}

TKVRRect TDraw2D::CenteredRect(double aLength, double aWidth, const TKVRRect& aRect)
{
    const int64_t cx = aRect.Left + aRect.Width() / 2;
    const int64_t cy = aRect.Top + aRect.Height() / 2;
    if (!(aLength > 0.0) || !(aWidth > 0.0))
        return {cx, cy, cx, cy};
    const double s = std::min(double(aRect.Width()) / aLength, double(aRect.Height()) / aWidth);
    const int64_t w = RoundHalfEven(aLength * s);
    const int64_t h = RoundHalfEven(aWidth * s);
    const int64_t left = aRect.Left + (aRect.Width() - w) / 2;
    const int64_t top = aRect.Top + (aRect.Height() - h) / 2;
    return {left, top, left + w, top + h};
}

std::array<TPointF, 4> TDraw2D::CalculateSlotPolygon(float aX1, float aY1, float aX2, float aY2, float aWidth)
{
    double ux = double(aX2) - aX1;
    double uy = double(aY2) - aY1;
    const double len = std::hypot(ux, uy);
    if (len > 0.0) {
        ux /= len;
        uy /= len;
    } else {
        ux = 1.0;
        uy = 0.0;
    }
    // Left of the direction of travel on the y-down surface.
    const double nx = uy * aWidth / 2.0;
    const double ny = -ux * aWidth / 2.0;
    return {TPointF(float(aX1 + nx), float(aY1 + ny)), TPointF(float(aX2 + nx), float(aY2 + ny)),
            TPointF(float(aX2 - nx), float(aY2 - ny)), TPointF(float(aX1 - nx), float(aY1 - ny))};
}
