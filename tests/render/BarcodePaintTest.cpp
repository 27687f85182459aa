#define ZX_USE_UTF8 1
#include "render/KVR.FMX.Types.h"
#include "platform/rtl/KVR.Model.Utils.h"
#include "platform/skia/System.Skia.h"
#include "tests/fmx/FmxTestImage.h"
#include "tests/skia/SkiaTestUtil.h"
#include "tests/support/BarcodeReader.h"
#include <QDir>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

namespace {

// A barcode source backed by the package's encoder, set up as the barcode
// element sets itself up: validated, prepared, patterned.
class TestBarcode : public TKVRBarcodeIntf
{
public:
    QByteArray Value;
    TKVRBarType Type = TKVRBarType::Code128;
    float BarWidth = 0.33f;
    float Factor = 2.5f;
    float BarHeight = 15.0f;
    float PaddingX = 0.0f;
    float PaddingY = 0.0f;
    float FontHeight = 3.0f;
    TKVRHorzAlign Align = TKVRHorzAlign::Left;
    TKVRAngle Angle = TKVRAngle::Angle0;
    bool ShowNumber = true;
    QString FontName = QStringLiteral("Arial");
    bool Valid = false;
    QByteArray Code;     // the prepared value, shown as the number
    QByteArray Pattern;

    static std::shared_ptr<TestBarcode> Make(const QByteArray& value, TKVRBarType type, float factor = 2.5f)
    {
        auto b = std::make_shared<TestBarcode>();
        b->Value = value;
        b->Type = type;
        b->Factor = factor;
        b->Encode();
        return b;
    }
    void Encode()
    {
        Valid = TBarcode::IsValidCode(Value, Type, false, false);
        QByteArray text;
        TKVR128AutoType subset = TKVR128AutoType::Auto;
        Code = TBarcode::PrepareBarcode(Value, Type, false, false, false, text, subset);
        Pattern = TBarcode::FillBarPattern(Code, Type, subset, ShowNumber);
    }
    // Width of the bars in micrometres.
    int32_t BarsWidth() const { return TBarcode::BarCodeWidth(Pattern, BarWidth, Factor); }

    float GetBarWidth() const override { return BarWidth; }
    float GetBarHeight() const override { return BarHeight; }
    float GetPaddingX() const override { return PaddingX; }
    float GetPaddingY() const override { return PaddingY; }
    float GetFactor() const override { return Factor; }
    TKVRHorzAlign GetHorzAlign() const override { return Align; }
    TKVRAngle GetAngle() const override { return Angle; }
    float GetFontHeight() const override { return FontHeight; }
    bool GetShowNumber() const override { return ShowNumber; }
    TKVRBarType GetBarType() const override { return Type; }
    QByteArray GetCodeText() const override { return Code; }
    QByteArray GetBarPattern() const override { return Pattern; }
    void Reserved13() override {}
    QString GetFontName() const override { return FontName; }
    float LengthToPixels(float aLength, int32_t aResolution) const override
    {
        return float(double(aLength) * aResolution / 25.4);
    }
    int32_t LengthToDots(float aLength, int32_t aResolution) const override
    {
        return RoundHalfEven32(double(aLength) * aResolution / 25.4);
    }
};

double FontRatio()
{
    int32_t asc, des, und, lh;
    double ratio;
    TKVRCalc::FontSettings(QStringLiteral("Arial"), 10000, false, false, asc, des, und, lh, ratio);
    return ratio;
}

// A context at a resolution, with a transparent raster canvas or a printer
// canvas over a white image.
TKVRDraw Context(int dpi)
{
    TKVRDraw d;
    d.SetResolution(dpi, dpi);
    d.SetStandardWidths();
    d.kP = std::make_shared<TSkPaint>();
    return d;
}

int64_t Micrometres(double px, const TKVRDraw& d)
{
    return RoundHalfEven(px / d.PixelsPerMicX);
}

// Where a barcode goes in an image that holds it at a quarter turn with a
// margin all round: the image size and the anchor (point 1) in pixels.
struct Placement
{
    QSize size;
    QPointF anchor;
    int32_t width = 0, height = 0;  // the element's bounds in micrometres
};

Placement Place(const TestBarcode& b, const TKVRDraw& d, int margin = 120)
{
    const double k = d.TextFactor;
    const double along = b.BarsWidth() / 1000.0 * k;
    const double across = (b.BarHeight + 1.5 * b.FontHeight) * k;
    const int l = int(along) + 2 * margin, s = int(across) + 2 * margin;
    Placement p;
    const int32_t alongMic = b.BarsWidth();
    const int32_t acrossMic = int32_t(Micrometres(across, d));
    switch (int(b.Angle)) {
    case 1: p = {QSize(s, l), QPointF(margin, l - margin), acrossMic, alongMic}; break;
    case 2: p = {QSize(l, s), QPointF(l - margin, s - margin), alongMic, acrossMic}; break;
    case 3: p = {QSize(s, l), QPointF(s - margin, margin), acrossMic, alongMic}; break;
    default: p = {QSize(l, s), QPointF(margin, margin), alongMic, acrossMic}; break;
    }
    return p;
}

TKVRPto Pto(const QPointF& px, const TKVRDraw& d)
{
    return {Micrometres(px.x(), d), Micrometres(px.y(), d)};
}

QImage Draw(const std::shared_ptr<TestBarcode>& b, int dpi = 300, int margin = 120)
{
    TKVRDraw d = Context(dpi);
    const Placement p = Place(*b, d, margin);
    d.kC = TSkCanvas::MakeRaster(p.size.width(), p.size.height());
    DrawBarcode(&d, b, Pto(p.anchor, d), TAlphaColors::Black, p.width, p.height, FontRatio());
    return SkTest::Pixels(d.kC);
}

QImage Print(const std::shared_ptr<TestBarcode>& b, int dpi = 300, int margin = 120)
{
    TKVRDraw d = Context(dpi);
    d.DrawState = KVRDrawState::Print;
    const Placement p = Place(*b, d, margin);
    CanvasImage c(p.size.width(), p.size.height(), dpi);
    d.pC = c.canvas.get();
    PrintBarcode(&d, b, Pto(p.anchor, d), TAlphaColors::Black, b->BarsWidth(), 0, FontRatio(), b->Code, b->Pattern);
    return c.Done().copy();
}

struct Symbology
{
    TKVRBarType type;
    QByteArray value;
    QString decoded;  // what a reader finds in the bars
    QString format;   // ZXing's name of the symbology
    float factor = 2.5f;
};

// The raw Code 39 characters of a full-ASCII value of letters, digits and blanks.
QString Code39Shifted(const QString& s)
{
    QString out;
    for (QChar c : s)
        out += c.isLower() ? QStringLiteral("+") + c.toUpper() : QString(c);
    return out;
}

const std::vector<Symbology>& Readable()
{
    static const std::vector<Symbology> all = {
        {TKVRBarType::EAN13, "590123412345", "5901234123457", "EAN-13"},
        {TKVRBarType::EAN8, "9638507", "96385074", "EAN-8"},
        {TKVRBarType::UPCA, "03600029145", "036000291452", "UPC-A"},
        {TKVRBarType::UPCE, "0123456", "01234565", "UPC-E"},
        {TKVRBarType::Code39, "CODE-39 A", "CODE-39 A", "Code39"},
        {TKVRBarType::Code39Ext, "Code39 x", Code39Shifted("Code39 x"), "Code39", 3.0f},
        {TKVRBarType::Code93, "CODE 93", "CODE 93", "Code93"},
        {TKVRBarType::Code93Ext, "Code93 x", "Code93 x", "Code93"},
        {TKVRBarType::Codabar, "A40156B", "40156", "Codabar", 3.0f},
        {TKVRBarType::Code128A, "HELLO 128", "HELLO 128", "Code128"},
        {TKVRBarType::Code128B, "hello 128", "hello 128", "Code128"},
        {TKVRBarType::Code128, "Mixed 12345678", "Mixed 12345678", "Code128"},
        {TKVRBarType::Code128C, "12345678", "12345678", "Code128"},
        {TKVRBarType::GS1_128A, "(01)09501101530003", "0109501101530003", "Code128"},
        {TKVRBarType::GS1_128B, "(10)abc123", "10abc123", "Code128"},
        {TKVRBarType::GS1_128, "(01)09501101530003(10)AB12", "010950110153000310AB12", "Code128"},
        {TKVRBarType::GS1_128C, "(01)09501101530003", "0109501101530003", "Code128"},
        {TKVRBarType::ITF, "12345678", "12345678", "ITF", 3.0f},
        {TKVRBarType::ITF14, "1234567890123", "12345678901231", "ITF"},
    };
    return all;
}

// Decodes a barcode painted at a quarter turn. The image is turned back
// upright (losslessly) and read without the reader's own turning: ZXing 1.4
// aborts on an assertion while merging the results of its turned passes for
// some symbols (UPC-A), which the shared reader would hit.
DecodedSymbol DecodeTurned(const QImage& image, int quarterTurns)
{
    const QImage upright = image.transformed(QTransform().rotate(90.0 * quarterTurns));
    QImage grey(upright.width() + 40, upright.height() + 40, QImage::Format_Grayscale8);
    grey.fill(255);
    QPainter p(&grey);
    p.drawImage(20, 20, upright);  // transparent ink-free pixels read as paper
    p.end();
    ZXing::DecodeHints hints;
    hints.setTryHarder(true);
    hints.setTryRotate(false);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    const ZXing::Result r = ZXing::ReadBarcode(view, hints);
    if (!r.isValid())
        return {};
    return {QString::fromStdString(r.text()), QString::fromUtf8(ZXing::ToString(r.format()))};
}

void SavePng(const QImage& image, const QString& name)
{
    const QString dir = qEnvironmentVariable("KVR_TEST_PNG_DIR");
    if (!dir.isEmpty())
        image.save(QDir(dir).filePath(name));
}

// Ink of a painted image: alpha on screen, darkness on paper.
bool Dark(const QImage& img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return qAlpha(p) > 127 && qGray(p) < 128;
}

QRect DarkBounds(const QImage& img, const QRect& within)
{
    const QRect area = within & img.rect();
    QRect r;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (Dark(img, x, y))
                r |= QRect(x, y, 1, 1);
    return r;
}

}  // namespace

TEST(BarcodePaint, EverySymbologyReadsBackAtEveryQuarterTurn)
{
    for (const Symbology& s : Readable()) {
        const auto b = TestBarcode::Make(s.value, s.type, s.factor);
        SCOPED_TRACE(s.value.toStdString());
        ASSERT_TRUE(b->Valid);
        for (int angle = 0; angle < 4; ++angle) {
            b->Angle = TKVRAngle(angle);
            SCOPED_TRACE(angle);
            const DecodedSymbol screen = DecodeTurned(Draw(b), angle);
            EXPECT_EQ(screen.text, s.decoded);
            EXPECT_EQ(screen.format, s.format);
            const DecodedSymbol paper = DecodeTurned(Print(b), angle);
            EXPECT_EQ(paper.text, s.decoded);
            EXPECT_EQ(paper.format, s.format);
        }
    }
}

TEST(BarcodePaint, ValuesTheEncoderRefusesAreNeverPainted)
{
    const std::vector<std::pair<TKVRBarType, QByteArray>> refused = {
        {TKVRBarType::EAN13, "12345"},         {TKVRBarType::EAN13, "5901234123458"},
        {TKVRBarType::EAN8, "123456"},         {TKVRBarType::UPCA, "1234"},
        {TKVRBarType::UPCE, "2123456"},        {TKVRBarType::Code39, "abc"},
        {TKVRBarType::Code93, "abc"},          {TKVRBarType::Codabar, "1234"},
        {TKVRBarType::Code128A, "abc"},        {TKVRBarType::Code128C, "123"},
        {TKVRBarType::GS1_128, "(01)09501101530004"}, {TKVRBarType::ITF, "123"},
        {TKVRBarType::ITF14, "12345678901234"}, {TKVRBarType(23), "123"},
    };
    for (const auto& [type, value] : refused) {
        SCOPED_TRACE(value.toStdString() + " type " + std::to_string(int(type)));
        const auto b = TestBarcode::Make(value, type);
        EXPECT_FALSE(b->Valid);
        EXPECT_TRUE(b->Pattern.isEmpty());
        EXPECT_TRUE(DecodeAll(Draw(b)).empty());
    }
}

TEST(BarcodePaint, WidthClassesAndBarKinds)
{
    // 254 dpi: ten pixels per millimetre, so M = 2 for a 0.2 mm module.
    auto source = std::make_shared<TestBarcode>();
    source->BarWidth = 0.2f;
    source->Factor = 2.5f;
    source->BarHeight = 3.0f;
    source->ShowNumber = false;
    source->Pattern = QByteArray() + TBarcode::BarChar(TKVRDrawWidth::Module, TKVRDrawBar::Full) +
                      TBarcode::BarChar(TKVRDrawWidth::Module, TKVRDrawBar::Space) +
                      TBarcode::BarChar(TKVRDrawWidth::Ratio, TKVRDrawBar::Full) +
                      TBarcode::BarChar(TKVRDrawWidth::Triple, TKVRDrawBar::Space) +
                      TBarcode::BarChar(TKVRDrawWidth(9), TKVRDrawBar::Full);  // repeats 3M
    // Bars from 0 to 2, 4 to 9 and 15 to 21; the origin is at x 10.
    const std::vector<int> expected = {0, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0};
    auto row = [](const QImage& img) {
        std::vector<int> r;
        for (int x = 8; x < 8 + 24; ++x)
            r.push_back(Dark(img, x, 20));
        return r;
    };

    TKVRDraw d = Context(254);
    d.kC = TSkCanvas::MakeRaster(60, 60);
    d.ScreenOffsetX = 10;
    d.ScreenOffsetY = 5;
    DrawBarcode(&d, source, TKVRPto{}, TAlphaColors::Black, 0, 0, 1.0);
    EXPECT_EQ(row(SkTest::Pixels(d.kC)), expected);

    CanvasImage c(60, 60, 254);
    TKVRDraw p = Context(254);
    p.pC = c.canvas.get();
    p.PrintOffsetX = 10;
    p.PrintOffsetY = 5;
    PrintBarcode(&p, source, TKVRPto{}, TAlphaColors::Black, 0, 0, 1.0, {}, source->Pattern);
    EXPECT_EQ(row(c.Done()), expected);
}

TEST(BarcodePaint, ShortAndGuardBarExtents)
{
    // Bar height 10 pixels, text height 4 pixels: short bars cover 6 to 10,
    // guard bars reach 13.
    auto source = std::make_shared<TestBarcode>();
    source->BarWidth = 0.2f;
    source->BarHeight = 1.0f;
    source->FontHeight = 0.4f;
    source->ShowNumber = false;
    source->Pattern = QByteArray() + TBarcode::BarChar(TKVRDrawWidth::Module, TKVRDrawBar::Short) +
                      TBarcode::BarChar(TKVRDrawWidth::Module, TKVRDrawBar::Space) +
                      TBarcode::BarChar(TKVRDrawWidth::Module, TKVRDrawBar::Guard) +
                      TBarcode::BarChar(TKVRDrawWidth::Module, TKVRDrawBar::Space) +
                      TBarcode::BarChar(TKVRDrawWidth::Module, TKVRDrawBar::Full);
    auto column = [](const QImage& img, int x) {
        std::vector<int> r;
        for (int y = 0; y < 16; ++y)
            r.push_back(Dark(img, x, y));
        return r;
    };
    const std::vector<int> shortBar = {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0};
    const std::vector<int> guardBar = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0};
    const std::vector<int> fullBar = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0};

    TKVRDraw d = Context(254);
    d.kC = TSkCanvas::MakeRaster(20, 20);
    DrawBarcode(&d, source, TKVRPto{}, TAlphaColors::Black, 0, 0, 1.0);
    const QImage screen = SkTest::Pixels(d.kC);
    EXPECT_EQ(column(screen, 1), shortBar);
    EXPECT_EQ(column(screen, 5), guardBar);
    EXPECT_EQ(column(screen, 9), fullBar);

    CanvasImage c(20, 20, 254);
    TKVRDraw p = Context(254);
    p.pC = c.canvas.get();
    PrintBarcode(&p, source, TKVRPto{}, TAlphaColors::Black, 0, 0, 1.0, {}, source->Pattern);
    const QImage paper = c.Done();
    EXPECT_EQ(column(paper, 1), shortBar);
    EXPECT_EQ(column(paper, 5), guardBar);
    EXPECT_EQ(column(paper, 9), fullBar);
}

TEST(BarcodePaint, CanvasStateIsRestoredWithAndWithoutText)
{
    for (bool show : {false, true}) {
        auto b = TestBarcode::Make("590123412345", TKVRBarType::EAN13);
        b->ShowNumber = show;
        b->Encode();  // guard bars only with the number
        b->Angle = TKVRAngle::Angle90;
        TKVRDraw d = Context(300);
        const Placement p = Place(*b, d);
        d.kC = TSkCanvas::MakeRaster(p.size.width(), p.size.height());
        d.kC->Translate(3, 4);
        const int32_t count = d.kC->GetSaveCount();
        const TMatrix matrix = d.kC->GetLocalToDevice();
        DrawBarcode(&d, b, Pto(p.anchor - QPointF(3, 4), d), TAlphaColors::Black, p.width, p.height, FontRatio());
        EXPECT_EQ(d.kC->GetSaveCount(), count);
        EXPECT_EQ(d.kC->GetLocalToDevice(), matrix);
        // Without the number nothing stands beside the bars (right of them when turned).
        const QImage img = SkTest::Pixels(d.kC);
        const double k = d.TextFactor;
        const int barsEnd = int(p.anchor.x() + b->BarHeight * k);
        const QRect beside = DarkBounds(img, QRect(barsEnd + 1, 0, img.width() - barsEnd - 1, img.height()));
        EXPECT_EQ(beside.isNull(), !show);
        // The bars are there either way.
        EXPECT_FALSE(DarkBounds(img, QRect(0, 0, barsEnd, img.height())).isNull());
    }
}

TEST(BarcodePaint, TextDoesNotPickUpAStrokeWidthLeftOnThePaint)
{
    const auto b = TestBarcode::Make("590123412345", TKVRBarType::EAN13);
    auto paint = [&](float staleWidth) {
        TKVRDraw d = Context(300);
        const Placement p = Place(*b, d);
        d.kC = TSkCanvas::MakeRaster(p.size.width(), p.size.height());
        d.kP->SetStrokeWidth(staleWidth);
        d.kP->SetStyle(TSkPaintStyle::Stroke);
        DrawBarcode(&d, b, Pto(p.anchor, d), TAlphaColors::Black, p.width, p.height, FontRatio());
        // The paint is left as the text set it: filled, without a stroke width.
        EXPECT_EQ(d.kP->GetStrokeWidth(), 0.0f);
        EXPECT_EQ(d.kP->GetStyle(), TSkPaintStyle::Fill);
        return SkTest::Pixels(d.kC);
    };
    const QImage clean = paint(0.0f);
    EXPECT_EQ(paint(25.0f), clean);
    EXPECT_EQ(DecodeOne(clean).text, "5901234123457");
}

TEST(BarcodePaint, Ean13FirstDigitStandsOneModuleLeftOnScreenAndTouchesOnPaper)
{
    // A 1 mm module at 300 dpi is 11.8 pixels, far more than a digit's side bearing.
    auto b = TestBarcode::Make("590123412345", TKVRBarType::EAN13);
    b->BarWidth = 1.0f;
    b->Encode();
    TKVRDraw d = Context(300);
    const Placement p = Place(*b, d, 200);
    const double m = b->BarWidth * d.TextFactor;
    const int barsTop = int(p.anchor.y()), barsLeft = int(p.anchor.x());
    const int textTop = barsTop + int(b->BarHeight * d.TextFactor) + 2;
    const QRect leftOfBars(0, textTop, barsLeft - 1, 200);

    const QRect screen = DarkBounds(Draw(b, 300, 200), leftOfBars);
    ASSERT_FALSE(screen.isNull());
    EXPECT_LE(screen.right(), barsLeft - m + 1);
    EXPECT_GE(screen.right(), barsLeft - m - 4);

    const QRect paper = DarkBounds(Print(b, 300, 200), leftOfBars);
    ASSERT_FALSE(paper.isNull());
    EXPECT_LE(paper.right(), barsLeft);
    EXPECT_GE(paper.right(), barsLeft - 4);
}

TEST(BarcodePaint, ShortTextsOfEanAndUpcAreCentredUnderTheBars)
{
    // The digit groups need the symbology's full text; anything shorter is
    // centred as a whole instead of being read past its end.
    for (const QByteArray& text : {QByteArray("12345"), QByteArray("590123412345"), QByteArray("1")}) {
        for (TKVRBarType type : {TKVRBarType::EAN13, TKVRBarType::UPCA}) {
            SCOPED_TRACE(text.toStdString() + " type " + std::to_string(int(type)));
            auto b = TestBarcode::Make(type == TKVRBarType::EAN13 ? "590123412345" : "03600029145", type);
            b->ShowNumber = false;  // bars without guards: only text below them
            b->Encode();
            b->ShowNumber = true;
            b->Code = text;
            TKVRDraw d = Context(300);
            const Placement p = Place(*b, d);
            const double barsCentre = p.anchor.x() + b->BarsWidth() / 2000.0 * d.TextFactor;
            const QRect below(0, int(p.anchor.y() + b->BarHeight * d.TextFactor) + 1, p.size.width(), 150);
            for (const QImage& img : {Draw(b), Print(b)}) {
                const QRect ink = DarkBounds(img, below);
                ASSERT_FALSE(ink.isNull());
                EXPECT_NEAR((ink.left() + ink.right() + 1) / 2.0, barsCentre, 3.0);
            }
        }
    }
}

TEST(BarcodePaint, CentreAlignmentMovesByHalfTheBoundsAlongTheBars)
{
    auto b = TestBarcode::Make("ABC", TKVRBarType::Code39);
    b->Angle = TKVRAngle::Angle90;
    b->ShowNumber = false;
    b->Encode();
    const int32_t width = 30000, height = 20000;  // bounds in micrometres
    auto screen = [&](TKVRHorzAlign align) {
        b->Align = align;
        TKVRDraw d = Context(300);
        d.kC = TSkCanvas::MakeRaster(400, 800);
        DrawBarcode(&d, b, Pto(QPointF(100, 600), d), TAlphaColors::Black, width, height, 1.0);
        return DarkBounds(SkTest::Pixels(d.kC), QRect(0, 0, 400, 800));
    };
    auto paper = [&](TKVRHorzAlign align) {
        b->Align = align;
        TKVRDraw d = Context(300);
        CanvasImage c(400, 800, 300);
        d.pC = c.canvas.get();
        PrintBarcode(&d, b, Pto(QPointF(100, 600), d), TAlphaColors::Black, width, height, 1.0, b->Code, b->Pattern);
        return DarkBounds(c.Done(), QRect(0, 0, 400, 800));
    };
    const TKVRDraw d = Context(300);
    // Turned by a quarter, the bars run upwards: centring moves them down.
    const QRect s0 = screen(TKVRHorzAlign::Left), s1 = screen(TKVRHorzAlign::Center);
    EXPECT_EQ(s1.left(), s0.left());
    EXPECT_NEAR(s1.top() - s0.top(), DrawFromBaseX(height / 2, &d), 1.0);
    const QRect p0 = paper(TKVRHorzAlign::Left), p1 = paper(TKVRHorzAlign::Center);
    EXPECT_EQ(p1.left(), p0.left());
    EXPECT_NEAR(p1.top() - p0.top(), PrintFromBaseX(width / 2, &d), 1.0);
}

TEST(BarcodePaint, DataMarkerIsAnEightPixelSquareOfThreeBands)
{
    TKVRDraw d = Context(96);
    d.kC = TSkCanvas::MakeRaster(200, 100);
    d.kP->SetPathEffect(TSkPathEffect::MakeDash({2, 2}, 0));
    DrawData(&d, 100, 50);
    const QImage img = SkTest::Pixels(d.kC);
    EXPECT_EQ(SkTest::InkBounds(img), QRect(96, 46, 8, 8));
    for (int y = 46; y < 54; ++y) {
        const QRgb expected = (y < 48 || y >= 52) ? 0xFF808080u : 0xFF90EE90u;
        for (int x = 96; x < 104; ++x)
            EXPECT_EQ(img.pixel(x, y), expected) << x << "," << y;
    }
    EXPECT_EQ(d.kP->GetColor(), TAlphaColors::LightGreen);
    EXPECT_EQ(d.kP->GetStyle(), TSkPaintStyle::Fill);
}

TEST(BarcodePaint, SheetOfEverySymbologyAtAQuarterTurn)
{
    const std::vector<std::pair<TKVRBarType, QByteArray>> values = {
        {TKVRBarType::EAN13, "590123412345"}, {TKVRBarType::EAN8, "9638507"},
        {TKVRBarType::UPCA, "03600029145"},   {TKVRBarType::UPCE, "0123456"},
        {TKVRBarType::Code39, "CODE 39"},     {TKVRBarType::Code39Ext, "Code39e"},
        {TKVRBarType::Code93, "CODE 93"},     {TKVRBarType::Code93Ext, "Code93e"},
        {TKVRBarType::Codabar, "A40156B"},    {TKVRBarType::Code128A, "ABC 128"},
        {TKVRBarType::Code128B, "abc 128"},   {TKVRBarType::Code128, "Ab 1234"},
        {TKVRBarType::Code128C, "123456"},    {TKVRBarType::GS1_128A, "(10)ABC"},
        {TKVRBarType::GS1_128B, "(10)abc"},   {TKVRBarType::GS1_128, "(10)AB12"},
        {TKVRBarType::GS1_128C, "(10)1234"},  {TKVRBarType::ITF, "123456"},
        {TKVRBarType::ITF14, "1234567890123"}, {TKVRBarType::Industrial25, "12345"},
        {TKVRBarType::Code11, "123-45"},      {TKVRBarType::MSI, "12345"},
        {TKVRBarType::Postnet, "12345"},
    };
    ASSERT_EQ(int(values.size()), KVRBarTypeCount);
    std::vector<QImage> screen, paper;
    for (const auto& [type, value] : values) {
        auto b = TestBarcode::Make(value, type, 2.5f);
        SCOPED_TRACE(value.toStdString());
        ASSERT_TRUE(b->Valid);
        ASSERT_FALSE(b->Pattern.isEmpty());
        b->Angle = TKVRAngle::Angle90;
        screen.push_back(Draw(b, 150, 40));
        paper.push_back(Print(b, 150, 40));
        EXPECT_FALSE(DarkBounds(screen.back(), screen.back().rect()).isNull());
        EXPECT_FALSE(DarkBounds(paper.back(), paper.back().rect()).isNull());
    }
    // Eight to a row, each standing on the row's foot.
    auto compose = [](const std::vector<QImage>& images) {
        const size_t perRow = 8;
        std::vector<QSize> rows;
        for (size_t i = 0; i < images.size(); ++i) {
            if (i % perRow == 0)
                rows.emplace_back(0, 0);
            rows.back() = QSize(rows.back().width() + images[i].width(),
                                std::max(rows.back().height(), images[i].height()));
        }
        int w = 0, h = 0;
        for (const QSize& r : rows) {
            w = std::max(w, r.width());
            h += r.height();
        }
        QImage sheet(w, h, QImage::Format_ARGB32);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        p.setPen(Qt::lightGray);
        int x = 0, y = 0;
        for (size_t i = 0; i < images.size(); ++i) {
            const int rowHeight = rows[i / perRow].height();
            p.drawImage(x, y + rowHeight - images[i].height(), images[i]);
            p.drawRect(x, y, images[i].width() - 1, rowHeight - 1);
            x += images[i].width();
            if (i % perRow == perRow - 1) {
                x = 0;
                y += rowHeight;
            }
        }
        return sheet;
    };
    // The digit groups of EAN and UPC, upright and large.
    for (const auto& [type, value] : {std::pair{TKVRBarType::EAN13, QByteArray("590123412345")},
                                      std::pair{TKVRBarType::UPCE, QByteArray("0123456")}}) {
        const auto b = TestBarcode::Make(value, type);
        const QString name = type == TKVRBarType::EAN13 ? "ean13" : "upce";
        SavePng(Draw(b, 300, 60), name + "-screen.png");
        SavePng(Print(b, 300, 60), name + "-paper.png");
    }
    SavePng(compose(screen), "barcodes-screen.png");
    SavePng(compose(paper), "barcodes-paper.png");
}
