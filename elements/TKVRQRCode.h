#pragma once
#include "elements/KVR.FMX.CodePaint.h"
#include "platform/rtl/model/TKVRBaseQRCode.h"

// A QR code; screen and paper prepare the text alike: the screen paints the element's own encoding, paper the value of
// each printed record encoded anew (see TKVRSymbolElement).
class TKVRQRCode : public TKVRSymbolElement<TKVRBaseQRCode, TKVRQRCode>
{
public:
    using TKVRSymbolElement::TKVRSymbolElement;
};
