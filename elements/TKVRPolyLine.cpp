#include "elements/TKVRPolyLine.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include <vector>

namespace {

// Arrow opening of every line end of this element.
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

TKVRPolyLine::TKVRPolyLine(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBasePolyLine(aOwner, aPreview)
{
}

TKVRPolyLine::TKVRPolyLine(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview)
    : TKVRBasePolyLine(aOwner, aNumPoints, aPreview)
{
}

TKVRPolyLine::TKVRPolyLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview)
    : TKVRBasePolyLine(aOwner, aLayer, aNumPoints, aPreview)
{
}

TKVRBaseItem* TKVRPolyLine::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                                 TKVRReadType aReadType)
{
    return KVRReadItem<TKVRPolyLine>([&](TKVRPolyLine& e) { e.ReadData(aVersion, aReader, aReadType); }, aLabel,
                                     aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRPolyLine::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRPolyLine>([&](TKVRPolyLine& e) { e.ReadJson(aVersion, aJson); }, aLabel, false);
}

ISkPath TKVRPolyLine::GetPath(TKVRDraw* aDraw) const
{
    TSkPathBuilder builder;
    const int32_t n = NumPoints();
    if (n > 0)
        builder.MoveTo(ScreenPos(GetPoint(1), aDraw));
    for (int32_t i = 2; i <= n; ++i)
        builder.LineTo(ScreenPos(GetPoint(i), aDraw));
    return builder.Detach();
}

void TKVRPolyLine::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    const int32_t n = NumPoints();
    if (!d || !d->kC || !d->kP || n < 2)
        return;
    TSkPaint& paint = *d->kP;
    paint.SetColor(GetColor());
    paint.SetAntiAlias(true);
    paint.SetStrokeCap(TSkStrokeCap::Butt);
    paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
    AdjustLineType(d, GetLineType(), GetItemState());
    d->kC->DrawPath(GetPath(d), d->kP);

    const TPointF first = ScreenPos(GetPoint(1), d);
    const TPointF second = ScreenPos(GetPoint(2), d);
    const TPointF last = ScreenPos(GetPoint(n), d);
    const TPointF beforeLast = ScreenPos(GetPoint(n - 1), d);
    DrawTermType(d, GetFromType(), GetColor(), GetFromColor(), GetSizeFrom() * d->TextFactor / 2, first.X, first.Y,
                 second.X, second.Y, kArrowOpen, false);
    DrawTermType(d, GetToType(), GetColor(), GetToColor(), GetSizeTo() * d->TextFactor / 2, last.X, last.Y,
                 beforeLast.X, beforeLast.Y, kArrowOpen, false);
}

void TKVRPolyLine::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    const int32_t n = NumPoints();
    if (!d || !d->pC || n < 2)
        return;
    TCanvas& canvas = *d->pC;
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    std::vector<TPointF> pts;
    pts.reserve(size_t(n));
    for (int32_t i = 1; i <= n; ++i)
        pts.push_back(PaperPos(GetPoint(i), d));

    TStrokeBrush& stroke = canvas.Stroke();
    stroke.SetKind(TBrushKind::Solid);
    stroke.SetColor(GetColor());
    stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
    stroke.SetCap(TStrokeCap::Flat);
    stroke.SetJoin(TStrokeJoin::Miter);
    TPathData path;
    path.MoveTo(pts.front());
    for (size_t i = 1; i < pts.size(); ++i)
        path.LineTo(pts[i]);
    canvas.DrawPath(path, 1.0f);
    stroke.SetDash(TStrokeDash::Solid);

    if (GetFromType() != 0) {
        canvas.Fill().SetKind(TBrushKind::Solid);
        canvas.Fill().SetColor(GetFromColor());
        PrintTermType(d, GetFromType(), pts[0], pts[1], RoundHalfEven32(GetSizeFrom() * d->TextFactor / 2),
                      kArrowOpen, false);
    }
    if (GetToType() != 0) {
        canvas.Fill().SetKind(TBrushKind::Solid);
        canvas.Fill().SetColor(GetToColor());
        PrintTermType(d, GetToType(), pts[size_t(n - 1)], pts[size_t(n - 2)],
                      RoundHalfEven32(GetSizeTo() * d->TextFactor / 2), kArrowOpen, false);
    }
}
