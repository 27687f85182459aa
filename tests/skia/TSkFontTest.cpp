#include "SkiaTestUtil.h"
#include "platform/rtl/KVR.Math.h"
#include <gtest/gtest.h>
#include <cmath>
#include <thread>

using namespace SkTest;

namespace {
const QString kText = "Hamburgefonstiv 0123";

ISkFont ArialAt(float size, float scaleX = 1.0f)
{
    return std::make_shared<TSkFont>(TSkTypeface::MakeFromName("Arial", TSkFontStyle::Normal()), size, scaleX);
}

float Height(const ISkFont& f)
{
    TSkFontMetrics m;
    f->GetMetrics(m);
    return -m.Ascent + m.Descent;
}

QRect InkOfText(const ISkFont& font, float x, float y, int w, int h, float canvasScale = 1.0f, int dpi = 96,
                const QString& text = kText)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    img.setDotsPerMeterX(RoundHalfEven32(dpi / 0.0254));
    img.setDotsPerMeterY(RoundHalfEven32(dpi / 0.0254));
    {
        TSkCanvas c(&img);
        c.Scale(canvasScale, canvasScale);
        c.DrawSimpleText(text, x, y, font, Paint(TAlphaColors::Black, TSkPaintStyle::Fill, 0, true));
    }
    return InkBounds(img.convertToFormat(QImage::Format_ARGB32));
}
}

TEST(SkFontTypeface, FamiliesResolveThroughFontconfig)
{
    ISkTypeface arial = TSkTypeface::MakeFromName("Arial", TSkFontStyle::Normal());
    ASSERT_NE(arial, nullptr);
    EXPECT_EQ(arial->GetFamilyName(), "Liberation Sans");
    EXPECT_EQ(TSkTypeface::MakeFromName("Arial", TSkFontStyle::Normal()), arial) << "typefaces are shared";
    // An unknown family is substituted, not refused.
    ISkTypeface unknown = TSkTypeface::MakeFromName("No Such Family 42", TSkFontStyle::Normal());
    ASSERT_NE(unknown, nullptr);
    EXPECT_FALSE(unknown->GetFamilyName().isEmpty());
    // Bold is another face with wider glyphs.
    auto bold = std::make_shared<TSkFont>(TSkTypeface::MakeFromName("Arial", TSkFontStyle::Bold()), 20.0f);
    EXPECT_GT(bold->MeasureText(kText), ArialAt(20)->MeasureText(kText));
    const ISkTypeface fallback = std::make_shared<TSkFont>()->GetTypeface();
    ASSERT_NE(fallback, nullptr) << "no typeface means the default one";
    EXPECT_FALSE(fallback->GetFamilyName().isEmpty());
}

TEST(SkFontMetrics, SignsFollowSkia)
{
    TSkFontMetrics m;
    const float spacing = ArialAt(20)->GetMetrics(m);
    EXPECT_LT(m.Ascent, 0.0f);
    EXPECT_GT(m.Descent, 0.0f);
    EXPECT_LE(m.Top, m.Ascent);
    EXPECT_GE(m.Bottom, m.Descent);
    EXPECT_GT(m.UnderlinePosition, 0.0f);
    EXPECT_GT(m.UnderlineThickness, 0.0f);
    EXPECT_LT(m.StrikeoutPosition, 0.0f);
    EXPECT_FLOAT_EQ(spacing, -m.Ascent + m.Descent + m.Leading);
    // Ascent plus descent of a usual Latin font is a little over its size.
    EXPECT_GT(-m.Ascent + m.Descent, 20.0f);
    EXPECT_LT(-m.Ascent + m.Descent, 26.0f);
}

TEST(SkFontMeasure, FractionalSizesScaleExactlyAndOddSizesMeasureNothing)
{
    const ISkFont f10 = ArialAt(10), f105 = ArialAt(10.5f), f11 = ArialAt(11), f21 = ArialAt(21);
    EXPECT_NEAR(Height(f21) / Height(f105), 2.0, 1e-3);
    EXPECT_NEAR(f21->MeasureText(kText) / f105->MeasureText(kText), 2.0, 1e-3);
    EXPECT_NEAR(f105->MeasureText(kText) / f10->MeasureText(kText), 1.05, 1e-3);
    EXPECT_NE(f105->MeasureText(kText), f11->MeasureText(kText));
    EXPECT_NE(Height(f105), Height(f11));
    EXPECT_NEAR(ArialAt(20, 0.5f)->MeasureText(kText), ArialAt(20)->MeasureText(kText) / 2, 1e-3);
    // One advance per character: "ab" is "a" plus "b".
    const ISkFont f = ArialAt(17.3f);
    EXPECT_NEAR(f->MeasureText("ab"), f->MeasureText("a") + f->MeasureText("b"), 1e-4);

    EXPECT_EQ(ArialAt(20)->MeasureText(""), 0.0f);
    EXPECT_EQ(ArialAt(0)->MeasureText(kText), 0.0f);
    EXPECT_EQ(ArialAt(-5)->GetSize(), 0.0f);
    EXPECT_EQ(ArialAt(std::nanf(""))->GetSize(), 0.0f);
}

// What is drawn has the measured size, at any matrix and on any device.
TEST(SkFontDraw, InkMatchesMeasureAtAnyScaleAndResolution)
{
    const ISkFont f = ArialAt(10.5f);
    const float width = f->MeasureText(kText);
    const QRect ink = InkOfText(f, 2, 20, 200, 30);
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(ink.left(), 2, 2);
    EXPECT_LE(ink.right(), 2 + width + 1);
    EXPECT_GE(ink.right(), 2 + width - 4);  // the last glyph's right bearing

    // 10.5 pixels drawn eight times larger is the 84-pixel font, not 10 x 8 or 11 x 8
    // (glyph outlines about 60 pixels high, so 5 % is 3 pixels).
    const QRect scaled = InkOfText(f, 1, 12, 200, 120, 8.0f, 96, "HH");
    const QRect direct = InkOfText(ArialAt(84), 8, 96, 200, 120, 1.0f, 96, "HH");
    EXPECT_NEAR(scaled.width(), direct.width(), 1);
    EXPECT_NEAR(scaled.height(), direct.height(), 1);

    // The device's resolution plays no part.
    EXPECT_EQ(InkOfText(f, 2, 20, 200, 30, 1.0f, 300), ink);
}

TEST(SkFontDraw, StrokeAndFillTextIgnoresAStrokeWidthLeftBehind)
{
    auto draw = [](float leftWidth, TSkPaintStyle leftStyle) {
        ISkCanvas c = TSkCanvas::MakeRaster(200, 40);
        ISkPaint p = Paint(TAlphaColors::Black, leftStyle, leftWidth, true);
        c->DrawLine(0, 38, 200, 38, p);  // the earlier primitive that set the width
        p->SetPathEffect(TSkPathEffect::MakeStrokeAndFill());
        c->DrawSimpleText(kText, 4, 25, ArialAt(16), p);
        return Pixels(c);
    };
    const QImage thin = draw(1, TSkPaintStyle::Stroke);
    const QImage thick = draw(9, TSkPaintStyle::Stroke);
    const QImage filled = draw(9, TSkPaintStyle::Fill);
    ASSERT_FALSE(InkBounds(thin.copy(0, 0, 200, 30)).isNull());
    EXPECT_EQ(thin.copy(0, 0, 200, 30), thick.copy(0, 0, 200, 30));
    EXPECT_EQ(thin.copy(0, 0, 200, 30), filled.copy(0, 0, 200, 30));
}

TEST(SkFontDraw, StrokeStyleWithoutTheEffectOutlinesGlyphs)
{
    ISkCanvas filled = TSkCanvas::MakeRaster(120, 80);
    ISkCanvas outlined = TSkCanvas::MakeRaster(120, 80);
    filled->DrawSimpleText("O", 10, 70, ArialAt(70), Paint(TAlphaColors::Black));
    outlined->DrawSimpleText("O", 10, 70, ArialAt(70), Paint(TAlphaColors::Black, TSkPaintStyle::Stroke, 1));
    const QImage a = Pixels(filled), b = Pixels(outlined);
    // A point inside the ring of the O: solid when filled, hollow when outlined.
    const QRect ink = InkBounds(a);
    const int y = ink.center().y();
    int x = ink.left();
    while (x < ink.right() && Inked(a, x, y))
        ++x;  // x is now in the counter; step back into the ring
    const int ringX = ink.left() + (x - ink.left()) / 2;
    EXPECT_TRUE(Inked(a, ringX, y));
    EXPECT_FALSE(Inked(b, ringX, y));
    EXPECT_FALSE(InkBounds(b).isNull());
}

// The export job draws on its own thread while the editor draws on the GUI thread.
TEST(SkFontDraw, WorksFromAnotherThread)
{
    const ISkFont f = ArialAt(13.7f);
    const float here = f->MeasureText(kText);
    QRect hereInk = InkOfText(f, 2, 20, 200, 30);
    float there = 0;
    QRect thereInk;
    std::thread worker([&] {
        there = f->MeasureText(kText);
        thereInk = InkOfText(f, 2, 20, 200, 30);
    });
    worker.join();
    EXPECT_EQ(here, there);
    EXPECT_EQ(hereInk, thereInk);
}
