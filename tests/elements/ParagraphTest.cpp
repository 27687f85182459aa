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
const QString kShort = QStringLiteral("Hello quick brown foxes jumping over lazy dogs");

// A paragraph in the box (x1, y1)-(x2, y2), paper micrometres times the
// document's drawing scale; margins 4 and 2.5 mm.
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

// The screen and paper lines of the last layouts as text, break characters dropped.
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
            EXPECT_GT(TKVRCalc::CalcTxtSize(lines[i] + " " + lines[i + 1].section(' ', 0, 0)), wrap) << i;
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
        EXPECT_EQ(InkCount(twin.screen) + InkCount(twin.paper), 0) << margin;
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
    const TTwin a = Twins(*crlf, 800, 500), b = Twins(*lf, 800, 500);
    EXPECT_EQ(a.screen, b.screen);
    EXPECT_EQ(a.paper, b.paper);
}

// ---------------------------------------------------------------- screen and paper

// At every quarter turn both surfaces break the same lines and put them in
// the same place, one margin from the box on every side (unequal margins: a
// swapped pair would break elsewhere).
TEST(ParagraphTwins, FourQuarterTurnsBreakAndLandAlike)
{
    for (int angle = 0; angle < 4; ++angle) {
        SCOPED_TRACE(angle);
        TKVRBaseLabel label;
        TKVRParagraph* p = MakePara(label, kText, 5000, 5000, 65000, 55000);
        p->SetAngle(TKVRAngle(angle));
        p->SetBasePadY(5000);
        p->SetHorzAlign(angle == 3 ? TKVRHorzAlign::Center : TKVRHorzAlign::Left);
        const TTwin twin = Twins(*p, 840, 720);
        ASSERT_GE(ScreenLines(*p).size(), 3);
        EXPECT_EQ(ScreenLines(*p), PaperLines(*p));
        const QRect a = InkBounds(twin.screen);
        ASSERT_FALSE(a.isEmpty());
        EXPECT_TRUE(SameBox(a, InkBounds(twin.paper), 2));
        const QRect margins(QPoint(Px(9) - 2, Px(10) - 2), QPoint(Px(61) + 2, Px(50) + 2));
        EXPECT_TRUE(margins.contains(a)) << RectText(a) << " in " << RectText(margins);
    }
}

// A framed, filled and centred box, and a drawing scale that must not spread
// the printed lines.
TEST(ParagraphTwins, FramedBoxesAndDrawingScales)
{
    for (int scale : {1, 5}) {
        TKVRBaseLabel label;
        label.GetMeasure().SetDrawScale(scale);
        TKVRParagraph* p = MakePara(label, kText, 5000, 5000, 65000, 55000);
        if (scale == 1) {
            p->SetFilled(true);
            p->SetBackColor(kGrey);
            p->SetPenWidth(0.3f);
            p->SetColor(0xFF0000FF);
            p->SetBaseRadio(3000);
            p->SetHorzAlign(TKVRHorzAlign::Center);
            p->SetVertAlign(TKVRVertAlign::Center);
        }
        const TTwin twin = Twins(*p, 840, 720, kDpi, scale);
        // Box and frame (both straddle the edge when filled) and the text alone.
        EXPECT_TRUE(SameBox(InkBounds(twin.screen, 250), InkBounds(twin.paper, 250), 2)) << scale;
        const QRect a = InkBounds(twin.screen, 60), b = InkBounds(twin.paper, 60);
        ASSERT_FALSE(a.isEmpty());
        EXPECT_TRUE(SameBox(a, b, 2)) << scale;
        if (scale > 1) {
            EXPECT_LT(b.bottom(), Px(55));
        }
    }
}

namespace {

struct VerticalCase
{
    const char* name;
    float spacing;
    TKVRVertAlign va;
    bool grow, shrink;
    QString text;
    TKVRHorzAlign ha = TKVRHorzAlign::Center;
};

const VerticalCase kVerticalCases[] = {
    {"spacing 1 at the top, left", 1.0f, TKVRVertAlign::Top, false, false, kText, TKVRHorzAlign::Left},
    {"spacing 1.5 centred", 1.5f, TKVRVertAlign::Center, false, false, kShort},
    {"spacing 1.5 at the bottom", 1.5f, TKVRVertAlign::Bottom, false, false, kShort},
    {"spacing 1.2 centred", 1.2f, TKVRVertAlign::Center, false, false, kShort},
    {"unbound AutoShrink centred", 1.0f, TKVRVertAlign::Center, false, true, kShort},
    {"unbound AutoShrink spacing 1.5 at the bottom", 1.5f, TKVRVertAlign::Bottom, false, true, kShort},
    {"unbound AutoGrow with more text than room", 1.0f, TKVRVertAlign::Top, true, false, kText + " " + kText},
    {"unbound AutoGrow centred", 1.5f, TKVRVertAlign::Center, true, false, kShort},
    {"unbound both flags, spacing 1.5 centred", 1.5f, TKVRVertAlign::Center, true, true, kShort},
};

// One vertical rule for screen and paper: the lines stand at the same rows,
// and poppler finds each printed line where the layout puts it.
void ExpectSameRows(const VerticalCase& c)
{
    TKVRBaseLabel label;
    label.GetMeasure().SetWidth(100000);
    label.GetMeasure().SetHeight(80000);
    // 60 x 30 mm, margins 4 and 2.5 mm: room for 5 lines of 4 mm at spacing 1.
    TKVRParagraph* p = MakePara(label, c.text, 10000, 10000, 70000, 40000);
    p->SetScaleX(c.spacing);
    p->SetVertAlign(c.va);
    p->SetHorzAlign(c.ha);
    p->SetAutoGrow(c.grow);
    p->SetAutoShrink(c.shrink);
    p->CalcValues(0);
    const TxtLines lines = p->GetLines();
    ASSERT_GE(lines.size(), 2u);

    // Ink rows at 300 dpi, within a pixel; nothing below the box.
    const TTwin twin = Twins(*p, 1200, 950);
    const auto screen = InkBands(twin.screen), paper = InkBands(twin.paper);
    ASSERT_EQ(screen.size(), lines.size());
    ASSERT_EQ(paper.size(), screen.size());
    for (size_t i = 0; i < screen.size(); ++i) {
        EXPECT_NEAR(paper[i].first, screen[i].first, 1) << "line " << i;
        EXPECT_NEAR(paper[i].second, screen[i].second, 1) << "line " << i;
    }
    EXPECT_LT(paper.back().second, Px(40.0));

    // A line's top is its words' top; a word box is one font height, inside
    // the box less its margins.
    const std::vector<TPdfWord> words = PrintToPdf(*p, 100, 80);
    std::vector<double> tops;
    for (const TPdfWord& w : words) {
        if (tops.empty() || std::abs(w.YMin - tops.back()) > 2.0)
            tops.push_back(w.YMin);
        EXPECT_NEAR(w.YMax - w.YMin, MmToPt(4), 0.5) << w.Text.toStdString();
        EXPECT_GE(w.XMin, MmToPt(14) - 0.5) << w.Text.toStdString();
        EXPECT_LE(w.XMax, MmToPt(66) + 0.5) << w.Text.toStdString();
    }
    ASSERT_EQ(tops.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_NEAR(tops[i], MmToPt(10.0 + 2.5 + lines[i].Y / 1000.0), 0.5) << "line " << i;
    if (c.ha == TKVRHorzAlign::Left) {
        EXPECT_NEAR(words.front().XMin, MmToPt(14), 0.8);
    }
}

}  // namespace

TEST(ParagraphTwins, LinesStandAtTheSameRowsOnScreenAndPaper)
{
    for (const VerticalCase& c : kVerticalCases) {
        SCOPED_TRACE(c.name);
        ExpectSameRows(c);
    }
}

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
// per-cell copy on screen shows the same grown or shrunk box and lines as
// paper. An unbound box, or a bound one without the flags, keeps its size.
TEST(ParagraphTwins, DataBoundBoxFitsAlikeOnScreenAndPaper)
{
    struct FitCase
    {
        const char* name;
        uint8_t fill;
        bool grow, shrink;
        QString value;
        float spacing;
        TKVRAngle angle;
        int extentVsBox;  // the fitted box against the 20 mm one: -1 smaller, 0 kept, 1 larger
        int64_t exact = 0;  // the fitted extent, when known
    };
    const QString longText = kText + " " + kText;
    const FitCase cases[] = {
        {"grow", 1, true, false, longText, 1.0f, TKVRAngle::Angle0, 1},
        // One line of 4 mm and the two 2.5 mm margins; an empty record only the margins.
        {"shrink", 1, false, true, QStringLiteral("short"), 1.0f, TKVRAngle::Angle0, -1, 9000},
        {"shrink, empty record", 1, false, true, QString(), 1.0f, TKVRAngle::Angle0, -1, 5000},
        {"both, spacing 1.5", 1, true, true, kShort, 1.5f, TKVRAngle::Angle0, -1},
        {"grow, half turn", 1, true, false, longText, 1.0f, TKVRAngle::Angle180, 1},
        // Room to spare: the box keeps its size and centres the line in it,
        // not in the room down to the label's edge.
        {"grow, short text", 1, true, false, QStringLiteral("short"), 1.0f, TKVRAngle::Angle0, 0},
        {"bound without flags", 1, false, false, longText, 1.0f, TKVRAngle::Angle0, 0},
        {"unbound, both flags", 0, true, true, longText, 1.0f, TKVRAngle::Angle0, 0},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.name);
        TKVRBaseLabel label;
        label.GetMeasure().SetWidth(100000);
        label.GetMeasure().SetHeight(100000);
        label.SetDataValue(QStringLiteral("Notes"), c.value);
        auto* p = new TKVRParagraph(&label, true);  // the per-cell copy shows the record
        p->SetBase(1, 10000, 40000);
        p->SetBase(2, 70000, 60000);
        p->SetText(c.fill ? QStringLiteral("stored") : c.value);
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
        p->SetFillType(c.fill);
        p->SetFillName(QStringLiteral("Notes"));
        p->SetAutoGrow(c.grow);
        p->SetAutoShrink(c.shrink);
        p->CalcValues(0);
        ASSERT_EQ(p->GetDisplayText(), c.value);
        const int64_t extent = c.extentVsBox == 0 ? 20000 : p->GetFittedExtent();
        if (c.extentVsBox == 0) {
            EXPECT_EQ(p->GetFittedExtent(), -1);
        } else {
            EXPECT_EQ(c.extentVsBox, extent > 20000 ? 1 : -1);
        }
        if (c.exact) {
            EXPECT_EQ(extent, c.exact);
        }

        const TTwin twin = Twins(*p, 1200, 1200);
        const QRect boxScreen = InkBounds(twin.screen, 250), boxPaper = InkBounds(twin.paper, 250);
        ASSERT_FALSE(boxScreen.isEmpty());
        EXPECT_TRUE(SameBox(boxScreen, boxPaper, 2));
        EXPECT_NEAR(boxScreen.height(), PxUm(extent), 2);
        EXPECT_LE(boxScreen.bottom(), Px(100));
        EXPECT_EQ(PaperLines(*p), ScreenLines(*p));
        if (c.value.isEmpty())
            continue;
        const QRect textScreen = InkBounds(twin.screen), textPaper = InkBounds(twin.paper);
        if (c.value == QStringLiteral("short") && c.extentVsBox == 0) {
            EXPECT_NEAR((textScreen.top() + textScreen.bottom()) / 2.0, PxUm(50000), PxUm(600));
        }
        EXPECT_TRUE(SameBox(textScreen, textPaper, 2));
        EXPECT_TRUE(boxScreen.adjusted(-1, -1, 1, 1).contains(textScreen));
    }
}
