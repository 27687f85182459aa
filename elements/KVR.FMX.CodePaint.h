#pragma once
// Painting shared by the barcode and two-dimensional symbol elements: the
// cross of a value that does not encode, the data marker, and the module
// frame of the three symbols on screen and on paper.
#include "platform/rtl/KVR.Model.Codes.h"
#include "platform/rtl/KVR.Model.Types.h"
#include "platform/rtl/TKVRPto.h"

class TKVRBase2DCode;
class TKVRBaseItem;
class TKVRDraw;

// Two red dotted diagonals over aBox (document micrometres) on the Skia
// canvas: the sign of a value that does not encode.
void DrawCodeCross(TKVRDraw* aDraw, const TKVRRect& aBox, TKVRItemState aState);

// The data marker at reference point 1 of a data-bound element, in the editor only.
void DrawCodeData(TKVRDraw* aDraw, const TKVRBaseItem& aItem);

// The symbol of the element's own encoding on the Skia canvas: background,
// marker and modules, or the cross when nothing is encoded.
void DrawSymbol2D(TKVRDraw* aDraw, const TKVRBase2DCode& aItem);

// The value of the current record encoded anew and painted on the printer
// canvas in the label cell being printed; nothing at all when it does not
// encode. The element is left as it is.
void PrintSymbol2D(TKVRDraw* aDraw, const TKVRBase2DCode& aItem);
