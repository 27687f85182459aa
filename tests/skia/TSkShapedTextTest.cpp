// The shaped line on other threads.
#include "SkiaTestUtil.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <thread>

namespace {
const QString kHebrew = QStringLiteral("\u05e9\u05dc\u05d5\u05dd");
const QString kArabic = QStringLiteral("\u0645\u0631\u062d\u0628\u0627");
const QString kSymbols = QStringLiteral("\u2713 \u2605 \u260e");

ISkTypeface Arial()
{
    return TSkTypeface::MakeFromName("Arial", TSkFontStyle::Normal());
}

}  // namespace

// The export job shapes on its own thread: same glyphs, same advances, its own fonts.
TEST(SkShapedText, ShapesAlikeOnAnotherThread)
{
    const ISkFont font = std::make_shared<TSkFont>(Arial(), 17.3f);
    const QStringList texts{kHebrew, kArabic, kSymbols, "Mixed " + kHebrew + " " + kArabic};
    std::vector<float> here, there;
    // Glyphs with their places, left to right (Qt hands the runs in no set order).
    using TPlaced = std::vector<std::pair<double, quint32>>;
    std::vector<TPlaced> glyphsHere, glyphsThere;
    auto measure = [&](std::vector<float>& widths, std::vector<TPlaced>& glyphs) {
        for (const QString& t : texts) {
            widths.push_back(font->MeasureText(t));
            TPlaced all;
            for (const auto& run : font->Shape(t)->Runs()) {
                EXPECT_TRUE(run.Font.isValid());
                for (qsizetype i = 0; i < run.Glyphs.size(); ++i)
                    all.emplace_back(run.Positions[i].x(), run.Glyphs[i]);
            }
            std::sort(all.begin(), all.end());
            glyphs.push_back(all);
        }
    };
    measure(here, glyphsHere);
    std::thread worker([&] { measure(there, glyphsThere); });
    worker.join();
    EXPECT_EQ(here, there);
    EXPECT_EQ(glyphsHere, glyphsThere);
}

// Sized fonts are kept per thread: after other sizes and typefaces have been
// painted, a line paints exactly as on a thread whose cache is empty.
TEST(SkShapedText, KeptSizedFontsPaintAsFreshOnes)
{
    struct TCase
    {
        const char* family;
        float size;
    };
    const TCase cases[] = {{"Arial", 12.0f}, {"Arial", 31.0f}, {"Courier New", 12.0f}, {"Arial", 12.0f}};
    const auto paint = [](const TCase& c) {
        QImage image(240, 60, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        ISkCanvas canvas = TSkCanvas::Make(&image);
        const auto font = std::make_shared<TSkFont>(TSkTypeface::MakeFromName(c.family, TSkFontStyle::Normal()),
                                                    c.size, 1.0f, 0.0f);
        canvas->DrawSimpleText(QStringLiteral("Hamburg 42"), 4.0f, 40.0f, font, SkTest::Paint(0xFF000000));
        canvas.reset();
        return image;
    };
    std::vector<QImage> here;
    for (const TCase& c : cases)
        here.push_back(paint(c));
    for (size_t i = 0; i < std::size(cases); ++i) {
        QImage fresh;
        std::thread worker([&] { fresh = paint(cases[i]); });
        worker.join();
        EXPECT_EQ(here[i], fresh) << cases[i].family << " " << cases[i].size;
        EXPECT_FALSE(SkTest::InkBounds(here[i]).isEmpty());
    }
    // A size or a typeface never comes back as another one.
    EXPECT_NE(here[0], here[1]);
    EXPECT_NE(here[0], here[2]);
    EXPECT_EQ(here[0], here[3]);
    EXPECT_GT(SkTest::InkBounds(here[1]).width(), SkTest::InkBounds(here[0]).width() * 2);
}
