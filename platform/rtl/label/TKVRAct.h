#pragma once
// The state of the edit action a document is running. Each document holds
// its own, so two editors never share one; the action, state, draw-type and
// move-type numbers are listed in platform/rtl/README.md.
#include "platform/rtl/geometry/TKVRPto.h"
#include <QString>
#include <cstdint>
#include <vector>

class TAct
{
public:
    // Actions the editor and the elements compare with.
    static constexpr uint8_t ActNone = 0;
    static constexpr uint8_t ActSelect = 1;
    static constexpr uint8_t ActDrag = 2;
    static constexpr uint8_t ActWriteText = 15;
    static constexpr uint8_t ActEditText = 16;
    static constexpr uint8_t ActPressText = 17;
    static constexpr uint8_t ActSymbol = 20;
    static constexpr uint8_t ActLink = 30;
    static constexpr uint8_t ActPolyLink = 31;

    uint8_t fCurAction = ActSelect;
    uint8_t fCurState = 0;
    uint8_t fDrawType = 0;   // rubber band, 0 none
    uint8_t fMoveType = 0;   // what a drag moves, 0 nothing
    int16_t fPos1 = 0;       // index of the grabbed point, 0 none
    bool fCurEditor = false; // an element is being dragged or edited
    QString fText;           // the text being written
    uint8_t fCurLinkType = 0;
    // Extra of the action: flow type of a node, kind of a code.
    int32_t fParam = 0;
    // Counts the drags begun: what was kept at one drag's start is never
    // taken for another's.
    uint32_t fDragSerial = 0;

    // Points collected by the running action, counted from 0.
    int32_t NumPoints() const { return int32_t(fPoints.size()); }
    int64_t GetPointX(int32_t aIndex) const { return At(aIndex).X; }
    int64_t GetPointY(int32_t aIndex) const { return At(aIndex).Y; }
    const TKVRPto& GetPoint(int32_t aIndex) const { return At(aIndex); }
    const std::vector<TKVRPto>& GetPoints() const { return fPoints; }
    void AddPoint(int64_t aX, int64_t aY) { fPoints.push_back({aX, aY}); }
    void SetLastPoint(int64_t aX, int64_t aY);
    void ClearPoints() { fPoints.clear(); }

    // A grabbed handle: the drag that follows moves by aMoveType; aIndex names the point.
    void SetMove(uint8_t aMoveType, int16_t aIndex);
    // Another action from its first state; collected points are dropped.
    void SetCurAction(uint8_t aAction);
    void SetState(uint8_t aState) { fCurState = aState; }
    // Back to selecting, nothing grabbed or collected.
    void Reset();

private:
    const TKVRPto& At(int32_t aIndex) const;
    std::vector<TKVRPto> fPoints;
};
