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
    return RoundHalfEven32(double(aMicrometres) * fDPIX * Zoom() / ModelPerInch()) + OffsetX();
}

int32_t TKVRSurfaceCoords::ScreenMMY(int64_t aMicrometres) const
{
    return RoundHalfEven32(double(aMicrometres) * fDPIY * Zoom() / ModelPerInch()) + OffsetY();
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
    const int32_t px = RoundHalfEven32(double(aValue) * fDPIX * Zoom() / (scale * UnitsPerInch(Units())));
    return aOffset ? px + OffsetX() : px;
}

int32_t TKVRSurfaceCoords::CoordDY(float aValue, bool aOffset) const
{
    const double scale = ModelPerInch() / MicrometresPerInch;
    const int32_t px = RoundHalfEven32(double(aValue) * fDPIY * Zoom() / (scale * UnitsPerInch(Units())));
    return aOffset ? px + OffsetY() : px;
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
    const int32_t px = RoundHalfEven32(double(aPixels) * Zoom());
    return aOffset ? px + OffsetX() : px;
}

int32_t TKVRSurfaceCoords::DrawDMMY(float aPixels, bool aOffset) const
{
    const int32_t px = RoundHalfEven32(double(aPixels) * Zoom());
    return aOffset ? px + OffsetY() : px;
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
