// The font cache with the installed fonts: metrics of a requested height, reuse
// of the cached font, the text overload, and one cache per thread.
#include "render/TKVRCalc.h"
#include <gtest/gtest.h>
#include <latch>
#include <thread>

namespace {
struct Metrics
{
    int32_t asc = -1, des = -1, und = 0, lh = -1;
    double ratio = 0.0;
};

Metrics Select(const QString& family, int32_t height, bool bold = false, bool italic = false)
{
    Metrics m;
    TKVRCalc::FontSettings(family, height, bold, italic, m.asc, m.des, m.und, m.lh, m.ratio);
    return m;
}

const QString kParagraph = "The quick brown fox jumps over the lazy dog.\r\nPack my box with five dozen liquor jugs, "
                           "then sphinx of black quartz, judge my vow.";
}  // namespace

TEST(FontCache, RequestedHeightIsAscentPlusDescent)
{
    for (const char* family : {"Arial", "DejaVu Sans"}) {
        for (int32_t height : {10000, 3500}) {
            const Metrics m = Select(family, height);
            EXPECT_EQ(m.lh, height) << family;
            EXPECT_NEAR(m.asc + m.des, height, 1) << family << " " << height;
            EXPECT_GT(m.asc, m.des);
            EXPECT_GT(m.und, 0) << "underline lies below the baseline";
            EXPECT_GT(m.ratio, 0.5);
            EXPECT_LT(m.ratio, 1.5);
            EXPECT_EQ(TKVRCalc::LineHeight(), height);
        }
    }
    // "Arial" is served by its metric twin.
    Select("Arial", 10000);
    ASSERT_TRUE(TKVRCalc::Typeface());
    EXPECT_EQ(TKVRCalc::Typeface()->GetFamilyName(), "Liberation Sans");
    // Widths scale with the height, and the bold flag reaches the face.
    Select("DejaVu Sans", 5000);
    const int32_t small = TKVRCalc::CalcTxtSize("Hamburgefonstiv");
    Select("DejaVu Sans", 10000);
    const int32_t large = TKVRCalc::CalcTxtSize("Hamburgefonstiv");
    EXPECT_NEAR(large, 2 * small, 2);
    EXPECT_EQ(TKVRCalc::CalcTxtSize(""), 0);
    Select("DejaVu Sans", 10000, true);
    EXPECT_GT(TKVRCalc::CalcTxtSize("Hamburgefonstiv"), large);
}

// Equal requests make one font; the key is case-sensitive and holds the
// style. Reset forgets the key and the metrics, but keeps the font.
TEST(FontCache, EqualRequestsMakeOneFontAndResetForgetsTheKey)
{
    TKVRCalc::Reset();
    const int64_t before = TKVRCalc::FontsMade();
    const Metrics a = Select("Arial", 7000, false, true);
    const Metrics b = Select("Arial", 7000, false, true);
    EXPECT_EQ(TKVRCalc::FontsMade(), before + 1);
    EXPECT_EQ(a.asc, b.asc);
    EXPECT_EQ(a.des, b.des);
    EXPECT_EQ(a.ratio, b.ratio);
    Select("arial", 7000, false, true);
    EXPECT_EQ(TKVRCalc::FontsMade(), before + 2);
    Select("arial", 7000, true, true);
    EXPECT_EQ(TKVRCalc::FontsMade(), before + 3);

    Select("DejaVu Sans", 6000);
    const int32_t width = TKVRCalc::CalcTxtSize("keep");
    const int64_t made = TKVRCalc::FontsMade();
    TKVRCalc::Reset();
    EXPECT_EQ(TKVRCalc::Ascent(), 0);
    EXPECT_EQ(TKVRCalc::Descent(), 0);
    EXPECT_EQ(TKVRCalc::LineHeight(), 6000);
    EXPECT_EQ(TKVRCalc::CalcTxtSize("keep"), width);  // the font stays
    Select("DejaVu Sans", 6000);
    EXPECT_EQ(TKVRCalc::FontsMade(), made + 1);
    // An empty family with height 0 is no cache hit after Reset either.
    TKVRCalc::Reset();
    Select("", 0);
    EXPECT_EQ(TKVRCalc::FontsMade(), made + 2);
}

TEST(FontCache, TextOverloadMeasuresAsTheMetricsFontAndLeavesNoStaleKey)
{
    const Metrics arial = Select("Arial", 10000);
    const int32_t arialWidth = TKVRCalc::CalcTxtSize("Measure me");

    int32_t asc = 0, des = 0, wid = 0;
    double ratio = 0.0;
    TKVRCalc::FontSettings("Measure me", "Arial", 10000, false, false, asc, des, wid, ratio);
    EXPECT_EQ(wid, arialWidth);
    EXPECT_EQ(ratio, arial.ratio);
    EXPECT_EQ(asc, arial.asc);

    TKVRCalc::FontSettings("Measure me", "DejaVu Sans", 20000, true, false, asc, des, wid, ratio);
    EXPECT_NEAR(asc + des, 20000, 1);
    EXPECT_EQ(wid, TKVRCalc::CalcTxtSize("Measure me"));
    EXPECT_GT(wid, arialWidth);
    EXPECT_EQ(TKVRCalc::LineHeight(), 10000) << "the text overload stores no metrics";

    // The same metrics request as before must measure with Arial again.
    const int64_t made = TKVRCalc::FontsMade();
    const Metrics again = Select("Arial", 10000);
    EXPECT_EQ(TKVRCalc::FontsMade(), made + 1);
    EXPECT_EQ(again.asc, arial.asc);
    EXPECT_EQ(TKVRCalc::CalcTxtSize("Measure me"), arialWidth);
}

TEST(FontCache, BeforeAnyFontNothingIsMeasured)
{
    // A thread's cache starts empty.
    int32_t width = -1, pts = -1, flow = -1;
    bool hadFont = true;
    TxtLines lines{{1, 1, 1, 1}}, flowLines{{1, 1, 1, 1}};
    std::thread t([&] {
        hadFont = bool(TKVRCalc::Font());
        width = TKVRCalc::CalcTxtSize("abc");
        pts = TKVRCalc::CalcTxtPts("abc def", nullptr, lines, 10000, 0, 0, 0, TKVRHorzAlign::Left,
                                   TKVRVertAlign::Top, 1.0f);
        flow = TKVRCalc::CalcFlowTxtPoints("abc def", nullptr, flowLines, 10000, 10000, 0, 0, 4, 1.0f);
    });
    t.join();
    EXPECT_FALSE(hadFont);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(pts, 0);
    EXPECT_EQ(flow, 0);
    EXPECT_TRUE(lines.empty());
    EXPECT_TRUE(flowLines.empty());
}

TEST(FontCache, RealFontBreaksAtTheMeasuredWidth)
{
    Select("DejaVu Sans", 5000);
    const int32_t hello = TKVRCalc::CalcTxtSize("Hello");
    const int32_t both = hello + TKVRCalc::CalcTxtSize(" world");  // what joining measures
    TxtLines lines;
    // Just too narrow for both words, then just wide enough.
    EXPECT_EQ(TKVRCalc::CalcTxtPts("Hello world", nullptr, lines, both - 1, 0, 0, 0, TKVRHorzAlign::Center,
                                   TKVRVertAlign::Top, 1.0f),
              10000);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].Start, 7);
    EXPECT_EQ(lines[0].X, (both - 1 - hello) / 2);
    EXPECT_EQ(TKVRCalc::CalcTxtPts("Hello world", nullptr, lines, both, 0, 0, 0, TKVRHorzAlign::Left,
                                   TKVRVertAlign::Top, 1.0f),
              5000);
    EXPECT_EQ(lines.size(), 1u);
}

TEST(FontCache, ThreadsLayOutWithTheirOwnFonts)
{
    struct Job
    {
        QString family;
        int32_t height;
        bool bold;
    };
    const Job jobs[2] = {{"Arial", 4000, false}, {"DejaVu Sans", 6500, true}};
    struct Result
    {
        TxtLines box, flow;
        int32_t width = 0;
        bool operator==(const Result&) const = default;
    };
    auto layOut = [](const Job& job) {
        Result r;
        Select(job.family, job.height, job.bold);
        r.width = TKVRCalc::CalcTxtSize(kParagraph);
        TKVRCalc::CalcTxtPts(kParagraph, nullptr, r.box, 60000, 0, 1000, 1000, TKVRHorzAlign::Center,
                             TKVRVertAlign::Top, 1.2f);
        TKVRCalc::CalcFlowTxtPoints(kParagraph, nullptr, r.flow, 80000, 60000, 0, 0, 11, 1.0f);
        return r;
    };

    const Result expected[2] = {layOut(jobs[0]), layOut(jobs[1])};
    ASSERT_NE(expected[0], expected[1]);
    ASSERT_GT(expected[0].box.size(), 1u);

    std::latch start(2);
    bool same[2] = {true, true};
    auto worker = [&](int k) {
        start.arrive_and_wait();
        for (int round = 0; round < 40; ++round)
            if (!(layOut(jobs[k]) == expected[k]))
                same[k] = false;
    };
    std::thread a(worker, 0), b(worker, 1);
    a.join();
    b.join();
    EXPECT_TRUE(same[0]);
    EXPECT_TRUE(same[1]);
}
