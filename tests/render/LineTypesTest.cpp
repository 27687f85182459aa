#include "render/KVR.FMX.Types.h"
#include "platform/skia/System.Skia.h"
#include "tests/fmx/FmxTestImage.h"
#include "tests/skia/SkiaTestUtil.h"
#include <QDir>
#include <gtest/gtest.h>

namespace {

// A screen context at 254 dpi: the standard widths are whole pixels
// (w05 5, w1 10, w2 20, w3 30, w4 40).
struct Screen
{
    TKVRDraw d;
    Screen(int w, int h, int dpi = 254)
    {
        d.SetResolution(dpi, dpi);
        d.SetStandardWidths();
        d.kC = TSkCanvas::MakeRaster(w, h);
        d.kP = std::make_shared<TSkPaint>();
        d.kP->SetColor(TAlphaColors::Black);
    }
    void Line(float y, float penWidth)
    {
        d.kP->SetStrokeWidth(penWidth);
        d.kC->DrawLine(0, y, float(d.kC->Snapshot().width()), y, d.kP);
    }
    QImage Pixels() const { return SkTest::Pixels(d.kC); }
};

// The runs of a dashed row without the first and last one, which the phase
// and the image's edge cut short.
std::vector<int> InnerRuns(const QImage& img, int y)
{
    std::vector<int> runs = SkTest::RunsAlongRow(img, y);
    if (runs.size() < 3)
        return {};
    return std::vector<int>(runs.begin() + 1, runs.end() - 1);
}

void ExpectRunsRepeat(const std::vector<int>& runs, const std::vector<int>& pattern)
{
    ASSERT_GE(runs.size(), pattern.size() * 2);
    // Inner runs start with a gap (the first dash is dropped).
    for (size_t i = 0; i < runs.size(); ++i)
        EXPECT_NEAR(runs[i], pattern[(i + 1) % pattern.size()], 1) << "run " << i;
}

}  // namespace

TEST(LineTypes, ScreenDashesComeFromStandardWidthsWhateverThePen)
{
    for (float pen : {1.0f, 3.0f}) {
        Screen s(400, 20);
        AdjustLineType(&s.d, 2, 0);
        EXPECT_EQ(s.d.kP->GetStyle(), TSkPaintStyle::Stroke);
        ASSERT_TRUE(s.d.kP->GetPathEffect());
        EXPECT_EQ(s.d.kP->GetPathEffect()->GetIntervals(), (std::vector<float>{s.d.w1, s.d.w1}));
        EXPECT_FLOAT_EQ(s.d.kP->GetPathEffect()->GetPhase(), 1.0f);
        s.Line(10, pen);
        ExpectRunsRepeat(InnerRuns(s.Pixels(), 10), {10, 10});
    }
}

TEST(LineTypes, DashesAndDotsOfSeveralTypes)
{
    const std::vector<std::pair<TVXLineType, std::vector<int>>> cases = {
        {1, {5, 5}}, {3, {20, 10}}, {9, {40, 20}}, {11, {40, 10, 10, 10}}};
    for (const auto& [type, pattern] : cases) {
        Screen s(600, 20);
        AdjustLineType(&s.d, type, 0);
        s.Line(10, 2);
        SCOPED_TRACE(int(type));
        ExpectRunsRepeat(InnerRuns(s.Pixels(), 10), pattern);
    }
}

TEST(LineTypes, EditorHighlightReplacesTheDashOnlyInTheEditor)
{
    for (TKVRDrawState state : {KVRDrawState::Editor, KVRDrawState::EditorText}) {
        Screen s(400, 40);
        s.d.DrawState = state;
        AdjustLineType(&s.d, 0, 1);  // solid element, highlighted
        s.Line(10, 1);
        AdjustLineType(&s.d, 7, 2);
        s.Line(30, 1);
        const QImage img = s.Pixels();
        ExpectRunsRepeat(InnerRuns(img, 10), {12, 6});
        ExpectRunsRepeat(InnerRuns(img, 30), {4, 2});
    }
    // The preview and exports stroke the element's own type.
    Screen p(400, 40);
    p.d.DrawState = KVRDrawState::Preview;
    AdjustLineType(&p.d, 0, 1);
    EXPECT_FALSE(p.d.kP->GetPathEffect());
    p.Line(10, 1);
    AdjustLineType(&p.d, 2, 1);
    p.Line(30, 1);
    const QImage img = p.Pixels();
    EXPECT_EQ(SkTest::RunsAlongRow(img, 10), std::vector<int>{400});
    ExpectRunsRepeat(InnerRuns(img, 30), {10, 10});
}

TEST(LineTypes, SolidAndUnknownTypesAndStatesClearAnEarlierDash)
{
    Screen s(400, 60);
    AdjustLineType(&s.d, 2, 0);
    AdjustLineType(&s.d, 0, 0);
    EXPECT_FALSE(s.d.kP->GetPathEffect());
    s.Line(10, 1);

    // A type beyond the table does not inherit the previous element's dash.
    AdjustLineType(&s.d, 5, 0);
    AdjustLineType(&s.d, 12, 0);
    EXPECT_FALSE(s.d.kP->GetPathEffect());
    EXPECT_EQ(s.d.kP->GetStyle(), TSkPaintStyle::Stroke);
    s.Line(30, 1);

    // Nor an unknown highlight state in the editor.
    AdjustLineType(&s.d, 5, 0);
    AdjustLineType(&s.d, 5, 3);
    EXPECT_FALSE(s.d.kP->GetPathEffect());
    s.Line(50, 1);
    const QImage img = s.Pixels();
    for (int y : {10, 30, 50})
        EXPECT_EQ(SkTest::RunsAlongRow(img, y), std::vector<int>{400}) << y;

    // Outside the editor the state does not count at all.
    s.d.DrawState = KVRDrawState::Export;
    AdjustLineType(&s.d, 5, 3);
    ASSERT_TRUE(s.d.kP->GetPathEffect());
    EXPECT_EQ(s.d.kP->GetPathEffect()->GetIntervals(), (std::vector<float>{s.d.w2, s.d.w2}));
}

TEST(LineTypes, NoPaintNoCanvasNoCrash)
{
    TKVRDraw d;
    AdjustLineType(&d, 2, 0);
    AdjustPrintLineType(&d, 1.0f, 2);
    AdjustLineType(nullptr, 2, 0);
    AdjustPrintLineType(nullptr, 1.0f, 2);
    SUCCEED();
}

TEST(PrintLineTypes, EntriesAreNominalLengthsCountedInPenWidths)
{
    CanvasImage c(10, 10);
    TKVRDraw d;
    d.pC = c.canvas.get();
    AdjustPrintLineType(&d, 0.5f, 7);
    const TStrokeBrush& stroke = d.pC->Stroke();
    EXPECT_FLOAT_EQ(stroke.Thickness(), 0.5f);
    EXPECT_EQ(stroke.Dash(), TStrokeDash::Custom);
    EXPECT_EQ(stroke.DashArray(), (std::vector<float>{6.0f, 6.0f}));
    EXPECT_FLOAT_EQ(stroke.DashOffset(), 0.0f);

    AdjustPrintLineType(&d, 2.0f, 11);
    EXPECT_EQ(stroke.DashArray(), (std::vector<float>{2.0f, 0.5f, 0.5f, 0.5f}));
    AdjustPrintLineType(&d, 0.3f, 1);
    EXPECT_EQ(stroke.DashArray(), (std::vector<float>{float(0.5 / double(0.3f)), float(0.5 / double(0.3f))}));

    AdjustPrintLineType(&d, 1.0f, 0);
    EXPECT_EQ(stroke.Dash(), TStrokeDash::Solid);
}

TEST(PrintLineTypes, PenWithoutWidthAndUnknownTypesPrintSolid)
{
    CanvasImage c(10, 10);
    TKVRDraw d;
    d.pC = c.canvas.get();
    for (float pen : {0.0f, -0.5f}) {
        AdjustPrintLineType(&d, 1.0f, 7);
        ASSERT_EQ(d.pC->Stroke().Dash(), TStrokeDash::Custom);
        AdjustPrintLineType(&d, pen, 7);
        EXPECT_EQ(d.pC->Stroke().Dash(), TStrokeDash::Solid) << pen;
        EXPECT_FLOAT_EQ(d.pC->Stroke().Thickness(), pen);
    }
    AdjustPrintLineType(&d, 1.0f, 7);
    AdjustPrintLineType(&d, 1.0f, 12);
    EXPECT_EQ(d.pC->Stroke().Dash(), TStrokeDash::Solid);
}

TEST(PrintLineTypes, PrintedDashesMeasureTheirNominalLengthOnPaper)
{
    // 254 dpi: one millimetre is ten units. A 0.5 mm pen of type 7 prints
    // dashes and gaps of 3 mm.
    CanvasImage c(500, 20, 254);
    TKVRDraw d;
    d.SetResolution(254, 254);
    d.pC = c.canvas.get();
    AdjustPrintLineType(&d, 0.5f, 7);
    d.pC->Stroke().SetThickness(d.DrawBasePtoX(0.5f));
    d.pC->DrawLine({0, 10}, {500, 10}, 1.0f);
    const QImage& img = c.Done();
    std::vector<int> runs;
    for (int x = 0, n = 0; x <= img.width(); ++x) {
        const bool on = x < img.width() && Ink(img, x, 10);
        const bool was = x > 0 && Ink(img, x - 1, 10);
        if (x > 0 && on != was) {
            runs.push_back(n);
            n = 0;
        }
        ++n;
    }
    ASSERT_GE(runs.size(), 8u);
    for (size_t i = 0; i + 1 < runs.size(); ++i)  // the last run meets the edge
        EXPECT_NEAR(runs[i], 30, 1) << i;
}

TEST(LineTypes, SheetOfAllTypes)
{
    // Every type on screen at 150 dpi, a 1 mm pen, one row each.
    Screen s(700, 13 * 24, 150);
    s.d.kP->SetAntiAlias(true);
    s.d.kC->Clear(TAlphaColors::White);
    for (TVXLineType t = 0; t <= 12; ++t) {
        AdjustLineType(&s.d, t, 0);
        s.d.kP->SetStrokeWidth(s.d.BasePtoY(0.3f));
        s.d.kC->DrawLine(40, 12.0f + 24 * t, 680, 12.0f + 24 * t, s.d.kP);
    }
    const QImage img = s.Pixels();
    const QString dir = qEnvironmentVariable("KVR_TEST_PNG_DIR");
    if (!dir.isEmpty())
        img.save(QDir(dir).filePath("line-types.png"));
    auto changes = [&](int y) {
        int n = 0;
        for (int x = 41; x < 679; ++x)
            n += (qGray(img.pixel(x, y)) < 128) != (qGray(img.pixel(x - 1, y)) < 128);
        return n;
    };
    EXPECT_EQ(changes(12), 0);
    EXPECT_EQ(changes(12 + 24 * 12), 0);
    for (int t = 1; t <= 11; ++t)
        EXPECT_GT(changes(12 + 24 * t), 10) << t;
}
