// Gantt task lists: any text either imports (a title and one bar per
// top-level task, and the drawing saves and loads as it is) or raises the
// Gantt error and leaves the document exactly as it was.
#include "fuzz/import/ImportTargetSupport.h"
#include "fuzz/support/FuzzTarget.h"
#include "import/KVR.FMX.Diagrams.h"

KVR_FUZZ_TARGET(gantt)
{
    if (data.size() > 16 * 1024)
        return;
    const QString text = QString::fromUtf8(data);

    qsizetype tasks = -1;
    try {
        TGanttParser parser;
        parser.Parse(text);
        tasks = parser.GetElements().size();
        const TGanttChart chart = KVRGanttChart(parser);
        KVR_FUZZ_CHECK(chart.Bars.size() == tasks, "a top-level task without its bar");
        for (const TGanttBar& bar : chart.Bars)
            KVR_FUZZ_CHECK(bar.Box.Y + bar.Box.Height < chart.PaperHeight, "a bar below the paper");
    } catch (const EGanttError&) {
    }

    TVXLabelFMX doc;
    kvr::fuzz::FillDocument(doc);
    const std::string before = kvr::fuzz::Dump(doc);
    bool loaded = false;
    try {
        loaded = TKVRFactory::LoadGantt(&doc, text);
    } catch (const EGanttError&) {
        KVR_FUZZ_CHECK(tasks < 0, "the import failed where the parser read the text");
        KVR_FUZZ_CHECK(kvr::fuzz::Dump(doc) == before, "a failed import changed the document");
        return;
    }
    KVR_FUZZ_CHECK(loaded && tasks >= 0, "the import read what the parser refused");
    KVR_FUZZ_CHECK(doc.GetItemsCount() == 1 + tasks, "not one title and one bar per task");
    KVR_FUZZ_CHECK(kvr::fuzz::JsonRoundTrip(doc) == kvr::fuzz::Dump(doc), "the imported chart does not load as saved");
}
