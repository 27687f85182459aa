#include "dialogs/KVR.FMX.Labelling.h"
#include "dialogs/KVR.FMX.DialogKit.h"
#include "dialogs/KVR.FMX.EdJson.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "dialogs/KVR.FMX.WholeBox.h"
#include "document/KVR.FMX.h"
#include "platform/fmx/TCanvas.h"
#include "platform/rtl/label/KVR.Papers.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>
#include <exception>
#include <limits>

namespace {

QString Prop(const char* aKey)
{
    return TKVRMsg::GetPropValue(QLatin1String(aKey));
}

QString Dlg(const char* aKey)
{
    return TKVRMsg::GetDialogsValue(QLatin1String(aKey));
}

template <class T>
T* Named(QWidget* aParent, const char* aName)
{
    auto* w = new T(aParent);
    w->setObjectName(QLatin1String(aName));
    return w;
}

TKVRFloatBox* LengthBox(QWidget* aParent, const char* aName)
{
    auto* box = new TKVRFloatBox(aParent, QLatin1String(aName));
    box->setSingleStep(0.1);
    return box;
}

// The document's own bounds: what it holds, a box shows.
TKVRWholeBox* CountBox(QWidget* aParent, const char* aName, int64_t aMin, int64_t aMax)
{
    auto* box = new TKVRWholeBox(aParent, QLatin1String(aName));
    box->setRange(aMin, aMax);
    return box;
}

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();
constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();

}  // namespace

TKVRSheetPicture KVRSheetPicture(double aAreaWidth, double aAreaHeight, double aPaperWidth, double aPaperHeight,
                                 double aLabelWidth, double aLabelHeight, double aMarLeft, double aMarTop,
                                 double aGapX, double aGapY, int aRows, int aColumns, int aFirstRow, int aFirstCol)
{
    TKVRSheetPicture pic;
    // A paper without a side has no picture.
    if (!(aPaperWidth > 0 && aPaperHeight > 0 && aAreaWidth > 0 && aAreaHeight > 0))
        return pic;
    double dw, dh;
    if (aPaperWidth / aPaperHeight <= aAreaWidth / aAreaHeight) {
        dh = aAreaHeight;
        dw = std::nearbyint(aPaperWidth * aAreaHeight / aPaperHeight);
    } else {
        dw = aAreaWidth;
        dh = std::nearbyint(aPaperHeight * aAreaWidth / aPaperWidth);
    }
    const double px = (aAreaWidth - dw) / 2 + 4, py = (aAreaHeight - dh) / 2 + 4;
    pic.Paper = QRectF(px, py, dw, dh);
    const double fx = dw / aPaperWidth, fy = dh / aPaperHeight;
    const double al = aLabelWidth * fx, hl = aLabelHeight * fy;
    const double ml = aMarLeft * fx, gh = aGapX * fx, mt = aMarTop * fy, gv = aGapY * fy;
    pic.FirstPrinted = -1;
    for (int r = 0; r < aRows; ++r)
        for (int c = 0; c < aColumns; ++c) {
            if (pic.FirstPrinted < 0 && r + 1 == aFirstRow && c + 1 == aFirstCol)
                pic.FirstPrinted = int(pic.Cells.size());
            pic.Cells.emplace_back(px + ml + c * (al + gh), py + mt + r * (hl + gv), al, hl);
        }
    if (pic.FirstPrinted < 0)
        pic.FirstPrinted = int(pic.Cells.size());
    return pic;
}

TfLabelling::TfLabelling(QWidget* aOwner) : QDialog(aOwner, Qt::Tool)
{
    setObjectName(QStringLiteral("fLabelling"));
    resize(720, 480);
    PageLab = Named<QTabWidget>(this, "PageLab");
    TabDimension = Named<QWidget>(nullptr, "TabDimension");
    TabPrinting = Named<QWidget>(nullptr, "TabPrinting");
    TabData = Named<QWidget>(nullptr, "TabData");
    PageLab->addTab(TabDimension, QString());
    PageLab->addTab(TabPrinting, QString());
    PageLab->addTab(TabData, QString());

    // Dimensions.
    edName = Named<QLineEdit>(TabDimension, "edName");
    cbPapers = Named<QComboBox>(TabDimension, "cbPapers");
    sePaperWidth = LengthBox(TabDimension, "sePaperWidth");
    sePaperHeight = LengthBox(TabDimension, "sePaperHeight");
    seWidth = LengthBox(TabDimension, "seWidth");
    seHeight = LengthBox(TabDimension, "seHeight");
    seGapX = LengthBox(TabDimension, "seGapX");
    seGapY = LengthBox(TabDimension, "seGapY");
    seMargLeft = LengthBox(TabDimension, "seMargLeft");
    seMargTop = LengthBox(TabDimension, "seMargTop");
    SetLengthRanges();
    seRows = CountBox(TabDimension, "seRows", 1, TKVRMeasure::KVRMaxSheetLabels);
    seColumns = CountBox(TabDimension, "seColumns", 1, TKVRMeasure::KVRMaxSheetLabels);
    RaBuVer = Named<QRadioButton>(TabDimension, "RaBuVer");
    RaBuHor = Named<QRadioButton>(TabDimension, "RaBuHor");
    auto* dim = new QGridLayout(TabDimension);
    const auto row = [](QGridLayout* aGrid, int aRow, const char* aCaption, QWidget* a, QWidget* b = nullptr) {
        auto* label = new QLabel(aGrid->parentWidget());
        label->setObjectName(QLatin1String(aCaption));
        aGrid->addWidget(label, aRow, 0);
        aGrid->addWidget(a, aRow, 1);
        if (b)
            aGrid->addWidget(b, aRow, 2);
    };
    row(dim, 0, "labName", edName);
    row(dim, 1, "labPaperSize", cbPapers);
    row(dim, 2, "labPaperWidth", sePaperWidth, sePaperHeight);
    row(dim, 3, "labLabelSize", seWidth, seHeight);
    row(dim, 4, "labLabelSeparation", seGapX, seGapY);
    row(dim, 5, "labLabMargins", seMargLeft, seMargTop);
    row(dim, 6, "labLabelDisposition", seRows, seColumns);
    dim->addWidget(RaBuVer, 7, 1);
    dim->addWidget(RaBuHor, 7, 2);
    dim->setRowStretch(8, 1);

    // Printing.
    edFirstRow = CountBox(TabPrinting, "edFirstRow", 1, kInt32Max);
    edFirstCol = CountBox(TabPrinting, "edFirstCol", 1, kInt32Max);
    edNumLabs = CountBox(TabPrinting, "edNumLabs", 1, kInt32Max);
    edRepetition = CountBox(TabPrinting, "edRepetition", 1, kInt32Max);
    ListBoxCounters = Named<QListWidget>(TabPrinting, "ListBoxCounters");
    butAddCounter = Named<QPushButton>(TabPrinting, "butAddCounter");
    butSaveCounter = Named<QPushButton>(TabPrinting, "butSaveCounter");
    butDeleteCounter = Named<QPushButton>(TabPrinting, "butDeleteCounter");
    EdCounterName = Named<QLineEdit>(TabPrinting, "EdCounterName");
    seCounterStep = CountBox(TabPrinting, "seCounterStep", 1, kInt32Max);
    seNumFrom = CountBox(TabPrinting, "seNumFrom", kInt64Min, kInt64Max);
    seNumTo = CountBox(TabPrinting, "seNumTo", kInt64Min, kInt64Max);
    edTextBefore = Named<QLineEdit>(TabPrinting, "edTextBefore");
    edTextAfter = Named<QLineEdit>(TabPrinting, "edTextAfter");
    edFormat = Named<QLineEdit>(TabPrinting, "edFormat");
    auto* pr = new QGridLayout(TabPrinting);
    row(pr, 0, "labFirstLabel", edFirstRow, edFirstCol);
    row(pr, 1, "labNumLabsToPrint", edNumLabs, edRepetition);
    pr->addWidget(ListBoxCounters, 2, 0, 7, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(butAddCounter);
    buttons->addWidget(butSaveCounter);
    buttons->addWidget(butDeleteCounter);
    pr->addLayout(buttons, 9, 0, 1, 3);
    const auto counterRow = [pr](int aRow, const char* aCaption, QWidget* aBox) {
        auto* label = new QLabel(pr->parentWidget());
        label->setObjectName(QLatin1String(aCaption));
        pr->addWidget(label, aRow, 1);
        pr->addWidget(aBox, aRow, 2);
    };
    counterRow(2, "labCounterName", EdCounterName);
    counterRow(3, "labStep", seCounterStep);
    counterRow(4, "labNumFrom", seNumFrom);
    counterRow(5, "labNumTo", seNumTo);
    counterRow(6, "labTextBefore", edTextBefore);
    counterRow(7, "labTextAfter", edTextAfter);
    counterRow(8, "labFormat", edFormat);

    // Data.
    ckLinkData = Named<QCheckBox>(TabData, "ckLinkData");
    ckSaveJson = Named<QCheckBox>(TabData, "ckSaveJson");
    cbData = Named<QComboBox>(TabData, "cbData");
    cbFieldRepeat = Named<QComboBox>(TabData, "cbFieldRepeat");
    butEdCsvFile = Named<QLineEdit>(TabData, "butEdCsvFile");
    butEdCsvFile->setReadOnly(true);
    butSelFile = Named<QPushButton>(TabData, "butSelFile");
    butSelFile->setText(QStringLiteral("..."));
    sgFields = Named<QTableWidget>(TabData, "sgFields");
    sgFields->setColumnCount(2);
    sgFields->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgFields->verticalHeader()->setDefaultSectionSize(21);
    sgFields->verticalHeader()->hide();
    butJson = Named<QPushButton>(TabData, "butJson");
    butJson->setText(QStringLiteral("{JSON}"));
    auto* data = new QGridLayout(TabData);
    data->addWidget(ckLinkData, 0, 0);
    data->addWidget(ckSaveJson, 0, 1);
    row(data, 1, "labDataSource", cbData, butJson);
    row(data, 2, "labFieldRepeat", cbFieldRepeat);
    row(data, 3, "labCsvFile", butEdCsvFile, butSelFile);
    auto* fields = new QLabel(TabData);
    fields->setObjectName(QStringLiteral("labFields"));
    data->addWidget(fields, 4, 0);
    data->addWidget(sgFields, 5, 0, 1, 3);

    cbContinousPaper = Named<QCheckBox>(this, "cbContinousPaper");
    paintLab = new TKVRPaintBox(this, QStringLiteral("paintLab"));
    paintLab->setCursor(Qt::PointingHandCursor);
    paintLab->setMinimumSize(220, 220);
    paintLab->OnPaint = [this](QPainter& aPainter) { paintLabPaint(aPainter); };
    butOK = Named<QPushButton>(this, "butOK");
    butCancel = Named<QPushButton>(this, "butCancel");
    auto* grid = new QGridLayout(this);
    grid->addWidget(PageLab, 0, 0, 3, 1);
    grid->addWidget(paintLab, 0, 1, 1, 2);
    grid->addWidget(cbContinousPaper, 1, 1, 1, 2);
    grid->addWidget(butOK, 2, 1);
    grid->addWidget(butCancel, 2, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    connect(cbPapers, &QComboBox::currentIndexChanged, this, &TfLabelling::cbPapersChange);
    connect(RaBuVer, &QRadioButton::clicked, this, &TfLabelling::RaBuVerClick);
    connect(RaBuHor, &QRadioButton::clicked, this, &TfLabelling::RaBuHorClick);
    connect(cbContinousPaper, &QCheckBox::clicked, this, &TfLabelling::cbContinousPaperChange);
    for (TKVRFloatBox* box : {sePaperWidth, sePaperHeight, seWidth, seHeight, seGapX, seGapY, seMargLeft, seMargTop})
        connect(box, &QDoubleSpinBox::valueChanged, this, &TfLabelling::seWidthChange);
    for (TKVRWholeBox* box : {seRows, seColumns, edFirstRow, edFirstCol, edNumLabs, edRepetition})
        connect(box, &TKVRWholeBox::valueChanged, this, &TfLabelling::seWidthChange);
    for (QLineEdit* edit : {EdCounterName, edTextBefore, edTextAfter, edFormat})
        connect(edit, &QLineEdit::textEdited, this, &TfLabelling::EdCounterNameChange);
    for (TKVRWholeBox* box : {seCounterStep, seNumFrom, seNumTo})
        connect(box, &TKVRWholeBox::valueChanged, this, &TfLabelling::EdCounterNameChange);
    connect(ListBoxCounters, &QListWidget::currentRowChanged, this, &TfLabelling::ListBoxCountersChange);
    connect(butAddCounter, &QPushButton::clicked, this, &TfLabelling::butAddCounterClick);
    connect(butSaveCounter, &QPushButton::clicked, this, &TfLabelling::butSaveCounterClick);
    connect(cbData, &QComboBox::activated, this, [this] {
        fDataPicked = true;
        cbDataChange();
    });
    connect(cbFieldRepeat, &QComboBox::activated, this, [this] { fRepeatPicked = true; });
    connect(butSelFile, &QPushButton::clicked, this, &TfLabelling::butSelFileClick);
    connect(butJson, &QPushButton::clicked, this, &TfLabelling::butJsonClick);
    connect(PageLab, &QTabWidget::currentChanged, this, &TfLabelling::PageLabChange);
    connect(butOK, &QPushButton::clicked, this, &TfLabelling::butOKClick);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);
    // Enter in a box confirms it and presses OK; a button that only takes the
    // focus never becomes the one Enter presses (Add would add a counter).
    KVRSetDefaultButton(*this, butOK);
    // No counter is deleted here.
    butDeleteCounter->setEnabled(false);
}

TfLabelling::~TfLabelling() = default;

TKVRUnits TfLabelling::Units() const
{
    return fLabel ? fLabel->GetUnits() : TKVRUnits::Millimetre;
}

int64_t TfLabelling::Length(const TKVRFloatBox* aBox) const
{
    return aBox->Length(Units());
}

double TfLabelling::PaperW() const
{
    return sePaperWidth->value();
}

double TfLabelling::PaperH() const
{
    return sePaperHeight->value();
}

void TfLabelling::FillLanguage()
{
    setWindowTitle(QStringLiteral("    ") + Prop("Label"));
    PageLab->setTabText(0, Prop("Dimensions"));
    PageLab->setTabText(1, Prop("Printing"));
    PageLab->setTabText(2, Prop("Data"));
    const std::pair<const char*, QString> captions[] = {
        {"labName", Prop("LabelName")},
        {"labPaperSize", Prop("PaperSize")},
        {"labPaperWidth", Prop("Width") + " / " + Prop("Height")},
        {"labLabelSize", Prop("LabelSize")},
        {"labLabelSeparation", Prop("LabelSeparation")},
        {"labLabMargins", Prop("LabelMargins")},
        {"labLabelDisposition", Prop("LabelDisposition")},
        {"labFirstLabel", Prop("FirstLabel")},
        {"labNumLabsToPrint", Prop("NumLabsToPrint")},
        {"labCounterName", Prop("Name")},
        {"labStep", Prop("Step")},
        {"labNumFrom", Prop("FromNumber")},
        {"labNumTo", Prop("ToNumber")},
        {"labTextBefore", Prop("TextBefore")},
        {"labTextAfter", Prop("TextAfter")},
        {"labFormat", Prop("Format")},
        {"labDataSource", Prop("DataSource")},
        {"labFieldRepeat", Prop("FieldRepeat")},
        {"labCsvFile", Dlg("FileCsv")},
        {"labFields", Dlg("FieldList")},
    };
    for (const auto& [name, text] : captions)
        if (auto* label = findChild<QLabel*>(QLatin1String(name)))
            label->setText(text);
    RaBuVer->setText(Prop("Vertical"));
    RaBuHor->setText(Prop("Horizontal"));
    butAddCounter->setText(Dlg("Add"));
    butSaveCounter->setText(Dlg("Save"));
    butDeleteCounter->setText(Dlg("Delete"));
    sgFields->setHorizontalHeaderLabels({Dlg("FieldName"), Dlg("FieldType")});
    ckLinkData->setText(Prop("LinkData"));
    ckSaveJson->setText(Prop("SaveJson"));
    cbContinousPaper->setText(Prop("ContinousPaper"));
    butOK->setText(Dlg("Ok"));
    butCancel->setText(Dlg("Cancel"));
}

void TfLabelling::Ini(TVXLabelFMX* aLabel)
{
    fLabel = aLabel;
    if (!fLabel)
        return;
    {
        const QScopedValueRollback<bool> intro(fIntro, true);
        fNeedSaveCounter = false;
        FillLanguage();
        const TKVRMeasure& m = fLabel->GetMeasure();
        const TKVRUnits u = Units();
        SetLengthRanges();
        edName->setText(m.LabelName);
        seWidth->SetLength(m.GetWidth(), u);
        seHeight->SetLength(m.GetHeight(), u);
        seGapX->SetLength(m.GetGapX(), u);
        seGapY->SetLength(m.GetGapY(), u);
        seMargLeft->SetLength(m.GetMarLeft(), u);
        seMargTop->SetLength(m.GetMarTop(), u);
        sePaperWidth->SetLength(m.GetPaperWidth(), u);
        sePaperHeight->SetLength(m.GetPaperHeight(), u);
        seRows->SetExact(m.GetRows());
        seColumns->SetExact(m.GetColumns());
        cbContinousPaper->setChecked(m.GetContinousPaper());
        const TKVRBasePrintInfo& p = fLabel->GetPrintInfo();
        edNumLabs->SetExact(p.GetLabs());
        edFirstRow->SetExact(p.GetFirstRow());
        edFirstCol->SetExact(p.GetFirstCol());
        edRepetition->SetExact(p.GetRepetition());
        fLandscape = p.GetLandscape();
        (fLandscape ? RaBuHor : RaBuVer)->setChecked(true);
        const TKVRData& d = fLabel->GetData();
        ckLinkData->setChecked(d.LinkData);
        ckSaveJson->setChecked(d.SaveJson);
        butEdCsvFile->setText(d.GetCsvFileName());
        FillPapers();
        FillCounterList();
        FillData();
        CheckContinuous();
    }
    ShowCounter();
    paintLab->update();
}

void TfLabelling::FillPapers()
{
    const QSignalBlocker block(cbPapers);
    cbPapers->clear();
    for (const TKVRPaper& paper : KVrPapers)
        cbPapers->addItem(QString::fromUtf8(paper.Name));
    // The measures hold no paper name: the paper's size picks the entry.
    cbPapers->setCurrentIndex(KVRPaperIndexOf(Length(sePaperWidth), Length(sePaperHeight)));
    CheckPapers();
}

void TfLabelling::CheckPapers()
{
    const bool user = cbPapers->currentIndex() == UserPaperIndex;
    sePaperWidth->setEnabled(user);
    sePaperHeight->setEnabled(user);
}

void TfLabelling::cbPapersChange()
{
    if (fIntro)
        return;
    CheckPapers();
    const int index = cbPapers->currentIndex();
    if (index >= 0 && index < UserPaperIndex && fLabel) {
        const TKVRPaper& paper = KVrPapers[size_t(index)];
        const QScopedValueRollback<bool> intro(fIntro, true);
        const double w = fLabel->GetValFromMM(paper.Width), h = fLabel->GetValFromMM(paper.Height);
        sePaperWidth->setValue(fLandscape ? h : w);
        sePaperHeight->setValue(fLandscape ? w : h);
    }
    paintLab->update();
}

void TfLabelling::SwapPaper()
{
    const QScopedValueRollback<bool> intro(fIntro, true);
    const int64_t w = Length(sePaperWidth);
    sePaperWidth->SetLength(Length(sePaperHeight), Units());
    sePaperHeight->SetLength(w, Units());
}

void TfLabelling::SetLengthRanges()
{
    // Every length the document holds, in its unit.
    const double top = double(KVRMaxCoordinate) / double(MicrometresPerUnit(Units()));
    for (TKVRFloatBox* box : {sePaperWidth, sePaperHeight, seWidth, seHeight, seGapX, seGapY, seMargLeft, seMargTop})
        box->setRange(0, top);
}

void TfLabelling::SetOrientation(bool aLandscape)
{
    // Clicking the orientation already chosen changes nothing.
    if (fIntro || aLandscape == fLandscape)
        return;
    fLandscape = aLandscape;
    SwapPaper();
    paintLab->update();
}

void TfLabelling::RaBuVerClick()
{
    SetOrientation(false);
}

void TfLabelling::RaBuHorClick()
{
    SetOrientation(true);
}

void TfLabelling::CheckContinuous()
{
    const bool continuous = cbContinousPaper->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{seGapX, seGapY, seMargLeft, seMargTop, seRows, seColumns})
        w->setEnabled(!continuous);
    if (!continuous) {
        CheckPapers();
        paintLab->update();
        return;
    }
    {
        const QSignalBlocker block(cbPapers);
        cbPapers->setCurrentIndex(UserPaperIndex);
    }
    CheckPapers();
    if (!fIntro) {
        const QScopedValueRollback<bool> intro(fIntro, true);
        seGapX->setValue(0);
        seGapY->setValue(0);
        seMargLeft->setValue(0);
        seMargTop->setValue(0);
        seRows->setValue(1);
        seColumns->setValue(1);
        const int64_t w = Length(fLandscape ? seHeight : seWidth);
        const int64_t h = Length(fLandscape ? seWidth : seHeight);
        if (Length(sePaperWidth) != w)
            sePaperWidth->SetLength(w, Units());
        if (Length(sePaperHeight) != h)
            sePaperHeight->SetLength(h, Units());
    }
    paintLab->update();
}

void TfLabelling::seWidthChange()
{
    if (!fIntro)
        paintLab->update();
}

void TfLabelling::paintLabPaint(QPainter& aPainter)
{
    avWidth = float(paintLab->width() - 8);
    avHeight = float(paintLab->height() - 8);
    TCanvas canvas(aPainter);
    canvas.Fill().SetColor(0xFF808080u);
    canvas.FillRect(TRectF(0, 0, paintLab->width(), paintLab->height()), 0, 0, NoCorners, 1);
    const TKVRSheetPicture pic = KVRSheetPicture(
        avWidth, avHeight, double(Length(sePaperWidth)), double(Length(sePaperHeight)), double(Length(seWidth)),
        double(Length(seHeight)), double(Length(seMargLeft)), double(Length(seMargTop)), double(Length(seGapX)),
        double(Length(seGapY)), seRows->value(), seColumns->value(), edFirstRow->value(), edFirstCol->value());
    if (pic.Paper.isEmpty())
        return;
    const auto rect = [](const QRectF& r) {
        return TRectF(float(r.left()), float(r.top()), float(r.right()), float(r.bottom()));
    };
    canvas.Fill().SetColor(0xFFFFFFFFu);
    canvas.FillRect(rect(pic.Paper), 0, 0, NoCorners, 1);
    canvas.Stroke().SetColor(0xFF000000u);
    for (size_t i = 0; i < pic.Cells.size(); ++i) {
        canvas.Fill().SetColor(int(i) < pic.FirstPrinted ? 0xFFFFFFE0u : 0xFFADD8E6u);
        canvas.FillRect(rect(pic.Cells[i]), 0, 0, NoCorners, 1);
        canvas.DrawRect(rect(pic.Cells[i]), 0, 0, NoCorners, 1);
    }
}

void TfLabelling::FillCounterList()
{
    const QSignalBlocker block(ListBoxCounters);
    ListBoxCounters->clear();
    const int count = fLabel ? fLabel->GetCounterCount() : 0;
    for (int i = 1; i <= count; ++i)
        ListBoxCounters->addItem(fLabel->GetCounter(i)->Name);
    butSaveCounter->setEnabled(false);
    if (count > 0)
        ListBoxCounters->setCurrentRow(0);
}

int TfLabelling::RowOf(const TKVRCounter* aCounter) const
{
    for (int i = 1; fLabel && aCounter && i <= fLabel->GetCounterCount(); ++i)
        if (fLabel->GetCounter(i) == aCounter)
            return i - 1;
    return -1;
}

void TfLabelling::ShowCounter()
{
    if (fIntro)
        return;
    const int row = ListBoxCounters->currentRow();
    fShownCounter = fLabel && row >= 0 && row < fLabel->GetCounterCount() ? fLabel->GetCounter(row + 1) : nullptr;
    fNewCounter = false;
    {
        const QScopedValueRollback<bool> intro(fIntro, true);
        const TKVRCounter* c = fShownCounter;
        EdCounterName->setText(c ? c->Name : QString());
        seCounterStep->SetExact(c ? c->GetStep() : 1);
        seNumFrom->SetExact(c ? c->GetNumFrom() : 0);
        seNumTo->SetExact(c ? c->GetNumTo() : 0);
        edTextBefore->setText(c ? c->TextBefore : QString());
        edTextAfter->setText(c ? c->TextAfter : QString());
        edFormat->setText(c ? c->Format : QString());
    }
    butSaveCounter->setEnabled(false);
    fNeedSaveCounter = false;
}

void TfLabelling::EdCounterNameChange()
{
    if (fIntro)
        return;
    butSaveCounter->setEnabled(fShownCounter || fNewCounter);
    fNeedSaveCounter = fShownCounter || fNewCounter;
}

bool TfLabelling::CheckSaveCounter()
{
    if (!fNeedSaveCounter)
        return true;
    if (!TKVRPrompts::Confirm(this, Dlg("SaveCounter"))) {
        fNeedSaveCounter = false;
        return true;
    }
    return butSaveCounterClick();
}

void TfLabelling::ListBoxCountersChange()
{
    if (fIntro)
        return;
    // The boxes still show the counter they were edited for: it is saved
    // there, and a refused save keeps the edits and the selection.
    if (!CheckSaveCounter()) {
        const QSignalBlocker block(ListBoxCounters);
        ListBoxCounters->setCurrentRow(RowOf(fShownCounter));
        return;
    }
    ShowCounter();
}

void TfLabelling::butAddCounterClick()
{
    if (!fLabel)
        return;
    if (fLabel->GetCounterCount() >= TKVRBaseLabel::KVRMaxCounters) {
        TKVRPrompts::ShowMessage(this, TKVRMsg::GetErrorValue(QStringLiteral("LimitCounters")));
        return;
    }
    if (!CheckSaveCounter())
        return;
    QString name;
    if (!TKVRPrompts::InputQuery(this, Dlg("AddCounter"), Prop("Name"), name) || name.isEmpty())
        return;
    fShownCounter = nullptr;
    fNewCounter = true;
    {
        const QScopedValueRollback<bool> intro(fIntro, true);
        EdCounterName->setText(name);
        seCounterStep->setValue(1);
        seNumFrom->setValue(0);
        seNumTo->setValue(0);
        edTextBefore->clear();
        edTextAfter->clear();
        edFormat->clear();
    }
    fNeedSaveCounter = true;
    butSaveCounter->setEnabled(true);
    seCounterStep->setFocus();
    butSaveCounterClick();
}

bool TfLabelling::butSaveCounterClick()
{
    if (!fLabel || (!fShownCounter && !fNewCounter))
        return true;
    const QString name = EdCounterName->text();
    if (fLabel->CounterName(name, fShownCounter)) {
        // Refused: the typed values stay, Save stays enabled.
        TKVRPrompts::ShowMessage(this, TKVRMsg::GetErrorValue(QStringLiteral("RepeatName")));
        return false;
    }
    TKVRCounter* c = fShownCounter;
    if (fNewCounter) {
        c = new TKVRCounter(fLabel);
        const QSignalBlocker block(ListBoxCounters);
        ListBoxCounters->addItem(name);
        ListBoxCounters->setCurrentRow(ListBoxCounters->count() - 1);
        fShownCounter = c;
        fNewCounter = false;
    } else if (auto* item = ListBoxCounters->item(RowOf(c))) {
        item->setText(name);
    }
    c->Name = name;
    c->SetNumFrom(seNumFrom->Exact());
    c->SetNumTo(seNumTo->Exact());
    c->SetStep(int32_t(std::clamp<int64_t>(seCounterStep->Exact(), 1, kInt32Max)));
    c->Format = edFormat->text();
    c->TextBefore = edTextBefore->text();
    c->TextAfter = edTextAfter->text();
    {
        const QScopedValueRollback<bool> intro(fIntro, true);
        seNumFrom->SetExact(c->GetNumFrom());
        seNumTo->SetExact(c->GetNumTo());
    }
    butSaveCounter->setEnabled(false);
    fNeedSaveCounter = false;
    return true;
}

void TfLabelling::FillData()
{
    if (!fLabel)
        return;
    const TKVRData& d = fLabel->GetData();
    {
        const QSignalBlocker block(cbData);
        cbData->clear();
        for (int i = 0; i < d.GetDatasetCount(); ++i)
            cbData->addItem(d.GetDataset(i)->Name);
        cbData->setCurrentIndex(cbData->findText(d.GetDataSel(), Qt::MatchFixedString));
    }
    fDataPicked = false;
    FillFieldRepeat();
    FillCsvFields();
}

void TfLabelling::FillFieldRepeat()
{
    const QSignalBlocker block(cbFieldRepeat);
    cbFieldRepeat->clear();
    if (!fLabel)
        return;
    const TKVRData& d = fLabel->GetData();
    if (const TKVRDataset* set = d.GetDataset(cbData->currentText()))
        for (const TKVRDatasetField& f : set->Fields)
            if (f.Type == 2)
                cbFieldRepeat->addItem(f.Name);
    cbFieldRepeat->setCurrentIndex(cbFieldRepeat->findText(d.GetFieldRepeat(), Qt::MatchFixedString));
    fRepeatPicked = false;
}

void TfLabelling::FillCsvFields()
{
    // A file chosen here shows its own fields before OK reads it into the document.
    const TKVRData* data = fChosenCsv ? fChosenCsv.get() : fLabel ? &fLabel->GetData() : nullptr;
    ShowFields(data ? data->GetDataset(TKVRData::CsvDataset) : nullptr);
}

void TfLabelling::ShowFields(const TKVRDataset* aSet)
{
    static const char* const types[] = {"String", "Boolean", "Integer", "Int64", "Float", "String", "Img64", "ImgBlob"};
    sgFields->setColumnWidth(0, 220);
    sgFields->setColumnWidth(1, 140);
    sgFields->setRowCount(0);
    const TKVRDataset* set = aSet;
    if (!set)
        return;
    sgFields->setRowCount(int(set->Fields.size()));
    for (size_t i = 0; i < set->Fields.size(); ++i) {
        const TKVRDatasetField& f = set->Fields[i];
        sgFields->setItem(int(i), 0, new QTableWidgetItem(f.Name));
        sgFields->setItem(int(i), 1,
                          new QTableWidgetItem(f.Type < 8 ? TKVRMsg::GetListValue(QLatin1String(types[f.Type])) : QString()));
    }
}

void TfLabelling::cbDataChange()
{
    if (fIntro)
        return;
    FillFieldRepeat();
    sgFields->setRowCount(0);
    if (cbData->currentIndex() > 0 && cbData->currentText().compare(TKVRData::CsvDataset, Qt::CaseInsensitive) == 0)
        FillCsvFields();
}

void TfLabelling::butSelFileClick()
{
    const QString file = TKVRPrompts::OpenFileName(this, QString(), QDir::currentPath(),
                                                   Dlg("CsvFiles") + QStringLiteral(" (*.csv)"));
    if (file.isEmpty())
        return;
    butEdCsvFile->setText(file);
    // Its fields show at once; a file that cannot be read shows none, and OK says why.
    fChosenCsv = std::make_unique<TKVRData>();
    try {
        fChosenCsv->LoadCsv(file);
    } catch (const std::exception&) {
        fChosenCsv.reset();
        ShowFields(nullptr);
        return;
    }
    FillCsvFields();
}

QString TfLabelling::GetNewCsvFile() const
{
    const QString stored = fLabel ? fLabel->GetData().GetCsvFileName() : QString();
    return butEdCsvFile->text() != stored ? butEdCsvFile->text() : QString();
}

void TfLabelling::butJsonClick()
{
    if (!fLabel)
        return;
    TfJsonData form(this);
    const QString stored = fLabel->GetData().GetJson();
    form.IniDialog(stored);
    if (KVRShowModal(form) != 1)
        return;
    const QString json = form.GetJson();
    // Exactly, against the stored text's compact form: a change of letter case is a change.
    if (json.isEmpty() || json == TfJsonData::CompactJson(stored))
        return;
    try {
        TKVRBaseLabel::TEditBracket edit(*fLabel);
        fLabel->GetData().SetJson(json);
    } catch (const std::exception& e) {
        TKVRPrompts::ShowMessage(this, QString::fromUtf8(e.what()));
        return;
    }
    FillData();
}

QString TfLabelling::GetData() const
{
    if (!fLabel)
        return cbData->currentText();
    return fDataPicked ? cbData->currentText() : fLabel->GetData().GetDataSel();
}

QString TfLabelling::GetFieldRepeat() const
{
    if (!fLabel)
        return cbFieldRepeat->currentText();
    const bool sameSet = !fDataPicked || cbData->currentText() == fLabel->GetData().GetDataSel();
    return fRepeatPicked || !sameSet ? cbFieldRepeat->currentText() : fLabel->GetData().GetFieldRepeat();
}

void TfLabelling::PageLabChange()
{
    if (fIntro)
        return;
    if (!CheckSaveCounter()) {
        const QSignalBlocker block(PageLab);
        PageLab->setCurrentIndex(fShownTab);
        return;
    }
    fShownTab = PageLab->currentIndex();
}

void TfLabelling::butOKClick()
{
    if (!CheckSaveCounter())
        return;
    // A chosen CSV file must read before the dialog closes.
    const QString csv = GetNewCsvFile();
    if (!csv.isEmpty()) {
        try {
            TKVRData probe;
            probe.LoadCsv(csv);
        } catch (const std::exception& e) {
            TKVRPrompts::ShowMessage(this, QString::fromUtf8(e.what()));
            return;
        }
    }
    accept();
}

void TfLabelling::reject()
{
    // Closing, Esc and Cancel: unsaved counter boxes are asked about first.
    if (CheckSaveCounter())
        QDialog::reject();
}

void TfLabelling::WriteBack(TVXLabelFMX& aLabel) const
{
    const TKVRUnits u = aLabel.GetUnits();
    TKVRMeasure& m = aLabel.GetMeasure();
    m.SetContinousPaper(cbContinousPaper->isChecked());
    m.LabelName = edName->text();
    TKVRBasePrintInfo& p = aLabel.GetPrintInfo();
    p.SetLandscape(!RaBuVer->isChecked());
    m.SetWidth(seWidth->Length(u));
    m.SetHeight(seHeight->Length(u));
    m.SetPaperWidth(sePaperWidth->Length(u));
    m.SetPaperHeight(sePaperHeight->Length(u));
    m.SetGapX(seGapX->Length(u));
    m.SetGapY(seGapY->Length(u));
    m.SetMarLeft(seMargLeft->Length(u));
    m.SetMarTop(seMargTop->Length(u));
    // Each box holds a value of its field's own range (a 32-bit one but the counters').
    m.SetRows(int32_t(seRows->Exact()));
    m.SetColumns(int32_t(seColumns->Exact()));
    p.SetLabs(int32_t(edNumLabs->Exact()));
    p.SetFirstRow(int32_t(edFirstRow->Exact()));
    p.SetFirstCol(int32_t(edFirstCol->Exact()));
    p.SetRepetition(int32_t(edRepetition->Exact()));
    TKVRData& d = aLabel.GetData();
    d.SetDataSel(GetData());
    d.SetFieldRepeat(GetFieldRepeat());
    d.LinkData = ckLinkData->isChecked();
    d.SaveJson = ckSaveJson->isChecked();
    const QString csv = GetNewCsvFile();
    if (!csv.isEmpty())
        d.LoadCsv(csv);
}
