#include "tests/elements/ContentTestSupport.h"
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
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

std::string BoxText(const QRect& r)
{
    return RectText(r);
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

std::vector<TPdfWord> PrintToPdf(TKVRBaseItem& item, double widthMm, double heightMm)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("page.pdf");
    {
        QPdfWriter writer(path);
        writer.setResolution(kDpi);
        writer.setPageSize(QPageSize(QSizeF(widthMm, heightMm), QPageSize::Millimeter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        TCanvas canvas(&writer);
        EXPECT_TRUE(canvas.BeginScene());
        TKVRDraw draw;
        draw.SetResolution(kDpi, kDpi);
        draw.SetStandardWidths();
        draw.DrawState = KVRDrawState::Print;
        draw.pC = &canvas;
        item.PrintElement(&draw);
        canvas.EndScene();
    }
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    EXPECT_TRUE(pdftotext.waitForFinished(60000));
    EXPECT_EQ(pdftotext.exitCode(), 0) << pdftotext.readAllStandardError().toStdString();
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<TPdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return words;
}

}  // namespace kvrtest
