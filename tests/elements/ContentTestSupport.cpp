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
    return {Screen(item, w, h, KVRDrawState::Preview, dpi, drawScale), Paper(item, w, h, dpi, drawScale)};
}

namespace {
template <class F>
void ForColour(const QImage& image, QRgb colour, int tolerance, F&& f)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (std::abs(qRed(row[x]) - qRed(colour)) <= tolerance &&
                std::abs(qGreen(row[x]) - qGreen(colour)) <= tolerance &&
                std::abs(qBlue(row[x]) - qBlue(colour)) <= tolerance)
                f(x, y);
    }
}
}  // namespace

int CountColour(const QImage& image, QRgb colour, int tolerance)
{
    int n = 0;
    ForColour(image, colour, tolerance, [&](int, int) { ++n; });
    return n;
}

QRect ColourBounds(const QImage& image, QRgb colour, int tolerance)
{
    QRect box;
    ForColour(image, colour, tolerance, [&](int x, int y) { box |= QRect(x, y, 1, 1); });
    return box;
}

int RedCount(const QImage& image)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            n += qRed(row[x]) - std::max(qGreen(row[x]), qBlue(row[x])) > 60 ? 1 : 0;
    }
    return n;
}

std::string BoxText(const QRect& r)
{
    if (r.isEmpty())
        return "(nothing)";
    return "(" + std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height()) + ")";
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
