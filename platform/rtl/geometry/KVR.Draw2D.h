#pragma once
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/System.Types.h"
#include <array>
#include <cstdint>
#include <vector>

struct TKVRRect;
struct TKVRPto;

// Plane geometry for the painters, in pixels or printer units (y grows downwards).
class TDraw2D
{
public:
    // Back corners of an arrow head whose tip is (aTipX, aTipY) and which points
    // from (aFromX, aFromY) towards the tip. aLength is the length of each side;
    // aOpen is the half-angle between a side and the line, in degrees (8 gives a
    // slim head). Looking along the arrow, (oX1, oY1) is the corner on the left.
    // A from-point on the tip points the head along +x.
    static void DrawArrow(float aFromX, float aFromY, float aTipX, float aTipY, int32_t aLength,
                          float& oX1, float& oY1, float& oX2, float& oY2, float aOpen);
    // The same for a head pointing in the direction aAngle (radians, clockwise on
    // the y-down surface from +x: the direction of travel at the tip).
    static void DrawArrow(float aTipX, float aTipY, float aAngle, int32_t aLength,
                          float& oX1, float& oY1, float& oX2, float& oY2, float aOpen);

    // The segment (x1, y1)-(x2, y2) moved sideways by aDistance: a positive
    // distance moves it to the right looking from the first point to the
    // second on the y-down surface, a negative one to the left.
    static void DrawParallelLine(float aX1, float aY1, float aX2, float aY2, float aDistance,
                                 float& oX1, float& oY1, float& oX2, float& oY2);
    // The end points of a tick of half length aHalf through (aX, aY), slanted
    // by 45 degrees against the line from (aFromX, aFromY): DrawLeft turns it
    // clockwise on screen (a backslash on a level line), DrawRight the other way ("/").
    static void DrawLeft(float aFromX, float aFromY, float aX, float aY, int32_t aHalf,
                         float& oX1, float& oY1, float& oX2, float& oY2);
    static void DrawRight(float aFromX, float aFromY, float aX, float aY, int32_t aHalf,
                          float& oX1, float& oY1, float& oX2, float& oY2);

    // A rectangle turned about a point by a quarter turn (-90 degrees per step,
    // as the canvas turns on screen); the result is normalised (Left <= Right,
    // Top <= Bottom). Angles other than 1, 2 and 3 return it unchanged.
    static TRectF Rotate(const TRectF& aRect, const TPointF& aCentre, TKVRAngle aAngle);

    // A point turned about a centre by a quarter turn, exactly.
    static TPointF RotatePoint(const TPointF& aPoint, const TPointF& aCentre, TKVRAngle aAngle);
    // A point turned about a centre by degrees, clockwise on the y-down surface
    // (the canvas convention): RotatePoint(p, c, -90) equals the quarter turn 1.
    static TPointF RotatePoint(const TPointF& aPoint, const TPointF& aCentre, float aDegrees);

    // ---- circles, arcs and outlines (KVR.Draw2D.Geometry.cpp)
    // Angles are radians, clockwise from +x on the y-down surface, unless said.

    // An angle brought into [0, 2 pi).
    static double NormalizeAngle(double aAngle);
    // Circle with the segment (x1, y1)-(x2, y2) as its diameter; false when the points coincide.
    static bool CircleTwoPoints(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2,
                                int64_t& oCX, int64_t& oCY, int64_t& oRadius);
    // Circle through three points; false (outputs untouched) when they are collinear
    // or two of them coincide.
    static bool CircleThreePoints(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3,
                                  int64_t& oCX, int64_t& oCY, int64_t& oRadius);
    // Arc from the first point through the second to the third: centre and radius
    // (rounded to whole units), start and end angle, signed sweep (positive runs
    // clockwise on screen) and oFlag = the arc runs counter-clockwise. False
    // (outputs untouched) when the points allow no arc.
    static bool ArcThreePoints(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3,
                               int64_t& oCX, int64_t& oCY, int64_t& oRadius,
                               double& oStart, double& oEnd, double& oSweep, bool& oFlag);
    // Start and sweep, in degrees, of the circular segment that covers aShare
    // (clamped to 0..1) of a circle's area, closed by its chord. The segment
    // grows from the bottom; aInvert makes it grow from the top (or the right),
    // aVertical from the left (or the right) with an upright chord.
    static void AngleSegment(double aShare, bool aInvert, bool aVertical, float& oStart, float& oSweep);
    // Largest rectangle of proportions aLength : aWidth (aLength across) centred
    // in aRect; an empty rectangle at aRect's centre when a size is not positive.
    static TRectF CenteredRect(double aLength, double aWidth, const TRectF& aRect);
    static TKVRRect CenteredRect(double aLength, double aWidth, const TKVRRect& aRect);
    // Outline of a straight slot: the centre line (x1, y1)-(x2, y2) widened by
    // aWidth / 2 on each side, as four corners in drawing order (start left,
    // end left, end right, start right, looking from start to end).
    static std::array<TPointF, 4> CalculateSlotPolygon(float aX1, float aY1, float aX2, float aY2, float aWidth);

    // ---- connector curves (KVR.Draw2D.Curves.cpp), document micrometres

    // Control points of a cubic curve from aFrom to aTo that leaves and meets
    // each end square to the side its anchor index names (1 up, 2 right,
    // 3 down, 4 left; any other index heads for the other end), each half the
    // distance between the ends away from its end.
    static void CurvePoints(const TKVRPto& aFrom, const TKVRPto& aTo, uint16_t aFromIndex, uint16_t aToIndex,
                            TKVRPto& oControl1, TKVRPto& oControl2);
    // The cubic (p0, p1, p2, p3) split into aParts equal-parameter pieces: for
    // each piece its two control points and its end point (3 x aParts points,
    // the last one p3).
    static std::vector<TKVRPto> SplitCubic(const TKVRPto& p0, const TKVRPto& p1, const TKVRPto& p2,
                                           const TKVRPto& p3, int32_t aParts);

    // ---- editing (KVR.Draw2D.Edit.cpp)
    // The pointer (aX, aY) lies on the square handle at (aPX, aPY) of half-side aRadius pixels.
    static bool CursorOnPosS(int32_t aPX, int32_t aPY, int32_t aRadius, float aX, float aY);
    // The dimension line a linear dimension over (x1, y1)-(x2, y2) placed at
    // (x3, y3) gets (CalcDimPoints chooses its kind the same way). The line
    // does not depend on aDistance, which the editor passes along.
    static void DrawParalLine(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3,
                              int64_t aDistance, int64_t& oX1, int64_t& oY1, int64_t& oX2, int64_t& oY2);
};

// Euclidean distance of two points.
float Distance(float aX1, float aY1, float aX2, float aY2);
