#include "elements/TKVRLink.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include <algorithm>
#include <cmath>

namespace {

// Far beyond any page, well inside what a float and the painters hold.
constexpr double kDeviceLimit = 1.0e7;

double Held(double v)
{
    return std::isnan(v) ? 0.0 : std::clamp(v, -kDeviceLimit, kDeviceLimit);
}

float TermSizeOf(const TKVRBaseItem& aItem)
{
    const TKVRBaseLabel* owner = aItem.GetOwner();
    return owner ? owner->GetSettings().GetTermSize() : TKVRSettings().GetTermSize();
}

// The route's points on a surface.
std::vector<TPointF> Surface(const TKVRLinkRoute& r, double ox, double oy, const TKVRDraw* d)
{
    std::vector<TPointF> pts;
    pts.reserve(r.Points.size());
    for (const TKVRLinkPt& p : r.Points)
        pts.push_back(TKVRLink::SurfacePoint(p, ox, oy, d));
    return pts;
}

// The arc's circle on a surface: centre and radius per axis.
void SurfaceArc(const TKVRLinkRoute& r, double ox, double oy, const TKVRDraw* d, TPointF& oCentre, TPointF& oRadius)
{
    oCentre = TKVRLink::SurfacePoint({r.CX, r.CY}, ox, oy, d);
    oRadius = TPointF(float(Held(r.Radius * d->PixelsPerMicX)), float(Held(r.Radius * d->PixelsPerMicY)));
}

}  // namespace

TPointF TKVRLink::SurfacePoint(const TKVRLinkPt& aPoint, double aOriginX, double aOriginY, const TKVRDraw* aDraw)
{
    return TPointF(float(Held(aOriginX + aPoint.X * aDraw->PixelsPerMicX)),
                   float(Held(aOriginY + aPoint.Y * aDraw->PixelsPerMicY)));
}

void TKVRLink::CalcValues(int16_t aMode)
{
    TKVRBaseLink::CalcValues(aMode);
    UpdateRoute();
}

void TKVRLink::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    TKVRPto from, to;
    if (!ResolveAnchors(from, to))
        return;
    const TKVRLinkRoute r = Route(from, to);
    if (r.Shape == TKVRLinkRoute::TShape::None)
        return;

    const double ox = d->ScreenOffsetX, oy = d->ScreenOffsetY;
    SetLinePaint(d, GetColor(), GetPenWidth());
    AdjustLineType(d, GetLineType(), GetItemState());
    d->kP->SetAntiAlias(true);
    TSkCanvas& c = *d->kC;
    const std::vector<TPointF> pts = Surface(r, ox, oy, d);
    switch (r.Shape) {
    case TKVRLinkRoute::TShape::Line:
        c.DrawLine(pts[0], pts[1], d->kP);
        break;
    case TKVRLinkRoute::TShape::Polyline: {
        TSkPathBuilder b;
        b.AddPolygon(pts, false);
        c.DrawPath(b.Detach(), d->kP);
        break;
    }
    case TKVRLinkRoute::TShape::Arc: {
        TPointF centre, radius;
        SurfaceArc(r, ox, oy, d, centre, radius);
        const TRectF oval(centre.X - radius.X, centre.Y - radius.Y, centre.X + radius.X, centre.Y + radius.Y);
        c.DrawArc(oval, ToDegrees(r.Start), ToDegrees(r.Sweep), false, d->kP);
        break;
    }
    case TKVRLinkRoute::TShape::Curves: {
        TSkPathBuilder b;
        b.MoveTo(pts[0]);
        for (size_t i = 1; i + 2 < pts.size(); i += 3)
            b.CubicTo(pts[i], pts[i + 1], pts[i + 2]);
        c.DrawPath(b.Detach(), d->kP);
        break;
    }
    case TKVRLinkRoute::TShape::None:
        break;
    }

    // Markers are solid whatever the line; DrawTermType clears the dash.
    const float half = MarkHalf(TermSizeOf(*this), d);
    auto mark = [&](TKVRTermType aType, TAlphaColor aFill, const TKVRLinkRoute::TEnd& e) {
        const TPointF at = SurfacePoint(e.At, ox, oy, d);
        const TPointF toward = SurfacePoint(e.Toward, ox, oy, d);
        if (e.ByAngle)
            DrawTermType(d, aType, GetColor(), aFill, half, at.X, at.Y, float(e.Angle), 0.0f, 8, true);
        else
            DrawTermType(d, aType, GetColor(), aFill, half, at.X, at.Y, toward.X, toward.Y, 8, false);
    };
    mark(GetFromType(), GetFromColor(), r.From);
    mark(GetToType(), GetToColor(), r.To);
}

void TKVRLink::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TKVRPto from, to;
    if (!ResolveAnchors(from, to))
        return;
    const TKVRLinkRoute r = Route(from, to);
    // A link type without a route has no markers either, as on screen.
    if (r.Shape == TKVRLinkRoute::TShape::None)
        return;

    TCanvas& c = *d->pC;
    const double ox = d->PrintOffsetX, oy = d->PrintOffsetY;
    // The dash first (it sets the thickness to the pen width itself), then
    // the thickness in printer pixels, as every printed line does.
    TStrokeBrush& stroke = c.Stroke();
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    stroke.SetCap(TStrokeCap::Flat);
    stroke.SetJoin(TStrokeJoin::Miter);
    stroke.SetKind(TBrushKind::Solid);
    stroke.SetColor(GetColor());
    stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
    const std::vector<TPointF> pts = Surface(r, ox, oy, d);
    switch (r.Shape) {
    case TKVRLinkRoute::TShape::Line:
        c.DrawLine(pts[0], pts[1], 1.0f);
        break;
    case TKVRLinkRoute::TShape::Polyline: {
        TPathData path;
        path.MoveTo(pts[0]);
        for (size_t i = 1; i < pts.size(); ++i)
            path.LineTo(pts[i]);
        c.DrawPath(path, 1.0f);
        break;
    }
    case TKVRLinkRoute::TShape::Arc: {
        TPointF centre, radius;
        SurfaceArc(r, ox, oy, d, centre, radius);
        c.DrawArc(centre, radius, ToDegrees(r.Start), ToDegrees(r.Sweep), 1.0f);
        break;
    }
    case TKVRLinkRoute::TShape::Curves: {
        TPathData path;
        path.MoveTo(pts[0]);
        for (size_t i = 1; i + 2 < pts.size(); i += 3)
            path.CurveTo(pts[i], pts[i + 1], pts[i + 2]);
        c.DrawPath(path, 1.0f);
        break;
    }
    case TKVRLinkRoute::TShape::None:
        break;
    }

    // The screen's markers, sizes and directions; outlined in the document's
    // term colour, filled in each end's colour. PrintTermType makes them solid.
    const TAlphaColor termColor =
        GetOwner() ? GetOwner()->GetSettings().GetTermColor() : TKVRSettings().GetTermColor();
    const int32_t half = PrintMarkHalf(TermSizeOf(*this), d);
    auto mark = [&](TKVRTermType aType, TAlphaColor aFill, const TKVRLinkRoute::TEnd& e) {
        if (aType == 0)
            return;
        stroke.SetColor(termColor);
        c.Fill().SetKind(TBrushKind::Solid);
        c.Fill().SetColor(aFill);
        const TPointF at = SurfacePoint(e.At, ox, oy, d);
        if (e.ByAngle)
            PrintTermType(d, aType, at, TPointF(float(e.Angle), 0.0f), half, 8, true);
        else
            PrintTermType(d, aType, at, SurfacePoint(e.Toward, ox, oy, d), half, 8, false);
    };
    mark(GetFromType(), GetFromColor(), r.From);
    mark(GetToType(), GetToColor(), r.To);
}
