#include "elements/TKVRRank.h"
#include "tests/elements/ShapeTestSupport.h"
#include "tests/support/ImageProbes.h"
#include <gtest/gtest.h>

using namespace shape;

namespace {

constexpr TAlphaColor kReached = kRed;
constexpr TAlphaColor kEmpty = kBlue;
constexpr TAlphaColor kOutline = kGreen;
constexpr int kSize = 720;  // 61 mm square

// 5 cells in 50 x 12 mm from (5, 5) mm, gap 1: cells 8.8 mm, centred down.
TKVRRank* MakeRank(TKVRBaseLabel& label, TKVRRankType type, uint16_t position, TKVRRankPos pos = 0)
{
    auto* e = new TKVRRank(&label, false);
    e->SetBase(1, 5000, 5000);
    if (pos == 2 || pos == 3)
        e->SetBase(2, 17000, 55000);
    else
        e->SetBase(2, 55000, 17000);
    e->SetRankType(type);
    e->SetRankPos(pos);
    e->SetGap(1.0f);
    e->SetMaximum(5);
    e->SetPosition(position);
    e->SetFilled(true);
    e->SetBackColor(kReached);
    e->SetEmptyColor(kEmpty);
    e->SetDrawEmpty(true);
    e->SetColor(kOutline);
    e->SetPenWidth(0.3f);
    return e;
}

TKVRRank* Bind(TKVRRank* e)
{
    e->SetFillType(1);
    e->SetFillName(QStringLiteral("STARS"));
    return e;
}

// Centre of cell n (from 0) of the row of MakeRank, in pixels.
QPoint CellCentre(int n, TKVRRankPos pos = 0)
{
    const double step = Px(9800), first = Px(6000 + 4400);
    const double across = Px(5000 + 6000);
    const double along = pos == 1 || pos == 2 ? first + (4 - n) * step : first + n * step;
    return pos == 2 || pos == 3 ? QPoint(int(across), int(along)) : QPoint(int(along), int(across));
}

// Which colour each cell's centre shows: 'R' reached, 'E' empty, '.' nothing.
std::string CellColours(const QImage& image, TKVRRankPos pos = 0)
{
    std::string s;
    for (int n = 0; n < 5; ++n) {
        const QRgb p = image.pixel(CellCentre(n, pos));
        s += LeansTo(p, kReached) ? 'R' : LeansTo(p, kEmpty) ? 'E' : qGray(p) > 240 ? '.' : '?';
    }
    return s;
}

int DrawInk(TKVRRank& e, TKVRDrawState aState, TAlphaColor aColor)
{
    ScreenSurface s(kSize, kSize, kDpi);
    s.draw.DrawState = aState;
    e.Draw(&s.draw);
    return CountLeaning(s.Finish(), aColor);
}

}  // namespace

TEST(RankPaint, ReachedAndEmptyCellsInEveryShapeOnScreenAndPaper)
{
    TKVRBaseLabel label;
    for (TKVRRankType type : {0, 1, 2, 3}) {
        TKVRRank* e = MakeRank(label, type, 3);
        const TScreenPaper t = ExpectTwins(*e, QStringLiteral("rank-type-%1").arg(type), 2, kSize, kSize);
        ImageProbes::SaveForLooking(t.Screen, QStringLiteral("rank-type-%1-screen.png").arg(type));
        ImageProbes::SaveForLooking(t.Paper, QStringLiteral("rank-type-%1-paper.png").arg(type));
        EXPECT_EQ(CellColours(t.Screen), "RRREE") << int(type);
        EXPECT_EQ(CellColours(t.Paper), "RRREE") << int(type);
        // Same area of each colour within a few percent.
        for (TAlphaColor c : {kReached, kEmpty, kOutline}) {
            const int s = CountLeaning(t.Screen, c), p = CountLeaning(t.Paper, c);
            EXPECT_GT(s, 0);
            EXPECT_NEAR(s, p, 0.08 * s + 20) << int(type) << " colour " << std::hex << c;
        }
    }
}

TEST(RankPaint, DirectionsPutTheFirstCellAtTheirStart)
{
    TKVRBaseLabel label;
    for (TKVRRankPos pos : {0, 1, 2, 3}) {
        TKVRRank* e = MakeRank(label, 0, 2, pos);
        const TScreenPaper t = ExpectTwins(*e, QString(), 2, kSize, kSize);
        EXPECT_EQ(CellColours(t.Screen, pos), "RREEE") << int(pos);
        EXPECT_EQ(CellColours(t.Paper, pos), "RREEE") << int(pos);
    }
    // Right to left and bottom to top: the reached cells sit at the far end.
    TKVRRank* rtl = MakeRank(label, 0, 2, 1);
    const QRect red = LeaningBounds(Paint(*rtl, QString(), kSize, kSize).Screen, kReached);
    EXPECT_GT(red.left(), int(Px(5000 + 25000)));
}

TEST(RankPaint, EmptyCellsBeyondTheValueOnlyWhenAsked)
{
    TKVRBaseLabel label;
    TKVRRank* e = MakeRank(label, 2, 2);
    e->SetDrawEmpty(false);
    const TScreenPaper t = ExpectTwins(*e, QString(), 2, kSize, kSize);
    for (const QImage* img : {&t.Screen, &t.Paper}) {
        EXPECT_EQ(CellColours(*img), "RR...");
        EXPECT_EQ(CountLeaning(*img, kEmpty), 0);
        // No outline beyond the value either.
        EXPECT_LT(LeaningBounds(*img, kOutline).right(), CellCentre(2).x() - int(Px(4400)));
    }
    // A reached cell that is not filled shows its outline only.
    e->SetFilled(false);
    const TScreenPaper u = Paint(*e, QString(), kSize, kSize);
    for (const QImage* img : {&u.Screen, &u.Paper}) {
        EXPECT_EQ(CountLeaning(*img, kReached), 0);
        EXPECT_GT(CountLeaning(*img, kOutline), 50);
    }
    // Nothing reached, no empty cells, no pen: nothing at all.
    e->SetPosition(0);
    e->SetFilled(true);
    e->SetPenWidth(0.0f);
    const TScreenPaper n = Paint(*e, QString(), kSize, kSize);
    EXPECT_TRUE(InkBounds(n.Screen).isEmpty());
    EXPECT_TRUE(InkBounds(n.Paper).isEmpty());
}

TEST(RankPaint, PositionAboveTheMaximumReachesEveryCell)
{
    TKVRBaseLabel label;
    TKVRRank* e = MakeRank(label, 1, 9);
    const TScreenPaper t = Paint(*e, QString(), kSize, kSize);
    EXPECT_EQ(CellColours(t.Screen), "RRRRR");
    EXPECT_EQ(CellColours(t.Paper), "RRRRR");
}

TEST(RankPaint, NoCellsNoShapeOrNoRoomPaintNothing)
{
    TKVRBaseLabel label;
    TKVRRank* none = MakeRank(label, 0, 3);
    none->SetMaximum(0);  // nothing to divide by
    TKVRRank* wide = MakeRank(label, 0, 3);
    wide->SetGap(30.0f);  // the gaps eat the element: cells would be negative
    TKVRRank* unknown = MakeRank(label, 4, 3);
    for (TKVRRank* e : {none, wide, unknown}) {
        const TScreenPaper t = Paint(*e, QString(), kSize, kSize);
        EXPECT_TRUE(InkBounds(t.Screen).isEmpty());
        EXPECT_TRUE(InkBounds(t.Paper).isEmpty());
    }
}

// Every exported label shows its own record: Draw, which the export uses,
// reads the current record of a bound graphic; the editor shows Position.
TEST(RankData, BoundGraphicShowsTheCurrentRecordOutsideTheEditor)
{
    TKVRBaseLabel label;
    TKVRRank* e = Bind(MakeRank(label, 0, 1));
    const QByteArray stored = WriteBinary(*e);
    label.SetDataValue(QStringLiteral("STARS"), QStringLiteral("4"));
    for (TKVRDrawState state : {KVRDrawState::Export, KVRDrawState::Preview}) {
        ScreenSurface s(kSize, kSize, kDpi);
        s.draw.DrawState = state;
        e->DrawElement(&s.draw);
        EXPECT_EQ(CellColours(s.Finish()), "RRRRE") << int(state);
    }
    EXPECT_EQ(CellColours(Paint(*e, QString(), kSize, kSize).Paper), "RRRRE");
    // The next record, with no layout step in between.
    label.SetDataValue(QStringLiteral("STARS"), QStringLiteral(" 2 "));
    {
        ScreenSurface s(kSize, kSize, kDpi);
        s.draw.DrawState = KVRDrawState::Export;
        e->Draw(&s.draw);
        EXPECT_EQ(CellColours(s.Finish()), "RREEE");
    }
    EXPECT_EQ(CellColours(Paint(*e, QString(), kSize, kSize).Paper), "RREEE");
    // The editor shows the stored value.
    EXPECT_EQ(CellColours(Paint(*e, QString(), kSize, kSize, 1, KVRDrawState::Editor).Screen), "REEEE");
    // A value that is no whole number reaches no cell.
    for (const char* text : {"2.5", "three", ""}) {
        label.SetDataValue(QStringLiteral("STARS"), QString::fromLatin1(text));
        EXPECT_EQ(e->RecordPosition(), 0) << text;
        EXPECT_EQ(DrawInk(*e, KVRDrawState::Export, kReached), 0) << text;
    }
    EXPECT_EQ(WriteBinary(*e), stored) << "painting writes nothing into the element";
}

