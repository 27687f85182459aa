#include "elements/TKVRArrowLine.h"
#include "render/TKVRCalc.h"
#include "tests/elements/ElementTestSupport.h"
#include <gtest/gtest.h>

namespace {

constexpr TAlphaColor kRed = 0xFFFF0000;
constexpr TAlphaColor kBlue = 0xFF0000FF;
constexpr TAlphaColor kGreen = 0xFF00A000;

// Pixels whose colour leans to one primary: ink of that colour, blended or not.
bool Leans(QRgb p, TAlphaColor aColour)
{
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    switch (aColour) {
    case kRed: return r - std::max(g, b) > 60;
    case kBlue: return b - std::max(r, g) > 60;
    case kGreen: return g - std::max(r, b) > 60;
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

int ColourInRow(const QImage& image, TAlphaColor aColour, int aY, int aX1, int aX2)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int x = std::max(0, aX1); x <= std::min(img.width() - 1, aX2); ++x)
        for (int y = aY - 1; y <= aY + 1; ++y)
            n += Leans(img.pixel(x, y), aColour) ? 1 : 0;
    return n;
}

std::string Box(const QRect& r)
{
    return std::to_string(r.left()) + "," + std::to_string(r.top()) + " - " + std::to_string(r.right()) + "," +
           std::to_string(r.bottom());
}

// A red arrow line with a blue caption; coordinates in paper micrometres,
// multiplied by the document's drawing scale.
TKVRArrowLine* MakeArrow(TKVRBaseLabel& label, const QString& caption, TKVRTextPos pos, int64_t x1, int64_t y1,
                         int64_t x2, int64_t y2)
{
    const int64_t s = label.GetMeasure().GetDrawScale();
    auto* a = new TKVRArrowLine(&label, false);
    a->SetBase(1, x1 * s, y1 * s);
    a->SetBase(2, x2 * s, y2 * s);
    a->SetColor(kRed);
    a->SetPenWidth(0.5f);
    TKVRLineEnds ends;
    ends.FromType = 4;
    ends.ToType = 2;
    ends.FromColor = kRed;
    ends.ToColor = kRed;
    ends.SizeFrom = 3.0f;
    ends.SizeTo = 2.0f;
    a->SetEnds(ends);
    TKVRFontInfo font;
    font.Name = QStringLiteral("Arial");
    font.Color = kBlue;
    font.Height = 4000;
    a->SetFont(font);
    a->SetText(caption);
    a->SetTextPos(pos);
    return a;
}

struct TTwin
{
    QImage screen, paper;
};

// The paper image must report the context's resolution, or the printer
// canvas sizes its fonts for a 96 dpi sheet.
void MatchPaperDpi(PaperSurface& aPaper)
{
    const int dpm = int(aPaper.draw.ResolutionY / 0.0254 + 0.5);
    aPaper.image.setDotsPerMeterX(dpm);
    aPaper.image.setDotsPerMeterY(dpm);
}

TTwin PaintTwins(TKVRArrowLine& a, int dpi = 300, int scale = 1)
{
    ScreenSurface screen(640, 360, dpi, scale);
    a.DrawElement(&screen.draw);
    PaperSurface paper(640, 360, dpi, scale);
    MatchPaperDpi(paper);
    a.PrintElement(&paper.draw);
    return {screen.Finish().copy(), paper.Finish().copy()};
}

}  // namespace

// ---------------------------------------------------------------- streams

TEST(ArrowLineStreams, BinaryAndJsonRoundTripsAreExact)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QStringLiteral("Ø 12 – µm"), 4, 1000, -2000, 30000, 9000);
    a->SetLineType(3);
    const QByteArray first = WriteBinary(*a);
    EXPECT_EQ(RoundTripBinary(label, *a, TKVRArrowLine::Read), first);

    const TJsonObject json = TJsonObject::parse(WriteJsonText(*a).toStdString());
    TKVRBaseItem* copy = TKVRArrowLine::ReadFromJson(&label, KVRFileVersion, json);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(dynamic_cast<TKVRArrowLine*>(copy), nullptr);
    EXPECT_EQ(WriteJsonText(*copy), WriteJsonText(*a));
    EXPECT_EQ(WriteBinary(*copy), first);
    EXPECT_EQ(label.GetItemsCount(), 3);
}

TEST(ArrowLineStreams, DamagedRecordsLeaveNoElement)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QStringLiteral("caption"), 1, 0, 0, 20000, 0);
    EXPECT_GT(CheckTruncatedRecords(label, *a, TKVRArrowLine::Read), 40);

    TJsonObject bad = a->WriteJson();
    bad["Points"] = TJsonObject::array({TJsonObject::array({1, 2})});  // one point only
    const int before = label.GetItemsCount();
    EXPECT_ANY_THROW(TKVRArrowLine::ReadFromJson(&label, KVRFileVersion, bad));
    EXPECT_EQ(label.GetItemsCount(), before);
}

TEST(ArrowLineStreams, OnlyTheCellCopyIsReadAsPreview)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QString(), 1, 0, 0, 10000, 0);
    const QByteArray bytes = WriteBinary(*a);
    for (TKVRReadType type : {KVRReadType::File, KVRReadType::Paste, KVRReadType::CellCopy}) {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        TBinaryReader reader(&buffer);
        reader.ReadInt32();
        TKVRBaseItem* item = TKVRArrowLine::Read(&label, KVRFileVersion, reader, type);
        EXPECT_EQ(item->GetPreview(), type == KVRReadType::CellCopy);
    }
    EXPECT_FALSE(TKVRArrowLine::ReadFromJson(&label, KVRFileVersion, a->WriteJson())->GetPreview());
}

// ---------------------------------------------------------------- layout

TEST(ArrowLineLayout, EmptyCaptionDoesNoFontWork)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QString(), 4, 0, 0, 30000, 0);
    a->SetBase(3, 7, 8);
    const int64_t made = TKVRCalc::FontsMade();
    a->CalcValues(0);
    EXPECT_EQ(TKVRCalc::FontsMade(), made);
    EXPECT_EQ(a->GetPoint(3), (TKVRPto{7, 8}));  // the gap is left alone
    a->SetText(QStringLiteral("x"));
    a->CalcValues(0);
    EXPECT_GT(TKVRCalc::FontsMade(), made);
}

TEST(ArrowLineLayout, CaptionWidthFollowsTheDrawingScale)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QStringLiteral("Width 123"), 1, 0, 0, 40000, 0);
    a->CalcValues(0);
    int32_t asc, des, wid;
    double ratio;
    TKVRCalc::FontSettings(QStringLiteral("Width 123"), QStringLiteral("Arial"), 4000, false, false, asc, des, wid,
                           ratio);
    EXPECT_EQ(a->GetTxtWidth(), wid);
    EXPECT_EQ(a->GetTxtAscent(), asc);
    EXPECT_EQ(a->GetTxtDescent(), des);
    EXPECT_DOUBLE_EQ(a->GetFontRatio(), ratio);

    label.GetMeasure().SetDrawScale(2);
    a->CalcValues(0);
    EXPECT_EQ(a->GetTxtWidth(), 2 * wid);
    // Ascent and descent stay paper metrics.
    EXPECT_EQ(a->GetTxtAscent(), asc);
}

// The width is the layout's, whatever the zoom of the last paint (it was
// overwritten by a screen measure at each paint, which lost the drawing scale
// and changed with the zoom's rounding).
TEST(ArrowLineLayout, CaptionKeepsItsWidthAtEveryZoom)
{
    TKVRBaseLabel label;
    label.GetMeasure().SetDrawScale(2);
    TKVRArrowLine* a = MakeArrow(label, QStringLiteral("Caption 0.375"), 1, 2000, 20000, 45000, 20000);
    a->CalcValues(0);
    const int32_t width = a->GetTxtWidth();
    ASSERT_GT(width, 0);
    for (int dpi : {96, 137, 300}) {
        ScreenSurface screen(640, 360, dpi, 2);
        a->DrawElement(&screen.draw);
        EXPECT_EQ(a->GetTxtWidth(), width) << dpi << " dpi";
    }
}

// ---------------------------------------------------------------- extent

TEST(ArrowLineExtent, HalfPenWidthTruncatesAndStartsFromTheFlag)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QString(), 1, 1000, 3000, 5000, 2000);
    a->SetBasePenWidth(501);
    TKVRExtent e;
    a->CheckFit(e);
    ASSERT_TRUE(e.Assigned);
    EXPECT_EQ(e.MinX, 750);
    EXPECT_EQ(e.MaxX, 5250);
    EXPECT_EQ(e.MinY, 1750);
    EXPECT_EQ(e.MaxY, 3250);
}

// -1 is a real coordinate: a bound already at -1 must hold.
TEST(ArrowLineExtent, MinusOneIsAnOrdinaryBound)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QString(), 1, 1000, 1000, 5000, 2000);
    a->SetBasePenWidth(0);
    TKVRExtent e;
    e.Include(-1, -1);
    a->CheckFit(e);
    EXPECT_EQ(e.MinX, -1);
    EXPECT_EQ(e.MinY, -1);
    EXPECT_EQ(e.MaxX, 5000);
    EXPECT_EQ(e.MaxY, 2000);

    // And a point at -1 widens an extent like any other.
    TKVRArrowLine* b = MakeArrow(label, QString(), 1, -1, -1, -1, 4000);
    b->SetBasePenWidth(0);
    TKVRExtent f;
    f.Include(3000, 3000);
    b->CheckFit(f);
    EXPECT_EQ(f.MinX, -1);
    EXPECT_EQ(f.MaxX, 3000);
    EXPECT_EQ(f.MinY, -1);
    EXPECT_EQ(f.MaxY, 4000);
}

TEST(ArrowLineExtent, GapPointsCountOnlyForACaptionInTheGap)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QStringLiteral("c"), 4, 1000, 1000, 5000, 1000);
    a->SetBasePenWidth(0);
    // Stand-ins for the layout's gap, off the line so that they show.
    a->SetBase(3, 500, 9000);
    a->SetBase(4, 9000, 300);
    for (TKVRTextPos pos : {TKVRTextPos(3), TKVRTextPos(4), TKVRTextPos(5)}) {
        a->SetTextPos(pos);
        TKVRExtent e;
        a->CheckFit(e);
        EXPECT_EQ(e.MinX, 500) << int(pos);
        EXPECT_EQ(e.MaxX, 9000) << int(pos);
        EXPECT_EQ(e.MinY, 300) << int(pos);
        EXPECT_EQ(e.MaxY, 9000) << int(pos);
    }
    for (TKVRTextPos pos : {TKVRTextPos(0), TKVRTextPos(2), TKVRTextPos(6), TKVRTextPos(9)}) {
        a->SetTextPos(pos);
        TKVRExtent e;
        a->CheckFit(e);
        EXPECT_EQ(e.MinX, 1000) << int(pos);
        EXPECT_EQ(e.MaxY, 1000) << int(pos);
    }
    a->SetTextPos(4);
    a->SetText(QString());
    TKVRExtent e;
    a->CheckFit(e);
    EXPECT_EQ(e.MaxX, 5000);
}

// ---------------------------------------------------------------- painting

TEST(ArrowLinePaint, ScreenAndPaperTwins)
{
    for (int scale : {1, 2}) {
        TKVRBaseLabel label;
        label.GetMeasure().SetDrawScale(scale);
        TKVRArrowLine* a = MakeArrow(label, QStringLiteral("Caption 42"), 1, 5000, 26000, 48000, 8000);
        // An open arrow: the two canvases mitre the sharp tip of a filled
        // head differently (a core difference, not this element's).
        TKVRLineEnds ends = a->GetEnds();
        ends.FromType = 3;
        a->SetEnds(ends);
        const TTwin t = PaintTwins(*a, 300, scale);
        SaveForLook(t.screen, QStringLiteral("arrow-screen-%1").arg(scale));
        SaveForLook(t.paper, QStringLiteral("arrow-paper-%1").arg(scale));
        const QRect all = InkBounds(t.screen);
        ASSERT_FALSE(all.isEmpty());
        EXPECT_TRUE(SameBox(all, InkBounds(t.paper), 2)) << Box(all) << " vs " << Box(InkBounds(t.paper));
        const QRect text = ColourBounds(t.screen, kBlue);
        ASSERT_FALSE(text.isEmpty());
        EXPECT_TRUE(SameBox(text, ColourBounds(t.paper, kBlue), 2))
            << Box(text) << " vs " << Box(ColourBounds(t.paper, kBlue));
        // The line runs 5..48 mm at 300 dpi, the circle at its end reaches 1 mm
        // beyond; the caption lies above its middle.
        EXPECT_NEAR(all.left(), 5.0 * 300 / 25.4, 3);
        EXPECT_NEAR(all.right(), 49.0 * 300 / 25.4, 3);
        EXPECT_GT(text.left(), all.left() + 40);
        EXPECT_LT(text.right(), all.right() - 40);
    }
}

// The drawing scale must not move anything on paper: the same paper
// coordinates at 1:1 and at 1:2 give the same picture.
TEST(ArrowLinePaint, DrawingScaleKeepsThePaperPicture)
{
    QRect boxes[2];
    for (int scale : {1, 2}) {
        TKVRBaseLabel label;
        label.GetMeasure().SetDrawScale(scale);
        TKVRArrowLine* a = MakeArrow(label, QStringLiteral("Scaled"), 7, 5000, 20000, 40000, 20000);
        boxes[scale - 1] = ColourBounds(PaintTwins(*a, 300, scale).paper, kBlue);
    }
    ASSERT_FALSE(boxes[0].isEmpty());
    EXPECT_TRUE(SameBox(boxes[0], boxes[1], 1)) << Box(boxes[0]) << " vs " << Box(boxes[1]);
}

TEST(ArrowLinePaint, GapPositionsBreakTheLine)
{
    const double px = 300.0 / 25.4 / 1000.0;
    for (TKVRTextPos pos : {TKVRTextPos(3), TKVRTextPos(4), TKVRTextPos(5), TKVRTextPos(1), TKVRTextPos(7)}) {
        TKVRBaseLabel label;
        TKVRArrowLine* a = MakeArrow(label, QStringLiteral("Gap"), pos, 4000, 15000, 50000, 15000);
        a->SetEnds(TKVRLineEnds{});  // no markers: they would reach into a gap at an end
        const TTwin t = PaintTwins(*a);
        const int y = int(15000 * px);
        const int g1 = int(a->GetPoint(3).X * px), g2 = int(a->GetPoint(4).X * px);
        for (const QImage* img : {&t.screen, &t.paper}) {
            if (IsGapTextPos(pos)) {
                EXPECT_GT(g2 - g1, 20) << int(pos);
                EXPECT_EQ(ColourInRow(*img, kRed, y, g1 + 2, g2 - 2), 0) << int(pos);
                // Position 3 opens the gap at the start, 5 at the end.
                if (pos != 3) {
                    EXPECT_GT(ColourInRow(*img, kRed, y, g1 - 30, g1 - 3), 20) << int(pos);
                }
                if (pos != 5) {
                    EXPECT_GT(ColourInRow(*img, kRed, y, g2 + 3, g2 + 30), 20) << int(pos);
                }
            } else {
                const int mid = int(27000 * px);
                EXPECT_GT(ColourInRow(*img, kRed, y, mid - 20, mid + 20), 40) << int(pos);
            }
        }
        if (pos == 4)
            SaveForLook(t.paper, QStringLiteral("arrow-gap-paper"));
    }
}

TEST(ArrowLinePaint, MissingMarkersLeaveThePrinterFillAlone)
{
    TKVRBaseLabel label;
    TKVRArrowLine* a = MakeArrow(label, QString(), 1, 5000, 5000, 30000, 5000);
    TKVRLineEnds ends = a->GetEnds();
    ends.FromType = 0;
    ends.ToType = 0;
    a->SetEnds(ends);
    PaperSurface paper(400, 200, 300);
    paper.draw.pC->Fill().SetColor(kGreen);
    a->PrintElement(&paper.draw);
    EXPECT_EQ(paper.draw.pC->Fill().Color(), kGreen);
    // A bare line: no marker ink beyond the pen's width.
    EXPECT_LE(InkBounds(paper.Finish()).height(), 8);

    ends.ToType = 2;
    ends.ToColor = kBlue;
    a->SetEnds(ends);
    PaperSurface marked(400, 200, 300);
    a->PrintElement(&marked.draw);
    EXPECT_EQ(marked.draw.pC->Fill().Color(), kBlue);
    EXPECT_FALSE(ColourBounds(marked.Finish(), kBlue).isEmpty());
}
