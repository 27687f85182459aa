#pragma once
#include "platform/rtl/System.Types.h"
#include <QTransform>

// 3 x 3 affine matrix with row-vector convention: a point p maps to p x M,
// so in A * B the transform A acts first.
struct TMatrix
{
    float m11 = 1, m12 = 0, m13 = 0;
    float m21 = 0, m22 = 1, m23 = 0;
    float m31 = 0, m32 = 0, m33 = 1;

    static TMatrix Identity() { return {}; }
    static TMatrix CreateTranslation(float dx, float dy);
    static TMatrix CreateScaling(float sx, float sy);
    // Angle in radians; positive turns clockwise on a y-down surface.
    static TMatrix CreateRotation(float radians);

    TMatrix operator*(const TMatrix& o) const;
    TPointF Map(const TPointF& p) const;
    bool operator==(const TMatrix&) const = default;

    // The same transform as a QTransform (which also uses row vectors).
    QTransform ToQt() const;
    static TMatrix FromQt(const QTransform& t);
};
