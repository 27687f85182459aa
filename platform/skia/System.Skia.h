#pragma once
// The Skia-shaped drawing API that the element code is written against, as thin
// classes over QPainter, QPainterPath, QRawFont and QImage. Skia's conventions
// hold: angles clockwise on a y-down surface, dash intervals in local units,
// negative ascent, fractional font sizes exact and independent of the device.
// Interfaces are shared pointers: ISkCanvas, ISkPaint, ISkPath, ISkFont, ISkImage.
#include "platform/skia/TSkCanvas.h"
#include "platform/skia/TSkFont.h"
#include "platform/skia/TSkImage.h"
#include "platform/skia/TSkPaint.h"
#include "platform/skia/TSkPath.h"
