#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"

// A linear barcode with its human-readable text. The layout validates and
// encodes the element's own value; the screen shows those bars, or a red
// cross when the value is not valid; printing encodes the value of each
// printed record anew and prints nothing for a value that is not valid.
class TKVRBarcode : public TKVRBaseBarcode, public TKVRClassReaders<TKVRBarcode>
{
public:
    TKVRBarcode(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBarcode(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    // Modes 1 and 2 lay the code out: font metrics, validity, prepared code
    // and pattern, then the box. Other modes (the on-demand layout before
    // painting) do so only when the value or an encoding setting changed since.
    void CalcValues(int16_t aMode) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
    // The model's reading; a pasted element is laid out at once.
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

};
