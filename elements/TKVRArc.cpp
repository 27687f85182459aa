#include "elements/TKVRArc.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include <cmath>
#include <numbers>

namespace {

constexpr int16_t kArrowOpen = 8;
constexpr double kPi = std::numbers::pi;

double ToDegrees(double aRadians)
{
    return aRadians * 180.0 / kPi;
}

// The tangent at a point of the circle, pointing back along a clockwise arc.
double Tangent(const TKVRPto& aPoint, int64_t aCX, int64_t aCY)
{
    return std::atan2(-double(aPoint.X - aCX), double(aPoint.Y - aCY));
}

}  // namespace

TKVRArc::TKVRArc(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseArc(aOwner, aPreview)
{
}

TKVRArc::TKVRArc(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview) : TKVRBaseArc(aOwner, aLayer, aPreview)
{
}

TKVRArc::TKVRArc(TKVRBaseLabel* aOwner, int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aStart,
                 float aEnd, bool aPreview)
    : TKVRBaseArc(aOwner, aCenterX, aCenterY, aRadius, aStart, aEnd, aPreview)
{
}

TKVRArc::TKVRArc(TKVRBaseLabel* aOwner, int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3,
                 int64_t aY3, bool aPreview)
    : TKVRBaseArc(aOwner, aX1, aY1, aX2, aY2, aX3, aY3, aPreview)
{
}

TKVRBaseItem* TKVRArc::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    return KVRReadItem<TKVRArc>([&](TKVRArc& e) { e.ReadData(aVersion, aReader, aReadType); }, aLabel,
                                aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRArc::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRArc>([&](TKVRArc& e) { e.ReadJson(aVersion, aJson); }, aLabel, false);
}

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
    if (!d || !d->kC || !d->kP)
        return;
    TSkPaint& paint = *d->kP;
    paint.SetColor(GetColor());
    paint.SetStrokeCap(TSkStrokeCap::Butt);
    paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
    paint.SetAntiAlias(true);
    AdjustLineType(d, GetLineType(), GetItemState());
    const int64_t cx = GetBaseCenterX(), cy = GetBaseCenterY(), r = GetBaseRadio();
    const TRectF oval(d->GetDrawX(cx - r) + d->ScreenOffsetX, d->GetDrawY(cy - r) + d->ScreenOffsetY,
                      d->GetDrawX(cx + r) + d->ScreenOffsetX, d->GetDrawY(cy + r) + d->ScreenOffsetY);
    d->kC->DrawArc(oval, float(ToDegrees(GetStartAngle())), float(ToDegrees(GetSweepAngle())), false, d->kP);

    const TKVRPto p1 = GetPto(1);
    const TKVRPto p3 = GetPto(3);
    DrawTermType(d, GetFromType(), GetColor(), GetFromColor(), GetSizeFrom() * d->TextFactor / 2,
                 p1.DrawX(d) + d->ScreenOffsetX, p1.DrawY(d) + d->ScreenOffsetY, float(StartMarkAngle()), 0.0f,
                 kArrowOpen, true);
    DrawTermType(d, GetToType(), GetColor(), GetToColor(), GetSizeTo() * d->TextFactor / 2,
                 p3.DrawX(d) + d->ScreenOffsetX, p3.DrawY(d) + d->ScreenOffsetY, float(EndMarkAngle()), 0.0f,
                 kArrowOpen, true);
}

void TKVRArc::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!d || !d->pC)
        return;
    TCanvas& canvas = *d->pC;
    TStrokeBrush& stroke = canvas.Stroke();
    stroke.SetKind(TBrushKind::Solid);
    stroke.SetColor(GetColor());
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    stroke.SetCap(TStrokeCap::Flat);
    stroke.SetJoin(TStrokeJoin::Miter);
    stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
    const TPointF centre(float(d->PrintOffsetX) + d->GetDrawX(GetBaseCenterX()),
                         float(d->PrintOffsetY) + d->GetDrawY(GetBaseCenterY()));
    const TPointF radius(d->GetDrawX(GetBaseRadio()), d->GetDrawY(GetBaseRadio()));
    canvas.DrawArc(centre, radius, float(ToDegrees(GetStartAngle())), float(ToDegrees(GetSweepAngle())), 255.0f);

    if (GetFromType() != 0) {
        const TKVRPto p1 = GetPto(1);
        canvas.Fill().SetKind(TBrushKind::Solid);
        canvas.Fill().SetColor(GetFromColor());
        PrintTermType(d, GetFromType(),
                      TPointF(float(d->PrintOffsetX + p1.PrintX(d)), float(d->PrintOffsetY + p1.PrintY(d))),
                      TPointF(float(StartMarkAngle()), 0.0f), RoundHalfEven32(GetSizeFrom() * d->TextFactor / 2),
                      kArrowOpen, true);
    }
    if (GetToType() != 0) {
        const TKVRPto p3 = GetPto(3);
        canvas.Fill().SetKind(TBrushKind::Solid);
        canvas.Fill().SetColor(GetToColor());
        PrintTermType(d, GetToType(),
                      TPointF(float(d->PrintOffsetX + p3.PrintX(d)), float(d->PrintOffsetY + p3.PrintY(d))),
                      TPointF(float(EndMarkAngle()), 0.0f), RoundHalfEven32(GetSizeTo() * d->TextFactor / 2),
                      kArrowOpen, true);
    }
}
