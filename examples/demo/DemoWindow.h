#pragma once
// The demo's main window: the labelling page, the editor page and the
// showcase pages in tabs, the File menu that makes, opens, saves, prints and
// exports the label of the page in front, and the Dialogs menu.
#include "platform/rtl/label/TKVRBaseLabel.h"
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
    // The Save as dialog until a name is settled: the name the label is
    // written under, a file it would replace only once the user agreed;
    // empty when the dialog is cancelled.
    QString AskSaveName(const LabelHost& aHost);

    QTabWidget* fTabs;
    LabellingPage* fLabelling;
    EditorPage* fEditor;
};

// The page a tab shows, inside its scroll area or not.
QWidget* DemoPageOf(QWidget* aTab);

// The name a label is written under: a name whose extension says a label
// format (".json", ".eti", in any case) keeps it, since Open reads by it;
// any other takes aFormat's extension.
QString LabelFileName(const QString& aName, TKVRExt aFormat);

// Writes the label under LabelFileName(aName, aFormat) in the format that
// name says. The name written, empty when it could not be (told in a
// message box, or on stderr without aParent).
QString SaveLabel(QWidget* aParent, TVXLabelFMX& aDocument, const QString& aName, TKVRExt aFormat = KVRExt::Binary);

// Binds the CSV file to the label as linked data, one label per record;
// raises when the file cannot be read.
void BindData(TVXLabelFMX& aDocument, const QString& aCsvFile);

// Starts the export of the label's page; aDone hears on this thread why it
// failed (empty when the file was written) and which codes were refused.
bool StartExport(TVXLabelFMX& aDocument, const QString& aName,
                 std::function<void(const QString& aError, const QString& aRefused)> aDone);
