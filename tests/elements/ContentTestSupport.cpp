#include "tests/elements/ContentTestSupport.h"
#include "tests/support/PdfReader.h"
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace kvrtest {

QImage Screen(TKVRBaseItem& item, int w, int h, TKVRDrawState state, int dpi, int drawScale)
{
    ScreenSurface s(w, h, dpi, drawScale);
    s.draw.DrawState = state;
    item.DrawElement(&s.draw);
    return s.Finish().copy();
}

QImage Paper(TKVRBaseItem& item, int w, int h, int dpi, int drawScale)
{
    PaperSurface p(w, h, dpi, drawScale);
    item.PrintElement(&p.draw);
    return p.Finish().copy();
}

TTwin Twins(TKVRBaseItem& item, int w, int h, int dpi, int drawScale)
{
    const TScreenPaper t = PaintScreenAndPaper(item, w, h, dpi, drawScale);
    return {t.Screen, t.Paper};
}

namespace {
bool Near(QRgb p, QRgb colour, int tolerance)
{
    return std::abs(qRed(p) - qRed(colour)) <= tolerance && std::abs(qGreen(p) - qGreen(colour)) <= tolerance &&
           std::abs(qBlue(p) - qBlue(colour)) <= tolerance;
}
}  // namespace

int CountColour(const QImage& image, QRgb colour, int tolerance)
{
    return PixelCount(image, QRect(), [&](QRgb p) { return Near(p, colour, tolerance); });
}

QRect ColourBounds(const QImage& image, QRgb colour, int tolerance)
{
    return PixelBounds(image, QRect(), [&](QRgb p) { return Near(p, colour, tolerance); });
}

int RedCount(const QImage& image)
{
    return PixelCount(image, QRect(), [](QRgb p) { return qRed(p) - std::max(qGreen(p), qBlue(p)) > 60; });
}

int SquareFor(const TKVRBaseItem& item, int marginPx)
{
    const TKVRRect b = item.GetBounds();
    const int64_t longest = std::max(b.Width(), b.Height());
    return 2 * int(longest * kDpi / 25400) + 2 * marginPx;
}

int Centre(TKVRBaseItem& item)
{
    const int side = SquareFor(item);
    const int64_t mid = int64_t(side / 2) * 25400 / kDpi;
    item.SetBase(1, mid, mid);
    item.CalcValues(1);
    return side;
}

void PrintItemsToPdf(const std::vector<TKVRBaseItem*>& items, const QString& path, double widthMm, double heightMm)
{
    QPdfWriter writer(path);
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(QSizeF(widthMm, heightMm), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    TCanvas canvas(&writer);
    ASSERT_TRUE(canvas.BeginScene());
    TKVRDraw draw;
    draw.SetResolution(kDpi, kDpi);
    draw.SetStandardWidths();
    draw.DrawState = KVRDrawState::Print;
    draw.pC = &canvas;
    for (TKVRBaseItem* item : items)
        item->PrintElement(&draw);
    canvas.EndScene();
}

QImage RasterisePdf(const QString& path)
{
    const std::vector<QImage> pages = RasterisePages(path, kDpi);
    return pages.empty() ? QImage() : pages.front();
}

std::vector<TPdfWord> PdfWords(const QString& path)
{
    std::vector<TPdfWord> words;
    for (const TPdfPageWord& w : PdfPageWords(path))
        words.push_back({w.text, w.xMin, w.yMin, w.xMax, w.yMax});
    return words;
}

std::vector<TPdfWord> PrintToPdf(TKVRBaseItem& item, double widthMm, double heightMm)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    PrintItemsToPdf({&item}, path, widthMm, heightMm);
    return PdfWords(path);
}

}  // namespace kvrtest
