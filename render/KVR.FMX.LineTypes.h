#pragma once
// Line types (dash patterns) and line-end markers on the screen, on the
// printer and in the small samples of the pickers.
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/System.UITypes.h"
#include <cstdint>

class TKVRDraw;
class TCanvas;

// Sets the context's paint to stroke with the dash of the line type. In the
// editor (draw states 0 and 1) the item states 1 and 2 replace it with 12, 6
// and 4, 2 pixels; other states keep the line type. Unknown line types
// stroke solid.
void AdjustLineType(TKVRDraw* aDraw, TVXLineType aLineType, TKVRItemState aState);

// Sets the printer stroke's thickness to aPenWidth and its dash to the line
// type's nominal pattern in units of that width. A pen width that is not
// positive gives the thinnest solid line (thickness 0); unknown line types a
// solid stroke.
void AdjustPrintLineType(TKVRDraw* aDraw, float aPenWidth, TVXLineType aLineType);

// A line-end marker of half size aHalf (pixels) on the end point (aX, aY),
// never dashed. Arrow heads point from (aX2, aY2) to the end point, or, with
// aByAngle, along the direction aX2 (radians); aOpen is their opening. Other
// markers keep to the page axes. Leaves the paint without a path effect.
void DrawTermType(TKVRDraw* aDraw, TKVRTermType aKind, TAlphaColor aLineColor, TAlphaColor aFillColor, float aHalf,
                  float aX, float aY, float aX2, float aY2, int16_t aOpen, bool aByAngle);

// The same marker on the printer canvas with its current brushes (the caller
// sets the colours); aHalf in whole printer units. Leaves the stroke solid.
void PrintTermType(TKVRDraw* aDraw, TKVRTermType aKind, const TPointF& aEnd, const TPointF& aOther, int32_t aHalf,
                   int16_t aOpen, bool aByAngle);

// A sample of a line-end kind centred in aRect, for the pickers' rows.
void DrawTerm(TCanvas& aCanvas, const TRectF& aRect, TKVRTermType aKind, TAlphaColor aLineColor,
              TAlphaColor aFillColor);
