#include "platform/rtl/label/KVR.DataTable.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRCounter.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

namespace {

QStringList Row(const TKVRDataTable& t, int i)
{
    return t.Rows.at(size_t(i));
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

}  // namespace

// ---------------------------------------------------------------- CSV

TEST(LabelDataCsv, SeparatorsQuotesAndLineEnds)
{
    const struct
    {
        const char* text;
        QStringList fields;
        std::vector<QStringList> rows;
    } cases[] = {
        {"Name;Price\r\nTea;2,50\r\nCake;3\r\n", {"Name", "Price"}, {{"Tea", "2,50"}, {"Cake", "3"}}},
        {"Name,Price\nTea,2.50\n\nCake,3", {"Name", "Price"}, {{"Tea", "2.50"}, {"Cake", "3"}}},
        {"Name\tCode\rA\t1\rB\t2\r", {"Name", "Code"}, {{"A", "1"}, {"B", "2"}}},
        // quoted separators, doubled quotes and a line break inside a field
        {"Name,Note\n\"Smith, J.\",\"He said \"\"hi\"\"\"\n\"two\nlines\",x\n",
         {"Name", "Note"},
         {{"Smith, J.", "He said \"hi\""}, {"two\nlines", "x"}}},
        // short rows read empty fields; empty header names get one
        {"A,,C\n1\n", {"A", "Field2", "C"}, {{"1"}}},
        // blank lines before the header: its separator is found on the header
        {"\n\nName;Price\nTea;2,50", {"Name", "Price"}, {{"Tea", "2,50"}}},
        {"\r\n  \r\nName\tCode\r\nA\t1\r\n", {"Name", "Code"}, {{"A", "1"}}},
        {"\r\r\"Name;x\";Price\nTea;3", {"Name;x", "Price"}, {{"Tea", "3"}}},
        {" \nName\n;ignored\n", {"Name"}, {{";ignored"}}},
        {"\t\n\t\t\nName\tCode\nA\t1\n", {"Name", "Code"}, {{"A", "1"}}},
    };
    for (const auto& c : cases) {
        const TKVRDataTable t = ReadCsv(QByteArray(c.text));
        EXPECT_EQ(t.Fields, c.fields) << c.text;
        ASSERT_EQ(t.Rows.size(), c.rows.size()) << c.text;
        for (size_t i = 0; i < c.rows.size(); ++i)
            EXPECT_EQ(t.Rows[i], c.rows[i]) << c.text;
    }
    const TKVRDataTable t = ReadCsv("A,,C\n1\n");
    EXPECT_EQ(t.Value(0, "C"), QString());
    EXPECT_EQ(t.Value(5, "A"), QString());
    EXPECT_EQ(t.Value(0, "missing"), QString());
}

// Lines of white space other than blanks and tabs are blank too, and the
// separator is the one on the line read as the header, whatever comes before.
TEST(LabelDataCsv, SeparatorFromTheHeaderAfterOddFirstLines)
{
    const QByteArray firstLines[] = {
        "\xC2\xA0",                      // no-break space
        "\xE2\x80\x83",                  // em space
        "\xE2\x80\xA8",                  // line separator
        "\xE3\x80\x80",                  // ideographic space
        "\xEF\xBB\xBF",                  // a second byte-order mark
        " \xC2\xA0\t\xE3\x80\x80 ",      // several at once
        "\xC2\xA0\n\t\xE2\x80\x83\n\n",  // several lines of them
    };
    const QStringList fields{"Name", "Price"};
    const std::vector<QStringList> rows{{"Tea", "2,50"}, {"Cake", "3"}};
    for (const char* end : {"\n", "\r\n", "\r"})
        for (const QByteArray& first : firstLines)
            for (const bool bom : {false, true}) {
                QByteArray text = (bom ? "\xEF\xBB\xBF" : "") + first + end + "Name;Price" + end + "Tea;2,50" + end +
                                  "Cake;3" + end;
                text.replace("\n", end);
                SCOPED_TRACE(testing::Message() << QByteArray(text).toPercentEncoding().toStdString());
                const TKVRDataTable t = ReadCsv(text);
                EXPECT_EQ(t.Fields, fields);
                EXPECT_EQ(t.RecordCount(), 2);
                for (size_t i = 0; i < rows.size() && i < t.Rows.size(); ++i)
                    EXPECT_EQ(t.Rows[i], rows[i]);
            }
    const struct
    {
        QByteArray text;
        QStringList fields;
        QStringList row;
    } cases[] = {
        // a no-break space of the 8-bit code page
        {"\xA0\r\nName;Gr\xF6\xDF" "e\r\nTea;2,50\r\n", {"Name", QString::fromUtf8("Größe")}, {"Tea", "2,50"}},
        // a quote inside a field is text: it opens no quoted field over the lines after it
        {"Pipe 5\";Price\nA;1,5\n\"B\";2\n", {"Pipe 5\"", "Price"}, {"A", "1,5"}},
        {"\xC2\xA0\nName\tCode;x\nA\t1;2\n", {"Name", "Code;x"}, {"A", "1;2"}},
        // a header without a separator: a comma separates
        {"\xE3\x80\x80\nName\nTea;2,50\n", {"Name"}, {"Tea;2", "50"}},
    };
    for (const auto& c : cases) {
        const TKVRDataTable t = ReadCsv(c.text);
        EXPECT_EQ(t.Fields, c.fields) << c.text.toStdString();
        ASSERT_GE(t.RecordCount(), 1) << c.text.toStdString();
        EXPECT_EQ(Row(t, 0), c.row) << c.text.toStdString();
    }
}

TEST(LabelDataCsv, EncodingsAndErrors)
{
    // UTF-8 with a byte-order mark, and the 8-bit code page of spreadsheets elsewhere.
    const TKVRDataTable utf8 = ReadCsv("\xEF\xBB\xBFName\nCaf\xC3\xA9 \xE2\x82\xAC\n");
    EXPECT_EQ(utf8.Fields, QStringList{"Name"});
    EXPECT_EQ(Row(utf8, 0), QStringList{QString::fromUtf8("Café €")});
    const TKVRDataTable ansi = ReadCsv("Name;Gr\xF6\xDF" "e\nCaf\xE9 \x80;XL\n");
    EXPECT_EQ(ansi.Fields, (QStringList{"Name", QString::fromUtf8("Größe")}));
    EXPECT_EQ(Row(ansi, 0), (QStringList{QString::fromUtf8("Café €"), "XL"}));
    // A header alone names the fields and holds no record.
    const TKVRDataTable header = ReadCsv("A;B\r\n");
    EXPECT_EQ(header.Fields, (QStringList{"A", "B"}));
    EXPECT_TRUE(header.IsEmpty());

    try {
        ReadCsv("A,B\n1,2\n3,\"open\n4,5\n");
        FAIL() << "an unclosed quote must not read";
    } catch (const EKVRDataSourceError& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
    EXPECT_THROW(ReadCsvFile(QStringLiteral("/nonexistent/data.csv")), EKVRDataSourceError);
}

// The reader decodes and splits the text 64 KiB at a time: whatever falls on
// the cut between two pieces (a doubled quote, CR LF, a line break inside
// quotes, a character of several bytes, a byte-order mark inside the text,
// the 8-bit code page) reads as it would anywhere else. Each record is moved
// across the cut a byte at a time.
TEST(LabelDataCsv, RecordsAcrossTheReadersPieces)
{
    const struct
    {
        QByteArray record;
        QStringList fields;
    } cases[] = {
        {"\"a\"\"b\",c\n", {"a\"b", "c"}},
        {"p,q\r\n", {"p", "q"}},
        {"\"x\r\ny\",z\r", {"x\r\ny", "z"}},
        {"\xF0\x9F\x98\x80,\xC3\xA9\xE2\x82\xAC\n", {QString::fromUtf8("\xF0\x9F\x98\x80"), QString::fromUtf8("é€")}},
        {"\xEF\xBB\xBF" "bom,\xEF\xBB\xBF\n", {QChar(0xFEFF) + QStringLiteral("bom"), QString(QChar(0xFEFF))}},
        {"\"\",\"\"\n", {"", ""}},
        {"caf\xE9,\x80\n", {QString::fromUtf8("café"), QString::fromUtf8("€")}},
    };
    constexpr int kPiece = 64 * 1024;
    const QByteArray header = "A,B\n";
    for (const auto& c : cases)
        for (int shift = 0; shift <= c.record.size(); ++shift) {
            SCOPED_TRACE(testing::Message() << c.record.toStdString() << " cut after byte " << shift);
            const qsizetype filler = kPiece - shift - header.size() - 3;
            const TKVRDataTable t = ReadCsv(header + QByteArray(filler, 'x') + ",y\n" + c.record + "last,1\n");
            ASSERT_EQ(t.RecordCount(), 3);
            EXPECT_EQ(Row(t, 0), (QStringList{QString(filler, u'x'), "y"}));
            EXPECT_EQ(Row(t, 1), c.fields);
            EXPECT_EQ(Row(t, 2), (QStringList{"last", "1"}));
        }
}

// ---------------------------------------------------------------- JSON data

TEST(LabelDataJson, RecordsFromTheUsualShapes)
{
    const TKVRDataTable list =
        ReadJsonData(R"([{"Name":"Tea","Price":2.5,"Stock":true},{"Name":"Cake","Extra":null,"Tags":[1,2]}])");
    EXPECT_EQ(list.Fields, (QStringList{"Name", "Price", "Stock", "Extra", "Tags"}));
    ASSERT_EQ(list.RecordCount(), 2);
    EXPECT_EQ(Row(list, 0), (QStringList{"Tea", "2.5", "true", "", ""}));
    EXPECT_EQ(Row(list, 1), (QStringList{"Cake", "", "", "", "[1,2]"}));

    const TKVRDataTable wrapped = ReadJsonData(R"({"title":"x","items":[{"A":1},{"A":"2"}]})");
    EXPECT_EQ(wrapped.Fields, QStringList{"A"});
    EXPECT_EQ(wrapped.RecordCount(), 2);
    EXPECT_EQ(wrapped.Value(1, "A"), "2");

    const TKVRDataTable single = ReadJsonData(R"({"A":"only"})");
    EXPECT_EQ(single.RecordCount(), 1);
    EXPECT_EQ(single.Value(0, "A"), "only");
    EXPECT_TRUE(ReadJsonData("  ").IsEmpty());
    // A lone surrogate is not text (the records are kept in UTF-8, which has none).
    EXPECT_THROW(ReadJsonData(R"([{"A":"\ud800x"}])"), EKVRDataSourceError);

    for (const char* bad : {"{", "[1,2]", "\"text\"", "42", "[{\"A\":1},3]"})
        EXPECT_THROW(ReadJsonData(bad), EKVRDataSourceError) << bad;
}

// Records of many fields, in any key order, with keys repeated: every value
// lands under its own field. A hundred thousand fields once took the reader
// hours, each key being searched for among all the others.
TEST(LabelDataJson, WideRecordsInAnyKeyOrder)
{
    constexpr int kFields = 100000;
    std::string text = "[{";
    for (int i = 0; i < kFields; ++i)
        text += (i ? ",\"f" : "\"f") + std::to_string(i) + "\":" + std::to_string(i);
    text += "},{";
    for (int i = kFields - 1; i >= 0; i -= 3)  // every third field, last first
        text += "\"f" + std::to_string(i) + "\":\"r" + std::to_string(i) + (i >= 3 ? "\"," : "\"");
    text += "},{\"new\":1,\"f7\":\"a\",\"f7\":\"b\"}]";
    const TKVRDataTable t = ReadJsonData(QString::fromStdString(text));
    ASSERT_EQ(t.Fields.size(), kFields + 1);
    EXPECT_EQ(t.Fields.front(), "f0");
    EXPECT_EQ(t.Fields[kFields - 1], QStringLiteral("f%1").arg(kFields - 1));
    EXPECT_EQ(t.Fields.back(), "new");
    ASSERT_EQ(t.RecordCount(), 3);
    for (const QStringList& row : t.Rows)
        EXPECT_EQ(row.size(), kFields + 1);
    EXPECT_EQ(t.Value(0, "f54321"), "54321");
    EXPECT_EQ(t.Value(0, "new"), "");
    EXPECT_EQ(t.Value(1, QStringLiteral("f%1").arg(kFields - 1)), QStringLiteral("r%1").arg(kFields - 1));
    EXPECT_EQ(t.Value(1, QStringLiteral("f%1").arg(kFields - 2)), "");
    EXPECT_EQ(t.Value(2, "new"), "1");
    EXPECT_EQ(t.Value(2, "f7"), "b") << "a repeated key keeps its last value";
    EXPECT_EQ(t.Value(2, "f8"), "");
}

// Values nested 512 levels deep (the records' own two included) read as
// compact JSON; one level more, or a million (which once overflowed the stack
// while the value was written back as text), raise the data source error.
TEST(LabelDataJson, NestingIsHeldTo512Levels)
{
    auto nested = [](int arrays) {
        return "[{\"a\":" + std::string(size_t(arrays), '[') + std::string(size_t(arrays), ']') + "}]";
    };
    const TKVRDataTable deepest = ReadJsonData(QString::fromStdString(nested(510)));
    ASSERT_EQ(deepest.RecordCount(), 1);
    EXPECT_EQ(deepest.Value(0, "a"), QString(510, u'[') + QString(510, u']'));
    for (const int arrays : {511, 1000000}) {
        try {
            ReadJsonData(QString::fromStdString(nested(arrays)));
            ADD_FAILURE() << arrays << " levels read";
        } catch (const EKVRDataSourceError& e) {
            EXPECT_NE(std::string(e.what()).find("nested deeper than 512"), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(ReadJsonData(QString::fromStdString(std::string(600, '['))), EKVRDataSourceError);
}

// ---------------------------------------------------------------- counters

TEST(LabelCounters, NumbersWrapTextsAndLimits)
{
    TKVRBaseLabel doc;
    auto* c = new TKVRCounter(&doc);
    c->Name = "Serial";
    c->SetNumFrom(98);
    c->SetNumTo(102);
    c->SetStep(2);
    // 98, 100, 102, then back to 98
    EXPECT_EQ(c->Number(0), 98);
    EXPECT_EQ(c->Number(2), 102);
    EXPECT_EQ(c->Number(3), 98);
    c->TextBefore = "N-";
    c->TextAfter = "/A";
    c->Format = "00000";
    EXPECT_EQ(c->Text(1), "N-00100/A");
    c->SetStep(0);
    EXPECT_EQ(c->GetStep(), 1);

    // Without an upper end the run goes on and stops at the end of the range.
    c->SetNumTo(0);
    c->SetNumFrom(std::numeric_limits<int64_t>::max() - 1);
    EXPECT_EQ(c->Number(5), std::numeric_limits<int64_t>::max());

    EXPECT_TRUE(doc.CounterName("serial", nullptr));
    EXPECT_FALSE(doc.CounterName("Serial", c));
    for (int i = 2; i <= TKVRBaseLabel::KVRMaxCounters; ++i)
        new TKVRCounter(&doc);
    EXPECT_THROW(new TKVRCounter(&doc), std::length_error);
    EXPECT_EQ(doc.GetCounterCount(), TKVRBaseLabel::KVRMaxCounters);
    doc.DeleteCounter(1);
    EXPECT_EQ(doc.GetCounterCount(), TKVRBaseLabel::KVRMaxCounters - 1);
    EXPECT_THROW(doc.GetCounter(0), std::out_of_range);
}

// ---------------------------------------------------------------- records of a run

TEST(LabelRun, DataValueTakesHandValuesThenFieldsThenCounters)
{
    TKVRBaseLabel doc;
    doc.GetData().SetJson(R"([{"Name":"Tea","Price":"2.5"},{"Name":"Cake","Price":"3"}])");
    auto* c = new TKVRCounter(&doc);
    c->Name = "No";
    c->SetNumFrom(1);
    EXPECT_EQ(doc.DataValue("Name", "", 1), "Tea");
    EXPECT_EQ(doc.DataValue("Price", "0.00", 1), "2.50");
    EXPECT_EQ(doc.DataValue("Name", "", 0), QString());
    EXPECT_EQ(doc.DataValue("No", "", 1), "1");
    doc.NextData();
    EXPECT_EQ(doc.DataValue("Name", "", 1), "Cake");
    EXPECT_EQ(doc.DataValue("No", "", 1), "2");
    doc.SetDataValue("Name", "Typed");
    EXPECT_EQ(doc.DataValue("Name", "", 1), "Typed");
    // A failed load keeps the data there was.
    EXPECT_THROW(doc.GetData().SetJson("[oops"), EKVRDataSourceError);
    doc.ClearData();
    EXPECT_EQ(doc.DataValue("Name", "", 1), "Cake");
}

TEST(LabelRun, CopiesRecordsAndPagesOfARun)
{
    QTemporaryDir dir;
    TKVRBaseLabel doc;
    doc.GetMeasure().SetRows(4);
    doc.GetMeasure().SetColumns(3);
    const QString csv = WriteFile(dir, "data.csv", "Name;Copies\nA;2\nB;x\nC;1\n");
    doc.GetData().LoadCsv(csv);
    ASSERT_NE(doc.GetData().GetDataset(TKVRData::CsvDataset), nullptr);
    EXPECT_EQ(doc.GetData().GetDataset("csvfile")->Fields.size(), 2u);
    doc.GetData().SetFieldRepeat("Copies");
    doc.GetPrintInfo().SetRepetition(2);
    doc.GetPrintInfo().SetWithData(true);
    doc.GetPrintInfo().SetFirstRow(4);
    doc.GetPrintInfo().SetFirstCol(2);
    doc.CheckPrintData();
    // A: 2 x 2 copies, B: 2 (no number), C: 2 -> 8 labels from the 11th cell of 12: two sheets.
    EXPECT_EQ(doc.GetPrintInfo().GetTotalLabels(), 8);
    EXPECT_EQ(doc.GetPrintInfo().GetNumPages(), 2);
    QStringList printed;
    for (int i = 0; i < 8; ++i) {
        printed << doc.DataValue("Name", "", 1);
        doc.NextData();
    }
    EXPECT_EQ(printed.join(""), "AAAABBCC");
    EXPECT_EQ(doc.DataValue("Name", "", 1), QString());  // past the last record

    // A repeat field of 3 prints that record three times.
    doc.GetPrintInfo().SetRepetition(1);
    doc.GetData().SetJson(R"([{"Name":"X","Copies":"3"},{"Name":"Y","Copies":"1"}])");
    doc.CheckPrintData();
    EXPECT_EQ(doc.GetPrintInfo().GetTotalLabels(), 4);
    QStringList repeated;
    for (int i = 0; i < 4; ++i) {
        repeated << doc.DataValue("Name", "", 1);
        doc.NextData();
    }
    EXPECT_EQ(repeated.join(""), "XXXY");
    doc.GetData().LoadCsv(csv);

    // Without data: the number of labels times the repetition, from the first cell.
    doc.GetPrintInfo().SetWithData(false);
    doc.GetPrintInfo().SetLabs(13);
    doc.GetPrintInfo().SetRepetition(1);
    doc.GetPrintInfo().SetFirstRow(9);  // beyond the sheet: the walk refuses the run, which has no pages
    doc.CheckPrintData();
    EXPECT_EQ(doc.GetPrintInfo().GetTotalLabels(), 13);
    EXPECT_EQ(doc.GetPrintInfo().GetNumPages(), 0);
    EXPECT_TRUE(doc.GetPrintInfo().GetRefusal().startsWith(QStringLiteral("The start row 9 is outside the sheet")));
    EXPECT_EQ(doc.GetRecordIndex(), 0);
    doc.GetPrintInfo().SetFirstRow(1);
    doc.CheckPrintData();
    EXPECT_EQ(doc.GetPrintInfo().GetNumPages(), 2);

    // A missing file raises and keeps the records there were.
    EXPECT_THROW(doc.GetData().LoadCsv(dir.filePath("gone.csv")), EKVRDataSourceError);
    EXPECT_EQ(doc.GetData().GetCsvFileName(), csv);
    EXPECT_EQ(doc.GetData().Records().RecordCount(), 3);
}
