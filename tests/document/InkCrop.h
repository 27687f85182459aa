#pragma once
// ZXing's Data Matrix detector searches from the middle of the picture: a
// code is cut out with a white quiet zone around it before it is read.
#include <QImage>
#include <QPainter>
#include <algorithm>

// The dark part of aImage (grey below 128) on white, aMargin pixels round it;
// a null image when nothing is dark.
inline QImage AroundInk(const QImage& aImage, int aMargin)
{
    const QImage img = aImage.convertToFormat(QImage::Format_RGB32);
    int left = img.width(), top = img.height(), right = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (qGray(row[x]) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    if (right < 0)
        return {};
    const QRect ink(QPoint(left, top), QPoint(right, bottom));
    QImage out(ink.size() + QSize(2 * aMargin, 2 * aMargin), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(QPoint(aMargin, aMargin), img, ink);
    return out;
}
