#pragma once
// Small records the editor and the document pass through the edit calls.
#include "platform/rtl/geometry/TKVRPto.h"
#include "platform/rtl/model/KVR.Model.Edit.h"
#include "platform/rtl/model/TKVRBaseDraw.h"
#include <cstdint>

class TKVRBaseItem;

// Keys and buttons held during a pointer or key event, as bits.
using TShiftState = uint16_t;
namespace KVRShift {
constexpr TShiftState ssShift = 1 << 0;
constexpr TShiftState ssAlt = 1 << 1;
constexpr TShiftState ssCtrl = 1 << 2;
constexpr TShiftState ssLeft = 1 << 3;
constexpr TShiftState ssRight = 1 << 4;
constexpr TShiftState ssMiddle = 1 << 5;
constexpr TShiftState ssDouble = 1 << 6;
}

// Directions of a resize of the selection by the keyboard.
namespace KVRMoveOpt {
constexpr uint8_t Left = 1;
constexpr uint8_t Right = 2;
constexpr uint8_t Up = 3;
constexpr uint8_t Down = 4;
}

// The node anchor under the pointer while a connector is drawn. Positions are
// 64-bit: a large sheet at a small scale spans more than 2^31 micrometres.
struct TVXLink
{
    int32_t Node = 0;              // numeric id of the node
    int16_t AnchorA = 0, AnchorB = 0; // anchor at the connector's start and end
    int64_t X = 0, Y = 0;          // the anchor, micrometres
    uint8_t LinkType = 0;
    bool Found = false;

    // aAll forgets the node and both anchors; aKeepType keeps the link type.
    void Reset(bool aAll, bool aKeepType)
    {
        X = Y = 0;
        Found = false;
        if (aAll) {
            Node = 0;
            AnchorA = AnchorB = 0;
        }
        if (!aKeepType)
            LinkType = 0;
    }
};

// One handle of the selection as the editor paints and grabs it: positions in
// the document's unit, a kind (README: selection points), its element and index.
struct TKVRSInfo
{
    float X = 0, Y = 0, X2 = 0, Y2 = 0;
    uint8_t Kind = 0;
    TKVRBaseItem* Owner = nullptr;
    int16_t Index = 0;
};

// A reference line shown while the selection moves: where one of its edges
// or its centre lines up with another element's, micrometres.
struct TKVRRefLine
{
    int64_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;

    float DrawX1(const TKVRBaseDraw* d) const { return d->GetDrawX(X1); }
    float DrawY1(const TKVRBaseDraw* d) const { return d->GetDrawY(Y1); }
    float DrawX2(const TKVRBaseDraw* d) const { return d->GetDrawX(X2); }
    float DrawY2(const TKVRBaseDraw* d) const { return d->GetDrawY(Y2); }
};
