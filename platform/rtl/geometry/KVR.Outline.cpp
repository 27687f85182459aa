#include "platform/rtl/geometry/KVR.Outline.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Edit.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double TwoPi = 2.0 * std::numbers::pi;
// Angles and parameters within this of an end count as on it.
constexpr double AngleSlack = 1e-9;
// Arcs become this many chords per whole turn where only chords will do
// (inside tests, rectangles, crossings of two ellipses).
constexpr int ChordsPerTurn = 256;

double Sq(double v)
{
    return v * v;
}

double Dist(const TKVRGPoint& a, const TKVRGPoint& b)
{
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

double Wrap(double a)
{
    a = std::fmod(a, TwoPi);
    return a < 0.0 ? a + TwoPi : a;
}

// The angle lies on the arc's sweep.
bool OnSweep(const TKVROutlinePiece& p, double a)
{
    if (p.FullCircle())
        return true;
    const double d = p.Sweep >= 0.0 ? Wrap(a - p.Start) : Wrap(p.Start - a);
    const double w = std::abs(p.Sweep);
    return d <= w + AngleSlack || d >= TwoPi - AngleSlack;
}

// Nearest point of segment a-b to q.
TKVRGPoint NearestOnSegment(const TKVRGPoint& a, const TKVRGPoint& b, const TKVRGPoint& q)
{
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0.0)
        return a;
    const double t = std::clamp(((q.X - a.X) * dx + (q.Y - a.Y) * dy) / len2, 0.0, 1.0);
    return {a.X + dx * t, a.Y + dy * t};
}

// Nearest point of an arc to q: exact for circles; for ellipses the best of
// a sampling refined by Newton steps on the squared distance.
TKVRGPoint NearestOnArc(const TKVROutlinePiece& p, const TKVRGPoint& q)
{
    if (p.RX == p.RY) {
        const double a = std::atan2(q.Y - p.C.Y, q.X - p.C.X);
        if ((q.X != p.C.X || q.Y != p.C.Y) && OnSweep(p, a))
            return p.At(a);
        if (p.FullCircle())
            return p.At(p.Start);
        const TKVRGPoint f = p.First(), l = p.Last();
        return Dist(f, q) <= Dist(l, q) ? f : l;
    }
    const int n = 64;
    double bestT = p.Start, best = std::numeric_limits<double>::infinity();
    for (int i = 0; i <= n; ++i) {
        const double t = p.Start + p.Sweep * double(i) / n;
        const double d = Dist(p.At(t), q);
        if (d < best) {
            best = d;
            bestT = t;
        }
    }
    const double lo = std::min(p.Start, p.Start + p.Sweep), hi = std::max(p.Start, p.Start + p.Sweep);
    double t = bestT;
    for (int i = 0; i < 12; ++i) {
        const double c = std::cos(t), s = std::sin(t);
        const double ex = p.C.X + p.RX * c - q.X, ey = p.C.Y + p.RY * s - q.Y;
        const double dx = -p.RX * s, dy = p.RY * c;
        const double g = ex * dx + ey * dy;                                   // half the derivative
        const double h = dx * dx + dy * dy + ex * (-p.RX * c) + ey * (-p.RY * s);  // half the second
        if (h <= 0.0)
            break;
        const double nt = std::clamp(t - g / h, lo, hi);
        if (nt == t)
            break;
        t = nt;
    }
    const TKVRGPoint r = p.At(t);
    return Dist(r, q) <= best ? r : p.At(bestT);
}

// Feet of the normals from q on an arc of an ellipse: the parameters where
// (At(t) - q) is square to the tangent. There are up to four; each lies in a
// sign change of that dot product, found on a fine sampling and narrowed by
// bisection, so none is missed between two samples.
void EllipseFeet(const TKVROutlinePiece& p, const TKVRGPoint& q, std::vector<TKVRGPoint>& out)
{
    const auto g = [&p, &q](double t) {
        const double c = std::cos(t), s = std::sin(t);
        return (p.C.X + p.RX * c - q.X) * (-p.RX * s) + (p.C.Y + p.RY * s - q.Y) * (p.RY * c);
    };
    const bool whole = p.FullCircle();
    const double from = whole ? 0.0 : p.Start, span = whole ? TwoPi : p.Sweep;
    const int n = ChordsPerTurn;
    double t0 = from, g0 = g(t0);
    for (int i = 1; i <= n; ++i) {
        const double t1 = from + span * double(i) / n, g1 = g(t1);
        if (g0 == 0.0) {
            out.push_back(p.At(t0));
        } else if (g1 != 0.0 && (g0 < 0.0) != (g1 < 0.0)) {
            double lo = t0, hi = t1, glo = g0;
            for (int k = 0; k < 60; ++k) {
                const double mid = (lo + hi) / 2.0, gm = g(mid);
                if ((gm < 0.0) == (glo < 0.0)) {
                    lo = mid;
                    glo = gm;
                } else {
                    hi = mid;
                }
            }
            out.push_back(p.At((lo + hi) / 2.0));
        }
        t0 = t1;
        g0 = g1;
    }
    if (g0 == 0.0 && !whole)
        out.push_back(p.At(t0));
}

TKVRGPoint NearestOn(const TKVROutlinePiece& p, const TKVRGPoint& q)
{
    return p.IsArc ? NearestOnArc(p, q) : NearestOnSegment(p.A, p.B, q);
}

// Chords of a piece (a segment is its own chord).
void Chords(const TKVROutlinePiece& p, std::vector<TKVRGPoint>& out)
{
    if (!p.IsArc) {
        out.push_back(p.A);
        out.push_back(p.B);
        return;
    }
    const int n = std::max(2, int(std::ceil(std::abs(p.Sweep) / TwoPi * ChordsPerTurn)));
    for (int i = 0; i <= n; ++i)
        out.push_back(p.At(p.Start + p.Sweep * double(i) / n));
}

bool SegmentsCross(const TKVRGPoint& a, const TKVRGPoint& b, const TKVRGPoint& c, const TKVRGPoint& d,
                   TKVRGPoint* at)
{
    const double rX = b.X - a.X, rY = b.Y - a.Y, sX = d.X - c.X, sY = d.Y - c.Y;
    const double den = rX * sY - rY * sX;
    if (den == 0.0)
        return false;
    const double t = ((c.X - a.X) * sY - (c.Y - a.Y) * sX) / den;
    const double u = ((c.X - a.X) * rY - (c.Y - a.Y) * rX) / den;
    if (t < -AngleSlack || t > 1.0 + AngleSlack || u < -AngleSlack || u > 1.0 + AngleSlack)
        return false;
    if (at)
        *at = {a.X + rX * t, a.Y + rY * t};
    return true;
}

// Crossings of segment a-b with an arc: the line in the arc's unit-circle
// frame meets the unit circle.
void SegmentArc(const TKVRGPoint& a, const TKVRGPoint& b, const TKVROutlinePiece& p, std::vector<TKVRGPoint>& out)
{
    if (p.RX <= 0.0 || p.RY <= 0.0)
        return;
    const double ax = (a.X - p.C.X) / p.RX, ay = (a.Y - p.C.Y) / p.RY;
    const double dx = (b.X - a.X) / p.RX, dy = (b.Y - a.Y) / p.RY;
    const double qa = dx * dx + dy * dy, qb = 2.0 * (ax * dx + ay * dy), qc = ax * ax + ay * ay - 1.0;
    if (qa == 0.0)
        return;
    const double disc = qb * qb - 4.0 * qa * qc;
    if (disc < 0.0)
        return;
    const double r = std::sqrt(disc);
    for (const double t : {(-qb - r) / (2.0 * qa), (-qb + r) / (2.0 * qa)}) {
        if (t < -AngleSlack || t > 1.0 + AngleSlack)
            continue;
        const double ang = std::atan2(ay + dy * t, ax + dx * t);
        if (OnSweep(p, ang))
            out.push_back(p.At(ang));
        if (r == 0.0)
            break;
    }
}

void PieceCrossings(const TKVROutlinePiece& p, const TKVROutlinePiece& q, std::vector<TKVRGPoint>& out)
{
    if (!p.IsArc && !q.IsArc) {
        TKVRGPoint at;
        if (SegmentsCross(p.A, p.B, q.A, q.B, &at))
            out.push_back(at);
        return;
    }
    if (!p.IsArc) {
        SegmentArc(p.A, p.B, q, out);
        return;
    }
    if (!q.IsArc) {
        SegmentArc(q.A, q.B, p, out);
        return;
    }
    if (p.RX == p.RY && q.RX == q.RY) {
        const double d = Dist(p.C, q.C);
        if (d == 0.0 || d > p.RX + q.RX || d < std::abs(p.RX - q.RX))
            return;
        const double a = (Sq(p.RX) - Sq(q.RX) + Sq(d)) / (2.0 * d);
        const double h = std::sqrt(std::max(0.0, Sq(p.RX) - Sq(a)));
        const double mx = p.C.X + a * (q.C.X - p.C.X) / d, my = p.C.Y + a * (q.C.Y - p.C.Y) / d;
        for (const double sg : {1.0, -1.0}) {
            const TKVRGPoint x{mx + sg * h * (q.C.Y - p.C.Y) / d, my - sg * h * (q.C.X - p.C.X) / d};
            if (OnSweep(p, std::atan2(x.Y - p.C.Y, x.X - p.C.X)) && OnSweep(q, std::atan2(x.Y - q.C.Y, x.X - q.C.X)))
                out.push_back(x);
            if (h == 0.0)
                break;
        }
        return;
    }
    std::vector<TKVRGPoint> chords;
    Chords(q, chords);
    for (size_t i = 1; i < chords.size(); ++i)
        SegmentArc(chords[i - 1], chords[i], p, out);
}

// Liang-Barsky: the segment passes through the rectangle.
bool SegmentMeetsRect(const TKVRGPoint& a, const TKVRGPoint& b, const TKVRRect& r)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double pp[4] = {-dx, dx, -dy, dy};
    const double qq[4] = {a.X - double(r.Left), double(r.Right) - a.X, a.Y - double(r.Top), double(r.Bottom) - a.Y};
    for (int i = 0; i < 4; ++i) {
        if (pp[i] == 0.0) {
            if (qq[i] < 0.0)
                return false;
            continue;
        }
        const double t = qq[i] / pp[i];
        if (pp[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

bool Neighbours(const TKVRContour& c, size_t i, size_t j, bool closed)
{
    const size_t n = c.Pieces.size();
    if (i + 1 == j || j + 1 == i)
        return true;
    return closed && n > 2 && ((i == 0 && j == n - 1) || (j == 0 && i == n - 1));
}

bool ClosedContour(const TKVRContour& c)
{
    if (c.Pieces.empty())
        return false;
    const TKVRGPoint f = c.Pieces.front().First(), l = c.Pieces.back().Last();
    return f.X == l.X && f.Y == l.Y;
}

}  // namespace

TKVRCubic::TKVRCubic(const TKVRPto& a, const TKVRPto& b, const TKVRPto& c, const TKVRPto& d)
    : P{{double(a.X), double(a.Y)}, {double(b.X), double(b.Y)}, {double(c.X), double(c.Y)}, {double(d.X), double(d.Y)}}
{
}

TKVRGPoint TKVRCubic::At(double t) const
{
    const double u = 1.0 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {a * P[0].X + b * P[1].X + c * P[2].X + d * P[3].X, a * P[0].Y + b * P[1].Y + c * P[2].Y + d * P[3].Y};
}

double TKVRCubic::Nearest(const TKVRGPoint& q, double& oT) const
{
    const auto dist = [&](double t) { return Dist(At(t), q); };
    constexpr int Samples = 64;
    int best = 0;
    double bestD = dist(0.0);
    for (int k = 1; k <= Samples; ++k)
        if (const double d = dist(double(k) / Samples); d < bestD) {
            bestD = d;
            best = k;
        }
    double lo = std::max(0.0, double(best - 1) / Samples), hi = std::min(1.0, double(best + 1) / Samples);
    for (int i = 0; i < 100 && hi - lo > 1e-15; ++i) {
        const double m1 = lo + (hi - lo) / 3.0, m2 = hi - (hi - lo) / 3.0;
        if (dist(m1) <= dist(m2))
            hi = m2;
        else
            lo = m1;
    }
    oT = (lo + hi) / 2.0;
    return dist(oT);
}

void TKVRCubic::Split(double t, TKVRGPoint (&oLeft)[4], TKVRGPoint (&oRight)[4]) const
{
    const auto lerp = [t](const TKVRGPoint& a, const TKVRGPoint& b) {
        return TKVRGPoint{a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t};
    };
    const TKVRGPoint ab = lerp(P[0], P[1]), bc = lerp(P[1], P[2]), cd = lerp(P[2], P[3]);
    const TKVRGPoint abc = lerp(ab, bc), bcd = lerp(bc, cd), m = lerp(abc, bcd);
    oLeft[0] = P[0], oLeft[1] = ab, oLeft[2] = abc, oLeft[3] = m;
    oRight[0] = m, oRight[1] = bcd, oRight[2] = cd, oRight[3] = P[3];
}

TKVRGPoint TKVROutlinePiece::At(double aAngle) const
{
    return {C.X + RX * std::cos(aAngle), C.Y + RY * std::sin(aAngle)};
}

bool TKVROutlinePiece::FullCircle() const
{
    return IsArc && std::abs(Sweep) >= TwoPi - AngleSlack;
}

TKVRContour& TKVROutline::Current()
{
    if (!fOpen) {
        fContours.emplace_back();
        fOpen = true;
        fStart = fPen;
    }
    return fContours.back();
}

void TKVROutline::MoveTo(double aX, double aY)
{
    fOpen = false;
    fPen = {aX, aY};
    fStart = fPen;
}

void TKVROutline::LineTo(double aX, double aY)
{
    TKVROutlinePiece p;
    p.A = fPen;
    p.B = {aX, aY};
    Current().Pieces.push_back(p);
    fPen = p.B;
}

void TKVROutline::ArcTo(double aCX, double aCY, double aRX, double aRY, double aStart, double aSweep)
{
    TKVROutlinePiece p;
    p.IsArc = true;
    p.C = {aCX, aCY};
    p.RX = std::abs(aRX);
    p.RY = std::abs(aRY);
    p.Start = aStart;
    p.Sweep = std::clamp(aSweep, -TwoPi, TwoPi);
    const TKVRGPoint f = p.First();
    // From the current point (a pie's centre, a previous piece) to the arc.
    if (Dist(f, fPen) > 0.5)
        LineTo(f.X, f.Y);
    Current().Pieces.push_back(p);
    fPen = p.Last();
}

void TKVROutline::CubicTo(double aX1, double aY1, double aX2, double aY2, double aX3, double aY3)
{
    const TKVRGPoint p0 = fPen;
    const TKVRCubic curve(p0, {aX1, aY1}, {aX2, aY2}, {aX3, aY3});
    // Chords enough that the curve strays from them by about a thousandth of
    // its control polygon (at least a micrometre), at most 256.
    const double poly = Dist(p0, {aX1, aY1}) + Dist({aX1, aY1}, {aX2, aY2}) + Dist({aX2, aY2}, {aX3, aY3});
    const double bend = std::max(std::hypot(p0.X - 2 * aX1 + aX2, p0.Y - 2 * aY1 + aY2),
                                 std::hypot(aX1 - 2 * aX2 + aX3, aY1 - 2 * aY2 + aY3));
    const double flat = std::max(1.0, poly * 1e-3);
    const int n = std::clamp(int(std::ceil(std::sqrt(0.75 * bend / flat))), 1, 256);
    std::vector<double> length(size_t(n) + 1, 0.0);
    for (int i = 1; i <= n; ++i) {
        const TKVRGPoint q = curve.At(double(i) / n);
        length[size_t(i)] = length[size_t(i - 1)] + Dist(fPen, q);
        LineTo(q.X, q.Y);
        Current().Pieces.back().Chord = true;
    }
    fCurveEnds.push_back(p0);
    fCurveEnds.push_back({aX3, aY3});
    // Halfway along the chords, taken back onto the curve.
    const double half = length.back() / 2.0;
    const auto upper = std::lower_bound(length.begin() + 1, length.end(), half);
    const size_t k = size_t(upper - length.begin());
    const double span = length[k] - length[k - 1];
    const double share = span > 0.0 ? (half - length[k - 1]) / span : 0.0;
    fCurveMiddles.push_back(curve.At((double(k - 1) + share) / n));
}

void TKVROutline::Close()
{
    if (fOpen && (fPen.X != fStart.X || fPen.Y != fStart.Y))
        LineTo(fStart.X, fStart.Y);
    fOpen = false;
    fPen = fStart;
}

void TKVROutline::SetSolid(bool aSolid)
{
    if (!fContours.empty())
        fContours.back().Solid = aSolid;
}

void TKVROutline::AddBox(const TKVRRect& aBox, bool aSolid)
{
    const double l = double(std::min(aBox.Left, aBox.Right)), r = double(std::max(aBox.Left, aBox.Right));
    const double t = double(std::min(aBox.Top, aBox.Bottom)), b = double(std::max(aBox.Top, aBox.Bottom));
    MoveTo(l, t);
    LineTo(r, t);
    LineTo(r, b);
    LineTo(l, b);
    Close();
    SetSolid(aSolid);
    AddCentre((l + r) / 2.0, (t + b) / 2.0);
}

void TKVROutline::AddPolygon(const std::vector<TKVRPto>& aPoints, bool aClosed, bool aSolid)
{
    if (aPoints.empty())
        return;
    MoveTo(double(aPoints[0].X), double(aPoints[0].Y));
    if (aPoints.size() == 1)
        LineTo(double(aPoints[0].X), double(aPoints[0].Y));
    for (size_t i = 1; i < aPoints.size(); ++i)
        LineTo(double(aPoints[i].X), double(aPoints[i].Y));
    if (aClosed)
        Close();
    SetSolid(aSolid);
    fOpen = false;
}

void TKVROutline::AddEllipse(double aCX, double aCY, double aRX, double aRY, bool aSolid)
{
    MoveTo(aCX + std::abs(aRX), aCY);
    ArcTo(aCX, aCY, aRX, aRY, 0.0, TwoPi);
    SetSolid(aSolid);
    fOpen = false;
}

bool TKVROutline::Empty() const
{
    for (const TKVRContour& c : fContours)
        if (!c.Pieces.empty())
            return false;
    return true;
}

double TKVROutline::Distance(double aX, double aY, TKVRGPoint* aNearest) const
{
    double best = std::numeric_limits<double>::infinity();
    const TKVRGPoint q{aX, aY};
    for (const TKVRContour& c : fContours)
        for (const TKVROutlinePiece& p : c.Pieces) {
            const TKVRGPoint n = NearestOn(p, q);
            const double d = Dist(n, q);
            if (d < best) {
                best = d;
                if (aNearest)
                    *aNearest = n;
            }
        }
    return best;
}

bool TKVROutline::Contains(double aX, double aY) const
{
    for (const TKVRContour& c : fContours) {
        if (!c.Solid || c.Pieces.empty())
            continue;
        if (c.Pieces.size() == 1 && c.Pieces[0].FullCircle()) {
            const TKVROutlinePiece& p = c.Pieces[0];
            if (p.RX > 0.0 && p.RY > 0.0 && Sq((aX - p.C.X) / p.RX) + Sq((aY - p.C.Y) / p.RY) <= 1.0)
                return true;
            continue;
        }
        std::vector<TKVRGPoint> ring;
        for (const TKVROutlinePiece& p : c.Pieces)
            Chords(p, ring);
        // Non-zero winding over the chords, closed back to the first point.
        int winding = 0;
        for (size_t i = 0; i < ring.size(); ++i) {
            const TKVRGPoint& a = ring[i];
            const TKVRGPoint& b = ring[(i + 1) % ring.size()];
            const double cross = (b.X - a.X) * (aY - a.Y) - (aX - a.X) * (b.Y - a.Y);
            if (a.Y <= aY) {
                if (b.Y > aY && cross > 0)
                    ++winding;
            } else if (b.Y <= aY && cross < 0) {
                --winding;
            }
        }
        if (winding != 0)
            return true;
    }
    return false;
}

bool TKVROutline::Hit(double aX, double aY, double aTolerance, bool aOutlineOnly) const
{
    if (Distance(aX, aY) <= aTolerance)
        return true;
    return !aOutlineOnly && Contains(aX, aY);
}

bool TKVROutline::Extent(double& aMinX, double& aMinY, double& aMaxX, double& aMaxY) const
{
    bool any = false;
    auto take = [&](const TKVRGPoint& p) {
        if (!any) {
            aMinX = aMaxX = p.X;
            aMinY = aMaxY = p.Y;
            any = true;
            return;
        }
        aMinX = std::min(aMinX, p.X);
        aMaxX = std::max(aMaxX, p.X);
        aMinY = std::min(aMinY, p.Y);
        aMaxY = std::max(aMaxY, p.Y);
    };
    for (const TKVRContour& c : fContours)
        for (const TKVROutlinePiece& p : c.Pieces) {
            take(p.First());
            take(p.Last());
            if (p.IsArc)
                for (int k = 0; k < 4; ++k)
                    if (OnSweep(p, k * Pi / 2.0))
                        take(p.At(k * Pi / 2.0));
        }
    return any;
}

bool TKVROutline::InsideRect(const TKVRRect& aRect) const
{
    double x0, y0, x1, y1;
    if (!Extent(x0, y0, x1, y1))
        return false;
    return x0 >= double(aRect.Left) && x1 <= double(aRect.Right) && y0 >= double(aRect.Top) &&
           y1 <= double(aRect.Bottom);
}

bool TKVROutline::TouchesRect(const TKVRRect& aRect) const
{
    std::vector<TKVRGPoint> chords;
    for (const TKVRContour& c : fContours)
        for (const TKVROutlinePiece& p : c.Pieces) {
            chords.clear();
            Chords(p, chords);
            for (size_t i = 1; i < chords.size(); ++i)
                if (SegmentMeetsRect(chords[i - 1], chords[i], aRect))
                    return true;
        }
    // A rectangle inside a solid shape touches it.
    return Contains(double(aRect.Left), double(aRect.Top));
}

void TKVROutline::SnapPoints(uint8_t aSnap, double aRefX, double aRefY, bool aHasRef, double aX, double aY,
                             std::vector<TKVRGPoint>& aOut) const
{
    const TKVRGPoint ref{aRefX, aRefY};
    switch (aSnap) {
    case KVRSnap::OnElement: {
        TKVRGPoint n;
        if (Distance(aX, aY, &n) < std::numeric_limits<double>::infinity())
            aOut.push_back(n);
        return;
    }
    case KVRSnap::Centre:
        aOut.insert(aOut.end(), fCentres.begin(), fCentres.end());
        break;
    case KVRSnap::Reference:
        aOut.insert(aOut.end(), fReferences.begin(), fReferences.end());
        return;
    case KVRSnap::Cross:
        Crossings(*this, aOut);
        return;
    case KVRSnap::End:
        aOut.insert(aOut.end(), fCurveEnds.begin(), fCurveEnds.end());
        break;
    case KVRSnap::Middle:
        aOut.insert(aOut.end(), fCurveMiddles.begin(), fCurveMiddles.end());
        break;
    default: break;
    }
    for (const TKVRContour& c : fContours)
        for (const TKVROutlinePiece& p : c.Pieces) {
            switch (aSnap) {
            case KVRSnap::End:
                if (!p.FullCircle() && !p.Chord) {
                    aOut.push_back(p.First());
                    aOut.push_back(p.Last());
                }
                break;
            case KVRSnap::Middle:
                if (p.Chord)
                    break;
                if (!p.IsArc)
                    aOut.push_back({(p.A.X + p.B.X) / 2.0, (p.A.Y + p.B.Y) / 2.0});
                else if (!p.FullCircle())
                    aOut.push_back(p.At(p.Start + p.Sweep / 2.0));
                break;
            case KVRSnap::Centre:
                if (p.IsArc)
                    aOut.push_back(p.C);
                break;
            case KVRSnap::Tangent: {
                if (!aHasRef || !p.IsArc || p.RX <= 0.0 || p.RY <= 0.0)
                    break;
                // Tangents survive the scaling that makes the ellipse a unit circle.
                const double qx = (ref.X - p.C.X) / p.RX, qy = (ref.Y - p.C.Y) / p.RY;
                const double d = std::hypot(qx, qy);
                if (d <= 1.0)
                    break;
                const double phi = std::atan2(qy, qx), off = std::acos(1.0 / d);
                for (const double a : {phi + off, phi - off})
                    if (OnSweep(p, a))
                        aOut.push_back(p.At(a));
                break;
            }
            case KVRSnap::Perpendicular:
                if (!aHasRef)
                    break;
                if (!p.IsArc) {
                    const double dx = p.B.X - p.A.X, dy = p.B.Y - p.A.Y, len2 = dx * dx + dy * dy;
                    if (len2 == 0.0)
                        break;
                    const double t = ((ref.X - p.A.X) * dx + (ref.Y - p.A.Y) * dy) / len2;
                    if (t >= -AngleSlack && t <= 1.0 + AngleSlack)
                        aOut.push_back({p.A.X + dx * t, p.A.Y + dy * t});
                } else if (p.RX == p.RY) {
                    if (ref.X == p.C.X && ref.Y == p.C.Y)
                        break;
                    const double a = std::atan2(ref.Y - p.C.Y, ref.X - p.C.X);
                    for (const double b : {a, a + Pi})
                        if (OnSweep(p, b))
                            aOut.push_back(p.At(b));
                } else if (p.RX > 0.0 && p.RY > 0.0) {
                    EllipseFeet(p, ref, aOut);
                }
                break;
            default: break;
            }
        }
}

void TKVROutline::Crossings(const TKVROutline& aOther, std::vector<TKVRGPoint>& aOut) const
{
    const bool self = &aOther == this;
    for (size_t ci = 0; ci < fContours.size(); ++ci)
        for (size_t cj = self ? ci : 0; cj < aOther.fContours.size(); ++cj) {
            const TKVRContour& a = fContours[ci];
            const TKVRContour& b = aOther.fContours[cj];
            for (size_t i = 0; i < a.Pieces.size(); ++i)
                for (size_t j = (self && ci == cj) ? i + 1 : 0; j < b.Pieces.size(); ++j) {
                    if (self && ci == cj && Neighbours(a, i, j, ClosedContour(a)))
                        continue;
                    PieceCrossings(a.Pieces[i], b.Pieces[j], aOut);
                }
        }
}

bool KVRNearestSnap(const TKVROutline& aOutline, uint8_t aSnap, int64_t aX, int64_t aY, int64_t aTolerance,
                    double aRefX, double aRefY, bool aHasRef, TKVRPto& aFound)
{
    std::vector<TKVRGPoint> points;
    aOutline.SnapPoints(aSnap, aRefX, aRefY, aHasRef, double(aX), double(aY), points);
    const TKVRGPoint q{double(aX), double(aY)};
    double best = double(aTolerance < 0 ? 0 : aTolerance);
    bool found = false;
    for (const TKVRGPoint& p : points) {
        if (!std::isfinite(p.X) || !std::isfinite(p.Y))
            continue;
        const double d = Dist(p, q);
        if (d <= best) {
            best = d;
            aFound = {RoundHalfEven(p.X), RoundHalfEven(p.Y)};
            found = true;
        }
    }
    return found;
}
