#include "elements/TKVRLevel.h"
#include "platform/rtl/KVR.Draw2D.h"
#include "platform/rtl/KVR.Stream.h"
#include "render/TKVRCalc.h"
#include "tests/elements/ElementTestSupport.h"
#include <QBuffer>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr TAlphaColor kRing = 0xFF0000FFu;   // outline and ring
constexpr TAlphaColor kLevel = 0xFFFF0000u;  // level part
constexpr TAlphaColor kBack = 0xFF00FF00u;   // disc
constexpr int kDpi = 300;
constexpr int kSize = 480;

// Box 5..35 mm: centre 20 mm, radius 15 mm.
double Px(double micrometres)
{
    return micrometres * kDpi / 25400.0;
}
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

bool Near(QRgb p, TAlphaColor c, int tol = 60)
{
    return std::abs(qRed(p) - int((c >> 16) & 0xFF)) <= tol && std::abs(qGreen(p) - int((c >> 8) & 0xFF)) <= tol &&
           std::abs(qBlue(p) - int(c & 0xFF)) <= tol;
}

int CountColour(const QImage& image, TAlphaColor c)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += Near(img.pixel(x, y), c, 40) ? 1 : 0;
    return n;
}

// The pixel on the circle of the gauge at an angle (degrees, clockwise from +x).
QRgb OnCircle(const QImage& image, double degrees, double radius = kRadius)
{
    const double a = degrees * std::numbers::pi / 180.0;
    return image.pixel(int(kCentre + radius * std::cos(a)), int(kCentre + radius * std::sin(a)));
}

struct TTwin
{
    QImage screen;
    QImage paper;
};

TTwin PaintTwins(TKVRLevel& e, TKVRDrawState screenState = KVRDrawState::Preview)
{
    TTwin t;
    {
        ScreenSurface s(kSize, kSize, kDpi);
        s.draw.DrawState = screenState;
        e.DrawElement(&s.draw);
        t.screen = s.Finish().copy();
    }
    {
        PaperSurface p(kSize, kSize, kDpi);
        e.PrintElement(&p.draw);
        t.paper = p.Finish().copy();
    }
    return t;
}

QImage PaperOnly(TKVRLevel& e)
{
    PaperSurface p(kSize, kSize, kDpi);
    e.Print(&p.draw);  // straight to Print: no layout step in between
    return p.Finish().copy();
}

QString BoxText(const QRect& r)
{
    return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

}  // namespace

// ---------------------------------------------------------------- streams

TEST(LevelStreams, BinaryAndJsonRoundTripsAreExact)
{
    TKVRBaseLabel label;
    TKVRLevel* e = MakeLevel(label, 3, 42.5f, 80.0f);
    e->SetText(QStringLiteral("Nivel ñ"));
    e->SetAngle(TKVRAngle::Angle270);
    e->SetFillType(1);
    e->SetFillName(QStringLiteral("FILL"));
    e->SetFormat(QStringLiteral("0.0"));
    e->SetFilled(true);
    e->SetAlpha(0);

    const QByteArray original = WriteBinary(*e);
    EXPECT_EQ(RoundTripBinary(label, *e, &TKVRLevel::Read), original);
    TKVRBaseItem* fromJson = TKVRLevel::ReadFromJson(&label, KVRFileVersion, e->WriteJson());
    ASSERT_NE(fromJson, nullptr);
    EXPECT_NE(dynamic_cast<TKVRLevel*>(fromJson), nullptr);
    EXPECT_EQ(WriteJsonText(*fromJson), WriteJsonText(*e));
    EXPECT_EQ(WriteBinary(*fromJson), original);
    EXPECT_GT(CheckTruncatedRecords(label, *e, &TKVRLevel::Read), 40);
}

TEST(LevelStreams, OnlyTheCellCopyIsReadAsPreview)
{
    TKVRBaseLabel label;
    TKVRLevel* e = MakeLevel(label, 0, 10.0f);
    const QByteArray bytes = WriteBinary(*e);
    for (TKVRReadType type : {KVRReadType::File, KVRReadType::Paste, KVRReadType::CellCopy}) {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        TBinaryReader reader(&buffer);
        reader.ReadInt32();
        TKVRBaseItem* item = TKVRLevel::Read(&label, KVRFileVersion, reader, type);
        EXPECT_EQ(item->GetPreview(), type == KVRReadType::CellCopy);
    }
    EXPECT_FALSE(TKVRLevel::ReadFromJson(&label, KVRFileVersion, e->WriteJson())->GetPreview());
}

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

    // Above the maximum the ring is full, never longer than the scale.
    TKVRLevel::LevelArc(2, 150.0f, 100.0f, 60.0f, start, sweep);
    EXPECT_FLOAT_EQ(sweep, 300.0f);
    TKVRLevel::LevelArc(2, -20.0f, 100.0f, 60.0f, start, sweep);
    EXPECT_FLOAT_EQ(sweep, 0.0f);
    // A maximum of 0 shows the whole scale.
    TKVRLevel::LevelArc(3, 5.0f, 0.0f, 60.0f, start, sweep);
    EXPECT_FLOAT_EQ(sweep, 300.0f);

    EXPECT_EQ(TKVRLevel::LevelFill(150.0f, 100.0f), TKVRLevelFill::Full);
    EXPECT_EQ(TKVRLevel::LevelFill(100.0f, 100.0f), TKVRLevelFill::Full);
    EXPECT_EQ(TKVRLevel::LevelFill(-1.0f, 100.0f), TKVRLevelFill::Empty);
    EXPECT_EQ(TKVRLevel::LevelFill(0.0f, 100.0f), TKVRLevelFill::Empty);
    EXPECT_EQ(TKVRLevel::LevelFill(0.0f, 0.0f), TKVRLevelFill::Full);
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
    const TTwin t = PaintTwins(*e);
    SaveForLook(t.screen, "level-half-ring-screen");
    SaveForLook(t.paper, "level-half-ring-paper");
    EXPECT_FLOAT_EQ(e->GetStartAngle(), 120.0f);
    EXPECT_FLOAT_EQ(e->GetSweepAngle(), 150.0f);
    for (const QImage* img : {&t.screen, &t.paper}) {
        // Inked from 120 to 270 degrees (clockwise, y down), empty elsewhere.
        for (double a : {130.0, 180.0, 225.0, 260.0})
            EXPECT_TRUE(Near(OnCircle(*img, a), kRing)) << a;
        for (double a : {0.0, 45.0, 90.0, 110.0, 290.0})
            EXPECT_FALSE(Near(OnCircle(*img, a), kRing)) << a;
    }
    EXPECT_TRUE(SameBox(InkBounds(t.screen), InkBounds(t.paper), 2))
        << BoxText(InkBounds(t.screen)).toStdString() << " vs " << BoxText(InkBounds(t.paper)).toStdString();
}

TEST(LevelPaint, ValueAboveTheMaximumIsAFullGaugeAndBelowZeroAnEmptyOne)
{
    TKVRBaseLabel label;
    // Disc gauge: the whole disc takes the level colour, filled or not.
    for (bool filled : {true, false}) {
        TKVRLevel* e = MakeLevel(label, 0, 150.0f);
        e->SetFilled(filled);
        const TTwin t = PaintTwins(*e);
        if (filled)
            SaveForLook(t.screen, "level-disc-over-max");
        for (const QImage* img : {&t.screen, &t.paper}) {
            EXPECT_TRUE(Near(img->pixel(int(kCentre), int(kCentre - kRadius * 0.8)), kLevel)) << filled;
            EXPECT_TRUE(Near(img->pixel(int(kCentre), int(kCentre + kRadius * 0.8)), kLevel)) << filled;
            EXPECT_EQ(CountColour(*img, kBack), 0);
        }
    }
    // Ring gauge: full scale, and the gap at the bottom stays open.
    {
        TKVRLevel* e = MakeLevel(label, 2, 150.0f);
        const TTwin t = PaintTwins(*e);
        SaveForLook(t.paper, "level-ring-over-max-paper");
        EXPECT_FLOAT_EQ(e->GetSweepAngle(), 300.0f);
        for (const QImage* img : {&t.screen, &t.paper}) {
            EXPECT_FALSE(Near(OnCircle(*img, 90.0), kRing));
            EXPECT_FALSE(Near(OnCircle(*img, 110.0), kRing));
            EXPECT_TRUE(Near(OnCircle(*img, 0.0), kRing));
            EXPECT_TRUE(Near(OnCircle(*img, 50.0), kRing));
        }
    }
    // Below the minimum nothing of the level shows.
    for (TKVRLevelType type : {TKVRLevelType(0), TKVRLevelType(1), TKVRLevelType(2)}) {
        TKVRLevel* e = MakeLevel(label, type, -5.0f);
        e->SetFilled(true);
        const TTwin t = PaintTwins(*e);
        EXPECT_EQ(CountColour(t.screen, kLevel), 0) << int(type);
        EXPECT_EQ(CountColour(t.paper, kLevel), 0) << int(type);
        if (type == 2) {
            EXPECT_FALSE(Near(OnCircle(t.screen, 180.0), kRing));
            EXPECT_FALSE(Near(OnCircle(t.paper, 180.0), kRing));
        }
    }
}

TEST(LevelPaint, PartialDiscCoversItsShareOfTheArea)
{
    TKVRBaseLabel label;
    TKVRLevel* e = MakeLevel(label, 1, 25.0f);
    e->SetPenWidth(0.0f);
    e->SetFilled(true);
    const TTwin t = PaintTwins(*e);
    SaveForLook(t.paper, "level-quarter-vertical-paper");
    const double disc = std::numbers::pi * kRadius * kRadius;
    for (const QImage* img : {&t.screen, &t.paper}) {
        EXPECT_NEAR(CountColour(*img, kLevel) / disc, 0.25, 0.02);
        EXPECT_NEAR(CountColour(*img, kBack) / disc, 0.75, 0.02);
    }
}

// ---------------------------------------------------------------- data and captions

TEST(LevelData, EachPrintedLabelReadsItsOwnRecord)
{
    TKVRBaseLabel label;
    TKVRLevel* bound = MakeLevel(label, 0, 10.0f);
    bound->SetFillType(1);
    bound->SetFillName(QStringLiteral("FILL"));
    label.SetDataValue(QStringLiteral("FILL"), QStringLiteral("30"));
    bound->CalcValues(0);
    const int at30 = CountColour(PaperOnly(*bound), kLevel);

    // The next label's record: no layout step runs between two labels.
    label.SetDataValue(QStringLiteral("FILL"), QStringLiteral("80"));
    const QImage second = PaperOnly(*bound);
    SaveForLook(second, "level-record-80-paper");
    const int at80 = CountColour(second, kLevel);

    TKVRLevel* stored = MakeLevel(label, 0, 80.0f);
    stored->SetText(QStringLiteral("80"));  // the record's caption
    stored->CalcValues(0);
    EXPECT_NEAR(at80, CountColour(PaperOnly(*stored), kLevel), 20);
    EXPECT_GT(at80, 2 * at30);
    EXPECT_FLOAT_EQ(bound->GetRecordValue(), 80.0f);

    // The editor shows the stored value (10 of 100), not the record.
    ScreenSurface editor(kSize, kSize, kDpi);
    editor.draw.DrawState = KVRDrawState::Editor;
    bound->Draw(&editor.draw);
    float start = 0, sweep = 0;
    TDraw2D::AngleSegment(0.1, false, false, start, sweep);
    EXPECT_FLOAT_EQ(bound->GetSweepAngle(), sweep);
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

    e->SetFillType(1);
    e->SetFillName(QStringLiteral("FILL"));
    EXPECT_TRUE(InkBounds(PaperOnly(*e)).isEmpty()) << "an empty record prints no caption";
    label.SetDataValue(QStringLiteral("FILL"), QStringLiteral("7"));
    const QRect seven = InkBounds(PaperOnly(*e));
    ASSERT_FALSE(seven.isEmpty());
    EXPECT_LT(seven.width(), box.width() / 2) << "one digit, not three letters";
}

TEST(LevelData, DataMarkerOnlyInTheEditor)
{
    TKVRBaseLabel label;
    TKVRLevel* e = MakeLevel(label, 2, 0.0f);
    e->SetPenWidth(0.0f);
    e->SetFillType(1);
    e->SetFillName(QStringLiteral("FILL"));
    const QRect corner(QPoint(int(Px(5000)) - 6, int(Px(5000)) - 6), QSize(13, 13));
    const TTwin editor = PaintTwins(*e, KVRDrawState::Editor);
    EXPECT_TRUE(corner.contains(InkBounds(editor.screen)));
    EXPECT_FALSE(InkBounds(editor.screen).isEmpty());
    const TTwin preview = PaintTwins(*e, KVRDrawState::Preview);
    EXPECT_TRUE(InkBounds(preview.screen).isEmpty());
}

TEST(LevelCaption, RatioComesFromTheFontCache)
{
    TKVRBaseLabel label;
    TKVRLevel* e = MakeLevel(label, 0, 10.0f);
    TKVRFontInfo font = e->GetFont();
    font.Name = QStringLiteral("Arial");
    font.Bold = true;
    font.Height = 4000;
    e->SetFont(font);
    e->CalcValues(0);
    int32_t asc = 0, des = 0, und = 0, lh = 0;
    double ratio = 0;
    TKVRCalc::FontSettings(QStringLiteral("Arial"), 4000, true, false, asc, des, und, lh, ratio);
    EXPECT_DOUBLE_EQ(e->GetRatio(), ratio);
    EXPECT_GT(e->GetRatio(), 0.5);
    EXPECT_LT(e->GetRatio(), 1.0);  // ascent + descent exceed the nominal size
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
        const TTwin t = PaintTwins(*e);
        if (angle == TKVRAngle::Angle90) {
            SaveForLook(t.screen, "level-caption-90-screen");
            SaveForLook(t.paper, "level-caption-90-paper");
        }
        const QRect a = InkBounds(t.screen), b = InkBounds(t.paper);
        ASSERT_FALSE(a.isEmpty());
        EXPECT_TRUE(SameBox(a, b, 2)) << int(angle) << ": " << BoxText(a).toStdString() << " vs "
                                      << BoxText(b).toStdString();
        const bool upright = angle == TKVRAngle::Angle90 || angle == TKVRAngle::Angle270;
        EXPECT_EQ(a.height() > a.width(), upright) << int(angle);
        EXPECT_NEAR(a.center().x(), kCentre, 4) << int(angle);
        EXPECT_NEAR(a.center().y(), kCentre, 8) << int(angle);
        // Ascent plus descent make the font height: the ink stays within it.
        EXPECT_LE(upright ? a.width() : a.height(), int(Px(5000)) + 1);
        EXPECT_GT(e->GetRatio(), 0.5);
    }
}
