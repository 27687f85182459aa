#pragma once
// The demo's main window: the labelling page, the editor page and the
// showcase pages in tabs, the File menu that makes, opens, saves, prints and
// exports the label of the page in front, and the Dialogs menu.
#include <QMainWindow>
#include <QString>
#include <functional>

class EditorPage;
class LabelHost;
class LabellingPage;
class QTabWidget;
class TVXLabelFMX;

class DemoWindow : public QMainWindow
{
public:
    explicit DemoWindow(QWidget* parent = nullptr);

    QTabWidget& Tabs() { return *fTabs; }
    LabellingPage& Labelling() { return *fLabelling; }
    EditorPage& Editor() { return *fEditor; }
    // The label of the page in front; null for a page without one.
    LabelHost* HostInFront() const;

    // File › New: an empty label on the editor page, its sheet dialog open;
    // nothing when the user keeps the changed label (see MayReplace).
    void NewLabel();
    // Opens the label file on the editor page (or the labelling page); false,
    // with the reason told (a message box, or stderr without aParent), when
    // it cannot be read.
    bool OpenLabel(const QString& aFileName, bool aForLabelling, QWidget* aParent);

    // File › Save (aAskName false: to the label's file, when it has one) and
    // Save as...; true when the label was written.
    bool Save(LabelHost& aHost, bool aAskName);
    // Before the label of aHost is replaced or the demo ends: a label with
    // changes asks Save, Discard or Cancel. True when the road may go on
    // (nothing changed, discarded, or saved).
    bool MayReplace(LabelHost& aHost);

protected:
    void closeEvent(QCloseEvent* aEvent) override;

private:
    void AddFileMenu();

    QTabWidget* fTabs;
    LabellingPage* fLabelling;
    EditorPage* fEditor;
};

// The page a tab shows, inside its scroll area or not.
QWidget* DemoPageOf(QWidget* aTab);

// Label files: ".json" is written as JSON, ".eti" as binary; a name with
// neither takes aExtension (".eti" or ".json") and its format. The name
// written, empty when it could not be (told in a message box, or on stderr
// without aParent).
QString SaveLabel(QWidget* aParent, TVXLabelFMX& aDocument, QString aName, const QString& aExtension = ".eti");

// Binds the CSV file to the label as linked data, one label per record;
// raises when the file cannot be read.
void BindData(TVXLabelFMX& aDocument, const QString& aCsvFile);

// Starts the export of the label's page; aDone hears on this thread why it
// failed (empty when the file was written) and which codes were refused.
bool StartExport(TVXLabelFMX& aDocument, const QString& aName,
                 std::function<void(const QString& aError, const QString& aRefused)> aDone);
