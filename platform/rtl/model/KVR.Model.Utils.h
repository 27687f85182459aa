#pragma once
// Conversions and text placement that the element painters share.
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/geometry/TKVRPto.h"
#include <QString>
#include <cstdint>

class TKVRBaseDraw;

// A computed coordinate (micrometres) rounded and held far inside the 64-bit
// range, so that widening it by a pen or a marker cannot overflow.
int64_t KVRHeldExtent(double aValue);
// Widens aExtent by a circular arc (centre and radius in micrometres; start
// and sweep in radians, clockwise from +x on the y-down page, a positive
// sweep clockwise): its two ends and each axis extreme it passes, each by aHalf.
void KVRIncludeArc(TKVRExtent& aExtent, double aCX, double aCY, double aRadius, double aStart, double aSweep,
                   int64_t aHalf);

// A model length in micrometres to pixels of the context (drawing scale
// applied), and to whole printer units (halves to even).
float DrawFromBaseX(int64_t aValue, const TKVRBaseDraw* aDraw);
float DrawFromBaseY(int64_t aValue, const TKVRBaseDraw* aDraw);
int32_t PrintFromBaseX(int64_t aValue, const TKVRBaseDraw* aDraw);
int32_t PrintFromBaseY(int64_t aValue, const TKVRBaseDraw* aDraw);

// A position on paper: the cell origin plus a printed coordinate, summed in
// 64 bits (or double) and held to the device's 32-bit range, so a point the
// readers accept but no page reaches is clipped at the range, never wrapped.
// The whole forms take PrintX/PrintY or PrintFromBase values; the fractional
// forms take DrawX/DrawY or GetDrawX/GetDrawY values (NaN reads as 0).
int32_t PrintCellX(const TKVRBaseDraw* aDraw, int64_t aValue);
int32_t PrintCellY(const TKVRBaseDraw* aDraw, int64_t aValue);
float PaperCellX(const TKVRBaseDraw* aDraw, double aValue);
float PaperCellY(const TKVRBaseDraw* aDraw, double aValue);
// A printed length (radius, half size) held to the device's range: a value
// beyond it, or NaN, is not a length any page shows.
float PaperLength(double aValue);
// The point of a document point on paper, both forms, origin added.
TPointF PrintCellAt(const TKVRPto& aPoint, const TKVRBaseDraw* aDraw);
TPointF PaperCellAt(const TKVRPto& aPoint, const TKVRBaseDraw* aDraw);

// Rotation of a quarter turn on paper, in radians: -pi/2 per step; 0 for
// values from 4 up.
double PrintAngle(TKVRAngle aAngle);

// Where a caption of a line goes (PosBaseLinesText), in model micrometres.
struct TKVRLineText
{
    TKVRPto GapStart;   // the part of the line the caption leaves free
    TKVRPto GapEnd;
    int64_t TextX = 0;  // start of the baseline
    int64_t TextY = 0;
    int64_t PrintX = 0; // top-left corner of the caption box
    int64_t PrintY = 0;
    float Angle = 0.0f; // radians, clockwise on screen
};

// Lays a caption of the given height, width, ascent and descent along the
// line (x1, y1)-(x2, y2). The caption always reads left to right (a line
// drawn right to left, or straight down, is read from its other end).
// aPos: 0, 1, 2 above the line at its start, middle and end; 3, 4, 5 on the
// line, in a gap; 6, 7, 8 below; other values as 1. The clearance between
// line and caption is a quarter of the height. The gap is the caption's
// width plus the clearance on both sides, kept within the line. A caption
// in the gap at the start or end (3, 5) also keeps aStartClear or aEndClear
// (the lengths of the marks at (x1, y1) and (x2, y2)) free.
TKVRLineText PosBaseLinesText(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aHeight, int64_t aWidth,
                              int64_t aAscent, int64_t aDescent, TKVRTextPos aPos, int64_t aStartClear = 0,
                              int64_t aEndClear = 0);

// Top-left corner at which a box of w x h starts when it is aligned about
// (aX, aY) with margins (aMarginX, aMarginY) and turned about (aPivotX,
// aPivotY) by a quarter turn: left alignment starts the box aMarginX after
// the point, right ends it aMarginX before, centre centres it (no margin);
// top, bottom and centre likewise down the box. The corner is the one the
// canvas is moved to before it is turned.
TPointF DrawPos(float aPivotX, float aPivotY, float aX, float aY, float aMarginX, float aMarginY, float aWidth,
                float aHeight, TKVRHorzAlign aHorz, TKVRVertAlign aVert, TKVRAngle aAngle);
// DrawPos turned about the point itself.
TPointF DrawTxtPos(float aX, float aY, float aMarginX, float aMarginY, float aWidth, float aHeight,
                   TKVRHorzAlign aHorz, TKVRVertAlign aVert, TKVRAngle aAngle);
// The same in whole printer units; half sizes are taken with integer division.
void PrintTxtPos(int32_t aX, int32_t aY, int32_t aMarginX, int32_t aMarginY, int32_t aWidth, int32_t aHeight,
                 TKVRHorzAlign aHorz, TKVRVertAlign aVert, TKVRAngle aAngle, int32_t& oX, int32_t& oY);
// A box whose top-left corner is its anchor, moved by the alignment (no
// margins) and turned about the anchor; the result is normalised.
void AdjustRect(TRectF& aRect, TKVRHorzAlign aHorz, TKVRVertAlign aVert, TKVRAngle aAngle);


// Corner of the text frame of a row of items aWidth x aHeight whose box (the
// row and its paddings) is aligned about (aX, aY) as DrawPos aligns it, and
// turned about that point: the point the canvas is moved to before it turns.
TPointF DrawPolyPos(float aX, float aY, float aPadX, float aPadY, float aWidth, float aHeight, TKVRHorzAlign aHorz,
                    TKVRVertAlign aVert, TKVRAngle aAngle);
// A box whose top-left corner is its anchor (paddings included in its size)
// placed as AdjustRect places it; returns the corner of its text frame, in
// the same coordinates as the anchor (no origin is added).
TPointF AdjustRectPos(TRectF& aRect, float aPadX, float aPadY, TKVRHorzAlign aHorz, TKVRVertAlign aVert,
                      TKVRAngle aAngle);
