#include "elements/KVR.FMX.SymbolWalk.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/model/TKVRBaseDraw.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include <cmath>

namespace {
using TOp = TKVRSymPathOp;

TPointF Pt(const TKVRSymItem& aItem, int32_t i, const TKVRBaseDraw* d)
{
    return {aItem.DrawX(i, d), aItem.DrawY(i, d)};
}

TOp Op(TOp::TKind aKind, const TPointF& a = {}, const TPointF& b = {}, const TPointF& c = {})
{
    TOp op;
    op.Kind = aKind;
    op.P[0] = a;
    op.P[1] = b;
    op.P[2] = c;
    return op;
}

TRectF ArcBox(const TKVRSymItem& aItem, const TKVRBaseDraw* d)
{
    // Points 4 and 5: the corners of the arc's circle box.
    return TRectF(aItem.DrawX(4, d), aItem.DrawY(4, d), aItem.DrawX(5, d), aItem.DrawY(5, d));
}

TOp ArcOp(const TKVRSymArc& aArc, const TKVRBaseDraw* d, bool aNewFigure)
{
    TOp op = Op(TOp::TKind::Arc);
    op.Oval = ArcBox(aArc, d);
    op.Start = float(aArc.GetStartAngle());
    op.Sweep = float(aArc.GetSweepAngle());
    op.NewFigure = aNewFigure;
    return op;
}

// Cubic segments i, i+1, i+2 for i = 2, 5, 8 ... while point i + 2 exists.
void AppendCubics(TKVRSymPathData& aPath, const TKVRSymItem& aItem, const TKVRBaseDraw* d)
{
    for (int32_t i = 2; i + 2 <= aItem.GetNumPoints(); i += 3)
        aPath.push_back(Op(TOp::TKind::Cubic, Pt(aItem, i, d), Pt(aItem, i + 1, d), Pt(aItem, i + 2, d)));
}

bool IsClosed(const TKVRSymItem& aItem)
{
    return static_cast<const TKVRSymPolyline&>(aItem).GetClosed();
}

class TWalk
{
public:
    TWalk(const TKVRBaseDraw* aDraw, TKVRDrawConf& aConf, float aScale, TKVRSymSurface& aSurface)
        : d(aDraw), c(aConf), fScale(aScale), s(aSurface)
    {
    }

    void Item(const TKVRSymItem& aItem)
    {
        using namespace KVRSymKind;
        switch (aItem.GetKind()) {
        case PenWidth: c.PenWidth = Number(aItem); break;
        case Fill: c.Fill = Flag(aItem); break;
        case RoundCap: c.RoundCap = Flag(aItem); break;
        case ScalePen: c.ScalePen = Flag(aItem); break;
        case FColor: c.FColor = Colour(aItem); break;
        case BColor: c.BColor = Colour(aItem); break;
        case LineType: c.LineType = static_cast<const TKVRSymLineType&>(aItem).Value(); break;
        case FontColor: c.FontColor = Colour(aItem); break;
        case FontHeight: c.FontHeight = Number(aItem); break;
        case FontName: c.FontName = static_cast<const TKVRSymFontName&>(aItem).Value(); break;
        case Bold: c.Bold = Flag(aItem); break;
        case Italic: c.Italic = Flag(aItem); break;
        case Underline: c.Underline = Flag(aItem); break;
        case FontScale: c.FontScale = Number(aItem); break;
        case KVRSymKind::Line: LineItem(aItem); break;
        case Circle:
        case Ellipse: OvalItem(aItem); break;
        case Rectangle: RectItem(aItem); break;
        case Polyline: PolylineItem(aItem); break;
        case KVRSymKind::Arc: ArcItem(static_cast<const TKVRSymArc&>(aItem)); break;
        case KVRSymKind::Text: TextItem(static_cast<const TKVRSymText&>(aItem)); break;
        case Bezier: BezierItem(aItem); break;
        case KVRSymKind::Path: PathItem(Flag(aItem)); break;
        case Sector:
            Closed([&](const TAlphaColor* f, const TKVRSymPen* p) { s.Path(SymSectorPath(aItem, d), f, p); });
            break;
        default: break;
        }
    }

private:
    static bool Flag(const TKVRSymItem& i) { return static_cast<const TKVRSymFlag&>(i).Value(); }
    static TAlphaColor Colour(const TKVRSymItem& i) { return static_cast<const TKVRSymColor&>(i).Value(); }
    static float Number(const TKVRSymItem& i) { return static_cast<const TKVRSymNumber&>(i).Value(); }

    // An unscaled pen keeps its nominal width under the canvas's scale.
    TKVRSymPen Pen() const
    {
        return {c.ScalePen ? c.PenWidth : c.PenWidth / fScale, c.RoundCap, c.FColor, c.LineType};
    }
    const TKVRSymPen* Outline()
    {
        if (!(c.PenWidth > 0.0f))
            return nullptr;
        fPen = Pen();
        return &fPen;
    }
    const TAlphaColor* FillColour(bool aCanFill) const { return c.Fill && aCanFill ? &c.BColor : nullptr; }

    void LineItem(const TKVRSymItem& aItem)
    {
        if (!c.InPath) {
            s.Line(Pt(aItem, 1, d), Pt(aItem, 2, d), Pen());
            return;
        }
        if (c.FirstSegment) {
            c.FirstSegment = false;
            fPath.push_back(Op(TOp::TKind::Move, Pt(aItem, 1, d)));
        }
        fPath.push_back(Op(TOp::TKind::Line, Pt(aItem, 2, d)));
    }

    void OvalItem(const TKVRSymItem& aItem)
    {
        const float x = aItem.DrawX(1, d), y = aItem.DrawY(1, d);
        // Point 3 holds the radii (r, r for a circle): each axis at its own resolution.
        const float rx = aItem.DrawX(3, d), ry = aItem.DrawY(3, d);
        Closed([&](const TAlphaColor* f, const TKVRSymPen* p) { s.Oval(TRectF(x - rx, y - ry, x + rx, y + ry), f, p); });
    }

    void RectItem(const TKVRSymItem& aItem)
    {
        const bool round = aItem.GetValue(3) != 0.0f;
        const float rx = round ? aItem.DrawX(3, d) : 0.0f, ry = round ? aItem.DrawY(3, d) : 0.0f;
        const TRectF box(aItem.DrawX(1, d), aItem.DrawY(1, d), aItem.DrawX(2, d), aItem.DrawY(2, d));
        Closed([&](const TAlphaColor* f, const TKVRSymPen* p) { s.Rect(box, rx, ry, f, p); });
    }

    template <class TPaint>
    void Closed(const TPaint& aPaint)
    {
        const TAlphaColor* fill = FillColour(true);
        const TKVRSymPen* pen = Outline();
        if (fill || pen)
            aPaint(fill, pen);
    }

    void PolylineItem(const TKVRSymItem& aItem)
    {
        const int32_t n = aItem.GetNumPoints();
        if (n < 2)
            return;
        if (!c.InPath) {
            const TAlphaColor* fill = FillColour(IsClosed(aItem));
            const TKVRSymPen* pen = Outline();
            if (fill || pen)
                s.Path(SymPolylinePath(aItem, d), fill, pen);
            return;
        }
        fPath.push_back(Op(c.FirstSegment ? TOp::TKind::Move : TOp::TKind::Line, Pt(aItem, 1, d)));
        c.FirstSegment = false;
        for (int32_t i = 2; i <= n; ++i)
            fPath.push_back(Op(TOp::TKind::Line, Pt(aItem, i, d)));
    }

    void BezierItem(const TKVRSymItem& aItem)
    {
        if (aItem.GetNumPoints() < 2)
            return;
        if (!c.InPath) {
            const TAlphaColor* fill = FillColour(IsClosed(aItem));
            const TKVRSymPen* pen = Outline();
            if (fill || pen)
                s.Path(SymBezierPath(aItem, d), fill, pen);
            return;
        }
        // A later curve goes on from the current point.
        if (c.FirstSegment) {
            c.FirstSegment = false;
            fPath.push_back(Op(TOp::TKind::Move, Pt(aItem, 1, d)));
        }
        AppendCubics(fPath, aItem, d);
    }

    void ArcItem(const TKVRSymArc& aArc)
    {
        if (!c.InPath) {
            s.Arc(ArcBox(aArc, d), float(aArc.GetStartAngle()), float(aArc.GetSweepAngle()), Pen());
            return;
        }
        // Within a path the arc goes on from the current point by a straight
        // line to its start; the first segment starts a figure with it.
        fPath.push_back(ArcOp(aArc, d, c.FirstSegment));
        c.FirstSegment = false;
    }

    void TextItem(const TKVRSymText& aText)
    {
        if (aText.GetText().isEmpty() || !(c.FontHeight > 0.0f) || !(c.FontScale > 0.0f))
            return;
        s.Text(aText, Pt(aText, 1, d), c);
    }

    void PathItem(bool aOpen)
    {
        if (aOpen) {
            c.InPath = true;
            c.FirstSegment = true;
            fPath.clear();
            return;
        }
        if (!c.InPath)
            return;
        c.InPath = false;
        if (fPath.empty())
            return;
        fPath.push_back(Op(TOp::TKind::Close));
        const TAlphaColor* fill = FillColour(true);
        const TKVRSymPen* pen = Outline();
        if (fill || pen)
            s.Path(fPath, fill, pen);
        fPath.clear();
    }

    const TKVRBaseDraw* d;
    TKVRDrawConf& c;
    float fScale;
    TKVRSymSurface& s;
    TKVRSymPathData fPath;
    TKVRSymPen fPen;
};
}  // namespace

void WalkSymbol(const TKVRBaseLibSymbol& aSymbol, const TKVRBaseDraw* aDraw, TKVRDrawConf& aConf, float aScale,
                TKVRSymSurface& aSurface)
{
    // The pen of an unscaled symbol is divided by the scale.
    if (!KVRSymPaintableScale(aScale))
        return;
    aConf.InPath = false;
    aConf.FirstSegment = false;
    TWalk walk(aDraw, aConf, aScale, aSurface);
    for (int32_t i = 1; i <= aSymbol.GetItemsCount(); ++i)
        walk.Item(*aSymbol.GetItem(i));
    aConf.InPath = false;
}

TPointF SymTextCorner(float aX, float aY, float aW, float aH, uint8_t aHorz, uint8_t aVert, float aAngle)
{
    float left = aX, top = aY;
    if (aHorz == 1)
        left = aX - aW / 2.0f;
    else if (aHorz == 2)
        left = aX - aW;
    if (aVert == 1)
        top = aY - aH / 2.0f;
    else if (aVert == 2)
        top = aY - aH;
    if (aAngle == 0.0f)
        return {left, top};
    return TDraw2D::RotatePoint(TPointF(left, top), TPointF(aX, aY), -aAngle);
}

TKVRSymPathData SymPolylinePath(const TKVRSymItem& aItem, const TKVRBaseDraw* aDraw)
{
    TKVRSymPathData path;
    if (aItem.GetNumPoints() < 1)
        return path;
    path.push_back(Op(TOp::TKind::Move, Pt(aItem, 1, aDraw)));
    for (int32_t i = 2; i <= aItem.GetNumPoints(); ++i)
        path.push_back(Op(TOp::TKind::Line, Pt(aItem, i, aDraw)));
    if (IsClosed(aItem))
        path.push_back(Op(TOp::TKind::Close));
    return path;
}

TKVRSymPathData SymBezierPath(const TKVRSymItem& aItem, const TKVRBaseDraw* aDraw)
{
    TKVRSymPathData path;
    if (aItem.GetNumPoints() < 1)
        return path;
    path.push_back(Op(TOp::TKind::Move, Pt(aItem, 1, aDraw)));
    AppendCubics(path, aItem, aDraw);
    if (IsClosed(aItem))
        path.push_back(Op(TOp::TKind::Close));
    return path;
}

TKVRSymPathData SymSectorPath(const TKVRSymItem& aItem, const TKVRBaseDraw* aDraw)
{
    const auto& sector = static_cast<const TKVRSymArc&>(aItem);
    const float x = aItem.DrawX(1, aDraw), y = aItem.DrawY(1, aDraw);
    const float rx = aItem.DrawX(3, aDraw), ry = aItem.DrawY(3, aDraw);
    TOp arc = Op(TOp::TKind::Arc);
    arc.Oval = TRectF(x - rx, y - ry, x + rx, y + ry);
    arc.Start = float(sector.GetStartAngle());
    arc.Sweep = float(sector.GetSweepAngle());
    return {Op(TOp::TKind::Move, TPointF(x, y)), arc, Op(TOp::TKind::Close)};
}
