#include "platform/skia/TSkPaint.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/geometry/KVR.DashPath.h"
#include <algorithm>
#include <cmath>
#include <QTransform>

namespace {
float Clamp01(float v)
{
    return std::clamp(v, 0.0f, 1.0f);
}
}

TSkPathEffect::TSkPathEffect(TKind kind, std::vector<float> intervals, float phase)
    : fKind(kind), fIntervals(std::move(intervals)), fPhase(phase)
{
}

ISkPathEffect TSkPathEffect::MakeDash(const std::vector<float>& intervals, float phase)
{
    if (intervals.size() < 2 || intervals.size() % 2 != 0 || !std::isfinite(phase))
        return nullptr;
    double sum = 0.0;
    for (float v : intervals) {
        if (!std::isfinite(v) || v < 0.0f)
            return nullptr;
        sum += v;
    }
    if (!(sum > 0.0) || !std::isfinite(sum))
        return nullptr;
    return ISkPathEffect(new TSkPathEffect(TKind::Dash, intervals, phase));
}

ISkPathEffect TSkPathEffect::MakeStrokeAndFill()
{
    return ISkPathEffect(new TSkPathEffect(TKind::StrokeAndFill, {}, 0.0f));
}

QPainterPath TSkPathEffect::DashPath(const QPainterPath& path, double deviceScale, double chordBelow,
                                     const QRectF& visible) const
{
    if (fKind != TKind::Dash || path.isEmpty())
        return path;
    TKVRDashPattern pattern;
    pattern.Intervals.assign(fIntervals.begin(), fIntervals.end());
    pattern.Phase = fPhase;
    return KVRDashPath(path, pattern, deviceScale, chordBelow, KVRMaxDashCount, visible).Path;
}

ISkColorFilter TSkColorFilter::MakeMatrix(const TSkColorMatrix& matrix)
{
    for (float v : matrix)
        if (!std::isfinite(v))
            return nullptr;
    return ISkColorFilter(new TSkColorFilter(matrix));
}

TAlphaColor TSkColorFilter::Filter(TAlphaColor color) const
{
    const float in[4] = {float((color >> 16) & 0xFF) / 255.0f, float((color >> 8) & 0xFF) / 255.0f,
                         float(color & 0xFF) / 255.0f, float(color >> 24) / 255.0f};
    uint32_t out[4];
    for (int row = 0; row < 4; ++row) {
        const float* m = &fMatrix[size_t(row) * 5];
        const float v = m[0] * in[0] + m[1] * in[1] + m[2] * in[2] + m[3] * in[3] + m[4];
        out[row] = uint32_t(RoundHalfEven32(Clamp01(v) * 255.0f));
    }
    return (out[3] << 24) | (out[0] << 16) | (out[1] << 8) | out[2];
}

QImage TSkColorFilter::Filter(const QImage& image) const
{
    QImage img = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = Filter(TAlphaColor(line[x]));
    }
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

float TSkPaint::GetAlphaF() const
{
    return float(fColor >> 24) / 255.0f;
}

void TSkPaint::SetAlphaF(float alpha)
{
    if (!std::isfinite(alpha))
        return;
    const uint32_t a = uint32_t(RoundHalfEven32(Clamp01(alpha) * 255.0f));
    fColor = (fColor & 0x00FFFFFFu) | (a << 24);
}

void TSkPaint::SetStrokeWidth(float width)
{
    if (std::isfinite(width) && width >= 0.0f)
        fStrokeWidth = width;
}

TAlphaColor TSkPaint::GetFilteredColor() const
{
    return fColorFilter ? fColorFilter->Filter(fColor) : fColor;
}
