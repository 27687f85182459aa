#include "elements/TKVRPolygon.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"

namespace {

TPointF ScreenPos(const TKVRPto& aPoint, const TKVRDraw* aDraw)
{
    return {aPoint.DrawX(aDraw) + aDraw->ScreenOffsetX, aPoint.DrawY(aDraw) + aDraw->ScreenOffsetY};
}

TPointF PaperPos(const TKVRPto& aPoint, const TKVRDraw* aDraw)
{
    return {aPoint.DrawX(aDraw) + float(aDraw->PrintOffsetX), aPoint.DrawY(aDraw) + float(aDraw->PrintOffsetY)};
}

}  // namespace

TKVRPolygon::TKVRPolygon(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBasePolygon(aOwner, aPreview)
{
}

TKVRPolygon::TKVRPolygon(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview)
    : TKVRBasePolygon(aOwner, aNumPoints, aPreview)
{
}

TKVRPolygon::TKVRPolygon(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview)
    : TKVRBasePolygon(aOwner, aLayer, aNumPoints, aPreview)
{
}

TKVRPolygon::~TKVRPolygon() = default;

TKVRBaseItem* TKVRPolygon::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                                TKVRReadType aReadType)
{
    return KVRReadItem<TKVRPolygon>([&](TKVRPolygon& e) { e.ReadData(aVersion, aReader, aReadType); }, aLabel,
                                    aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRPolygon::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRPolygon>([&](TKVRPolygon& e) { e.ReadJson(aVersion, aJson); }, aLabel, false);
}

ISkPath TKVRPolygon::GetPath(TKVRDraw* aDraw) const
{
    TSkPathBuilder builder;
    const int32_t n = NumPoints();
    if (n > 0) {
        builder.MoveTo(ScreenPos(GetPoint(1), aDraw));
        for (int32_t i = 2; i <= n; ++i)
            builder.LineTo(ScreenPos(GetPoint(i), aDraw));
        builder.Close();
    }
    return builder.Detach();
}

void TKVRPolygon::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!d || !d->kC || !d->kP || NumPoints() < 2)
        return;
    TSkPaint& paint = *d->kP;
    const ISkPath path = GetPath(d);
    if (GetFilled()) {
        // Painted with the antialiasing as found.
        paint.SetColor(GetBackColor());
        paint.SetPathEffect(nullptr);
        paint.SetStyle(TSkPaintStyle::Fill);
        d->kC->DrawPath(path, d->kP);
    }
    paint.SetAntiAlias(true);
    paint.SetColor(GetColor());
    paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
    AdjustLineType(d, GetLineType(), GetItemState());
    paint.SetStyle(TSkPaintStyle::Stroke);
    d->kC->DrawPath(path, d->kP);
}

void TKVRPolygon::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    const int32_t n = NumPoints();
    if (!d || !d->pC || n < 2)
        return;
    TCanvas& canvas = *d->pC;
    TPolygon pts;
    pts.reserve(size_t(n));
    for (int32_t i = 1; i <= n; ++i)
        pts.push_back(PaperPos(GetPoint(i), d));
    if (GetFilled()) {
        canvas.Fill().SetKind(TBrushKind::Solid);
        canvas.Fill().SetColor(GetBackColor());
        canvas.FillPolygon(pts, 1.0f);
    }
    AdjustPrintLineType(d, GetPenWidth(), GetLineType());
    if (GetPenWidth() > 0) {
        TStrokeBrush& stroke = canvas.Stroke();
        stroke.SetKind(TBrushKind::Solid);
        stroke.SetColor(GetColor());
        // The pen in printer units, as the screen shows it.
        stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
        canvas.DrawPolygon(pts, 1.0f);
    }
}
