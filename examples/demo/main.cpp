#include "examples/demo/ContextPage.h"
#include "examples/demo/ElementsPage.h"
#include "examples/demo/FlowDemo.h"
#include "examples/demo/ImportDemo.h"
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
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>
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
        QWidget* page = tabs.widget(i);
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

// A new page showing the label file; null (with the reason told) when it cannot be read.
ElementsPage* OpenLabel(QWidget* parent, const QString& name)
{
    auto* page = new ElementsPage(QFileInfo(name).fileName(), nullptr);
    QString error;
    try {
        if (!page->Document().LoadFromFile(name))
            error = "Only .eti and .json label files can be opened.";
    } catch (const std::exception& e) {
        error = e.what();
    }
    if (error.isEmpty())
        return page;
    delete page;
    if (parent)
        QMessageBox::warning(parent, "Open", QString("Could not open %1:\n%2").arg(name, error));
    else
        std::fprintf(stderr, "Could not open %s: %s\n", qPrintable(name), qPrintable(error));
    return nullptr;
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

// Starts the export of the label's page; aDone hears the outcome on this thread.
bool StartExport(TVXLabelFMX& document, const QString& name, std::function<void(const QString&)> aDone)
{
    const int kind = ExportKindOf(name);
    if (kind < 0) {
        aDone("Export writes .pdf, .xps, .png, .bmp, .gif or .jpg files.");
        return false;
    }
    document.OnExportDone = [aDone](QObject*, const TKVRExportResult& r) {
        QString text = r.Ok() ? QString() : r.Error;
        if (r.Ok() && !r.Refused.isEmpty())
            text = "Written, but these codes were refused:\n" + r.Refused.join('\n');
        aDone(text);
    };
    return document.ExportDoc(TKVRExport(kind), name, 0, 1.0f, 90, true, false, false);
}

void AddPrintMenu(QMainWindow& window, QTabWidget& tabs)
{
    QMenu* file = window.menuBar()->addMenu("&File");
    file->addAction("&Open...", &window, [&window, &tabs] {
        const QString name = QFileDialog::getOpenFileName(&window, "Open", QString(), "Labels (*.eti *.json)");
        if (name.isEmpty())
            return;
        if (ElementsPage* page = OpenLabel(&window, name))
            tabs.setCurrentIndex(tabs.addTab(page, page->Title()));
    });
    file->addAction("Save &as...", &window, [&window, &tabs] {
        auto* page = dynamic_cast<ElementsPage*>(tabs.currentWidget());
        if (!page) {
            QMessageBox::information(&window, window.windowTitle(), "This page has no label to save.");
            return;
        }
        const QString name = QFileDialog::getSaveFileName(&window, "Save as", page->Title() + ".eti",
                                                          "Binary label (*.eti);;JSON label (*.json)");
        if (!name.isEmpty())
            SaveLabel(&window, page->Document(), name);
    });
    file->addAction("&Print page to PDF...", &window, [&window, &tabs] {
        auto* page = dynamic_cast<ElementsPage*>(tabs.currentWidget());
        if (!page) {
            QMessageBox::information(&window, window.windowTitle(), "This page has no elements to print.");
            return;
        }
        const QString name = QFileDialog::getSaveFileName(&window, "Print to PDF", page->Title() + ".pdf", "PDF (*.pdf)");
        if (!name.isEmpty() && !page->PrintToPdf(name))
            QMessageBox::warning(&window, window.windowTitle(), "Could not write " + name);
    });
    file->addAction("&Export page...", &window, [&window, &tabs] {
        auto* page = dynamic_cast<ElementsPage*>(tabs.currentWidget());
        if (!page) {
            QMessageBox::information(&window, window.windowTitle(), "This page has no label to export.");
            return;
        }
        const QString name = QFileDialog::getSaveFileName(
            &window, "Export", page->Title() + ".png",
            "PNG (*.png);;PDF (*.pdf);;XPS (*.xps);;BMP (*.bmp);;GIF (*.gif);;JPEG (*.jpg)");
        if (name.isEmpty())
            return;
        // The export runs on its own thread: the window stays usable meanwhile.
        window.statusBar()->showMessage("Exporting " + name + "...");
        StartExport(page->Document(), name, [&window, name](const QString& error) {
            window.statusBar()->showMessage(error.isEmpty() ? "Exported " + name : QString(), 5000);
            if (!error.isEmpty())
                QMessageBox::warning(&window, "Export", error);
        });
    });
    file->addAction("P&rint...", &window, [&window, &tabs] {
        auto* page = dynamic_cast<ElementsPage*>(tabs.currentWidget());
        if (!page) {
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
        TVXLabelFMX& document = page->Document();
        document.GetPrintInfo().SetPrinterIndex(int32_t(printers.indexOf(chosen)));
        try {
            const bool printed = document.Print();
            const QString report = document.GetPrintReport().Text();
            if (!printed || !report.isEmpty())
                QMessageBox::information(&window, "Print", report.isEmpty() ? "Nothing was printed." : report);
        } catch (const std::exception& e) {
            QMessageBox::warning(&window, "Print", QString("Could not print:\n%1").arg(e.what()));
        }
    });
    file->addAction("&Quit", &window, &QWidget::close);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zorvel demo");
    InitializeKVRFMXTypes();

    QCommandLineParser cli;
    cli.addHelpOption();
    QCommandLineOption snapshot("snapshot", "Paint every page into PNG (and PDF) files in <folder> and quit.", "folder");
    cli.addOption(snapshot);
    QCommandLineOption open("open", "Open the label file <file> (.eti or .json) in a page of its own.", "file");
    cli.addOption(open);
    QCommandLineOption saveAs("save-as", "Save the last element page's label as <file> (.eti or .json).", "file");
    cli.addOption(saveAs);
    QCommandLineOption exportTo("export", "Export the last element page as <file> (.pdf .xps .png .bmp .gif .jpg).",
                                "file");
    cli.addOption(exportTo);
    cli.process(app);

    QMainWindow window;
    auto* tabs = new QTabWidget;
    for (ShowcasePage* page : MakePages())
        tabs->addTab(page, page->Title());
    if (cli.isSet(saveAs)) {
        for (int i = tabs->count() - 1; i >= 0; --i)
            if (auto* page = dynamic_cast<ElementsPage*>(tabs->widget(i))) {
                if (!SaveLabel(nullptr, page->Document(), cli.value(saveAs)))
                    return 1;
                break;
            }
    }
    if (cli.isSet(exportTo)) {
        for (int i = tabs->count() - 1; i >= 0; --i)
            if (auto* page = dynamic_cast<ElementsPage*>(tabs->widget(i))) {
                QEventLoop loop;
                QString error;
                bool done = false;
                StartExport(page->Document(), cli.value(exportTo), [&](const QString& e) {
                    error = e;
                    done = true;
                    loop.quit();
                });
                if (!done)
                    loop.exec();
                if (!error.isEmpty()) {
                    std::fprintf(stderr, "%s\n", qPrintable(error));
                    return 1;
                }
                std::printf("%s\n", qPrintable(cli.value(exportTo)));
                break;
            }
    }
    if (cli.isSet(open)) {
        ElementsPage* page = OpenLabel(nullptr, cli.value(open));
        if (!page)
            return 1;
        tabs->addTab(page, page->Title());
    }
    window.setCentralWidget(tabs);
    AddPrintMenu(window, *tabs);
    window.resize(1000, 800);
    window.setWindowTitle("Zorvel components - demo");
    window.show();

    const bool offscreen = QGuiApplication::platformName() == "offscreen";
    if (cli.isSet(snapshot) || offscreen)
        return SaveSnapshots(*tabs, cli.isSet(snapshot) ? cli.value(snapshot) : QString("demo-out"));
    return app.exec();
}
