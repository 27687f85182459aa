#include "elements/TKVRLevel.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "render/TKVRCalc.h"
#include "tests/elements/ShapeTestSupport.h"
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace shape;

namespace {

constexpr TAlphaColor kRing = kBlue;   // outline and ring
constexpr TAlphaColor kLevel = kRed;   // level part
constexpr TAlphaColor kBack = kGreen;  // disc
constexpr int kSize = 480;

// Box 5..35 mm: centre 20 mm, radius 15 mm.
const double kCentre = Px(20000);
const double kRadius = Px(15000);

TKVRLevel* MakeLevel(TKVRBaseLabel& label, TKVRLevelType type, float value, float max = 100.0f)
{
    auto* e = new TKVRLevel(&label, false);
    e->SetBase(1, 5000, 5000);
    e->SetBase(2, 35000, 35000);
    e->SetLevelType(type);
    e->SetValue(value);
    e->SetMaxValue(max);
    e->SetAngleGap(60.0f);
    e->SetColor(kRing);
    e->SetLevelColor(kLevel);
    e->SetBackColor(kBack);
    e->SetPenWidth(1.0f);
    e->SetText(QString());
    return e;
}

// Binds a gauge to the field FILL of the document's record.
TKVRLevel* Bind(TKVRLevel* e)
{
    e->SetFillType(1);
    e->SetFillName(QStringLiteral("FILL"));
    return e;
}

// The pixel on the circle of the gauge at an angle (degrees, clockwise from +x).
QRgb OnCircle(const QImage& image, double degrees, double radius = kRadius)
{
    const double a = degrees * std::numbers::pi / 180.0;
    return image.pixel(int(kCentre + radius * std::cos(a)), int(kCentre + radius * std::sin(a)));
}

TScreenPaper PaintTwins(TKVRLevel& e, const QString& aLook = QString(),
                        TKVRDrawState screenState = KVRDrawState::Preview)
{
    return Paint(e, aLook, kSize, kSize, 1, screenState);
}

int LevelInk(TKVRLevel& e, TKVRDrawState aState)
{
    ScreenSurface s(kSize, kSize, kDpi);
    s.draw.DrawState = aState;
    e.Draw(&s.draw);  // straight to Draw: no layout step in between
    return CountLeaning(s.Finish(), kLevel);
}

QImage PaperOnly(TKVRLevel& e)
{
    PaperSurface p(kSize, kSize, kDpi);
    e.Print(&p.draw);  // straight to Print: no layout step in between
    return p.Finish().copy();
}

}  // namespace

// ---------------------------------------------------------------- scale

TEST(LevelScale, RingArcsLeaveTheGapWhereverTheValueIs)
{
    float start = -1, sweep = -1;
    ASSERT_TRUE(TKVRLevel::LevelArc(2, 50.0f, 100.0f, 60.0f, start, sweep));
    EXPECT_FLOAT_EQ(start, 120.0f);
    EXPECT_FLOAT_EQ(sweep, 150.0f);
    ASSERT_TRUE(TKVRLevel::LevelArc(3, 50.0f, 100.0f, 60.0f, start, sweep));
    EXPECT_FLOAT_EQ(start, 30.0f);
    EXPECT_FLOAT_EQ(sweep, 150.0f);

    // Above the maximum the ring runs on into its gap, boundedly.
    TKVRLevel::LevelArc(2, 150.0f, 100.0f, 0.0f, start, sweep);
    EXPECT_FLOAT_EQ(sweep, 540.0f);
    TKVRLevel::LevelArc(2, 150.0f, 100.0f, 60.0f, start, sweep);
    EXPECT_FLOAT_EQ(sweep, 450.0f);
    TKVRLevel::LevelArc(2, 3.0e38f, 1.0e-30f, 60.0f, start, sweep);
    EXPECT_FLOAT_EQ(sweep, float(TKVRLevel::kMaxRingSweep));
    TKVRLevel::LevelArc(2, -20.0f, 100.0f, 60.0f, start, sweep);
    EXPECT_FLOAT_EQ(sweep, 0.0f);
    // A maximum of 0 shows the whole scale.
    TKVRLevel::LevelArc(3, 5.0f, 0.0f, 60.0f, start, sweep);
    EXPECT_FLOAT_EQ(sweep, 300.0f);

    EXPECT_EQ(TKVRLevel::LevelFill(100.0f, 100.0f), TKVRLevelFill::Full);
    EXPECT_EQ(TKVRLevel::LevelFill(0.0f, 100.0f), TKVRLevelFill::Empty);
    EXPECT_EQ(TKVRLevel::LevelFill(150.0f, 100.0f), TKVRLevelFill::Full);
    // Without a maximum only the value 0 fills the disc.
    EXPECT_EQ(TKVRLevel::LevelFill(0.0f, 0.0f), TKVRLevelFill::Full);
    EXPECT_EQ(TKVRLevel::LevelFill(5.0f, 0.0f), TKVRLevelFill::Empty);
    TKVRLevel::LevelArc(3, 0.0f, 0.0f, 60.0f, start, sweep);
    EXPECT_FLOAT_EQ(sweep, 0.0f);
    EXPECT_EQ(TKVRLevel::LevelFill(std::nanf(""), 100.0f), TKVRLevelFill::Empty);
    EXPECT_DOUBLE_EQ(TKVRLevel::LevelShare(25.0f, 100.0f), 0.25);
    EXPECT_DOUBLE_EQ(TKVRLevel::LevelShare(25.0f, std::nanf("")), 0.0);

    // Unknown types leave the arc alone.
    start = 7;
    sweep = 8;
    EXPECT_FALSE(TKVRLevel::LevelArc(9, 50.0f, 100.0f, 60.0f, start, sweep));
    EXPECT_EQ(start, 7.0f);
    EXPECT_EQ(sweep, 8.0f);
}

TEST(LevelPaint, HalfRingStartsAt120AndSweeps150OnScreenAndPaper)
{
    TKVRBaseLabel label;
    TKVRLevel* e = MakeLevel(label, 2, 50.0f);
    const TScreenPaper t = PaintTwins(*e, "level-half-ring");
    EXPECT_FLOAT_EQ(e->GetStartAngle(), 120.0f);
    EXPECT_FLOAT_EQ(e->GetSweepAngle(), 150.0f);
    for (const QImage* img : {&t.Screen, &t.Paper}) {
        // Inked from 120 to 270 degrees (clockwise, y down), empty elsewhere.
        for (double a : {130.0, 180.0, 225.0, 260.0})
            EXPECT_TRUE(LeansTo(OnCircle(*img, a), kRing)) << a;
        for (double a : {0.0, 45.0, 90.0, 110.0, 290.0})
            EXPECT_FALSE(LeansTo(OnCircle(*img, a), kRing)) << a;
    }
    EXPECT_TRUE(SameBox(InkBounds(t.Screen), InkBounds(t.Paper), 2));
}

TEST(LevelPaint, ValueAboveTheMaximumIsAFullGaugeAndBelowZeroAnEmptyOne)
{
    TKVRBaseLabel label;
    // Disc gauge: the whole disc takes the level colour, filled or not.
    for (bool filled : {true, false}) {
        TKVRLevel* e = MakeLevel(label, 0, 150.0f);
        e->SetFilled(filled);
        const TScreenPaper t = PaintTwins(*e, filled ? "level-disc-over-max" : "");
        for (const QImage* img : {&t.Screen, &t.Paper}) {
            EXPECT_TRUE(LeansTo(img->pixel(int(kCentre), int(kCentre - kRadius * 0.8)), kLevel)) << filled;
            EXPECT_TRUE(LeansTo(img->pixel(int(kCentre), int(kCentre + kRadius * 0.8)), kLevel)) << filled;
            EXPECT_EQ(CountLeaning(*img, kBack), 0);
        }
    }
    // Ring gauge: above the maximum the ring runs on through its gap at the bottom.
    {
        TKVRLevel* e = MakeLevel(label, 2, 150.0f);
        const TScreenPaper t = PaintTwins(*e, "level-ring-over-max");
        EXPECT_FLOAT_EQ(e->GetSweepAngle(), 450.0f);
        for (const QImage* img : {&t.Screen, &t.Paper}) {
            EXPECT_TRUE(LeansTo(OnCircle(*img, 90.0), kRing));
            EXPECT_TRUE(LeansTo(OnCircle(*img, 110.0), kRing));
            EXPECT_TRUE(LeansTo(OnCircle(*img, 0.0), kRing));
            EXPECT_TRUE(LeansTo(OnCircle(*img, 50.0), kRing));
        }
    }
    // A disc gauge without a maximum shows no level part.
    {
        TKVRLevel* e = MakeLevel(label, 0, 40.0f);
        e->SetMaxValue(0.0f);
        e->SetFilled(true);
        const TScreenPaper t = PaintTwins(*e);
        EXPECT_EQ(CountLeaning(t.Screen, kLevel), 0);
        EXPECT_EQ(CountLeaning(t.Paper, kLevel), 0);
    }
    // Below the minimum nothing of the level shows.
    for (TKVRLevelType type : {TKVRLevelType(0), TKVRLevelType(1), TKVRLevelType(2)}) {
        TKVRLevel* e = MakeLevel(label, type, -5.0f);
        e->SetFilled(true);
        const TScreenPaper t = PaintTwins(*e);
        EXPECT_EQ(CountLeaning(t.Screen, kLevel), 0) << int(type);
        EXPECT_EQ(CountLeaning(t.Paper, kLevel), 0) << int(type);
        if (type == 2) {
            EXPECT_FALSE(LeansTo(OnCircle(t.Screen, 180.0), kRing));
            EXPECT_FALSE(LeansTo(OnCircle(t.Paper, 180.0), kRing));
        }
    }
}

TEST(LevelPaint, PartialDiscCoversItsShareOfTheArea)
{
    TKVRBaseLabel label;
    TKVRLevel* e = MakeLevel(label, 1, 25.0f);
    e->SetPenWidth(0.0f);
    e->SetFilled(true);
    const TScreenPaper t = PaintTwins(*e, "level-quarter-vertical");
    const double disc = std::numbers::pi * kRadius * kRadius;
    for (const QImage* img : {&t.Screen, &t.Paper}) {
        EXPECT_NEAR(CountLeaning(*img, kLevel) / disc, 0.25, 0.02);
        EXPECT_NEAR(CountLeaning(*img, kBack) / disc, 0.75, 0.02);
    }
}

// ---------------------------------------------------------------- data and captions

// Each printed label and the preview show the current record (no layout
// step runs between two labels), the editor the stored value; neither writes
// into the element (the export paints it on its own thread).
TEST(LevelData, PaperAndPreviewShowTheRecordTheEditorTheStoredValue)
{
    TKVRBaseLabel label;
    TKVRLevel* bound = Bind(MakeLevel(label, 0, 10.0f));
    label.SetDataValue(QStringLiteral("FILL"), QStringLiteral("30"));
    bound->CalcValues(0);
    const int at30 = CountLeaning(PaperOnly(*bound), kLevel);
    label.SetDataValue(QStringLiteral("FILL"), QStringLiteral("80"));  // the record moves on
    TKVRLevel* at10 = MakeLevel(label, 0, 10.0f);
    TKVRLevel* at80 = MakeLevel(label, 0, 80.0f);
    at80->SetText(QStringLiteral("80"));  // the record's caption
    at10->CalcValues(0);
    at80->CalcValues(0);

    const float start = bound->GetStartAngle(), sweep = bound->GetSweepAngle();
    EXPECT_NEAR(LevelInk(*bound, KVRDrawState::Preview), LevelInk(*at80, KVRDrawState::Preview), 20);
    EXPECT_NEAR(LevelInk(*bound, KVRDrawState::Editor), LevelInk(*at10, KVRDrawState::Editor), 20);
    EXPECT_FLOAT_EQ(bound->GetRecordValue(), 30.0f);
    EXPECT_FLOAT_EQ(bound->GetStartAngle(), start);
    EXPECT_FLOAT_EQ(bound->GetSweepAngle(), sweep);
    const int printed = CountLeaning(PaperOnly(*bound), kLevel);
    EXPECT_NEAR(printed, CountLeaning(PaperOnly(*at80), kLevel), 20);
    EXPECT_GT(printed, 2 * at30);
    EXPECT_FLOAT_EQ(bound->GetRecordValue(), 80.0f);
    // The layout keeps the arc of the stored value, 10 of 100.
    float s10 = 0, w10 = 0;
    TDraw2D::AngleSegment(0.1, false, false, s10, w10);
    EXPECT_FLOAT_EQ(sweep, w10);
}

TEST(LevelData, UnboundGaugePrintsItsTextAndBoundOneItsRecord)
{
    TKVRBaseLabel label;
    TKVRLevel* e = MakeLevel(label, 2, 0.0f);  // no ring: only the caption inks
    e->SetPenWidth(0.0f);
    e->SetText(QStringLiteral("ABC"));
    // Straight to Print, without a layout step that would copy the text.
    const QImage unbound = PaperOnly(*e);
    const QRect box = InkBounds(unbound);
    ASSERT_FALSE(box.isEmpty()) << "the caption of an unbound gauge is its text";
    EXPECT_NEAR(box.center().x(), kCentre, 3);
    EXPECT_NEAR(box.center().y(), kCentre, 6);

    Bind(e);
    EXPECT_TRUE(InkBounds(PaperOnly(*e)).isEmpty()) << "an empty record prints no caption";
    label.SetDataValue(QStringLiteral("FILL"), QStringLiteral("7"));
    const QRect seven = InkBounds(PaperOnly(*e));
    ASSERT_FALSE(seven.isEmpty());
    EXPECT_LT(seven.width(), box.width() / 2) << "one digit, not three letters";
}

TEST(LevelCaption, AscentAndDescentMakeTheFontHeight)
{
    struct TProbe : TKVRLevel
    {
        using TKVRLevel::TKVRLevel;
        int32_t Asc() const { return Ascent; }
        int32_t Des() const { return Descent; }
    };
    TKVRBaseLabel label;
    auto* e = new TProbe(&label, false);
    TKVRFontInfo font = e->GetFont();
    font.Name = QStringLiteral("Arial");
    font.Height = 5000;
    e->SetFont(font);
    e->CalcValues(0);
    EXPECT_NEAR(e->Asc() + e->Des(), 5000, 2);
    EXPECT_GT(e->Asc(), e->Des());
}

TEST(LevelCaption, ScreenAndPaperPlaceTheCaptionAlikeAtEveryQuarterTurn)
{
    TKVRBaseLabel label;
    for (TKVRAngle angle : {TKVRAngle::Angle0, TKVRAngle::Angle90, TKVRAngle::Angle180, TKVRAngle::Angle270}) {
        TKVRLevel* e = MakeLevel(label, 2, 0.0f);
        e->SetPenWidth(0.0f);
        e->SetText(QStringLiteral("Level 42"));
        e->SetAngle(angle);
        TKVRFontInfo font = e->GetFont();
        font.Name = QStringLiteral("Arial");
        font.Height = 5000;
        e->SetFont(font);
        const TScreenPaper t = PaintTwins(*e, angle == TKVRAngle::Angle90 ? "level-caption-90" : "");
        const QRect a = InkBounds(t.Screen), b = InkBounds(t.Paper);
        ASSERT_FALSE(a.isEmpty());
        EXPECT_TRUE(SameBox(a, b, 2)) << int(angle);
        const bool upright = angle == TKVRAngle::Angle90 || angle == TKVRAngle::Angle270;
        EXPECT_EQ(a.height() > a.width(), upright) << int(angle);
        EXPECT_NEAR(a.center().x(), kCentre, 4) << int(angle);
        EXPECT_NEAR(a.center().y(), kCentre, 8) << int(angle);
        // Ascent plus descent make the font height: the ink stays within it.
        EXPECT_LE(upright ? a.width() : a.height(), int(Px(5000)) + 1);
        EXPECT_GT(e->GetRatio(), 0.5);
        EXPECT_LT(e->GetRatio(), 1.0);  // ascent + descent exceed the nominal size
    }
}
