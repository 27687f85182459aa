// A page of a long run reached and painted as the preview does it: the last
// page of 10^7 labels should cost about what the first does.
#include "bench/BenchApp.h"
#include "document/KVR.FMX.SheetPaint.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/skia/System.Skia.h"
#include "render/TKVRDraw.h"
#include "tests/views/PreviewSheet.h"
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

constexpr int64_t kLabels = 10000000;

// The tests' preview sheet (3 x 8 cells on A4, a Code 128 per cell bound to
// "Code"): with aData 1,000 records of 10,000 copies, else 10^7 labels
// numbered by a counter.
void BuildRun(TVXLabelFMX& aDoc, bool aData)
{
    BuildPreviewSheet(aDoc, aData ? 1000 : 0);
    if (aData) {
        aDoc.GetPrintInfo().SetRepetition(int32_t(kLabels / 1000));
    } else {
        auto* counter = new TKVRCounter(&aDoc);
        counter->Name = QStringLiteral("Code");
        counter->SetNumFrom(1);
        aDoc.GetPrintInfo().SetWithData(false);
        aDoc.GetPrintInfo().SetLabs(int32_t(kLabels));
    }
    aDoc.CheckPrintData();
}

// Range 0: 0 counter, 1 data; range 1: 0 first page, 1 last page.
void BM_PaintRunPage(benchmark::State& state)
{
    KVRBenchApp();
    TVXLabelFMX doc;
    BuildRun(doc, state.range(0) == 1);
    const int32_t page = state.range(1) == 0 ? 1 : doc.GetPrintInfo().GetNumPages();
    QImage image(794, 1123, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        doc.GoToPage(page, true, true);
        image.fill(Qt::white);
        QPainter painter(&image);
        TKVRDraw draw;
        draw.SetResolution(96, 96, 1);
        draw.SetStandardWidths();
        draw.DrawState = KVRDrawState::Preview;
        draw.kC = TSkCanvas::Make(&painter);
        draw.kP = std::make_shared<TSkPaint>();
        KVRPaintSheet(doc, draw, page, TKVRBaseItem::StatePrintable);
        draw.kC.reset();
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["page"] = page;
}
BENCHMARK(BM_PaintRunPage)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
