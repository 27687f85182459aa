// Diagram elements where they meet the document: connectors made by name to
// symbols, and a table's rows in a fitted export.
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRLink.h"
#include "elements/TKVRSymbol.h"
#include "elements/TKVRTable.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "tests/elements/SymbolTestSupport.h"
#include <QEventLoop>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Waits for one export of the document's page and gives its error text.
QString ExportPng(TVXLabelFMX& aDoc, const QString& aFile, bool aFit)
{
    QString error = QStringLiteral("no report");
    QEventLoop loop;
    aDoc.OnExportDone = [&](QObject*, const TKVRExportResult& r) {
        error = r.Error;
        loop.quit();
    };
    aDoc.ExportDoc(3, aFile, 0, 1.0f, 100, false, false, aFit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    aDoc.OnExportDone = nullptr;
    return error;
}

int CountColour(const QImage& aImage, QRgb aColour)
{
    const QImage image = aImage.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAbs(qRed(image.pixel(x, y)) - qRed(aColour)) < 8 && qAbs(qGreen(image.pixel(x, y)) - qGreen(aColour)) < 8 &&
                 qAbs(qBlue(image.pixel(x, y)) - qBlue(aColour)) < 8;
    return n;
}

}  // namespace

// A connector made by names ends on the symbol's link point it names, at
// either end; an index that names no link point ends on the insertion point.
TEST(DiagramDocument, LinkByNameEndsOnTheSymbolsLinkPoint)
{
    TVXLabelFMX doc;
    TKVRFlow* node = TKVRFactory::AddBaseFlow(&doc, 0, 0, 20000, 10000, 1);
    node->SetID(QStringLiteral("A"));
    auto* symbol = new TKVRSymbol(&doc, false);
    symbol->SetSymbol(MakeSymbol(R"([{"Type":"Line","Points":[-5,0,5,0]}])", R"(,"Links":[-5,0,5,0])"));
    symbol->SetBase(1, 100000, 40000);
    symbol->SetID(QStringLiteral("S"));
    const TKVRPto bottomOfA{10000, 10000};

    const struct { int16_t Index; TKVRPto Lands; } cases[] = {
        {1, {95000, 40000}}, {2, {105000, 40000}}, {0, {100000, 40000}}, {3, {100000, 40000}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Index);
        TKVRLink* from = TKVRFactory::AddLink(&doc, QStringLiteral("S"), QStringLiteral("A"), c.Index, 3, 0);
        TKVRLink* to = TKVRFactory::AddLink(&doc, QStringLiteral("A"), QStringLiteral("S"), 3, c.Index, 0);
        ASSERT_TRUE(from && to);
        TKVRPto a, b;
        ASSERT_TRUE(from->ResolveAnchors(a, b));
        EXPECT_EQ(a, c.Lands);
        EXPECT_EQ(b, bottomOfA);
        ASSERT_TRUE(to->ResolveAnchors(a, b));
        EXPECT_EQ(a, bottomOfA);
        EXPECT_EQ(b, c.Lands);
    }
}

// A table that does not keep its size grows below its box with its rows: a
// fitted export holds every row the page export paints.
TEST(DiagramDocument, FittedExportHoldsTheRowsBelowATablesBox)
{
    constexpr QRgb kBody = qRgb(0x80, 0xC0, 0xFF);
    TVXLabelFMX doc;
    TKVRMeasure& m = doc.GetMeasure();
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(210000);
    m.SetHeight(297000);
    constexpr uint16_t kExported = 0x0001 | 0x0002 | 0x0008;
    doc.GetActiveLayer()->SetState(kExported);
    TKVRTable* t = TKVRFactory::AddTable(&doc, 20, 20, 100, 20);
    t->SetState(kExported);
    t->SetFilled(false);
    TKVRColumn& column = t->AddColumn(100.0f);
    column.Body.Filled = true;
    column.Body.BackColor = 0xFF000000u | kBody;
    for (int r = 1; r <= 10; ++r)
        column.Rows << QStringLiteral("Row %1").arg(r);

    QTemporaryDir dir;
    const QString page = dir.filePath("page.png"), fitted = dir.filePath("fitted.png");
    ASSERT_EQ(ExportPng(doc, page, false), QString());
    ASSERT_EQ(ExportPng(doc, fitted, true), QString());
    const int painted = CountColour(QImage(page), kBody);
    ASSERT_GT(painted, 10 * 20 * 300) << "ten rows of body fill";  // 6 mm rows, 100 mm wide at 96 dpi
    EXPECT_NEAR(CountColour(QImage(fitted), kBody), painted, painted / 50);
}
