// A dashed connector whose route runs 123 km off the page, painted at 150 dpi:
// the surface shows the page's width of it, and only that is cut into dashes.
// Against the same connector to a node just off the page.
#include "elements/TKVRFlow.h"
#include "elements/TKVRLink.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Types.h"
#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

TKVRFlow* DashNode(TKVRBaseLabel& aLabel, int64_t aX)
{
    auto* n = new TKVRFlow(&aLabel, false);
    n->SetBase(1, aX, 5000);
    n->SetBase(2, aX + 15000, 15000);
    return n;
}

void PaintConnector(benchmark::State& state, int64_t aTo)
{
    static int argc = 1;
    static char name[] = "kvr_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argc, argv);
    TKVRBaseLabel label;
    const TKVRFlow* a = DashNode(label, 5000);
    const TKVRFlow* b = DashNode(label, aTo);
    auto* link = new TKVRLink(&label, false);
    link->SetFromID(a->GetNumID());
    link->SetToID(b->GetNumID());
    link->SetFromIndex(2);
    link->SetToIndex(4);
    link->SetLinkType(0);
    link->SetLineType(2);
    link->CalcLinkPoints(true);
    QImage image(1240, 1754, QImage::Format_ARGB32_Premultiplied);  // A4 at 150 dpi
    for (auto _ : state) {
        TKVRDraw d;
        d.SetResolution(150, 150);
        d.SetStandardWidths();
        d.DrawState = KVRDrawState::Preview;
        d.kC = TSkCanvas::Make(&image);
        d.kP = std::make_shared<TSkPaint>();
        link->DrawElement(&d);
        d.kC.reset();
    }
}

}  // namespace

static void BM_DashedConnectorAcrossThePage(benchmark::State& state)
{
    PaintConnector(state, 300000);
}
BENCHMARK(BM_DashedConnectorAcrossThePage)->Unit(benchmark::kMillisecond);

static void BM_DashedConnector123Km(benchmark::State& state)
{
    PaintConnector(state, 123'000'000'000);
}
BENCHMARK(BM_DashedConnector123Km)->Unit(benchmark::kMillisecond);
