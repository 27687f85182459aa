#include "examples/demo/LabellingPage.h"
#include "document/KVR.FMX.ExportJob.h"
#include "examples/demo/DemoWindow.h"
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

LabellingPage::LabellingPage(QWidget* parent)
    : QWidget(parent), fDocument(std::make_unique<TVXLabelFMX>()), fSummary(new QLabel), fSheet(new QLabel),
      fReport(new QPlainTextEdit)
{
    auto* layout = new QVBoxLayout(this);
    fSummary->setWordWrap(true);
    fSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(fSummary);
    auto* preview = new QPushButton("Preview...");
    preview->setObjectName("butPreview");
    connect(preview, &QPushButton::clicked, this, [this] { fDocument->Preview(); });
    layout->addWidget(preview, 0, Qt::AlignLeft);
    auto* scroll = new QScrollArea;
    scroll->setBackgroundRole(QPalette::Dark);
    scroll->setAlignment(Qt::AlignHCenter);
    scroll->setWidget(fSheet);
    layout->addWidget(scroll, 1);
    fReport->setReadOnly(true);
    fReport->setMaximumHeight(110);
    fReport->setPlaceholderText("Reports of prints and exports appear here.");
    layout->addWidget(fReport);
    ShowSummary();
    fDocument->Attach(this);
}

LabellingPage::~LabellingPage()
{
    fDocument->Detach(this);
}

void LabellingPage::UpdateCtrl(TVXChange aChange, const TVXChangeValue& aValue)
{
    const bool closed = aChange == KVRChange::Update && aValue.Begin == 1;
    if (closed || aChange == KVRChange::Loaded || aChange == KVRChange::Size || aChange == KVRChange::Items ||
        aChange == KVRChange::List || aChange == KVRChange::BackColor || aChange == KVRChange::Units)
        ShowSheet();
}

QString LabellingPage::LabelTitle() const
{
    return fLabelFile.isEmpty() ? QStringLiteral("labelling") : QFileInfo(fLabelFile).completeBaseName();
}

void LabellingPage::SetLabelFile(const QString& aFileName)
{
    fLabelFile = aFileName;
    ShowSummary();
}

void LabellingPage::ShowReport(const QString& aReport)
{
    fReport->setPlainText(aReport);
}

bool LabellingPage::OpenLabel(const QString& aFileName, QString& aError)
{
    try {
        if (!fDocument->LoadFromFile(aFileName)) {
            aError = "Only .eti and .json label files can be opened.";
            return false;
        }
    } catch (const std::exception& e) {
        aError = e.what();
        return false;
    }
    fLabelFile = aFileName;
    fReport->clear();
    ShowSheet();
    return true;
}

bool LabellingPage::OpenData(const QString& aFileName, QString& aError)
{
    try {
        // A bound file is linked data: one label per record, as the sheet dialog's "Link data" says.
        BindData(*fDocument, aFileName);
    } catch (const std::exception& e) {
        aError = e.what();
        return false;
    }
    fReport->clear();
    ShowSheet();
    return true;
}

void LabellingPage::ShowSummary()
{
    const TKVRMeasure& m = fDocument->GetMeasure();
    const TKVRData& data = fDocument->GetData();
    const QString csv = data.GetCsvFileName();
    QString text = QString("<b>%1</b> &nbsp; %2 &nbsp; sheet of %3 x %4 labels, %5 x %6 mm")
                       .arg(m.LabelName.isEmpty() ? LabelTitle() : m.LabelName.toHtmlEscaped(),
                            fLabelFile.isEmpty() ? QString("(no label file)") : fLabelFile.toHtmlEscaped())
                       .arg(m.GetColumns())
                       .arg(m.GetRows())
                       .arg(double(m.GetWidth()) / 1000.0)
                       .arg(double(m.GetHeight()) / 1000.0);
    text += "<br>Data: " + (csv.isEmpty() ? QString("none bound") : csv.toHtmlEscaped()) +
            QString(", %1 records").arg(data.Records().RecordCount());
    text += "<br><i>File &rsaquo; Open for labelling... loads a label, File &rsaquo; Open data... binds a CSV file; "
            "File &rsaquo; Print... and File &rsaquo; Export page... put the sheet out and report here.</i>";
    fSummary->setText(text);
}

void LabellingPage::ShowSheet()
{
    ShowSummary();
    if (fPainting) {
        fPaintAgain = true;
        return;
    }
    fPainting = true;
    fSheet->setText("Painting the sheet...");
    fSheet->adjustSize();
    const QString file = fScratch.filePath("sheet.png");
    QPointer<LabellingPage> self(this);
    // The export job paints what an export of the first sheet shows, every
    // cell with its own record, on a copy taken now.
    new TExportThread(*fDocument, KVRExportKind::Png, file, 1.0f, false, true, false, 90, 0,
                      [self, file](const TKVRExportResult& aResult) {
                          if (!self)
                              return;
                          self->fPainting = false;
                          if (aResult.Ok()) {
                              self->fSheet->setPixmap(QPixmap(file));
                              if (!aResult.Refused.isEmpty())
                                  self->ShowReport("Codes the symbology refused on this sheet:\n" +
                                                   aResult.Refused.join('\n'));
                          } else {
                              self->fSheet->setText("The sheet cannot be shown:\n" + aResult.Error);
                          }
                          self->fSheet->adjustSize();
                          if (self->fPaintAgain) {
                              self->fPaintAgain = false;
                              self->ShowSheet();
                          }
                      });
}

void LabellingPage::WaitForSheet()
{
    QEventLoop loop;
    while (fPainting)
        loop.processEvents(QEventLoop::WaitForMoreEvents);
}
