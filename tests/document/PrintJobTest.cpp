// The print job on a PDF-file printer and on a real CUPS queue, read back by
// poppler and ZXing.
#include "document/KVR.FMX.PrintJob.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRectangle.h"
#include "platform/fmx/TPrinter.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "render/TKVRDraw.h"
#include "tests/support/BarcodeReader.h"
#include "tests/support/ImageProbes.h"
#include "tests/support/LabelDocuments.h"
#include "tests/support/PdfReader.h"
#include "tests/support/PrintQueue.h"
#include <QFile>
#include <gtest/gtest.h>

namespace {

constexpr double kPtPerMm = 72.0 / 25.4;

QString Name(int i)
{
    return QStringLiteral("Lbl-%1").arg(i, 2, 10, QLatin1Char('0'));
}

struct TPlaced
{
    QString text;
    int page;
    QPoint cell;  // x column, y row, from 1
    bool operator==(const TPlaced&) const = default;
};
void PrintTo(const TPlaced& p, std::ostream* os)
{
    *os << p.text.toStdString() << " p" << p.page << " r" << p.cell.y() << " c" << p.cell.x();
}

// The label names poppler finds on the 3 x 8 sheet of 70 x 37 mm, by page and cell.
std::vector<TPlaced> PlacedNames(const QString& aPdf)
{
    std::vector<TPlaced> placed;
    for (const TPdfPageWord& w : PdfPageWords(aPdf))
        if (w.text.startsWith(QStringLiteral("Lbl-")))
            placed.push_back({w.text, w.page,
                              QPoint(int(w.xMin / kPtPerMm / 70.0) + 1, int((w.yMin / kPtPerMm - 0.5) / 37.0) + 1)});
    std::stable_sort(placed.begin(), placed.end(), [](const TPlaced& a, const TPlaced& b) {
        return std::tuple(a.page, a.cell.y(), a.cell.x()) < std::tuple(b.page, b.cell.y(), b.cell.x());
    });
    return placed;
}

// Where each label of the run goes, from the start cell on.
std::vector<TPlaced> ExpectedPlaces(int aLabels, int aRow, int aCol)
{
    std::vector<TPlaced> places;
    for (int i = 1, page = 1; i <= aLabels; ++i) {
        places.push_back({Name(i), page, QPoint(aCol, aRow)});
        if (++aCol > 3 && (aCol = 1) && ++aRow > 8)
            aRow = 1, ++page;
    }
    return places;
}

// A cell of a page rasterised at aDpi.
QImage Cell(const QImage& aPage, int aDpi, QPoint aCell)
{
    const double px = aDpi / 25.4;
    return aPage.copy(QRect(int((aCell.x() - 1) * 70.0 * px), int((0.5 + (aCell.y() - 1) * 37.0) * px), int(70.0 * px),
                            int(37.0 * px)));
}

// The run as poppler and ZXing read it: pages of A4, each name in its cell and
// each label's Code 128 (aCodes, "" where none) in its place; the pages
// rasterised when codes were read.
std::vector<QImage> ExpectSheet(const QString& aPdf, int aPages, const std::vector<TPlaced>& aPlaces,
                                const QStringList& aCodes = {})
{
    EXPECT_EQ(PdfPages(aPdf), aPages);
    const QSizeF page = PdfPageSize(aPdf);
    EXPECT_NEAR(page.width(), 210.0 * kPtPerMm, 2.0);
    EXPECT_NEAR(page.height(), 297.0 * kPtPerMm, 2.0);
    EXPECT_EQ(PlacedNames(aPdf), aPlaces);
    if (aCodes.isEmpty())
        return {};
    const std::vector<QImage> pages = RasterisePages(aPdf, 200);
    EXPECT_EQ(int(pages.size()), aPages);
    for (size_t i = 0; i < aPlaces.size() && pages.size() == size_t(aPages); ++i)
        EXPECT_EQ(DecodeOne(Cell(pages[size_t(aPlaces[i].page - 1)], 200, aPlaces[i].cell)).text, aCodes[int(i)])
            << aPlaces[i].text.toStdString();
    return pages;
}

QStringList Codes(int aRecords)
{
    QStringList codes;
    for (int i = 1; i <= aRecords; ++i)
        codes << QStringLiteral("C%1").arg(i, 4, 10, QLatin1Char('0'));
    return codes;
}

class PrintJob : public ::testing::Test
{
protected:
    TPdfPrinterFixture printer;
    TVXLabelFMX doc;
    QString csv() const { return printer.Folder() + QStringLiteral("/data.csv"); }
    void Sheet(TVXLabelFMX& aDoc, int aRecords, int aRow = 1, int aCol = 1)
    {
        BuildSheet(aDoc, csv(), aRecords);
        aDoc.GetPrintInfo().SetPrinterIndex(printer.Index());
        aDoc.GetPrintInfo().SetFirstRow(aRow);
        aDoc.GetPrintInfo().SetFirstCol(aCol);
    }
};

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

// Records on a 3 x 8 sheet, each label in its cell in record order from the
// start cell, its Code 128 read back by ZXing; unused cells stay blank. The
// pages follow the labels, also when the start row moved after counting.
TEST_F(PrintJob, SheetOfDataLabelsPrintsEveryRecordInItsCell)
{
    struct Case
    {
        int records, row, col, pages;
        QPoint blank;
    };
    for (const Case c : {Case{30, 1, 1, 2, {1, 3}}, Case{7, 2, 3, 1, {2, 2}}}) {
        SCOPED_TRACE(c.records);
        TVXLabelFMX d;
        Sheet(d, c.records, c.row, c.col);
        ASSERT_TRUE(d.Print()) << d.GetPrintReport().Text().toStdString();
        const std::vector<QImage> pages =
            ExpectSheet(printer.FileName(), c.pages, ExpectedPlaces(c.records, c.row, c.col), Codes(c.records));
        ASSERT_FALSE(pages.empty());
        EXPECT_TRUE(ImageProbes::Bounds(Cell(pages.back(), 200, c.blank), ImageProbes::Dark).isNull());
        const TKVRPrintReport& report = d.GetPrintReport();
        EXPECT_EQ(report.LabelsPrinted, c.records);
        EXPECT_EQ(report.Pages, c.pages);
        EXPECT_TRUE(report.Complete());
        EXPECT_FALSE(d.HasState(TKVRBaseLabel::KVRStatePrinting));
        EXPECT_EQ(d.GetPrintInfo().GetCurLabel(), c.records + 1);
        EXPECT_EQ(d.GetPrintInfo().GetCurPage(), c.pages + 1);
    }
    // 24 labels: counted from row 1 they fill one page but need two from
    // row 2; counted from row 8 they need two but fill one from row 1.
    for (const auto& [countedRow, printRow, pages] : {std::tuple{1, 2, 2}, std::tuple{8, 1, 1}}) {
        TMovedStartLabel d;
        Sheet(d, 24, countedRow);
        d.row = printRow;
        ASSERT_TRUE(d.Print());
        ExpectSheet(printer.FileName(), pages, ExpectedPlaces(24, printRow, 1));
        EXPECT_EQ(d.GetPrintReport().Pages, pages);
    }
}

// A sheet without columns or rows, or a start cell off the sheet, is refused
// before anything reaches the printer; the records do not move. Data without
// records prints nothing, not even a blank sheet.
TEST_F(PrintJob, SheetAndStartCellOutsideAreRefused)
{
    struct Case
    {
        int rows, columns, firstRow, firstCol;
        const char* message;
    };
    for (const Case& c : {Case{8, 0, 1, 1, "no columns"}, Case{0, 3, 1, 1, "no rows"},
                          Case{8, 3, 9, 1, "start row 9 is outside the sheet of 8 rows"},
                          Case{8, 3, 1, 4, "start column 4 is outside the sheet of 3 columns"}}) {
        TVXLabelFMX d;
        Sheet(d, 5, c.firstRow, c.firstCol);
        d.GetMeasure().SetRows(c.rows);
        d.GetMeasure().SetColumns(c.columns);
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
    EXPECT_THROW(TKVRSheetWalk(8, 3, 0, 1, 5), std::invalid_argument);
    EXPECT_THROW(TKVRSheetWalk(8, 3, 1, 0, 5), std::invalid_argument);

    Sheet(doc, 0);
    EXPECT_FALSE(doc.Print());
    EXPECT_FALSE(QFile::exists(printer.FileName()));
    EXPECT_EQ(doc.GetPrintReport().LabelsToPrint, 0);
}

// Rectangles printed on one page, the ink where the paper puts it: a 1:50
// drawing at its scale, the print bits of element and layer, wide paper turned.
TEST_F(PrintJob, PagesPrintAtTheirScaleOrientationAndPrintBits)
{
    struct TRect
    {
        int64_t x1, y1, x2, y2;
        bool layerPrints = true, itemPrints = true;
    };
    struct Case
    {
        const char* name;
        int64_t paperW, paperH;
        int32_t scale;
        std::vector<TRect> rects;
        QRectF inkMm;  // left, top, right, bottom
    };
    const Case cases[] = {
        {"1:50 drawing", 210000, 297000, 50, {{1000000, 1000000, 6000000, 4000000}}, QRectF(20, 20, 100, 60)},
        {"print bits", 210000, 297000, 1,
         {{20000, 20000, 50000, 50000}, {70000, 20000, 100000, 50000, false}, {120000, 20000, 150000, 50000, true, false}},
         QRectF(20, 20, 30, 30)},
        {"landscape", 297000, 210000, 1, {{250000, 10000, 280000, 30000}}, QRectF(250, 10, 30, 20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TVXLabelFMX d;
        TKVRMeasure& m = d.GetMeasure();
        m.SetPaperWidth(c.paperW);
        m.SetPaperHeight(c.paperH);
        m.SetWidth(c.paperW);
        m.SetHeight(c.paperH);
        m.SetDrawScale(c.scale);
        TKVRLayer* hidden = d.AddLayer(QStringLiteral("not printed"));
        hidden->SetState(TKVRLayer::StateVisible);
        for (const TRect& r : c.rects) {
            auto* e = new TKVRRectangle(&d, r.layerPrints ? d.GetLayer(0) : hidden, false);
            e->SetBase(1, r.x1, r.y1);
            e->SetBase(2, r.x2, r.y2);
            if (!r.itemPrints)
                e->SetState(TKVRBaseItem::StateVisible);
        }
        d.GetPrintInfo().SetPrinterIndex(printer.Index());
        ASSERT_TRUE(d.Print());
        const bool wide = c.paperW > c.paperH;
        EXPECT_EQ(Printer().GetPageLayout().orientation(), wide ? QPageLayout::Landscape : QPageLayout::Portrait);
        const QSizeF page = PdfPageSize(printer.FileName());
        EXPECT_NEAR(page.width(), c.paperW / 1000.0 * kPtPerMm, 1.0);
        EXPECT_NEAR(page.height(), c.paperH / 1000.0 * kPtPerMm, 1.0);
        const std::vector<QImage> pages = RasterisePages(printer.FileName(), 100);
        ASSERT_EQ(pages.size(), 1u);
        const double px = 100 / 25.4;
        const QRect ink = ImageProbes::Bounds(pages[0], ImageProbes::Dark);
        EXPECT_NEAR(ink.left(), c.inkMm.left() * px, 3);
        EXPECT_NEAR(ink.top(), c.inkMm.top() * px, 3);
        EXPECT_NEAR(ink.right(), c.inkMm.right() * px, 4);
        EXPECT_NEAR(ink.bottom(), c.inkMm.bottom() * px, 4);
    }
}

// A print that fails in its set-up raises, gives the host its print font
// resolution back, leaves no printing state and no file, and the document
// prints afterwards. Without a printer index nothing happens.
TEST_F(PrintJob, FailedSetUpRestoresTheDocument)
{
    Sheet(doc, 3);
    bool before = false;
    doc.OnBeforePrint = [&](QObject*) { before = true; };
    doc.GetPrintInfo().SetPrinterIndex(-1);
    EXPECT_FALSE(doc.Print());
    EXPECT_FALSE(before);

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
    ExpectSheet(printer.FileName(), 1, ExpectedPlaces(3, 1, 1));
}

// A record whose value Code 128 refuses prints its label without the symbol,
// and the report names that record and element; the others keep theirs.
TEST_F(PrintJob, RefusedCodeIsReportedByRecordAndElement)
{
    Sheet(doc, 1);
    WriteAll(csv(), QStringLiteral("Name,Code\nLbl-01,C0001\nLbl-02,\u65e5\u672c\nLbl-03,C0003\n").toUtf8());
    doc.GetData().LoadCsv(csv());
    EXPECT_TRUE(doc.Print());
    const TKVRPrintReport& report = doc.GetPrintReport();
    EXPECT_EQ(report.LabelsPrinted, 3);
    EXPECT_FALSE(report.Complete());
    ASSERT_EQ(report.Problems.size(), 1u);
    EXPECT_EQ(report.Problems[0].Label, 2);
    EXPECT_EQ(report.Problems[0].Record, 2);
    EXPECT_EQ(report.Problems[0].ElementID, "code");
    EXPECT_TRUE(report.Text().contains(QStringLiteral("record 2")));
    ExpectSheet(printer.FileName(), 1, ExpectedPlaces(3, 1, 1), {"C0001", "", "C0003"});
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
        const long double exact = (c.margin + static_cast<long double>(c.index) * (c.size + c.gap)) * c.dpi / 25400.0L;
        EXPECT_NEAR(PrintCellOrigin(c.margin, c.index, c.size, c.gap, c.dpi), double(exact), 0.5001) << c.index;
    }
    // Past the device's range: held at its edge, never wrapped.
    EXPECT_EQ(PrintCellOrigin(0, 1000000, 1000000000, 0, 2400), INT32_MAX);
}

// A failure while the pages print drops the document (the last whole file
// stays), is reported rather than raised, and the run ends as usual.
TEST_F(PrintJob, FailureWhilePrintingAbortsAndReports)
{
    Sheet(doc, 3);
    ASSERT_TRUE(doc.Print());
    const QByteArray before = ReadAll(printer.FileName());
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
    EXPECT_EQ(ReadAll(printer.FileName()), before);
    EXPECT_FALSE(QFile::exists(printer.FileName() + ".part"));
}

// The device list and its resolutions are the printer's; at 300 dpi the
// cells land where they do at 1200.
TEST_F(PrintJob, PrinterListAndResolutions)
{
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
    Sheet(doc, 2);
    doc.GetPrintInfo().SetPrinterIndex(other);
    ASSERT_TRUE(doc.Print());
    EXPECT_EQ(p.GetActiveDPIIndex(), 0);
    ExpectSheet(printer.Folder() + "/other.pdf", 1, ExpectedPlaces(2, 1, 1));
    p.RemoveFileDevice("PDF 300");
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
    linear->SetCode(QStringLiteral("5901234123457"));
    qr->SetCode(QStringLiteral("https://example.org/label"));
    poly->AddItem(QStringLiteral("BOX-7"));
    for (const TKVRBaseItem* e : std::initializer_list<const TKVRBaseItem*>{linear, qr, poly, new TKVRRectangle(&doc, false)})
        EXPECT_TRUE(CodeProblem(*e).isEmpty()) << e->GetKind();
    linear->SetCode(QStringLiteral("59012341X3457"));
    EXPECT_TRUE(CodeProblem(*linear).contains(QStringLiteral("59012341X3457")));
    qr->SetCode(QString(8000, QLatin1Char('A')));
    EXPECT_FALSE(CodeProblem(*qr).isEmpty());
    poly->AddItem(QStringLiteral("\u65e5\u672c"));
    EXPECT_FALSE(CodeProblem(*poly).isEmpty());
}

// The sheet through a real print queue of the machine (a file queue that
// scripts/test.sh starts): what the queue writes is read back by poppler.
TEST(PrintQueue, SheetOfDataLabelsThroughARealQueue)
{
    const auto queue = PrintQueueFromEnvironment();
    if (!queue)
        GTEST_SKIP() << "no print queue to print to (scripts/test.sh starts one)";
    const int32_t index = int32_t(Printer().Names().indexOf(queue->name));
    ASSERT_GE(index, 0) << "the queue " << queue->name.toStdString() << " is not listed";
    QTemporaryDir dir;
    for (const auto& [records, row, col] : {std::tuple{30, 1, 1}, std::tuple{7, 2, 3}}) {
        QFile::remove(queue->output);
        TVXLabelFMX doc;
        BuildSheet(doc, dir.filePath(QStringLiteral("data.csv")), records);
        doc.GetPrintInfo().SetPrinterIndex(index);
        doc.GetPrintInfo().SetFirstRow(row);
        doc.GetPrintInfo().SetFirstCol(col);
        ASSERT_TRUE(doc.Print()) << doc.GetPrintReport().Text().toStdString();
        ASSERT_TRUE(WaitForPrintedFile(queue->output, 60000)) << "the queue wrote nothing";
        ExpectSheet(queue->output, records > 24 ? 2 : 1, ExpectedPlaces(records, row, col));
    }
}
