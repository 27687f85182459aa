// Rich text with symbols from a fallback font and right-to-left words: paper
// breaks, places and paints the runs as the screen does, inside the box.
#include "elements/TKVRRichText.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/support/ImageProbes.h"
#include <gtest/gtest.h>

using namespace kvrtest;

TEST(RichTextScripts, FallbackSymbolsAndRightToLeftWordsPrintAsShown)
{
    const QString markup = QStringLiteral(
        "Call <B>\u260e</B> now \u2713 <I>\u05e9\u05dc\u05d5\u05dd</I> \u0645\u0631\u062d\u0628\u0627 "
        "<FS:7000>\u2605\u2605\u2605</FS> rated \u2713 \u2605 \u260e again <B>\u2713\u2713 done</B>");
    for (int32_t width : {40000, 55000}) {
        TKVRBaseLabel label;
        auto* r = new TKVRRichText(&label);
        r->SetBase(1, 5000, 5000);
        r->SetBase(2, 5000 + width, 45000);
        r->SetFontName(QStringLiteral("Arial"));
        r->SetBaseFontHeight(4000);
        r->SetPenWidth(0.0f);
        r->SetBasePadX(2000);
        r->SetText(markup);
        r->CalcValues(1);
        ASSERT_GT(r->GetDrawSegments().size(), 8u);

        const TTwin twin = Twins(*r, 800, 600);
        ImageProbes::SaveForLooking(twin.screen, QStringLiteral("rich-scripts-%1-screen.png").arg(width));
        ImageProbes::SaveForLooking(twin.paper, QStringLiteral("rich-scripts-%1-paper.png").arg(width));
        const QRect a = InkBounds(twin.screen), b = InkBounds(twin.paper);
        ASSERT_FALSE(a.isEmpty());
        EXPECT_TRUE(SameBox(a, b, 2)) << width;
        // Nothing runs past the box less its margins.
        EXPECT_GE(b.left(), int(PxUm(5000 + 2000)) - 2);
        EXPECT_LE(b.right(), int(PxUm(5000 + width - 2000)) + 2);
        // The same ink line by line: no word overlaps another on paper.
        auto ink = [](QRgb p) { return qGray(p) < 200 && qAlpha(p) > 0; };
        int lines = 0;
        for (int y = a.top(); y <= a.bottom();) {
            int end = y;
            while (end <= a.bottom() && PixelCount(twin.screen, QRect(0, end, twin.screen.width(), 1), ink) > 0)
                ++end;
            if (end > y) {
                const QRect band(0, y - 2, twin.screen.width(), end - y + 4);
                const int s = PixelCount(twin.screen, band, ink), p = PixelCount(twin.paper, band, ink);
                EXPECT_NEAR(p, s, 0.04 * s) << "rows " << y << " to " << end;
                ++lines;
            }
            y = end + 1;
        }
        EXPECT_GE(lines, 3);
    }
}
