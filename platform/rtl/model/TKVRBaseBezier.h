#pragma once
#include "platform/rtl/model/TKVR2DItem.h"
#include "platform/rtl/model/TKVRLineChain.h"

// A chain of cubic segments: the start point, then first control point,
// second control point and end of each segment (1 + 3 x segments points;
// painting stops at the last whole segment). Binary after the filled
// header: line ends, the points.
class TKVRBaseBezier : public TKVRLineChain<TKVR2DItem>
{
public:
    TKVRBaseBezier(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseBezier(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview);
    TKVRBaseBezier(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview);
};
