#pragma once
// The dimension-style dialog's sample: a part outline with four dimensions
// drawn in a style, on a canvas in the sample's own pixels. One unit of a
// style's size is SamplePixelsPerMm pixels; a pixel measures SampleValuePerPixel.
#include "platform/fmx/TCanvas.h"
#include <QString>

class TKVRDimStyle;

constexpr float SamplePixelsPerMm = 8.0f;
constexpr double SampleValuePerPixel = 0.27;
constexpr float SampleFontScale = 5.2f;

// The value text: prefix, the number by the style's format (without one,
// one decimal when the value has a fraction, none otherwise), suffix.
QString DimSampleText(const TKVRDimStyle& aStyle, double aValue);

// A solid stroke of aWidth pixels.
void DimSamplePen(TCanvas& aCanvas, float aWidth);

// Paints the sample into aBox: white ground, the outline aPoints (six
// vertices: top edge 0-1, slanted edge 2-3, bottom edge 4-5, left edge 5-0)
// filled grey, and a dimension on each of those edges. The canvas must be
// in a scene; its matrix is restored.
void PaintDimSample(TCanvas& aCanvas, const TKVRDimStyle& aStyle, const TPolygon& aPoints, const TRectF& aBox);
