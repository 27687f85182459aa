#pragma once
// The font cache and the text layout of the element code: a Skia font chosen by
// family, height and style, its metrics and widths in micrometres measured at 96
// pixels per inch, and the line breakers for boxes and flowchart outlines.
#include "platform/rtl/text/KVR.TextLines.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/skia/TSkFont.h"
#include <QString>
#include <cstdint>
#include <functional>

class TKVRDraw;

// Width of a string in micrometres.
using TKVRWidthFunc = std::function<int32_t(const QString&)>;

// Never instantiated: all members are class members. The cache is kept per
// thread, so the export job's layouts and the screen's never see each other's
// font; each thread selects its font with FontSettings before measuring.
class TKVRCalc
{
public:
    TKVRCalc() = delete;

    // Selects the font of family aFont (the name as given, letter case counts),
    // fHeight micrometres from the top of the ascent to the bottom of the
    // descent, bold fB and italic fI. Answers from the cache when the request
    // equals the previous one. Throws std::runtime_error
    // "No se pudo cargar la fuente especificada" when no typeface can be made.
    static void FontSettings(const QString& aFont, int32_t fHeight, bool fB, bool fI, int32_t& oAsc, int32_t& oDes,
                             int32_t& oUnd, int32_t& oLh, double& oRatio);
    // Makes the font the same way without consulting the cache and also returns
    // the width of aTxt. The cache key is cleared, so the next request of the
    // other overload makes its font again.
    static void FontSettings(const QString& aTxt, const QString& aFont, int32_t fHeight, bool fB, bool fI,
                             int32_t& oAsc, int32_t& oDes, int32_t& oWid, double& oRatio);

    // Width of aTxt in micrometres with the current font; 0 before any font.
    static int32_t CalcTxtSize(const QString& aTxt);

    // Breaks txt into lines inside mWidth x mHeight micrometres with padding
    // aPadH, aPadV and line spacing Inter. Returns mHeight when it is not 0, else
    // the height the text needs; 0 when the first word of a line is wider than the
    // line (the lines before it stay), for an empty text and before any font.
    // drw is not read.
    static int32_t CalcTxtPts(const QString& txt, const TKVRDraw* drw, TxtLines& fTxt, int32_t mWidth,
                              int32_t mHeight, int32_t aPadH, int32_t aPadV, TKVRHorzAlign hAlign,
                              TKVRVertAlign vAlign, float Inter);
    // The same fitted to the outline of flowchart kind aFlowType in the box.
    // drw and aPadH are not read.
    static int32_t CalcFlowTxtPoints(const QString& txt, const TKVRDraw* drw, TxtLines& fTxt, int32_t mWidth,
                                     int32_t mHeight, int32_t aPadH, int32_t aPadV, TKVRFlowType aFlowType,
                                     float aInter);

    // Clears the cache key and the metrics; the font itself stays.
    static void Reset();

    // The breakers over any measure: lineHeight, ascent and descent in
    // micrometres, width of a string in micrometres.
    static int32_t CalcTxtPtsWith(const QString& txt, TxtLines& fTxt, int32_t mWidth, int32_t mHeight, int32_t aPadH,
                                  int32_t aPadV, TKVRHorzAlign hAlign, TKVRVertAlign vAlign, float Inter,
                                  int32_t lineHeight, int32_t ascent, int32_t descent, const TKVRWidthFunc& width);
    static int32_t CalcFlowTxtPointsWith(const QString& txt, TxtLines& fTxt, int32_t mWidth, int32_t mHeight,
                                         int32_t aPadV, TKVRFlowType aFlowType, float aInter, int32_t lineHeight,
                                         const TKVRWidthFunc& width);

    // The calling thread's cache.
    static const ISkTypeface& Typeface();
    static const ISkFont& Font();
    static int32_t LineHeight();  // fLh
    static int32_t Ascent();      // fAsc
    static int32_t Descent();     // fDes
    static int32_t Underline();   // fUnd
    static double Ratio();        // fRat
    // How many fonts this thread has made (each request not answered from the cache).
    static int64_t FontsMade();

    // Pixels at 96 per inch to micrometres, rounded half to even.
    static int32_t ToMicrometres(double pixels);
};
