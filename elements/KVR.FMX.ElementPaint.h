#pragma once
// Painting that the text, picture and code elements share: the data marker,
// a canvas guard, length conversions, quarter turns, and the filled and
// framed box of texts and pictures on screen and on paper.
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/System.UITypes.h"
#include <QString>
#include <cstdint>

class TCanvas;
class TKVRBaseItem;
class TKVRBasePara;
class TKVRDraw;
class TSkCanvas;

// Restores a Skia canvas to its depth at construction, also when a call raises.
class TKVRSkCanvasSave
{
public:
    explicit TKVRSkCanvasSave(TSkCanvas& aCanvas);
    ~TKVRSkCanvasSave();
    TKVRSkCanvasSave(const TKVRSkCanvasSave&) = delete;
    TKVRSkCanvasSave& operator=(const TKVRSkCanvasSave&) = delete;

private:
    TSkCanvas& fCanvas;
    int32_t fCount;
};

// The data marker at reference point 1 of a data-bound element, in the editor only.
void DrawDataMarker(TKVRDraw* aDraw, const TKVRBaseItem& aItem);

// A model length (µm, drawing scale applied) in pixels at a resolution, as
// the document converts it.
float ModelToPixels(const TKVRBaseItem& aItem, int64_t aMicrometres, int32_t aResolution, const TKVRDraw* aDraw);
// A paper length (µm: layouts, font metrics) in pixels at a resolution.
float PaperToPixels(int64_t aMicrometres, int32_t aResolution);

// -90 degrees per quarter turn; 0 for values from 4 up.
float TurnDegrees(TKVRAngle aAngle);
// Turns 1 and 3 swap the two axes.
bool IsQuarterTurn(TKVRAngle aAngle);

// Fill and frame of a box; a radius of 0 gives square corners.
struct TKVRBoxStyle
{
    bool Filled = false;
    TAlphaColor BackColor = 0;
    float PenWidth = 0.0f;  // millimetres; 0 or less: no frame
    TAlphaColor Color = 0;
    float RadiusX = 0.0f;   // pixels of the surface
    float RadiusY = 0.0f;
};
// Screen: the fill, then the frame; with aInsetFrame the frame lies inside
// the box, otherwise it straddles the edge.
void DrawBox(TKVRDraw* aDraw, const TRectF& aBox, const TKVRBoxStyle& aStyle, bool aInsetFrame);
// Paper: the fill, then a solid frame straddling the edge.
void PrintBox(TKVRDraw* aDraw, const TRectF& aBox, const TKVRBoxStyle& aStyle);

// The printer canvas's font: family, size (printer font units) and styles.
void SetPrintFont(TCanvas& aCanvas, const QString& aFamily, float aSize, bool aBold, bool aItalic,
                  bool aUnderline);

// The fill and frame of a paragraph's or rich text's box (points 1 and 2):
// on screen a fill with Alpha 0 is left out, paper always shows it.
TKVRBoxStyle ParaBoxStyle(const TKVRDraw* aDraw, const TKVRBasePara& aItem, bool aScreen);
// The paragraph's box on screen: an unfilled frame lies inside the box, a
// filled one straddles its edge.
void DrawParaBox(TKVRDraw* aDraw, const TKVRBasePara& aItem);

// The corner of a box less margins (aMarginX across, aMarginY down, each on
// its own axis) where the turned text area's frame starts.
TPointF TextAreaOrigin(TKVRAngle aAngle, const TRectF& aBox, float aMarginX, float aMarginY);
