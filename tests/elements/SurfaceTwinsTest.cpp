#include "tests/elements/ElementTestSupport.h"
#include <gtest/gtest.h>

// The two surfaces the element tests compare must agree with each other
// before any element is compared on them.
TEST(SurfaceTwins, SameRectangleLandsOnTheSamePixels)
{
    ScreenSurface screen(300, 200, 300);
    screen.draw.kP->SetColor(TAlphaColors::Black);
    screen.draw.kP->SetStyle(TSkPaintStyle::Fill);
    screen.draw.kC->DrawRect(TRectF(20.5f, 30, 120, 90.5f), screen.draw.kP);
    const QRect a = InkBounds(screen.Finish());

    PaperSurface paper(300, 200, 300);
    paper.draw.pC->Fill().SetColor(TAlphaColors::Black);
    paper.draw.pC->FillRect(TRectF(20.5f, 30, 120, 90.5f), 0, 0, NoCorners, 1.0f);
    const QRect b = InkBounds(paper.Finish());

    EXPECT_FALSE(a.isEmpty());
    EXPECT_TRUE(SameBox(a, b, 1)) << a.x() << "," << a.y() << " " << a.width() << "x" << a.height() << " vs " << b.x()
                                  << "," << b.y() << " " << b.width() << "x" << b.height();
    QImage blank(10, 10, QImage::Format_ARGB32_Premultiplied);
    blank.fill(Qt::transparent);
    EXPECT_EQ(InkBounds(blank), QRect());
}
