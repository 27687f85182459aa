#include "elements/KVR.FMX.ElementPaint.h"
#include "elements/KVR.FMX.SymbolWalk.h"
#include "elements/TKVRSymbol.h"
#include "platform/fmx/FMX.Graphics.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include <cmath>
#include <numbers>

namespace {

TPathData ToPathData(const TKVRSymPathData& aPath)
{
    TPathData path;
    for (const TKVRSymPathOp& op : aPath) {
        switch (op.Kind) {
        case TKVRSymPathOp::TKind::Move: path.MoveTo(op.P[0]); break;
        case TKVRSymPathOp::TKind::Line: path.LineTo(op.P[0]); break;
        case TKVRSymPathOp::TKind::Cubic: path.CurveTo(op.P[0], op.P[1], op.P[2]); break;
        case TKVRSymPathOp::TKind::Arc: {
            const TPointF centre = op.Oval.CenterPoint();
            const TPointF radius(op.Oval.Width() / 2.0f, op.Oval.Height() / 2.0f);
            if (op.NewFigure) {
                // A figure of its own: start on the arc, not joined to the last point.
                const double a = double(op.Start) * std::numbers::pi / 180.0;
                path.MoveTo(TPointF(float(centre.X + radius.X * std::cos(a)), float(centre.Y + radius.Y * std::sin(a))));
            }
            path.AddArc(centre, radius, op.Start, op.Sweep);
            break;
        }
        case TKVRSymPathOp::TKind::Close: path.ClosePath(); break;
        }
    }
    return path;
}

// The printer side of the walk: the screen's rules on the printer canvas,
// inside the symbol's matrix.
class TPaperSurface : public TKVRSymSurface
{
public:
    TPaperSurface(TKVRDraw* aDraw, const TMatrix& aMatrix, float aScale)
        : d(aDraw), c(*aDraw->pC), fMatrix(aMatrix), fHairline(1.0f / aScale)
    {
    }

    void Line(const TPointF& aFrom, const TPointF& aTo, const TKVRSymPen& aPen) override
    {
        Stroke(aPen, true);
        c.DrawLine(aFrom, aTo, 1.0f);
        c.Stroke().SetDash(TStrokeDash::Solid);
    }

    void Arc(const TRectF& aOval, float aStart, float aSweep, const TKVRSymPen& aPen) override
    {
        Stroke(aPen, true);
        c.DrawArc(aOval.CenterPoint(), TPointF(aOval.Width() / 2.0f, aOval.Height() / 2.0f), aStart, aSweep, 255.0f);
        c.Stroke().SetDash(TStrokeDash::Solid);
    }

    void Oval(const TRectF& aBox, const TAlphaColor* aFill, const TKVRSymPen* aPen) override
    {
        Shape(aFill, aPen, false, [&] { c.FillEllipse(aBox, 1.0f); }, [&] { c.DrawEllipse(aBox, 1.0f); });
    }

    void Rect(const TRectF& aBox, float aRadiusX, float aRadiusY, const TAlphaColor* aFill,
              const TKVRSymPen* aPen) override
    {
        const float rx = std::max(0.0f, aRadiusX), ry = std::max(0.0f, aRadiusY);
        const TCorners corners = rx > 0.0f || ry > 0.0f ? AllCorners : NoCorners;
        Shape(aFill, aPen, false, [&] { c.FillRect(aBox, rx, ry, corners, 1.0f); },
              [&] { c.DrawRect(aBox, rx, ry, corners, 1.0f); });
    }

    void Path(const TKVRSymPathData& aPath, const TAlphaColor* aFill, const TKVRSymPen* aPen) override
    {
        const TPathData path = ToPathData(aPath);
        Shape(aFill, aPen, true, [&] { c.FillPath(path, 1.0f); }, [&] { c.DrawPath(path, 1.0f); });
    }

    void Text(const TKVRSymText& aItem, const TPointF& aAt, const TKVRDrawConf& aConf) override
    {
        // The font keeps its height; FontScale only stretches across, as on screen.
        SetPrintFont(c, aConf.FontName, FontPrintSize(aConf.FontHeight), aConf.Bold, aConf.Italic, aConf.Underline);
        const QString text = aItem.GetText();
        const TPointF size = GetTextSize(c, text);
        const TPointF off = GetInternalTextOffset(c, text);
        const float w = size.X * aConf.FontScale;
        const TPointF corner =
            SymTextCorner(aAt.X, aAt.Y, w, size.Y, aItem.GetHorzAlign(), aItem.GetVertAlign(), aItem.GetAngle());

        TCanvasStateGuard guard(c);
        c.Fill().SetKind(TBrushKind::Solid);
        c.Fill().SetColor(aConf.FontColor);
        c.Stroke().SetDash(TStrokeDash::Solid);
        TMatrix m = TMatrix::CreateTranslation(off.X, off.Y);
        if (aConf.FontScale != 1.0f)
            m = m * TMatrix::CreateScaling(aConf.FontScale, 1.0f);
        if (aItem.GetAngle() != 0.0f)
            m = m * TMatrix::CreateRotation(float(-double(aItem.GetAngle()) * std::numbers::pi / 180.0));
        m = m * TMatrix::CreateTranslation(corner.X, corner.Y) * fMatrix;
        c.SetMatrix(m);
        c.FillText(TRectF(0.0f, 0.0f, size.X + 100.0f, size.Y + 100.0f), text, false, 255.0f, 0, TTextAlign::Leading,
                   TTextAlign::Leading);
    }

private:
    // The dash follows the pen the screen uses (its width in millimetres),
    // then the stroke takes that width in printer pixels.
    void Stroke(const TKVRSymPen& aPen, bool aCap)
    {
        TStrokeBrush& s = c.Stroke();
        AdjustPrintLineType(d, aPen.WidthMm, aPen.LineType);
        if (aCap)
            s.SetCap(aPen.RoundCap ? TStrokeCap::Round : TStrokeCap::Flat);
        s.SetJoin(TStrokeJoin::Miter);
        s.SetKind(TBrushKind::Solid);
        s.SetColor(aPen.Color);
        // A pen without width is the screen's hairline: one printer pixel.
        s.SetThickness(aPen.WidthMm > 0.0f ? d->DrawBasePtoX(aPen.WidthMm) : fHairline);
    }

    template <class TFill, class TOutline>
    void Shape(const TAlphaColor* aFill, const TKVRSymPen* aPen, bool aCap, const TFill& aFillFn,
               const TOutline& aOutlineFn)
    {
        if (aFill) {
            c.Fill().SetKind(TBrushKind::Solid);
            c.Fill().SetColor(*aFill);
            aFillFn();
        }
        if (aPen) {
            Stroke(*aPen, aCap);
            aOutlineFn();
            c.Stroke().SetDash(TStrokeDash::Solid);
        }
    }

    TKVRDraw* d;
    TCanvas& c;
    TMatrix fMatrix;
    float fHairline;  // one device pixel in the symbol's units
};

}  // namespace

void TKVRSymbol::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TCanvas& c = *d->pC;
    c.Stroke().SetCap(TStrokeCap::Flat);
    ConfFromLayer(d->aConf, *this);
    const TKVRBaseLibSymbol* symbol = GetSymbol();
    if (!symbol || !HasPaintableScale())
        return;

    // Restored at the end, also when an item raises.
    TCanvasStateGuard guard(c);
    const TPointF at = PaperAt(GetPoint(1), d);
    const TKVRDrawState state = d->DrawState;
    d->ResetMatrix(state);
    d->Translate(-d->GetDrawX(symbol->GetRefX()), -d->GetDrawY(symbol->GetRefY()));
    d->Scale(GetScale(), GetScale());
    d->Rotate(GetAngleDeg());
    d->Translate(at.X, at.Y);
    d->ApplyMatrix();
    TPaperSurface surface(d, d->LM, GetScale());
    WalkSymbol(*symbol, d, d->aConf, GetScale(), surface);
}
