#include "editor/TKVRSurfaceCoords.h"
#include "platform/rtl/KVR.Math.h"

double TKVRSurfaceCoords::ModelPerInch() const
{
    const int64_t scale = DrawScale() < 1 ? 1 : DrawScale();
    return double(scale * MicrometresPerInch);
}

double TKVRSurfaceCoords::Zoom() const
{
    return double(ZScale());
}

namespace {
// A rounded pixel moved by the view offset, held to 32 bits: a point far off
// the view (a typed coordinate, a far element) lands past the surface's
// edge, never wraps round.
int32_t Offset(double aPixel, int32_t aOffset)
{
    return KVRToInteger<int32_t>(double(RoundHalfEven(aPixel)) + double(aOffset));
}
}  // namespace

int64_t TKVRSurfaceCoords::BaseMM(float aValue) const
{
    return SetValue(aValue, Units());
}

int64_t TKVRSurfaceCoords::BaseMMX(float aPixel) const
{
    const double paper = (double(aPixel) - OffsetX()) * MicrometresPerInch / (fDPIX * Zoom());
    return RoundHalfEven(paper) * int64_t(ModelPerInch() / MicrometresPerInch);
}

int64_t TKVRSurfaceCoords::BaseMMY(float aPixel) const
{
    const double paper = (double(aPixel) - OffsetY()) * MicrometresPerInch / (fDPIY * Zoom());
    return RoundHalfEven(paper) * int64_t(ModelPerInch() / MicrometresPerInch);
}

int32_t TKVRSurfaceCoords::ScreenMMX(int64_t aMicrometres) const
{
    return Offset(double(aMicrometres) * fDPIX * Zoom() / ModelPerInch(), OffsetX());
}

int32_t TKVRSurfaceCoords::ScreenMMY(int64_t aMicrometres) const
{
    return Offset(double(aMicrometres) * fDPIY * Zoom() / ModelPerInch(), OffsetY());
}

float TKVRSurfaceCoords::BaseToScreenX(int64_t aMicrometres) const
{
    return float(double(aMicrometres) * fDPIX / ModelPerInch());
}

float TKVRSurfaceCoords::BaseToScreenY(int64_t aMicrometres) const
{
    return float(double(aMicrometres) * fDPIY / ModelPerInch());
}

int32_t TKVRSurfaceCoords::CoordDX(float aValue, bool aOffset) const
{
    const double scale = ModelPerInch() / MicrometresPerInch;
    return Offset(double(aValue) * fDPIX * Zoom() / (scale * UnitsPerInch(Units())), aOffset ? OffsetX() : 0);
}

int32_t TKVRSurfaceCoords::CoordDY(float aValue, bool aOffset) const
{
    const double scale = ModelPerInch() / MicrometresPerInch;
    return Offset(double(aValue) * fDPIY * Zoom() / (scale * UnitsPerInch(Units())), aOffset ? OffsetY() : 0);
}

float TKVRSurfaceCoords::WorldX(float aPixel, bool aOffset) const
{
    const double p = aOffset ? double(aPixel) - OffsetX() : double(aPixel);
    const double scale = ModelPerInch() / MicrometresPerInch;
    return float(p * UnitsPerInch(Units()) * scale / (fDPIX * Zoom()));
}

float TKVRSurfaceCoords::WorldY(float aPixel, bool aOffset) const
{
    const double p = aOffset ? double(aPixel) - OffsetY() : double(aPixel);
    const double scale = ModelPerInch() / MicrometresPerInch;
    return float(p * UnitsPerInch(Units()) * scale / (fDPIY * Zoom()));
}

int32_t TKVRSurfaceCoords::DrawDMMX(float aPixels, bool aOffset) const
{
    return Offset(double(aPixels) * Zoom(), aOffset ? OffsetX() : 0);
}

int32_t TKVRSurfaceCoords::DrawDMMY(float aPixels, bool aOffset) const
{
    return Offset(double(aPixels) * Zoom(), aOffset ? OffsetY() : 0);
}

float TKVRSurfaceCoords::FX() const
{
    return float(fDPIX * Zoom() / UnitsPerInch(Units()));
}

float TKVRSurfaceCoords::FY() const
{
    return float(fDPIY * Zoom() / UnitsPerInch(Units()));
}

float TKVRSurfaceCoords::CoordX(int32_t aPixels) const
{
    return float(aPixels * 25.4 / fDPIX);
}

int32_t TKVRSurfaceCoords::CMX() const
{
    return fDScroll.ScrollX < fDScroll.GapL ? OffsetX() : int32_t(fDScroll.RulerL);
}

int32_t TKVRSurfaceCoords::CMY() const
{
    return fDScroll.ScrollY < fDScroll.GapT ? OffsetY() : int32_t(fDScroll.RulerT);
}

int32_t TKVRSurfaceCoords::PickGap(int32_t aPixels) const
{
    return RoundHalfEven32(double(aPixels) * MicrometresPerInch / (fDPIX * Zoom()));
}

int64_t TKVRSurfaceCoords::GridRound(int64_t aValue, int64_t aStep)
{
    return ::GridRound(aValue, aStep);
}
