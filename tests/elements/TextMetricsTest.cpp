// A font whose OS/2 and hhea tables disagree on ascent and descent: text and
// the barcode's number stand on the same baseline on screen and on paper.
#include "elements/TKVRBarcode.h"
#include "elements/TKVRText.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/support/ImageProbes.h"
#include "tests/support/TestFonts.h"
#include <QFontMetricsF>
#include <gtest/gtest.h>

using namespace kvrtest;

namespace {

// Ink box of the rows from y down.
QRect InkBelow(const QImage& image, int y)
{
    return PixelBounds(image, QRect(0, y, image.width(), image.height() - y),
                       [](QRgb p) { return qGray(p) < 200 && qAlpha(p) > 0; });
}

}  // namespace

TEST(TextVerticalMetrics, FontTablesReallyDisagree)
{
    const QString family = TestFonts::TallMetricsFamily();
    ASSERT_FALSE(family.isEmpty());
    // Qt's own metrics follow OS/2; ours follow hhea, on both surfaces.
    QFont qt(family);
    qt.setPixelSize(2048);
    const QFontMetricsF qm(qt);
    TSkFontMetrics m;
    TSkFont(TSkTypeface::MakeFromName(family, TSkFontStyle::Normal()), 2048.0f).GetMetrics(m);
    EXPECT_EQ(TSkTypeface::MakeFromName(family, TSkFontStyle::Normal())->GetFamilyName(), family);
    EXPECT_GT(qm.ascent() + m.Ascent, 400.0);
    EXPECT_GT(qm.descent() - m.Descent, 200.0);
}

TEST(TextVerticalMetrics, TextInkLandsAlikeOnScreenAndPaper)
{
    const QString family = TestFonts::TallMetricsFamily();
    ASSERT_FALSE(family.isEmpty());
    for (TKVRVertAlign align : {TKVRVertAlign::Top, TKVRVertAlign::Center, TKVRVertAlign::Bottom}) {
        TKVRBaseLabel label;
        auto* t = new TKVRText(&label);
        t->SetFontName(family);
        t->SetText(QStringLiteral("Hxg \u05e9\u05dc\u05d5\u05dd"));
        t->SetBaseFontHeight(8000);
        t->SetPenWidth(0.0f);
        t->SetVertAlign(align);
        t->SetBase(1, 5000, 20000);
        t->CalcValues(1);
        const TTwin twin = Twins(*t, 700, 400);
        ImageProbes::SaveForLooking(twin.screen, QStringLiteral("tall-text-%1-screen.png").arg(int(align)));
        ImageProbes::SaveForLooking(twin.paper, QStringLiteral("tall-text-%1-paper.png").arg(int(align)));
        const QRect a = InkBounds(twin.screen), b = InkBounds(twin.paper);
        ASSERT_FALSE(a.isEmpty());
        EXPECT_TRUE(SameBox(a, b, 1)) << int(align);
    }
}

TEST(TextVerticalMetrics, BarcodeNumberLandsAlikeOnScreenAndPaper)
{
    const QString family = TestFonts::TallMetricsFamily();
    ASSERT_FALSE(family.isEmpty());
    for (TKVRBarType type : {TKVRBarType::Code128, TKVRBarType::EAN13}) {
        TKVRBaseLabel label;
        auto* b = new TKVRBarcode(&label, false);
        b->SetCode(type == TKVRBarType::EAN13 ? QStringLiteral("5901234123457") : QStringLiteral("TALL-42"));
        b->SetCodeType(type);
        b->SetFontName(family);
        b->SetBaseFontHeight(4000);
        b->SetShowNumber(true);
        b->SetBarHeight(10.0f);
        b->SetPaddingY(1.0f);
        b->SetBase(1, 5000, 5000);
        b->CalcValues(1);
        ASSERT_TRUE(b->GetValid());
        const TTwin twin = Twins(*b, 900, 400);
        ImageProbes::SaveForLooking(twin.screen, QStringLiteral("tall-barcode-%1-screen.png").arg(int(type)));
        ImageProbes::SaveForLooking(twin.paper, QStringLiteral("tall-barcode-%1-paper.png").arg(int(type)));
        // The number is everything below the bars.
        const int below = Px(5.0 + 1.0 + 10.0) + 2;
        const QRect a = InkBelow(twin.screen, below), p = InkBelow(twin.paper, below);
        ASSERT_FALSE(a.isEmpty());
        EXPECT_NEAR(a.top(), p.top(), 1) << int(type);
        EXPECT_NEAR(a.bottom(), p.bottom(), 1) << int(type);
        if (type != TKVRBarType::EAN13) {  // EAN's first digit stands off the bars on screen only
            // It stays under the screen's bars, whose modules take whole pixels.
            const QRect bars = PixelBounds(twin.paper, QRect(0, 0, twin.paper.width(), below),
                                           [](QRgb p) { return qGray(p) < 200 && qAlpha(p) > 0; });
            const int snap = SnapAllowance(bars.width(), b->GetBarWidth()) / 2;
            EXPECT_NEAR(a.left(), p.left(), 1 + snap);
            EXPECT_NEAR(a.right(), p.right(), 1 + snap);
        }
    }
}
