#include "dialogs/KVR.FMX.Layers.h"
#include "dialogs/KVR.FMX.Back.Margins.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "dialogs/KVR.FMX.SelColor.h"
#include "dialogs/KVR.FMX.SelMap.h"
#include "document/KVR.FMX.FontNames.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

TfLayers::TfLayers(QWidget* aOwner) : QDialog(aOwner)
{
    setObjectName(QStringLiteral("fLayers"));
    setFixedSize(666, 328);
    const auto button = [this](const char* aName, const QRect& aRect) {
        return KVRPlaced(new QPushButton(this), aName, aRect);
    };
    const auto check = [this](const char* aName, const QRect& aRect) {
        return KVRPlaced(new QCheckBox(this), aName, aRect);
    };
    const auto label = [this](const char* aName, const QRect& aRect) {
        return KVRPlaced(new QLabel(this), aName, aRect);
    };
    butAdd = button("butAdd", {8, 8, 100, 26});
    butDelete = button("butDelete", {114, 8, 100, 26});
    ckLayerZPos = check("ckLayerZPos", {8, 292, 206, 24});
    butUp = button("butUp", {222, 40, 30, 30});
    butDown = button("butDown", {222, 76, 30, 30});
    butUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    butDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    lbLayers = KVRPlaced(new QListWidget(this), "lbLayers", {8, 40, 206, 246});
    labName = label("labName", {264, 8, 120, 20});
    edName = KVRPlaced(new QLineEdit(this), "edName", {264, 30, 190, 24});
    labFontName = label("labFontName", {464, 8, 190, 20});
    cbFontName = KVRPlaced(new QComboBox(this), "cbFontName", {464, 30, 190, 24});
    labBackColor = label("labBackColor", {264, 64, 120, 20});
    shBackColor = KVRPlaced(new TKVRColorRect(this), "shBackColor", {264, 86, 60, 24});
    labColor = label("labColor", {334, 64, 120, 20});
    shColor = KVRPlaced(new TKVRColorRect(this), "shColor", {334, 86, 60, 24});
    labFontColor = label("labFontColor", {404, 64, 120, 20});
    shFontColor = KVRPlaced(new TKVRColorRect(this), "shFontColor", {404, 86, 60, 24});
    shBackColor->SetTag(0);
    shColor->SetTag(1);
    shFontColor->SetTag(2);
    labFontHeight = label("labFontHeight", {484, 64, 170, 20});
    seFontHeight = KVRPlaced(new TKVRFloatBox(this), "seFontHeight", {484, 86, 80, 24});
    seFontHeight->setRange(0.1, 1000);
    seFontHeight->setSingleStep(0.1);
    seFontHeight->setDecimals(3);
    labPenWidth = label("labPenWidth", {574, 64, 80, 20});
    sePenWidth = KVRPlaced(new TKVRFloatBox(this), "sePenWidth", {574, 86, 80, 24});
    sePenWidth->setRange(0.1, 100);
    sePenWidth->setSingleStep(0.1);
    sePenWidth->setDecimals(3);
    ckActive = check("ckActive", {264, 124, 190, 22});
    ckVisible = check("ckVisible", {264, 150, 190, 22});
    ckPrint = check("ckPrint", {264, 176, 190, 22});
    ckSelect = check("ckSelect", {264, 202, 190, 22});
    ckExport = check("ckExport", {264, 228, 190, 22});
    butApplyValues = button("butApplyValues", {464, 124, 190, 26});
    butBackImage = button("butBackImage", {464, 156, 190, 26});
    butBackMap = button("butBackMap", {464, 188, 190, 26});
    butBackMargins = button("butBackMargins", {464, 220, 190, 26});
    ckPrintBack = check("ckPrintBack", {464, 254, 190, 22});
    ckExportBack = check("ckExportBack", {464, 280, 190, 22});
    // These buttons have no action yet; shown so the form reads as designed.
    butApplyValues->setEnabled(false);
    butBackImage->setEnabled(false);

    connect(lbLayers, &QListWidget::currentRowChanged, this, &TfLayers::lbLayersChange);
    connect(lbLayers, &QListWidget::itemSelectionChanged, this, &TfLayers::lbLayersChange);
    connect(butAdd, &QPushButton::clicked, this, &TfLayers::butAddClick);
    connect(butDelete, &QPushButton::clicked, this, &TfLayers::butDeleteClick);
    connect(butUp, &QPushButton::clicked, this, &TfLayers::butUpClick);
    connect(butDown, &QPushButton::clicked, this, &TfLayers::butDownClick);
    connect(edName, &QLineEdit::textEdited, this, &TfLayers::edNameChange);
    connect(cbFontName, &QComboBox::activated, this, &TfLayers::cbFontNameChange);
    connect(seFontHeight, &QDoubleSpinBox::valueChanged, this, &TfLayers::seFontHeightChange);
    connect(sePenWidth, &QDoubleSpinBox::valueChanged, this, &TfLayers::sePenWidthChange);
    // clicked, not toggled: filling the boxes must not write.
    connect(ckActive, &QCheckBox::clicked, this, &TfLayers::ckActiveChange);
    connect(ckLayerZPos, &QCheckBox::clicked, this, &TfLayers::ckLayerZPosClick);
    const std::pair<QCheckBox*, uint16_t> options[] = {
        {ckVisible, TKVRLayer::StateVisible},     {ckPrint, TKVRLayer::StatePrintable},
        {ckSelect, TKVRLayer::StateSelect},       {ckExport, TKVRLayer::StateExport},
        {ckPrintBack, TKVRLayer::StateBackPrint}, {ckExportBack, TKVRLayer::StateBackExport},
    };
    for (const auto& [box, bit] : options)
        connect(box, &QCheckBox::clicked, this, [this, box, bit] { OptionChange(box, bit); });
    for (TKVRColorRect* rect : {shBackColor, shColor, shFontColor})
        connect(rect, &TKVRColorRect::clicked, this, [this, rect] { shBackColorMouseDown(rect); });
    connect(butBackMap, &QPushButton::clicked, this, &TfLayers::butBackMapClick);
    connect(butBackMargins, &QPushButton::clicked, this, &TfLayers::butBackMarginsClick);
    KVRSetDefaultButton(*this, nullptr);  // no OK: Enter only confirms the box
}

void TfLayers::Ini(TVXLabelFMX* aLabel)
{
    fDPIX = 96;
    fLabel = aLabel;
    fIntro = true;
    cbFontName->clear();
    cbFontName->addItems(KVRDialogFonts(fLabel, this));
    FillLanguage();
    ckLayerZPos->setChecked(fLabel->GetLayerZOrder());
    fIntro = false;
    FillLayers();
}

void TfLayers::FillLanguage()
{
    const auto prop = [](const char* aKey) { return TKVRMsg::GetPropValue(QLatin1String(aKey)); };
    const auto dlg = [](const char* aKey) { return TKVRMsg::GetDialogsValue(QLatin1String(aKey)); };
    setWindowTitle(QStringLiteral("    ") + dlg("Layers"));
    const std::pair<QAbstractButton*, QString> buttons[] = {
        {butAdd, dlg("Add")},
        {butDelete, dlg("Delete")},
        {butApplyValues, dlg("ApplyLayer")},
        {butBackImage, dlg("BackImage")},
        {butBackMap, dlg("BackMap")},
        {butBackMargins, dlg("BackMargins")},
        {ckLayerZPos, prop("ZOrderLayer")},
        {ckActive, prop("Active")},
        {ckVisible, prop("View")},
        {ckPrint, prop("Print")},
        {ckSelect, prop("Select")},
        {ckExport, dlg("Export")},
        {ckPrintBack, dlg("PrintBack")},
        {ckExportBack, dlg("ExportBack")},
    };
    for (const auto& [button, text] : buttons)
        button->setText(text);
    const std::pair<QLabel*, QString> labels[] = {
        {labBackColor, prop("BackColor")}, {labColor, prop("Color")},          {labFontColor, prop("FontColor")},
        {labName, dlg("Layer")},           {labFontName, prop("FontName")},    {labFontHeight, prop("FontHeight")},
        {labPenWidth, prop("PenWidth")},
    };
    for (const auto& [label, text] : labels)
        label->setText(text);
}

void TfLayers::FillLayers()
{
    fIntro = true;
    lbLayers->clear();
    for (int32_t i = 0; i < fLabel->GetLayersCount(); ++i)
        lbLayers->addItem(fLabel->GetLayer(i)->GetName());
    fIntro = false;
    lbLayers->setCurrentRow(0);
    lbLayersChange();
}

TKVRLayer* TfLayers::Editable() const
{
    if (fIntro || !fLabel || lbLayers->selectedItems().isEmpty())
        return nullptr;
    return fLabel->FindLayer(fSelRow);
}

void TfLayers::Write(const std::function<void(TKVRLayer&)>& aChange)
{
    TKVRLayer* layer = Editable();
    if (!layer)
        return;
    fLabel->BeginUpdate(true);
    try {
        aChange(*layer);
        fLabel->Refresh();
    } catch (...) {
        fLabel->EndUpdate();
        throw;
    }
    fLabel->EndUpdate();
}

void TfLayers::ShowLayer()
{
    const TKVRLayer* layer = fLabel ? fLabel->FindLayer(fSelRow) : nullptr;
    if (!layer)
        return;
    const bool intro = fIntro;
    fIntro = true;
    edName->setText(layer->GetName());
    KVRShowFont(*cbFontName, layer->FontName);
    seFontHeight->SetExact(layer->GetFontHeight());
    sePenWidth->SetExact(layer->GetPenWidth());
    shBackColor->SetColor(layer->BackColor);
    shColor->SetColor(layer->Color);
    shFontColor->SetColor(layer->FontColor);
    ckActive->setChecked(fLabel->GetActiveLayerIndex() == fSelRow);
    const uint16_t state = layer->GetState();
    ckVisible->setChecked(state & TKVRLayer::StateVisible);
    ckPrint->setChecked(state & TKVRLayer::StatePrintable);
    ckSelect->setChecked(state & TKVRLayer::StateSelect);
    ckExport->setChecked(state & TKVRLayer::StateExport);
    ckPrintBack->setChecked(state & TKVRLayer::StateBackPrint);
    ckExportBack->setChecked(state & TKVRLayer::StateBackExport);
    fIntro = intro;
}

void TfLayers::AdjustUpDown()
{
    // The default layer 0 never moves nor is deleted, and nothing moves above it.
    const bool movable = fSelRow >= 1 && !lbLayers->selectedItems().isEmpty();
    butUp->setEnabled(movable && fSelRow > 1);
    butDown->setEnabled(movable && fSelRow < lbLayers->count() - 1);
    butDelete->setEnabled(movable);
}

void TfLayers::lbLayersChange()
{
    if (fIntro)
        return;
    fSelRow = lbLayers->selectedItems().isEmpty() ? -1 : lbLayers->currentRow();
    ShowLayer();
    AdjustUpDown();
}

void TfLayers::butAddClick()
{
    if (!fLabel)
        return;
    fLabel->BeginUpdate(true);
    fLabel->AddLayer(QString::number(fLabel->GetLayersCount()));
    fLabel->EndUpdate();
    const int32_t last = fLabel->GetLayersCount() - 1;
    lbLayers->addItem(fLabel->GetLayer(last)->GetName());
    lbLayers->setCurrentRow(last);
    lbLayersChange();
}

void TfLayers::butDeleteClick()
{
    if (!Editable())
        return;
    if (fSelRow < 1) {
        TKVRPrompts::ShowMessage(this, TKVRMsg::GetErrorValue(QStringLiteral("DelDefLayer")));
        return;
    }
    if (!TKVRPrompts::Confirm(this, TKVRMsg::GetDialogsValue(QStringLiteral("DelLayer"))))
        return;
    fLabel->BeginUpdate(true);
    const bool deleted = fLabel->DeleteLayer(fSelRow);
    fLabel->EndUpdate();
    if (!deleted)
        return;
    fIntro = true;
    delete lbLayers->takeItem(fSelRow);
    fIntro = false;
    lbLayers->setCurrentRow(std::min(fSelRow, int32_t(lbLayers->count()) - 1));
    lbLayersChange();
}

void TfLayers::MoveLayer(int32_t aStep)
{
    const int32_t to = fSelRow + aStep;
    // Layer 0 stays first: nothing moves into or out of row 0.
    if (!Editable() || fSelRow < 1 || to < 1 || to >= lbLayers->count())
        return;
    fLabel->BeginUpdate(true);
    const bool swapped = fLabel->ExchangeLayers(fSelRow, to);
    fLabel->EndUpdate();
    if (!swapped)
        return;
    fIntro = true;
    lbLayers->item(fSelRow)->setText(fLabel->GetLayer(fSelRow)->GetName());
    lbLayers->item(to)->setText(fLabel->GetLayer(to)->GetName());
    fIntro = false;
    lbLayers->setCurrentRow(to);
    lbLayersChange();
}

void TfLayers::butUpClick() { MoveLayer(-1); }
void TfLayers::butDownClick() { MoveLayer(1); }

void TfLayers::edNameChange()
{
    Write([this](TKVRLayer& l) { l.SetName(edName->text()); });
    if (Editable())
        lbLayers->item(fSelRow)->setText(edName->text());
}

void TfLayers::cbFontNameChange()
{
    Write([this](TKVRLayer& l) { l.SetFontName(cbFontName->currentText()); });
}

void TfLayers::seFontHeightChange()
{
    Write([this](TKVRLayer& l) { l.SetFontHeight(float(seFontHeight->value())); });
}

void TfLayers::sePenWidthChange()
{
    Write([this](TKVRLayer& l) { l.SetPenWidth(float(sePenWidth->value())); });
}

void TfLayers::ckActiveChange()
{
    if (!ckActive->isChecked()) {
        // The active layer is chosen, never left without one.
        ckActive->setChecked(Editable() && fLabel->GetActiveLayerIndex() == fSelRow);
        return;
    }
    Write([this](TKVRLayer&) { fLabel->SetActiveLayer(fSelRow); });
}

void TfLayers::OptionChange(QCheckBox* aBox, uint16_t aBit)
{
    Write([aBox, aBit](TKVRLayer& l) {
        l.SetState(aBox->isChecked() ? uint16_t(l.GetState() | aBit) : uint16_t(l.GetState() & ~aBit));
    });
}

void TfLayers::ckLayerZPosClick()
{
    if (!fLabel)
        return;
    fLabel->BeginUpdate(true);
    fLabel->SetLayerZOrder(ckLayerZPos->isChecked());
    fLabel->Refresh();
    fLabel->EndUpdate();
}

void TfLayers::shBackColorMouseDown(TKVRColorRect* Sender)
{
    if (!Editable())
        return;
    TAlphaColor color = Sender->GetColor();
    if (!KVRPickColor(this, color))
        return;
    Sender->SetColor(color);
    Write([&](TKVRLayer& l) {
        if (Sender->Tag() == 0)
            l.SetBackColor(color);
        else if (Sender->Tag() == 1)
            l.SetColor(color);
        else
            l.SetFontColor(color);
    });
}

void TfLayers::butBackMapClick()
{
    if (!Editable())
        return;
    const TKVRMeasure& m = fLabel->GetMeasure();
    const int32_t w = RoundHalfEven32(MicrometresToPixels(double(m.GetSize(2)), fDPIX));
    const int32_t h = RoundHalfEven32(MicrometresToPixels(double(m.GetSize(3)), fDPIX));
    TfSelMap form(QApplication::activeWindow());
    try {
        form.Ini(fLabel, true, w, h);
    } catch (const std::exception& e) {
        TKVRPrompts::ShowMessage(this, QString::fromUtf8(e.what()));
        return;
    }
    if (KVRShowModal(form) != 1)
        return;
    const int32_t row = fSelRow;
    Write([&](TKVRLayer& l) {
        l.SetState(uint16_t(l.GetState() | TKVRLayer::StateComposedMap));
        fLabel->SetLayerFileImg(row, fLabel->GetMapping().GetImageFile());
        if (form.ckAsignScale->isChecked())
            fLabel->GetMapping().ApplyScale();
    });
}

void TfLayers::butBackMarginsClick()
{
    if (!Editable())
        return;
    TfBackMargins form(QApplication::activeWindow());
    form.Ini(fLabel, fSelRow);
    if (KVRShowModal(form) != 1)
        return;
    Write([&form](TKVRLayer& l) { form.WriteBack(l); });
}

void TfLayers::butCloseClick() { close(); }
