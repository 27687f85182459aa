// A run's pages as the document counts and reaches them, what a print of
// some of its pages puts on paper, where a label finds its data file again,
// and how exports are tagged.
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.SheetWalk.h"
#include "document/KVR.FMX.h"
#include "tests/document/ExportTestSupport.h"
#include "tests/support/LabelDocuments.h"
#include "tests/support/PdfReader.h"
#include "tests/support/PrintQueue.h"
#include <QDir>
#include <QImageReader>
#include <QSet>
#include <QTemporaryDir>
#include <climits>
#include <gtest/gtest.h>

namespace {

// JSON records {"N":"1"}, ... with the repeat numbers given.
QString RepeatRecords(const std::vector<int64_t>& aRepeats)
{
    QStringList records;
    for (size_t i = 0; i < aRepeats.size(); ++i)
        records << QStringLiteral(R"({"Name":"%1","Rep":"%2"})").arg(i + 1).arg(aRepeats[i]);
    return QLatin1Char('[') + records.join(QLatin1Char(',')) + QLatin1Char(']');
}

void Sheet(TVXLabelFMX& aDoc, int32_t aRows, int32_t aColumns)
{
    aDoc.GetMeasure().SetRows(aRows);
    aDoc.GetMeasure().SetColumns(aColumns);
}

}  // namespace

// Reaching a label by arithmetic lands where NextData, label by label, lands,
// and goes on from there the same way.
TEST(RunPages, MoveToLabelLandsWhereNextDataDoes)
{
    const struct
    {
        const char* Name;
        int32_t Repetition;
        std::vector<int64_t> Repeats;  // empty: no repeat field
    } cases[] = {
        {"one copy each", 1, {1, 1, 1, 1}},
        {"three copies each", 3, {}},
        {"copies per record", 2, {1, 4, 0, 3, 1000001, 2}},
        {"past the records", 1, {2, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TVXLabelFMX walked, moved;
        for (TVXLabelFMX* d : {&walked, &moved}) {
            d->GetData().SetJson(RepeatRecords(c.Repeats.empty() ? std::vector<int64_t>(5, 1) : c.Repeats));
            d->GetData().SetDataSel(TKVRData::JsonDataset);
            if (!c.Repeats.empty())
                d->GetData().SetFieldRepeat(QStringLiteral("Rep"));
            d->GetPrintInfo().SetRepetition(c.Repetition);
            d->FirstData();
        }
        // Where NextData goes, label by label.
        std::vector<std::pair<int32_t, int64_t>> steps;
        for (int i = 0; i < 50; ++i, walked.NextData())
            steps.emplace_back(walked.GetRecordIndex(), walked.GetLabelIndex());
        for (int64_t label = 0; label < 40; ++label) {
            moved.MoveToLabel(label);
            // The copy reached shows in where the following labels go.
            for (int64_t next = label; next < label + 8; ++next, moved.NextData()) {
                ASSERT_EQ(moved.GetRecordIndex(), steps[size_t(next)].first) << label << " then " << next;
                ASSERT_EQ(moved.GetLabelIndex(), steps[size_t(next)].second) << label << " then " << next;
            }
        }
    }
}

// A run counted in 64 bits: one past what a page number holds is refused
// with a message and has no pages; one that fits reaches its last page at once.
TEST(RunPages, RunsAreCountedInSixtyFourBitsAndRefusedPastAPageNumber)
{
    {
        // 4,400 records of a million copies each, repeated 2^31 - 1 times.
        TVXLabelFMX doc;
        doc.GetData().SetJson(RepeatRecords(std::vector<int64_t>(4400, 1000000)));
        doc.GetData().SetDataSel(TKVRData::JsonDataset);
        doc.GetData().SetFieldRepeat(QStringLiteral("Rep"));
        doc.GetPrintInfo().SetWithData(true);
        doc.GetPrintInfo().SetRepetition(INT32_MAX);
        doc.CheckPrintData();
        EXPECT_GE(doc.GetPrintInfo().GetTotalLabels(), 0);
        EXPECT_EQ(doc.GetPrintInfo().GetNumPages(), 0);
        EXPECT_EQ(doc.GetPrintInfo().GetRefusal().toStdString(),
                  "The run has more labels than can be counted (over 9223372036854775807)");
        EXPECT_EQ(doc.NoLabelsReason(), doc.GetPrintInfo().GetRefusal());
    }
    {
        // 1,000 x 1,000 cells, labels and copies of 2^31 - 1: 4.6 x 10^12 pages.
        TVXLabelFMX doc;
        Sheet(doc, 1000, 1000);
        doc.GetPrintInfo().SetLabs(INT32_MAX);
        doc.GetPrintInfo().SetRepetition(INT32_MAX);
        doc.CheckPrintData();
        EXPECT_EQ(doc.GetPrintInfo().GetTotalLabels(), int64_t(INT32_MAX) * INT32_MAX);
        EXPECT_EQ(doc.GetPrintInfo().GetNumPages(), 0);
        EXPECT_TRUE(doc.GetPrintInfo().GetRefusal().contains(QStringLiteral("more than a page number can hold")))
            << doc.GetPrintInfo().GetRefusal().toStdString();
        TPdfPrinterFixture printer;
        doc.GetPrintInfo().SetPrinterIndex(printer.Index());
        EXPECT_THROW(doc.Print(), std::length_error);
        EXPECT_FALSE(QFile::exists(printer.FileName()));
    }
    {
        // 2^31 - 1 labels of 1,000 copies on 10^6 cells: 2,147,484 pages, the last reached by arithmetic.
        TVXLabelFMX doc;
        Sheet(doc, 1000, 1000);
        doc.GetPrintInfo().SetLabs(INT32_MAX);
        doc.GetPrintInfo().SetRepetition(1000);
        doc.CheckPrintData();
        const int32_t pages = doc.GetPrintInfo().GetNumPages();
        EXPECT_EQ(pages, 2147484);
        doc.GoToPage(pages, true, true);
        EXPECT_EQ(doc.GetPrintInfo().GetCurPage(), pages);
        EXPECT_EQ(doc.GetPrintInfo().GetCurLabel(), int64_t(pages - 1) * 1000000 + 1);
        EXPECT_EQ(doc.GetLabelIndex(), int64_t(pages - 1) * 1000000);
        EXPECT_EQ(doc.GetRecordIndex(), int32_t(int64_t(pages - 1) * 1000));
    }
}

// The document, the walk and the print agree on a start cell off the sheet:
// the run has no pages and says why in the walk's words.
TEST(RunPages, AStartCellOffTheSheetGivesARunWithoutPages)
{
    const struct
    {
        int32_t Row, Col;
    } cells[] = {{9, 1}, {1, 4}, {8, 3}};
    for (const auto& c : cells) {
        SCOPED_TRACE(c.Row * 10 + c.Col);
        TVXLabelFMX doc;
        Sheet(doc, 8, 3);
        doc.GetPrintInfo().SetLabs(30);
        doc.GetPrintInfo().SetFirstRow(c.Row);
        doc.GetPrintInfo().SetFirstCol(c.Col);
        doc.CheckPrintData();
        std::string walkSays;
        try {
            TKVRSheetWalk(8, 3, c.Row, c.Col, 30);
        } catch (const std::invalid_argument& e) {
            walkSays = e.what();
        }
        EXPECT_EQ(doc.GetPrintInfo().GetRefusal().toStdString(), walkSays);
        if (walkSays.empty()) {
            // The last cell of the sheet takes label 1; the other 29 fill the next two sheets.
            EXPECT_EQ(doc.SkippedCells(), 23);
            EXPECT_EQ(doc.GetPrintInfo().GetNumPages(), 3);
            continue;
        }
        EXPECT_THROW(doc.SkippedCells(), std::invalid_argument);
        EXPECT_EQ(doc.GetPrintInfo().GetNumPages(), 0);
        // Going to a page of such a run stays on its first label, without raising.
        doc.GoToPage(2, true, true);
        EXPECT_EQ(doc.GetPrintInfo().GetCurPage(), 1);
        EXPECT_EQ(doc.GetPrintInfo().GetCurLabel(), 1);
    }
}

// Pages 2 to 2 of five print page 2 alone, its labels counted in the report.
TEST(RunPages, APrintOfSomePagesPutsOutOnlyThose)
{
    TPdfPrinterFixture printer;
    TVXLabelFMX doc;
    BuildSheet(doc, printer.Folder() + QStringLiteral("/data.csv"), 100);
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    const struct
    {
        int32_t From, To;
        const char* Report;
        QStringList Names;  // first and last on paper
    } cases[] = {
        {2, 2, "24 of 24 labels printed on 1 page", {"Lbl-25", "Lbl-48"}},
        {4, 5, "28 of 28 labels printed on 2 pages", {"Lbl-73", "Lbl-100"}},
        {1, 0, "100 of 100 labels printed on 5 pages", {"Lbl-01", "Lbl-100"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Report);
        QFile::remove(printer.FileName());
        doc.GetPrintInfo().SetPageRange(c.From, c.To);
        ASSERT_TRUE(doc.Print()) << doc.GetPrintReport().Text().toStdString();
        EXPECT_EQ(doc.GetPrintReport().Text().toStdString(), c.Report);
        const std::vector<TPdfPageWord> words = PdfPageWords(printer.FileName());
        QStringList names;
        for (const TPdfPageWord& w : words)
            if (w.text.startsWith(QStringLiteral("Lbl-")))
                names << w.text;
        // Every label of those pages once, the first and last of them among them.
        EXPECT_EQ(names.size(), QSet<QString>(names.begin(), names.end()).size());
        EXPECT_EQ(int64_t(names.size()), doc.GetPrintReport().LabelsPrinted);
        EXPECT_TRUE(names.contains(c.Names[0]) && names.contains(c.Names[1])) << names.join(' ').toStdString();
        EXPECT_EQ(PdfPages(printer.FileName()), c.To == 0 ? 5 : c.To - c.From + 1);
    }
    // A range off the run is refused, not widened to the whole run.
    QFile::remove(printer.FileName());
    doc.GetPrintInfo().SetPageRange(6, 7);
    EXPECT_THROW(doc.Print(), std::invalid_argument);
    EXPECT_FALSE(QFile::exists(printer.FileName()));
}

// A CSV file bound by a name relative to the working folder is saved
// relative to the label's folder: the label finds its records again from
// any working folder, also after being saved elsewhere.
TEST(RunPages, TheDataFileIsNamedFromTheLabelsFolder)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("data")));
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("labels/more")));
    WriteAll(root.filePath(QStringLiteral("data/records.csv")), "Name;Code\nA;1\nB;2\nC;3\n");
    const QString home = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root.filePath(QStringLiteral("data"))));
    TVXLabelFMX doc;
    doc.GetData().LoadCsv(QStringLiteral("records.csv"));
    const QString first = root.filePath(QStringLiteral("labels/label.json"));
    const QString second = root.filePath(QStringLiteral("labels/more/label.eti"));
    doc.SaveToFile(first, KVRExt::Json);
    ASSERT_TRUE(QDir::setCurrent(root.path()));
    TVXLabelFMX again;
    again.LoadFromFile(first);
    again.SaveToFile(second, KVRExt::Binary);
    ASSERT_TRUE(QDir::setCurrent(home));
    EXPECT_EQ(QString::fromUtf8(ReadAll(first)).contains(QStringLiteral("\"CsvFile\": \"../data/records.csv\"")), true);
    for (const QString& file : {first, second}) {
        SCOPED_TRACE(file.toStdString());
        TVXLabelFMX read;
        read.LoadFromFile(file);
        EXPECT_EQ(read.GetData().Records().RecordCount(), 3);
        EXPECT_EQ(read.GetData().GetCsvProblem(), QString());
    }
}

// An image exported at scale 2.5 is tagged 240 dpi: viewers open it at its paper size.
TEST(RunPages, ScaledImagesAreTaggedWithTheirResolution)
{
    QTemporaryDir dir;
    TVXLabelFMX doc;
    BuildSheet(doc, dir.filePath(QStringLiteral("data.csv")), 3);
    for (const auto& [kind, name] : {std::pair{KVRExportKind::Png, "sheet.png"}, std::pair{KVRExportKind::Bmp, "sheet.bmp"},
                                     std::pair{KVRExportKind::Jpeg, "sheet.jpg"}}) {
        SCOPED_TRACE(name);
        const QString file = dir.filePath(QLatin1String(name));
        ASSERT_TRUE(RunExport(doc, kind, file, 2.5f).Ok());
        const QImage image = QImageReader(file).read();
        ASSERT_FALSE(image.isNull());
        EXPECT_NEAR(image.width(), 210 * 2.5 * 96 / 25.4, 1);
        EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 240, 0.5);
        EXPECT_NEAR(image.dotsPerMeterY() * 0.0254, 240, 0.5);
    }
}
