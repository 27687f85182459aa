#include "platform/rtl/codes/KVR.Barcode.h"
#include "platform/rtl/codes/KVR.QRCode.h"
#include "render/TKVRCalc.h"
#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {
// Fonts need a GUI application; one is made for the whole run.
void EnsureApp()
{
    static int argc = 1;
    static char name[] = "kvr_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argc, argv);
}

const QString kParagraph = QStringLiteral(
    "Labels are printed on sheets, one data record per label, from CSV or JSON with counters. "
    "Drawings carry a title block and a scale. This paragraph is long enough to wrap several "
    "times inside a box of eighty millimetres, as a product description on a shelf label would.");
}  // namespace

// Layout of a paragraph: runs at every change of a text element.
static void BM_ParagraphLayout(benchmark::State& state)
{
    EnsureApp();
    int32_t asc, des, und, lh;
    double ratio;
    TKVRCalc::FontSettings("Arial", 4000, false, false, asc, des, und, lh, ratio);
    TxtLines lines;
    for (auto _ : state)
        benchmark::DoNotOptimize(TKVRCalc::CalcTxtPts(kParagraph, nullptr, lines, 80000, 0, 2000, 2000,
                                                      TKVRHorzAlign::Left, TKVRVertAlign::Top, 1.0f));
}
BENCHMARK(BM_ParagraphLayout);

// Text in a curved flowchart outline two kilometres tall with a micrometre
// step: each word too wide for the top goes down to the line where it fits.
static void BM_CurvedFlowLayoutLargeBox(benchmark::State& state)
{
    const TKVRWidthFunc wide = [](const QString& s) { return int32_t(s.size()) * 100000000; };
    TxtLines lines;
    for (auto _ : state)
        benchmark::DoNotOptimize(TKVRCalc::CalcFlowTxtPointsWith(QStringLiteral("ABCDEFGHIJ K LMNOPQRSTU"), lines,
                                                                 2000000000, 2000000000, 0, 11, 0.0f, 0, wide));
}
BENCHMARK(BM_CurvedFlowLayoutLargeBox);

// A font request that hits the cache, as consecutive elements of one style do.
static void BM_FontCacheHit(benchmark::State& state)
{
    EnsureApp();
    int32_t asc, des, und, lh;
    double ratio;
    for (auto _ : state) {
        TKVRCalc::FontSettings("Arial", 4000, true, false, asc, des, und, lh, ratio);
        benchmark::DoNotOptimize(ratio);
    }
}
BENCHMARK(BM_FontCacheHit);

// Encoding a linear barcode: once per printed label for data-bound codes.
static void BM_Code128Pattern(benchmark::State& state)
{
    QByteArray text;
    TKVR128AutoType subset;
    for (auto _ : state) {
        const QByteArray prepared = TBarcode::PrepareBarcode("LOT-2026-004217", TKVRBarType::Code128, false, false,
                                                             false, text, subset);
        benchmark::DoNotOptimize(TBarcode::FillBarPattern(prepared, TKVRBarType::Code128, subset, true));
    }
}
BENCHMARK(BM_Code128Pattern);

static void BM_QRCodeEncode(benchmark::State& state)
{
    TQRCode code;
    const TErrorCorrectionLevel level(TErrorCorrectionLevel::M);
    for (auto _ : state)
        benchmark::DoNotOptimize(TEncoder::Encode("https://example.org/item?id=4217&lot=2026", 0, level, code));
}
BENCHMARK(BM_QRCodeEncode);
