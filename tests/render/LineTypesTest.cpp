#include "tests/render/RenderTestSupport.h"
#include <gtest/gtest.h>
#include <limits>

namespace {

// A screen at 254 dpi: the standard widths are whole pixels
// (w05 5, w1 10, w2 20, w3 30, w4 40).
struct Screen : ScreenContext
{
    Screen(int w, int h, int dpi = 254) : ScreenContext(w, h, dpi) {}
    void Line(float y, float penWidth)
    {
        d.kP->SetStrokeWidth(penWidth);
        d.kC->DrawLine(0, y, float(d.kC->Snapshot().width()), y, d.kP);
    }
    std::vector<float> Intervals() const
    {
        return d.kP->GetPathEffect() ? d.kP->GetPathEffect()->GetIntervals() : std::vector<float>{};
    }
};

// The runs of a dashed row repeat the pattern. The first and last run, cut by
// the phase and the image's edge, are left out, so the inner runs start with a gap.
void ExpectRunsRepeat(const QImage& img, int y, const std::vector<int>& pattern)
{
    const std::vector<int> runs = SkTest::RunsAlongRow(img, y);
    ASSERT_GE(runs.size(), pattern.size() * 2 + 2) << "row " << y;
    for (size_t i = 1; i + 1 < runs.size(); ++i)
        EXPECT_NEAR(runs[i], pattern[i % pattern.size()], 1) << "row " << y << " run " << i;
}

bool Solid(const QImage& img, int y)
{
    return SkTest::RunsAlongRow(img, y) == std::vector<int>{img.width()};
}

}  // namespace

TEST(LineTypes, ScreenDashesAreStandardWidthsWhateverThePen)
{
    const std::vector<std::pair<TVXLineType, std::vector<int>>> cases = {
        {1, {5, 5}}, {2, {10, 10}}, {3, {20, 10}}, {9, {40, 20}}, {11, {40, 10, 10, 10}}};
    for (float pen : {1.0f, 3.0f}) {
        for (const auto& [type, pattern] : cases) {
            SCOPED_TRACE(testing::Message() << "type " << int(type) << " pen " << pen);
            Screen s(600, 20);
            AdjustLineType(&s.d, type, 0);
            EXPECT_EQ(s.d.kP->GetStyle(), TSkPaintStyle::Stroke);
            ASSERT_TRUE(s.d.kP->GetPathEffect());
            EXPECT_FLOAT_EQ(s.d.kP->GetPathEffect()->GetPhase(), 1.0f);
            s.Line(10, pen);
            ExpectRunsRepeat(s.Pixels(), 10, pattern);
        }
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
        ExpectRunsRepeat(img, 10, {12, 6});
        ExpectRunsRepeat(img, 30, {4, 2});
    }
    // The preview and exports stroke the element's own type.
    Screen p(400, 40);
    p.d.DrawState = KVRDrawState::Preview;
    AdjustLineType(&p.d, 0, 1);
    p.Line(10, 1);
    AdjustLineType(&p.d, 2, 1);
    p.Line(30, 1);
    const QImage img = p.Pixels();
    EXPECT_TRUE(Solid(img, 10));
    ExpectRunsRepeat(img, 30, {10, 10});
}

TEST(LineTypes, SolidAndUnknownTypesAndStatesClearAnEarlierDash)
{
    Screen s(400, 60);
    // Solid and a type beyond the table each follow a dashed element: neither inherits its dash.
    const std::pair<TVXLineType, TKVRItemState> solid[] = {{0, 0}, {12, 0}, {0, 3}};
    for (int row = 0; row < 3; ++row) {
        AdjustLineType(&s.d, 5, 0);
        AdjustLineType(&s.d, solid[row].first, solid[row].second);
        EXPECT_FALSE(s.d.kP->GetPathEffect()) << row;
        EXPECT_EQ(s.d.kP->GetStyle(), TSkPaintStyle::Stroke);
        s.Line(10.0f + 20 * row, 1);
    }
    const QImage img = s.Pixels();
    for (int y : {10, 30, 50})
        EXPECT_TRUE(Solid(img, y)) << y;

    // A state without a highlight of its own keeps the element's dash in the
    // editor, as preview and export do (where the state does not count at all).
    AdjustLineType(&s.d, 5, 3);
    const std::vector<float> editorDash = s.Intervals();
    EXPECT_EQ(editorDash, (std::vector<float>{s.d.w2, s.d.w2}));
    s.d.DrawState = KVRDrawState::Export;
    AdjustLineType(&s.d, 5, 3);
    EXPECT_EQ(s.Intervals(), editorDash);

    // A context without paint or printer canvas is left alone.
    TKVRDraw bare;
    AdjustLineType(&bare, 2, 0);
    AdjustPrintLineType(&bare, 1.0f, 2);
    AdjustLineType(nullptr, 2, 0);
    AdjustPrintLineType(nullptr, 1.0f, 2);
    EXPECT_FALSE(bare.kP);
}

TEST(PrintLineTypes, EntriesAreNominalLengthsCountedInPenWidths)
{
    PaperContext p(10, 10);
    const TStrokeBrush& stroke = p.Canvas().Stroke();
    AdjustPrintLineType(&p.d, 0.5f, 7);
    EXPECT_FLOAT_EQ(stroke.Thickness(), 0.5f);
    EXPECT_EQ(stroke.Dash(), TStrokeDash::Custom);
    EXPECT_EQ(stroke.DashArray(), (std::vector<float>{6.0f, 6.0f}));
    EXPECT_FLOAT_EQ(stroke.DashOffset(), 0.0f);
    AdjustPrintLineType(&p.d, 2.0f, 11);
    EXPECT_EQ(stroke.DashArray(), (std::vector<float>{2.0f, 0.5f, 0.5f, 0.5f}));
    AdjustPrintLineType(&p.d, 0.3f, 1);
    EXPECT_EQ(stroke.DashArray(), (std::vector<float>{float(0.5 / double(0.3f)), float(0.5 / double(0.3f))}));

    // Solid: type 0, a type beyond the table, and a pen without width (no
    // division by zero), each after a dashed element.
    const std::pair<float, TVXLineType> solid[] = {{1.0f, 0}, {1.0f, 12}, {0.0f, 7}, {-0.5f, 7}};
    for (const auto& [pen, type] : solid) {
        AdjustPrintLineType(&p.d, 1.0f, 7);
        AdjustPrintLineType(&p.d, pen, type);
        EXPECT_EQ(stroke.Dash(), TStrokeDash::Solid) << pen << " " << int(type);
        // A pen of 0 or less is the thinnest line, never a negative thickness.
        EXPECT_FLOAT_EQ(stroke.Thickness(), std::max(pen, 0.0f));
    }
}

TEST(PrintLineTypes, PrintedDashesMeasureTheirNominalLengthOnPaper)
{
    // 254 dpi: one millimetre is ten units. A 0.5 mm pen of type 7 prints
    // dashes and gaps of 3 mm.
    PaperContext p(500, 20, 254);
    AdjustPrintLineType(&p.d, 0.5f, 7);
    p.Canvas().Stroke().SetThickness(p.d.DrawBasePtoX(0.5f));
    p.Canvas().DrawLine({0, 10}, {500, 10}, 1.0f);
    const std::vector<int> runs = ImageProbes::Runs(p.Done(), 10, ImageProbes::Dark);
    ASSERT_GE(runs.size(), 8u);
    for (size_t i = 0; i + 1 < runs.size(); ++i)  // the last run meets the edge
        EXPECT_NEAR(runs[i], 30, 1) << i;
}

TEST(PrintLineTypes, PensWithoutWidthStrokeTheThinnestSolidLine)
{
    // Connectors and symbols hand 0; a damaged record may hand less.
    for (float pen : {0.0f, -0.5f, -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        PaperContext p(200, 20, 300);
        TStrokeBrush& stroke = p.Canvas().Stroke();
        AdjustPrintLineType(&p.d, 0.5f, 7);  // an earlier element's dash
        AdjustPrintLineType(&p.d, pen, 7);
        EXPECT_EQ(stroke.Dash(), TStrokeDash::Solid) << pen;
        EXPECT_EQ(stroke.Thickness(), 0.0f) << pen;
        p.Canvas().DrawLine({0, 10}, {200, 10}, 1.0f);
        const QImage& img = p.Done();
        const std::vector<int> runs = ImageProbes::Runs(img, 10, [](const QImage& i, int x, int y) {
            return qGray(i.pixel(x, y)) < 200 || qGray(i.pixel(x, y - 1)) < 200;
        });
        ASSERT_EQ(runs.size(), 1u) << pen << ": one unbroken line";
        EXPECT_GE(runs[0], 199) << pen;
    }
}
