#pragma once
#include "platform/fmx/FMX.Types.h"
#include "platform/fmx/TBrush.h"
#include "platform/fmx/TFont.h"
#include "platform/rtl/geometry/KVR.DashPath.h"
#include "platform/rtl/geometry/System.Math.Vectors.h"
#include <QFont>
#include <QString>
#include <QTransform>
#include <memory>
#include <stdexcept>
#include <vector>

class QPaintDevice;
class QPainter;
class QPainterPath;
class TBitmap;
class TPathData;

class ECanvasException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// What SaveState keeps and RestoreState brings back.
struct TCanvasSaveState
{
    TBrush Fill;
    TStrokeBrush Stroke;
    TFont Font;
    TMatrix Matrix;
};

// The printer canvas: stroke, fill and font brushes and a transform over a
// QPainter. Angles are degrees, clockwise on the y-down surface. Opacities are
// clamped to 0..1 (callers pass 255.0 for text and arcs).
class TCanvas
{
public:
    // Paints on device between BeginScene and EndScene, with its own painter.
    explicit TCanvas(QPaintDevice* device);
    // Paints through a painter that its owner keeps active (a printer across
    // pages, a widget); scenes only count. Its transform at this moment is the
    // base that SetMatrix composes with.
    explicit TCanvas(QPainter& painter);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Scenes nest; false when painting cannot start.
    bool BeginScene();
    void EndScene();
    bool IsInScene() const { return fSceneCount > 0; }

    TBrush& Fill() { return fFill; }
    TStrokeBrush& Stroke() { return fStroke; }
    TFont& Font() { return fFont; }
    const TBrush& Fill() const { return fFill; }
    const TStrokeBrush& Stroke() const { return fStroke; }
    const TFont& Font() const { return fFont; }

    // Transform of every later drawing call (row vectors: p' = p x M).
    const TMatrix& Matrix() const { return fMatrix; }
    void SetMatrix(const TMatrix& matrix);

    TCanvasSaveState SaveState() const;
    void RestoreState(const TCanvasSaveState& state);

    // Rectangles are taken as given or reversed; radii are clamped to half the
    // sides and round only the corners in the set.
    void FillRect(const TRectF& rect, float xRadius, float yRadius, TCorners corners, float opacity,
                  TCornerType cornerType = TCornerType::Round);
    void DrawRect(const TRectF& rect, float xRadius, float yRadius, TCorners corners, float opacity,
                  TCornerType cornerType = TCornerType::Round);
    // Square-cornered rectangles (taken as given or reversed) in one drawing
    // call, for a symbol's bars: opaque ones as plain rectangles (the
    // shortest a document writes), translucent ones as one path, so that
    // where two overlap they do not darken.
    void FillRects(const std::vector<TRectF>& rects, float opacity);
    void FillEllipse(const TRectF& rect, float opacity);
    void DrawEllipse(const TRectF& rect, float opacity);
    void DrawLine(const TPointF& p1, const TPointF& p2, float opacity);
    void FillPath(const TPathData& path, float opacity);
    void DrawPath(const TPathData& path, float opacity);
    // The polygon is closed back to its first point.
    void FillPolygon(const TPolygon& polygon, float opacity);
    void DrawPolygon(const TPolygon& polygon, float opacity);
    void DrawArc(const TPointF& center, const TPointF& radius, float startAngle, float sweepAngle,
                 float opacity);
    void DrawBitmap(const TBitmap& bitmap, const TRectF& srcRect, const TRectF& dstRect, float opacity,
                    bool highSpeed = false);

    // Text in the fill colour, laid out in rect: lines break at CR, LF and CR LF
    // and, with wordWrap, between words.
    void FillText(const TRectF& rect, const QString& text, bool wordWrap, float opacity, TFillTextFlags flags,
                  TTextAlign textAlign, TTextAlign vTextAlign = TTextAlign::Center);
    // Replaces rect by the box the text takes when laid out in it: each line is
    // its advance width wide and ascent plus descent high.
    void MeasureText(TRectF& rect, const QString& text, bool wordWrap, TFillTextFlags flags,
                     TTextAlign textAlign, TTextAlign vTextAlign) const;
    float TextWidth(const QString& text) const;
    float TextHeight(const QString& text) const;

    // The painter of the current scene (nullptr outside one), for owners.
    QPainter* Painter() const;
    // The dashes of the last dashed outline: what was cut and whether it
    // was (an outline needing too many dashes strokes solid).
    const TKVRDashedPath& LastDashes() const { return fLastDashes; }

private:
    struct TextLayout;
    TextLayout LayoutText(const TRectF& rect, const QString& text, bool wordWrap, TFillTextFlags flags,
                          TTextAlign textAlign, TTextAlign vTextAlign) const;
    QPainter& ScenePainter();
    QPainter* PrepareFill(float opacity);
    QPainter* PrepareStroke(float opacity);
    // Strokes a path with the stroke brush, dashes cut from it.
    void StrokeOutline(const QPainterPath& path, float opacity);
    // Device units per local unit of the current transform.
    double DeviceScale() const;
    // Sets the painter's transform to matrix on the base, when it differs.
    void ApplyTransform(const TMatrix& matrix);
    QPaintDevice* Device() const;

    QPaintDevice* fDevice = nullptr;
    QPainter* fBorrowed = nullptr;
    std::unique_ptr<QPainter> fOwnPainter;
    int fSceneCount = 0;
    QTransform fBase;

    TBrush fFill;
    TStrokeBrush fStroke;
    TFont fFont;
    TMatrix fMatrix;
    TKVRDashedPath fLastDashes;
};

// Restores the state saved at construction when it goes out of scope, also
// when an exception passes.
class TCanvasStateGuard
{
public:
    explicit TCanvasStateGuard(TCanvas& canvas) : fCanvas(canvas), fState(canvas.SaveState()) {}
    ~TCanvasStateGuard() { fCanvas.RestoreState(fState); }
    TCanvasStateGuard(const TCanvasStateGuard&) = delete;
    TCanvasStateGuard& operator=(const TCanvasStateGuard&) = delete;

private:
    TCanvas& fCanvas;
    TCanvasSaveState fState;
};
