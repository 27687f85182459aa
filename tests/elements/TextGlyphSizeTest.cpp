// Texts whose glyphs no glyph cache can hold: fonts metres high, squeezed to
// nothing across, read from their binary records and painted on both surfaces.
#include "elements/TKVRParagraph.h"
#include "elements/TKVRText.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/support/PdfReader.h"
#include "tests/support/ImageProbes.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvrtest;

namespace {

struct THugeCase
{
    const char* Name;
    int32_t FontHeight;  // µm of paper
    float Scale;         // the text's own horizontal scale
};

// The record as a file would hold it: written, then read back by the class's reader.
TKVRText* ReadHugeText(TKVRBaseLabel& label, const THugeCase& c)
{
    TKVRBaseLabel source;
    auto* t = new TKVRText(&source);
    t->SetFontName(QStringLiteral("Arial"));
    // A full block first: its inside fills the view.
    t->SetText(QStringLiteral("\u2588Wg\u05e9"));
    t->SetPenWidth(0.0f);
    t->SetBaseFontHeight(c.FontHeight);
    t->SetScale(c.Scale);
    // The view (25.4 mm square) looks 10 cm into the block and 50 cm down.
    t->SetBase(1, -100'000, -500'000);
    auto* read = dynamic_cast<TKVRText*>(ReadRecord(label, WriteBinary(*t), TKVRText::Read));
    if (read)
        read->CalcValues(1);
    return read;
}

void ExpectPaintedAsOutlines(const THugeCase& c)
{
    TKVRBaseLabel label;
    TKVRText* t = ReadHugeText(label, c);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetBaseFontHeight(), c.FontHeight);
    EXPECT_FLOAT_EQ(t->GetScale(), c.Scale);

    const TScreenPaper twin = PaintScreenAndPaper(*t, 300, 300, kDpi);
    ImageProbes::SaveForLooking(twin.Screen, QStringLiteral("huge-%1-screen.png").arg(c.Name));
    ImageProbes::SaveForLooking(twin.Paper, QStringLiteral("huge-%1-paper.png").arg(c.Name));
    const int screenInk = InkCount(twin.Screen), paperInk = InkCount(twin.Paper);
    if (c.Scale >= 1.0f) {
        // The inside of the block fills the view on both.
        EXPECT_GT(screenInk, 300 * 300 * 99 / 100);
        EXPECT_GT(paperInk, 300 * 300 * 99 / 100);
    } else {
        // Squeezed to nothing across: at most a hairline.
        EXPECT_LT(screenInk, 300 * 4);
        EXPECT_LT(paperInk, 300 * 4);
    }

    // A document keeps it as text: the PDF embeds fonts (poppler's text
    // extraction drops glyphs larger than the page, so its font list tells).
    QTemporaryDir dir;
    const QString pdf = dir.filePath("huge.pdf");
    PrintItemsToPdf({t}, pdf, 25.4, 25.4);
    const QString list = RunTool("pdffonts", {pdf});
    EXPECT_TRUE(list.contains("LiberationSans")) << list.toStdString();
}

}  // namespace

TEST(TextHugeGlyphs, PaintOnScreenAndPaperAsOutlines)
{
    const THugeCase cases[] = {{"TwentyMetresSqueezed", 20'000'000, 1e-8f}, {"TwentyMetres", 20'000'000, 1.0f},
                               {"TwoMetres", 2'000'000, 1.0f}, {"FiftyMillimetresSqueezed", 50'000, 1e-8f},
                               {"TenMillimetresSqueezed", 10'000, 1e-8f}};
    for (const THugeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ExpectPaintedAsOutlines(c);
    }
}
