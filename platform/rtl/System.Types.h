#pragma once
#include <QPointF>
#include <QRectF>

// Floating point and rectangle in device pixels or printer units.
struct TPointF
{
    float X = 0.0f;
    float Y = 0.0f;

    TPointF() = default;
    TPointF(float x, float y) : X(x), Y(y) {}

    TPointF operator+(const TPointF& o) const { return {X + o.X, Y + o.Y}; }
    TPointF operator-(const TPointF& o) const { return {X - o.X, Y - o.Y}; }
    bool operator==(const TPointF&) const = default;
    QPointF ToQt() const { return QPointF(X, Y); }
};

struct TRectF
{
    float Left = 0.0f;
    float Top = 0.0f;
    float Right = 0.0f;
    float Bottom = 0.0f;

    TRectF() = default;
    TRectF(float l, float t, float r, float b) : Left(l), Top(t), Right(r), Bottom(b) {}
    static TRectF FromPoints(const TPointF& a, const TPointF& b) { return {a.X, a.Y, b.X, b.Y}; }

    float Width() const { return Right - Left; }
    float Height() const { return Bottom - Top; }
    TPointF TopLeft() const { return {Left, Top}; }
    TPointF BottomRight() const { return {Right, Bottom}; }
    TPointF CenterPoint() const { return {(Left + Right) / 2, (Top + Bottom) / 2}; }
    bool IsEmpty() const { return !(Right > Left && Bottom > Top); }
    void Offset(float dx, float dy) { Left += dx; Right += dx; Top += dy; Bottom += dy; }
    // Corners as given; a reversed rectangle stays reversed.
    QRectF ToQt() const { return QRectF(QPointF(Left, Top), QPointF(Right, Bottom)); }
    bool operator==(const TRectF&) const = default;
};
