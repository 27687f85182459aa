// Codes painted on pixels read back: a module of 1.25 or 1.9 pixels must not
// come out as an uneven mix of one and two pixels, on screen or in a raster
// export. Checked with ZXing, at the module sizes that broke it.
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRQRCode.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Types.h"
#include "tests/document/InkCrop.h"
#include "tests/support/BarcodeReader.h"
#include <QEventLoop>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

enum class TSymbol { Linear, QR, DataMatrix, PDF417 };

struct TCodeRow
{
    TSymbol Symbol;
    TKVRBarType Type;
    QString Value;
    QString Decoded;  // what ZXing reads
    float Factor = 2.5f;
};

void Square(TKVRBase2DCode* aCode)
{
    aCode->SetBarWidth(0.4f);
    aCode->SetBarHeight(0.4f);
    aCode->CalcValues(2);
}

// One code at (10, 10) mm of a document, its module 0.33 mm wide (1.25 pixels
// at 96 dpi, 1.87 at one and a half times that) and 0.4 mm for the 2-D ones.
void AddCode(TVXLabelFMX& aDoc, const TCodeRow& aRow)
{
    aDoc.GetActiveLayer()->FontName = QStringLiteral("Arial");
    aDoc.GetActiveLayer()->FontHeight = 3000;
    switch (aRow.Symbol) {
    case TSymbol::Linear: {
        auto* code = TKVRFactory::AddBarcode(&aDoc, 10, 10, aRow.Value, aRow.Type);
        code->SetBarWidth(0.33f);
        code->SetBarWidthFactor(aRow.Factor);
        code->SetBarHeight(12.0f);
        code->CalcValues(2);
        break;
    }
    case TSymbol::QR: Square(TKVRFactory::AddQRCode(&aDoc, 10, 10, aRow.Value)); break;
    case TSymbol::DataMatrix: Square(TKVRFactory::AddDataMatrix(&aDoc, 10, 10, aRow.Value)); break;
    case TSymbol::PDF417: {
        auto* code = TKVRFactory::AddPDF417(&aDoc, 10, 10, aRow.Value);
        code->SetBarWidth(0.33f);
        code->SetBarHeight(1.0f);
        code->CalcValues(2);
        break;
    }
    }
}

// The document at zoom 100 % on a 96 dpi screen, its origin between pixels.
QImage OnScreen(TVXLabelFMX& aDoc)
{
    QImage image(700, 400, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    TKVRDraw draw;
    draw.SetResolution(96, 96, 1);
    draw.SetStandardWidths();
    draw.DrawState = KVRDrawState::Preview;
    draw.Zoom = 1.0f;
    draw.ScreenOffsetX = 10.4f;
    draw.ScreenOffsetY = 7.7f;
    draw.kC = TSkCanvas::Make(&image);
    draw.kP = std::make_shared<TSkPaint>();
    draw.kP->SetAntiAlias(true);
    for (int32_t i = 1; i <= aDoc.GetItemsCount(); ++i)
        aDoc.GetItem(i)->DrawElement(&draw);
    draw.kC.reset();
    return image;
}

// The page exported as a PNG at a scale, whole; null when the export failed.
QImage Exported(TVXLabelFMX& aDoc, const QString& aFile, float aScale)
{
    TKVRExportResult result;
    bool done = false;
    QEventLoop loop;
    aDoc.OnExportDone = [&](QObject*, const TKVRExportResult& r) {
        result = r;
        done = true;
        loop.quit();
    };
    EXPECT_TRUE(aDoc.ExportDoc(KVRExportKind::Png, aFile, 0, aScale, 100, false, false, false));
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!done)
        loop.exec();
    aDoc.OnExportDone = nullptr;
    EXPECT_TRUE(done && result.Ok()) << result.Error.toStdString();
    return QImage(aFile);
}

}  // namespace

TEST(WholePixelCodes, EveryReadableSymbologyDecodesOnScreenAndInRasterExports)
{
    const TCodeRow rows[] = {
        {TSymbol::Linear, TKVRBarType::EAN13, "590123412345", "5901234123457"},
        {TSymbol::Linear, TKVRBarType::EAN8, "9638507", "96385074"},
        {TSymbol::Linear, TKVRBarType::UPCA, "03600029145", "036000291452"},
        {TSymbol::Linear, TKVRBarType::UPCE, "0123456", "01234565"},
        {TSymbol::Linear, TKVRBarType::Code39, "CODE-39", "CODE-39", 3.0f},
        {TSymbol::Linear, TKVRBarType::Code93, "CODE 93", "CODE 93"},
        {TSymbol::Linear, TKVRBarType::Codabar, "A40156B", "40156", 3.0f},
        {TSymbol::Linear, TKVRBarType::Code128, "C000123", "C000123"},
        {TSymbol::Linear, TKVRBarType::Code128C, "12345678", "12345678"},
        {TSymbol::Linear, TKVRBarType::GS1_128, "(01)09501101530003", "0109501101530003"},
        {TSymbol::Linear, TKVRBarType::ITF, "1234567890", "1234567890", 3.0f},
        {TSymbol::QR, TKVRBarType::Code128, "https://example.org/a/000123", "https://example.org/a/000123"},
        {TSymbol::DataMatrix, TKVRBarType::Code128, "DM 000123", "DM 000123"},
        {TSymbol::PDF417, TKVRBarType::Code128, "PDF417 000123", "PDF417 000123"},
    };
    QTemporaryDir dir;
    for (const TCodeRow& row : rows) {
        SCOPED_TRACE(row.Value.toStdString());
        TVXLabelFMX doc;
        doc.GetMeasure().SetPaperWidth(120000);
        doc.GetMeasure().SetPaperHeight(60000);
        doc.GetMeasure().SetWidth(120000);
        doc.GetMeasure().SetHeight(60000);
        AddCode(doc, row);
        EXPECT_EQ(DecodeOne(AroundInk(OnScreen(doc), 24)).text, row.Decoded) << "screen";
        for (float scale : {1.0f, 1.5f}) {
            SCOPED_TRACE(scale);
            const QImage png = Exported(doc, dir.filePath(QStringLiteral("code.png")), scale);
            ASSERT_FALSE(png.isNull());
            EXPECT_EQ(DecodeOne(AroundInk(png, 24)).text, row.Decoded) << "export";
        }
    }
}
