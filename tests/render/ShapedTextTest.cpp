// Right-to-left scripts, joining and fallback fonts on the one text road of
// screen and paper: the screen against Qt's own text layout, paper read back
// by poppler, and line breaks and widths of both surfaces compared.
#include "render/KVR.FMX.Text.h"
#include "render/TKVRCalc.h"
#include "tests/render/RenderTestSupport.h"
#include "tests/support/PdfReader.h"
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace AlignOf;

namespace {

const QString kHebrew = QStringLiteral("\u05e9\u05dc\u05d5\u05dd");         // shalom
const QString kArabic = QStringLiteral("\u0645\u0631\u062d\u0628\u0627");   // marhaban
const QString kSymbols = QStringLiteral("\u2713 \u2605 \u260e");           // check, star, telephone
constexpr int kDpi = 300;

ISkFont FontOf(const QString& family, float pixels)
{
    return std::make_shared<TSkFont>(TSkTypeface::MakeFromName(family, TSkFontStyle::Normal()), pixels);
}

// The text on the screen canvas, black on white, baseline at (x, y).
QImage OnScreen(const QString& text, const ISkFont& font, QSize size, float x, float y)
{
    const ISkCanvas canvas = TSkCanvas::MakeRaster(size.width(), size.height());
    canvas->Clear(TAlphaColors::White);
    canvas->DrawSimpleText(text, x, y, font, SkTest::Paint(TAlphaColors::Black, TSkPaintStyle::Fill, 0, true));
    return SkTest::Pixels(canvas);
}

// The same text as Qt's own text engine lays it out and paints it: the
// reference nobody here wrote.
QImage ByQt(const QString& text, const QString& family, int pixels, QSize size, float x, float y)
{
    QImage img(size, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QFont font(family);
    font.setPixelSize(pixels);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    p.setFont(font);
    p.drawText(QPointF(x, y), text);
    return img;
}

// Ink per column.
std::vector<int> Columns(const QImage& img)
{
    std::vector<int> cols(size_t(img.width()), 0);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            cols[size_t(x)] += ImageProbes::Dark(img, x, y) ? 1 : 0;
    return cols;
}

// How far two pictures' column profiles differ, as a share of the first's ink.
double ProfileDifference(const QImage& a, const QImage& b)
{
    const std::vector<int> ca = Columns(a), cb = Columns(b);
    double diff = 0.0, ink = 0.0;
    for (size_t i = 0; i < ca.size() && i < cb.size(); ++i) {
        diff += std::abs(ca[i] - cb[i]);
        ink += ca[i];
    }
    return ink > 0.0 ? diff / ink : 1.0;
}

QString Reversed(const QString& s)
{
    QString r;
    for (qsizetype i = s.size(); i-- > 0;)
        r.append(s.at(i));
    return r;
}

// Lines of text printed through the printer canvas on a PDF page at 300 dpi,
// one per 100 device pixels from the top, 60 pixels from the left.
void PrintPdf(const QString& path, const QStringList& lines, const QString& family, float size)
{
    QPdfWriter writer(path);
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(QSizeF(100, 60), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    TCanvas canvas(&writer);
    ASSERT_TRUE(canvas.BeginScene());
    canvas.Font().SetFamily(family);
    canvas.Font().SetSize(size);
    canvas.Fill().SetColor(TAlphaColors::Black);
    for (qsizetype i = 0; i < lines.size(); ++i)
        canvas.FillText(TRectF(60, 40 + 100 * float(i), 50000, 50000), lines[i], false, 255.0f, 0,
                        TTextAlign::Leading, TTextAlign::Leading);
    canvas.EndScene();
}

}  // namespace

TEST(ShapedText, RightToLeftAndJoinedScriptsLookAsQtLaysThemOutOnScreen)
{
    const QString mixed = QStringLiteral("abc ") + kHebrew + QStringLiteral(" 12");
    for (const QString& text : {kHebrew, kArabic, mixed, kSymbols}) {
        SCOPED_TRACE(text.toStdString());
        const QSize size(420, 90);
        const QImage screen = OnScreen(text, FontOf("Arial", 48.0f), size, 20.0f, 60.0f);
        const QImage reference = ByQt(text, "Arial", 48, size, 20.0f, 60.0f);
        ImageProbes::SaveForLooking(screen, QStringLiteral("shaped-screen-%1.png").arg(text.at(0).unicode(), 0, 16));
        const QRect a = ImageProbes::Bounds(screen, ImageProbes::Dark);
        const QRect b = ImageProbes::Bounds(reference, ImageProbes::Dark);
        ASSERT_FALSE(a.isEmpty());
        EXPECT_NEAR(a.left(), b.left(), 1);
        EXPECT_NEAR(a.right(), b.right(), 1);
        EXPECT_NEAR(a.top(), b.top(), 1);
        EXPECT_NEAR(a.bottom(), b.bottom(), 1);
        EXPECT_LT(ProfileDifference(screen, reference), 0.08);
        // The comparison sees order: the characters reversed look different.
        if (text != kSymbols) {
            EXPECT_GT(ProfileDifference(ByQt(Reversed(text), "Arial", 48, size, 20.0f, 60.0f), reference), 0.3);
        }
    }
}

TEST(ShapedText, MissingCharactersComeFromAFallbackFont)
{
    const ISkFont arial = FontOf("Arial", 40.0f);
    const ISkShapedText shaped = arial->Shape(kSymbols + kArabic);
    QStringList families;
    int glyphs = 0;
    for (const TSkShapedText::TRun& run : shaped->Runs()) {
        families << run.Font.familyName();
        glyphs += int(run.Glyphs.size());
        EXPECT_FALSE(run.Glyphs.contains(0u)) << run.Font.familyName().toStdString();  // no missing-glyph box
    }
    EXPECT_GE(glyphs, 5 + 3);
    EXPECT_TRUE(families.contains("DejaVu Sans")) << families.join(", ").toStdString();
    // Arabic letters join: shaped glyphs are not the isolated forms of the cmap.
    const ISkShapedText word = arial->Shape(kArabic);
    ASSERT_EQ(word->Runs().size(), 1u);
    const QList<quint32> isolated = word->Runs().front().Font.glyphIndexesForString(kArabic);
    QList<quint32> visual = word->Runs().front().Glyphs;
    std::reverse(visual.begin(), visual.end());
    EXPECT_NE(visual, isolated);
}

TEST(ShapedText, RightToLeftWordsReadInOrderOnPaperAndInkAsOnScreen)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath("rtl.pdf");
    const float size = 12.0f;  // 1/96 inch: 37.5 device pixels at 300 dpi
    const QStringList lines{kHebrew, kArabic, kSymbols};
    PrintPdf(pdf, lines, "Arial", size);

    // Poppler reads each word in its logical order (Arabic as presentation
    // forms, which compatibility normalisation folds back).
    const QString text = RunTool("pdftotext", {pdf, "-"}).normalized(QString::NormalizationForm_KC);
    EXPECT_TRUE(text.contains(kHebrew)) << text.toStdString();
    EXPECT_TRUE(text.contains(kArabic)) << text.toStdString();
    EXPECT_FALSE(text.contains(Reversed(kHebrew))) << text.toStdString();

    // The page rasterised by poppler carries the screen's glyphs where the
    // screen puts them.
    const QImage page = RasterisePages(pdf, kDpi).front();
    ASSERT_FALSE(page.isNull());
    ImageProbes::SaveForLooking(page, "shaped-paper.png");
    const ISkFont font = FontOf("Arial", size * kDpi / 96.0f);
    TSkFontMetrics m;
    font->GetMetrics(m);
    const ISkCanvas canvas = TSkCanvas::MakeRaster(page.width(), page.height());
    canvas->Clear(TAlphaColors::White);
    for (qsizetype i = 0; i < lines.size(); ++i)
        canvas->DrawSimpleText(lines[i], 60.0f, 40.0f + 100.0f * float(i) - m.Ascent, font,
                               SkTest::Paint(TAlphaColors::Black, TSkPaintStyle::Fill, 0, true));
    const QImage screen = SkTest::Pixels(canvas);
    ImageProbes::SaveForLooking(screen, "shaped-screen.png");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i].toStdString());
        const QRect band(0, 100 * int(i), page.width(), 100);
        const QRect a = ImageProbes::Bounds(screen, ImageProbes::Dark, band);
        const QRect b = ImageProbes::Bounds(page, ImageProbes::Dark, band);
        ASSERT_FALSE(a.isEmpty());
        EXPECT_NEAR(a.left(), b.left(), 1);
        EXPECT_NEAR(a.right(), b.right(), 1);
        EXPECT_NEAR(a.top(), b.top(), 1);
        EXPECT_NEAR(a.bottom(), b.bottom(), 1);
        EXPECT_LT(ProfileDifference(screen.copy(band), page.copy(band)), 0.1);
    }
}

TEST(ShapedText, SymbolsBreakTheSameLinesOnScreenAndPaper)
{
    // A paragraph of symbols from the fallback font between Latin words.
    const QString text = QStringLiteral("Call \u260e now \u2713 done \u2605\u2605\u2605 rated \u2713 \u2605 \u260e "
                                        "again \u260e\u260e and \u2713\u2713 twice \u2605 end");
    const int32_t height = 5000;  // µm from ascent to descent
    for (int32_t boxWidth : {25000, 32000, 47000}) {
        SCOPED_TRACE(boxWidth);
        int32_t asc = 0, des = 0, und = 0, lh = 0;
        double ratio = 0.0;
        TKVRCalc::FontSettings("Arial", height, false, false, asc, des, und, lh, ratio);
        TxtLines screen;
        ASSERT_GT(TKVRCalc::CalcTxtPts(text, nullptr, screen, boxWidth, 0, 0, 0, L, VT, 1.0f), 0);

        PaperContext paper(2000, 2000, kDpi);
        paper.Canvas().Font().SetFamily("Arial");
        paper.Canvas().Font().SetSize(float(FontPrintSize(height / 1000.0f) * ratio));
        TxtFLines printed;
        const float lineHeight = GetTextSize(paper.Canvas(), "Hg").Y;
        PrintTxtPoints(text, &paper.d, printed, 100000.0f, float(boxWidth) * kDpi / 25400.0f, lineHeight, L, VT,
                       false, false);
        ASSERT_GT(screen.size(), 2u);
        ASSERT_EQ(printed.size(), screen.size());
        for (size_t i = 0; i < screen.size(); ++i) {
            EXPECT_EQ(printed[i].Start, screen[i].Start) << i;
            EXPECT_EQ(printed[i].Length, screen[i].Length) << i;
        }
    }
}

TEST(ShapedText, WidthsAgreeWithinHalfAPixelAt300Dpi)
{
    const QStringList texts{kHebrew, kArabic, kSymbols, "AVATAR office", "abc " + kHebrew + " 123 " + kArabic,
                            "\u2713\u2713\u2713\u2713\u2713\u2713\u2713\u2713 \u260e\u260e\u260e\u260e"};
    for (const char* family : {"Arial", "DejaVu Serif"}) {
        for (int32_t height : {2500, 6000, 15000}) {
            int32_t asc = 0, des = 0, und = 0, lh = 0;
            double ratio = 0.0;
            TKVRCalc::FontSettings(family, height, false, false, asc, des, und, lh, ratio);
            CanvasImage paper(10, 10, kDpi);
            paper.canvas->Font().SetFamily(family);
            paper.canvas->Font().SetSize(float(FontPrintSize(height / 1000.0f) * ratio));
            for (const QString& text : texts) {
                SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(family).arg(height).arg(text).toStdString());
                const double screenPx = TKVRCalc::CalcTxtSize(text) * double(kDpi) / 25400.0;
                EXPECT_GT(screenPx, 0.0);
                EXPECT_NEAR(GetTextSize(*paper.canvas, text).X, screenPx, 0.5);
            }
        }
    }
}

// Characters no font has are drawn as Qt's boxes, which have no outlines;
// traced from a bitmap at the reference size they once took a long time per
// glyph. As outlines (huge or hairline text) each is a frame of its bounds.
TEST(ShapedText, BoxesOfCharactersNoFontHasOutlineAsFrames)
{
    const auto typeface = TSkTypeface::MakeFromName(QStringLiteral("Arial"), TSkFontStyle::Normal());
    ASSERT_NE(typeface, nullptr);
    // No font here has Syriac.
    const QString text = QStringLiteral("Ab \u0710\u0712\u0713\u071e");
    const ISkShapedText shaped = TSkShapedText::Shape(typeface, text);
    QList<QRectF> boxes;
    for (const TSkShapedText::TRun& run : shaped->Runs())
        if (run.Font.fontTable("head").isEmpty())
            for (qsizetype i = 0; i < run.Glyphs.size(); ++i)
                boxes << run.Font.boundingRect(run.Glyphs[i]).translated(run.Positions[i]);
    ASSERT_FALSE(boxes.isEmpty()) << "no character came as a box";
    const QPainterPath outline = shaped->Outline();
    for (const QRectF& box : boxes) {
        ASSERT_GT(box.width(), 10.0);
        EXPECT_TRUE(outline.contains(box.topLeft() + QPointF(1, 1)));
        EXPECT_TRUE(outline.contains(QPointF(box.left() + 1, box.center().y())));
        EXPECT_FALSE(outline.contains(box.center())) << "a frame, not a filled box";
    }
}
