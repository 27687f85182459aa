#include "elements/TKVRArc.h"
#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

// The tangent at a point of the circle, pointing back along a clockwise arc.
double Tangent(const TKVRPto& aPoint, int64_t aCX, int64_t aCY)
{
    return std::atan2(-double(aPoint.X - aCX), double(aPoint.Y - aCY));
}

}  // namespace

double TKVRArc::StartMarkAngle() const
{
    const double t = Tangent(GetPto(1), GetBaseCenterX(), GetBaseCenterY());
    return GetDirection() ? t + kPi : t;
}

double TKVRArc::EndMarkAngle() const
{
    const double t = Tangent(GetPto(3), GetBaseCenterX(), GetBaseCenterY());
    return GetDirection() ? t : t + kPi;
}

void TKVRArc::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    SetLinePaint(d, GetColor(), GetPenWidth());
    d->kP->SetAntiAlias(true);
    AdjustLineType(d, GetLineType(), GetItemState());
    const int64_t cx = GetBaseCenterX(), cy = GetBaseCenterY(), r = GetBaseRadio();
    const TRectF oval(d->GetDrawX(cx - r) + d->ScreenOffsetX, d->GetDrawY(cy - r) + d->ScreenOffsetY,
                      d->GetDrawX(cx + r) + d->ScreenOffsetX, d->GetDrawY(cy + r) + d->ScreenOffsetY);
    d->kC->DrawArc(oval, ToDegrees(GetStartAngle()), ToDegrees(GetSweepAngle()), false, d->kP);
    // The marks are given by their direction, not by a second point.
    DrawLineEnds(d, GetColor(), GetEnds(), ScreenAt(GetPto(1), d), TPointF(float(StartMarkAngle()), 0.0f),
                 ScreenAt(GetPto(3), d), TPointF(float(EndMarkAngle()), 0.0f), true);
}

void TKVRArc::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TCanvas& canvas = *d->pC;
    TStrokeBrush& stroke = canvas.Stroke();
    stroke.SetKind(TBrushKind::Solid);
    stroke.SetColor(GetColor());
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    stroke.SetCap(TStrokeCap::Flat);
    stroke.SetJoin(TStrokeJoin::Miter);
    stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
    const TPointF centre(PaperCellX(d, d->GetDrawX(GetBaseCenterX())), PaperCellY(d, d->GetDrawY(GetBaseCenterY())));
    const TPointF radius(PaperLength(d->GetDrawX(GetBaseRadio())), PaperLength(d->GetDrawY(GetBaseRadio())));
    canvas.DrawArc(centre, radius, ToDegrees(GetStartAngle()), ToDegrees(GetSweepAngle()), 255.0f);
    PrintLineEnds(d, GetEnds(), PrintAt(GetPto(1), d), TPointF(float(StartMarkAngle()), 0.0f), PrintAt(GetPto(3), d),
                  TPointF(float(EndMarkAngle()), 0.0f), true);
}
