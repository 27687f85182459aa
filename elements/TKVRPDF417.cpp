#include "elements/TKVRPDF417.h"
#include "elements/KVR.FMX.CodePaint.h"
#include "platform/rtl/KVR.Stream.h"
#include "render/TKVRDraw.h"

TKVRPDF417::TKVRPDF417(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBasePDF417(aOwner, aPreview) {}

TKVRPDF417::TKVRPDF417(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBasePDF417(aOwner, aLayer, aPreview)
{
}

TKVRBaseItem* TKVRPDF417::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    return KVRReadItem<TKVRPDF417>([&](TKVRPDF417& item) { item.ReadData(aVersion, aReader, aReadType); }, aLabel,
                                   aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVRPDF417::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVRPDF417>([&](TKVRPDF417& item) { item.ReadJson(aVersion, aJson); }, aLabel, false);
}

void TKVRPDF417::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBasePDF417::ReadData(aVersion, aReader, aReadType);
}

void TKVRPDF417::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBasePDF417::WriteData(aWriter);
}

void TKVRPDF417::CalcValues(int16_t aMode)
{
    TKVRBasePDF417::CalcValues(aMode);
    Encode();
    // The box follows from what was encoded.
    UpdatePoints();
    UpdateBounds();
}

void TKVRPDF417::Draw(TKVRBaseDraw* aDraw)
{
    DrawSymbol2D(static_cast<TKVRDraw*>(aDraw), *this);
}

void TKVRPDF417::Print(TKVRBaseDraw* aDraw)
{
    PrintSymbol2D(static_cast<TKVRDraw*>(aDraw), *this);
}
