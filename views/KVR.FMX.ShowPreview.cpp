#include "views/KVR.FMX.ShowPreview.h"
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.h"
#include "platform/fmx/TPrinter.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "views/KVR.FMX.Preview.h"
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The tool bar's pictures, drawn at 24 x 24: a bar and a triangle for the
// page moves, a sheet, a sheet with arrows, a printer, a cross.
QIcon Picture(const QString& aName)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x30, 0x50, 0x80), 2));
    p.setBrush(QColor(0x30, 0x50, 0x80));
    const auto Triangle = [&](bool aRight, int aX) {
        QPainterPath path;
        path.moveTo(aRight ? aX : aX + 8, 5);
        path.lineTo(aRight ? aX + 8 : aX, 12);
        path.lineTo(aRight ? aX : aX + 8, 19);
        path.closeSubpath();
        p.drawPath(path);
    };
    if (aName == QLatin1String("page_first")) {
        p.drawLine(6, 5, 6, 19);
        Triangle(false, 9);
    } else if (aName == QLatin1String("page_prev")) {
        Triangle(false, 8);
    } else if (aName == QLatin1String("page_next")) {
        Triangle(true, 8);
    } else if (aName == QLatin1String("page_last")) {
        Triangle(true, 7);
        p.drawLine(18, 5, 18, 19);
    } else if (aName == QLatin1String("close")) {
        p.setPen(QPen(QColor(0xB0, 0x30, 0x30), 3));
        p.drawLine(6, 6, 18, 18);
        p.drawLine(18, 6, 6, 18);
    } else if (aName == QLatin1String("print")) {
        p.setBrush(Qt::white);
        p.drawRect(7, 3, 10, 7);
        p.setBrush(QColor(0x30, 0x50, 0x80));
        p.drawRect(3, 10, 18, 8);
        p.setBrush(Qt::white);
        p.drawRect(7, 15, 10, 6);
    } else {
        p.setBrush(Qt::white);
        p.drawRect(aName == QLatin1String("page_width") ? QRect(2, 6, 20, 15) : QRect(6, 2, 12, 20));
        if (aName == QLatin1String("page_width")) {
            p.drawLine(5, 12, 19, 12);
            p.drawLine(5, 12, 8, 9);
            p.drawLine(19, 12, 16, 9);
        }
    }
    return QIcon(pixmap);
}

QToolButton* ToolButton(QWidget* aParent, const char* aName, const QString& aPicture)
{
    auto* b = new QToolButton(aParent);
    b->setObjectName(QLatin1String(aName));
    b->setIcon(Picture(aPicture));
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    return b;
}

struct TExportItem
{
    const char* Name;
    const char* Text;
    TKVRExport Kind;
    const char* Extension;
    const char* Filter;
};

constexpr TExportItem kExportItems[] = {
    {"menuExportPDF", "PDF", KVRExportKind::Pdf, "pdf", "PDF Files (*.pdf)"},
    {"menuExportBMP", "BMP", KVRExportKind::Bmp, "bmp", "BMP images (*.bmp)"},
    {"menuExportGIF", "GIF", KVRExportKind::Gif, "gif", "GIF images (*.gif)"},
    {"menuExportPNG", "PNG", KVRExportKind::Png, "png", "PNG images (*.png)"},
    {"menuExportJPEG", "JPEG", KVRExportKind::Jpeg, "jpg", "JPG images (*.jpg)"},
};

}  // namespace

TfPreview::TfPreview(QWidget* aParent) : QDialog(aParent)
{
    setObjectName(QStringLiteral("fPreview"));
    resize(960, 740);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    panTop = new QWidget(this);
    panTop->setObjectName(QStringLiteral("panTop"));
    auto* bar = new QHBoxLayout(panTop);
    bar->setContentsMargins(6, 4, 6, 4);
    butFirst = ToolButton(panTop, "butFirst", QStringLiteral("page_first"));
    butPrior = ToolButton(panTop, "butPrior", QStringLiteral("page_prev"));
    edNumPage = new QLineEdit(panTop);
    edNumPage->setObjectName(QStringLiteral("edNumPage"));
    edNumPage->setAlignment(Qt::AlignCenter);
    edNumPage->setReadOnly(true);  // the buttons move between pages; typing goes nowhere
    edNumPage->setFixedWidth(90);
    edNumPage->setStyleSheet(QStringLiteral("color: #0080C0"));
    butNext = ToolButton(panTop, "butNext", QStringLiteral("page_next"));
    butLast = ToolButton(panTop, "butLast", QStringLiteral("page_last"));
    sbPageFull = ToolButton(panTop, "sbPageFull", QStringLiteral("page_full"));
    sbPageWidth = ToolButton(panTop, "sbPageWidth", QStringLiteral("page_width"));
    for (QToolButton* b : {sbPageFull, sbPageWidth})
        b->setCheckable(true);
    sbPageFull->setAutoExclusive(true);
    sbPageWidth->setAutoExclusive(true);
    sbPrint = ToolButton(panTop, "sbPrint", QStringLiteral("print"));
    ckFit = new QCheckBox(panTop);
    ckFit->setObjectName(QStringLiteral("ckFit"));
    ckTransparent = new QCheckBox(panTop);
    ckTransparent->setObjectName(QStringLiteral("ckTransparent"));
    sfScale = new QDoubleSpinBox(panTop);
    sfScale->setObjectName(QStringLiteral("sfScale"));
    sfScale->setRange(0.2, 5.0);
    sfScale->setSingleStep(0.05);
    sfScale->setDecimals(2);
    seQuality = new QSpinBox(panTop);
    seQuality->setObjectName(QStringLiteral("seQuality"));
    seQuality->setRange(10, 100);
    butExport = new QPushButton(panTop);
    butExport->setObjectName(QStringLiteral("butExport"));
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    for (const TExportItem& item : kExportItems) {
        QAction* action = PopupMenu->addAction(QLatin1String(item.Text));
        action->setObjectName(QLatin1String(item.Name));
        const TKVRExport kind = item.Kind;
        connect(action, &QAction::triggered, this, [this, kind] { ExportAs(kind); });
    }
    butClose = ToolButton(panTop, "butClose", QStringLiteral("close"));
    for (QWidget* w : std::initializer_list<QWidget*>{butFirst, butPrior, edNumPage, butNext, butLast, sbPageFull,
                                                      sbPageWidth, sbPrint})
        bar->addWidget(w);
    bar->addSpacing(16);
    for (QWidget* w : std::initializer_list<QWidget*>{ckFit, ckTransparent, sfScale, seQuality, butExport})
        bar->addWidget(w);
    bar->addStretch(1);
    bar->addWidget(butClose);
    panTop->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(panTop);
    SaveDialog = new QFileDialog(this);
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
    SaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog->setOption(QFileDialog::DontUseNativeDialog);

    connect(butFirst, &QToolButton::clicked, this, &TfPreview::butFirstClick);
    connect(butPrior, &QToolButton::clicked, this, &TfPreview::butPriorClick);
    connect(butNext, &QToolButton::clicked, this, &TfPreview::butNextClick);
    connect(butLast, &QToolButton::clicked, this, &TfPreview::butLastClick);
    connect(butClose, &QToolButton::clicked, this, &TfPreview::butCloseClick);
    connect(butExport, &QPushButton::clicked, this, &TfPreview::butExportClick);
    connect(sbPageFull, &QToolButton::clicked, this, &TfPreview::sbPageFullClick);
    connect(sbPageWidth, &QToolButton::clicked, this, &TfPreview::sbPageWidthClick);
    connect(sbPrint, &QToolButton::clicked, this, &TfPreview::sbPrintClick);
    CheckNavigation();
}

TfPreview::~TfPreview()
{
    DropCopies();
}

void TfPreview::done(int aResult)
{
    DropCopies();
    QDialog::done(aResult);
}

void TfPreview::DropCopies()
{
    if (fLabel)
        fLabel->Clear(KVRClear::Copies, true);
}

void TfPreview::Ini(TVXLabelFMX* aLabel)
{
    fLabel = aLabel;
    setWindowTitle(QStringLiteral("    ") + aLabel->GetMeasure().LabelName);
    aLabel->CheckPrintData();
    // The fit layout paints the elements as they stand, not the sheet's
    // records: with data it is off, but in its place, so every label's
    // window shows the same controls.
    const bool fit = !aLabel->GetPrintInfo().GetWithData() && !aLabel->GetData().ListValues &&
                     !aLabel->GetData().AskValues;
    ckFit->setEnabled(fit);
    if (!fit)
        ckFit->setChecked(false);
    sfScale->setToolTip(TKVRMsg::GetDialogsValue(QStringLiteral("ScaleExp")));
    ckFit->setToolTip(TKVRMsg::GetDialogsValue(QStringLiteral("FitExp")));
    ckFit->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Fit")));
    seQuality->setToolTip(TKVRMsg::GetDialogsValue(QStringLiteral("Quality")));
    ckTransparent->setToolTip(TKVRMsg::GetDialogsValue(QStringLiteral("Transparent")));
    ckTransparent->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Transparent")));
    butExport->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Export")) + QStringLiteral(" \u25BC"));
    delete fPrev;
    fPrev = new TKVRPreview(this);
    fPrev->setObjectName(QStringLiteral("fPrev"));
    static_cast<QVBoxLayout*>(layout())->addWidget(fPrev, 1);
    fPrev->SetLabel(aLabel);
    sfScale->setValue(1.0);
    seQuality->setValue(100);
    sbPageFull->setChecked(true);
    butFirstClick();
}

void TfPreview::GoTo(int32_t aPage)
{
    if (!fLabel)
        return;
    fLabel->GoToPage(aPage, true, true);
    if (fPrev)
        fPrev->Redraw();
    CheckNavigation();
}

void TfPreview::butFirstClick()
{
    GoTo(1);
}

void TfPreview::butPriorClick()
{
    if (fLabel)
        GoTo(fLabel->GetPrintInfo().GetCurPage() - 1);
}

void TfPreview::butNextClick()
{
    if (fLabel)
        GoTo(fLabel->GetPrintInfo().GetCurPage() + 1);
}

void TfPreview::butLastClick()
{
    if (fLabel)
        GoTo(fLabel->GetPrintInfo().GetNumPages());
}

void TfPreview::CheckNavigation()
{
    const int32_t count = fLabel ? fLabel->GetPrintInfo().GetNumPages() : 0;
    const int32_t current = count > 0 ? fLabel->GetPrintInfo().GetCurPage() : 0;
    butFirst->setEnabled(current > 1);
    butPrior->setEnabled(current > 1);
    butNext->setEnabled(current < count);
    butLast->setEnabled(current < count);
    edNumPage->setText(QStringLiteral("%1 / %2").arg(current).arg(count));
    // No page: nothing to print or export.
    sbPrint->setEnabled(count > 0);
    butExport->setEnabled(count > 0);
}

void TfPreview::sbPageFullClick()
{
    sbPageFull->setChecked(true);
    if (fPrev)
        fPrev->SetViewType(0);
}

void TfPreview::sbPageWidthClick()
{
    sbPageWidth->setChecked(true);
    if (fPrev)
        fPrev->SetViewType(1);
}

void TfPreview::butExportClick()
{
    PopupMenu->popup(butExport->mapToGlobal(QPoint(0, butExport->height())));
}

void TfPreview::ExportAs(uint8_t aKind)
{
    if (!fLabel)
        return;
    for (const TExportItem& item : kExportItems) {
        if (item.Kind != aKind)
            continue;
        SaveDialog->setDefaultSuffix(QLatin1String(item.Extension));
        SaveDialog->setNameFilter(QLatin1String(item.Filter));
    }
    if (ExecDialog(*SaveDialog) != QDialog::Accepted || SaveDialog->selectedFiles().isEmpty())
        return;
    const QString file = SaveDialog->selectedFiles().constFirst();
    // The window hears of the job's end only while it is open.
    QPointer<TfPreview> self(this);
    fLabel->ExportDoc(aKind, file, fLabel->GetPrintInfo().GetCurPage(), float(sfScale->value()),
                      int16_t(seQuality->value()), false, ckTransparent->isChecked(),
                      !ckFit->isHidden() && ckFit->isChecked(), [self](const TKVRExportResult& aResult) {
                          if (self)
                              self->ExportDone(aResult);
                      });
}

void TfPreview::ExportDone(const TKVRExportResult& aResult)
{
    if (!aResult.Ok())
        Tell(aResult.Error);
    else if (!aResult.Refused.isEmpty())
        Tell(QStringLiteral("%1 was written; some codes were refused:\n%2")
                 .arg(aResult.FileName, aResult.Refused.join(QLatin1Char('\n'))));
}

namespace {

// Why the print dialog's choice cannot be printed as chosen; empty when it can.
QString PrintChoiceProblem(QPrinter& aPrinter, int32_t aPages)
{
    if (aPrinter.copyCount() > 1)
        return QStringLiteral("Copies are set in the label's print settings (repetition); nothing was printed.");
    if (aPrinter.pageOrder() == QPrinter::LastPageFirst)
        return QStringLiteral("Pages print from the first to the last; nothing was printed.");
    // The dialog of a CUPS queue hands odd or even pages and reverse order on
    // as job options, under the engine key Qt keeps for them (not public).
    constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    const QStringList options = aPrinter.printEngine()->property(kCupsOptions).toStringList();
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
        const QString& key = options[i];
        const QString& value = options[i + 1];
        if (key == QLatin1String("page-set") && value != QLatin1String("all"))
            return QStringLiteral("Only all pages of a range can be printed, not a page set; nothing was printed.");
        if (key == QLatin1String("outputorder") && value == QLatin1String("reverse"))
            return QStringLiteral("Pages print from the first to the last; nothing was printed.");
    }
    if (aPrinter.printRange() != QPrinter::PageRange)
        return QString();
    if (aPrinter.pageRanges().toRangeList().size() > 1)
        return QStringLiteral("Only one range of pages can be printed at a time; nothing was printed.");
    if (aPrinter.fromPage() < 1 || aPrinter.toPage() < aPrinter.fromPage() || aPrinter.toPage() > aPages)
        return QStringLiteral("Pages %1 to %2 are not in the run of %3 pages; nothing was printed.")
            .arg(aPrinter.fromPage())
            .arg(aPrinter.toPage())
            .arg(aPages);
    return QString();
}

}  // namespace

void TfPreview::sbPrintClick()
{
    if (!fLabel)
        return;
    const int32_t pages = fLabel->GetPrintInfo().GetNumPages();
    // The platform's printer object, whose list the print job prints on.
    const QStringList names = Printer().Names();
    // The dialog opens on the printer the document prints on; one Qt does
    // not list (a file device) stays chosen unless the user picks another.
    const int32_t stored = fLabel->GetPrintInfo().GetPrinterIndex();
    const int32_t current = stored >= 0 && stored < names.size() ? stored : std::max(Printer().GetActivePrinter(), 0);
    QPrinter printer;
    const bool listed = current < names.size() && QPrinterInfo::availablePrinterNames().contains(names[current]);
    printer.setPrinterName(listed ? names[current] : QString());
    QPrintDialog dialog(&printer, this);
    // The paper is the document's; the run prints every page or one range of them.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setMinMax(1, std::max(pages, 1));
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    const int32_t page = std::max(fLabel->GetPrintInfo().GetCurPage(), 1);
    if (names.isEmpty()) {
        Tell(QStringLiteral("No printer is installed: nothing was printed."));
        return;
    }
    // A choice the run cannot honour is refused, never dropped.
    const QString problem = PrintChoiceProblem(printer, pages);
    if (!problem.isEmpty()) {
        Tell(problem);
        return;
    }
    int32_t index = current;
    for (int32_t i = 0; i < names.size(); ++i)
        if (names[i].compare(printer.printerName(), Qt::CaseInsensitive) == 0) {
            index = i;
            break;
        }
    fLabel->GetPrintInfo().SetPrinterIndex(index);
    if (printer.printRange() == QPrinter::PageRange)
        fLabel->GetPrintInfo().SetPageRange(printer.fromPage(), printer.toPage());
    bool complete = false;
    QString error;
    try {
        complete = fLabel->Print();
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    fLabel->GetPrintInfo().SetPageRange(1, 0);
    // What the run did is told also when all went well: the user learns how many labels and pages went out.
    if (!error.isEmpty())
        Tell(error);
    else
        Tell(fLabel->GetPrintReport().Text(), !complete);
    // The run moved the records: back to the page shown, with copies for the preview.
    fLabel->CheckPrintData();
    if (fLabel->GetPrintInfo().GetNumPages() > 0)
        fLabel->GoToPage(std::min(page, fLabel->GetPrintInfo().GetNumPages()), true, false);
    if (fPrev)
        fPrev->Redraw();
    CheckNavigation();
}

void TfPreview::Tell(const QString& aText, bool aProblem)
{
    if (ShowMessage)
        ShowMessage(aText);
    else if (aProblem)
        QMessageBox::warning(this, windowTitle(), aText);
    else
        QMessageBox::information(this, windowTitle(), aText);
}

void TVXLabelFMX::Preview()
{
    TfPreview window;
    window.Ini(this);
    window.exec();
}
