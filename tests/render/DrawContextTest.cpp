#include "render/KVR.FMX.Types.h"
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {
TKVRDraw ContextAt(int dpi)
{
    TKVRDraw d;
    d.SetResolution(dpi, dpi);
    return d;
}
}

TEST(DrawContext, BaseValueRoundsHalfToEvenAndDropsTheSign)
{
    const TKVRDraw d = ContextAt(96);
    EXPECT_EQ(d.BaseValueX(-3.0f), 794);  // -793.75
    EXPECT_EQ(d.BaseValueY(3.0f), 794);
    // At 25400 dpi a pixel is one micrometre, so halves are exact.
    const TKVRDraw e = ContextAt(25400);
    EXPECT_EQ(e.BaseValueX(2.5f), 2);
    EXPECT_EQ(e.BaseValueX(3.5f), 4);
    EXPECT_EQ(e.BaseValueY(-2.5f), 2);
    // Far beyond 32 bits it stays the largest length, never a negative one.
    EXPECT_EQ(d.BaseValueX(-1e30f), INT32_MAX);
    EXPECT_EQ(d.BaseValueY(1e30f), INT32_MAX);
}

TEST(DrawContext, DrawValueKeepsSignAndSurvivesLongLengths)
{
    const TKVRDraw d = ContextAt(300);
    EXPECT_EQ(d.DrawValueX(0), 0.0f);
    EXPECT_FLOAT_EQ(d.DrawValueX(-25400), -300.0f);
    // 10 m at 600 dpi: the product leaves 32 bits.
    const TKVRDraw hi = ContextAt(600);
    EXPECT_FLOAT_EQ(hi.DrawValueX(10'000'000), 236220.47f);
    EXPECT_FLOAT_EQ(hi.DrawValueY(-10'000'000), -236220.47f);
}

TEST(DrawContext, MatrixCallsActAfterEarlierOnes)
{
    TKVRDraw d;
    d.Translate(10, 0);
    d.Rotate(90);
    const TPointF p = d.LM.Map({0, 0});
    EXPECT_NEAR(p.X, 0.0f, 1e-5);
    EXPECT_NEAR(p.Y, 10.0f, 1e-5);

    // Scale first, rotate second, move last.
    d.ResetMatrix(KVRDrawState::Print);
    EXPECT_EQ(d.DrawState, KVRDrawState::Print);
    d.Scale(2, 1);
    d.Rotate(90);
    d.Translate(100, 50);
    const TPointF q = d.LM.Map({1, 0});
    EXPECT_NEAR(q.X, 100.0f, 1e-4);
    EXPECT_NEAR(q.Y, 52.0f, 1e-4);
}

TEST(UnitGlobals, FontPrintDpiAndSavedColours)
{
    SavedColors[3] = {0xFF112233u, true};
    SetFontPrintDPI(600);
    InitializeKVRFMXTypes();
    for (const auto& c : SavedColors)
        EXPECT_FALSE(c.fAsigned);
    EXPECT_FLOAT_EQ(GetFontPrintDPI(), 96.0f);
    EXPECT_FLOAT_EQ(FontPrintSize(25.4f), 96.0f);
    for (float refused : {0.0f, -5.0f, std::numeric_limits<float>::infinity(), std::nanf("")})
        SetFontPrintDPI(refused);
    EXPECT_FLOAT_EQ(GetFontPrintDPI(), 96.0f);
    SetFontPrintDPI(600);
    EXPECT_FLOAT_EQ(FontPrintSize(25.4f), 600.0f);
    InitializeKVRFMXTypes();
}
