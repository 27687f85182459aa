#include "FmxTestImage.h"
#include "platform/fmx/FMX.Graphics.h"
#include "tests/support/PdfReader.h"
#include <QPainter>
#include <QPdfWriter>
#include <functional>
#include <QTemporaryDir>
#include <cmath>
#include <limits>
#include <gtest/gtest.h>

namespace {
constexpr float kDeg = float(M_PI / 180.0);

// Lengths of the alternating inked / empty runs of row y from the first ink,
// within the first `width` pixels.
std::vector<int> Runs(const QImage& image, int y, int width)
{
    return ImageProbes::Runs(image.copy(0, 0, width, image.height()), y, ImageProbes::Dark);
}

TRectF Measure(TCanvas& canvas, const QString& text)
{
    TRectF r(0, 0, 50000, 20000);
    canvas.MeasureText(r, text, false, 0, TTextAlign::Leading, TTextAlign::Leading);
    return r;
}
}

// Shapes probed where they must and must not paint: positive sweeps turn
// clockwise on the canvas and in paths (a path arc joins the open figure by a
// line: a pie; the picture frame's arcs centred inside each corner), only the
// corners in the set are rounded, a polygon's outline is closed and its fill
// winds non-zero, a stroke of no kind paints nothing, and matrices act in
// call order after a borrowed painter's own.
TEST(TCanvasShapes, PaintWhereTheyMust)
{
    struct Case
    {
        const char* name;
        std::function<void(TCanvas&)> paint;
        std::vector<QPoint> ink, paper;
    };
    auto frame = [](TCanvas& c) {
        const float r = 20;
        TPathData path;
        path.AddArc({10 + r, 10 + r}, {r, r}, 180, 90);
        path.AddArc({90 - r, 10 + r}, {r, r}, 270, 90);
        path.AddArc({90 - r, 90 - r}, {r, r}, 0, 90);
        path.AddArc({10 + r, 90 - r}, {r, r}, 90, 90);
        path.ClosePath();
        c.FillPath(path, 1.0f);
    };
    const Case cases[] = {
        {"arc",
         [](TCanvas& c) {
             c.Stroke().SetThickness(3);
             c.DrawArc({50, 50}, {30, 30}, 0, 90, 255.0f);
         },
         {{80, 50}, {71, 71}, {50, 80}}, {{71, 29}, {29, 71}}},
        {"pie",
         [](TCanvas& c) {
             TPathData pie;
             pie.MoveTo({50, 50});
             pie.AddArc({50, 50}, {40, 40}, 0, 90);
             pie.ClosePath();
             c.FillPath(pie, 1.0f);
         },
         {{65, 65}}, {{65, 35}, {35, 65}}},
        {"frame", frame, {{50, 11}, {11, 50}}, {{12, 12}, {87, 12}, {87, 87}, {12, 87}}},
        {"one round corner", [](TCanvas& c) { c.FillRect({50, 50, 10, 10}, 12, 12, CornerSet(TCorner::TopLeft), 1.0f); },
         {{48, 11}, {48, 48}, {11, 48}}, {{11, 11}}},
        {"closed outline",
         [](TCanvas& c) {
             c.Stroke().SetThickness(2);
             c.DrawPolygon({{10, 10}, {50, 10}, {50, 50}}, 1.0f);
         },
         {{30, 30}}, {{20, 40}}},
        {"pentagram",
         [](TCanvas& c) {
             TPolygon star;
             for (int i = 0; i < 5; ++i) {
                 const double a = (-90 + i * 144) * M_PI / 180;
                 star.push_back({float(50 + 45 * std::cos(a)), float(50 + 45 * std::sin(a))});
             }
             c.FillPolygon(star, 1.0f);
         },
         {{50, 50}}, {}},
        {"no stroke kind",
         [](TCanvas& c) {
             c.Stroke().SetThickness(2);
             c.Stroke().SetKind(TBrushKind::None);
             c.DrawLine({0, 10}, {20, 10}, 1.0f);
             c.DrawRect({2, 2, 18, 18}, 0, 0, NoCorners, 1.0f);
         },
         {}, {{10, 10}, {2, 10}, {18, 10}}},
        {"matrix order",  // (0..4, 0..2) -> (30..34, 10..12) -> (-12..-10, 30..34) -> (38..40, 30..34)
         [](TCanvas& c) {
             const TMatrix m = TMatrix::CreateTranslation(30, 10) * TMatrix::CreateRotation(90 * kDeg) *
                               TMatrix::CreateTranslation(50, 0);
             c.SetMatrix(m);
             c.FillRect({0, 0, 4, 2}, 0, 0, NoCorners, 1.0f);
             EXPECT_EQ(c.Matrix(), m);
         },
         {{39, 32}}, {{32, 11}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CanvasImage image(100, 100);
        c.paint(*image.canvas);
        const QImage& img = image.Done();
        for (const QPoint& p : c.ink)
            EXPECT_TRUE(Ink(img, p.x(), p.y())) << p.x() << ", " << p.y();
        for (const QPoint& p : c.paper)
            EXPECT_FALSE(Ink(img, p.x(), p.y())) << p.x() << ", " << p.y();
        if (c.ink.empty() && c.paper.size() > 2) {
            EXPECT_TRUE(ImageProbes::Bounds(img, ImageProbes::NotWhite).isNull());
        }
    }
    // A borrowed painter's own transform acts after the canvas matrix.
    QImage page(100, 50, QImage::Format_ARGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.translate(60, 0);
    TCanvas canvas(painter);
    canvas.SetMatrix(TMatrix::CreateTranslation(10, 20));
    canvas.FillRect({0, 0, 5, 5}, 0, 0, NoCorners, 1.0f);
    painter.end();
    EXPECT_TRUE(Ink(page, 72, 22));
    EXPECT_FALSE(Ink(page, 12, 22));
}

TEST(TCanvasStroke, DashesAreCountedInThicknesses)
{
    CanvasImage c(120, 40);
    TStrokeBrush& s = c.canvas->Stroke();
    s.SetThickness(4);
    s.SetCustomDash({2, 1}, 0);
    c.canvas->DrawLine({0, 10}, {120, 10}, 1.0f);
    s.SetThickness(2);
    s.SetDash(TStrokeDash::Dash);  // 3, 1 thicknesses
    c.canvas->DrawLine({0, 25}, {120, 25}, 1.0f);
    s.SetDash(TStrokeDash::Solid);
    c.canvas->DrawLine({0, 35}, {120, 35}, 1.0f);
    const QImage& img = c.Done();
    const std::vector<int> custom = Runs(img, 10, 96), named = Runs(img, 25, 96);
    ASSERT_GE(custom.size(), 8u);
    for (size_t i = 0; i + 1 < custom.size(); ++i)  // the last run is cut by the window
        EXPECT_EQ(custom[i], i % 2 == 0 ? 8 : 4) << "run " << i;
    EXPECT_EQ(named[0], 6);
    EXPECT_EQ(named[1], 2);
    EXPECT_EQ(Runs(img, 35, 120).size(), 1u);

    // Qt would stretch the dashes of a pen thinner than one pixel to whole pixels.
    QImage thin(40, 4, QImage::Format_ARGB32);
    thin.fill(Qt::transparent);
    TCanvas canvas(&thin);
    ASSERT_TRUE(canvas.BeginScene());
    canvas.Stroke().SetThickness(0.5f);
    canvas.Stroke().SetCustomDash({4, 4}, 0);  // 2 pixels on, 2 off
    canvas.DrawLine({0, 2}, {40, 2}, 1.0f);
    canvas.EndScene();
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(qAlpha(thin.pixel(x, 1)) + qAlpha(thin.pixel(x, 2)) > 0, (x / 2) % 2 == 0) << "x " << x;
}

TEST(TCanvasStroke, NoThicknessIsTheThinnestLine)
{
    // 0, and values no pen has, draw one device pixel, whatever the scale.
    for (float thickness : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()}) {
        CanvasImage c(40, 40);
        c.canvas->SetMatrix(TMatrix::CreateScaling(4, 4));
        c.canvas->Stroke().SetThickness(thickness);
        c.canvas->DrawRect({1, 1, 9, 9}, 0, 0, NoCorners, 1.0f);
        const QImage& img = c.Done();
        const std::vector<int> runs = ImageProbes::Runs(img, 20, ImageProbes::Dark);
        ASSERT_EQ(runs.size(), 4u) << thickness;  // left edge, inside, right edge, paper
        EXPECT_LE(runs[0], 2) << thickness;
        EXPECT_GE(runs[1], 28) << thickness;
        EXPECT_LE(runs[2], 2) << thickness;
    }
}

// A symbol's modules as one fill: each rectangle where FillRect puts it
// (reversed ones too), overlaps not cancelled, and no pale seam where two
// meet between pixels; nothing at all for none.
TEST(TCanvasShapes, FillRectsCoverTheirUnionAtFullStrength)
{
    const std::vector<TRectF> rects = {{2, 2, 10.5f, 12}, {10.5f, 2, 20, 12}, {40, 30, 30, 20}, {25, 4, 35, 9},
                                       {30, 6, 38, 12}};
    CanvasImage one(50, 40), each(50, 40);
    one.canvas->FillRects(rects, 1.0f);
    for (const TRectF& r : rects)
        each.canvas->FillRect(r, 0, 0, NoCorners, 1.0f);
    const QImage& a = one.Done();
    const QImage& b = each.Done();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x) {
            if (x == 10)  // the shared edge of the first two
                continue;
            ASSERT_EQ(qGray(a.pixel(x, y)), qGray(b.pixel(x, y))) << x << ", " << y;
        }
    for (int y = 3; y < 11; ++y) {
        EXPECT_EQ(qGray(a.pixel(10, y)), 0) << y;
        EXPECT_GT(qGray(b.pixel(10, y)), 0) << "separate fills leave a seam";
    }
    EXPECT_EQ(qGray(a.pixel(31, 7)), 0);  // the overlap of the last two stays filled
    EXPECT_EQ(qGray(a.pixel(35, 25)), 0);  // the reversed one

    CanvasImage none(10, 10);
    none.canvas->FillRects({}, 1.0f);
    EXPECT_TRUE(ImageProbes::Bounds(none.Done(), ImageProbes::Dark).isEmpty());
}

TEST(TCanvasShapes, OpacityIsClampedAndScalesAlpha)
{
    CanvasImage c(30, 10);
    c.canvas->FillRect({0, 0, 10, 10}, 0, 0, NoCorners, 255.0f);
    c.canvas->FillRect({10, 0, 20, 10}, 0, 0, NoCorners, 0.5f);
    c.canvas->FillRect({20, 0, 30, 10}, 0, 0, NoCorners, -3.0f);
    const QImage& img = c.Done();
    EXPECT_EQ(qGray(img.pixel(5, 5)), 0);
    EXPECT_NEAR(qGray(img.pixel(15, 5)), 128, 2);
    EXPECT_EQ(qGray(img.pixel(25, 5)), 255);
}

TEST(TCanvasText, SizeIsInNinetySixthsOfAnInchAndFractionsStay)
{
    CanvasImage at96(10, 10, 96), at192(10, 10, 192);
    TCanvas& canvas = *at96.canvas;
    canvas.Font().SetFamily("Arial");
    auto measure = [&](float size) {
        canvas.Font().SetSize(size);
        return Measure(canvas, "Label 0123 Hg");
    };
    const TRectF r10 = measure(10), r105 = measure(10.5f), r11 = measure(11), r21 = measure(21);
    EXPECT_NEAR(r21.Width() / r105.Width(), 2.0, 1e-2);
    EXPECT_NEAR(r21.Height() / r105.Height(), 2.0, 1e-2);
    // 10.5 is neither 10 nor 11: halfway between them.
    EXPECT_NEAR(r105.Width(), (r10.Width() + r11.Width()) / 2, 0.05);
    EXPECT_GT(r105.Width(), r10.Width() + 0.1f);
    // Leading alignment starts the box at the rectangle's corner.
    EXPECT_EQ(r105.Left, 0.0f);
    EXPECT_EQ(r105.Top, 0.0f);

    // The same size on a device of twice the resolution is twice the pixels.
    at192.canvas->Font() = canvas.Font();
    EXPECT_NEAR(at192.canvas->TextWidth("Hello") / canvas.TextWidth("Hello"), 2.0, 1e-3);
    EXPECT_NEAR(at192.canvas->TextHeight("Hello") / canvas.TextHeight("Hello"), 2.0, 1e-3);
}

TEST(TCanvasText, AlignmentLinesAndWrapping)
{
    CanvasImage c(10, 10);
    TCanvas& canvas = *c.canvas;
    canvas.Font().SetFamily("Arial");
    canvas.Font().SetSize(20);
    const float w = canvas.TextWidth("abc");
    const float h = canvas.TextHeight("abc");

    TRectF r(0, 0, 200, 100);
    canvas.MeasureText(r, "abc", false, 0, TTextAlign::Center, TTextAlign::Center);
    EXPECT_NEAR(r.Left, (200 - w) / 2, 1e-3);
    EXPECT_NEAR(r.Top, (100 - h) / 2, 1e-3);
    r = TRectF(0, 0, 200, 100);
    canvas.MeasureText(r, "abc", false, 0, TTextAlign::Trailing, TTextAlign::Trailing);
    EXPECT_NEAR(r.Right, 200, 1e-3);
    EXPECT_NEAR(r.Bottom, 100, 1e-3);

    EXPECT_NEAR(canvas.TextHeight("abc\r\ndef\nghi"), 3 * h, 1e-3);
    EXPECT_NEAR(canvas.TextHeight(""), h, 1e-3);  // an empty text is one empty line
    EXPECT_GT(canvas.TextWidth("abc "), w);        // trailing spaces advance

    const QString words = "one two three four";
    r = TRectF(0, 0, canvas.TextWidth("one two") + 1, 1000);
    canvas.MeasureText(r, words, true, 0, TTextAlign::Leading, TTextAlign::Leading);
    EXPECT_NEAR(r.Height(), 3 * h, 1e-3);  // "one two" / "three" / "four"
    r = TRectF(0, 0, canvas.TextWidth("one two") + 1, 1000);
    canvas.MeasureText(r, words, false, 0, TTextAlign::Leading, TTextAlign::Leading);
    EXPECT_NEAR(r.Height(), h, 1e-3);
}

TEST(TCanvasText, PaintsInsideTheMeasuredBoxInTheFillColour)
{
    // Left to right from the left edge, and right to left from the right edge.
    for (bool rtl : {false, true}) {
        SCOPED_TRACE(rtl);
        CanvasImage c(300, 80);
        TCanvas& canvas = *c.canvas;
        canvas.Font().SetFamily("Arial");
        canvas.Font().SetSize(30.5f);
        canvas.Font().SetStyle(FontStyleSet(TFontStyle::Bold));
        canvas.Fill().SetColor(0xFF0000C0);
        const TFillTextFlags flags = rtl ? FillTextFlagSet(TFillTextFlag::RightToLeft) : 0;
        TRectF box(20, 10, 280, 70);
        canvas.FillText(box, "Hg 10.5", false, 255.0f, flags, TTextAlign::Leading, TTextAlign::Leading);
        canvas.MeasureText(box, "Hg 10.5", false, flags, TTextAlign::Leading, TTextAlign::Leading);
        EXPECT_NEAR(rtl ? box.Right : box.Left, rtl ? 280 : 20, 1e-3);
        const QImage& img = c.Done();
        const QRect ink = ImageProbes::Bounds(img, ImageProbes::Dark);
        EXPECT_GT(ink.width(), 60);
        EXPECT_GE(ink.left(), box.Left - 1);
        EXPECT_GE(ink.top(), box.Top - 1);
        EXPECT_LE(ink.right(), box.Right + 1);
        EXPECT_LE(ink.bottom(), box.Bottom + 1);
        EXPECT_NEAR(rtl ? ink.right() : ink.left(), rtl ? 279 : 21, 3);
        const QRect blue = ImageProbes::Bounds(img, [](const QImage& i, int x, int y) {
            return qBlue(i.pixel(x, y)) > 150 && qRed(i.pixel(x, y)) < 60;
        });
        EXPECT_FALSE(blue.isNull()) << "painted in the fill colour";
    }
}

TEST(TCanvasState, RestoreBringsBackBrushesFontAndMatrix)
{
    CanvasImage c(60, 60);
    TCanvas& canvas = *c.canvas;
    canvas.Fill().SetColor(TAlphaColors::Red);
    canvas.Stroke().SetThickness(3);
    canvas.Stroke().SetCustomDash({1, 2}, 0.5f);
    canvas.Font().SetFamily("Arial");
    canvas.Font().SetSize(10.5f);
    canvas.SetMatrix(TMatrix::CreateTranslation(5, 5));
    const TCanvasSaveState saved = canvas.SaveState();

    canvas.Fill().SetKind(TBrushKind::None);
    canvas.Stroke().SetDash(TStrokeDash::Solid);
    canvas.Stroke().SetThickness(9);
    canvas.Font().SetSize(30);
    canvas.Font().SetStyle(FontStyleSet(TFontStyle::Italic));
    canvas.SetMatrix(TMatrix::CreateRotation(1.0f));
    canvas.RestoreState(saved);

    EXPECT_EQ(canvas.Stroke().Thickness(), 3.0f);
    EXPECT_EQ(canvas.Stroke().DashArray(), (std::vector<float>{1, 2}));
    EXPECT_EQ(canvas.Font().Size(), 10.5f);
    EXPECT_EQ(canvas.Font().Style(), TFontStyles(0));
    canvas.FillRect({0, 0, 2, 2}, 0, 0, NoCorners, 1.0f);  // lands at (5, 5) again
    const QImage& img = c.Done();
    EXPECT_EQ(img.pixel(6, 6), qRgb(255, 0, 0));

    // The guard restores also when an exception passes.
    try {
        TCanvasStateGuard guard(canvas);
        canvas.SetMatrix(TMatrix::CreateScaling(3, 3));
        canvas.Fill().SetColor(TAlphaColors::Blue);
        throw std::runtime_error("painting failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(canvas.Matrix(), TMatrix::CreateTranslation(5, 5));
    EXPECT_EQ(canvas.Fill().Color(), TAlphaColors::Red);
}

TEST(TCanvasScene, DrawingNeedsAScene)
{
    QImage img(10, 10, QImage::Format_ARGB32);
    TCanvas canvas(&img);
    EXPECT_THROW(canvas.FillRect({0, 0, 5, 5}, 0, 0, NoCorners, 1.0f), ECanvasException);
    ASSERT_TRUE(canvas.BeginScene());
    ASSERT_TRUE(canvas.BeginScene());  // nested
    canvas.EndScene();
    EXPECT_TRUE(canvas.IsInScene());
    EXPECT_NO_THROW(canvas.FillRect({0, 0, 5, 5}, 0, 0, NoCorners, 1.0f));
    canvas.EndScene();
    EXPECT_FALSE(canvas.IsInScene());
    EXPECT_THROW(canvas.DrawLine({0, 0}, {5, 5}, 1.0f), ECanvasException);
    // Measuring needs no scene.
    EXPECT_GT(canvas.TextWidth("x"), 0.0f);
}

TEST(TCanvasPdf, TextStaysSearchableAndSizedInPdf)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath("canvas.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setResolution(1200);
        TCanvas canvas(&writer);
        ASSERT_TRUE(canvas.BeginScene());
        canvas.Font().SetFamily("Arial");
        canvas.Font().SetSize(10.5f);  // 10.5 / 96 inch = 7.875 pt
        canvas.FillText({1200, 1200, 50000, 50000}, "Alpha", false, 255.0f, 0, TTextAlign::Leading,
                        TTextAlign::Leading);
        canvas.Font().SetSize(21);
        canvas.FillText({1200, 2400, 50000, 50000}, "Omega", false, 255.0f, 0, TTextAlign::Leading,
                        TTextAlign::Leading);
        canvas.EndScene();
    }
    double alpha = -1, omega = -1;
    for (const TPdfPageWord& w : PdfPageWords(pdf))
        (w.text == "Alpha" ? alpha : omega) = w.yMax - w.yMin;
    ASSERT_GT(alpha, 0.0);
    ASSERT_GT(omega, 0.0);
    EXPECT_NEAR(omega / alpha, 2.0, 0.02);
    EXPECT_NEAR(alpha, 7.875 * 1.117, 7.875 * 0.2);  // about the font size in points
}
