#pragma once
// The preview window: the sheet page by page, its view type, printing and
// export of the page shown.
#include "document/KVR.FMX.h"
#include <QDialog>
#include <QPointer>
#include <functional>

class QCheckBox;
class QDoubleSpinBox;
class QFileDialog;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class QToolButton;
class QWidget;
class TKVRPreview;
struct TKVRExportResult;

class TfPreview : public QDialog
{
    Q_OBJECT

public:
    explicit TfPreview(QWidget* aParent = nullptr);
    ~TfPreview() override;

    // Takes the label: prepares its per-cell copies and shows its first page.
    void Ini(TVXLabelFMX* aLabel);

    // Modal dialogs and messages go through these, so tests can answer them.
    std::function<int(QDialog&)> ExecDialog = [](QDialog& aDialog) { return aDialog.exec(); };
    std::function<void(const QString& aText)> ShowMessage;

    QWidget* panTop = nullptr;
    QToolButton *butFirst = nullptr, *butPrior = nullptr, *butNext = nullptr, *butLast = nullptr;
    QLineEdit* edNumPage = nullptr;
    QCheckBox* ckFit = nullptr;
    QCheckBox* ckTransparent = nullptr;
    QDoubleSpinBox* sfScale = nullptr;
    QSpinBox* seQuality = nullptr;
    QToolButton* butClose = nullptr;
    QPushButton* butExport = nullptr;
    QMenu* PopupMenu = nullptr;
    QToolButton *sbPageFull = nullptr, *sbPageWidth = nullptr, *sbPrint = nullptr;
    QFileDialog* SaveDialog = nullptr;

    QPointer<TVXLabelFMX> fLabel;  // not owned; a label that goes first is forgotten
    TKVRPreview* fPrev = nullptr;

    void butFirstClick();
    void butPriorClick();
    void butNextClick();
    void butLastClick();
    void butCloseClick() { close(); }
    void butExportClick();
    void sbPageFullClick();
    void sbPageWidthClick();
    void sbPrintClick();
    // Exports the page shown as aKind (TKVRExport) through the save dialog.
    void ExportAs(uint8_t aKind);
    void CheckNavigation();
    // Closing ends the run: its per-cell copies leave the label.
    void done(int aResult) override;

private:
    void DropCopies();
    void GoTo(int32_t aPage);
    void ExportDone(const TKVRExportResult& aResult);
    void Tell(const QString& aText, bool aProblem = true);
};
