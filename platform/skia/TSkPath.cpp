#include "platform/skia/TSkPath.h"
#include <algorithm>
#include <cmath>

namespace {
Qt::FillRule ToQtRule(TSkPathFillType t)
{
    return t == TSkPathFillType::EvenOdd ? Qt::OddEvenFill : Qt::WindingFill;
}

// Qt's own start point of an arc, so that its arcTo adds no stray segment.
QPointF ArcStart(const QRectF& oval, double skiaStartDeg)
{
    QPainterPath t;
    t.arcMoveTo(oval, -skiaStartDeg);
    return t.currentPosition();
}
}

TSkPathFillType TSkPath::GetFillType() const
{
    return fPath.fillRule() == Qt::OddEvenFill ? TSkPathFillType::EvenOdd : TSkPathFillType::Winding;
}

TRectF TSkPath::GetBounds() const
{
    const QRectF r = fPath.boundingRect();
    return TRectF(float(r.left()), float(r.top()), float(r.right()), float(r.bottom()));
}

// QPainterPath fills odd-even by default; Skia paths wind.
TSkPathBuilder::TSkPathBuilder() : TSkPathBuilder(TSkPathFillType::Winding) {}

TSkPathBuilder::TSkPathBuilder(TSkPathFillType fillType)
{
    fPath.setFillRule(ToQtRule(fillType));
}

TSkPathFillType TSkPathBuilder::GetFillType() const
{
    return fPath.fillRule() == Qt::OddEvenFill ? TSkPathFillType::EvenOdd : TSkPathFillType::Winding;
}

void TSkPathBuilder::SetFillType(TSkPathFillType fillType)
{
    fPath.setFillRule(ToQtRule(fillType));
}

void TSkPathBuilder::MoveTo(float x, float y)
{
    fPath.moveTo(x, y);
}

void TSkPathBuilder::LineTo(float x, float y)
{
    fPath.lineTo(x, y);
}

void TSkPathBuilder::QuadTo(const TPointF& p1, const TPointF& p2)
{
    fPath.quadTo(p1.ToQt(), p2.ToQt());
}

void TSkPathBuilder::CubicTo(const TPointF& p1, const TPointF& p2, const TPointF& p3)
{
    fPath.cubicTo(p1.ToQt(), p2.ToQt(), p3.ToQt());
}

void TSkPathBuilder::ArcTo(const TRectF& oval, float startAngle, float sweepAngle, bool forceMoveTo)
{
    if (oval.Width() < 0 || oval.Height() < 0 || !std::isfinite(startAngle) || !std::isfinite(sweepAngle))
        return;
    const QRectF r = oval.ToQt();
    const double sweep = std::clamp(double(sweepAngle), -360.0, 360.0);
    const QPointF start = ArcStart(r, startAngle);
    // elementCount, not isEmpty: a lone move (a sector's centre) must be kept.
    if (fPath.elementCount() == 0 || forceMoveTo)
        fPath.moveTo(start);
    else
        fPath.lineTo(start);
    if (sweep != 0.0)
        fPath.arcTo(r, -double(startAngle), -sweep);
}

void TSkPathBuilder::AddArc(const TRectF& oval, float startAngle, float sweepAngle)
{
    if (oval.IsEmpty() || sweepAngle == 0.0f || !std::isfinite(sweepAngle))
        return;
    if (std::fabs(sweepAngle) >= 360.0f) {
        const QRectF r = oval.ToQt();
        fPath.moveTo(ArcStart(r, startAngle));
        fPath.arcTo(r, -double(startAngle), sweepAngle > 0 ? -360.0 : 360.0);
        fPath.closeSubpath();
        return;
    }
    ArcTo(oval, startAngle, sweepAngle, true);
}

void TSkPathBuilder::AddOval(const TRectF& oval)
{
    const QRectF r = oval.ToQt();
    fPath.moveTo(ArcStart(r, 0.0));
    fPath.arcTo(r, 0.0, -360.0);
    fPath.closeSubpath();
}

void TSkPathBuilder::AddRect(const TRectF& rect)
{
    fPath.moveTo(rect.Left, rect.Top);
    fPath.lineTo(rect.Right, rect.Top);
    fPath.lineTo(rect.Right, rect.Bottom);
    fPath.lineTo(rect.Left, rect.Bottom);
    fPath.closeSubpath();
}

void TSkPathBuilder::AddRoundRect(const TRectF& rect, float radiusX, float radiusY)
{
    const QRectF r = rect.ToQt().normalized();
    double rx = radiusX, ry = radiusY;
    if (!(rx > 0.0) || !(ry > 0.0) || r.isEmpty()) {
        AddRect(TRectF(float(r.left()), float(r.top()), float(r.right()), float(r.bottom())));
        return;
    }
    // Radii too large for the rectangle shrink together, keeping their ratio.
    const double scale = std::min({1.0, r.width() / (2 * rx), r.height() / (2 * ry)});
    rx *= scale;
    ry *= scale;
    const double l = r.left(), t = r.top(), rt = r.right(), b = r.bottom();
    fPath.moveTo(l + rx, t);
    fPath.lineTo(rt - rx, t);
    fPath.arcTo(QRectF(rt - 2 * rx, t, 2 * rx, 2 * ry), 90.0, -90.0);
    fPath.lineTo(rt, b - ry);
    fPath.arcTo(QRectF(rt - 2 * rx, b - 2 * ry, 2 * rx, 2 * ry), 0.0, -90.0);
    fPath.lineTo(l + rx, b);
    fPath.arcTo(QRectF(l, b - 2 * ry, 2 * rx, 2 * ry), 270.0, -90.0);
    fPath.lineTo(l, t + ry);
    fPath.arcTo(QRectF(l, t, 2 * rx, 2 * ry), 180.0, -90.0);
    fPath.closeSubpath();
}

void TSkPathBuilder::AddPolygon(const std::vector<TPointF>& points, bool isClosed)
{
    if (points.empty())
        return;
    fPath.moveTo(points.front().ToQt());
    for (size_t i = 1; i < points.size(); ++i)
        fPath.lineTo(points[i].ToQt());
    if (isClosed)
        fPath.closeSubpath();
}

void TSkPathBuilder::Close()
{
    fPath.closeSubpath();
}

ISkPath TSkPathBuilder::Detach()
{
    auto result = std::make_shared<TSkPath>(fPath);
    fPath = QPainterPath();
    fPath.setFillRule(Qt::WindingFill);
    return result;
}

ISkPath TSkPathBuilder::Snapshot() const
{
    return std::make_shared<TSkPath>(fPath);
}
