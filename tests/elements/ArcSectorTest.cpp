#include "elements/TKVRArc.h"
#include "elements/TKVRSector.h"
#include "tests/elements/ShapeTestSupport.h"
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace shape;

namespace {

// A quarter arc through three points: from the right of the centre
// (35 mm, 16 mm) down to below it (25 mm, 26 mm), clockwise on screen.
TKVRArc* MakeQuarter(TKVRBaseLabel& label)
{
    const double r = 10000.0;
    const double a = std::numbers::pi / 4;
    auto* arc = new TKVRArc(&label, 35000, 16000, 25000 + int64_t(std::lround(r * std::cos(a))),
                            16000 + int64_t(std::lround(r * std::sin(a))), 25000, 26000, false);
    arc->SetColor(kBlue);
    arc->SetPenWidth(0.5f);
    return arc;
}

TKVRLineEnds OpenArrows(TAlphaColor aColour)
{
    return TKVRLineEnds{3, 3, aColour, aColour, 4.0f, 4.0f};
}

TKVRSector* MakeSector(TKVRBaseLabel& label, float aStart, float aGap)
{
    auto* s = new TKVRSector(&label, false);
    s->SetSector(25000, 16000, 12000, aStart, aGap);
    s->SetColor(kBlue);
    s->SetBackColor(kGreen);
    s->SetPenWidth(0.5f);
    return s;
}

// Ink within a few pixels of the sectors' centre.
int InkAtCentre(const QImage& img)
{
    return InkCount(img.copy(Around({25000, 16000}, 3)));
}

}  // namespace

// ---------------------------------------------------------------- screen and paper

TEST(ArcSector, ArcLandsInTheSamePlaceOnScreenAndPaper)
{
    TKVRBaseLabel label;
    auto* arc = MakeQuarter(label);
    arc->SetPenWidth(1.0f);
    ExpectTwins(*arc, "arc-plain");
    arc->SetEnds(TKVRLineEnds{2, 6, kRed, kRed, 3.0f, 3.0f});
    ExpectTwins(*arc, "arc-marks");

    // Anticlockwise and longer than half a turn.
    auto* big = new TKVRArc(&label, 10000, 16000, 25000, 3000, 40000, 16000, false);
    big->SetColor(kBlue);
    big->SetLineType(5);
    ExpectTwins(*big, "arc-big-dashed");
}

TEST(ArcSector, ArcWithoutEndTypesPaintsTheArcAlone)
{
    TKVRBaseLabel label;
    auto* arc = MakeQuarter(label);
    // Colours and sizes without a kind paint nothing.
    TKVRLineEnds ends = OpenArrows(kRed);
    ends.FromType = 0;
    ends.ToType = 0;
    arc->SetEnds(ends);
    const TScreenPaper t = Paint(*arc);
    for (const QImage& img : {t.Screen, t.Paper}) {
        const QRect ink = InkBounds(img);
        // The quarter from (35, 16) to (25, 26) mm, and nothing beyond it.
        EXPECT_TRUE(SameBox(ink, QRect(QPoint(int(Px(25000)), int(Px(16000))), QPoint(int(Px(35000)), int(Px(26000)))),
                            4));
    }
}

TEST(ArcSector, ArrowsPointAwayFromTheArcAndTheFlagTurnsThem)
{
    TKVRBaseLabel label;
    auto* arc = MakeQuarter(label);
    arc->SetEnds(OpenArrows(kRed));
    // The quarter leaves its start downwards and reaches its end moving
    // left. Heads that point away from the arc sit on it; turned round by
    // the flag they stick out above the start and left of the end.
    const int x1 = int(Px(35000)), y1 = int(Px(16000));
    const int x3 = int(Px(25000)), y3 = int(Px(26000));
    const QRect aboveStart(x1 - 12, y1 - 45, 25, 40);
    const QRect leftOfEnd(x3 - 45, y3 - 12, 40, 25);
    const int bare = CountLeaning(Screen(*MakeQuarter(label)), kBlue);
    for (bool turned : {false, true}) {
        arc->SetDirection(turned);
        const QString name = turned ? "arc-arrows-turned" : "arc-arrows";
        const TScreenPaper t = Paint(*arc, name);
        for (const QImage& img : {t.Screen, t.Paper}) {
            const int start = CountLeaning(img, kBlue, aboveStart);
            const int end = CountLeaning(img, kBlue, leftOfEnd);
            if (turned) {
                EXPECT_GT(start, 20) << name.toStdString();
                EXPECT_GT(end, 20) << name.toStdString();
            } else {
                EXPECT_EQ(start, 0) << name.toStdString();
                EXPECT_EQ(end, 0) << name.toStdString();
            }
            // Both heads are there either way.
            EXPECT_GT(CountLeaning(img, kBlue), bare + 100) << name.toStdString();
        }
    }
    arc->SetDirection(false);
    // Half a turn apart, and nothing else changes.
    const double s = arc->StartMarkAngle(), e = arc->EndMarkAngle();
    arc->SetDirection(!arc->GetDirection());
    EXPECT_NEAR(std::remainder(arc->StartMarkAngle() - s, 2 * std::numbers::pi), std::numbers::pi, 1e-9);
    EXPECT_NEAR(std::abs(std::remainder(arc->EndMarkAngle() - e, 2 * std::numbers::pi)), std::numbers::pi, 1e-9);
}

TEST(ArcSector, SectorPrintsAsTheScreenShowsIt)
{
    TKVRBaseLabel label;
    auto* sector = MakeSector(label, 20.0f, 110.0f);
    sector->SetFilled(true);
    sector->SetPenWidth(1.0f);
    const TScreenPaper t = ExpectTwins(*sector, "sector-slice");
    const int fill = CountLeaning(t.Screen, kGreen), line = CountLeaning(t.Screen, kBlue);
    EXPECT_NEAR(CountLeaning(t.Paper, kGreen), fill, fill / 50);
    EXPECT_NEAR(CountLeaning(t.Paper, kBlue), line, line / 10);

    sector->SetFilled(false);
    sector->SetLineType(7);
    ExpectTwins(*sector, "sector-dashed");
}

// ---------------------------------------------------------------- edge cases

TEST(ArcSector, WholeSectorHasNoRadiiAndAlmostWholeOneHas)
{
    TKVRBaseLabel label;
    auto* whole = MakeSector(label, 0.0f, 360.0f);
    auto* almost = MakeSector(label, 0.0f, 359.9f);
    for (bool filled : {false, true}) {
        whole->SetFilled(filled);
        almost->SetFilled(filled);
        const QString suffix = filled ? "-filled" : "";
        const TScreenPaper w = Paint(*whole, "sector-360" + suffix), a = Paint(*almost, "sector-359.9" + suffix);
        const QImage &ws = w.Screen, &wp = w.Paper, &as = a.Screen, &ap = a.Paper;
        const QRect circle = InkBounds(ws);
        EXPECT_TRUE(SameBox(InkBounds(wp), circle, 2));
        EXPECT_TRUE(SameBox(InkBounds(as), circle, 2));
        EXPECT_TRUE(SameBox(InkBounds(ap), circle, 2));
        // The radius from the centre to the start at three o'clock.
        for (const QImage& img : {ws, wp})
            EXPECT_EQ(CountLeaning(img, kBlue, QRect(int(Px(27000)), int(Px(16000)) - 1, int(Px(6000)), 3)), 0);
        for (const QImage& img : {as, ap})
            EXPECT_GT(CountLeaning(img, kBlue, QRect(int(Px(27000)), int(Px(16000)) - 1, int(Px(6000)), 3)),
                      int(Px(6000)));
        if (!filled) {
            EXPECT_EQ(InkAtCentre(ws) + InkAtCentre(wp), 0);
            EXPECT_GT(InkAtCentre(as), 0);
            EXPECT_GT(InkAtCentre(ap), 0);
        }
    }
}

