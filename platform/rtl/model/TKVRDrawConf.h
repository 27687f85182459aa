#pragma once
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/System.UITypes.h"
#include <QString>

// The drawing state that a library symbol's state items change while it is
// painted or printed. Lengths are paper millimetres: PenWidth becomes pixels
// through BasePtoX, FontHeight through the context's text factor.
struct TKVRDrawConf
{
    TAlphaColor FColor = TAlphaColors::Black;
    TAlphaColor BColor = TAlphaColors::White;
    TAlphaColor FontColor = TAlphaColors::Black;
    bool Fill = false;
    bool RoundCap = false;
    bool ScalePen = false;
    TVXLineType LineType = 0;
    float PenWidth = 0.1f;
    QString FontName = QStringLiteral("Arial");
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    float FontHeight = 3.0f;
    float FontScale = 1.0f;
    bool InPath = false;
    bool FirstSegment = false;

    // Pen and fill defaults; the third argument is ScalePen. Fill and round
    // caps start off and no path is open.
    void Ini(TAlphaColor aFColor, TAlphaColor aBColor, bool aScalePen, TVXLineType aLineType, float aPenWidth);
    void IniFont(TAlphaColor aFontColor, bool aBold, bool aItalic, bool aUnderline, const QString& aFontName,
                 float aFontHeight, float aFontScale);
    // Every field back to the defaults above.
    void Reset();
};
