#include "dialogs/KVR.FMX.Dialogs.h"
#include "document/KVR.FMX.h"
#include "examples/demo/DemoStart.h"
#include "examples/demo/DemoWindow.h"
#include "examples/demo/ElementsPage.h"
#include "examples/demo/LabellingPage.h"
#include "platform/fmx/TPrinter.h"
#include "render/KVR.FMX.Types.h"
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

namespace {

QString FileStem(const QTabWidget& tabs, int index)
{
    return QString("%1-%2").arg(index + 1).arg(tabs.tabText(index).toLower().replace(' ', '-'));
}

// Without a screen nobody can look at the window: paint every page into a
// PNG (and print the element pages to PDF) and leave, so the demo never
// waits for a user who is not there.
int SaveSnapshots(QTabWidget& tabs, const QString& folder)
{
    QDir().mkpath(folder);
    for (int i = 0; i < tabs.count(); ++i) {
        tabs.setCurrentIndex(i);
        QWidget* page = DemoPageOf(tabs.widget(i));
        if (auto* labelling = dynamic_cast<LabellingPage*>(page))
            labelling->WaitForSheet();
        const QString png = QDir(folder).filePath(FileStem(tabs, i) + ".png");
        if (!page->grab().save(png)) {
            std::fprintf(stderr, "Could not write %s\n", qPrintable(png));
            return 1;
        }
        std::printf("%s\n", qPrintable(png));
        if (auto* elements = dynamic_cast<ElementsPage*>(page)) {
            const QString pdf = QDir(folder).filePath(FileStem(tabs, i) + ".pdf");
            if (!elements->PrintToPdf(pdf)) {
                std::fprintf(stderr, "Could not write %s\n", qPrintable(pdf));
                return 1;
            }
            std::printf("%s\n", qPrintable(pdf));
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zorvel demo");
    InitializeKVRFMXTypes();
    InitializeKVRFMXDialogs();

    QCommandLineParser cli;
    cli.addHelpOption();
    QCommandLineOption snapshot("snapshot", "Paint every page into PNG (and PDF) files in <folder> and quit.", "folder");
    cli.addOption(snapshot);
    QCommandLineOption open("open", "Open the label file <file> (.eti or .json) on the labelling page.", "file");
    cli.addOption(open);
    QCommandLineOption saveAs("save-as",
                              "Save the opened label (without --open, the last element page's) as <file> (.eti or .json).",
                              "file");
    cli.addOption(saveAs);
    QCommandLineOption exportTo(
        "export", "Export the opened label's first sheet (without --open, the last element page) as <file> "
                  "(.pdf .xps .png .bmp .gif .jpg).",
        "file");
    cli.addOption(exportTo);
    QCommandLineOption preview("preview", "Open the preview window on the labelling page's sheet at start.");
    cli.addOption(preview);
    cli.process(app);

    // Prints can go to a PDF file where no print queue is installed.
    const QString printFile = QDir::temp().filePath("kvr-demo-print.pdf");
    Printer().AddFileDevice("PDF file (" + printFile + ")", printFile, {{300, 300}});

    DemoWindow window;
    QTabWidget* tabs = &window.Tabs();
    LabellingPage* labelling = &window.Labelling();
    if (!StartDemo(window, {cli.value(open), cli.value(saveAs), cli.value(exportTo)},
                   QDir::temp().filePath("kvr-demo-labelling")))
        return 1;
    window.show();

    const bool offscreen = QGuiApplication::platformName() == "offscreen";
    if (cli.isSet(preview) && !offscreen) {
        tabs->setCurrentWidget(labelling);
        QTimer::singleShot(0, labelling, [labelling] { labelling->Document().Preview(); });
    }
    // Without a display the demo writes what it was asked for; asked for
    // nothing, its sample pages.
    const bool asked = cli.isSet(saveAs) || cli.isSet(exportTo);
    if (cli.isSet(snapshot) || (offscreen && !asked))
        return SaveSnapshots(*tabs, cli.isSet(snapshot) ? cli.value(snapshot) : QString("demo-out"));
    if (offscreen)
        return 0;
    return app.exec();
}
