#include "examples/demo/DemoWindow.h"
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.h"
#include "examples/demo/ContextPage.h"
#include "examples/demo/DialogsMenu.h"
#include "examples/demo/EditorPage.h"
#include "examples/demo/ElementsPage.h"
#include "examples/demo/FlowDemo.h"
#include "examples/demo/ImportDemo.h"
#include "examples/demo/LabellingPage.h"
#include "examples/demo/LinesPage.h"
#include "examples/demo/RankNutriDemo.h"
#include "examples/demo/ShapesDemo.h"
#include "examples/demo/SymbolsDemo.h"
#include "examples/demo/TablePolyDemo.h"
#include "examples/demo/TextsCodesDemo.h"
#include "platform/fmx/TPrinter.h"
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeySequence>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QScrollArea>
#include <QStatusBar>
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

void Tell(QWidget* aParent, const QString& aTitle, const QString& aText)
{
    if (aParent)
        QMessageBox::warning(aParent, aTitle, aText);
    else
        std::fprintf(stderr, "%s\n", qPrintable(aText));
}

}  // namespace

QWidget* DemoPageOf(QWidget* aTab)
{
    auto* scroll = qobject_cast<QScrollArea*>(aTab);
    return scroll ? scroll->widget() : aTab;
}

QString SaveLabel(QWidget* aParent, TVXLabelFMX& aDocument, QString aName)
{
    if (!aName.endsWith(".json") && !aName.endsWith(".eti"))
        aName += ".eti";
    try {
        if (aDocument.SaveToFile(aName, aName.endsWith(".json") ? KVRExt::Json : KVRExt::Binary))
            return aName;
        Tell(aParent, "Save as", QString("Could not save %1.").arg(aName));
    } catch (const std::exception& e) {
        Tell(aParent, "Save as", QString("Could not save %1:\n%2").arg(aName, e.what()));
    }
    return QString();
}

bool StartExport(TVXLabelFMX& aDocument, const QString& aName,
                 std::function<void(const QString& aError, const QString& aRefused)> aDone)
{
    const int kind = ExportKindOf(aName);
    if (kind < 0) {
        aDone("Export writes .pdf, .xps, .png, .bmp, .gif or .jpg files.", QString());
        return false;
    }
    aDocument.OnExportDone = [aDone](QObject*, const TKVRExportResult& r) {
        aDone(r.Error, r.Refused.isEmpty() ? QString() : "These codes were refused:\n" + r.Refused.join('\n'));
    };
    return aDocument.ExportDoc(TKVRExport(kind), aName, 0, 1.0f, 90, true, false, false);
}

DemoWindow::DemoWindow(QWidget* parent)
    : QMainWindow(parent), fTabs(new QTabWidget), fLabelling(new LabellingPage), fEditor(new EditorPage)
{
    fTabs->addTab(fLabelling, "Labelling");
    fTabs->addTab(fEditor, "Editor");
    for (ShowcasePage* page : MakePages())
        fTabs->addTab(Scrolled(page), page->Title());
    setCentralWidget(fTabs);
    AddFileMenu();
    AddDialogsMenu(*this, [this] { return HostInFront(); });
    resize(1000, 800);
    setWindowTitle("Zorvel components - demo");
}

LabelHost* DemoWindow::HostInFront() const
{
    return dynamic_cast<LabelHost*>(DemoPageOf(fTabs->currentWidget()));
}

void DemoWindow::NewLabel()
{
    fEditor->NewLabel();
    fTabs->setCurrentWidget(fEditor);
    fEditor->Document().EditProperties();
}

bool DemoWindow::OpenLabel(const QString& aFileName, bool aForLabelling, QWidget* aParent)
{
    QString error;
    QWidget* page = aForLabelling ? static_cast<QWidget*>(fLabelling) : static_cast<QWidget*>(fEditor);
    const bool opened =
        aForLabelling ? fLabelling->OpenLabel(aFileName, error) : fEditor->OpenLabel(aFileName, error);
    if (!opened) {
        Tell(aParent, "Open", QString("Could not open %1:\n%2").arg(aFileName, error));
        return false;
    }
    fTabs->setCurrentWidget(page);
    return true;
}

void DemoWindow::AddFileMenu()
{
    QMenu* file = menuBar()->addMenu("&File");
    const auto add = [this, file](const QString& aCaption, const char* aName, QKeySequence aKeys,
                                  std::function<void()> aRun) {
        QAction* action = file->addAction(aCaption, this, std::move(aRun));
        action->setObjectName(QString::fromLatin1(aName));
        action->setShortcut(aKeys);
        return action;
    };
    const auto needHost = [this](const QString& aWhat) {
        LabelHost* host = HostInFront();
        if (!host)
            QMessageBox::information(this, windowTitle(), "This page has no label to " + aWhat + ".");
        return host;
    };
    const auto open = [this](bool aForLabelling) {
        const QString name = QFileDialog::getOpenFileName(this, "Open", QString(), "Labels (*.eti *.json)");
        if (!name.isEmpty())
            OpenLabel(name, aForLabelling, this);
    };
    const auto saveAs = [this](LabelHost& aHost) {
        const QString suggested = aHost.LabelFile().isEmpty() ? aHost.LabelTitle() + ".eti" : aHost.LabelFile();
        const QString name = QFileDialog::getSaveFileName(this, "Save as", suggested,
                                                          "Binary label (*.eti);;JSON label (*.json)");
        if (name.isEmpty())
            return;
        const QString saved = SaveLabel(this, aHost.Document(), name);
        if (!saved.isEmpty())
            aHost.SetLabelFile(saved);
    };

    add("&New", "actNew", QKeySequence::New, [this] { NewLabel(); });
    add("&Open...", "actOpen", QKeySequence::Open, [open] { open(false); });
    add("Open for &labelling...", "actOpenLabelling", QKeySequence(), [open] { open(true); });
    add("Open &data...", "actOpenData", QKeySequence(), [this] {
        // The editor's label takes the data when it is in front, else the labelling page's.
        const bool editor = DemoPageOf(fTabs->currentWidget()) == fEditor;
        const QString name = QFileDialog::getOpenFileName(this, "Open data", QString(), "CSV data (*.csv *.txt)");
        if (name.isEmpty())
            return;
        QString error;
        if (editor) {
            TVXLabelFMX& doc = fEditor->Document();
            try {
                doc.GetData().LoadCsv(name);
                doc.SetLinkData(true);
            } catch (const std::exception& e) {
                error = e.what();
            }
        } else {
            fTabs->setCurrentWidget(fLabelling);
            fLabelling->OpenData(name, error);
        }
        if (!error.isEmpty())
            QMessageBox::warning(this, "Open data", QString("Could not read %1:\n%2").arg(name, error));
    });
    file->addSeparator();
    add("&Save", "actSave", QKeySequence::Save, [needHost, saveAs, this] {
        LabelHost* host = needHost("save");
        if (!host)
            return;
        if (host->LabelFile().isEmpty())
            saveAs(*host);
        else
            SaveLabel(this, host->Document(), host->LabelFile());
    });
    add("Save &as...", "actSaveAs", QKeySequence::SaveAs, [needHost, saveAs] {
        if (LabelHost* host = needHost("save"))
            saveAs(*host);
    });
    file->addSeparator();
    add("Pre&view...", "actPreview", QKeySequence(), [needHost] {
        if (LabelHost* host = needHost("preview"))
            host->Document().Preview();
    });
    add("&Print...", "actPrint", QKeySequence::Print, [this, needHost] {
        LabelHost* host = needHost("print");
        if (!host)
            return;
        const QStringList printers = Printer().Names();
        if (printers.isEmpty()) {
            QMessageBox::information(this, "Print", "No printer is installed on this machine.");
            return;
        }
        bool ok = false;
        const QString chosen = QInputDialog::getItem(this, "Print", "Printer", printers, 0, false, &ok);
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
        QMessageBox::information(this, "Print", report);
    });
    add("Print page to PD&F...", "actPrintPdf", QKeySequence(), [this] {
        auto* page = dynamic_cast<ElementsPage*>(DemoPageOf(fTabs->currentWidget()));
        if (!page) {
            QMessageBox::information(this, windowTitle(), "This page has no elements to print.");
            return;
        }
        const QString name = QFileDialog::getSaveFileName(this, "Print to PDF", page->Title() + ".pdf", "PDF (*.pdf)");
        if (!name.isEmpty() && !page->PrintToPdf(name))
            QMessageBox::warning(this, windowTitle(), "Could not write " + name);
    });
    add("&Export page...", "actExport", QKeySequence(), [this, needHost] {
        LabelHost* host = needHost("export");
        if (!host)
            return;
        const QString name = QFileDialog::getSaveFileName(
            this, "Export", host->LabelTitle() + ".png",
            "PNG (*.png);;PDF (*.pdf);;XPS (*.xps);;BMP (*.bmp);;GIF (*.gif);;JPEG (*.jpg)");
        if (name.isEmpty())
            return;
        // The export runs on its own thread: the window stays usable meanwhile.
        statusBar()->showMessage("Exporting " + name + "...");
        QPointer<QWidget> page(DemoPageOf(fTabs->currentWidget()));
        StartExport(host->Document(), name, [this, page, host, name](const QString& error, const QString& refused) {
            statusBar()->showMessage(error.isEmpty() ? "Exported " + name : QString(), 5000);
            const QString report = error.isEmpty() ? "Exported " + name + (refused.isEmpty() ? "" : "\n" + refused)
                                                   : "Could not export " + name + ":\n" + error;
            if (page)
                host->ShowReport(report);
            if (!error.isEmpty() || !refused.isEmpty())
                QMessageBox::warning(this, "Export", report);
        });
    });
    file->addSeparator();
    add("&Quit", "actQuit", QKeySequence::Quit, [this] { close(); });
}
