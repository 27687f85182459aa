// A code exported as a picture (what the screen shows: whole-pixel modules)
// covers the place the PDF gives it, read back by poppler: it does not grow
// into its quiet zone, towards whatever lies beside it on the label.
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRQRCode.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "tests/document/ExportTestSupport.h"
#include "tests/support/PdfReader.h"
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Bounds of the dark pixels.
QRect DarkBounds(const QImage& aImage)
{
    const QImage img = aImage.convertToFormat(QImage::Format_Grayscale8);
    int left = img.width(), top = img.height(), right = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        const uchar* row = img.constScanLine(y);
        for (int x = 0; x < img.width(); ++x)
            if (row[x] < 128) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

TEST(CodesScreenPaper, ExportedPictureKeepsTheCodeWhereThePdfHasIt)
{
    enum TKind { QR, Matrix };
    const struct { const char* Name; TKind Kind; float Module; const char* Value; } cases[] = {
        // The demo's product label: 0.7 mm modules are 2.65 pixels at 96 dpi.
        {"qr 0.7 mm", QR, 0.7f, "BLT-M6-0040"},
        {"qr 0.5 mm", QR, 0.5f, "https://example.org/label?id=42"},
        {"qr 0.9 mm", QR, 0.9f, "NUT-W8-0100"},
        {"data matrix 0.7 mm", Matrix, 0.7f, "SN 0042-7781"},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TVXLabelFMX doc;
        TKVRMeasure& m = doc.GetMeasure();
        m.SetWidth(70000);
        m.SetHeight(42300);
        m.SetPaperWidth(70000);
        m.SetPaperHeight(42300);
        doc.GetActiveLayer()->SetState(0x000B);
        TKVRBaseItem* item = nullptr;
        if (c.Kind == QR) {
            TKVRQRCode* qr = TKVRFactory::AddQRCode(&doc, 41, 5, c.Value);
            qr->SetBarWidth(c.Module);
            qr->SetBarHeight(c.Module);
            item = qr;
        } else {
            TKVRDataMatrix* dm = TKVRFactory::AddDataMatrix(&doc, 41, 5, c.Value);
            dm->SetBarWidth(c.Module);
            dm->SetBarHeight(c.Module);
            item = dm;
        }
        item->SetState(0x000B);
        const QString png = dir.filePath("code.png"), pdf = dir.filePath("code.pdf");
        ASSERT_TRUE(RunExport(doc, KVRExportKind::Png, png).Ok());
        ASSERT_TRUE(RunExport(doc, KVRExportKind::Pdf, pdf).Ok());
        const QImage screen(png);
        const std::vector<QImage> paper = RasterisePages(pdf, 96);
        ASSERT_EQ(paper.size(), 1u);
        ASSERT_LE(std::abs(screen.width() - paper[0].width()), 1);
        const QRect s = DarkBounds(screen), p = DarkBounds(paper[0]);
        ASSERT_FALSE(p.isEmpty());
        // Whole-pixel modules may fall short of the exact symbol, and pass it
        // by a module at most: never far into the quiet zone.
        const int module = int(std::ceil(c.Module * 96.0 / 25.4)) + 1;
        EXPECT_GE(s.left(), p.left() - module) << "screen " << s.left() << " paper " << p.left();
        EXPECT_GE(s.top(), p.top() - module) << "screen " << s.top() << " paper " << p.top();
        EXPECT_LE(s.right(), p.right() + module) << "screen " << s.right() << " paper " << p.right();
        EXPECT_LE(s.bottom(), p.bottom() + module) << "screen " << s.bottom() << " paper " << p.bottom();
    }
}
