// Batch printing, export, label files and painting of big documents. Run one
// benchmark per process (scripts/bench.sh does): the peak memory counter is
// the process's maximum resident size, so it only means something alone.
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRText.h"
#include "platform/fmx/TPrinter.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/KVR.Model.Json.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Types.h"
#include "tests/support/LabelDocuments.h"
#include "tests/support/PrintQueue.h"
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace {

void EnsureApp()
{
    static int argc = 1;
    static char name[] = "kvr_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argc, argv);
}

QTemporaryDir& Scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// The process's peak resident size so far, in MiB (Linux reports KiB).
void ReportPeak(benchmark::State& state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = double(usage.ru_maxrss) / 1024.0;
}

// ---------------------------------------------------------------- the label run

// N labels (the tests' 3 x 8 sheet on A4) through the print job to a PDF-file printer; with or without the QR.
void PrintLabels(benchmark::State& state, bool aQR)
{
    EnsureApp();
    const int n = int(state.range(0));
    const TPdfPrinterFixture printer(QStringLiteral("Bench PDF"));
    const QString pdf = printer.FileName();
    TVXLabelFMX doc;
    BuildSheet(doc, Scratch().filePath(QStringLiteral("print.csv")), n, aQR);
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    for (auto _ : state) {
        if (!doc.Print())
            state.SkipWithError(doc.GetPrintReport().Text().toUtf8().constData());
    }
    if (qEnvironmentVariableIsSet("KVR_BENCH_PICTURES"))
        QFile::copy(pdf, qEnvironmentVariable("KVR_BENCH_PICTURES") +
                             (aQR ? QStringLiteral("/labels.pdf") : QStringLiteral("/labels-code128.pdf")));
    state.SetItemsProcessed(int64_t(state.iterations()) * n);
    state.counters["labels"] = n;
    const int64_t pages = doc.GetPrintReport().Pages;
    state.counters["bytes_per_page"] = pages > 0 ? double(QFile(pdf).size()) / double(pages) : 0.0;
    ReportPeak(state);
}

// Text, Code 128 and QR code per label.
void BM_PrintLabels(benchmark::State& state)
{
    PrintLabels(state, true);
}
BENCHMARK(BM_PrintLabels)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

// The plain labelling run: one data-bound text and one data-bound Code 128 per label.
void BM_PrintTextCode128(benchmark::State& state)
{
    PrintLabels(state, false);
}
BENCHMARK(BM_PrintTextCode128)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

// One sheet of those labels exported; the range is the kind and the scale.
void BM_ExportSheet(benchmark::State& state)
{
    EnsureApp();
    const TKVRExport kind = TKVRExport(state.range(0));
    const float scale = float(state.range(1));
    TVXLabelFMX doc;
    BuildSheet(doc, Scratch().filePath(QStringLiteral("export.csv")), 24, true);
    const QString file =
        Scratch().filePath(kind == KVRExportKind::Pdf ? QStringLiteral("sheet.pdf") : QStringLiteral("sheet.png"));
    for (auto _ : state) {
        TKVRExportResult result;
        bool done = false;
        QEventLoop loop;
        doc.OnExportDone = [&](QObject*, const TKVRExportResult& r) {
            result = r;
            done = true;
            loop.quit();
        };
        doc.ExportDoc(kind, file, 0, scale, 100, true, false, false);
        QTimer::singleShot(300000, &loop, &QEventLoop::quit);
        if (!done)
            loop.exec();
        if (!done || !result.Ok())
            state.SkipWithError(done ? result.Error.toUtf8().constData() : "no report");
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 24);
    state.SetLabel(kind == KVRExportKind::Pdf ? "PDF" : "PNG");
    ReportPeak(state);
}
BENCHMARK(BM_ExportSheet)
    ->Args({KVRExportKind::Pdf, 1})
    ->Args({KVRExportKind::Pdf, 3})
    ->Args({KVRExportKind::Png, 1})
    ->Args({KVRExportKind::Png, 3})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// ---------------------------------------------------------------- big documents

// Element i of a mixed drawing laid out on a grid of 5 mm cells.
void AddMixed(TVXLabelFMX& aDoc, int i, int aColumns)
{
    const float x = 5.0f * float(i % aColumns), y = 5.0f * float(i / aColumns);
    switch (i % 8) {
    case 0:
        TKVRFactory::AddLine(&aDoc, x, y, x + 4.0f, y + 3.0f);
        break;
    case 1:
        TKVRFactory::AddRectangle(&aDoc, x, y, 4.0f, 3.0f);
        break;
    case 2:
        TKVRFactory::AddCircle(&aDoc, x + 2.0f, y + 2.0f, 1.8f);
        break;
    case 3:
        TKVRFactory::AddEllipse(&aDoc, x + 2.0f, y + 2.0f, 2.0f, 1.2f);
        break;
    case 4: {
        const float pts[] = {x, y, x + 2.0f, y + 3.0f, x + 4.0f, y};
        TKVRFactory::AddPolyLine(&aDoc, pts);
        break;
    }
    case 5:
        TKVRFactory::AddArc(&aDoc, x + 2.0f, y + 2.0f, 1.8f, 0.0f, 180.0f);
        break;
    case 6:
        TKVRFactory::AddText(&aDoc, x, y)->SetText(QStringLiteral("T%1").arg(i));
        break;
    default: {
        const float pts[] = {x, y, x + 4.0f, y, x + 2.0f, y + 3.0f};
        TKVRFactory::AddPolygon(&aDoc, pts);
        break;
    }
    }
}

void BuildDrawing(TVXLabelFMX& aDoc, int aCount)
{
    aDoc.GetActiveLayer()->FontName = QStringLiteral("Arial");
    aDoc.GetActiveLayer()->FontHeight = 2000;
    const int columns = int(std::ceil(std::sqrt(aCount * 16.0 / 9.0)));
    for (int i = 0; i < aCount; ++i)
        AddMixed(aDoc, i, columns);
}

// The factory's creators, one element after the other, as an import or a
// script builds a drawing.
void BM_BuildDrawing(benchmark::State& state)
{
    EnsureApp();
    const int n = int(state.range(0));
    for (auto _ : state) {
        TVXLabelFMX doc;
        BuildDrawing(doc, n);
        benchmark::DoNotOptimize(doc.GetItemsCount());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * n);
    ReportPeak(state);
}
BENCHMARK(BM_BuildDrawing)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

constexpr int kFileElements = 100000;

// Where the saves leave the drawing for the loads: KVR_BENCH_FILES when set
// (the benchmark script runs each benchmark alone, so a load then holds
// only what it reads), else a folder of this process.
QString BigFile(TKVRExt aFormat)
{
    const QString folder = qEnvironmentVariableIsSet("KVR_BENCH_FILES") ? qEnvironmentVariable("KVR_BENCH_FILES")
                                                                        : Scratch().path();
    return folder + (aFormat == KVRExt::Json ? QStringLiteral("/big.json") : QStringLiteral("/big.eti"));
}

// The drawing of 100,000 elements saved per format, for the loads; saved
// here when no save has left it.
QString SavedFile(TKVRExt aFormat)
{
    const QString file = BigFile(aFormat);
    if (!QFile::exists(file)) {
        EnsureApp();
        TVXLabelFMX doc;
        BuildDrawing(doc, kFileElements);
        doc.SaveToFile(file, aFormat);
    }
    return file;
}

void BM_SaveFile(benchmark::State& state)
{
    EnsureApp();
    const TKVRExt format = TKVRExt(state.range(0));
    TVXLabelFMX doc;
    BuildDrawing(doc, kFileElements);
    const QString file = BigFile(format);
    for (auto _ : state)
        doc.SaveToFile(file, format);
    state.SetItemsProcessed(int64_t(state.iterations()) * kFileElements);
    state.SetLabel(format == KVRExt::Json ? ".json" : ".eti");
    ReportPeak(state);
}
BENCHMARK(BM_SaveFile)->Arg(KVRExt::Binary)->Arg(KVRExt::Json)->Unit(benchmark::kMillisecond);

void BM_LoadFile(benchmark::State& state)
{
    EnsureApp();
    const TKVRExt format = TKVRExt(state.range(0));
    const QString file = SavedFile(format);
    for (auto _ : state) {
        TVXLabelFMX doc;
        if (!doc.LoadFromFile(file) || doc.GetItemsCount() != kFileElements)
            state.SkipWithError("the file did not load whole");
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kFileElements);
    state.SetLabel(format == KVRExt::Json ? ".json" : ".eti");
    ReportPeak(state);
}
BENCHMARK(BM_LoadFile)->Arg(KVRExt::Binary)->Arg(KVRExt::Json)->Unit(benchmark::kMillisecond);

// The JSON library alone on the same file: reading the bytes and parsing them.
void BM_ParseJsonBare(benchmark::State& state)
{
    EnsureApp();
    const QString file = SavedFile(KVRExt::Json);
    for (auto _ : state) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open");
        const QByteArray text = f.readAll();
        const TJsonObject json = TJsonObject::parse(text.constBegin(), text.constEnd());
        benchmark::DoNotOptimize(json.size());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kFileElements);
    ReportPeak(state);
}
BENCHMARK(BM_ParseJsonBare)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- painting

constexpr int kPaintElements = 10000;
constexpr int kImageW = 1920, kImageH = 1080;

// The zoom that fits the drawing's extent into the image, as the editor's
// "fit" shows it at 96 dpi, and the origin that centres it.
struct TFit
{
    float Zoom = 1;
    float OriginX = 0, OriginY = 0;  // pixels before the zoom
};

TFit FitOf(TVXLabelFMX& aDoc)
{
    TKVRExtent extent;
    for (int32_t i = 1; i <= aDoc.GetItemsCount(); ++i)
        aDoc.GetItem(i)->CheckFit(extent);
    const double k = 96.0 / 25400.0;
    const double w = double(extent.MaxX - extent.MinX) * k, h = double(extent.MaxY - extent.MinY) * k;
    TFit fit;
    fit.Zoom = float(std::min(kImageW / w, kImageH / h));
    fit.OriginX = float(-double(extent.MinX) * k);
    fit.OriginY = float(-double(extent.MinY) * k);
    return fit;
}

QImage Screen()
{
    QImage image(kImageW, kImageH, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

void PaintDocument(TVXLabelFMX& doc, const TFit& fit, QImage& image)
{
    image.fill(Qt::white);
    TKVRDraw draw;
    draw.SetResolution(96, 96, 1);
    draw.SetStandardWidths();
    draw.DrawState = KVRDrawState::Preview;
    draw.Zoom = fit.Zoom;
    draw.ScreenOffsetX = fit.OriginX;
    draw.ScreenOffsetY = fit.OriginY;
    draw.kC = TSkCanvas::Make(&image);
    draw.kC->Scale(fit.Zoom, fit.Zoom);
    draw.kP = std::make_shared<TSkPaint>();
    draw.kP->SetAntiAlias(true);
    for (int32_t i = 1; i <= doc.GetItemsCount(); ++i)
        doc.GetItem(i)->DrawElement(&draw);
    draw.kC.reset();
}

void BM_PaintDrawing(benchmark::State& state)
{
    EnsureApp();
    TVXLabelFMX doc;
    BuildDrawing(doc, kPaintElements);
    const TFit fit = FitOf(doc);
    QImage image = Screen();
    for (auto _ : state)
        PaintDocument(doc, fit, image);
    if (qEnvironmentVariableIsSet("KVR_BENCH_PICTURES"))
        image.save(qEnvironmentVariable("KVR_BENCH_PICTURES") + QStringLiteral("/drawing.png"));
    state.SetItemsProcessed(int64_t(state.iterations()) * kPaintElements);
    ReportPeak(state);
}
BENCHMARK(BM_PaintDrawing)->Unit(benchmark::kMillisecond);

// The same shapes by plain QPainter calls, with the layer's pen and font.
void BM_PaintPlainQPainter(benchmark::State& state)
{
    EnsureApp();
    const int columns = int(std::ceil(std::sqrt(kPaintElements * 16.0 / 9.0)));
    TVXLabelFMX doc;
    BuildDrawing(doc, kPaintElements);
    const TFit fit = FitOf(doc);
    const double mm = 96.0 / 25.4;
    QImage image = Screen();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(int(2.0 * mm));
    // Texts are framed and filled with the layer's back colour, as the elements
    // are, round the box their first paint laid out.
    PaintDocument(doc, fit, image);
    std::vector<QRectF> boxes(static_cast<size_t>(kPaintElements));
    QColor back = Qt::white;
    for (int i = 6; i < kPaintElements; i += 8) {
        auto* text = static_cast<TKVRText*>(doc.GetItem(i + 1));
        text->UpdateBounds();
        const TKVRRect b = text->GetBounds();
        const double k = 96.0 / 25400.0;
        boxes[size_t(i)] = QRectF(QPointF(b.Left * k, b.Top * k), QPointF(b.Right * k, b.Bottom * k));
        back = QColor::fromRgba(text->GetBackColor());
    }
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(fit.Zoom, fit.Zoom);
        p.translate(fit.OriginX, fit.OriginY);
        p.setPen(QPen(Qt::black, 0.25 * mm));
        p.setFont(font);
        for (int i = 0; i < kPaintElements; ++i) {
            const double x = 5.0 * (i % columns) * mm, y = 5.0 * (i / columns) * mm;
            switch (i % 8) {
            case 0:
                p.drawLine(QPointF(x, y), QPointF(x + 4 * mm, y + 3 * mm));
                break;
            case 1:
                p.drawRect(QRectF(x, y, 4 * mm, 3 * mm));
                break;
            case 2:
                p.drawEllipse(QPointF(x + 2 * mm, y + 2 * mm), 1.8 * mm, 1.8 * mm);
                break;
            case 3:
                p.drawEllipse(QPointF(x + 2 * mm, y + 2 * mm), 2.0 * mm, 1.2 * mm);
                break;
            case 4: {
                const QPointF pts[] = {{x, y}, {x + 2 * mm, y + 3 * mm}, {x + 4 * mm, y}};
                p.drawPolyline(pts, 3);
                break;
            }
            case 5:
                p.drawArc(QRectF(x + 0.2 * mm, y + 0.2 * mm, 3.6 * mm, 3.6 * mm), 0, -180 * 16);
                break;
            case 6:
                p.fillRect(boxes[size_t(i)], back);
                p.drawRect(boxes[size_t(i)]);
                p.drawText(QPointF(x, y + 2 * mm), QStringLiteral("T%1").arg(i));
                break;
            default: {
                const QPointF pts[] = {{x, y}, {x + 4 * mm, y}, {x + 2 * mm, y + 3 * mm}};
                p.drawPolygon(pts, 3);
                break;
            }
            }
        }
    }
    if (qEnvironmentVariableIsSet("KVR_BENCH_PICTURES"))
        image.save(qEnvironmentVariable("KVR_BENCH_PICTURES") + QStringLiteral("/plain.png"));
    state.SetItemsProcessed(int64_t(state.iterations()) * kPaintElements);
    ReportPeak(state);
}
BENCHMARK(BM_PaintPlainQPainter)->Unit(benchmark::kMillisecond);

}  // namespace
