#include "render/KVR.FMX.Text.h"

#include "render/TKVRDraw.h"
#include "render/TKVRLineScanner.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QRegularExpression>
#include <algorithm>

TSkFontStyle GetFontStyle(bool bold, bool italic)
{
    if (bold && italic)
        return TSkFontStyle::BoldItalic();
    if (bold)
        return TSkFontStyle::Bold();
    if (italic)
        return TSkFontStyle::Italic();
    return TSkFontStyle::Normal();
}

namespace {
// The box the canvas gives the text in a large rectangle at the origin.
TRectF MeasureBox(const TCanvas& canvas, const QString& text)
{
    TRectF r(0, 0, 50000, 20000);
    canvas.MeasureText(r, text, false, 0, TTextAlign::Leading, TTextAlign::Leading);
    return r;
}
}  // namespace

TPointF GetTextSize(const TCanvas& canvas, const QString& text)
{
    const TRectF r = MeasureBox(canvas, text);
    return {r.Width(), r.Height()};
}

TPointF GetInternalTextOffset(const TCanvas& canvas, const QString& text)
{
    const TRectF r = MeasureBox(canvas, text);
    return {-r.Left, -r.Top};
}

float PrintTxtPointsWith(const QString& txt, TxtFLines& fTxt, float maxHeight, float maxWidth, float lineHeight,
                         TKVRHorzAlign hAlign, TKVRVertAlign vAlign, bool noVAlign, const TKVRPrintMeasure& width,
                         const TKVRPrintOffset& offset, float textHeight, bool* oComplete)
{
    fTxt.clear();
    float result = 0.0f;
    if (oComplete)
        *oComplete = txt.isEmpty();
    if (txt.isEmpty())
        return result;

    // The box in device pixels, without padding; y is the top of the line being filled.
    struct TBox
    {
        float maxHeight, lineHeight, y;
        bool Full() const { return maxHeight - lineHeight < y; }
        bool CanEmit() const { return !Full(); }
        bool LastFits() const { return !Full(); }
        bool Advance()
        {
            y += lineHeight;
            return y <= maxHeight - lineHeight;
        }
    } box{maxHeight, lineHeight, 0.0f};

    auto emitLine = [&](const TKVRLineRange& r, const QString& text) {
        const TPointF off = offset(text);
        const float lw = width(text);
        float x = off.X;
        if (hAlign == TKVRHorzAlign::Center)
            x = off.X + (maxWidth - lw) / 2.0f;
        else if (hAlign == TKVRHorzAlign::Right)
            x = off.X + maxWidth - lw;
        fTxt.push_back({r.Start, r.Length, x, box.y + off.Y});
        result = box.y + lineHeight;
    };

    // A piece wider than the line stops the layout with what was placed.
    const bool complete = KVRBreakLines(txt, maxWidth, box, width, emitLine) == TKVRBreakEnd::Done;
    if (oComplete)
        *oComplete = complete;
    if (!complete || noVAlign || fTxt.empty())
        return result;
    AlignPrintLines(fTxt, maxHeight, lineHeight, textHeight, vAlign);
    return result;
}

void AlignPrintLines(TxtFLines& fTxt, float room, float lineHeight, float textHeight, TKVRVertAlign vAlign)
{
    if (textHeight <= 0.0f)
        textHeight = lineHeight;
    const float block = KVRBlockHeight(fTxt.size(), lineHeight, textHeight);
    const float down = KVRBlockOffset(vAlign, room, block);
    if (down > 0.0f)
        for (TKVRFTxtInf& line : fTxt)
            line.Y += down;
}

float PrintTxtPoints(const QString& txt, const TKVRDraw* drw, TxtFLines& fTxt, float maxHeight, float maxWidth,
                     float lineHeight, TKVRHorzAlign hAlign, TKVRVertAlign vAlign, bool /*flag*/, bool noVAlign)
{
    if (!drw || !drw->pC) {
        fTxt.clear();
        return 0.0f;
    }
    const TCanvas& canvas = *drw->pC;
    return PrintTxtPointsWith(
        txt, fTxt, maxHeight, maxWidth, lineHeight, hAlign, vAlign, noVAlign,
        [&](const QString& s) { return GetTextSize(canvas, s).X; },
        [&](const QString& s) { return GetInternalTextOffset(canvas, s); }, GetTextSize(canvas, QStringLiteral(" ")).Y);
}

void CollectFonts(QStringList& list)
{
    QStringList names;
    // The font database needs the application's font system.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // A family several foundries ship is listed once per foundry, as
        // "Name [Foundry]": a document names the family alone.
        static const QRegularExpression foundry(QStringLiteral("\\s+\\[[^\\]]*\\]$"));
        for (QString family : QFontDatabase::families()) {
            if (!QFontDatabase::isScalable(family))
                continue;  // outline fonts only
            family.remove(foundry);
            if (family.isEmpty() || family.startsWith(u'@'))
                continue;
            if (family.compare(QLatin1String("Modern"), Qt::CaseInsensitive) == 0 ||
                family.compare(QLatin1String("Roman"), Qt::CaseInsensitive) == 0 ||
                family.compare(QLatin1String("Script"), Qt::CaseInsensitive) == 0)
                continue;
            names.append(family);
        }
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = QString::localeAwareCompare(a.toCaseFolded(), b.toCaseFolded());
        return c != 0 ? c < 0 : a < b;
    });
    auto same = [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; };
    names.erase(std::unique(names.begin(), names.end(), same), names.end());
    list = names;
}
