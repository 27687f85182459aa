#pragma once
// Value types of element editing: snap kinds and the snap reference, the
// handles an element shows when selected, and the move types that drag them.
// The numbers are the editor's: it paints each handle kind and picks the move
// type of each grab by them.
#include <cstdint>

// What a snap search looks for.
using TKVRSnap = uint8_t;
namespace KVRSnap {
constexpr TKVRSnap OnElement = 0;      // nearest point of the outline
constexpr TKVRSnap Grid = 1;           // the editor's own; elements find none
constexpr TKVRSnap Middle = 2;         // middle of a segment or an arc
constexpr TKVRSnap Centre = 3;         // centre of a circle, arc, ellipse or box
constexpr TKVRSnap End = 4;            // ends of segments and arcs, corners
constexpr TKVRSnap Reference = 5;      // insertion point of a symbol
constexpr TKVRSnap Cross = 6;          // where two pieces of outline cross
constexpr TKVRSnap Tangent = 7;        // tangent from the reference point
constexpr TKVRSnap Perpendicular = 8;  // foot of the perpendicular from it
}

// Result of a snap search. The search reads the reference point (tangent and
// perpendicular measure from it; −1, −1 is none) and writes the snap point,
// its marker shape and the found flag; the editor writes the pixels and the
// shown flag.
struct TKVRRef
{
    static constexpr uint8_t ShapeSquare = 0;
    static constexpr uint8_t ShapeCircle = 1;
    static constexpr uint8_t ShapeCross = 2;

    int64_t X = 0;  // snap point, micrometres
    int64_t Y = 0;
    int64_t RefX = -1;  // reference point, micrometres
    int64_t RefY = -1;
    int32_t PixelX = 0;  // snap point on the surface
    int32_t PixelY = 0;
    uint8_t Shape = ShapeSquare;
    bool Shown = false;
    bool Found = false;

    bool HasReference() const { return !(RefX == -1 && RefY == -1); }
    void Reset() { *this = TKVRRef{}; }
};

// Handle kinds (selection points).
using TKVRSelKind = uint8_t;
namespace KVRSelKind {
constexpr TKVRSelKind Anchor = 2;      // the point of a one-point element (move 6)
constexpr TKVRSelKind End = 3;         // an end or a measured point (move 6)
constexpr TKVRSelKind Fixed = 4;       // a derived point, shown but not dragged
constexpr TKVRSelKind Vertex = 5;      // a vertex of a point list (move 7, deletable)
constexpr TKVRSelKind Control = 6;     // a Bézier control point (move 4)
constexpr TKVRSelKind Radius = 7;      // a circle's radius (move 5)
constexpr TKVRSelKind SizeTopLeft = 8; // 8..15: the frame's sizing handles (moves 11..18),
constexpr TKVRSelKind SizeTop = 9;     //  top-left, top, top-right, left, right,
constexpr TKVRSelKind SizeTopRight = 10; // bottom-left, bottom, bottom-right
constexpr TKVRSelKind SizeLeft = 11;
constexpr TKVRSelKind SizeRight = 12;
constexpr TKVRSelKind SizeBottomLeft = 13;
constexpr TKVRSelKind SizeBottom = 14;
constexpr TKVRSelKind SizeBottomRight = 15;
constexpr TKVRSelKind LinkEnds = 17;   // a connector's two ends (X, Y and X2, Y2)
constexpr TKVRSelKind LinkPoint = 18;  // a symbol's link point, shown only
constexpr TKVRSelKind Centre = 19;     // a centre, shown only
constexpr TKVRSelKind ArcStart = 20;   // move 2
constexpr TKVRSelKind ArcMiddle = 21;  // move 8
constexpr TKVRSelKind ArcEnd = 22;     // move 9
constexpr TKVRSelKind ArcCentre = 23;  // move 3: the whole circle or arc
constexpr TKVRSelKind Frame = 24;      // the element's bounds (X, Y to X2, Y2), shown only
constexpr TKVRSelKind DimPosition = 26; // a dimension's position point (move 10)
constexpr TKVRSelKind Slider = 27;     // a length along the element's own direction (move 20)
}

// How a grab moves the element.
using TKVRMoveType = uint8_t;
namespace KVRMoveType {
constexpr TKVRMoveType Whole = 1;
constexpr TKVRMoveType ArcStart = 2;
constexpr TKVRMoveType ArcCentre = 3;
constexpr TKVRMoveType Control = 4;
constexpr TKVRMoveType Radius = 5;
constexpr TKVRMoveType Point = 6;
constexpr TKVRMoveType Vertex = 7;
constexpr TKVRMoveType ArcMiddle = 8;
constexpr TKVRMoveType ArcEnd = 9;
constexpr TKVRMoveType DimPosition = 10;
constexpr TKVRMoveType SizeTopLeft = 11;  // 11..18 follow the sizing handles 8..15
constexpr TKVRMoveType SizeBottomRight = 18;
constexpr TKVRMoveType Grid = 19;  // the whole element in grid steps (the document's)
constexpr TKVRMoveType Slider = 20;  // the slider handle (kind 27)
inline bool IsSizing(TKVRMoveType t) { return t >= SizeTopLeft && t <= SizeBottomRight; }
}

// One handle of an element, in micrometres. X2, Y2 are the second point of a
// connector's ends and the far corner of a frame; otherwise X, Y again.
// Index is what the move and delete calls take (a point index, or 0).
struct TKVRSelPoint
{
    int64_t X = 0;
    int64_t Y = 0;
    int64_t X2 = 0;
    int64_t Y2 = 0;
    TKVRSelKind Kind = 0;
    int16_t Index = 0;

    bool operator==(const TKVRSelPoint&) const = default;
};

// Move type of each handle kind that can be dragged; 0 for the others.
inline TKVRMoveType KVRMoveTypeOf(TKVRSelKind aKind)
{
    switch (aKind) {
    case KVRSelKind::Anchor:
    case KVRSelKind::End: return KVRMoveType::Point;
    case KVRSelKind::Vertex: return KVRMoveType::Vertex;
    case KVRSelKind::Control: return KVRMoveType::Control;
    case KVRSelKind::Radius: return KVRMoveType::Radius;
    case KVRSelKind::ArcStart: return KVRMoveType::ArcStart;
    case KVRSelKind::ArcMiddle: return KVRMoveType::ArcMiddle;
    case KVRSelKind::ArcEnd: return KVRMoveType::ArcEnd;
    case KVRSelKind::ArcCentre: return KVRMoveType::ArcCentre;
    case KVRSelKind::DimPosition: return KVRMoveType::DimPosition;
    case KVRSelKind::Slider: return KVRMoveType::Slider;
    default:
        if (aKind >= KVRSelKind::SizeTopLeft && aKind <= KVRSelKind::SizeBottomRight)
            return TKVRMoveType(KVRMoveType::SizeTopLeft + (aKind - KVRSelKind::SizeTopLeft));
        return 0;
    }
}
