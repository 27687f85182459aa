#pragma once
// The drawing context handed to every element's Draw and Print, and the
// process-wide print font resolution and saved colours.
#include "platform/rtl/geometry/System.Math.Vectors.h"
#include "platform/rtl/System.UITypes.h"
#include "platform/rtl/model/TKVRBaseDraw.h"
#include "platform/rtl/model/TKVRDrawConf.h"
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class TSkCanvas;
class TSkPaint;
class TCanvas;
using ISkCanvas = std::shared_ptr<TSkCanvas>;
using ISkPaint = std::shared_ptr<TSkPaint>;

class TKVRDraw : public TKVRBaseDraw
{
public:
    TKVRDraw();

    ISkCanvas kC;          // target of every Draw
    ISkPaint kP;           // the one shared paint
    TCanvas* pC = nullptr; // printer canvas, target of every Print (owned by the print job)
    TMatrix LM;            // accumulated print transform

    int32_t aPos = 0;      // caret position in aTxt while editing in place
    float aPosx = 0, aPosy = 0;
    int32_t aPosIx = 0, aPosIy = 0;
    float aMaxX = 0, aMaxY = 0;
    QString aTxt;
    TKVRDrawConf aConf;    // symbol drawing state
    float aW = 0, aH = 0, aHT = 0, aHH = 0, aFH = 0, aFE = 0, aFP = 0;
    float w05 = 0, w1 = 0, w2 = 0, w3 = 0, w4 = 0;  // standard pen widths in pixels
    bool aDrawLinkPto = false;
    TAlphaColor aLinkPoint = 0;
    bool aFocused = false;
    int32_t aSelStart = 0, aSelEnd = 0;

    // Micrometres to pixels at the context's resolution (not rounded, sign kept).
    float DrawValueX(int32_t aBaseValue) const;
    float DrawValueY(int32_t aBaseValue) const;
    // Pixels to micrometres, rounded half to even, never negative.
    int32_t BaseValueX(float aPoints) const;
    int32_t BaseValueY(float aPoints) const;

    void ResetMatrix(TKVRDrawState aState);
    // Each call acts after the earlier ones (LM := LM x M).
    void Translate(float aX, float aY);
    void Scale(float aX, float aY);
    void Rotate(float aG);  // degrees
    void ApplyMatrix();     // pC's transform := LM
    void ResetText();

    // Sets w05..w4 to BasePtoY of 0.5, 1, 2, 3 and 4 for this context.
    void SetStandardWidths();
};

// Font heights in millimetres to printer font sizes, in 1/FontPrintDPI inch.
float FontPrintSize(float size);
void SetFontPrintDPI(float dpi);
float GetFontPrintDPI();

struct TSaveColor
{
    TAlphaColor fColor = 0;
    bool fAsigned = false;
};
// The colour picker's eight remembered colours; UI thread only.
extern std::array<TSaveColor, 8> SavedColors;

// Start-up of the unit: FontPrintDPI 96, SavedColors cleared.
void InitializeKVRFMXTypes();

