// The export job: every format read back by a reader nobody here wrote, the
// page sizes, the scale limits, failures reported, and a document that keeps
// changing while its exports run.
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRectangle.h"
#include "tests/document/FileSizeLimit.h"
#include "tests/support/BarcodeReader.h"
#include "elements/TKVRText.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr uint16_t kShown = 0x0001 | 0x0002 | 0x0008;  // visible, printable, exported

void Exported(TKVRBaseItem* aItem)
{
    aItem->SetState(kShown);
}

// An A4 sheet of one label with a black frame at 20, 30 (100 x 50 mm) and a text.
void BuildSheet(TVXLabelFMX& aDoc)
{
    TKVRMeasure& m = aDoc.GetMeasure();
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(210000);
    m.SetHeight(297000);
    m.SetRows(1);
    m.SetColumns(1);
    aDoc.GetActiveLayer()->SetState(kShown);
    aDoc.GetActiveLayer()->FontName = QStringLiteral("Arial");
    aDoc.GetActiveLayer()->FontHeight = 6000;
    aDoc.GetActiveLayer()->Color = 0xFF000000;
    aDoc.GetActiveLayer()->PenWidth = 1000;
    Exported(TKVRFactory::AddRectangle(&aDoc, 20, 30, 100, 50));
    TKVRText* text = TKVRFactory::AddText(&aDoc, 30, 150);
    text->SetText(QStringLiteral("Exported first"));
    Exported(text);
}

// Runs one export through the document and waits for its report.
TKVRExportResult Export(TVXLabelFMX& aDoc, TKVRExport aType, const QString& aFile, float aScale = 1.0f,
                        bool aFit = false)
{
    TKVRExportResult result;
    bool done = false;
    QEventLoop loop;
    aDoc.OnExportDone = [&](QObject*, const TKVRExportResult& r) {
        result = r;
        done = true;
        loop.quit();
    };
    EXPECT_TRUE(aDoc.ExportDoc(aType, aFile, 0, aScale, 100, false, false, aFit));
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!done)
        loop.exec();
    EXPECT_TRUE(done) << "no report";
    aDoc.OnExportDone = nullptr;
    return result;
}

QString RunTool(const QString& aProgram, const QStringList& aArgs)
{
    QProcess p;
    p.start(aProgram, aArgs);
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool Dark(QRgb p)
{
    return qGray(p) < 128;
}

QString OutDir()
{
    const QString dir = QDir::tempPath() + QStringLiteral("/kvr-export");
    QDir().mkpath(dir);
    return dir;
}

}  // namespace

TEST(ExportScale, ClampsToItsRange)
{
    EXPECT_FLOAT_EQ(KVRExport::ClampScale(0.0), 0.2f);
    EXPECT_FLOAT_EQ(KVRExport::ClampScale(0.1), 0.2f);
    EXPECT_FLOAT_EQ(KVRExport::ClampScale(-3), 0.2f);
    EXPECT_FLOAT_EQ(KVRExport::ClampScale(9), 5.0f);
    EXPECT_FLOAT_EQ(KVRExport::ClampScale(1.5), 1.5f);
    EXPECT_FLOAT_EQ(KVRExport::ClampScale(std::numeric_limits<double>::quiet_NaN()), 1.0f);
    EXPECT_FLOAT_EQ(KVRExport::ClampScale(std::numeric_limits<double>::infinity()), 5.0f);
}

TEST(ExportPage, FitAddsOneMillimetreOfPaperAtTheDrawingScale)
{
    TKVRExtent e;
    e.Include(0, 0);
    e.Include(2000000, 1000000);  // 2 m x 1 m of model
    const TKVRExportPage p = KVRExport::FitPage(e, 50, 1.0f, 96);
    // 42 mm x 22 mm of paper at 96 dpi.
    EXPECT_NEAR(p.Width, 42 * 96 / 25.4, 1e-6);
    EXPECT_NEAR(p.Height, 22 * 96 / 25.4, 1e-6);
    // A point, or a drawing scale of 0, still gives a page.
    TKVRExtent point;
    point.Include(5000, 5000);
    const TKVRExportPage q = KVRExport::FitPage(point, 0, 0.2f, 96);
    EXPECT_GE(q.Width, 10.0);
    EXPECT_GE(q.Height, 10.0);
    EXPECT_TRUE(std::isfinite(q.OriginX));
}

TEST(ExportPage, SheetSumsDoNotOverflowOnLongPaper)
{
    // 40 m of continuous paper at 300 dpi and scale 5: past 32 bits of pixels x micrometres.
    const TKVRExportPage p = KVRExport::SheetPage(100000, 40000000, 5.0f, 300);
    EXPECT_NEAR(p.Height, 40000000.0 * 5 * 300 / 25400, 1);
}

TEST(ExportJob, PngOfA4IsTheSheetAtNinetySixDpiOnWhite)
{
    TVXLabelFMX doc;
    BuildSheet(doc);
    const QString file = OutDir() + QStringLiteral("/a4.png");
    const TKVRExportResult r = Export(doc, KVRExportKind::Png, file);
    ASSERT_TRUE(r.Ok()) << r.Error.toStdString();
    QImage image(file, "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(794, 1123));
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(400, 1000), qRgb(255, 255, 255));
    // The frame's left edge at 20 mm, between its top (30 mm) and bottom (80 mm).
    const int x = int(std::lround(20 * 96 / 25.4)), y = int(std::lround(55 * 96 / 25.4));
    bool edge = false;
    for (int dx = -2; dx <= 2; ++dx)
        edge = edge || Dark(image.pixel(x + dx, y));
    EXPECT_TRUE(edge);
    EXPECT_FALSE(Dark(image.pixel(int(std::lround(70 * 96 / 25.4)), y)));  // inside the frame
}

TEST(ExportJob, PdfPageIsThePaperTimesTheScaleWithSearchableText)
{
    TVXLabelFMX doc;
    BuildSheet(doc);
    const QString file = OutDir() + QStringLiteral("/a4.pdf");
    const TKVRExportResult r = Export(doc, KVRExportKind::Pdf, file);
    ASSERT_TRUE(r.Ok()) << r.Error.toStdString();
    const QString info = RunTool(QStringLiteral("pdfinfo"), {file});
    const QRegularExpression size(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"));
    const QRegularExpressionMatch m = size.match(info);
    ASSERT_TRUE(m.hasMatch()) << info.toStdString();
    EXPECT_NEAR(m.captured(1).toDouble(), 595.3, 1.0);
    EXPECT_NEAR(m.captured(2).toDouble(), 841.9, 1.0);
    const QString text = RunTool(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Exported first")));

    const QString half = OutDir() + QStringLiteral("/a4-half.pdf");
    ASSERT_TRUE(Export(doc, KVRExportKind::Pdf, half, 0.5f).Ok());
    const QRegularExpressionMatch h = size.match(RunTool(QStringLiteral("pdfinfo"), {half}));
    ASSERT_TRUE(h.hasMatch());
    EXPECT_NEAR(h.captured(1).toDouble(), 297.6, 1.0);
}

TEST(ExportJob, EachImageKindIsEncodedByItsKindNotItsName)
{
    TVXLabelFMX doc;
    BuildSheet(doc);
    struct Case
    {
        TKVRExport kind;
        const char* format;
        QByteArray magic;
    };
    const Case cases[] = {{KVRExportKind::Bmp, "BMP", "BM"},
                          {KVRExportKind::Png, "PNG", "\x89PNG"},
                          {KVRExportKind::Gif, "GIF", "GIF8"},
                          {KVRExportKind::Jpeg, "JPEG", "\xFF\xD8"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        // Every file is named ".png": the kind decides the encoding.
        const QString file = OutDir() + QStringLiteral("/kind-%1.png").arg(c.kind);
        const TKVRExportResult r = Export(doc, c.kind, file, 0.5f);
        ASSERT_TRUE(r.Ok()) << r.Error.toStdString();
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(f.read(4).startsWith(c.magic));
        f.close();
        QImage image(file, c.format);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(397, 561));
        EXPECT_GT(qGray(image.pixel(1, 1)), 245);  // white, also through the GIF palette
    }
}

TEST(ExportJob, FailuresAreReportedAndLeaveNoFile)
{
    TVXLabelFMX doc;
    BuildSheet(doc);
    QTemporaryDir dir;
    // A folder that is a file: no one, root included, writes under it.
    const QString blocker = dir.path() + QStringLiteral("/blocker");
    QFile b(blocker);
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.close();
    for (TKVRExport kind : {KVRExportKind::Pdf, KVRExportKind::Png, KVRExportKind::Gif}) {
        SCOPED_TRACE(int(kind));
        const QString file = blocker + QStringLiteral("/out.x");
        const TKVRExportResult r = Export(doc, kind, file);
        EXPECT_FALSE(r.Ok());
        EXPECT_TRUE(r.Error.contains(file)) << r.Error.toStdString();
        EXPECT_FALSE(QFile::exists(file));
    }
    // A kind outside 0..5 writes nothing and says so.
    const QString unknown = dir.path() + QStringLiteral("/unknown.png");
    const TKVRExportResult u = Export(doc, 7, unknown);
    EXPECT_FALSE(u.Ok());
    EXPECT_FALSE(QFile::exists(unknown));
    // A raster page too large for memory is refused before anything is written.
    doc.GetMeasure().SetPaperHeight(20000000);
    const QString huge = dir.path() + QStringLiteral("/huge.png");
    const TKVRExportResult h = Export(doc, KVRExportKind::Png, huge, 5.0f);
    EXPECT_FALSE(h.Ok());
    EXPECT_TRUE(h.Error.contains(QStringLiteral("too large"))) << h.Error.toStdString();
    EXPECT_FALSE(QFile::exists(huge));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // the blocker only, no temporary left
}

// A disk that fills while the page is written: every kind fails, names the
// file and leaves nothing behind (nor memory: the encoders see no failure).
TEST(ExportJob, AFullDiskFailsEachKindAndLeavesNoFile)
{
    TVXLabelFMX doc;
    BuildSheet(doc);
    QTemporaryDir dir;
    for (TKVRExport kind : {KVRExportKind::Pdf, KVRExportKind::Xps, KVRExportKind::Bmp, KVRExportKind::Png,
                            KVRExportKind::Gif, KVRExportKind::Jpeg}) {
        SCOPED_TRACE(int(kind));
        const QString file = dir.filePath(QStringLiteral("full-%1.out").arg(kind));
        TKVRExportResult r;
        {
            TFileSizeLimit limit(512);
            r = Export(doc, kind, file);
        }
        EXPECT_FALSE(r.Ok());
        EXPECT_TRUE(r.Error.contains(file)) << r.Error.toStdString();
        EXPECT_FALSE(QFile::exists(file));
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    // With room again the same export is whole.
    const QString file = dir.filePath(QStringLiteral("room.png"));
    ASSERT_TRUE(Export(doc, KVRExportKind::Png, file).Ok());
    EXPECT_FALSE(QImage(file).isNull());
}

TEST(ExportJob, DrawingExportsAtItsOwnScale)
{
    TVXLabelFMX doc;
    BuildSheet(doc);
    doc.Clear(KVRClear::Items, false);
    doc.GetMeasure().SetDrawScale(50);
    // A 4 m x 2 m frame of model, 80 mm x 40 mm of paper at 1:50.
    doc.GetActiveLayer()->PenWidth = 500;
    Exported(TKVRFactory::AddRectangle(&doc, 1000, 1000, 4000, 2000));
    const QString file = OutDir() + QStringLiteral("/drawing-1-50.png");
    const TKVRExportResult r = Export(doc, KVRExportKind::Png, file, 1.0f, true);
    ASSERT_TRUE(r.Ok()) << r.Error.toStdString();
    QImage image(file);
    ASSERT_FALSE(image.isNull());
    // 80 + 2 mm wide, 40 + 2 mm high.
    EXPECT_NEAR(image.width(), 82 * 96 / 25.4, 2.0);
    EXPECT_NEAR(image.height(), 42 * 96 / 25.4, 2.0);
    // The frame's corners lie 1 mm in from the page's, not cropped away.
    const int mm1 = int(std::lround(96 / 25.4));
    int left = image.width(), right = -1;
    for (int x = 0; x < image.width(); ++x)
        if (Dark(image.pixel(x, image.height() / 2))) {
            left = std::min(left, x);
            right = std::max(right, x);
        }
    EXPECT_NEAR(left, mm1, 2);
    EXPECT_NEAR(right, image.width() - 1 - mm1, 2);
}

TEST(ExportJob, FilesShowTheDocumentAsItWasWhenTheJobsStarted)
{
    TVXLabelFMX doc;
    BuildSheet(doc);
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
        files << OutDir() + QStringLiteral("/parallel-%1.out").arg(kind);
        ++pending;
        ASSERT_TRUE(doc.ExportDoc(kind, files.back(), 0, 1.0f, 100, false, false, false));
    }
    // The user goes on working: the frame goes, a text changes, elements come and go.
    doc.DeleteItem(1);
    for (int i = 0; i < 200; ++i) {
        TKVRText* t = TKVRFactory::AddText(&doc, 10 + i % 50, 200);
        t->SetText(QStringLiteral("Later %1").arg(i));
        Exported(t);
        if (i % 3 == 0)
            doc.DeleteItem(doc.GetItemsCount());
    }
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    if (pending > 0)
        loop.exec();
    ASSERT_EQ(results.size(), std::size(kinds));
    for (const TKVRExportResult& r : results)
        EXPECT_TRUE(r.Ok()) << r.Error.toStdString();
    const QString text = RunTool(QStringLiteral("pdftotext"), {files[0], QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Exported first")));
    EXPECT_FALSE(text.contains(QStringLiteral("Later")));
    for (int i = 1; i < files.size(); ++i) {
        QImage image(files[i]);
        ASSERT_FALSE(image.isNull()) << files[i].toStdString();
        // The frame deleted after the start is there.
        const int x = int(std::lround(20 * 96 / 25.4)), y = int(std::lround(55 * 96 / 25.4));
        bool edge = false;
        for (int dx = -2; dx <= 2; ++dx)
            edge = edge || Dark(image.pixel(x + dx, y));
        EXPECT_TRUE(edge) << files[i].toStdString();
    }
}

namespace {

// A sheet of 2 columns x 3 rows of 90 x 80 mm labels, each with a QR code and
// a text bound to the record's "Name".
void BuildDataSheet(TVXLabelFMX& aDoc, int aRecords)
{
    BuildSheet(aDoc);
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
    TKVRQRCode* qr = TKVRFactory::AddQRCode(&aDoc, 10, 10, QStringLiteral("DESIGN"));
    qr->SetFillType(1);
    qr->SetFillName(QStringLiteral("Name"));
    Exported(qr);
    TKVRText* text = TKVRFactory::AddText(&aDoc, 10, 65);
    text->SetText(QStringLiteral("DESIGN"));
    text->SetFillType(1);
    text->SetFillName(QStringLiteral("Name"));
    Exported(text);
}

}  // namespace

TEST(ExportJob, EveryLabelCellOfASheetShowsItsOwnRecord)
{
    TVXLabelFMX doc;
    BuildDataSheet(doc, 5);
    const QString file = OutDir() + QStringLiteral("/data-sheet.png");
    const TKVRExportResult r = Export(doc, KVRExportKind::Png, file, 2.0f);
    ASSERT_TRUE(r.Ok()) << r.Error.toStdString();
    QImage image(file);
    ASSERT_FALSE(image.isNull());
    const double k = 2 * 96 / 25.4;  // pixels per millimetre at scale 2
    int label = 1;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 2; ++column, ++label) {
            SCOPED_TRACE(label);
            const QRect cell(int((10 + column * 100) * k), int((15 + row * 85) * k), int(90 * k), int(80 * k));
            const DecodedSymbol s = DecodeOne(image.copy(cell));
            // Five records fill five cells; the sixth stays empty.
            EXPECT_EQ(s.text, label <= 5 ? QStringLiteral("REC-%1").arg(label) : QString());
        }

    const QString pdf = OutDir() + QStringLiteral("/data-sheet.pdf");
    ASSERT_TRUE(Export(doc, KVRExportKind::Pdf, pdf).Ok());
    const QString text = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    qsizetype at = -1;
    for (int i = 1; i <= 5; ++i) {
        const qsizetype next = text.indexOf(QStringLiteral("REC-%1").arg(i));
        EXPECT_GT(next, at) << text.toStdString();
        at = next;
    }
    EXPECT_FALSE(text.contains(QStringLiteral("DESIGN")));
    EXPECT_FALSE(text.contains(QStringLiteral("REC-6")));
}

TEST(ExportJob, RefusedBarcodeValuesAreNamedInTheReport)
{
    TVXLabelFMX doc;
    BuildDataSheet(doc, 3);
    doc.GetData().SetJson(QStringLiteral(
        R"([{"Name":"REC-1","Code":"5901234123457"},{"Name":"REC-2","Code":"NOT A NUMBER"},)"
        R"({"Name":"REC-3","Code":"4006381333931"}])"));
    TKVRBarcode* ean = TKVRFactory::AddBarcode(&doc, 40, 10, QStringLiteral("5901234123457"), TKVRBarType::EAN13);
    ean->SetID(QStringLiteral("ean"));
    ean->SetFillType(1);
    ean->SetFillName(QStringLiteral("Code"));
    Exported(ean);
    const QString file = OutDir() + QStringLiteral("/refused.png");
    const TKVRExportResult r = Export(doc, KVRExportKind::Png, file, 2.0f);
    ASSERT_TRUE(r.Ok()) << r.Error.toStdString();
    ASSERT_EQ(r.Refused.size(), 1) << r.Refused.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(r.Refused[0].contains(QStringLiteral("record 2")));
    EXPECT_TRUE(r.Refused[0].contains(QStringLiteral("ean")));
    EXPECT_TRUE(r.Refused[0].contains(QStringLiteral("NOT A NUMBER")));
    // The good records' symbols are there: the third label's reads back.
    QImage image(file);
    const double k = 2 * 96 / 25.4;
    const QRect third(int(10 * k), int((15 + 85) * k), int(90 * k), int(80 * k));
    bool found = false;
    for (const DecodedSymbol& s : DecodeAll(image.copy(third.adjusted(int(28 * k), 0, 0, -int(50 * k)))))
        found = found || s.text == QStringLiteral("4006381333931");
    EXPECT_TRUE(found);
}

TEST(ExportJob, XpsRendersInAnIndependentReaderAtThePapersSize)
{
    TVXLabelFMX doc;
    BuildDataSheet(doc, 2);
    const QString file = OutDir() + QStringLiteral("/data-sheet.xps");
    const TKVRExportResult r = Export(doc, KVRExportKind::Xps, file);
    ASSERT_TRUE(r.Ok()) << r.Error.toStdString();
    // At 96 dpi the A4 page is 794 x 1123.
    const QString prefix = OutDir() + QStringLiteral("/data-sheet-xps");
    RunTool(QStringLiteral("xpstopng"), {QStringLiteral("-r"), QStringLiteral("96"), file, prefix});
    QImage image(prefix + QStringLiteral("-1.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_NEAR(image.width(), 794, 1);
    EXPECT_NEAR(image.height(), 1123, 1);
    EXPECT_GT(qGray(image.pixel(3, 3)), 245);
    // Rendered again at 300 dpi, each cell's QR code reads back with its record.
    RunTool(QStringLiteral("xpstopng"),
            {QStringLiteral("-r"), QStringLiteral("300"), file, prefix + QStringLiteral("-300")});
    QImage fine(prefix + QStringLiteral("-300-1.png"));
    ASSERT_FALSE(fine.isNull());
    const double k = 300 / 25.4;
    for (int column = 0; column < 2; ++column) {
        const QRect cell(int((10 + column * 100) * k), int(15 * k), int(90 * k), int(80 * k));
        EXPECT_EQ(DecodeOne(fine.copy(cell)).text, QStringLiteral("REC-%1").arg(column + 1));
        // The record's text as glyph outlines: ink inside its frame at 10, 65 mm of the cell.
        const QRect text(int((10 + column * 100 + 11) * k), int((15 + 65 + 1) * k), int(15 * k), int(4 * k));
        int ink = 0;
        for (int y = text.top(); y <= text.bottom(); ++y)
            for (int x = text.left(); x <= text.right(); ++x)
                ink += Dark(fine.pixel(x, y)) ? 1 : 0;
        EXPECT_GT(ink, 200) << "column " << column;
    }
}

TEST(ExportJob, TheDocumentMayCloseWhileItsExportRuns)
{
    auto* doc = new TVXLabelFMX;
    BuildDataSheet(*doc, 5);
    const QString file = OutDir() + QStringLiteral("/closed-early.pdf");
    QFile::remove(file);
    ASSERT_TRUE(doc->ExportDoc(KVRExportKind::Pdf, file, 0, 1.0f, 100, true, false, false));
    doc->GetPrintInfo().SetCurLabel(3);  // the live run is the user's own
    delete doc;
    // Nobody hears the end now; the file appears whole all the same.
    QEventLoop loop;
    for (int i = 0; i < 600 && !QFile::exists(file); ++i) {
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ASSERT_TRUE(QFile::exists(file));
    const QString text = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), file, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("REC-1")));
    EXPECT_TRUE(text.contains(QStringLiteral("REC-5")));
}

TEST(ExportJob, LabelsFarDownLongPaperArePlacedWithoutOverflow)
{
    // Two labels of 22.5 m on continuous paper: the second starts where
    // micrometres times dots per inch pass 32 bits.
    TVXLabelFMX doc;
    BuildSheet(doc);
    doc.Clear(KVRClear::Items, false);
    TKVRMeasure& m = doc.GetMeasure();
    m.SetContinousPaper(true);
    m.SetPaperWidth(20000);
    m.SetPaperHeight(24000000);
    m.SetWidth(20000);
    m.SetHeight(22500000);
    m.SetRows(2);
    m.SetColumns(1);
    doc.GetPrintInfo().SetLabs(2);
    TKVRRectangle* mark = TKVRFactory::AddRectangle(&doc, 2, 1000, 15, 200);
    mark->SetFilled(true);
    mark->SetBackColor(0xFF000000);
    Exported(mark);
    const QString file = OutDir() + QStringLiteral("/long-paper.png");
    const TKVRExportResult r = Export(doc, KVRExportKind::Png, file, 0.2f);
    ASSERT_TRUE(r.Ok()) << r.Error.toStdString();
    QImage image(file);
    ASSERT_FALSE(image.isNull());
    const double k = 0.2 * 96 / 25.4;  // pixels per millimetre
    EXPECT_NEAR(image.height(), 24000 * k, 1);
    const int x = int(10 * k);
    EXPECT_TRUE(Dark(image.pixel(x, int(1100 * k))));           // first label's mark
    EXPECT_TRUE(Dark(image.pixel(x, int((22500 + 1100) * k))));  // second label's mark
    EXPECT_FALSE(Dark(image.pixel(x, int(12000 * k))));
}

TEST(ExportJob, TheLiveDocumentIsLeftAsItWas)
{
    TVXLabelFMX doc;
    BuildDataSheet(doc, 5);
    doc.GetPrintInfo().SetCurLabel(4);
    const std::string before = doc.GetJson().dump();
    const int32_t items = doc.GetItemsCount();
    // Asked to check the data: the run and its cell copies are the job's own.
    TKVRExportResult result;
    QEventLoop loop;
    doc.OnExportDone = [&](QObject*, const TKVRExportResult& r) {
        result = r;
        loop.quit();
    };
    ASSERT_TRUE(doc.ExportDoc(KVRExportKind::Png, OutDir() + QStringLiteral("/live.png"), 1, 1.0f, 100, true,
                              false, false));
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(result.Ok()) << result.Error.toStdString();
    EXPECT_EQ(doc.GetItemsCount(), items);
    EXPECT_EQ(doc.GetPrintInfo().GetCurLabel(), 4);
    EXPECT_EQ(doc.GetJson().dump(), before);
}

// A document made with the defaults exports what it shows, its layer's background picture first.
TEST(ExportJob, DefaultsExportTheElementsOverTheBackgroundPicture)
{
    TVXLabelFMX doc;
    TKVRMeasure& m = doc.GetMeasure();
    m.SetPaperWidth(100000);
    m.SetPaperHeight(50000);
    m.SetWidth(100000);
    m.SetHeight(50000);
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(qRgb(0, 160, 0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(picture.save(&buffer, "PNG"));
    TKVRLayer* layer = doc.GetActiveLayer();
    layer->ImgEmbed = true;
    layer->ImgBytes = png;
    layer->SetState(layer->GetState() | 0x0100);  // shows its picture in exports
    doc.SetBackLayer(1);
    doc.GetActiveLayer()->Color = 0xFFFF0000;
    doc.GetActiveLayer()->PenWidth = 2000;
    TKVRFactory::AddRectangle(&doc, 40, 20, 20, 10);  // default states
    const QString file = OutDir() + QStringLiteral("/defaults.png");
    const TKVRExportResult r = Export(doc, KVRExportKind::Png, file);
    ASSERT_TRUE(r.Ok()) << r.Error.toStdString();
    const QImage image(file, "PNG");
    ASSERT_FALSE(image.isNull());
    // The picture fills the label; the red frame's left edge at 40 mm lies on it.
    EXPECT_EQ(image.pixel(10, 10), qRgb(0, 160, 0));
    const int x = int(std::lround(40 * 96 / 25.4)), y = int(std::lround(25 * 96 / 25.4));
    bool red = false;
    for (int dx = -2; dx <= 2; ++dx)
        red = red || (qRed(image.pixel(x + dx, y)) > 200 && qGreen(image.pixel(x + dx, y)) < 80);
    EXPECT_TRUE(red);
}
