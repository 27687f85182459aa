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
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;
    bool DeletePoint(int32_t aIndex) override;
    int32_t LeastPoints() const override;
    bool InsertPoint(int64_t aX, int64_t aY, int32_t aIndex) override;
    TKVRBaseBezier(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseBezier(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview);
    TKVRBaseBezier(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview);
};
