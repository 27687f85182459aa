#include "render/KVR.FMX.LineTypes.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
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

// A surface that paints line-end markers: closed shapes are filled first when
// asked, then outlined; lines are stroked.
class TMarkerSurface
{
public:
    virtual ~TMarkerSurface() = default;
    virtual void Ellipse(const TRectF& aBox, bool aFilled) = 0;
    virtual void Rect(const TRectF& aBox, bool aFilled) = 0;
    virtual void Polygon(const std::vector<TPointF>& aPoints, bool aFilled) = 0;
    virtual void Line(const TPointF& aFrom, const TPointF& aTo) = 0;
};

// The marker of a kind on the end point (aX, aY) with half size h, the same on
// every surface. Arrow heads of aLength point from (aX2, aY2), or along the
// angle aX2 with aByAngle; every other marker keeps to the page axes.
void PaintMarker(TMarkerSurface& s, TKVRTermType aKind, float aX, float aY, float h, int32_t aLength, float aX2,
                 float aY2, int16_t aOpen, bool aByAngle)
{
    const TPointF end(aX, aY);
    const TRectF box = TRectF::FromPoints(At(aX, aY, -h, -h), At(aX, aY, h, h));
    const TPointF slashFrom = box.TopLeft(), slashTo = box.BottomRight();
    const TPointF backFrom(box.Right, box.Top), backTo(box.Left, box.Bottom);
    auto head = [&] {
        std::vector<TPointF> corners = {end, {}, {}};
        if (aByAngle)
            TDraw2D::DrawArrow(aX, aY, aX2, aLength, corners[1].X, corners[1].Y, corners[2].X, corners[2].Y,
                               float(aOpen));
        else
            TDraw2D::DrawArrow(aX2, aY2, aX, aY, aLength, corners[1].X, corners[1].Y, corners[2].X, corners[2].Y,
                               float(aOpen));
        return corners;
    };
    const std::vector<TPointF> diamond = {At(aX, aY, 0, -h), At(aX, aY, h, 0), At(aX, aY, 0, h), At(aX, aY, -h, 0)};

    switch (aKind) {
    case 1:
    case 2:
        s.Ellipse(box, aKind == 2);
        break;
    case 3: {
        const std::vector<TPointF> corners = head();
        s.Line(end, corners[1]);
        s.Line(end, corners[2]);
        break;
    }
    case 4:
        s.Polygon(head(), true);
        break;
    case 5:
    case 6:
        s.Rect(box, aKind == 6);
        break;
    case 7:
        for (size_t i = 0; i < diamond.size(); ++i)
            s.Line(diamond[i], diamond[(i + 1) % diamond.size()]);
        break;
    case 8:
        s.Polygon(diamond, true);
        break;
    case 9:
        s.Line(slashFrom, slashTo);
        break;
    case 10:
        s.Line(backFrom, backTo);
        break;
    case 11:
        s.Line(slashFrom, slashTo);
        s.Line(backFrom, backTo);
        break;
    default:
        break;
    }
}

// The screen: one shared paint, set up for the kind before painting; a filled
// shape is painted with it, then outlined in the line colour.
class TScreenMarker : public TMarkerSurface
{
public:
    TScreenMarker(TKVRDraw& aDraw, TAlphaColor aLineColor)
        : fCanvas(*aDraw.kC), fPaint(aDraw.kP), fLineColor(aLineColor) {}

    void Ellipse(const TRectF& aBox, bool aFilled) override
    {
        Shape(aFilled, [&] { fCanvas.DrawOval(aBox, fPaint); });
    }
    void Rect(const TRectF& aBox, bool aFilled) override
    {
        Shape(aFilled, [&] { fCanvas.DrawRect(aBox, fPaint); });
    }
    void Polygon(const std::vector<TPointF>& aPoints, bool aFilled) override
    {
        TSkPathBuilder b;
        b.AddPolygon(aPoints, true);
        const ISkPath path = b.Detach();
        Shape(aFilled, [&] { fCanvas.DrawPath(path, fPaint); });
    }
    void Line(const TPointF& aFrom, const TPointF& aTo) override { fCanvas.DrawLine(aFrom, aTo, fPaint); }

private:
    template <class TPaintFn>
    void Shape(bool aFilled, const TPaintFn& paint)
    {
        paint();
        if (aFilled) {
            fPaint->SetColor(fLineColor);
            fPaint->SetStyle(TSkPaintStyle::Stroke);
            paint();
        }
    }

    TSkCanvas& fCanvas;
    const ISkPaint& fPaint;
    TAlphaColor fLineColor;
};

// The printer: the canvas's own brushes, fill then stroke, opacity 1.
class TPrinterMarker : public TMarkerSurface
{
public:
    explicit TPrinterMarker(TCanvas& aCanvas) : c(aCanvas) {}

    void Ellipse(const TRectF& aBox, bool aFilled) override
    {
        if (aFilled)
            c.FillEllipse(aBox, 1.0f);
        c.DrawEllipse(aBox, 1.0f);
    }
    void Rect(const TRectF& aBox, bool aFilled) override
    {
        if (aFilled)
            c.FillRect(aBox, 0.0f, 0.0f, NoCorners, 1.0f);
        c.DrawRect(aBox, 0.0f, 0.0f, NoCorners, 1.0f);
    }
    void Polygon(const std::vector<TPointF>& aPoints, bool aFilled) override
    {
        TPathData path;
        path.MoveTo(aPoints.front());
        for (size_t i = 1; i < aPoints.size(); ++i)
            path.LineTo(aPoints[i]);
        path.ClosePath();
        if (aFilled)
            c.FillPath(path, 1.0f);
        c.DrawPath(path, 1.0f);
    }
    void Line(const TPointF& aFrom, const TPointF& aTo) override { c.DrawLine(aFrom, aTo, 1.0f); }

private:
    TCanvas& c;
};

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
        // Other states highlight nothing: the element keeps its own line type, as in preview and print.
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
    const bool width = aPenWidth > 0.0f && std::isfinite(aPenWidth);
    // A pen of 0 (or a damaged negative one) is the thinnest line the device
    // draws, as on screen.
    stroke.SetThickness(width ? aPenWidth : 0.0f);
    const std::vector<int> steps = PatternSteps(aLineType);
    // Entries are counted in stroke thicknesses: a pen without width cannot
    // carry a pattern, so it strokes solid instead of dividing by zero.
    if (steps.empty() || !width) {
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
    TScreenMarker surface(*aDraw, aLineColor);
    PaintMarker(surface, aKind, aX, aY, aHalf, RoundHalfEven32(2.0 * double(aHalf)), aX2, aY2, aOpen, aByAngle);
}

void PrintTermType(TKVRDraw* aDraw, TKVRTermType aKind, const TPointF& aEnd, const TPointF& aOther, int32_t aHalf,
                   int16_t aOpen, bool aByAngle)
{
    if (!aDraw || !aDraw->pC)
        return;
    aDraw->pC->Stroke().SetDash(TStrokeDash::Solid);
    if (aKind == 0 || aKind > kLastTermType)
        return;
    // Whole printer units: the head's length is exactly twice the half size.
    const int32_t length = KVRToInteger<int32_t>(2.0 * double(aHalf));
    TPrinterMarker surface(*aDraw->pC);
    PaintMarker(surface, aKind, aEnd.X, aEnd.Y, float(aHalf), length, aOther.X, aOther.Y, aOpen, aByAngle);
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
