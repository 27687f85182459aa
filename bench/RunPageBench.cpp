// A page of a long run reached and painted as the preview does it: the last
// page of 10^7 labels should cost about what the first does.
#include "document/KVR.FMX.SheetPaint.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRBarcode.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/skia/System.Skia.h"
#include "render/TKVRDraw.h"
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <benchmark/benchmark.h>

namespace {

constexpr int64_t kLabels = 10000000;

void EnsureApp()
{
    static int argc = 1;
    static char name[] = "kvr_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argc, argv);
}

// 3 x 8 cells of 60 x 30 mm on A4, a Code 128 per cell bound to "No": with
// aData 1,000 records of 10,000 copies, else 10^7 labels numbered by a counter.
void BuildRun(TVXLabelFMX& aDoc, bool aData)
{
    TKVRMeasure& m = aDoc.GetMeasure();
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(60000);
    m.SetHeight(30000);
    m.SetMarLeft(10000);
    m.SetMarTop(11000);
    m.SetGapX(5000);
    m.SetGapY(5000);
    m.SetRows(8);
    m.SetColumns(3);
    if (aData) {
        QStringList records;
        for (int i = 1; i <= 1000; ++i)
            records << QStringLiteral(R"({"No":"R%1"})").arg(i);
        aDoc.GetData().SetJson(QLatin1Char('[') + records.join(QLatin1Char(',')) + QLatin1Char(']'));
        aDoc.GetData().SetDataSel(TKVRData::JsonDataset);
        aDoc.GetPrintInfo().SetWithData(true);
        aDoc.GetPrintInfo().SetRepetition(int32_t(kLabels / 1000));
    } else {
        auto* counter = new TKVRCounter(&aDoc);
        counter->Name = QStringLiteral("No");
        counter->SetNumFrom(1);
        aDoc.GetPrintInfo().SetLabs(int32_t(kLabels));
    }
    TKVRBarcode* code = TKVRFactory::AddBarcode(&aDoc, 5, 5, QStringLiteral("DESIGN"), TKVRBarType::Code128);
    code->SetFillType(1);
    code->SetFillName(QStringLiteral("No"));
    aDoc.CheckPrintData();
}

// Range 0: 0 counter, 1 data; range 1: 0 first page, 1 last page.
void BM_PaintRunPage(benchmark::State& state)
{
    EnsureApp();
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
