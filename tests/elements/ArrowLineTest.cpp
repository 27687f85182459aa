#include "elements/TKVRArrowLine.h"
#include "render/TKVRCalc.h"
#include "tests/elements/ShapeTestSupport.h"
#include <gtest/gtest.h>

using namespace shape;

namespace {

// A red arrow line with a blue caption; coordinates in paper micrometres,
// multiplied by the document's drawing scale.
TKVRArrowLine* MakeArrow(TKVRBaseLabel& label, const QString& caption, TKVRTextPos pos, int64_t x1, int64_t y1,
                         int64_t x2, int64_t y2)
{
    const int64_t s = label.GetMeasure().GetDrawScale();
    auto* a = new TKVRArrowLine(&label, false);
    a->SetBase(1, x1 * s, y1 * s);
    a->SetBase(2, x2 * s, y2 * s);
    a->SetColor(kRed);
    a->SetPenWidth(0.5f);
    a->SetEnds(TKVRLineEnds{4, 2, kRed, kRed, 3.0f, 2.0f});
    TKVRFontInfo font;
    font.Color = kBlue;
    font.Height = 4000;
    a->SetFont(font);
    a->SetText(caption);
    a->SetTextPos(pos);
    return a;
}

TKVRExtent Fit(TKVRArrowLine& a)
{
    TKVRExtent e;
    a.CheckFit(e);
    return e;
}

}  // namespace

// ---------------------------------------------------------------- layout

TEST(ArrowLineLayout, EmptyCaptionDoesNoFontWork)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QString(), 4, 0, 0, 30000, 0);
    a->SetBase(3, 7, 8);
    const int64_t made = TKVRCalc::FontsMade();
    a->CalcValues(0);
    EXPECT_EQ(TKVRCalc::FontsMade(), made);
    EXPECT_EQ(a->GetPoint(3), (TKVRPto{7, 8}));  // the gap is left alone
    a->SetText(QStringLiteral("x"));
    a->CalcValues(0);
    EXPECT_GT(TKVRCalc::FontsMade(), made);
}

// The width is the layout's, times the drawing scale, whatever the zoom of
// the last paint (a screen measure at each paint lost the drawing scale and
// changed with the zoom's rounding).
TEST(ArrowLineLayout, CaptionWidthFollowsTheDrawingScaleAndNoZoom)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QStringLiteral("Width 123"), 1, 0, 0, 40000, 0);
    a->CalcValues(0);
    int32_t asc, des, wid;
    double ratio;
    TKVRCalc::FontSettings(QStringLiteral("Width 123"), QStringLiteral("Arial"), 4000, false, false, asc, des, wid,
                           ratio);
    EXPECT_EQ(a->GetTxtWidth(), wid);
    EXPECT_EQ(a->GetTxtAscent(), asc);
    EXPECT_EQ(a->GetTxtDescent(), des);
    EXPECT_DOUBLE_EQ(a->GetFontRatio(), ratio);

    label.GetMeasure().SetDrawScale(2);
    a->CalcValues(0);
    EXPECT_EQ(a->GetTxtWidth(), 2 * wid);
    EXPECT_EQ(a->GetTxtAscent(), asc);  // ascent and descent stay paper metrics
    for (int dpi : {96, 137, 300}) {
        ScreenSurface screen(640, 360, dpi, 2);
        a->DrawElement(&screen.draw);
        EXPECT_EQ(a->GetTxtWidth(), 2 * wid) << dpi << " dpi";
    }
}

// ---------------------------------------------------------------- extent

TEST(ArrowLineExtent, HalfPenWidthAndTheGapOnlyForACaptionInIt)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QString(), 1, 1000, 3000, 5000, 2000);
    // A stored pen of 501 µm widens by 250 on each side.
    a->SetBasePenWidth(501);
    TKVRExtent e = Fit(*a);
    ASSERT_TRUE(e.Assigned);
    EXPECT_EQ(e.MinX, 750);
    EXPECT_EQ(e.MaxX, 5250);
    EXPECT_EQ(e.MinY, 1750);
    EXPECT_EQ(e.MaxY, 3250);
    // Stand-ins for the layout's gap, off the line so that they show.
    a->SetBasePenWidth(0);
    a->SetText(QStringLiteral("c"));
    a->SetBase(3, 500, 9000);
    a->SetBase(4, 9000, 300);
    for (TKVRTextPos pos : {TKVRTextPos(3), TKVRTextPos(4), TKVRTextPos(5)}) {
        a->SetTextPos(pos);
        e = Fit(*a);
        EXPECT_EQ(e.MinX, 500) << int(pos);
        EXPECT_EQ(e.MaxX, 9000) << int(pos);
        EXPECT_EQ(e.MinY, 300) << int(pos);
        EXPECT_EQ(e.MaxY, 9000) << int(pos);
    }
    for (TKVRTextPos pos : {TKVRTextPos(0), TKVRTextPos(2), TKVRTextPos(6), TKVRTextPos(9)}) {
        a->SetTextPos(pos);
        EXPECT_EQ(Fit(*a).MaxX, 5000) << int(pos);
    }
    a->SetTextPos(4);
    a->SetText(QString());
    EXPECT_EQ(Fit(*a).MaxX, 5000);
}

TEST(ArrowLineLayout, BoundsFollowTheGapOfTheLayoutJustMade)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QStringLiteral("Caption"), 4, 20000, 30000, 60000, 40000);
    a->SetBasePenWidth(0);
    a->CalcValues(0);
    // The gap points were still at the origin when the base laid out.
    TKVRExtent e = Fit(*a);
    EXPECT_EQ(a->GetBounds(), (TKVRRect{e.MinX, e.MinY, e.MaxX, e.MaxY}));
    EXPECT_EQ(a->GetBounds(), (TKVRRect{20000, 30000, 60000, 40000}));
}

TEST(ArrowLineLayout, GapCaptionsAtTheEndsStayOffTheMarks)
{
    TKVRBaseLabel label;
    // From mark 3 mm long, to mark 2 mm long.
    TKVRArrowLine* start = MakeArrow(label, QStringLiteral("Start"), 3, 4000, 15000, 50000, 15000);
    start->CalcValues(0);
    EXPECT_GE(start->GetPoint(3).X, 4000 + 3000);
    TKVRArrowLine* end = MakeArrow(label, QStringLiteral("End"), 5, 4000, 15000, 50000, 15000);
    end->CalcValues(0);
    EXPECT_LE(end->GetPoint(4).X, 50000 - 2000);
    EXPECT_GT(end->GetPoint(4).X, 50000 - 3000);
}

// ---------------------------------------------------------------- painting

TEST(ArrowLinePaint, ScreenAndPaperTwinsAtEveryDrawingScale)
{
    QRect captions[2];
    for (int scale : {1, 2}) {
        TKVRBaseLabel label;
        label.GetMeasure().SetDrawScale(scale);
        TKVRArrowLine* a = MakeArrow(label, QStringLiteral("Caption 42"), 1, 5000, 26000, 48000, 8000);
        // An open arrow: the two canvases mitre the sharp tip of a filled
        // head differently (a core difference, not this element's).
        a->SetEnds(TKVRLineEnds{3, 2, kRed, kRed, 3.0f, 2.0f});
        const TScreenPaper t = ExpectTwins(*a, QStringLiteral("arrow-%1").arg(scale), 2, 640, 360, scale);
        const QRect all = InkBounds(t.Screen);
        const QRect text = LeaningBounds(t.Screen, kBlue);
        ASSERT_FALSE(text.isEmpty());
        EXPECT_TRUE(SameBox(text, LeaningBounds(t.Paper, kBlue), 2));
        // The line runs 5..48 mm, the circle at its end reaches 1 mm beyond;
        // the caption lies above its middle.
        EXPECT_NEAR(all.left(), Px(5000), 3);
        EXPECT_NEAR(all.right(), Px(49000), 3);
        EXPECT_GT(text.left(), all.left() + 40);
        EXPECT_LT(text.right(), all.right() - 40);
        captions[scale - 1] = LeaningBounds(t.Paper, kBlue);
    }
    // The drawing scale moves nothing on paper.
    EXPECT_TRUE(SameBox(captions[0], captions[1], 1));
}

TEST(ArrowLinePaint, GapPositionsBreakTheLine)
{
    for (TKVRTextPos pos : {TKVRTextPos(3), TKVRTextPos(4), TKVRTextPos(5), TKVRTextPos(1), TKVRTextPos(7)}) {
        TKVRBaseLabel label;
        TKVRArrowLine* a = MakeArrow(label, QStringLiteral("Gap"), pos, 4000, 15000, 50000, 15000);
        a->SetEnds(TKVRLineEnds{});  // no markers: they would reach into a gap at an end
        const TScreenPaper t = Paint(*a, pos == 4 ? "arrow-gap" : "", 640, 360);
        const int y = int(Px(15000));
        const int g1 = int(Px(a->GetPoint(3).X)), g2 = int(Px(a->GetPoint(4).X));
        auto red = [y](const QImage& img, int x1, int x2) {
            return CountLeaning(img, kRed, QRect(x1, y - 1, x2 - x1 + 1, 3));
        };
        for (const QImage& img : {t.Screen, t.Paper}) {
            if (IsGapTextPos(pos)) {
                EXPECT_GT(g2 - g1, 20) << int(pos);
                EXPECT_EQ(red(img, g1 + 2, g2 - 2), 0) << int(pos);
                // Position 3 opens the gap at the start, 5 at the end.
                if (pos != 3) {
                    EXPECT_GT(red(img, g1 - 30, g1 - 3), 20) << int(pos);
                }
                if (pos != 5) {
                    EXPECT_GT(red(img, g2 + 3, g2 + 30), 20) << int(pos);
                }
            } else {
                const int mid = int(Px(27000));
                EXPECT_GT(red(img, mid - 20, mid + 20), 40) << int(pos);
            }
        }
    }
}

TEST(ArrowLinePaint, MissingMarkersLeaveThePrinterFillAlone)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QString(), 1, 5000, 5000, 30000, 5000);
    a->SetEnds(TKVRLineEnds{0, 0, kRed, kRed, 3.0f, 3.0f});
    PaperSurface paper(400, 200, kDpi);
    paper.draw.pC->Fill().SetColor(kGreen);
    a->PrintElement(&paper.draw);
    EXPECT_EQ(paper.draw.pC->Fill().Color(), kGreen);
    // A bare line: no marker ink beyond the pen's width.
    EXPECT_LE(InkBounds(paper.Finish()).height(), 8);

    a->SetEnds(TKVRLineEnds{0, 2, kRed, kBlue, 3.0f, 3.0f});
    PaperSurface marked(400, 200, kDpi);
    a->PrintElement(&marked.draw);
    EXPECT_EQ(marked.draw.pC->Fill().Color(), kBlue);
    EXPECT_FALSE(LeaningBounds(marked.Finish(), kBlue).isEmpty());
}
