#pragma once
#include "platform/skia/System.Skia.h"
#include <QImage>
#include <QRect>
#include <vector>

// Pixel probes shared by the canvas tests.
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

inline bool Inked(const QImage& img, int x, int y)
{
    return qAlpha(img.pixel(x, y)) > 0;
}

// Bounding box of every pixel with some alpha; null when nothing is painted.
inline QRect InkBounds(const QImage& img)
{
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (Inked(img, x, y))
                r |= QRect(x, y, 1, 1);
    return r;
}

// Lengths of the alternating painted / empty runs along row y, starting with
// the first painted pixel.
inline std::vector<int> RunsAlongRow(const QImage& img, int y)
{
    std::vector<int> runs;
    int x = 0;
    while (x < img.width() && !Inked(img, x, y))
        ++x;
    while (x < img.width()) {
        const bool on = Inked(img, x, y);
        int n = 0;
        while (x < img.width() && Inked(img, x, y) == on) {
            ++x;
            ++n;
        }
        runs.push_back(n);
    }
    return runs;
}

}
