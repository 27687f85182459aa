#include "tests/render/RenderTestSupport.h"
#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr TAlphaColor kLine = TAlphaColors::Blue;
constexpr TAlphaColor kFill = TAlphaColors::Red;

struct Screen : ScreenContext
{
    explicit Screen(int w = 200, int h = 200) : ScreenContext(w, h) {}
    void Term(TKVRTermType kind, float half, float x, float y, float x2, float y2, int16_t open = 8,
              bool byAngle = false)
    {
        DrawTermType(&d, kind, kLine, kFill, half, x, y, x2, y2, open, byAngle);
    }
    QImage Marker(TKVRTermType kind, float x2, float y2)
    {
        Term(kind, 20, 100, 100, x2, y2);
        return Pixels();
    }
};

bool IsRed(QRgb p)
{
    return qAlpha(p) > 200 && qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60;
}

QRect PaperInk(const QImage& img, const QRect& within = QRect())
{
    return ImageProbes::Bounds(img, ImageProbes::NotWhite, within);
}

}  // namespace

TEST(LineEnds, ArrowHeadsTurnWithTheLine)
{
    // Closed head of length 40 at (100, 100): coming from the left it
    // reaches back to the left, coming from above it reaches up.
    const QRect a = SkTest::InkBounds(Screen().Marker(4, 0, 100));
    EXPECT_NEAR(a.right(), 100, 1);
    EXPECT_NEAR(a.left(), 60, 2);
    EXPECT_LT(a.height(), 15);
    const QRect b = SkTest::InkBounds(Screen().Marker(4, 100, 0));
    EXPECT_NEAR(b.bottom(), 100, 1);
    EXPECT_NEAR(b.top(), 60, 2);
    EXPECT_LT(b.width(), 15);

    // The arc hands its end tangent as an angle: travelling down (pi/2)
    // gives the same head as a line from above.
    Screen byAngle;
    byAngle.Term(4, 20, 100, 100, float(std::numbers::pi / 2), 0, 8, true);
    EXPECT_EQ(SkTest::InkBounds(byAngle.Pixels()), b);

    // On a diagonal the head lies along the diagonal.
    const QImage img = Screen().Marker(4, 0, 0);
    EXPECT_TRUE(SkTest::Inked(img, 80, 80));
    EXPECT_FALSE(SkTest::Inked(img, 72, 100));
    EXPECT_FALSE(SkTest::Inked(img, 100, 72));
}

TEST(LineEnds, SquaresDiamondsAndStrokesKeepToThePageAxes)
{
    // All on the end of a diagonal line: none of them follows it.
    QImage img = Screen().Marker(6, 0, 0);
    EXPECT_EQ(SkTest::InkBounds(img), QRect(80, 80, 41, 41));
    EXPECT_TRUE(IsRed(img.pixel(84, 84)));  // filled corner
    EXPECT_TRUE(IsRed(img.pixel(100, 100)));
    EXPECT_EQ(img.pixel(80, 100), img.pixel(100, 80));  // outlined in the line colour
    EXPECT_EQ(QColor(img.pixel(80, 100)).rgb() & 0xFFFFFF, 0x0000FFu);

    img = Screen().Marker(8, 0, 0);
    EXPECT_FALSE(SkTest::Inked(img, 84, 84));  // no corners
    EXPECT_TRUE(SkTest::Inked(img, 100, 81));
    EXPECT_TRUE(SkTest::Inked(img, 119, 100));
    EXPECT_TRUE(IsRed(img.pixel(100, 100)));

    img = Screen().Marker(7, 0, 0);
    EXPECT_FALSE(SkTest::Inked(img, 100, 100));  // outline only
    EXPECT_TRUE(SkTest::Inked(img, 110, 90));

    img = Screen().Marker(10, 0, 0);  // from upper right to lower left
    EXPECT_TRUE(SkTest::Inked(img, 110, 90));
    EXPECT_FALSE(SkTest::Inked(img, 90, 90));
    img = Screen().Marker(11, 0, 0);
    EXPECT_TRUE(SkTest::Inked(img, 110, 90));
    EXPECT_TRUE(SkTest::Inked(img, 90, 90));
}

TEST(LineEnds, ArrowLengthIsTwiceTheHalfRoundedOnScreenAndExactOnPaper)
{
    // Opening 0 lays both sides on the line; the surfaces are scaled by ten so
    // that a tenth of a pixel shows.
    auto reach = [](float half) {
        Screen s(300, 100);
        s.d.kC->Scale(10, 10);
        s.Term(3, half, 25, 5, 0, 5, 0);
        return SkTest::InkBounds(s.Pixels()).width();
    };
    EXPECT_NEAR(reach(2.3f), 50, 2);   // 4.6 -> 5
    EXPECT_NEAR(reach(1.25f), 20, 2);  // 2.5 -> 2
    EXPECT_NEAR(reach(1.75f), 40, 2);  // 3.5 -> 4

    PaperContext p(200, 100);
    p.Canvas().SetMatrix(TMatrix::CreateScaling(10, 10));
    p.Canvas().Stroke().SetThickness(0.1f);
    PrintTermType(&p.d, 3, {15, 5}, {0, 5}, 3, 0, false);
    const QRect r = PaperInk(p.Done());
    EXPECT_NEAR(r.width(), 60, 2);
    EXPECT_NEAR(r.right(), 150, 1);

    // A half size at the end of its range makes no wrapped-around length.
    PaperContext q(50, 50);
    for (int32_t half : {INT32_MIN, INT32_MAX})
        for (bool byAngle : {false, true})
            PrintTermType(&q.d, 3, {25, 25}, {0, 25}, half, 8, byAngle);
    EXPECT_EQ(q.Canvas().Stroke().Dash(), TStrokeDash::Solid);
}

TEST(LineEnds, MarkersAreNeverDashedAndKind0PaintsNothing)
{
    Screen s;
    AdjustLineType(&s.d, 2, 0);  // the line was dotted
    s.d.kP->SetStrokeWidth(1);
    s.Term(5, 20, 100, 100, 0, 100);
    EXPECT_FALSE(s.d.kP->GetPathEffect());
    // The left side of the square is unbroken.
    const QImage img = s.Pixels();
    for (int y = 82; y < 118; ++y)
        EXPECT_TRUE(SkTest::Inked(img, 80, y)) << y;

    // Kinds 0 and 12 paint nothing and leave the colour, but still clear the dash.
    Screen none;
    none.d.kP->SetPathEffect(TSkPathEffect::MakeDash({4, 4}, 0));
    none.d.kP->SetColor(TAlphaColors::Green);
    none.Term(0, 20, 100, 100, 0, 0);
    EXPECT_FALSE(none.d.kP->GetPathEffect());
    EXPECT_EQ(none.d.kP->GetColor(), TAlphaColors::Green);
    none.Term(12, 20, 100, 100, 0, 0);
    EXPECT_TRUE(SkTest::InkBounds(none.Pixels()).isNull());

    PaperContext p(50, 50);
    p.Canvas().Stroke().SetCustomDash({2, 2}, 0);
    PrintTermType(&p.d, 0, {25, 25}, {0, 0}, 10, 8, false);
    EXPECT_EQ(p.Canvas().Stroke().Dash(), TStrokeDash::Solid);
    PrintTermType(&p.d, 12, {25, 25}, {0, 0}, 10, 8, false);
    EXPECT_TRUE(PaperInk(p.Done()).isNull());
}

TEST(LineEnds, PrintedMarkersUseTheCanvasBrushes)
{
    PaperContext p(200, 200);
    p.Canvas().Fill().SetColor(kFill);
    p.Canvas().Stroke().SetColor(kLine);
    p.Canvas().Stroke().SetThickness(2);
    p.Canvas().Stroke().SetJoin(TStrokeJoin::Round);  // no miter spike past the tip
    PrintTermType(&p.d, 6, {50, 50}, {0, 0}, 20, 8, false);     // square on a diagonal
    PrintTermType(&p.d, 4, {150, 150}, {150, 0}, 20, 8, false);  // head coming from above
    const QImage& img = p.Done();
    EXPECT_TRUE(IsRed(img.pixel(33, 33)));
    EXPECT_TRUE(IsRed(img.pixel(50, 50)));
    EXPECT_FALSE(ImageProbes::NotWhite(img, 27, 50));
    const QRect head = PaperInk(img, QRect(100, 100, 100, 100));
    EXPECT_NEAR(head.top(), 110, 2);
    EXPECT_NEAR(head.bottom(), 151, 2);
    EXPECT_LT(head.width(), 16);
}

TEST(LineEnds, PickerSamples)
{
    // The sample square follows the row: 1 x 1 in a 6 x 20 row, 16 x 16
    // centred in a 40 x 24 row.
    CanvasImage c(100, 100);
    c.canvas->Stroke().SetThickness(1);
    DrawTerm(*c.canvas, TRectF(10, 10, 16, 30), 6, kLine, kFill);
    DrawTerm(*c.canvas, TRectF(20, 40, 60, 64), 6, kLine, kFill);
    const QImage& img = c.Done();
    const QRect tiny = PaperInk(img, QRect(0, 0, 100, 35)), big = PaperInk(img, QRect(0, 35, 100, 65));
    EXPECT_LE(tiny.width(), 3);
    EXPECT_LE(tiny.height(), 3);
    EXPECT_TRUE(tiny.contains(13, 20));
    EXPECT_NEAR(big.left(), 31.5, 1);
    EXPECT_NEAR(big.right(), 47.5, 1);
    EXPECT_NEAR(big.top(), 43.5, 1);
    EXPECT_NEAR(big.bottom(), 59.5, 1);
    EXPECT_TRUE(IsRed(img.pixel(40, 52)));

    // Kinds 3 and 7 fill the whole square behind the outlined shape, 4 and 8
    // only the shape. Sample square (12, 4)-(28, 20) in a 40 x 24 row.
    for (TKVRTermType kind : {3, 4, 7, 8}) {
        CanvasImage k(40, 24);
        k.canvas->Stroke().SetThickness(1);
        DrawTerm(*k.canvas, TRectF(0, 0, 40, 24), kind, kLine, kFill);
        const QImage& row = k.Done();
        SCOPED_TRACE(int(kind));
        EXPECT_EQ(IsRed(row.pixel(14, 6)), kind == 3 || kind == 7);  // corner of the square
        EXPECT_EQ(ImageProbes::NotWhite(row, 14, 6), kind == 3 || kind == 7);
        EXPECT_TRUE(IsRed(row.pixel(20, 15)));  // inside the shape
        EXPECT_FALSE(ImageProbes::NotWhite(row, 8, 12));  // outside the square
    }
}
