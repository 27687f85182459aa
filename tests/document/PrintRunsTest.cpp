// Print runs as a host meets them: the printer chosen for the session, the
// data file a label names, the start cell, and the report when nothing prints.
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.h"
#include "tests/support/LabelDocuments.h"
#include "tests/support/PdfReader.h"
#include "tests/support/PrintQueue.h"
#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr double kPtPerMm = 72.0 / 25.4;

void WriteFile(const QString& aName, const QByteArray& aBytes)
{
    QFile f(aName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(aBytes);
}

// The label saved as JSON in aFolder, naming its data file "data.csv" as a
// relative name, with aRecords records beside it.
QString LabelWithRelativeData(const QString& aFolder, int aRecords)
{
    TVXLabelFMX doc;
    BuildSheet(doc, aFolder + QStringLiteral("/data.csv"), aRecords);
    TJsonObject json = doc.GetJson();
    json["Data"]["CsvFile"] = "data.csv";
    const QString name = aFolder + QStringLiteral("/label.json");
    WriteFile(name, QByteArray::fromStdString(json.dump()));
    return name;
}

TKVRExportResult ExportPng(TVXLabelFMX& aDoc, const QString& aFile)
{
    TKVRExportResult result;
    bool done = false;
    QEventLoop loop;
    aDoc.OnExportDone = [&](QObject*, const TKVRExportResult& r) {
        result = r;
        done = true;
        loop.quit();
    };
    aDoc.ExportDoc(KVRExportKind::Png, aFile, 0, 1.0f, 100, false, false, false);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!done)
        loop.exec();
    EXPECT_TRUE(done) << "no report";
    aDoc.OnExportDone = nullptr;
    return result;
}

}  // namespace

// The printer is the session's, as the map key is: no load takes it away.
TEST(PrintRuns, ThePrinterChosenForTheSessionSurvivesEveryLoad)
{
    TPdfPrinterFixture printer;
    TVXLabelFMX saved;
    BuildSheet(saved, printer.Folder() + QStringLiteral("/data.csv"), 2);
    const QString eti = printer.Folder() + QStringLiteral("/label.eti");
    const QString json = printer.Folder() + QStringLiteral("/label.json");
    ASSERT_TRUE(saved.SaveToFile(eti, KVRExt::Binary));
    ASSERT_TRUE(saved.SaveToFile(json, KVRExt::Json));
    const struct
    {
        const char* road;
        std::function<void(TVXLabelFMX&)> load;
    } roads[] = {
        {".eti", [&](TVXLabelFMX& d) { d.LoadFromFile(eti); }},
        {".json", [&](TVXLabelFMX& d) { d.LoadFromFile(json); }},
        {"stream",
         [&](TVXLabelFMX& d) {
             QFile f(eti);
             ASSERT_TRUE(f.open(QIODevice::ReadOnly));
             // The file names its data beside it; a stream knows no folder but the document's.
             d.GetData().SetFolder(printer.Folder());
             d.LoadFromStream(f);
         }},
    };
    for (const auto& r : roads) {
        SCOPED_TRACE(r.road);
        QFile::remove(printer.FileName());
        TVXLabelFMX doc;
        doc.GetPrintInfo().SetPrinterIndex(printer.Index());
        r.load(doc);
        EXPECT_EQ(doc.GetPrintInfo().GetPrinterIndex(), printer.Index());
        EXPECT_TRUE(doc.Print()) << doc.GetPrintReport().Text().toStdString();
        EXPECT_EQ(PdfPages(printer.FileName()), 1);
    }
}

// A run that prints nothing says why; counts read as English.
TEST(PrintRuns, TheReportSaysWhyNothingPrinted)
{
    TPdfPrinterFixture printer;
    const QString csv = printer.Folder() + QStringLiteral("/data.csv");
    const QString missing = printer.Folder() + QStringLiteral("/gone/data.csv");
    const struct
    {
        const char* name;
        int records;
        bool withPrinter;
        QString report;
    } cases[] = {
        {"no printer", 3, false, "0 of 3 labels printed on 0 pages\nNo printer selected"},
        {"no records", 0, true, "0 of 0 labels printed on 0 pages\nThe data has no records"},
        {"data file gone", -1, true,
         QStringLiteral("0 of 0 labels printed on 0 pages\nThe data file \"%1\" was not found").arg(missing)},
        {"both", -1, false,
         QStringLiteral("0 of 0 labels printed on 0 pages\nNo printer selected\nThe data file \"%1\" was not found")
             .arg(missing)},
        {"one label", 1, true, "1 of 1 label printed on 1 page"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TVXLabelFMX doc;
        if (c.records >= 0) {
            BuildSheet(doc, csv, c.records);
        } else {
            // A label naming a data file that has gone since it was saved.
            QDir().mkpath(printer.Folder() + QStringLiteral("/gone"));
            TVXLabelFMX saved;
            BuildSheet(saved, missing, 2);
            ASSERT_TRUE(saved.SaveToFile(printer.Folder() + QStringLiteral("/gone.eti"), KVRExt::Binary));
            ASSERT_TRUE(QFile::remove(missing));
            ASSERT_TRUE(doc.LoadFromFile(printer.Folder() + QStringLiteral("/gone.eti")));
        }
        doc.GetPrintInfo().SetPrinterIndex(c.withPrinter ? printer.Index() : -1);
        EXPECT_EQ(doc.Print(), c.records == 1);
        EXPECT_EQ(doc.GetPrintReport().Text().toStdString(), c.report.toStdString());
    }
}

// A relative data file name is the label file's neighbour, wherever the
// program runs; when it has gone the load tells the host, and so does the
// next print or export.
TEST(PrintRuns, TheDataFileIsFoundBesideTheLabelAndAMissingOneIsReported)
{
    TPdfPrinterFixture printer;
    const QString label = LabelWithRelativeData(printer.Folder(), 4);
    ASSERT_NE(QDir::currentPath(), printer.Folder());
    QStringList messages;
    TVXLabelFMX doc;
    doc.OnInfoMsg = [&](QObject*, const QString& aMessage) { messages << aMessage; };
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    ASSERT_TRUE(doc.LoadFromFile(label));
    EXPECT_EQ(doc.GetData().Records().RecordCount(), 4);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(' ').toStdString();
    EXPECT_TRUE(doc.Print()) << doc.GetPrintReport().Text().toStdString();
    EXPECT_EQ(doc.GetPrintReport().LabelsPrinted, 4);
    // Saved again, the name stays relative: the folder goes with the label.
    ASSERT_TRUE(doc.SaveToFile(printer.Folder() + QStringLiteral("/again.eti"), KVRExt::Binary));
    TVXLabelFMX again;
    ASSERT_TRUE(again.LoadFromFile(printer.Folder() + QStringLiteral("/again.eti")));
    EXPECT_EQ(again.GetData().GetCsvFileName(), QStringLiteral("data.csv"));
    EXPECT_EQ(again.GetData().Records().RecordCount(), 4);

    const QString csv = printer.Folder() + QStringLiteral("/data.csv");
    const QString why = QStringLiteral("The data file \"%1\" was not found").arg(csv);
    ASSERT_TRUE(QFile::remove(csv));
    ASSERT_TRUE(doc.LoadFromFile(label));
    EXPECT_EQ(messages.join(QLatin1Char('\n')).toStdString(), why.toStdString());
    EXPECT_FALSE(doc.Print());
    EXPECT_TRUE(doc.GetPrintReport().Reasons.contains(why)) << doc.GetPrintReport().Text().toStdString();
    const TKVRExportResult exported = ExportPng(doc, printer.Folder() + QStringLiteral("/sheet.png"));
    EXPECT_EQ(exported.Notes.join(QLatin1Char('\n')).toStdString(), why.toStdString());
}

// The host's OnBeforePrint may choose where the run starts: the walk
// follows the cell chosen there, even one that was off the sheet before.
TEST(PrintRuns, AStartCellChosenBeforePrintingIsHonoured)
{
    TPdfPrinterFixture printer;
    TVXLabelFMX doc;
    BuildSheet(doc, printer.Folder() + QStringLiteral("/data.csv"), 1);
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    doc.GetPrintInfo().SetFirstRow(20);
    doc.OnBeforePrint = [](QObject* aSender) {
        auto* d = static_cast<TVXLabelFMX*>(aSender);
        d->GetPrintInfo().SetFirstRow(2);
        d->GetPrintInfo().SetFirstCol(3);
    };
    ASSERT_TRUE(doc.Print()) << doc.GetPrintReport().Text().toStdString();
    const std::vector<TPdfPageWord> words = PdfPageWords(printer.FileName());
    const auto name = std::find_if(words.begin(), words.end(),
                                   [](const TPdfPageWord& w) { return w.text == QStringLiteral("Lbl-01"); });
    ASSERT_NE(name, words.end());
    // Cells of 70 x 37 mm below a 0.5 mm margin: column 3, row 2.
    EXPECT_EQ(int(name->xMin / kPtPerMm / 70.0) + 1, 3);
    EXPECT_EQ(int((name->yMin / kPtPerMm - 0.5) / 37.0) + 1, 2);
}
