#include "elements/KVR.FMX.FlowOutline.h"
#include <algorithm>

namespace {

// Builds the figures in double precision, stored as Single.
class TOps
{
public:
    explicit TOps(std::vector<TKVRFlowPathOp>& aOps) : fOps(aOps) {}

    void Move(double x, double y) { Add(TKVRFlowPathOp::TKind::Move, {P(x, y)}); fLast = P(x, y); }
    void Line(double x, double y) { Add(TKVRFlowPathOp::TKind::Line, {P(x, y)}); fLast = P(x, y); }
    void Cubic(double x1, double y1, double x2, double y2, double x, double y)
    {
        Add(TKVRFlowPathOp::TKind::Cubic, {P(x1, y1), P(x2, y2), P(x, y)});
        fLast = P(x, y);
    }
    // The quadratic curve from the current point as its equal cubic.
    void Quad(double cx, double cy, double x, double y)
    {
        const double x0 = fLast.X, y0 = fLast.Y;
        Cubic(x0 + 2.0 / 3.0 * (cx - x0), y0 + 2.0 / 3.0 * (cy - y0), x + 2.0 / 3.0 * (cx - x),
              y + 2.0 / 3.0 * (cy - y), x, y);
    }
    void Close() { Add(TKVRFlowPathOp::TKind::Close, {}); }

private:
    static TPointF P(double x, double y) { return {float(x), float(y)}; }
    void Add(TKVRFlowPathOp::TKind k, std::initializer_list<TPointF> pts)
    {
        TKVRFlowPathOp op;
        op.Kind = k;
        size_t i = 0;
        for (const TPointF& p : pts)
            op.P[i++] = p;
        fOps.push_back(op);
    }

    std::vector<TKVRFlowPathOp>& fOps;
    TPointF fLast;
};

}  // namespace

TRectF OrderedBox(const TPointF& a, const TPointF& b)
{
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

TKVRFlowOutline FlowOutline(TKVRFlowType aType, const TRectF& aBox)
{
    TKVRFlowOutline o;
    o.Box = aBox;
    const double L = aBox.Left, T = aBox.Top, R = aBox.Right, B = aBox.Bottom;
    const double W = R - L, H = B - T;
    TOps p(o.Ops);
    o.Shape = TKVRFlowOutline::TShape::Path;
    switch (aType) {
    case 0: {
        // Half-round ends: the radius is half the height, at most half the width.
        o.Shape = TKVRFlowOutline::TShape::RoundRect;
        const double r = std::min(H, W) / 2.0;
        o.RadiusX = o.RadiusY = float(r);
        break;
    }
    case 1:
        o.Shape = TKVRFlowOutline::TShape::Rect;
        break;
    case 2:
        p.Move(L, B);
        p.Quad(L + W / 4.0, B + H / 6.0, L + W / 2.0, B);
        p.Quad(R - W / 4.0, B - H / 6.0, R, B);
        p.Line(R, T);
        p.Line(L, T);
        p.Line(L, B);
        break;
    case 3: {
        // Three stacked sheets; the offsets follow the width.
        const double a = W / 30.0, b = 2.0 * a;
        p.Move(L + b, T);
        p.Line(R, T);
        p.Line(R, B - b);
        p.Line(R - a, B - b);
        p.Line(R - a, T + a);
        p.Line(L + b, T + a);
        p.Line(L + b, T);
        p.Close();
        p.Move(L + a, T + a);
        p.Line(R - a, T + a);
        p.Line(R - a, B - a);
        p.Line(R - b, B - a);
        p.Line(R - b, T + b);
        p.Line(L + a, T + b);
        p.Line(L + a, T + a);
        p.Close();
        p.Move(L, B);
        p.Quad(L + W / 4.0, B + H / 6.0, L + W / 2.0, B);
        p.Quad(R - W / 4.0, B - H / 6.0, R - b, B);
        p.Line(R - b, T + b);
        p.Line(L, T + b);
        p.Line(L, B);
        break;
    }
    case 4:
        p.Move(L + W / 2.0, T);
        p.Line(R, T + H / 2.0);
        p.Line(L + W / 2.0, B);
        p.Line(L, T + H / 2.0);
        p.Line(L + W / 2.0, T);
        break;
    case 5:
        p.Move(L + W / 8.0, T);
        p.Line(R, T);
        p.Line(R - W / 8.0, B);
        p.Line(L, B);
        p.Line(L + W / 8.0, T);
        break;
    case 6: {
        const double c = H / 10.0, d = c / 2.0;
        p.Move(L, B - d);
        p.Line(L, T + d);
        p.Quad(L + W / 2.0, T - d, R, T + d);
        p.Line(R, B - d);
        p.Quad(L + W / 2.0, B + d, L, B - d);
        p.Close();
        break;
    }
    case 7:
        o.Shape = TKVRFlowOutline::TShape::Rect;
        o.StrokeLines.push_back({TPointF(float(L + W / 15.0), float(T)), TPointF(float(L + W / 15.0), float(B))});
        o.StrokeLines.push_back({TPointF(float(R - W / 15.0), float(T)), TPointF(float(R - W / 15.0), float(B))});
        break;
    case 8:
        p.Move(L, T + H / 8.0);
        p.Line(R, T);
        p.Line(R, B);
        p.Line(L, B);
        p.Line(L, T + H / 8.0);
        p.Close();
        break;
    case 9:
        p.Move(L, T);
        p.Line(R, T);
        p.Line(R - W / 8.0, B);
        p.Line(L + W / 8.0, B);
        p.Line(L, T);
        p.Close();
        break;
    case 10:
        p.Move(L + W / 4.0, T);
        p.Line(R - W / 4.0, T);
        p.Line(R, T + H / 2.0);
        p.Line(R - W / 4.0, B);
        p.Line(L + W / 4.0, B);
        p.Line(L, T + H / 2.0);
        p.Close();
        break;
    case 11:
        o.Shape = TKVRFlowOutline::TShape::Oval;
        break;
    case 12:
        p.Move(L + W / 8.0, T);
        p.Line(R - W / 8.0, T);
        p.Line(R, T + H / 2.0);
        p.Line(R - W / 8.0, B);
        p.Line(L + W / 8.0, B);
        p.Cubic(L, B - H / 4.0, L, T + H / 4.0, L + W / 8.0, T);
        p.Close();
        break;
    case 13:
        p.Move(L, T);
        p.Line(R - W / 8.0, T);
        p.Line(R, T + H / 2.0);
        p.Line(R - W / 8.0, B);
        p.Line(L, B);
        p.Line(L + W / 8.0, T + H / 2.0);
        p.Close();
        break;
    case 14:
        p.Move(L, T);
        p.Line(R - W / 8.0, T);
        p.Cubic(R, T + H / 4.0, R, B - H / 4.0, R - W / 8.0, B);
        p.Line(L, B);
        p.Line(L + W / 8.0, T + H / 2.0);
        p.Close();
        break;
    default:
        o.Shape = TKVRFlowOutline::TShape::None;
        break;
    }
    return o;
}
