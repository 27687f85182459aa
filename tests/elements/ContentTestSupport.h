#pragma once
#include <algorithm>
#include <cmath>
// Helpers of the text, picture and code element tests: painting one element
// on a screen or paper surface, colours in pixels, reading records back and
// reading a printed PDF page back with poppler.
#include "render/KVR.FMX.Types.h"
#include "tests/elements/ElementTestSupport.h"
#include <QImage>
#include <QRect>
#include <ostream>
#include <string>
#include <vector>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace kvrtest {

constexpr int kDpi = 300;

// Millimetres and micrometres of paper in pixels at kDpi.
inline int Px(double mm)
{
    return int(mm * kDpi / 25.4);
}
// How far the screen's modules, whole pixels each, may move an edge of a
// symbol aSide pixels long from paper's exact ones, modules of aModuleMm:
// rounded down at most, where rounding up would leave the symbol's box.
inline int SnapAllowance(int aSide, double aModuleMm)
{
    const double module = aModuleMm * kDpi / 25.4;
    if (!(module > 0.0))
        return 0;
    const double whole = std::max(1.0, std::floor(module));
    return int(std::ceil(std::fabs(whole - module) * aSide / module)) + 1;
}
inline float PxUm(int64_t micrometres)
{
    return float(double(micrometres) * kDpi / 25400.0);
}

QImage Screen(TKVRBaseItem& item, int w, int h, TKVRDrawState state = KVRDrawState::Preview, int dpi = kDpi,
              int drawScale = 1);
QImage Paper(TKVRBaseItem& item, int w, int h, int dpi = kDpi, int drawScale = 1);

// The element painted by Draw and by Print on surfaces of one size and resolution.
struct TTwin
{
    QImage screen, paper;
};
TTwin Twins(TKVRBaseItem& item, int w, int h, int dpi = kDpi, int drawScale = 1);

// Pixels of a colour within a tolerance on each channel, and their bounds
// (empty when there are none).
int CountColour(const QImage& image, QRgb colour, int tolerance = 40);
QRect ColourBounds(const QImage& image, QRgb colour, int tolerance = 40);
// Pixels where red clearly dominates (the invalid-value cross, the caret).
int RedCount(const QImage& image);

// Side of a square surface on which the element's box fits at any quarter
// turn about an anchor in its middle.
int SquareFor(const TKVRBaseItem& item, int marginPx = 60);
// Puts point 1 in the middle of such a surface, lays the element out again
// and gives the side.
int Centre(TKVRBaseItem& item);

// A word of a PDF page as poppler reads it, in points.
struct TPdfWord
{
    QString Text;
    double XMin = 0, YMin = 0, XMax = 0, YMax = 0;
};
// Prints the elements, in order, through a printer canvas over QPdfWriter at
// kDpi on one page of the given size, into a file the caller keeps.
void PrintItemsToPdf(const std::vector<TKVRBaseItem*>& items, const QString& path, double widthMm, double heightMm);
// The first page of a PDF file as poppler rasterises it at kDpi.
QImage RasterisePdf(const QString& path);
// Each word of a PDF file with its box, as pdftotext -bbox reads it.
std::vector<TPdfWord> PdfWords(const QString& path);
// Prints the element on a PDF page of the given size and gives its words.
std::vector<TPdfWord> PrintToPdf(TKVRBaseItem& item, double widthMm, double heightMm);
inline double MmToPt(double mm)
{
    return mm * 72.0 / 25.4;
}

}  // namespace kvrtest
