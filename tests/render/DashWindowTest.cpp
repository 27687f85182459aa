// Dashed outlines that reach far beyond the surface: only what the surface
// shows is cut into dashes, and those dashes stand where the whole outline
// puts them.
#include "platform/rtl/geometry/KVR.DashPath.h"
#include "tests/render/RenderTestSupport.h"
#include "tests/support/ImageProbes.h"
#include <gtest/gtest.h>

namespace {

ISkPaint DashedPen(const std::vector<float>& aDash, float aPhase, float aWidth)
{
    auto paint = std::make_shared<TSkPaint>();
    paint->SetColor(TAlphaColors::Black);
    paint->SetStyle(TSkPaintStyle::Stroke);
    paint->SetStrokeWidth(aWidth);
    paint->SetAntiAlias(false);
    paint->SetPathEffect(TSkPathEffect::MakeDash(aDash, aPhase));
    return paint;
}

}  // namespace

TEST(DashWindow, DashesOutOfSightKeepTheirPlaces)
{
    // Outlines that start far off the surface, leave it and come back.
    struct TCase
    {
        std::vector<TPointF> Points;
        std::vector<float> Dash;
        float Phase;
    };
    const TCase cases[] = {
        {{{-5000.3f, 30.0f}, {180.0f, 30.0f}}, {7, 5}, 2},
        {{{20.0f, 10.0f}, {20.0f, -9000.0f}, {60.0f, -9000.0f}, {60.0f, 50.0f}, {6000.0f, 50.0f}}, {4, 3, 1, 3}, 0},
        {{{-3000.0f, -2000.0f}, {190.0f, 55.0f}, {-4000.0f, 59.0f}}, {9, 4}, 5.5f},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Points.size());
        TSkPathBuilder b;
        b.AddPolygon(c.Points, false);
        const ISkPath path = b.Detach();
        const ISkPaint pen = DashedPen(c.Dash, c.Phase, 2.0f);

        ScreenContext windowed(200, 64);
        windowed.d.kC->DrawPath(path, pen);

        // The same dashes cut over the whole outline, stroked as they are.
        TKVRDashPattern pattern;
        pattern.Intervals.assign(c.Dash.begin(), c.Dash.end());
        pattern.Phase = c.Phase;
        const TKVRDashedPath whole = KVRDashPath(path->ToQt(), pattern, 1.0, 2.0);
        ASSERT_TRUE(whole.Dashed);
        ScreenContext reference(200, 64);
        const ISkPaint solid = DashedPen(c.Dash, c.Phase, 2.0f);
        solid->SetPathEffect(nullptr);
        reference.d.kC->DrawPath(std::make_shared<TSkPath>(whole.Path), solid);

        const QImage got = windowed.Pixels(), want = reference.Pixels();
        EXPECT_FALSE(ImageProbes::Bounds(want, ImageProbes::Alpha).isNull());
        EXPECT_EQ(got, want);
    }
}

TEST(DashWindow, AFarReachingLineIsDashedWhereItShows)
{
    // Ten million pixels of two-pixel dashes: more than any surface cuts for a
    // whole outline, so it used to stroke solid (and cut a million dashes
    // just below that).
    ScreenContext s(200, 20);
    TSkPathBuilder b;
    b.AddPolygon({{10.0f, 10.0f}, {1.0e7f, 10.0f}}, false);
    s.d.kC->DrawPath(b.Detach(), DashedPen({2, 2}, 0, 1.0f));
    const std::vector<int> runs = ImageProbes::Runs(s.Pixels(), 10, ImageProbes::Alpha);
    ASSERT_GT(runs.size(), 40u);
    for (size_t i = 0; i + 1 < runs.size(); ++i)
        EXPECT_EQ(runs[i], 2) << i;
}
