#include "elements/TKVREllipse.h"
#include "elements/TKVRCircle.h"
#include "render/KVR.FMX.Types.h"

TKVREllipse::TKVREllipse(TKVRBaseLabel* aOwner, bool aPreview) : TKVRBaseEllipse(aOwner, aPreview)
{
}

TKVREllipse::TKVREllipse(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseEllipse(aOwner, aLayer, aPreview)
{
}

TKVRBaseItem* TKVREllipse::Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                                TKVRReadType aReadType)
{
    return KVRReadItem<TKVREllipse>([&](TKVREllipse& e) { e.ReadData(aVersion, aReader, aReadType); }, aLabel,
                                    aReadType == KVRReadType::CellCopy);
}

TKVRBaseItem* TKVREllipse::ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
{
    return KVRReadItem<TKVREllipse>([&](TKVREllipse& e) { e.ReadJson(aVersion, aJson); }, aLabel, false);
}

void TKVREllipse::Draw(TKVRBaseDraw* aDraw)
{
    TKVROvalPaint::Draw(*this, static_cast<TKVRDraw*>(aDraw));
}

void TKVREllipse::Print(TKVRBaseDraw* aDraw)
{
    TKVROvalPaint::Print(*this, static_cast<TKVRDraw*>(aDraw));
}
