#include "platform/rtl/label/TKVRAct.h"
#include <stdexcept>

const TKVRPto& TAct::At(int32_t aIndex) const
{
    if (aIndex < 0 || aIndex >= NumPoints())
        throw std::out_of_range("Action point index out of range");
    return fPoints[size_t(aIndex)];
}

void TAct::SetLastPoint(int64_t aX, int64_t aY)
{
    if (fPoints.empty())
        AddPoint(aX, aY);
    else
        fPoints.back() = {aX, aY};
}

void TAct::SetMove(uint8_t aMoveType, int16_t aIndex)
{
    fMoveType = aMoveType;
    fPos1 = aIndex;
    // A handle grabbed while selecting starts the drag that moves it.
    if (fCurAction == ActSelect) {
        ++fDragSerial;
        fCurAction = ActDrag;
        fCurState = 0;
        fDrawType = 0;
        fCurEditor = true;
        fPoints.clear();
    }
}

void TAct::SetCurAction(uint8_t aAction)
{
    // Writing, editing and pressing a text are one editing: its state stays.
    const auto text = [](uint8_t a) { return a == ActWriteText || a == ActEditText || a == ActPressText; };
    const bool sameText = text(fCurAction) && text(aAction) && fCurState == 11;
    if (aAction == ActDrag)
        ++fDragSerial;
    fCurAction = aAction;
    fMoveType = 0;
    fCurEditor = false;
    fPoints.clear();
    if (sameText) {
        // Pressed, the text moves like any element until the button is up.
        if (aAction == ActPressText) {
            fMoveType = 1;
            fCurEditor = true;
        }
        return;
    }
    fCurState = 0;
    fDrawType = 0;
}

void TAct::Reset()
{
    SetCurAction(ActSelect);
    fPos1 = 0;
    fText.clear();
    fParam = 0;
}
