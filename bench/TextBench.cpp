#include "platform/skia/TSkFont.h"
#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {
void EnsureTextApp()
{
    static int argc = 1;
    static char name[] = "kvr_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argc, argv);
}
}  // namespace

// Measuring a line never measured before (a new layout's candidate lines):
// Qt's text engine shapes it. A count keeps every text new.
static void BM_ShapeNewLine(benchmark::State& state)
{
    EnsureTextApp();
    const TSkFont font(TSkTypeface::MakeFromName("Arial", TSkFontStyle::Normal()), 20.0f);
    const QString base = state.range(0) == 0 ? QStringLiteral("Shelf label product description ")
                                              : QStringLiteral("\u05e9\u05dc\u05d5\u05dd \u0645\u0631\u062d\u0628\u0627 \u2713 ");
    int64_t n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(font.MeasureText(base + QString::number(n++)));
}
BENCHMARK(BM_ShapeNewLine)->Arg(0)->Arg(1);

// Measuring a line again, as a repaint does: answered from the thread's cache.
static void BM_ShapeCachedLine(benchmark::State& state)
{
    EnsureTextApp();
    const TSkFont font(TSkTypeface::MakeFromName("Arial", TSkFontStyle::Normal()), 20.0f);
    const QString text = QStringLiteral("Shelf label product description 4217");
    for (auto _ : state)
        benchmark::DoNotOptimize(font.MeasureText(text));
}
BENCHMARK(BM_ShapeCachedLine);
