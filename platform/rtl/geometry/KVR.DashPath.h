#pragma once
// Cuts a path into the dashes of a pattern, the same way on every surface, so
// that a dash measures its length whatever the pen, the device or the turn.
#include <QPainterPath>
#include <QRectF>
#include <cstddef>
#include <vector>

// No surface cuts more dashes than this for one outline: a pattern that
// would need more strokes the outline undashed, so a tiny pattern or a huge
// outline cannot freeze the screen or a print job.
constexpr double KVRMaxDashCount = 1000000.0;

// A dash pattern: on and off lengths in the path's units, starting with "on",
// and the offset into it at which every contour starts.
struct TKVRDashPattern
{
    std::vector<double> Intervals;
    double Phase = 0.0;

    // An even count of finite, non-negative entries with a positive, finite sum.
    bool IsValid() const;
    double Period() const;
};

struct TKVRDashedPath
{
    QPainterPath Path;   // the dashes, one open contour each; the path itself when not dashed
    bool Dashed = false; // false: the pattern was invalid or needed too many dashes
    size_t Dashes = 0;   // contours cut
};

// The path's length, its curves flattened finely enough for a device that
// scales the path's units by aDeviceScale.
double KVRPathLength(const QPainterPath& aPath, double aDeviceScale = 1.0);

// The dashed centre line of aPath. Curves are flattened for a device that
// scales the path's units by aDeviceScale; each contour restarts the pattern
// at its phase. A dash no longer than aChordBelow (the pen's width) is one
// straight segment, so a thick pen strokes at most two points per dash. When
// the outline would need more than aMaxDashes dashes, the path comes back
// undashed. With aVisible (path units) only the dashes that reach into it are
// cut, in the places the whole outline gives them: what a surface shows of a
// far-reaching outline costs only what it shows.
TKVRDashedPath KVRDashPath(const QPainterPath& aPath, const TKVRDashPattern& aPattern, double aDeviceScale = 1.0,
                           double aChordBelow = 0.0, double aMaxDashes = KVRMaxDashCount,
                           const QRectF& aVisible = QRectF());

class QPainter;
// What a painter's device shows, in the painter's path units, widened by what
// a pen of aPenWidth reaches past its line: the window KVRDashPath cuts in.
// Empty (everything is cut) when the transform cannot be inverted.
QRectF KVRDashWindow(const QPainter& aPainter, double aPenWidth, double aDeviceScale);
