#pragma once
// Text on the printer canvas: measuring, the print line breaker, the Skia font
// style of the bold and italic flags, and the list of installed font families.
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/text/KVR.TextLines.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/System.Types.h"
#include "platform/skia/TSkFont.h"
#include <QString>
#include <QStringList>
#include <functional>

class TKVRDraw;

// Normal, Bold, Italic or BoldItalic.
TSkFontStyle GetFontStyle(bool bold, bool italic);

// Width and height of the text as the canvas measures it with its current font
// (one line per CR/LF, no word wrap).
TPointF GetTextSize(const TCanvas& canvas, const QString& text);

// The negated left and top of the box the canvas measures for the text: the
// shift that puts the text's box at the origin.
TPointF GetInternalTextOffset(const TCanvas& canvas, const QString& text);

// Breaks txt into lines measured on drw.pC (whose font the caller has set), in
// device pixels; draws nothing. `flag` has no effect. Returns the bottom of the
// last line placed (0 when none). The vertical alignment takes the height of a
// line's text from the canvas. Without a printer canvas nothing is laid out.
float PrintTxtPoints(const QString& txt, const TKVRDraw* drw, TxtFLines& fTxt, float maxHeight, float maxWidth,
                     float lineHeight, TKVRHorzAlign hAlign, TKVRVertAlign vAlign, bool flag, bool noVAlign);

// The same with the measure given as callbacks (width of a string; offset of the
// text's box), so the breaking can be checked without a canvas. textHeight is
// the height of one line's text (ascent plus descent); the vertical alignment
// places the block from the first line's top to the last line's text bottom,
// as the screen does. 0 takes the line height. oComplete, when given, tells
// whether the whole text was placed.
using TKVRPrintMeasure = std::function<float(const QString&)>;
using TKVRPrintOffset = std::function<TPointF(const QString&)>;
float PrintTxtPointsWith(const QString& txt, TxtFLines& fTxt, float maxHeight, float maxWidth, float lineHeight,
                         TKVRHorzAlign hAlign, TKVRVertAlign vAlign, bool noVAlign, const TKVRPrintMeasure& width,
                         const TKVRPrintOffset& offset, float textHeight = 0.0f, bool* oComplete = nullptr);

// Moves lines laid out from the top (noVAlign) down to their place in a room
// of the given height, by the rule of the vertical alignment above.
void AlignPrintLines(TxtFLines& fTxt, float room, float lineHeight, float textHeight, TKVRVertAlign vAlign);

// Replaces list with the sorted family names of the installed outline fonts,
// each once, without vertical ("@") faces and the legacy "Modern", "Roman" and
// "Script" families.
void CollectFonts(QStringList& list);
