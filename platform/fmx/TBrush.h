#pragma once
#include "platform/rtl/System.UITypes.h"
#include <cstdint>
#include <vector>

enum class TBrushKind : uint8_t { None = 0, Solid = 1 };

// Fill of the printer canvas: shapes and text are filled with it.
class TBrush
{
public:
    TBrush() = default;
    TBrush(TBrushKind kind, TAlphaColor color) : fKind(kind), fColor(color) {}

    TBrushKind Kind() const { return fKind; }
    void SetKind(TBrushKind kind) { fKind = kind; }
    TAlphaColor Color() const { return fColor; }
    void SetColor(TAlphaColor color) { fColor = color; }

    bool operator==(const TBrush&) const = default;

private:
    TBrushKind fKind = TBrushKind::Solid;
    TAlphaColor fColor = TAlphaColors::Black;
};

enum class TStrokeCap : uint8_t { Flat = 0, Round = 1 };
enum class TStrokeJoin : uint8_t { Miter = 0, Round = 1, Bevel = 2 };
enum class TStrokeDash : uint8_t { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Custom = 5 };

// Outline of the printer canvas. Dash entries and the dash offset are
// measured in stroke thicknesses, so a pattern grows with the line.
class TStrokeBrush : public TBrush
{
public:
    TStrokeBrush() = default;
    TStrokeBrush(TBrushKind kind, TAlphaColor color) : TBrush(kind, color) {}

    float Thickness() const { return fThickness; }
    void SetThickness(float thickness) { fThickness = thickness; }
    TStrokeCap Cap() const { return fCap; }
    void SetCap(TStrokeCap cap) { fCap = cap; }
    TStrokeJoin Join() const { return fJoin; }
    void SetJoin(TStrokeJoin join) { fJoin = join; }

    TStrokeDash Dash() const { return fDash; }
    // A named dash replaces the pattern with its own; Custom keeps the current one.
    void SetDash(TStrokeDash dash);
    // Sets the dash to Custom with these entries (dash, gap, dash, ...) and offset.
    void SetCustomDash(const std::vector<float>& dash, float offset);
    const std::vector<float>& DashArray() const { return fDashArray; }
    float DashOffset() const { return fDashOffset; }

    bool operator==(const TStrokeBrush&) const = default;

private:
    float fThickness = 1.0f;
    TStrokeCap fCap = TStrokeCap::Flat;
    TStrokeJoin fJoin = TStrokeJoin::Miter;
    TStrokeDash fDash = TStrokeDash::Solid;
    std::vector<float> fDashArray;
    float fDashOffset = 0.0f;
};
