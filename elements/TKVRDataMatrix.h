#pragma once
#include "elements/KVR.FMX.CodePaint.h"
#include "platform/rtl/model/TKVRBaseDataMatrix.h"

// A Data Matrix ECC 200 symbol: the screen paints the element's own encoding, paper the value of
// each printed record encoded anew (see TKVRSymbolElement).
class TKVRDataMatrix : public TKVRSymbolElement<TKVRBaseDataMatrix, TKVRDataMatrix>
{
public:
    using TKVRSymbolElement::TKVRSymbolElement;
};
