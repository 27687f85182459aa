#include "platform/rtl/geometry/KVR.DashPath.h"
#include <QLineF>
#include <QPaintDevice>
#include <QPainter>
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

// The part [oFrom, oTo] of the segment a-b inside aWindow, as fractions of
// the segment; false when none is.
bool ClipSegment(const QPointF& a, const QPointF& b, const QRectF& aWindow, double& oFrom, double& oTo)
{
    oFrom = 0.0;
    oTo = 1.0;
    auto side = [&](double p, double q) {
        if (p == 0.0)
            return q >= 0.0;
        const double r = q / p;
        if (p < 0.0)
            oFrom = std::max(oFrom, r);
        else
            oTo = std::min(oTo, r);
        return oFrom <= oTo;
    };
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    return side(-dx, a.x() - aWindow.left()) && side(dx, aWindow.right() - a.x()) &&
           side(-dy, a.y() - aWindow.top()) && side(dy, aWindow.bottom() - a.y());
}

// Where the walk along a contour stands in the pattern.
struct TDashState
{
    const std::vector<double>* Dash = nullptr;
    double Period = 0.0;
    size_t Index = 0;
    double Remaining = 0.0;  // of the entry at Index

    bool On() const { return Index % 2 == 0; }
    void Next()
    {
        Index = (Index + 1) % Dash->size();
        Remaining = (*Dash)[Index];
    }
    // Moves aLength along without cutting; whole periods at once.
    void Skip(double aLength)
    {
        if (aLength < Remaining) {
            Remaining -= aLength;
            return;
        }
        aLength -= Remaining;
        Next();
        aLength = std::fmod(aLength, Period);
        for (size_t guard = 0; aLength >= Remaining && guard <= Dash->size(); ++guard) {
            aLength -= Remaining;
            Next();
        }
        Remaining = std::max(0.0, Remaining - aLength);
    }
};
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
                           double aChordBelow, double aMaxDashes, const QRectF& aVisible)
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
    const bool windowed = aVisible.isValid();
    // The part of a segment to cut: all of it, or what the window shows.
    auto shown = [&](const QPointF& a, const QPointF& b, double& from, double& to) {
        if (windowed)
            return ClipSegment(a, b, aVisible, from, to);
        from = 0.0;
        to = 1.0;
        return true;
    };
    double length = 0.0;
    for (const QPolygonF& poly : polys)
        for (qsizetype i = 1; i < poly.size(); ++i) {
            double from, to;
            if (shown(poly[i - 1] / k, poly[i] / k, from, to))
                length += QLineF(poly[i - 1], poly[i]).length() / k * (to - from);
        }
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
    TDashState state;
    state.Dash = &dash;
    state.Period = period;
    // Out of sight: a dash being cut ends where the window does.
    auto skip = [&](double aLength) {
        flush();
        state.Skip(aLength);
    };
    for (const QPolygonF& poly : polys) {
        if (poly.size() < 2)
            continue;
        state.Index = startIndex;
        state.Remaining = startRemaining;
        bool walking = false;  // the walk's point is the last one cut
        for (qsizetype i = 1; i < poly.size(); ++i) {
            const QPointF p = poly[i - 1] / k, q = poly[i] / k;
            const double whole = QLineF(p, q).length();
            double from, to;
            if (!shown(p, q, from, to)) {
                skip(whole);
                walking = false;
                continue;
            }
            if (from > 0.0) {
                skip(whole * from);
                walking = false;
            }
            const QPointF a = p + (q - p) * from, b = p + (q - p) * to;
            if (!walking && state.On())
                extend(a);
            walking = true;
            const double segment = whole * (to - from);
            double pos = 0.0;
            while (segment - pos > state.Remaining) {
                pos += state.Remaining;
                const QPointF c = a + (b - a) * (pos / segment);
                const bool wasOn = state.On();
                if (wasOn)
                    extend(c);
                flush();
                if (!wasOn)
                    extend(c);
                state.Next();
            }
            state.Remaining -= segment - pos;
            if (state.On())
                extend(b);
            if (to < 1.0) {
                skip(whole * (1.0 - to));
                walking = false;
            }
        }
        flush();
    }
    out.Path = cut;
    out.Dashed = true;
    out.Dashes = count;
    return out;
}

QRectF KVRDashWindow(const QPainter& aPainter, double aPenWidth, double aDeviceScale)
{
    const QPaintDevice* device = aPainter.device();
    const QTransform t = aPainter.combinedTransform();
    if (!device || !t.isInvertible() || t.type() == QTransform::TxProject)
        return {};
    QRectF r = t.inverted().mapRect(QRectF(0.0, 0.0, device->width(), device->height()));
    if (aPainter.hasClipping())
        r &= aPainter.clipBoundingRect();
    // A pen's caps and mitred joins reach past the line by a few widths.
    const double m = 4.0 * aPenWidth + 2.0 / std::max(aDeviceScale, 1e-9);
    if (!r.isValid())
        r = QRectF(r.topLeft(), QSizeF(0.0, 0.0));  // nothing shows: no dash is cut
    return r.adjusted(-m, -m, m, m);
}
