#pragma once
#include <QString>
#include <cstdint>

// Unit of a document's measure. Coordinates are always micrometres; a unit
// only says how many micrometres one displayed unit is.
enum class TKVRUnits : uint8_t {
    Millimetre = 0,
    Inch = 1,
    Centimetre = 2,
    Decimetre = 3,
    Metre = 4,
    Foot = 5,
    Yard = 6,
};

// Micrometres in one unit; an unknown value counts as millimetres.
constexpr int64_t MicrometresPerUnit(TKVRUnits unit)
{
    switch (unit) {
    case TKVRUnits::Millimetre: return 1000;
    case TKVRUnits::Inch: return 25400;
    case TKVRUnits::Centimetre: return 10000;
    case TKVRUnits::Decimetre: return 100000;
    case TKVRUnits::Metre: return 1000000;
    case TKVRUnits::Foot: return 304800;
    case TKVRUnits::Yard: return 914400;  // 3 feet exactly
    }
    return 1000;
}

constexpr int64_t MicrometresPerInch = 25400;

// Pixels at a resolution for a length in micrometres, and back.
constexpr double MicrometresToPixels(double micrometres, double dpi)
{
    return micrometres * dpi / MicrometresPerInch;
}
constexpr double PixelsToMicrometres(double pixels, double dpi)
{
    return pixels * MicrometresPerInch / dpi;
}

// A length in micrometres in a unit (as the user sees it), and back to whole
// micrometres (halves to even).
float GetValue(int64_t aMicrometres, TKVRUnits aUnits);
int64_t SetValue(float aValue, TKVRUnits aUnits);

// The unit's symbol ("mm", "in", ...); aSpaced puts a blank before it, for
// appending to a number.
QString SymUnit(TKVRUnits aUnits, bool aSpaced);

// Units in one inch: 25,400 divided by the micrometres of the unit, so that
// pixels and micrometres convert the same way for every unit.
constexpr double UnitsPerInch(TKVRUnits aUnits)
{
    return double(MicrometresPerInch) / double(MicrometresPerUnit(aUnits));
}

// A length given in pixels at 96 dpi, in whole pixels at aDpi.
int32_t ScalePos(float aPixels96, int32_t aDpi);

// A length in micrometres on a grid of aStep: positive values go to the
// nearer line (an exact half down), negative ones toward zero; a step of 0 or
// less leaves the value.
constexpr int64_t GridRound(int64_t aValue, int64_t aStep)
{
    if (aStep <= 0)
        return aValue;
    int64_t q = aValue / aStep;
    if (aValue - q * aStep > aStep / 2)
        ++q;
    return aStep * q;
}
