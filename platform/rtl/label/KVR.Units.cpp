#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"

float GetValue(int64_t aMicrometres, TKVRUnits aUnits)
{
    return float(double(aMicrometres) / double(MicrometresPerUnit(aUnits)));
}

int64_t SetValue(float aValue, TKVRUnits aUnits)
{
    return RoundHalfEven(double(aValue) * double(MicrometresPerUnit(aUnits)));
}

QString SymUnit(TKVRUnits aUnits, bool aSpaced)
{
    const QString symbol = KVRUnitText(aUnits);
    return aSpaced ? QLatin1Char(' ') + symbol : symbol;
}

int32_t ScalePos(float aPixels96, int32_t aDpi)
{
    return RoundHalfEven32(double(aPixels96) * aDpi / 96.0);
}
