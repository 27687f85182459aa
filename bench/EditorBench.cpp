// One paint of the editor's four rulers on an A0 sheet at 1:1 and at
// 1:10,000,000: only the ticks that show are painted, so both cost the same
// order of time.
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "platform/skia/TSkCanvas.h"
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {
// The editor is a widget and needs a QApplication, made before any benchmark
// of another file makes a QGuiApplication.
[[maybe_unused]] const bool kWidgets = [] {
    static int argc = 1;
    static char name[] = "kvr_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
    return true;
}();
}  // namespace

static void BM_EditorRulerPaint(benchmark::State& state)
{
    TVXLabelFMX doc;
    doc.GetMeasure().SetWidth(1189000);
    doc.GetMeasure().SetHeight(841000);
    doc.GetMeasure().SetDrawScale(int32_t(state.range(0)));
    TKVREditor editor;
    editor.SetEditorOptions(TKVREditorOptions(0));
    editor.GetRulers()->SetVisible(TKVRShowRulers(rvLeft | rvTop | rvRight | rvBottom));
    editor.resize(1200, 900);
    editor.show();
    editor.SetLabel(&doc);
    TKVRBackEditor& surface = *editor.GetSurface();
    QImage image(surface.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        surface.Draw(TSkCanvas::Make(&painter), QRectF(0, 0, surface.width(), surface.height()));
    }
}
BENCHMARK(BM_EditorRulerPaint)->Arg(1)->Arg(10000000)->Unit(benchmark::kMillisecond);
