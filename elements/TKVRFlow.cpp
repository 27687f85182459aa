#include "elements/TKVRFlow.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRCalc.h"

namespace {

// A laid-out line as it is painted: without its line-break characters.
QString LineOf(const QString& aText, int32_t aStart, int32_t aLength)
{
    QString s = aText.mid(aStart - 1, aLength);
    s.remove(QChar(u'\r'));
    s.remove(QChar(u'\n'));
    return s;
}

ISkPath SkiaPath(const TKVRFlowOutline& aOutline)
{
    TSkPathBuilder b;
    for (const TKVRFlowPathOp& op : aOutline.Ops) {
        switch (op.Kind) {
        case TKVRFlowPathOp::TKind::Move: b.MoveTo(op.P[0]); break;
        case TKVRFlowPathOp::TKind::Line: b.LineTo(op.P[0]); break;
        case TKVRFlowPathOp::TKind::Cubic: b.CubicTo(op.P[0], op.P[1], op.P[2]); break;
        case TKVRFlowPathOp::TKind::Close: b.Close(); break;
        }
    }
    return b.Detach();
}

TPathData PrinterPath(const TKVRFlowOutline& aOutline)
{
    TPathData path;
    for (const TKVRFlowPathOp& op : aOutline.Ops) {
        switch (op.Kind) {
        case TKVRFlowPathOp::TKind::Move: path.MoveTo(op.P[0]); break;
        case TKVRFlowPathOp::TKind::Line: path.LineTo(op.P[0]); break;
        case TKVRFlowPathOp::TKind::Cubic: path.CurveTo(op.P[0], op.P[1], op.P[2]); break;
        case TKVRFlowPathOp::TKind::Close: path.ClosePath(); break;
        }
    }
    return path;
}

// The outline on the screen; aStroke adds the lines that are only stroked.
void PaintScreenOutline(TKVRDraw* aDraw, const TKVRFlowOutline& o, bool aStroke)
{
    TSkCanvas& c = *aDraw->kC;
    switch (o.Shape) {
    case TKVRFlowOutline::TShape::None: return;
    case TKVRFlowOutline::TShape::Rect: c.DrawRect(o.Box, aDraw->kP); break;
    case TKVRFlowOutline::TShape::RoundRect: c.DrawRoundRect(o.Box, o.RadiusX, o.RadiusY, aDraw->kP); break;
    case TKVRFlowOutline::TShape::Oval: c.DrawOval(o.Box, aDraw->kP); break;
    case TKVRFlowOutline::TShape::Path: c.DrawPath(SkiaPath(o), aDraw->kP); break;
    }
    if (aStroke)
        for (const auto& l : o.StrokeLines)
            c.DrawLine(l[0], l[1], aDraw->kP);
}

void FillPaperOutline(TCanvas& c, const TKVRFlowOutline& o)
{
    switch (o.Shape) {
    case TKVRFlowOutline::TShape::None: break;
    case TKVRFlowOutline::TShape::Rect: c.FillRect(o.Box, 0.0f, 0.0f, NoCorners, 1.0f); break;
    case TKVRFlowOutline::TShape::RoundRect: c.FillRect(o.Box, o.RadiusX, o.RadiusY, AllCorners, 1.0f); break;
    case TKVRFlowOutline::TShape::Oval: c.FillEllipse(o.Box, 1.0f); break;
    case TKVRFlowOutline::TShape::Path: c.FillPath(PrinterPath(o), 1.0f); break;
    }
}

void StrokePaperOutline(TCanvas& c, const TKVRFlowOutline& o)
{
    switch (o.Shape) {
    case TKVRFlowOutline::TShape::None: return;
    case TKVRFlowOutline::TShape::Rect: c.DrawRect(o.Box, 0.0f, 0.0f, NoCorners, 1.0f); break;
    case TKVRFlowOutline::TShape::RoundRect: c.DrawRect(o.Box, o.RadiusX, o.RadiusY, AllCorners, 1.0f); break;
    case TKVRFlowOutline::TShape::Oval: c.DrawEllipse(o.Box, 1.0f); break;
    case TKVRFlowOutline::TShape::Path: c.DrawPath(PrinterPath(o), 1.0f); break;
    }
    for (const auto& l : o.StrokeLines)
        c.DrawLine(l[0], l[1], 1.0f);
}

}  // namespace

void TKVRFlow::CalcValues(int16_t aMode)
{
    TKVRBaseFlow::CalcValues(aMode);
    TKVRCalc::FontSettings(GetFontName(), GetBaseFontHeight(), GetBold(), GetItalic(), Ascent, Descent, UnderlinePos,
                           LineHeight, Ratio);
    const int32_t padX = GetScalePadX(), padY = GetScalePadY();
    const int64_t w = int64_t(BaseScaleWidth()) - 2 * int64_t(padX);
    const int64_t h = int64_t(BaseScaleHeight()) - 2 * int64_t(padY);
    Lines.clear();
    // No room inside the paddings: no line.
    if (w <= 0 || h <= 0)
        return;
    TKVRCalc::CalcFlowTxtPoints(GetText(), nullptr, Lines, int32_t(w), int32_t(h), padX, padY, GetFlowType(),
                                GetScaleX());
}

TKVRFlowOutline TKVRFlow::ScreenOutline(const TKVRDraw* aDraw) const
{
    return FlowOutline(GetFlowType(), OrderedBox(ScreenAt(GetPoint(1), aDraw), ScreenAt(GetPoint(2), aDraw)));
}

TKVRFlowOutline TKVRFlow::PaperOutline(const TKVRDraw* aDraw) const
{
    return FlowOutline(GetFlowType(), OrderedBox(PaperAt(GetPoint(1), aDraw), PaperAt(GetPoint(2), aDraw)));
}

void TKVRFlow::Draw(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanDraw(d))
        return;
    const TKVRFlowOutline outline = ScreenOutline(d);
    TSkPaint& paint = *d->kP;
    paint.SetPathEffect(nullptr);
    paint.SetAntiAlias(true);
    if (GetFilled() && Alpha() > 0) {
        SetFillPaint(d, GetBackColor());
        PaintScreenOutline(d, outline, false);
    }
    if (GetPenWidth() > 0.0f) {
        paint.SetColor(GetColor());
        AdjustLineType(d, GetLineType(), GetItemState());
        paint.SetStrokeCap(TSkStrokeCap::Butt);
        paint.SetStrokeWidth(d->BasePtoY(GetPenWidth()));
        PaintScreenOutline(d, outline, true);
    }
    DrawText(d, outline.Box);
}

void TKVRFlow::DrawText(TKVRDraw* aDraw, const TRectF& aBox)
{
    const QString text = GetText();
    if (text.isEmpty())
        return;
    const ISkTypeface typeface = TSkTypeface::MakeFromName(GetFontName(), GetFontStyle(GetBold(), GetItalic()));
    if (!typeface)
        return;
    const ISkFont font =
        std::make_shared<TSkFont>(typeface, float(GetFontHeight() * aDraw->TextFactor * Ratio), 1.0f, 0.0f);
    // The text's own width, whatever the outline's pen left on the paint.
    SetTextPaint(aDraw, GetFontColor());
    aDraw->kP->SetStrokeWidth(1.0f);
    const ISkPaint& paint = aDraw->kP;
    TSkCanvas& canvas = *aDraw->kC;

    // The inner box: the ordered corner plus the padding.
    const float ox = aBox.Left + ModelToPixels(*this, GetBasePadX(), aDraw->ResolutionX, aDraw);
    const float oy = aBox.Top + ModelToPixels(*this, GetBasePadY(), aDraw->ResolutionY, aDraw);
    const TKVRSkCanvasSave save(canvas);
    canvas.Translate(ox, oy);
    const float A = aDraw->DrawValueY(Ascent);
    const float U = aDraw->DrawValueY(UnderlinePos);
    for (const TKVRTxtInf& line : Lines) {
        const QString lineText = LineOf(text, line.Start, line.Length);
        const float x = PaperToPixels(line.X, aDraw->ResolutionX);
        const float y = PaperToPixels(line.Y, aDraw->ResolutionY);
        if (GetUnderline()) {
            paint->SetStrokeCap(TSkStrokeCap::Butt);
            paint->SetStrokeWidth(1.0f);
            paint->SetPathEffect(nullptr);
            paint->SetStyle(TSkPaintStyle::Stroke);
            canvas.DrawLine(x, y + A + U, x + font->MeasureText(lineText), y + A + U, paint);
            paint->SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
            paint->SetStyle(TSkPaintStyle::Fill);
        }
        canvas.DrawSimpleText(lineText, x, y + A, font, paint);
    }
}

void TKVRFlow::Print(TKVRBaseDraw* aDraw)
{
    auto* d = static_cast<TKVRDraw*>(aDraw);
    if (!CanPrint(d))
        return;
    TCanvas& c = *d->pC;
    const TKVRFlowOutline outline = PaperOutline(d);
    // Paper always shows the fill: Alpha only concerns the screen.
    if (GetFilled()) {
        c.Fill().SetKind(TBrushKind::Solid);
        c.Fill().SetColor(GetBackColor());
        FillPaperOutline(c, outline);
    }
    if (GetPenWidth() > 0.0f) {
        TStrokeBrush& stroke = c.Stroke();
        AdjustPrintLineType(d, GetPenWidth(), GetLineType());
        stroke.SetCap(TStrokeCap::Flat);
        stroke.SetKind(TBrushKind::Solid);
        stroke.SetColor(GetColor());
        stroke.SetThickness(d->DrawBasePtoX(GetPenWidth()));
        StrokePaperOutline(c, outline);
    }
    PrintText(d, outline.Box);
}

void TKVRFlow::PrintText(TKVRDraw* aDraw, const TRectF& aBox)
{
    const QString text = GetText();
    if (text.isEmpty())
        return;
    TCanvas& c = *aDraw->pC;
    SetPrintFont(c, GetFontName(), float(FontPrintSize(GetFontHeight()) * Ratio), GetBold(), GetItalic(),
                 GetUnderline());
    c.Fill().SetKind(TBrushKind::Solid);
    c.Fill().SetColor(GetFontColor());
    // The same padded origin as on screen.
    const float ox = aBox.Left + ModelToPixels(*this, GetBasePadX(), aDraw->ResolutionX, aDraw);
    const float oy = aBox.Top + ModelToPixels(*this, GetBasePadY(), aDraw->ResolutionY, aDraw);
    TCanvasStateGuard guard(c);
    for (const TKVRTxtInf& line : Lines) {
        aDraw->ResetMatrix(KVRDrawState::Print);
        aDraw->Translate(ox + PaperToPixels(line.X, aDraw->ResolutionX),
                         oy + PaperToPixels(line.Y, aDraw->ResolutionY));
        aDraw->ApplyMatrix();
        c.FillText(TRectF(0.0f, 0.0f, 50000.0f, 10000.0f), LineOf(text, line.Start, line.Length), false, 255.0f, 0,
                   TTextAlign::Leading, TTextAlign::Leading);
    }
}
