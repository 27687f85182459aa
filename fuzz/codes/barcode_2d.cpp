// Two-dimensional symbols (QR code, Data Matrix, PDF417) with the settings of
// their elements: a value the element encodes, painted as its module runs,
// reads back with ZXing as that value; a short value in the character set of
// the symbol and its settings is never refused.
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRQRCode.h"
#include "fuzz/codes/CodeTargetSupport.h"
#include "fuzz/support/FuzzTarget.h"
#include "platform/rtl/codes/KVR.CodePage.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include <memory>

namespace {

constexpr int kPx = 2;        // pixels per module: the smallest that reads reliably
constexpr int kQuietModules = 4;

QImage PaintLayout(const TKVRSymbolLayout& aLayout, int aRowModules)
{
    const int quiet = kQuietModules * kPx;
    QImage image = kvr::fuzz::QuietImage(aLayout.Width * kPx, aLayout.Height * aRowModules * kPx, quiet);
    for (const TKVRModuleRun& run : aLayout.Runs)
        kvr::fuzz::FillDark(image, quiet + run.X * kPx, quiet + run.Y * aRowModules * kPx,
                            quiet + (run.X + run.W) * kPx, quiet + (run.Y + run.H) * aRowModules * kPx);
    return image;
}

bool HasLoneSurrogate(const QString& aText)
{
    for (qsizetype i = 0; i < aText.size(); ++i) {
        if (aText[i].isHighSurrogate() && i + 1 < aText.size() && aText[i + 1].isLowSurrogate())
            ++i;
        else if (aText[i].isSurrogate())
            return true;
    }
    return false;
}

} // namespace

KVR_FUZZ_TARGET(barcode_2d)
{
    // Byte 0: the symbol (low two bits), the QR encoding and level, and whether
    // the value is UTF-8 or Latin-1; bytes 1 and 2: PDF417 level, columns and
    // rows. The rest is the value.
    if (data.size() < 3 || data.size() > 3 + 160)
        return;
    const uint8_t kind = uint8_t(data[0]) % 3;
    const uint8_t b0 = uint8_t(data[0]) >> 2;
    const uint8_t b1 = uint8_t(data[1]);
    const uint8_t b2 = uint8_t(data[2]);
    const QByteArrayView bytes = data.sliced(3);
    const QString value = (b0 & 32) ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);

    TKVRBaseLabel label;
    TKVRBase2DCode* symbol = nullptr;
    ZXing::BarcodeFormat format = ZXing::BarcodeFormat::QRCode;
    int rowModules = 1;
    bool mustEncode = false;
    QByteArray ansi;
    const bool inCodePage = KVRCodePage::ToAnsi(value, ansi);
    switch (kind) {
    case 0: {
        auto* qr = new TKVRQRCode(&label, false);
        const TQRCodeEncoding encoding = TQRCodeEncoding(b0 % 6);  // 5 is unknown: works as Auto
        qr->SetEncoding(encoding);
        qr->SetErrorLevel((b0 >> 3) & 3);
        mustEncode = (encoding == QRCodeEncoding::Auto || encoding == QRCodeEncoding::UTF8 || encoding == 5) &&
                     !HasLoneSurrogate(value);
        symbol = qr;
        break;
    }
    case 1:
        symbol = new TKVRDataMatrix(&label, false);
        format = ZXing::BarcodeFormat::DataMatrix;
        mustEncode = inCodePage;
        break;
    default: {
        auto* pdf = new TKVRPDF417(&label, false);
        pdf->SetCorrectionLevel(TKVRPdf417CorrectionLevel(b1 % 10));
        // Columns and rows: 0 chooses freely, others are held to the symbol's range.
        pdf->SetColumns((b1 >> 4) == 0 ? 0 : (b1 >> 4) * 2);
        pdf->SetRows(b2 % 4 == 0 ? 0 : b2 % 100);
        symbol = pdf;
        format = ZXing::BarcodeFormat::PDF417;
        rowModules = 3;
        mustEncode = inCodePage && pdf->GetColumns() == 0 && pdf->GetRows() == 0;
        break;
    }
    }
    mustEncode = mustEncode && !value.isEmpty() && value.size() <= 100;

    TKVRSymbolLayout layout;
    const bool encoded = symbol->LayoutOf(value, layout);
    KVR_FUZZ_CHECK(encoded || !mustEncode, "a short value in the symbol's character set is refused");
    if (!encoded) {
        KVR_FUZZ_CHECK(layout.Runs.empty() && layout.Width == 0, "a refused value leaves modules");
        return;
    }
    KVR_FUZZ_CHECK(!value.isEmpty(), "an empty value encodes");
    KVR_FUZZ_CHECK(layout.Width > 0 && layout.Height > 0, "a symbol without modules");
    for (const TKVRModuleRun& run : layout.Runs)
        KVR_FUZZ_CHECK(run.X >= 0 && run.Y >= 0 && run.W > 0 && run.H > 0 && run.X + run.W <= layout.Width &&
                           run.Y + run.H <= layout.Height,
                       "a module run outside the symbol");
    const std::optional<QString> read = kvr::fuzz::ReadSymbol(PaintLayout(layout, rowModules), format);
    KVR_FUZZ_CHECK(read.has_value(), "an encoded value does not read");
    KVR_FUZZ_CHECK(*read == value, "the symbol reads as another value");
}
