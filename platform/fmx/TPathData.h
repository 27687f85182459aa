#pragma once
#include "platform/rtl/System.Types.h"
#include <QPainterPath>

// A path for FillPath and DrawPath. Angles are degrees and run clockwise on
// the y-down surface (Qt's run the other way; the conversion is done here).
class TPathData
{
public:
    void MoveTo(const TPointF& p);
    void LineTo(const TPointF& p);
    void CurveTo(const TPointF& control1, const TPointF& control2, const TPointF& end);
    // Elliptical arc about center with radii (radius.X, radius.Y). It joins the
    // open figure with a straight line, or starts a new figure when none is open.
    void AddArc(const TPointF& center, const TPointF& radius, float startAngle, float sweepAngle);
    // A closed ellipse inscribed in rect, as a figure of its own.
    void AddEllipse(const TRectF& rect);
    void ClosePath();
    void Clear();

    bool IsEmpty() const { return fPath.isEmpty(); }
    const QPainterPath& ToQt() const { return fPath; }

private:
    QPainterPath fPath;
    bool fOpenFigure = false;  // a figure is open: a new segment continues it
};
