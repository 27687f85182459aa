#include "elements/TKVRDim.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "render/TKVRCalc.h"
#include "tests/elements/ShapeTestSupport.h"
#include <gtest/gtest.h>
#include <cmath>
#include <numbers>

using namespace shape;

namespace {

// Pixels of the extension colour that are blended with the paper: antialiasing.
int BlendedGreen(const QImage& image)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            n += (LeansTo(p, kGreen) && std::min(qRed(p), qBlue(p)) > 30) ? 1 : 0;
        }
    return n;
}

TKVRPto Mid(const TKVRPto& a, const TKVRPto& b)
{
    return {(a.X + b.X) / 2, (a.Y + b.Y) / 2};
}

// The document's first style in four colours, so each part shows apart.
void StyleLabel(TKVRBaseLabel& label)
{
    TKVRDimStyle& s = label.GetDimStyle(0);
    s.SetDimColor(kBlue);
    s.SetExtColor(kGreen);
    s.SetHeadColor(kRed);
    s.SetFillColor(kRed);
    s.SetFontColor(kBlack);
    s.SetDimPenWidth(0.35f);
    s.SetExtPenWidth(0.25f);
    s.SetFontHeight(3.0f);
}

// Coordinates are paper micrometres, multiplied by the document's drawing scale.
TKVRDim* Linear(TKVRBaseLabel& label, TVXDimType type, int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t px,
                int64_t py)
{
    const int64_t s = label.GetMeasure().GetDrawScale();
    auto* d = new TKVRDim(&label, type, false);
    d->SetLinear(type, x1 * s, y1 * s, x2 * s, y2 * s, px * s, py * s);
    return d;
}

TKVRDim* Radial(TKVRBaseLabel& label, TVXDimType type, int64_t cx, int64_t cy, int64_t r, float degrees)
{
    const int64_t s = label.GetMeasure().GetDrawScale();
    auto* d = new TKVRDim(&label, type, false);
    d->SetRadial(type, cx * s, cy * s, r * s, degrees);
    return d;
}

// Two lines through (cx, cy) at the given directions (degrees, clockwise on
// screen), and the position at distance r on the bisector.
TKVRDim* Angular(TKVRBaseLabel& label, int64_t cx, int64_t cy, double a1, double a2, int64_t r)
{
    const int64_t s = label.GetMeasure().GetDrawScale();
    auto dir = [](double deg, double len, double& x, double& y) {
        x = std::cos(deg * std::numbers::pi / 180.0) * len;
        y = std::sin(deg * std::numbers::pi / 180.0) * len;
    };
    double x1, y1, x2, y2, xm, ym;
    dir(a1, 20000, x1, y1);
    dir(a2, 20000, x2, y2);
    dir((a1 + a2) / 2.0, double(r), xm, ym);
    auto* d = new TKVRDim(&label, KVRDimType::Angular, false);
    d->SetAngular(cx * s, cy * s, int64_t(cx + x1) * s, int64_t(cy + y1) * s, cx * s, cy * s, int64_t(cx + x2) * s,
                  int64_t(cy + y2) * s, int64_t(cx + xm) * s, int64_t(cy + ym) * s);
    return d;
}

struct TMeasured
{
    int32_t asc = 0, des = 0, wid = 0;
    double ratio = 0;
};
// The style's font measuring a text, as the layout measures it.
TMeasured Measure(const QString& text, const TKVRDimStyle& s)
{
    TMeasured m;
    TKVRCalc::FontSettings(text, s.GetFontName(), s.GetBaseFontHeight(), false, false, m.asc, m.des, m.wid, m.ratio);
    return m;
}

TScreenPaper PaintTwins(TKVRDim& d, int scale = 1)
{
    return Paint(d, QString(), 640, 480, scale);
}

}  // namespace

// ---------------------------------------------------------------- layout

// The text is the style's (prefix, number in the document's unit by its
// format, suffix); its width is that of the measured text, times the drawing
// scale, and the screen shows it as wide.
TEST(DimensionLayout, TextIsTheStylesAndAsWideAsMeasured)
{
    int32_t widths[2];
    for (int scale : {1, 2}) {
        TKVRBaseLabel label;
        StyleLabel(label);
        label.GetMeasure().SetDrawScale(scale);
        label.SetUnits(TKVRUnits::Centimetre);
        TKVRDimStyle& s = label.GetDimStyle(0);
        s.SetPrefix(QStringLiteral("L="));
        s.SetFormat(QStringLiteral("0.0"));
        s.SetSuffix(QStringLiteral(" cm"));
        TKVRDim* h = Linear(label, 1, 10000, 20000, 35400, 26000, 20000, 35000);
        h->CalcValues(0);
        EXPECT_EQ(h->GetText(), scale == 1 ? QStringLiteral("L=2.5 cm") : QStringLiteral("L=5.1 cm"));
        const auto [asc, des, wid, ratio] = Measure(h->GetText(), s);
        EXPECT_EQ(h->GetTextWidth(), scale * wid);
        EXPECT_DOUBLE_EQ(h->GetFontRatio(), ratio);
        widths[scale - 1] = wid;
        ScreenSurface screen(640, 480, kDpi, scale);
        h->DrawElement(&screen.draw);
        EXPECT_NEAR(LeaningBounds(screen.Finish(), kBlack).width(), Px(wid), 6.0);  // ink inside the advance
    }
    EXPECT_GT(widths[0], 0);
}

// Mode 3 keeps the points as they are and only places the text.
TEST(DimensionLayout, ModeThreeKeepsThePoints)
{
    TKVRBaseLabel label;
    StyleLabel(label);
    TKVRDim* d = Linear(label, 1, 10000, 20000, 40000, 26000, 20000, 35000);
    d->CalcValues(0);
    const TKVRPto p6 = d->GetPoint(6);
    const QString text = d->GetText();
    d->SetBase(5, 12000, 40000);
    d->CalcValues(3);
    EXPECT_EQ(d->GetPoint(5), (TKVRPto{12000, 40000}));
    EXPECT_EQ(d->GetPoint(6), p6);
    EXPECT_EQ(d->GetText(), text);
    int32_t asc, des, wid;
    double ratio;
    const TKVRDimStyle& s = label.GetDimStyle(0);
    TKVRCalc::FontSettings(text, s.GetFontName(), s.GetBaseFontHeight(), false, false, asc, des, wid, ratio);
    const TKVRLineText pos =
        PosBaseLinesText(12000, 40000, p6.X, p6.Y, s.GetBaseFontHeight(), wid, asc, des, s.GetTextPos());
    EXPECT_EQ(d->GetTextAnchor(), (TKVRPto{pos.TextX, pos.TextY}));
    EXPECT_EQ(d->GetPoint(9), pos.GapStart);
    EXPECT_FLOAT_EQ(d->GetTextAngle(), pos.Angle);

    // Any other mode lays the points out again from the inputs.
    d->CalcValues(0);
    EXPECT_EQ(d->GetPoint(5), (TKVRPto{10000, 40000}));
}

TEST(DimensionLayout, EmptyTextDoesNoFontWork)
{
    TKVRBaseLabel label;
    StyleLabel(label);
    TKVRDim* d = Linear(label, 1, 10000, 20000, 40000, 26000, 20000, 35000);
    TJsonObject json = d->WriteJson();
    json["Text"] = "";
    auto* e = static_cast<TKVRDim*>(TKVRDim::ReadFromJson(&label, KVRFileVersion, json));
    e->SetBase(9, 1, 2);
    e->SetBase(10, 3, 4);
    const int64_t made = TKVRCalc::FontsMade();
    e->CalcValues(3);
    EXPECT_EQ(TKVRCalc::FontsMade(), made);
    EXPECT_EQ(e->GetPoint(9), (TKVRPto{1, 2}));
    EXPECT_EQ(e->GetPoint(10), (TKVRPto{3, 4}));
    ScreenSurface screen(640, 480, kDpi);
    e->Draw(&screen.draw);
    PaperSurface paper(640, 480, kDpi);
    e->Print(&paper.draw);
    EXPECT_TRUE(LeaningBounds(screen.Finish(), kBlack).isEmpty());
    EXPECT_TRUE(LeaningBounds(paper.Finish(), kBlack).isEmpty());
    EXPECT_FALSE(LeaningBounds(screen.Finish(), kBlue).isEmpty());
}

// The angle's text is never turned; its baseline starts half the text width
// back along the tangent from the bisector at radius + offset.
TEST(DimensionLayout, AngularTextSitsOnTheBisector)
{
    TKVRBaseLabel label;
    StyleLabel(label);
    TKVRDim* d = Angular(label, 5000, 35000, -15, -55, 25000);
    d->CalcValues(0);
    EXPECT_FLOAT_EQ(d->GetTextAngle(), 0.0f);

    const TKVRPto p5 = d->GetPoint(5), p6 = d->GetPoint(6), p7 = d->GetPoint(7);
    int64_t cx, cy, r;
    double start, end, sweep;
    bool flag;
    ASSERT_TRUE(TDraw2D::ArcThreePoints(p5.X, p5.Y, p7.X, p7.Y, p6.X, p6.Y, cx, cy, r, start, end, sweep, flag));
    const double theta = start + sweep / 2.0;
    const TKVRDimStyle& s = label.GetDimStyle(0);
    const auto [asc, des, wid, ratio] = Measure(d->GetText(), s);
    const double offset = s.GetBaseFontHeight() + RoundHalfEven((asc + des) / 2.0);
    const TKVRPto a = d->GetTextAnchor();
    // Back on the bisector: half the width forward along the tangent.
    const double bx = a.X + std::cos(theta + std::numbers::pi / 2) * wid / 2.0;
    const double by = a.Y + std::sin(theta + std::numbers::pi / 2) * wid / 2.0;
    EXPECT_NEAR(bx, cx + std::cos(theta) * (r + offset), 2.0);
    EXPECT_NEAR(by, cy + std::sin(theta) * (r + offset), 2.0);
    EXPECT_EQ(d->GetPoint(9), a);
    EXPECT_EQ(d->GetPoint(10), a);
    // Paper places the text by its top: one ascent above the baseline.
    EXPECT_EQ(d->GetPrintAnchor(), (TKVRPto{a.X, a.Y - asc}));
}

// Lines that never cross allow no arc: the text alone, placed from point 8.
TEST(DimensionLayout, AngleWithoutArcPaintsOnlyItsText)
{
    TKVRBaseLabel label;
    StyleLabel(label);
    auto* d = new TKVRDim(&label, KVRDimType::Angular, false);
    d->SetAngular(5000, 10000, 40000, 10000, 5000, 20000, 40000, 20000, 15000, 30000);
    d->CalcValues(0);
    const TKVRPto p8 = d->GetPoint(8);
    EXPECT_EQ(p8, (TKVRPto{15000, 30000}));
    const TKVRDimStyle& s = label.GetDimStyle(0);
    const auto [asc, des, wid, ratio] = Measure(d->GetText(), s);
    const int64_t offset = s.GetBaseFontHeight() + RoundHalfEven((asc + des) / 2.0);
    // Radius 0 and direction 0: the text starts right of point 8, half its width up.
    EXPECT_EQ(d->GetTextAnchor(), (TKVRPto{p8.X + offset, p8.Y - RoundHalfEven(wid / 2.0)}));

    const TScreenPaper t = PaintTwins(*d);
    for (const QImage* img : {&t.Screen, &t.Paper}) {
        EXPECT_TRUE(LeaningBounds(*img, kBlue).isEmpty());
        EXPECT_TRUE(LeaningBounds(*img, kRed).isEmpty());
        EXPECT_FALSE(LeaningBounds(*img, kBlack).isEmpty());
    }
    const QRect a = LeaningBounds(t.Screen, kBlack), b = LeaningBounds(t.Paper, kBlack);
    EXPECT_TRUE(SameBox(a, b, 2));
    EXPECT_NEAR(a.left(), Px(double(p8.X + offset)), 3);
}

// ---------------------------------------------------------------- painting

TEST(DimensionPaint, ScreenAndPaperTwinsOfEveryKind)
{
    struct TCase
    {
        const char* name;
        std::function<TKVRDim*(TKVRBaseLabel&)> make;
    };
    const std::vector<TCase> cases = {
        {"aligned", [](TKVRBaseLabel& l) { return Linear(l, 0, 8000, 34000, 44000, 14000, 30000, 10000); }},
        {"horizontal", [](TKVRBaseLabel& l) { return Linear(l, 1, 8000, 30000, 44000, 33000, 25000, 12000); }},
        {"vertical", [](TKVRBaseLabel& l) { return Linear(l, 2, 20000, 6000, 24000, 34000, 40000, 20000); }},
        {"radius", [](TKVRBaseLabel& l) { return Radial(l, 3, 24000, 20000, 12000, -30.0f); }},
        {"radius-leader", [](TKVRBaseLabel& l) { return Radial(l, 4, 20000, 26000, 9000, -50.0f); }},
        {"diameter", [](TKVRBaseLabel& l) { return Radial(l, 5, 26000, 20000, 12000, 20.0f); }},
        {"diameter-leader", [](TKVRBaseLabel& l) { return Radial(l, 6, 20000, 26000, 8000, -40.0f); }},
        {"angle", [](TKVRBaseLabel& l) { return Angular(l, 6000, 36000, -10, -60, 26000); }},
    };
    for (const TCase& c : cases) {
        for (int scale : {1, 3}) {
            TKVRBaseLabel label;
            StyleLabel(label);
            label.GetMeasure().SetDrawScale(scale);
            TKVRDim* d = c.make(label);
            const TScreenPaper t =
                ExpectTwins(*d, scale == 1 ? QStringLiteral("dim-%1").arg(c.name) : QString(), 2, 640, 480, scale);
            // Every kind reads back whole; Read builds kind 0 and the record gives the kind back.
            const int before = label.GetItemsCount();
            EXPECT_EQ(RoundTripBinary(label, *d, &TKVRDim::Read), WriteBinary(*d)) << c.name;
            EXPECT_EQ(static_cast<TKVRDim*>(label.GetItem(before + 1))->GetDimType(), d->GetDimType());
            const QRect text = LeaningBounds(t.Screen, kBlack);
            ASSERT_FALSE(text.isEmpty()) << c.name;
            EXPECT_TRUE(SameBox(text, LeaningBounds(t.Paper, kBlack), 2))
                << c.name << " 1:" << scale << " text ";

            // Heads in the head colour, the line between them in the
            // dimension colour, on both sides.
            const TVXDimType k = d->GetDimType();
            const double scaleDiv = scale;
            auto paper = [scaleDiv](const TKVRPto& p) {
                return TKVRPto{int64_t(p.X / scaleDiv), int64_t(p.Y / scaleDiv)};
            };
            TKVRPto lineMid, head;
            if (KVRDimType::IsLinear(k)) {
                lineMid = Mid(Mid(d->GetPoint(5), d->GetPoint(6)), d->GetPoint(5));
                head = d->GetPoint(5);
            } else if (k == KVRDimType::Radial1 || k == KVRDimType::Diameter1) {
                lineMid = Mid(Mid(d->GetPoint(1), d->GetPoint(2)), d->GetPoint(1));
                head = d->GetPoint(2);
            } else if (k == KVRDimType::Angular) {
                lineMid = d->GetPoint(7);
                head = d->GetPoint(6);
            } else {
                lineMid = Mid(d->GetPoint(3), d->GetPoint(4));
                head = d->GetPoint(2);
            }
            for (const QImage* img : {&t.Screen, &t.Paper}) {
                EXPECT_GT(CountLeaning(*img, kBlue, Around(paper(lineMid), 4)), 3) << c.name;
                EXPECT_EQ(CountLeaning(*img, kRed, Around(paper(lineMid), 4)), 0) << c.name;
                EXPECT_GT(CountLeaning(*img, kRed, Around(paper(head), 12)), 20) << c.name;
                if (KVRDimType::IsLinear(k)) {
                    EXPECT_GT(CountLeaning(*img, kGreen, Around(paper(Mid(d->GetPoint(3), d->GetPoint(7))), 3)), 2)
                        << c.name;
                } else {
                    EXPECT_TRUE(LeaningBounds(*img, kGreen).isEmpty()) << c.name;
                }
            }
        }
    }
}

// The text positions 3 to 5 open a gap in linear dimension lines only.
TEST(DimensionPaint, GapBreaksOnlyLinearLines)
{
    TKVRBaseLabel label;
    StyleLabel(label);
    label.GetDimStyle(0).SetTextPos(4);
    TKVRDim* h = Linear(label, 1, 6000, 30000, 48000, 30000, 27000, 20000);
    TScreenPaper t = PaintTwins(*h);
    const int y = int(Px(20000));
    const int g1 = int(Px(h->GetPoint(9).X)), g2 = int(Px(h->GetPoint(10).X));
    ASSERT_GT(g2 - g1, 30);
    for (const QImage* img : {&t.Screen, &t.Paper}) {
        EXPECT_EQ(CountLeaning(*img, kBlue, QRect(g1 + 2, y - 2, g2 - g1 - 4, 5)), 0);
        EXPECT_GT(CountLeaning(*img, kBlue, QRect(g1 - 25, y - 2, 20, 5)), 20);
        EXPECT_GT(CountLeaning(*img, kBlue, QRect(g2 + 5, y - 2, 20, 5)), 20);
    }

    // A radius keeps its line whole under the text.
    TKVRDim* r = Radial(label, 3, 8000, 20000, 40000, 0.0f);
    t = PaintTwins(*r);
    const int g3 = int(Px(r->GetPoint(9).X)), g4 = int(Px(r->GetPoint(10).X));
    ASSERT_GT(g4 - g3, 30);
    for (const QImage* img : {&t.Screen, &t.Paper})
        EXPECT_GT(CountLeaning(*img, kBlue, QRect(g3 + 2, y - 2, g4 - g3 - 4, 5)), 20);
}

// Level and upright dimensions stay crisp in the editor; the preview and
// slanted ones are smoothed.
TEST(DimensionPaint, AntialiasingOnlyWhereItHelps)
{
    TKVRBaseLabel label;
    StyleLabel(label);
    label.GetDimStyle(0).SetFontColor(0xFFFFFFFF);  // hide the text, which is always smooth
    TKVRDim* h = Linear(label, 1, 8013, 30000, 44007, 30000, 25000, 12000);
    TKVRDim* a = Linear(label, 0, 8013, 34000, 44007, 14000, 30000, 10000);

    auto green = [](TKVRDim& d, TKVRDrawState state) {
        ScreenSurface screen(640, 480, kDpi);
        screen.draw.DrawState = state;
        d.DrawElement(&screen.draw);
        return BlendedGreen(screen.Finish());
    };
    EXPECT_EQ(green(*h, KVRDrawState::Editor), 0);
    EXPECT_GT(green(*h, KVRDrawState::Preview), 20);
    EXPECT_GT(green(*a, KVRDrawState::Editor), 20);
    EXPECT_GT(green(*a, KVRDrawState::Export), 20);
}
