#pragma once
#include "examples/demo/LabelHost.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/label/KVR.Observer.h"
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

class QLabel;
class QPlainTextEdit;

// The labelling road: a label file opened, a CSV file bound to it, the first
// sheet shown with every cell filled from its record (painted by the export
// job, as an export would show it), and the reports of prints and exports.
class LabellingPage : public QWidget, public LabelHost, public IVXObserver
{
public:
    explicit LabellingPage(QWidget* parent = nullptr);
    ~LabellingPage() override;

    TVXLabelFMX& Document() override { return *fDocument; }
    QString LabelTitle() const override;
    QString LabelFile() const override { return fLabelFile; }
    // The summary names the file.
    void SetLabelFile(const QString& aFileName) override;
    void ShowReport(const QString& aReport) override;

    // Each loads into this page and shows the sheet again; false, with the
    // page as it was and the reason in aError, when the file cannot be read.
    bool OpenLabel(const QString& aFileName, QString& aError);
    bool OpenData(const QString& aFileName, QString& aError);

    // Paints the first sheet again; the picture follows when the job ends.
    void ShowSheet();
    // Until the sheet being painted is shown (snapshots, the command line).
    void WaitForSheet();

    // The document changed what prints (a picture added from the Dialogs
    // menu, a new label): the sheet is painted again.
    void UpdateCtrl(TVXChange aChange, const TVXChangeValue& aValue) override;
    uint8_t TypeDest() const override { return 2; }

private:
    void ShowSummary();

    std::unique_ptr<TVXLabelFMX> fDocument;
    QString fLabelFile;
    QLabel* fSummary;
    QLabel* fSheet;
    QPlainTextEdit* fReport;
    QTemporaryDir fScratch;
    bool fPainting = false;
    bool fPaintAgain = false;
};
