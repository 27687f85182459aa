#pragma once
// Thins out pointer moves on a slow surface: while enabled, a move passes when
// enough time has gone by since the last move that passed, or when the pointer
// has gone far from it. The first move after ResetPos always passes.
#include "platform/rtl/label/KVR.EditTypes.h"
#include <QElapsedTimer>
#include <cstdint>

class TMouseFilterS
{
public:
    TMouseFilterS();
    // Milliseconds between two moves that pass.
    int32_t GetInterval() const { return fInterval; }
    void SetInterval(int32_t aValue) { fInterval = aValue < 0 ? 0 : aValue; }
    // Pixels from the last passed move beyond which a move passes at once.
    int32_t GetDistance() const { return fDistance; }
    void SetDistance(int32_t aValue) { fDistance = aValue < 0 ? 0 : aValue; }
    bool GetEnabled() const { return fEnabled; }
    void SetEnabled(bool aValue);

    // False drops the move.
    bool FilterMouseMove(TShiftState aShift, float x, float y);
    // The same at a given time in milliseconds (the clock of the call above).
    bool FilterMouseMoveAt(int64_t aMilliseconds, float x, float y);
    // Forgets the last move (a button went up or down).
    void ResetPos();

private:
    int32_t fInterval = 70;
    int32_t fDistance = 20;
    bool fEnabled = false;
    bool fHasLast = false;
    int64_t fLastTime = 0;
    float fLastX = 0, fLastY = 0;
    QElapsedTimer fClock;
};
