// Linear barcodes: any value for any symbology is either refused by every
// step (validation, preparation, bar pattern, the element) or encoded by all
// of them; an accepted value, painted as the painters lay out its pattern or
// by the element's screen painter, reads back
// with ZXing as the prepared value (check characters as the symbology shows
// them) wherever ZXing knows the symbology.
#include "elements/TKVRBarcode.h"
#include "fuzz/codes/CodeTargetSupport.h"
#include "fuzz/support/FuzzTarget.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/codes/KVR.Barcode.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRDraw.h"

namespace {

constexpr int kModule = 2;  // pixels per module: the smallest that reads reliably
constexpr int kRatio = 3;
constexpr int kBarHeight = 30;
constexpr int kQuiet = 24;

QImage PaintPattern(const QByteArray& aPattern)
{
    const std::vector<TKVRBarElement> bars = TBarcode::LayOutPattern(aPattern, kModule, kRatio);
    const int width = bars.empty() ? 0 : RoundHalfEven32(bars.back().Right);
    QImage image = kvr::fuzz::QuietImage(width, kBarHeight + 6, kQuiet);
    for (const TKVRBarElement& e : bars) {
        int top = kQuiet, bottom = kQuiet + kBarHeight;
        if (e.Bar == TKVRDrawBar::Space)
            continue;
        if (e.Bar == TKVRDrawBar::Short)
            top = bottom - 2 * kBarHeight / 5;
        else if (e.Bar == TKVRDrawBar::Guard)
            bottom += 6;
        kvr::fuzz::FillDark(image, kQuiet + RoundHalfEven32(e.Left), top, kQuiet + RoundHalfEven32(e.Right), bottom);
    }
    return image;
}

// The barcode element with that value, painted by the screen or the printer
// painter at 254 dpi (0.2 mm modules are two pixels) with a 2 mm margin;
// whether it took the value.
QImage PaintElement(const QByteArray& aValue, TKVRBarType aType, bool aChecksum, bool aShowNumber, bool aPaper,
                    bool& oValid)
{
    TKVRBaseLabel label;
    auto* barcode = new TKVRBarcode(&label, false);
    barcode->SetCode(aValue);
    barcode->SetCodeType(aType);
    barcode->SetChecksum(aChecksum);
    barcode->SetShowNumber(aShowNumber);
    barcode->SetBarWidth(0.2f);
    barcode->SetBarHeight(4.0f);
    barcode->CalcValues(1);
    const TKVRRect box = barcode->GetBounds();
    barcode->SetBase(1, 2000 - box.Left, 2000 - box.Top);
    barcode->CalcValues(1);
    oValid = barcode->GetValid();
    constexpr int kDpi = 254;
    QImage image(int((box.Width() + 4000) * kDpi / 25400) + 1, int((box.Height() + 4000) * kDpi / 25400) + 1,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const int dotsPerMetre = kDpi * 10000 / 254;
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    TKVRDraw draw;
    draw.SetResolution(kDpi, kDpi, 1);
    draw.SetStandardWidths();
    if (aPaper) {
        TCanvas canvas(&image);
        canvas.BeginScene();
        draw.DrawState = KVRDrawState::Print;
        draw.pC = &canvas;
        barcode->PrintElement(&draw);
        canvas.EndScene();
    } else {
        draw.DrawState = KVRDrawState::Preview;
        draw.kC = TSkCanvas::Make(&image);
        draw.kP = std::make_shared<TSkPaint>();
        barcode->DrawElement(&draw);
        draw.kC.reset();
    }
    return image.convertToFormat(QImage::Format_Grayscale8);
}

// The characters a symbology takes, for inputs mapped onto them.
QByteArray Alphabet(TKVRBarType aType)
{
    QByteArray keys;
    for (int c = 1; c < 256; ++c)
        if (TBarcode::IsValidKey(aType, QChar(char16_t(c))))
            keys += char(c);
    return keys;
}

struct Reading
{
    ZXing::BarcodeFormat Format = ZXing::BarcodeFormat::None;  // None: ZXing does not read the symbology
    QString Expected;
    bool FullAscii = false;
    bool Check = false;
};

// What ZXing gives for an accepted value: the prepared value as the
// symbology carries it.
Reading ReadingOf(TKVRBarType aType, const QByteArray& aValue, const QByteArray& aPrepared, bool aChecksum)
{
    using F = ZXing::BarcodeFormat;
    const QString prepared = QString::fromLatin1(aPrepared);
    switch (aType) {
    case TKVRBarType::EAN13: return {F::EAN13, prepared};
    case TKVRBarType::EAN8: return {F::EAN8, prepared};
    case TKVRBarType::UPCA: return {F::UPCA, prepared};
    case TKVRBarType::UPCE: return {F::UPCE, prepared};
    case TKVRBarType::Code39: return {F::Code39, prepared};
    case TKVRBarType::Code39Ext: return {F::Code39, QString::fromLatin1(aValue), true, aChecksum};
    case TKVRBarType::Code93:
    case TKVRBarType::Code93Ext: return {F::Code93, prepared};
    // The reader drops the start and stop characters, and reads no symbol
    // of fewer than four characters with them.
    case TKVRBarType::Codabar:
        return aPrepared.size() < 4 ? Reading{} : Reading{F::Codabar, prepared.mid(1, prepared.size() - 2)};
    case TKVRBarType::Code128A:
    case TKVRBarType::Code128B:
    case TKVRBarType::Code128:
    case TKVRBarType::Code128C: return {F::Code128, prepared};
    // The reader gives the element strings without parentheses.
    case TKVRBarType::GS1_128A:
    case TKVRBarType::GS1_128B:
    case TKVRBarType::GS1_128:
    case TKVRBarType::GS1_128C: return {F::Code128, QString(prepared).remove(u'(').remove(u')')};
    // ZXing reads no Interleaved 2 of 5 shorter than six digits.
    case TKVRBarType::ITF: return aPrepared.size() < 6 ? Reading{} : Reading{F::ITF, prepared};
    case TKVRBarType::ITF14: return {F::ITF, prepared};
    default: return {};
    }
}

bool IsGs1(TKVRBarType aType)
{
    return aType >= TKVRBarType::GS1_128A && aType <= TKVRBarType::GS1_128C;
}

} // namespace

KVR_FUZZ_TARGET(barcode_linear)
{
    // Byte 0 picks the symbology (one number past the last is unknown), byte 1
    // the options: check characters, human-readable number, and whether the
    // value's bytes are mapped onto the symbology's characters.
    if (data.size() < 2 || data.size() > 2 + 48)
        return;
    const auto type = TKVRBarType(uint8_t(data[0]) % (KVRBarTypeCount + 1));
    const uint8_t flags = uint8_t(data[1]);
    const bool checksum = flags & 1;
    const bool showNumber = flags & 2;
    QByteArray value = data.sliced(2).toByteArray();
    if (flags & 4) {
        const QByteArray keys = Alphabet(type);
        for (char& c : value)
            c = keys.isEmpty() ? c : keys[uint8_t(c) % keys.size()];
    }

    const bool valid = TBarcode::IsValidCode(value, type, checksum, false);
    KVR_FUZZ_CHECK(valid == TBarcode::IsValidCode(QString::fromLatin1(value), type, checksum, false),
                   "bytes and their Latin-1 text are judged apart");
    QByteArray text = "x";
    TKVR128AutoType subset = TKVR128AutoType::Auto;
    const QByteArray prepared = TBarcode::PrepareBarcode(value, type, checksum, false, false, text, subset);
    KVR_FUZZ_CHECK(valid == !prepared.isEmpty(), "validation and preparation disagree");
    KVR_FUZZ_CHECK(valid || text.isEmpty(), "a refused value has a text");
    const QByteArray pattern = TBarcode::FillBarPattern(prepared, type, subset, showNumber);
    KVR_FUZZ_CHECK(valid == !pattern.isEmpty(), "validation and the bar pattern disagree");
    if (!valid)
        return;
    KVR_FUZZ_CHECK(prepared.size() >= value.size(), "the prepared value lost characters");
    KVR_FUZZ_CHECK(TBarcode::BarCodeWidth(pattern, 0.3f, 2.5f) > 0, "bars without width");

    // Flag 8: the element paints it (flag 16: on paper), else the pattern is laid out here.
    QImage image;
    if (flags & 8) {
        bool taken = false;
        image = PaintElement(value, type, checksum, showNumber, flags & 16, taken);
        KVR_FUZZ_CHECK(taken, "the element refuses a valid value");
    }
    const Reading reading = ReadingOf(type, value, prepared, checksum);
    if (reading.Format == ZXing::BarcodeFormat::None)
        return;
    std::optional<QString> read = kvr::fuzz::ReadSymbol(image.isNull() ? PaintPattern(pattern) : image,
                                                        reading.Format, reading.FullAscii, reading.Check);
    KVR_FUZZ_CHECK(read.has_value(), "an accepted value does not read");
    if (IsGs1(type))
        read->remove(QChar(0x1D));  // the separator after a variable-length field
    KVR_FUZZ_CHECK(*read == reading.Expected, "the symbol reads as another value");
}
