#pragma once
#include "platform/rtl/model/TKVRLineChain.h"

// An open chain of points with marks at both ends. Binary after the common
// header: line ends, then the points (any number).
class TKVRBasePolyLine : public TKVRLineChain<TKVRBaseItem>
{
public:
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;
    bool DeletePoint(int32_t aIndex) override;
    int32_t LeastPoints() const override;
    bool InsertPoint(int64_t aX, int64_t aY, int32_t aIndex) override;
    TKVRBasePolyLine(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBasePolyLine(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview);
    TKVRBasePolyLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aNumPoints, bool aPreview);
};
