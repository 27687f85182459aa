#include "examples/demo/ContextPage.h"
#include "examples/demo/ElementsPage.h"
#include "examples/demo/FlowDemo.h"
#include "examples/demo/LinesPage.h"
#include "examples/demo/RankNutriDemo.h"
#include "examples/demo/ShapesDemo.h"
#include "examples/demo/SymbolsDemo.h"
#include "examples/demo/TablePolyDemo.h"
#include "examples/demo/TextsCodesDemo.h"
#include "render/KVR.FMX.Types.h"
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QTabWidget>
#include <cstdio>
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
            })};
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

void AddPrintMenu(QMainWindow& window, QTabWidget& tabs)
{
    QMenu* file = window.menuBar()->addMenu("&File");
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
    cli.process(app);

    QMainWindow window;
    auto* tabs = new QTabWidget;
    for (ShowcasePage* page : MakePages())
        tabs->addTab(page, page->Title());
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
