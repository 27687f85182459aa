// The ruler's steps without a screen: ticks a few pixels apart and numbers
// that never touch, from 1:1 to drawing scales of ten million.
#include "editor/TKVRRulerSteps.h"
#include "platform/rtl/KVR.Math.h"
#include <gtest/gtest.h>
#include <cmath>

namespace {
constexpr double kMillimetre = 96 / 25.4;  // pixels of a paper millimetre at zoom 1

double Pixels(double aStep, double aPerUnit)
{
    return double(RoundHalfEven(aStep * aPerUnit));
}
}  // namespace

TEST(RulerSteps, TicksAndNumbersByUnitAndScale)
{
    struct Row
    {
        const char* Name;
        TKVRUnits Units;
        double PerUnit;     // pixels of one label unit
        double Room;        // pixels the widest number needs
        double Minor, Number;
    };
    const Row rows[] = {
        {"mm at 1:1", TKVRUnits::Millimetre, kMillimetre, 0, 2, 10},
        {"inch at 1:1", TKVRUnits::Inch, 96, 0, 0.1, 0.5},
        {"mm at 1:5,000, seven digits", TKVRUnits::Millimetre, kMillimetre / 5000, 44, 10000, 100000},
        {"m at 1:5,000", TKVRUnits::Metre, 1000 * kMillimetre / 5000, 27, 10, 50},
        {"mm at 1:10,000,000", TKVRUnits::Millimetre, kMillimetre / 1e7, 60, 2e7, 2e8},
        {"inch at 1:10,000,000", TKVRUnits::Inch, 96 / 1e7, 60, 5e5, 1e7},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        const auto room = [&r](double) { return r.Room; };
        const TKVRRulerSteps s = ChooseRulerSteps(r.Units, r.PerUnit, room, 0);
        EXPECT_DOUBLE_EQ(s.Minor, r.Minor);
        EXPECT_DOUBLE_EQ(s.Number, r.Number);
    }
}

// Over every unit and twelve decades of scale: ticks at least 5 pixels and at
// most a few times that apart, numbers on ticks and beyond their room.
TEST(RulerSteps, EveryScaleGetsReadableSteps)
{
    for (TKVRUnits units : {TKVRUnits::Millimetre, TKVRUnits::Inch, TKVRUnits::Centimetre, TKVRUnits::Decimetre,
                            TKVRUnits::Metre, TKVRUnits::Foot, TKVRUnits::Yard})
        for (double perUnit = 1e-9; perUnit < 100; perUnit *= 1.37) {
            SCOPED_TRACE(testing::Message() << int(units) << " at " << perUnit << " px per unit");
            const double room = 35;
            const TKVRRulerSteps s = ChooseRulerSteps(units, perUnit, [room](double) { return room; }, 0);
            ASSERT_GT(s.Minor, 0);
            ASSERT_GT(s.Number, 0);
            const double tick = Pixels(s.Minor, perUnit), number = Pixels(s.Number, perUnit);
            EXPECT_GE(tick, KVRMinTickPixels);
            // The smallest candidates are finer than 5 px only at the largest zooms.
            if (perUnit < 5) {
                EXPECT_LE(tick, 5 * KVRMinTickPixels + 1);
            }
            EXPECT_GT(number, room);
            // Numbers on every tick are the finest there are; others are not needlessly far apart.
            if (s.Number > s.Minor) {
                EXPECT_LE(number, 5 * (room + 1));
            }
            EXPECT_TRUE(RulerIsWhole(s.Number / s.Minor)) << s.Number << " / " << s.Minor;
        }
}

TEST(RulerSteps, NumbersSkipStepsOffTheTicks)
{
    // Ticks every 2 mm (zoom 114 %): a number every 5 mm would fall between two.
    const TKVRRulerSteps s = ChooseRulerSteps(TKVRUnits::Millimetre, 4.3, nullptr, 0);
    ASSERT_DOUBLE_EQ(s.Minor, 2);
    EXPECT_DOUBLE_EQ(s.Number, 10);
    // Ticks every 0.2 inch: the next number step after 0.2 is 1, not 0.5.
    const TKVRRulerSteps i = ChooseRulerSteps(TKVRUnits::Inch, 44, nullptr, 0);
    ASSERT_DOUBLE_EQ(i.Minor, 0.2);
    EXPECT_DOUBLE_EQ(i.Number, 1);
}

TEST(RulerSteps, NoLengthKeepsThePreviousNumberStep)
{
    for (double perUnit : {0.0, -1.0, std::nan("")}) {
        const TKVRRulerSteps s = ChooseRulerSteps(TKVRUnits::Millimetre, perUnit, nullptr, 10);
        EXPECT_EQ(s.Minor, 0);
        EXPECT_EQ(s.Number, 10);
    }
}

TEST(RulerSteps, VisibleTicksOnly)
{
    struct Row
    {
        double From, To, Max, Step;
        int64_t First, Last;
    };
    const Row rows[] = {
        {3.2, 10.1, 8, 2, 2, 4},                 // 4, 6, 8: the label ends at 8
        {-5, 3, 100, 1, 0, 3},                   // nothing left of 0
        {0, 10, 100, 0, 0, -1},                  // no step, no ticks
        {1e10, 1e10 + 100, 2e10, 10, 1000000000, 1000000010},  // far out: eleven, not a billion
        {9.9995, 10, 100, 10, 1, 1},             // within a thousandth of a step
        {5, 6, 4, 1, 5, 4},                      // beyond the label: none
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.From << ".." << r.To);
        const TKVRTickRange t = VisibleTicks(r.From, r.To, r.Max, r.Step);
        EXPECT_EQ(t.First, r.First);
        EXPECT_EQ(t.Last, r.Last);
    }
}
