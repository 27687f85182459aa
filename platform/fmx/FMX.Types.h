#pragma once
#include "platform/rtl/System.Types.h"
#include <cstdint>
#include <vector>

// Small value types shared by the printer canvas and its brushes.

// A list of points; the same alias may also be declared next to the matrix type.
using TPolygon = std::vector<TPointF>;

// Corners of a rectangle, as a bit set.
enum class TCorner : uint8_t { TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3 };
using TCorners = uint8_t;
constexpr TCorners CornerSet(TCorner c) { return TCorners(1u << static_cast<unsigned>(c)); }
constexpr TCorners NoCorners = 0;
constexpr TCorners AllCorners = 0x0F;

// How a rounded corner is shaped. Only round corners are painted.
enum class TCornerType : uint8_t { Round = 0 };

// Text alignment inside a rectangle: leading is left or top.
enum class TTextAlign : uint8_t { Center = 0, Leading = 1, Trailing = 2 };

// Flags of FillText and MeasureText, as a bit set.
enum class TFillTextFlag : uint8_t { RightToLeft = 0 };
using TFillTextFlags = uint8_t;
constexpr TFillTextFlags FillTextFlagSet(TFillTextFlag f) { return TFillTextFlags(1u << static_cast<unsigned>(f)); }

// Font styles, as a bit set.
enum class TFontStyle : uint8_t { Bold = 0, Italic = 1, Underline = 2 };
using TFontStyles = uint8_t;
constexpr TFontStyles FontStyleSet(TFontStyle s) { return TFontStyles(1u << static_cast<unsigned>(s)); }
