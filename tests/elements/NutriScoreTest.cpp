#include "elements/TKVRNutriScore.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/elements/ShapeTestSupport.h"
#include "tests/support/ImageProbes.h"
#include <array>
#include <climits>
#include <gtest/gtest.h>

using namespace shape;

namespace {

constexpr int kW = 800;
constexpr int kH = 480;
// Cell colours far apart, so each cell's pixels can be counted.
constexpr TAlphaColor kCells[5] = {0xFFFF0000u, 0xFF00C000u, 0xFF0000FFu, 0xFFFF00FFu, 0xFF00FFFFu};

// 60 x 30 mm from (5, 5) mm, no frame, grey title, black letters.
TKVRNutriScore* MakeScore(TKVRBaseLabel& label, QChar value, TKVRNutriType type = 0, TKVRAngle angle = TKVRAngle::Angle0)
{
    auto* e = new TKVRNutriScore(&label, false);
    e->SetBase(1, 5000, 5000);
    e->SetBase(2, 65000, 35000);
    e->SetNutriType(type);
    e->SetAngle(angle);
    e->SetValue(value);
    e->SetAColor(kCells[0]);
    e->SetBColor(kCells[1]);
    e->SetCColor(kCells[2]);
    e->SetDColor(kCells[3]);
    e->SetEColor(kCells[4]);
    e->SetCharColor(0xFF000000u);
    e->SetValueColor(0xFFFFFFFFu);
    e->SetTitleColor(0xFF808080u);
    e->SetFilled(false);
    e->SetPenWidth(0.0f);
    e->SetRadio(0.0f);
    e->SetInnerRadio(0.0f);
    e->SetGap(0.5f);
    e->SetGapValue(1.0f);
    e->SetMargin(1.0f);
    return e;
}

// Bounds of each cell's colour, in one pass over the picture.
std::array<QRect, 5> CellBoxes(const QImage& image)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    int l[5], t[5], r[5], b[5];
    for (int i = 0; i < 5; ++i)
        l[i] = t[i] = INT_MAX, r[i] = b[i] = -1;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = row[x];
            for (int i = 0; i < 5; ++i) {
                const QRgb c = kCells[i];
                if (std::abs(qRed(p) - qRed(c)) < 40 && std::abs(qGreen(p) - qGreen(c)) < 40 &&
                    std::abs(qBlue(p) - qBlue(c)) < 40) {
                    l[i] = std::min(l[i], x), r[i] = std::max(r[i], x);
                    t[i] = std::min(t[i], y), b[i] = std::max(b[i], y);
                }
            }
        }
    }
    std::array<QRect, 5> boxes;
    for (int i = 0; i < 5; ++i)
        if (r[i] >= 0)
            boxes[size_t(i)] = QRect(QPoint(l[i], t[i]), QPoint(r[i], b[i]));
    return boxes;
}

QRect CellBounds(const QImage& image, int index)
{
    return CellBoxes(image)[size_t(index)];
}

// The index of the cell drawn taller than the others, -1 when none is.
int GrownCell(const QImage& image)
{
    const std::array<QRect, 5> boxes = CellBoxes(image);
    int least = boxes[0].height();
    for (const QRect& r : boxes)
        least = std::min(least, r.height());
    int grown = -1, count = 0;
    for (int i = 0; i < 5; ++i)
        if (boxes[size_t(i)].height() > least + 10)
            grown = i, ++count;
    return count == 1 ? grown : -1;
}

// Surfaces just larger than the element.
TScreenPaper PaintBoth(TKVRNutriScore& e, TKVRDrawState aState = KVRDrawState::Preview)
{
    const TKVRPto p2 = e.GetPoint(2);
    return Paint(e, QString(), int(Px(double(p2.X))) + 30, int(Px(double(p2.Y))) + 30, 1, aState);
}

// A tall element for the layouts that run down.
void MakeTall(TKVRNutriScore& e)
{
    e.SetBase(2, 35000, 65000);
}

int WhiteIn(const QImage& image, const QRect& area)
{
    return PixelCount(image, area.adjusted(4, 4, -4, -4), [](QRgb p) { return qGray(p) > 235; });
}

}  // namespace

TEST(NutriPaint, ScreenAndPaperAgreeCellByCellInEveryVariant)
{
    TKVRBaseLabel label;
    for (TKVRNutriType type : {0, 1})
        for (TKVRAngle angle : {TKVRAngle::Angle0, TKVRAngle::Angle90, TKVRAngle::Angle180, TKVRAngle::Angle270}) {
            SCOPED_TRACE(QStringLiteral("type %1 angle %2").arg(type).arg(int(angle)).toStdString());
            TKVRNutriScore* e = MakeScore(label, u'D', type, angle);
            if (NutriTurn(angle, type) % 2 == 1)
                MakeTall(*e);
            e->SetFilled(true);
            e->SetBackColor(0xFFFFFFE0u);
            e->SetPenWidth(0.3f);
            e->SetRadio(2.0f);
            e->SetInnerRadio(1.0f);
            const TScreenPaper t = PaintBoth(*e);
            ImageProbes::SaveForLooking(t.Screen, QStringLiteral("nutri-%1-%2-screen.png").arg(type).arg(int(angle)));
            ImageProbes::SaveForLooking(t.Paper, QStringLiteral("nutri-%1-%2-paper.png").arg(type).arg(int(angle)));
            EXPECT_TRUE(SameBox(InkBounds(t.Screen), InkBounds(t.Paper), 2));
            const auto screenCells = CellBoxes(t.Screen), paperCells = CellBoxes(t.Paper);
            for (size_t i = 0; i < 5; ++i)
                EXPECT_TRUE(SameBox(screenCells[i], paperCells[i], 2)) << i;
            EXPECT_EQ(GrownCell(t.Screen), 3);
            EXPECT_EQ(GrownCell(t.Paper), 3);
            // Cells run A to E along the layout: left to right, bottom to top,
            // right to left, top to bottom for the four turns.
            const int turn = NutriTurn(angle, type) % 4, dx[] = {1, 0, -1, 0}, dy[] = {0, -1, 0, 1};
            for (size_t i = 0; i < 4; ++i) {
                const QPoint a = paperCells[i].center(), b = paperCells[i + 1].center();
                EXPECT_EQ((b.x() > a.x() + 20) - (b.x() < a.x() - 20), dx[turn]) << i;
                EXPECT_EQ((b.y() > a.y() + 20) - (b.y() < a.y() - 20), dy[turn]) << i;
            }
            // The title's ink (grey) in the same place.
            auto grey = [](QRgb p) { return std::abs(qRed(p) - 0x80) < 30 && std::abs(qBlue(p) - 0x80) < 30 && std::abs(qGreen(p) - 0x80) < 30; };
            const QRect ts = PixelBounds(t.Screen, QRect(), grey), tp = PixelBounds(t.Paper, QRect(), grey);
            ASSERT_FALSE(ts.isEmpty());
            EXPECT_TRUE(SameBox(ts, tp, 2));
        }
}

TEST(NutriPaint, LettersAToEInEitherCaseEmphasiseTheirCellAndNoOtherLetterDoes)
{
    TKVRBaseLabel label;
    const QString upper = QStringLiteral("ABCDE"), lower = QStringLiteral("abcde");
    for (int i = 0; i < 5; ++i)
        for (QChar letter : {upper.at(i), lower.at(i)}) {
            TKVRNutriScore* e = MakeScore(label, letter);
            const TScreenPaper t = PaintBoth(*e);
            EXPECT_EQ(GrownCell(t.Screen), i) << letter.toLatin1();
            EXPECT_EQ(GrownCell(t.Paper), i) << letter.toLatin1();
            // The current letter is white, the others black.
            EXPECT_GT(WhiteIn(t.Screen, CellBounds(t.Screen, i)), 100) << letter.toLatin1();
        }
    // No other letter, and no letter at all, emphasises a cell: all five at
    // their places with the letters of cells that are not current.
    const int plainHeight = CellBounds(PaintBoth(*MakeScore(label, QChar(u'B'))).Paper, 0).height();
    for (QChar letter : {QChar(u'F'), QChar(u'z'), QChar(u'0'), QChar(u'@'), QChar()}) {
        TKVRNutriScore* e = MakeScore(label, letter);
        const TScreenPaper t = PaintBoth(*e);
        for (const QImage* img : {&t.Screen, &t.Paper}) {
            EXPECT_EQ(GrownCell(*img), -1) << int(letter.unicode());
            const auto cells = CellBoxes(*img);
            for (size_t i = 0; i < 5; ++i) {
                EXPECT_EQ(WhiteIn(*img, cells[i]), 0) << int(letter.unicode()) << " cell " << i;
                EXPECT_EQ(cells[i].height(), plainHeight) << i;
            }
        }
    }
}

// A layout variant other than 0 and 1 is 0 on screen and on paper, title included.
TEST(NutriPaint, OtherLayoutVariantsPaintAsTheHorizontalOne)
{
    TKVRBaseLabel label;
    TKVRNutriScore* zero = MakeScore(label, u'B', 0);
    const TScreenPaper a = PaintBoth(*zero);
    for (TKVRNutriType type : {2, 9, 255}) {
        TKVRNutriScore* other = MakeScore(label, u'B', type);
        const TScreenPaper b = PaintBoth(*other);
        EXPECT_EQ(b.Screen, a.Screen) << int(type);
        EXPECT_EQ(b.Paper, a.Paper) << int(type);
    }
    auto grey = [](QRgb p) { return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) && qRed(p) > 60 && qRed(p) < 200; };
    EXPECT_GT(PixelCount(a.Screen, QRect(), grey), 200) << "the title is there";
    EXPECT_GT(PixelCount(a.Paper, QRect(), grey), 200);
}

TEST(NutriPaint, MonochromeOutlinesTheOtherCellsAndFillsTheCurrentOneBlack)
{
    TKVRBaseLabel label;
    TKVRNutriScore* e = MakeScore(label, u'c');
    e->SetMonochrome(true);
    e->SetPenWidth(0.3f);
    e->SetFilled(true);  // the frame's fill is never painted in monochrome
    e->SetBackColor(kCells[1]);
    const TScreenPaper t = PaintBoth(*e);
    TKVRNutriScore* colour = MakeScore(label, u'c');
    const QImage ref = PaintBoth(*colour).Paper;
    for (const QImage* img : {&t.Screen, &t.Paper}) {
        for (const QRect& cell : CellBoxes(*img))
            EXPECT_TRUE(cell.isEmpty());
        const auto refCells = CellBoxes(ref);
        const QRect current = refCells[2], other = refCells[0];
        const int area = current.width() * current.height();
        const int dark = PixelCount(*img, current.adjusted(2, 2, -2, -2), [](QRgb p) { return qGray(p) < 60; });
        EXPECT_GT(dark, area / 2) << "the current cell is filled black";
        EXPECT_GT(WhiteIn(*img, current), area / 20) << "with a white letter";
        const int otherDark = PixelCount(*img, other.adjusted(6, 6, -6, -6), [](QRgb p) { return qGray(p) < 60; });
        EXPECT_LT(otherDark, other.width() * other.height() / 4) << "the others are outlined only";
        EXPECT_GT(otherDark, 50) << "and carry a black letter";
    }
    EXPECT_TRUE(SameBox(InkBounds(t.Screen), InkBounds(t.Paper), 2));
}

// A fill the screen leaves out (alpha 0) still prints; the screen's outline
// alone then lies inside the element, paper's straddles its edge.
TEST(NutriPaint, FrameWithoutAlphaOnScreenAndWithFillOnPaper)
{
    TKVRBaseLabel label;
    TKVRNutriScore* e = MakeScore(label, u'A');
    e->SetFilled(true);
    e->SetAlpha(0);
    e->SetBackColor(0xFFFFFF00u);
    e->SetPenWidth(0.5f);
    e->SetColor(0xFF000000u);
    const TScreenPaper t = PaintBoth(*e);
    auto yellow = [](QRgb p) { return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) < 60; };
    EXPECT_EQ(PixelCount(t.Screen, QRect(), yellow), 0);
    EXPECT_GT(PixelCount(t.Paper, QRect(), yellow), 1000);
    const int left = int(Px(5000)), half = int(Px(250));
    EXPECT_GE(InkBounds(t.Screen).left(), left - 1);
    EXPECT_NEAR(InkBounds(t.Paper).left(), left - half, 2);
}

TEST(NutriPaint, GapsThatLeaveNoRoomForTextPaintNoText)
{
    TKVRBaseLabel label;
    TKVRNutriScore* e = MakeScore(label, u'A');
    e->SetGapValue(12.0f);  // more than a third of the height: fonts of 0 and below
    const TScreenPaper t = PaintBoth(*e);
    auto text = [](QRgb p) { return qGray(p) < 40 || (qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) && qRed(p) < 200); };
    EXPECT_EQ(PixelCount(t.Screen, QRect(), text), 0);
    EXPECT_EQ(PixelCount(t.Paper, QRect(), text), 0);
    const QRect box(QPoint(int(Px(5000)) - 1, int(Px(5000)) - 1), QPoint(int(Px(65000)) + 1, int(Px(35000)) + 1));
    EXPECT_TRUE(InkBounds(t.Screen).isEmpty() || box.contains(InkBounds(t.Screen)));
}

// Every exported label shows its own record: Draw, which the export uses,
// takes the current record's first character; the editor shows Value.
TEST(NutriData, BoundScoreShowsTheCurrentRecordOutsideTheEditor)
{
    TKVRBaseLabel label;
    TKVRNutriScore* e = MakeScore(label, u'A');
    e->SetFillType(1);
    e->SetFillName(QStringLiteral("SCORE"));
    const QByteArray stored = WriteBinary(*e);
    const struct
    {
        const char* Record;
        int Cell;
    } records[] = {{"b", 1}, {"Excellent", 4}, {"d", 3}, {"", -1}, {"x", -1}};
    for (const auto& r : records) {
        // No layout step between two records.
        label.SetDataValue(QStringLiteral("SCORE"), QString::fromLatin1(r.Record));
        for (TKVRDrawState state : {KVRDrawState::Export, KVRDrawState::Preview}) {
            ScreenSurface s(kW, kH, kDpi);
            s.draw.DrawState = state;
            e->Draw(&s.draw);
            EXPECT_EQ(GrownCell(s.Finish()), r.Cell) << r.Record << " state " << int(state);
        }
        PaperSurface p(kW, kH, kDpi);
        e->Print(&p.draw);
        EXPECT_EQ(GrownCell(p.Finish()), r.Cell) << r.Record;
    }
    EXPECT_EQ(GrownCell(PaintBoth(*e, KVRDrawState::Editor).Screen), 0) << "the editor shows Value";
    EXPECT_EQ(WriteBinary(*e), stored) << "painting writes nothing into the element";
}

// Poppler reads the printed title and letters as text, each letter in its
// own cell, in the cells' order, where the screen paints the cells.
TEST(NutriPrint, PopplerReadsTheTitleAndEachLetterInItsCell)
{
    TKVRBaseLabel label;
    TKVRNutriScore* e = MakeScore(label, u'c');
    e->SetTitle(QStringLiteral("QUALITY"));
    const QImage screen = PaintBoth(*e).Screen;
    const std::vector<kvrtest::TPdfWord> words = kvrtest::PrintToPdf(*e, 80, 50);
    auto find = [&](const QString& aText) -> const kvrtest::TPdfWord* {
        for (const kvrtest::TPdfWord& w : words)
            if (w.Text == aText)
                return &w;
        return nullptr;
    };
    const kvrtest::TPdfWord* title = find(QStringLiteral("QUALITY"));
    ASSERT_NE(title, nullptr);
    EXPECT_LT(title->YMax, kvrtest::MmToPt(5 + 1 + 28.0 / 3 + 1)) << "in the band on top";
    // Neighbouring letters may read as one word; together they read A to E,
    // each word over the cells of its letters.
    QString read;
    const double ptPerPx = 72.0 / kDpi;
    for (const kvrtest::TPdfWord& w : words) {
        if (&w == title)
            continue;
        const int first = NutriLetterIndex(w.Text.at(0)), last = NutriLetterIndex(w.Text.back());
        ASSERT_GE(first, 0) << w.Text.toStdString();
        ASSERT_GE(last, 0) << w.Text.toStdString();
        const QRect a = CellBounds(screen, first), b = CellBounds(screen, last);
        EXPECT_LT(w.XMin, a.center().x() * ptPerPx) << w.Text.toStdString();
        EXPECT_GT(w.XMax, b.center().x() * ptPerPx) << w.Text.toStdString();
        EXPECT_GT(w.XMin, a.left() * ptPerPx) << w.Text.toStdString();
        EXPECT_LT(w.XMax, b.right() * ptPerPx) << w.Text.toStdString();
        const double cy = (w.YMin + w.YMax) / 2;
        EXPECT_GT(cy, a.top() * ptPerPx);
        EXPECT_LT(cy, a.bottom() * ptPerPx);
        read += w.Text;
    }
    EXPECT_EQ(read, QStringLiteral("ABCDE"));
    // Without its title the band on top prints nothing.
    e->SetShowTitle(false);
    for (const kvrtest::TPdfWord& w : kvrtest::PrintToPdf(*e, 80, 50))
        EXPECT_NE(w.Text, QStringLiteral("QUALITY"));
}
