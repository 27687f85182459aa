#include "elements/TKVRSymbol.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "elements/KVR.FMX.SymbolWalk.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/KVR.SymItems.h"
#include "render/KVR.FMX.Text.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

ISkPath ToSkPath(const TKVRSymPathData& aPath)
{
    TSkPathBuilder b;
    for (const TKVRSymPathOp& op : aPath) {
        switch (op.Kind) {
        case TKVRSymPathOp::TKind::Move: b.MoveTo(op.P[0]); break;
        case TKVRSymPathOp::TKind::Line: b.LineTo(op.P[0]); break;
        case TKVRSymPathOp::TKind::Cubic: b.CubicTo(op.P[0], op.P[1], op.P[2]); break;
        case TKVRSymPathOp::TKind::Arc: b.ArcTo(op.Oval, op.Start, op.Sweep, op.NewFigure); break;
        case TKVRSymPathOp::TKind::Close: b.Close(); break;
        }
    }
    return b.Detach();
}

// The Skia side of the walk.
class TScreenSurface : public TKVRSymSurface
{
public:
    explicit TScreenSurface(TKVRDraw* aDraw) : d(aDraw), c(*aDraw->kC), p(*aDraw->kP) {}

    void Line(const TPointF& aFrom, const TPointF& aTo, const TKVRSymPen& aPen) override
    {
        Stroke(aPen, true);
        c.DrawLine(aFrom, aTo, d->kP);
    }

    void Arc(const TRectF& aOval, float aStart, float aSweep, const TKVRSymPen& aPen) override
    {
        Stroke(aPen, true);
        c.DrawArc(aOval, aStart, aSweep, false, d->kP);
    }

    void Oval(const TRectF& aBox, const TAlphaColor* aFill, const TKVRSymPen* aPen) override
    {
        Shape(aFill, aPen, false, [&] { c.DrawOval(aBox, d->kP); });
    }

    void Rect(const TRectF& aBox, float aRadiusX, float aRadiusY, const TAlphaColor* aFill,
              const TKVRSymPen* aPen) override
    {
        Shape(aFill, aPen, false, [&] {
            if (aRadiusX != 0.0f || aRadiusY != 0.0f)
                c.DrawRoundRect(aBox, aRadiusX, aRadiusY, d->kP);
            else
                c.DrawRect(aBox, d->kP);
        });
    }

    void Path(const TKVRSymPathData& aPath, const TAlphaColor* aFill, const TKVRSymPen* aPen) override
    {
        const ISkPath path = ToSkPath(aPath);
        Shape(aFill, aPen, true, [&] { c.DrawPath(path, d->kP); });
    }

    void Text(const TKVRSymText& aItem, const TPointF& aAt, const TKVRDrawConf& aConf) override
    {
        const ISkTypeface typeface = TSkTypeface::MakeFromName(aConf.FontName, GetFontStyle(aConf.Bold, aConf.Italic));
        if (!typeface)
            return;
        const ISkFont font = std::make_shared<TSkFont>(typeface, aConf.FontHeight * d->TextFactor, aConf.FontScale, 0.0f);
        TSkFontMetrics m;
        font->GetMetrics(m);
        const float A = std::fabs(m.Ascent), D = std::fabs(m.Descent);
        SetTextPaint(d, aConf.FontColor);
        p.SetStyle(TSkPaintStyle::Fill);
        const float w = font->MeasureText(aItem.GetText(), d->kP);
        const TPointF corner =
            SymTextCorner(aAt.X, aAt.Y, w, A + D, aItem.GetHorzAlign(), aItem.GetVertAlign(), aItem.GetAngle());
        const TKVRSkCanvasSave save(c);
        c.Translate(corner.X, corner.Y);
        if (aItem.GetAngle() != 0.0f)
            c.Rotate(-aItem.GetAngle());
        // The baseline lies the ascent below the box's top.
        c.DrawSimpleText(aItem.GetText(), 0.0f, A, font, d->kP);
    }

private:
    void Stroke(const TKVRSymPen& aPen, bool aCap)
    {
        p.SetAntiAlias(true);
        p.SetStrokeWidth(d->FitPen(d->BasePtoX(aPen.WidthMm)));
        if (aCap)
            p.SetStrokeCap(aPen.RoundCap ? TSkStrokeCap::Round : TSkStrokeCap::Butt);
        p.SetColor(aPen.Color);
        AdjustLineType(d, aPen.LineType, 0);
    }

    template <class TPaint>
    void Shape(const TAlphaColor* aFill, const TKVRSymPen* aPen, bool aCap, const TPaint& aPaint)
    {
        p.SetAntiAlias(true);
        if (aFill) {
            SetFillPaint(d, *aFill);
            aPaint();
        }
        if (aPen) {
            Stroke(*aPen, aCap);
            aPaint();
        }
    }

    TKVRDraw* d;
    TSkCanvas& c;
    TSkPaint& p;
};

// Where a walk paints, in pixels of the context: shapes widened by half
// their pen, paths by the whole pen (sharp joins reach past half of it),
// texts by their boxes as they are turned, with room for glyphs that
// overhang their advance.
class TExtentSurface : public TKVRSymSurface
{
public:
    explicit TExtentSurface(const TKVRDraw& aDraw) : d(aDraw) {}

    void Line(const TPointF& aFrom, const TPointF& aTo, const TKVRSymPen& aPen) override
    {
        Add(aFrom, Wide(&aPen) / 2.0f);
        Add(aTo, Wide(&aPen) / 2.0f);
    }
    void Arc(const TRectF& aOval, float, float, const TKVRSymPen& aPen) override
    {
        AddRect(aOval, Wide(&aPen) / 2.0f);
    }
    void Oval(const TRectF& aBox, const TAlphaColor*, const TKVRSymPen* aPen) override
    {
        AddRect(aBox, Wide(aPen) / 2.0f);
    }
    void Rect(const TRectF& aBox, float, float, const TAlphaColor*, const TKVRSymPen* aPen) override
    {
        AddRect(aBox, Wide(aPen) / 2.0f);
    }
    void Path(const TKVRSymPathData& aPath, const TAlphaColor*, const TKVRSymPen* aPen) override
    {
        const float wide = Wide(aPen);
        for (const TKVRSymPathOp& op : aPath) {
            switch (op.Kind) {
            case TKVRSymPathOp::TKind::Move:
            case TKVRSymPathOp::TKind::Line: Add(op.P[0], wide); break;
            case TKVRSymPathOp::TKind::Cubic:
                for (const TPointF& p : op.P)
                    Add(p, wide);
                break;
            case TKVRSymPathOp::TKind::Arc: AddRect(op.Oval, wide); break;
            case TKVRSymPathOp::TKind::Close: break;
            }
        }
    }
    // Measured as the screen paints it.
    void Text(const TKVRSymText& aItem, const TPointF& aAt, const TKVRDrawConf& aConf) override
    {
        const ISkTypeface typeface = TSkTypeface::MakeFromName(aConf.FontName, GetFontStyle(aConf.Bold, aConf.Italic));
        if (!typeface)
            return;
        const ISkFont font = std::make_shared<TSkFont>(typeface, aConf.FontHeight * d.TextFactor, aConf.FontScale, 0.0f);
        TSkFontMetrics m;
        font->GetMetrics(m);
        const float h = std::fabs(m.Ascent) + std::fabs(m.Descent);
        const float w = font->MeasureText(aItem.GetText());
        const TPointF corner =
            SymTextCorner(aAt.X, aAt.Y, w, h, aItem.GetHorzAlign(), aItem.GetVertAlign(), aItem.GetAngle());
        const double turn = -double(aItem.GetAngle()) * std::numbers::pi / 180.0;
        const double c = std::cos(turn), sn = std::sin(turn);
        const float overhang = h / 2.0f;
        for (const TPointF& v : {TPointF(0, 0), TPointF(w, 0), TPointF(0, h), TPointF(w, h)})
            Add(TPointF(float(corner.X + v.X * c - v.Y * sn), float(corner.Y + v.X * sn + v.Y * c)), overhang);
    }

    bool Any = false;
    bool Pens = true;  // false: the shapes' own lines, without their pens
    float Left = 0, Top = 0, Right = 0, Bottom = 0;

private:
    float Wide(const TKVRSymPen* aPen) const { return aPen && Pens ? std::fabs(d.BasePtoX(aPen->WidthMm)) : 0.0f; }
    void AddRect(const TRectF& aBox, float aWide)
    {
        Add(aBox.TopLeft(), aWide);
        Add(aBox.BottomRight(), aWide);
    }
    void Add(const TPointF& aPoint, float aWide)
    {
        if (!std::isfinite(aPoint.X) || !std::isfinite(aPoint.Y) || !std::isfinite(aWide))
            return;
        if (!Any) {
            Left = Right = aPoint.X;
            Top = Bottom = aPoint.Y;
            Any = true;
        }
        Left = std::min(Left, aPoint.X - aWide);
        Right = std::max(Right, aPoint.X + aWide);
        Top = std::min(Top, aPoint.Y - aWide);
        Bottom = std::max(Bottom, aPoint.Y + aWide);
    }

    const TKVRDraw& d;
};

}  // namespace

void TKVRSymbol::CheckFit(TKVRExtent& aExtent)
{
    TKVRBaseSymbol::CheckFit(aExtent);
    const TKVRBaseLibSymbol* symbol = GetSymbol();
    if (!symbol || !HasPaintableScale())
        return;
    // The definition's bounds leave out pens and texts, whose sizes are
    // paper millimetres: walk it as the screen paints it, at 10 micrometres
    // of paper a pixel, and take the corners of what it covers.
    TKVRDraw d;
    d.SetResolution(2540, 2540, GetDrawScale());
    TKVRDrawConf conf;
    ConfFromLayer(conf, *this);
    TExtentSurface surface(d);
    WalkSymbol(*symbol, &d, conf, GetScale(), surface);
    if (!surface.Any)
        return;
    auto symbolX = [&](float aPixels) { return KVRHeldExtent(double(aPixels) / d.PixelsPerMicX); };
    auto symbolY = [&](float aPixels) { return KVRHeldExtent(double(aPixels) / d.PixelsPerMicY); };
    for (const TKVRPto& corner : {TKVRPto{symbolX(surface.Left), symbolY(surface.Top)},
                                  TKVRPto{symbolX(surface.Right), symbolY(surface.Top)},
                                  TKVRPto{symbolX(surface.Right), symbolY(surface.Bottom)},
                                  TKVRPto{symbolX(surface.Left), symbolY(surface.Bottom)}}) {
        const TKVRPto p = ToDocument(corner);
        aExtent.Include(p.X, p.Y);
    }
}

TKVRExtent TKVRSymbol::LibBounds(const TKVRBaseLibSymbol& aSymbol, const TKVRDrawConf& aConf)
{
    TKVRExtent e;
    if (aSymbol.GetRight() != aSymbol.GetLeft() || aSymbol.GetBottom() != aSymbol.GetTop() || aSymbol.GetLeft() != 0 ||
        aSymbol.GetTop() != 0) {
        e.Include(aSymbol.GetLeft(), aSymbol.GetTop());
        e.Include(aSymbol.GetRight(), aSymbol.GetBottom());
    }
    // Walked at 10 micrometres a pixel, as the screen paints it.
    TKVRDraw d;
    d.SetResolution(2540, 2540, 1);
    TKVRDrawConf conf = aConf;
    TExtentSurface surface(d);
    surface.Pens = false;
    WalkSymbol(aSymbol, &d, conf, 1.0f, surface);
    if (surface.Any) {
        e.Include(KVRHeldExtent(double(surface.Left) / d.PixelsPerMicX), KVRHeldExtent(double(surface.Top) / d.PixelsPerMicY));
        e.Include(KVRHeldExtent(double(surface.Right) / d.PixelsPerMicX),
                  KVRHeldExtent(double(surface.Bottom) / d.PixelsPerMicY));
    }
    return e;
}

ISkPath TKVRSymbol::GetPathPolyline(const TKVRBaseDraw* aDraw, const TKVRSymItem& aItem)
{
    return ToSkPath(SymPolylinePath(aItem, aDraw));
}

ISkPath TKVRSymbol::GetPathBezier(const TKVRBaseDraw* aDraw, const TKVRSymItem& aItem)
{
    return ToSkPath(SymBezierPath(aItem, aDraw));
}

ISkPath TKVRSymbol::GetPathSector(const TKVRBaseDraw* aDraw, const TKVRSymItem& aItem)
{
    return ToSkPath(SymSectorPath(aItem, aDraw));
}

void TKVRSymbol::DrawSymbol(TKVRDraw* aDraw, const TKVRBaseLibSymbol* aSymbol, float aScale)
{
    if (!aSymbol || !CanDraw(aDraw))
        return;
    if (!KVRSymPaintableScale(aScale))
        return;
    TScreenSurface surface(aDraw);
    WalkSymbol(*aSymbol, aDraw, aDraw->aConf, aScale, surface);

    if (!aDraw->aDrawLinkPto || aSymbol->GetNumLinks() < 1)
        return;
    // Circles of 1 mm radius in symbol units, solid whatever the last item's line type.
    TSkPaint& p = *aDraw->kP;
    p.SetColor(aDraw->aLinkPoint);
    p.SetStyle(TSkPaintStyle::Stroke);
    p.SetPathEffect(nullptr);
    for (int32_t i = 1; i <= aSymbol->GetNumLinks(); ++i) {
        const TKVRPto l = aSymbol->GetLink(i);
        aDraw->kC->DrawOval(TRectF(aSymbol->DrawX(l.X - 1000, aDraw), aSymbol->DrawY(l.Y - 1000, aDraw),
                                   aSymbol->DrawX(l.X + 1000, aDraw), aSymbol->DrawY(l.Y + 1000, aDraw)),
                            aDraw->kP);
    }
}

void TKVRSymbol::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    ConfFromLayer(d->aConf, *this);
    if (!HasPaintableScale())
        return;
    TSkCanvas& canvas = *d->kC;
    const TKVRSkCanvasSave save(canvas);
    const TPointF at = ScreenAt(GetPoint(1), d);
    canvas.Translate(at.X, at.Y);
    canvas.Scale(GetScale(), GetScale());
    canvas.Rotate(GetAngleDeg());
    if (const TKVRBaseLibSymbol* symbol = GetSymbol()) {
        // The insertion point lands on point 1.
        canvas.Translate(-d->GetDrawX(symbol->GetRefX()), -d->GetDrawY(symbol->GetRefY()));
        DrawSymbol(d, symbol, GetScale());
    }
}

// The layer's defaults: colours, line type 0, the layer's pen and font with
// its bold and italic (a layer has no underline); pens do not scale with the
// symbol until an item says so.
void TKVRSymbol::ConfFromLayer(TKVRDrawConf& aConf, const TKVRBaseItem& aItem)
{
    aConf.Reset();
    const TKVRBaseLabel* label = aItem.GetOwner();
    if (!label || aItem.GetLayer() < 0 || aItem.GetLayer() >= label->GetLayerCount())
        return;
    const TKVRLayer* layer = label->GetLayer(aItem.GetLayer());
    aConf.Ini(layer->Color, layer->BackColor, false, 0, float(layer->PenWidth) / 1000.0f);
    aConf.IniFont(layer->FontColor, layer->Bold, layer->Italic, false, layer->FontName,
                  float(layer->FontHeight) / 1000.0f, 1.0f);
}
