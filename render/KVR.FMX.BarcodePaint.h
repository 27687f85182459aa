#pragma once
// Painting of one-dimensional barcodes (bars and human-readable text) on the
// screen and on the printer, and the editor's data marker.
#include "platform/rtl/codes/KVR.IBarcode.h"
#include "platform/rtl/System.UITypes.h"
#include "platform/rtl/geometry/System.Math.Vectors.h"
#include "platform/rtl/geometry/TKVRPto.h"
#include <QByteArray>
#include <cstdint>
#include <vector>

class TKVRDraw;

// Bars and text of aBarcode's pattern and code text on the context's Skia
// canvas, in aColor, placed from aStart by the source's alignment, paddings
// and quarter turn. aWidth and aHeight are the element's bounds (micrometres);
// aScale is its font ratio (font size per font height). The canvas state is
// restored before it returns.
void DrawBarcode(TKVRDraw* aDraw, const IKVRBarcode& aBarcode, const TKVRPto& aStart, TAlphaColor aColor,
                 int32_t aWidth, int32_t aHeight, double aScale);

// The same on the printer canvas for the record being printed: text and
// pattern are aCodeText and aPattern, the settings come from aBarcode; aWidth
// is the barcode's width in micrometres, aHeight is not read.
void PrintBarcode(TKVRDraw* aDraw, const IKVRBarcode& aBarcode, const TKVRPto& aStart, TAlphaColor aColor,
                  int32_t aWidth, int32_t aHeight, double aScale, const QByteArray& aCodeText,
                  const QByteArray& aPattern);

// Rectangles of a grid (aUnits: modules across, and down in units of
// aUnitY) filled in the fill brush on the printer canvas: unit (0, 0) at
// aCorner, aUnitX and aUnitY printer dots a unit, the whole turned about
// aPivot by the quarter turn. Opaque or not, as the canvas fills them.
void PrintGridRects(TKVRDraw* aDraw, const std::vector<TRectF>& aUnits, const TPointF& aCorner, double aUnitX,
                    double aUnitY, const TPointF& aPivot, TKVRAngle aAngle);

// The 8 x 8 pixel marker of a data-bound element centred on (aX, aY): a
// light green band between two grey ones. Pixels, whatever the zoom.
void DrawData(TKVRDraw* aDraw, float aX, float aY);
