#include "elements/TKVRCircle.h"
#include "elements/TKVREllipse.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRRectangle.h"
#include "tests/elements/PlainShapesTestSupport.h"
#include <cmath>
#include <gtest/gtest.h>

using namespace plain;

namespace {

TKVRRectangle* MakeRect(TKVRBaseLabel& label, int64_t l, int64_t t, int64_t r, int64_t b)
{
    auto* e = new TKVRRectangle(&label, false);
    e->SetBase(1, l, t);
    e->SetBase(2, r, b);
    e->SetColor(kBlue);
    e->SetBackColor(kGreen);
    return e;
}

TKVRCircle* MakeCircle(TKVRBaseLabel& label, int64_t cx, int64_t cy, int64_t r)
{
    auto* e = new TKVRCircle(&label, false);
    e->SetCircle(cx, cy, r);
    e->SetColor(kBlue);
    e->SetBackColor(kGreen);
    return e;
}

TKVREllipse* MakeEllipse(TKVRBaseLabel& label, int64_t cx, int64_t cy, int64_t rx, int64_t ry)
{
    auto* e = new TKVREllipse(&label, false);
    e->SetEllipse(cx, cy, rx, ry);
    e->SetColor(kBlue);
    e->SetBackColor(kGreen);
    return e;
}

// The pixel box of a document box on the test surfaces.
QRect PixelBox(int64_t l, int64_t t, int64_t r, int64_t b)
{
    return QRect(QPoint(int(std::floor(Px(l))), int(std::floor(Px(t)))),
                 QPoint(int(std::ceil(Px(r))) - 1, int(std::ceil(Px(b))) - 1));
}

bool Inside(const QRect& inner, const QRect& outer)
{
    return outer.contains(inner);
}

}  // namespace

// ---------------------------------------------------------------- streams

TEST(ClosedShapes, EveryKindSurvivesBothFormatsAndTruncation)
{
    TKVRBaseLabel label;
    auto* rect = MakeRect(label, 1000, 2000, 31000, 22000);
    rect->SetBaseRadio(2500);
    rect->SetFilled(true);
    rect->SetAlpha(0);
    rect->SetLineType(11);
    ExpectRoundTrips(label, *rect, &TKVRRectangle::Read, &TKVRRectangle::ReadFromJson);

    auto* circle = MakeCircle(label, 20000, 15000, 7000);
    circle->SetPenWidth(1.5f);
    ExpectRoundTrips(label, *circle, &TKVRCircle::Read, &TKVRCircle::ReadFromJson);

    auto* ellipse = MakeEllipse(label, -3000, 4000, 9000, 2000);
    ellipse->SetFilled(true);
    ExpectRoundTrips(label, *ellipse, &TKVREllipse::Read, &TKVREllipse::ReadFromJson);
}

TEST(ClosedShapes, OnlyTheCellCopyIsReadAsPreview)
{
    TKVRBaseLabel label;
    ExpectPreviewFlag(label, *MakeRect(label, 0, 0, 5000, 5000), &TKVRRectangle::Read, &TKVRRectangle::ReadFromJson);
    ExpectPreviewFlag(label, *MakeCircle(label, 9000, 9000, 3000), &TKVRCircle::Read, &TKVRCircle::ReadFromJson);
    ExpectPreviewFlag(label, *MakeEllipse(label, 9000, 9000, 3000, 1000), &TKVREllipse::Read,
                      &TKVREllipse::ReadFromJson);
}

// ---------------------------------------------------------------- screen and paper

TEST(ClosedShapes, FilledShapesLandInTheSamePlaceOnScreenAndPaper)
{
    TKVRBaseLabel label;
    auto* rect = MakeRect(label, 5000, 5000, 40000, 28000);
    rect->SetFilled(true);
    rect->SetPenWidth(1.0f);
    ExpectTwins(*rect, "closed-rect");

    rect->SetBaseRadio(5000);
    ExpectTwins(*rect, "closed-rect-round");

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
    const int square = CountColour(Screen(*rect), kGreen);
    rect->SetBaseRadio(6000);
    const QImage s = Screen(*rect, "closed-rect-radius");
    const QImage p = Paper(*rect, "closed-rect-radius");
    // Each corner loses (1 - pi/4) r^2.
    const double lost = 4 * (1 - M_PI / 4) * Px(6000) * Px(6000);
    EXPECT_NEAR(square - CountColour(s, kGreen), lost, lost * 0.1);
    EXPECT_NEAR(square - CountColour(p, kGreen), lost, lost * 0.1);
    // The very corner pixel is not painted.
    const QRect box = PixelBox(5000, 5000, 40000, 28000);
    EXPECT_EQ(CountColour(s, kGreen, QRect(box.topLeft(), QSize(5, 5))), 0);
    EXPECT_EQ(CountColour(p, kGreen, QRect(box.topLeft(), QSize(5, 5))), 0);
}

// ---------------------------------------------------------------- edge cases

TEST(ClosedShapes, UnfilledRectangleFrameStaysInsideItsBounds)
{
    TKVRBaseLabel label;
    const QRect bounds = PixelBox(10000, 8000, 40000, 28000);
    auto* rect = MakeRect(label, 10000, 8000, 40000, 28000);
    rect->SetPenWidth(2.0f);
    for (int32_t radius : {0, 4000}) {
        rect->SetBaseRadio(radius);
        const QImage s = Screen(*rect, radius ? "closed-rect-frame-round" : "closed-rect-frame");
        const QRect ink = InkBounds(s);
        EXPECT_TRUE(Inside(ink, bounds)) << Box(ink) << " in " << Box(bounds);
        EXPECT_TRUE(SameBox(ink, bounds, 1)) << Box(ink) << " vs " << Box(bounds);
        // The frame is the whole 2 mm (about 24 pixels) wide, inwards.
        const int y = bounds.center().y();
        EXPECT_EQ(CountColour(s, kBlue, QRect(bounds.left(), y, 30, 1)), int(std::lround(Px(2000))) );
    }
    // A filled one, and the printed one, are centred on the bounds.
    rect->SetBaseRadio(0);
    const QRect paper = InkBounds(Paper(*rect, "closed-rect-frame"));
    EXPECT_TRUE(SameBox(paper, bounds.adjusted(-12, -12, 12, 12), 2)) << Box(paper);
    rect->SetFilled(true);
    EXPECT_TRUE(SameBox(InkBounds(Screen(*rect)), bounds.adjusted(-12, -12, 12, 12), 2));
}

TEST(ClosedShapes, UnfilledCircleFrameStraddlesItsBounds)
{
    TKVRBaseLabel label;
    auto* circle = MakeCircle(label, 25000, 16000, 10000);
    circle->SetPenWidth(2.0f);
    const QRect bounds = PixelBox(15000, 6000, 35000, 26000);
    const QRect ink = InkBounds(Screen(*circle, "closed-circle-frame"));
    EXPECT_TRUE(SameBox(ink, bounds.adjusted(-12, -12, 12, 12), 2)) << Box(ink) << " vs " << Box(bounds);
}

TEST(ClosedShapes, PenWidthZeroPaintsOnlyTheFill)
{
    TKVRBaseLabel label;
    auto* rect = MakeRect(label, 5000, 5000, 20000, 15000);
    auto* circle = MakeCircle(label, 35000, 16000, 8000);
    auto* ellipse = MakeEllipse(label, 25000, 25000, 10000, 4000);
    for (TKVR2DItem* e : std::initializer_list<TKVR2DItem*>{rect, circle, ellipse}) {
        e->SetPenWidth(0.0f);
        e->SetFilled(true);
        const QImage s = Screen(*e);
        const QImage p = Paper(*e);
        EXPECT_GT(CountColour(s, kGreen), 1000) << e->GetKind();
        EXPECT_EQ(CountColour(s, kBlue), 0) << e->GetKind();
        EXPECT_GT(CountColour(p, kGreen), 1000) << e->GetKind();
        EXPECT_EQ(CountColour(p, kBlue), 0) << e->GetKind();
        // Unfilled with pen width 0: nothing at all.
        e->SetFilled(false);
        EXPECT_EQ(InkCount(Screen(*e)) + InkCount(Paper(*e)), 0) << e->GetKind();
    }
}

TEST(ClosedShapes, AlphaZeroHidesTheFillOnScreenOnly)
{
    TKVRBaseLabel label;
    auto* rect = MakeRect(label, 5000, 5000, 20000, 15000);
    auto* circle = MakeCircle(label, 35000, 16000, 8000);
    auto* ellipse = MakeEllipse(label, 25000, 25000, 10000, 4000);
    for (TKVR2DItem* e : std::initializer_list<TKVR2DItem*>{rect, circle, ellipse}) {
        e->SetFilled(true);
        e->SetAlpha(0);
        e->SetPenWidth(0.5f);
        const QImage s = Screen(*e, QString("closed-alpha0-%1").arg(e->GetKind()));
        EXPECT_EQ(CountColour(s, kGreen), 0) << e->GetKind();
        EXPECT_GT(CountColour(s, kBlue), 200) << e->GetKind();
        EXPECT_GT(CountColour(Paper(*e), kGreen), 1000) << e->GetKind();
    }
}

TEST(ClosedShapes, FilledCircleOutlineIsARingOverTheFill)
{
    TKVRBaseLabel label;
    auto* circle = MakeCircle(label, 25000, 16000, 10000);
    circle->SetFilled(true);
    circle->SetPenWidth(1.0f);
    for (const QImage& img : {Screen(*circle, "closed-ring"), Paper(*circle, "closed-ring")}) {
        const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
        const int cx = int(Px(25000)), cy = int(Px(16000));
        EXPECT_TRUE(Leans(argb.pixel(cx, cy), kGreen));
        EXPECT_TRUE(Leans(argb.pixel(cx + int(Px(10000)), cy), kBlue));
        EXPECT_TRUE(Leans(argb.pixel(cx, cy - int(Px(10000))), kBlue));
        EXPECT_TRUE(Leans(argb.pixel(cx - int(Px(10000)) + 10, cy), kGreen));
    }
}

TEST(ClosedShapes, PrintedOvalsIgnoreThePenAnotherElementLeft)
{
    // A thick red dashed pen on the canvas, as a previous element leaves it.
    TKVRBaseLabel label;
    auto* line = new TKVRLine(&label, false);
    line->SetBase(1, 1000, 1000);
    line->SetBase(2, 3000, 1000);
    line->SetColor(kRed);
    line->SetPenWidth(3.0f);
    line->SetLineType(7);
    auto* circle = MakeCircle(label, 25000, 16000, 10000);
    circle->SetFilled(true);
    circle->SetPenWidth(0.0f);
    auto* ellipse = MakeEllipse(label, 25000, 16000, 20000, 5000);
    ellipse->SetFilled(true);
    ellipse->SetPenWidth(0.0f);
    const int before = CountColour(Paper(*line), kRed);
    EXPECT_GT(before, 100);
    for (TKVR2DItem* e : std::initializer_list<TKVR2DItem*>{circle, ellipse}) {
        PaperSurface p(kWidth, kHeight, kDpi);
        line->PrintElement(&p.draw);
        e->PrintElement(&p.draw);
        const QImage img = p.Finish();
        SaveForLook(img, QString("closed-no-stray-edge-%1").arg(e->GetKind()));
        EXPECT_EQ(CountColour(img, kRed), before) << e->GetKind();
        EXPECT_GT(CountColour(img, kGreen), 1000);
        // With a pen of its own, the outline is the element's colour.
        e->SetPenWidth(0.5f);
        PaperSurface q(kWidth, kHeight, kDpi);
        line->PrintElement(&q.draw);
        e->PrintElement(&q.draw);
        const QImage withPen = q.Finish();
        EXPECT_EQ(CountColour(withPen, kRed), before);
        EXPECT_GT(CountColour(withPen, kBlue), 500);
    }
}
