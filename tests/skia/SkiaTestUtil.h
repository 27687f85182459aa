#pragma once
#include "platform/skia/System.Skia.h"
#include "tests/support/ImageProbes.h"
#include <QImage>
#include <QRect>
#include <vector>

// Probes of the canvas tests: ink is any alpha on the transparent raster.
namespace SkTest {

inline ISkPaint Paint(TAlphaColor color, TSkPaintStyle style = TSkPaintStyle::Fill, float width = 0.0f,
                      bool antiAlias = false)
{
    auto p = std::make_shared<TSkPaint>(style);
    p->SetColor(color);
    p->SetStrokeWidth(width);
    p->SetAntiAlias(antiAlias);
    return p;
}

// Straight-alpha pixels of a canvas.
inline QImage Pixels(const ISkCanvas& canvas)
{
    return canvas->Snapshot().convertToFormat(QImage::Format_ARGB32);
}

inline bool Inked(const QImage& img, int x, int y) { return ImageProbes::Alpha(img, x, y); }
inline QRect InkBounds(const QImage& img) { return ImageProbes::Bounds(img, ImageProbes::Alpha); }
inline std::vector<int> RunsAlongRow(const QImage& img, int y) { return ImageProbes::Runs(img, y, ImageProbes::Alpha); }

}
