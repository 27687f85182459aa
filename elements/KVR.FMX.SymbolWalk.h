#pragma once
// One walk over a library symbol's items for the screen and the printer:
// state items change the drawing configuration, shape items become calls on
// a surface in pixels of the context (the caller's transform places, scales
// and turns them). Both canvases thus follow the same rules: what is filled,
// what is outlined, how paths join, which pen width applies.
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/model/TKVRDrawConf.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/System.UITypes.h"
#include <cstdint>
#include <vector>

class TKVRBaseDraw;
class TKVRBaseLibSymbol;
class TKVRSymText;

// A stroke: the width is paper millimetres (already divided by the symbol's
// scale when the pen does not scale with it); each canvas turns it into its pixels.
struct TKVRSymPen
{
    float WidthMm = 0.0f;
    bool RoundCap = false;
    TAlphaColor Color = 0;
    TVXLineType LineType = 0;
};

// One step of a path in context pixels; angles in degrees, clockwise on screen.
struct TKVRSymPathOp
{
    enum class TKind : uint8_t { Move, Line, Cubic, Arc, Close };
    TKind Kind = TKind::Move;
    TPointF P[3];
    TRectF Oval;         // Arc: the circle's box
    float Start = 0.0f;  // Arc
    float Sweep = 0.0f;  // Arc
    bool NewFigure = false;  // Arc: starts a figure instead of joining the current point by a line
};
using TKVRSymPathData = std::vector<TKVRSymPathOp>;

class TKVRSymSurface
{
public:
    virtual ~TKVRSymSurface() = default;
    // Open strokes.
    virtual void Line(const TPointF& aFrom, const TPointF& aTo, const TKVRSymPen& aPen) = 0;
    virtual void Arc(const TRectF& aOval, float aStart, float aSweep, const TKVRSymPen& aPen) = 0;
    // Shapes: filled when aFill is set, then outlined when aPen is set.
    virtual void Oval(const TRectF& aBox, const TAlphaColor* aFill, const TKVRSymPen* aPen) = 0;
    // Square corners when both radii are 0.
    virtual void Rect(const TRectF& aBox, float aRadiusX, float aRadiusY, const TAlphaColor* aFill,
                      const TKVRSymPen* aPen) = 0;
    virtual void Path(const TKVRSymPathData& aPath, const TAlphaColor* aFill, const TKVRSymPen* aPen) = 0;
    // A text anchored at aAt (pixels) in the configuration's font.
    virtual void Text(const TKVRSymText& aItem, const TPointF& aAt, const TKVRDrawConf& aConf) = 0;
};

// Walks the items in order. A symbol scale outside KVRSymPaintableScale
// (0 or less, not a number) paints nothing. The path state starts closed; a path still open
// at the end is dropped.
void WalkSymbol(const TKVRBaseLibSymbol& aSymbol, const TKVRBaseDraw* aDraw, TKVRDrawConf& aConf, float aScale,
                TKVRSymSurface& aSurface);

// Top-left corner of a text box w x h aligned about (x, y) (0 left/top, 1
// centre, 2 right/bottom) and turned with the text by -aAngle degrees about it.
TPointF SymTextCorner(float aX, float aY, float aW, float aH, uint8_t aHorz, uint8_t aVert, float aAngle);

// The shapes of path-building items alone, in context pixels: a polyline's
// or Bezier curve's points (closed by its flag), a sector's slice.
class TKVRSymItem;
TKVRSymPathData SymPolylinePath(const TKVRSymItem& aItem, const TKVRBaseDraw* aDraw);
TKVRSymPathData SymBezierPath(const TKVRSymItem& aItem, const TKVRBaseDraw* aDraw);
TKVRSymPathData SymSectorPath(const TKVRSymItem& aItem, const TKVRBaseDraw* aDraw);
