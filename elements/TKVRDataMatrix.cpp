#include "elements/TKVRDataMatrix.h"
#include "elements/KVR.FMX.CodePaint.h"
#include "platform/rtl/KVR.Stream.h"
#include "render/TKVRDraw.h"

TKVRDataMatrix::TKVRDataMatrix(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseDataMatrix(aOwner, aPreview) {}

TKVRDataMatrix::TKVRDataMatrix(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseDataMatrix(aOwner, aLayer, aPreview)
{
}

TKVRBaseItem* TKVRDataMatrix::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                                   TKVRReadType aReadType)
{
    return KVRReadItem<TKVRDataMatrix>([&](TKVRDataMatrix& item) { item.ReadData(aVersion, aReader, aReadType); },
                                       aLabel, aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRDataMatrix::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRDataMatrix>([&](TKVRDataMatrix& item) { item.ReadJson(aVersion, aJson); }, aLabel, false);
}

void TKVRDataMatrix::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseDataMatrix::ReadData(aVersion, aReader, aReadType);
}

void TKVRDataMatrix::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseDataMatrix::WriteData(aWriter);
}

void TKVRDataMatrix::CalcValues(int16_t aMode)
{
    TKVRBaseDataMatrix::CalcValues(aMode);
    Encode();
    // The box follows from what was encoded.
    UpdatePoints();
    UpdateBounds();
}

void TKVRDataMatrix::Draw(TKVRBaseDraw* aDraw)
{
    DrawSymbol2D(static_cast<TKVRDraw*>(aDraw), *this);
}

void TKVRDataMatrix::Print(TKVRBaseDraw* aDraw)
{
    PrintSymbol2D(static_cast<TKVRDraw*>(aDraw), *this);
}
