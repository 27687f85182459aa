// The line breakers over a fake measure: every character, blanks included, is
// 1 mm wide, so the expected tables can be worked out by hand.
#include "tests/render/RenderTestSupport.h"
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <vector>

using namespace AlignOf;

namespace {
constexpr int32_t kChar = 1000;
int32_t Fake(const QString& s) { return int32_t(s.size()) * kChar; }

struct BoxCase
{
    const char* name;
    QString txt;
    int32_t w, h, padH, padV;
    TKVRHorzAlign ha;
    TKVRVertAlign va;
    int32_t result;
    TxtLines lines;
    float inter = 1.0f;
    int32_t asc = 4000, des = 1000;  // line height is 5000
};

const std::vector<BoxCase> kBoxCases = {
    {"CR LF is one break", "A\r\nB", 10000, 0, 0, 0, L, VT, 10000, {{1, 3, 0, 0}, {4, 1, 0, 5000}}},
    {"LF CR is one break", "A\n\rB", 10000, 0, 0, 0, L, VT, 10000, {{1, 3, 0, 0}, {4, 1, 0, 5000}}},
    {"CR CR gives an empty middle line", "A\r\rB", 10000, 0, 0, 0, L, VT, 15000,
     {{1, 2, 0, 0}, {3, 1, 0, 5000}, {4, 1, 0, 10000}}},
    {"LF LF gives an empty middle line", "A\n\nB", 10000, 0, 0, 0, L, VT, 15000,
     {{1, 2, 0, 0}, {3, 1, 0, 5000}, {4, 1, 0, 10000}}},
    {"final break leaves room for an empty line", "A\n", 10000, 0, 0, 0, L, VT, 10000, {{1, 2, 0, 0}}},
    // "  AB" keeps its indent (centred as 4 characters); the two blanks before CD
    // end the first line, CD starts the second without them.
    {"blanks kept at the start, dropped after a wrap", "  AB  CD", 5000, 0, 0, 0, C, VT, 10000,
     {{1, 6, 500, 0}, {7, 2, 1500, 5000}}},
    {"blanks kept after a break", "X\n  AB", 5000, 0, 0, 0, C, VT, 10000, {{1, 2, 2000, 0}, {3, 4, 500, 5000}}},
    {"joining measures one blank", "AB      CD", 5000, 0, 0, 0, L, VT, 5000, {{1, 10, 0, 0}}},
    {"first word wider than the box", "ABCDEFGHIJ", 5000, 0, 0, 0, L, VT, 0, {}},
    {"wide word after a break keeps earlier lines", "AB\nCDEFGHIJKL", 5000, 0, 0, 0, L, VT, 0, {{1, 3, 0, 0}}},
    {"height 0 returns the height needed", "AB CD EF", 4000, 0, 0, 1000, L, VT, 17000,
     {{1, 3, 0, 1000}, {4, 3, 0, 6000}, {7, 2, 0, 11000}}},
    {"right alignment inside the padding", "AB", 10000, 0, 1000, 0, R, VT, 5000, {{1, 2, 7000, 0}}},
    {"centre alignment in the whole width", "AB", 10000, 0, 1000, 0, C, VT, 5000, {{1, 2, 4000, 0}}},
    {"negative avail falls back to the width", "AB", 3000, 0, 2000, 0, L, VT, 5000, {{1, 2, 2000, 0}}},
    // block = ascent + descent (4000) + one step; free = 30000 - 2000 - 9000.
    {"vertical centre between the paddings", "AB CD", 4000, 30000, 0, 1000, L, VC, 30000,
     {{1, 3, 0, 10500}, {4, 2, 0, 15500}}, 1.0f, 3000, 1000},
    {"vertical bottom", "AB CD", 4000, 30000, 0, 1000, L, VB, 30000, {{1, 3, 0, 20000}, {4, 2, 0, 25000}}, 1.0f,
     3000, 1000},
    // A tall first line: the bottom-aligned block would start above the padding.
    {"bottom never above the padding", "AB CD", 4000, 12000, 0, 1000, L, VB, 12000,
     {{1, 3, 0, 1000}, {4, 2, 0, 6000}}, 1.0f, 8000, 2000},
    {"no metrics: the block starts with a step", "AB", 4000, 20000, 0, 0, L, VC, 20000, {{1, 2, 0, 7500}}, 1.0f,
     0, 0},
    {"overflow cuts and skips the alignment", "AB CD EF", 4000, 12000, 0, 1000, L, VC, 12000,
     {{1, 3, 0, 1000}, {4, 3, 0, 6000}}},
    {"a break past the box stops", "AB\nCD\nEF", 10000, 10000, 0, 0, L, VC, 10000,
     {{1, 3, 0, 0}, {4, 3, 0, 5000}}},
    {"line spacing scales the step", "AB CD", 4000, 0, 0, 0, L, VT, 15000, {{1, 3, 0, 0}, {4, 2, 0, 7500}}, 1.5f},
    {"a step that rounds to 0 counts as 1", "A\nB", 4000, 0, 0, 0, L, VT, 2, {{1, 2, 0, 0}, {3, 1, 0, 1}}, 0.0f},
    {"empty text", "", 4000, 0, 0, 0, L, VT, 0, {}},
    {"blanks alone at the start form a line", "   \nA", 10000, 0, 0, 0, L, VT, 10000,
     {{1, 4, 0, 0}, {5, 1, 0, 5000}}},
    {"words of any length are placed whole", "A " + QString(250, u'w') + " B", 251 * kChar, 0, 0, 0, L, VT, 15000,
     {{1, 2, 0, 0}, {3, 251, 0, 5000}, {254, 1, 0, 10000}}},
    {"only blanks and breaks separate words", "A\tB-C D", 5000, 0, 0, 0, L, VT, 10000, {{1, 6, 0, 0}, {7, 1, 0, 5000}}},
};

}  // namespace

TEST(TextLayout, BoxLinesAndResult)
{
    for (const BoxCase& c : kBoxCases) {
        SCOPED_TRACE(c.name);
        TxtLines lines{{9, 9, 9, 9}};  // cleared by the breaker
        EXPECT_EQ(TKVRCalc::CalcTxtPtsWith(c.txt, lines, c.w, c.h, c.padH, c.padV, c.ha, c.va, c.inter, 5000, c.asc,
                                           c.des, Fake),
                  c.result);
        EXPECT_EQ(lines, c.lines);
    }
}

// ---- Flowchart outlines -------------------------------------------------

namespace {
struct FlowCase
{
    const char* name;
    QString txt;
    TKVRFlowType kind;
    int32_t w, h, padV;
    int32_t result;
    TxtLines lines;
};

// Line height 2000 unless a case says otherwise; "c" is 1000 wide.
const std::vector<FlowCase> kFlowCases = {
    // Two lines in kind 1 move down by (20000 - 4000) div 2.
    {"CR LF is one break", "A\r\nB", 1, 10000, 20000, 0, 20000, {{1, 3, 4500, 8000}, {4, 1, 4500, 10000}}},
    {"LF CR is one break", "A\n\rB", 1, 10000, 20000, 0, 20000, {{1, 3, 4500, 8000}, {4, 1, 4500, 10000}}},
    {"LF LF is one break", "A\n\nB", 1, 10000, 20000, 0, 20000, {{1, 3, 4500, 8000}, {4, 1, 4500, 10000}}},
    {"CR CR is one break", "A\r\rB", 1, 10000, 20000, 0, 20000, {{1, 3, 4500, 8000}, {4, 1, 4500, 10000}}},
    // The second CR LF ends an empty line: it takes its step, is not listed, and
    // its characters belong to no line.
    {"a blank line takes its step", "A\r\n\r\nB", 1, 10000, 20000, 0, 20000,
     {{1, 3, 4500, 8000}, {6, 1, 4500, 12000}}},
    {"height 0 returns the height needed", "AB CD", 1, 4000, 0, 0, 4000, {{1, 3, 1000, 0}, {4, 2, 1000, 2000}}},
    {"straight kind: a wide word gives 0", "AB\nCDEFGHIJ", 1, 5000, 20000, 0, 0, {{1, 3, 1500, 0}}},
    // Diamond: the top is narrower than a letter, so ABCD moves down to y 4000,
    // where the diamond leaves 2 x 4000 - 1000; the wrapped line gets 11000.
    {"diamond moves the first word down", "ABCD EFGH IJ", 4, 20000, 20000, 0, 20000,
     {{1, 5, 8000, 4000}, {6, 7, 6500, 6000}}},
    {"kind 3 starts lower and moves left", "AB\nCD", 3, 30000, 20000, 0, 18000,
     {{1, 3, 13000, 9000}, {4, 2, 13000, 11000}}},
    // The diamond is never 30 letters wide: the word is dropped, nothing is listed.
    {"curved kind drops a word that never fits", QString(30, u'x'), 4, 20000, 20000, 0, 20000, {}},
};

}  // namespace

TEST(TextLayout, FlowLinesAndResult)
{
    for (const FlowCase& c : kFlowCases) {
        SCOPED_TRACE(c.name);
        TxtLines lines{{9, 9, 9, 9}};
        EXPECT_EQ(TKVRCalc::CalcFlowTxtPointsWith(c.txt, lines, c.w, c.h, c.padV, c.kind, 1.0f, 2000, Fake), c.result);
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(TextLayout, OneLineIsCentredInEveryKind)
{
    const int32_t W = 30000, H = 20000, step = 2000;
    for (int kind = 0; kind <= 16; ++kind) {
        TxtLines lines;
        const int32_t r = TKVRCalc::CalcFlowTxtPointsWith("AB", lines, W, H, 0, TKVRFlowType(kind), 1.0f, step, Fake);
        const int32_t boxH = (kind == 2 || kind == 3) ? H - W / 15 : H;
        ASSERT_EQ(lines.size(), 1u) << "kind " << kind;
        EXPECT_EQ(lines[0].Y, boxH / 2 - step / 2) << "kind " << kind;
        EXPECT_EQ(r, boxH) << "kind " << kind;
        // Every outline keeps the line inside the box, roughly centred.
        EXPECT_GE(lines[0].X, 0) << "kind " << kind;
        EXPECT_LE(lines[0].X + 2000, W) << "kind " << kind;
        EXPECT_NEAR(double(lines[0].X), (W - 2000) / 2.0, W / 8.0) << "kind " << kind;
    }
}

TEST(TextLayout, ParallelogramAndNotchRecomputeTheSingleLine)
{
    const int32_t W = 20000, H = 16000, step = 2000;
    TxtLines lines;
    // Kind 5, slope -2500 / 16000, line at y 7000: left Round(1406.25), right
    // inset Round(0.15625 x 9000).
    TKVRCalc::CalcFlowTxtPointsWith("AB", lines, W, H, 0, 5, 1.0f, step, Fake);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Y, 7000);
    EXPECT_EQ(lines[0].X, 1406 + (W - 1406 - 1406 - 2000) / 2);
    // Kind 13: avail W - W div 8 - 2 c = 15500; notch Round(7000 x 2500 / 8000)
    // = Round(2187.5) = 2188, halves to even.
    TKVRCalc::CalcFlowTxtPointsWith("AB", lines, W, H, 0, 13, 1.0f, step, Fake);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].X, 2188 + (15500 - 2000) / 2);
}

TEST(TextLayout, CurvedKindsEndWhenTheStepRoundsToZero)
{
    // A word too wide for the top of the shape moves down line by line: with a
    // step of 0 it would never get anywhere.
    for (TKVRFlowType kind : {TKVRFlowType(0), TKVRFlowType(4), TKVRFlowType(10), TKVRFlowType(11),
                              TKVRFlowType(12)}) {
        TxtLines lines;
        const int32_t r =
            TKVRCalc::CalcFlowTxtPointsWith("ABCDEFGHIJKL MNOP", lines, 20000, 6000, 0, kind, 0.0f, 2000, Fake);
        EXPECT_EQ(r, 6000) << "kind " << int(kind);
        EXPECT_FALSE(lines.empty()) << "kind " << int(kind);
    }
}

// A spacing no page can show, with no height limit: the step is held at a
// kilometre, y stays far inside 64 bits and the height needed saturates at
// the 32-bit result instead of wrapping.
TEST(TextLayout, HugeSpacingWithoutHeightLimitStaysBounded)
{
    const QString txt = QStringLiteral("A B C D E F G H I J K L M N O P Q R S T");
    constexpr int64_t kKm = 1000000000;
    for (float inter : {1e30f, std::numeric_limits<float>::infinity(), 3e9f}) {
        TxtLines lines;
        const int32_t r = TKVRCalc::CalcTxtPtsWith(txt, lines, 1500, 0, 0, 0, L, VT, inter, 5000, 4000, 1000, Fake);
        ASSERT_EQ(lines.size(), 20u) << inter;
        for (size_t j = 0; j < lines.size(); ++j)
            EXPECT_EQ(lines[j].Y, int64_t(j) * kKm) << inter;
        EXPECT_EQ(r, std::numeric_limits<int32_t>::max()) << inter;

        TxtLines flow;
        const int32_t f = TKVRCalc::CalcFlowTxtPointsWith(txt, flow, 1500, 0, 0, 1, inter, 5000, Fake);
        ASSERT_EQ(flow.size(), 20u) << inter;
        EXPECT_EQ(flow.back().Y, 19 * kKm) << inter;
        EXPECT_EQ(f, std::numeric_limits<int32_t>::max()) << inter;
    }
    // A line height of 0 steps a micrometre at a time and needs little room.
    TxtLines lines;
    EXPECT_EQ(TKVRCalc::CalcTxtPtsWith(txt, lines, 1500, 0, 0, 0, L, VT, 1.0f, 0, 0, 0, Fake), 20);
    EXPECT_EQ(lines.back().Y, 19);
    // Not a number: the smallest step.
    EXPECT_EQ(TKVRCalc::CalcTxtPtsWith(txt, lines, 1500, 0, 0, 0, L, VT, std::nanf(""), 5000, 0, 0, Fake), 20);

    // The same through the font cache.
    int32_t asc = 0, des = 0, und = 0, lh = 0;
    double ratio = 0.0;
    TKVRCalc::FontSettings(QStringLiteral("Arial"), 4000, false, false, asc, des, und, lh, ratio);
    EXPECT_EQ(TKVRCalc::CalcTxtPts(txt, nullptr, lines, 5000, 0, 0, 0, L, VT, 1e30f), std::numeric_limits<int32_t>::max());
    EXPECT_GE(lines.size(), 10u);
    EXPECT_EQ(TKVRCalc::CalcFlowTxtPoints(txt, nullptr, lines, 5000, 0, 0, 0, 1, 1e30f),
              std::numeric_limits<int32_t>::max());
}

// In a curved outline two kilometres tall with a micrometre step, a word too
// wide for the top goes straight to the first line where it fits; one that
// fits nowhere is dropped. Walking down a step at a time would take over
// half a billion steps for each.
TEST(TextLayout, CurvedOutlineFindsTheFirstLineThatFitsInALargeBox)
{
    constexpr int32_t kBox = 2000000000;
    constexpr int32_t kLetter = 100000000;  // 100 m a character, "c" included
    auto wide = [](const QString& s) { return int32_t(s.size()) * kLetter; };
    TxtLines lines;
    // Diamond, W = H: the line at y leaves 2 y - c, so ten letters need
    // y >= (10 + 1) x 100 m / 2; "K" then wraps to the next micrometre.
    int32_t r = TKVRCalc::CalcFlowTxtPointsWith(QStringLiteral("ABCDEFGHIJ K"), lines, kBox, kBox, 0, 4, 0.0f, 0,
                                                wide);
    EXPECT_EQ(r, kBox);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Start, 1);
    EXPECT_EQ(lines[0].Length, 11);
    EXPECT_EQ(lines[0].Y, 550000000);
    EXPECT_EQ(lines[1].Y, 550000001);
    // Centred in the diamond's width there.
    EXPECT_EQ(lines[0].X, (kBox - 1000000000) / 2);

    // Wider than the box: no line of the rounded outline holds it.
    for (TKVRFlowType kind : {TKVRFlowType(0), TKVRFlowType(4), TKVRFlowType(10), TKVRFlowType(11),
                              TKVRFlowType(12)}) {
        r = TKVRCalc::CalcFlowTxtPointsWith(QString(21, u'x'), lines, kBox, kBox, 0, kind, 0.0f, 0, wide);
        EXPECT_EQ(r, kBox) << int(kind);
        EXPECT_TRUE(lines.empty()) << int(kind);
    }

    // Ellipse: the first line that fits is where the width first reaches the
    // word, checked against the outline's own formula one micrometre above.
    r = TKVRCalc::CalcFlowTxtPointsWith(QStringLiteral("ABCDEFGHIJ K"), lines, kBox, kBox, 0, 11, 0.0f, 0, wide);
    ASSERT_EQ(lines.size(), 2u);
    const double h = kBox / 2.0;
    auto ellipseAvail = [&](double y) {
        return int64_t(2.0 * (kBox / 2.0) * std::cos(std::asin((h - y) / h))) - kLetter;
    };
    // Two lines move down together by half the room left: undo that.
    const int64_t shift = (int64_t(kBox) - 2) / 2;
    const int64_t y = lines[0].Y - shift;
    EXPECT_GE(ellipseAvail(double(y)), 10LL * kLetter);
    EXPECT_LT(ellipseAvail(double(y - 1)), 10LL * kLetter);
}
