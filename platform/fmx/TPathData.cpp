#include "platform/fmx/TPathData.h"
#include <algorithm>

namespace {
QRectF ArcRect(const TPointF& center, const TPointF& radius)
{
    return QRectF(center.X - radius.X, center.Y - radius.Y, 2.0 * radius.X, 2.0 * radius.Y);
}
}

void TPathData::MoveTo(const TPointF& p)
{
    fPath.moveTo(p.ToQt());
    fOpenFigure = true;
}

void TPathData::LineTo(const TPointF& p)
{
    fPath.lineTo(p.ToQt());
    fOpenFigure = true;
}

void TPathData::CurveTo(const TPointF& control1, const TPointF& control2, const TPointF& end)
{
    fPath.cubicTo(control1.ToQt(), control2.ToQt(), end.ToQt());
    fOpenFigure = true;
}

void TPathData::AddArc(const TPointF& center, const TPointF& radius, float startAngle, float sweepAngle)
{
    const QRectF rect = ArcRect(center, radius);
    const double sweep = std::clamp(double(sweepAngle), -360.0, 360.0);
    if (!fOpenFigure)
        fPath.arcMoveTo(rect, -double(startAngle));
    fPath.arcTo(rect, -double(startAngle), -sweep);
    fOpenFigure = true;
}

void TPathData::AddEllipse(const TRectF& rect)
{
    fPath.addEllipse(rect.ToQt().normalized());
    fOpenFigure = false;
}

void TPathData::ClosePath()
{
    fPath.closeSubpath();
    fOpenFigure = false;
}

void TPathData::Clear()
{
    fPath = QPainterPath();
    fOpenFigure = false;
}
