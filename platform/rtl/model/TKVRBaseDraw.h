#pragma once
#include <cstdint>

// Drawing states of a context: which output it serves.
using TKVRDrawState = uint8_t;
namespace KVRDrawState {
constexpr TKVRDrawState Editor = 0;
constexpr TKVRDrawState EditorText = 1;  // editor while a text is edited in place
constexpr TKVRDrawState Preview = 2;
constexpr TKVRDrawState Export = 3;
constexpr TKVRDrawState Print = 4;
constexpr TKVRDrawState Library = 5;
}

// Base of the drawing context: resolutions, scale, origins and the length
// conversions every element uses. Its owner sets the fields before each pass.
class TKVRBaseDraw
{
public:
    virtual ~TKVRBaseDraw() = default;

    float Zoom = 1.0f;
    int32_t PrintOffsetX = 0;     // device origin of the label cell being printed
    int32_t PrintOffsetY = 0;
    float ScreenOffsetX = 0.0f;   // pixel origin of the drawing on the surface
    float ScreenOffsetY = 0.0f;
    int32_t ResolutionX = 96;     // dots per inch, per axis
    int32_t ResolutionY = 96;
    double PixelsPerMicX = 96.0 / 25400.0;  // resolution / (25400 x draw scale)
    double PixelsPerMicY = 96.0 / 25400.0;
    float TextFactor = 96.0f / 25.4f;       // pixels per millimetre (vertical)
    int32_t DrawScale = 1;
    TKVRDrawState DrawState = KVRDrawState::Editor;
    bool OptionFlag = false;  // the editor's document option, for the elements that ask
    // While a drawing is scaled to fit a small box (the symbol library's
    // cells): the canvas scale and the bounds of a stroke on the device, so
    // that no pen vanishes or floods the box. FitScale 0: pens as they are.
    float FitScale = 0.0f;
    float FitPenMin = 1.0f;
    float FitPenMax = 0.0f;

    // Sets resolutions, draw scale and the derived factors in one step.
    void SetResolution(int32_t dpiX, int32_t dpiY, int32_t drawScale = 1);

    // Paper lengths in millimetres (pen widths, font heights) to surface pixels;
    // the drawing scale does not apply to them.
    float BasePtoX(float mm) const;
    float BasePtoY(float mm) const;
    // The same for printer thicknesses, and as whole printer units.
    float DrawBasePtoX(float mm) const;
    int32_t PrintBasePtoX(float mm) const;
    // A pen of aPixels (pixels of this context) as it is stroked: held
    // within FitPenMin .. FitPenMax device pixels while a fit is set.
    float FitPen(float aPixels) const;

    // Document micrometres to pixels of this context (drawing scale applied).
    float GetDrawX(int64_t micrometres) const;
    float GetDrawY(int64_t micrometres) const;
};
