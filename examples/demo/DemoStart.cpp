#include "examples/demo/DemoStart.h"
#include "document/KVR.FMX.h"
#include "examples/demo/DemoWindow.h"
#include "examples/demo/ElementsPage.h"
#include "examples/demo/LabellingPage.h"
#include "examples/demo/LabellingSample.h"
#include <QEventLoop>
#include <QTabWidget>
#include <cstdio>

namespace {

// What the command line saves and exports: the opened label, else the last element page.
LabelHost* Target(DemoWindow& aWindow, bool aOpened)
{
    if (aOpened)
        return &aWindow.Labelling();
    QTabWidget& tabs = aWindow.Tabs();
    for (int i = tabs.count() - 1; i >= 0; --i)
        if (auto* page = dynamic_cast<ElementsPage*>(DemoPageOf(tabs.widget(i))))
            return page;
    return nullptr;
}

bool Export(TVXLabelFMX& aDocument, const QString& aName)
{
    QEventLoop loop;
    QString failure;
    bool done = false;
    StartExport(aDocument, aName, [&](const QString& error, const QString& refused) {
        failure = error;
        if (!refused.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(refused));
        done = true;
        loop.quit();
    });
    if (!done)
        loop.exec();
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        return false;
    }
    std::printf("%s\n", qPrintable(aName));
    return true;
}

}  // namespace

bool StartDemo(DemoWindow& aWindow, const TDemoStart& aStart, const QString& aSampleFolder)
{
    LabellingPage& labelling = aWindow.Labelling();
    const TLabellingSample sample = WriteLabellingSample(aSampleFolder);
    const bool open = !aStart.Open.isEmpty();
    if (open) {
        if (!aWindow.OpenLabel(aStart.Open, true, nullptr))
            return false;
    } else if (!sample.LabelFile.isEmpty()) {
        QString error;
        if (labelling.OpenLabel(sample.LabelFile, error))
            labelling.SetLabelFile(QString());
        else
            std::fprintf(stderr, "The sample label cannot be opened: %s\n", qPrintable(error));
    }
    LabelHost* target = Target(aWindow, open);
    if (!aStart.SaveAs.isEmpty() && SaveLabel(nullptr, target->Document(), aStart.SaveAs).isEmpty())
        return false;
    return aStart.Export.isEmpty() || Export(target->Document(), aStart.Export);
}
