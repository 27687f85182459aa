#pragma once
// Helpers of the barcode and symbol tests: painting one element on a screen
// or paper surface of 300 dpi and finding the colours it painted (the red of
// the invalid-value cross, a background).
#include "render/KVR.FMX.Types.h"
#include "tests/elements/ElementTestSupport.h"
#include <QImage>
#include <QRect>
#include <algorithm>
#include <cstdlib>
#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace codetest {

constexpr int kDpi = 300;

inline int Px(double mm)
{
    return int(mm * kDpi / 25.4);
}

inline QImage Screen(TKVRBaseItem& item, int w, int h, TKVRDrawState state = KVRDrawState::Preview)
{
    ScreenSurface s(w, h, kDpi);
    s.draw.DrawState = state;
    item.DrawElement(&s.draw);
    return s.Finish().copy();
}

inline QImage Paper(TKVRBaseItem& item, int w, int h)
{
    PaperSurface p(w, h, kDpi);
    item.PrintElement(&p.draw);
    return p.Finish().copy();
}

// Pixels of a colour within a tolerance on each channel.
inline int CountColour(const QImage& image, QRgb colour, int tolerance = 40)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            n += (std::abs(qRed(row[x]) - qRed(colour)) <= tolerance &&
                  std::abs(qGreen(row[x]) - qGreen(colour)) <= tolerance &&
                  std::abs(qBlue(row[x]) - qBlue(colour)) <= tolerance)
                     ? 1
                     : 0;
    }
    return n;
}

inline int RedCount(const QImage& image)
{
    return CountColour(image, qRgb(255, 0, 0), 90);
}

// Bounding box of the pixels of one colour; empty when there are none.
inline QRect ColourBounds(const QImage& image, QRgb colour, int tolerance = 40)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    int left = img.width(), top = img.height(), right = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (std::abs(qRed(row[x]) - qRed(colour)) <= tolerance &&
                std::abs(qGreen(row[x]) - qGreen(colour)) <= tolerance &&
                std::abs(qBlue(row[x]) - qBlue(colour)) <= tolerance) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Side of a square surface on which the element's box fits at any quarter
// turn about an anchor in its middle.
inline int SquareFor(const TKVRBaseItem& item, int marginPx = 60)
{
    const TKVRRect b = item.GetBounds();
    const int64_t longest = std::max(b.Width(), b.Height());
    return 2 * int(longest * kDpi / 25400) + 2 * marginPx;
}

inline QString BoxText(const QRect& r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

}  // namespace codetest
