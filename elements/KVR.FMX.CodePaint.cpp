#include "elements/KVR.FMX.CodePaint.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/TKVRBase2DCode.h"
#include "platform/skia/KVR.PaintRoad.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.PixelFit.h"
#include "render/KVR.FMX.Types.h"
#include <QHash>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr TAlphaColor kCrossColor = 0xFFFF0000;

// A document box in screen pixels of the context, screen origin included.
TRectF RectOnScreen(const TKVRDraw* aDraw, const TKVRRect& aBox)
{
    const float left = DrawFromBaseX(aBox.Left, aDraw) + aDraw->ScreenOffsetX;
    const float top = DrawFromBaseY(aBox.Top, aDraw) + aDraw->ScreenOffsetY;
    return TRectF(left, top, left + DrawFromBaseX(aBox.Width(), aDraw), top + DrawFromBaseY(aBox.Height(), aDraw));
}

int QuarterTurns(TKVRAngle aAngle)
{
    const int n = int(aAngle);
    return n >= 1 && n <= 3 ? n : 0;
}

// A run of modules in pixels from the symbol's corner.
TRectF RunRect(const TKVRModuleRun& aRun, double aW, double aH)
{
    return TRectF(float(aRun.X * aW), float(aRun.Y * aH), float((aRun.X + aRun.W) * aW),
                  float((aRun.Y + aRun.H) * aH));
}

// Runs of the same columns in rows one under the other as one: the same
// modules in fewer rectangles for a document to write.
std::vector<TKVRModuleRun> Stacked(const std::vector<TKVRModuleRun>& aRuns)
{
    std::vector<TKVRModuleRun> out;
    out.reserve(aRuns.size());
    QHash<quint64, size_t> below;  // columns -> the run whose bottom row is the latest
    for (const TKVRModuleRun& run : aRuns) {
        const quint64 columns = (quint64(quint32(run.X)) << 32) | quint32(run.W);
        const auto it = below.constFind(columns);
        if (it != below.constEnd() && out[*it].Y + out[*it].H == run.Y) {
            out[*it].H += run.H;
            continue;
        }
        below.insert(columns, out.size());
        out.push_back(run);
    }
    return out;
}

}  // namespace

void DrawCodeCross(TKVRDraw* aDraw, const TKVRRect& aBox, TKVRItemState aState)
{
    TSkPaint& paint = *aDraw->kP;
    paint.SetColor(kCrossColor);
    paint.SetStrokeCap(TSkStrokeCap::Butt);
    paint.SetStrokeWidth(aDraw->BasePtoY(0.1f));
    AdjustLineType(aDraw, 1, aState);  // fine dots
    paint.SetAntiAlias(true);
    const TRectF r = RectOnScreen(aDraw, aBox);
    aDraw->kC->DrawLine(r.Left, r.Top, r.Right, r.Bottom, aDraw->kP);
    aDraw->kC->DrawLine(r.Right, r.Top, r.Left, r.Bottom, aDraw->kP);
}

void DrawCodeBackground(TKVRDraw* aDraw, const TKVRRect& aBox, TAlphaColor aColor)
{
    SetFillPaint(aDraw, aColor);
    aDraw->kP->SetAntiAlias(true);
    aDraw->kC->DrawRect(RectOnScreen(aDraw, aBox), aDraw->kP);
}

void DrawSymbol2D(TKVRDraw* aDraw, const TKVRBase2DCode& aItem)
{
    if (!CanDraw(aDraw))
        return;
    TKVRSymbolLayout layout;
    if (!aItem.GetLayout(layout)) {
        DrawCodeCross(aDraw, aItem.GetBounds(), aItem.GetItemState());
        return;
    }
    TSkPaint& paint = *aDraw->kP;
    paint.SetPathEffect(nullptr);
    paint.SetStyle(TSkPaintStyle::Fill);
    if (aItem.GetFilled())
        DrawCodeBackground(aDraw, aItem.GetBounds(), aItem.GetBackColor());
    DrawDataMarker(aDraw, aItem);
    paint.SetAntiAlias(false);
    paint.SetColor(aItem.GetColor());
    paint.SetStyle(TSkPaintStyle::Fill);  // the marker may have left another style

    DrawSymbolModules(aDraw, layout, aItem.GetPoint(1), {aItem.GetBarWidth(), aItem.GetBarHeight(), aItem.GetPaddingX(),
                                                         aItem.GetPaddingY(), aItem.GetHorzAlign(),
                                                         aItem.GetVertAlign(), aItem.GetAngle()});
}

void DrawSymbolModules(TKVRDraw* aDraw, const TKVRSymbolLayout& aLayout, const TKVRPto& aAnchor,
                       const TKVRModulePlace& aPlace)
{
    const double k = aDraw->TextFactor;
    double w = double(aPlace.ModuleWidth) * k;
    double h = double(aPlace.ModuleHeight) * k;
    const float ax = aAnchor.DrawX(aDraw) + aDraw->ScreenOffsetX;
    const float ay = aAnchor.DrawY(aDraw) + aDraw->ScreenOffsetY;
    // The symbol itself, without its paddings, is aligned inside the box.
    const TPointF corner = DrawPos(ax, ay, ax, ay, float(aPlace.PaddingX * k), float(aPlace.PaddingY * k),
                                   float(aLayout.Width * w), float(aLayout.Height * h), aPlace.Horz, aPlace.Vert,
                                   aPlace.Angle);
    const TKVRSkCanvasSave save(*aDraw->kC);
    aDraw->kC->Translate(corner.X, corner.Y);
    if (const int turns = QuarterTurns(aPlace.Angle))
        aDraw->kC->Rotate(-90.0f * turns);
    // On pixels every module takes the same whole number of pixels, from a
    // whole pixel: modules of 1.5 pixels would come out as 1 and 2 and the
    // symbol would not read. The modules stay where paper has them, taking
    // at most one module of the quiet zone the paddings give (modules under
    // two pixels may take all of it, to stay readable): a label's frame or
    // text beside the quiet zone stays clear, as on paper. Documents keep
    // the exact sizes.
    double perX = 0.0, perY = 0.0;
    TPointF shift;
    if (aDraw->kC->SnapToPixelGrid(perX, perY, &shift)) {
        const double mx = w * perX, my = h * perY;
        auto side = [&](double aShift, double aPer, double aModule, int32_t aCount, float aPadding,
                        TKVRFitAlign aAlign, const std::vector<double>& aModules) {
            // Below two pixels a module rounded down to one would not read: it
            // may then round up into the whole quiet zone.
            const double room = double(aPadding) * k * aPer;
            const double pad = std::floor(aModule) < 2.0 ? room : std::min(room, aModule);
            return KVRFitGridSide(-aShift * aPer, aModule, aCount, pad, aAlign, aModules);
        };
        const TKVRFitAlign alongX = KVRFitAlignOf(aPlace.Horz), alongY = KVRFitAlignOf(aPlace.Vert);
        TKVRGridSide x = side(shift.X, perX, mx, aLayout.Width, aPlace.PaddingX, alongX, KVRWholeModules(mx));
        TKVRGridSide y = side(shift.Y, perY, my, aLayout.Height, aPlace.PaddingY, alongY, KVRWholeModules(my));
        // Square modules stay square: both sides take the smaller module.
        if (std::fabs(mx - my) < 1e-6 && x.Module != y.Module && mx >= 1.0) {
            const std::vector<double> smaller{std::min(x.Module, y.Module)};
            x = side(shift.X, perX, mx, aLayout.Width, aPlace.PaddingX, alongX, smaller);
            y = side(shift.Y, perY, my, aLayout.Height, aPlace.PaddingY, alongY, smaller);
        }
        aDraw->kC->Translate(float(x.Start / perX), float(y.Start / perY));
        w = x.Module / perX;
        h = y.Module / perY;
        // Modules of part of a pixel are shaded as much as they cover, as
        // the symbol looks on paper seen from afar.
        if (!x.Whole || !y.Whole)
            aDraw->kP->SetAntiAlias(true);
    }
    for (const TKVRModuleRun& run : aLayout.Runs)
        aDraw->kC->DrawRect(RunRect(run, w, h), aDraw->kP);
}

void PrintSymbol2D(TKVRDraw* aDraw, const TKVRBase2DCode& aItem)
{
    if (!CanPrint(aDraw))
        return;
    TKVRSymbolLayout layout;
    if (!aItem.LayoutOf(aItem.PrintValue(), layout))
        return;  // a value that does not encode prints nothing, not even its background
    TCanvas& c = *aDraw->pC;
    const int32_t width = aItem.BarCodeWidth(layout.Columns);
    const int32_t height = aItem.BarCodeHeight(layout.Rows);
    const TKVRPto p1 = aItem.GetPoint(1);
    const TPointF anchor = PaperAt(p1, aDraw);
    if (aItem.GetFilled()) {
        TRectF back(anchor.X, anchor.Y, anchor.X + float(PrintFromBaseX(width, aDraw)),
                    anchor.Y + float(PrintFromBaseY(height, aDraw)));
        AdjustRect(back, aItem.GetHorzAlign(), aItem.GetVertAlign(), aItem.GetAngle());
        c.Fill().SetKind(TBrushKind::Solid);
        c.Fill().SetColor(aItem.GetBackColor());
        c.FillRect(back, 0.0f, 0.0f, NoCorners, 1.0f, TCornerType::Round);
    }
    c.Fill().SetKind(TBrushKind::Solid);
    c.Fill().SetColor(aItem.GetColor());
    PrintSymbolModules(aDraw, layout, p1, {aItem.GetBarWidth(), aItem.GetBarHeight(), aItem.GetPaddingX(),
                                           aItem.GetPaddingY(), aItem.GetHorzAlign(), aItem.GetVertAlign(),
                                           aItem.GetAngle()});
}

void PrintSymbolModules(TKVRDraw* aDraw, const TKVRSymbolLayout& aLayout, const TKVRPto& aAnchor,
                        const TKVRModulePlace& aPlace)
{
    const TPointF anchor = PaperAt(aAnchor, aDraw);
    const double k = aDraw->TextFactor;
    const double w = double(aPlace.ModuleWidth) * k;
    const double h = double(aPlace.ModuleHeight) * k;
    TPointF corner =
        DrawPos(anchor.X, anchor.Y, anchor.X, anchor.Y, float(aPlace.PaddingX * k), float(aPlace.PaddingY * k),
                float(aLayout.Width * w), float(aLayout.Height * h), aPlace.Horz, aPlace.Vert, TKVRAngle::Angle0);
    // The paddings are not whole dots: the modules start on a whole printer dot.
    corner = TPointF(float(RoundHalfEven(corner.X)), float(RoundHalfEven(corner.Y)));
    std::vector<TRectF> units;
    const std::vector<TKVRModuleRun> runs = TKVRPaintRoad::Reference() ? aLayout.Runs : Stacked(aLayout.Runs);
    units.reserve(runs.size());
    for (const TKVRModuleRun& run : runs)
        units.push_back(RunRect(run, 1.0, 1.0));
    PrintGridRects(aDraw, units, corner, w, h, anchor, aPlace.Angle);
}
