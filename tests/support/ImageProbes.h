#pragma once
// Pixel probes over QImage shared by the painting tests: which pixels count as
// ink is the caller's predicate (alpha on a transparent canvas, darkness on paper).
#include <QDir>
#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

namespace ImageProbes {

// Any alpha: ink on a transparent canvas.
inline bool Alpha(const QImage& img, int x, int y) { return qAlpha(img.pixel(x, y)) > 0; }
// Clearly darker than white paper.
inline bool Dark(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 128; }
// Anything but white paper.
inline bool NotWhite(const QImage& img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return qRed(p) <= 240 || qGreen(p) <= 240 || qBlue(p) <= 240;
}

// Bounding box of the inked pixels inside an area (the whole image by default);
// null when there are none.
template <class TInk>
QRect Bounds(const QImage& img, TInk ink, const QRect& within = QRect())
{
    const QRect area = within.isNull() ? img.rect() : (within & img.rect());
    QRect r;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (ink(img, x, y))
                r |= QRect(x, y, 1, 1);
    return r;
}

// Lengths of the alternating inked / empty runs along row y, starting with the
// first inked pixel.
template <class TInk>
std::vector<int> Runs(const QImage& img, int y, TInk ink)
{
    std::vector<int> runs;
    int x = 0;
    while (x < img.width() && !ink(img, x, y))
        ++x;
    while (x < img.width()) {
        const bool on = ink(img, x, y);
        int n = 0;
        for (; x < img.width() && ink(img, x, y) == on; ++x)
            ++n;
        runs.push_back(n);
    }
    return runs;
}

// Keeps a picture for a person to look at when KVR_TEST_PNG_DIR names a folder.
inline void SaveForLooking(const QImage& img, const QString& name)
{
    const QString dir = qEnvironmentVariable("KVR_TEST_PNG_DIR");
    if (!dir.isEmpty())
        img.save(QDir(dir).filePath(name));
}

}  // namespace ImageProbes
