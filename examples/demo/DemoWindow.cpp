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
#include <QCloseEvent>
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

QString LabelFileName(const QString& aName, TKVRExt aFormat)
{
    return KVRExt::OfFileName(aName) ? aName : aName + KVRExt::Extension(aFormat);
}

QString SaveLabel(QWidget* aParent, TVXLabelFMX& aDocument, const QString& aName, TKVRExt aFormat)
{
    const QString name = LabelFileName(aName, aFormat);
    try {
        if (aDocument.SaveToFile(name, *KVRExt::OfFileName(name)))
            return name;
        Tell(aParent, "Save as", QString("Could not save %1.").arg(name));
    } catch (const std::exception& e) {
        Tell(aParent, "Save as", QString("Could not save %1:\n%2").arg(name, e.what()));
    }
    return QString();
}

void BindData(TVXLabelFMX& aDocument, const QString& aCsvFile)
{
    TKVRData& data = aDocument.GetData();
    const QString bound = data.CsvPath(), selected = data.GetDataSel();
    const bool linked = data.LinkData;
    data.LoadCsv(aCsvFile);
    aDocument.SetLinkData(true);
    // The label file names its data: another file, or the link, is a change to keep.
    if (data.CsvPath() != bound || data.GetDataSel() != selected || !linked)
        aDocument.SetModified(true);
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
    if (!MayReplace(*fEditor))
        return;
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

bool DemoWindow::Save(LabelHost& aHost, bool aAskName)
{
    const QString name = aAskName || aHost.LabelFile().isEmpty() ? AskSaveName(aHost) : aHost.LabelFile();
    if (name.isEmpty())
        return false;
    const QString saved = SaveLabel(this, aHost.Document(), name);
    if (saved.isEmpty())
        return false;
    aHost.SetLabelFile(saved);
    return true;
}

QString DemoWindow::AskSaveName(const LabelHost& aHost)
{
    static const QString binary = "Binary label (*.eti)", json = "JSON label (*.json)";
    QString suggested =
        aHost.LabelFile().isEmpty() ? aHost.LabelTitle() + KVRExt::Extension(KVRExt::Binary) : aHost.LabelFile();
    QString type = KVRExt::OfFileName(suggested) == KVRExt::Json ? json : binary;
    for (;;) {
        const QString typed = QFileDialog::getSaveFileName(this, "Save as", suggested, binary + ";;" + json, &type);
        if (typed.isEmpty())
            return QString();
        // The type chosen says the format of a name typed without an extension.
        const QString name = LabelFileName(typed, type == json ? KVRExt::Json : KVRExt::Binary);
        // The dialog asked about the name typed; the file the extension
        // leads to is asked about here, and No goes back to the dialog.
        if (name == typed || !QFileInfo::exists(name) ||
            QMessageBox::warning(this, "Save as",
                                 QString("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(name).fileName()),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes)
            return name;
        suggested = typed;
    }
}

bool DemoWindow::MayReplace(LabelHost& aHost)
{
    if (!aHost.Document().GetModified())
        return true;
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    QString("The label \"%1\" has changes that are not saved.").arg(aHost.LabelTitle()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setInformativeText("Save them before going on?");
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save: return Save(aHost, false);
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

void DemoWindow::closeEvent(QCloseEvent* aEvent)
{
    // Every label that would be lost is asked about; one Cancel keeps the demo open.
    for (LabelHost* host : {static_cast<LabelHost*>(fEditor), static_cast<LabelHost*>(fLabelling)})
        if (!MayReplace(*host)) {
            aEvent->ignore();
            return;
        }
    aEvent->accept();
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
        if (!MayReplace(aForLabelling ? static_cast<LabelHost&>(*fLabelling) : static_cast<LabelHost&>(*fEditor)))
            return;
        const QString name = QFileDialog::getOpenFileName(this, "Open", QString(), "Labels (*.eti *.json)");
        if (!name.isEmpty())
            OpenLabel(name, aForLabelling, this);
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
            try {
                BindData(fEditor->Document(), name);
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
    add("&Save", "actSave", QKeySequence::Save, [needHost, this] {
        if (LabelHost* host = needHost("save"))
            Save(*host, false);
    });
    add("Save &as...", "actSaveAs", QKeySequence::SaveAs, [needHost, this] {
        if (LabelHost* host = needHost("save"))
            Save(*host, true);
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
    // Closing asks about unsaved labels (closeEvent). Platforms without a
    // standard quit key (offscreen, Windows) get the desktops' Ctrl+Q.
    const QKeySequence quit(QKeySequence::Quit);
    add("&Quit", "actQuit", quit.isEmpty() ? QKeySequence(Qt::CTRL | Qt::Key_Q) : quit, [this] { close(); });
}
