#pragma once
// Small value types of the element model shared by the runtime package and
// the element classes that derive from it.
#include <cstdint>

// Dash pattern of a line: 0 solid, 1 to 11 dashes and dots; higher values
// are kept as they are and paint solid.
using TVXLineType = uint8_t;

// Line-end marker: 0 none, 1 to 11 circles, arrows, squares, diamonds, strokes.
using TKVRTermType = uint8_t;

// Editor highlight of an element: 0 normal, 1 and 2 fixed dash patterns.
using TKVRItemState = uint8_t;

// Where a caption sits against its line: 0 to 2 above (start, centre, end),
// 3 to 5 in a gap of the line, 6 to 8 below.
using TKVRTextPos = uint8_t;
inline bool IsGapTextPos(TKVRTextPos aPos)
{
    return aPos >= 3 && aPos <= 5;
}

// Dimension kinds: 0 aligned, 1 horizontal, 2 vertical, 3 radius,
// 4 radius with a leader, 5 diameter, 6 diameter with a leader, 7 angle.
using TVXDimType = uint8_t;
namespace KVRDimType {
constexpr TVXDimType Aligned = 0;
constexpr TVXDimType Horizontal = 1;
constexpr TVXDimType Vertical = 2;
constexpr TVXDimType Radial1 = 3;
constexpr TVXDimType Radial2 = 4;
constexpr TVXDimType Diameter1 = 5;
constexpr TVXDimType Diameter2 = 6;
constexpr TVXDimType Angular = 7;
inline bool IsLinear(TVXDimType t) { return t <= Vertical; }
}

// Why an element is read: from a file or single-element stream, pasted,
// or as the per-cell copy of a data-bound element.
using TKVRReadType = uint8_t;
namespace KVRReadType {
constexpr TKVRReadType File = 0;
constexpr TKVRReadType Paste = 1;
constexpr TKVRReadType CellCopy = 2;
}

// Level gauge kinds: 0 and 1 filled circle, 2 ring open at the bottom, 3 open at the right.
using TKVRLevelType = uint8_t;

// Package box styles 0 to 5.
using TKVRPackageStyle = uint8_t;

// How a move treats the element; no option is defined yet.
using TKVRMoveOpt = uint8_t;

// Element kind codes of the binary and JSON files.
namespace KVRItemKind {
constexpr int32_t Point = 1;
constexpr int32_t Line = 2;
constexpr int32_t ArrowLine = 3;
constexpr int32_t PolyLine = 4;
constexpr int32_t Arc = 5;
constexpr int32_t Rectangle = 6;
constexpr int32_t Polygon = 7;
constexpr int32_t Circle = 8;
constexpr int32_t Ellipse = 9;
constexpr int32_t Text = 10;
constexpr int32_t Paragraph = 11;
constexpr int32_t Barcode = 12;
constexpr int32_t PDF417 = 13;
constexpr int32_t DataMatrix = 14;
constexpr int32_t QRCode = 15;
constexpr int32_t Image = 16;
constexpr int32_t Flow = 17;
constexpr int32_t Link = 18;
constexpr int32_t Table = 19;
constexpr int32_t PolyText = 20;
constexpr int32_t Rank = 21;
constexpr int32_t NutriScore = 22;
constexpr int32_t Level = 23;
constexpr int32_t Symbol = 24;
constexpr int32_t Bezier = 25;
constexpr int32_t Dim = 26;
constexpr int32_t Sector = 27;
constexpr int32_t Package = 28;
constexpr int32_t RichText = 29;
// The kind a stored code selects: only its low byte counts; 0 when none.
inline int32_t FromCode(int64_t aCode)
{
    const int32_t k = int32_t(aCode & 0xFF);
    return (k >= Point && k <= RichText) ? k : 0;
}
}

// Coordinates and radii in micrometres lie within +-2^53 (9 million km):
// sums and differences of two of them then fit 64 bits, and doubles hold
// them to the micrometre. Anything beyond is damage, or a circle so large
// that no drawing can tell it from a straight line.
constexpr int64_t KVRMaxCoordinate = int64_t(1) << 53;

// A caller's coordinate held to the range, and the move between two caller
// values held to twice the range (the widest move between two held points),
// computed without overflow for any 64-bit input.
constexpr int64_t KVRHeldCoordinate(int64_t aValue)
{
    return aValue < -KVRMaxCoordinate ? -KVRMaxCoordinate : (aValue > KVRMaxCoordinate ? KVRMaxCoordinate : aValue);
}

constexpr int64_t KVRHeldDifference(int64_t aTo, int64_t aFrom)
{
    const __int128 d = __int128(aTo) - __int128(aFrom);
    const __int128 lim = 2 * __int128(KVRMaxCoordinate);
    return int64_t(d > lim ? lim : (d < -lim ? -lim : d));
}

// Version of the element records that this package writes; streams without
// label data are read with it.
constexpr int32_t KVRFileVersion = 3100;

// Bounding extent collected point by point. Whether a bound is set is a
// flag, so that any coordinate, -1 included, is a valid bound.
struct TKVRExtent
{
    int64_t MinX = 0;
    int64_t MaxX = 0;
    int64_t MinY = 0;
    int64_t MaxY = 0;
    bool Assigned = false;

    void Include(int64_t aX, int64_t aY)
    {
        if (!Assigned) {
            MinX = MaxX = aX;
            MinY = MaxY = aY;
            Assigned = true;
            return;
        }
        if (aX < MinX) MinX = aX;
        if (aX > MaxX) MaxX = aX;
        if (aY < MinY) MinY = aY;
        if (aY > MaxY) MaxY = aY;
    }
    // A point widened by a half width on every side.
    void IncludeWide(int64_t aX, int64_t aY, int64_t aHalf)
    {
        Include(aX - aHalf, aY - aHalf);
        Include(aX + aHalf, aY + aHalf);
    }
};
