#pragma once
// Conversions of the editor's surface between document micrometres, values in
// the label's unit and surface pixels. Pure arithmetic: the surface widget
// derives from it and answers the three view values from its editor.
#include "platform/rtl/label/KVR.EditorView.h"
#include "platform/rtl/label/KVR.Units.h"
#include <cstdint>

class TKVRSurfaceCoords
{
public:
    virtual ~TKVRSurfaceCoords() = default;

    TKVRDimScroll fDScroll;
    int32_t fDPIX = 96, fDPIY = 96;

    // The editor's zoom factor, drawing scale (1 : S) and label unit.
    virtual float ZScale() const = 0;
    virtual int32_t DrawScale() const = 0;
    virtual TKVRUnits Units() const = 0;

    // A value in label units, in micrometres (no drawing scale).
    int64_t BaseMM(float aValue) const;
    // A surface pixel, in document micrometres.
    int64_t BaseMMX(float aPixel) const;
    int64_t BaseMMY(float aPixel) const;
    // Document micrometres, as a surface pixel.
    int32_t ScreenMMX(int64_t aMicrometres) const;
    int32_t ScreenMMY(int64_t aMicrometres) const;
    // Document micrometres in pixels at zoom 1, without the view offset.
    float BaseToScreenX(int64_t aMicrometres) const;
    float BaseToScreenY(int64_t aMicrometres) const;
    // A value in label units, in pixels; aOffset adds the view offset.
    int32_t CoordDX(float aValue, bool aOffset) const;
    int32_t CoordDY(float aValue, bool aOffset) const;
    // A pixel, in label units; aOffset takes the view offset off first.
    float WorldX(float aPixel, bool aOffset) const;
    float WorldY(float aPixel, bool aOffset) const;
    // Pixels at zoom 1, at the current zoom.
    int32_t DrawDMMX(float aPixels, bool aOffset) const;
    int32_t DrawDMMY(float aPixels, bool aOffset) const;
    // Pixels per label unit at the current zoom (no drawing scale).
    float FX() const;
    float FY() const;
    // Pixels, in millimetres.
    float CoordX(int32_t aPixels) const;
    int32_t BX() const { return fDScroll.RulerL; }
    int32_t BY() const { return fDScroll.RulerT; }
    // First visible pixel of the label area, and its far edge.
    int32_t CMX() const;
    int32_t CMY() const;
    int32_t MaxX() const { return CMX() + fDScroll.ZoomW; }
    int32_t MaxY() const { return CMY() + fDScroll.ZoomH; }
    // Where the label's corner lies on the surface.
    float TranslateX() const { return float(BX() + fDScroll.GapL - fDScroll.ScrollX); }
    float TranslateY() const { return float(BY() + fDScroll.GapT - fDScroll.ScrollY); }
    int32_t OffsetX() const { return fDScroll.GapL + fDScroll.RulerL - fDScroll.ScrollX; }
    int32_t OffsetY() const { return fDScroll.GapT + fDScroll.RulerT - fDScroll.ScrollY; }

    // The pick tolerance in micrometres of paper for a gap in pixels.
    int32_t PickGap(int32_t aPixels) const;

    // A value on the grid: positive values to the nearer line (a half down),
    // negative ones toward zero.
    static int64_t GridRound(int64_t aValue, int64_t aStep);

private:
    // Micrometres of the model in one inch of paper: 25,400 times the drawing
    // scale, in 64 bits (a scale above 84,546 passes 2^31).
    double ModelPerInch() const;
    double Zoom() const;
};
