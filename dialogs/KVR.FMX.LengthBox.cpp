#include "dialogs/KVR.FMX.LengthBox.h"
#include "platform/rtl/KVR.Math.h"
#include <QSignalBlocker>
#include <cmath>

int KVRLengthDecimals(TKVRUnits aUnits)
{
    // A step of 10^-d units of at most a micrometre: shown values are then
    // at most half a micrometre off, and round back to what was stored.
    return int(std::ceil(std::log10(double(MicrometresPerUnit(aUnits))) - 1e-9));
}

void KVRSetLength(QDoubleSpinBox& aBox, TKVRUnits aUnits, double aMin, double aMax, int64_t aMicrometres)
{
    const QSignalBlocker block(aBox);
    aBox.setDecimals(KVRLengthDecimals(aUnits));
    aBox.setRange(aMin, aMax);
    aBox.setValue(double(aMicrometres) / double(MicrometresPerUnit(aUnits)));
}

int64_t KVRGetLength(const QDoubleSpinBox& aBox, TKVRUnits aUnits)
{
    return RoundHalfEven(aBox.value() * double(MicrometresPerUnit(aUnits)));
}
