#include "platform/rtl/geometry/System.Math.Vectors.h"
#include <cmath>

TMatrix TMatrix::CreateTranslation(float dx, float dy)
{
    TMatrix m;
    m.m31 = dx;
    m.m32 = dy;
    return m;
}

TMatrix TMatrix::CreateScaling(float sx, float sy)
{
    TMatrix m;
    m.m11 = sx;
    m.m22 = sy;
    return m;
}

TMatrix TMatrix::CreateRotation(float radians)
{
    const double c = std::cos(double(radians));
    const double s = std::sin(double(radians));
    TMatrix m;
    m.m11 = float(c);
    m.m12 = float(s);
    m.m21 = float(-s);
    m.m22 = float(c);
    return m;
}

TMatrix TMatrix::operator*(const TMatrix& o) const
{
    TMatrix r;
    r.m11 = m11 * o.m11 + m12 * o.m21 + m13 * o.m31;
    r.m12 = m11 * o.m12 + m12 * o.m22 + m13 * o.m32;
    r.m13 = m11 * o.m13 + m12 * o.m23 + m13 * o.m33;
    r.m21 = m21 * o.m11 + m22 * o.m21 + m23 * o.m31;
    r.m22 = m21 * o.m12 + m22 * o.m22 + m23 * o.m32;
    r.m23 = m21 * o.m13 + m22 * o.m23 + m23 * o.m33;
    r.m31 = m31 * o.m11 + m32 * o.m21 + m33 * o.m31;
    r.m32 = m31 * o.m12 + m32 * o.m22 + m33 * o.m32;
    r.m33 = m31 * o.m13 + m32 * o.m23 + m33 * o.m33;
    return r;
}

TPointF TMatrix::Map(const TPointF& p) const
{
    const double x = double(p.X) * m11 + double(p.Y) * m21 + m31;
    const double y = double(p.X) * m12 + double(p.Y) * m22 + m32;
    return {float(x), float(y)};
}

QTransform TMatrix::ToQt() const
{
    return QTransform(m11, m12, m13, m21, m22, m23, m31, m32, m33);
}

TMatrix TMatrix::FromQt(const QTransform& t)
{
    TMatrix m;
    m.m11 = float(t.m11()); m.m12 = float(t.m12()); m.m13 = float(t.m13());
    m.m21 = float(t.m21()); m.m22 = float(t.m22()); m.m23 = float(t.m23());
    m.m31 = float(t.m31()); m.m32 = float(t.m32()); m.m33 = float(t.m33());
    return m;
}
