// Jobs on threads over one document: exports side by side, a print on the
// user-interface thread and a map composition while they paint, and the user
// editing meanwhile. Each file must be the one the same export writes alone.
// scripts/tsan.sh runs these under ThreadSanitizer.
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.MapCompose.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRText.h"
#include "tests/document/MapTileServer.h"
#include "tests/support/LabelDocuments.h"
#include "tests/support/PdfReader.h"
#include "tests/support/PrintQueue.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr int kWait = 120000;  // upper bound; the jobs end far sooner

// Exports started on a document, and their reports as they come.
class TExports
{
public:
    explicit TExports(TVXLabelFMX& aDoc) : fDoc(aDoc)
    {
        fDoc.OnExportDone = [this](QObject*, const TKVRExportResult& r) { fResults[r.FileName] = r; };
    }
    ~TExports() { fDoc.OnExportDone = nullptr; }

    QString Start(TKVRExport aType, const QString& aFile)
    {
        QFile::remove(aFile);
        EXPECT_TRUE(fDoc.ExportDoc(aType, aFile, 1, 1.0f, 100, true, false, false));
        ++fStarted;
        return aFile;
    }
    bool Done() const { return int(fResults.size()) == fStarted; }
    bool Wait() const
    {
        return WaitFor([this] { return Done(); }, kWait);
    }
    void ExpectAllOk() const
    {
        ASSERT_EQ(int(fResults.size()), fStarted);
        for (const auto& [file, r] : fResults)
            EXPECT_TRUE(r.Ok()) << file.toStdString() << ": " << r.Error.toStdString();
    }

private:
    TVXLabelFMX& fDoc;
    int fStarted = 0;
    std::map<QString, TKVRExportResult> fResults;
};

// One export on its own, for comparison.
QString ExportAlone(TVXLabelFMX& aDoc, TKVRExport aType, const QString& aFile)
{
    TExports one(aDoc);
    one.Start(aType, aFile);
    EXPECT_TRUE(one.Wait());
    one.ExpectAllOk();
    return aFile;
}

// Pixels compared one by one: a mismatch names its place rather than dumping images.
void ExpectSameImage(const QString& aGot, const QString& aWant)
{
    const QImage got(aGot), want(aWant);
    ASSERT_FALSE(got.isNull()) << aGot.toStdString();
    ASSERT_FALSE(want.isNull()) << aWant.toStdString();
    ASSERT_EQ(got.size(), want.size()) << aGot.toStdString();
    int differ = 0;
    QPoint first;
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x)
            if (got.pixel(x, y) != want.pixel(x, y) && differ++ == 0)
                first = QPoint(x, y);
    EXPECT_EQ(differ, 0) << aGot.toStdString() << " first differs at " << first.x() << ", " << first.y();
}

class ConcurrentJobs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fDir.isValid());
        BuildSheet(fDoc, File(QStringLiteral("data.csv")), 30);
    }
    QString File(const QString& aName) const { return fDir.filePath(aName); }

    QTemporaryDir fDir;
    TPdfPrinterFixture fPrinter;
    TVXLabelFMX fDoc;
};

}  // namespace

// Several exports of one document at once, some of one kind: each job keeps
// its own record cursor, fonts and shaped lines.
TEST_F(ConcurrentJobs, ExportsSideBySideWriteWhatEachWritesAlone)
{
    const QString png = ExportAlone(fDoc, KVRExportKind::Png, File(QStringLiteral("alone.png")));
    const QString pdfText = PdfText(ExportAlone(fDoc, KVRExportKind::Pdf, File(QStringLiteral("alone.pdf"))));
    ASSERT_TRUE(pdfText.contains(QStringLiteral("Lbl-24")));
    ASSERT_FALSE(pdfText.contains(QStringLiteral("Lbl-25")));  // the first sheet only

    TExports jobs(fDoc);
    QStringList pngs, pdfs;
    for (int i = 0; i < 3; ++i) {
        pngs << jobs.Start(KVRExportKind::Png, File(QStringLiteral("side-%1.png").arg(i)));
        pdfs << jobs.Start(KVRExportKind::Pdf, File(QStringLiteral("side-%1.pdf").arg(i)));
    }
    jobs.Start(KVRExportKind::Xps, File(QStringLiteral("side.xps")));
    jobs.Start(KVRExportKind::Gif, File(QStringLiteral("side.gif")));
    ASSERT_TRUE(jobs.Wait());
    jobs.ExpectAllOk();
    for (const QString& file : pngs)
        ExpectSameImage(file, png);
    for (const QString& file : pdfs)
        EXPECT_EQ(PdfText(file), pdfText) << file.toStdString();
    // The live document kept its own place in its records.
    EXPECT_EQ(fDoc.GetPrintInfo().GetCurLabel(), 1);
}

// The user prints while exports paint: the print, on this thread, takes every
// record and the exports show the document as it was when they started.
TEST_F(ConcurrentJobs, APrintWhileExportsPaintTakesEveryRecord)
{
    const QString png = ExportAlone(fDoc, KVRExportKind::Png, File(QStringLiteral("alone.png")));
    const QString pdfText = PdfText(ExportAlone(fDoc, KVRExportKind::Pdf, File(QStringLiteral("alone.pdf"))));

    TExports jobs(fDoc);
    const QString pngDuring = jobs.Start(KVRExportKind::Png, File(QStringLiteral("during.png")));
    const QString pdfDuring = jobs.Start(KVRExportKind::Pdf, File(QStringLiteral("during.pdf")));
    jobs.Start(KVRExportKind::Jpeg, File(QStringLiteral("during.jpg")));
    fDoc.GetPrintInfo().SetPrinterIndex(fPrinter.Index());
    ASSERT_TRUE(fDoc.Print()) << fDoc.GetPrintReport().Text().toStdString();
    EXPECT_EQ(fDoc.GetPrintReport().LabelsPrinted, 30);
    EXPECT_EQ(fDoc.GetPrintInfo().GetCurLabel(), 31);
    ASSERT_TRUE(jobs.Wait());
    jobs.ExpectAllOk();

    QStringList printed;
    for (const TPdfPageWord& w : PdfPageWords(fPrinter.FileName()))
        if (w.text.startsWith(QStringLiteral("Lbl-")))
            printed << w.text;
    printed.sort();
    QStringList all;
    for (int i = 1; i <= 30; ++i)
        all << QStringLiteral("Lbl-%1").arg(i, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(printed, all);
    ExpectSameImage(pngDuring, png);
    EXPECT_EQ(PdfText(pdfDuring), pdfText);
}

// The user keeps editing while exports paint: elements come and go, texts,
// places, the sheet and the records change; the files do not.
TEST_F(ConcurrentJobs, EditsWhileExportsPaintLeaveTheirFilesAlone)
{
    const QString png = ExportAlone(fDoc, KVRExportKind::Png, File(QStringLiteral("alone.png")));
    const QString pdfText = PdfText(ExportAlone(fDoc, KVRExportKind::Pdf, File(QStringLiteral("alone.pdf"))));
    const int32_t items = fDoc.GetItemsCount();

    TExports jobs(fDoc);
    QStringList pngs;
    for (int i = 0; i < 3; ++i)
        pngs << jobs.Start(KVRExportKind::Png, File(QStringLiteral("edited-%1.png").arg(i)));
    const QString pdf = jobs.Start(KVRExportKind::Pdf, File(QStringLiteral("edited.pdf")));
    int edits = 0;
    const QString otherCsv = File(QStringLiteral("other.csv"));
    {
        QFile f(otherCsv);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Name,Code\nOther,X1\n");
    }
    // At least a round of every kind of edit, then on until the jobs end.
    while (edits < 40 || !jobs.Done()) {
        auto* text = new TKVRText(&fDoc);
        text->SetText(QStringLiteral("Edit %1").arg(edits));
        text->SetBase(1, 1000 + edits % 50 * 1000, 20000);
        fDoc.GetItem(1)->SetBase(1, 3000 + edits % 7 * 100, 3000);
        if (edits % 2)
            fDoc.DeleteItem(fDoc.GetItemsCount());
        if (edits % 5 == 0)
            fDoc.GetMeasure().SetColumns(edits % 10 == 0 ? 2 : 3);
        if (edits % 8 == 0)
            fDoc.GetData().LoadCsv(edits % 16 == 0 ? otherCsv : File(QStringLiteral("data.csv")));
        ++edits;
        QCoreApplication::processEvents();
        if (edits > 100000)
            break;
    }
    ASSERT_TRUE(jobs.Wait());
    jobs.ExpectAllOk();
    for (const QString& file : pngs)
        ExpectSameImage(file, png);
    EXPECT_EQ(PdfText(pdf), pdfText);
    // Every other edit took its text away again.
    EXPECT_EQ(fDoc.GetItemsCount(), items + (edits + 1) / 2);
}

// A background map composed against a loopback server while exports paint
// the same label: the map arrives on this thread, the files are untouched.
TEST_F(ConcurrentJobs, AMapComposedWhileExportsPaint)
{
    const QString png = ExportAlone(fDoc, KVRExportKind::Png, File(QStringLiteral("alone.png")));
    TMapTileServer server;
    fDoc.SetImageFolder(fDir.path());
    fDoc.GetMapping().SetServiceBase(server.Base());
    int composed = 0;
    QStringList errors;
    TKVRMapComposer composer(
        &fDoc, [&] { ++composed; }, [&](const QString& aMessage) { errors << aMessage; });
    composer.SetTimeout(20000);

    TExports jobs(fDoc);
    QStringList pngs;
    for (int i = 0; i < 2; ++i)
        pngs << jobs.Start(KVRExportKind::Png, File(QStringLiteral("mapped-%1.png").arg(i)));
    ASSERT_TRUE(composer.ComposeImage(QStringLiteral("0"), QStringLiteral("0"), 2, 301, 301));
    pngs << jobs.Start(KVRExportKind::Png, File(QStringLiteral("mapped-2.png")));
    ASSERT_TRUE(WaitFor([&] { return jobs.Done() && (composed > 0 || !errors.isEmpty()); }, kWait));
    jobs.ExpectAllOk();
    ASSERT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    EXPECT_EQ(composed, 1);
    const QImage map(fDoc.GetMapping().GetImageFile());
    ASSERT_EQ(map.size(), QSize(301, 301));
    EXPECT_EQ(map.pixel(0, 0), TMapTileServer::TileColor(1, 1).rgba());
    EXPECT_EQ(map.pixel(300, 300), TMapTileServer::TileColor(2, 2).rgba());
    for (const QString& file : pngs)
        ExpectSameImage(file, png);
}
