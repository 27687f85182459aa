// A pen of width 0 is the thinnest line each surface draws: the screen's
// one-pixel hairline, and on paper the thinnest line of the device, for a
// line and for the outline of a filled line end.
#include "elements/TKVRPolyLine.h"
#include "tests/elements/ShapeTestSupport.h"
#include "tests/render/PdfPaper.h"
#include <gtest/gtest.h>

using namespace shape;

namespace {

constexpr int kPageW = 60, kPageH = 25;  // mm

TKVRPolyLine* ZeroPenLine(TKVRBaseLabel& label)
{
    auto* e = new TKVRPolyLine(&label, false);
    e->SetPoints({{10000, 10000}, {50000, 10000}});
    e->SetColor(kBlue);
    e->SetPenWidth(0.0f);
    // A filled square of 4 mm at the start, filled green, outlined in the line's colour.
    e->SetEnds(TKVRLineEnds{6, 0, kGreen, kGreen, 4.0f, 4.0f});
    return e;
}

// The line and the marker's outline show in the line's colour, thin; the
// marker's inside in its fill.
void ExpectHairlines(const QImage& img, const std::string& look)
{
    ASSERT_FALSE(img.isNull()) << look;
    const int y = int(Px(10000));
    // The line, halfway: present and no more than two pixels high.
    const QRect across(int(Px(30000)) - 1, y - 6, 3, 13);
    const QRect line = LeaningBounds(img, kBlue, across);
    ASSERT_FALSE(line.isNull()) << look << ": the line vanished";
    EXPECT_LE(line.height(), 2) << look << ": " << RectText(line);
    // The square's left edge, away from the line: a thin outline in blue.
    const int left = int(Px(8000));
    const QRect edge(left - 4, y - int(Px(1500)), 9, 3);
    const QRect outline = LeaningBounds(img, kBlue, edge);
    ASSERT_FALSE(outline.isNull()) << look << ": the marker's outline vanished";
    EXPECT_LE(outline.width(), 2) << look << ": " << RectText(outline);
    EXPECT_GT(CountLeaning(img, kGreen, QRect(int(Px(9000)), y - int(Px(1500)), 5, 5)), 0) << look;
}

}  // namespace

TEST(Hairline, ZeroPenDrawsTheThinnestLineOnScreenAndOnPdfPaper)
{
    TKVRBaseLabel label;
    TKVRPolyLine* e = ZeroPenLine(label);
    const int w = int(Px(kPageW * 1000.0)), h = int(Px(kPageH * 1000.0));
    ScreenSurface screen(w, h, kDpi);
    e->DrawElement(&screen.draw);
    const QImage shown = screen.Finish().copy();
    ImageProbes::SaveForLooking(shown, QStringLiteral("hairline-screen.png"));
    ExpectHairlines(shown, "screen");

    const QImage paper = PdfPaper(kPageW, kPageH, kDpi, [e](TKVRDraw& d) { e->PrintElement(&d); },
                                  QStringLiteral("hairline-pdf.png"));
    ExpectHairlines(paper, "pdf");

    PaperSurface raster(w, h, kDpi);
    e->PrintElement(&raster.draw);
    ExpectHairlines(raster.Finish().copy(), "raster paper");
}
