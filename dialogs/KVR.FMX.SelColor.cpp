#include "dialogs/KVR.FMX.SelColor.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "render/TKVRDraw.h"
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>

TfSelColor::TfSelColor(QWidget* aOwner) : QDialog(aOwner, Qt::Tool)
{
    setObjectName(QStringLiteral("fSelColor"));
    setFixedSize(341, 247);

    ColorPanel = new TKVRColorPanel(this);
    ColorPanel->setGeometry(8, 8, 210, 150);
    ColorPanel->SetColor(TAlphaColors::White);
    RectanglePreview = new TKVRColorRect(this, QStringLiteral("RectanglePreview"));
    RectanglePreview->setGeometry(8, 166, 210, 28);
    RectanglePreview->setCursor(Qt::ArrowCursor);

    QSpinBox** boxes[] = {&seRed, &seGreen, &seBlue, &seAlpha};
    const char* names[] = {"seRed", "seGreen", "seBlue", "seAlpha"};
    const char* captions[] = {"R", "G", "B", "A"};
    for (int i = 0; i < 4; ++i) {
        QLabel* caption = new QLabel(QString::fromLatin1(captions[i]), this);
        QFont font = caption->font();
        font.setPixelSize(14);
        caption->setFont(font);
        caption->setGeometry(232, 8 + i * 38, 18, 28);
        QSpinBox* box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(names[i]));
        box->setRange(0, 255);
        box->setValue(255);
        box->setGeometry(254, 8 + i * 38, 78, 28);
        connect(box, &QSpinBox::valueChanged, this, &TfSelColor::seRedChange);
        *boxes[i] = box;
    }

    TKVRColorRect** swatches[] = {&rec01, &rec02, &rec03, &rec04, &rec05, &rec06, &rec07, &rec08};
    for (int i = 0; i < 8; ++i) {
        auto* rec = new TKVRColorRect(this, QStringLiteral("rec%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        rec->SetTag(i);
        rec->setGeometry(8 + i * 27, 204, 22, 22);
        connect(rec, &TKVRColorRect::clicked, this, [this, rec] { rec01Click(rec); });
        *swatches[i] = rec;
    }

    butSave = new QPushButton(this);
    butSave->setObjectName(QStringLiteral("butSave"));
    butSave->setGeometry(232, 160, 100, 28);
    connect(butSave, &QPushButton::clicked, this, &TfSelColor::butSaveClick);
    butOK = new QPushButton(this);
    butOK->setObjectName(QStringLiteral("butOK"));
    butOK->setGeometry(232, 204, 48, 28);
    butOK->setDefault(true);
    connect(butOK, &QPushButton::clicked, this, &QDialog::accept);
    butCancel = new QPushButton(this);
    butCancel->setObjectName(QStringLiteral("butCancel"));
    butCancel->setGeometry(284, 204, 48, 28);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);

    connect(ColorPanel, &TKVRColorPanel::Change, this, &TfSelColor::ColorPanelChange);
}

void TfSelColor::Ini(const QString&, TAlphaColor aColor)
{
    fAsign = false;
    butOK->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Ok")));
    butCancel->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Cancel")));
    butSave->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Save")));
    ColorPanel->SetColor(aColor);
    ColorPanelChange();  // the panel stays silent when the colour is already shown
    fSelRec = nullptr;
    for (int i = 0; i < 8; ++i) {
        TKVRColorRect* rec = SearchRec(QStringLiteral("rec%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        if (!rec)
            continue;
        if (SavedColors[size_t(i)].fAsigned) {
            rec->SetColor(SavedColors[size_t(i)].fColor);
            continue;
        }
        rec->SetEmpty();
        if (!fSelRec)
            fSelRec = rec;
    }
}

TKVRColorRect* TfSelColor::SearchRec(const QString& aName) const
{
    for (TKVRColorRect* rec : findChildren<TKVRColorRect*>())
        if (rec->objectName().compare(aName, Qt::CaseInsensitive) == 0)
            return rec;
    return nullptr;
}

void TfSelColor::ColorPanelChange()
{
    const TAlphaColor color = ColorPanel->GetColor();
    RectanglePreview->SetColor(color);
    if (fAsign)
        return;
    QScopedValueRollback<bool> guard(fAsign, true);
    seRed->setValue(int((color >> 16) & 0xFF));
    seGreen->setValue(int((color >> 8) & 0xFF));
    seBlue->setValue(int(color & 0xFF));
    seAlpha->setValue(int(color >> 24));
}

void TfSelColor::seRedChange()
{
    if (fAsign)
        return;
    QScopedValueRollback<bool> guard(fAsign, true);
    ColorPanel->SetColor(AlphaColor(uint8_t(seRed->value()), uint8_t(seGreen->value()), uint8_t(seBlue->value()),
                                    uint8_t(seAlpha->value())));
}

void TfSelColor::rec01Click(TKVRColorRect* Sender)
{
    fSelRec = Sender;
    const TSaveColor& saved = SavedColors[size_t(Sender->Tag())];
    if (saved.fAsigned)
        ColorPanel->SetColor(saved.fColor);
}

void TfSelColor::butSaveClick()
{
    if (!fSelRec)
        return;
    const TAlphaColor color = ColorPanel->GetColor();
    fSelRec->SetColor(color);
    SavedColors[size_t(fSelRec->Tag())] = {color, true};
}

bool KVRPickColor(QWidget* aOwner, TAlphaColor& ioColor)
{
    TfSelColor picker(aOwner);
    picker.Ini(QString(), ioColor);
    if (KVRShowModal(picker) != 1)
        return false;
    ioColor = picker.GetSelColor();
    return true;
}
