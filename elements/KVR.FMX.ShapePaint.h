#pragma once
// Painting steps that several shape and line elements share: the line paint,
// the chain of a polyline or polygon, line-end marks, the rectangle frame,
// the oval and a caption laid along a line. What every element shares is in
// KVR.FMX.ElementPaint.h, included here.
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/fmx/FMX.Types.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/geometry/TKVRPto.h"
#include "platform/skia/TSkPath.h"
#include <QString>
#include <cstdint>
#include <vector>

class TKVR2DItem;
class TKVRBaseItem;
class TKVRDraw;

// The shared paint set for a line: its colour, butt caps and a stroke width
// of aPenWidth millimetres.
void SetLinePaint(TKVRDraw* aDraw, TAlphaColor aColor, float aPenWidth);

// Every point of an element joined by straight lines on screen, closed or
// open; empty without points. The same points on paper.
ISkPath ChainPath(const TKVRBaseItem& aItem, const TKVRDraw* aDraw, bool aClosed);
std::vector<TPointF> PaperPoints(const TKVRBaseItem& aItem, const TKVRDraw* aDraw);

// Half size of a line-end mark of aSize millimetres, in pixels and in whole
// printer units. A size beyond any page is held to 10,000 pixels (at 1200
// dpi a mark 42 cm across): the canvases stay quick and the marks' integer
// arithmetic cannot overflow.
float MarkHalf(float aSize, const TKVRDraw* aDraw);
int32_t PrintMarkHalf(float aSize, const TKVRDraw* aDraw);

// Both marks of a line, arrow opening 8: the start mark on aStart, its arrow
// pointing away from aStartNext, the end mark on aEnd away from aEndPrev. With
// aByAngle the X of aStartNext and aEndPrev is instead the direction of the
// mark in radians. On screen the outline takes aLineColor; on paper only the
// kinds other than 0 are printed, each with a solid fill in its colour.
void DrawLineEnds(TKVRDraw* aDraw, TAlphaColor aLineColor, const TKVRLineEnds& aEnds, const TPointF& aStart,
                  const TPointF& aStartNext, const TPointF& aEnd, const TPointF& aEndPrev, bool aByAngle = false);
void PrintLineEnds(TKVRDraw* aDraw, const TKVRLineEnds& aEnds, const TPointF& aStart, const TPointF& aStartNext,
                   const TPointF& aEnd, const TPointF& aEndPrev, bool aByAngle = false);

// The screen frame of a rectangle (and of a package box): filled in the back
// colour when filled with an alpha above 0, outlined in its line type when
// the pen width is above 0. An unfilled frame's line lies wholly inside aBox,
// a filled one is centred on it. Corners are square unless aRound, then of
// the radius aBaseRadius micrometres. The paint is reset (no dash,
// antialiased) even when there is nothing to draw.
void DrawRectFrame(TKVRDraw* aDraw, const TKVR2DItem& aItem, const TRectF& aBox, bool aRound, int32_t aBaseRadius);
// The paper frame of a rectangle: the fill whatever the alpha, the outline in
// its line type, corners of aRadius printer units (square when 0).
void PrintRectFrame(TKVRDraw* aDraw, const TKVR2DItem& aItem, float aRadius);

// The oval inscribed in the box of points 1 and 2 (circle, ellipse, whole
// sector): filled in the back colour when filled (on screen only with an
// alpha above 0), outlined in the line colour when the pen width is above 0.
// The outline is centred on the box. On paper the fill is not edged by a pen
// that another element left on the canvas.
void DrawOvalShape(TKVRDraw* aDraw, const TKVR2DItem& aItem);
void PrintOvalShape(TKVRDraw* aDraw, const TKVR2DItem& aItem);

// A caption's measured paper width scaled into the model (micrometres),
// held within the 32 bits the model keeps it in.
int32_t ScaledCaptionWidth(int32_t aWidth, int32_t aScale);

// Length in model micrometres that a line-end mark of that kind and size
// (paper millimetres) covers along its line; 0 for no mark.
int64_t MarkLength(TKVRTermType aKind, float aSize, int32_t aScale);

// A caption that the model laid out along a line: the baseline start on
// screen and the box's top-left corner on paper, both in model micrometres,
// turned by Angle radians.
struct TKVRLineCaption
{
    QString Text;
    QString FontName;
    TAlphaColor Color = 0;
    float Height = 0.0f;  // millimetres
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;  // paper only
    double Ratio = 1.0;      // font size per height
    TKVRPto Anchor;
    TKVRPto PrintAnchor;
    float Angle = 0.0f;
    int32_t DrawScale = 1;
};
void DrawLineCaption(TKVRDraw* aDraw, const TKVRLineCaption& aCaption);
void PrintLineCaption(TKVRDraw* aDraw, const TKVRLineCaption& aCaption);
