#pragma once
#include "platform/rtl/geometry/System.Math.Vectors.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/System.UITypes.h"
#include "platform/skia/TSkFont.h"
#include "platform/skia/TSkImage.h"
#include "platform/skia/TSkPaint.h"
#include "platform/skia/TSkPath.h"
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdint>
#include <memory>

class TSkCanvas;
using ISkCanvas = std::shared_ptr<TSkCanvas>;

enum class TSkClipOp : uint8_t { Intersect };
// Qt samples inside the source rectangle either way; kept for the callers' signatures.
enum class TSkSrcRectConstraint : uint8_t { Close, Fast };
enum class TSkFilterMode : uint8_t { Nearest, Linear };

struct TSkSamplingOptions
{
    TSkFilterMode Filter = TSkFilterMode::Nearest;

    static TSkSamplingOptions Nearest() { return {}; }
    static TSkSamplingOptions Low() { return {TSkFilterMode::Linear}; }
};

// A Skia-shaped canvas over a QPainter. Coordinates are local units, mapped by
// the canvas matrix (Translate, Scale, Rotate, Concat, SetMatrix act before the
// matrix already set, as in Skia). Angles are degrees, clockwise on a y-down
// surface. A null paint draws with a default paint. Drawing on a canvas whose
// painter could not start does nothing. One thread at a time.
class TSkCanvas
{
public:
    // Paints on the device with an own painter, ended with the canvas.
    explicit TSkCanvas(QPaintDevice* device);
    // Paints through a painter owned by the caller; the matrix starts as the
    // painter's and saves left open are restored when the canvas goes.
    explicit TSkCanvas(QPainter* painter);
    ~TSkCanvas();
    TSkCanvas(const TSkCanvas&) = delete;
    TSkCanvas& operator=(const TSkCanvas&) = delete;

    static ISkCanvas Make(QPaintDevice* device) { return std::make_shared<TSkCanvas>(device); }
    static ISkCanvas Make(QPainter* painter) { return std::make_shared<TSkCanvas>(painter); }
    // A canvas that owns a transparent Format_ARGB32_Premultiplied image of
    // the size; nullptr for a size below 1 or too large to allocate.
    static ISkCanvas MakeRaster(int32_t width, int32_t height);
    // A copy of the owned image's pixels as painted so far (null when the
    // canvas paints on someone else's device).
    QImage Snapshot() const;

    QPainter* GetPainter() { return fPainter; }
    bool IsActive() const;

    // Save returns the count before saving, for RestoreToCount. Restoring past
    // the first level is ignored.
    int32_t Save();
    void Restore();
    int32_t GetSaveCount() const { return fSaveCount; }
    void RestoreToCount(int32_t count);

    void Translate(float dx, float dy);
    void Scale(float sx, float sy);
    void Rotate(float degrees);
    void Rotate(float degrees, float px, float py);
    void Concat(const TMatrix& matrix);
    void SetMatrix(const TMatrix& matrix);
    void ResetMatrix();
    TMatrix GetLocalToDevice() const;

    // On a canvas that paints pixels (a raster image, the screen; not a PDF,
    // XPS or recorded picture) through a matrix of scales and quarter turns:
    // moves the origin onto the nearest whole device pixel and gives the
    // device pixels per local unit along local x and y, so that the caller
    // can size things in whole pixels. False, and nothing moved, elsewhere.
    // oShift, when given, receives the move in local units: the old origin
    // is at -oShift afterwards.
    bool SnapToPixelGrid(double& oPixelsPerX, double& oPixelsPerY, TPointF* oShift = nullptr);

    void ClipRect(const TRectF& rect, TSkClipOp op = TSkClipOp::Intersect, bool antiAlias = false);
    void ClipPath(const ISkPath& path, TSkClipOp op = TSkClipOp::Intersect, bool antiAlias = false);

    // Replaces the pixels inside the clip, whatever the matrix.
    void Clear(TAlphaColor color);

    void DrawRect(const TRectF& rect, const ISkPaint& paint);
    void DrawRoundRect(const TRectF& rect, float radiusX, float radiusY, const ISkPaint& paint);
    void DrawOval(const TRectF& oval, const ISkPaint& paint);
    void DrawCircle(const TPointF& center, float radius, const ISkPaint& paint);
    void DrawCircle(float cx, float cy, float radius, const ISkPaint& paint);
    // From startAngle (0 = three o'clock) over sweepAngle, positive clockwise;
    // useCenter adds the two radii (a pie slice). A zero sweep draws nothing.
    void DrawArc(const TRectF& oval, float startAngle, float sweepAngle, bool useCenter, const ISkPaint& paint);
    void DrawLine(const TPointF& p0, const TPointF& p1, const ISkPaint& paint);
    void DrawLine(float x0, float y0, float x1, float y1, const ISkPaint& paint);
    // A square of the stroke width (a disc with round caps); one pixel for a hairline.
    void DrawPoint(const TPointF& p, const ISkPaint& paint);
    void DrawPoint(float x, float y, const ISkPaint& paint);
    void DrawPath(const ISkPath& path, const ISkPaint& paint);

    // Text from (x, y) on the baseline. Glyphs are filled whatever the stroke
    // width: with the stroke-and-fill effect, and with fill or stroke-and-fill
    // style. Only stroke style without that effect outlines them, with the
    // paint's stroke width.
    void DrawSimpleText(const QString& text, float x, float y, const ISkFont& font, const ISkPaint& paint);

    // The paint's alpha and colour filter apply; its other settings do not.
    void DrawImage(const ISkImage& image, float x, float y, const TSkSamplingOptions& sampling = {},
                   const ISkPaint& paint = nullptr);
    void DrawImageRect(const ISkImage& image, const TRectF& dest, const TSkSamplingOptions& sampling,
                       const ISkPaint& paint = nullptr,
                       TSkSrcRectConstraint constraint = TSkSrcRectConstraint::Fast);
    // Linear sampling.
    void DrawImageRect(const ISkImage& image, const TRectF& dest, const ISkPaint& paint = nullptr,
                       TSkSrcRectConstraint constraint = TSkSrcRectConstraint::Fast);
    void DrawImageRect(const ISkImage& image, const TRectF& src, const TRectF& dest,
                       const TSkSamplingOptions& sampling, const ISkPaint& paint = nullptr,
                       TSkSrcRectConstraint constraint = TSkSrcRectConstraint::Fast);

private:
    explicit TSkCanvas(std::unique_ptr<QImage> image);
    void PaintPath(const QPainterPath& path, const TSkPaint& paint);
    void StrokePath(const QPainterPath& path, const TSkPaint& paint, const QColor& color);
    // What the surface shows (device and clip) in local units, aMargin and a
    // pixel more all round.
    QRectF Visible(double aMargin) const;
    double DeviceScale() const;

    std::unique_ptr<QImage> fImage;     // owned raster target
    std::unique_ptr<QPainter> fOwnPainter;
    QPainter* fPainter = nullptr;
    QTransform fBase;                   // the painter's matrix when the canvas began
    int32_t fSaveCount = 1;
};
