// Paragraphs and rich text with symbols from a fallback font and right-to-left
// words: paper breaks, places and paints them as the screen does, inside the
// box, and poppler reads the words in their order.
#include "elements/TKVRParagraph.h"
#include "elements/TKVRRichText.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/support/PdfReader.h"
#include "tests/support/ImageProbes.h"
#include <QRegularExpression>
#include <QTemporaryDir>
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

TEST(ParagraphScripts, BreaksAlikeAndPrintsWordsInReadingOrder)
{
    const QString hebrew = QStringLiteral("\u05e9\u05dc\u05d5\u05dd");
    const QString arabic = QStringLiteral("\u0645\u0631\u062d\u0628\u0627");
    const QString text = QStringLiteral("Order \u2713 ") + hebrew + QStringLiteral(" and ") + arabic +
                         QStringLiteral(" \u2605\u2605 then \u260e call ") + hebrew + QStringLiteral(" end");
    TKVRBaseLabel label;
    auto* p = new TKVRParagraph(&label);
    p->SetBase(1, 5000, 5000);
    p->SetBase(2, 45000, 45000);
    p->SetText(text);
    p->SetFontName(QStringLiteral("Arial"));
    p->SetBaseFontHeight(5000);
    p->SetPenWidth(0.0f);
    p->SetBasePadX(2000);
    p->SetBasePadY(2000);
    p->CalcValues(1);

    const TTwin twin = Twins(*p, 600, 600);
    ImageProbes::SaveForLooking(twin.screen, "para-scripts-screen.png");
    ImageProbes::SaveForLooking(twin.paper, "para-scripts-paper.png");
    const QRect a = InkBounds(twin.screen), b = InkBounds(twin.paper);
    ASSERT_FALSE(a.isEmpty());
    EXPECT_GT(a.height(), Px(3 * 5.0));  // wrapped onto several lines
    EXPECT_TRUE(SameBox(a, b, 2));

    // Poppler reads the right-to-left words in their logical order (Arabic as
    // presentation forms, which compatibility normalisation folds back).
    QTemporaryDir dir;
    const QString pdf = dir.filePath("para.pdf");
    PrintItemsToPdf({p}, pdf, 50, 50);
    // pdftotext wraps right-to-left stretches in embedding marks: they are not text.
    const QString read = RunTool("pdftotext", {pdf, "-"})
                             .normalized(QString::NormalizationForm_KC)
                             .remove(QRegularExpression(QStringLiteral("[\\x{200e}\\x{200f}\\x{202a}-\\x{202e}]")));
    const QStringList words = read.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    EXPECT_EQ(words.count(hebrew), 2) << read.toStdString();
    EXPECT_EQ(words.count(arabic), 1) << read.toStdString();
    EXPECT_TRUE(words.contains("Order") && words.contains("end")) << read.toStdString();
}
