#include "platform/rtl/geometry/TKVRPto.h"
#include "render/KVR.FMX.Types.h"
#include <benchmark/benchmark.h>

// Conversions run for every point of every element at every repaint.
static void BM_DrawValue(benchmark::State& state)
{
    TKVRDraw d;
    d.SetResolution(600, 600);
    int32_t v = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(d.DrawValueX(v));
        benchmark::DoNotOptimize(d.BaseValueY(float(v) * 0.01f));
        v += 37;
    }
}
BENCHMARK(BM_DrawValue);

static void BM_PointToPixels(benchmark::State& state)
{
    TKVRDraw d;
    d.SetResolution(300, 300, 50);
    d.ScreenOffsetX = 12.5f;
    TKVRPto p{123456, -98765};
    for (auto _ : state) {
        benchmark::DoNotOptimize(p.DrawGapX(&d, 500));
        benchmark::DoNotOptimize(p.PrintY(&d));
        p.X += 11;
    }
}
BENCHMARK(BM_PointToPixels);

static void BM_PrintMatrix(benchmark::State& state)
{
    TKVRDraw d;
    for (auto _ : state) {
        d.ResetMatrix(KVRDrawState::Print);
        d.Scale(1.5f, 1.0f);
        d.Rotate(30.0f);
        d.Translate(100.0f, 200.0f);
        benchmark::DoNotOptimize(d.LM.Map({10, 20}));
    }
}
BENCHMARK(BM_PrintMatrix);

BENCHMARK_MAIN();
