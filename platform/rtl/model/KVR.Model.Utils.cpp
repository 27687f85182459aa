#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/model/TKVRBaseDraw.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

float DrawFromBaseX(int64_t aValue, const TKVRBaseDraw* aDraw)
{
    return aDraw->GetDrawX(aValue);
}

float DrawFromBaseY(int64_t aValue, const TKVRBaseDraw* aDraw)
{
    return aDraw->GetDrawY(aValue);
}

int32_t PrintFromBaseX(int64_t aValue, const TKVRBaseDraw* aDraw)
{
    return RoundHalfEven32(double(aValue) * aDraw->PixelsPerMicX);
}

int32_t PrintFromBaseY(int64_t aValue, const TKVRBaseDraw* aDraw)
{
    return RoundHalfEven32(double(aValue) * aDraw->PixelsPerMicY);
}

namespace {
constexpr double kDeviceMin = double(std::numeric_limits<int32_t>::min());
constexpr double kDeviceMax = double(std::numeric_limits<int32_t>::max());

int32_t ClampCell(int64_t aSum)
{
    return int32_t(std::clamp<int64_t>(aSum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

float ClampCellF(double aSum)
{
    if (std::isnan(aSum))
        return 0.0f;
    return float(std::clamp(aSum, kDeviceMin, kDeviceMax));
}
}  // namespace

int32_t PrintCellX(const TKVRBaseDraw* aDraw, int64_t aValue)
{
    return ClampCell(int64_t(aDraw->PrintOffsetX) + std::clamp<int64_t>(aValue, INT32_MIN, INT32_MAX));
}

int32_t PrintCellY(const TKVRBaseDraw* aDraw, int64_t aValue)
{
    return ClampCell(int64_t(aDraw->PrintOffsetY) + std::clamp<int64_t>(aValue, INT32_MIN, INT32_MAX));
}

float PaperCellX(const TKVRBaseDraw* aDraw, double aValue)
{
    return ClampCellF(double(aDraw->PrintOffsetX) + (std::isnan(aValue) ? 0.0 : aValue));
}

float PaperCellY(const TKVRBaseDraw* aDraw, double aValue)
{
    return ClampCellF(double(aDraw->PrintOffsetY) + (std::isnan(aValue) ? 0.0 : aValue));
}

float PaperLength(double aValue)
{
    return ClampCellF(aValue);
}

TPointF PrintCellAt(const TKVRPto& aPoint, const TKVRBaseDraw* aDraw)
{
    return {float(PrintCellX(aDraw, aPoint.PrintX(aDraw))), float(PrintCellY(aDraw, aPoint.PrintY(aDraw)))};
}

TPointF PaperCellAt(const TKVRPto& aPoint, const TKVRBaseDraw* aDraw)
{
    return {PaperCellX(aDraw, double(aPoint.X) * aDraw->PixelsPerMicX),
            PaperCellY(aDraw, double(aPoint.Y) * aDraw->PixelsPerMicY)};
}

double PrintAngle(TKVRAngle aAngle)
{
    const int n = int(aAngle);
    return (n >= 1 && n <= 3) ? -n * std::numbers::pi / 2.0 : 0.0;
}

TKVRLineText PosBaseLinesText(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aHeight, int64_t aWidth,
                              int64_t aAscent, int64_t aDescent, TKVRTextPos aPos, int64_t aStartClear,
                              int64_t aEndClear)
{
    // Read from the other end when the line runs leftwards or straight down.
    if (aX2 < aX1 || (aX2 == aX1 && aY2 > aY1)) {
        std::swap(aX1, aX2);
        std::swap(aY1, aY2);
        std::swap(aStartClear, aEndClear);
    }
    const double dx = double(aX2 - aX1);
    const double dy = double(aY2 - aY1);
    const double len = std::hypot(dx, dy);
    const double ux = len > 0.0 ? dx / len : 1.0;
    const double uy = len > 0.0 ? dy / len : 0.0;
    // "Up" for the caption: left of the direction of reading on a y-down surface.
    const double nx = uy;
    const double ny = -ux;
    const double clear = double(aHeight / 4);
    const double w = double(aWidth);

    const int column = aPos <= 8 ? aPos % 3 : 1;
    const int row = aPos <= 8 ? aPos / 3 : 0;
    // A caption in the line's gap keeps clear of the end marks there.
    const double startMark = row == 1 ? double(std::max<int64_t>(aStartClear, 0)) : 0.0;
    const double endMark = row == 1 ? double(std::max<int64_t>(aEndClear, 0)) : 0.0;
    double s;  // along the line, where the caption starts
    if (column == 0)
        s = clear + startMark;
    else if (column == 2)
        s = len - w - clear - endMark;
    else
        s = (len - w) / 2.0;
    double up;  // baseline offset towards "up"
    if (row == 0)
        up = double(aDescent) + clear;
    else if (row == 2)
        up = -(double(aAscent) + clear);
    else
        up = -(double(aAscent) - double(aDescent)) / 2.0;

    TKVRLineText r;
    const double bx = aX1 + s * ux + up * nx;
    const double by = aY1 + s * uy + up * ny;
    r.TextX = RoundHalfEven(bx);
    r.TextY = RoundHalfEven(by);
    r.PrintX = RoundHalfEven(bx + double(aAscent) * nx);
    r.PrintY = RoundHalfEven(by + double(aAscent) * ny);
    const double g1 = std::clamp(s - clear, 0.0, len);
    const double g2 = std::clamp(s + w + clear, 0.0, len);
    r.GapStart = {RoundHalfEven(aX1 + g1 * ux), RoundHalfEven(aY1 + g1 * uy)};
    r.GapEnd = {RoundHalfEven(aX1 + g2 * ux), RoundHalfEven(aY1 + g2 * uy)};
    r.Angle = float(std::atan2(uy, ux));
    return r;
}

namespace {

// Offset of the box's top-left corner from the aligned point, in the box's own frame.
void AlignOffset(double aMarginX, double aMarginY, double aWidth, double aHeight, TKVRHorzAlign aHorz,
                 TKVRVertAlign aVert, double& oX, double& oY)
{
    switch (aHorz) {
    case TKVRHorzAlign::Center: oX = -aWidth / 2.0; break;
    case TKVRHorzAlign::Right: oX = -aWidth - aMarginX; break;
    default: oX = aMarginX; break;
    }
    switch (aVert) {
    case TKVRVertAlign::Center: oY = -aHeight / 2.0; break;
    case TKVRVertAlign::Bottom: oY = -aHeight - aMarginY; break;
    default: oY = aMarginY; break;
    }
}

// A vector of the box's frame on the surface after a quarter turn of -90 x n degrees.
void Turn(double aX, double aY, TKVRAngle aAngle, double& oX, double& oY)
{
    switch (aAngle) {
    case TKVRAngle::Angle90: oX = aY; oY = -aX; break;
    case TKVRAngle::Angle180: oX = -aX; oY = -aY; break;
    case TKVRAngle::Angle270: oX = -aY; oY = aX; break;
    default: oX = aX; oY = aY; break;
    }
}

}  // namespace

TPointF DrawPos(float aPivotX, float aPivotY, float aX, float aY, float aMarginX, float aMarginY, float aWidth,
                float aHeight, TKVRHorzAlign aHorz, TKVRVertAlign aVert, TKVRAngle aAngle)
{
    double ox, oy;
    AlignOffset(aMarginX, aMarginY, aWidth, aHeight, aHorz, aVert, ox, oy);
    double tx, ty;
    Turn(double(aX) + ox - aPivotX, double(aY) + oy - aPivotY, aAngle, tx, ty);
    return TPointF(float(aPivotX + tx), float(aPivotY + ty));
}

TPointF DrawTxtPos(float aX, float aY, float aMarginX, float aMarginY, float aWidth, float aHeight,
                   TKVRHorzAlign aHorz, TKVRVertAlign aVert, TKVRAngle aAngle)
{
    return DrawPos(aX, aY, aX, aY, aMarginX, aMarginY, aWidth, aHeight, aHorz, aVert, aAngle);
}

void PrintTxtPos(int32_t aX, int32_t aY, int32_t aMarginX, int32_t aMarginY, int32_t aWidth, int32_t aHeight,
                 TKVRHorzAlign aHorz, TKVRVertAlign aVert, TKVRAngle aAngle, int32_t& oX, int32_t& oY)
{
    int64_t ox, oy;
    switch (aHorz) {
    case TKVRHorzAlign::Center: ox = -(aWidth / 2); break;
    case TKVRHorzAlign::Right: ox = -int64_t(aWidth) - aMarginX; break;
    default: ox = aMarginX; break;
    }
    switch (aVert) {
    case TKVRVertAlign::Center: oy = -(aHeight / 2); break;
    case TKVRVertAlign::Bottom: oy = -int64_t(aHeight) - aMarginY; break;
    default: oy = aMarginY; break;
    }
    int64_t tx = ox, ty = oy;
    switch (aAngle) {
    case TKVRAngle::Angle90: tx = oy; ty = -ox; break;
    case TKVRAngle::Angle180: tx = -ox; ty = -oy; break;
    case TKVRAngle::Angle270: tx = -oy; ty = ox; break;
    default: break;
    }
    oX = int32_t(aX + tx);
    oY = int32_t(aY + ty);
}

void AdjustRect(TRectF& aRect, TKVRHorzAlign aHorz, TKVRVertAlign aVert, TKVRAngle aAngle)
{
    const double w = aRect.Width();
    const double h = aRect.Height();
    double ox, oy;
    AlignOffset(0.0, 0.0, w, h, aHorz, aVert, ox, oy);
    double ax, ay, bx, by;
    Turn(ox, oy, aAngle, ax, ay);
    Turn(ox + w, oy + h, aAngle, bx, by);
    const double x0 = aRect.Left, y0 = aRect.Top;
    aRect = TRectF(float(x0 + std::min(ax, bx)), float(y0 + std::min(ay, by)), float(x0 + std::max(ax, bx)),
                   float(y0 + std::max(ay, by)));
}

TPointF DrawPolyPos(float aX, float aY, float aPadX, float aPadY, float aWidth, float aHeight, TKVRHorzAlign aHorz,
                    TKVRVertAlign aVert, TKVRAngle aAngle)
{
    return DrawPos(aX, aY, aX, aY, aPadX, aPadY, aWidth, aHeight, aHorz, aVert, aAngle);
}

TPointF AdjustRectPos(TRectF& aRect, float aPadX, float aPadY, TKVRHorzAlign aHorz, TKVRVertAlign aVert,
                      TKVRAngle aAngle)
{
    const float x = aRect.Left, y = aRect.Top;
    const float w = std::max(aRect.Width() - 2.0f * aPadX, 0.0f);
    const float h = std::max(aRect.Height() - 2.0f * aPadY, 0.0f);
    AdjustRect(aRect, aHorz, aVert, aAngle);
    return DrawPolyPos(x, y, aPadX, aPadY, w, h, aHorz, aVert, aAngle);
}

int64_t KVRHeldExtent(double aValue)
{
    constexpr double kFar = double(int64_t(1) << 60);
    return RoundHalfEven(std::clamp(aValue, -kFar, kFar));
}

void KVRIncludeArc(TKVRExtent& aExtent, double aCX, double aCY, double aRadius, double aStart, double aSweep,
                   int64_t aHalf)
{
    if (!std::isfinite(aCX) || !std::isfinite(aCY) || !std::isfinite(aRadius) || !std::isfinite(aStart) ||
        !std::isfinite(aSweep))
        return;
    auto include = [&](double aAngle) {
        aExtent.IncludeWide(KVRHeldExtent(aCX + aRadius * std::cos(aAngle)),
                            KVRHeldExtent(aCY + aRadius * std::sin(aAngle)), aHalf);
    };
    include(aStart);
    include(aStart + aSweep);
    const double quarter = std::numbers::pi / 2.0;
    const bool whole = std::fabs(aSweep) >= 2.0 * std::numbers::pi;
    for (int k = 0; k < 4; ++k) {
        // How far the arc travels from its start to reach this extreme.
        const double travel = aSweep >= 0.0 ? TDraw2D::NormalizeAngle(k * quarter - aStart)
                                            : TDraw2D::NormalizeAngle(aStart - k * quarter);
        if (whole || travel <= std::fabs(aSweep))
            include(k * quarter);
    }
}
