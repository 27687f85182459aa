#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/TKVRBaseQRCode.h"

class TBinaryReader;
class TKVRBaseLabel;
class TKVRLayer;

// A QR code: the screen paints the element's own encoding, paper the value of
// each printed record encoded anew with the same text preparation; a value
// that does not encode shows a red cross and prints nothing.
class TKVRQRCode : public TKVRBaseQRCode
{
public:
    TKVRQRCode(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRQRCode(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);
    ~TKVRQRCode() override;

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
