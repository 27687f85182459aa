#include "tests/document/PrintJobTestSupport.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRText.h"
#include "platform/fmx/TPrinter.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

TPdfPrinterFixture::TPdfPrinterFixture()
{
    fIndex = Printer().AddFileDevice(QStringLiteral("PDF test"), FileName());
}

TPdfPrinterFixture::~TPdfPrinterFixture()
{
    Printer().RemoveFileDevice(QStringLiteral("PDF test"));
}

void BuildSheet(TVXLabelFMX& aDoc, const QString& aCsvFile, int aRecords)
{
    QByteArray csv = "Name,Code\n";
    for (int i = 1; i <= aRecords; ++i)
        csv += QStringLiteral("Lbl-%1,C%2\n").arg(i, 2, 10, QLatin1Char('0')).arg(i, 4, 10, QLatin1Char('0')).toUtf8();
    QFile f(aCsvFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(csv);
    f.close();
    TKVRMeasure& m = aDoc.GetMeasure();
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(70000);
    m.SetHeight(37000);
    m.SetMarTop(500);
    m.SetColumns(3);
    m.SetRows(8);
    m.LabelName = QStringLiteral("Sheet test");
    aDoc.GetData().LoadCsv(aCsvFile);
    aDoc.GetPrintInfo().SetWithData(true);
    auto* text = new TKVRText(&aDoc);
    text->SetText(QStringLiteral("Name"));
    text->SetFillType(1);
    text->SetFillName(QStringLiteral("Name"));
    text->SetID(QStringLiteral("name"));
    text->SetBase(1, 3000, 3000);
    auto* code = new TKVRBarcode(&aDoc, false);
    code->SetCode(QStringLiteral("C0000"));
    code->SetCodeType(TKVRBarType::Code128);
    code->SetBarHeight(15.0f);
    code->SetFillType(1);
    code->SetFillName(QStringLiteral("Code"));
    code->SetID(QStringLiteral("code"));
    code->SetBase(1, 3000, 12000);
}

QString RunTool(const QString& aTool, const QStringList& aArgs)
{
    QProcess p;
    p.start(aTool, aArgs);
    EXPECT_TRUE(p.waitForFinished(60000)) << aTool.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << aTool.toStdString() << ": " << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString& aPdf)
{
    const QString info = RunTool(QStringLiteral("pdfinfo"), {aPdf});
    const auto m = QRegularExpression(QStringLiteral(R"(Pages:\s+(\d+))")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QSizeF PdfPageSize(const QString& aPdf)
{
    const QString info = RunTool(QStringLiteral("pdfinfo"), {aPdf});
    const auto m = QRegularExpression(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)")).match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

std::vector<TPdfPageWord> PdfPageWords(const QString& aPdf)
{
    const QString html = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), aPdf, QStringLiteral("-")});
    static const QRegularExpression token(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<TPdfPageWord> words;
    int page = 0;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        words.push_back({page, m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return words;
}

std::vector<QImage> RasterisePages(const QString& aPdf, int aDpi)
{
    QTemporaryDir dir;
    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(aDpi), QStringLiteral("-png"), aPdf, dir.filePath(QStringLiteral("p"))});
    std::vector<QImage> pages;
    QStringList files = QDir(dir.path()).entryList({QStringLiteral("p-*.png")}, QDir::Files, QDir::Name);
    for (const QString& f : files)
        pages.push_back(QImage(dir.filePath(f)));
    return pages;
}
