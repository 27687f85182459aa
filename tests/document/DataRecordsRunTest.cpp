// Awkward CSV fields read from a file into a document with many columns and
// printed at the end of a long run: the last labels' QR codes, read back by
// ZXing, hold each field exactly as it was written, and the document's data
// values at those labels give the texts too long for a code.
#include "platform/rtl/label/KVR.DataTable.h"
#include "tests/support/BarcodeReader.h"
#include "tests/support/LabelDocuments.h"
#include "tests/support/PdfReader.h"
#include "tests/support/PrintQueue.h"
#include <QFile>
#include <gtest/gtest.h>

namespace {

constexpr int kFillers = 2000;  // records before the awkward ones
constexpr int kColumns = 300;   // Name, Code, then fillers, the QR's Link last

QString Quoted(QString aText)
{
    return QLatin1Char('"') + aText.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// A record of kColumns fields; the middle ones hold their column number.
QByteArray Record(int aLabel, const QString& aLink)
{
    QStringList fields{QStringLiteral("Lbl-%1").arg(aLabel), QStringLiteral("C%1").arg(aLabel, 4, 10, QLatin1Char('0'))};
    for (int c = 2; c < kColumns - 1; ++c)
        fields << QString::number(c);
    fields << Quoted(aLink);
    return fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

}  // namespace

TEST(DataRecordsRun, AwkwardFieldsPrintAsWrittenAtTheEndOfALongRun)
{
    const struct
    {
        const char* what;
        QString text;
        bool coded;  // short enough for the label's QR code
    } cases[] = {
        {"empty", QString(), false},
        {"quotes", QStringLiteral("say \"hi\" \"\""), true},
        {"separators", QStringLiteral("a,b;c\td"), true},
        {"line breaks", QStringLiteral("one\ntwo\r\nthree"), true},
        {"beyond the BMP", QString::fromUtf8("\xF0\x9D\x90\x80 \xF0\x9F\x98\x80 \xE2\x82\xAC"), true},
        {"long", QString(100000, QLatin1Char('x')) + QStringLiteral("end"), false},
        {"after a long one", QStringLiteral("tail"), true},
    };
    const TPdfPrinterFixture printer;
    const QString csv = printer.Folder() + QStringLiteral("/records.csv");
    TVXLabelFMX doc;
    BuildSheet(doc, csv, 1, true);
    QByteArray bytes = "Name,Code";
    for (int c = 2; c < kColumns - 1; ++c)
        bytes += ",X" + QByteArray::number(c);
    bytes += ",Link\r\n";
    for (int i = 1; i <= kFillers; ++i)
        bytes += Record(i, QStringLiteral("https://example.org/a/%1").arg(i));
    int label = kFillers;
    for (const auto& c : cases)
        bytes += Record(++label, c.text);
    WriteAll(csv, bytes);
    doc.GetData().LoadCsv(csv);
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    doc.CheckPrintData();
    const int32_t pages = doc.GetPrintInfo().GetNumPages();
    ASSERT_EQ(pages, (label + 23) / 24);
    doc.GetPrintInfo().SetPageRange(pages, pages);
    ASSERT_TRUE(doc.Print());
    const std::vector<QImage> printed = RasterisePages(printer.FileName(), 300);
    ASSERT_EQ(printed.size(), 1u);

    const double px = 300.0 / 25.4;
    label = kFillers;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ++label;
        doc.MoveToLabel(label - 1);
        EXPECT_EQ(doc.DataValue(QStringLiteral("Link"), QString(), 1), c.text);
        EXPECT_EQ(doc.DataValue(QStringLiteral("X150"), QString(), 1), QStringLiteral("150"));
        if (!c.coded)
            continue;
        // The QR code's part of the label's cell (3 x 8 cells of 70 x 37 mm).
        const int cell = (label - 1) % 24;
        const QRect qr(int(((cell % 3) * 70.0 + 44.0) * px), int((0.5 + (cell / 3) * 37.0) * px), int(26.0 * px),
                       int(37.0 * px));
        EXPECT_EQ(DecodeOne(printed[0].copy(qr)).text, c.text);
    }
}
