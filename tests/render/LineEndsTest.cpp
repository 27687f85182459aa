#include "render/KVR.FMX.Types.h"
#include "platform/skia/System.Skia.h"
#include "tests/fmx/FmxTestImage.h"
#include "tests/skia/SkiaTestUtil.h"
#include <QDir>
#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr TAlphaColor kLine = TAlphaColors::Blue;
constexpr TAlphaColor kFill = TAlphaColors::Red;

struct Screen
{
    TKVRDraw d;
    explicit Screen(int w = 200, int h = 200)
    {
        d.SetResolution(96, 96);
        d.SetStandardWidths();
        d.kC = TSkCanvas::MakeRaster(w, h);
        d.kP = std::make_shared<TSkPaint>();
    }
    void Term(TKVRTermType kind, float half, float x, float y, float x2, float y2, int16_t open = 8,
              bool byAngle = false)
    {
        DrawTermType(&d, kind, kLine, kFill, half, x, y, x2, y2, open, byAngle);
    }
    QImage Pixels() const { return SkTest::Pixels(d.kC); }
};

bool IsRed(QRgb p)
{
    return qAlpha(p) > 200 && qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60;
}

bool IsWhite(QRgb p)
{
    return qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) > 240;
}

// Ink bounds of a printer image (anything clearly not white).
QRect PaperInk(const QImage& img)
{
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!IsWhite(img.pixel(x, y)))
                r |= QRect(x, y, 1, 1);
    return r;
}

}  // namespace

TEST(LineEnds, ArrowHeadsTurnWithTheLine)
{
    // Closed head of length 40 at (100, 100): coming from the left it
    // reaches back to the left, coming from above it reaches up.
    Screen fromLeft;
    fromLeft.Term(4, 20, 100, 100, 0, 100);
    const QRect a = SkTest::InkBounds(fromLeft.Pixels());
    EXPECT_NEAR(a.right(), 100, 1);
    EXPECT_NEAR(a.left(), 60, 2);
    EXPECT_LT(a.height(), 15);

    Screen fromAbove;
    fromAbove.Term(4, 20, 100, 100, 100, 0);
    const QRect b = SkTest::InkBounds(fromAbove.Pixels());
    EXPECT_NEAR(b.bottom(), 100, 1);
    EXPECT_NEAR(b.top(), 60, 2);
    EXPECT_LT(b.width(), 15);

    // The arc hands its end tangent as an angle: travelling down (pi/2)
    // gives the same head as a line from above.
    Screen byAngle;
    byAngle.Term(4, 20, 100, 100, float(std::numbers::pi / 2), 0, 8, true);
    EXPECT_EQ(SkTest::InkBounds(byAngle.Pixels()), b);

    // On a diagonal the head lies along the diagonal.
    Screen diagonal;
    diagonal.Term(4, 20, 100, 100, 0, 0);
    const QImage img = diagonal.Pixels();
    EXPECT_TRUE(SkTest::Inked(img, 80, 80));
    EXPECT_FALSE(SkTest::Inked(img, 72, 100));
    EXPECT_FALSE(SkTest::Inked(img, 100, 72));
}

TEST(LineEnds, SquaresDiamondsAndStrokesKeepToThePageAxes)
{
    // All on the end of a diagonal line: none of them follows it.
    Screen square;
    square.Term(6, 20, 100, 100, 0, 0);
    QImage img = square.Pixels();
    const QRect r = SkTest::InkBounds(img);
    EXPECT_NEAR(r.left(), 80, 1);
    EXPECT_NEAR(r.right(), 120, 1);
    EXPECT_NEAR(r.top(), 80, 1);
    EXPECT_NEAR(r.bottom(), 120, 1);
    EXPECT_TRUE(IsRed(img.pixel(84, 84)));       // filled corner
    EXPECT_TRUE(IsRed(img.pixel(100, 100)));
    EXPECT_EQ(img.pixel(80, 100), img.pixel(100, 80));  // outlined in the line colour
    EXPECT_EQ(QColor(img.pixel(80, 100)).rgb() & 0xFFFFFF, 0x0000FFu);

    Screen diamond;
    diamond.Term(8, 20, 100, 100, 0, 0);
    img = diamond.Pixels();
    EXPECT_FALSE(SkTest::Inked(img, 84, 84));  // no corners
    EXPECT_TRUE(SkTest::Inked(img, 100, 81));
    EXPECT_TRUE(SkTest::Inked(img, 119, 100));
    EXPECT_TRUE(IsRed(img.pixel(100, 100)));

    Screen open;
    open.Term(7, 20, 100, 100, 0, 0);
    img = open.Pixels();
    EXPECT_FALSE(SkTest::Inked(img, 100, 100));  // outline only
    EXPECT_TRUE(SkTest::Inked(img, 110, 90));

    Screen slash;
    slash.Term(10, 20, 100, 100, 0, 0);  // from upper right to lower left
    img = slash.Pixels();
    EXPECT_TRUE(SkTest::Inked(img, 110, 90));
    EXPECT_FALSE(SkTest::Inked(img, 90, 90));
    Screen cross;
    cross.Term(11, 20, 100, 100, 0, 0);
    img = cross.Pixels();
    EXPECT_TRUE(SkTest::Inked(img, 110, 90));
    EXPECT_TRUE(SkTest::Inked(img, 90, 90));
}

TEST(LineEnds, ArrowLengthIsTwiceTheHalfRoundedHalfToEvenOnScreen)
{
    // Opening 0 lays both sides on the line; the canvas is scaled by ten so
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
}

TEST(LineEnds, PrinterArrowLengthIsTwiceTheHalf)
{
    CanvasImage c(200, 100);
    TKVRDraw d;
    d.pC = c.canvas.get();
    c.canvas->SetMatrix(TMatrix::CreateScaling(10, 10));
    c.canvas->Stroke().SetThickness(0.1f);
    PrintTermType(&d, 3, {15, 5}, {0, 5}, 3, 0, false);
    const QRect r = PaperInk(c.Done());
    EXPECT_NEAR(r.width(), 60, 2);
    EXPECT_NEAR(r.right(), 150, 1);
}

TEST(LineEnds, NoneAndUnknownKindsPaintNothingButStillClearTheDash)
{
    Screen s;
    s.d.kP->SetPathEffect(TSkPathEffect::MakeDash({4, 4}, 0));
    s.d.kP->SetColor(TAlphaColors::Green);
    s.Term(0, 20, 100, 100, 0, 0);
    EXPECT_FALSE(s.d.kP->GetPathEffect());
    EXPECT_EQ(s.d.kP->GetColor(), TAlphaColors::Green);
    s.Term(12, 20, 100, 100, 0, 0);
    EXPECT_TRUE(SkTest::InkBounds(s.Pixels()).isNull());

    CanvasImage c(50, 50);
    TKVRDraw d;
    d.pC = c.canvas.get();
    c.canvas->Stroke().SetCustomDash({2, 2}, 0);
    PrintTermType(&d, 0, {25, 25}, {0, 0}, 10, 8, false);
    EXPECT_EQ(c.canvas->Stroke().Dash(), TStrokeDash::Solid);
    PrintTermType(&d, 12, {25, 25}, {0, 0}, 10, 8, false);
    EXPECT_TRUE(PaperInk(c.Done()).isNull());
}

TEST(LineEnds, MarkersAreNeverDashed)
{
    Screen s;
    AdjustLineType(&s.d, 2, 0);  // the line was dotted
    s.d.kP->SetStrokeWidth(1);
    s.Term(5, 20, 100, 100, 0, 100);
    EXPECT_FALSE(s.d.kP->GetPathEffect());
    // The left side of the square is unbroken.
    const QImage img = s.Pixels();
    int x = 75;
    while (x < 100 && !SkTest::Inked(img, x, 100))
        ++x;
    ASSERT_LT(x, 85);
    for (int y = 82; y < 118; ++y)
        EXPECT_TRUE(SkTest::Inked(img, x, y)) << y;
}

TEST(LineEnds, PrintedMarkersUseTheCanvasBrushes)
{
    CanvasImage c(200, 200);
    TKVRDraw d;
    d.pC = c.canvas.get();
    c.canvas->Fill().SetColor(kFill);
    c.canvas->Stroke().SetColor(kLine);
    c.canvas->Stroke().SetThickness(2);
    c.canvas->Stroke().SetJoin(TStrokeJoin::Round);  // no miter spike past the tip
    PrintTermType(&d, 6, {50, 50}, {0, 0}, 20, 8, false);   // square on a diagonal
    PrintTermType(&d, 4, {150, 150}, {150, 0}, 20, 8, false); // head coming from above
    const QImage& img = c.Done();
    EXPECT_TRUE(IsRed(img.pixel(33, 33)));
    EXPECT_TRUE(IsRed(img.pixel(50, 50)));
    EXPECT_TRUE(IsWhite(img.pixel(27, 50)));
    QRect head;
    for (int y = 100; y < 200; ++y)
        for (int x = 100; x < 200; ++x)
            if (!IsWhite(img.pixel(x, y)))
                head |= QRect(x, y, 1, 1);
    EXPECT_NEAR(head.top(), 110, 2);
    EXPECT_NEAR(head.bottom(), 151, 2);
    EXPECT_LT(head.width(), 16);
}

TEST(LineEnds, SampleSquareFollowsTheRowSize)
{
    CanvasImage c(100, 100);
    c.canvas->Stroke().SetThickness(1);
    DrawTerm(*c.canvas, TRectF(10, 10, 16, 30), 6, kLine, kFill);  // side 1
    DrawTerm(*c.canvas, TRectF(20, 40, 60, 64), 6, kLine, kFill);  // side 16 at (32, 44)
    const QImage& img = c.Done();
    QRect tiny, big;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            if (!IsWhite(img.pixel(x, y)))
                (y < 35 ? tiny : big) |= QRect(x, y, 1, 1);
    EXPECT_LE(tiny.width(), 3);
    EXPECT_LE(tiny.height(), 3);
    EXPECT_TRUE(tiny.contains(13, 20));
    EXPECT_NEAR(big.left(), 31.5, 1);
    EXPECT_NEAR(big.right(), 47.5, 1);
    EXPECT_NEAR(big.top(), 43.5, 1);
    EXPECT_NEAR(big.bottom(), 59.5, 1);
    EXPECT_TRUE(IsRed(img.pixel(40, 52)));
}

TEST(LineEnds, SampleKinds3And7FillTheSquareWhile4And8FillOnlyTheShape)
{
    // Sample square (12, 4)-(28, 20) in a 40 x 24 row.
    for (TKVRTermType kind : {3, 4, 7, 8}) {
        CanvasImage c(40, 24);
        c.canvas->Stroke().SetThickness(1);
        DrawTerm(*c.canvas, TRectF(0, 0, 40, 24), kind, kLine, kFill);
        const QImage& img = c.Done();
        const bool wholeSquare = kind == 3 || kind == 7;
        SCOPED_TRACE(int(kind));
        EXPECT_EQ(IsRed(img.pixel(14, 6)), wholeSquare);   // corner of the square, outside the shape
        EXPECT_EQ(IsWhite(img.pixel(14, 6)), !wholeSquare);
        EXPECT_TRUE(IsRed(img.pixel(20, 15)));             // inside the shape
        EXPECT_TRUE(IsWhite(img.pixel(8, 12)));            // outside the square
    }
}

TEST(LineEnds, SheetOfAllLineEnds)
{
    // Rows: kinds 0 to 11; columns: ends of lines going right, down, up-left
    // diagonally, and an arc end by angle; last column: the picker samples.
    const int cell = 70;
    const int w = cell * 5, h = cell * 12;
    Screen s(w, h);
    s.d.kC->Clear(TAlphaColors::White);
    CanvasImage samples(cell, h);
    samples.canvas->Stroke().SetThickness(1);
    for (TKVRTermType kind = 0; kind < 12; ++kind) {
        const float cy = cell * kind + cell / 2.0f;
        const struct { float x0, y0, x1, y1; } lines[3] = {{10, cy, 50, cy},
                                                          {cell + 35.0f, cy - 30, cell + 35.0f, cy + 10},
                                                          {2 * cell + 60.0f, cy + 25, 2 * cell + 25.0f, cy - 10}};
        s.d.kP->SetAntiAlias(true);
        for (const auto& l : lines) {
            AdjustLineType(&s.d, 0, 0);
            s.d.kP->SetColor(TAlphaColors::Black);
            s.d.kP->SetStrokeWidth(1.5f);
            s.d.kC->DrawLine(l.x0, l.y0, l.x1, l.y1, s.d.kP);
            s.Term(kind, 8, l.x1, l.y1, l.x0, l.y0);
        }
        // A quarter arc ending downwards at its bottom point.
        const float ax = 3 * cell + 35.0f, ay = cy + 12;
        s.d.kP->SetColor(TAlphaColors::Black);
        s.d.kP->SetStyle(TSkPaintStyle::Stroke);
        s.d.kC->DrawArc(TRectF(ax - 50, ay - 25, ax, ay + 25), 270, 90, false, s.d.kP);
        s.Term(kind, 8, ax, ay, float(std::numbers::pi / 2), 0, 8, true);
        DrawTerm(*samples.canvas, TRectF(0, cell * kind + 20.0f, cell, cell * kind + 50.0f), kind,
                 TAlphaColors::DarkBlue, TAlphaColors::Lavender);
    }
    QImage sheet = s.Pixels();
    {
        QPainter p(&sheet);
        p.drawImage(4 * cell, 0, samples.Done());
    }
    const QString dir = qEnvironmentVariable("KVR_TEST_PNG_DIR");
    if (!dir.isEmpty())
        sheet.save(QDir(dir).filePath("line-ends.png"));
    // Every kind but 0 changes the ends of the lines (compared with the row of kind 0).
    for (int kind = 0; kind < 12; ++kind) {
        for (int column = 0; column < 4; ++column) {
            bool marker = false;
            for (int y = 0; y < cell; ++y)
                for (int x = column * cell; x < (column + 1) * cell; ++x)
                    marker |= sheet.pixel(x, y) != sheet.pixel(x, y + cell * kind);
            EXPECT_EQ(marker, kind != 0) << kind << " " << column;
        }
    }
}
