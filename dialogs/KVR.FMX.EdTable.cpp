#include "dialogs/KVR.FMX.EdTable.h"
#include "dialogs/KVR.FMX.ItemList.h"
#include "document/KVR.FMX.FontNames.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "dialogs/KVR.FMX.SelColor.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/model/TKVRBaseTable.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

namespace {

QString Prop(const char* aKey) { return TKVRMsg::GetPropValue(QString::fromLatin1(aKey)); }
QString Dialogs(const char* aKey) { return TKVRMsg::GetDialogsValue(QString::fromLatin1(aKey)); }

// An exclusive group of three checkable tool buttons; the id is the alignment.
QButtonGroup* AlignGroup(QWidget* aPage, int aLeft, int aTop, const std::array<const char*, 3>& aNames,
                         const std::array<QString, 3>& aTexts, std::array<QToolButton*, 3>& oButtons)
{
    auto* group = new QButtonGroup(aPage);
    group->setExclusive(true);
    for (int i = 0; i < 3; ++i) {
        oButtons[size_t(i)] = KVRPlaced(new QToolButton(aPage), aNames[size_t(i)], {aLeft + i * 26, aTop, 24, 24});
        oButtons[size_t(i)]->setCheckable(true);
        oButtons[size_t(i)]->setText(aTexts[size_t(i)]);
        group->addButton(oButtons[size_t(i)], i);
    }
    return group;
}

const std::array<QString, 3> kHorzGlyphs = {QStringLiteral("\u2190"), QStringLiteral("\u2194"), QStringLiteral("\u2192")};

}  // namespace

TfEdTable::TCellControls TfEdTable::MakeCell(QWidget* aPage, int aTop, int aCell)
{
    // Names as each page calls its controls: body, header, footer.
    struct TNames
    {
        const char *Height, *Fill, *Back, *Font, *FontHeight, *FontColor, *Bold, *Italic, *Underline;
        std::array<const char*, 3> Horz;
    };
    static const TNames kNames[3] = {
        {"seColHeight", "ckFillCol", "ShColColor", "CBoxColFont", "seColFontHeight", "ShColFontColor", "ckColBold",
         "ckColItalic", "ckColUnderline", {"sbColHorzLeft", "sbColHorzCenter", "sbColHorzRight"}},
        {"seHeightHead", "ckHeadFill", "ShHColor", "CBoxHFont", "seHeadFontHeight", "ShHeadFontColor", "ckHeadBold",
         "ckHeadItalic", "ckHeadUnderline", {"SBHeadLeft", "SBHeadCenter", "SBHeadRight"}},
        {"seHeightFoot", "ckFootFill", "ShFColor", "CBoxFFont", "seFootFontHeight", "ShFFontColor", "ckFootBold",
         "ckFootItalic", "ckFootUnderline", {"SBFLeft", "SBFCenter", "SBFRight"}},
    };
    const TNames& n = kNames[aCell];
    // Two rows of captioned boxes, then the font styles.
    TCellControls c;
    c.labHeight = KVRPlaced(new QLabel(aPage), "labHeight", {8, aTop, 90, 16});
    c.seHeight = new TKVRFloatBox(aPage, QString::fromLatin1(n.Height));
    c.seHeight->setGeometry(8, aTop + 16, 80, 24);
    c.seHeight->setRange(1.0, 1000.0);
    c.seHeight->setSingleStep(0.1);
    c.seHeight->SetUnits(TKVRUnits::Millimetre);
    c.ckFill = KVRPlaced(new QCheckBox(aPage), n.Fill, {100, aTop + 16, 80, 24});
    c.labBack = KVRPlaced(new QLabel(aPage), "labBack", {184, aTop, 110, 16});
    c.shBack = new TKVRColorRect(aPage, QString::fromLatin1(n.Back));
    c.shBack->setGeometry(184, aTop + 16, 40, 24);
    c.shBack->SetTag(aCell * 2);
    c.labFont = KVRPlaced(new QLabel(aPage), "labFont", {8, aTop + 46, 150, 16});
    c.cbFont = KVRPlaced(new QComboBox(aPage), n.Font, {8, aTop + 62, 150, 24});
    c.labFontHeight = KVRPlaced(new QLabel(aPage), "labFontHeight", {166, aTop + 46, 94, 16});
    c.seFontHeight = KVRPlaced(new QDoubleSpinBox(aPage), n.FontHeight, {166, aTop + 62, 80, 24});
    c.seFontHeight->setRange(1.0, 1000.0);
    c.seFontHeight->setSingleStep(0.1);
    c.labFontColor = KVRPlaced(new QLabel(aPage), "labFontColor", {264, aTop + 46, 104, 16});
    c.shFontColor = new TKVRColorRect(aPage, QString::fromLatin1(n.FontColor));
    c.shFontColor->setGeometry(264, aTop + 62, 40, 24);
    c.shFontColor->SetTag(aCell * 2 + 1);
    c.ckBold = KVRPlaced(new QCheckBox(aPage), n.Bold, {8, aTop + 92, 90, 24});
    c.ckItalic = KVRPlaced(new QCheckBox(aPage), n.Italic, {100, aTop + 92, 90, 24});
    c.ckUnderline = KVRPlaced(new QCheckBox(aPage), n.Underline, {192, aTop + 92, 110, 24});
    c.horzAlign = AlignGroup(aPage, 376, aTop + 62, n.Horz, kHorzGlyphs, c.horz);

    // Loading a column (fIntro) writes nothing; a pressed button counts by its id.
    connect(c.seHeight, &QDoubleSpinBox::valueChanged, this, [this, aCell] {
        const int32_t um = int32_t(cells[size_t(aCell)].seHeight->Length(TKVRUnits::Millimetre));
        Write([&](TKVRColumn&) {
            if (aCell == 0)
                fElement->SetRowHeight(um);
            else if (aCell == 1)
                fElement->SetHeaderHeight(um);
            else
                fElement->SetFooterHeight(um);
        });
    });
    auto cellWrite = [this, aCell](auto aSet) {
        return [this, aCell, aSet] { Write([&](TKVRColumn& aColumn) { aSet(Cell(aColumn, aCell), cells[size_t(aCell)]); }); };
    };
    connect(c.ckFill, &QCheckBox::toggled, this,
            cellWrite([](TKVRTableCell& aC, const TCellControls& aK) { aC.Filled = aK.ckFill->isChecked(); }));
    connect(c.cbFont, &QComboBox::currentIndexChanged, this, cellWrite([](TKVRTableCell& aC, const TCellControls& aK) {
                if (!aK.cbFont->currentText().isEmpty())
                    aC.Font.Name = aK.cbFont->currentText();
            }));
    connect(c.seFontHeight, &QDoubleSpinBox::valueChanged, this,
            cellWrite([](TKVRTableCell& aC, const TCellControls& aK) {
                aC.Font.Height = int32_t(aK.seFontHeight->value() * 1000.0 + 0.5);
            }));
    connect(c.ckBold, &QCheckBox::toggled, this,
            cellWrite([](TKVRTableCell& aC, const TCellControls& aK) { aC.Font.Bold = aK.ckBold->isChecked(); }));
    connect(c.ckItalic, &QCheckBox::toggled, this,
            cellWrite([](TKVRTableCell& aC, const TCellControls& aK) { aC.Font.Italic = aK.ckItalic->isChecked(); }));
    connect(c.ckUnderline, &QCheckBox::toggled, this, cellWrite([](TKVRTableCell& aC, const TCellControls& aK) {
                aC.Font.Underline = aK.ckUnderline->isChecked();
            }));
    connect(c.horzAlign, &QButtonGroup::idClicked, this, [this, aCell](int aId) {
        Write([&](TKVRColumn& aColumn) { Cell(aColumn, aCell).HorzAlign = TKVRHorzAlign(aId); });
    });
    for (TKVRColorRect* rect : {c.shBack, c.shFontColor})
        connect(rect, &TKVRColorRect::clicked, this, [this, rect] { ShColColorMouseDown(rect); });
    return c;
}

TfEdTable::TfEdTable(QWidget* aOwner) : QDialog(aOwner)
{
    setObjectName(QStringLiteral("fEdTable"));
    setFixedSize(700, 340);
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    lbColumns = KVRPlaced(new QListWidget(this), "lbColumns", {8, 8, 180, 284});
    butAdd = KVRPlaced(new QPushButton(this), "butAdd", {8, 300, 60, 30});
    butDelete = KVRPlaced(new QPushButton(this), "butDelete", {72, 300, 60, 30});
    butUp = KVRPlaced(new QPushButton(QStringLiteral("\u25B2"), this), "butUp", {136, 300, 24, 30});
    butDown = KVRPlaced(new QPushButton(QStringLiteral("\u25BC"), this), "butDown", {164, 300, 24, 30});
    PColumns = KVRPlaced(new QTabWidget(this), "PColumns", {196, 8, 496, 324});
    tabColumn = new QWidget;
    tabColumn->setObjectName(QStringLiteral("tabColumn"));
    tabHeader = new QWidget;
    tabHeader->setObjectName(QStringLiteral("tabHeader"));
    tabFooter = new QWidget;
    tabFooter->setObjectName(QStringLiteral("tabFooter"));
    PColumns->addTab(tabColumn, QString());
    PColumns->addTab(tabHeader, QString());
    PColumns->addTab(tabFooter, QString());

    // Column page: field, width, values' format, then the body cell.
    labField = KVRPlaced(new QLabel(tabColumn), "labField", {8, 4, 160, 16});
    cBoxFields = KVRPlaced(new QComboBox(tabColumn), "cBoxFields", {8, 20, 160, 24});
    labWidth = KVRPlaced(new QLabel(tabColumn), "labWidth", {176, 4, 80, 16});
    seWidth = KVRPlaced(new QSpinBox(tabColumn), "seWidth", {176, 20, 60, 24});
    seWidth->setRange(1, 100);
    ckFixed = KVRPlaced(new QCheckBox(tabColumn), "ckFixed", {262, 20, 110, 24});
    labFormat = KVRPlaced(new QLabel(tabColumn), "labFormat", {376, 4, 110, 16});
    edFormat = KVRPlaced(new QLineEdit(tabColumn), "edFormat", {376, 20, 100, 24});
    cells[0] = MakeCell(tabColumn, 52, 0);
    labRowInterline = KVRPlaced(new QLabel(tabColumn), "labRowInterline", {304, 52, 150, 16});
    seRowInterline = KVRPlaced(new QDoubleSpinBox(tabColumn), "seRowInterline", {304, 68, 70, 24});
    seRowInterline->setRange(0.2, 3.0);
    seRowInterline->setSingleStep(0.01);
    vertAlign = AlignGroup(tabColumn, 376, 176, {"sbColVertTop", "sbColVertCenter", "sbColVertBottom"},
                           {QStringLiteral("\u2191"), QStringLiteral("\u2195"), QStringLiteral("\u2193")}, vert);
    ckWrapText = KVRPlaced(new QCheckBox(tabColumn), "ckWrapText", {8, 176, 160, 24});

    // Header page.
    CBVisibleHead = KVRPlaced(new QCheckBox(tabHeader), "CBVisibleHead", {8, 20, 160, 24});
    labHeaderText = KVRPlaced(new QLabel(tabHeader), "labHeaderText", {176, 4, 300, 16});
    edHeaderText = KVRPlaced(new QLineEdit(tabHeader), "edHeaderText", {176, 20, 300, 24});
    cells[1] = MakeCell(tabHeader, 52, 1);
    labHeadInterline = KVRPlaced(new QLabel(tabHeader), "labHeadInterline", {304, 52, 150, 16});
    seHeadInterline = KVRPlaced(new QDoubleSpinBox(tabHeader), "seHeadInterline", {304, 68, 70, 24});
    seHeadInterline->setRange(0.2, 3.0);
    seHeadInterline->setSingleStep(0.01);

    // Footer page: the statistic and its format, then the footer cell.
    footOperation = new QButtonGroup(tabFooter);
    static const char* kStats[9] = {"rcNone", "rcCount", "rcMin",      "rcMax",   "rcSum",
                                    "rcMean", "rcMedian", "rcVariance", "rcStdDev"};
    for (int i = 0; i < 9; ++i) {
        rcFooter[size_t(i)] = KVRPlaced(new QRadioButton(tabFooter), kStats[i], {8 + (i % 3) * 156, 8 + (i / 3) * 24, 152, 22});
        footOperation->addButton(rcFooter[size_t(i)], i);
    }
    labFooterFormat = KVRPlaced(new QLabel(tabFooter), "labFooterFormat", {8, 84, 300, 16});
    edFooterFormat = KVRPlaced(new QLineEdit(tabFooter), "edFooterFormat", {8, 100, 150, 24});
    cells[2] = MakeCell(tabFooter, 132, 2);

    connect(butAdd, &QPushButton::clicked, this, &TfEdTable::butAddClick);
    connect(butDelete, &QPushButton::clicked, this, &TfEdTable::butDeleteClick);
    connect(lbColumns, &QListWidget::currentRowChanged, this, &TfEdTable::lbColumnsChange);
    connect(cBoxFields, &QComboBox::currentIndexChanged, this, &TfEdTable::cBoxFieldsChange);
    connect(seWidth, &QSpinBox::valueChanged, this, &TfEdTable::seWidthChange);
    connect(edHeaderText, &QLineEdit::textChanged, this, &TfEdTable::edHeaderTextChange);
    connect(footOperation, &QButtonGroup::idClicked, this, &TfEdTable::rcNoneChange);
    connect(ckFixed, &QCheckBox::toggled, this, [this] { Write([&](TKVRColumn& aC) { aC.Fixed = ckFixed->isChecked(); }); });
    connect(edFormat, &QLineEdit::textChanged, this,
            [this] { Write([&](TKVRColumn& aC) { aC.ValueFormat = edFormat->text(); }); });
    connect(edFooterFormat, &QLineEdit::textChanged, this,
            [this] { Write([&](TKVRColumn& aC) { aC.Format = edFooterFormat->text(); }); });
    connect(ckWrapText, &QCheckBox::toggled, this,
            [this] { Write([&](TKVRColumn& aC) { aC.Body.Wrap = ckWrapText->isChecked(); }); });
    connect(CBVisibleHead, &QCheckBox::toggled, this,
            [this] { Write([&](TKVRColumn& aC) { aC.Header.Visible = CBVisibleHead->isChecked(); }); });
    connect(seRowInterline, &QDoubleSpinBox::valueChanged, this,
            [this] { Write([&](TKVRColumn& aC) { aC.Body.Interline = float(seRowInterline->value()); }); });
    connect(seHeadInterline, &QDoubleSpinBox::valueChanged, this,
            [this] { Write([&](TKVRColumn& aC) { aC.Header.Interline = float(seHeadInterline->value()); }); });
    connect(vertAlign, &QButtonGroup::idClicked, this,
            [this](int aId) { Write([&](TKVRColumn& aC) { aC.Body.VertAlign = TKVRVertAlign(aId); }); });
    KVRSetDefaultButton(*this, nullptr);  // no OK: Enter only confirms the box
}

void TfEdTable::Ini(TVXLabelFMX* aLabel)
{
    fLabel = aLabel;
    TKVRBaseItem* selected = aLabel ? aLabel->Select() : nullptr;
    fElement = selected && selected->GetKind() == KVRItemKind::Table ? static_cast<TKVRBaseTable*>(selected) : nullptr;
    fIntro = true;
    FillLanguage();
    FillFonts();
    fIntro = false;
    FillColumns();
}

void TfEdTable::FillLanguage()
{
    setWindowTitle(Prop("Table"));
    butAdd->setText(Dialogs("Add"));
    butDelete->setText(Dialogs("Delete"));
    PColumns->setTabText(0, Dialogs("Column"));
    PColumns->setTabText(1, Dialogs("Header"));
    PColumns->setTabText(2, Dialogs("Footer"));
    ckFixed->setText(Prop("Fixed"));
    ckWrapText->setText(Prop("WrapText"));
    CBVisibleHead->setText(Prop("Visible"));
    labField->setText(Prop("Field"));
    labWidth->setText(Prop("WidthPercent"));
    labFormat->setText(Prop("Format"));
    labRowInterline->setText(Prop("LineSpacing"));
    labHeadInterline->setText(Prop("LineSpacing"));
    labHeaderText->setText(Prop("HeaderText"));
    labFooterFormat->setText(Prop("FooterFormat"));
    static const char* kStats[9] = {"None", "Count", "Min", "Max", "Sum", "Mean", "Median", "Variance", "StdDev"};
    rcFooter[0]->setText(TKVRMsg::GetListValue(QStringLiteral("None")));
    for (int i = 1; i < 9; ++i)
        rcFooter[size_t(i)]->setText(Dialogs(kStats[i]));
    for (TCellControls& c : cells) {
        c.labHeight->setText(Prop("Height"));
        c.labBack->setText(Prop("CellColor"));
        c.labFont->setText(Prop("FontName"));
        c.labFontHeight->setText(Prop("FontHeight"));
        c.labFontColor->setText(Prop("FontColor"));
        c.ckFill->setText(Prop("Fill"));
        c.ckBold->setText(Prop("Bold"));
        c.ckItalic->setText(Prop("Italic"));
        c.ckUnderline->setText(Prop("Underline"));
    }
}

void TfEdTable::FillFonts()
{
    const QStringList fonts = KVRDialogFonts(fLabel, this);
    for (TCellControls& c : cells) {
        c.cbFont->clear();
        c.cbFont->addItems(fonts);
    }
}

void TfEdTable::FillColumns()
{
    QStringList fields;
    if (fLabel && fElement)
        fLabel->GetDetailFields(fields, QString(), fElement->GetSymData());
    fIntro = true;
    cBoxFields->clear();
    cBoxFields->addItems(fields);
    lbColumns->clear();
    fIntro = false;
    fNoFields = fields.isEmpty();
    if (fNoFields) {
        TKVRPrompts::ShowMessage(this, Dialogs("NoFields"));
        PColumns->hide();
        AdjustUpDown();
        return;
    }
    fIntro = true;
    cBoxFields->setCurrentIndex(0);
    for (int32_t i = 1; i <= fElement->GetColumnCount(); ++i)
        lbColumns->addItem(fElement->GetColumn(i).Header.Text);
    fIntro = false;
    if (lbColumns->count() == 0) {
        AdjustUpDown();
        butAddClick();
        return;
    }
    lbColumns->setCurrentRow(0);
    AdjustUpDown();
    ShowColumn();
}

void TfEdTable::ShowCell(const TKVRTableCell& aCell, int aIndex)
{
    TCellControls& c = cells[size_t(aIndex)];
    const int32_t height = aIndex == 0   ? fElement->GetRowHeight()
                           : aIndex == 1 ? fElement->GetHeaderHeight()
                                         : fElement->GetFooterHeight();
    c.seHeight->SetLength(height, TKVRUnits::Millimetre);
    c.ckFill->setChecked(aCell.Filled);
    // Every swatch shows the stored ARGB, so OK on it unchanged stores the same.
    c.shBack->SetColor(aCell.BackColor);
    KVRShowFont(*c.cbFont, aCell.Font.Name);
    c.seFontHeight->setValue(aCell.GetFontHeight());
    c.shFontColor->SetColor(aCell.Font.Color);
    c.ckBold->setChecked(aCell.Font.Bold);
    c.ckItalic->setChecked(aCell.Font.Italic);
    c.ckUnderline->setChecked(aCell.Font.Underline);
    c.horz[size_t(aCell.HorzAlign)]->setChecked(true);
}

void TfEdTable::ShowColumn()
{
    const TKVRColumn* column = Column();
    if (fIntro || !column)
        return;
    fIntro = true;
    cBoxFields->setCurrentIndex(cBoxFields->findText(column->FieldName));
    seWidth->setValue(int(column->Width + 0.5f));
    ckFixed->setChecked(column->Fixed);
    edFormat->setText(column->ValueFormat);
    seRowInterline->setValue(column->Body.Interline);
    vert[size_t(column->Body.VertAlign)]->setChecked(true);
    ckWrapText->setChecked(column->Body.Wrap);
    CBVisibleHead->setChecked(column->Header.Visible);
    edHeaderText->setText(column->Header.Text);
    seHeadInterline->setValue(column->Header.Interline);
    edFooterFormat->setText(column->Format);
    rcFooter[size_t(column->GetFooter())]->setChecked(true);
    ShowCell(column->Body, 0);
    ShowCell(column->Header, 1);
    ShowCell(column->Footer, 2);
    fIntro = false;
}

void TfEdTable::AdjustUpDown()
{
    // Moving columns is not offered.
    butUp->setEnabled(false);
    butDown->setEnabled(false);
}

TKVRBaseTable* TfEdTable::Element() const
{
    return fLabel && fElement && fLabel->Select() == fElement ? fElement : nullptr;
}

TKVRColumn* TfEdTable::Column() const
{
    TKVRBaseTable* table = Element();
    const int row = lbColumns->currentRow();
    return table && !fNoFields && row >= 0 && row < table->GetColumnCount() ? &table->GetColumn(row + 1) : nullptr;
}

TKVRTableCell& TfEdTable::Cell(TKVRColumn& aColumn, int aCell) const
{
    return aCell == 0 ? aColumn.Body : aCell == 1 ? aColumn.Header : aColumn.Footer;
}

template <typename F>
void TfEdTable::Write(F&& aWrite)
{
    TKVRColumn* column = Column();
    if (fIntro || !column)
        return;
    KVREditElement(*fLabel, fElement, [&] {
        aWrite(*column);
        column->Changed();
    });
}

void TfEdTable::keyPressEvent(QKeyEvent* aEvent)
{
    if (aEvent->key() == Qt::Key_Insert) {
        butAddClick();
        return;
    }
    QDialog::keyPressEvent(aEvent);
}

void TfEdTable::butAddClick()
{
    if (fIntro || fNoFields || !Element())
        return;
    QString name;
    if (!TKVRPrompts::InputQuery(this, Dialogs("AddColumn"), Prop("Name"), name) || name.isEmpty())
        return;
    // ShowColumn fills the header box with the name.
    KVRAddListRow(*fLabel, fElement, *lbColumns, name, fIntro, [&] {
        fElement->AddColumn(25.0f).Header.Text = name;
        fElement->GetColumn(fElement->GetColumnCount()).Changed();
    });
    AdjustUpDown();
    ShowColumn();
}

void TfEdTable::butDeleteClick()
{
    TKVRBaseTable* table = Element();
    if (fIntro || !Column())
        return;
    KVRDeleteListRow(*fLabel, table, *lbColumns, fIntro, [&](int32_t aColumn) { table->DeleteColumn(aColumn); });
    AdjustUpDown();
    ShowColumn();
}

void TfEdTable::lbColumnsChange()
{
    if (fIntro)
        return;
    AdjustUpDown();
    ShowColumn();
}

void TfEdTable::cBoxFieldsChange()
{
    const QString field = cBoxFields->currentText();
    if (fIntro || field.isEmpty() || !Column())
        return;
    Write([&](TKVRColumn& aColumn) {
        aColumn.SetField(field);
        aColumn.Header.Text = field;
        aColumn.Body.Text = field;
    });
    lbColumns->currentItem()->setText(field);
    fIntro = true;
    edHeaderText->setText(field);
    fIntro = false;
}

void TfEdTable::seWidthChange()
{
    float kept = 0.0f;
    Write([&](TKVRColumn& aColumn) { kept = aColumn.SetPercent(float(seWidth->value())); });
    if (kept <= 0.0f)
        return;
    fIntro = true;
    seWidth->setValue(int(kept + 0.5f));
    fIntro = false;
}

void TfEdTable::edHeaderTextChange()
{
    Write([&](TKVRColumn& aColumn) { aColumn.Header.Text = edHeaderText->text(); });
}

void TfEdTable::rcNoneChange()
{
    const int id = footOperation->checkedId();
    if (id < 0)
        return;
    Write([&](TKVRColumn& aColumn) { aColumn.SetFooter(TKVRFooter(id)); });
}

void TfEdTable::ShColColorMouseDown(TKVRColorRect* Sender)
{
    if (fIntro || !Column())
        return;
    TAlphaColor color = Sender->GetColor();
    if (!KVRPickColor(this, color))
        return;
    Sender->SetColor(color);
    const int tag = Sender->Tag();
    Write([&](TKVRColumn& aColumn) {
        TKVRTableCell& cell = Cell(aColumn, tag / 2);
        if (tag % 2)
            cell.Font.Color = color;
        else
            cell.BackColor = color;
    });
}

bool KVREditTable(TVXLabelFMX& aLabel)
{
    TKVRBaseItem* selected = aLabel.Select();
    if (!selected || selected->GetKind() != KVRItemKind::Table)
        return false;
    TfEdTable form(QApplication::activeWindow());
    form.Ini(&aLabel);
    KVRShowModal(form);
    return true;
}
