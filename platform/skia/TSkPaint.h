#pragma once
#include "platform/rtl/System.UITypes.h"
#include <QImage>
#include <QPainterPath>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TSkPathEffect;
class TSkColorFilter;
class TSkPaint;
using ISkPathEffect = std::shared_ptr<TSkPathEffect>;
using ISkColorFilter = std::shared_ptr<TSkColorFilter>;
using ISkPaint = std::shared_ptr<TSkPaint>;

// Qt refuses a pen of 32,768 units or more and strokes one unit instead:
// wider pens are held at the widest it takes.
constexpr double KVRMaxQtPenWidth = 32767.0;

enum class TSkPaintStyle : uint8_t { Fill, Stroke, StrokeAndFill };
enum class TSkStrokeCap : uint8_t { Butt, Round, Square };
enum class TSkStrokeJoin : uint8_t { Miter, Round, Bevel };

// A path effect: a dash pattern, or stroke-and-fill (a stroked outline is also
// filled; with fill style it changes nothing). Immutable once made.
class TSkPathEffect
{
public:
    enum class TKind : uint8_t { Dash, StrokeAndFill };

    // Intervals are on/off lengths in the canvas's local units (pixels when the
    // canvas is not transformed), starting with "on"; phase is the offset into
    // the pattern. An odd count, a negative or non-finite entry or a zero sum
    // makes no effect (nullptr).
    static ISkPathEffect MakeDash(const std::vector<float>& intervals, float phase);
    static ISkPathEffect MakeStrokeAndFill();

    TKind GetKind() const { return fKind; }
    const std::vector<float>& GetIntervals() const { return fIntervals; }
    float GetPhase() const { return fPhase; }

    // The dashed centre line of a path: each contour restarts the pattern at the
    // phase. Curves are flattened finely enough for a device that scales local
    // units by deviceScale; a dash no longer than chordBelow (the pen's width)
    // is straight. When the pattern would need more than a million dashes the
    // path is returned undashed, so a tiny pattern cannot freeze. With visible
    // (local units) only the dashes that reach into it are cut.
    QPainterPath DashPath(const QPainterPath& path, double deviceScale = 1.0, double chordBelow = 0.0,
                          const QRectF& visible = QRectF()) const;

private:
    TSkPathEffect(TKind kind, std::vector<float> intervals, float phase);

    TKind fKind;
    std::vector<float> fIntervals;
    float fPhase = 0.0f;
};

// 4 x 5 colour matrix, rows R, G, B, A; columns R, G, B, A, offset. Components
// are unpremultiplied in 0..1 (offsets too); results are clamped to 0..1.
using TSkColorMatrix = std::array<float, 20>;

class TSkColorFilter
{
public:
    static ISkColorFilter MakeMatrix(const TSkColorMatrix& matrix);

    const TSkColorMatrix& GetMatrix() const { return fMatrix; }
    TAlphaColor Filter(TAlphaColor color) const;
    // A filtered copy in Format_ARGB32_Premultiplied.
    QImage Filter(const QImage& image) const;

private:
    explicit TSkColorFilter(const TSkColorMatrix& matrix) : fMatrix(matrix) {}
    TSkColorMatrix fMatrix;
};

// Paint settings for one primitive. Defaults as Skia: opaque black, fill,
// hairline (width 0), butt caps, miter joins, antialiasing off.
class TSkPaint
{
public:
    TSkPaint() = default;
    explicit TSkPaint(TSkPaintStyle style) : fStyle(style) {}

    TAlphaColor GetColor() const { return fColor; }
    void SetColor(TAlphaColor color) { fColor = color; }
    // Alpha of the colour as 0..1; setting it keeps the RGB part.
    float GetAlphaF() const;
    void SetAlphaF(float alpha);

    TSkPaintStyle GetStyle() const { return fStyle; }
    void SetStyle(TSkPaintStyle style) { fStyle = style; }
    // 0 is the one-pixel hairline; negative widths are ignored, as in Skia.
    float GetStrokeWidth() const { return fStrokeWidth; }
    void SetStrokeWidth(float width);
    TSkStrokeCap GetStrokeCap() const { return fCap; }
    void SetStrokeCap(TSkStrokeCap cap) { fCap = cap; }
    TSkStrokeJoin GetStrokeJoin() const { return fJoin; }
    void SetStrokeJoin(TSkStrokeJoin join) { fJoin = join; }
    bool GetAntiAlias() const { return fAntiAlias; }
    void SetAntiAlias(bool on) { fAntiAlias = on; }
    const ISkPathEffect& GetPathEffect() const { return fPathEffect; }
    void SetPathEffect(const ISkPathEffect& effect) { fPathEffect = effect; }
    const ISkColorFilter& GetColorFilter() const { return fColorFilter; }
    void SetColorFilter(const ISkColorFilter& filter) { fColorFilter = filter; }

    // The colour after the colour filter.
    TAlphaColor GetFilteredColor() const;

private:
    TAlphaColor fColor = TAlphaColors::Black;
    TSkPaintStyle fStyle = TSkPaintStyle::Fill;
    float fStrokeWidth = 0.0f;
    TSkStrokeCap fCap = TSkStrokeCap::Butt;
    TSkStrokeJoin fJoin = TSkStrokeJoin::Miter;
    bool fAntiAlias = false;
    ISkPathEffect fPathEffect;
    ISkColorFilter fColorFilter;
};
