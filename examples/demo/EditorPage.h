#pragma once
// The editor on a sample drawing (shapes, texts, codes and a picture) with
// its grid, rulers, guides and a selected element, a toolbar of drawing
// actions grouped by family, and the inspector beside it, in a splitter,
// listing the selected element's properties. The toolbar shows the
// document's running action checked (Select when it runs none).
#include "document/KVR.FMX.h"
#include "examples/demo/LabelHost.h"
#include "platform/rtl/label/KVR.Observer.h"
#include <QWidget>
#include <memory>

class QSplitter;
class QToolBar;
class QToolButton;
class TKVREditor;
class TKVRInspector;

class EditorPage : public QWidget, public LabelHost, public IVXObserver
{
public:
    explicit EditorPage(QWidget* parent = nullptr);
    ~EditorPage() override;
    TVXLabelFMX& Document() override { return *fDocument; }
    QString LabelTitle() const override;
    QString LabelFile() const override { return fLabelFile; }
    void SetLabelFile(const QString& aFileName) override { fLabelFile = aFileName; }
    TKVREditor& Editor() { return *fEditor; }
    TKVRInspector& Inspector() { return *fInspector; }
    QToolBar& Tools() { return *fTools; }
    QSplitter& Splitter() { return *fSplitter; }

    // An empty label in place of the one shown; the editor and the inspector
    // follow it.
    void NewLabel();
    // Loads the label file into this page; false, with the page as it was
    // and the reason in aError, when it cannot be read.
    bool OpenLabel(const QString& aFileName, QString& aError);

    // The action may change by any road (a tool, Esc, the right button, a
    // drawing finished, an undo): the toolbar follows.
    void UpdateCtrl(TVXChange aChange, const TVXChangeValue& aValue) override;
    uint8_t TypeDest() const override { return 0; }

private:
    // Checks the tool of the running action and its family's button.
    void ShowAction();
    // A fresh document set up as every label of this page is.
    std::unique_ptr<TVXLabelFMX> MakeDocument() const;
    void Show(std::unique_ptr<TVXLabelFMX> aDocument);

    std::unique_ptr<TVXLabelFMX> fDocument;
    QString fLabelFile;
    QString fLibraryFolder;
    TKVREditor* fEditor;
    TKVRInspector* fInspector;
    QToolBar* fTools;
    QList<QAction*> fToolActions;
    QList<QToolButton*> fFamilies;
    QSplitter* fSplitter;
};
