#include "elements/TKVRCircle.h"
#include "elements/TKVREllipse.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRRectangle.h"
#include "elements/TKVRSector.h"
#include "tests/elements/FlowLinkTestSupport.h"
#include "tests/elements/ShapeTestSupport.h"
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace shape;

namespace {

template <class T>
T* Styled(T* e)
{
    e->SetColor(kBlue);
    e->SetBackColor(kGreen);
    return e;
}

TKVRRectangle* MakeRect(TKVRBaseLabel& label, int64_t l, int64_t t, int64_t r, int64_t b)
{
    auto* e = Styled(new TKVRRectangle(&label, false));
    e->SetBase(1, l, t);
    e->SetBase(2, r, b);
    return e;
}

TKVRCircle* MakeCircle(TKVRBaseLabel& label, int64_t cx, int64_t cy, int64_t r)
{
    auto* e = Styled(new TKVRCircle(&label, false));
    e->SetCircle(cx, cy, r);
    return e;
}

TKVREllipse* MakeEllipse(TKVRBaseLabel& label, int64_t cx, int64_t cy, int64_t rx, int64_t ry)
{
    auto* e = Styled(new TKVREllipse(&label, false));
    e->SetEllipse(cx, cy, rx, ry);
    return e;
}

TKVRSector* MakeSector(TKVRBaseLabel& label, float aStart, float aGap)
{
    auto* e = Styled(new TKVRSector(&label, false));
    e->SetSector(25000, 16000, 12000, aStart, aGap);
    return e;
}

// One of each filled kind: closed shapes, sectors (a slice and a whole
// turn) and a flowchart node.
std::vector<TKVR2DItem*> OneOfEach(TKVRBaseLabel& label)
{
    return {MakeRect(label, 5000, 5000, 20000, 15000), MakeCircle(label, 35000, 16000, 8000),
            MakeEllipse(label, 25000, 25000, 10000, 4000), MakeSector(label, 45.0f, 90.0f),
            MakeSector(label, 0.0f, 360.0f), Styled(flowtest::Node(label, 5000, 5000, 45000, 30000, 11))};
}

// The pixel box of a document box on the test surfaces.
QRect PixelBox(int64_t l, int64_t t, int64_t r, int64_t b)
{
    return QRect(QPoint(int(std::floor(Px(l))), int(std::floor(Px(t)))),
                 QPoint(int(std::ceil(Px(r))) - 1, int(std::ceil(Px(b))) - 1));
}

}  // namespace

// ---------------------------------------------------------------- screen and paper

TEST(ClosedShapes, FilledShapesLandInTheSamePlaceOnScreenAndPaper)
{
    TKVRBaseLabel label;
    auto* rect = MakeRect(label, 5000, 5000, 40000, 28000);
    rect->SetFilled(true);
    rect->SetPenWidth(1.0f);
    ExpectTwins(*rect, "closed-rect");

    auto* circle = MakeCircle(label, 25000, 16000, 12000);
    circle->SetFilled(true);
    circle->SetPenWidth(1.0f);
    ExpectTwins(*circle, "closed-circle");

    auto* ellipse = MakeEllipse(label, 25000, 16000, 20000, 8000);
    ellipse->SetLineType(5);
    ellipse->SetPenWidth(0.5f);
    ExpectTwins(*ellipse, "closed-ellipse-dashed");
}

TEST(ClosedShapes, RoundedCornersFollowTheRadiusOnBothSurfaces)
{
    TKVRBaseLabel label;
    auto* rect = MakeRect(label, 5000, 5000, 40000, 28000);
    rect->SetFilled(true);
    rect->SetPenWidth(0.0f);
    const int square = CountLeaning(Screen(*rect), kGreen);
    rect->SetBaseRadio(6000);
    const TScreenPaper t = ExpectTwins(*rect, "closed-rect-radius");
    // Each corner loses (1 - pi/4) r^2, and the very corner pixel is not painted.
    const double lost = 4 * (1 - std::numbers::pi / 4) * Px(6000) * Px(6000);
    const QRect corner(PixelBox(5000, 5000, 40000, 28000).topLeft(), QSize(5, 5));
    for (const QImage& img : {t.Screen, t.Paper}) {
        EXPECT_NEAR(square - CountLeaning(img, kGreen), lost, lost * 0.1);
        EXPECT_EQ(CountLeaning(img, kGreen, corner), 0);
    }
}

// ---------------------------------------------------------------- edge cases

TEST(ClosedShapes, OnlyAnUnfilledRectangleKeepsItsScreenFrameInsideTheBounds)
{
    TKVRBaseLabel label;
    const QRect bounds = PixelBox(10000, 8000, 40000, 28000);
    auto* rect = MakeRect(label, 10000, 8000, 40000, 28000);
    rect->SetPenWidth(2.0f);
    for (int32_t radius : {0, 4000}) {
        rect->SetBaseRadio(radius);
        const QImage s = Screen(*rect, radius ? "closed-rect-frame-round" : "closed-rect-frame");
        const QRect ink = InkBounds(s);
        EXPECT_TRUE(bounds.contains(ink)) << RectText(ink) << " in " << RectText(bounds);
        EXPECT_TRUE(SameBox(ink, bounds, 1));
        // The frame is the whole 2 mm (about 24 pixels) wide, inwards.
        const int y = bounds.center().y();
        EXPECT_EQ(CountLeaning(s, kBlue, QRect(bounds.left(), y, 30, 1)), int(std::lround(Px(2000))));
    }
    // A filled one, the printed one and an unfilled circle's are centred on the bounds.
    rect->SetBaseRadio(0);
    const QRect centred = bounds.adjusted(-12, -12, 12, 12);
    const QRect paper = InkBounds(Paper(*rect));
    EXPECT_TRUE(SameBox(paper, centred, 2));
    rect->SetFilled(true);
    EXPECT_TRUE(SameBox(InkBounds(Screen(*rect)), centred, 2));
    auto* circle = MakeCircle(label, 25000, 16000, 10000);
    circle->SetPenWidth(2.0f);
    const QRect ring = InkBounds(Screen(*circle, "closed-circle-frame"));
    EXPECT_TRUE(SameBox(ring, PixelBox(15000, 6000, 35000, 26000).adjusted(-12, -12, 12, 12), 2));
}

// Pen width and alpha: the fill alone without a pen, nothing at all when
// unfilled too; alpha 0 hides the fill on screen only.
TEST(ClosedShapes, FillAndOutlineFollowPenWidthAndAlpha)
{
    TKVRBaseLabel label;
    for (TKVR2DItem* e : OneOfEach(label)) {
        // Pen width 0: the fill alone, on screen and on paper.
        e->SetPenWidth(0.0f);
        e->SetFilled(true);
        TScreenPaper t = Paint(*e);
        for (const QImage& img : {t.Screen, t.Paper}) {
            EXPECT_GT(CountLeaning(img, kGreen), 1000) << e->GetKind();
            EXPECT_EQ(CountLeaning(img, kBlue), 0) << e->GetKind();
        }
        // Unfilled with pen width 0: nothing at all.
        e->SetFilled(false);
        t = Paint(*e);
        EXPECT_EQ(InkCount(t.Screen) + InkCount(t.Paper), 0) << e->GetKind();
        // Alpha 0 hides the fill on screen only.
        e->SetFilled(true);
        e->SetAlpha(0);
        e->SetPenWidth(0.5f);
        t = Paint(*e, QString("closed-alpha0-%1").arg(e->GetKind()));
        EXPECT_EQ(CountLeaning(t.Screen, kGreen), 0) << e->GetKind();
        EXPECT_GT(CountLeaning(t.Screen, kBlue), 200) << e->GetKind();
        EXPECT_GT(CountLeaning(t.Paper, kGreen), 1000) << e->GetKind();
    }
}

TEST(ClosedShapes, FilledCircleOutlineIsARingOverTheFill)
{
    TKVRBaseLabel label;
    auto* circle = MakeCircle(label, 25000, 16000, 10000);
    circle->SetFilled(true);
    circle->SetPenWidth(1.0f);
    const TScreenPaper t = Paint(*circle, "closed-ring");
    for (const QImage& img : {t.Screen, t.Paper}) {
        const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
        const int cx = int(Px(25000)), cy = int(Px(16000)), r = int(Px(10000));
        EXPECT_TRUE(LeansTo(argb.pixel(cx, cy), kGreen));
        EXPECT_TRUE(LeansTo(argb.pixel(cx + r, cy), kBlue));
        EXPECT_TRUE(LeansTo(argb.pixel(cx, cy - r), kBlue));
        EXPECT_TRUE(LeansTo(argb.pixel(cx - r + 10, cy), kGreen));
    }
}

