#include "elements/TKVRPackage.Geometry.h"
#include "elements/TKVRPackage.h"
#include "render/TKVRCalc.h"
#include "tests/elements/ShapeTestSupport.h"
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace shape;

namespace {

constexpr TAlphaColor kFrame = kBlack;
constexpr TAlphaColor kBox = kRed;    // outline, edges, faces, holes
constexpr TAlphaColor kFont = kBlue;  // captions and size table

// A 60 x 40 mm element at (5 mm, 5 mm); its frame is filled white so that
// screen and paper both centre the frame line on the bounds.
TKVRPackage* MakeBox(TKVRBaseLabel& label, TKVRPackageStyle style, float l, float w, float h)
{
    auto* e = new TKVRPackage(&label, false);
    e->SetBase(1, 5000, 5000);
    e->SetBase(2, 65000, 45000);
    e->SetStyle(style);
    e->SetSizeLength(l);
    e->SetSizeWidth(w);
    e->SetSizeHeight(h);
    e->SetColor(kFrame);
    e->SetBoxColor(kBox);
    e->SetFontColor(kFont);
    e->SetFilled(true);
    e->SetBackColor(TAlphaColors::White);
    e->SetPenWidth(0.25f);
    e->SetBoxFontHeight(2500);
    e->SetSizesFontHeight(2500);
    return e;
}

TScreenPaper PaintTwins(TKVRPackage& e, int offsetX = 0)
{
    return PaintScreenAndPaper(e, 800, 560, kDpi, 1, KVRDrawState::Preview, offsetX);
}

}  // namespace

// ---------------------------------------------------------------- layout

TEST(PackageLayout, CalcValuesMeasuresTheFontsEachStyleUses)
{
    TKVRBaseLabel label;
    int32_t asc = 0, des = 0, und = 0, lh = 0;
    double ratio = 0;
    TKVRCalc::FontSettings(QStringLiteral("Arial"), 3000, false, false, asc, des, und, lh, ratio);
    int32_t boxAsc = 0, boxDes = 0;
    double boxRatio = 0;
    TKVRCalc::FontSettings(QStringLiteral("Arial"), 4000, false, false, boxAsc, boxDes, und, lh, boxRatio);
    ASSERT_GT(asc, 0);
    for (TKVRPackageStyle style = 0; style <= 6; ++style) {
        TKVRPackage* e = MakeBox(label, style, 100, 50, 30);
        e->SetSizesFontHeight(3000);
        e->SetBoxFontHeight(4000);
        e->CalcValues(0);
        const bool table = style == 1 || style == 3 || style == 5;
        EXPECT_EQ(e->GetSizesAscent(), table ? asc : 0) << int(style);
        EXPECT_EQ(e->GetSizesDescent(), table ? des : 0) << int(style);
        EXPECT_DOUBLE_EQ(e->GetSizesRatio(), table ? ratio : 1.0) << int(style);
        EXPECT_EQ(e->GetBoxAscent(), style <= 5 ? boxAsc : 0) << int(style);
        EXPECT_EQ(e->GetBoxAscent() + e->GetBoxDescent(), style <= 5 ? 4000 : 0) << int(style);
    }
}

TEST(PackageLayout, CaptionsUseTheFormatOrWholeNumbers)
{
    TKVRBaseLabel label;
    TKVRPackage* e = MakeBox(label, 0, 12.6f, 1, 1);
    EXPECT_EQ(e->SizeText(12.6f), "13");
    e->SetFormat(QStringLiteral("0.0"));
    EXPECT_EQ(e->SizeText(12.6f), "12.6");
}

// ---------------------------------------------------------------- geometry

TEST(PackageGeometry, IsometricFitFillsTheRectangleAndRefusesWhatCannotBeFitted)
{
    TKVRIsoView iso;
    ASSERT_TRUE(iso.Fit(100, 100, 50, TRectF(0, 0, 400, 300)));
    // Equal length and width: the front vertical edge is the centre line.
    EXPECT_NEAR(iso.X(0, 0), 200.0f, 1e-3f);
    const float left = iso.X(0, 100), right = iso.X(100, 0), top = iso.Y(100, 100, 0), bottom = iso.Y(0, 0, 50);
    EXPECT_TRUE(std::fabs(right - left - 400.0f) < 1e-2f || std::fabs(bottom - top - 300.0f) < 1e-2f);
    EXPECT_NEAR((left + right) / 2.0f, 200.0f, 1e-3f);
    EXPECT_NEAR((top + bottom) / 2.0f, 150.0f, 1e-3f);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(iso.Fit(0, 0, 0, TRectF(0, 0, 400, 300)));
    EXPECT_FALSE(iso.Fit(nan, 10, 10, TRectF(0, 0, 400, 300)));
    EXPECT_FALSE(iso.Fit(10, 10, 10, TRectF(0, 0, -5, 300)));  // no room
    EXPECT_TRUE(iso.Fit(0, 0, 10, TRectF(0, 0, 400, 300)));    // a post: still a line

    // On paper, small sizes (metres) fit exactly as large ones do.
    TKVRPrintIsoView small, large;
    const TKVRRect r{0, 0, 40000, 30000};
    ASSERT_TRUE(small.Fit(0.5, 0.3, 0.2, r));
    ASSERT_TRUE(large.Fit(500, 300, 200, r));
    EXPECT_NEAR(small.X(0.5, 0), large.X(500, 0), 1);
    EXPECT_NEAR(small.Y(0, 0, 0.2), large.Y(0, 0, 200), 1);
    EXPECT_FALSE(small.Fit(0, 0, 0, r));
}

TEST(PackageGeometry, BlankMapSkipsWhatCannotBeMapped)
{
    double o = 0;
    EXPECT_FALSE(TKVRBlankMap(0, 0, 100.0, 50.0, TKVRBlankMap::PixelLimit).IsValid());  // no room
    EXPECT_FALSE(TKVRBlankMap(200, 100, 0.0, 50.0, TKVRBlankMap::PixelLimit).Along(10.0, o));
    const TKVRBlankMap blank(200, 100, 100.0, 50.0, TKVRBlankMap::PixelLimit);
    ASSERT_TRUE(blank.Along(25.0, o));
    EXPECT_DOUBLE_EQ(o, 50.0);
    ASSERT_TRUE(blank.Up(10.0, o));
    EXPECT_DOUBLE_EQ(o, 20.0);
    EXPECT_FALSE(blank.Along(1e300, o));
    EXPECT_FALSE(blank.Up(std::numeric_limits<double>::infinity(), o));
    EXPECT_FALSE(blank.Along(std::numeric_limits<double>::quiet_NaN(), o));
}

// ---------------------------------------------------------------- painting

TEST(PackagePaint, ScreenAndPaperTwinsInEveryStyle)
{
    TKVRBaseLabel label;
    for (float h : {0.0f, 30.0f})
        for (TKVRPackageStyle style = 0; style <= 5; ++style) {
            TKVRPackage* e = MakeBox(label, style, 120, 80, h);
            e->SetDrills({{15, 15, 8}, {105, 65, 8}});
            e->SetSlots({{40, 40, 80, 40, 6}});
            const TScreenPaper t = PaintTwins(*e);
            const QString name = QString("package-%1-style%2").arg(h == 0.0f ? "flat" : "iso").arg(style);
            const std::string what = name.toStdString();

            EXPECT_TRUE(SameBox(InkBounds(t.Screen), InkBounds(t.Paper), 2)) << what;
            // Faces filled on screen are outlined in the frame colour; paper has red edges.
            if (!(h != 0.0f && (style == 2 || style == 3))) {
                const QRect a = LeaningBounds(t.Screen, kBox), b = LeaningBounds(t.Paper, kBox);
                ASSERT_FALSE(a.isEmpty()) << what;
                EXPECT_TRUE(SameBox(a, b, 2)) << what;
            }
            // Style 4 shows no flat captions, but the box's three.
            if (h == 0.0f && style == 4) {
                EXPECT_EQ(CountLeaning(t.Screen, kFont) + CountLeaning(t.Paper, kFont), 0);
                // The first hole (15, 15; 8 across) near the lower left corner of the outline.
                EXPECT_FALSE(LeaningBounds(t.Screen, kBox, Around({17562, 34688}, 25)).isEmpty());
                EXPECT_FALSE(LeaningBounds(t.Paper, kBox, Around({17562, 34688}, 25)).isEmpty());
            }
            // The size table's row pitch differs on purpose (styles 1 and 3).
            if (style != 1 && style != 3 && !(h == 0.0f && style == 4)) {
                const QRect a = LeaningBounds(t.Screen, kFont), b = LeaningBounds(t.Paper, kFont);
                ASSERT_FALSE(a.isEmpty()) << what;
                EXPECT_TRUE(SameBox(a, b, 3)) << what;
            }
        }
}

TEST(PackagePaint, MarginsAndCaptionGapsAreTheSameOnPaperAtAnyDrawingScale)
{
    // The same box drawn at scale 1 and at scale 10 (model coordinates ten
    // times larger) is the same picture on paper and on screen.
    std::array<TScreenPaper, 2> pictures;
    for (int i = 0; i < 2; ++i) {
        const int scale = i == 0 ? 1 : 10;
        TKVRBaseLabel label;
        label.GetMeasure().SetDrawScale(scale);
        TKVRPackage* e = MakeBox(label, 5, 120, 80, 0);
        e->SetBase(1, 5000 * scale, 5000 * scale);
        e->SetBase(2, 65000 * scale, 45000 * scale);
        e->CalcValues(0);
        pictures[size_t(i)] = PaintScreenAndPaper(*e, 800, 560, kDpi, scale, KVRDrawState::Preview, 0);
    }
    for (TAlphaColor colour : {kBox, kFont}) {
        const QRect a = LeaningBounds(pictures[0].Paper, colour), b = LeaningBounds(pictures[1].Paper, colour);
        ASSERT_FALSE(a.isEmpty());
        EXPECT_TRUE(SameBox(a, b, 2)) << colour;
        EXPECT_TRUE(SameBox(LeaningBounds(pictures[0].Screen, colour), LeaningBounds(pictures[1].Screen, colour), 2))
            << colour;
    }
}

TEST(PackagePaint, HorizontalFlatCaptionShowsTheLength)
{
    TKVRBaseLabel label;
    // A wide element with L > W: "1234" under the outline, "5" beside it.
    TKVRPackage* wide = MakeBox(label, 0, 1234.0f, 5.0f, 0.0f);
    // A tall element with L < W: still the length under it, "12", and "5000" beside.
    TKVRPackage* tall = MakeBox(label, 0, 12.0f, 5000.0f, 0.0f);
    tall->SetBase(2, 25000, 45000);
    const TScreenPaper w = PaintTwins(*wide);
    const TScreenPaper t = PaintTwins(*tall);
    for (const QImage* img : {&w.Screen, &w.Paper}) {
        const QRect o = LeaningBounds(*img, kBox);
        ASSERT_FALSE(o.isEmpty());
        const QRect under = LeaningBounds(*img, kFont, QRect(o.left(), o.bottom() + 1, img->width(), 200));
        const QRect beside = LeaningBounds(*img, kFont, QRect(0, 0, o.left(), img->height()));
        ASSERT_FALSE(under.isEmpty());
        ASSERT_FALSE(beside.isEmpty());
        EXPECT_GT(under.width(), 3 * beside.height());
        EXPECT_NEAR(under.center().x(), o.center().x(), 3);
        EXPECT_NEAR(beside.center().y(), o.center().y(), 3);
        EXPECT_GT(beside.height(), 0);
    }
    for (const QImage* img : {&t.Screen, &t.Paper}) {
        const QRect o = LeaningBounds(*img, kBox);
        ASSERT_FALSE(o.isEmpty());
        EXPECT_GT(o.height(), 10 * o.width());
        const QRect under = LeaningBounds(*img, kFont, QRect(0, o.bottom() + 1, img->width(), 200));
        const QRect beside = LeaningBounds(*img, kFont, QRect(0, o.top(), o.left(), o.height()));
        ASSERT_FALSE(under.isEmpty());
        ASSERT_FALSE(beside.isEmpty());
        EXPECT_GT(beside.height(), under.width() * 3 / 2) << "12 under, 5000 beside";
        EXPECT_GT(beside.height(), beside.width()) << "the side caption reads upwards";
        EXPECT_NEAR(under.center().x(), o.center().x(), 3);
    }
}

TEST(PackagePaint, ZeroSizesPaintTheFrameAndCaptionsWithoutTheBlank)
{
    TKVRBaseLabel label;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct TCase
    {
        float L, W, H;
        const char* name;
    };
    for (const TCase& c : {TCase{0, 80, 0, "zero-length"}, TCase{120, 0, 0, "zero-width"}, TCase{0, 0, 0, "zero-both"},
                           TCase{120, 80, float(nan), "no-height"}, TCase{-50, 50, 0, "negative"}}) {
        TKVRPackage* e = MakeBox(label, 5, c.L, c.W, c.H);
        e->SetDrills({{10, 10, 5}, {1e300, 1, 1}});
        e->SetSlots({{1, 1, 5, 5, 2}, {nan, 0, 0, 0, 0}});
        const TScreenPaper t = PaintTwins(*e);
        for (const QImage* img : {&t.Screen, &t.Paper}) {
            // The frame is whole and nothing of the blank is drawn.
            const QRect frame = InkBounds(*img);
            EXPECT_TRUE(SameBox(frame, QRect(QPoint(int(Px(5000)), int(Px(5000))), QPoint(int(Px(65000)), int(Px(45000)))), 3))
                << c.name << " ";
            EXPECT_EQ(CountLeaning(*img, kBox), 0) << c.name;
            // The flat view still shows its numbers; a box that has no height to fit shows none.
            if (c.H == 0.0f)
                EXPECT_GT(CountLeaning(*img, kFont), 20) << c.name;
            else
                EXPECT_EQ(CountLeaning(*img, kFont), 0) << c.name;
        }
    }
    // No room inside the margins: only the frame.
    TKVRPackage* tiny = MakeBox(label, 0, 120, 80, 30);
    tiny->SetBase(2, 9000, 9000);
    const TScreenPaper t = PaintTwins(*tiny);
    EXPECT_EQ(CountLeaning(t.Screen, kBox), 0);
    EXPECT_EQ(CountLeaning(t.Paper, kBox), 0);
}

TEST(PackagePaint, PaperDrawsOnlyTheVisibleEdgesOfAFilledBox)
{
    TKVRBaseLabel label;
    TKVRPrintIsoView iso;
    // Content rectangle of styles 0 and 2: the bounds less 2 mm plus the caption font's height.
    TKVRPackage* outlined = MakeBox(label, 0, 120, 80, 60);
    TKVRPackage* filled = MakeBox(label, 2, 120, 80, 60);
    const TScreenPaper a = PaintTwins(*outlined);
    const TScreenPaper b = PaintTwins(*filled);
    const int64_t m = 2000 + outlined->GetBoxAscent() + outlined->GetBoxDescent();
    ASSERT_TRUE(iso.Fit(120, 80, 60, TKVRRect{5000 + m, 5000 + m, 65000 - m, 45000 - m}));
    // Middle of the hidden back vertical edge (L, W, 0)-(L, W, H).
    const int x = int(Px(double(iso.X(120, 80)))), y = int(Px(double(iso.Y(120, 80, 30))));
    const QRect spot(x - 2, y - 2, 5, 5);
    EXPECT_FALSE(LeaningBounds(a.Paper, kBox, spot).isEmpty());
    EXPECT_TRUE(LeaningBounds(b.Paper, kBox, spot).isEmpty());
    EXPECT_GT(CountLeaning(b.Paper, kBox), 100);
    // Its screen twin fills the faces instead.
    EXPECT_GT(CountLeaning(b.Screen, kBox), 20 * CountLeaning(b.Paper, kBox));
}

TEST(PackagePaint, PrintOffsetMovesEveryPartOnce)
{
    TKVRBaseLabel label;
    for (float h : {0.0f, 30.0f}) {
        TKVRPackage* e = MakeBox(label, 5, 120, 80, h);
        e->SetDrills({{20, 20, 10}});
        const TScreenPaper home = PaintTwins(*e, 0);
        const TScreenPaper moved = PaintTwins(*e, 237);
        EXPECT_TRUE(moved.Paper.copy(237, 0, 800, 560) == home.Paper) << h;
    }
}

TEST(PackageData, BoundBoxPrintsTheRecordAndKeepsItsStoredSizes)
{
    TKVRBaseLabel label;
    TKVRPackage* bound = MakeBox(label, 0, 120, 80, 30);
    bound->SetFillType(1);
    bound->SetFillName(QStringLiteral("SIZES"));
    label.SetDataValue(QStringLiteral("SIZES"), QStringLiteral("40x90x70"));
    const TScreenPaper t = PaintTwins(*bound);
    EXPECT_FLOAT_EQ(bound->SizeLength(), 120.0f);
    EXPECT_FLOAT_EQ(bound->SizeWidth(), 80.0f);
    EXPECT_FLOAT_EQ(bound->SizeHeight(), 30.0f);
    EXPECT_EQ(bound->PrintedSizes(), (TKVRBoxSizes{40, 90, 70}));

    TKVRPackage* record = MakeBox(label, 0, 40, 90, 70);
    TKVRPackage* stored = MakeBox(label, 0, 120, 80, 30);
    const TScreenPaper r = PaintTwins(*record);
    const TScreenPaper s = PaintTwins(*stored);
    EXPECT_TRUE(t.Paper == r.Paper) << "paper shows the record";
    EXPECT_TRUE(t.Screen == r.Screen) << "the preview shows the record";
    const auto editor = [](TKVRPackage& e) {
        return PaintScreenAndPaper(e, 800, 560, kDpi, 1, KVRDrawState::Editor).Screen;
    };
    EXPECT_TRUE(editor(*bound) == editor(*stored)) << "the editor keeps the stored sizes";
    EXPECT_FALSE(t.Paper == s.Paper);
}
