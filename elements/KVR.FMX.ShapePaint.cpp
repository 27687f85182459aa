#include "elements/KVR.FMX.ShapePaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/TKVR2DItem.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int16_t kArrowOpen = 8;
constexpr double kMaxMarkHalf = 1.0e4;

double ClampedHalf(float aSize, const TKVRDraw* aDraw)
{
    const double h = double(aSize) * aDraw->TextFactor / 2.0;
    return std::isnan(h) ? 0.0 : std::clamp(h, -kMaxMarkHalf, kMaxMarkHalf);
}

}  // namespace

void SetLinePaint(TKVRDraw* aDraw, TAlphaColor aColor, float aPenWidth)
{
    TSkPaint& paint = *aDraw->kP;
    paint.SetColor(aColor);
    paint.SetStrokeCap(TSkStrokeCap::Butt);
    paint.SetStrokeWidth(aDraw->BasePtoY(aPenWidth));
}

ISkPath ChainPath(const TKVRBaseItem& aItem, const TKVRDraw* aDraw, bool aClosed)
{
    std::vector<TPointF> points;
    points.reserve(aItem.GetPoints().size());
    for (const TKVRPto& p : aItem.GetPoints())
        points.push_back(ScreenAt(p, aDraw));
    TSkPathBuilder builder;
    if (!points.empty())
        builder.AddPolygon(points, aClosed);
    return builder.Detach();
}

std::vector<TPointF> PaperPoints(const TKVRBaseItem& aItem, const TKVRDraw* aDraw)
{
    std::vector<TPointF> points;
    points.reserve(aItem.GetPoints().size());
    for (const TKVRPto& p : aItem.GetPoints())
        points.push_back(PaperAt(p, aDraw));
    return points;
}

float MarkHalf(float aSize, const TKVRDraw* aDraw)
{
    return float(ClampedHalf(aSize, aDraw));
}

int32_t PrintMarkHalf(float aSize, const TKVRDraw* aDraw)
{
    return RoundHalfEven32(ClampedHalf(aSize, aDraw));
}

void DrawLineEnds(TKVRDraw* aDraw, TAlphaColor aLineColor, const TKVRLineEnds& aEnds, const TPointF& aStart,
                  const TPointF& aStartNext, const TPointF& aEnd, const TPointF& aEndPrev, bool aByAngle)
{
    DrawTermType(aDraw, aEnds.FromType, aLineColor, aEnds.FromColor, MarkHalf(aEnds.SizeFrom, aDraw), aStart.X,
                 aStart.Y, aStartNext.X, aStartNext.Y, kArrowOpen, aByAngle);
    DrawTermType(aDraw, aEnds.ToType, aLineColor, aEnds.ToColor, MarkHalf(aEnds.SizeTo, aDraw), aEnd.X, aEnd.Y,
                 aEndPrev.X, aEndPrev.Y, kArrowOpen, aByAngle);
}

void PrintLineEnds(TKVRDraw* aDraw, const TKVRLineEnds& aEnds, const TPointF& aStart, const TPointF& aStartNext,
                   const TPointF& aEnd, const TPointF& aEndPrev, bool aByAngle)
{
    TBrush& fill = aDraw->pC->Fill();
    if (aEnds.FromType != 0) {
        fill.SetKind(TBrushKind::Solid);
        fill.SetColor(aEnds.FromColor);
        PrintTermType(aDraw, aEnds.FromType, aStart, aStartNext, PrintMarkHalf(aEnds.SizeFrom, aDraw), kArrowOpen,
                      aByAngle);
    }
    if (aEnds.ToType != 0) {
        fill.SetKind(TBrushKind::Solid);
        fill.SetColor(aEnds.ToColor);
        PrintTermType(aDraw, aEnds.ToType, aEnd, aEndPrev, PrintMarkHalf(aEnds.SizeTo, aDraw), kArrowOpen, aByAngle);
    }
}

void DrawRectFrame(TKVRDraw* aDraw, const TKVR2DItem& aItem, const TRectF& aBox, bool aRound, int32_t aBaseRadius)
{
    // The package draws on after its frame with this paint.
    aDraw->kP->SetPathEffect(nullptr);
    aDraw->kP->SetAntiAlias(true);
    TKVRBoxStyle style;
    style.Filled = aItem.GetFilled() && aItem.Alpha() > 0;
    style.BackColor = aItem.GetBackColor();
    style.PenWidth = aItem.GetPenWidth();
    style.Color = aItem.GetColor();
    style.RadiusX = aRound ? aDraw->GetDrawX(aBaseRadius) : 0.0f;
    style.RadiusY = aRound ? aDraw->GetDrawY(aBaseRadius) : 0.0f;
    style.Patterned = true;
    style.LineType = aItem.GetLineType();
    style.State = aItem.GetItemState();
    DrawBox(aDraw, aBox, style, !style.Filled);
}

void PrintRectFrame(TKVRDraw* aDraw, const TKVR2DItem& aItem, float aRadius)
{
    TKVRBoxStyle style;
    style.Filled = aItem.GetFilled();
    style.BackColor = aItem.GetBackColor();
    style.PenWidth = aItem.GetPenWidth();
    style.Color = aItem.GetColor();
    style.RadiusX = aRadius;
    style.RadiusY = aRadius;
    style.Patterned = true;
    style.LineType = aItem.GetLineType();
    PrintBox(aDraw, PaperBox(aItem, aDraw), style);
}

void DrawOvalShape(TKVRDraw* aDraw, const TKVR2DItem& aItem)
{
    TSkPaint& paint = *aDraw->kP;
    paint.SetPathEffect(nullptr);
    paint.SetAntiAlias(true);
    const TRectF box = ScreenBox(aItem, aDraw);
    if (aItem.GetFilled() && aItem.Alpha() > 0) {
        SetFillPaint(aDraw, aItem.GetBackColor());
        aDraw->kC->DrawOval(box, aDraw->kP);
    }
    if (aItem.GetPenWidth() > 0) {
        paint.SetColor(aItem.GetColor());
        AdjustLineType(aDraw, aItem.GetLineType(), aItem.GetItemState());
        paint.SetStrokeWidth(aDraw->BasePtoY(aItem.GetPenWidth()));
        aDraw->kC->DrawOval(box, aDraw->kP);
    }
}

void PrintOvalShape(TKVRDraw* aDraw, const TKVR2DItem& aItem)
{
    TCanvas& canvas = *aDraw->pC;
    const TRectF box = PaperBox(aItem, aDraw);
    if (aItem.GetFilled()) {
        canvas.Stroke().SetCap(TStrokeCap::Flat);
        canvas.Fill().SetKind(TBrushKind::Solid);
        canvas.Fill().SetColor(aItem.GetBackColor());
        canvas.FillEllipse(box, 1.0f);
    }
    if (aItem.GetPenWidth() > 0) {
        TStrokeBrush& stroke = canvas.Stroke();
        AdjustPrintLineType(aDraw, aItem.GetPenWidth(), aItem.GetLineType());
        stroke.SetCap(TStrokeCap::Flat);
        stroke.SetKind(TBrushKind::Solid);
        stroke.SetColor(aItem.GetColor());
        stroke.SetThickness(aDraw->DrawBasePtoX(aItem.GetPenWidth()));
        canvas.DrawEllipse(box, 1.0f);
    }
}

int32_t ScaledCaptionWidth(int32_t aWidth, int32_t aScale)
{
    const int64_t w = int64_t(aWidth) * aScale;
    return int32_t(std::clamp<int64_t>(w, 0, std::numeric_limits<int32_t>::max()));
}

int64_t MarkLength(TKVRTermType aKind, float aSize, int32_t aScale)
{
    if (aKind == 0 || !(aSize > 0.0f))
        return 0;
    // Painted marks are held to kMaxMarkHalf pixels; a bounded length keeps the caption sums finite too.
    const double micrometres = std::min(double(aSize), 1.0e4) * 1000.0 * double(std::max(aScale, 1));
    return RoundHalfEven(micrometres);
}

void DrawLineCaption(TKVRDraw* aDraw, const TKVRLineCaption& aCaption)
{
    const ISkTypeface typeface =
        TSkTypeface::MakeFromName(aCaption.FontName, GetFontStyle(aCaption.Bold, aCaption.Italic));
    if (!typeface)
        return;
    const ISkFont font =
        std::make_shared<TSkFont>(typeface, float(aCaption.Height * aDraw->TextFactor * aCaption.Ratio), 1.0f, 0.0f);
    SetTextPaint(aDraw, aCaption.Color);

    const double unit = double(aCaption.DrawScale) * 1000.0;
    const float x = float(double(aDraw->ScreenOffsetX) + double(aCaption.Anchor.X) * aDraw->TextFactor / unit);
    const float y = float(double(aDraw->ScreenOffsetY) + double(aCaption.Anchor.Y) * aDraw->TextFactor / unit);
    TSkCanvas& canvas = *aDraw->kC;
    const TKVRSkCanvasSave save(canvas);
    canvas.Translate(x, y);
    if (aCaption.Angle != 0.0f)
        canvas.Rotate(ToDegrees(aCaption.Angle));
    canvas.DrawSimpleText(aCaption.Text, 0, 0, font, aDraw->kP);
}

void PrintLineCaption(TKVRDraw* aDraw, const TKVRLineCaption& aCaption)
{
    TCanvas& c = *aDraw->pC;
    SetPrintFont(c, aCaption.FontName, FontPrintSize(float(aCaption.Height * aCaption.Ratio)), aCaption.Bold,
                 aCaption.Italic, aCaption.Underline);
    c.Stroke().SetColor(aCaption.Color);
    c.Stroke().SetThickness(0.0f);
    c.Stroke().SetDash(TStrokeDash::Solid);
    c.Fill().SetKind(TBrushKind::Solid);
    c.Fill().SetColor(aCaption.Color);

    const double unit = double(aCaption.DrawScale) * 1000.0;
    const float x = PaperCellX(aDraw, double(aCaption.PrintAnchor.X) * aDraw->TextFactor / unit);
    const float y = PaperCellY(aDraw, double(aCaption.PrintAnchor.Y) * aDraw->TextFactor / unit);
    // The canvas's own offset of the text box lies in the caption's frame:
    // turned with it, it lands where the screen puts the text.
    TPointF offset = GetInternalTextOffset(c, aCaption.Text);
    if (aCaption.Angle != 0.0f) {
        const double ca = std::cos(double(aCaption.Angle)), sa = std::sin(double(aCaption.Angle));
        offset = TPointF(float(offset.X * ca - offset.Y * sa), float(offset.X * sa + offset.Y * ca));
    }

    TCanvasStateGuard guard(c);
    aDraw->ResetMatrix(KVRDrawState::Print);
    if (aCaption.Angle != 0.0f)
        aDraw->Rotate(ToDegrees(aCaption.Angle));
    aDraw->Translate(x + offset.X, y + offset.Y);
    aDraw->ApplyMatrix();
    c.FillText(TRectF(0, 0, 50000, 50000), aCaption.Text, false, 255.0f, 0, TTextAlign::Leading, TTextAlign::Leading);
}
