#pragma once
#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <QTransform>
#include <memory>
#include <vector>

class QPainter;
class TSkTypeface;
class TSkShapedText;
using ISkShapedText = std::shared_ptr<const TSkShapedText>;

// One line of text shaped by Qt's text engine with a typeface: bidirectional
// order, joining, and fallback fonts (through fontconfig) for characters the
// typeface lacks. No kerning, so a word is as wide alone as inside a line.
// Shaped once at a reference size; lengths scale linearly with the size, so
// the screen and the printer measure and paint the same glyphs and advances.
// Results belong to the thread that shaped them (Qt's font engines are per
// thread); the cache behind Shape is per thread too.
class TSkShapedText
{
public:
    // Pixel size the text is shaped at; fonts of 2048 units per em advance exactly.
    static constexpr int kReferencePixels = 2048;
    // Largest em, in device pixels, painted from the glyph cache; larger glyphs
    // are filled as outlines (Qt's cache cannot hold them).
    static constexpr double kMaxCachedEmPixels = 1024.0;

    struct TRun
    {
        QRawFont Font;             // at the reference size
        QList<quint32> Glyphs;
        QList<QPointF> Positions;  // reference pixels on the baseline, left to right
    };

    // CR, LF and the Unicode line and paragraph separators do not break the
    // line: they take no room. rightToLeft sets the paragraph direction;
    // otherwise the first strong character sets it.
    static ISkShapedText Shape(const std::shared_ptr<const TSkTypeface>& typeface, const QString& text,
                               bool rightToLeft = false);

    // Advance of the whole line at the reference size (trailing spaces included).
    double ReferenceAdvance() const { return fAdvance; }
    double Advance(double pixelSize) const { return fAdvance * pixelSize / kReferencePixels; }
    const std::vector<TRun>& Runs() const { return fRuns; }
    bool IsEmpty() const { return fRuns.empty(); }

    // Glyph outlines at the reference size, positioned.
    QPainterPath Outline() const;

    // Fills the glyphs in colour, mapped from reference pixels by toLocal (before
    // the painter's own transform). On surfaces with a glyph cache, glyphs whose
    // em exceeds kMaxCachedEmPixels on the device, or squeezed below a pixel
    // across, are filled as outlines. An underline runs across the advance.
    void Paint(QPainter& painter, const QTransform& toLocal, const QColor& color, bool underline = false) const;

private:
    double fAdvance = 0.0;
    double fUnderlinePosition = 0.0;   // reference pixels below the baseline (top of the line)
    double fUnderlineThickness = 0.0;
    std::vector<TRun> fRuns;
};
