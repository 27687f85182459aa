#pragma once
#include "platform/fmx/TCanvas.h"
#include "tests/support/ImageProbes.h"
#include <QImage>
#include <memory>

// A white QImage at a resolution with a canvas in a scene on it.
struct CanvasImage
{
    QImage image;
    std::unique_ptr<TCanvas> canvas;

    CanvasImage(int w, int h, int dpi = 96) : image(w, h, QImage::Format_ARGB32)
    {
        image.fill(Qt::white);
        const int dpm = dpi == 96 ? 3780 : int(dpi / 0.0254 + 0.5);
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
        canvas = std::make_unique<TCanvas>(&image);
        canvas->BeginScene();
    }
    // Ends the scene so the pixels are final.
    const QImage& Done()
    {
        canvas->EndScene();
        return image;
    }
};

// Painted: clearly darker than the white background.
inline bool Ink(const QImage& image, int x, int y) { return ImageProbes::Dark(image, x, y); }
