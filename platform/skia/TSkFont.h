#pragma once
#include "platform/skia/TSkShapedText.h"
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class TSkPaint;
class TSkTypeface;
class TSkFont;
using ISkPaint = std::shared_ptr<TSkPaint>;
using ISkTypeface = std::shared_ptr<TSkTypeface>;
using ISkFont = std::shared_ptr<TSkFont>;

enum class TSkFontSlant : uint8_t { Upright, Italic, Oblique };

namespace TSkFontWeight {
constexpr int32_t Normal = 400;
constexpr int32_t Bold = 700;
}
namespace TSkFontWidth {
constexpr int32_t Normal = 5;
}

struct TSkFontStyle
{
    int32_t Weight = TSkFontWeight::Normal;
    int32_t Width = TSkFontWidth::Normal;
    TSkFontSlant Slant = TSkFontSlant::Upright;

    static TSkFontStyle Normal() { return {}; }
    static TSkFontStyle Bold() { return {TSkFontWeight::Bold, TSkFontWidth::Normal, TSkFontSlant::Upright}; }
    static TSkFontStyle Italic() { return {TSkFontWeight::Normal, TSkFontWidth::Normal, TSkFontSlant::Italic}; }
    static TSkFontStyle BoldItalic() { return {TSkFontWeight::Bold, TSkFontWidth::Normal, TSkFontSlant::Italic}; }
    bool operator==(const TSkFontStyle&) const = default;
};

// Pixels at the font's size, y down from the baseline: Ascent and Top are
// negative, Descent, Bottom and UnderlinePosition (top of the underline) positive.
struct TSkFontMetrics
{
    float Top = 0;
    float Ascent = 0;
    float Descent = 0;
    float Bottom = 0;
    float Leading = 0;
    float XHeight = 0;
    float CapHeight = 0;
    float UnderlineThickness = 0;
    float UnderlinePosition = 0;
    float StrikeoutThickness = 0;
    float StrikeoutPosition = 0;
};

// A font family in a style. The family is resolved by fontconfig, so an unknown
// name still gives a typeface (a substitute); nullptr only when no application
// font system exists or the resolved font is no TrueType/OpenType font.
// Immutable and shared between threads: the font engines used for glyph lookup
// and painting are made per call in the calling thread.
class TSkTypeface
{
public:
    static ISkTypeface MakeFromName(const QString& familyName, const TSkFontStyle& style);
    static ISkTypeface MakeDefault();

    // The family actually used ("Liberation Sans" for "Arial").
    const QString& GetFamilyName() const { return fResolvedFamily; }
    const TSkFontStyle& GetFontStyle() const { return fStyle; }

    // Design units read from the font's tables; everything scales linearly.
    struct TDesign
    {
        int32_t UnitsPerEm = 0;
        int32_t Ascender = 0, Descender = 0, LineGap = 0;  // descender negative
        int32_t YMin = 0, YMax = 0;
        int32_t XHeight = 0, CapHeight = 0;
        int32_t UnderlinePosition = 0, UnderlineThickness = 0;  // position negative below
        int32_t StrikeoutPosition = 0, StrikeoutSize = 0;
    };
    // Advances come from the shaped text (TSkShapedText), never from hmtx alone.
    const TDesign& GetDesign() const { return fDesign; }

    // A font engine of this typeface at a whole pixel size, for the calling thread.
    QRawFont MakeRawFont(int pixelSize) const;
    // The Qt font of this typeface at a whole pixel size, unhinted.
    QFont MakeQtFont(int pixelSize) const;

private:
    TSkTypeface() = default;

    QString fRequestedFamily;
    QString fResolvedFamily;
    TSkFontStyle fStyle;
    TDesign fDesign;
};

// A typeface at a size in pixels (fractional sizes exact), stretched by ScaleX
// and slanted by SkewX. Metrics come from the font's design units (hhea, the
// one source of ascent and descent for screen and paper), independent of any
// device resolution and of hinting. Text is shaped (TSkShapedText): right-to-left
// scripts in visual order, joined, with fallback fonts for missing characters,
// without kerning. Drawing uses the same advances.
class TSkFont
{
public:
    explicit TSkFont(ISkTypeface typeface = nullptr, float size = 12.0f, float scaleX = 1.0f, float skewX = 0.0f);

    const ISkTypeface& GetTypeface() const { return fTypeface; }
    void SetTypeface(ISkTypeface typeface);
    float GetSize() const { return fSize; }
    void SetSize(float size);
    float GetScaleX() const { return fScaleX; }
    void SetScaleX(float scaleX);
    float GetSkewX() const { return fSkewX; }
    void SetSkewX(float skewX);

    // Fills the metrics and returns the recommended line spacing
    // (-Ascent + Descent + Leading).
    float GetMetrics(TSkFontMetrics& metrics) const;
    // Advance width in pixels, ScaleX applied. The paint does not change it.
    float MeasureText(const QString& text, const ISkPaint& paint = nullptr) const;

    // The text shaped with this font's typeface (sizes at the reference size);
    // empty without a typeface. The calling thread's.
    ISkShapedText Shape(const QString& text) const;

private:
    ISkTypeface fTypeface;
    float fSize = 12.0f;
    float fScaleX = 1.0f;
    float fSkewX = 0.0f;
};
