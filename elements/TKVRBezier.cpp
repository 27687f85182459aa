#include "elements/TKVRBezier.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"

namespace {

constexpr int16_t kArrowOpen = 8;

TPointF ScreenPos(const TKVRPto& aPoint, const TKVRDraw* aDraw)
{
    return {aPoint.DrawX(aDraw) + aDraw->ScreenOffsetX, aPoint.DrawY(aDraw) + aDraw->ScreenOffsetY};
}

TPointF PaperPos(const TKVRPto& aPoint, const TKVRDraw* aDraw)
{
    return {aPoint.DrawX(aDraw) + float(aDraw->PrintOffsetX), aPoint.DrawY(aDraw) + float(aDraw->PrintOffsetY)};
}

}  // namespace

TKVRBezier::TKVRBezier(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseBezier(aOwner, aPreview)
{
}

TKVRBezier::TKVRBezier(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview)
    : TKVRBaseBezier(aOwner, aNumPoints, aPreview)
{
}

TKVRBezier::TKVRBezier(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview)
    : TKVRBaseBezier(aOwner, aLayer, aNumPoints, aPreview)
{
}

TKVRBezier::~TKVRBezier() = default;

TKVRBaseItem* TKVRBezier::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                               TKVRReadType aReadType)
{
    return KVRReadItem<TKVRBezier>([&](TKVRBezier& e) { e.ReadData(aVersion, aReader, aReadType); }, aLabel,
                                   aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRBezier::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRBezier>([&](TKVRBezier& e) { e.ReadJson(aVersion, aJson); }, aLabel, false);
}

ISkPath TKVRBezier::GetPath(TKVRDraw* aDraw) const
{
    TSkPathBuilder builder;
    const int32_t n = NumPoints();
    if (n > 0) {
        builder.MoveTo(ScreenPos(GetPoint(1), aDraw));
        for (int32_t i = 2; i + 2 <= n; i += 3)
            builder.CubicTo(ScreenPos(GetPoint(i), aDraw), ScreenPos(GetPoint(i + 1), aDraw),
                            ScreenPos(GetPoint(i + 2), aDraw));
        if (GetFilled())
            builder.Close();
    }
    return builder.Detach();
}

void TKVRBezier::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!d || !d->kC || !d->kP)
        return;
    const int32_t n = NumPoints();
    TSkPaint& paint = *d->kP;
    paint.SetAntiAlias(true);
    // Without a whole segment there is no curve to paint.
    if (n >= 4) {
        const ISkPath path = GetPath(d);
        if (GetFilled()) {
            paint.SetColor(GetBackColor());
            paint.SetPathEffect(nullptr);
            paint.SetStyle(TSkPaintStyle::Fill);
            d->kC->DrawPath(path, d->kP);
        }
        if (GetPenWidth() > 0) {
            paint.SetStrokeCap(TSkStrokeCap::Round);
            paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
            paint.SetStyle(TSkPaintStyle::Stroke);
            paint.SetColor(GetColor());
            // The curve keeps its own dash whatever the editor's highlight.
            AdjustLineType(d, GetLineType(), 0);
            d->kC->DrawPath(path, d->kP);
        }
    }
    if (GetFilled() || n < 2)
        return;
    // The marks' outlines take this element's pen, not the one left by the last element.
    paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
    const TPointF first = ScreenPos(GetPoint(1), d);
    const TPointF second = ScreenPos(GetPoint(2), d);
    const TPointF last = ScreenPos(GetPoint(n), d);
    const TPointF beforeLast = ScreenPos(GetPoint(n - 1), d);
    DrawTermType(d, GetFromType(), GetColor(), GetFromColor(), GetSizeFrom() * d->TextFactor / 2, first.X, first.Y,
                 second.X, second.Y, kArrowOpen, false);
    DrawTermType(d, GetToType(), GetColor(), GetToColor(), GetSizeTo() * d->TextFactor / 2, last.X, last.Y,
                 beforeLast.X, beforeLast.Y, kArrowOpen, false);
}

void TKVRBezier::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!d || !d->pC)
        return;
    const int32_t n = NumPoints();
    TCanvas& canvas = *d->pC;
    TStrokeBrush& stroke = canvas.Stroke();
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    if (n > 3) {
        TPathData path;
        path.MoveTo(PaperPos(GetPoint(1), d));
        for (int32_t i = 2; i + 2 <= n; i += 3)
            path.CurveTo(PaperPos(GetPoint(i), d), PaperPos(GetPoint(i + 1), d), PaperPos(GetPoint(i + 2), d));
        if (GetFilled()) {
            canvas.Fill().SetKind(TBrushKind::Solid);
            canvas.Fill().SetColor(GetBackColor());
            canvas.FillPath(path, 1.0f);
        }
        if (GetPenWidth() > 0) {
            stroke.SetKind(TBrushKind::Solid);
            stroke.SetColor(GetColor());
            stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
            stroke.SetCap(TStrokeCap::Flat);
            stroke.SetJoin(TStrokeJoin::Miter);
            canvas.DrawPath(path, 1.0f);
        }
    }
    if (n < 2)
        return;
    // Marks are printed filled or not, outlined with this element's pen.
    stroke.SetKind(TBrushKind::Solid);
    stroke.SetColor(GetColor());
    stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
    if (GetFromType() != 0) {
        canvas.Fill().SetKind(TBrushKind::Solid);
        canvas.Fill().SetColor(GetFromColor());
        PrintTermType(d, GetFromType(), PaperPos(GetPoint(1), d), PaperPos(GetPoint(2), d),
                      RoundHalfEven32(GetSizeFrom() * d->TextFactor / 2), kArrowOpen, false);
    }
    if (GetToType() != 0) {
        canvas.Fill().SetKind(TBrushKind::Solid);
        canvas.Fill().SetColor(GetToColor());
        PrintTermType(d, GetToType(), PaperPos(GetPoint(n), d), PaperPos(GetPoint(n - 1), d),
                      RoundHalfEven32(GetSizeTo() * d->TextFactor / 2), kArrowOpen, false);
    }
}
