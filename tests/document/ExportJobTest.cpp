// The export job: every format read back by a reader nobody here wrote, the
// page sizes, the scale limits, failures reported, and a document that keeps
// changing while its exports run.
#include "tests/document/ExportTestSupport.h"
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRectangle.h"
#include "elements/TKVRText.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "tests/support/BarcodeReader.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ImageProbes.h"
#include "tests/support/LabelDocuments.h"
#include "tests/support/PdfReader.h"
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr uint16_t kShown = 0x0001 | 0x0002 | 0x0008;  // visible, printable, exported

template <class T>
T* Exported(T* aItem)
{
    aItem->SetState(kShown);
    return aItem;
}

// An A4 sheet of one label with a black frame at 20, 30 (100 x 50 mm) and a text.
void BuildFrame(TVXLabelFMX& aDoc)
{
    TKVRMeasure& m = aDoc.GetMeasure();
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(210000);
    m.SetHeight(297000);
    m.SetRows(1);
    m.SetColumns(1);
    TKVRLayer* layer = aDoc.GetActiveLayer();
    layer->SetState(kShown);
    layer->FontName = QStringLiteral("Arial");
    layer->FontHeight = 6000;
    layer->Color = 0xFF000000;
    layer->PenWidth = 1000;
    Exported(TKVRFactory::AddRectangle(&aDoc, 20, 30, 100, 50));
    Exported(TKVRFactory::AddText(&aDoc, 30, 150))->SetText(QStringLiteral("Exported first"));
}

// The frame's left edge at 20 mm, between its top (30 mm) and bottom (80 mm), at 96 dpi.
bool FrameEdge(const QImage& aImage)
{
    const int x = int(std::lround(20 * 96 / 25.4)), y = int(std::lround(55 * 96 / 25.4));
    return !ImageProbes::Bounds(aImage, ImageProbes::Dark, QRect(x - 2, y, 5, 1)).isNull();
}

// A sheet of 2 columns x 3 rows of 90 x 80 mm labels (margins 10 and 15 mm,
// gaps 10 and 5 mm), each with a QR code and a text bound to the record's "Name".
void BuildDataSheet(TVXLabelFMX& aDoc, int aRecords)
{
    BuildFrame(aDoc);
    aDoc.Clear(KVRClear::Items, false);
    TKVRMeasure& m = aDoc.GetMeasure();
    m.SetWidth(90000);
    m.SetHeight(80000);
    m.SetMarLeft(10000);
    m.SetMarTop(15000);
    m.SetGapX(10000);
    m.SetGapY(5000);
    m.SetRows(3);
    m.SetColumns(2);
    QStringList records;
    for (int i = 1; i <= aRecords; ++i)
        records << QStringLiteral(R"({"Name":"REC-%1"})").arg(i);
    aDoc.GetData().SetJson(QLatin1Char('[') + records.join(QLatin1Char(',')) + QLatin1Char(']'));
    aDoc.GetData().SetDataSel(TKVRData::JsonDataset);
    aDoc.GetPrintInfo().SetWithData(true);
    TKVRQRCode* qr = Exported(TKVRFactory::AddQRCode(&aDoc, 10, 10, QStringLiteral("DESIGN")));
    qr->SetFillType(1);
    qr->SetFillName(QStringLiteral("Name"));
    TKVRText* text = Exported(TKVRFactory::AddText(&aDoc, 10, 65));
    text->SetText(QStringLiteral("DESIGN"));
    text->SetFillType(1);
    text->SetFillName(QStringLiteral("Name"));
}

// Cell (column, row from 0) of the data sheet at k pixels a millimetre.
QRect DataCell(int aColumn, int aRow, double k)
{
    return QRect(int((10 + aColumn * 100) * k), int((15 + aRow * 85) * k), int(90 * k), int(80 * k));
}

class ExportJob : public ::testing::Test
{
protected:
    QString File(const QString& aName) const { return fDir.filePath(aName); }
    QTemporaryDir fDir;
    TVXLabelFMX doc;
};

}  // namespace

TEST(ExportPage, ScaleLimitsFitAndLongPaper)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (const auto& [in, out] : std::initializer_list<std::pair<double, float>>{
             {0.0, 0.2f}, {0.1, 0.2f}, {-3.0, 0.2f}, {9.0, 5.0f}, {1.5, 1.5f}, {nan, 1.0f}, {inf, 5.0f}})
        EXPECT_FLOAT_EQ(KVRExport::ClampScale(in), out) << in;
    // 2 m x 1 m of model at 1:50 fits 42 mm x 22 mm of paper: 1 mm around it.
    TKVRExtent e;
    e.Include(0, 0);
    e.Include(2000000, 1000000);
    const TKVRExportPage p = KVRExport::FitPage(e, 50, 1.0f, 96);
    EXPECT_NEAR(p.Width, 42 * 96 / 25.4, 1e-6);
    EXPECT_NEAR(p.Height, 22 * 96 / 25.4, 1e-6);
    // A point, or a drawing scale of 0, still gives a page.
    TKVRExtent point;
    point.Include(5000, 5000);
    const TKVRExportPage q = KVRExport::FitPage(point, 0, 0.2f, 96);
    EXPECT_GE(q.Width, 10.0);
    EXPECT_GE(q.Height, 10.0);
    EXPECT_TRUE(std::isfinite(q.OriginX));
    // 40 m of continuous paper at 300 dpi and scale 5: past 32 bits of pixels x micrometres.
    EXPECT_NEAR(KVRExport::SheetPage(100000, 40000000, 5.0f, 300).Height, 40000000.0 * 5 * 300 / 25400, 1);
}

// Every format of the data sheet read back by a reader nobody here wrote:
// poppler, xpstopng and Qt's image readers, each cell's QR code by ZXing.
// The images are encoded by their kind, whatever the file's name.
TEST_F(ExportJob, EveryFormatReadsBackWithEachCellsRecord)
{
    BuildDataSheet(doc, 5);
    struct Case
    {
        TKVRExport kind;
        const char* format;  // Qt's reader; null for PDF and XPS
        QByteArray magic;
        float scale;
    };
    const Case cases[] = {{KVRExportKind::Pdf, nullptr, "%PDF", 1.0f},
                          {KVRExportKind::Pdf, nullptr, "%PDF", 0.5f},
                          {KVRExportKind::Xps, nullptr, "PK", 1.0f},
                          {KVRExportKind::Bmp, "BMP", "BM", 0.5f},
                          {KVRExportKind::Png, "PNG", "\x89PNG", 2.0f},
                          {KVRExportKind::Gif, "GIF", "GIF8", 0.5f},
                          {KVRExportKind::Jpeg, "JPEG", "\xFF\xD8", 0.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.kind) << " at " << c.scale);
        const QString file = File(QStringLiteral("sheet-%1-%2.png").arg(c.kind).arg(c.scale));
        const TKVRExportResult r = RunExport(doc, c.kind, file, c.scale);
        ASSERT_TRUE(r.Ok()) << r.Error.toStdString();
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(f.read(4).startsWith(c.magic));
        if (c.kind == KVRExportKind::Pdf) {
            const QSizeF page = PdfPageSize(file);
            EXPECT_NEAR(page.width(), 595.3 * c.scale, 1.0);
            EXPECT_NEAR(page.height(), 841.9 * c.scale, 1.0);
            if (c.scale != 1.0f)
                continue;
            const QString text = PdfText(file);
            for (int i = 1, at = -1; i <= 5; ++i) {
                const int next = int(text.indexOf(QStringLiteral("REC-%1").arg(i)));
                EXPECT_GT(next, at) << text.toStdString();
                at = next;
            }
            EXPECT_FALSE(text.contains(QStringLiteral("DESIGN")));
            EXPECT_FALSE(text.contains(QStringLiteral("REC-6")));
            continue;
        }
        // XPS at 96 dpi is the A4 page; at 300 its codes and glyph outlines read.
        const QImage image = c.format ? QImage(file, c.format) : RenderXps(file, 96);
        ASSERT_FALSE(image.isNull());
        EXPECT_NEAR(image.width(), 210 * c.scale * 96 / 25.4, 1);
        EXPECT_NEAR(image.height(), 297 * c.scale * 96 / 25.4, 1);
        EXPECT_GT(qGray(image.pixel(1, 1)), 245);  // white, also through the GIF palette
        const QImage fine = c.format ? image : RenderXps(file, 300);
        const double k = c.format ? c.scale * 96 / 25.4 : 300 / 25.4;
        // Every cell of the PNG, the first two of the XPS; the small pictures are only looked at.
        const int cells = c.kind == KVRExportKind::Png ? 6 : c.format ? 0 : 2;
        if (cells == 0)
            continue;
        for (int cell = 0; cell < cells; ++cell)
            EXPECT_EQ(DecodeOne(fine.copy(DataCell(cell % 2, cell / 2, k))).text,
                      cell < 5 ? QStringLiteral("REC-%1").arg(cell + 1) : QString())
                << "cell " << cell;
        // The record's text below the code: ink inside its frame at 10, 65 mm of the cell.
        const QRect text = DataCell(0, 0, k).translated(int(11 * k), int(66 * k));
        EXPECT_GT(ImageProbes::Bounds(fine, ImageProbes::Dark, QRect(text.topLeft(), QSize(int(15 * k), int(4 * k)))).width(),
                  int(5 * k));
    }
}

// Failures name the file and leave nothing behind: a folder that cannot be
// written, a kind outside 0..5, a raster page too large for memory, and a
// disk that fills while the page is written (every kind; nor memory leaks,
// the encoders see no failure). With room again the same export is whole.
TEST_F(ExportJob, FailuresAreReportedAndLeaveNoFile)
{
    BuildFrame(doc);
    const QString blocker = File(QStringLiteral("blocker"));  // a folder that is a file: root cannot write under it
    WriteAll(blocker, "x");
    for (TKVRExport kind : {KVRExportKind::Pdf, KVRExportKind::Png, KVRExportKind::Gif}) {
        const TKVRExportResult r = RunExport(doc, kind, blocker + QStringLiteral("/out.x"));
        EXPECT_FALSE(r.Ok());
        EXPECT_TRUE(r.Error.contains(blocker + QStringLiteral("/out.x"))) << r.Error.toStdString();
    }
    EXPECT_FALSE(RunExport(doc, 7, File(QStringLiteral("unknown.png"))).Ok());
    for (TKVRExport kind : {KVRExportKind::Pdf, KVRExportKind::Xps, KVRExportKind::Bmp, KVRExportKind::Png,
                            KVRExportKind::Gif, KVRExportKind::Jpeg}) {
        SCOPED_TRACE(int(kind));
        const QString file = File(QStringLiteral("full-%1.out").arg(kind));
        TKVRExportResult r;
        {
            TFileSizeLimit limit(512);
            r = RunExport(doc, kind, file);
        }
        EXPECT_FALSE(r.Ok());
        EXPECT_TRUE(r.Error.contains(file)) << r.Error.toStdString();
    }
    EXPECT_EQ(QDir(fDir.path()).entryList(QDir::Files), QStringList{"blocker"});  // no temporary left
    const QString room = File(QStringLiteral("room.png"));
    ASSERT_TRUE(RunExport(doc, KVRExportKind::Png, room).Ok());
    EXPECT_TRUE(FrameEdge(QImage(room)));

    doc.GetMeasure().SetPaperHeight(20000000);
    const TKVRExportResult h = RunExport(doc, KVRExportKind::Png, File(QStringLiteral("huge.png")), 5.0f);
    EXPECT_FALSE(h.Ok());
    EXPECT_TRUE(h.Error.contains(QStringLiteral("too large"))) << h.Error.toStdString();
    EXPECT_FALSE(QFile::exists(File(QStringLiteral("huge.png"))));
}

// Asked to check the data, the export refuses a run without labels as a
// print does: the reason in the result, no file written, an earlier one of
// that name as it was. Unchecked, or with labels to show, the page is written.
TEST_F(ExportJob, ARunWithoutLabelsIsRefusedWhenTheDataIsChecked)
{
    const QString header = File(QStringLiteral("header.csv"));
    WriteAll(header, "Name\n");
    const struct
    {
        const char* Name;
        bool Linked, Check, Earlier;
        const char* Error;  // null: written
    } cases[] = {
        {"a header and no record", true, true, false, "The data has no records"},
        {"over an earlier export", true, true, true, "The data has no records"},
        {"the data not checked", true, false, true, nullptr},
        {"the data not linked", false, true, false, nullptr},
    };
    BuildDataSheet(doc, 1);
    doc.GetData().LoadCsv(header);
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        doc.SetLinkData(c.Linked);
        const QString file = File(QStringLiteral("run-%1.pdf").arg(++number));
        if (c.Earlier)
            WriteAll(file, "earlier");
        const TKVRExportResult r = RunExport(doc, KVRExportKind::Pdf, file, 1.0f, false, c.Check);
        if (!c.Error) {
            EXPECT_TRUE(r.Ok()) << r.Error.toStdString();
            EXPECT_EQ(PdfPageSize(file).toSize(), QSize(595, 842));
            continue;
        }
        EXPECT_EQ(r.Error, QLatin1String(c.Error));
        if (c.Earlier) {
            EXPECT_EQ(ReadAll(file), QByteArray("earlier"));
        } else {
            EXPECT_FALSE(QFile::exists(file));
        }
    }
    EXPECT_EQ(QDir(fDir.path()).entryList({QStringLiteral("run-*")}, QDir::Files).size(), 3);  // no temporary left
}

// Pages where the paper puts them: a 1:50 drawing fitted with 1 mm around it,
// two labels of 22.5 m far down continuous paper (past 32 bits of
// micrometres times dots), the layer's background picture under the elements.
TEST_F(ExportJob, DrawingsLongPaperAndBackgroundsLandInPlace)
{
    BuildFrame(doc);
    doc.Clear(KVRClear::Items, false);
    doc.GetMeasure().SetDrawScale(50);
    doc.GetActiveLayer()->PenWidth = 500;
    Exported(TKVRFactory::AddRectangle(&doc, 1000, 1000, 4000, 2000));  // 80 x 40 mm at 1:50
    const QString drawing = File(QStringLiteral("drawing.png"));
    ASSERT_TRUE(RunExport(doc, KVRExportKind::Png, drawing, 1.0f, true).Ok());
    const QImage d(drawing);
    EXPECT_NEAR(d.width(), 82 * 96 / 25.4, 2.0);
    EXPECT_NEAR(d.height(), 42 * 96 / 25.4, 2.0);
    const int mm1 = int(std::lround(96 / 25.4));
    const QRect row = ImageProbes::Bounds(d, ImageProbes::Dark, QRect(0, d.height() / 2, d.width(), 1));
    EXPECT_NEAR(row.left(), mm1, 2);
    EXPECT_NEAR(row.right(), d.width() - 1 - mm1, 2);

    TVXLabelFMX paper;
    BuildFrame(paper);
    paper.Clear(KVRClear::Items, false);
    TKVRMeasure& m = paper.GetMeasure();
    m.SetContinousPaper(true);
    m.SetPaperWidth(20000);
    m.SetPaperHeight(24000000);
    m.SetWidth(20000);
    m.SetHeight(22500000);
    m.SetRows(2);
    paper.GetPrintInfo().SetLabs(2);
    TKVRRectangle* mark = Exported(TKVRFactory::AddRectangle(&paper, 2, 1000, 15, 200));
    mark->SetFilled(true);
    mark->SetBackColor(0xFF000000);
    const QString longPaper = File(QStringLiteral("long.png"));
    ASSERT_TRUE(RunExport(paper, KVRExportKind::Png, longPaper, 0.2f).Ok());
    const QImage l(longPaper);
    const double k = 0.2 * 96 / 25.4;
    EXPECT_NEAR(l.height(), 24000 * k, 1);
    for (const auto& [mm, ink] : std::initializer_list<std::pair<int, bool>>{{1100, true}, {23600, true}, {12000, false}})
        EXPECT_EQ(ImageProbes::Dark(l, int(10 * k), int(mm * k)), ink) << mm;

    // Made with the defaults: the elements export over the layer's picture.
    TVXLabelFMX back;
    TKVRMeasure& b = back.GetMeasure();
    b.SetPaperWidth(100000);
    b.SetPaperHeight(50000);
    b.SetWidth(100000);
    b.SetHeight(50000);
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(qRgb(0, 160, 0));
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    ASSERT_TRUE(picture.save(&png, "PNG"));
    TKVRLayer* layer = back.GetActiveLayer();
    layer->ImgEmbed = true;
    layer->ImgBytes = png.data();
    layer->SetState(layer->GetState() | 0x0100);  // shows its picture in exports
    back.SetBackLayer(1);
    layer->Color = 0xFFFF0000;
    layer->PenWidth = 2000;
    TKVRFactory::AddRectangle(&back, 40, 20, 20, 10);
    const QString defaults = File(QStringLiteral("defaults.png"));
    ASSERT_TRUE(RunExport(back, KVRExportKind::Png, defaults).Ok());
    const QImage p(defaults, "PNG");
    EXPECT_EQ(p.pixel(10, 10), qRgb(0, 160, 0));
    const QRect red = ImageProbes::Bounds(
        p, [](const QImage& i, int x, int y) { return qRed(i.pixel(x, y)) > 200 && qGreen(i.pixel(x, y)) < 80; },
        QRect(0, int(25 * 96 / 25.4), p.width(), 1));
    EXPECT_NEAR(red.left(), 40 * 96 / 25.4, 3);
}

// The user goes on working while exports run: the files show the document as
// it was when each job started, and the live document keeps its own run.
TEST_F(ExportJob, FilesShowTheDocumentAsItWasWhenTheJobsStarted)
{
    BuildFrame(doc);
    const TKVRExport kinds[] = {KVRExportKind::Pdf, KVRExportKind::Bmp, KVRExportKind::Png, KVRExportKind::Gif,
                                KVRExportKind::Jpeg};
    int pending = 0;
    std::vector<TKVRExportResult> results;
    QEventLoop loop;
    doc.OnExportDone = [&](QObject*, const TKVRExportResult& r) {
        results.push_back(r);
        if (--pending == 0)
            loop.quit();
    };
    QStringList files;
    for (TKVRExport kind : kinds) {
        files << File(QStringLiteral("parallel-%1.out").arg(kind));
        ++pending;
        ASSERT_TRUE(doc.ExportDoc(kind, files.back(), 0, 1.0f, 100, false, false, false));
    }
    doc.DeleteItem(1);  // the frame goes, texts come and go
    for (int i = 0; i < 200; ++i) {
        Exported(TKVRFactory::AddText(&doc, 10 + i % 50, 200))->SetText(QStringLiteral("Later %1").arg(i));
        if (i % 3 == 0)
            doc.DeleteItem(doc.GetItemsCount());
    }
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    if (pending > 0)
        loop.exec();
    ASSERT_EQ(results.size(), std::size(kinds));
    for (const TKVRExportResult& r : results)
        EXPECT_TRUE(r.Ok()) << r.Error.toStdString();
    const QString text = PdfText(files[0]);
    EXPECT_TRUE(text.contains(QStringLiteral("Exported first")));
    EXPECT_FALSE(text.contains(QStringLiteral("Later")));
    for (int i = 1; i < files.size(); ++i)
        EXPECT_TRUE(FrameEdge(QImage(files[i]))) << files[i].toStdString();

    // Asked to check the data: the run and its cell copies are the job's own.
    TVXLabelFMX sheet;
    BuildDataSheet(sheet, 5);
    sheet.GetPrintInfo().SetCurLabel(4);
    const std::string before = sheet.GetJson().dump();
    const int32_t items = sheet.GetItemsCount();
    TKVRExportResult result;
    sheet.OnExportDone = [&](QObject*, const TKVRExportResult& r) {
        result = r;
        loop.quit();
    };
    ASSERT_TRUE(sheet.ExportDoc(KVRExportKind::Png, File(QStringLiteral("live.png")), 1, 1.0f, 100, true, false, false));
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(result.Ok()) << result.Error.toStdString();
    EXPECT_EQ(sheet.GetItemsCount(), items);
    EXPECT_EQ(sheet.GetPrintInfo().GetCurLabel(), 4);
    EXPECT_EQ(sheet.GetJson().dump(), before);
}

TEST_F(ExportJob, RefusedBarcodeValuesAreNamedInTheReport)
{
    BuildDataSheet(doc, 3);
    doc.GetData().SetJson(QStringLiteral(
        R"([{"Name":"REC-1","Code":"5901234123457"},{"Name":"REC-2","Code":"NOT A NUMBER"},)"
        R"({"Name":"REC-3","Code":"4006381333931"}])"));
    TKVRBarcode* ean = Exported(TKVRFactory::AddBarcode(&doc, 40, 10, QStringLiteral("5901234123457"), TKVRBarType::EAN13));
    ean->SetID(QStringLiteral("ean"));
    ean->SetFillType(1);
    ean->SetFillName(QStringLiteral("Code"));
    const QString file = File(QStringLiteral("refused.png"));
    const TKVRExportResult r = RunExport(doc, KVRExportKind::Png, file, 2.0f);
    ASSERT_TRUE(r.Ok()) << r.Error.toStdString();
    ASSERT_EQ(r.Refused.size(), 1) << r.Refused.join(QLatin1Char('\n')).toStdString();
    for (const char* part : {"record 2", "ean", "NOT A NUMBER"})
        EXPECT_TRUE(r.Refused[0].contains(QLatin1String(part))) << part;
    // The good records' symbols are there: the third label's reads back.
    const double k = 2 * 96 / 25.4;
    const QRect third = DataCell(0, 1, k).adjusted(int(28 * k), 0, 0, -int(50 * k));
    EXPECT_EQ(DecodeOne(QImage(file).copy(third)).text, QStringLiteral("4006381333931"));
}

// The document closes while its export runs: nobody hears the end, and the
// file appears whole all the same.
TEST_F(ExportJob, TheDocumentMayCloseWhileItsExportRuns)
{
    auto* closing = new TVXLabelFMX;
    BuildDataSheet(*closing, 5);
    const QString file = File(QStringLiteral("closed-early.pdf"));
    ASSERT_TRUE(closing->ExportDoc(KVRExportKind::Pdf, file, 0, 1.0f, 100, true, false, false));
    closing->GetPrintInfo().SetCurLabel(3);  // the live run is the user's own
    delete closing;
    QEventLoop loop;
    for (int i = 0; i < 600 && !QFile::exists(file); ++i) {
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ASSERT_TRUE(QFile::exists(file));
    const QString text = PdfText(file);
    EXPECT_TRUE(text.contains(QStringLiteral("REC-1")));
    EXPECT_TRUE(text.contains(QStringLiteral("REC-5")));
}

// The second half runs in a child process of the first: it starts a long
// export and returns at once, so the application goes while the job paints.
// Disabled: only the test below runs it, in a child process of its own.
TEST(ExportJobAtExit, DISABLED_StartsALongExportAndLeaves)
{
    const QString file = qEnvironmentVariable("KVR_EXPORT_AT_EXIT");
    ASSERT_FALSE(file.isEmpty());
    auto* leaving = new TVXLabelFMX;
    BuildDataSheet(*leaving, 6);
    ASSERT_TRUE(leaving->ExportDoc(KVRExportKind::Png, file, 0, 3.0f, 100, true, false, false));
    delete leaving;
}

TEST_F(ExportJob, AnApplicationThatQuitsWaitsForItsExports)
{
    const QString file = File(QStringLiteral("at-exit.png"));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KVR_EXPORT_AT_EXIT"), file);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=ExportJobAtExit.DISABLED_StartsALongExportAndLeaves"),
                 QStringLiteral("--gtest_also_run_disabled_tests")});
    ASSERT_TRUE(child.waitForFinished(120000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
    // The job ended before the process: the picture is there, whole.
    const QImage image(file);
    ASSERT_FALSE(image.isNull());
    EXPECT_NEAR(image.width(), 210 * 3 * 96 / 25.4, 2);
}
