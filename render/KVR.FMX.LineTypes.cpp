#include "render/KVR.FMX.LineTypes.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/KVR.Draw2D.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/skia/System.Skia.h"
#include "render/TKVRDraw.h"
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr TKVRTermType kLastTermType = 11;

// Dash and gap lengths of line types 1 to 11 in standard widths: index 0 is
// w05, then w1, w2, w3, w4. Type 0 and unknown types are solid (empty).
std::vector<int> PatternSteps(TVXLineType aLineType)
{
    switch (aLineType) {
    case 1: return {0, 0};
    case 2: return {1, 1};
    case 3: return {2, 1};
    case 4: return {1, 2};
    case 5: return {2, 2};
    case 6: return {3, 1};
    case 7: return {3, 3};
    case 8: return {4, 1};
    case 9: return {4, 2};
    case 10: return {4, 4};
    case 11: return {4, 1, 1, 1};
    default: return {};
    }
}

// The nominal length of a step (0.5, 1, 2, 3, 4).
double NominalLength(int aStep)
{
    return aStep == 0 ? 0.5 : double(aStep);
}

float ScreenLength(const TKVRDraw* aDraw, int aStep)
{
    switch (aStep) {
    case 0: return aDraw->w05;
    case 1: return aDraw->w1;
    case 2: return aDraw->w2;
    case 3: return aDraw->w3;
    default: return aDraw->w4;
    }
}

// Sums in double precision, stored as Single.
TPointF At(float aX, float aY, float aDx, float aDy)
{
    return {float(double(aX) + aDx), float(double(aY) + aDy)};
}

bool IsFilledKind(TKVRTermType aKind)
{
    return aKind == 2 || aKind == 4 || aKind == 6 || aKind == 8;
}

}  // namespace

void AdjustLineType(TKVRDraw* aDraw, TVXLineType aLineType, TKVRItemState aState)
{
    if (!aDraw || !aDraw->kP)
        return;
    TSkPaint& paint = *aDraw->kP;
    paint.SetStyle(TSkPaintStyle::Stroke);

    std::vector<float> pattern;
    if (aDraw->DrawState == KVRDrawState::Editor || aDraw->DrawState == KVRDrawState::EditorText) {
        // The editor's highlight replaces the element's own pattern.
        if (aState == 1)
            pattern = {12.0f, 6.0f};
        else if (aState == 2)
            pattern = {4.0f, 2.0f};
        else if (aState != 0) {
            // Unknown states are solid rather than inheriting the last element's dash.
            paint.SetPathEffect(nullptr);
            return;
        }
    }
    if (pattern.empty()) {
        for (int step : PatternSteps(aLineType))
            pattern.push_back(ScreenLength(aDraw, step));
    }
    // Solid types, unknown ones included, clear the dash of an earlier element.
    paint.SetPathEffect(pattern.empty() ? nullptr : TSkPathEffect::MakeDash(pattern, 1.0f));
}

void AdjustPrintLineType(TKVRDraw* aDraw, float aPenWidth, TVXLineType aLineType)
{
    if (!aDraw || !aDraw->pC)
        return;
    TStrokeBrush& stroke = aDraw->pC->Stroke();
    stroke.SetThickness(aPenWidth);
    const std::vector<int> steps = PatternSteps(aLineType);
    // Entries are counted in stroke thicknesses: a pen without width cannot
    // carry a pattern, so it strokes solid instead of dividing by zero.
    if (steps.empty() || !(aPenWidth > 0.0f) || !std::isfinite(aPenWidth)) {
        stroke.SetDash(TStrokeDash::Solid);
        return;
    }
    std::vector<float> dash;
    for (int step : steps)
        dash.push_back(float(NominalLength(step) / double(aPenWidth)));
    stroke.SetCustomDash(dash, 0.0f);
}

void DrawTermType(TKVRDraw* aDraw, TKVRTermType aKind, TAlphaColor aLineColor, TAlphaColor aFillColor, float aHalf,
                  float aX, float aY, float aX2, float aY2, int16_t aOpen, bool aByAngle)
{
    if (!aDraw || !aDraw->kP)
        return;
    TSkPaint& paint = *aDraw->kP;
    // Markers are never dashed, whatever the line.
    paint.SetPathEffect(nullptr);
    if (aKind == 0 || aKind > kLastTermType)
        return;
    if (IsFilledKind(aKind)) {
        paint.SetColor(aFillColor);
        paint.SetStyle(TSkPaintStyle::Fill);
    } else {
        paint.SetColor(aLineColor);
        paint.SetStyle(TSkPaintStyle::Stroke);
    }
    if (!aDraw->kC)
        return;
    TSkCanvas& canvas = *aDraw->kC;
    const ISkPaint& p = aDraw->kP;
    const float h = aHalf;
    const TRectF box = TRectF::FromPoints(At(aX, aY, -h, -h), At(aX, aY, h, h));
    auto outline = [&]() {
        paint.SetColor(aLineColor);
        paint.SetStyle(TSkPaintStyle::Stroke);
    };
    auto closedPath = [](const std::vector<TPointF>& pts) {
        TSkPathBuilder b;
        b.MoveTo(pts.front());
        for (size_t i = 1; i < pts.size(); ++i)
            b.LineTo(pts[i]);
        b.Close();
        return b.Detach();
    };
    auto arrowCorners = [&](TPointF& c1, TPointF& c2) {
        const int32_t length = RoundHalfEven32(2.0 * double(aHalf));
        if (aByAngle)
            TDraw2D::DrawArrow(aX, aY, aX2, length, c1.X, c1.Y, c2.X, c2.Y, float(aOpen));
        else
            TDraw2D::DrawArrow(aX2, aY2, aX, aY, length, c1.X, c1.Y, c2.X, c2.Y, float(aOpen));
    };
    const std::vector<TPointF> diamond = {At(aX, aY, 0, -h), At(aX, aY, h, 0), At(aX, aY, 0, h), At(aX, aY, -h, 0)};

    switch (aKind) {
    case 1:
        canvas.DrawOval(box, p);
        break;
    case 2:
        canvas.DrawOval(box, p);
        outline();
        canvas.DrawOval(box, p);
        break;
    case 3: {
        TPointF c1, c2;
        arrowCorners(c1, c2);
        canvas.DrawLine(aX, aY, c1.X, c1.Y, p);
        canvas.DrawLine(aX, aY, c2.X, c2.Y, p);
        break;
    }
    case 4: {
        TPointF c1, c2;
        arrowCorners(c1, c2);
        const ISkPath head = closedPath({TPointF(aX, aY), c1, c2});
        paint.SetStyle(TSkPaintStyle::Fill);
        canvas.DrawPath(head, p);
        outline();
        canvas.DrawPath(head, p);
        break;
    }
    case 5:
        canvas.DrawRect(box, p);
        break;
    case 6:
        canvas.DrawRect(box, p);
        outline();
        canvas.DrawRect(box, p);
        break;
    case 7:
        for (size_t i = 0; i < diamond.size(); ++i)
            canvas.DrawLine(diamond[i], diamond[(i + 1) % diamond.size()], p);
        break;
    case 8: {
        const ISkPath shape = closedPath(diamond);
        canvas.DrawPath(shape, p);
        outline();
        canvas.DrawPath(shape, p);
        break;
    }
    case 9:
        canvas.DrawLine(box.TopLeft(), box.BottomRight(), p);
        break;
    case 10:
        canvas.DrawLine(TPointF(box.Right, box.Top), TPointF(box.Left, box.Bottom), p);
        break;
    case 11:
        canvas.DrawLine(box.TopLeft(), box.BottomRight(), p);
        canvas.DrawLine(TPointF(box.Right, box.Top), TPointF(box.Left, box.Bottom), p);
        break;
    default:
        break;
    }
}

void PrintTermType(TKVRDraw* aDraw, TKVRTermType aKind, const TPointF& aEnd, const TPointF& aOther, int32_t aHalf,
                   int16_t aOpen, bool aByAngle)
{
    if (!aDraw || !aDraw->pC)
        return;
    TCanvas& c = *aDraw->pC;
    c.Stroke().SetDash(TStrokeDash::Solid);
    if (aKind == 0 || aKind > kLastTermType)
        return;
    const float x = aEnd.X, y = aEnd.Y;
    const float h = float(aHalf);
    const TRectF box = TRectF::FromPoints(At(x, y, -h, -h), At(x, y, h, h));
    const std::vector<TPointF> diamond = {At(x, y, 0, -h), At(x, y, h, 0), At(x, y, 0, h), At(x, y, -h, 0)};
    auto arrowCorners = [&](TPointF& c1, TPointF& c2) {
        const int32_t length = 2 * aHalf;
        if (aByAngle)
            TDraw2D::DrawArrow(x, y, aOther.X, length, c1.X, c1.Y, c2.X, c2.Y, float(aOpen));
        else
            TDraw2D::DrawArrow(aOther.X, aOther.Y, x, y, length, c1.X, c1.Y, c2.X, c2.Y, float(aOpen));
    };
    auto fillAndOutline = [&c](const std::vector<TPointF>& pts) {
        TPathData path;
        path.MoveTo(pts.front());
        for (size_t i = 1; i < pts.size(); ++i)
            path.LineTo(pts[i]);
        path.ClosePath();
        c.FillPath(path, 1.0f);
        c.DrawPath(path, 1.0f);
    };

    switch (aKind) {
    case 1:
        c.DrawEllipse(box, 1.0f);
        break;
    case 2:
        c.FillEllipse(box, 1.0f);
        c.DrawEllipse(box, 1.0f);
        break;
    case 3: {
        TPointF c1, c2;
        arrowCorners(c1, c2);
        c.DrawLine(aEnd, c1, 1.0f);
        c.DrawLine(aEnd, c2, 1.0f);
        break;
    }
    case 4: {
        TPointF c1, c2;
        arrowCorners(c1, c2);
        fillAndOutline({aEnd, c1, c2});
        break;
    }
    case 5:
        c.DrawRect(box, 0.0f, 0.0f, NoCorners, 1.0f);
        break;
    case 6:
        c.FillRect(box, 0.0f, 0.0f, NoCorners, 1.0f);
        c.DrawRect(box, 0.0f, 0.0f, NoCorners, 1.0f);
        break;
    case 7:
        for (size_t i = 0; i < diamond.size(); ++i)
            c.DrawLine(diamond[i], diamond[(i + 1) % diamond.size()], 1.0f);
        break;
    case 8:
        fillAndOutline(diamond);
        break;
    case 9:
        c.DrawLine(box.TopLeft(), box.BottomRight(), 1.0f);
        break;
    case 10:
        c.DrawLine(TPointF(box.Right, box.Top), TPointF(box.Left, box.Bottom), 1.0f);
        break;
    case 11:
        c.DrawLine(box.TopLeft(), box.BottomRight(), 1.0f);
        c.DrawLine(TPointF(box.Right, box.Top), TPointF(box.Left, box.Bottom), 1.0f);
        break;
    default:
        break;
    }
}

void DrawTerm(TCanvas& aCanvas, const TRectF& aRect, TKVRTermType aKind, TAlphaColor aLineColor,
              TAlphaColor aFillColor)
{
    const float width = aRect.Width();
    const float height = aRect.Height();
    float side = std::min(width - 8.0f, height - 8.0f);
    if (side < 1.0f)
        side = 1.0f;
    const TRectF s(aRect.Left + (width - side) / 2, aRect.Top + (height - side) / 2, aRect.Left + (width + side) / 2,
                   aRect.Top + (height + side) / 2);
    const TPolygon triangle = {TPointF(s.Left + side / 2, s.Top), TPointF(s.Right, s.Bottom),
                               TPointF(s.Left, s.Bottom)};
    const TPolygon diamond = {TPointF(s.Left + side / 2, s.Top), TPointF(s.Right, s.Top + side / 2),
                              TPointF(s.Left + side / 2, s.Bottom), TPointF(s.Left, s.Top + side / 2)};
    auto fill = [&]() { aCanvas.Fill().SetColor(aFillColor); };
    auto line = [&]() { aCanvas.Stroke().SetColor(aLineColor); };

    switch (aKind) {
    case 1:
        line();
        aCanvas.DrawEllipse(s, 1.0f);
        break;
    case 2:
        fill();
        aCanvas.FillEllipse(s, 1.0f);
        line();
        aCanvas.DrawEllipse(s, 1.0f);
        break;
    case 3:
        fill();
        aCanvas.FillRect(s, 0.0f, 0.0f, AllCorners, 1.0f);
        line();
        aCanvas.DrawPolygon(triangle, 1.0f);
        break;
    case 4:
        fill();
        aCanvas.FillPolygon(triangle, 1.0f);
        line();
        aCanvas.DrawPolygon(triangle, 1.0f);
        break;
    case 5:
        line();
        aCanvas.DrawRect(s, 0.0f, 0.0f, AllCorners, 1.0f);
        break;
    case 6:
        fill();
        aCanvas.FillRect(s, 0.0f, 0.0f, AllCorners, 1.0f);
        line();
        aCanvas.DrawRect(s, 0.0f, 0.0f, AllCorners, 1.0f);
        break;
    case 7:
        fill();
        aCanvas.FillRect(s, 0.0f, 0.0f, AllCorners, 1.0f);
        line();
        aCanvas.DrawPolygon(diamond, 1.0f);
        break;
    case 8:
        fill();
        aCanvas.FillPolygon(diamond, 1.0f);
        line();
        aCanvas.DrawPolygon(diamond, 1.0f);
        break;
    case 9:
        line();
        aCanvas.DrawLine(s.TopLeft(), s.BottomRight(), 1.0f);
        break;
    case 10:
        line();
        aCanvas.DrawLine(TPointF(s.Right, s.Top), TPointF(s.Left, s.Bottom), 1.0f);
        break;
    case 11:
        line();
        aCanvas.DrawLine(s.TopLeft(), s.BottomRight(), 1.0f);
        aCanvas.DrawLine(TPointF(s.Right, s.Top), TPointF(s.Left, s.Bottom), 1.0f);
        break;
    default:
        break;
    }
}
