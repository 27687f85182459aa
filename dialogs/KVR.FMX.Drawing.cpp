#include "dialogs/KVR.FMX.Drawing.h"
#include "dialogs/KVR.FMX.DialogKit.h"
#include "dialogs/KVR.FMX.Mem.h"
#include "dialogs/KVR.FMX.WholeBox.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <limits>
#include <QTextDocument>

namespace {

template <class T>
T* Named(QWidget* aParent, const char* aName)
{
    auto* w = new T(aParent);
    w->setObjectName(QLatin1String(aName));
    return w;
}

// "#,##0.00 ": thousands grouped by commas, two decimals, a blank before the unit.
QString Area(double aValue)
{
    return QLocale(QLocale::English).toString(aValue, 'f', 2) + QLatin1Char(' ');
}

}  // namespace

TfDrawing::TfDrawing(QWidget* aOwner) : QDialog(aOwner, Qt::Tool)
{
    setObjectName(QStringLiteral("fDrawing"));
    resize(608, 375);
    edName = Named<QLineEdit>(this, "edName");
    edTitle = Named<QLineEdit>(this, "edTitle");
    edAuthor = Named<QLineEdit>(this, "edAuthor");
    edProject = Named<QLineEdit>(this, "edProject");
    edPromoter = Named<QLineEdit>(this, "edPromoter");
    edDate = Named<QLineEdit>(this, "edDate");
    memNote = Named<QPlainTextEdit>(this, "memNote");
    memNote->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    sePaperWidth = new TKVRFloatBox(this, QStringLiteral("sePaperWidth"));
    sePaperHeight = new TKVRFloatBox(this, QStringLiteral("sePaperHeight"));
    for (TKVRFloatBox* box : {sePaperWidth, sePaperHeight})
        box->setSingleStep(0.5);
    labUnitWidth = Named<QLabel>(this, "labUnitWidth");
    labUnitHeight = Named<QLabel>(this, "labUnitHeight");
    // Every scale the document holds (1 : 1 up).
    seScale = new TKVRWholeBox(this, QStringLiteral("seScale"));
    seScale->setRange(1, std::numeric_limits<int32_t>::max());
    labScale = Named<QLabel>(this, "labScale");
    labDrawArea = Named<QLabel>(this, "labDrawArea");
    RaBuVer = Named<QRadioButton>(this, "RaBuVer");
    RaBuHor = Named<QRadioButton>(this, "RaBuHor");
    butOK = Named<QPushButton>(this, "butOK");
    butCancel = Named<QPushButton>(this, "butCancel");

    auto* grid = new QGridLayout(this);
    const std::pair<const char*, QWidget*> rows[] = {{"labName", edName},         {"labTitle", edTitle},
                                                     {"labAuthor", edAuthor},     {"labProject", edProject},
                                                     {"labPromoter", edPromoter}, {"labDate", edDate}};
    int r = 0;
    for (const auto& [name, box] : rows) {
        grid->addWidget(Named<QLabel>(this, name), r, 0);
        grid->addWidget(box, r++, 1, 1, 3);
    }
    grid->addWidget(Named<QLabel>(this, "labNote"), r, 0);
    grid->addWidget(memNote, r++, 1, 1, 3);
    grid->addWidget(Named<QLabel>(this, "labPaperSize"), r++, 0, 1, 4);
    grid->addWidget(Named<QLabel>(this, "labPaperWidth"), r, 0);
    grid->addWidget(sePaperWidth, r, 1);
    grid->addWidget(labUnitWidth, r, 2);
    grid->addWidget(RaBuVer, r++, 3);
    grid->addWidget(Named<QLabel>(this, "labPaperHeight"), r, 0);
    grid->addWidget(sePaperHeight, r, 1);
    grid->addWidget(labUnitHeight, r, 2);
    grid->addWidget(RaBuHor, r++, 3);
    grid->addWidget(labScale, r, 0);
    grid->addWidget(seScale, r, 1);
    grid->addWidget(labDrawArea, r++, 2, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(butOK);
    buttons->addWidget(butCancel);
    grid->addLayout(buttons, r, 0, 1, 4);
    grid->setColumnStretch(1, 1);

    connect(seScale, &TKVRWholeBox::valueChanged, this, &TfDrawing::seScaleChange);
    connect(RaBuVer, &QRadioButton::clicked, this, &TfDrawing::RaBuVerChange);
    connect(RaBuHor, &QRadioButton::clicked, this, &TfDrawing::RaBuVerChange);
    connect(butOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);
    KVRSetDefaultButton(*this, butOK);
}

void TfDrawing::FillLanguage()
{
    const auto prop = [](const char* aKey) { return TKVRMsg::GetPropValue(QLatin1String(aKey)); };
    const auto dlg = [](const char* aKey) { return TKVRMsg::GetDialogsValue(QLatin1String(aKey)); };
    setWindowTitle(QStringLiteral("    ") + prop("Drawing"));
    const std::pair<const char*, QString> captions[] = {
        {"labName", prop("DrawingName")},   {"labTitle", prop("Title")},       {"labAuthor", dlg("Author")},
        {"labProject", dlg("Project")},     {"labPromoter", dlg("Promoter")}, {"labDate", dlg("Date")},
        {"labNote", prop("Note")},          {"labPaperWidth", prop("Width")}, {"labPaperHeight", prop("Height")},
    };
    for (const auto& [name, text] : captions)
        if (auto* label = findChild<QLabel*>(QLatin1String(name)))
            label->setText(text);
    const QString unit = fLabel ? SymUnit(fLabel->GetUnits(), false) : QString();
    findChild<QLabel*>(QStringLiteral("labPaperSize"))->setText(prop("PaperSize") + " (" + unit + ")");
    labUnitWidth->setText(unit);
    labUnitHeight->setText(unit);
    labScale->setText(prop("DrawingScale"));
    RaBuVer->setText(prop("Vertical"));
    RaBuHor->setText(prop("Horizontal"));
    butOK->setText(dlg("Ok"));
    butCancel->setText(dlg("Cancel"));
}

void TfDrawing::Ini(TVXLabelFMX* aLabel)
{
    fLabel = aLabel;
    if (!fLabel)
        return;
    {
        const QScopedValueRollback<bool> intro(fIntro, true);
        FillLanguage();
        const TKVRMeasure& m = fLabel->GetMeasure();
        edName->setText(m.LabelName);
        edAuthor->setText(m.Author);
        edPromoter->setText(m.Promoter);
        edDate->setText(m.Date);
        edTitle->setText(m.Title);
        edProject->setText(m.Project);
        fNote = m.Note;
        memNote->setPlainText(m.Note);
        const double top = double(KVRMaxCoordinate) / double(MicrometresPerUnit(fLabel->GetUnits()));
        sePaperWidth->setRange(0, top);
        sePaperHeight->setRange(0, top);
        sePaperWidth->SetLength(m.GetPaperWidth(), fLabel->GetUnits());
        sePaperHeight->SetLength(m.GetPaperHeight(), fLabel->GetUnits());
        fLandscape = fLabel->GetPrintInfo().GetLandscape();
        (fLandscape ? RaBuHor : RaBuVer)->setChecked(true);
        const bool scaled = fLabel->GetEditorMode() != 1;
        seScale->setVisible(scaled);
        labScale->setVisible(scaled);
        labDrawArea->setVisible(scaled);
        if (scaled)
            seScale->SetExact(m.GetDrawScale());
    }
    ShowDrawArea();
}

void TfDrawing::ShowDrawArea()
{
    if (fIntro || !fLabel || fLabel->GetEditorMode() == 1)
        return;
    const TKVRUnits u = fLabel->GetUnits();
    const double scale = double(seScale->value());
    const double h = fLabel->UnitValue(double(sePaperHeight->Length(u)) * scale);
    const double w = fLabel->UnitValue(double(sePaperWidth->Length(u)) * scale);
    const QString unit = SymUnit(u, false);
    labDrawArea->setText(TKVRMsg::GetDialogsValue(QStringLiteral("DrawingArea")) + ": " + Area(h) + unit + " x " +
                         Area(w) + unit);
}

void TfDrawing::RaBuVerChange()
{
    // Only a real change of orientation turns the paper.
    const bool landscape = RaBuHor->isChecked();
    if (fIntro || !fLabel || landscape == fLandscape)
        return;
    fLandscape = landscape;
    {
        const QScopedValueRollback<bool> intro(fIntro, true);
        const TKVRUnits u = fLabel->GetUnits();
        const int64_t w = sePaperWidth->Length(u);
        sePaperWidth->SetLength(sePaperHeight->Length(u), u);
        sePaperHeight->SetLength(w, u);
    }
    ShowDrawArea();
}

QString TfDrawing::GetNote() const
{
    return KVRWithLineEndsOf(memNote->document()->toRawText(), fNote);
}

void TfDrawing::WriteBack(TVXLabelFMX& aLabel) const
{
    const TKVRUnits u = aLabel.GetUnits();
    TKVRMeasure& m = aLabel.GetMeasure();
    m.SetContinousPaper(true);
    m.LabelName = edName->text();
    aLabel.GetPrintInfo().SetLandscape(!RaBuVer->isChecked());
    m.SetDrawScale(int32_t(seScale->Exact()));
    m.SetPaperWidth(sePaperWidth->Length(u));
    m.SetPaperHeight(sePaperHeight->Length(u));
    m.Title = edTitle->text();
    m.Author = edAuthor->text();
    m.Date = edDate->text();
    m.Promoter = edPromoter->text();
    m.Note = GetNote();
    m.Project = edProject->text();
}
