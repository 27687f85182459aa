#include "platform/skia/TSkShapedText.h"
#include "platform/skia/KVR.PaintRoad.h"
#include "platform/skia/TSkFont.h"
#include <QGlyphRun>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>
#include <QThreadStorage>
#include <algorithm>
#include <cmath>

namespace {
// Shaped lines of one thread. Their QRawFonts hold font engines of that
// thread, so the cache lives in thread storage, which Qt clears before the
// thread's font engines go.
struct TShapeKey
{
    const TSkTypeface* Typeface;
    QString Text;
    bool RightToLeft;
    bool operator==(const TShapeKey&) const = default;
};

size_t qHash(const TShapeKey& k, size_t seed = 0)
{
    return qHashMulti(seed, quintptr(k.Typeface), k.Text, k.RightToLeft);
}

struct TShapeCache
{
    struct TEntry
    {
        std::shared_ptr<const TSkTypeface> Typeface;  // keeps the key's address taken
        ISkShapedText Shaped;
    };
    QHash<TShapeKey, TEntry> Entries;
    // A raw font at a new size is a new font engine with an empty glyph
    // cache: each size is made once, or every paint would load its glyphs.
    QHash<std::pair<QRawFont, int>, QRawFont> Sized;
    QHash<std::pair<QRawFont, double>, QRawFont> DocumentSized;
    // What the shaper made of single characters and of pairs, per typeface:
    // a line of plain characters is then laid out from these alone.
    struct TGlyph
    {
        bool Plain = false;  // one glyph of the typeface's own font, as wide as its advance
        quint32 Glyph = 0;
        double Advance = 0.0;
    };
    struct TFontGlyphs
    {
        std::shared_ptr<const TSkTypeface> Typeface;  // keeps the key's address taken
        QRawFont Font;
        QHash<char16_t, TGlyph> Chars;
        QHash<quint32, bool> Pairs;  // whether the two shape as they do alone
    };
    QHash<const TSkTypeface*, TFontGlyphs> Glyphs;
};

// Lines laid out by the elements repeat while the screen repaints; a full
// cache starts again rather than growing without end.
constexpr qsizetype kMaxCachedLines = 4096;

TShapeCache& Cache()
{
    static QThreadStorage<TShapeCache*> storage;
    if (!storage.hasLocalData())
        storage.setLocalData(new TShapeCache);
    return *storage.localData();
}

constexpr qsizetype kMaxSizedFonts = 256;

QRawFont SizedFont(const QRawFont& aFont, int aPixels)
{
    QHash<std::pair<QRawFont, int>, QRawFont>& sized = Cache().Sized;
    const std::pair<QRawFont, int> key{aFont, aPixels};
    const auto it = sized.constFind(key);
    if (it != sized.constEnd())
        return *it;
    QRawFont raw = aFont;
    raw.setPixelSize(aPixels);
    if (sized.size() >= kMaxSizedFonts)
        sized.clear();
    sized.insert(key, raw);
    return raw;
}

// A raw font at a size a document writes (any fraction of a pixel): the
// glyphs are written, never rasterised, so the size costs no glyph cache.
QRawFont DocumentFont(const QRawFont& aFont, double aPixels)
{
    QHash<std::pair<QRawFont, double>, QRawFont>& sized = Cache().DocumentSized;
    const std::pair<QRawFont, double> key{aFont, aPixels};
    const auto it = sized.constFind(key);
    if (it != sized.constEnd())
        return *it;
    QRawFont raw = aFont;
    raw.setPixelSize(aPixels);
    if (sized.size() >= kMaxSizedFonts)
        sized.clear();
    sized.insert(key, raw);
    return raw;
}

bool IsLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// The longest and the shortest length a unit vector becomes (the singular
// values of the linear part).
struct TStretch
{
    double Max = 0.0, Min = 0.0;
};

TStretch Stretch(const QTransform& t)
{
    const double e = (t.m11() + t.m22()) / 2, f = (t.m11() - t.m22()) / 2;
    const double g = (t.m21() + t.m12()) / 2, h = (t.m21() - t.m12()) / 2;
    const double q = std::hypot(e, h), r = std::hypot(f, g);
    return {q + r, std::abs(q - r)};
}

// Whether the painter's engine draws text through a glyph cache (raster and
// GPU engines, and pictures replayed on them) rather than into a document.
bool CachesGlyphs(const QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    if (!engine)
        return true;
    switch (engine->type()) {
    case QPaintEngine::Pdf:
    case QPaintEngine::SVG:
    case QPaintEngine::MacPrinter:
        return false;
    default:
        return true;
    }
}

bool IsFinite(const QTransform& t)
{
    for (double v : {t.m11(), t.m12(), t.m13(), t.m21(), t.m22(), t.m23(), t.m31(), t.m32(), t.m33()})
        if (!std::isfinite(v))
            return false;
    return true;
}

void ShapeNow(const TSkTypeface& typeface, const QString& text, bool rightToLeft, double& advance,
              std::vector<TSkShapedText::TRun>& runs)
{
    runs.clear();
    QString line;
    line.reserve(text.size());
    for (QChar c : text)
        if (!IsLineBreak(c))
            line.append(c);

    QFont font = typeface.MakeQtFont(TSkShapedText::kReferencePixels);
    // No kerning: a word measures the same alone and inside its line. Every
    // script is shaped (Qt would leave Arabic unjoined under PreferNoShaping).
    font.setKerning(false);

    QTextLayout layout(line, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LayoutDirectionAuto);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine l = layout.createLine();
    if (l.isValid())
        l.setLineWidth(0.0);
    layout.endLayout();
    if (!l.isValid())
        return;

    advance = l.horizontalAdvance();
    const double baseline = l.y() + l.ascent();
    const double left = l.x();
    for (const QGlyphRun& g : layout.glyphRuns()) {
        TSkShapedText::TRun run;
        run.Font = g.rawFont();
        run.Glyphs = g.glyphIndexes();
        run.Positions = g.positions();
        if (run.Glyphs.isEmpty() || run.Glyphs.size() != run.Positions.size() || !run.Font.isValid())
            continue;
        for (QPointF& p : run.Positions)
            p -= QPointF(left, baseline);
        runs.push_back(std::move(run));
    }
    // Qt hands the runs in no set order: left to right, so painting is repeatable.
    auto leftmost = [](const TSkShapedText::TRun& r) {
        double x = r.Positions.front().x();
        for (const QPointF& p : r.Positions)
            x = std::min(x, p.x());
        return x;
    };
    std::stable_sort(runs.begin(), runs.end(),
                     [&](const auto& a, const auto& b) { return leftmost(a) < leftmost(b); });
}
// Characters that might shape alone as they stand: no controls or tabs, no
// marks, nothing of the joining or right-to-left scripts.
bool MayBePlain(char16_t c)
{
    if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xAD || c >= 0x0590)
        return false;
    return !QChar(c).isMark();
}

using TGlyph = TShapeCache::TGlyph;
using TFontGlyphs = TShapeCache::TFontGlyphs;

// Glyph and advance of one character shaped alone; not plain when it takes
// another font, more than one glyph, or none while it advances.
TGlyph PlainGlyph(TFontGlyphs& f, char16_t c)
{
    const auto it = f.Chars.constFind(c);
    if (it != f.Chars.constEnd())
        return *it;
    TGlyph g;
    if (MayBePlain(c)) {
        double advance = 0.0;
        std::vector<TSkShapedText::TRun> runs;
        ShapeNow(*f.Typeface, QString(QChar(c)), false, advance, runs);
        if (runs.size() == 1 && runs[0].Glyphs.size() == 1 && runs[0].Positions[0] == QPointF(0.0, 0.0)) {
            if (!f.Font.isValid())
                f.Font = runs[0].Font;
            if (runs[0].Font == f.Font)
                g = {true, runs[0].Glyphs[0], advance};
        }
    }
    f.Chars.insert(c, g);
    return g;
}

// Whether two characters shape side by side as each does alone: no
// ligature, no contextual form (kerning is off).
bool PlainPair(TFontGlyphs& f, char16_t a, const TGlyph& ga, char16_t b, const TGlyph& gb)
{
    constexpr qsizetype kMaxPairs = 65536;
    const quint32 key = (quint32(a) << 16) | b;
    const auto it = f.Pairs.constFind(key);
    if (it != f.Pairs.constEnd())
        return *it;
    double advance = 0.0;
    std::vector<TSkShapedText::TRun> runs;
    ShapeNow(*f.Typeface, QString(QChar(a)) + QChar(b), false, advance, runs);
    const bool plain = runs.size() == 1 && runs[0].Font == f.Font &&
                       runs[0].Glyphs == QList<quint32>{ga.Glyph, gb.Glyph} &&
                       runs[0].Positions == QList<QPointF>{QPointF(0.0, 0.0), QPointF(ga.Advance, 0.0)} &&
                       advance == ga.Advance + gb.Advance;
    if (f.Pairs.size() >= kMaxPairs)
        f.Pairs.clear();
    f.Pairs.insert(key, plain);
    return plain;
}

// A line of plain characters laid out from what the shaper made of each
// character and each pair before, without shaping it: every record brings
// new text, and shaping it anew loads its glyphs again. False when the line
// needs the shaper.
bool ShapePlain(TShapeCache& aCache, const std::shared_ptr<const TSkTypeface>& aTypeface, const QString& aText,
                double& oAdvance, std::vector<TSkShapedText::TRun>& oRuns)
{
    constexpr qsizetype kMaxTypefaces = 64;
    if (TKVRPaintRoad::Reference())
        return false;
    auto found = aCache.Glyphs.find(aTypeface.get());
    if (found == aCache.Glyphs.end()) {
        if (aCache.Glyphs.size() >= kMaxTypefaces)
            aCache.Glyphs.clear();
        found = aCache.Glyphs.insert(aTypeface.get(), TFontGlyphs{aTypeface, {}, {}, {}});
    }
    TFontGlyphs& f = *found;
    TSkShapedText::TRun run;
    run.Glyphs.reserve(aText.size());
    run.Positions.reserve(aText.size());
    double x = 0.0;
    TGlyph previous;
    char16_t previousChar = 0;
    for (const QChar qc : aText) {
        const char16_t c = qc.unicode();
        const TGlyph g = PlainGlyph(f, c);
        if (!g.Plain || (previous.Plain && !PlainPair(f, previousChar, previous, c, g)))
            return false;
        run.Glyphs.append(g.Glyph);
        run.Positions.append(QPointF(x, 0.0));
        x += g.Advance;
        previous = g;
        previousChar = c;
    }
    run.Font = f.Font;
    oRuns.clear();
    oRuns.push_back(std::move(run));
    oAdvance = x;
    return true;
}
}  // namespace

ISkShapedText TSkShapedText::Shape(const std::shared_ptr<const TSkTypeface>& typeface, const QString& text,
                                   bool rightToLeft)
{
    static const ISkShapedText empty = std::make_shared<const TSkShapedText>();
    if (!typeface || text.isEmpty())
        return empty;
    TShapeCache& cache = Cache();
    const TShapeKey key{typeface.get(), text, rightToLeft};
    // The reference road shapes every line anew.
    const bool reference = TKVRPaintRoad::Reference();
    const auto it = reference ? cache.Entries.constEnd() : cache.Entries.constFind(key);
    if (it != cache.Entries.constEnd())
        return it->Shaped;

    auto shaped = std::make_shared<TSkShapedText>();
    if (rightToLeft || !ShapePlain(cache, typeface, text, shaped->fAdvance, shaped->fRuns))
        ShapeNow(*typeface, text, rightToLeft, shaped->fAdvance, shaped->fRuns);
    // The underline of the typeface itself (its post table), whatever font a run falls back to.
    const TSkTypeface::TDesign& d = typeface->GetDesign();
    const double unit = double(kReferencePixels) / d.UnitsPerEm;
    shaped->fUnderlinePosition = -d.UnderlinePosition * unit;
    shaped->fUnderlineThickness = d.UnderlineThickness * unit;
    if (!std::isfinite(shaped->fAdvance) || shaped->fAdvance < 0.0)
        shaped->fAdvance = 0.0;
    if (reference)
        return shaped;
    if (cache.Entries.size() >= kMaxCachedLines)
        cache.Entries.clear();
    cache.Entries.insert(key, {typeface, shaped});
    return shaped;
}

QPainterPath TSkShapedText::Outline() const
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const TRun& run : fRuns) {
        // A font without tables is the box Qt draws for a character no font
        // has. It has no outlines, and Qt would trace each box from a bitmap
        // of the reference size, which takes long per glyph: the box is drawn
        // as a frame of its bounds instead.
        const bool boxes = run.Font.fontTable("head").isEmpty();
        for (qsizetype i = 0; i < run.Glyphs.size(); ++i) {
            if (!boxes) {
                path.addPath(run.Font.pathForGlyph(run.Glyphs[i]).translated(run.Positions[i]));
                continue;
            }
            const QRectF box = run.Font.boundingRect(run.Glyphs[i]).translated(run.Positions[i]);
            const double line = std::min(box.width(), box.height()) / 12.0;
            if (!(line > 0.0))
                continue;
            // Four bars: a hole would fill under the winding rule.
            path.addRect(QRectF(box.left(), box.top(), box.width(), line));
            path.addRect(QRectF(box.left(), box.bottom() - line, box.width(), line));
            path.addRect(QRectF(box.left(), box.top() + line, line, box.height() - 2 * line));
            path.addRect(QRectF(box.right() - line, box.top() + line, line, box.height() - 2 * line));
        }
    }
    return path;
}

void TSkShapedText::Paint(QPainter& painter, const QTransform& toLocal, const QColor& color, bool underline) const
{
    if (fRuns.empty() || !IsFinite(toLocal) || !toLocal.isInvertible())
        return;
    const double localEm = kReferencePixels * Stretch(toLocal).Max;
    const TStretch device = Stretch(toLocal * painter.combinedTransform());
    const double deviceEm = kReferencePixels * device.Max;
    if (!(localEm > 0.0) || !std::isfinite(deviceEm))
        return;
    // Qt's glyph cache fails on glyphs too large, and on glyphs squeezed to
    // less than a pixel along one axis while long along the other. Documents
    // (PDF, a printer) keep no such cache, and their text stays text.
    const bool outlines = CachesGlyphs(painter) &&
                          (deviceEm > kMaxCachedEmPixels || kReferencePixels * device.Min < 1.0);

    // A document takes the glyphs where they stand, at their exact size,
    // without a transform of their own: each transform would be written as
    // a closed and reopened graphics state around the text.
    if (!CachesGlyphs(painter) && !underline && !TKVRPaintRoad::Reference() &&
        toLocal.type() <= QTransform::TxScale && toLocal.m11() > 0.0 && toLocal.m11() == toLocal.m22()) {
        const QPen pen(color);
        if (painter.pen() != pen)
            painter.setPen(pen);
        for (const TRun& run : fRuns) {
            const QRawFont raw = DocumentFont(run.Font, localEm);
            if (!raw.isValid())
                continue;
            QList<QPointF> positions = run.Positions;
            for (QPointF& p : positions)
                p = toLocal.map(p);
            QGlyphRun g;
            g.setRawFont(raw);
            g.setGlyphIndexes(run.Glyphs);
            g.setPositions(positions);
            painter.drawGlyphRun(QPointF(0, 0), g);
        }
        return;
    }

    painter.save();
    if (underline) {
        // Across the whole advance, spaces too; at least a device pixel thick.
        const double minimum = 1.0 / (device.Max > 0.0 ? device.Max : 1.0);
        QPainterPath bar;
        bar.addRect(QRectF(0.0, fUnderlinePosition, fAdvance, std::max(fUnderlineThickness, minimum)));
        painter.fillPath(toLocal.map(bar), color);
    }
    if (outlines) {
        // Too large for the glyph cache: the same glyphs as paths.
        painter.setRenderHint(QPainter::Antialiasing, painter.testRenderHint(QPainter::TextAntialiasing));
        painter.fillPath(toLocal.map(Outline()), color);
        painter.restore();
        return;
    }

    // Glyphs come from an engine near the size they show at, scaled the rest of
    // the way: positions are the shaped advances, so what is drawn is exactly
    // what was measured.
    const int n = std::clamp(int(std::lround(localEm)), 1, int(kMaxCachedEmPixels));
    const double k = double(n) / kReferencePixels;
    painter.setWorldTransform(QTransform::fromScale(1.0 / k, 1.0 / k) * toLocal, true);
    painter.setPen(QPen(color));
    painter.setBrush(Qt::NoBrush);
    for (const TRun& run : fRuns) {
        const QRawFont raw = SizedFont(run.Font, n);
        if (!raw.isValid())
            continue;
        QList<QPointF> positions = run.Positions;
        for (QPointF& p : positions)
            p *= k;
        QGlyphRun g;
        g.setRawFont(raw);
        g.setGlyphIndexes(run.Glyphs);
        g.setPositions(positions);
        painter.drawGlyphRun(QPointF(0, 0), g);
    }
    painter.restore();
}
