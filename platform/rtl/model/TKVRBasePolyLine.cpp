#include "platform/rtl/model/TKVRBasePolyLine.h"

TKVRBasePolyLine::TKVRBasePolyLine(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRLineChain(aOwner, KVRItemKind::PolyLine, 0, aPreview)
{
}

TKVRBasePolyLine::TKVRBasePolyLine(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview)
    : TKVRLineChain(aOwner, KVRItemKind::PolyLine, aNumPoints, aPreview)
{
}

TKVRBasePolyLine::TKVRBasePolyLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview)
    : TKVRLineChain(aOwner, aLayer, KVRItemKind::PolyLine, aNumPoints, aPreview)
{
}
