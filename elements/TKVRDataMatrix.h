#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/TKVRBaseDataMatrix.h"

class TBinaryReader;
class TKVRBaseLabel;
class TKVRLayer;

// A Data Matrix ECC 200 symbol: the screen paints the element's own encoding,
// paper the value of each printed record encoded anew; a value that does not
// encode shows a red cross and prints nothing.
class TKVRDataMatrix : public TKVRBaseDataMatrix
{
public:
    TKVRDataMatrix(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRDataMatrix(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    // Every mode encodes the element's own value for the screen.
    void CalcValues(int16_t aMode) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;
    void WriteData(TBinaryWriter& aWriter) const override;

    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType);
    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);
};
