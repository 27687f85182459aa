#pragma once
#include "platform/rtl/model/TKVRLineChain.h"

// An open chain of points with marks at both ends. Binary after the common
// header: line ends, then the points (any number).
class TKVRBasePolyLine : public TKVRLineChain<TKVRBaseItem>
{
public:
    TKVRBasePolyLine(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBasePolyLine(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview);
    TKVRBasePolyLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview);
};
