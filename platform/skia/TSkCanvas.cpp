#include "platform/skia/TSkCanvas.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/geometry/KVR.DashPath.h"
#include <QPaintEngine>
#include <algorithm>
#include <cmath>

namespace {
const TSkPaint& PaintOrDefault(const ISkPaint& paint)
{
    static const TSkPaint defaultPaint;
    return paint ? *paint : defaultPaint;
}

bool IsStrokeAndFillEffect(const TSkPaint& p)
{
    return p.GetPathEffect() && p.GetPathEffect()->GetKind() == TSkPathEffect::TKind::StrokeAndFill;
}

bool Finite(std::initializer_list<float> values)
{
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

TRectF Sorted(const TRectF& r)
{
    return TRectF(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                  std::max(r.Top, r.Bottom));
}

Qt::PenCapStyle ToQt(TSkStrokeCap cap)
{
    switch (cap) {
    case TSkStrokeCap::Round: return Qt::RoundCap;
    case TSkStrokeCap::Square: return Qt::SquareCap;
    default: return Qt::FlatCap;
    }
}

Qt::PenJoinStyle ToQt(TSkStrokeJoin join)
{
    switch (join) {
    case TSkStrokeJoin::Round: return Qt::RoundJoin;
    case TSkStrokeJoin::Bevel: return Qt::BevelJoin;
    default: return Qt::MiterJoin;  // Qt's miter limit 2 (from the join) is Skia's 4
    }
}
}

TSkCanvas::TSkCanvas(QPaintDevice* device)
{
    if (!device)
        return;
    fOwnPainter = std::make_unique<QPainter>();
    if (fOwnPainter->begin(device))
        fPainter = fOwnPainter.get();
}

TSkCanvas::TSkCanvas(QPainter* painter) : fPainter(painter)
{
    if (!IsActive())
        return;
    // The caller's painter gets back its own state when the canvas goes.
    fPainter->save();
    fBase = fPainter->worldTransform();
}

TSkCanvas::TSkCanvas(std::unique_ptr<QImage> image) : TSkCanvas(image.get())
{
    fImage = std::move(image);
}

TSkCanvas::~TSkCanvas()
{
    if (!IsActive())
        return;
    RestoreToCount(1);
    if (fOwnPainter)
        fOwnPainter->end();
    else
        fPainter->restore();
}

ISkCanvas TSkCanvas::MakeRaster(int32_t width, int32_t height)
{
    if (width < 1 || height < 1)
        return nullptr;
    auto image = std::make_unique<QImage>(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image->isNull())
        return nullptr;
    image->fill(Qt::transparent);
    ISkCanvas canvas(new TSkCanvas(std::move(image)));
    return canvas->IsActive() ? canvas : nullptr;
}

QImage TSkCanvas::Snapshot() const
{
    return fImage ? fImage->copy() : QImage();
}

bool TSkCanvas::IsActive() const
{
    return fPainter && fPainter->isActive();
}

int32_t TSkCanvas::Save()
{
    const int32_t before = fSaveCount;
    if (IsActive()) {
        fPainter->save();
        ++fSaveCount;
    }
    return before;
}

void TSkCanvas::Restore()
{
    if (IsActive() && fSaveCount > 1) {
        fPainter->restore();
        --fSaveCount;
    }
}

void TSkCanvas::RestoreToCount(int32_t count)
{
    while (fSaveCount > std::max(1, count) && IsActive())
        Restore();
}

void TSkCanvas::Translate(float dx, float dy)
{
    if (IsActive() && Finite({dx, dy}))
        fPainter->translate(dx, dy);
}

void TSkCanvas::Scale(float sx, float sy)
{
    if (IsActive() && Finite({sx, sy}))
        fPainter->scale(sx, sy);
}

void TSkCanvas::Rotate(float degrees)
{
    // QPainter turns clockwise on a y-down device, as Skia does.
    if (IsActive() && Finite({degrees}))
        fPainter->rotate(degrees);
}

void TSkCanvas::Rotate(float degrees, float px, float py)
{
    if (!IsActive() || !Finite({degrees, px, py}))
        return;
    fPainter->translate(px, py);
    fPainter->rotate(degrees);
    fPainter->translate(-px, -py);
}

void TSkCanvas::Concat(const TMatrix& matrix)
{
    if (IsActive())
        fPainter->setWorldTransform(matrix.ToQt(), true);
}

void TSkCanvas::SetMatrix(const TMatrix& matrix)
{
    if (IsActive())
        fPainter->setWorldTransform(matrix.ToQt() * fBase);
}

void TSkCanvas::ResetMatrix()
{
    if (IsActive())
        fPainter->setWorldTransform(fBase);
}

TMatrix TSkCanvas::GetLocalToDevice() const
{
    if (!IsActive())
        return TMatrix::Identity();
    return TMatrix::FromQt(fPainter->worldTransform() * fBase.inverted());
}

double TSkCanvas::DeviceScale() const
{
    return std::sqrt(std::fabs(fPainter->combinedTransform().determinant()));
}

bool TSkCanvas::SnapToPixelGrid(double& oPixelsPerX, double& oPixelsPerY, TPointF* oShift)
{
    if (!IsActive() || !fPainter->paintEngine())
        return false;
    switch (fPainter->paintEngine()->type()) {
    case QPaintEngine::Pdf:
    case QPaintEngine::SVG:
    case QPaintEngine::Picture:
    case QPaintEngine::MacPrinter:
    case QPaintEngine::User:  // the XPS writer
        return false;
    default:
        break;
    }
    const QTransform t = fPainter->combinedTransform();
    const double perX = std::hypot(t.m11(), t.m12()), perY = std::hypot(t.m21(), t.m22());
    if (t.type() == QTransform::TxProject || !std::isfinite(perX) || !std::isfinite(perY) || !(perX > 0.0) ||
        !(perY > 0.0))
        return false;
    // Quarter turns leave sines and cosines a rounding error off zero.
    const double tolerance = 1e-9 * std::max(perX, perY);
    const bool straight = std::fabs(t.m12()) <= tolerance && std::fabs(t.m21()) <= tolerance;
    const bool turned = std::fabs(t.m11()) <= tolerance && std::fabs(t.m22()) <= tolerance;
    if (!straight && !turned)
        return false;
    const QPointF origin = t.map(QPointF(0.0, 0.0));
    const QPointF whole(double(RoundHalfEven(origin.x())), double(RoundHalfEven(origin.y())));
    const QPointF local = t.inverted().map(whole);
    Translate(float(local.x()), float(local.y()));
    if (oShift)
        *oShift = TPointF(float(local.x()), float(local.y()));
    oPixelsPerX = perX;
    oPixelsPerY = perY;
    return true;
}

void TSkCanvas::ClipRect(const TRectF& rect, TSkClipOp /*op*/, bool antiAlias)
{
    if (!IsActive())
        return;
    fPainter->setRenderHint(QPainter::Antialiasing, antiAlias);
    fPainter->setClipRect(Sorted(rect).ToQt(), Qt::IntersectClip);
}

void TSkCanvas::ClipPath(const ISkPath& path, TSkClipOp /*op*/, bool antiAlias)
{
    if (!IsActive() || !path)
        return;
    fPainter->setRenderHint(QPainter::Antialiasing, antiAlias);
    fPainter->setClipPath(path->ToQt(), Qt::IntersectClip);
}

void TSkCanvas::Clear(TAlphaColor color)
{
    if (!IsActive())
        return;
    fPainter->save();
    fPainter->resetTransform();
    fPainter->setCompositionMode(QPainter::CompositionMode_Source);
    const QPaintDevice* device = fPainter->device();
    fPainter->fillRect(QRect(0, 0, device->width(), device->height()), QColor::fromRgba(color));
    fPainter->restore();
}

QRectF TSkCanvas::Visible(double aMargin) const
{
    return KVRDashWindow(*fPainter, aMargin, DeviceScale());
}

void TSkCanvas::StrokePath(const QPainterPath& path, const TSkPaint& paint, const QColor& color)
{
    QPen pen(color);
    // 0 is Qt's cosmetic one-pixel pen.
    pen.setWidthF(std::min(double(paint.GetStrokeWidth()), KVRMaxQtPenWidth));
    pen.setCapStyle(ToQt(paint.GetStrokeCap()));
    pen.setJoinStyle(ToQt(paint.GetStrokeJoin()));
    const ISkPathEffect& effect = paint.GetPathEffect();
    // Dashes are cut here, in local units: QPen counts them in pen widths and
    // its thin-pen stroker ignores the width, so it cannot follow Skia.
    if (effect && effect->GetKind() == TSkPathEffect::TKind::Dash)
        fPainter->strokePath(effect->DashPath(path, DeviceScale(), paint.GetStrokeWidth(), Visible(pen.widthF())),
                             pen);
    else
        fPainter->strokePath(path, pen);
}

// Skia's styles: fill; stroke; stroke-and-fill. The stroke-and-fill effect
// turns a stroke into stroke-and-fill and leaves a fill alone; a stroke-and-fill
// of width 0 is a fill.
void TSkCanvas::PaintPath(const QPainterPath& path, const TSkPaint& paint)
{
    if (!IsActive())
        return;
    const TSkPaintStyle style = paint.GetStyle();
    const bool strokeAndFill =
        style == TSkPaintStyle::StrokeAndFill || (style == TSkPaintStyle::Stroke && IsStrokeAndFillEffect(paint));
    const bool fill = style == TSkPaintStyle::Fill || strokeAndFill;
    const bool stroke = strokeAndFill ? paint.GetStrokeWidth() > 0.0f : style == TSkPaintStyle::Stroke;
    const QColor color = QColor::fromRgba(paint.GetFilteredColor());
    fPainter->save();
    fPainter->setRenderHint(QPainter::Antialiasing, paint.GetAntiAlias());
    if (fill)
        fPainter->fillPath(path, color);
    if (stroke)
        StrokePath(path, paint, color);
    fPainter->restore();
}

void TSkCanvas::DrawRect(const TRectF& rect, const ISkPaint& paint)
{
    TSkPathBuilder b;
    b.AddRect(Sorted(rect));
    PaintPath(b.ToQt(), PaintOrDefault(paint));
}

void TSkCanvas::DrawRoundRect(const TRectF& rect, float radiusX, float radiusY, const ISkPaint& paint)
{
    TSkPathBuilder b;
    b.AddRoundRect(rect, radiusX, radiusY);
    PaintPath(b.ToQt(), PaintOrDefault(paint));
}

void TSkCanvas::DrawOval(const TRectF& oval, const ISkPaint& paint)
{
    TSkPathBuilder b;
    b.AddOval(Sorted(oval));
    PaintPath(b.ToQt(), PaintOrDefault(paint));
}

void TSkCanvas::DrawCircle(const TPointF& center, float radius, const ISkPaint& paint)
{
    DrawCircle(center.X, center.Y, radius, paint);
}

void TSkCanvas::DrawCircle(float cx, float cy, float radius, const ISkPaint& paint)
{
    const float r = std::max(0.0f, radius);
    DrawOval(TRectF(cx - r, cy - r, cx + r, cy + r), paint);
}

void TSkCanvas::DrawArc(const TRectF& oval, float startAngle, float sweepAngle, bool useCenter,
                        const ISkPaint& paint)
{
    if (oval.IsEmpty() || sweepAngle == 0.0f || !Finite({startAngle, sweepAngle}))
        return;
    TSkPathBuilder b;
    if (useCenter) {
        b.MoveTo(oval.CenterPoint());
        b.ArcTo(oval, startAngle, sweepAngle, false);
        b.Close();
    } else {
        b.ArcTo(oval, startAngle, sweepAngle, true);
    }
    PaintPath(b.ToQt(), PaintOrDefault(paint));
}

void TSkCanvas::DrawLine(const TPointF& p0, const TPointF& p1, const ISkPaint& paint)
{
    DrawLine(p0.X, p0.Y, p1.X, p1.Y, paint);
}

void TSkCanvas::DrawLine(float x0, float y0, float x1, float y1, const ISkPaint& paint)
{
    if (!IsActive())
        return;
    // A line is always stroked, whatever the paint's style (as in Skia).
    const TSkPaint& p = PaintOrDefault(paint);
    QPainterPath path;
    path.moveTo(x0, y0);
    path.lineTo(x1, y1);
    fPainter->save();
    fPainter->setRenderHint(QPainter::Antialiasing, p.GetAntiAlias());
    StrokePath(path, p, QColor::fromRgba(p.GetFilteredColor()));
    fPainter->restore();
}

void TSkCanvas::DrawPoint(const TPointF& p, const ISkPaint& paint)
{
    DrawPoint(p.X, p.Y, paint);
}

void TSkCanvas::DrawPoint(float x, float y, const ISkPaint& paint)
{
    if (!IsActive() || !Finite({x, y}))
        return;
    const TSkPaint& p = PaintOrDefault(paint);
    const QColor color = QColor::fromRgba(p.GetFilteredColor());
    const float w = p.GetStrokeWidth();
    fPainter->save();
    fPainter->setRenderHint(QPainter::Antialiasing, p.GetAntiAlias());
    if (w <= 0.0f) {
        fPainter->setPen(QPen(color, 0));
        fPainter->drawPoint(QPointF(x, y));
    } else {
        QPainterPath dot;
        const QRectF r(x - w / 2, y - w / 2, w, w);
        if (p.GetStrokeCap() == TSkStrokeCap::Round)
            dot.addEllipse(r);
        else
            dot.addRect(r);
        fPainter->fillPath(dot, color);
    }
    fPainter->restore();
}

void TSkCanvas::DrawPath(const ISkPath& path, const ISkPaint& paint)
{
    if (path)
        PaintPath(path->ToQt(), PaintOrDefault(paint));
}

void TSkCanvas::DrawSimpleText(const QString& text, float x, float y, const ISkFont& font, const ISkPaint& paint)
{
    if (!IsActive() || !font || !font->GetTypeface() || text.isEmpty() || !Finite({x, y}))
        return;
    const float size = font->GetSize();
    if (!(size > 0.0f))
        return;
    const ISkShapedText shaped = font->Shape(text);
    if (shaped->IsEmpty())
        return;

    // Reference pixels of the shaped text to local units at the font's size.
    const double k = double(size) / TSkShapedText::kReferencePixels;
    const QTransform toLocal(font->GetScaleX() * k, 0.0, font->GetSkewX() * k, k, x, y);
    const TSkPaint& p = PaintOrDefault(paint);
    const QColor color = QColor::fromRgba(p.GetFilteredColor());
    fPainter->save();
    fPainter->setRenderHint(QPainter::Antialiasing, p.GetAntiAlias());
    fPainter->setRenderHint(QPainter::TextAntialiasing, p.GetAntiAlias());
    if (p.GetStyle() == TSkPaintStyle::Stroke && !IsStrokeAndFillEffect(p)) {
        StrokePath(toLocal.map(shaped->Outline()), p, color);
    } else {
        // Filled only: a stroke width left on the shared paint by an earlier
        // primitive must not thicken the glyphs.
        shaped->Paint(*fPainter, toLocal, color);
    }
    fPainter->restore();
}

void TSkCanvas::DrawImage(const ISkImage& image, float x, float y, const TSkSamplingOptions& sampling,
                          const ISkPaint& paint)
{
    if (!image)
        return;
    const TRectF src(0, 0, float(image->Width()), float(image->Height()));
    DrawImageRect(image, src, TRectF(x, y, x + src.Right, y + src.Bottom), sampling, paint);
}

void TSkCanvas::DrawImageRect(const ISkImage& image, const TRectF& dest, const TSkSamplingOptions& sampling,
                              const ISkPaint& paint, TSkSrcRectConstraint constraint)
{
    if (!image)
        return;
    const TRectF src(0, 0, float(image->Width()), float(image->Height()));
    DrawImageRect(image, src, dest, sampling, paint, constraint);
}

void TSkCanvas::DrawImageRect(const ISkImage& image, const TRectF& dest, const ISkPaint& paint,
                              TSkSrcRectConstraint constraint)
{
    DrawImageRect(image, dest, TSkSamplingOptions::Low(), paint, constraint);
}

void TSkCanvas::DrawImageRect(const ISkImage& image, const TRectF& src, const TRectF& dest,
                              const TSkSamplingOptions& sampling, const ISkPaint& paint,
                              TSkSrcRectConstraint /*constraint*/)
{
    if (!IsActive() || !image || !Finite({dest.Left, dest.Top, dest.Right, dest.Bottom}))
        return;
    const ISkColorFilter filter = paint ? paint->GetColorFilter() : nullptr;
    const QImage pixels = filter ? filter->Filter(image->ToQImage()) : image->ToQImage();
    fPainter->save();
    if (paint)
        fPainter->setOpacity(paint->GetAlphaF());
    fPainter->setRenderHint(QPainter::SmoothPixmapTransform, sampling.Filter == TSkFilterMode::Linear);
    fPainter->drawImage(Sorted(dest).ToQt(), pixels, Sorted(src).ToQt());
    fPainter->restore();
}
