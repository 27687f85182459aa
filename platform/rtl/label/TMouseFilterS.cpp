#include "platform/rtl/label/TMouseFilterS.h"

TMouseFilterS::TMouseFilterS()
{
    fClock.start();
}

void TMouseFilterS::SetEnabled(bool aValue)
{
    fEnabled = aValue;
    ResetPos();
}

bool TMouseFilterS::FilterMouseMove(TShiftState, float x, float y)
{
    return FilterMouseMoveAt(fClock.elapsed(), x, y);
}

bool TMouseFilterS::FilterMouseMoveAt(int64_t aMilliseconds, float x, float y)
{
    if (!fEnabled)
        return true;
    const float dx = x - fLastX, dy = y - fLastY;
    const bool far = dx * dx + dy * dy >= float(fDistance) * float(fDistance);
    if (fHasLast && aMilliseconds - fLastTime < fInterval && !far)
        return false;
    fHasLast = true;
    fLastTime = aMilliseconds;
    fLastX = x;
    fLastY = y;
    return true;
}

void TMouseFilterS::ResetPos()
{
    fHasLast = false;
}
