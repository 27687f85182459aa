// A line of plain characters is laid out from the glyphs and advances the
// shaper gave each character and pair before; it must come out exactly as
// the shaper lays out the whole line (the reference road), or go to the
// shaper: ligatures, marks, joining and right-to-left scripts, fallback fonts.
#include "platform/skia/KVR.PaintRoad.h"
#include "platform/skia/TSkFont.h"
#include "platform/skia/TSkShapedText.h"
#include <gtest/gtest.h>

namespace {

struct TGlyphAt
{
    quint32 Glyph;
    QPointF At;
    QString Family;
    bool operator==(const TGlyphAt&) const = default;
};

std::vector<TGlyphAt> Flattened(const TSkShapedText& aShaped)
{
    std::vector<TGlyphAt> out;
    for (const TSkShapedText::TRun& run : aShaped.Runs())
        for (qsizetype i = 0; i < run.Glyphs.size(); ++i)
            out.push_back({run.Glyphs[i], run.Positions[i], run.Font.familyName()});
    return out;
}

ISkShapedText ShapedBy(bool aReference, const ISkTypeface& aTypeface, const QString& aText)
{
    TKVRPaintRoad::SetReference(aReference);
    ISkShapedText shaped = TSkShapedText::Shape(aTypeface, aText);
    TKVRPaintRoad::SetReference(false);
    return shaped;
}

}  // namespace

TEST(PlainLines, LaidOutAsTheShaperLaysOutTheWholeLine)
{
    const QString lines[] = {
        QStringLiteral("Article 12345"),
        QStringLiteral("C000123"),
        QStringLiteral("  spaced  out  "),
        QStringLiteral("office fluff affix"),           // ligatures where the font has them
        QStringLiteral("Waffle \uFB01n"),                // a ligature character of its own
        QStringLiteral("na\u00EFve caf\u00E9 Gr\u00F6\u00DFe"),
        QStringLiteral("cafe\u0301 A\u030A"),           // combining marks
        QStringLiteral("\u03A9mega \u0416\u0443\u043A"),  // Greek, Cyrillic
        QStringLiteral("\u65E5\u672C\u8A9E 123"),       // a fallback font
        QStringLiteral("\u0645\u0631\u062D\u0628\u0627 abc"),  // joining, right to left
        QStringLiteral("A\tB"),
        QStringLiteral("Line\nbreak"),
        QStringLiteral("AVAWAY Te To"),                  // pairs a kerning table would move
    };
    for (const QString& family : {QStringLiteral("Arial"), QStringLiteral("Verdana"), QStringLiteral("Courier New")}) {
        const ISkTypeface typeface = TSkTypeface::MakeFromName(family, TSkFontStyle::Normal());
        ASSERT_TRUE(typeface);
        for (int pass = 0; pass < 2; ++pass)  // the second from what the first taught
            for (const QString& line : lines) {
                SCOPED_TRACE((family + QStringLiteral(": ") + line).toStdString());
                const ISkShapedText expected = ShapedBy(true, typeface, line);
                const ISkShapedText plain = ShapedBy(false, typeface, line);
                EXPECT_EQ(plain->ReferenceAdvance(), expected->ReferenceAdvance());
                EXPECT_TRUE(Flattened(*plain) == Flattened(*expected));
            }
    }
}
