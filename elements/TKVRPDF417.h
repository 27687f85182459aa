#pragma once
#include "elements/KVR.FMX.CodePaint.h"
#include "platform/rtl/model/TKVRBasePDF417.h"

// A stacked PDF417 symbol: the screen paints the element's own encoding, paper the value of
// each printed record encoded anew (see TKVRSymbolElement).
class TKVRPDF417 : public TKVRSymbolElement<TKVRBasePDF417, TKVRPDF417>
{
public:
    using TKVRSymbolElement::TKVRSymbolElement;
};
