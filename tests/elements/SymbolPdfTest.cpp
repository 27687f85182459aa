#include "elements/TKVRSymbol.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/elements/ElementTestSupport.h"
#include "tests/elements/SymbolTestSupport.h"
#include <QTemporaryDir>
#include <numbers>

namespace {

constexpr int kDpi = 300;

TKVRSymbol* Place(TKVRBaseLabel& aLabel, const std::shared_ptr<TKVRBaseLibSymbol>& aSymbol, int64_t aX, int64_t aY)
{
    auto* e = new TKVRSymbol(&aLabel, false);
    e->SetBase(1, aX, aY);
    e->SetSymbol(aSymbol);
    return e;
}

// The element printed on a PDF page and rasterised by poppler at kDpi.
QImage PrintedPage(TKVRBaseItem& aItem, double aWidthMm, double aHeightMm)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    kvrtest::PrintItemsToPdf({&aItem}, path, aWidthMm, aHeightMm);
    return kvrtest::RasterisePdf(path);
}

}  // namespace

TEST(SymbolPdf, PopplerFindsTheTextWhereTheScreenPutsIt)
{
    // Centred on (30, 20) mm, as high on paper whatever the stretch.
    double heights[2] = {0, 0}, widths[2] = {0, 0};
    for (int stretched = 0; stretched < 2; ++stretched) {
        auto symbol = MakeSymbol(std::string(R"([{"Type":"FontHeight","Value":6},{"Type":"FontScale","Value":)") +
                                 (stretched ? "2" : "1") +
                                 R"(},{"Type":"Text","Text":"Valve","Point":[0,0],"HAlign":1,"VAlign":1}])");
        TKVRBaseLabel label;
        auto* e = Place(label, symbol, 30000, 20000);
        const std::vector<kvrtest::TPdfWord> words = kvrtest::PrintToPdf(*e, 60, 40);
        ASSERT_EQ(words.size(), 1u);
        EXPECT_EQ(words[0].Text, "Valve");
        EXPECT_NEAR((words[0].XMin + words[0].XMax) / 2, kvrtest::MmToPt(30), 1.0);
        EXPECT_NEAR((words[0].YMin + words[0].YMax) / 2, kvrtest::MmToPt(20), 1.5);
        heights[stretched] = words[0].YMax - words[0].YMin;
        widths[stretched] = words[0].XMax - words[0].XMin;
    }
    EXPECT_NEAR(heights[1], heights[0], 0.5) << "the font size is not multiplied by the stretch";
    EXPECT_NEAR(widths[1], 2 * widths[0], 0.1 * widths[0]);
}

TEST(SymbolPdf, PrintedPageMatchesTheScreen)
{
    auto symbol = MakeSymbol(R"([{"Type":"PenWidth","Value":0.5},{"Type":"LineType","Value":2},
        {"Type":"Rectangle","Points":[0,0,40,20],"Radius":2},{"Type":"LineType","Value":0},
        {"Type":"Fill","Value":true},{"Type":"BColor","Value":4278222848},
        {"Type":"Path","Value":true},{"Type":"Line","Points":[5,15,20,4]},{"Type":"Line","Points":[20,4,35,15]},
        {"Type":"Path","Value":false}])");
    TKVRBaseLabel label;
    auto* e = Place(label, symbol, 10000, 8000);
    e->SetScale(1.2f);
    e->SetAngleRad(10.0 * std::numbers::pi / 180.0);
    const QImage page = PrintedPage(*e, 70, 50);
    ASSERT_FALSE(page.isNull());
    ScreenSurface s(page.width(), page.height(), kDpi);
    e->DrawElement(&s.draw);
    const QImage screen = s.Finish();
    EXPECT_TRUE(SameBox(InkBounds(screen), InkBounds(page), 2));
    EXPECT_TRUE(SameBox(LeaningBounds(screen, 0xFF008000u), LeaningBounds(page, 0xFF008000u), 2));
    EXPECT_NEAR(InkCount(page), InkCount(screen), InkCount(screen) / 10);
}
