#include "platform/rtl/model/TKVRDrawConf.h"

void TKVRDrawConf::Ini(TAlphaColor aFColor, TAlphaColor aBColor, bool aScalePen, TVXLineType aLineType,
                       float aPenWidth)
{
    FColor = aFColor;
    BColor = aBColor;
    ScalePen = aScalePen;
    LineType = aLineType;
    PenWidth = aPenWidth;
    Fill = false;
    RoundCap = false;
    InPath = false;
    FirstSegment = false;
}

void TKVRDrawConf::IniFont(TAlphaColor aFontColor, bool aBold, bool aItalic, bool aUnderline,
                           const QString& aFontName, float aFontHeight, float aFontScale)
{
    FontColor = aFontColor;
    Bold = aBold;
    Italic = aItalic;
    Underline = aUnderline;
    FontName = aFontName;
    FontHeight = aFontHeight;
    FontScale = aFontScale;
}

void TKVRDrawConf::Reset()
{
    *this = TKVRDrawConf();
}
