#include "platform/rtl/model/TKVRBaseBezier.h"

TKVRBaseBezier::TKVRBaseBezier(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRLineChain(aOwner, KVRItemKind::Bezier, 0, aPreview)
{
}

TKVRBaseBezier::TKVRBaseBezier(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview)
    : TKVRLineChain(aOwner, KVRItemKind::Bezier, aNumPoints, aPreview)
{
}

TKVRBaseBezier::TKVRBaseBezier(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview)
    : TKVRLineChain(aOwner, aLayer, KVRItemKind::Bezier, aNumPoints, aPreview)
{
}
