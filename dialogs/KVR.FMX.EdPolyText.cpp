#include "dialogs/KVR.FMX.EdPolyText.h"
#include "document/KVR.FMX.FontNames.h"
#include "dialogs/KVR.FMX.ItemList.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "dialogs/KVR.FMX.SelColor.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/model/TKVRBasePoly.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

TfEdPoly::TfEdPoly(QWidget* aOwner) : QDialog(aOwner)
{
    setObjectName(QStringLiteral("fEdPoly"));
    setFixedSize(530, 328);
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    lbColumns = KVRPlaced(new QListWidget(this), "lbColumns", {8, 8, 200, 270});
    butAdd = KVRPlaced(new QPushButton(this), "butAdd", {8, 288, 70, 30});
    butDelete = KVRPlaced(new QPushButton(this), "butDelete", {84, 288, 70, 30});
    butUp = KVRPlaced(new QPushButton(QStringLiteral("\u25B2"), this), "butUp", {160, 288, 22, 30});
    butDown = KVRPlaced(new QPushButton(QStringLiteral("\u25BC"), this), "butDown", {186, 288, 22, 30});

    const int x = 220, w = 300;
    labText = KVRPlaced(new QLabel(this), "labText", {x, 8, w, 18});
    edText = KVRPlaced(new QLineEdit(this), "edText", {x, 26, w, 24});
    labField = KVRPlaced(new QLabel(this), "labField", {x, 56, 140, 18});
    cBoxFields = KVRPlaced(new QComboBox(this), "cBoxFields", {x, 74, 140, 24});
    PopMenu = new QMenu(this);
    PopMenu->setObjectName(QStringLiteral("PopMenu"));
    menuClear = PopMenu->addAction(QString());
    menuClear->setObjectName(QStringLiteral("menuClear"));
    cBoxFields->setContextMenuPolicy(Qt::CustomContextMenu);
    labFormat = KVRPlaced(new QLabel(this), "labFormat", {x + 160, 56, 140, 18});
    edFormat = KVRPlaced(new QLineEdit(this), "edFormat", {x + 160, 74, 140, 24});
    labIA = KVRPlaced(new QLabel(QStringLiteral("AI"), this), "labIA", {x, 104, 140, 18});
    edIA = KVRPlaced(new QLineEdit(this), "edIA", {x, 122, 140, 24});
    ckAddParenthesis = KVRPlaced(new QCheckBox(this), "ckAddParenthesis", {x + 160, 122, 140, 24});
    labFontName = KVRPlaced(new QLabel(this), "labFontName", {x, 152, 180, 18});
    cbFontName = KVRPlaced(new QComboBox(this), "cbFontName", {x, 170, 180, 24});
    labFontHeight = KVRPlaced(new QLabel(this), "labFontHeight", {x + 190, 152, 110, 18});
    seFontHeight = KVRPlaced(new TKVRFloatBox(this), "seFontHeight", {x + 190, 170, 110, 24});
    seFontHeight->setRange(0.1, 1000.0);
    seFontHeight->setSingleStep(0.1);
    seFontHeight->SetUnits(TKVRUnits::Millimetre);
    ckBold = KVRPlaced(new QCheckBox(this), "ckBold", {x, 204, 100, 24});
    ckItalic = KVRPlaced(new QCheckBox(this), "ckItalic", {x + 110, 204, 100, 24});
    labFontColor = KVRPlaced(new QLabel(this), "labFontColor", {x, 236, 100, 18});
    shFontColor = new TKVRColorRect(this, QStringLiteral("shFontColor"));
    shFontColor->setGeometry(x, 256, 60, 24);
    shFontColor->SetTag(1);
    shBackColor = new TKVRColorRect(this, QStringLiteral("shBackColor"));
    shBackColor->setGeometry(x + 110, 256, 60, 24);
    shBackColor->SetTag(0);
    ckFill = KVRPlaced(new QCheckBox(this), "ckFill", {x + 180, 256, 100, 24});

    connect(butAdd, &QPushButton::clicked, this, &TfEdPoly::butAddClick);
    connect(butDelete, &QPushButton::clicked, this, &TfEdPoly::butDeleteClick);
    connect(butUp, &QPushButton::clicked, this, &TfEdPoly::butUpClick);
    connect(butDown, &QPushButton::clicked, this, &TfEdPoly::butDownClick);
    connect(lbColumns, &QListWidget::currentRowChanged, this, &TfEdPoly::lbColumnsChange);
    connect(edText, &QLineEdit::textChanged, this, &TfEdPoly::edTextChange);
    connect(cBoxFields, &QComboBox::currentIndexChanged, this, &TfEdPoly::cBoxFieldsChange);
    connect(cBoxFields, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& aPos) { PopMenu->popup(cBoxFields->mapToGlobal(aPos)); });
    connect(menuClear, &QAction::triggered, this, &TfEdPoly::menuClearClick);
    connect(edFormat, &QLineEdit::textChanged, this, &TfEdPoly::edFormatChange);
    connect(edIA, &QLineEdit::textChanged, this, &TfEdPoly::edIAChange);
    connect(ckAddParenthesis, &QCheckBox::toggled, this, &TfEdPoly::ckAddParenthesisChange);
    connect(cbFontName, &QComboBox::currentIndexChanged, this, &TfEdPoly::cbFontNameChange);
    connect(seFontHeight, &QDoubleSpinBox::valueChanged, this, &TfEdPoly::seFontHeightChange);
    connect(ckBold, &QCheckBox::toggled, this, &TfEdPoly::ckBoldChange);
    connect(ckItalic, &QCheckBox::toggled, this, &TfEdPoly::ckItalicChange);
    connect(ckFill, &QCheckBox::toggled, this, &TfEdPoly::ckFillChange);
    for (TKVRColorRect* rect : {shFontColor, shBackColor})
        connect(rect, &TKVRColorRect::clicked, this, [this, rect] { shBackColorMouseDown(rect); });
    KVRSetDefaultButton(*this, nullptr);  // no OK: Enter only confirms the box
}

void TfEdPoly::Ini(TVXLabelFMX* aLabel)
{
    shBackColor->hide();
    ckFill->hide();
    fLabel = aLabel;
    TKVRBaseItem* selected = aLabel ? aLabel->Select() : nullptr;
    fElement = selected && selected->GetKind() == KVRItemKind::PolyText ? static_cast<TKVRBasePoly*>(selected) : nullptr;
    fIntro = true;
    FillLanguage();
    FillFonts();
    FillFields();
    FillColumns();
    fIntro = false;
    if (fElement && fElement->GetItemCount() == 0)
        butAddClick();
}

void TfEdPoly::FillLanguage()
{
    auto prop = [](const char* aKey) { return TKVRMsg::GetPropValue(QString::fromLatin1(aKey)); };
    auto dialogs = [](const char* aKey) { return TKVRMsg::GetDialogsValue(QString::fromLatin1(aKey)); };
    setWindowTitle(QStringLiteral("    ") + prop("PolyText"));
    butAdd->setText(dialogs("Add"));
    butDelete->setText(dialogs("Delete"));
    menuClear->setText(dialogs("Clear"));
    ckFill->setText(prop("Fill"));
    ckBold->setText(prop("Bold"));
    ckItalic->setText(prop("Italic"));
    labFormat->setText(prop("Format"));
    labFontName->setText(prop("FontName"));
    labFontColor->setText(prop("Color"));
    labFontHeight->setText(prop("FontHeight"));
    labField->setText(prop("Field"));
    labText->setText(prop("Text"));
    ckAddParenthesis->setText(prop("AddParen"));
}

void TfEdPoly::FillFonts()
{
    cbFontName->clear();
    cbFontName->addItems(KVRDialogFonts(fLabel, this));
}

void TfEdPoly::FillFields()
{
    QStringList fields;
    if (fLabel && fElement)
        fLabel->GetMasterDetailFields(fields, fElement->GetSymData());
    cBoxFields->clear();
    cBoxFields->addItems(fields);
}

void TfEdPoly::FillColumns()
{
    lbColumns->clear();
    if (fElement)
        for (int32_t i = 1; i <= fElement->GetItemCount(); ++i)
            lbColumns->addItem(fElement->GetItem(i).Text.trimmed());
    if (lbColumns->count() > 0)
        lbColumns->setCurrentRow(0);
    AdjustUpDown();
    if (lbColumns->count() > 0)
        ShowColumn();
}

void TfEdPoly::ShowColumn()
{
    TKVRBasePoly* poly = Element();
    const int row = lbColumns->currentRow();
    if (!poly || row < 0 || row >= poly->GetItemCount())
        return;
    const TKVRDataPoly& item = poly->GetItem(row + 1);
    const bool intro = fIntro;
    fIntro = true;
    ckFill->setChecked(item.Filled);
    shBackColor->SetColor(item.BackColor);
    ckAddParenthesis->setChecked(item.ShowAI);
    cBoxFields->setCurrentIndex(cBoxFields->findText(item.GetSymField()));
    edText->setText(item.Text);
    edFormat->setText(item.Data.Format);
    edIA->setText(item.AI);
    KVRShowFont(*cbFontName, item.Font.Name);
    seFontHeight->SetLength(item.GetBaseFontHeight(), TKVRUnits::Millimetre);
    shFontColor->SetColor(item.Font.Color);
    ckBold->setChecked(item.Font.Bold);
    ckItalic->setChecked(item.Font.Italic);
    fIntro = intro;
}

void TfEdPoly::AdjustUpDown()
{
    const int n = lbColumns->count();
    const int row = lbColumns->currentRow();
    butUp->setEnabled(n > 0 && row > 0);
    butDown->setEnabled(n > 0 && row >= 0 && row < n - 1);
}

TKVRBasePoly* TfEdPoly::Element() const
{
    return fLabel && fElement && fLabel->Select() == fElement ? fElement : nullptr;
}

template <typename F>
void TfEdPoly::WriteItem(F&& aWrite)
{
    TKVRBasePoly* poly = Element();
    const int row = lbColumns->currentRow();
    if (fIntro || !poly || row < 0 || row >= poly->GetItemCount())
        return;
    KVREditElement(*fLabel, poly, [&] { aWrite(poly->GetItem(row + 1)); });
}

void TfEdPoly::butAddClick()
{
    if (fIntro || !Element())
        return;
    QString text;
    if (!TKVRPrompts::InputQuery(this, TKVRMsg::GetDialogsValue(QStringLiteral("AddText")),
                                 TKVRMsg::GetPropValue(QStringLiteral("Name")), text) ||
        text.isEmpty())
        return;
    KVRAddListRow(*fLabel, fElement, *lbColumns, text.trimmed(), fIntro, [&] { fElement->AddItem(text); });
    ShowColumn();
    AdjustUpDown();
}

void TfEdPoly::butDeleteClick()
{
    TKVRBasePoly* poly = Element();
    const int row = lbColumns->currentRow();
    if (fIntro || !poly || row < 0 || row >= poly->GetItemCount())
        return;
    KVRDeleteListRow(*fLabel, poly, *lbColumns, fIntro, [&](int32_t aItem) { poly->DeleteItem(aItem); });
    AdjustUpDown();
    ShowColumn();
}

void TfEdPoly::MoveItem(int aStep)
{
    TKVRBasePoly* poly = Element();
    const int row = lbColumns->currentRow();
    const int to = row + aStep;
    if (fIntro || !poly || row < 0 || to < 0 || to >= lbColumns->count() || to >= poly->GetItemCount())
        return;
    KVREditElement(*fLabel, poly, [&] { poly->Exchange(row, to); });
    fIntro = true;
    const QString text = lbColumns->item(row)->text();
    lbColumns->item(row)->setText(lbColumns->item(to)->text());
    lbColumns->item(to)->setText(text);
    lbColumns->setCurrentRow(to);
    fIntro = false;
    ShowColumn();
    AdjustUpDown();
}

void TfEdPoly::lbColumnsChange()
{
    if (fIntro)
        return;
    AdjustUpDown();
    ShowColumn();
}

void TfEdPoly::edTextChange()
{
    const QString text = edText->text();
    bool written = false;
    WriteItem([&](TKVRDataPoly& aItem) {
        aItem.SetText(text);
        written = true;
    });
    if (written && lbColumns->currentItem())
        lbColumns->currentItem()->setText(text.trimmed());
}

void TfEdPoly::cBoxFieldsChange()
{
    const QString field = cBoxFields->currentText();
    WriteItem([&](TKVRDataPoly& aItem) { aItem.SetField(field); });
}

void TfEdPoly::menuClearClick()
{
    if (fIntro)
        return;
    fIntro = true;
    cBoxFields->setCurrentIndex(-1);
    fIntro = false;
    WriteItem([](TKVRDataPoly& aItem) { aItem.SetField(QString()); });
}

void TfEdPoly::edFormatChange()
{
    const QString format = edFormat->text();
    WriteItem([&](TKVRDataPoly& aItem) { aItem.SetFormat(format); });
}

void TfEdPoly::edIAChange()
{
    const QString ai = edIA->text();
    WriteItem([&](TKVRDataPoly& aItem) { aItem.SetIA(ai); });
}

void TfEdPoly::ckAddParenthesisChange()
{
    const bool on = ckAddParenthesis->isChecked();
    WriteItem([&](TKVRDataPoly& aItem) { aItem.SetAddPar(on); });
}

void TfEdPoly::cbFontNameChange()
{
    const QString name = cbFontName->currentText();
    if (name.isEmpty())
        return;
    WriteItem([&](TKVRDataPoly& aItem) { aItem.SetFontName(name); });
}

void TfEdPoly::seFontHeightChange()
{
    const float height = float(seFontHeight->Length(TKVRUnits::Millimetre)) / 1000.0f;
    WriteItem([&](TKVRDataPoly& aItem) { aItem.SetFontHeight(height); });
}

void TfEdPoly::ckBoldChange()
{
    const bool on = ckBold->isChecked();
    WriteItem([&](TKVRDataPoly& aItem) { aItem.SetBold(on); });
}

void TfEdPoly::ckItalicChange()
{
    const bool on = ckItalic->isChecked();
    WriteItem([&](TKVRDataPoly& aItem) { aItem.SetItalic(on); });
}

void TfEdPoly::ckFillChange()
{
    const bool on = ckFill->isChecked();
    WriteItem([&](TKVRDataPoly& aItem) { aItem.SetFillBack(on); });
}

void TfEdPoly::shBackColorMouseDown(TKVRColorRect* Sender)
{
    if (fIntro || !Element() || lbColumns->currentRow() < 0)
        return;
    TAlphaColor color = Sender->GetColor();
    if (!KVRPickColor(this, color))
        return;
    Sender->SetColor(color);
    WriteItem([&](TKVRDataPoly& aItem) {
        if (Sender->Tag() == 1)
            aItem.SetFontColor(color);
        else
            aItem.SetBackColor(color);
    });
}

bool KVREditPolyText(TVXLabelFMX& aLabel)
{
    TKVRBaseItem* selected = aLabel.Select();
    if (!selected || selected->GetKind() != KVRItemKind::PolyText)
        return false;
    TfEdPoly form(QApplication::activeWindow());
    form.Ini(&aLabel);
    KVRShowModal(form);
    return true;
}
