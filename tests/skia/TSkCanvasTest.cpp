#include "SkiaTestUtil.h"
#include <gtest/gtest.h>

using namespace SkTest;

namespace {
const TRectF kOval(10, 10, 90, 90);  // centre (50, 50), radius 40
}

// Skia's angles run clockwise on a y-down surface from three o'clock; Qt's arcs
// run the other way.
TEST(SkCanvasArc, ArcsSectorsAndChordsRunClockwise)
{
    auto quadrants = [](const QImage& img) {
        return std::vector<bool>{Inked(img, 70, 30), Inked(img, 70, 70), Inked(img, 30, 70), Inked(img, 30, 30)};
    };
    // A pie from 0 over 90: the lower right quadrant only.
    ISkCanvas pie = TSkCanvas::MakeRaster(100, 100);
    pie->DrawArc(kOval, 0, 90, true, Paint(TAlphaColors::Red));
    EXPECT_EQ(quadrants(Pixels(pie)), (std::vector<bool>{false, true, false, false}));
    pie->DrawArc(kOval, 180, 0, true, Paint(TAlphaColors::Blue));
    EXPECT_FALSE(Inked(Pixels(pie), 30, 30)) << "a zero sweep draws nothing";

    // A stroked arc from -90 over 90 follows the circle through the upper right, without radii.
    ISkCanvas arc = TSkCanvas::MakeRaster(100, 100);
    arc->DrawArc(kOval, -90, 90, false, Paint(TAlphaColors::Blue, TSkPaintStyle::Stroke, 3));
    QImage img = Pixels(arc);
    EXPECT_TRUE(Inked(img, 78, 22));
    EXPECT_FALSE(Inked(img, 78, 78));
    EXPECT_FALSE(Inked(img, 50, 50));

    // The sector element's path: centre, arc joined by a line, closed.
    TSkPathBuilder sector;
    sector.MoveTo(50, 50);
    sector.ArcTo(kOval, 180, 90, false);
    sector.Close();
    ISkCanvas c = TSkCanvas::MakeRaster(100, 100);
    c->DrawPath(sector.Detach(), Paint(TAlphaColors::Red));
    EXPECT_EQ(quadrants(Pixels(c)), (std::vector<bool>{false, false, false, true}));

    // The level gauge's arc closed by its chord: 0 over 180 is the lower half.
    TSkPathBuilder chord;
    chord.AddArc(kOval, 0, 180);
    chord.Close();
    ISkCanvas d = TSkCanvas::MakeRaster(100, 100);
    d->DrawPath(chord.Detach(), Paint(TAlphaColors::Red));
    img = Pixels(d);
    EXPECT_TRUE(Inked(img, 50, 70));
    EXPECT_FALSE(Inked(img, 50, 30));
}

TEST(SkCanvasMatrix, RotateTurnsClockwiseAndRestoreUndoesIt)
{
    ISkCanvas c = TSkCanvas::MakeRaster(100, 100);
    EXPECT_EQ(c->Save(), 1);
    c->Translate(50, 50);
    c->Rotate(90);
    c->DrawRect(TRectF(0, -2, 30, 2), Paint(TAlphaColors::Black));  // along +x before the turn
    c->Restore();
    c->Restore();  // past the first level: ignored
    EXPECT_EQ(c->GetSaveCount(), 1);
    c->DrawRect(TRectF(0, 0, 4, 4), Paint(TAlphaColors::Black));
    const QImage img = Pixels(c);
    EXPECT_TRUE(Inked(img, 50, 70));
    EXPECT_FALSE(Inked(img, 70, 50));
    EXPECT_TRUE(Inked(img, 2, 2)) << "the matrix is back to identity";
}

TEST(SkCanvasDash, IntervalsAreLocalUnitsWhateverTheStrokeWidth)
{
    auto dashedRow = [](float phase, float scale, float width, float y) {
        ISkCanvas c = TSkCanvas::MakeRaster(200, 20);
        c->Scale(scale, scale);
        ISkPaint p = Paint(TAlphaColors::Black, TSkPaintStyle::Stroke, width);
        p->SetPathEffect(TSkPathEffect::MakeDash({8 / scale, 4 / scale}, phase));
        c->DrawLine(10 / scale, y, 190 / scale, y, p);
        return RunsAlongRow(Pixels(c), int(y * scale));
    };
    // A 2-pixel pen, and a hairline under a 2x scale ({4, 2} local units are
    // 8 and 4 device pixels): the same pixels.
    for (const std::vector<int>& runs : {dashedRow(0, 1, 2, 10), dashedRow(0, 2, 0, 5.25f)}) {
        ASSERT_GE(runs.size(), 20u);
        for (size_t i = 0; i + 1 < runs.size(); ++i)
            EXPECT_EQ(runs[i], i % 2 == 0 ? 8 : 4) << "run " << i;
    }
    // Phase 2: the first dash has 6 pixels left.
    const std::vector<int> shifted = dashedRow(2, 1, 2, 10);
    ASSERT_GE(shifted.size(), 3u);
    EXPECT_EQ(shifted[0], 6);
    EXPECT_EQ(shifted[1], 4);
    EXPECT_EQ(shifted[2], 8);
}

TEST(SkCanvasDash, InvalidPatternsMakeNoEffect)
{
    EXPECT_EQ(TSkPathEffect::MakeDash({8}, 0), nullptr);
    EXPECT_EQ(TSkPathEffect::MakeDash({8, 4, 2}, 0), nullptr);
    EXPECT_EQ(TSkPathEffect::MakeDash({0, 0}, 0), nullptr);
    EXPECT_EQ(TSkPathEffect::MakeDash({4, -1}, 0), nullptr);
    // A pattern far too fine for the path is drawn solid instead of freezing.
    ISkCanvas c = TSkCanvas::MakeRaster(200, 20);
    ISkPaint p = Paint(TAlphaColors::Black, TSkPaintStyle::Stroke, 2);
    p->SetPathEffect(TSkPathEffect::MakeDash({1e-6f, 1e-6f}, 0));
    c->DrawLine(10, 10, 190, 10, p);
    EXPECT_EQ(RunsAlongRow(Pixels(c), 9), (std::vector<int>{180, 10}));  // one line, then the empty end
}

TEST(SkCanvasClip, OvalClipKeepsOnlyTheDisc)
{
    ISkCanvas c = TSkCanvas::MakeRaster(100, 100);
    TSkPathBuilder b;
    b.AddOval(TRectF(0, 0, 100, 100));
    c->Save();
    c->ClipPath(b.Detach(), TSkClipOp::Intersect, true);
    c->DrawRect(TRectF(0, 0, 100, 100), Paint(TAlphaColors::Blue));
    QImage img = Pixels(c);
    EXPECT_TRUE(Inked(img, 50, 50));
    EXPECT_TRUE(Inked(img, 50, 2));
    EXPECT_FALSE(Inked(img, 3, 3));
    EXPECT_FALSE(Inked(img, 96, 96));
    c->Restore();
    c->ClipRect(TRectF(0, 0, 10, 10));
    c->DrawRect(TRectF(0, 0, 100, 100), Paint(TAlphaColors::Red));
    img = Pixels(c);
    EXPECT_EQ(img.pixel(3, 3), 0xFFFF0000u) << "restore removed the oval clip";
    EXPECT_EQ(img.pixel(50, 50), 0xFF0000FFu) << "the rectangle clip holds";
}

TEST(SkCanvasShapes, StylesHairlineAndStrokeAndFillEffect)
{
    ISkCanvas c = TSkCanvas::MakeRaster(100, 100);
    c->DrawRect(TRectF(10.5f, 10.5f, 40.5f, 40.5f), Paint(TAlphaColors::Black, TSkPaintStyle::Stroke, 0));
    QImage img = Pixels(c);
    EXPECT_TRUE(Inked(img, 25, 10)) << "a hairline is one pixel";
    EXPECT_FALSE(Inked(img, 25, 11));
    EXPECT_FALSE(Inked(img, 25, 25)) << "stroke does not fill";

    // The stroke-and-fill effect makes a stroke a filled, grown shape...
    ISkPaint p = Paint(TAlphaColors::Black, TSkPaintStyle::Stroke, 10);
    p->SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
    c->DrawRect(TRectF(60, 60, 80, 80), p);
    img = Pixels(c);
    EXPECT_TRUE(Inked(img, 70, 70));
    EXPECT_TRUE(Inked(img, 57, 70));
    // ...and leaves a fill alone.
    p->SetStyle(TSkPaintStyle::Fill);
    c->DrawRect(TRectF(60, 10, 80, 30), p);
    img = Pixels(c);
    EXPECT_TRUE(Inked(img, 70, 20));
    EXPECT_FALSE(Inked(img, 57, 20));
}

TEST(SkCanvasShapes, RoundRectCornersAndPoints)
{
    ISkCanvas c = TSkCanvas::MakeRaster(100, 100);
    c->DrawRoundRect(TRectF(90, 90, 10, 10), 20, 20, Paint(TAlphaColors::Black));  // reversed corners
    QImage img = Pixels(c);
    EXPECT_TRUE(Inked(img, 50, 11));
    EXPECT_TRUE(Inked(img, 50, 50));
    EXPECT_FALSE(Inked(img, 12, 12)) << "the corner is rounded";
    // Radii larger than the rectangle shrink to fit: a disc, not a square.
    ISkCanvas d = TSkCanvas::MakeRaster(100, 100);
    d->DrawRoundRect(TRectF(10, 10, 90, 90), 500, 500, Paint(TAlphaColors::Black));
    img = Pixels(d);
    EXPECT_TRUE(Inked(img, 50, 50));
    EXPECT_FALSE(Inked(img, 20, 20));

    ISkCanvas e = TSkCanvas::MakeRaster(20, 20);
    ISkPaint p = Paint(TAlphaColors::Black, TSkPaintStyle::Fill, 6);
    e->DrawPoint(10, 10, p);
    EXPECT_EQ(InkBounds(Pixels(e)), QRect(7, 7, 6, 6)) << "a square of the stroke width";
}

TEST(SkCanvasShapes, ClearAndAnInactiveCanvasAreSafe)
{
    ISkCanvas c = TSkCanvas::MakeRaster(10, 10);
    c->ClipRect(TRectF(0, 0, 5, 10));
    c->Clear(0xFF00FF00u);
    const QImage img = Pixels(c);
    EXPECT_EQ(img.pixel(2, 5), 0xFF00FF00u);
    EXPECT_EQ(img.pixel(7, 5), 0u);

    EXPECT_EQ(TSkCanvas::MakeRaster(0, 10), nullptr);
    QImage nothing;
    TSkCanvas dead(&nothing);
    EXPECT_FALSE(dead.IsActive());
    dead.Save();
    dead.DrawRect(TRectF(0, 0, 5, 5), nullptr);
    dead.DrawSimpleText("x", 0, 0, std::make_shared<TSkFont>(), nullptr);
    EXPECT_EQ(dead.GetSaveCount(), 1);
}

TEST(SkCanvasShapes, BorrowedPainterGetsItsStateBack)
{
    QImage img(20, 20, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter painter(&img);
    painter.translate(5, 5);
    {
        TSkCanvas c(&painter);
        c.Save();
        c.Translate(3, 0);
        c.SetMatrix(TMatrix::CreateTranslation(1, 0));  // relative to the painter's own matrix
        EXPECT_FLOAT_EQ(c.GetLocalToDevice().m31, 1.0f);
        c.DrawRect(TRectF(0, 0, 1, 1), Paint(TAlphaColors::Black));
    }
    EXPECT_EQ(painter.worldTransform(), QTransform::fromTranslate(5, 5));
    painter.end();
    EXPECT_TRUE(qAlpha(img.pixel(6, 5)) > 0);
}

TEST(SkCanvasStroke, APenWiderThanQtTakesIsHeldAtItsWidest)
{
    // Qt strokes a pen of 32,768 units or more one unit wide: under a scale
    // of 1/1000 a pen of a million units must still cover the canvas.
    ISkCanvas c = TSkCanvas::MakeRaster(100, 100);
    c->Scale(0.001f, 0.001f);
    c->DrawLine(0, 50000, 100000, 50000, Paint(TAlphaColors::Black, TSkPaintStyle::Stroke, 1.0e6f));
    const QImage img = Pixels(c);
    EXPECT_TRUE(Inked(img, 50, 50));
    EXPECT_TRUE(Inked(img, 50, 40)) << "the stroke is 32 pixels wide at least";
    EXPECT_TRUE(Inked(img, 50, 60));
}
