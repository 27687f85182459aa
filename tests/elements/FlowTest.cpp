// Flowchart nodes: the outline of every flow type as numbers, on screen and
// on paper (twins), unordered corners, the padded text, and the records.
#include "tests/elements/FlowLinkTestSupport.h"
#include <cmath>
#include <gtest/gtest.h>

using namespace flowtest;

namespace {

TPointF CubicAt(const TPointF& p0, const TKVRFlowPathOp& c, double t)
{
    const double u = 1 - t;
    auto f = [&](float a, float b, float cc, float d) {
        return float(u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * cc + t * t * t * d);
    };
    return {f(p0.X, c.P[0].X, c.P[1].X, c.P[2].X), f(p0.Y, c.P[0].Y, c.P[1].Y, c.P[2].Y)};
}

std::vector<TPointF> Vertices(const TKVRFlowOutline& o)
{
    std::vector<TPointF> v;
    for (const TKVRFlowPathOp& op : o.Ops)
        if (op.Kind == TKVRFlowPathOp::TKind::Move || op.Kind == TKVRFlowPathOp::TKind::Line)
            v.push_back(op.P[0]);
    return v;
}

TEST(FlowOutline, CornersAreOrderedFirst)
{
    EXPECT_EQ(OrderedBox({300, 200}, {100, 50}), TRectF(100, 50, 300, 200));
    // A diamond over a box given bottom-right first is the same diamond.
    const TKVRFlowOutline d = FlowOutline(4, OrderedBox({300, 200}, {100, 50}));
    EXPECT_EQ(Vertices(d), (std::vector<TPointF>{{200, 50}, {300, 125}, {200, 200}, {100, 125}, {200, 50}}));
    EXPECT_NE(d.Ops.back().Kind, TKVRFlowPathOp::TKind::Close) << "the diamond ends where it starts, open";
}

TEST(FlowOutline, ShapesFollowTheirFractions)
{
    const TRectF box(0, 0, 300, 60);
    // Stacked sheets: offsets a = W / 30, b = 2a, from the width even where they offset y.
    const std::vector<TPointF> sheets = Vertices(FlowOutline(3, box));
    EXPECT_EQ(sheets[0], TPointF(20, 0));
    EXPECT_EQ(sheets[3], TPointF(290, 40));
    EXPECT_EQ(sheets[7], TPointF(10, 10));
    // Terminal: half-round ends; a node higher than wide keeps its radius within the width.
    EXPECT_FLOAT_EQ(FlowOutline(0, box).RadiusX, 30.0f);
    EXPECT_FLOAT_EQ(FlowOutline(0, TRectF(0, 0, 40, 100)).RadiusY, 20.0f);
    // Predefined process: two inner lines at W / 15 from the sides.
    const TKVRFlowOutline p = FlowOutline(7, box);
    ASSERT_EQ(p.StrokeLines.size(), 2u);
    EXPECT_FLOAT_EQ(p.StrokeLines[0][0].X, 20.0f);
    EXPECT_FLOAT_EQ(p.StrokeLines[1][1].X, 280.0f);
    // Hexagon, chevron.
    EXPECT_EQ(Vertices(FlowOutline(10, box)),
              (std::vector<TPointF>{{75, 0}, {225, 0}, {300, 30}, {225, 60}, {75, 60}, {0, 30}}));
    EXPECT_EQ(Vertices(FlowOutline(13, box)),
              (std::vector<TPointF>{{0, 0}, {262.5f, 0}, {300, 30}, {262.5f, 60}, {0, 60}, {37.5f, 30}}));
    EXPECT_EQ(FlowOutline(15, box).Shape, TKVRFlowOutline::TShape::None);
    EXPECT_EQ(FlowOutline(255, box).Shape, TKVRFlowOutline::TShape::None);
}

TEST(FlowOutline, WavyEdgeIsTheQuadraticArcItStandsFor)
{
    // The first wave's control point lies H / 6 below the edge; the
    // quadratic arc's middle is then H / 12 below it.
    const TRectF box(0, 0, 240, 120);
    const TKVRFlowOutline o = FlowOutline(2, box);
    ASSERT_EQ(o.Ops[1].Kind, TKVRFlowPathOp::TKind::Cubic);
    const TPointF mid = CubicAt(o.Ops[0].P[0], o.Ops[1], 0.5);
    EXPECT_NEAR(mid.X, 60.0, 1e-3);
    EXPECT_NEAR(mid.Y, 130.0, 1e-3);
    // The drum's top arch rises d = H / 20 above the top at its control point.
    const TKVRFlowOutline drum = FlowOutline(6, box);
    const TPointF top = CubicAt(drum.Ops[1].P[0], drum.Ops[2], 0.5);
    EXPECT_NEAR(top.Y, 0.0, 1e-3);  // from T + d through the control at T - d: the top itself
    EXPECT_NEAR(top.X, 120.0, 1e-3);
}

// Every outline on screen and on paper, stored with its corners reversed:
// both surfaces order them, and agree within a pixel.
TEST(FlowTypes, ScreenAndPaperAreTwinsWhateverTheCornerOrder)
{
    for (int kind = 0; kind < 15; ++kind) {
        SCOPED_TRACE(kind);
        const TKVRFlowType type = TKVRFlowType(kind);
        TKVRBaseLabel label;
        TKVRFlow* reversed = Node(label, 45000, 30000, 5000, 5000, type);
        reversed->SetFilled(true);
        reversed->SetBackColor(0xFFC0E0FFu);
        reversed->SetPenWidth(0.6f);
        const TScreenPaper t = PaintScreenAndPaper(*reversed, 600, 420, kDpi);
        ImageProbes::SaveForLooking(t.Screen, QStringLiteral("flow-%1-screen.png").arg(type));
        ImageProbes::SaveForLooking(t.Paper, QStringLiteral("flow-%1-paper.png").arg(type));
        EXPECT_TRUE(Twins(t)) << int(type);

        // The outline stays within the box's pixels, give or take the pen's
        // mitred corners and the wavy edge below the bottom (H / 12).
        const QRect ink = InkBounds(t.Paper);
        const QRect box(QPoint(int(Px(5000)) - 12, int(Px(5000)) - 12), QPoint(int(Px(45000)) + 12, int(Px(32500))));
        EXPECT_TRUE(box.contains(ink)) << RectText(ink);
        EXPECT_GT(ink.width(), Px(30000)) << "the outline spans the box";

        TKVRBaseLabel other;
        TKVRFlow* ordered = Node(other, 5000, 5000, 45000, 30000, type);
        ordered->SetFilled(true);
        ordered->SetBackColor(0xFFC0E0FFu);
        ordered->SetPenWidth(0.6f);
        const TScreenPaper u = PaintScreenAndPaper(*ordered, 600, 420, kDpi);
        EXPECT_EQ(t.Screen, u.Screen);
        EXPECT_EQ(t.Paper, u.Paper);
    }
}

TEST(Flow, TextIsPaddedAndCentredAlikeOnScreenAndPaper)
{
    TKVRBaseLabel label;
    TKVRFlow* n = Node(label, 45000, 30000, 5000, 5000, 1);  // reversed corners
    n->SetFilled(false);
    n->SetPenWidth(2.0f);  // a heavy outline does not thicken the text
    n->SetFontColor(kRed);
    n->SetFontHeight(4.0f);
    n->SetBasePadX(3000);
    n->SetBasePadY(2000);
    n->SetText(QStringLiteral("Check\r\nstock"));
    n->SetScaleX(1.5f);  // line spacing
    const TScreenPaper t = PaintScreenAndPaper(*n, 600, 420, kDpi);
    ImageProbes::SaveForLooking(t.Screen, QStringLiteral("flow-text-screen.png"));
    ImageProbes::SaveForLooking(t.Paper, QStringLiteral("flow-text-paper.png"));
    ASSERT_EQ(n->GetLines().size(), 2u);
    const QRect s = LeaningBounds(t.Screen, kRed), p = LeaningBounds(t.Paper, kRed);
    ASSERT_FALSE(s.isNull());
    EXPECT_TRUE(SameBox(s, p, 3)) << "the printed text sits where the screen puts it";
    // Centred in the box and inside the padding.
    const double centre = Px(25000);
    EXPECT_NEAR((s.left() + s.right()) / 2.0, centre, 8.0);
    EXPECT_GT(s.top(), Px(7000) - 2);
    EXPECT_LT(s.bottom(), Px(28000));
}

TEST(Flow, UnderlineOnEveryLineAndNoControlCharacters)
{
    TKVRBaseLabel label;
    TKVRFlow* n = Node(label, 5000, 5000, 65000, 35000, 1);
    n->SetPenWidth(0.0f);
    n->SetFilled(false);
    n->SetFontColor(kRed);
    n->SetUnderline(true);
    n->SetText(QStringLiteral("Yes\nNo"));
    const TScreenPaper t = PaintScreenAndPaper(*n, 800, 460, kDpi);
    ASSERT_EQ(n->GetLines().size(), 2u);
    for (const TKVRTxtInf& l : n->GetLines())
        EXPECT_FALSE(n->GetText().mid(l.Start - 1, l.Length).trimmed().contains(QChar(u'\n')));
    // Each line's underline is a row of ink as wide as its text.
    for (const QImage* img : {&t.Screen, &t.Paper}) {
        const QRect b = LeaningBounds(*img, kRed);
        int rows = 0;
        for (int y = b.top(); y <= b.bottom(); ++y) {
            const int n2 = CountLeaning(*img, kRed, QRect(b.left(), y, b.width(), 1));
            rows += n2 > b.width() / 4 ? 1 : 0;
        }
        EXPECT_GE(rows, 2);
    }
    EXPECT_TRUE(SameBox(LeaningBounds(t.Screen, kRed), LeaningBounds(t.Paper, kRed), 3));
}

TEST(Flow, UnknownFlowTypePaintsItsTextWithoutOutline)
{
    TKVRBaseLabel label;
    TKVRFlow* n = Node(label, 5000, 5000, 45000, 30000, 20);
    n->SetFontColor(kRed);
    n->SetText(QStringLiteral("Note"));
    const TScreenPaper t = PaintScreenAndPaper(*n, 600, 420, kDpi);
    EXPECT_EQ(CountLeaning(t.Screen, kBlue), 0);
    EXPECT_EQ(CountLeaning(t.Paper, kBlue), 0);
    EXPECT_GT(CountLeaning(t.Screen, kRed), 50);
    EXPECT_GT(CountLeaning(t.Paper, kRed), 50);
}

TEST(Flow, NoRoomInsideThePaddingLaysOutNoLine)
{
    TKVRBaseLabel label;
    TKVRFlow* n = Node(label, 0, 0, 40000, 20000);
    n->SetText(QStringLiteral("Start"));
    n->CalcValues(0);
    ASSERT_EQ(n->GetLines().size(), 1u);
    n->SetBase(2, 1500, 20000);
    n->CalcValues(0);
    EXPECT_TRUE(n->GetLines().empty());
}

}  // namespace

namespace {

TEST(Flow, DrawingScaleShrinksBoxAndPaddingButNotTheText)
{
    // At 1:5 a 200 x 125 mm node is 40 x 25 mm of paper; its text keeps its height.
    TKVRBaseLabel label;
    label.GetMeasure().SetDrawScale(5);
    TKVRFlow* n = Node(label, 25000, 25000, 225000, 150000, 9);
    n->SetFontColor(kRed);
    n->SetFontHeight(4.0f);
    n->SetText(QStringLiteral("Manual step"));
    const TScreenPaper t = PaintScreenAndPaper(*n, 600, 420, kDpi, 5);
    EXPECT_TRUE(Twins(t));
    const QRect text = LeaningBounds(t.Screen, kRed);
    ASSERT_FALSE(text.isNull());
    EXPECT_TRUE(SameBox(text, LeaningBounds(t.Paper, kRed), 3));
    EXPECT_NEAR((text.left() + text.right()) / 2.0, Px(25000), 8.0);
    EXPECT_NEAR(text.height(), Px(4000 * 0.8), Px(1200)) << "capitals and descenders of a 4 mm font";
}

}  // namespace
