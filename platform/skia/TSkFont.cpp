#include "platform/skia/TSkFont.h"
#include <QFont>
#include <QGuiApplication>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

namespace {
// Glyph lookup needs an engine of some size; one size keeps one engine per thread.
constexpr int kLookupPixelSize = 12;

int32_t S16(const QByteArray& t, int offset)
{
    return qFromBigEndian<qint16>(t.constData() + offset);
}

int32_t U16(const QByteArray& t, int offset)
{
    return qFromBigEndian<quint16>(t.constData() + offset);
}

// Reads the tables that Skia's FreeType backend reads for its metrics: the
// ascender of hhea (typo, then win, when hhea has none), replaced by the typo
// values when the font asks for them (OS/2 USE_TYPO_METRICS).
bool ReadDesign(const QRawFont& raw, TSkTypeface::TDesign& d)
{
    const QByteArray head = raw.fontTable("head");
    const QByteArray hhea = raw.fontTable("hhea");
    const QByteArray hmtx = raw.fontTable("hmtx");
    if (head.size() < 54 || hhea.size() < 36)
        return false;
    d.UnitsPerEm = U16(head, 18);
    const int numMetrics = U16(hhea, 34);
    if (d.UnitsPerEm <= 0 || numMetrics < 1 || hmtx.size() < numMetrics * 4)
        return false;
    d.YMin = S16(head, 38);
    d.YMax = S16(head, 42);
    d.Ascender = S16(hhea, 4);
    d.Descender = S16(hhea, 6);
    d.LineGap = S16(hhea, 8);

    const QByteArray os2 = raw.fontTable("OS/2");
    if (os2.size() >= 78) {
        const int typoAsc = S16(os2, 68), typoDesc = S16(os2, 70), typoGap = S16(os2, 72);
        const bool useTypo = (U16(os2, 62) & (1 << 7)) != 0;
        if (useTypo || (d.Ascender == 0 && d.Descender == 0)) {
            d.Ascender = typoAsc;
            d.Descender = typoDesc;
            d.LineGap = typoGap;
        }
        if (d.Ascender == 0 && d.Descender == 0) {
            d.Ascender = U16(os2, 74);
            d.Descender = -U16(os2, 76);
            d.LineGap = 0;
        }
        d.StrikeoutSize = S16(os2, 26);
        d.StrikeoutPosition = S16(os2, 28);
        if (U16(os2, 0) >= 2 && os2.size() >= 90) {
            d.XHeight = S16(os2, 86);
            d.CapHeight = S16(os2, 88);
        }
    }
    const QByteArray post = raw.fontTable("post");
    if (post.size() >= 12) {
        d.UnderlinePosition = S16(post, 8);
        d.UnderlineThickness = S16(post, 10);
    }
    return true;
}

float Finite(float v, float fallback)
{
    return std::isfinite(v) ? v : fallback;
}
}

ISkTypeface TSkTypeface::MakeFromName(const QString& familyName, const TSkFontStyle& style)
{
    // Fonts need the application's font database.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return nullptr;

    using TKey = std::tuple<QString, int32_t, int32_t, TSkFontSlant>;
    static std::mutex cacheLock;
    static std::map<TKey, ISkTypeface> cache;
    const TKey key{familyName, style.Weight, style.Width, style.Slant};
    {
        std::lock_guard<std::mutex> lock(cacheLock);
        const auto it = cache.find(key);
        if (it != cache.end())
            return it->second;
    }

    ISkTypeface tf(new TSkTypeface());
    tf->fRequestedFamily = familyName;
    tf->fStyle = style;
    const QRawFont raw = tf->MakeRawFont(kLookupPixelSize);
    if (!raw.isValid() || !ReadDesign(raw, tf->fDesign))
        return nullptr;
    tf->fResolvedFamily = raw.familyName();

    std::lock_guard<std::mutex> lock(cacheLock);
    return cache.emplace(key, tf).first->second;
}

ISkTypeface TSkTypeface::MakeDefault()
{
    return MakeFromName(QString(), TSkFontStyle::Normal());
}

QRawFont TSkTypeface::MakeRawFont(int pixelSize) const
{
    return QRawFont::fromFont(MakeQtFont(pixelSize));
}

QFont TSkTypeface::MakeQtFont(int pixelSize) const
{
    QFont font;
    if (!fRequestedFamily.isEmpty())
        font.setFamilies({fRequestedFamily});
    font.setWeight(QFont::Weight(std::clamp(fStyle.Weight, 1, 1000)));
    font.setStyle(fStyle.Slant == TSkFontSlant::Italic    ? QFont::StyleItalic
                  : fStyle.Slant == TSkFontSlant::Oblique ? QFont::StyleOblique
                                                          : QFont::StyleNormal);
    font.setPixelSize(std::max(1, pixelSize));
    // Unhinted outlines keep glyph shapes proportional to the size.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

TSkFont::TSkFont(ISkTypeface typeface, float size, float scaleX, float skewX)
{
    SetTypeface(std::move(typeface));
    SetSize(size);
    SetScaleX(scaleX);
    SetSkewX(skewX);
}

void TSkFont::SetTypeface(ISkTypeface typeface)
{
    fTypeface = typeface ? std::move(typeface) : TSkTypeface::MakeDefault();
}

void TSkFont::SetSize(float size)
{
    fSize = std::max(0.0f, Finite(size, 0.0f));
}

void TSkFont::SetScaleX(float scaleX)
{
    fScaleX = Finite(scaleX, 1.0f);
}

void TSkFont::SetSkewX(float skewX)
{
    fSkewX = Finite(skewX, 0.0f);
}

float TSkFont::GetMetrics(TSkFontMetrics& m) const
{
    m = TSkFontMetrics();
    if (!fTypeface)
        return 0.0f;
    const TSkTypeface::TDesign& d = fTypeface->GetDesign();
    const double s = double(fSize) / d.UnitsPerEm;
    m.Top = float(-d.YMax * s);
    m.Ascent = float(-d.Ascender * s);
    m.Descent = float(-d.Descender * s);
    m.Bottom = float(-d.YMin * s);
    m.Leading = float(d.LineGap * s);
    m.XHeight = float(d.XHeight * s);
    m.CapHeight = float(d.CapHeight * s);
    m.UnderlineThickness = float(d.UnderlineThickness * s);
    m.UnderlinePosition = float(-d.UnderlinePosition * s);
    m.StrikeoutThickness = float(d.StrikeoutSize * s);
    m.StrikeoutPosition = float(-d.StrikeoutPosition * s);
    return -m.Ascent + m.Descent + m.Leading;
}

float TSkFont::MeasureText(const QString& text, const ISkPaint& /*paint*/) const
{
    if (!fTypeface || text.isEmpty())
        return 0.0f;
    return float(Shape(text)->Advance(fSize) * fScaleX);
}

ISkShapedText TSkFont::Shape(const QString& text) const
{
    return TSkShapedText::Shape(fTypeface, text);
}
