#pragma once
// Surfaces for element tests: a screen context (Skia canvas over a QImage) and
// a paper context (printer canvas over a QImage) at the same resolution, so
// Draw and Print can be compared pixel for pixel.
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/KVR.Stream.h"
#include "platform/rtl/TKVRBaseItem.h"
#include "platform/rtl/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Types.h"
#include <QBuffer>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

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

// Bounding box of the pixels that are not (near) white or transparent;
// an empty rectangle when nothing was painted.
QRect InkBounds(const QImage& image, int threshold = 200);
// Number of inked pixels, with the same rule.
int InkCount(const QImage& image, int threshold = 200);
// Whether two boxes agree within a tolerance on every side.
bool SameBox(const QRect& a, const QRect& b, int tolerance);
// Saves a picture under the working folder's test-output/ for a look; returns the path.
QString SaveForLook(const QImage& image, const QString& name);

// Binary form of an element, kind code first (TKVRBaseItem::Write).
QByteArray WriteBinary(const TKVRBaseItem& item);
// JSON form of an element, compact.
QByteArray WriteJsonText(const TKVRBaseItem& item);

// A class-level reader: it is handed a reader positioned after the kind code.
using BinaryReadFn = std::function<TKVRBaseItem*(TKVRBaseLabel*, int32_t, TBinaryReader&, TKVRReadType)>;
// Writes the element, reads it back with the reader and writes the copy again.
QByteArray RoundTripBinary(TKVRBaseLabel& label, const TKVRBaseItem& item, const BinaryReadFn& read);
// Feeds every shorter prefix of the record to the reader: each must raise and
// leave the document's element count as it was. Returns the number of prefixes tried.
int CheckTruncatedRecords(TKVRBaseLabel& label, const TKVRBaseItem& item, const BinaryReadFn& read);
