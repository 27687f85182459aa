// The surface's conversions, grid snapping, zoom and relayout, without a screen.
#include "editor/TKVRFrameLayout.h"
#include "editor/TKVRSurfaceCoords.h"
#include "editor/TKVRViewLayout.h"
#include "platform/rtl/label/TMouseFilterS.h"
#include <gtest/gtest.h>
#include <cmath>

namespace {
class TFixedCoords : public TKVRSurfaceCoords
{
public:
    TFixedCoords(float aZoom, int32_t aScale, TKVRUnits aUnits = TKVRUnits::Millimetre)
        : fZoom(aZoom), fScale(aScale), fUnits(aUnits)
    {
        fDScroll.GapL = 15;
        fDScroll.GapT = 15;
    }
    float ZScale() const override { return fZoom; }
    int32_t DrawScale() const override { return fScale; }
    TKVRUnits Units() const override { return fUnits; }
    float fZoom;
    int32_t fScale;
    TKVRUnits fUnits;
};
}  // namespace

TEST(ViewGeometry, ConversionsAtZoomAndScale)
{
    struct Row
    {
        float Zoom;
        int32_t Scale;
        int64_t Micrometres;
        int32_t Pixel;       // ScreenMMX of the micrometres
        float BackPixel;     // BaseMMX of this pixel ...
        int64_t BackMicro;   // ... gives these micrometres
    };
    const Row rows[] = {
        {1.0f, 1, 25400, 111, 111.0f, 25400},
        {2.0f, 1, 25400, 207, 207.0f, 25400},
        {1.0f, 10, 10000, 19, float(15.0 + 96.0 / 25.4), 10000},
        // A scale above 84,546 passes 2^31 in S x 25,400.
        {1.0f, 100000, 2540000000LL, 111, 111.0f, 2540000000LL},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "zoom " << r.Zoom << " scale " << r.Scale);
        TFixedCoords c(r.Zoom, r.Scale);
        EXPECT_EQ(c.ScreenMMX(r.Micrometres), r.Pixel);
        EXPECT_EQ(c.BaseMMX(r.BackPixel), r.BackMicro);
    }
}

TEST(ViewGeometry, UnitConversionsAndWorldInvertsCoord)
{
    struct Row
    {
        TKVRUnits Units;
        int32_t CoordOfOne;  // CoordDX(1.0) at zoom 1, scale 1
        int64_t BaseOfOne;   // BaseMM(1.0)
    };
    const Row rows[] = {
        {TKVRUnits::Millimetre, 4, 1000},        {TKVRUnits::Inch, 96, 25400},
        {TKVRUnits::Centimetre, 38, 10000},      {TKVRUnits::Decimetre, 378, 100000},
        {TKVRUnits::Metre, 3780, 1000000},       {TKVRUnits::Foot, 1152, 304800},
        {TKVRUnits::Yard, 3456, 914400},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.Units));
        TFixedCoords one(1.0f, 1, r.Units);
        EXPECT_EQ(one.CoordDX(1.0f, false), r.CoordOfOne);
        EXPECT_EQ(one.BaseMM(1.0f), r.BaseOfOne);
        for (int32_t scale : {1, 7, 100}) {
            TFixedCoords c(1.5f, scale, r.Units);
            c.fDScroll.ScrollX = 40;
            for (float v : {0.0f, 0.37f, 12.5f, 250.0f}) {
                const int32_t px = c.CoordDX(v, true);
                EXPECT_NEAR(c.CoordDX(c.WorldX(float(px), true), true), px, 1) << v << " at 1:" << scale;
            }
        }
    }
}

TEST(ViewGeometry, GridRoundAndPickGap)
{
    const int64_t cases[][3] = {
        {15000, 10000, 10000}, {15001, 10000, 20000}, {-14000, 10000, -10000}, {-16000, 10000, -10000},
        {5000, 10000, 0},      {5001, 10000, 10000},  {-5001, 10000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(TKVRSurfaceCoords::GridRound(c[0], c[1]), c[2]);
    }
    EXPECT_EQ(TFixedCoords(1.0f, 1).PickGap(8), 2117);
    EXPECT_EQ(TFixedCoords(2.0f, 1).PickGap(8), 1058);
}

TEST(ViewGeometry, FirstVisiblePixelOfTheLabel)
{
    TFixedCoords c(1.0f, 1);
    c.fDScroll.RulerL = 18;
    c.fDScroll.ScrollX = 5;
    EXPECT_EQ(c.CMX(), 15 + 18 - 5);
    c.fDScroll.ScrollX = 40;  // past the gap: the label area starts after the ruler
    EXPECT_EQ(c.CMX(), 18);
}

TEST(ViewGeometry, ScrollRangeKeepsOrResetsTheValue)
{
    struct Row
    {
        int32_t Total, View, Value;
        TKVRScrollRange Expected;
    };
    const Row rows[] = {
        {1000, 300, 200, {700, 200, true}},
        {800, 300, 900, {500, 0, true}},   // beyond the shrunk content: back to the start
        {800, 300, 650, {500, 500, true}}, // past the last page: stops at it
        {300, 300, 50, {0, 0, false}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.Total << " " << r.Value);
        const TKVRScrollRange got = ScrollRange(r.Total, r.View, r.Value);
        EXPECT_EQ(got.Maximum, r.Expected.Maximum);
        EXPECT_EQ(got.Value, r.Expected.Value);
        EXPECT_EQ(got.Enabled, r.Expected.Enabled);
    }
}

TEST(ViewGeometry, ComputedZoomsAndTheirFailures)
{
    struct Row
    {
        const char* Name;
        int32_t EditorW, EditorH, PixW, PixH;
        TKVRZoom Zoom;
        float Expected;  // from a last factor of 1.5
    };
    const Row rows[] = {
        {"fit", 600, 600, 200, 100, TKVRZoom::zmFitAll, 2.63f},
        {"width", 600, 600, 200, 100, TKVRZoom::zmWidth, 2.63f},
        {"height", 600, 600, 200, 100, TKVRZoom::zmHeight, 5.26f},
        {"editor 40 x 40", 40, 40, 200, 100, TKVRZoom::zmFitAll, 1.5f},
        {"label 0 wide", 600, 600, 0, 100, TKVRZoom::zmFitAll, 1.5f},
        {"fixed step", 600, 600, 200, 100, TKVRZoom::zm200, 1.5f},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TKVRViewFrame frame;
        frame.EditorW = frame.SurfaceW = r.EditorW;
        frame.EditorH = frame.SurfaceH = r.EditorH;
        frame.Rulers = {};
        frame.Zoom = r.Zoom;
        TKVRDimScroll scroll;
        scroll.PixW = r.PixW;
        scroll.PixH = r.PixH;
        float z = 1.5f;
        CheckDScroll(frame, scroll, z);
        EXPECT_FLOAT_EQ(z, r.Expected);
        EXPECT_GT(z, 0.0f);
    }
}

TEST(ViewGeometry, GapsAroundTheLabel)
{
    struct Row
    {
        TVKRLabelPos Pos;
        int32_t Surface;
        int16_t GapL, GapR;
        int32_t Total;
    };
    // A label 200 px wide with an 18 px left ruler, margin 15.
    const Row rows[] = {
        {TVKRLabelPos::lbCenter, 500, 141, 141, 500},
        {TVKRLabelPos::lbCenter, 501, 141, 142, 501},
        {TVKRLabelPos::lbCenter, 240, 15, 15, 248},
        {TVKRLabelPos::lbTopLeft, 500, 15, 267, 500},
        {TVKRLabelPos::lbTopLeft, 240, 15, 15, 248},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << int(r.Pos) << " " << r.Surface);
        TKVRViewFrame frame;
        frame.EditorW = r.Surface + 22;
        frame.SurfaceW = r.Surface;
        frame.EditorH = frame.SurfaceH = 400;
        frame.Rulers = rvLeft;
        frame.LabelPos = r.Pos;
        TKVRDimScroll scroll;
        float z = 1.0f;
        CheckDScroll(frame, scroll, z);
        EXPECT_EQ(scroll.GapL, r.GapL);
        EXPECT_EQ(scroll.GapR, r.GapR);
        EXPECT_EQ(scroll.TotalW, r.Total);
    }
}

TEST(ViewGeometry, ZoomSteps)
{
    TKVRZoom z{};
    EXPECT_FALSE(ZoomOfItem(14, z));  // the blank item
    ASSERT_TRUE(ZoomOfItem(17, z));
    EXPECT_EQ(z, TKVRZoom::zmFitAll);
    EXPECT_EQ(StepZoom(TKVRZoom::zm500, 5.0f, true), TKVRZoom::zm500);
    EXPECT_EQ(StepZoom(TKVRZoom::zm25, 0.25f, false), TKVRZoom::zm25);
    EXPECT_EQ(StepZoom(TKVRZoom::zmFitAll, 2.63f, true), TKVRZoom::zm300);
    EXPECT_EQ(StepZoom(TKVRZoom::zmFitAll, 2.63f, false), TKVRZoom::zm250);
    EXPECT_EQ(StepZoom(TKVRZoom::zmWidth, 2.5f, false), TKVRZoom::zm200);
}

TEST(ViewGeometry, FrameCellsForAllAndNoOptions)
{
    struct Row
    {
        TKVREditorOptions Options;
        QRect HorzScroll, VertScroll, Surface;
    };
    const Row rows[] = {
        {TKVREditorOptions(0xFF), {122, 578, 456, 22}, {578, 44, 22, 534}, {0, 0, 578, 578}},
        {TKVREditorOptions(0), {0, 578, 578, 22}, {578, 0, 22, 578}, {0, 0, 578, 578}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.Options));
        TKVRFrameLayout layout;
        layout.AddControl(nullptr, 3, 3, 1, 1);
        layout.AddControl(nullptr, 2, 4, 1, 1);
        layout.AddControl(nullptr, 0, 0, 3, 4);
        layout.ApplyOptions(r.Options);
        EXPECT_EQ(layout.CellBounds(0, 600, 600), r.HorzScroll);
        EXPECT_EQ(layout.CellBounds(1, 600, 600), r.VertScroll);
        EXPECT_EQ(layout.CellBounds(2, 600, 600), r.Surface);
    }
    TKVRFrameLayout full;
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(full.AddControl(nullptr, 0, 0, 1, 1));
    EXPECT_FALSE(full.AddControl(nullptr, 0, 0, 1, 1));  // a tenth control is not laid out
}

TEST(ViewGeometry, UnitValuesAndScaledPixels)
{
    EXPECT_FLOAT_EQ(GetValue(914400, TKVRUnits::Yard), 1.0f);
    EXPECT_EQ(SetValue(0.05f, TKVRUnits::Millimetre), 50);
    EXPECT_EQ(SymUnit(TKVRUnits::Inch, false), "in");
    EXPECT_EQ(ScalePos(18, 96), 18);
    EXPECT_EQ(ScalePos(18, 192), 36);
    EXPECT_EQ(ScalePos(9, 144), 14);  // 13.5 goes to the even neighbour
}

TEST(ViewGeometry, MouseFilterThinsMoves)
{
    TMouseFilterS f;
    EXPECT_TRUE(f.FilterMouseMoveAt(0, 0, 0));  // disabled: every move passes
    EXPECT_TRUE(f.FilterMouseMoveAt(1, 1, 0));
    f.SetEnabled(true);
    struct Row
    {
        int64_t Time;
        float X;
        bool Passes;
    };
    const Row rows[] = {{100, 0, true}, {120, 5, false}, {130, 30, true}, {150, 31, false}, {200, 32, true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Time);
        EXPECT_EQ(f.FilterMouseMoveAt(r.Time, r.X, 0), r.Passes);
    }
    f.ResetPos();
    EXPECT_TRUE(f.FilterMouseMoveAt(201, 32, 0));
}
