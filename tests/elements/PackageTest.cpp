#include "elements/TKVRPackage.Geometry.h"
#include "elements/TKVRPackage.h"
#include "platform/rtl/KVR.Stream.h"
#include "render/TKVRCalc.h"
#include "tests/elements/ElementTestSupport.h"
#include <QBuffer>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr TAlphaColor kFrame = 0xFF000000u;
constexpr TAlphaColor kBox = 0xFFFF0000u;   // red: outline, edges, faces, holes
constexpr TAlphaColor kFont = 0xFF0000FFu;  // blue: captions and size table
constexpr int kDpi = 300;

double Px(double micrometres)
{
    return micrometres * kDpi / 25400.0;
}

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

using TPixelRule = std::function<bool(QRgb)>;

bool Reddish(QRgb p)
{
    return qRed(p) - std::max(qGreen(p), qBlue(p)) > 80;
}

bool Bluish(QRgb p)
{
    return qBlue(p) - std::max(qRed(p), qGreen(p)) > 80;
}

QRect RuleBounds(const QImage& image, const TPixelRule& rule, const QRect& within = QRect())
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    QRect out;
    const QRect area = within.isNull() ? img.rect() : within.intersected(img.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (rule(img.pixel(x, y)))
                out |= QRect(x, y, 1, 1);
    return out;
}

int RuleCount(const QImage& image, const TPixelRule& rule)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += rule(img.pixel(x, y)) ? 1 : 0;
    return n;
}

struct TTwin
{
    QImage screen;
    QImage paper;
};

TTwin PaintTwins(TKVRPackage& e, int offsetX = 0)
{
    TTwin t;
    {
        ScreenSurface s(800, 560, kDpi);
        e.DrawElement(&s.draw);
        t.screen = s.Finish().copy();
    }
    {
        PaperSurface p(800 + offsetX, 560, kDpi);
        p.draw.PrintOffsetX = offsetX;
        e.PrintElement(&p.draw);
        t.paper = p.Finish().copy();
    }
    return t;
}

std::string Text(const QRect& r)
{
    return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

}  // namespace

// ---------------------------------------------------------------- streams

TEST(PackageStreams, BinaryAndJsonRoundTripsAreExact)
{
    TKVRBaseLabel label;
    TKVRPackage* e = MakeBox(label, 5, 120.0f, 80.0f, 0.0f);
    e->SetDrills({{10.0, 20.0, 6.0}, {110.0, 60.0, 8.5}});
    e->SetSlots({{30.0, 40.0, 90.0, 40.0, 5.0}});
    e->SetNameLength(QStringLiteral("Largo"));
    e->SetFormat(QStringLiteral("0.0"));
    e->SetBaseRadio(1500);
    e->SetFillType(1);
    e->SetFillName(QStringLiteral("SIZES"));

    const QByteArray original = WriteBinary(*e);
    EXPECT_EQ(RoundTripBinary(label, *e, &TKVRPackage::Read), original);
    TKVRBaseItem* fromJson = TKVRPackage::ReadFromJson(&label, KVRFileVersion, e->WriteJson());
    ASSERT_NE(dynamic_cast<TKVRPackage*>(fromJson), nullptr);
    EXPECT_EQ(WriteJsonText(*fromJson), WriteJsonText(*e));
    EXPECT_EQ(WriteBinary(*fromJson), original);
    EXPECT_GT(CheckTruncatedRecords(label, *e, &TKVRPackage::Read), 100);
}

TEST(PackageStreams, OnlyTheCellCopyIsReadAsPreview)
{
    TKVRBaseLabel label;
    TKVRPackage* e = MakeBox(label, 0, 10, 10, 10);
    const QByteArray bytes = WriteBinary(*e);
    for (TKVRReadType type : {KVRReadType::File, KVRReadType::Paste, KVRReadType::CellCopy}) {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        TBinaryReader reader(&buffer);
        reader.ReadInt32();
        EXPECT_EQ(TKVRPackage::Read(&label, KVRFileVersion, reader, type)->GetPreview(),
                  type == KVRReadType::CellCopy);
    }
    EXPECT_FALSE(TKVRPackage::ReadFromJson(&label, KVRFileVersion, e->WriteJson())->GetPreview());
}

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
    TPointF c, a, b;
    float radius = 0, width = 0;
    const TKVRBlankMap zeroLength(TRectF(100, 100, 100, 100), 0.0, 50.0);
    EXPECT_FALSE(zeroLength.IsValid());
    EXPECT_FALSE(zeroLength.Hole({1, 1, 1}, c, radius));
    EXPECT_FALSE(zeroLength.Slot({1, 1, 2, 2, 1}, a, b, width));

    const TKVRBlankMap blank(TRectF(0, 0, 200, 100), 100.0, 50.0);
    ASSERT_TRUE(blank.Hole({25, 10, 10}, c, radius));
    EXPECT_FLOAT_EQ(c.X, 50.0f);
    EXPECT_FLOAT_EQ(c.Y, 80.0f);  // Y counts up from the bottom edge
    EXPECT_FLOAT_EQ(radius, 10.0f);
    EXPECT_FALSE(blank.Hole({1e300, 10, 10}, c, radius));
    EXPECT_FALSE(blank.Hole({10, 10, 0}, c, radius));

    int64_t o = 0;
    const TKVRPrintBlankMap paperZero(TKVRRect{0, 0, 0, 0}, 0.0, 0.0);
    EXPECT_FALSE(paperZero.Along(10.0, o));
    const TKVRPrintBlankMap paper(TKVRRect{0, 0, 20000, 10000}, 100.0, 50.0);
    ASSERT_TRUE(paper.Along(25.0, o));
    EXPECT_EQ(o, 5000);
    EXPECT_FALSE(paper.Up(1e300, o));
    EXPECT_FALSE(paper.Along(std::numeric_limits<double>::infinity(), o));
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
            const TTwin t = PaintTwins(*e);
            const QString name = QString("package-%1-style%2").arg(h == 0.0f ? "flat" : "iso").arg(style);
            SaveForLook(t.screen, name + "-screen");
            SaveForLook(t.paper, name + "-paper");
            const std::string what = name.toStdString();

            EXPECT_TRUE(SameBox(InkBounds(t.screen), InkBounds(t.paper), 2)) << what;
            // Faces filled on screen are outlined in the frame colour; paper has red edges.
            if (!(h != 0.0f && (style == 2 || style == 3))) {
                const QRect a = RuleBounds(t.screen, Reddish), b = RuleBounds(t.paper, Reddish);
                ASSERT_FALSE(a.isEmpty()) << what;
                EXPECT_TRUE(SameBox(a, b, 2)) << what << ": " << Text(a) << " vs " << Text(b);
            }
            // The size table's row pitch differs on purpose (styles 1 and 3).
            if (style != 1 && style != 3 && !(h == 0.0f && style == 4)) {
                const QRect a = RuleBounds(t.screen, Bluish), b = RuleBounds(t.paper, Bluish);
                ASSERT_FALSE(a.isEmpty()) << what;
                EXPECT_TRUE(SameBox(a, b, 3)) << what << ": " << Text(a) << " vs " << Text(b);
            }
        }
}

TEST(PackagePaint, StyleFourFlatHasHolesButNoCaptionsWhileItsBoxHasAll)
{
    TKVRBaseLabel label;
    TKVRPackage* flat = MakeBox(label, 4, 120, 80, 0);
    flat->SetDrills({{60, 40, 20}});
    const TTwin t = PaintTwins(*flat);
    for (const QImage* img : {&t.screen, &t.paper}) {
        EXPECT_EQ(RuleCount(*img, Bluish), 0);
        // The hole's ring passes through the middle of the outline, left of centre.
        const QRect hole = RuleBounds(*img, Reddish, QRect(int(Px(35000)) - 60, int(Px(25000)) - 60, 120, 120));
        EXPECT_FALSE(hole.isEmpty());
    }
    TKVRPackage* box = MakeBox(label, 4, 120, 80, 30);
    const TTwin b = PaintTwins(*box);
    EXPECT_GT(RuleCount(b.screen, Bluish), 100);
    EXPECT_GT(RuleCount(b.paper, Bluish), 100);
}

TEST(PackagePaint, HorizontalFlatCaptionShowsTheLength)
{
    TKVRBaseLabel label;
    // A wide element with L > W: "1234" under the outline, "5" beside it.
    TKVRPackage* wide = MakeBox(label, 0, 1234.0f, 5.0f, 0.0f);
    // A tall element with L < W: still the length under it, "12", and "5000" beside.
    TKVRPackage* tall = MakeBox(label, 0, 12.0f, 5000.0f, 0.0f);
    tall->SetBase(2, 25000, 45000);
    const TTwin w = PaintTwins(*wide);
    const TTwin t = PaintTwins(*tall);
    SaveForLook(t.screen, "package-flat-tall-screen");
    for (const QImage* img : {&w.screen, &w.paper}) {
        const QRect o = RuleBounds(*img, Reddish);
        ASSERT_FALSE(o.isEmpty());
        const QRect under = RuleBounds(*img, Bluish, QRect(o.left(), o.bottom() + 1, img->width(), 200));
        const QRect beside = RuleBounds(*img, Bluish, QRect(0, 0, o.left(), img->height()));
        ASSERT_FALSE(under.isEmpty());
        ASSERT_FALSE(beside.isEmpty());
        EXPECT_GT(under.width(), 3 * beside.height());
        EXPECT_NEAR(under.center().x(), o.center().x(), 3);
        EXPECT_NEAR(beside.center().y(), o.center().y(), 3);
        EXPECT_GT(beside.height(), 0);
    }
    for (const QImage* img : {&t.screen, &t.paper}) {
        const QRect o = RuleBounds(*img, Reddish);
        ASSERT_FALSE(o.isEmpty());
        EXPECT_GT(o.height(), 10 * o.width());
        const QRect under = RuleBounds(*img, Bluish, QRect(0, o.bottom() + 1, img->width(), 200));
        const QRect beside = RuleBounds(*img, Bluish, QRect(0, o.top(), o.left(), o.height()));
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
        const TTwin t = PaintTwins(*e);
        SaveForLook(t.paper, QString("package-%1-paper").arg(c.name));
        for (const QImage* img : {&t.screen, &t.paper}) {
            // The frame is whole and nothing of the blank is drawn.
            const QRect frame = InkBounds(*img);
            EXPECT_TRUE(SameBox(frame, QRect(QPoint(int(Px(5000)), int(Px(5000))), QPoint(int(Px(65000)), int(Px(45000)))), 3))
                << c.name << " " << Text(frame);
            EXPECT_EQ(RuleCount(*img, Reddish), 0) << c.name;
            // The flat view still shows its numbers; a box that has no height to fit shows none.
            if (c.H == 0.0f)
                EXPECT_GT(RuleCount(*img, Bluish), 20) << c.name;
            else
                EXPECT_EQ(RuleCount(*img, Bluish), 0) << c.name;
        }
    }
    // No room inside the margins: only the frame.
    TKVRPackage* tiny = MakeBox(label, 0, 120, 80, 30);
    tiny->SetBase(2, 9000, 9000);
    const TTwin t = PaintTwins(*tiny);
    EXPECT_EQ(RuleCount(t.screen, Reddish), 0);
    EXPECT_EQ(RuleCount(t.paper, Reddish), 0);
}

TEST(PackagePaint, PaperDrawsOnlyTheVisibleEdgesOfAFilledBox)
{
    TKVRBaseLabel label;
    TKVRPrintIsoView iso;
    // Content rectangle of styles 0 and 2: the bounds less 2 mm plus the caption font's height.
    TKVRPackage* outlined = MakeBox(label, 0, 120, 80, 60);
    TKVRPackage* filled = MakeBox(label, 2, 120, 80, 60);
    const TTwin a = PaintTwins(*outlined);
    const TTwin b = PaintTwins(*filled);
    SaveForLook(b.paper, "package-iso-style2-paper");
    const int64_t m = 2000 + outlined->GetBoxAscent() + outlined->GetBoxDescent();
    ASSERT_TRUE(iso.Fit(120, 80, 60, TKVRRect{5000 + m, 5000 + m, 65000 - m, 45000 - m}));
    // Middle of the hidden back vertical edge (L, W, 0)-(L, W, H).
    const int x = int(Px(double(iso.X(120, 80)))), y = int(Px(double(iso.Y(120, 80, 30))));
    const QRect spot(x - 2, y - 2, 5, 5);
    EXPECT_FALSE(RuleBounds(a.paper, Reddish, spot).isEmpty());
    EXPECT_TRUE(RuleBounds(b.paper, Reddish, spot).isEmpty());
    EXPECT_GT(RuleCount(b.paper, Reddish), 100);
    // Its screen twin fills the faces instead.
    EXPECT_GT(RuleCount(b.screen, Reddish), 20 * RuleCount(b.paper, Reddish));
}

TEST(PackagePaint, PrintOffsetMovesEveryPartOnce)
{
    TKVRBaseLabel label;
    for (float h : {0.0f, 30.0f}) {
        TKVRPackage* e = MakeBox(label, 5, 120, 80, h);
        e->SetDrills({{20, 20, 10}});
        const TTwin home = PaintTwins(*e, 0);
        const TTwin moved = PaintTwins(*e, 237);
        EXPECT_TRUE(moved.paper.copy(237, 0, 800, 560) == home.paper) << h;
    }
}

TEST(PackageData, BoundBoxPrintsTheRecordAndKeepsItsStoredSizes)
{
    TKVRBaseLabel label;
    TKVRPackage* bound = MakeBox(label, 0, 120, 80, 30);
    bound->SetFillType(1);
    bound->SetFillName(QStringLiteral("SIZES"));
    label.SetDataValue(QStringLiteral("SIZES"), QStringLiteral("40x90x70"));
    const TTwin t = PaintTwins(*bound);
    EXPECT_FLOAT_EQ(bound->SizeLength(), 120.0f);
    EXPECT_FLOAT_EQ(bound->SizeWidth(), 80.0f);
    EXPECT_FLOAT_EQ(bound->SizeHeight(), 30.0f);

    TKVRPackage* record = MakeBox(label, 0, 40, 90, 70);
    TKVRPackage* stored = MakeBox(label, 0, 120, 80, 30);
    const TTwin r = PaintTwins(*record);
    const TTwin s = PaintTwins(*stored);
    EXPECT_TRUE(t.paper == r.paper) << "paper shows the record";
    EXPECT_TRUE(t.screen == s.screen) << "the screen keeps the stored sizes";
    EXPECT_FALSE(t.paper == s.paper);
}
