#pragma once
#include "platform/rtl/System.Types.h"
#include <QPainterPath>
#include <cstdint>
#include <memory>
#include <vector>

class TSkPath;
using ISkPath = std::shared_ptr<TSkPath>;

enum class TSkPathFillType : uint8_t { Winding, EvenOdd };

// An immutable path. Angles of the builder follow Skia: degrees, 0 at three
// o'clock, positive sweeps clockwise on a y-down surface (Qt's run the other way).
class TSkPath
{
public:
    explicit TSkPath(const QPainterPath& path) : fPath(path) {}

    const QPainterPath& ToQt() const { return fPath; }
    TSkPathFillType GetFillType() const;
    TRectF GetBounds() const;
    bool IsEmpty() const { return fPath.isEmpty(); }

private:
    QPainterPath fPath;
};

class TSkPathBuilder
{
public:
    TSkPathBuilder();
    explicit TSkPathBuilder(TSkPathFillType fillType);

    TSkPathFillType GetFillType() const;
    void SetFillType(TSkPathFillType fillType);

    void MoveTo(float x, float y);
    void MoveTo(const TPointF& p) { MoveTo(p.X, p.Y); }
    void LineTo(float x, float y);
    void LineTo(const TPointF& p) { LineTo(p.X, p.Y); }
    void QuadTo(const TPointF& p1, const TPointF& p2);
    void CubicTo(const TPointF& p1, const TPointF& p2, const TPointF& p3);
    // Arc on the oval; joined to the current point by a straight line unless
    // forceMoveTo is set or the path is empty, which start a new contour.
    void ArcTo(const TRectF& oval, float startAngle, float sweepAngle, bool forceMoveTo);
    // Arc as a new contour; a sweep of 360 degrees or more adds the whole oval.
    void AddArc(const TRectF& oval, float startAngle, float sweepAngle);
    // Closed contours, clockwise, as Skia adds them.
    void AddOval(const TRectF& oval);
    void AddRect(const TRectF& rect);
    void AddRoundRect(const TRectF& rect, float radiusX, float radiusY);
    void AddPolygon(const std::vector<TPointF>& points, bool isClosed);
    void Close();

    // Detach hands the path over and resets the builder (empty, winding);
    // Snapshot copies it.
    ISkPath Detach();
    ISkPath Snapshot() const;
    const QPainterPath& ToQt() const { return fPath; }

private:
    QPainterPath fPath;
};
