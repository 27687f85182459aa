// Text on the printer canvas: the print line breaker over a fake measure and
// over a real canvas painting into a QImage, the measuring helpers, the font
// style of the flags and the list of installed families.
#include "tests/render/RenderTestSupport.h"
#include <gtest/gtest.h>

using namespace AlignOf;

namespace {
// 10 pixels per character; the canvas would shift text by (1, -2).
float Fake(const QString& s) { return 10.0f * float(s.size()); }
TPointF FakeOffset(const QString&) { return {1.0f, -2.0f}; }

float Lay(const QString& txt, TxtFLines& lines, float maxH, float maxW, TKVRHorzAlign ha = L,
          TKVRVertAlign va = VT, bool noVAlign = false)
{
    return PrintTxtPointsWith(txt, lines, maxH, maxW, 20.0f, ha, va, noVAlign, Fake, FakeOffset);
}
}  // namespace

// The print breaker over a fake measure: breaks as the screen does, aligns
// the block in the box, and stops where the text no longer fits.
TEST(TextPrint, BreaksAndAlignsLikeTheScreen)
{
    struct TCase
    {
        const char* Name;
        QString Text;
        float MaxH, MaxW;
        TKVRHorzAlign Ha;
        TKVRVertAlign Va;
        bool NoVAlign;
        float Result;
        TxtFLines Lines;
    };
    const TCase cases[] = {
        {"CR LF is one break", "A\r\nB", 100, 100, L, VT, false, 40, {{1, 3, 1, -2}, {4, 1, 1, 18}}},
        {"LF CR is one break", "A\n\rB", 100, 100, L, VT, false, 40, {{1, 3, 1, -2}, {4, 1, 1, 18}}},
        {"CR CR an empty line", "A\r\rB", 100, 100, L, VT, false, 60, {{1, 2, 1, -2}, {3, 1, 1, 18}, {4, 1, 1, 38}}},
        // Indent kept at the start; the blanks before the wrapped word stay behind.
        {"indent and wrap", "  AB  CD", 100, 50, C, VT, false, 40, {{1, 6, 6, -2}, {7, 2, 16, 18}}},
        {"right", "AB", 100, 50, R, VT, false, 20, {{1, 2, 31, -2}}},
        {"empty", "", 100, 50, L, VT, false, 0, {}},
        // A word wider than the line stops the layout with what was placed, unaligned.
        {"too wide a word", "AB\nCDEFGHIJ", 100, 50, L, VB, false, 20, {{1, 3, 1, -2}}},
        // Centre: free 100 - 40 = 60; the offset of an empty text is added.
        {"centre", "AB CD", 100, 40, L, VC, false, 40, {{1, 3, 1, 28}, {4, 2, 1, 48}}},
        {"bottom", "AB CD", 100, 40, L, VB, false, 40, {{1, 3, 1, 58}, {4, 2, 1, 78}}},
        {"noVAlign keeps the top", "AB CD", 100, 40, L, VB, true, 40, {{1, 3, 1, -2}, {4, 2, 1, 18}}},
        // Overflow: cut after the lines that fit, no alignment.
        {"overflow", "AB CD EF", 45, 40, L, VB, false, 40, {{1, 3, 1, -2}, {4, 3, 1, 18}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TxtFLines lines;
        EXPECT_EQ(Lay(c.Text, lines, c.MaxH, c.MaxW, c.Ha, c.Va, c.NoVAlign), c.Result);
        EXPECT_EQ(lines, c.Lines);
    }

    // With the text 10 high in 20-pixel steps the block is 10 + 20, as on
    // screen: centred 35 down, at the bottom 70 down.
    TxtFLines lines;
    bool complete = false;
    PrintTxtPointsWith("AB CD", lines, 100, 40, 20.0f, L, VC, false, Fake, FakeOffset, 10.0f, &complete);
    EXPECT_TRUE(complete);
    EXPECT_EQ(lines, (TxtFLines{{1, 3, 1, 33}, {4, 2, 1, 53}}));
    PrintTxtPointsWith("AB CD", lines, 100, 40, 20.0f, L, VB, false, Fake, FakeOffset, 10.0f);
    EXPECT_EQ(lines, (TxtFLines{{1, 3, 1, 68}, {4, 2, 1, 88}}));
    // Laid out from the top, then placed in a larger room.
    PrintTxtPointsWith("AB CD", lines, 100, 40, 20.0f, L, VC, true, Fake, FakeOffset, 10.0f);
    AlignPrintLines(lines, 130, 20.0f, 10.0f, VC);
    EXPECT_EQ(lines, (TxtFLines{{1, 3, 1, 48}, {4, 2, 1, 68}}));
    PrintTxtPointsWith("AB CD EF", lines, 45, 40, 20.0f, L, VC, false, Fake, FakeOffset, 10.0f, &complete);
    EXPECT_FALSE(complete);
}

namespace {
QRect InkBox(const QImage& img)
{
    return ImageProbes::Bounds(img, ImageProbes::Dark);
}

// Lays the text out on a 300 x 200 canvas and paints every line alone where
// the breaker placed it; the ink box of each line.
std::vector<QRect> PaintLines(const QString& txt, TKVRHorzAlign ha, TKVRVertAlign va, TxtFLines& lines)
{
    PaperContext p(300, 200);
    p.Canvas().Font().SetFamily("DejaVu Sans");
    p.Canvas().Font().SetSize(24);
    PrintTxtPoints(txt, &p.d, lines, 200, 300, GetTextSize(p.Canvas(), "Hg").Y, ha, va, false, false);
    std::vector<QRect> boxes;
    for (const TKVRFTxtInf& l : lines) {
        CanvasImage one(300, 200);
        one.canvas->Font() = p.Canvas().Font();
        one.canvas->FillText(TRectF(l.X, l.Y, l.X + 50000, l.Y + 50000), txt.mid(l.Start - 1, l.Length).trimmed(),
                             false, 255.0f, 0, TTextAlign::Leading, TTextAlign::Leading);
        boxes.push_back(InkBox(one.Done()));
    }
    return boxes;
}
}  // namespace

TEST(TextPrint, LinesOnARealCanvas)
{
    const QString txt = "Paragraph text that wraps\nSecond";
    TxtFLines lines;
    // Left, top: three lines (one wrap, one break), stacked from the top.
    auto boxes = PaintLines(txt, L, VT, lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].Start, 27);
    EXPECT_LE(boxes[0].left(), 3);
    EXPECT_LE(boxes[0].top(), 10);
    EXPECT_GT(boxes[1].top(), boxes[0].bottom() - 8);
    EXPECT_GT(boxes[2].top(), boxes[1].top() + 15);

    // Centre both ways: every line centred on x 150; the block around y 100.
    boxes = PaintLines(txt, C, VC, lines);
    ASSERT_EQ(boxes.size(), 3u);
    for (const QRect& b : boxes)
        EXPECT_NEAR((b.left() + b.right()) / 2.0, 150.0, 3.0);
    EXPECT_NEAR((boxes.front().top() + boxes.back().bottom()) / 2.0, 100.0, 8.0);

    // Right, bottom: lines end at the right edge; the last one near the bottom.
    boxes = PaintLines(txt, R, VB, lines);
    ASSERT_EQ(boxes.size(), 3u);
    for (const QRect& b : boxes)
        EXPECT_NEAR(b.right(), 299, 4);
    EXPECT_GT(boxes.back().bottom(), 185);
    EXPECT_LE(boxes.back().bottom(), 199);
}

TEST(TextPrint, ScreenAndPaperMeasureAndPaintTheSameText)
{
    // Kerning pairs and ligature candidates: both surfaces place the same
    // shaped glyphs, so a text is as wide on paper as on the screen.
    const QString text = "AVATAR To Ty office WAVE";
    for (const char* family : {"Arial", "DejaVu Serif"}) {
        SCOPED_TRACE(family);
        const ISkFont font = std::make_shared<TSkFont>(TSkTypeface::MakeFromName(family, TSkFontStyle::Normal()), 40.0f);
        TSkFontMetrics m;
        font->GetMetrics(m);
        CanvasImage paper(800, 80);
        paper.canvas->Font().SetFamily(family);
        paper.canvas->Font().SetSize(40.0f);
        const TPointF size = GetTextSize(*paper.canvas, text);
        EXPECT_NEAR(size.X, font->MeasureText(text), 0.01);
        EXPECT_NEAR(size.Y, -m.Ascent + m.Descent, 0.01);
        EXPECT_EQ(GetInternalTextOffset(*paper.canvas, text), TPointF(0, 0));  // the box starts at the corner
        EXPECT_NEAR(GetTextSize(*paper.canvas, text + "\n" + text).Y, 2 * size.Y, 0.01);

        ScreenContext screen(800, 80);
        screen.d.kC->Clear(TAlphaColors::White);
        screen.d.kC->DrawSimpleText(text, 10, 10 - m.Ascent, font, SkTest::Paint(TAlphaColors::Black, TSkPaintStyle::Fill, 0, true));
        paper.canvas->FillText(TRectF(10, 10, 50000, 50000), text, false, 255.0f, 0, TTextAlign::Leading,
                               TTextAlign::Leading);
        const QRect onScreen = InkBox(screen.Pixels()), onPaper = InkBox(paper.Done());
        EXPECT_NEAR(onPaper.left(), onScreen.left(), 1);
        EXPECT_NEAR(onPaper.right(), onScreen.right(), 1);
        EXPECT_NEAR(onPaper.top(), onScreen.top(), 1);
        EXPECT_NEAR(onPaper.bottom(), onScreen.bottom(), 1);
    }
}

TEST(TextPrint, NoPrinterCanvasLaysOutNothing)
{
    TKVRDraw drw;
    TxtFLines lines{{1, 1, 1, 1}};
    EXPECT_EQ(PrintTxtPoints("text", &drw, lines, 100, 100, 10, L, VT, false, false), 0.0f);
    EXPECT_TRUE(lines.empty());
}

TEST(TextFontList, SortedUniqueOutlineFamilies)
{
    QStringList list{"stale entry"};
    CollectFonts(list);
    EXPECT_FALSE(list.contains("stale entry"));
    EXPECT_TRUE(list.contains("Liberation Sans"));
    EXPECT_TRUE(list.contains("DejaVu Sans"));
    for (qsizetype i = 0; i < list.size(); ++i) {
        EXPECT_FALSE(list[i].isEmpty());
        EXPECT_FALSE(list[i].startsWith('@')) << list[i].toStdString();
        // A family, never "Name [Foundry]".
        EXPECT_FALSE(list[i].endsWith(']')) << list[i].toStdString();
        for (const char* legacy : {"Modern", "Roman", "Script"})
            EXPECT_NE(list[i].compare(legacy, Qt::CaseInsensitive), 0);
        if (i > 0) {
            EXPECT_LT(QString::localeAwareCompare(list[i - 1].toCaseFolded(), list[i].toCaseFolded()), 0)
                << list[i - 1].toStdString() << " / " << list[i].toStdString();
        }
    }
}
