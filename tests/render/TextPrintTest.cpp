// Text on the printer canvas: the print line breaker over a fake measure and
// over a real canvas painting into a QImage, the measuring helpers, the font
// style of the flags and the list of installed families.
#include "../fmx/FmxTestImage.h"
#include "render/KVR.FMX.Text.h"
#include "render/TKVRDraw.h"
#include <gtest/gtest.h>
#include <ostream>

static void PrintTo(const TKVRFTxtInf& l, std::ostream* os)
{
    *os << "{" << l.Start << "," << l.Length << "," << l.X << "," << l.Y << "}";
}

namespace {
const TKVRHorzAlign L = TKVRHorzAlign::Left;
const TKVRHorzAlign C = TKVRHorzAlign::Center;
const TKVRHorzAlign R = TKVRHorzAlign::Right;
const TKVRVertAlign VT = TKVRVertAlign::Top;
const TKVRVertAlign VC = TKVRVertAlign::Center;
const TKVRVertAlign VB = TKVRVertAlign::Bottom;

// 10 pixels per character; the canvas would shift text by (1, -2).
float Fake(const QString& s) { return 10.0f * float(s.size()); }
TPointF FakeOffset(const QString&) { return {1.0f, -2.0f}; }

float Lay(const QString& txt, TxtFLines& lines, float maxH, float maxW, TKVRHorzAlign ha = L,
          TKVRVertAlign va = VT, bool noVAlign = false)
{
    return PrintTxtPointsWith(txt, lines, maxH, maxW, 20.0f, ha, va, noVAlign, Fake, FakeOffset);
}
}  // namespace

TEST(TextPrint, BreaksLikeTheScreen)
{
    TxtFLines lines;
    EXPECT_EQ(Lay("A\r\nB", lines, 100, 100), 40.0f);
    EXPECT_EQ(lines, (TxtFLines{{1, 3, 1, -2}, {4, 1, 1, 18}}));
    EXPECT_EQ(Lay("A\n\rB", lines, 100, 100), 40.0f);
    EXPECT_EQ(lines.size(), 2u);
    EXPECT_EQ(Lay("A\r\rB", lines, 100, 100), 60.0f);
    EXPECT_EQ(lines, (TxtFLines{{1, 2, 1, -2}, {3, 1, 1, 18}, {4, 1, 1, 38}}));
    // Indent kept at the start; the blanks before the wrapped word stay behind.
    EXPECT_EQ(Lay("  AB  CD", lines, 100, 50, C), 40.0f);
    EXPECT_EQ(lines, (TxtFLines{{1, 6, 6, -2}, {7, 2, 16, 18}}));
    EXPECT_EQ(Lay("AB", lines, 100, 50, R), 20.0f);
    EXPECT_EQ(lines, (TxtFLines{{1, 2, 31, -2}}));
    EXPECT_EQ(Lay("", lines, 100, 50), 0.0f);
    EXPECT_TRUE(lines.empty());
}

TEST(TextPrint, WideWordStopsAndKeepsWhatWasPlaced)
{
    TxtFLines lines;
    EXPECT_EQ(Lay("AB\nCDEFGHIJ", lines, 100, 50, L, VB), 20.0f);
    EXPECT_EQ(lines, (TxtFLines{{1, 3, 1, -2}}));  // no vertical alignment either
}

TEST(TextPrint, VerticalAlignment)
{
    TxtFLines lines;
    // Centre: free 100 - 40 = 60; the offset of an empty text is added.
    EXPECT_EQ(Lay("AB CD", lines, 100, 40, L, VC), 40.0f);
    EXPECT_EQ(lines, (TxtFLines{{1, 3, 1, 28}, {4, 2, 1, 48}}));
    // Bottom: the last line ends at the box's bottom.
    EXPECT_EQ(Lay("AB CD", lines, 100, 40, L, VB), 40.0f);
    EXPECT_EQ(lines, (TxtFLines{{1, 3, 1, 58}, {4, 2, 1, 78}}));
    // noVAlign keeps the top layout.
    Lay("AB CD", lines, 100, 40, L, VB, true);
    EXPECT_EQ(lines, (TxtFLines{{1, 3, 1, -2}, {4, 2, 1, 18}}));
    // Overflow: cut after the lines that fit, no alignment.
    EXPECT_EQ(Lay("AB CD EF", lines, 45, 40, L, VB), 40.0f);
    EXPECT_EQ(lines, (TxtFLines{{1, 3, 1, -2}, {4, 3, 1, 18}}));
}

TEST(TextPrint, MeasuringHelpersFollowTheCanvasFont)
{
    CanvasImage c(200, 100);
    c.canvas->Font().SetFamily("DejaVu Sans");
    c.canvas->Font().SetSize(20);
    const TPointF one = GetTextSize(*c.canvas, "Hello");
    const TPointF two = GetTextSize(*c.canvas, "Hello\nHello");
    EXPECT_GT(one.X, 20.0f);
    EXPECT_NEAR(two.X, one.X, 0.01);
    EXPECT_NEAR(two.Y, 2 * one.Y, 0.01);
    c.canvas->Font().SetSize(40);
    EXPECT_NEAR(GetTextSize(*c.canvas, "Hello").X, 2 * one.X, 0.05);
    // Leading alignment in a rectangle at the origin: nothing to shift.
    const TPointF off = GetInternalTextOffset(*c.canvas, "Hello");
    EXPECT_EQ(off.X, 0.0f);
    EXPECT_EQ(off.Y, 0.0f);
}

TEST(TextPrint, FontStyleOfTheFlags)
{
    EXPECT_EQ(GetFontStyle(false, false), TSkFontStyle::Normal());
    EXPECT_EQ(GetFontStyle(true, false), TSkFontStyle::Bold());
    EXPECT_EQ(GetFontStyle(false, true), TSkFontStyle::Italic());
    EXPECT_EQ(GetFontStyle(true, true), TSkFontStyle::BoldItalic());
}

namespace {
// Bounds of the dark pixels of the image.
QRect InkBox(const QImage& img)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (Ink(img, x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Lays the text out on a canvas over an image and paints every line where the
// breaker placed it; returns the ink box of each line.
std::vector<QRect> PaintLines(const QString& txt, TKVRHorzAlign ha, TKVRVertAlign va, TxtFLines& lines)
{
    const int W = 300, Hgt = 200;
    CanvasImage c(W, Hgt);
    c.canvas->Font().SetFamily("DejaVu Sans");
    c.canvas->Font().SetSize(24);
    c.canvas->Fill().SetColor(TAlphaColors::Black);
    TKVRDraw drw;
    drw.pC = c.canvas.get();
    const float lh = GetTextSize(*c.canvas, "Hg").Y;
    PrintTxtPoints(txt, &drw, lines, float(Hgt), float(W), lh, ha, va, false, false);
    std::vector<QRect> boxes;
    for (const TKVRFTxtInf& l : lines) {
        const QString part = txt.mid(l.Start - 1, l.Length).trimmed();
        CanvasImage one(W, Hgt);
        one.canvas->Font() = c.canvas->Font();
        one.canvas->Fill().SetColor(TAlphaColors::Black);
        one.canvas->FillText(TRectF(l.X, l.Y, l.X + 50000, l.Y + 50000), part, false, 255.0f, 0,
                             TTextAlign::Leading, TTextAlign::Leading);
        boxes.push_back(InkBox(one.Done()));
        c.canvas->FillText(TRectF(l.X, l.Y, l.X + 50000, l.Y + 50000), part, false, 255.0f, 0, TTextAlign::Leading,
                           TTextAlign::Leading);
    }
    return boxes;
}
}  // namespace

TEST(TextPrint, LinesOnARealCanvas)
{
    TxtFLines lines;
    // Left, top: three lines (one break, one wrap), stacked from the top.
    auto boxes = PaintLines("Paragraph text that wraps\nSecond", TKVRHorzAlign::Left, VT, lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].Start, 27);
    EXPECT_LE(boxes[0].left(), 3);
    EXPECT_LE(boxes[0].top(), 10);
    EXPECT_GT(boxes[1].top(), boxes[0].bottom() - 8);
    EXPECT_GT(boxes[2].top(), boxes[1].top() + 15);
    for (const QRect& b : boxes)
        EXPECT_LE(b.right(), 300);

    // Centre both ways: every line centred on x 150; the block around y 100.
    boxes = PaintLines("Paragraph text that wraps\nSecond", C, VC, lines);
    ASSERT_EQ(boxes.size(), 3u);
    for (const QRect& b : boxes)
        EXPECT_NEAR((b.left() + b.right()) / 2.0, 150.0, 3.0);
    EXPECT_NEAR((boxes.front().top() + boxes.back().bottom()) / 2.0, 100.0, 8.0);

    // Right, bottom: lines end at the right edge; the last one near the bottom.
    boxes = PaintLines("Paragraph text that wraps\nSecond", R, VB, lines);
    ASSERT_EQ(boxes.size(), 3u);
    for (const QRect& b : boxes)
        EXPECT_NEAR(b.right(), 299, 4);
    EXPECT_GT(boxes.back().bottom(), 185);
    EXPECT_LE(boxes.back().bottom(), 199);
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
        for (const char* legacy : {"Modern", "Roman", "Script"})
            EXPECT_NE(list[i].compare(legacy, Qt::CaseInsensitive), 0);
        if (i > 0) {
            EXPECT_LT(QString::localeAwareCompare(list[i - 1].toCaseFolded(), list[i].toCaseFolded()), 0)
                << list[i - 1].toStdString() << " / " << list[i].toStdString();
        }
    }
}
