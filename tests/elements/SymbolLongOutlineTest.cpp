// Outlines of more points than a 16-bit index reaches.
#include "elements/TKVRSymbol.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Types.h"
#include "tests/elements/RecordingDevice.h"
#include "tests/elements/SymbolTestSupport.h"

TEST(SymbolLongOutline, EveryPointPastIndex32767StaysOnTheOutline)
{
    constexpr int kPoints = 40000;  // 1 + 3k, so the curve is whole cubics
    std::string points;
    for (int i = 0; i < kPoints; ++i)
        points += (i ? "," : "") + std::to_string(5 + i % 2) + "," + std::to_string(5 + i / 1000);
    const struct
    {
        const char* name;
        std::string items;
    } cases[] = {
        {"polyline", R"([{"Type":"Polyline","Points":[)" + points + "]}]"},
        {"curve", R"([{"Type":"Bezier","Points":[)" + points + "]}]"},
        {"polyline in a path", R"([{"Type":"Path","Value":true},{"Type":"Polyline","Points":[)" + points +
                                   R"(]},{"Type":"Path","Value":false}])"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingDevice device(800, 800, 96);
        TKVRDraw draw;
        draw.SetResolution(96, 96);
        draw.SetStandardWidths();
        draw.DrawState = KVRDrawState::Preview;
        draw.kC = TSkCanvas::Make(&device);
        draw.kP = std::make_shared<TSkPaint>();
        draw.aConf.Reset();
        auto symbol = MakeSymbol(c.items);
        TKVRSymbol::DrawSymbol(&draw, symbol.get(), 1.0f);
        draw.kC.reset();
        const auto strokes = device.Strokes();
        ASSERT_EQ(strokes.size(), 1u);
        // Every point lies 5 mm or more from the symbol's origin; a wrapped index reads (0, 0).
        const QRectF box = strokes[0].DevicePath().boundingRect();
        EXPECT_GT(box.left(), 4.9 * 96 / 25.4);
        EXPECT_GT(box.top(), 4.9 * 96 / 25.4);
        EXPECT_NEAR(box.bottom(), (5 + (kPoints - 1) / 1000) * 96 / 25.4, 0.5) << "the last points are painted";
    }
}
