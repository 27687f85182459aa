#pragma once
// Painting shared by the barcode and two-dimensional symbol elements: the
// cross of a value that does not encode and the modules of the three symbols
// on screen and on paper; and the element class pattern of those symbols.
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/KVR.Model.Codes.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/System.UITypes.h"
#include "platform/rtl/geometry/TKVRPto.h"
#include "render/TKVRDraw.h"

class TKVRBase2DCode;
class TKVRBaseLabel;

// Two red dotted diagonals over aBox (document micrometres) on the Skia
// canvas: the sign of a value that does not encode.
void DrawCodeCross(TKVRDraw* aDraw, const TKVRRect& aBox, TKVRItemState aState);

// The background of a code over aBox (document micrometres) on the Skia canvas.
void DrawCodeBackground(TKVRDraw* aDraw, const TKVRRect& aBox, TAlphaColor aColor);

// How a symbol's modules sit about its anchor: module size and paddings in
// millimetres, alignment and quarter turn.
struct TKVRModulePlace
{
    float ModuleWidth = 0.5f;
    float ModuleHeight = 0.5f;
    float PaddingX = 0.0f;
    float PaddingY = 0.0f;
    TKVRHorzAlign Horz = TKVRHorzAlign::Left;
    TKVRVertAlign Vert = TKVRVertAlign::Top;
    TKVRAngle Angle = TKVRAngle::Angle0;
};

// The dark modules of a layout in the paint's (screen) or the fill brush's
// (paper, label cell origin added once) colour, aligned inside the box about
// aAnchor and turned about it.
void DrawSymbolModules(TKVRDraw* aDraw, const TKVRSymbolLayout& aLayout, const TKVRPto& aAnchor,
                       const TKVRModulePlace& aPlace);
void PrintSymbolModules(TKVRDraw* aDraw, const TKVRSymbolLayout& aLayout, const TKVRPto& aAnchor,
                        const TKVRModulePlace& aPlace);

// The symbol of the element's own encoding on the Skia canvas: background,
// marker and modules, or the cross when nothing is encoded.
void DrawSymbol2D(TKVRDraw* aDraw, const TKVRBase2DCode& aItem);

// The value of the current record encoded anew and painted on the printer
// canvas in the label cell being printed; nothing at all when it does not
// encode. The element is left as it is.
void PrintSymbol2D(TKVRDraw* aDraw, const TKVRBase2DCode& aItem);

// The element class of a two-dimensional symbol over its model base TBase
// (TSelf is the class itself, which gets the class readers): every layout
// encodes the element's own value for the screen, Draw paints that encoding,
// Print the current record's value encoded anew; a value that does not encode
// shows a red cross and prints nothing. Reading never lays the element out.
template <class TBase, class TSelf>
class TKVRSymbolElement : public TBase, public TKVRClassReaders<TSelf>
{
public:
    TKVRSymbolElement(TKVRBaseLabel* aOwner, bool aPreview) : TBase(aOwner, aPreview) {}
    TKVRSymbolElement(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview) : TBase(aOwner, aLayer, aPreview) {}

    void CalcValues(int16_t aMode) override
    {
        TBase::CalcValues(aMode);
        this->Encode();
        // The box follows from what was encoded.
        this->UpdatePoints();
        this->UpdateBounds();
    }
    void Draw(TKVRBaseDraw* aDraw) override { DrawSymbol2D(static_cast<TKVRDraw*>(aDraw), *this); }
    void Print(TKVRBaseDraw* aDraw) override { PrintSymbol2D(static_cast<TKVRDraw*>(aDraw), *this); }
};
