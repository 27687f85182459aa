#include "elements/TKVRQRCode.h"
#include "elements/KVR.FMX.CodePaint.h"
#include "platform/rtl/KVR.Stream.h"
#include "render/TKVRDraw.h"

TKVRQRCode::TKVRQRCode(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseQRCode(aOwner, aPreview) {}

TKVRQRCode::TKVRQRCode(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseQRCode(aOwner, aLayer, aPreview)
{
}

TKVRQRCode::~TKVRQRCode() = default;

TKVRBaseItem* TKVRQRCode::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    return KVRReadItem<TKVRQRCode>([&](TKVRQRCode& item) { item.ReadData(aVersion, aReader, aReadType); }, aLabel,
                                   aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRQRCode::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRQRCode>([&](TKVRQRCode& item) { item.ReadJson(aVersion, aJson); }, aLabel, false);
}

void TKVRQRCode::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseQRCode::ReadData(aVersion, aReader, aReadType);
}

void TKVRQRCode::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseQRCode::WriteData(aWriter);
}

void TKVRQRCode::CalcValues(int16_t aMode)
{
    TKVRBaseQRCode::CalcValues(aMode);
    Encode();
    // The box follows from what was encoded.
    UpdatePoints();
    UpdateBounds();
}

void TKVRQRCode::Draw(TKVRBaseDraw* aDraw)
{
    DrawSymbol2D(static_cast<TKVRDraw*>(aDraw), *this);
}

void TKVRQRCode::Print(TKVRBaseDraw* aDraw)
{
    PrintSymbol2D(static_cast<TKVRDraw*>(aDraw), *this);
}
