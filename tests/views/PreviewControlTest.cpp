// The preview control: where it puts the page, its scroll bars, and what a
// reader nobody here wrote finds in each cell of what it paints.
#include "tests/support/BarcodeReader.h"
#include "tests/views/PreviewSheet.h"
#include "views/KVR.FMX.Preview.h"
#include <QImage>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

constexpr double kA4W = 210000 * 96 / 25400.0, kA4H = 297000 * 96 / 25400.0;  // pixels at 96 dpi
constexpr uint32_t kGrey = 0xFF808080;

QString Record(int aLabel)
{
    return QStringLiteral("R%1").arg(aLabel, 2, 10, QLatin1Char('0'));
}

// The page as the control shows it, the page corner and pixels per millimetre beside it.
struct TShot
{
    QImage Image;
    QPointF Origin;
    double PxPerMm = 0;
};

TShot Shoot(TKVRPreview& aPrev)
{
    return {aPrev.grab().toImage(), QPointF(aPrev.DMX(), aPrev.DMY()), aPrev.GetLayout().ZScale * 96 / 25.4};
}

QString CellText(const TShot& aShot, int aRow, int aCol)
{
    return DecodeOne(aShot.Image.copy(CellRect(aShot.Origin, aShot.PxPerMm, aRow, aCol))).text;
}

bool AllOf(const QImage& aImage, uint32_t aColour)
{
    for (int y = 0; y < aImage.height(); ++y)
        for (int x = 0; x < aImage.width(); ++x)
            if (aImage.pixel(x, y) != aColour)
                return false;
    return true;
}

}  // namespace

TEST(PreviewLayout, PlacesThePageByViewType)
{
    struct Row
    {
        const char* Name;
        int W, H;
        double PageW, PageH;
        TKVRViewType View;
        TKVRPreviewLayout Expected;
    };
    const Row rows[] = {
        // The page's height is fitted, its width follows, centred across; nothing scrolls.
        {"whole page, wide low control", 1000, 300, kA4W, kA4H, 0, {true, 1000, 300, 406, 17, 187, 265}},
        // As wide as the room; the content is the page and its margins, scrolling from the top margin.
        {"page width, tall page", 400, 300, kA4W, kA4H, 1, {true, 400, 536, 17, 10, 365, 516}},
        {"paper of no width", 1000, 800, 0, kA4H, 0, {false, 1000, 800}},
        {"paper of no height", 1000, 800, kA4W, 0, 1, {false, 1000, 800}},
        {"paper not a number", 1000, 800, std::nan(""), kA4H, 0, {false, 1000, 800}},
        {"control smaller than margins and bar", 5, 5, kA4W, kA4H, 0, {false, 5, 5}},
        {"control as small as margins and bar", 35, 400, kA4W, kA4H, 1, {false, 35, 400}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        const TKVRPreviewLayout l = KVRPreviewLayout(r.W, r.H, 10, 15, r.PageW, r.PageH, r.View);
        const TKVRPreviewLayout& e = r.Expected;
        EXPECT_EQ(l.Valid, e.Valid);
        EXPECT_EQ(l.ContentWidth, e.ContentWidth);
        EXPECT_EQ(l.ContentHeight, e.ContentHeight);
        if (!e.Valid)
            continue;
        EXPECT_EQ(l.MarginLeft, e.MarginLeft);
        EXPECT_EQ(l.MarginTop, e.MarginTop);
        EXPECT_EQ(l.cw, e.cw);
        EXPECT_EQ(l.ch, e.ch);
        EXPECT_GT(l.ZScale, 0.0f);
    }
}

TEST(PreviewLayout, PixelsPerUnitFollowTheDocumentsUnit)
{
    struct Row
    {
        TKVRUnits Unit;
        double Expected;  // at 96 dpi, zoom 1
    };
    const Row rows[] = {{TKVRUnits::Millimetre, 96 / 25.4}, {TKVRUnits::Inch, 96},
                        {TKVRUnits::Centimetre, 960 / 25.4}, {TKVRUnits::Decimetre, 9600 / 25.4},
                        {TKVRUnits::Metre, 96000 / 25.4},  {TKVRUnits::Foot, 96 * 12},
                        {TKVRUnits::Yard, 96 * 36}};
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.Unit));
        EXPECT_NEAR(KVRPixelsPerUnit(96, 1.0f, r.Unit), r.Expected, r.Expected * 1e-6);
        EXPECT_NEAR(KVRPixelsPerUnit(96, 0.5f, r.Unit), r.Expected / 2, r.Expected * 1e-6);
    }
}

TEST(PreviewControl, PageWidthScrollsAndWholePageDoesNot)
{
    TVXLabelFMX doc;
    BuildPreviewSheet(doc, 3);
    doc.CheckPrintData();
    TKVRPreview prev;
    prev.resize(400, 300);
    prev.SetLabel(&doc);
    prev.SetViewType(1);
    const TKVRPreviewLayout& l = prev.GetLayout();
    ASSERT_TRUE(l.Valid);
    EXPECT_TRUE(prev.ScrollBarV()->isVisibleTo(&prev));
    EXPECT_EQ(prev.ScrollBarV()->maximum(), l.ch + 2 * prev.GetMargin() - prev.height());
    EXPECT_EQ(prev.ScrollBarV()->pageStep(), prev.height());
    prev.ScrollBarV()->setValue(100);
    EXPECT_EQ(prev.DMY(), prev.GetMargin() - 100);
    prev.SetViewType(0);
    EXPECT_FALSE(prev.ScrollBarV()->isVisibleTo(&prev));
    EXPECT_EQ(prev.ScrollBarV()->value(), 0);
    EXPECT_EQ(prev.DMY(), prev.GetLayout().MarginTop);
    // A new label lets the old one go; a dying one is forgotten.
    {
        TVXLabelFMX other;
        prev.SetLabel(&other);
        EXPECT_EQ(doc.GetObserverCount(), 0);
        EXPECT_EQ(other.GetObserverCount(), 1);
    }
    EXPECT_EQ(prev.GetLabel(), nullptr);
    prev.grab();
}

TEST(PreviewControl, EachCellShowsItsOwnRecordPageByPage)
{
    TVXLabelFMX doc;
    BuildPreviewSheet(doc, 26);
    AddUnprintedMark(doc);
    doc.CheckPrintData();
    TKVRPreview prev;
    prev.resize(1600, 2300);
    prev.SetLabel(&doc);
    prev.SetViewType(1);
    ASSERT_EQ(doc.GetPrintInfo().GetNumPages(), 2);

    TShot shot = Shoot(prev);
    EXPECT_EQ(shot.Image.pixel(2, 2), kGrey);
    int label = 1;
    for (int row = 1; row <= kSheetRows; ++row)
        for (int col = 1; col <= kSheetColumns; ++col, ++label) {
            SCOPED_TRACE(label);
            EXPECT_EQ(CellText(shot, row, col), Record(label));
            // The mark's layer is not printed: its corner is paper.
            const QRect cell = CellRect(shot.Origin, shot.PxPerMm, row, col);
            const QPoint mark(cell.left() + int(54 * shot.PxPerMm), cell.top() + int(25 * shot.PxPerMm));
            EXPECT_EQ(shot.Image.pixel(mark), 0xFFFFFFFFu);
        }
    // Page 2: the run's last two labels, then the limit leaves the rest of the row empty.
    doc.GoToPage(2, true, true);
    prev.Redraw();
    shot = Shoot(prev);
    EXPECT_EQ(CellText(shot, 1, 1), Record(25));
    EXPECT_EQ(CellText(shot, 1, 2), Record(26));
    EXPECT_EQ(CellText(shot, 1, 3), QString());
    EXPECT_EQ(CellText(shot, 2, 1), QString());
    EXPECT_EQ(prev.GetPaintError(), QString());
}

TEST(PreviewControl, TheFirstSheetStartsAtItsStartCell)
{
    TVXLabelFMX doc;
    BuildPreviewSheet(doc, 30);
    doc.GetPrintInfo().SetFirstRow(2);
    doc.GetPrintInfo().SetFirstCol(3);
    doc.CheckPrintData();
    TKVRPreview prev;
    prev.resize(1600, 2300);
    prev.SetLabel(&doc);
    prev.SetViewType(1);
    TShot shot = Shoot(prev);
    EXPECT_EQ(CellText(shot, 1, 1), QString());
    EXPECT_EQ(CellText(shot, 2, 2), QString());
    EXPECT_EQ(CellText(shot, 2, 3), Record(1));
    EXPECT_EQ(CellText(shot, 3, 1), Record(2));
    // Page 2 starts at its first cell, after the 19 labels of the first sheet.
    doc.GoToPage(2, true, true);
    EXPECT_EQ(doc.GetPrintInfo().GetCurLabel(), 20);
    shot = Shoot(prev);
    EXPECT_EQ(CellText(shot, 1, 1), Record(20));
}

TEST(PreviewControl, WithoutAPageOnlyTheBackgroundIsPainted)
{
    struct Row
    {
        const char* Name;
        int W, H;
        int64_t PaperW;
        int32_t FirstRow;  // beyond the sheet: the walk refuses the run
    };
    const Row rows[] = {{"paper of no size", 600, 800, 0, 1},
                        {"control of 5 x 5", 5, 5, 210000, 1},
                        {"start cell outside the sheet", 600, 800, 210000, 9}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TVXLabelFMX doc;
        BuildPreviewSheet(doc, 3);
        doc.GetMeasure().SetPaperWidth(r.PaperW);
        doc.CheckPrintData();
        doc.GetPrintInfo().SetFirstRow(r.FirstRow);
        TKVRPreview prev;
        prev.resize(r.W, r.H);
        prev.SetLabel(&doc);
        EXPECT_TRUE(AllOf(prev.grab().toImage(), kGrey));
        // A failed paint is told, and the next paint still runs.
        EXPECT_EQ(prev.GetPaintError().isEmpty(), r.FirstRow == 1);
        doc.GetPrintInfo().SetFirstRow(1);
        doc.GetMeasure().SetPaperWidth(210000);
        prev.UpdatePreview();
        EXPECT_EQ(AllOf(prev.grab().toImage(), kGrey), r.W == 5);
    }
}
