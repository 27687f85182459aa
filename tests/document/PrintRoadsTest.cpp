// The short road of printing (plain rectangles, state set only when it
// changes, text without a transform of its own, each record encoded once)
// writes a smaller document that shows what the reference road shows: both
// printed, rasterised by poppler at 300 dpi and compared, and every code of
// the short road read back by ZXing.
#include "document/KVR.FMX.Shared.Factory.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRectangle.h"
#include "elements/TKVRText.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/skia/KVR.PaintRoad.h"
#include "tests/document/FactoryTestSupport.h"
#include "tests/document/InkCrop.h"
#include "tests/support/LabelDocuments.h"
#include "tests/support/PdfReader.h"
#include "tests/support/PrintQueue.h"
#include "tests/support/BarcodeReader.h"
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr double kDotsPerMm = 300.0 / 25.4;

// Where each code stands on the label (mm) and what it holds per record.
struct TCodeSpot
{
    double X, Y;
    QString Field;  // empty: its own value
    QString Own;
};

// An A4 label of every kind, with the codes apart from them and from each
// other: bound ones, one of each 2-D kind, and translucent ones over a
// translucent fill. Two records.
std::vector<TCodeSpot> BuildEveryKindSheet(TVXLabelFMX& aDoc, const QString& aCsv)
{
    QFile f(aCsv);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Name,Code,Link\nFirst label,C0001,https://example.org/a/1\nSecond label,C0002,https://example.org/a/2\n");
    f.close();
    TKVRMeasure& m = aDoc.GetMeasure();
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(210000);
    m.SetHeight(297000);
    m.SetColumns(1);
    m.SetRows(1);
    aDoc.GetActiveLayer()->FontName = QStringLiteral("Arial");
    aDoc.GetActiveLayer()->FontHeight = 3500;
    aDoc.GetData().LoadCsv(aCsv);
    aDoc.GetPrintInfo().SetWithData(true);

    AddEveryKindElements(aDoc);
    auto* glass = TKVRFactory::AddRectangle(&aDoc, 100, 150, 100, 130);
    glass->SetFilled(true);
    glass->SetBackColor(0x6640A0FFu);
    auto* name = TKVRFactory::AddText(&aDoc, 10, 172);
    name->SetText(QStringLiteral("Name"));
    name->SetFillType(1);
    name->SetFillName(QStringLiteral("Name"));

    const std::vector<TCodeSpot> spots = {
        {10, 185, QStringLiteral("Code"), {}},
        {75, 185, QStringLiteral("Link"), {}},
        {140, 185, {}, QStringLiteral("DM 12345")},
        {10, 240, {}, QStringLiteral("PDF 12345")},
        {75, 240, {}, QStringLiteral("GLASS128")},
        {140, 240, {}, QStringLiteral("glass QR")},
    };
    auto bind = [](auto* code, const TCodeSpot& s) {
        if (s.Field.isEmpty())
            return;
        code->SetFillType(1);
        code->SetFillName(s.Field);
    };
    auto* code = TKVRFactory::AddBarcode(&aDoc, 10, 185, QStringLiteral("C0000"), TKVRBarType::Code128);
    code->SetBarHeight(12.0f);
    bind(code, spots[0]);
    bind(TKVRFactory::AddQRCode(&aDoc, 75, 185, QStringLiteral("https://example.org/a/0")), spots[1]);
    TKVRFactory::AddDataMatrix(&aDoc, 140, 185, spots[2].Own);
    auto* pdf417 = TKVRFactory::AddPDF417(&aDoc, 10, 240, spots[3].Own);
    pdf417->SetBarWidth(0.33f);
    pdf417->SetBarHeight(1.0f);
    auto* glassCode = TKVRFactory::AddBarcode(&aDoc, 75, 240, spots[4].Own, TKVRBarType::Code128);
    glassCode->SetBarHeight(12.0f);
    glassCode->SetColor(0x99000000u);
    TKVRFactory::AddQRCode(&aDoc, 140, 240, spots[5].Own)->SetColor(0x99000000u);
    // Turned codes, compared only: they stand among the other kinds.
    TKVRFactory::AddBarcode(&aDoc, 100, 120, QStringLiteral("TURNED"), TKVRBarType::Code128)
        ->SetAngle(TKVRAngle::Angle270);
    TKVRFactory::AddQRCode(&aDoc, 150, 150, QStringLiteral("turned"))->SetAngle(TKVRAngle::Angle90);
    for (int32_t i = 1; i <= aDoc.GetItemsCount(); ++i) {
        aDoc.GetItem(i)->SetState(0x000F);
        aDoc.GetItem(i)->CalcValues(2);
    }
    aDoc.GetActiveLayer()->SetState(0x000F);
    return spots;
}

bool Near(QRgb a, QRgb b)
{
    constexpr int kAntialiasing = 48;
    return std::abs(qRed(a) - qRed(b)) <= kAntialiasing && std::abs(qGreen(a) - qGreen(b)) <= kAntialiasing &&
           std::abs(qBlue(a) - qBlue(b)) <= kAntialiasing;
}

// Pixels of a that no pixel of b at or next to the same place comes near:
// what differs by more than antialiasing.
int64_t Differences(const QImage& aA, const QImage& aB)
{
    const QImage a = aA.convertToFormat(QImage::Format_RGB32), b = aB.convertToFormat(QImage::Format_RGB32);
    if (a.size() != b.size())
        return -1;
    int64_t n = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy) {
                if (y + dy < 0 || y + dy >= b.height())
                    continue;
                const auto* other = reinterpret_cast<const QRgb*>(b.constScanLine(y + dy));
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = x + dx >= 0 && x + dx < b.width() && Near(row[x], other[x + dx]);
            }
            n += near ? 0 : 1;
        }
    }
    return n;
}

// The sheet printed by one road; the PDF's path.
QString PrintedBy(bool aReference, const QString& aFolder)
{
    TPdfPrinterFixture printer;
    TVXLabelFMX doc;
    BuildEveryKindSheet(doc, printer.FileName() + QStringLiteral(".csv"));
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    TKVRPaintRoad::SetReference(aReference);
    const bool printed = doc.Print();
    TKVRPaintRoad::SetReference(false);
    EXPECT_TRUE(printed) << doc.GetPrintReport().Text().toStdString();
    const QString kept = aFolder + (aReference ? QStringLiteral("/reference.pdf") : QStringLiteral("/short.pdf"));
    EXPECT_TRUE(QFile::copy(printer.FileName(), kept));
    return kept;
}

}  // namespace

TEST(PrintRoads, TheShortRoadPrintsTheReferencePicturesInFewerBytesAndEveryCodeReads)
{
    QTemporaryDir dir;
    const QString reference = PrintedBy(true, dir.path());
    const QString lean = PrintedBy(false, dir.path());
    EXPECT_LT(QFileInfo(lean).size(), QFileInfo(reference).size());

    const std::vector<QImage> expected = RasterisePages(reference, 300);
    const std::vector<QImage> pages = RasterisePages(lean, 300);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(expected.size(), pages.size());

    TVXLabelFMX layout;
    QTemporaryDir scratch;
    const std::vector<TCodeSpot> spots = BuildEveryKindSheet(layout, scratch.filePath(QStringLiteral("d.csv")));
    const QString records[2][2] = {{QStringLiteral("C0001"), QStringLiteral("https://example.org/a/1")},
                                   {QStringLiteral("C0002"), QStringLiteral("https://example.org/a/2")}};
    for (size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        EXPECT_EQ(Differences(pages[p], expected[p]), 0);
        EXPECT_EQ(Differences(expected[p], pages[p]), 0);
        for (const TCodeSpot& s : spots) {
            const QString value = s.Field == QStringLiteral("Code")   ? records[p][0]
                                  : s.Field == QStringLiteral("Link") ? records[p][1]
                                                                      : s.Own;
            SCOPED_TRACE(value.toStdString());
            const QRect cell(int((s.X - 6) * kDotsPerMm), int((s.Y - 6) * kDotsPerMm), int(58 * kDotsPerMm),
                             int(48 * kDotsPerMm));
            EXPECT_EQ(DecodeOne(AroundInk(pages[p].copy(cell), 48)).text, value);
        }
    }
}
