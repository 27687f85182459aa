#include "elements/TKVRRank.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Types.h"

int32_t TKVRRank::ShownPosition(TKVRDrawState aState) const
{
    return IsEditorState(aState) ? int32_t(GetPosition()) : RecordPosition();
}

ISkPath TKVRRank::GetPathStar(const TRectF& aCell)
{
    const auto p = RankStarCorners(aCell);
    TSkPathBuilder builder;
    builder.MoveTo(p[0]);
    for (size_t k = 1; k < p.size(); ++k)
        builder.LineTo(p[k]);
    builder.Close();
    return builder.Detach();
}

ISkPath TKVRRank::GetPathRhombus(const TRectF& aCell)
{
    const auto p = RankRhombusCorners(aCell);
    TSkPathBuilder builder;
    builder.MoveTo(p[0]);
    for (size_t k = 1; k < p.size(); ++k)
        builder.LineTo(p[k]);
    builder.Close();
    return builder.Detach();
}

std::vector<TRectF> TKVRRank::Cells(const TKVRDraw* aDraw, const TPointF& aBase) const
{
    const TKVRBaseLabel* owner = GetOwner();
    const int64_t unit = GetUnitSize();
    const int32_t scale = GetDrawScale();
    auto px = [&](float aValue, bool aHorizontal) {
        const int32_t dpi = aHorizontal ? aDraw->ResolutionX : aDraw->ResolutionY;
        if (owner)
            return owner->GetDrawValue(aValue, dpi);
        return float(double(aValue) * double(unit) * dpi / (25400.0 * scale));
    };
    return RankCells(GetWidth(), GetHeight(), GetGap(), GetMaximum(), GetRankPos(), aBase.X, aBase.Y, px);
}

void TKVRRank::Draw(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    const int32_t v = ShownPosition(d->DrawState);
    const std::vector<TRectF> cells = Cells(d, ScreenAt(GetPoint(1), d));
    const ISkCanvas& canvas = d->kC;
    const ISkPaint& paint = d->kP;
    paint->SetPathEffect(nullptr);
    paint->SetAntiAlias(true);

    auto shape = [&](const TRectF& aCell) {
        switch (GetRankType()) {
        case 0: canvas->DrawRect(aCell, paint); break;
        case 1: canvas->DrawOval(aCell, paint); break;
        case 2: canvas->DrawPath(GetPathStar(aCell), paint); break;
        case 3: canvas->DrawPath(GetPathRhombus(aCell), paint); break;
        default: break;
        }
    };
    const bool pen = GetPenWidth() > 0.0f;
    if (pen)
        paint->SetStrokeWidth(d->BasePtoY(GetPenWidth()));
    for (size_t n = 0; n < cells.size(); ++n) {
        const bool reached = int64_t(n) < int64_t(v);
        if (!reached && GetDrawEmpty()) {
            paint->SetColor(GetEmptyColor());
            paint->SetStyle(TSkPaintStyle::Fill);
            shape(cells[n]);
        } else if (reached && GetFilled()) {
            paint->SetColor(GetBackColor());
            paint->SetStyle(TSkPaintStyle::Fill);
            shape(cells[n]);
        }
        if (pen && (reached || GetDrawEmpty())) {
            paint->SetColor(GetColor());
            paint->SetStyle(TSkPaintStyle::Stroke);
            shape(cells[n]);
        }
    }
    DrawDataMarker(d, *this);
}

void TKVRRank::Print(TKVRBaseDraw* aDraw)
{
    TKVRDraw* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TCanvas& c = *d->pC;
    // Each printed label takes the record it is printed for.
    const int32_t v = RecordPosition();
    const std::vector<TRectF> cells = Cells(d, PaperAt(GetPoint(1), d));

    c.Stroke().SetCap(TStrokeCap::Flat);
    c.Stroke().SetKind(TBrushKind::Solid);
    c.Stroke().SetColor(GetColor());
    c.Stroke().SetThickness(d->DrawBasePtoX(GetPenWidth()));
    c.Stroke().SetDash(TStrokeDash::Solid);
    c.Fill().SetKind(TBrushKind::Solid);

    auto outline = [&](const TRectF& aCell, TPathData& oPath) {
        oPath.Clear();
        if (GetRankType() == 2) {
            const auto p = RankStarCorners(aCell);
            oPath.MoveTo(p[0]);
            for (size_t k = 1; k < p.size(); ++k)
                oPath.LineTo(p[k]);
        } else {
            const auto p = RankRhombusCorners(aCell);
            oPath.MoveTo(p[0]);
            for (size_t k = 1; k < p.size(); ++k)
                oPath.LineTo(p[k]);
        }
        oPath.ClosePath();
    };
    TPathData path;
    const bool pen = GetPenWidth() > 0.0f;
    for (size_t n = 0; n < cells.size(); ++n) {
        const TRectF& cell = cells[n];
        const TKVRRankType type = GetRankType();
        if (type > 3)
            break;
        if (type >= 2)
            outline(cell, path);
        const bool reached = int64_t(n) < int64_t(v);
        const bool fill = reached ? GetFilled() : GetDrawEmpty();
        if (fill) {
            c.Fill().SetColor(reached ? GetBackColor() : GetEmptyColor());
            if (type == 0)
                c.FillRect(cell, 0.0f, 0.0f, NoCorners, 1.0f);
            else if (type == 1)
                c.FillEllipse(cell, 1.0f);
            else
                c.FillPath(path, 1.0f);
        }
        if (pen && (reached || GetDrawEmpty())) {
            if (type == 0)
                c.DrawRect(cell, 0.0f, 0.0f, NoCorners, 1.0f);
            else if (type == 1)
                c.DrawEllipse(cell, 1.0f);
            else
                c.DrawPath(path, 1.0f);
        }
    }
}
