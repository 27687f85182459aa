#include "platform/rtl/geometry/KVR.DashPath.h"
#include <QLineF>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace {
// Curves are flattened this many times finer than the device's pixels.
constexpr double kFlattenFactor = 16.0;

double FlattenScale(double aDeviceScale)
{
    const double s = std::isfinite(aDeviceScale) && aDeviceScale > 0.0 ? aDeviceScale : 1.0;
    return kFlattenFactor * std::max(1.0, s);
}

double PolygonsLength(const QList<QPolygonF>& aPolys, double aScale)
{
    double length = 0.0;
    for (const QPolygonF& poly : aPolys)
        for (qsizetype i = 1; i < poly.size(); ++i)
            length += QLineF(poly[i - 1], poly[i]).length() / aScale;
    return length;
}
}  // namespace

bool TKVRDashPattern::IsValid() const
{
    if (Intervals.size() < 2 || Intervals.size() % 2 != 0 || !std::isfinite(Phase))
        return false;
    for (double v : Intervals)
        if (!std::isfinite(v) || v < 0.0)
            return false;
    const double p = Period();
    return p > 0.0 && std::isfinite(p);
}

double TKVRDashPattern::Period() const
{
    double sum = 0.0;
    for (double v : Intervals)
        sum += v;
    return sum;
}

double KVRPathLength(const QPainterPath& aPath, double aDeviceScale)
{
    const double k = FlattenScale(aDeviceScale);
    return PolygonsLength(aPath.toSubpathPolygons(QTransform::fromScale(k, k)), k);
}

TKVRDashedPath KVRDashPath(const QPainterPath& aPath, const TKVRDashPattern& aPattern, double aDeviceScale,
                           double aChordBelow, double aMaxDashes)
{
    TKVRDashedPath out;
    out.Path = aPath;
    if (aPath.isEmpty() || !aPattern.IsValid())
        return out;

    // Flatten in a finer space so that curves stay smooth on the device, then
    // walk the polygons back in the path's units.
    const double k = FlattenScale(aDeviceScale);
    const QList<QPolygonF> polys = aPath.toSubpathPolygons(QTransform::fromScale(k, k));
    const std::vector<double>& dash = aPattern.Intervals;
    const double period = aPattern.Period();
    const double length = PolygonsLength(polys, k);
    // Every contour may start a dash of its own.
    const double estimate = length / period * double(dash.size() / 2) + double(polys.size());
    if (!std::isfinite(length) || !(estimate <= aMaxDashes))
        return out;

    // Where the phase puts the start of every contour.
    double phase = std::fmod(aPattern.Phase, period);
    if (phase < 0.0)
        phase += period;
    size_t startIndex = 0;
    for (size_t guard = 0; phase >= dash[startIndex] && guard < 2 * dash.size(); ++guard) {
        phase -= dash[startIndex];
        startIndex = (startIndex + 1) % dash.size();
    }
    const double startRemaining = std::max(0.0, dash[startIndex] - phase);

    QPainterPath cut;
    cut.setFillRule(aPath.fillRule());
    size_t count = 0;
    // The dash being cut: its points and length. A dash no longer than
    // aChordBelow is its chord: a pen far wider than the dash shows no bend,
    // and the joins of a thick pen inside a short dash cost the rasteriser
    // more than all the rest.
    QPolygonF current;
    double currentLength = 0.0;
    auto flush = [&] {
        if (current.size() >= 2) {
            cut.moveTo(current.front());
            if (currentLength <= aChordBelow) {
                cut.lineTo(current.back());
            } else {
                for (qsizetype i = 1; i < current.size(); ++i)
                    cut.lineTo(current[i]);
            }
            ++count;
        }
        current.clear();
        currentLength = 0.0;
    };
    auto extend = [&](const QPointF& p) {
        if (!current.isEmpty())
            currentLength += QLineF(current.back(), p).length();
        current.append(p);
    };
    for (const QPolygonF& poly : polys) {
        if (poly.size() < 2)
            continue;
        size_t index = startIndex;
        double remaining = startRemaining;
        bool on = index % 2 == 0;
        QPointF a = poly[0] / k;
        if (on)
            extend(a);
        for (qsizetype i = 1; i < poly.size(); ++i) {
            const QPointF b = poly[i] / k;
            const double segment = QLineF(a, b).length();
            double pos = 0.0;
            while (segment - pos > remaining) {
                pos += remaining;
                const QPointF p = a + (b - a) * (pos / segment);
                if (on)
                    extend(p);
                flush();
                if (!on)
                    extend(p);
                index = (index + 1) % dash.size();
                remaining = dash[index];
                on = index % 2 == 0;
            }
            remaining -= segment - pos;
            if (on)
                extend(b);
            a = b;
        }
        flush();
    }
    out.Path = cut;
    out.Dashed = true;
    out.Dashes = count;
    return out;
}
