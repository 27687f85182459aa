#pragma once
// Painting that every kind of element shares: whether a context can paint,
// where a point lands, the shared paints and printer font, the data marker, a
// canvas guard, length and angle conversions, and the filled and framed box
// on screen and on paper.
#include "platform/fmx/FMX.Types.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/System.UITypes.h"
#include "platform/rtl/geometry/TKVRPto.h"
#include <QString>
#include <cstdint>

class TCanvas;
class TKVRBaseItem;
class TKVRBasePara;
class TKVRDraw;
class TSkCanvas;

// Whether a context can take a Draw (Skia canvas and paint) or a Print
// (printer canvas); without them the element paints nothing.
bool CanDraw(const TKVRDraw* aDraw);
bool CanPrint(const TKVRDraw* aDraw);

// A document point on screen (pixels plus the screen origin) and on paper,
// in fractional and in whole printer units (plus the print origin).
TPointF ScreenAt(const TKVRPto& aPoint, const TKVRDraw* aDraw);
TPointF PaperAt(const TKVRPto& aPoint, const TKVRDraw* aDraw);
TPointF PrintAt(const TKVRPto& aPoint, const TKVRDraw* aDraw);
// The box of an element's points 1 and 2, on screen and on paper (fractional).
TRectF ScreenBox(const TKVRBaseItem& aItem, const TKVRDraw* aDraw);
TRectF PaperBox(const TKVRBaseItem& aItem, const TKVRDraw* aDraw);

// The shared paint set for a fill in aColor: fill style, no dash.
void SetFillPaint(TKVRDraw* aDraw, TAlphaColor aColor);
// The shared paint set for text in aColor: stroke-and-fill, antialiased.
void SetTextPaint(TKVRDraw* aDraw, TAlphaColor aColor);

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

// The editor's states (plain and editing a text in place). Only there does a
// data-bound element show its stored content; the preview, exports and paper
// show the document's current record, which the sheet walks move per cell.
bool IsEditorState(TKVRDrawState aState);

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
// Radians as the canvases' degrees.
float ToDegrees(double aRadians);

// Fill and frame of a box; a radius of 0 gives square corners.
struct TKVRBoxStyle
{
    bool Filled = false;
    TAlphaColor BackColor = 0;
    float PenWidth = 0.0f;  // millimetres; 0 or less: no frame
    TAlphaColor Color = 0;
    float RadiusX = 0.0f;   // pixels of the surface
    float RadiusY = 0.0f;
    // Drawn shapes frame in their line type (on screen the editor's highlight
    // of State replaces it) with flat caps on paper; texts and pictures solid.
    bool Patterned = false;
    TVXLineType LineType = 0;
    TKVRItemState State = 0;
};
// Screen: the fill, then the frame; with aInsetFrame the frame lies inside
// the box, otherwise it straddles the edge.
void DrawBox(TKVRDraw* aDraw, const TRectF& aBox, const TKVRBoxStyle& aStyle, bool aInsetFrame);
// Paper: the fill, then the frame straddling the edge.
void PrintBox(TKVRDraw* aDraw, const TRectF& aBox, const TKVRBoxStyle& aStyle);

// The printer's style set of the three flags.
TFontStyles FontStyles(bool aBold, bool aItalic, bool aUnderline);
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
