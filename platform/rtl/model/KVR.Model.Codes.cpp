#include "platform/rtl/model/KVR.Model.Codes.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {
// A vector of the box's frame after a quarter turn (-90 degrees per step).
void Turn(int64_t aX, int64_t aY, TKVRAngle aAngle, int64_t& oX, int64_t& oY)
{
    switch (aAngle) {
    case TKVRAngle::Angle90: oX = aY; oY = -aX; break;
    case TKVRAngle::Angle180: oX = -aX; oY = -aY; break;
    case TKVRAngle::Angle270: oX = -aY; oY = aX; break;
    default: oX = aX; oY = aY; break;
    }
}
}  // namespace

TKVRRect KVRCodeBox(const TKVRPto& aAnchor, int64_t aWidth, int64_t aHeight, TKVRHorzAlign aHorz,
                    TKVRVertAlign aVert, TKVRAngle aAngle)
{
    int64_t ox = 0, oy = 0;
    if (aHorz == TKVRHorzAlign::Center)
        ox = -(aWidth / 2);
    else if (aHorz == TKVRHorzAlign::Right)
        ox = -aWidth;
    if (aVert == TKVRVertAlign::Center)
        oy = -(aHeight / 2);
    else if (aVert == TKVRVertAlign::Bottom)
        oy = -aHeight;
    int64_t ax, ay, bx, by;
    Turn(ox, oy, aAngle, ax, ay);
    Turn(ox + aWidth, oy + aHeight, aAngle, bx, by);
    return {aAnchor.X + std::min(ax, bx), aAnchor.Y + std::min(ay, by), aAnchor.X + std::max(ax, bx),
            aAnchor.Y + std::max(ay, by)};
}

namespace KVRCodeCheck {

float NotNegativeLength(float aValue, const char* aWhat)
{
    KVRCheck::Finite(aValue, aWhat);
    if (aValue < 0.0f)
        throw EKVRDataError(std::string("Invalid negative value for ") + aWhat);
    return aValue;
}

float PositiveLength(float aValue, const char* aWhat)
{
    KVRCheck::Finite(aValue, aWhat);
    if (!(aValue > 0.0f))
        throw EKVRDataError(std::string("Invalid value for ") + aWhat + ": it must be greater than 0");
    return aValue;
}

uint8_t InList(uint8_t aValue, uint8_t aCount, const char* aWhat)
{
    if (aValue >= aCount)
        throw EKVRDataError(std::string("Invalid value for ") + aWhat + ": " + std::to_string(aValue));
    return aValue;
}

float ClampLength(float aValue)
{
    return std::isfinite(aValue) && aValue > 0.0f ? aValue : 0.0f;
}

int32_t ToMicrometres(double aMillimetres)
{
    const double um = aMillimetres * 1000.0;
    if (!(um < double(std::numeric_limits<int32_t>::max())))
        return std::numeric_limits<int32_t>::max();
    return RoundHalfEven32(um);
}

}  // namespace KVRCodeCheck
