// Connectors painted: every link type on screen and paper (twins), the arc of
// a document printed without any screen paint, markers, and the cases where
// nothing is painted.
#include "tests/elements/FlowLinkTestSupport.h"
#include "platform/rtl/KVR.Math.h"
#include <cmath>
#include <gtest/gtest.h>

using namespace flowtest;

namespace {

// Two unframed, unfilled nodes (only the connector inks) and a connector.
struct TScene
{
    TKVRBaseLabel label;
    TKVRFlow* A = Bare(Node(label, 5000, 5000, 20000, 15000));
    TKVRFlow* B = Bare(Node(label, 45000, 25000, 60000, 35000));
    TKVRLink* L = nullptr;

    static TKVRFlow* Bare(TKVRFlow* n)
    {
        n->SetPenWidth(0.0f);
        n->SetFilled(false);
        return n;
    }
    TScene(TVXLinkType aType, int16_t aFrom = 2, int16_t aTo = 4)
    {
        L = Connect(label, A, aFrom, B, aTo, aType);
        L->SetFromType(4);
        L->SetToType(2);
        L->SetFromColor(kGreen);
        L->SetToColor(kGreen);
        L->CalcLinkPoints(true);
    }
};

// Every link type on screen and on paper agree within a pixel, with their markers.
TEST(LinkTypes, ScreenAndPaperAreTwinsWithTheirMarkers)
{
    for (int type = 0; type < 8; ++type) {
        SCOPED_TRACE(type);
        TScene s{TVXLinkType(type)};
        if (type == 6)
            s.L->SetLinkPoints({{30000, 5000}, {30000, 35000}});
        s.L->SetLineType(type % 2 == 0 ? 0 : 3);
        const TScreenPaper t = PaintDocument(s.label, 780, 460);
        ImageProbes::SaveForLooking(t.Screen, QStringLiteral("link-%1-screen.png").arg(type));
        ImageProbes::SaveForLooking(t.Paper, QStringLiteral("link-%1-paper.png").arg(type));
        EXPECT_TRUE(Twins(t, 0.95));
        // The markers sit on the anchors: ink at both ends on both surfaces.
        for (const QImage* img : {&t.Screen, &t.Paper}) {
            EXPECT_GT(InkCount(img->copy(int(Px(20000)) - 12, int(Px(10000)) - 12, 25, 25)), 20);
            EXPECT_GT(InkCount(img->copy(int(Px(45000)) - 12, int(Px(30000)) - 12, 25, 25)), 20);
        }
        // The filled marker takes its end's colour on both.
        EXPECT_GT(CountLeaning(t.Screen, kGreen), 20);
        EXPECT_GT(CountLeaning(t.Paper, kGreen), 20);
    }
}

// The ink of an arc about (cx, cy) µm of radius r µm lies on that circle.
int OffCircle(const QImage& img, double cx, double cy, double r, TAlphaColor colour, int& onCircle)
{
    int off = 0;
    onCircle = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (!LeansTo(img.pixel(x, y), colour))
                continue;
            const double d = std::hypot(x + 0.5 - Px(cx), y + 0.5 - Px(cy)) - Px(r);
            (std::abs(d) <= 5.0 ? onCircle : off) += 1;
        }
    return off;
}

TEST(Link, PrintedWithoutAnyScreenPaintTheArcFollowsTheNodes)
{
    TKVRBaseLabel label;
    TKVRFlow* a = TScene::Bare(Node(label, 5000, 20000, 20000, 30000));
    TKVRFlow* b = TScene::Bare(Node(label, 45000, 40000, 60000, 50000));
    TKVRLink* l = Connect(label, a, 2, b, 4, 4);
    l->SetFromType(0);
    l->SetToType(0);
    l->SetLinkPoints({{32500, 5000}});
    l->CalcValues(0);
    // The node moves after the last layout; the document lays the connector
    // out again and prints it, never painting it on a screen.
    b->SetBase(1, 45000, 20000);
    b->SetBase(2, 60000, 30000);
    l->CalcValues(0);
    EXPECT_EQ(l->ToPoint, (TKVRPto{45000, 25000}));
    EXPECT_EQ(l->ArcCenterX, 32500);
    // The circle through (20000, 25000), (32500, 5000) and (45000, 25000).
    const double r = (20000.0 * 20000.0 + 12500.0 * 12500.0) / (2.0 * 20000.0);
    const double cy = 5000.0 + r;
    EXPECT_EQ(l->ArcCenterY, RoundHalfEven(cy));

    const TScreenPaper t = PaintDocument(label, 780, 460, false);
    ImageProbes::SaveForLooking(t.Paper, QStringLiteral("link-arc-printed.png"));
    int on = 0;
    EXPECT_EQ(OffCircle(t.Paper, 32500, cy, r, kRed, on), 0);
    EXPECT_GT(on, int(Px(20000)));
    // It reaches the moved node's anchor.
    EXPECT_GT(CountLeaning(t.Paper, kRed, QRect(int(Px(45000)) - 6, int(Px(25000)) - 6, 13, 13)), 3);
}

TEST(Link, MarkersKeepTheScreenSizeOnPaperAndPrintEveryKind)
{
    for (TKVRTermType kind = 1; kind <= 11; ++kind) {
        TScene s(0);
        s.label.GetSettings().SetTermSize(6.0f);
        s.label.GetSettings().SetTermColor(kRed);
        s.L->SetFromType(kind);
        s.L->SetToType(0);
        s.L->SetPenWidth(0.3f);
        const TScreenPaper t = PaintDocument(s.label, 780, 460);
        const QRect around(int(Px(20000)) - 60, int(Px(10000)) - 60, 121, 121);
        const QRect sm = InkBounds(t.Screen.copy(around)), pm = InkBounds(t.Paper.copy(around));
        EXPECT_FALSE(pm.isEmpty()) << "end type " << int(kind) << " prints";
        EXPECT_TRUE(SameBox(sm, pm, 3)) << "end type " << int(kind);
        // 6 mm across at 300 dpi: about 71 pixels, on either surface.
        EXPECT_GT(std::max(pm.width(), pm.height()), 30) << int(kind);
    }
}

TEST(Link, NothingIsPaintedWithoutBothEndsOrWithAnUnknownLinkType)
{
    for (int c = 0; c < 3; ++c) {
        TScene s(c == 2 ? 9 : 0);
        if (c == 0)
            s.L->SetToID(999);
        if (c == 1)
            s.L->SetFromID(0);
        const TScreenPaper t = PaintDocument(s.label, 780, 460);
        EXPECT_EQ(InkCount(t.Screen), 0) << c;
        EXPECT_EQ(InkCount(t.Paper), 0) << c;
    }
}

TEST(Link, AnchorIndexBeyondTheAnchorsIsTheCentre)
{
    TScene s(0, 2, 77);
    const TScreenPaper t = PaintDocument(s.label, 780, 460);
    // The To end (and its marker) lands on B's centre (52500, 30000), not on its left side.
    EXPECT_GT(InkCount(t.Paper.copy(int(Px(52500)) - 8, int(Px(30000)) - 8, 17, 17)), 20);
    EXPECT_EQ(InkCount(t.Paper.copy(int(Px(45000)) - 8, int(Px(30000)) - 8, 17, 17)), 0);
    EXPECT_TRUE(Twins(t, 0.95));
}

TEST(Link, PrintedRouteTakesThePenWidthInPrinterPixels)
{
    // Without a pen the route is the thinnest line on paper, as on screen,
    // and no fault; the filled markers still print.
    TScene s(1);
    s.L->SetPenWidth(0.0f);
    s.L->SetLineType(3);
    TScreenPaper t = PaintDocument(s.label, 780, 460);
    EXPECT_GT(CountLeaning(t.Paper, kRed), 0);
    EXPECT_GT(CountLeaning(t.Screen, kRed), 0);
    const QRect hair = LeaningBounds(t.Paper, kRed, QRect(int(Px(35000)), int(Px(6000)), 1, int(Px(8000))));
    EXPECT_LE(hair.height(), 2);
    EXPECT_GT(CountLeaning(t.Paper, kGreen), 20);
    // A 0.5 mm route prints at the pen width in printer pixels: about 6
    // pixels thick at 300 dpi, not half a pixel.
    s.L->SetPenWidth(0.5f);
    s.L->SetLineType(0);
    t = PaintDocument(s.label, 780, 460);
    const int x = int(Px(35000));
    const QRect column = LeaningBounds(t.Paper, kRed, QRect(x, int(Px(6000)), 1, int(Px(8000))));
    ASSERT_FALSE(column.isNull());
    EXPECT_GE(column.height(), 4);
    EXPECT_LE(column.height(), 8);
}

}  // namespace

namespace {

TEST(Link, FarAwayNodesPaintQuicklyAndSafely)
{
    TKVRBaseLabel label;
    const int64_t far = KVRMaxCoordinate - 1000;
    TKVRFlow* a = Node(label, 5000, 5000, 20000, 15000);
    TKVRFlow* b = Node(label, far - 100000, far - 100000, far, far, 11);
    b->SetText(QStringLiteral("far"));
    for (TVXLinkType type : {0, 3, 4, 5, 7}) {
        TKVRLink* l = Connect(label, a, 2, b, 4, type);
        l->CalcLinkPoints(true);
        l->SetToType(4);
    }
    const TScreenPaper t = PaintDocument(label, 300, 200);
    // The routes leave A towards the far corner, on both surfaces.
    EXPECT_GT(CountLeaning(t.Screen, kRed), 100);
    EXPECT_GT(CountLeaning(t.Paper, kRed), 100);
}

}  // namespace

namespace {

// A connector to a node 123 km away: the surface shows a few centimetres of
// it, and those are dashed as the line type says, however long the route.
TEST(Link, FarRouteIsDashedWhereTheSurfaceShowsIt)
{
    TKVRBaseLabel label;
    const int64_t far = 123'000'000'000;  // 123 km in micrometres
    TKVRFlow* a = TScene::Bare(Node(label, 5000, 5000, 20000, 15000));
    TKVRFlow* b = TScene::Bare(Node(label, far, 5000, far + 15000, 15000));
    TKVRLink* l = Connect(label, a, 2, b, 4, 0);
    l->SetLineType(1);  // half-millimetre dots: millions of them along the route
    l->SetPenWidth(0.3f);
    l->CalcLinkPoints(true);
    ScreenSurface s(400, 120, 150);
    for (int i = 1; i <= label.GetItemsCount(); ++i)
        label.GetItem(i)->DrawElement(&s.draw);
    const QImage img = s.Finish().copy();
    const int row = int(10000 * 150 / 25400.0);
    const std::vector<int> runs =
        ImageProbes::Runs(img.copy(int(20000 * 150 / 25400.0) + 8, 0, 300, img.height()), row,
                          [](const QImage& i, int x, int y) { return LeansTo(i.pixel(x, y), kRed); });
    // Dots and gaps of about three pixels each, all the way to the surface's edge.
    ASSERT_GT(runs.size(), 60u);
    for (size_t i = 1; i + 1 < runs.size(); ++i)
        EXPECT_NEAR(runs[i], 3, 1) << i;
}

}  // namespace
