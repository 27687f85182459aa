#include "elements/TKVRDim.h"
#include "platform/rtl/KVR.Draw2D.h"
#include "platform/rtl/KVR.Model.Utils.h"
#include "render/TKVRCalc.h"
#include "tests/elements/ElementTestSupport.h"
#include <gtest/gtest.h>
#include <cmath>
#include <numbers>

namespace {

constexpr TAlphaColor kRed = 0xFFFF0000;    // heads
constexpr TAlphaColor kBlue = 0xFF0000FF;   // dimension line
constexpr TAlphaColor kGreen = 0xFF00FF00;  // extension lines
constexpr TAlphaColor kGrey = 0xFF000000;   // text (black, grey where blended)

constexpr int kDpi = 300;
constexpr double kPxPerMic = kDpi / 25400.0;

bool Leans(QRgb p, TAlphaColor aColour)
{
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    switch (aColour) {
    case kRed: return r - std::max(g, b) > 60;
    case kBlue: return b - std::max(r, g) > 60;
    case kGreen: return g - std::max(r, b) > 60;
    case kGrey: return std::max({r, g, b}) < 190 && std::max({r, g, b}) - std::min({r, g, b}) < 30;
    default: return false;
    }
}

QRect ColourBounds(const QImage& image, TAlphaColor aColour)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (Leans(img.pixel(x, y), aColour))
                box |= QRect(x, y, 1, 1);
    return box;
}

int ColourIn(const QImage& image, TAlphaColor aColour, const QRect& aArea)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    const QRect r = aArea & img.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += Leans(img.pixel(x, y), aColour) ? 1 : 0;
    return n;
}

// Pixels of the extension colour that are blended with the paper: antialiasing.
int BlendedGreen(const QImage& image)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            n += (Leans(p, kGreen) && std::min(qRed(p), qBlue(p)) > 30) ? 1 : 0;
        }
    return n;
}

QRect Around(const TKVRPto& p, int aHalf)
{
    const int x = int(p.X * kPxPerMic), y = int(p.Y * kPxPerMic);
    return QRect(x - aHalf, y - aHalf, 2 * aHalf + 1, 2 * aHalf + 1);
}

TKVRPto Mid(const TKVRPto& a, const TKVRPto& b)
{
    return {(a.X + b.X) / 2, (a.Y + b.Y) / 2};
}

std::string Box(const QRect& r)
{
    return std::to_string(r.left()) + "," + std::to_string(r.top()) + " - " + std::to_string(r.right()) + "," +
           std::to_string(r.bottom());
}

// The document's first style in four colours, so each part shows apart.
void StyleLabel(TKVRBaseLabel& label)
{
    TKVRDimStyle& s = label.GetDimStyle(0);
    s.SetDimColor(kBlue);
    s.SetExtColor(kGreen);
    s.SetHeadColor(kRed);
    s.SetFillColor(kRed);
    s.SetFontColor(kGrey);
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

void MatchPaperDpi(PaperSurface& aPaper)
{
    // The paper image must report the context's resolution, or the printer
    // canvas sizes its fonts for a 96 dpi sheet.
    const int dpm = int(aPaper.draw.ResolutionY / 0.0254 + 0.5);
    aPaper.image.setDotsPerMeterX(dpm);
    aPaper.image.setDotsPerMeterY(dpm);
}

struct TTwin
{
    QImage screen, paper;
};

TTwin PaintTwins(TKVRDim& d, int scale = 1, TKVRDrawState state = KVRDrawState::Preview)
{
    ScreenSurface screen(640, 480, kDpi, scale);
    screen.draw.DrawState = state;
    d.DrawElement(&screen.draw);
    PaperSurface paper(640, 480, kDpi, scale);
    MatchPaperDpi(paper);
    d.PrintElement(&paper.draw);
    return {screen.Finish().copy(), paper.Finish().copy()};
}

QByteArray JsonRoundTrip(TKVRBaseLabel& label, const TKVRBaseItem& item)
{
    const TJsonObject json = TJsonObject::parse(WriteJsonText(item).toStdString());
    TKVRBaseItem* copy = TKVRDim::ReadFromJson(&label, KVRFileVersion, json);
    return copy ? WriteJsonText(*copy) : QByteArray();
}

}  // namespace

// ---------------------------------------------------------------- streams

TEST(DimensionStreams, EveryKindRoundTripsExactly)
{
    TKVRBaseLabel label;
    StyleLabel(label);
    std::vector<TKVRDim*> dims = {Linear(label, 0, 5000, 30000, 40000, 10000, 20000, 5000),
                                  Linear(label, 1, 5000, 30000, 40000, 31000, 20000, 40000),
                                  Linear(label, 2, 5000, 5000, 6000, 30000, 20000, 20000),
                                  Radial(label, 3, 20000, 20000, 9000, 30.0f),
                                  Radial(label, 4, 20000, 20000, 9000, -45.0f),
                                  Radial(label, 5, 20000, 20000, 9000, 10.0f),
                                  Radial(label, 6, 20000, 20000, 9000, 200.0f),
                                  Angular(label, 10000, 35000, -10, -70, 15000)};
    for (TKVRDim* d : dims) {
        d->SetDimStyleIndex(0);
        d->SetDimExt(d->GetDimType() % 2 == 0);
        const QByteArray first = WriteBinary(*d);
        const int before = label.GetItemsCount();
        EXPECT_EQ(RoundTripBinary(label, *d, TKVRDim::Read), first) << int(d->GetDimType());
        // Read builds with kind 0; the record gives the kind back.
        EXPECT_EQ(static_cast<TKVRDim*>(label.GetItem(before + 1))->GetDimType(), d->GetDimType());
        EXPECT_EQ(JsonRoundTrip(label, *d), WriteJsonText(*d)) << int(d->GetDimType());
    }
}

TEST(DimensionStreams, DamagedRecordsLeaveNoElement)
{
    TKVRBaseLabel label;
    StyleLabel(label);
    TKVRDim* d = Angular(label, 10000, 35000, -10, -70, 15000);
    EXPECT_GT(CheckTruncatedRecords(label, *d, TKVRDim::Read), 80);

    // A kind no dimension has, in either form.
    QByteArray bytes = WriteBinary(*d);
    bytes[4 + 19] = char(9);  // kind code, then the common header, then the kind
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TBinaryReader reader(&buffer);
    reader.ReadInt32();
    const int before = label.GetItemsCount();
    EXPECT_ANY_THROW(TKVRDim::Read(&label, KVRFileVersion, reader, KVRReadType::File));
    TJsonObject json = d->WriteJson();
    json["DimType"] = 8;
    EXPECT_ANY_THROW(TKVRDim::ReadFromJson(&label, KVRFileVersion, json));
    EXPECT_EQ(label.GetItemsCount(), before);
}

TEST(DimensionStreams, OnlyTheCellCopyIsReadAsPreview)
{
    TKVRBaseLabel label;
    TKVRDim* d = Radial(label, 5, 20000, 20000, 9000, 10.0f);
    const QByteArray bytes = WriteBinary(*d);
    for (TKVRReadType type : {KVRReadType::File, KVRReadType::Paste, KVRReadType::CellCopy}) {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        TBinaryReader reader(&buffer);
        reader.ReadInt32();
        EXPECT_EQ(TKVRDim::Read(&label, KVRFileVersion, reader, type)->GetPreview(), type == KVRReadType::CellCopy);
    }
    EXPECT_FALSE(TKVRDim::ReadFromJson(&label, KVRFileVersion, d->WriteJson())->GetPreview());
}

// ---------------------------------------------------------------- layout

// The text is the style's: prefix, number in the document's unit by the
// style's format, suffix; its measured width is that of the formatted text.
TEST(DimensionLayout, TextIsFormattedByTheStyle)
{
    TKVRBaseLabel label;
    StyleLabel(label);
    TKVRDimStyle& s = label.GetDimStyle(0);
    s.SetPrefix(QStringLiteral("L="));
    s.SetFormat(QStringLiteral("0.0"));
    s.SetSuffix(QStringLiteral(" mm"));

    TKVRDim* h = Linear(label, 1, 10000, 20000, 35400, 26000, 20000, 35000);
    TKVRDim* r = Radial(label, 3, 20000, 20000, 7500, 30.0f);
    TKVRDim* dia = Radial(label, 5, 20000, 20000, 7500, 30.0f);
    TKVRDim* a = Angular(label, 10000, 35000, 0, -90, 15000);
    for (TKVRDim* d : {h, r, dia, a})
        d->CalcValues(0);
    EXPECT_EQ(h->GetText(), QStringLiteral("L=25.4 mm"));
    EXPECT_EQ(r->GetText(), QStringLiteral("L=R7.5 mm"));
    EXPECT_EQ(dia->GetText(), QStringLiteral("L=") + QChar(0x00D8) + QStringLiteral("15.0 mm"));
    EXPECT_EQ(a->GetText(), QStringLiteral("L=90.0") + QChar(0x00B0) + QStringLiteral(" mm"));

    int32_t asc, des, wid;
    double ratio;
    TKVRCalc::FontSettings(h->GetText(), s.GetFontName(), s.GetBaseFontHeight(), false, false, asc, des, wid, ratio);
    EXPECT_EQ(h->GetTextWidth(), wid);
    EXPECT_DOUBLE_EQ(h->GetFontRatio(), ratio);

    // A document in centimetres shows centimetres.
    label.SetUnits(TKVRUnits::Centimetre);
    h->CalcValues(0);
    EXPECT_EQ(h->GetText(), QStringLiteral("L=2.5 mm"));

    // What the screen shows is the measured text: its ink is about as wide.
    ScreenSurface screen(640, 480, kDpi);
    h->DrawElement(&screen.draw);
    const QRect ink = ColourBounds(screen.Finish(), kGrey);
    TKVRCalc::FontSettings(h->GetText(), s.GetFontName(), s.GetBaseFontHeight(), false, false, asc, des, wid, ratio);
    EXPECT_NEAR(ink.width(), wid * kPxPerMic, 4.0);
}

TEST(DimensionLayout, TextWidthFollowsTheDrawingScale)
{
    int32_t widths[2];
    for (int scale : {1, 2}) {
        TKVRBaseLabel label;
        StyleLabel(label);
        label.GetMeasure().SetDrawScale(scale);
        TKVRDim* d = Linear(label, 1, 10000, 20000, 35400, 26000, 20000, 35000);
        d->CalcValues(0);
        widths[scale - 1] = d->GetTextWidth();
    }
    EXPECT_GT(widths[0], 0);
    EXPECT_EQ(widths[1], 2 * widths[0]);
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
    EXPECT_TRUE(ColourBounds(screen.Finish(), kGrey).isEmpty());
    EXPECT_TRUE(ColourBounds(paper.Finish(), kGrey).isEmpty());
    EXPECT_FALSE(ColourBounds(screen.Finish(), kBlue).isEmpty());
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
    int32_t asc, des, wid;
    double ratio;
    TKVRCalc::FontSettings(d->GetText(), s.GetFontName(), s.GetBaseFontHeight(), false, false, asc, des, wid, ratio);
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
    int32_t asc, des, wid;
    double ratio;
    TKVRCalc::FontSettings(d->GetText(), s.GetFontName(), s.GetBaseFontHeight(), false, false, asc, des, wid, ratio);
    const int64_t offset = s.GetBaseFontHeight() + RoundHalfEven((asc + des) / 2.0);
    // Radius 0 and direction 0: the text starts right of point 8, half its width up.
    EXPECT_EQ(d->GetTextAnchor(), (TKVRPto{p8.X + offset, p8.Y - RoundHalfEven(wid / 2.0)}));

    const TTwin t = PaintTwins(*d);
    for (const QImage* img : {&t.screen, &t.paper}) {
        EXPECT_TRUE(ColourBounds(*img, kBlue).isEmpty());
        EXPECT_TRUE(ColourBounds(*img, kRed).isEmpty());
        EXPECT_FALSE(ColourBounds(*img, kGrey).isEmpty());
    }
    const QRect a = ColourBounds(t.screen, kGrey), b = ColourBounds(t.paper, kGrey);
    EXPECT_TRUE(SameBox(a, b, 2)) << Box(a) << " vs " << Box(b);
    EXPECT_NEAR(a.left(), (p8.X + offset) * kPxPerMic, 3);
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
            const TTwin t = PaintTwins(*d, scale);
            if (scale == 1) {
                SaveForLook(t.screen, QStringLiteral("dim-%1-screen").arg(c.name));
                SaveForLook(t.paper, QStringLiteral("dim-%1-paper").arg(c.name));
            }
            const QRect all = InkBounds(t.screen);
            ASSERT_FALSE(all.isEmpty()) << c.name;
            EXPECT_TRUE(SameBox(all, InkBounds(t.paper), 2))
                << c.name << " 1:" << scale << " " << Box(all) << " vs " << Box(InkBounds(t.paper));
            const QRect text = ColourBounds(t.screen, kGrey);
            ASSERT_FALSE(text.isEmpty()) << c.name;
            EXPECT_TRUE(SameBox(text, ColourBounds(t.paper, kGrey), 2))
                << c.name << " 1:" << scale << " text " << Box(text) << " vs " << Box(ColourBounds(t.paper, kGrey));

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
            for (const QImage* img : {&t.screen, &t.paper}) {
                EXPECT_GT(ColourIn(*img, kBlue, Around(paper(lineMid), 4)), 3) << c.name;
                EXPECT_EQ(ColourIn(*img, kRed, Around(paper(lineMid), 4)), 0) << c.name;
                EXPECT_GT(ColourIn(*img, kRed, Around(paper(head), 12)), 20) << c.name;
                if (KVRDimType::IsLinear(k)) {
                    EXPECT_GT(ColourIn(*img, kGreen, Around(paper(Mid(d->GetPoint(3), d->GetPoint(7))), 3)), 2)
                        << c.name;
                } else {
                    EXPECT_TRUE(ColourBounds(*img, kGreen).isEmpty()) << c.name;
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
    TTwin t = PaintTwins(*h);
    SaveForLook(t.paper, QStringLiteral("dim-gap-paper"));
    const int y = int(20000 * kPxPerMic);
    const int g1 = int(h->GetPoint(9).X * kPxPerMic), g2 = int(h->GetPoint(10).X * kPxPerMic);
    ASSERT_GT(g2 - g1, 30);
    for (const QImage* img : {&t.screen, &t.paper}) {
        EXPECT_EQ(ColourIn(*img, kBlue, QRect(g1 + 2, y - 2, g2 - g1 - 4, 5)), 0);
        EXPECT_GT(ColourIn(*img, kBlue, QRect(g1 - 25, y - 2, 20, 5)), 20);
        EXPECT_GT(ColourIn(*img, kBlue, QRect(g2 + 5, y - 2, 20, 5)), 20);
    }

    // A radius keeps its line whole under the text.
    TKVRDim* r = Radial(label, 3, 8000, 20000, 40000, 0.0f);
    t = PaintTwins(*r);
    const int g3 = int(r->GetPoint(9).X * kPxPerMic), g4 = int(r->GetPoint(10).X * kPxPerMic);
    ASSERT_GT(g4 - g3, 30);
    for (const QImage* img : {&t.screen, &t.paper})
        EXPECT_GT(ColourIn(*img, kBlue, QRect(g3 + 2, y - 2, g4 - g3 - 4, 5)), 20);
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
