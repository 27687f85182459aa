#include "elements/TKVRPackage.Geometry.h"
#include "platform/rtl/KVR.Math.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr double kIsoAngle = 0.5235987755982988;  // 30 degrees

double IsoCos()
{
    static const double c = std::cos(kIsoAngle);
    return c;
}

double IsoSin()
{
    static const double s = std::sin(kIsoAngle);
    return s;
}

struct TCorner3
{
    double X, Y, Z;
};

std::array<TCorner3, 8> BoxCorners(double aL, double aW, double aH)
{
    return {{{0, 0, 0}, {aL, 0, 0}, {aL, aW, 0}, {0, aW, 0}, {0, 0, aH}, {aL, 0, aH}, {aL, aW, aH}, {0, aW, aH}}};
}

// The scale at which the silhouette of the box (all eight corners, so that
// any sign of the sizes is covered) just fits a rectangle of aWidth x aHeight;
// 0 when it cannot be fitted.
double FitScale(double aL, double aW, double aH, double aWidth, double aHeight)
{
    if (!std::isfinite(aL) || !std::isfinite(aW) || !std::isfinite(aH))
        return 0.0;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const TCorner3& c : BoxCorners(aL, aW, aH)) {
        const double x = (c.X - c.Y) * IsoCos();
        const double y = -(c.X + c.Y) * IsoSin() + c.Z;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    double s = std::numeric_limits<double>::infinity();
    if (maxX - minX > 0.0)
        s = std::min(s, aWidth / (maxX - minX));
    if (maxY - minY > 0.0)
        s = std::min(s, aHeight / (maxY - minY));
    return std::isfinite(s) && s > 0.0 ? s : 0.0;
}

bool Usable(double aValue, double aLimit)
{
    return std::isfinite(aValue) && std::fabs(aValue) <= aLimit;
}

}  // namespace

// ---------------------------------------------------------------- screen

float TKVRIsoView::X(double aX, double aY) const
{
    return float(CX + (aX - aY) * IsoCos() * S);
}

float TKVRIsoView::Y(double aX, double aY, double aZ) const
{
    return float(CY - (aX + aY) * IsoSin() * S + aZ * S);
}

bool TKVRIsoView::Fit(double aL, double aW, double aH, const TRectF& aRect)
{
    CX = (double(aRect.Left) + aRect.Right) / 2.0;
    CY = (double(aRect.Top) + aRect.Bottom) / 2.0;
    S = FitScale(aL, aW, aH, aRect.Width(), aRect.Height());
    if (S <= 0.0) {
        S = 1.0;
        return false;
    }
    double left = CX, right = CX, top = CY, bottom = CY;
    for (const TCorner3& c : BoxCorners(aL, aW, aH)) {
        left = std::min(left, double(X(c.X, c.Y)));
        right = std::max(right, double(X(c.X, c.Y)));
        top = std::min(top, double(Y(c.X, c.Y, c.Z)));
        bottom = std::max(bottom, double(Y(c.X, c.Y, c.Z)));
    }
    CX += CX - left - (right - left) / 2.0;
    CY += CY - top - (bottom - top) / 2.0;
    return true;
}

// ---------------------------------------------------------------- paper

int64_t TKVRPrintIsoView::X(double aX, double aY) const
{
    return CX + RoundHalfEven((aX - aY) * IsoCos() * S);
}

int64_t TKVRPrintIsoView::Y(double aX, double aY, double aZ) const
{
    return CY - RoundHalfEven((aX + aY) * IsoSin() * S - aZ * S);
}

bool TKVRPrintIsoView::Fit(double aL, double aW, double aH, const TKVRRect& aRect)
{
    CX = aRect.Left + aRect.Width() / 2;
    CY = aRect.Top + aRect.Height() / 2;
    // The scale comes from the exact silhouette: one rounded at scale 1 is
    // off by up to a micrometre per side, which is everything for sizes in
    // metres or inches (a box of 0.5 x 0.3 would have no width at all).
    S = FitScale(aL, aW, aH, double(aRect.Width()), double(aRect.Height()));
    if (S <= 0.0 || !Usable(S * (std::fabs(aL) + std::fabs(aW) + std::fabs(aH)), TKVRBlankMap::MicrometreLimit)) {
        S = 1.0;
        return false;
    }
    int64_t left = CX, right = CX, top = CY, bottom = CY;
    for (const TCorner3& c : BoxCorners(aL, aW, aH)) {
        left = std::min(left, X(c.X, c.Y));
        right = std::max(right, X(c.X, c.Y));
        top = std::min(top, Y(c.X, c.Y, c.Z));
        bottom = std::max(bottom, Y(c.X, c.Y, c.Z));
    }
    CX += CX - left - (right - left) / 2;
    CY += CY - top - (bottom - top) / 2;
    return true;
}

// ---------------------------------------------------------------- blank

TKVRBlankMap::TKVRBlankMap(double aWidth, double aHeight, double aL, double aW, double aLimit)
    : fWidth(aWidth), fHeight(aHeight), fL(aL), fW(aW), fLimit(aLimit)
{
    fValid = aL > 0.0 && aW > 0.0 && std::isfinite(aL) && std::isfinite(aW) && aWidth > 0.0 && aHeight > 0.0;
}

bool TKVRBlankMap::Along(double aX, double& o) const
{
    o = fWidth * aX / fL;
    return fValid && Usable(o, fLimit);
}

bool TKVRBlankMap::Up(double aY, double& o) const
{
    o = fHeight * aY / fW;
    return fValid && Usable(o, fLimit);
}
