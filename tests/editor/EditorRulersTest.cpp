// The rulers as painted: readable at every drawing scale, as cheap at
// 1:10,000,000 as at 1:1, and nothing else painted over their numbers.
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "elements/TKVRRectangle.h"
#include "platform/skia/TSkCanvas.h"
#include "tests/editor/SurfaceProbes.h"
#include "tests/support/ImageProbes.h"
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <algorithm>

namespace {
constexpr int kRuler = 18;  // the bands' default thickness

// An A0 sheet in an 800 x 600 editor with the top and left rulers.
struct TRuled : TEditedLabel
{
    explicit TRuled(int32_t aScale, TKVRUnits aUnits = TKVRUnits::Millimetre)
        : TEditedLabel(1189000, 841000, {800, 600}, TKVRShowRulers(rvLeft | rvTop), aScale, aUnits)
    {
    }
};

bool Dark(QRgb c)
{
    return qRed(c) < 128 && qGreen(c) < 128 && qBlue(c) < 128;
}

// Dark pixels (text and ticks, not a coloured marker) in a rectangle.
int DarkPixels(const QImage& aImage, const QRect& aRect)
{
    int n = 0;
    for (int y = aRect.top(); y <= aRect.bottom(); ++y)
        for (int x = aRect.left(); x <= aRect.right(); ++x)
            n += Dark(aImage.pixel(x, y));
    return n;
}
}  // namespace

// At A0 1:5,000 the rulers were solid black bars without a number.
TEST(EditorRulers, LargeDrawingScalesKeepTicksApartAndNumbersWhole)
{
    for (TKVRUnits units : {TKVRUnits::Millimetre, TKVRUnits::Metre}) {
        SCOPED_TRACE(int(units));
        TRuled r(5000, units);
        const QImage img = r.Grab();
        ImageProbes::SaveForLooking(img, units == TKVRUnits::Metre ? "editor-a0-5000-m.png" : "editor-a0-5000-mm.png");
        // Every tick crosses the band's last row but one: a few of them, not a bar.
        const int ticks = DarkPixels(img, QRect(kRuler, kRuler - 2, img.width() - kRuler, 1));
        EXPECT_GT(ticks, 10);
        EXPECT_LT(ticks, (img.width() - kRuler) / 4);
        // Numbers in the top band, each clear of the next: the advance of a
        // digit, as Qt measures the ruler's font, times its digits.
        const QFont font = r.editor.GetRulers()->GetFont();
        QFont pixelFont(font);
        pixelFont.setPixelSize(qRound(font.pointSizeF()));
        const double digit = QFontMetricsF(pixelFont).horizontalAdvance(QLatin1Char('0'));
        std::vector<std::pair<double, int>> numbers;  // start x, digits
        for (const TRecordedOp& op : r.Record()) {
            const QPointF at = op.Matrix.map(op.TextAt);
            if (op.IsText && !op.Matrix.isRotating() && at.y() < kRuler && at.x() > kRuler)
                numbers.emplace_back(at.x(), op.Glyphs);
        }
        std::sort(numbers.begin(), numbers.end());
        ASSERT_GE(numbers.size(), 3u);
        for (size_t i = 1; i < numbers.size(); ++i)
            EXPECT_GT(numbers[i].first - numbers[i - 1].first, numbers[i - 1].second * digit * 0.95) << i;
    }
}

// A paint walked every tick of the drawing: 10 s at 1:10,000,000.
TEST(EditorRulers, OnePaintDrawsOnlyTheTicksThatShow)
{
    size_t ops[2] = {};
    int k = 0;
    for (int32_t scale : {1, 10000000}) {
        TRuled r(scale);
        r.editor.GetRulers()->SetVisible(TKVRShowRulers(rvLeft | rvTop | rvRight | rvBottom));
        ops[k++] = r.Record().size();
    }
    EXPECT_GT(ops[1], 50u);
    EXPECT_LT(ops[1], 2 * ops[0]);
    EXPECT_LT(ops[0], 2 * ops[1]);
}

// An element's corner handle lies under the top-left corner of the rulers.
TEST(EditorRulers, HandlesAndTheSnapMarkStayOffTheRulers)
{
    TRuled r(1);
    r.editor.SetMargin(0);
    r.editor.GetSelectionColors()->SetSizeColor(0xFF00C000);
    r.editor.GetSelectionColors()->fRefPoint = 0xFF00C000;
    r.doc.SelectItem(TKVRFactory::AddBaseRectangle(&r.doc, 0, 0, 20000, 10000), false);
    TKVRBackEditor& s = *r.editor.GetSurface();
    s.fRef.Shown = true;
    s.fRef.Shape = TKVRRef::ShapeSquare;
    s.fRef.PixelX = kRuler;
    s.fRef.PixelY = kRuler + 30;
    const QImage img = r.Grab();
    int onRulers = 0, inside = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == 0xFF00C000u)
                ++(x < kRuler || y < kRuler ? onRulers : inside);
    EXPECT_GT(inside, 20);
    EXPECT_EQ(onRulers, 0);
}

// The guide's marker stood on the number beside it: "30" read "3".
TEST(EditorRulers, GuideMarkersLeaveTheNumbersWhole)
{
    TRuled r(1);
    r.editor.GetSelectionColors()->fAlign = 0xFFFF0000;
    r.editor.GetRulers()->SetTickColor(0xFF0000FF);  // only the numbers are dark
    r.editor.GetRulers()->fAlignLeft = 30000;
    r.editor.GetRulers()->fAlignTop = 30000;
    TKVRBackEditor& s = *r.editor.GetSurface();
    const int x = s.CoordDX(30, true), y = s.CoordDY(30, true);
    const QRect left(0, y - 12, kRuler, 25), top(x - 12, 0, 25, kRuler);
    const QImage plain = r.Grab();
    r.editor.GetRulers()->SetShowAlign(true);
    const QImage marked = r.Grab();
    ImageProbes::SaveForLooking(marked, "editor-guide-markers.png");
    ASSERT_GT(DarkPixels(plain, left), 15);
    ASSERT_GT(DarkPixels(plain, top), 15);
    EXPECT_EQ(DarkPixels(marked, left), DarkPixels(plain, left));
    EXPECT_EQ(DarkPixels(marked, top), DarkPixels(plain, top));
    // The markers are there all the same.
    int red = 0;
    for (const QRect& band : {left, top})
        for (int yy = band.top(); yy <= band.bottom(); ++yy)
            for (int xx = band.left(); xx <= band.right(); ++xx)
                red += marked.pixel(xx, yy) == 0xFFFF0000u;
    EXPECT_GT(red, 2 * 10);
}

// The corner square crammed "20" over "30", the first cut at the top.
TEST(EditorRulers, CornerSquareShowsBothGuidesWhole)
{
    for (int64_t guide : {20000, 1234000}) {
        SCOPED_TRACE(guide);
        TRuled r(1);
        r.editor.GetRulers()->fAlignLeft = guide;
        r.editor.GetRulers()->fAlignTop = guide + 10000;
        r.editor.GetRulers()->SetShowAlign(true);
        const QImage img = r.Grab();
        ImageProbes::SaveForLooking(img.copy(0, 0, 60, 60).scaled(240, 240), "editor-corner.png");
        // Runs of rows and columns with ink in the corner square.
        std::vector<std::pair<int, int>> runs;
        for (int y = 0; y < kRuler; ++y) {
            const bool ink = DarkPixels(img, QRect(0, y, kRuler, 1)) > 0;
            if (ink && (runs.empty() || runs.back().second != y - 1))
                runs.emplace_back(y, y);
            else if (ink)
                runs.back().second = y;
        }
        ASSERT_EQ(runs.size(), 2u);
        EXPECT_GT(runs[0].first, 0);
        EXPECT_LT(runs[1].second, kRuler - 1);
        EXPECT_NEAR(runs[0].second - runs[0].first, runs[1].second - runs[1].first, 1);
        EXPECT_EQ(DarkPixels(img, QRect(0, 0, 1, kRuler)), 0);
        EXPECT_EQ(DarkPixels(img, QRect(kRuler - 1, 0, 1, kRuler)), 0);
    }
}
