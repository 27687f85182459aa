// The surface's paint: margin, label area and background image, grid,
// reference lines, elements, rulers, guides, handles, rubber band, snap mark.
#include "document/KVR.FMX.h"
#include "editor/TKVRBackEditor.h"
#include "editor/TKVRBaseEditor.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/skia/TSkCanvas.h"
#include "platform/skia/TSkPaint.h"
#include "platform/skia/TSkPath.h"
#include "render/KVR.FMX.LineTypes.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
TRectF Rect(const QPointF& a, const QPointF& b)
{
    return {float(std::min(a.x(), b.x())), float(std::min(a.y(), b.y())), float(std::max(a.x(), b.x())),
            float(std::max(a.y(), b.y()))};
}

// Grid lines closer than this are not painted: they would fill the label.
constexpr double kMinGridPixels = 2.0;
}  // namespace

void TKVRBackEditor::SetUpContext(const ISkCanvas& aCanvas)
{
    TKVRDraw& d = *fDrw;
    d.aFocused = hasFocus();
    // In-place text editing keeps its state while it lasts.
    if (d.DrawState != KVRDrawState::EditorText)
        d.DrawState = KVRDrawState::Editor;
    d.kC = aCanvas;
    d.kP = LPaint;
    d.PrintOffsetX = d.PrintOffsetY = 0;
    d.ScreenOffsetX = d.ScreenOffsetY = 0.0f;
    d.SetResolution(fDPIX, fDPIY, std::max(DrawScale(), 1));
    d.Zoom = ZScale();
    d.aDrawLinkPto = fEditor->GetOptions().testFlag(eoLinkPoints);
    d.OptionFlag = fEditor->GetOptions().testFlag(eoDocFlag);
    d.SetStandardWidths();
}

void TKVRBackEditor::Draw(const ISkCanvas& aCanvas, const QRectF& aDest)
{
    TSkCanvas& canvas = *aCanvas;
    const TRectF dest(float(aDest.left()), float(aDest.top()), float(aDest.right() + 1), float(aDest.bottom() + 1));
    LPaint = std::make_shared<TSkPaint>();
    LPaint->SetColor(fEditor->GetMarginColor());
    LPaint->SetAntiAlias(true);
    canvas.ClipRect(dest, TSkClipOp::Intersect, false);
    canvas.DrawRect(dest, LPaint);
    // A click meets the toolbar of this paint only.
    fToolbarVisible = false;
    fToolbarRects.clear();
    TVXLabelFMX* doc = fEditor->GetLabel();
    if (!doc)
        return;

    LPaint->SetStrokeCap(TSkStrokeCap::Round);
    LPaint->SetStrokeJoin(TSkStrokeJoin::Round);
    SetUpContext(aCanvas);

    LPaint->SetColor(fEditor->GetBackColor());
    canvas.Save();
    canvas.Translate(TranslateX(), TranslateY());
    canvas.Scale(ZScale(), ZScale());
    const TKVRMeasure& m = doc->GetMeasure();
    const TRectF label(0, 0, float(double(m.GetSize(2)) * fDPIX / MicrometresPerInch),
                       float(double(m.GetSize(3)) * fDPIY / MicrometresPerInch));
    if (doc->HasBackMargins())
        canvas.DrawRect(label, LPaint);
    if (!doc->DrawBackImage(aCanvas, *fDrw))
        canvas.DrawRect(label, LPaint);
    if (fEditor->GetGrid()->GetStyle() != TKVRGridDraw::gdNone)
        DrawGrid(canvas, LPaint, aDest);
    DrawRefLines(canvas);
    // Per-cell copies of a run under way belong to its sheet, not to the label drawn.
    for (int32_t i = 1; i <= doc->GetItemsCount(); ++i)
        if (!doc->GetItem(i)->GetPreview())
            doc->GetItem(i)->DrawElement(fDrw.get());
    canvas.Restore();
    DrawRichTextToolbar(canvas);
    DrawRichTextRefusal(canvas);

    PaintRulers(canvas);
    DrawAlignLines(canvas);
    // Handles and the snap mark of an element scrolled under a ruler stay
    // off it: the rulers must stay readable.
    const TRectF drawingArea(fDScroll.RulerL, fDScroll.RulerT, float(width()) - fDScroll.RulerR,
                             float(height()) - fDScroll.RulerB);
    canvas.Save();
    canvas.ClipRect(drawingArea);
    DrawSelPoints(canvas);
    canvas.Restore();
    if (doc->GetAct().fDrawType != 0)
        DrawRubberBand(canvas, LPaint);
    if (fRef.Shown) {
        canvas.Save();
        canvas.ClipRect(drawingArea);
        DrawSnapMarker(canvas, LPaint);
        canvas.Restore();
    }
    fDrw->kC.reset();
}

// Only the steps that fall inside the part being painted: a fine grid on a
// large label has far more crossings than the view shows.
void TKVRBackEditor::DrawGrid(TSkCanvas& aCanvas, const ISkPaint& aPaint, const QRectF& aVisible)
{
    const TKVRGrid& grid = *fEditor->GetGrid();
    const int64_t stepX = grid.BaseIncX(), stepY = grid.BaseIncY();
    fGridPoints = 0;
    if (stepX <= 0 || stepY <= 0)
        return;
    const double z = ZScale();
    if (double(BaseToScreenX(stepX)) * z < kMinGridPixels || double(BaseToScreenY(stepY)) * z < kMinGridPixels)
        return;
    const int64_t extentX = fDScroll.ScaledW < 1 ? fDScroll.BaseW : fDScroll.ScaledW;
    const int64_t extentY = fDScroll.ScaledH < 1 ? fDScroll.BaseH : fDScroll.ScaledH;
    // The visible rectangle in document micrometres.
    const double microPerPixelX = double(BaseToScreenX(1000000)) > 0 ? 1000000.0 / BaseToScreenX(1000000) : 0;
    const double microPerPixelY = double(BaseToScreenY(1000000)) > 0 ? 1000000.0 / BaseToScreenY(1000000) : 0;
    const double x0 = (aVisible.left() - TranslateX()) / z * microPerPixelX;
    const double x1 = (aVisible.right() + 1 - TranslateX()) / z * microPerPixelX;
    const double y0 = (aVisible.top() - TranslateY()) / z * microPerPixelY;
    const double y1 = (aVisible.bottom() + 1 - TranslateY()) / z * microPerPixelY;
    const auto first = [](double aFrom, int64_t aStep) { return std::max<int64_t>(1, int64_t(std::floor(aFrom / double(aStep)))); };
    const auto last = [](double aTo, int64_t aStep, int64_t aExtent) {
        return std::min<int64_t>((aExtent - 1) / aStep, int64_t(std::ceil(aTo / double(aStep))));
    };
    const int64_t ix0 = first(x0, stepX), ix1 = last(x1, stepX, extentX);
    const int64_t iy0 = first(y0, stepY), iy1 = last(y1, stepY, extentY);

    const int64_t unitStep = int64_t(std::max(DrawScale(), 1)) * 10000;
    aPaint->SetColor(grid.GetStepColor());
    aPaint->SetStrokeWidth(0);
    aPaint->SetAntiAlias(false);
    aPaint->SetStyle(TSkPaintStyle::Stroke);
    if (grid.GetStyle() == TKVRGridDraw::gdLines) {
        const float left = BaseToScreenX(0), right = BaseToScreenX(extentX);
        const float top = BaseToScreenY(0), bottom = BaseToScreenY(extentY);
        for (int64_t i = iy0; i <= iy1; ++i) {
            const int64_t y = i * stepY;
            aPaint->SetColor(y % unitStep == 0 ? grid.GetUnitsColor() : grid.GetStepColor());
            aCanvas.DrawLine(left, BaseToScreenY(y), right, BaseToScreenY(y), aPaint);
            ++fGridPoints;
        }
        for (int64_t i = ix0; i <= ix1; ++i) {
            const int64_t x = i * stepX;
            aPaint->SetColor(x % unitStep == 0 ? grid.GetUnitsColor() : grid.GetStepColor());
            aCanvas.DrawLine(BaseToScreenX(x), top, BaseToScreenX(x), bottom, aPaint);
            ++fGridPoints;
        }
    } else {
        for (int64_t j = iy0; j <= iy1; ++j)
            for (int64_t i = ix0; i <= ix1; ++i) {
                aCanvas.DrawPoint(BaseToScreenX(i * stepX), BaseToScreenY(j * stepY), aPaint);
                ++fGridPoints;
            }
    }
    aPaint->SetAntiAlias(true);
}

void TKVRBackEditor::DrawRefLines(TSkCanvas& aCanvas)
{
    TVXLabelFMX* doc = fEditor->GetLabel();
    const int32_t count = doc->GetRefLineCount();
    if (count <= 0)
        return;
    const ISkPaint& p = fDrw->kP;
    p->SetAntiAlias(false);
    p->SetStyle(TSkPaintStyle::Stroke);
    p->SetPathEffect(TSkPathEffect::MakeDash({fDrw->w05, fDrw->w05}, 1.0f));
    p->SetColor(fEditor->GetSelectionColors()->fRefLine);
    p->SetStrokeWidth(0);
    for (int32_t i = 1; i <= count; ++i) {
        const TKVRRefLine r = doc->GetRefLine(i);
        aCanvas.DrawLine(fDrw->ScreenOffsetX + r.DrawX1(fDrw.get()), fDrw->ScreenOffsetY + r.DrawY1(fDrw.get()),
                         fDrw->ScreenOffsetX + r.DrawX2(fDrw.get()), fDrw->ScreenOffsetY + r.DrawY2(fDrw.get()), p);
    }
}

void TKVRBackEditor::DrawSelPoints(TSkCanvas& aCanvas)
{
    TVXLabelFMX* doc = fEditor->GetLabel();
    const uint8_t action = doc->GetAct().fCurAction;
    if (action == TAct::ActEditText || action == TAct::ActPressText)
        return;
    const TKVRSelColors& colors = *fEditor->GetSelectionColors();
    auto paint = std::make_shared<TSkPaint>();
    paint->SetAntiAlias(true);
    paint->SetStrokeCap(TSkStrokeCap::Round);
    paint->SetStrokeJoin(TSkStrokeJoin::Round);
    const float s = float(fEditor->GetSizeRef()), p = float(fEditor->GetSizePoint());
    const auto fill = [&](TAlphaColor aColor) {
        paint->SetColor(aColor);
        paint->SetStyle(TSkPaintStyle::Fill);
    };
    const auto stroke = [&](TAlphaColor aColor) {
        paint->SetColor(aColor);
        paint->SetStyle(TSkPaintStyle::Stroke);
        paint->SetStrokeWidth(1.0f);
    };
    const auto dot = [&](float x, float y, TAlphaColor aColor) {
        fill(aColor);
        paint->SetStrokeWidth(1.0f);
        aCanvas.DrawOval(TRectF(x - 3, y - 3, x + 3, y + 3), paint);
    };
    const auto upright = [&](float x, float y, TAlphaColor aColor) {
        stroke(aColor);
        aCanvas.DrawLine(x - s, y, x + s, y, paint);
        aCanvas.DrawLine(x, y - s, x, y + s, paint);
    };
    const auto diagonal = [&](float x, float y) {
        aCanvas.DrawLine(x - s, y - s, x + s, y + s, paint);
        aCanvas.DrawLine(x - s, y + s, x + s, y - s, paint);
    };
    const int32_t count = doc->GetSelPointCount();
    for (int32_t i = 1; i <= count; ++i) {
        const TKVRSInfo info = doc->GetSelPoint(i);
        const float x = float(CoordDX(info.X, true)), y = float(CoordDY(info.Y, true));
        const float x2 = float(CoordDX(info.X2, true)), y2 = float(CoordDY(info.Y2, true));
        switch (info.Kind) {
        case 1:
            fill(0xFF000000);
            paint->SetStrokeWidth(3.0f);
            aCanvas.DrawRect(TRectF(x - 3, y - 2, x + 3, y), paint);
            break;
        case 2:
            fill(colors.fSelItem);
            aCanvas.DrawCircle(x, y, p, paint);
            break;
        case 3:
        case 5:
            dot(x, y, info.Index == doc->GetAct().fPos1 ? colors.fRadio : colors.fSizeColor);
            break;
        case 4:
        case 16: dot(x, y, colors.fFixColor); break;
        case 6: dot(x, y, colors.fBezier); break;
        case 7:
        case 20:
        case 21:
        case 22:
        case 23:
        case 26: dot(x, y, colors.fRadio); break;
        case 17:
            stroke(0xFFFF0000);
            diagonal(x, y);
            diagonal(x2, y2);
            break;
        case 18:
        case 25: upright(x, y, colors.fAlign); break;
        // Painted as set: the colour is already ARGB.
        case 19: upright(x, y, colors.fCenter); break;
        case 24:
            stroke(colors.fSelItem);
            aCanvas.DrawRect(TRectF(x - 1, y - 1, x2 + 1, y2 + 1), paint);
            break;
        case 27:
            fill(0xFFFFA500);
            aCanvas.DrawRect(TRectF(x - 4, y - 6, x + 4, y + 6), paint);
            stroke(0xFF000000);
            aCanvas.DrawRect(TRectF(x - 4, y - 6, x + 4, y + 6), paint);
            break;
        default:  // 0, 8 to 15, 28 and above
            fill(colors.fSizeColor);
            aCanvas.DrawRect(TRectF(x - 3, y - 3, x + 3, y + 3), paint);
            break;
        }
    }
}

void TKVRBackEditor::DrawRubberBand(TSkCanvas& aCanvas, const ISkPaint& aPaint)
{
    TVXLabelFMX* doc = fEditor->GetLabel();
    const TAct& act = doc->GetAct();
    aPaint->SetColor(fEditor->GetSelectionColors()->fDraw);
    aPaint->SetStyle(TSkPaintStyle::Stroke);
    aPaint->SetStrokeWidth(1.0f);
    aPaint->SetPathEffect(nullptr);
    const bool both = PO.x() != LP.x() && PO.y() != LP.y();
    const float w = float(std::fabs(LP.x() - PO.x())), h = float(std::fabs(LP.y() - PO.y()));
    const float px = float(PO.x()), py = float(PO.y()), lx = float(LP.x()), ly = float(LP.y());
    const auto pixel = [&](int32_t i) {
        return QPointF(ScreenMMX(act.GetPointX(i)), ScreenMMY(act.GetPointY(i)));
    };
    const auto polygon = [&](std::initializer_list<TPointF> aPoints) {
        const TPointF* prev = nullptr;
        for (const TPointF& pt : aPoints) {
            if (prev)
                aCanvas.DrawLine(*prev, pt, aPaint);
            prev = &pt;
        }
        aCanvas.DrawLine(*prev, *aPoints.begin(), aPaint);
    };
    // A circle found in micrometres, painted in pixels.
    const auto circle = [&](int64_t cx, int64_t cy, int64_t r) {
        fCx = float(ScreenMMX(cx)), fCy = float(ScreenMMY(cy)), fRadio = BaseToScreenX(r) * ZScale();
        aCanvas.DrawCircle(fCx, fCy, fRadio, aPaint);
    };
    const auto linkSquare = [&] {
        if (!fLink.Found)
            return;
        aPaint->SetStrokeWidth(2.0f);
        aCanvas.DrawRect(TRectF(lx - 5, ly - 5, lx + 6, ly + 6), aPaint);
        aPaint->SetStrokeWidth(1.0f);
    };
    switch (act.fDrawType) {
    case 1:
        if (!both)
            break;
        aPaint->SetAntiAlias(false);
        fDrw->kP = aPaint;
        AdjustLineType(fDrw.get(), LP.x() < PO.x() || LP.y() < PO.y() ? 1 : 0, 0);
        aPaint->SetStrokeWidth(1.0f);
        aCanvas.DrawRect(Rect(PO, LP), aPaint);
        break;
    case 3:
        aPaint->SetAntiAlias(!fEditor->GetOrtoLines());
        if ((act.fCurAction == 7 || act.fCurAction == 9 || act.fCurAction == 10) && act.NumPoints() > 1) {
            aCanvas.DrawPath(GetPath(4), aPaint);
        }
        if (PO != LP)
            aCanvas.DrawLine(px, py, lx, ly, aPaint);
        break;
    case 5:
        if (!both)
            break;
        aPaint->SetAntiAlias(false);
        aCanvas.DrawRect(Rect(PO, LP), aPaint);
        break;
    case 6:
        if (!both)
            break;
        aPaint->SetAntiAlias(true);
        fRadio = Distance(px, py, lx, ly);
        aCanvas.DrawCircle(px, py, fRadio, aPaint);
        break;
    case 7: {
        if (!both)
            break;
        aPaint->SetAntiAlias(true);
        int64_t cx = 0, cy = 0, r = 0;
        if (TDraw2D::CircleTwoPoints(BaseMMX(px), BaseMMY(py), BaseMMX(lx), BaseMMY(ly), cx, cy, r))
            circle(cx, cy, r);
        break;
    }
    case 8:
    case 9: {
        aPaint->SetAntiAlias(true);
        const bool third = act.fCurState == 3;
        if (act.NumPoints() < (third ? 1 : 2))
            break;
        const int64_t x1 = act.GetPointX(0), y1 = act.GetPointY(0);
        const int64_t x2 = third ? BaseMMX(px) : act.GetPointX(1), y2 = third ? BaseMMY(py) : act.GetPointY(1);
        const int64_t x3 = BaseMMX(lx), y3 = BaseMMY(ly);
        int64_t cx = 0, cy = 0, r = 0;
        if (act.fDrawType == 8 || third) {
            if (TDraw2D::CircleThreePoints(x1, y1, x2, y2, x3, y3, cx, cy, r))
                circle(cx, cy, r);
            break;
        }
        double start = 0, end = 0, sweep = 0;
        bool flag = false;
        if (!TDraw2D::ArcThreePoints(x1, y1, x2, y2, x3, y3, cx, cy, r, start, end, sweep, flag))
            break;
        fAng1 = start, fAng2 = end, fAng3 = sweep, fClock = flag;
        fCx = float(ScreenMMX(cx)), fCy = float(ScreenMMY(cy)), fRadio = BaseToScreenX(r) * ZScale();
        aCanvas.DrawArc(TRectF(fCx - fRadio, fCy - fRadio, fCx + fRadio, fCy + fRadio), float(start * 180.0 / std::numbers::pi),
                        float(sweep * 180.0 / std::numbers::pi), false, aPaint);
        break;
    }
    case 11:
        aPaint->SetAntiAlias(true);
        if (act.fCurState == 8) {
            fRadio = w;
            aCanvas.DrawLine(px, py, lx, ly, aPaint);
        } else {
            fRadio2 = float(std::fabs(LP.y() - CO.y()));
            aCanvas.DrawLine(float(PO2.x()), float(CO.y()), float(CO.x()), float(CO.y()), aPaint);
            aCanvas.DrawLine(float(CO.x()), float(CO.y()), float(CO.x()), ly, aPaint);
        }
        break;
    case 13:
        if (!both)
            break;
        aPaint->SetAntiAlias(true);
        aCanvas.DrawPath(GetPath(13), aPaint);
        break;
    case 20:
    case 22:
        if (both)
            aCanvas.DrawPath(GetPath(act.fDrawType), aPaint);
        break;
    case 23: {
        aPaint->SetAntiAlias(true);
        if (act.fCurState == 3) {
            aCanvas.DrawLine(px, py, lx, ly, aPaint);
            break;
        }
        if (act.NumPoints() < 2)
            break;
        // The extension size is a length: converted without the view offset.
        const float extMM = doc->GetActiveDimStyle().GetExtSize();
        const int64_t ext = RoundHalfEven(double(BaseToScreenX(RoundHalfEven(extMM * 1000.0 * DrawScale()))) * ZScale());
        const QPointF a = pixel(0), b = pixel(1);
        int64_t sx1 = 0, sy1 = 0, sx2 = 0, sy2 = 0;
        TDraw2D::DrawParalLine(RoundHalfEven(a.x()), RoundHalfEven(a.y()), RoundHalfEven(b.x()), RoundHalfEven(b.y()),
                               RoundHalfEven(lx), RoundHalfEven(ly), ext, sx1, sy1, sx2, sy2);
        aCanvas.DrawLine(float(sx1), float(sy1), float(sx2), float(sy2), aPaint);
        break;
    }
    case 12:
        if (!both)
            break;
        aPaint->SetAntiAlias(true);
        polygon({{px + w / 2, py}, {lx, py + h / 2}, {px + w / 2, ly}, {px, py + h / 2}});
        break;
    case 14:
        if (!both)
            break;
        aPaint->SetAntiAlias(false);
        aCanvas.DrawRoundRect(Rect(PO, LP), h, h, aPaint);
        break;
    case 15:
        if (!both)
            break;
        aPaint->SetAntiAlias(true);
        polygon({{px + w / 8, py}, {lx, py}, {lx - w / 8, ly}, {px, ly}});
        break;
    case 16:
        aPaint->SetAntiAlias(true);
        if (act.fCurState == 3)
            aCanvas.DrawLine(px, py, lx, ly, aPaint);
        linkSquare();
        break;
    case 17:
        aPaint->SetAntiAlias(true);
        if (act.fCurState == 5 && PO != LP)
            aCanvas.DrawLine(px, py, lx, ly, aPaint);
        linkSquare();
        break;
    case 18:
        if (!both)
            break;
        aPaint->SetAntiAlias(true);
        polygon({{px + w / 4, py}, {lx - w / 4, py}, {lx, py + h / 2}, {lx - w / 4, ly}, {px + w / 4, ly},
                 {px, py + h / 2}});
        break;
    case 19:
        if (!both)
            break;
        aPaint->SetAntiAlias(true);
        aCanvas.DrawOval(Rect(PO, LP), aPaint);
        break;
    case 21:
        if (!both)
            break;
        aPaint->SetAntiAlias(true);
        polygon({{px, py}, {lx - w / 8, py}, {lx, py + h / 2}, {lx - w / 8, ly}, {px, ly}, {px + w / 8, py + h / 2}});
        break;
    default:
        break;
    }
    aPaint->SetPathEffect(nullptr);
}

ISkPath TKVRBackEditor::GetPath(uint8_t aDrawType) const
{
    TSkPathBuilder b;
    const float px = float(PO.x()), py = float(PO.y()), lx = float(LP.x()), ly = float(LP.y());
    const float w = std::fabs(lx - px), h = std::fabs(ly - py);
    switch (aDrawType) {
    case 4: {
        const TAct& act = fEditor->GetLabel()->GetAct();
        for (int32_t i = 0; i < act.NumPoints(); ++i) {
            const float x = float(ScreenMMX(act.GetPointX(i))), y = float(ScreenMMY(act.GetPointY(i)));
            if (i == 0)
                b.MoveTo(x, y);
            else
                b.LineTo(x, y);
        }
        break;
    }
    case 13:
        b.MoveTo(px, ly);
        b.CubicTo({px + w / 4, ly + h / 4}, {lx - w / 4, ly - h / 4}, {lx, ly});
        b.LineTo(lx, py);
        b.LineTo(px, py);
        b.LineTo(px, ly);
        break;
    case 20:
        b.MoveTo(px + w / 8, py);
        b.LineTo(lx - w / 8, py);
        b.LineTo(lx, py + h / 2);
        b.LineTo(lx - w / 8, ly);
        b.LineTo(px + w / 8, ly);
        b.CubicTo({px, ly - h / 4}, {px, py + h / 4}, {px + w / 8, py});
        break;
    case 22:
        b.MoveTo(lx - w / 8, ly);
        b.LineTo(px, ly);
        b.LineTo(px + w / 8, py + h / 2);
        b.LineTo(px, py);
        b.LineTo(lx - w / 8, py);
        b.CubicTo({lx, py + h / 4}, {lx, ly - h / 4}, {lx - w / 8, ly});
        break;
    default:
        break;
    }
    return b.Detach();
}

void TKVRBackEditor::DrawSnapMarker(TSkCanvas& aCanvas, const ISkPaint& aPaint)
{
    aPaint->SetStrokeWidth(2.0f);
    aPaint->SetColor(fEditor->GetSelectionColors()->fRefPoint);
    aPaint->SetStyle(TSkPaintStyle::Stroke);
    aPaint->SetPathEffect(nullptr);
    const float x = float(fRef.PixelX), y = float(fRef.PixelY);
    switch (fRef.Shape) {
    case TKVRRef::ShapeSquare: aCanvas.DrawRect(TRectF(x - 5, y - 5, x + 6, y + 6), aPaint); break;
    case TKVRRef::ShapeCircle: aCanvas.DrawOval(TRectF(x - 5, y - 5, x + 6, y + 6), aPaint); break;
    case TKVRRef::ShapeCross:
        aCanvas.DrawLine(x - 5, y - 5, x + 6, y + 6, aPaint);
        aCanvas.DrawLine(x + 5, y - 5, x - 6, y + 6, aPaint);
        break;
    default: break;
    }
    aPaint->SetStrokeWidth(1.0f);
}
