#include "elements/TKVRParagraph.h"
#include "render/TKVRCalc.h"
#include "tests/elements/ContentTestSupport.h"
#include <gtest/gtest.h>
#include <vector>

using namespace kvrtest;

namespace {

constexpr TAlphaColor kGrey = 0xFFE0E0E0;  // ink only at the higher threshold

const QString kText = QStringLiteral(
    "The quick brown fox jumps over the lazy dog while seven wizards quietly box and judge every move");

// A paragraph in the box (x1, y1)-(x2, y2), paper micrometres times the
// document's drawing scale.
TKVRParagraph* MakePara(TKVRBaseLabel& label, const QString& text, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    const int64_t s = label.GetMeasure().GetDrawScale();
    auto* p = new TKVRParagraph(&label);
    p->SetBase(1, x1 * s, y1 * s);
    p->SetBase(2, x2 * s, y2 * s);
    p->SetText(text);
    p->SetFontName(QStringLiteral("Arial"));
    p->SetBaseFontHeight(4000);
    p->SetPenWidth(0.0f);
    p->SetBasePadX(int32_t(4000 * s));
    p->SetBasePadY(int32_t(2500 * s));
    return p;
}

// The screen lines of the last layout as text, break characters dropped.
QStringList ScreenLines(const TKVRParagraph& p)
{
    QStringList out;
    for (const TKVRTxtInf& l : p.GetLines())
        out << p.GetDisplayText().mid(l.Start - 1, l.Length).trimmed();
    return out;
}

QStringList PaperLines(const TKVRParagraph& p)
{
    QStringList out;
    for (const TKVRFTxtInf& l : p.GetPrintedLines())
        out << p.GetPrintedText().mid(l.Start - 1, l.Length).trimmed();
    return out;
}

}  // namespace

// ---------------------------------------------------------------- where lines break

TEST(ParagraphLayout, LinesBreakAtTheBoxLessOneMarginEachSide)
{
    TKVRBaseLabel label;
    TKVRParagraph* p = MakePara(label, kText, 5000, 5000, 75000, 60000);
    p->CalcValues(0);
    const QStringList lines = ScreenLines(*p);
    ASSERT_GE(lines.size(), 3);
    ASSERT_EQ(lines.join(' '), kText);
    // CalcTxtPts measured with the paragraph's font, which the cache still holds.
    const int32_t wrap = 70000 - 2 * 4000;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_LE(TKVRCalc::CalcTxtSize(lines[i]), wrap) << lines[i].toStdString();
        if (i + 1 < lines.size()) {
            const QString next = lines[i + 1].section(' ', 0, 0);
            EXPECT_GT(TKVRCalc::CalcTxtSize(lines[i] + " " + next), wrap) << lines[i].toStdString();
        }
    }
    // Left-aligned lines start at the inner margin's edge, not a margin further in.
    EXPECT_EQ(p->GetLines().front().X, 0);
    EXPECT_EQ(p->GetLines().front().Y, 0);

    // Quarter turns wrap the text to the box's height (here the longer side).
    TKVRParagraph* tall = MakePara(label, kText, 0, 0, 30000, 90000);
    tall->CalcValues(0);
    const size_t flat = tall->GetLines().size();
    tall->SetAngle(TKVRAngle::Angle90);
    tall->CalcValues(0);
    EXPECT_GT(flat, tall->GetLines().size());
}

TEST(ParagraphLayout, ScreenAndPaperBreakAlike)
{
    for (int angle = 0; angle < 4; ++angle) {
        TKVRBaseLabel label;
        TKVRParagraph* p = MakePara(label, kText, 5000, 5000, 75000, 75000);
        p->SetAngle(TKVRAngle(angle));
        p->SetBasePadY(6000);  // unequal margins: a swapped pair would break elsewhere
        p->CalcValues(0);
        Paper(*p, 100, 100);
        const QStringList screen = ScreenLines(*p);
        ASSERT_GE(screen.size(), 3) << angle;
        EXPECT_EQ(screen, PaperLines(*p)) << "turn " << angle << ": " << screen.join('|').toStdString() << " vs "
                                          << PaperLines(*p).join('|').toStdString();
    }
}

// Margins wider than the box, also margins no page can hold (as a damaged
// file may give them), leave no room: no lines, nothing painted.
TEST(ParagraphLayout, NoRoomInsideMeansNoLines)
{
    TKVRBaseLabel label;
    TKVRParagraph* p = MakePara(label, kText, 0, 0, 7000, 40000);
    for (int32_t margin : {4000, 2000000000}) {
        p->SetBasePadX(margin);
        p->CalcValues(0);
        EXPECT_TRUE(p->GetLines().empty()) << margin;
        const TTwin twin = Twins(*p, 200, 500);
        EXPECT_EQ(InkCount(twin.screen), 0) << margin;
        EXPECT_EQ(InkCount(twin.paper), 0) << margin;
    }
}

TEST(ParagraphLayout, BreakCharactersAreNotPainted)
{
    TKVRBaseLabel label;
    TKVRParagraph* crlf = MakePara(label, QStringLiteral("Alpha\r\nBeta"), 2000, 2000, 60000, 40000);
    TKVRParagraph* lf = MakePara(label, QStringLiteral("Alpha\nBeta"), 2000, 2000, 60000, 40000);
    crlf->CalcValues(0);
    ASSERT_EQ(crlf->GetLines().size(), 2u);
    EXPECT_EQ(crlf->GetLines()[0].Length, 7);  // the break belongs to its line
    const TTwin a = Twins(*crlf, 800, 500);
    const TTwin b = Twins(*lf, 800, 500);
    EXPECT_EQ(a.screen, b.screen);
    EXPECT_EQ(a.paper, b.paper);
}

// ---------------------------------------------------------------- screen and paper

TEST(ParagraphTwins, FourQuarterTurnsLandInTheSamePlace)
{
    for (int angle = 0; angle < 4; ++angle) {
        TKVRBaseLabel label;
        TKVRParagraph* p = MakePara(label, kText, 5000, 5000, 65000, 55000);
        p->SetAngle(TKVRAngle(angle));
        p->SetBasePadY(5000);
        p->SetHorzAlign(angle == 3 ? TKVRHorzAlign::Center : TKVRHorzAlign::Left);
        const TTwin twin = Twins(*p, 840, 720);
        const QRect a = InkBounds(twin.screen), b = InkBounds(twin.paper);
        ASSERT_FALSE(a.isEmpty()) << angle;
        EXPECT_TRUE(SameBox(a, b, 2)) << "turn " << angle;
        // The text keeps one margin from the box on every side.
        const double px = kDpi / 25400.0;
        const QRect inner(QPoint(int(5000 * px), int(5000 * px)), QPoint(int(65000 * px), int(55000 * px)));
        const QRect margins = inner.adjusted(int(4000 * px) - 2, int(5000 * px) - 2, 2 - int(4000 * px),
                                             2 - int(5000 * px));
        EXPECT_TRUE(margins.contains(a)) << "turn " << angle << ": " << BoxText(a) << " in " << BoxText(margins);
    }
}

TEST(ParagraphTwins, FramedFilledAndCentredBoxes)
{
    TKVRBaseLabel label;
    TKVRParagraph* p = MakePara(label, kText, 5000, 5000, 65000, 55000);
    p->SetFilled(true);
    p->SetBackColor(kGrey);
    p->SetPenWidth(0.3f);
    p->SetColor(0xFF0000FF);
    p->SetBaseRadio(3000);
    p->SetHorzAlign(TKVRHorzAlign::Center);
    p->SetVertAlign(TKVRVertAlign::Center);
    const TTwin twin = Twins(*p, 840, 720);
    // Box and frame (both straddle the edge when filled) and the text alone.
    EXPECT_TRUE(SameBox(InkBounds(twin.screen, 250), InkBounds(twin.paper, 250), 2));
    const QRect a = InkBounds(twin.screen, 60), b = InkBounds(twin.paper, 60);
    EXPECT_TRUE(SameBox(a, b, 2));
}

TEST(ParagraphTwins, DrawingScaleDoesNotSpreadThePrintedLines)
{
    TKVRBaseLabel label;
    label.GetMeasure().SetDrawScale(5);
    TKVRParagraph* p = MakePara(label, kText, 5000, 5000, 65000, 55000);
    const TTwin twin = Twins(*p, 840, 720, kDpi, 5);
    const QRect a = InkBounds(twin.screen), b = InkBounds(twin.paper);
    ASSERT_FALSE(a.isEmpty());
    EXPECT_TRUE(SameBox(a, b, 2));
    EXPECT_LT(b.bottom(), int(55000 * kDpi / 25400.0));
}

// ---------------------------------------------------------------- paper, read back by poppler

TEST(ParagraphPdf, FirstLineStandsOneMarginIn)
{
    TKVRBaseLabel label;
    TKVRParagraph* p = MakePara(label, kText, 10000, 12000, 90000, 60000);
    p->SetBasePadX(5000);
    p->SetBasePadY(3000);
    const std::vector<TPdfWord> words = PrintToPdf(*p, 100, 80);
    ASSERT_GE(words.size(), 10u);
    EXPECT_EQ(words.front().Text, QStringLiteral("The"));
    EXPECT_NEAR(words.front().XMin, MmToPt(10 + 5), 0.8);
    EXPECT_NEAR(words.front().YMin, MmToPt(12 + 3), 0.8);
    // The word box is one font height: ascent plus descent.
    EXPECT_NEAR(words.front().YMax - words.front().YMin, MmToPt(4), 0.5);
    // Every word keeps inside the box less its margins.
    for (const TPdfWord& w : words) {
        EXPECT_GE(w.XMin, MmToPt(15) - 0.5) << w.Text.toStdString();
        EXPECT_LE(w.XMax, MmToPt(85) + 0.5) << w.Text.toStdString();
    }
}

TEST(ParagraphPdf, CentredTextSitsBetweenTheInnerMargins)
{
    TKVRBaseLabel label;
    TKVRParagraph* p = MakePara(label, kText, 10000, 10000, 90000, 70000);
    p->SetVertAlign(TKVRVertAlign::Center);
    const std::vector<TPdfWord> words = PrintToPdf(*p, 100, 80);
    ASSERT_GE(words.size(), 10u);
    double top = 1e9, bottom = -1e9;
    for (const TPdfWord& w : words) {
        top = std::min(top, w.YMin);
        bottom = std::max(bottom, w.YMax);
    }
    EXPECT_NEAR((top + bottom) / 2.0, MmToPt(40), 0.8);
    EXPECT_GT(top, MmToPt(10 + 2.5) + 10.0);  // well below the top margin

    // The screen centres the same block.
    const TTwin twin = Twins(*p, 1200, 1000);
    const QRect a = InkBounds(twin.screen), b = InkBounds(twin.paper);
    EXPECT_TRUE(SameBox(a, b, 2));
}

// ---------------------------------------------------------------- data-bound boxes

TEST(ParagraphPrint, DataBoundBoxFitsTheRecord)
{
    TKVRBaseLabel label;
    label.GetMeasure().SetWidth(100000);
    label.GetMeasure().SetHeight(100000);
    const double px = kDpi / 25400.0;
    auto boxBottom = [&](TKVRParagraph* p) {
        const QRect fill = InkBounds(Paper(*p, 1200, 1200), 250);
        return fill.isEmpty() ? -1 : fill.bottom();
    };
    auto make = [&](bool grow, bool shrink, uint8_t fill) {
        TKVRParagraph* p = MakePara(label, QStringLiteral("stored"), 10000, 10000, 60000, 30000);
        p->SetFilled(true);
        p->SetBackColor(kGrey);
        p->SetFillType(fill);
        p->SetFillName(QStringLiteral("Notes"));
        p->SetAutoGrow(grow);
        p->SetAutoShrink(shrink);
        p->CalcValues(0);
        return p;
    };
    label.SetDataValue(QStringLiteral("Notes"), kText + " " + kText);
    const int bottom = int(30000 * px);
    EXPECT_NEAR(boxBottom(make(false, false, 1)), bottom, 1);
    const int grown = boxBottom(make(true, false, 1));
    EXPECT_GT(grown, bottom + 50);
    EXPECT_LE(grown, int(100000 * px));
    // Not bound: the box keeps its size whatever the flags.
    EXPECT_NEAR(boxBottom(make(true, true, 0)), bottom, 1);

    label.SetDataValue(QStringLiteral("Notes"), QStringLiteral("short"));
    const int shrunk = boxBottom(make(false, true, 1));
    // One line of 4 mm and the two 2.5 mm margins.
    EXPECT_NEAR(shrunk, (10000 + 4000 + 5000) * px, 2);

    // An empty record shrinks the box to its two margins.
    label.SetDataValue(QStringLiteral("Notes"), QString());
    EXPECT_NEAR(boxBottom(make(false, true, 1)), (10000 + 5000) * px, 2);
}

// ---------------------------------------------------------------- one vertical rule for screen and paper

namespace {

// Runs of rows holding ink: each line of text is one band.
std::vector<std::pair<int, int>> InkBands(const QImage& image)
{
    std::vector<std::pair<int, int>> bands;
    bool in = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = qGray(image.pixel(x, y)) < 200;
        if (ink && !in)
            bands.push_back({y, y});
        if (ink)
            bands.back().second = y;
        in = ink;
    }
    return bands;
}

struct VerticalCase
{
    const char* name;
    float spacing;
    TKVRVertAlign va;
    bool grow, shrink;
    QString text;
};

void PrintTo(const VerticalCase& c, std::ostream* os) { *os << c.name; }

const QString kShort = QStringLiteral("Hello quick brown foxes jumping over lazy dogs");

const VerticalCase kVerticalCases[] = {
    {"spacing 1.5 centred", 1.5f, TKVRVertAlign::Center, false, false, kShort},
    {"spacing 1.5 at the bottom", 1.5f, TKVRVertAlign::Bottom, false, false, kShort},
    {"spacing 1.2 centred", 1.2f, TKVRVertAlign::Center, false, false, kShort},
    {"unbound AutoShrink centred", 1.0f, TKVRVertAlign::Center, false, true, kShort},
    {"unbound AutoShrink spacing 1.5 at the bottom", 1.5f, TKVRVertAlign::Bottom, false, true, kShort},
    {"unbound AutoGrow with more text than room", 1.0f, TKVRVertAlign::Top, true, false, kText + " " + kText},
    {"unbound AutoGrow centred", 1.5f, TKVRVertAlign::Center, true, false, kShort},
    {"unbound both flags, spacing 1.5 centred", 1.5f, TKVRVertAlign::Center, true, true, kShort},
};

class ParagraphVertical : public ::testing::TestWithParam<VerticalCase>
{
};

}  // namespace

TEST_P(ParagraphVertical, LinesStandAtTheSameRowsOnScreenAndPaper)
{
    const VerticalCase& c = GetParam();
    TKVRBaseLabel label;
    label.GetMeasure().SetWidth(100000);
    label.GetMeasure().SetHeight(80000);
    // 60 x 30 mm, margins 4 and 2.5 mm: room for 5 lines of 4 mm at spacing 1.
    TKVRParagraph* p = MakePara(label, c.text, 10000, 10000, 70000, 40000);
    p->SetScaleX(c.spacing);
    p->SetVertAlign(c.va);
    p->SetHorzAlign(TKVRHorzAlign::Center);
    p->SetAutoGrow(c.grow);
    p->SetAutoShrink(c.shrink);
    p->CalcValues(0);
    const TxtLines lines = p->GetLines();
    ASSERT_GE(lines.size(), 2u) << c.name;

    // Ink rows at 300 dpi, within a pixel.
    const TTwin twin = Twins(*p, 1200, 950);
    const auto screen = InkBands(twin.screen);
    const auto paper = InkBands(twin.paper);
    ASSERT_EQ(screen.size(), lines.size()) << c.name;
    ASSERT_EQ(paper.size(), screen.size()) << c.name;
    for (size_t i = 0; i < screen.size(); ++i) {
        EXPECT_NEAR(paper[i].first, screen[i].first, 1) << c.name << ", line " << i;
        EXPECT_NEAR(paper[i].second, screen[i].second, 1) << c.name << ", line " << i;
    }
    // Nothing below the box.
    EXPECT_LT(paper.back().second, Px(40.0)) << c.name;

    // The laid-out positions against poppler's word boxes: a line's top is its
    // words' top.
    const std::vector<TPdfWord> words = PrintToPdf(*p, 100, 80);
    std::vector<double> tops;
    for (const TPdfWord& w : words)
        if (tops.empty() || std::abs(w.YMin - tops.back()) > 2.0)
            tops.push_back(w.YMin);
    ASSERT_EQ(tops.size(), lines.size()) << c.name;
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_NEAR(tops[i], MmToPt(10.0 + 2.5 + lines[i].Y / 1000.0), 0.5) << c.name << ", line " << i;
}

INSTANTIATE_TEST_SUITE_P(ParagraphTwins, ParagraphVertical, ::testing::ValuesIn(kVerticalCases));

// The block of n lines is ascent + descent + (n - 1) steps on both surfaces:
// centred, it sits mid-box whatever the spacing.
TEST(ParagraphTwins, CentredBlockSitsMidBoxAtAnySpacing)
{
    TKVRBaseLabel label;
    TKVRParagraph* p = MakePara(label, kShort, 10000, 10000, 70000, 40000);
    p->SetVertAlign(TKVRVertAlign::Center);
    p->SetScaleX(1.5f);
    p->CalcValues(0);
    const TxtLines& lines = p->GetLines();
    ASSERT_GE(lines.size(), 2u);
    const int64_t block = int64_t(TKVRCalc::Ascent()) + TKVRCalc::Descent() + int64_t(lines.size() - 1) * 6000;
    EXPECT_EQ(lines.front().Y, (25000 - block) / 2);
    const std::vector<TPdfWord> words = PrintToPdf(*p, 100, 80);
    ASSERT_FALSE(words.empty());
    // Mid-box on paper: the first line's top and the last line's bottom.
    EXPECT_NEAR((words.front().YMin + words.back().YMax) / 2.0, MmToPt(25.0), 0.5);
}

// A data-bound box fits the record's text by one rule on both surfaces: the
// per-cell copy on screen shows the same grown or shrunk box and lines as paper.
TEST(ParagraphTwins, DataBoundBoxFitsAlikeOnScreenAndPaper)
{
    struct FitCase
    {
        const char* name;
        bool grow, shrink;
        QString value;
        float spacing;
        TKVRAngle angle;
        int extentVsBox;  // the fitted box against the 20 mm one: -1 smaller, 1 larger
    };
    const FitCase cases[] = {
        {"grow", true, false, kText + " " + kText, 1.0f, TKVRAngle::Angle0, 1},
        {"shrink", false, true, QStringLiteral("short"), 1.0f, TKVRAngle::Angle0, -1},
        {"both, spacing 1.5", true, true, kShort, 1.5f, TKVRAngle::Angle0, -1},
        {"grow, half turn", true, false, kText + " " + kText, 1.0f, TKVRAngle::Angle180, 1},
        // Room to spare: the box keeps its size and centres the line in it,
        // not in the room down to the label's edge.
        {"grow, short text", true, false, QStringLiteral("short"), 1.0f, TKVRAngle::Angle0, 0},
    };
    for (const FitCase& c : cases) {
        TKVRBaseLabel label;
        label.GetMeasure().SetWidth(100000);
        label.GetMeasure().SetHeight(100000);
        label.SetDataValue(QStringLiteral("Notes"), c.value);
        auto* p = new TKVRParagraph(&label, true);  // the per-cell copy shows the record
        p->SetBase(1, 10000, 40000);
        p->SetBase(2, 70000, 60000);
        p->SetFontName(QStringLiteral("Arial"));
        p->SetBaseFontHeight(4000);
        p->SetPenWidth(0.0f);
        p->SetBasePadX(4000);
        p->SetBasePadY(2500);
        p->SetFilled(true);
        p->SetBackColor(kGrey);
        p->SetScaleX(c.spacing);
        p->SetAngle(c.angle);
        p->SetVertAlign(TKVRVertAlign::Center);
        p->SetFillType(1);
        p->SetFillName(QStringLiteral("Notes"));
        p->SetAutoGrow(c.grow);
        p->SetAutoShrink(c.shrink);
        p->CalcValues(0);
        ASSERT_EQ(p->GetDisplayText(), c.value) << c.name;
        const int64_t extent = c.extentVsBox == 0 ? 20000 : p->GetFittedExtent();
        if (c.extentVsBox == 0) {
            EXPECT_EQ(p->GetFittedExtent(), -1) << c.name;
        } else {
            EXPECT_EQ(c.extentVsBox, extent > 20000 ? 1 : -1) << c.name;
        }

        const TTwin twin = Twins(*p, 1200, 1200);
        const QRect boxScreen = InkBounds(twin.screen, 250), boxPaper = InkBounds(twin.paper, 250);
        ASSERT_FALSE(boxScreen.isEmpty()) << c.name;
        EXPECT_TRUE(SameBox(boxScreen, boxPaper, 2)) << c.name << ": " << BoxText(boxScreen) << " vs "
                                                     << BoxText(boxPaper);
        EXPECT_NEAR(boxScreen.height(), PxUm(extent), 2) << c.name;
        const QRect textScreen = InkBounds(twin.screen), textPaper = InkBounds(twin.paper);
        if (c.extentVsBox == 0) {
            EXPECT_NEAR((textScreen.top() + textScreen.bottom()) / 2.0, PxUm(50000), PxUm(600)) << c.name;
        }
        EXPECT_TRUE(SameBox(textScreen, textPaper, 2)) << c.name << ": " << BoxText(textScreen) << " vs "
                                                       << BoxText(textPaper);
        EXPECT_TRUE(boxScreen.contains(textScreen)) << c.name;
        EXPECT_EQ(PaperLines(*p), ScreenLines(*p)) << c.name;
    }
}
