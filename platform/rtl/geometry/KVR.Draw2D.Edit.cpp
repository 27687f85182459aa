#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include <cmath>

bool TDraw2D::CursorOnPosS(int32_t aPX, int32_t aPY, int32_t aRadius, float aX, float aY)
{
    return std::fabs(double(aX) - aPX) <= aRadius && std::fabs(double(aY) - aPY) <= aRadius;
}

void TDraw2D::DrawParalLine(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3, int64_t,
                            int64_t& oX1, int64_t& oY1, int64_t& oX2, int64_t& oY2)
{
    const TKVRPto p1{aX1, aY1}, p2{aX2, aY2}, pos{aX3, aY3};
    KVRDim::TDimPoints pts;
    KVRDim::LinearPoints(KVRDim::ChooseLinearType(p1, p2, pos), p1, p2, pos, TKVRDimStyle(), 1, pts);
    // Points 5 and 6 end the dimension line.
    oX1 = pts[4].X;
    oY1 = pts[4].Y;
    oX2 = pts[5].X;
    oY2 = pts[5].Y;
}

float Distance(float aX1, float aY1, float aX2, float aY2)
{
    return float(std::hypot(double(aX2) - aX1, double(aY2) - aY1));
}
