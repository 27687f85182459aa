#pragma once
// Contexts and printers shared by the rendering tests.
#include "render/KVR.FMX.Types.h"
#include "tests/fmx/FmxTestImage.h"
#include "tests/skia/SkiaTestUtil.h"
#include <ostream>

// A screen context: a transparent raster canvas and the one paint, at a
// resolution, with the standard widths set as the views set them.
struct ScreenContext
{
    TKVRDraw d;
    ScreenContext(int w, int h, int dpi = 96)
    {
        d.SetResolution(dpi, dpi);
        d.SetStandardWidths();
        d.kC = TSkCanvas::MakeRaster(w, h);
        d.kP = std::make_shared<TSkPaint>();
    }
    QImage Pixels() const { return SkTest::Pixels(d.kC); }
};

// A print context: a printer canvas in a scene over white paper at a resolution.
struct PaperContext
{
    CanvasImage paper;
    TKVRDraw d;
    PaperContext(int w, int h, int dpi = 96) : paper(w, h, dpi)
    {
        d.SetResolution(dpi, dpi);
        d.DrawState = KVRDrawState::Print;
        d.pC = paper.canvas.get();
    }
    TCanvas& Canvas() { return *paper.canvas; }
    const QImage& Done() { return paper.Done(); }
};

template <class TCoord>
void PrintTo(const TKVRTextLine<TCoord>& l, std::ostream* os)
{
    *os << "{" << l.Start << "," << l.Length << "," << l.X << "," << l.Y << "}";
}

// Alignment shorthands of the layout tables.
namespace AlignOf {
constexpr TKVRHorzAlign L = TKVRHorzAlign::Left;
constexpr TKVRHorzAlign C = TKVRHorzAlign::Center;
constexpr TKVRHorzAlign R = TKVRHorzAlign::Right;
constexpr TKVRVertAlign VT = TKVRVertAlign::Top;
constexpr TKVRVertAlign VC = TKVRVertAlign::Center;
constexpr TKVRVertAlign VB = TKVRVertAlign::Bottom;
}
