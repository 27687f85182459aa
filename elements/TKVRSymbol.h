#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseSymbol.h"
#include "platform/rtl/model/TKVRDrawConf.h"
#include "platform/skia/TSkPath.h"

class TKVRDraw;
class TKVRSymItem;

// A library symbol placed in a document: the canvas is moved to point 1,
// scaled and turned, and the symbol's items are painted in its own
// coordinates (insertion point on point 1). Screen and paper follow one walk
// over the items, so they agree; paper also underlines texts that ask for it.
class TKVRSymbol : public TKVRBaseSymbol, public TKVRClassReaders<TKVRSymbol>
{
public:
    using TKVRBaseSymbol::TKVRBaseSymbol;

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
    // The model's extent, then what the symbol paints beyond its
    // definition's bounds: its pens and its texts, measured in their fonts.
    void CheckFit(TKVRExtent& aExtent) override;

    // Paints the symbol on the context's Skia canvas, which the caller has
    // moved to the symbol's origin, scaled by aScale and turned; aScale only
    // keeps unscaled pens at their width. The configuration keeps what the
    // state items set; then the link points when the context asks for them.
    // A scale not above 0, or not a number, paints nothing.
    static void DrawSymbol(TKVRDraw* aDraw, const TKVRBaseLibSymbol* aSymbol, float aScale);

    // What a library symbol covers at its own size, in its micrometres: its
    // definition's bounds and the boxes of its texts in their fonts, as
    // aConf starts them. Pens are left out: a view scaling the symbol into a
    // cell strokes them at a width of its own.
    static TKVRExtent LibBounds(const TKVRBaseLibSymbol& aSymbol, const TKVRDrawConf& aConf);

    // The drawing configuration from the element's layer (the defaults without one).
    static void ConfFromLayer(TKVRDrawConf& aConf, const TKVRBaseItem& aItem);

    // The screen paths of single items (context pixels, no origin added).
    static ISkPath GetPathPolyline(const TKVRBaseDraw* aDraw, const TKVRSymItem& aItem);
    static ISkPath GetPathBezier(const TKVRBaseDraw* aDraw, const TKVRSymItem& aItem);
    static ISkPath GetPathSector(const TKVRBaseDraw* aDraw, const TKVRSymItem& aItem);
};
