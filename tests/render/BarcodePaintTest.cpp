#define ZX_USE_UTF8 1
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "tests/render/RenderTestSupport.h"
#include "tests/support/BarcodeReader.h"
#include <QPainter>
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
    QByteArray Code;  // the prepared value, shown as the number
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
    // A source of a hand-made pattern, without text.
    static std::shared_ptr<TestBarcode> OfPattern(const QByteArray& pattern)
    {
        auto b = std::make_shared<TestBarcode>();
        b->ShowNumber = false;
        b->Pattern = pattern;
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

int64_t Micrometres(double px, const TKVRDraw& d)
{
    return RoundHalfEven(px / d.PixelsPerMicX);
}

TKVRPto Pto(const QPointF& px, const TKVRDraw& d)
{
    return {Micrometres(px.x(), d), Micrometres(px.y(), d)};
}

// Where a barcode goes in an image that holds it at a quarter turn with a
// margin all round: the image size and the anchor (point 1) in pixels.
struct Placement
{
    QSize size;
    QPointF anchor;
    int32_t width = 0, height = 0;  // the element's bounds in micrometres
};

Placement Place(const TestBarcode& b, int dpi, int margin)
{
    TKVRDraw d;
    d.SetResolution(dpi, dpi);
    const double along = b.BarsWidth() / 1000.0 * d.TextFactor;
    const double across = (b.BarHeight + 1.5 * b.FontHeight) * d.TextFactor;
    const int l = int(along) + 2 * margin, s = int(across) + 2 * margin;
    const int32_t alongMic = b.BarsWidth();
    const int32_t acrossMic = int32_t(Micrometres(across, d));
    switch (int(b.Angle)) {
    case 1: return {QSize(s, l), QPointF(margin, l - margin), acrossMic, alongMic};
    case 2: return {QSize(l, s), QPointF(l - margin, s - margin), alongMic, acrossMic};
    case 3: return {QSize(s, l), QPointF(s - margin, margin), acrossMic, alongMic};
    default: return {QSize(l, s), QPointF(margin, margin), alongMic, acrossMic};
    }
}

QImage Draw(const std::shared_ptr<TestBarcode>& b, int dpi = 300, int margin = 120)
{
    const Placement p = Place(*b, dpi, margin);
    ScreenContext s(p.size.width(), p.size.height(), dpi);
    DrawBarcode(&s.d, b, Pto(p.anchor, s.d), TAlphaColors::Black, p.width, p.height, FontRatio());
    return s.Pixels();
}

QImage Print(const std::shared_ptr<TestBarcode>& b, int dpi = 300, int margin = 120)
{
    const Placement p = Place(*b, dpi, margin);
    PaperContext s(p.size.width(), p.size.height(), dpi);
    PrintBarcode(&s.d, b, Pto(p.anchor, s.d), TAlphaColors::Black, b->BarsWidth(), 0, FontRatio(), b->Code,
                 b->Pattern);
    return s.Done().copy();
}

// Ink of a painted image: alpha on screen, darkness on paper.
bool Dark(const QImage& img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return qAlpha(p) > 127 && qGray(p) < 128;
}

QRect DarkBounds(const QImage& img, const QRect& within = QRect())
{
    return ImageProbes::Bounds(img, Dark, within);
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

// The raw Code 39 characters of a full-ASCII value of letters, digits and blanks.
QString Code39Shifted(const QString& s)
{
    QString out;
    for (QChar c : s)
        out += c.isLower() ? QStringLiteral("+") + c.toUpper() : QString(c);
    return out;
}

}  // namespace

TEST(BarcodePaint, EverySymbologyReadsBackAtEveryQuarterTurn)
{
    struct Symbology
    {
        TKVRBarType type;
        QByteArray value;
        QString decoded;  // what a reader finds in the bars; empty: no reader knows it
        QString format;   // ZXing's name of the symbology
        float factor = 2.5f;
    };
    const Symbology all[] = {
        {TKVRBarType::EAN13, "590123412345", "5901234123457", "EAN-13"},
        {TKVRBarType::EAN8, "9638507", "96385074", "EAN-8"},
        {TKVRBarType::UPCA, "03600029145", "036000291452", "UPC-A"},
        {TKVRBarType::UPCE, "0123456", "01234565", "UPC-E"},
        {TKVRBarType::Code39, "CODE-39 $/+%", "CODE-39 $/+%", "Code39"},
        {TKVRBarType::Code39Ext, "Code39 x", Code39Shifted("Code39 x"), "Code39", 3.0f},
        {TKVRBarType::Code93, "CODE 93", "CODE 93", "Code93"},
        {TKVRBarType::Code93Ext, "Hello, World!", "Hello, World!", "Code93"},
        {TKVRBarType::Codabar, "A40156B", "40156", "Codabar", 3.0f},
        {TKVRBarType::Code128A, "ABC\t128", "ABC\t128", "Code128"},
        {TKVRBarType::Code128B, "hello 128", "hello 128", "Code128"},
        {TKVRBarType::Code128, "Mixed 12345678", "Mixed 12345678", "Code128"},
        {TKVRBarType::Code128C, "12345678", "12345678", "Code128"},
        {TKVRBarType::GS1_128A, "(01)09501101530003", "0109501101530003", "Code128"},
        {TKVRBarType::GS1_128B, "(10)abc123", "10abc123", "Code128"},
        {TKVRBarType::GS1_128, "(01)09501101530003(10)AB12", "010950110153000310AB12", "Code128"},
        {TKVRBarType::GS1_128C, "(01)09501101530003(3103)000123", "01095011015300033103000123", "Code128"},
        {TKVRBarType::ITF, "1234567890", "1234567890", "ITF", 3.0f},
        {TKVRBarType::ITF14, "1234567890123", "12345678901231", "ITF"},
        {TKVRBarType::Industrial25, "12345", {}, {}},
        {TKVRBarType::Code11, "123-45", {}, {}},
        {TKVRBarType::MSI, "12345", {}, {}},
        {TKVRBarType::Postnet, "12345", {}, {}},
    };
    ASSERT_EQ(int(std::size(all)), KVRBarTypeCount);
    for (const Symbology& s : all) {
        const auto b = TestBarcode::Make(s.value, s.type, s.factor);
        SCOPED_TRACE(s.value.toStdString());
        ASSERT_TRUE(b->Valid);
        for (int angle = 0; angle < 4; ++angle) {
            b->Angle = TKVRAngle(angle);
            SCOPED_TRACE(angle);
            const QImage screen = Draw(b, 300, s.decoded.isEmpty() ? 40 : 120);
            const QImage paper = Print(b, 300, s.decoded.isEmpty() ? 40 : 120);
            if (s.decoded.isEmpty()) {  // no reader: the bars are there
                EXPECT_FALSE(DarkBounds(screen).isNull());
                EXPECT_FALSE(DarkBounds(paper).isNull());
                continue;
            }
            const DecodedSymbol onScreen = DecodeTurned(screen, angle);
            EXPECT_EQ(onScreen.text, s.decoded);
            EXPECT_EQ(onScreen.format, s.format);
            const DecodedSymbol onPaper = DecodeTurned(paper, angle);
            EXPECT_EQ(onPaper.text, s.decoded);
            EXPECT_EQ(onPaper.format, s.format);
        }
    }
}

TEST(BarcodePaint, BarsFollowTheWidthClassesAndKinds)
{
    // 254 dpi: ten pixels per millimetre, so M = 2 for a 0.2 mm module; the
    // bars are 10 pixels high and the text 4, so guard bars reach 13.
    auto bar = [](TKVRDrawWidth w, TKVRDrawBar b) { return TBarcode::BarChar(w, b); };
    const auto source = TestBarcode::OfPattern(
        QByteArray() + bar(TKVRDrawWidth::Module, TKVRDrawBar::Full) + bar(TKVRDrawWidth::Module, TKVRDrawBar::Space) +
        bar(TKVRDrawWidth::Ratio, TKVRDrawBar::Full) + bar(TKVRDrawWidth::Triple, TKVRDrawBar::Space) +
        bar(TKVRDrawWidth(9), TKVRDrawBar::Full) +  // repeats 3M
        bar(TKVRDrawWidth::Module, TKVRDrawBar::Space) + bar(TKVRDrawWidth::Module, TKVRDrawBar::Short) +
        bar(TKVRDrawWidth::Module, TKVRDrawBar::Space) + bar(TKVRDrawWidth::Module, TKVRDrawBar::Guard));
    source->BarWidth = 0.2f;
    source->BarHeight = 1.0f;
    source->FontHeight = 0.4f;
    // Along row 2 (origin at x 10): bars 0-2, 4-9, 15-21; short bar 23-25 starts lower; guard 27-29.
    const std::vector<int> row = {0, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0,
                                  1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0};
    const std::vector<int> shortBar = {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0};
    const std::vector<int> guardBar = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0};
    const std::vector<int> fullBar = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0};
    auto check = [&](const QImage& img) {
        std::vector<int> r, s, g, f;
        for (int x = 8; x < 8 + int(row.size()); ++x)
            r.push_back(Dark(img, x, 5 + 2));
        for (int y = 5; y < 5 + 16; ++y) {
            s.push_back(Dark(img, 10 + 24, y));
            g.push_back(Dark(img, 10 + 28, y));
            f.push_back(Dark(img, 10 + 1, y));
        }
        EXPECT_EQ(r, row);
        EXPECT_EQ(s, shortBar);
        EXPECT_EQ(g, guardBar);
        EXPECT_EQ(f, fullBar);
    };

    ScreenContext screen(60, 30, 254);
    screen.d.ScreenOffsetX = 10;
    screen.d.ScreenOffsetY = 5;
    DrawBarcode(&screen.d, source, TKVRPto{}, TAlphaColors::Black, 0, 0, 1.0);
    check(screen.Pixels());

    PaperContext paper(60, 30, 254);
    paper.d.PrintOffsetX = 10;
    paper.d.PrintOffsetY = 5;
    PrintBarcode(&paper.d, source, TKVRPto{}, TAlphaColors::Black, 0, 0, 1.0, {}, source->Pattern);
    check(paper.Done());
}

TEST(BarcodePaint, ScreenRestoresTheCanvasAndKeepsTheTextThin)
{
    for (bool show : {false, true}) {
        auto b = TestBarcode::Make("590123412345", TKVRBarType::EAN13);
        b->ShowNumber = show;
        b->Encode();  // guard bars only with the number
        b->Angle = TKVRAngle::Angle90;
        const Placement p = Place(*b, 300, 120);
        auto paint = [&](float staleWidth) {
            ScreenContext s(p.size.width(), p.size.height(), 300);
            s.d.kC->Translate(3, 4);
            const int32_t count = s.d.kC->GetSaveCount();
            const TMatrix matrix = s.d.kC->GetLocalToDevice();
            s.d.kP->SetStrokeWidth(staleWidth);
            s.d.kP->SetStyle(TSkPaintStyle::Stroke);
            DrawBarcode(&s.d, b, Pto(p.anchor - QPointF(3, 4), s.d), TAlphaColors::Black, p.width, p.height,
                        FontRatio());
            EXPECT_EQ(s.d.kC->GetSaveCount(), count);
            EXPECT_EQ(s.d.kC->GetLocalToDevice(), matrix);
            // The paint is left filled, as the bars or the text set it.
            EXPECT_EQ(s.d.kP->GetStyle(), TSkPaintStyle::Fill);
            return s.Pixels();
        };
        const QImage img = paint(0.0f);
        // Only the number stands beside the bars (right of them when turned).
        const int barsEnd = int(p.anchor.x() + b->BarHeight * 300 / 25.4);
        EXPECT_EQ(DarkBounds(img, QRect(barsEnd + 1, 0, img.width(), img.height())).isNull(), !show);
        EXPECT_FALSE(DarkBounds(img, QRect(0, 0, barsEnd, img.height())).isNull());
        // A stroke width left on the shared paint does not thicken the text.
        EXPECT_EQ(paint(25.0f), img);
    }
}

TEST(BarcodePaint, Ean13FirstDigitStandsOneModuleLeftOnScreenAndTouchesOnPaper)
{
    // A 1 mm module at 300 dpi is 11.8 pixels, far more than a digit's side bearing.
    auto b = TestBarcode::Make("590123412345", TKVRBarType::EAN13);
    b->BarWidth = 1.0f;
    b->Encode();
    const Placement p = Place(*b, 300, 200);
    const double k = 300 / 25.4, m = b->BarWidth * k;
    const int barsLeft = int(p.anchor.x());
    const QRect leftOfBars(0, int(p.anchor.y() + b->BarHeight * k) + 2, barsLeft - 1, 200);

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
            const Placement p = Place(*b, 300, 120);
            const double k = 300 / 25.4;
            const double barsCentre = p.anchor.x() + b->BarsWidth() / 2000.0 * k;
            const QRect below(0, int(p.anchor.y() + b->BarHeight * k) + 1, p.size.width(), 150);
            // The screen's modules take whole pixels, rounded down where
            // rounding up would leave the box (no paddings here).
            const double module = double(b->BarWidth) * k;
            const double snap = std::fabs(std::floor(module) - module) * b->BarsWidth() / 1000.0 / b->BarWidth / 2.0;
            for (const QImage& img : {Draw(b), Print(b)}) {
                const QRect ink = DarkBounds(img, below);
                ASSERT_FALSE(ink.isNull());
                EXPECT_NEAR((ink.left() + ink.right() + 1) / 2.0, barsCentre, 3.0 + snap);
            }
        }
    }
}

TEST(BarcodePaint, CentreAlignmentMovesByHalfTheHeightOnScreenAndHalfTheWidthOnPaper)
{
    auto b = TestBarcode::Make("ABC", TKVRBarType::Code39);
    b->Angle = TKVRAngle::Angle90;
    b->ShowNumber = false;
    b->Encode();
    const int32_t width = 30000, height = 20000;  // bounds in micrometres
    auto screen = [&](TKVRHorzAlign align) {
        b->Align = align;
        ScreenContext s(400, 800, 300);
        DrawBarcode(&s.d, b, Pto(QPointF(100, 600), s.d), TAlphaColors::Black, width, height, 1.0);
        return DarkBounds(s.Pixels());
    };
    auto paper = [&](TKVRHorzAlign align) {
        b->Align = align;
        PaperContext s(400, 800, 300);
        PrintBarcode(&s.d, b, Pto(QPointF(100, 600), s.d), TAlphaColors::Black, width, height, 1.0, b->Code,
                     b->Pattern);
        return DarkBounds(s.Done());
    };
    TKVRDraw d;
    d.SetResolution(300, 300);
    // Turned by a quarter, the bars run upwards: centring moves them down.
    // Whole pixels make the bars shorter than on paper, and the centred bars
    // keep their centre.
    const QRect s0 = screen(TKVRHorzAlign::Left), s1 = screen(TKVRHorzAlign::Center);
    const double shorter = DrawFromBaseX(b->BarsWidth(), &d) - s0.height();
    EXPECT_EQ(s1.left(), s0.left());
    EXPECT_EQ(s1.height(), s0.height());
    EXPECT_NEAR(s1.top() - s0.top(), DrawFromBaseX(height / 2, &d) - shorter / 2.0, 1.0);
    const QRect p0 = paper(TKVRHorzAlign::Left), p1 = paper(TKVRHorzAlign::Center);
    EXPECT_EQ(p1.left(), p0.left());
    EXPECT_NEAR(p1.top() - p0.top(), PrintFromBaseX(width / 2, &d), 1.0);
}

TEST(BarcodePaint, DataMarkerIsAnEightPixelSquareOfThreeBands)
{
    ScreenContext s(200, 100);
    s.d.kP->SetPathEffect(TSkPathEffect::MakeDash({2, 2}, 0));
    DrawData(&s.d, 100, 50);
    const QImage img = s.Pixels();
    EXPECT_EQ(SkTest::InkBounds(img), QRect(96, 46, 8, 8));
    for (int y = 46; y < 54; ++y) {
        const QRgb expected = (y < 48 || y >= 52) ? 0xFF808080u : 0xFF90EE90u;
        for (int x = 96; x < 104; ++x)
            EXPECT_EQ(img.pixel(x, y), expected) << x << "," << y;
    }
    EXPECT_EQ(s.d.kP->GetColor(), TAlphaColors::LightGreen);
    EXPECT_EQ(s.d.kP->GetStyle(), TSkPaintStyle::Fill);
}
