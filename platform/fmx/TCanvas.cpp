#include "platform/fmx/TCanvas.h"
#include "platform/fmx/TBitmap.h"
#include "platform/fmx/TPathData.h"
#include "platform/rtl/geometry/KVR.DashPath.h"
#include "platform/skia/KVR.PaintRoad.h"
#include "platform/skia/TSkFont.h"
#include "platform/skia/TSkPaint.h"
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QPaintEngine>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// Font sizes are in 1/96 inch of the device.
constexpr double kFontUnitsPerInch = 96.0;

const char* const kNoScene = "It is not possible to perform rendering. BeginScene was not invoked.";

double ClampOpacity(float opacity)
{
    if (!(opacity > 0.0f))  // also NaN
        return 0.0;
    return opacity > 1.0f ? 1.0 : double(opacity);
}

// The stroke's pen, always solid: StrokeOutline cuts the dashes from the path.
// A thickness of 0 (or one that is not a number or negative) is the
// device's thinnest line, as the screen's hairline.
QPen MakePen(const TStrokeBrush& stroke)
{
    const double width = stroke.Thickness() > 0.0f && std::isfinite(stroke.Thickness())
                             ? std::min(double(stroke.Thickness()), KVRMaxQtPenWidth)
                             : 0.0;
    QPen pen(QColor::fromRgba(stroke.Color()), width);
    pen.setCosmetic(width == 0.0);
    pen.setCapStyle(stroke.Cap() == TStrokeCap::Round ? Qt::RoundCap : Qt::FlatCap);
    switch (stroke.Join()) {
    case TStrokeJoin::Miter: pen.setJoinStyle(Qt::MiterJoin); break;
    case TStrokeJoin::Round: pen.setJoinStyle(Qt::RoundJoin); break;
    case TStrokeJoin::Bevel: pen.setJoinStyle(Qt::BevelJoin); break;
    }
    // Qt counts the miter limit in half widths: 2 is the screen side's limit of 4.
    pen.setMiterLimit(2.0);
    return pen;
}

// The stroke's dash in the canvas's local units: entries and offset are
// counted in thicknesses (a hairline's in device pixels). An odd list
// repeats, so dashes and gaps alternate. Empty when the stroke is solid.
TKVRDashPattern DashPattern(const TStrokeBrush& stroke, double deviceScale)
{
    TKVRDashPattern pattern;
    if (stroke.Dash() == TStrokeDash::Solid)
        return pattern;
    const double unit = stroke.Thickness() > 0.0f && std::isfinite(stroke.Thickness())
                            ? double(stroke.Thickness())
                            : 1.0 / (deviceScale > 0.0 ? deviceScale : 1.0);
    for (float entry : stroke.DashArray())
        pattern.Intervals.push_back(std::isfinite(entry) && entry > 0.0f ? double(entry) * unit : 0.0);
    if (pattern.Intervals.size() % 2 != 0)
        pattern.Intervals.insert(pattern.Intervals.end(), pattern.Intervals.begin(), pattern.Intervals.end());
    pattern.Phase = std::isfinite(stroke.DashOffset()) ? double(stroke.DashOffset()) * unit : 0.0;
    return pattern;
}

// The screen's typeface of the font: text is shaped, measured and painted on
// the one road the screen takes, so paper and screen agree in widths and in
// vertical metrics.
ISkTypeface MakeTypeface(const TFont& font)
{
    const bool bold = font.Style() & FontStyleSet(TFontStyle::Bold);
    const bool italic = font.Style() & FontStyleSet(TFontStyle::Italic);
    TSkFontStyle style = TSkFontStyle::Normal();
    if (bold)
        style.Weight = TSkFontWeight::Bold;
    if (italic)
        style.Slant = TSkFontSlant::Italic;
    return TSkTypeface::MakeFromName(font.Family(), style);
}

// Sets on the painter only what differs from its state: a document writes
// every change, so a pen, brush or opacity set again only adds bytes.
void ApplyPaint(QPainter& painter, double opacity, const QPen& pen, const QBrush& brush)
{
    const bool all = TKVRPaintRoad::Reference();
    if (all || !painter.testRenderHint(QPainter::Antialiasing))
        painter.setRenderHint(QPainter::Antialiasing, true);
    if (all || painter.opacity() != opacity)
        painter.setOpacity(opacity);
    if (all || painter.pen() != pen)
        painter.setPen(pen);
    if (all || painter.brush() != brush)
        painter.setBrush(brush);
}

// Whether the painter writes a document (PDF, a printer) rather than pixels.
bool WritesDocument(const QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    return engine && engine->type() == QPaintEngine::Pdf;
}

QPainterPath RectPath(const TRectF& rect, float xRadius, float yRadius, TCorners corners)
{
    const QRectF r = rect.ToQt().normalized();
    const double rx = std::clamp(double(xRadius), 0.0, r.width() / 2);
    const double ry = std::clamp(double(yRadius), 0.0, r.height() / 2);
    QPainterPath path;
    if (!(rx > 0.0 && ry > 0.0) || (corners & AllCorners) == 0) {
        path.addRect(r);
        return path;
    }
    auto rounded = [corners](TCorner c) { return (corners & CornerSet(c)) != 0; };
    const double l = r.left(), t = r.top(), rt = r.right(), b = r.bottom(), dx = 2 * rx, dy = 2 * ry;
    // Clockwise from the left end of the top-left corner.
    if (rounded(TCorner::TopLeft)) {
        path.moveTo(l, t + ry);
        path.arcTo(l, t, dx, dy, 180, -90);
    } else {
        path.moveTo(l, t);
    }
    if (rounded(TCorner::TopRight))
        path.arcTo(rt - dx, t, dx, dy, 90, -90);
    else
        path.lineTo(rt, t);
    if (rounded(TCorner::BottomRight))
        path.arcTo(rt - dx, b - dy, dx, dy, 0, -90);
    else
        path.lineTo(rt, b);
    if (rounded(TCorner::BottomLeft))
        path.arcTo(l, b - dy, dx, dy, 270, -90);
    else
        path.lineTo(l, b);
    path.closeSubpath();
    return path;
}

QPolygonF ToQt(const TPolygon& polygon)
{
    QPolygonF out;
    out.reserve(qsizetype(polygon.size()));
    for (const TPointF& p : polygon)
        out.append(p.ToQt());
    return out;
}

// Hard line breaks: CR LF, CR and LF each end a line.
QStringList SplitParagraphs(const QString& text)
{
    QStringList out;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            out.append(current);
            current.clear();
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            current.append(c);
        }
    }
    out.append(current);
    return out;
}

QString TrimRight(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == u' ')
        --n;
    return s.left(n);
}
}

struct TCanvas::TextLayout
{
    struct Line
    {
        QString text;
        double x = 0.0;
        double y = 0.0;
    };
    ISkTypeface typeface;
    double pixels = 0.0;  // the font's size in device pixels
    bool rightToLeft = false;
    double ascent = 0.0;
    std::vector<Line> lines;
    QRectF bounds;
};

TCanvas::TCanvas(QPaintDevice* device) : fDevice(device) {}

TCanvas::TCanvas(QPainter& painter) : fBorrowed(&painter), fBase(painter.transform()) {}

TCanvas::~TCanvas()
{
    if (fOwnPainter)
        fOwnPainter->end();
}

QPaintDevice* TCanvas::Device() const
{
    return fBorrowed ? fBorrowed->device() : fDevice;
}

QPainter* TCanvas::Painter() const
{
    if (fBorrowed)
        return fBorrowed->isActive() ? fBorrowed : nullptr;
    return fOwnPainter.get();
}

bool TCanvas::BeginScene()
{
    if (fBorrowed) {
        if (!fBorrowed->isActive())
            return false;
    } else if (fSceneCount == 0) {
        if (!fDevice)
            return false;
        auto painter = std::make_unique<QPainter>();
        if (!painter->begin(fDevice))
            return false;
        fOwnPainter = std::move(painter);
        ApplyTransform(fMatrix);
    }
    ++fSceneCount;
    return true;
}

void TCanvas::EndScene()
{
    if (fSceneCount == 0)
        return;
    if (--fSceneCount == 0 && fOwnPainter) {
        fOwnPainter->end();
        fOwnPainter.reset();
    }
}

QPainter& TCanvas::ScenePainter()
{
    if (QPainter* painter = Painter())
        return *painter;
    throw ECanvasException(kNoScene);
}

void TCanvas::ApplyTransform(const TMatrix& matrix)
{
    QPainter* painter = Painter();
    if (!painter)
        return;
    // A document closes and reopens its graphics state on every new
    // transform, even an equal one.
    const QTransform t = matrix.ToQt() * fBase;
    if (TKVRPaintRoad::Reference() || painter->transform() != t)
        painter->setTransform(t);
}

void TCanvas::SetMatrix(const TMatrix& matrix)
{
    fMatrix = matrix;
    // Otherwise the next drawing call applies it: a matrix set and set back
    // around nothing drawn reaches no document.
    if (TKVRPaintRoad::Reference())
        ApplyTransform(fMatrix);
}

TCanvasSaveState TCanvas::SaveState() const
{
    return {fFill, fStroke, fFont, fMatrix};
}

void TCanvas::RestoreState(const TCanvasSaveState& state)
{
    fFill = state.Fill;
    fStroke = state.Stroke;
    fFont = state.Font;
    SetMatrix(state.Matrix);
}

QPainter* TCanvas::PrepareFill(float opacity)
{
    QPainter& painter = ScenePainter();
    ApplyTransform(fMatrix);
    const double o = ClampOpacity(opacity);
    if (fFill.Kind() == TBrushKind::None || o <= 0.0)
        return nullptr;
    ApplyPaint(painter, o, QPen(Qt::NoPen), QBrush(QColor::fromRgba(fFill.Color())));
    return &painter;
}

QPainter* TCanvas::PrepareStroke(float opacity)
{
    QPainter& painter = ScenePainter();
    ApplyTransform(fMatrix);
    const double o = ClampOpacity(opacity);
    if (fStroke.Kind() == TBrushKind::None || o <= 0.0)
        return nullptr;
    ApplyPaint(painter, o, MakePen(fStroke), QBrush(Qt::NoBrush));
    return &painter;
}

void TCanvas::StrokeOutline(const QPainterPath& path, float opacity)
{
    fLastDashes = TKVRDashedPath();
    QPainter* p = PrepareStroke(opacity);
    if (!p)
        return;
    const TKVRDashPattern pattern = DashPattern(fStroke, DeviceScale());
    if (pattern.Intervals.empty()) {
        p->strokePath(path, p->pen());
        return;
    }
    // Qt's own dashes count in max(width, 1) on raster devices but in the width in
    // PDF, and its thin-pen stroker measures them along the major axis: cut
    // here, each dash measures its length on every device and at any turn.
    // Only what the page shows is cut: an outline reaching kilometres off the
    // paper prints in the time of what lies on it.
    const double scale = DeviceScale();
    fLastDashes = KVRDashPath(path, pattern, scale, p->pen().widthF(), KVRMaxDashCount,
                              KVRDashWindow(*p, p->pen().widthF(), scale));
    p->strokePath(fLastDashes.Path, p->pen());
}

double TCanvas::DeviceScale() const
{
    const QPainter* p = Painter();
    return p ? std::sqrt(std::fabs(p->combinedTransform().determinant())) : 1.0;
}

void TCanvas::FillRect(const TRectF& rect, float xRadius, float yRadius, TCorners corners, float opacity,
                       TCornerType)
{
    if (QPainter* p = PrepareFill(opacity))
        p->drawPath(RectPath(rect, xRadius, yRadius, corners));
}

void TCanvas::FillRects(const std::vector<TRectF>& rects, float opacity)
{
    if (rects.empty())
        return;
    QPainter* p = PrepareFill(opacity);
    if (!p)
        return;
    // Opaque rectangles go to a document as they are, the shortest form it
    // writes. Translucent ones, and any on pixels, go as one path: drawn one
    // by one they would darken where they overlap, or leave a seam where
    // modules meet.
    const bool opaque = qAlpha(fFill.Color()) == 255 && ClampOpacity(opacity) >= 1.0;
    if (opaque && WritesDocument(*p) && !TKVRPaintRoad::Reference()) {
        QVarLengthArray<QRectF, 128> plain;
        plain.reserve(qsizetype(rects.size()));
        for (const TRectF& r : rects)
            plain.append(r.ToQt().normalized());
        p->drawRects(plain.constData(), int(plain.size()));
        return;
    }
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const TRectF& r : rects)
        path.addRect(r.ToQt().normalized());
    p->drawPath(path);
}

void TCanvas::DrawRect(const TRectF& rect, float xRadius, float yRadius, TCorners corners, float opacity,
                       TCornerType)
{
    const bool square = !(xRadius > 0.0f && yRadius > 0.0f) || (corners & AllCorners) == 0;
    QPainter* painter = Painter();
    if (square && fStroke.Dash() == TStrokeDash::Solid && painter && WritesDocument(*painter) &&
        !TKVRPaintRoad::Reference()) {
        // A solid square frame is one rectangle to a document, not a path of five points.
        fLastDashes = TKVRDashedPath();
        if (QPainter* p = PrepareStroke(opacity))
            p->drawRect(rect.ToQt().normalized());
        return;
    }
    StrokeOutline(RectPath(rect, xRadius, yRadius, corners), opacity);
}

void TCanvas::FillEllipse(const TRectF& rect, float opacity)
{
    if (QPainter* p = PrepareFill(opacity))
        p->drawEllipse(rect.ToQt().normalized());
}

void TCanvas::DrawEllipse(const TRectF& rect, float opacity)
{
    QPainterPath path;
    path.addEllipse(rect.ToQt().normalized());
    StrokeOutline(path, opacity);
}

void TCanvas::DrawLine(const TPointF& p1, const TPointF& p2, float opacity)
{
    QPainterPath path(p1.ToQt());
    path.lineTo(p2.ToQt());
    StrokeOutline(path, opacity);
}

void TCanvas::FillPath(const TPathData& path, float opacity)
{
    if (QPainter* p = PrepareFill(opacity)) {
        // Non-zero winding, as the screen paints paths.
        QPainterPath qpath = path.ToQt();
        qpath.setFillRule(Qt::WindingFill);
        p->drawPath(qpath);
    }
}

void TCanvas::DrawPath(const TPathData& path, float opacity)
{
    StrokeOutline(path.ToQt(), opacity);
}

void TCanvas::FillPolygon(const TPolygon& polygon, float opacity)
{
    if (QPainter* p = PrepareFill(opacity))
        p->drawPolygon(ToQt(polygon), Qt::WindingFill);
}

void TCanvas::DrawPolygon(const TPolygon& polygon, float opacity)
{
    QPainterPath path;
    path.addPolygon(ToQt(polygon));
    if (!polygon.empty())
        path.closeSubpath();
    StrokeOutline(path, opacity);
}

void TCanvas::DrawArc(const TPointF& center, const TPointF& radius, float startAngle, float sweepAngle,
                      float opacity)
{
    const QRectF rect(center.X - radius.X, center.Y - radius.Y, 2.0 * radius.X, 2.0 * radius.Y);
    const double sweep = std::clamp(double(sweepAngle), -360.0, 360.0);
    QPainterPath arc;
    arc.arcMoveTo(rect, -double(startAngle));
    arc.arcTo(rect, -double(startAngle), -sweep);
    StrokeOutline(arc, opacity);
}

void TCanvas::DrawBitmap(const TBitmap& bitmap, const TRectF& srcRect, const TRectF& dstRect, float opacity,
                         bool highSpeed)
{
    QPainter& painter = ScenePainter();
    ApplyTransform(fMatrix);
    const double o = ClampOpacity(opacity);
    if (bitmap.IsEmpty() || o <= 0.0)
        return;
    painter.setOpacity(o);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !highSpeed);
    painter.drawImage(dstRect.ToQt().normalized(), bitmap.Image(), srcRect.ToQt().normalized());
}

TCanvas::TextLayout TCanvas::LayoutText(const TRectF& rect, const QString& text, bool wordWrap,
                                        TFillTextFlags flags, TTextAlign textAlign, TTextAlign vTextAlign) const
{
    TextLayout out;
    out.typeface = MakeTypeface(fFont);
    const QPaintDevice* device = Device();
    const double dpi = device ? device->logicalDpiY() : kFontUnitsPerInch;
    const double pixels = double(fFont.Size()) * dpi / kFontUnitsPerInch;
    out.pixels = out.typeface && std::isfinite(pixels) && pixels > 0.0 ? pixels : 0.0;
    out.rightToLeft = flags & FillTextFlagSet(TFillTextFlag::RightToLeft);

    TSkFontMetrics m;
    TSkFont(out.typeface, float(out.pixels)).GetMetrics(m);
    out.ascent = out.pixels > 0.0 ? -double(m.Ascent) : 0.0;
    const double lineHeight = out.pixels > 0.0 ? double(m.Descent) - double(m.Ascent) : 0.0;
    auto width = [&](const QString& s) {
        return out.pixels > 0.0 ? TSkShapedText::Shape(out.typeface, s, out.rightToLeft)->Advance(out.pixels) : 0.0;
    };

    const QRectF r = rect.ToQt().normalized();
    std::vector<QString> lines;
    for (const QString& para : SplitParagraphs(text)) {
        if (!wordWrap) {
            lines.push_back(para);
            continue;
        }
        // Greedy: each piece is a word with the spaces after it; a word wider
        // than the rectangle stands alone on its line.
        QString line;
        qsizetype i = 0;
        while (i < para.size()) {
            qsizetype j = i;
            if (i == 0) {
                while (j < para.size() && para.at(j) == u' ')
                    ++j;  // leading spaces of the paragraph stay with the first word
            }
            while (j < para.size() && para.at(j) != u' ')
                ++j;
            while (j < para.size() && para.at(j) == u' ')
                ++j;
            const QString piece = para.mid(i, j - i);
            if (!line.isEmpty() && width(TrimRight(line + piece)) > r.width()) {
                lines.push_back(TrimRight(line));
                line = piece;
            } else {
                line += piece;
            }
            i = j;
        }
        lines.push_back(line);
    }

    if (out.rightToLeft && textAlign != TTextAlign::Center)
        textAlign = textAlign == TTextAlign::Leading ? TTextAlign::Trailing : TTextAlign::Leading;

    const double block = double(lines.size()) * lineHeight;
    double top = r.top();
    if (vTextAlign == TTextAlign::Center)
        top = r.top() + (r.height() - block) / 2;
    else if (vTextAlign == TTextAlign::Trailing)
        top = r.bottom() - block;

    double left = 0.0, right = 0.0;
    for (size_t n = 0; n < lines.size(); ++n) {
        const double w = width(lines[n]);
        double x = r.left();
        if (textAlign == TTextAlign::Center)
            x = r.left() + (r.width() - w) / 2;
        else if (textAlign == TTextAlign::Trailing)
            x = r.right() - w;
        left = n == 0 ? x : std::min(left, x);
        right = n == 0 ? x + w : std::max(right, x + w);
        out.lines.push_back({lines[n], x, top + double(n) * lineHeight});
    }
    out.bounds = QRectF(QPointF(left, top), QPointF(right, top + block));
    return out;
}

void TCanvas::FillText(const TRectF& rect, const QString& text, bool wordWrap, float opacity,
                       TFillTextFlags flags, TTextAlign textAlign, TTextAlign vTextAlign)
{
    QPainter& painter = ScenePainter();
    const double o = ClampOpacity(opacity);
    if (fFill.Kind() == TBrushKind::None || o <= 0.0 || text.isEmpty())
        return;
    const TextLayout layout = LayoutText(rect, text, wordWrap, flags, textAlign, vTextAlign);
    if (!(layout.pixels > 0.0))
        return;

    // Every drawing call sets what it needs: no save and restore, which a
    // document writes as a closed and reopened graphics state.
    const bool reference = TKVRPaintRoad::Reference();
    if (reference)
        painter.save();
    if (reference || !painter.testRenderHint(QPainter::Antialiasing))
        painter.setRenderHint(QPainter::Antialiasing, true);
    if (reference || !painter.testRenderHint(QPainter::TextAntialiasing))
        painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (reference || painter.opacity() != o)
        painter.setOpacity(o);
    const bool underline = fFont.Style() & FontStyleSet(TFontStyle::Underline);
    const QColor color = QColor::fromRgba(fFill.Color());
    const double k = layout.pixels / TSkShapedText::kReferencePixels;
    // A document takes text moved by the matrix as text placed there: the
    // matrix itself would be written around it, and again when it goes.
    QPointF shift;
    const bool moved = fMatrix.m11 == 1.0f && fMatrix.m22 == 1.0f && fMatrix.m12 == 0.0f && fMatrix.m21 == 0.0f &&
                       fMatrix.m13 == 0.0f && fMatrix.m23 == 0.0f && fMatrix.m33 == 1.0f;
    if (!reference && moved && WritesDocument(painter)) {
        shift = QPointF(fMatrix.m31, fMatrix.m32);
        ApplyTransform(TMatrix::Identity());
    } else {
        ApplyTransform(fMatrix);
    }
    for (const TextLayout::Line& line : layout.lines) {
        if (line.text.isEmpty())
            continue;
        TSkShapedText::Shape(layout.typeface, line.text, layout.rightToLeft)
            ->Paint(painter,
                    QTransform(k, 0.0, 0.0, k, line.x + shift.x(), line.y + layout.ascent + shift.y()), color,
                    underline);
    }
    if (reference)
        painter.restore();
}

void TCanvas::MeasureText(TRectF& rect, const QString& text, bool wordWrap, TFillTextFlags flags,
                          TTextAlign textAlign, TTextAlign vTextAlign) const
{
    const QRectF b = LayoutText(rect, text, wordWrap, flags, textAlign, vTextAlign).bounds;
    rect = TRectF(float(b.left()), float(b.top()), float(b.right()), float(b.bottom()));
}

float TCanvas::TextWidth(const QString& text) const
{
    TRectF r(0, 0, 100000, 100000);
    MeasureText(r, text, false, 0, TTextAlign::Leading, TTextAlign::Leading);
    return r.Width();
}

float TCanvas::TextHeight(const QString& text) const
{
    TRectF r(0, 0, 100000, 100000);
    MeasureText(r, text, false, 0, TTextAlign::Leading, TTextAlign::Leading);
    return r.Height();
}
