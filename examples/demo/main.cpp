#include "examples/demo/ContextPage.h"
#include "examples/demo/LinesPage.h"
#include "render/KVR.FMX.Types.h"
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QMainWindow>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <vector>

namespace {

std::vector<ShowcasePage*> MakePages()
{
    return {new ContextPage, new LinesPage};
}

// Without a screen nobody can look at the window: paint every page into a
// PNG and leave, so the demo never waits for a user who is not there.
int SaveSnapshots(QTabWidget& tabs, const QString& folder)
{
    QDir().mkpath(folder);
    for (int i = 0; i < tabs.count(); ++i) {
        tabs.setCurrentIndex(i);
        QWidget* page = tabs.widget(i);
        const QString file = QDir(folder).filePath(QString("%1-%2.png").arg(i + 1).arg(tabs.tabText(i).toLower()));
        if (!page->grab().save(file)) {
            std::fprintf(stderr, "Could not write %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%s\n", qPrintable(file));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zorvel demo");
    InitializeKVRFMXTypes();

    QCommandLineParser cli;
    cli.addHelpOption();
    QCommandLineOption snapshot("snapshot", "Paint every page into PNG files in <folder> and quit.", "folder");
    cli.addOption(snapshot);
    cli.process(app);

    QMainWindow window;
    auto* tabs = new QTabWidget;
    for (ShowcasePage* page : MakePages())
        tabs->addTab(page, page->Title());
    window.setCentralWidget(tabs);
    window.resize(1000, 760);
    window.setWindowTitle("Zorvel components - demo");

    const bool offscreen = QGuiApplication::platformName() == "offscreen";
    if (cli.isSet(snapshot) || offscreen) {
        window.show();
        return SaveSnapshots(*tabs, cli.isSet(snapshot) ? cli.value(snapshot) : QString("demo-out"));
    }
    window.show();
    return app.exec();
}
