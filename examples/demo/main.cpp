#include "examples/demo/ContextPage.h"
#include "examples/demo/EditorPage.h"
#include "examples/demo/DialogsMenu.h"
#include "dialogs/KVR.FMX.Dialogs.h"
#include "examples/demo/ElementsPage.h"
#include "examples/demo/FlowDemo.h"
#include "examples/demo/ImportDemo.h"
#include "examples/demo/LabellingPage.h"
#include "examples/demo/LabellingSample.h"
#include "examples/demo/LinesPage.h"
#include "examples/demo/RankNutriDemo.h"
#include "examples/demo/ShapesDemo.h"
#include "examples/demo/SymbolsDemo.h"
#include "examples/demo/TablePolyDemo.h"
#include "examples/demo/TextsCodesDemo.h"
#include "document/KVR.FMX.ExportJob.h"
#include "platform/fmx/TPrinter.h"
#include "render/KVR.FMX.Types.h"
#include <QEventLoop>
#include <QInputDialog>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QMessageBox>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

std::vector<ShowcasePage*> MakePages()
{
    static const QString pictures = QDir::temp().filePath("kvr-demo-pictures");
    return {new ContextPage, new LinesPage, new ElementsPage("Shapes", BuildShapesDemo),
            new ElementsPage("Texts and codes", [](TKVRBaseLabel& doc) { BuildTextsCodesDemo(doc, pictures); }),
            new ElementsPage("Barcodes", BuildBarcodesDemo),
            new ElementsPage("Diagrams", [](TKVRBaseLabel& doc) {
                BuildFlowDemo(doc);
                BuildTablePolyDemo(doc);
                BuildRankNutriDemo(doc);
                BuildSymbolsDemo(doc);
            }),
            new ElementsPage("Gantt import", BuildGanttImportDemo),
            new ElementsPage("Flowchart import", BuildFlowchartImportDemo)};
}

// A showcase page at its full size; its tab scrolls it.
QScrollArea* Scrolled(ShowcasePage* page)
{
    auto* scroll = new QScrollArea;
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    return scroll;
}

// The page a tab shows, inside its scroll area or not.
QWidget* PageOf(QWidget* tab)
{
    auto* scroll = qobject_cast<QScrollArea*>(tab);
    return scroll ? scroll->widget() : tab;
}

LabelHost* HostOf(QWidget* tab)
{
    return dynamic_cast<LabelHost*>(PageOf(tab));
}

LabellingPage* LabellingOf(const QTabWidget& tabs)
{
    for (int i = 0; i < tabs.count(); ++i)
        if (auto* page = dynamic_cast<LabellingPage*>(tabs.widget(i)))
            return page;
    return nullptr;
}

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
        QWidget* page = PageOf(tabs.widget(i));
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

// Label files: ".json" is written as JSON, any other name as a binary ".eti".
bool SaveLabel(QWidget* parent, TVXLabelFMX& document, QString name)
{
    if (!name.endsWith(".json") && !name.endsWith(".eti"))
        name += ".eti";
    try {
        document.SaveToFile(name, name.endsWith(".json") ? KVRExt::Json : KVRExt::Binary);
        return true;
    } catch (const std::exception& e) {
        if (parent)
            QMessageBox::warning(parent, "Save as", QString("Could not save %1:\n%2").arg(name, e.what()));
        else
            std::fprintf(stderr, "Could not save %s: %s\n", qPrintable(name), e.what());
        return false;
    }
}

// Opens the label file on the labelling page; false, with the reason told, when it cannot be read.
bool OpenLabel(QWidget* parent, LabellingPage& page, const QString& name)
{
    QString error;
    if (page.OpenLabel(name, error))
        return true;
    if (parent)
        QMessageBox::warning(parent, "Open", QString("Could not open %1:\n%2").arg(name, error));
    else
        std::fprintf(stderr, "Could not open %s: %s\n", qPrintable(name), qPrintable(error));
    return false;
}

// Export kinds by file extension; -1 for none the export writes.
int ExportKindOf(const QString& name)
{
    const QString ext = QFileInfo(name).suffix().toLower();
    if (ext == "pdf") return KVRExportKind::Pdf;
    if (ext == "xps") return KVRExportKind::Xps;
    if (ext == "bmp") return KVRExportKind::Bmp;
    if (ext == "png") return KVRExportKind::Png;
    if (ext == "gif") return KVRExportKind::Gif;
    if (ext == "jpg" || ext == "jpeg") return KVRExportKind::Jpeg;
    return -1;
}

// Starts the export of the label's page; aDone hears on this thread why it
// failed (empty when the file was written) and which codes were refused.
bool StartExport(TVXLabelFMX& document, const QString& name,
                 std::function<void(const QString& error, const QString& refused)> aDone)
{
    const int kind = ExportKindOf(name);
    if (kind < 0) {
        aDone("Export writes .pdf, .xps, .png, .bmp, .gif or .jpg files.", QString());
        return false;
    }
    document.OnExportDone = [aDone](QObject*, const TKVRExportResult& r) {
        aDone(r.Error, r.Refused.isEmpty() ? QString() : "These codes were refused:\n" + r.Refused.join('\n'));
    };
    return document.ExportDoc(TKVRExport(kind), name, 0, 1.0f, 90, true, false, false);
}

void AddPrintMenu(QMainWindow& window, QTabWidget& tabs)
{
    QMenu* file = window.menuBar()->addMenu("&File");
    file->addAction("&Open...", &window, [&window, &tabs] {
        LabellingPage* page = LabellingOf(tabs);
        const QString name = QFileDialog::getOpenFileName(&window, "Open", QString(), "Labels (*.eti *.json)");
        if (name.isEmpty() || !page)
            return;
        if (OpenLabel(&window, *page, name))
            tabs.setCurrentWidget(page);
    });
    file->addAction("Open &data...", &window, [&window, &tabs] {
        LabellingPage* page = LabellingOf(tabs);
        const QString name = QFileDialog::getOpenFileName(&window, "Open data", QString(), "CSV data (*.csv *.txt)");
        if (name.isEmpty() || !page)
            return;
        tabs.setCurrentWidget(page);
        QString error;
        if (!page->OpenData(name, error))
            QMessageBox::warning(&window, "Open data", QString("Could not read %1:\n%2").arg(name, error));
    });
    file->addAction("Save &as...", &window, [&window, &tabs] {
        LabelHost* host = HostOf(tabs.currentWidget());
        if (!host) {
            QMessageBox::information(&window, window.windowTitle(), "This page has no label to save.");
            return;
        }
        const QString name = QFileDialog::getSaveFileName(&window, "Save as", host->LabelTitle() + ".eti",
                                                          "Binary label (*.eti);;JSON label (*.json)");
        if (!name.isEmpty())
            SaveLabel(&window, host->Document(), name);
    });
    file->addAction("&Print page to PDF...", &window, [&window, &tabs] {
        auto* page = dynamic_cast<ElementsPage*>(PageOf(tabs.currentWidget()));
        if (!page) {
            QMessageBox::information(&window, window.windowTitle(), "This page has no elements to print.");
            return;
        }
        const QString name = QFileDialog::getSaveFileName(&window, "Print to PDF", page->Title() + ".pdf", "PDF (*.pdf)");
        if (!name.isEmpty() && !page->PrintToPdf(name))
            QMessageBox::warning(&window, window.windowTitle(), "Could not write " + name);
    });
    file->addAction("&Export page...", &window, [&window, &tabs] {
        LabelHost* host = HostOf(tabs.currentWidget());
        if (!host) {
            QMessageBox::information(&window, window.windowTitle(), "This page has no label to export.");
            return;
        }
        const QString name = QFileDialog::getSaveFileName(
            &window, "Export", host->LabelTitle() + ".png",
            "PNG (*.png);;PDF (*.pdf);;XPS (*.xps);;BMP (*.bmp);;GIF (*.gif);;JPEG (*.jpg)");
        if (name.isEmpty())
            return;
        // The export runs on its own thread: the window stays usable meanwhile.
        window.statusBar()->showMessage("Exporting " + name + "...");
        QPointer<QWidget> page(PageOf(tabs.currentWidget()));
        StartExport(host->Document(), name, [&window, page, host, name](const QString& error, const QString& refused) {
            window.statusBar()->showMessage(error.isEmpty() ? "Exported " + name : QString(), 5000);
            const QString report = error.isEmpty() ? "Exported " + name + (refused.isEmpty() ? "" : "\n" + refused)
                                                   : "Could not export " + name + ":\n" + error;
            if (page)
                host->ShowReport(report);
            if (!error.isEmpty() || !refused.isEmpty())
                QMessageBox::warning(&window, "Export", report);
        });
    });
    file->addAction("P&rint...", &window, [&window, &tabs] {
        LabelHost* host = HostOf(tabs.currentWidget());
        if (!host) {
            QMessageBox::information(&window, window.windowTitle(), "This page has no label to print.");
            return;
        }
        const QStringList printers = Printer().Names();
        if (printers.isEmpty()) {
            QMessageBox::information(&window, "Print", "No printer is installed on this machine.");
            return;
        }
        bool ok = false;
        const QString chosen = QInputDialog::getItem(&window, "Print", "Printer", printers, 0, false, &ok);
        if (!ok)
            return;
        TVXLabelFMX& document = host->Document();
        document.GetPrintInfo().SetPrinterIndex(int32_t(printers.indexOf(chosen)));
        QString report;
        try {
            const bool printed = document.Print();
            report = document.GetPrintReport().Text();
            if (!printed && report.isEmpty())
                report = "Nothing was printed.";
        } catch (const std::exception& e) {
            report = QString("Could not print:\n%1").arg(e.what());
        }
        host->ShowReport("Printed on " + chosen + ":\n" + report);
        QMessageBox::information(&window, "Print", report);
    });
    file->addAction("Pre&view...", &window, [&window, &tabs] {
        LabelHost* host = HostOf(tabs.currentWidget());
        if (!host) {
            QMessageBox::information(&window, window.windowTitle(), "This page has no label to preview.");
            return;
        }
        host->Document().Preview();
    });
    file->addAction("&Quit", &window, &QWidget::close);
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

    QMainWindow window;
    auto* tabs = new QTabWidget;
    auto* labelling = new LabellingPage;
    tabs->addTab(labelling, "Labelling");
    tabs->addTab(new EditorPage, "Editor");
    for (ShowcasePage* page : MakePages())
        tabs->addTab(Scrolled(page), page->Title());
    // The labelling page starts with a sample sheet bound to its data.
    const TLabellingSample sample = WriteLabellingSample(QDir::temp().filePath("kvr-demo-labelling"));
    QString error;
    if (cli.isSet(open)) {
        if (!OpenLabel(nullptr, *labelling, cli.value(open)))
            return 1;
    } else if (!sample.LabelFile.isEmpty() && !labelling->OpenLabel(sample.LabelFile, error)) {
        std::fprintf(stderr, "The sample label cannot be opened: %s\n", qPrintable(error));
    }
    // What the command line saves and exports: the opened label, else the last element page.
    LabelHost* target = nullptr;
    if (cli.isSet(open))
        target = labelling;
    else
        for (int i = tabs->count() - 1; i >= 0 && !target; --i)
            if (auto* page = dynamic_cast<ElementsPage*>(PageOf(tabs->widget(i))))
                target = page;
    if (cli.isSet(saveAs) && !SaveLabel(nullptr, target->Document(), cli.value(saveAs)))
        return 1;
    if (cli.isSet(exportTo)) {
        QEventLoop loop;
        QString failure;
        bool done = false;
        StartExport(target->Document(), cli.value(exportTo), [&](const QString& error, const QString& refused) {
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
            return 1;
        }
        std::printf("%s\n", qPrintable(cli.value(exportTo)));
    }
    window.setCentralWidget(tabs);
    AddPrintMenu(window, *tabs);
    AddDialogsMenu(window, [tabs] { return HostOf(tabs->currentWidget()); });
    window.resize(1000, 800);
    window.setWindowTitle("Zorvel components - demo");
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
