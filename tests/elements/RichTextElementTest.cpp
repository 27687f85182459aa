#include "elements/TKVRRichText.h"
#include "render/TKVRCalc.h"
#include "tests/elements/ContentTestSupport.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace kvrtest;

namespace {

// A rich text in the box (x1, y1)-(x2, y2) µm, 4 mm Arial, no frame.
TKVRRichText* MakeRich(TKVRBaseLabel& label, const QString& markup, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    auto* r = new TKVRRichText(&label);
    r->SetBase(1, x1, y1);
    r->SetBase(2, x2, y2);
    r->SetFontName(QStringLiteral("Arial"));
    r->SetBaseFontHeight(4000);
    r->SetPenWidth(0.0f);
    r->SetText(markup);
    return r;
}

// The lines of a layout as texts: the segments of one Y joined.
QStringList LinesOf(const TRichTextDrawSegments& segs)
{
    QStringList out;
    for (size_t i = 0; i < segs.size(); ++i) {
        if (i == 0 || segs[i].Y != segs[i - 1].Y)
            out << QString();
        out.back() += segs[i].Text;
    }
    for (QString& l : out)
        l = l.trimmed();
    return out;
}

// Ink bounds of a part of an image, in the image's coordinates.
QRect InkIn(const QImage& image, const QRect& part)
{
    const QRect r = InkBounds(image.copy(part));
    return r.isEmpty() ? r : r.translated(part.topLeft());
}

// Words of a page grouped into lines by their bottoms (runs of several sizes
// share a baseline, so their bottoms differ by little).
QStringList PdfLines(const std::vector<TPdfWord>& words)
{
    QStringList out;
    double bottom = -100.0;
    for (const TPdfWord& w : words) {
        if (std::abs(w.YMax - bottom) > 4.0)
            out << w.Text;
        else
            out.back() += u' ' + w.Text;
        bottom = w.YMax;
    }
    return out;
}

const QString kMixed = QStringLiteral(
    "Alpha <B>Beta</B> <I>Gamma</I> <FS:6000>Delta</FS> epsilon <U>zeta</U> <FN:Times New Roman>eta</FN> "
    "<B><I>theta</I></B> iota <FC:C00000>kappa</FC> lambda");

}  // namespace

// ---------------------------------------------------------------- where lines break

TEST(RichTextLayout, WrapBoxIsTheBoxLessBothMarginsOnEachAxis)
{
    TKVRBaseLabel label;
    TKVRRichText* r = MakeRich(label, kMixed, 10000, 10000, 70000, 40000);
    r->SetBasePadX(4000);
    r->SetBasePadY(2000);
    int32_t w = 0, h = 0;
    r->WrapBox(w, h);
    EXPECT_EQ(w, 52000);
    EXPECT_EQ(h, 26000);
    r->SetAngle(TKVRAngle::Angle90);
    r->WrapBox(w, h);
    EXPECT_EQ(w, 26000);
    EXPECT_EQ(h, 52000);
    r->SetAngle(TKVRAngle::Angle0);
    // Margins that leave no width, even ones no page can hold: the whole box.
    for (int32_t margin : {30000, 2000000000}) {
        r->SetBasePadX(margin);
        r->WrapBox(w, h);
        EXPECT_EQ(w, 60000);
    }

    r->SetBasePadX(4000);
    r->CalcValues(0);
    const TRichTextDrawSegments& segs = r->GetDrawSegments();
    ASSERT_FALSE(segs.empty());
    EXPECT_GT(LinesOf(segs).size(), 2);
    for (const TRichTextDrawSegment& s : segs)
        EXPECT_LE(s.X + s.Width, 52000) << s.Text.toStdString();

    // A line spacing far beyond any page keeps the first line and paints it.
    r->SetScaleX(1e30f);
    r->CalcValues(0);
    EXPECT_EQ(LinesOf(r->GetDrawSegments()).size(), 1);
    EXPECT_GT(InkCount(Screen(*r, 900, 600)), 100);
    EXPECT_GT(InkCount(Paper(*r, 900, 600)), 100);
}

// A family no typeface can be made of (this name is one) once stopped the
// layout with an error while the element was measured; its run now takes no
// room, as it paints nothing, and the rest lays out and paints.
TEST(RichTextLayout, RunInAFamilyThatCannotBeMadeTakesNoRoom)
{
    const QString family = QStringLiteral("Times ") + QChar(0) + QStringLiteral("\nw Roman");
    ASSERT_EQ(TSkTypeface::MakeFromName(family, TSkFontStyle::Normal()), nullptr);
    TKVRBaseLabel label;
    TKVRRichText* r = MakeRich(label, QStringLiteral("Before <FN:") + family + QStringLiteral(">lost</FN> after"), 5000,
                               5000, 65000, 30000);
    ASSERT_NO_THROW(r->CalcValues(0));
    const TRichTextDrawSegments& segs = r->GetDrawSegments();
    const auto lost = std::find_if(segs.begin(), segs.end(), [](const auto& s) { return s.Text == "lost"; });
    ASSERT_NE(lost, segs.end());
    EXPECT_EQ(lost->Width, 0);
    EXPECT_EQ(LinesOf(segs), QStringList{QStringLiteral("Before lost after")});
    const auto after = std::find_if(segs.begin(), segs.end(), [](const auto& s) { return s.Text == "after"; });
    ASSERT_NE(after, segs.end());
    EXPECT_GT(after->Width, 0);
    EXPECT_GT(InkCount(Screen(*r, 900, 500)), 100);
    EXPECT_GT(InkCount(Paper(*r, 900, 500)), 100);
}

TEST(RichTextLayout, MixedFormatsBreakAlikeOnScreenAndPaper)
{
    TKVRBaseLabel label;
    label.SetDataValue(QStringLiteral("Body"), kMixed);
    TKVRRichText* r = MakeRich(label, kMixed, 5000, 5000, 55000, 60000);
    r->SetBasePadX(2500);
    r->SetBasePadY(1000);
    r->CalcValues(0);
    const QStringList screen = LinesOf(r->GetDrawSegments());
    ASSERT_GE(screen.size(), 3);

    // A data-bound twin lays the same mark-up out again, measured on the printer.
    TKVRRichText* bound = MakeRich(label, QStringLiteral("own text"), 5000, 5000, 55000, 60000);
    bound->SetBasePadX(2500);
    bound->SetBasePadY(1000);
    bound->SetFillType(1);
    bound->SetFillName(QStringLiteral("Body"));
    Paper(*bound, 800, 800);
    EXPECT_EQ(LinesOf(bound->GetPrintedSegments()), screen);
    const TRichTextDrawSegments& a = r->GetDrawSegments();
    const TRichTextDrawSegments& b = bound->GetPrintedSegments();
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].Y, b[i].Y);
        EXPECT_NEAR(double(a[i].X), double(b[i].X), 150.0) << a[i].Text.toStdString();
    }
    // The element's own layout stays as it was.
    EXPECT_EQ(LinesOf(bound->GetDrawSegments()), QStringList{QStringLiteral("own text")});
}

// The rich text has no vertical placement: a stored vertical alignment is
// kept in the record but the text starts at the top on screen and on paper.
TEST(RichTextLayout, TextStartsAtTheTopWhateverTheStoredVerticalAlignment)
{
    TKVRBaseLabel label;
    QRect topInk;
    for (TKVRVertAlign va : {TKVRVertAlign::Top, TKVRVertAlign::Center, TKVRVertAlign::Bottom}) {
        TKVRRichText* r = MakeRich(label, QStringLiteral("Hg <B>Hg</B><BR>Hg"), 10000, 10000, 70000, 50000);
        r->SetBasePadY(2000);
        r->SetVertAlign(va);
        r->CalcValues(0);
        ASSERT_FALSE(r->GetDrawSegments().empty());
        EXPECT_EQ(r->GetDrawSegments().front().Y, 0) << int(va);
        EXPECT_EQ(r->GetDrawSegments().back().Y, 4000) << int(va);

        const TTwin t = Twins(*r, 1000, 700);
        const QRect ink = InkBounds(t.screen);
        // The first line's tallest letters reach the area's top, 12 mm down.
        EXPECT_NEAR(ink.top(), PxUm(12000), PxUm(800)) << BoxText(ink);
        EXPECT_TRUE(SameBox(ink, InkBounds(t.paper), 1)) << BoxText(ink) << " vs " << BoxText(InkBounds(t.paper));
        if (va == TKVRVertAlign::Top)
            topInk = ink;
        else
            EXPECT_EQ(ink, topInk) << int(va);

        // The value stays readable in both records.
        auto* back = dynamic_cast<TKVRRichText*>(
            TKVRRichText::ReadFromJson(&label, KVRFileVersion, TJsonObject::parse(WriteJsonText(*r).toStdString())));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->GetVertAlign(), va);
        auto* bin = dynamic_cast<TKVRRichText*>(ReadRecord(label, WriteBinary(*r), TKVRRichText::Read));
        ASSERT_NE(bin, nullptr);
        EXPECT_EQ(bin->GetVertAlign(), va);
    }
}

// A line aligns by its first segment on both surfaces; a blank carried over
// to an underlined word's neighbour is not underlined.
TEST(RichTextTwins, MixedAlignmentAndCarriedBlankOnScreenAndPaper)
{
    TKVRBaseLabel label;
    TKVRRichText* r = MakeRich(label, QStringLiteral("<L>aaa </L><R>bbb</R>"), 10000, 10000, 90000, 30000);
    const TTwin t = Twins(*r, 1200, 500);
    const QRect ink = InkBounds(t.screen);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.left(), PxUm(10000), 3) << BoxText(ink);
    EXPECT_LT(ink.right(), PxUm(50000)) << BoxText(ink);
    EXPECT_TRUE(SameBox(ink, InkBounds(t.paper), 2)) << BoxText(ink) << " vs " << BoxText(InkBounds(t.paper));
    const std::vector<TPdfWord> words = PrintToPdf(*r, 100, 40);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_NEAR(words[0].XMin, MmToPt(10), 0.6);

    // "Top <U>under </U>next": the underline ends with "under" on both surfaces.
    r->SetText(QStringLiteral("Top <U>under </U>next"));
    r->SetBaseFontHeight(8000);
    r->CalcValues(0);
    const TRichTextDrawSegments& segs = r->GetDrawSegments();
    ASSERT_EQ(segs.size(), 5u);
    const float underEnd = PxUm(10000 + segs[2].X + segs[2].Width);
    const float nextStart = PxUm(10000 + segs[4].X);
    ASSERT_GT(nextStart - underEnd, 8.0f);
    const TTwin u = Twins(*r, 1200, 500);
    for (const QImage* img : {&u.screen, &u.paper}) {
        // The longest dark horizontal run is the underline.
        int bestLen = 0, bestRight = 0;
        for (int y = 0; y < img->height(); ++y) {
            int run = 0;
            for (int x = 0; x < img->width(); ++x) {
                run = qGray(img->pixel(x, y)) < 128 ? run + 1 : 0;
                if (run > bestLen) {
                    bestLen = run;
                    bestRight = x;
                }
            }
        }
        EXPECT_GT(bestLen, int(PxUm(segs[2].Width)) - 4) << (img == &u.screen ? "screen" : "paper");
        EXPECT_LT(bestRight, underEnd + 2.0f) << (img == &u.screen ? "screen" : "paper");
    }
}

TEST(RichTextLayout, StaleSegmentsNeverReadOutsideTheFormats)
{
    TKVRBaseLabel label;
    TKVRRichText* r = MakeRich(label, QStringLiteral("<B>a</B> <I>b</I> <FC:00A000>c</FC> <U>d</U>"), 2000, 2000,
                               60000, 20000);
    r->CalcValues(0);
    int32_t highest = 0;
    for (const TRichTextDrawSegment& s : r->GetDrawSegments())
        highest = std::max(highest, s.FormatIndex);
    ASSERT_GE(highest, 3);
    // The mark-up changes; the segments stay until the next layout.
    r->SetText(QStringLiteral("plain"));
    ASSERT_EQ(r->GetFormats().size(), 1u);
    EXPECT_EQ(r->FormatAt(highest), r->BaseFormat());

    ScreenSurface screen(800, 300, kDpi);
    label.GetAct().SetCurAction(16);
    r->SetEditState(1);
    screen.draw.aFocused = true;
    screen.draw.aPos = 5;
    screen.draw.aSelStart = 0;
    screen.draw.aSelEnd = 7;
    r->Draw(&screen.draw);  // as it stands: no layout first
    EXPECT_GT(InkCount(screen.Finish()), 100);
    PaperSurface paper(800, 300, kDpi);
    r->Print(&paper.draw);
    EXPECT_GT(InkCount(paper.Finish()), 100);
}

// ---------------------------------------------------------------- pixels

TEST(RichTextPaint, StylesAndColourShowInPixels)
{
    TKVRBaseLabel label;
    auto paint = [&](const QString& markup, bool paper) {
        TKVRRichText* r = MakeRich(label, markup, 2000, 2000, 80000, 20000);
        r->SetBaseFontHeight(8000);
        return paper ? Paper(*r, 1000, 250) : Screen(*r, 1000, 250);
    };
    for (bool paper : {false, true}) {
        const char* side = paper ? "paper" : "screen";
        const QImage plain = paint(QStringLiteral("Illi Illi"), paper);
        const QImage bold = paint(QStringLiteral("<B>Illi Illi</B>"), paper);
        const QImage italic = paint(QStringLiteral("<I>Illi Illi</I>"), paper);
        const QImage under = paint(QStringLiteral("<U>Illi Illi</U>"), paper);
        const QImage red = paint(QStringLiteral("<FC:E00000>Illi Illi</FC>"), paper);

        EXPECT_GT(InkCount(bold), InkCount(plain) * 5 / 4) << side;

        // Italic strokes lean: the ink of the first letter's top rows lies
        // further right than that of its bottom rows.
        auto lean = [](const QImage& img) {
            const QRect ink = InkBounds(img);
            const int q = ink.height() / 4;
            const QRect top = InkIn(img, QRect(ink.left(), ink.top(), 40, q));
            const QRect bottom = InkIn(img, QRect(ink.left(), ink.bottom() - q, 40, q));
            return (top.left() + top.right()) / 2.0 - (bottom.left() + bottom.right()) / 2.0;
        };
        EXPECT_LT(std::abs(lean(plain)), 2.0) << side;
        EXPECT_GT(lean(italic), 5.0) << side;

        // Underline: one row of ink under the whole first word.
        const QRect word = InkBounds(plain);
        const QRect underInk = InkBounds(under);
        EXPECT_GT(underInk.bottom(), word.bottom() + 2) << side;
        const QImage low = under.copy(QRect(0, word.bottom() + 1, under.width(), underInk.bottom() - word.bottom()));
        EXPECT_GT(InkBounds(low).width(), word.width() * 9 / 10) << side;

        EXPECT_GT(RedCount(red), 300) << side;
    }
}

TEST(RichTextTwins, ScreenAndPaperLandAlikeAtEveryQuarterTurn)
{
    TKVRBaseLabel label;
    const QString markup = QStringLiteral("<FS:2500>small</FS> <FS:7000>Big</FS> words <B>wrap</B> here and there");
    for (int angle = 0; angle < 4; ++angle) {
        TKVRRichText* r = MakeRich(label, markup, 8000, 6000, 58000, 56000);
        r->SetBasePadX(2000);
        r->SetBasePadY(5000);
        r->SetAngle(TKVRAngle(angle));
        const TTwin t = Twins(*r, 750, 750);
        const QRect a = InkBounds(t.screen), b = InkBounds(t.paper);
        ASSERT_FALSE(a.isEmpty()) << angle;
        EXPECT_TRUE(SameBox(a, b, 2)) << "turn " << angle;
        // The text stays inside the box less its margins, each on its own axis.
        const QRect area(QPoint(int(PxUm(10000)), int(PxUm(11000))), QPoint(int(PxUm(56000)), int(PxUm(51000))));
        EXPECT_TRUE(area.adjusted(-2, -2, 2, 2).contains(a)) << "turn " << angle << ": " << BoxText(a);
    }

    // Runs of two sizes share a baseline on paper as on screen: the small
    // word's ink is where the screen puts it.
    TKVRRichText* r = MakeRich(label, markup, 8000, 6000, 58000, 56000);
    r->CalcValues(0);
    const TRichTextDrawSegment& small = r->GetDrawSegments().front();
    ASSERT_EQ(small.Text, QStringLiteral("small"));
    const QRect part(int(PxUm(8000 + small.X)), 0, int(PxUm(small.Width)), 750);
    const QRect a = InkIn(Screen(*r, 750, 750), part);
    const QRect b = InkIn(Paper(*r, 750, 750), part);
    EXPECT_TRUE(SameBox(a, b, 2));
}

TEST(RichTextTwins, DrawingScaleChangesNothingOnPaperOrScreen)
{
    // The same paper box once at 1:1 and once in a 1:4 drawing.
    auto paint = [](int scale, bool paper) {
        TKVRBaseLabel label;
        label.GetMeasure().SetDrawScale(scale);
        TKVRRichText* r = MakeRich(label, kMixed, 5000 * scale, 5000 * scale, 60000 * scale, 55000 * scale);
        r->SetBasePadX(3000 * scale);
        r->SetBasePadY(2000 * scale);
        const TTwin t = Twins(*r, 800, 700, kDpi, scale);
        return paper ? t.paper : t.screen;
    };
    const QRect one = InkBounds(paint(1, false));
    ASSERT_FALSE(one.isEmpty());
    for (bool paper : {false, true}) {
        const QRect four = InkBounds(paint(4, paper));
        EXPECT_TRUE(SameBox(one, four, 2)) << (paper ? "paper " : "screen ");
    }
}

// ---------------------------------------------------------------- caret and selection

TEST(RichTextCaret, StandsAtSegmentBordersAndAfterBreaks)
{
    TKVRBaseLabel label;
    ScreenSurface surface(800, 400, kDpi);
    const TKVRDraw& d = surface.draw;
    TKVRRichText* r = MakeRich(label, QStringLiteral("AB<B>CD</B><BR>EF"), 0, 0, 60000, 30000);
    r->CalcValues(0);
    const TRichTextDrawSegments& segs = r->GetDrawSegments();
    ASSERT_EQ(LinesOf(segs), (QStringList{QStringLiteral("ABCD"), QStringLiteral("EF")}));

    const TRectF c0 = r->CaretLine(&d, 0);
    EXPECT_FLOAT_EQ(c0.Left, 0.0f);
    EXPECT_FLOAT_EQ(c0.Top, 0.0f);
    // One screen font size tall: 4 mm times the font's size ratio.
    EXPECT_NEAR(c0.Height(), 4.0 * d.TextFactor * r->GetRatio(), 0.01);

    // Between the runs: the start of the bold one, which is where "AB" ends.
    const TRectF c2 = r->CaretLine(&d, 2);
    EXPECT_NEAR(c2.Left, PxUm(segs[1].X), 0.01);
    EXPECT_NEAR(c2.Left, PxUm(segs[0].Width), 0.05);
    EXPECT_FLOAT_EQ(c2.Top, 0.0f);
    // Before the break, and on the next line right after it.
    const TRectF c4 = r->CaretLine(&d, 4);
    EXPECT_NEAR(c4.Left, PxUm(segs[1].X + segs[1].Width), 0.05);
    EXPECT_FLOAT_EQ(c4.Top, 0.0f);
    const TRectF c5 = r->CaretLine(&d, 5);
    EXPECT_FLOAT_EQ(c5.Left, 0.0f);
    EXPECT_NEAR(c5.Top, PxUm(4000), 0.01);
    const TRectF c6 = r->CaretLine(&d, 6);
    EXPECT_GT(c6.Left, 0.0f);
    EXPECT_NEAR(c6.Top, PxUm(4000), 0.01);

    // After a final break: the next line, one line height (times spacing) down.
    r->SetText(QStringLiteral("AB<BR>"));
    r->SetScaleX(1.5f);
    r->CalcValues(0);
    const TRectF end = r->CaretLine(&d, 3);
    EXPECT_FLOAT_EQ(end.Left, 0.0f);
    EXPECT_NEAR(end.Top, PxUm(4000 + 2000), 0.01);
    EXPECT_FLOAT_EQ(r->CaretLine(&d, 2).Top, 0.0f);
}

TEST(RichTextCaret, SelectionUsesTheCaretsMappingAtBothEnds)
{
    TKVRBaseLabel label;
    ScreenSurface surface(800, 400, kDpi);
    const TKVRDraw& d = surface.draw;
    TKVRRichText* r = MakeRich(label, QStringLiteral("AB<BR>CD"), 0, 0, 60000, 30000);
    r->CalcValues(0);

    // "B", the break, "C": one piece on each line; the line break shifts nothing.
    const std::vector<TRectF> sel = r->SelectionRects(&d, 1, 4);
    ASSERT_EQ(sel.size(), 2u);
    EXPECT_NEAR(sel[0].Left, r->CaretLine(&d, 1).Left, 0.01);
    EXPECT_NEAR(sel[0].Right, r->CaretLine(&d, 2).Left, 0.01);
    EXPECT_FLOAT_EQ(sel[1].Left, 0.0f);
    EXPECT_NEAR(sel[1].Right, r->CaretLine(&d, 4).Left, 0.01);
    EXPECT_NEAR(sel[1].Top, PxUm(4000), 0.01);
    EXPECT_GT(sel[0].Height(), 0.0f);

    const std::vector<TRectF> reversed = r->SelectionRects(&d, 4, 1);
    ASSERT_EQ(reversed.size(), sel.size());
    EXPECT_FLOAT_EQ(reversed[1].Right, sel[1].Right);
    EXPECT_TRUE(r->SelectionRects(&d, 2, 2).empty());
    const std::vector<TRectF> past = r->SelectionRects(&d, 4, 100);
    ASSERT_EQ(past.size(), 1u);
    EXPECT_NEAR(past[0].Right, r->CaretLine(&d, 5).Left, 0.01);

    // Across wraps, blanks, breaks and runs: every one-character selection
    // starts where the caret stands before that character.
    r->SetText(QStringLiteral("one  <B>two</B> three<BR><BR>four <I>five six</I> seven eight nine ten"));
    r->SetBasePadX(20000);
    r->CalcValues(0);
    const int32_t len = int32_t(r->GetPlainText().size());
    int shown = 0;
    for (int32_t p = 0; p < len; ++p) {
        const std::vector<TRectF> one = r->SelectionRects(&d, p, p + 1);
        if (one.empty())
            continue;
        ++shown;
        ASSERT_EQ(one.size(), 1u) << p;
        const TRectF caret = r->CaretLine(&d, p);
        EXPECT_NEAR(one[0].Left, caret.Left, 0.01) << p;
        EXPECT_NEAR(one[0].Top, caret.Top, 0.01) << p;
    }
    EXPECT_GT(shown, 30);
}

TEST(RichTextCaret, EditorShowsCaretAndSelectionOnlyWhileEditing)
{
    TKVRBaseLabel label;
    TKVRRichText* r = MakeRich(label, QStringLiteral("Text <B>bold</B><BR>next"), 5000, 5000, 65000, 30000);
    label.SetEditable(true);
    auto paint = [&](bool editing) {
        ScreenSurface s(800, 400, kDpi);
        s.draw.DrawState = KVRDrawState::EditorText;
        label.GetAct().SetCurAction(editing ? 16 : 0);
        r->SetEditState(editing ? 1 : 0);
        s.draw.aFocused = true;
        s.draw.aPos = 7;
        s.draw.aSelStart = 2;
        s.draw.aSelEnd = 12;
        r->DrawElement(&s.draw);
        return s.Finish().copy().convertToFormat(QImage::Format_ARGB32);
    };
    const QImage editing = paint(true);
    const QImage idle = paint(false);

    auto count = [](const QImage& img, auto pred) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += pred(img.pixel(x, y)) ? 1 : 0;
        return n;
    };
    auto isRed = [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60; };
    auto isTint = [](QRgb p) { return qBlue(p) > qRed(p) + 25 && qRed(p) > 120; };
    EXPECT_EQ(count(idle, isRed), 0);
    EXPECT_EQ(count(idle, isTint), 0);
    EXPECT_GT(count(editing, isTint), 500);

    // The red bar stands in the caret's pixel column, one pixel wide.
    ScreenSurface probe(10, 10, kDpi);
    const TRectF c = r->CaretLine(&probe.draw, 7);
    const int column = int(std::floor(PxUm(5000) + c.Left));
    const int mid = int(PxUm(5000) + (c.Top + c.Bottom) / 2);
    EXPECT_TRUE(isRed(editing.pixel(column, mid))) << column;
    EXPECT_FALSE(isRed(editing.pixel(column - 1, mid)));
    EXPECT_FALSE(isRed(editing.pixel(column + 1, mid)));
    EXPECT_NEAR(count(editing, isRed), c.Height(), 3.0);
}

// ---------------------------------------------------------------- paper read back by poppler

TEST(RichTextPdf, FirstLineStandsOneMarginInAndLinesMatchTheScreen)
{
    TKVRBaseLabel label;
    TKVRRichText* r = MakeRich(label, kMixed, 20000, 30000, 80000, 80000);
    r->SetBasePadX(3000);
    r->SetBasePadY(3000);
    r->CalcValues(0);
    const std::vector<TPdfWord> words = PrintToPdf(*r, 120, 100);
    ASSERT_FALSE(words.empty());
    EXPECT_EQ(words.front().Text, QStringLiteral("Alpha"));
    EXPECT_NEAR(words.front().XMin, MmToPt(23.0), 0.6);
    // The tallest run of the first line reaches the area's top.
    double top = words.front().YMin;
    for (const TPdfWord& w : words)
        if (std::abs(w.YMax - words.front().YMax) < 4.0)
            top = std::min(top, w.YMin);
    EXPECT_NEAR(top, MmToPt(33.0), 1.0);
    EXPECT_EQ(PdfLines(words), LinesOf(r->GetDrawSegments()));
    // Every line starts one margin in.
    double bottom = -100.0;
    for (const TPdfWord& w : words) {
        if (std::abs(w.YMax - bottom) > 4.0) {
            EXPECT_NEAR(w.XMin, MmToPt(23.0), 0.6) << w.Text.toStdString();
        }
        bottom = w.YMax;
    }
}
