#pragma once
// Spin boxes of lengths: a document unit shown with the decimals that hold a
// micrometre, so a value read and written back unedited stays the same.
#include "platform/rtl/label/KVR.Units.h"
#include <QDoubleSpinBox>
#include <cstdint>

// Decimals of aUnits that a micrometre needs (mm 3, in 5, m 6, ...).
int KVRLengthDecimals(TKVRUnits aUnits);
// Sets the unit's decimals, the range aMin..aMax (in the unit) and the value.
void KVRSetLength(QDoubleSpinBox& aBox, TKVRUnits aUnits, double aMin, double aMax, int64_t aMicrometres);
// The box's value in whole micrometres (halves to even).
int64_t KVRGetLength(const QDoubleSpinBox& aBox, TKVRUnits aUnits);
