#include "elements/TKVRPolyText.h"
#include "tests/elements/ContentTestSupport.h"
#include <gtest/gtest.h>

using namespace kvrtest;

namespace {

// A poly-text of two items, "(AI)"-less, as the given output kind.
TKVRPolyText* MakePoly(TKVRBaseLabel& label, uint8_t type, const QString& first, const QString& second)
{
    auto* p = new TKVRPolyText(&label, false);
    p->SetPolyType(type);
    p->AddItem(first);
    p->AddItem(second);
    p->SetBarWidth(type == KVRPolyType::Linear ? 0.33f : 0.5f);
    p->SetBarHeight(type == KVRPolyType::Linear ? 12.0f : 0.5f);
    p->SetPenWidth(0.0f);
    p->CalcValues(1);
    return p;
}

// The element printed in a label cell whose origin is (aX, aY) pixels.
QImage PaperInCell(TKVRBaseItem& item, int w, int h, int aX, int aY)
{
    PaperSurface p(w, h, kDpi);
    p.draw.PrintOffsetX = aX;
    p.draw.PrintOffsetY = aY;
    item.PrintElement(&p.draw);
    return p.Finish().copy();
}

}  // namespace

// Texts sit side by side, each where the previous one ends; screen and paper
// put them in the same place at every quarter turn, and a bound item prints
// the record's value.
TEST(PolyText, TextsRowOnScreenAndPaper)
{
    for (int angle = 0; angle < 4; ++angle) {
        TKVRBaseLabel label;
        TKVRPolyText* p = MakePoly(label, KVRPolyType::Texts, "Lot ", "A-17");
        p->GetItem(2).Font.Height = 5000;
        p->GetItem(2).Font.Bold = true;
        p->SetVertAlign(TKVRVertAlign::Bottom);
        p->SetPenWidth(0.3f);
        p->SetAngle(TKVRAngle(angle));
        p->CalcValues(1);
        const int side = Centre(*p);
        const TTwin twin = Twins(*p, side, side);
        SCOPED_TRACE(angle);
        EXPECT_TRUE(SameBox(InkBounds(twin.screen), InkBounds(twin.paper), 1));
        const double inkPaper = InkCount(twin.paper);
        EXPECT_NEAR(InkCount(twin.screen), inkPaper, inkPaper * 0.08) << "the same texts, not only the same box";
        // The box is the two widths and the paddings by the taller item.
        const TKVRRect b = p->GetBounds();
        const int64_t along = p->GetItem(1).GetBaseWidth() + p->GetItem(2).GetBaseWidth() + 2 * 2000;
        const int64_t across = 5000 + 2 * 1000;
        const bool turned = angle % 2 == 1;
        EXPECT_EQ(turned ? b.Height() : b.Width(), along);
        EXPECT_EQ(turned ? b.Width() : b.Height(), across);
        const QRect ink = InkBounds(twin.screen);
        // Another label cell moves the box and its texts by the cell's origin, once.
        const int dx = Px(25), dy = Px(9);
        const QImage cell = PaperInCell(*p, side + dx, side + dy, dx, dy);
        EXPECT_TRUE(SameBox(InkBounds(cell), InkBounds(twin.paper).translated(dx, dy), 0));
        EXPECT_EQ(InkCount(cell), InkCount(twin.paper));
        EXPECT_NEAR(ink.width(), PxUm(b.Width()), 2);
        EXPECT_NEAR(ink.height(), PxUm(b.Height()), 2);
    }
    TKVRBaseLabel label;
    TKVRPolyText* p = MakePoly(label, KVRPolyType::Texts, "Lot", "");
    p->GetItem(2).Data.FillType = 1;
    p->GetItem(2).Data.FillName = "Lot";
    p->GetItem(2).AI = "10";
    label.SetDataValue("Lot", "B42");
    const std::vector<TPdfWord> words = PrintToPdf(*p, 80, 30);
    QString all;
    for (const TPdfWord& w : words)
        all += w.Text;
    EXPECT_EQ(all, "Lot(10)B42");
}

// An output kind beyond the four shows and prints its box only; a rounded box
// keeps its corners free.
TEST(PolyText, OtherKindShowsItsBoxOnly)
{
    TKVRBaseLabel label;
    TKVRPolyText* p = MakePoly(label, 7, "12345", "x");
    p->SetPenWidth(0.5f);
    p->SetRadio(3.0f);
    p->CalcValues(1);
    const int side = Centre(*p);
    const TTwin twin = Twins(*p, side, side);
    const TKVRRect b = p->GetBounds();
    const QRect ink = InkBounds(twin.paper);
    EXPECT_NEAR(ink.width(), PxUm(b.Width()), 2);
    EXPECT_NEAR(ink.height(), PxUm(b.Height()), 2);
    EXPECT_TRUE(SameBox(InkBounds(twin.screen), ink, 1));
    EXPECT_EQ(RedCount(twin.screen), 0);
    // The corner pixel of the box stays white with a radius, ink without one.
    for (const QImage& img : {twin.screen, twin.paper})
        EXPECT_GT(qGray(img.pixel(ink.left() + 1, ink.top() + 1)), 200);
    p->SetRadio(0.0f);
    const QImage square = Paper(*p, side, side);
    EXPECT_LT(qGray(square.pixel(ink.left() + 1, ink.top() + 1)), 100);
}

