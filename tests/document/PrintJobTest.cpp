#include "document/KVR.FMX.PrintJob.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRectangle.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/fmx/TPrinter.h"
#include "render/TKVRDraw.h"
#include "tests/document/PrintJobTestSupport.h"
#include "tests/support/BarcodeReader.h"
#include "tests/support/ImageProbes.h"
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>
#include <cmath>

namespace {

constexpr double kPtPerMm = 72.0 / 25.4;

QString Name(int i)
{
    return QStringLiteral("Lbl-%1").arg(i, 2, 10, QLatin1Char('0'));
}

// Cell (row, column) from 1 of a word on the 3 x 8 sheet of 70 x 37 mm.
QPoint CellOf(const TPdfPageWord& w)
{
    const double xMm = w.xMin / kPtPerMm, yMm = w.yMin / kPtPerMm - 0.5;
    return QPoint(int(xMm / 70.0) + 1, int(yMm / 37.0) + 1);
}

// The label names poppler finds, in page order and then by cell.
struct TPlaced
{
    QString text;
    int page;
    QPoint cell;  // x column, y row
};
std::vector<TPlaced> PlacedNames(const QString& aPdf)
{
    std::vector<TPlaced> placed;
    for (const TPdfPageWord& w : PdfPageWords(aPdf))
        if (w.text.startsWith(QStringLiteral("Lbl-")))
            placed.push_back({w.text, w.page, CellOf(w)});
    std::stable_sort(placed.begin(), placed.end(), [](const TPlaced& a, const TPlaced& b) {
        return std::tuple(a.page, a.cell.y(), a.cell.x()) < std::tuple(b.page, b.cell.y(), b.cell.x());
    });
    return placed;
}

// Where each label of the run goes, from the start cell on.
std::vector<TPlaced> ExpectedPlaces(int aLabels, int aFirstRow, int aFirstCol)
{
    std::vector<TPlaced> places;
    int page = 1, row = aFirstRow, col = aFirstCol;
    for (int i = 1; i <= aLabels; ++i) {
        places.push_back({Name(i), page, QPoint(col, row)});
        if (++col > 3) {
            col = 1;
            if (++row > 8) {
                row = 1;
                ++page;
            }
        }
    }
    return places;
}

void ExpectPlaces(const std::vector<TPlaced>& aGot, const std::vector<TPlaced>& aWant)
{
    ASSERT_EQ(aGot.size(), aWant.size());
    for (size_t i = 0; i < aWant.size(); ++i) {
        EXPECT_EQ(aGot[i].text, aWant[i].text) << i;
        EXPECT_EQ(aGot[i].page, aWant[i].page) << i;
        EXPECT_EQ(aGot[i].cell, aWant[i].cell) << aWant[i].text.toStdString();
    }
}

// A cell of a page rasterised at aDpi.
QImage Cell(const QImage& aPage, int aDpi, QPoint aCell)
{
    const double px = aDpi / 25.4;
    return aPage.copy(QRect(int((aCell.x() - 1) * 70.0 * px), int((0.5 + (aCell.y() - 1) * 37.0) * px), int(70.0 * px),
                            int(37.0 * px)));
}

class PrintJob : public ::testing::Test
{
protected:
    TPdfPrinterFixture printer;
    TVXLabelFMX doc;
    QString csv() const { return printer.Folder() + QStringLiteral("/data.csv"); }
};

}  // namespace

// Thirty records on a 3 x 8 sheet: two A4 pages, each label in its cell in
// record order, its Code 128 read back by ZXing from the rasterised page.
TEST_F(PrintJob, SheetOfDataLabelsPrintsEveryRecordInItsCell)
{
    BuildSheet(doc, csv(), 30);
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    ASSERT_TRUE(doc.Print()) << doc.GetPrintReport().Text().toStdString();

    const QString pdf = printer.FileName();
    EXPECT_EQ(PdfPages(pdf), 2);
    const QSizeF page = PdfPageSize(pdf);
    EXPECT_NEAR(page.width(), 210.0 * kPtPerMm, 1.0);
    EXPECT_NEAR(page.height(), 297.0 * kPtPerMm, 1.0);
    ExpectPlaces(PlacedNames(pdf), ExpectedPlaces(30, 1, 1));

    const int dpi = 200;
    const std::vector<QImage> pages = RasterisePages(pdf, dpi);
    ASSERT_EQ(pages.size(), 2u);
    const std::vector<TPlaced> places = ExpectedPlaces(30, 1, 1);
    for (int i = 0; i < 30; ++i) {
        const QImage cell = Cell(pages[size_t(places[size_t(i)].page - 1)], dpi, places[size_t(i)].cell);
        EXPECT_EQ(DecodeOne(cell).text, QStringLiteral("C%1").arg(i + 1, 4, 10, QLatin1Char('0'))) << i + 1;
    }
    // The second page's unused cells stay blank.
    EXPECT_TRUE(ImageProbes::Bounds(Cell(pages[1], dpi, QPoint(1, 3)), ImageProbes::Dark).isNull());

    const TKVRPrintReport& report = doc.GetPrintReport();
    EXPECT_EQ(report.LabelsPrinted, 30);
    EXPECT_EQ(report.Pages, 2);
    EXPECT_TRUE(report.Complete());
    EXPECT_FALSE(doc.HasState(TKVRBaseLabel::KVRStatePrinting));
    EXPECT_EQ(doc.GetPrintInfo().GetCurLabel(), 31);
    EXPECT_EQ(doc.GetPrintInfo().GetCurPage(), 3);
}

// Seven labels from row 2, column 3: the first fills that cell, the rest
// follow row by row on the same page.
TEST_F(PrintJob, StartCellPlacesTheFirstLabel)
{
    BuildSheet(doc, csv(), 7);
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    doc.GetPrintInfo().SetFirstRow(2);
    doc.GetPrintInfo().SetFirstCol(3);
    ASSERT_TRUE(doc.Print());
    EXPECT_EQ(PdfPages(printer.FileName()), 1);
    ExpectPlaces(PlacedNames(printer.FileName()), ExpectedPlaces(7, 2, 3));
    const std::vector<QImage> pages = RasterisePages(printer.FileName(), 200);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(DecodeOne(Cell(pages[0], 200, QPoint(3, 2))).text, "C0001");
    EXPECT_EQ(DecodeOne(Cell(pages[0], 200, QPoint(3, 4))).text, "C0007");
    EXPECT_TRUE(ImageProbes::Bounds(Cell(pages[0], 200, QPoint(2, 2)), ImageProbes::Dark).isNull());
}

// A sheet without columns or rows, or a start cell off the sheet, is refused
// before anything reaches the printer; the records do not move.
TEST_F(PrintJob, SheetAndStartCellOutsideAreRefused)
{
    struct Case
    {
        int rows, columns, firstRow, firstCol;
        const char* message;
    };
    const Case cases[] = {
        {8, 0, 1, 1, "no columns"},
        {0, 3, 1, 1, "no rows"},
        {8, 3, 9, 1, "start row 9 is outside the sheet of 8 rows"},
        {8, 3, 1, 4, "start column 4 is outside the sheet of 3 columns"},
    };
    for (const Case& c : cases) {
        TVXLabelFMX d;
        BuildSheet(d, csv(), 5);
        d.GetMeasure().SetRows(c.rows);
        d.GetMeasure().SetColumns(c.columns);
        d.GetPrintInfo().SetFirstRow(c.firstRow);
        d.GetPrintInfo().SetFirstCol(c.firstCol);
        d.GetPrintInfo().SetPrinterIndex(printer.Index());
        try {
            d.Print();
            ADD_FAILURE() << c.message;
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_FALSE(QFile::exists(printer.FileName())) << c.message;
        EXPECT_FALSE(d.HasState(TKVRBaseLabel::KVRStatePrinting));
        EXPECT_EQ(d.GetPrintInfo().GetCurLabel(), 1);
    }
    // Row and column 0 never reach a walk.
    EXPECT_THROW(TKVRSheetWalk(8, 3, 0, 1, 5), std::invalid_argument);
    EXPECT_THROW(TKVRSheetWalk(8, 3, 1, 0, 5), std::invalid_argument);
}

namespace {
// Moves the start row after the run was counted, so that the counted pages
// disagree with what the labels need.
class TMovedStartLabel : public TVXLabelFMX
{
public:
    int32_t row = 1;
    void CheckPrintData() override
    {
        TVXLabelFMX::CheckPrintData();
        GetPrintInfo().SetFirstRow(row);
    }
};
}  // namespace

TEST_F(PrintJob, PagesFollowTheLabelsNotTheCount)
{
    struct Case
    {
        int countedRow, printRow, pages;
    };
    // 24 labels: counted from row 1 they fill one page but need two from
    // row 2; counted from row 8 they need two but fill one from row 1.
    for (const Case c : {Case{1, 2, 2}, Case{8, 1, 1}}) {
        TMovedStartLabel d;
        BuildSheet(d, csv(), 24);
        d.GetPrintInfo().SetFirstRow(c.countedRow);
        d.row = c.printRow;
        d.GetPrintInfo().SetPrinterIndex(printer.Index());
        ASSERT_TRUE(d.Print());
        EXPECT_EQ(PdfPages(printer.FileName()), c.pages) << c.countedRow;
        ExpectPlaces(PlacedNames(printer.FileName()), ExpectedPlaces(24, c.printRow, 1));
        EXPECT_EQ(d.GetPrintReport().LabelsPrinted, 24);
        EXPECT_EQ(d.GetPrintReport().Pages, c.pages);
    }
}

// A 1:50 drawing: 5 m by 3 m of model, 1 m from the corner, prints as
// 100 mm by 60 mm, 20 mm from the corner of the paper.
TEST_F(PrintJob, DrawingPrintsAtItsScale)
{
    TKVRMeasure& m = doc.GetMeasure();
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(210000);
    m.SetHeight(297000);
    m.SetDrawScale(50);
    auto* rect = new TKVRRectangle(&doc, false);
    rect->SetBase(1, 1000000, 1000000);
    rect->SetBase(2, 6000000, 4000000);
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    ASSERT_TRUE(doc.Print());
    const std::vector<QImage> pages = RasterisePages(printer.FileName(), 100);
    ASSERT_EQ(pages.size(), 1u);
    const QRect ink = ImageProbes::Bounds(pages[0], ImageProbes::Dark);
    const double px = 100 / 25.4;
    EXPECT_NEAR(ink.left(), 20 * px, 3);
    EXPECT_NEAR(ink.top(), 20 * px, 3);
    EXPECT_NEAR(ink.width(), 100 * px, 4);
    EXPECT_NEAR(ink.height(), 60 * px, 4);
}

// A print that fails in its set-up raises, gives the host its print font
// resolution back, leaves no printing state and no file, and the document
// prints afterwards.
TEST_F(PrintJob, FailedSetUpRestoresTheDocument)
{
    BuildSheet(doc, csv(), 3);
    SetFontPrintDPI(96.0f);
    doc.OnBeforePrint = [](QObject*) { SetFontPrintDPI(300.0f); };
    bool after = false;
    doc.OnAfterPrint = [&](QObject*) { after = true; };

    doc.GetPrintInfo().SetPrinterIndex(printer.Index() + 5);
    EXPECT_THROW(doc.Print(), EPrinter);
    EXPECT_EQ(GetFontPrintDPI(), 96.0f);
    EXPECT_FALSE(doc.HasState(TKVRBaseLabel::KVRStatePrinting));
    EXPECT_FALSE(after);

    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    doc.OnBeforePrint = [](QObject*) {
        SetFontPrintDPI(300.0f);
        throw std::runtime_error("host refused");
    };
    EXPECT_THROW(doc.Print(), std::runtime_error);
    EXPECT_EQ(GetFontPrintDPI(), 96.0f);
    EXPECT_FALSE(doc.HasState(TKVRBaseLabel::KVRStatePrinting));
    EXPECT_FALSE(QFile::exists(printer.FileName()));
    EXPECT_FALSE(Printer().GetPrinting());

    float during = 0;
    doc.OnBeforePrint = [](QObject*) { SetFontPrintDPI(300.0f); };
    doc.OnAfterPrint = [&](QObject*) { during = GetFontPrintDPI(); };
    ASSERT_TRUE(doc.Print());
    EXPECT_EQ(during, 300.0f);
    EXPECT_EQ(GetFontPrintDPI(), 96.0f);
    EXPECT_EQ(PdfPages(printer.FileName()), 1);
    EXPECT_EQ(PlacedNames(printer.FileName()).size(), 3u);
}

// A record whose value Code 128 refuses prints its label without the symbol,
// and the report names that record and element; the others keep theirs.
TEST_F(PrintJob, RefusedCodeIsReportedByRecordAndElement)
{
    QFile f(csv());
    BuildSheet(doc, csv(), 1);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("Name,Code\nLbl-01,C0001\nLbl-02,\u65e5\u672c\nLbl-03,C0003\n").toUtf8());
    f.close();
    doc.GetData().LoadCsv(csv());
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    EXPECT_TRUE(doc.Print());
    const TKVRPrintReport& report = doc.GetPrintReport();
    EXPECT_EQ(report.LabelsPrinted, 3);
    EXPECT_FALSE(report.Complete());
    ASSERT_EQ(report.Problems.size(), 1u);
    EXPECT_EQ(report.Problems[0].Label, 2);
    EXPECT_EQ(report.Problems[0].Record, 2);
    EXPECT_EQ(report.Problems[0].ElementID, "code");
    EXPECT_TRUE(report.Text().contains(QStringLiteral("record 2")));
    const std::vector<QImage> pages = RasterisePages(printer.FileName(), 200);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(DecodeOne(Cell(pages[0], 200, QPoint(1, 1))).text, "C0001");
    EXPECT_EQ(DecodeOne(Cell(pages[0], 200, QPoint(2, 1))).text, "");
    EXPECT_EQ(DecodeOne(Cell(pages[0], 200, QPoint(3, 1))).text, "C0003");
    EXPECT_EQ(PlacedNames(printer.FileName()).size(), 3u);
}

// Cell origins of long continuous paper at 1200 dpi: sums past 32 bits.
TEST(PrintCellOrigin, SumsInSixtyFourBits)
{
    struct Case
    {
        int64_t margin;
        int32_t index;
        int64_t size, gap;
        int32_t dpi;
    };
    for (const Case c : {Case{0, 1, 25400, 0, 1200}, Case{500, 3, 37000, 2000, 600},
                         Case{1000, 1000, 2000000, 1000, 1200}, Case{0, 999, 3000000, 0, 2400}}) {
        const long double exact =
            (static_cast<long double>(c.margin) + static_cast<long double>(c.index) * (c.size + c.gap)) * c.dpi /
            25400.0L;
        EXPECT_NEAR(PrintCellOrigin(c.margin, c.index, c.size, c.gap, c.dpi), double(exact), 0.5001) << c.index;
    }
    EXPECT_EQ(PrintCellOrigin(0, 1, 25400, 0, 1200), 1200);
    // Past the device's range: held at its edge, never wrapped.
    EXPECT_EQ(PrintCellOrigin(0, 1000000, 1000000000, 0, 2400), INT32_MAX);
}

namespace {
// An element whose printing fails on its second label.
class TFailingRectangle : public TKVRRectangle
{
public:
    using TKVRRectangle::TKVRRectangle;
    int printed = 0;
    void Print(TKVRBaseDraw* aDraw) override
    {
        if (++printed == 2)
            throw std::runtime_error("paint failed");
        TKVRRectangle::Print(aDraw);
    }
};
}  // namespace

// A failure while the pages print drops the document (the last whole file
// stays), is reported rather than raised, and the run ends as usual.
TEST_F(PrintJob, FailureWhilePrintingAbortsAndReports)
{
    BuildSheet(doc, csv(), 3);
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    ASSERT_TRUE(doc.Print());
    const QByteArray before = [&] {
        QFile f(printer.FileName());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }();

    auto* rect = new TFailingRectangle(&doc, false);
    rect->SetBase(1, 1000, 1000);
    rect->SetBase(2, 5000, 5000);
    bool after = false;
    doc.OnAfterPrint = [&](QObject* aSender) { after = aSender == &doc; };
    EXPECT_FALSE(doc.Print());
    const TKVRPrintReport& report = doc.GetPrintReport();
    EXPECT_TRUE(report.Aborted);
    EXPECT_EQ(report.Error, "paint failed");
    EXPECT_EQ(report.LabelsPrinted, 1);
    EXPECT_EQ(report.LabelsUnprinted(), 2);
    EXPECT_TRUE(report.Text().contains(QStringLiteral("1 of 3 labels")));
    EXPECT_TRUE(after);
    EXPECT_FALSE(doc.HasState(TKVRBaseLabel::KVRStatePrinting));
    EXPECT_FALSE(Printer().GetPrinting());
    QFile f(printer.FileName());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_FALSE(QFile::exists(printer.FileName() + ".part"));
}

// An element prints only when both it and its layer carry the print bit.
TEST_F(PrintJob, PrintBitOfElementAndLayerBothCount)
{
    TKVRMeasure& m = doc.GetMeasure();
    m.SetWidth(210000);
    m.SetHeight(297000);
    TKVRLayer* hidden = doc.AddLayer(QStringLiteral("not printed"));
    hidden->SetState(TKVRLayer::StateVisible);
    struct Case
    {
        int64_t x;
        bool layerPrints, itemPrints;
    };
    const Case cases[] = {{20000, true, true}, {70000, false, true}, {120000, true, false}};
    for (const Case& c : cases) {
        auto* r = new TKVRRectangle(&doc, c.layerPrints ? doc.GetLayer(0) : hidden, false);
        r->SetBase(1, c.x, 20000);
        r->SetBase(2, c.x + 30000, 50000);
        if (!c.itemPrints)
            r->SetState(TKVRBaseItem::StateVisible);
    }
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    ASSERT_TRUE(doc.Print());
    const std::vector<QImage> pages = RasterisePages(printer.FileName(), 100);
    ASSERT_EQ(pages.size(), 1u);
    const double px = 100 / 25.4;
    const QRect ink = ImageProbes::Bounds(pages[0], ImageProbes::Dark);
    EXPECT_NEAR(ink.left(), 20 * px, 3);
    EXPECT_NEAR(ink.right(), 50 * px, 3);
}

// Paper wider than high goes to the printer turned: a landscape A4 page.
TEST_F(PrintJob, WidePaperPrintsLandscape)
{
    TKVRMeasure& m = doc.GetMeasure();
    m.SetPaperWidth(297000);
    m.SetPaperHeight(210000);
    m.SetWidth(297000);
    m.SetHeight(210000);
    auto* r = new TKVRRectangle(&doc, false);
    r->SetBase(1, 250000, 10000);
    r->SetBase(2, 280000, 30000);
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    ASSERT_TRUE(doc.Print());
    EXPECT_EQ(Printer().GetPageLayout().orientation(), QPageLayout::Landscape);
    const QSizeF page = PdfPageSize(printer.FileName());
    EXPECT_NEAR(page.width(), 297.0 * kPtPerMm, 1.0);
    EXPECT_NEAR(page.height(), 210.0 * kPtPerMm, 1.0);
    const std::vector<QImage> pages = RasterisePages(printer.FileName(), 100);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_GT(pages[0].width(), pages[0].height());
    const double px = 100 / 25.4;
    const QRect ink = ImageProbes::Bounds(pages[0], ImageProbes::Dark);
    EXPECT_NEAR(ink.left(), 250 * px, 3);
    EXPECT_NEAR(ink.bottom(), 30 * px, 3);
}

// Without a printer index nothing happens; the device list and its
// resolutions are the printer's, the first listed one used.
TEST_F(PrintJob, PrinterListAndResolutions)
{
    BuildSheet(doc, csv(), 2);
    bool before = false;
    doc.OnBeforePrint = [&](QObject*) { before = true; };
    EXPECT_FALSE(doc.Print());
    EXPECT_FALSE(before);
    EXPECT_FALSE(QFile::exists(printer.FileName()));

    TPrinter& p = Printer();
    EXPECT_EQ(p.Names().value(printer.Index()), "PDF test");
    EXPECT_THROW(p.SetActivePrinter(p.Count()), EPrinter);
    EXPECT_THROW(p.SetActivePrinter(-1), EPrinter);
    const int32_t other = p.AddFileDevice("PDF 300", printer.Folder() + "/other.pdf", {{300, 300}, {1200, 1200}});
    p.SetActivePrinter(other);
    p.SelectDPI(1200, 1200);
    EXPECT_EQ(p.GetActiveDPIIndex(), 1);
    EXPECT_EQ(p.GetDPI(0), QPoint(300, 300));
    EXPECT_THROW(p.GetDPI(2), EPrinter);

    // At 300 dpi the cells land where they do at 1200.
    doc.GetPrintInfo().SetPrinterIndex(other);
    ASSERT_TRUE(doc.Print());
    EXPECT_EQ(p.GetActiveDPIIndex(), 0);
    ExpectPlaces(PlacedNames(printer.Folder() + "/other.pdf"), ExpectedPlaces(2, 1, 1));
    p.RemoveFileDevice("PDF 300");
}

// Data without records gives no labels: nothing reaches the printer, not
// even a blank sheet, and the caller hears that nothing printed.
TEST_F(PrintJob, NoRecordsPrintsNothing)
{
    BuildSheet(doc, csv(), 0);
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    EXPECT_FALSE(doc.Print());
    EXPECT_FALSE(QFile::exists(printer.FileName()));
    EXPECT_EQ(doc.GetPrintReport().LabelsToPrint, 0);
    EXPECT_EQ(doc.GetPrintReport().LabelsPrinted, 0);
}

// What the report calls a refused symbol, for each kind that draws one: the
// element's own verdict on the value, nothing for elements without a symbol.
TEST(PrintReport, CodeProblemFollowsEachSymbology)
{
    TVXLabelFMX doc;
    auto* linear = new TKVRBarcode(&doc, false);
    linear->SetCodeType(TKVRBarType::EAN13);
    auto* qr = new TKVRQRCode(&doc, false);
    auto* poly = new TKVRPolyText(&doc, false);
    poly->SetPolyType(KVRPolyType::Linear);
    poly->SetCodeType(TKVRBarType::Code128);
    auto* rect = new TKVRRectangle(&doc, false);

    linear->SetCode(QStringLiteral("5901234123457"));
    EXPECT_TRUE(CodeProblem(*linear).isEmpty());
    linear->SetCode(QStringLiteral("59012341X3457"));
    EXPECT_TRUE(CodeProblem(*linear).contains(QStringLiteral("59012341X3457")));

    qr->SetCode(QStringLiteral("https://example.org/label"));
    EXPECT_TRUE(CodeProblem(*qr).isEmpty());
    qr->SetCode(QString(8000, QLatin1Char('A')));
    EXPECT_FALSE(CodeProblem(*qr).isEmpty());

    poly->AddItem(QStringLiteral("BOX-7"));
    EXPECT_TRUE(CodeProblem(*poly).isEmpty());
    poly->AddItem(QStringLiteral("\u65e5\u672c"));
    EXPECT_FALSE(CodeProblem(*poly).isEmpty());

    EXPECT_TRUE(CodeProblem(*rect).isEmpty());
}

namespace {

// Waits until the queue has written the whole file (it ends in the PDF's
// trailer, or in the job language that wraps it).
bool WaitForPrintedFile(const QString& aFile, int aMs)
{
    QElapsedTimer timer;
    timer.start();
    qint64 lastSize = -1;
    while (timer.elapsed() < aMs) {
        QFile f(aFile);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = f.readAll();
            if (bytes.size() > 0 && bytes.size() == lastSize && bytes.contains("%%EOF"))
                return true;
            lastSize = bytes.size();
        }
        QThread::msleep(200);
    }
    return false;
}

}  // namespace

// The sheet through a real print queue of the machine (a file queue that
// scripts/test.sh starts): what the queue writes is read back by poppler.
TEST(PrintQueue, SheetOfDataLabelsThroughARealQueue)
{
    const QString queue = qEnvironmentVariable("KVR_TEST_PRINT_QUEUE");
    const QString output = qEnvironmentVariable("KVR_TEST_PRINT_OUTPUT");
    if (queue.isEmpty() || output.isEmpty())
        GTEST_SKIP() << "no print queue to print to (scripts/test.sh starts one)";
    const int32_t index = int32_t(Printer().Names().indexOf(queue));
    ASSERT_GE(index, 0) << "the queue " << queue.toStdString() << " is not listed";
    QFile::remove(output);

    QTemporaryDir dir;
    TVXLabelFMX doc;
    BuildSheet(doc, dir.filePath(QStringLiteral("data.csv")), 30);
    doc.GetPrintInfo().SetPrinterIndex(index);
    ASSERT_TRUE(doc.Print()) << doc.GetPrintReport().Text().toStdString();
    ASSERT_TRUE(WaitForPrintedFile(output, 60000)) << "the queue wrote nothing to " << output.toStdString();

    EXPECT_EQ(PdfPages(output), 2);
    const QSizeF page = PdfPageSize(output);
    EXPECT_NEAR(page.width(), 210.0 * kPtPerMm, 2.0);
    EXPECT_NEAR(page.height(), 297.0 * kPtPerMm, 2.0);
    ExpectPlaces(PlacedNames(output), ExpectedPlaces(30, 1, 1));

    // From row 2, column 3 the first sheet starts there.
    QFile::remove(output);
    TVXLabelFMX start;
    BuildSheet(start, dir.filePath(QStringLiteral("start.csv")), 7);
    start.GetPrintInfo().SetPrinterIndex(index);
    start.GetPrintInfo().SetFirstRow(2);
    start.GetPrintInfo().SetFirstCol(3);
    ASSERT_TRUE(start.Print()) << start.GetPrintReport().Text().toStdString();
    ASSERT_TRUE(WaitForPrintedFile(output, 60000)) << "the queue wrote nothing to " << output.toStdString();
    EXPECT_EQ(PdfPages(output), 1);
    ExpectPlaces(PlacedNames(output), ExpectedPlaces(7, 2, 3));
}
