#pragma once
// Surfaces for element tests: a screen context (Skia canvas over a QImage) and
// a paper context (printer canvas over a QImage) at the same resolution, so
// Draw and Print can be compared pixel for pixel.
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Types.h"
#include <QBuffer>
#include <QImage>
#include <QRect>
#include <QString>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// Screen side: Draw paints here, as in the preview (draw state 2).
struct ScreenSurface
{
    ScreenSurface(int width, int height, int dpi, int drawScale = 1);
    ~ScreenSurface();
    QImage image;
    TKVRDraw draw;
    // Ends painting and gives the picture.
    const QImage& Finish();
};

// Paper side: Print paints here (draw state 4), with the cell origin at 0.
struct PaperSurface
{
    PaperSurface(int width, int height, int dpi, int drawScale = 1);
    ~PaperSurface();
    QImage image;
    TKVRDraw draw;
    std::unique_ptr<TCanvas> canvas;
    const QImage& Finish();
};

// Bounds and number of the pixels, in an area (the whole image when null),
// that satisfy a predicate on their ARGB value.
template <class TPred>
inline QRect PixelBounds(const QImage& image, const QRect& area, TPred pred)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const QRect a = area.isNull() ? img.rect() : (area & img.rect());
    int left = img.width(), top = img.height(), right = -1, bottom = -1;
    for (int y = a.top(); y <= a.bottom(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = a.left(); x <= a.right(); ++x)
            if (pred(row[x])) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

template <class TPred>
inline int PixelCount(const QImage& image, const QRect& area, TPred pred)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const QRect a = area.isNull() ? img.rect() : (area & img.rect());
    int n = 0;
    for (int y = a.top(); y <= a.bottom(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = a.left(); x <= a.right(); ++x)
            n += pred(row[x]) ? 1 : 0;
    }
    return n;
}

// Bounding box of the pixels that are not (near) white or transparent;
// an empty rectangle when nothing was painted.
QRect InkBounds(const QImage& image, int threshold = 200);
// Number of inked pixels, with the same rule.
int InkCount(const QImage& image, int threshold = 200);
// Whether two boxes agree within a tolerance on every side; a failure shows both.
::testing::AssertionResult SameBox(const QRect& a, const QRect& b, int tolerance);

// Binary form of an element, kind code first (TKVRBaseItem::Write).
QByteArray WriteBinary(const TKVRBaseItem& item);
// JSON form of an element, compact.
QByteArray WriteJsonText(const TKVRBaseItem& item);

// A class-level reader: it is handed a reader positioned after the kind code.
using BinaryReadFn = std::function<TKVRBaseItem*(TKVRBaseLabel*, int32_t, TBinaryReader&, TKVRReadType)>;
// Reads one record (kind code first, as WriteBinary gives it) with the reader.
TKVRBaseItem* ReadRecord(TKVRBaseLabel& label, const QByteArray& record, const BinaryReadFn& read,
                         TKVRReadType type = KVRReadType::File);
// Writes the element, reads it back with the reader and writes the copy again.
QByteArray RoundTripBinary(TKVRBaseLabel& label, const TKVRBaseItem& item, const BinaryReadFn& read);
// Feeds every shorter prefix of the record to the reader: each must raise and
// leave the document's element count as it was. Returns the number of prefixes tried.
int CheckTruncatedRecords(TKVRBaseLabel& label, const TKVRBaseItem& item, const BinaryReadFn& read);

// Pixels whose colour leans clearly to the dominant primary of aColour (red,
// green or blue), blended with the paper or not; for a grey or black colour,
// dark neutral pixels.
bool LeansTo(QRgb pixel, TAlphaColor colour);
// Number and bounding box of such pixels, in the whole image or in an area.
int CountLeaning(const QImage& image, TAlphaColor colour, const QRect& area = QRect());
QRect LeaningBounds(const QImage& image, TAlphaColor colour, const QRect& area = QRect());
// "left,top - right,bottom", or "(nothing)".
std::string RectText(const QRect& r);

// An element painted by Draw on a screen surface (through DrawElement, in the
// given draw state) and by Print on a paper surface of the same size and
// resolution (through PrintElement, the cell origin at aPrintOffsetX, 0).
struct TScreenPaper
{
    QImage Screen;
    QImage Paper;
};
TScreenPaper PaintScreenAndPaper(TKVRBaseItem& item, int width, int height, int dpi, int drawScale = 1,
                                 TKVRDrawState screenState = KVRDrawState::Preview, int printOffsetX = 0);
