#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/geometry/TKVRPto.h"
#include <cmath>

namespace {

struct TVec
{
    double X = 0.0, Y = 0.0;
};

TVec Lerp(const TVec& a, const TVec& b, double t)
{
    return {a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t};
}

TKVRPto ToPto(const TVec& v)
{
    return {RoundHalfEven(v.X), RoundHalfEven(v.Y)};
}

// Unit direction out of an anchor: its side, or towards the other end.
TVec Heading(uint16_t aIndex, const TKVRPto& aAt, const TKVRPto& aOther)
{
    switch (aIndex) {
    case 1: return {0.0, -1.0};
    case 2: return {1.0, 0.0};
    case 3: return {0.0, 1.0};
    case 4: return {-1.0, 0.0};
    default: break;
    }
    const double dx = double(aOther.X - aAt.X), dy = double(aOther.Y - aAt.Y);
    const double len = std::hypot(dx, dy);
    if (len == 0.0)
        return {1.0, 0.0};
    return {dx / len, dy / len};
}

}  // namespace

void TDraw2D::CurvePoints(const TKVRPto& aFrom, const TKVRPto& aTo, uint16_t aFromIndex, uint16_t aToIndex,
                          TKVRPto& oControl1, TKVRPto& oControl2)
{
    const double reach = std::hypot(double(aTo.X - aFrom.X), double(aTo.Y - aFrom.Y)) / 2.0;
    const TVec h1 = Heading(aFromIndex, aFrom, aTo);
    const TVec h2 = Heading(aToIndex, aTo, aFrom);
    oControl1 = ToPto({double(aFrom.X) + h1.X * reach, double(aFrom.Y) + h1.Y * reach});
    oControl2 = ToPto({double(aTo.X) + h2.X * reach, double(aTo.Y) + h2.Y * reach});
}

std::vector<TKVRPto> TDraw2D::SplitCubic(const TKVRPto& p0, const TKVRPto& p1, const TKVRPto& p2, const TKVRPto& p3,
                                         int32_t aParts)
{
    std::vector<TKVRPto> out;
    if (aParts < 1)
        return out;
    TVec a{double(p0.X), double(p0.Y)}, b{double(p1.X), double(p1.Y)};
    TVec c{double(p2.X), double(p2.Y)}, d{double(p3.X), double(p3.Y)};
    // De Casteljau: cut off 1/n of what is left, then 1/(n-1), ...
    for (int32_t left = aParts; left > 1; --left) {
        const double t = 1.0 / double(left);
        const TVec ab = Lerp(a, b, t), bc = Lerp(b, c, t), cd = Lerp(c, d, t);
        const TVec abc = Lerp(ab, bc, t), bcd = Lerp(bc, cd, t);
        const TVec m = Lerp(abc, bcd, t);
        out.push_back(ToPto(ab));
        out.push_back(ToPto(abc));
        out.push_back(ToPto(m));
        a = m, b = bcd, c = cd;
    }
    out.push_back(ToPto(b));
    out.push_back(ToPto(c));
    out.push_back(p3);
    return out;
}
