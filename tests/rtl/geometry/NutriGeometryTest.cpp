#include "platform/rtl/geometry/KVR.Nutri.Geometry.h"
#include <gtest/gtest.h>
#include <string>

namespace {

using A = TKVRAngle;

::testing::AssertionResult Near(const TRectF& a, const TRectF& b, float tol = 1e-3f)
{
    if (std::fabs(a.Left - b.Left) <= tol && std::fabs(a.Top - b.Top) <= tol && std::fabs(a.Right - b.Right) <= tol &&
        std::fabs(a.Bottom - b.Bottom) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.Left << "," << a.Top << ")-(" << a.Right << "," << a.Bottom
                                         << ") vs (" << b.Left << "," << b.Top << ")-(" << b.Right << "," << b.Bottom
                                         << ")";
}

std::string Order(const std::vector<TKVRNutriCell>& aCells)
{
    std::string s;
    for (const TKVRNutriCell& c : aCells)
        s += std::string(1, char('A' + c.Index)) + (c.Current ? "*" : "");
    return s;
}

// A cell area of 240 x 60 pixels, gap 10: the five cells share 240 - 40 = 200,
// 40 each; 40 is shorter than the area is thick, so cells are 40 x 48 centred across.
const TRectF kRow(100, 200, 340, 260);

TEST(NutriLayout, CellsOfARowFromAToE)
{
    EXPECT_FLOAT_EQ(SizeScore(kRow, 10, A::Angle0, 0), 200.0f);
    float step = 40.0f;
    TRectF a;
    ScoreRect(kRow, a, step, A::Angle0, 0);
    EXPECT_FLOAT_EQ(step, 40.0f);
    EXPECT_TRUE(Near(a, TRectF(100, 206, 140, 254)));
    OffsetScoreRect(a, step + 10, A::Angle0, 0, false);
    EXPECT_TRUE(Near(a, TRectF(150, 206, 190, 254)));
    OffsetScoreRect(a, step + 10, A::Angle0, 0, true);
    EXPECT_TRUE(Near(a, TRectF(100, 206, 140, 254)));
}

TEST(NutriLayout, LongCellsAreShortenedAndTheRowStaysCentred)
{
    // 540 x 60: the share would be 100 a cell; cells stop at the thickness (60),
    // so the row of 5 x 60 + 4 x 10 = 340 is centred: it starts (500 - 300) / 2 = 100 in.
    const TRectF wide(0, 0, 540, 60);
    float step = SizeScore(wide, 10, A::Angle0, 0) / 5.0f;
    EXPECT_FLOAT_EQ(step, 100.0f);
    TRectF a;
    ScoreRect(wide, a, step, A::Angle0, 0);
    EXPECT_FLOAT_EQ(step, 60.0f);
    EXPECT_TRUE(Near(a, TRectF(100, 0, 160, 60)));
    const std::vector<TKVRNutriCell> cells = NutriPaintOrder(wide, 10, 0, A::Angle0, 0, -1);
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_NEAR(cells[4].Rect.Right, 440.0f, 1e-3) << "as much room after the row as before it";
}

// Turns put cell A at the left, bottom, right and top, and the title band
// on top, left, bottom and right.
struct TTurnCase
{
    const char* Name;
    TKVRAngle Angle;
    TKVRNutriType Type;
    TRectF CellA;   // in a square area (0,0)-(240,240), gap 10: 40 along, 48 across
    TRectF CellB;
    TRectF AfterTitle;  // box (0,0)-(300,90) less its title band
    TPointF Title;      // where the title starts in that box
    float Degrees;
};

class NutriTurns : public ::testing::TestWithParam<TTurnCase>
{
};

TEST_P(NutriTurns, CellsTitleBandAndTitleCorner)
{
    const TTurnCase& c = GetParam();
    const TRectF area(0, 0, 240, 240);
    const std::vector<TKVRNutriCell> cells = NutriPaintOrder(area, 10, 0, c.Angle, c.Type, -1);
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_TRUE(Near(cells[0].Rect, c.CellA));
    EXPECT_TRUE(Near(cells[1].Rect, c.CellB));
    TRectF box(0, 0, 300, 90);
    AdjustNutriTitle(box, c.Angle, c.Type);
    EXPECT_TRUE(Near(box, c.AfterTitle));
    const TPointF t = NutriTxtPos(0, 0, 300, 90, c.Angle, c.Type);
    EXPECT_FLOAT_EQ(t.X, c.Title.X);
    EXPECT_FLOAT_EQ(t.Y, c.Title.Y);
    int32_t x = -1, y = -1;
    NutriPrintTxtPos(0, 0, 300, 90, c.Angle, c.Type, x, y);
    EXPECT_EQ(x, int32_t(c.Title.X));
    EXPECT_EQ(y, int32_t(c.Title.Y));
    EXPECT_FLOAT_EQ(NutriTitleDegrees(c.Angle, c.Type), c.Degrees);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, NutriTurns,
    ::testing::Values(
        TTurnCase{"Row", A::Angle0, 0, {0, 96, 40, 144}, {50, 96, 90, 144}, {0, 30, 300, 90}, {0, 0}, 0},
        TTurnCase{"RowTurned", A::Angle90, 0, {96, 200, 144, 240}, {96, 150, 144, 190}, {100, 0, 300, 90}, {0, 90}, -90},
        TTurnCase{"RowUpsideDown", A::Angle180, 0, {200, 96, 240, 144}, {150, 96, 190, 144}, {0, 0, 300, 60}, {300, 90}, -180},
        TTurnCase{"RowTurnedBack", A::Angle270, 0, {96, 0, 144, 40}, {96, 50, 144, 90}, {0, 0, 200, 90}, {300, 0}, -270},
        TTurnCase{"Column", A::Angle0, 1, {96, 200, 144, 240}, {96, 150, 144, 190}, {100, 0, 300, 90}, {0, 90}, -90},
        TTurnCase{"ColumnTurnedThrice", A::Angle270, 1, {0, 96, 40, 144}, {50, 96, 90, 144}, {0, 30, 300, 90}, {0, 0}, 0},
        // Variants other than 0 and 1 lay out as 0.
        TTurnCase{"OtherTypeAsRow", A::Angle0, 2, {0, 96, 40, 144}, {50, 96, 90, 144}, {0, 30, 300, 90}, {0, 0}, 0},
        TTurnCase{"OtherTypeTurned", A::Angle90, 7, {96, 200, 144, 240}, {96, 150, 144, 190}, {100, 0, 300, 90}, {0, 90}, -90}),
    [](const ::testing::TestParamInfo<TTurnCase>& aInfo) { return std::string(aInfo.param.Name); });

TEST(NutriLayout, TheCurrentCellIsPaintedLastAndGrown)
{
    struct
    {
        int32_t Current;
        const char* Order;
    } cases[] = {{0, "BCDEA*"}, {1, "ACDEB*"}, {2, "ABDEC*"}, {3, "ABCED*"}, {4, "ABCDE*"}, {-1, "ABCDE"}};
    const std::vector<TKVRNutriCell> plain = NutriPaintOrder(kRow, 10, 0, A::Angle0, 0, -1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Current);
        const std::vector<TKVRNutriCell> cells = NutriPaintOrder(kRow, 10, 4, A::Angle0, 0, c.Current);
        EXPECT_EQ(Order(cells), c.Order);
        for (const TKVRNutriCell& cell : cells) {
            const TRectF& at = plain[size_t(cell.Index)].Rect;
            const float g = cell.Current ? 4.0f : 0.0f;
            // Walking back from E lands on the cell's own place.
            EXPECT_TRUE(Near(cell.Rect, TRectF(at.Left - g, at.Top - g, at.Right + g, at.Bottom + g), 1e-3f));
        }
    }
}

TEST(NutriLayout, NoCellsWithoutRoom)
{
    EXPECT_TRUE(NutriPaintOrder(TRectF(0, 0, 240, -5), 10, 2, A::Angle0, 0, 2).empty());
    EXPECT_TRUE(NutriPaintOrder(TRectF(0, 0, 30, 60), 10, 2, A::Angle0, 0, 2).empty()) << "four gaps eat the row";
    EXPECT_TRUE(NutriPaintOrder(TRectF(0, 0, 240, 60), std::nanf(""), 2, A::Angle0, 0, 2).empty());
    EXPECT_EQ(NutriPaintOrder(TRectF(0, 0, 60, 240), 10, 2, A::Angle90, 0, 2).size(), 5u);
}

TEST(NutriLayout, LettersAtoEInEitherCaseAndNothingElse)
{
    const char16_t upper[] = u"ABCDE", lower[] = u"abcde";
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(NutriLetterIndex(QChar(upper[i])), i);
        EXPECT_EQ(NutriLetterIndex(QChar(lower[i])), i);
        EXPECT_EQ(NutriCellLetter(i), QChar(upper[i]));
    }
    for (char16_t c : {u'F', u'f', u'Z', u'@', u'`', u'0', u' ', u'\0', u'\u00C1'})
        EXPECT_EQ(NutriLetterIndex(QChar(c)), -1) << int(c);
    EXPECT_EQ(NutriLetterIndex(QChar()), -1);
}

TEST(NutriLayout, FontSizesNeverGoBelowZero)
{
    EXPECT_FLOAT_EQ(NutriFontSize(30.0f, 5.0f), 25.0f);
    EXPECT_FLOAT_EQ(NutriFontSize(3.0f, 5.0f), 0.0f);
    EXPECT_FLOAT_EQ(NutriFontSize(-3.0f, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(NutriFontSize(std::nanf(""), 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(NutriFontSize(INFINITY, 0.0f), 0.0f);
    // The band: a third of the height for rows, of the width for columns.
    EXPECT_FLOAT_EQ(NutriTitleBand(TRectF(0, 0, 300, 90), A::Angle0, 0), 30.0f);
    EXPECT_FLOAT_EQ(NutriTitleBand(TRectF(0, 0, 300, 90), A::Angle0, 1), 100.0f);
    EXPECT_FLOAT_EQ(NutriTitleBand(TRectF(0, 0, 300, 90), A::Angle0, 2), 30.0f);
}

}  // namespace
