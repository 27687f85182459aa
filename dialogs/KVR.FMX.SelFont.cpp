#include "dialogs/KVR.FMX.SelFont.h"
#include <QListWidget>
#include <QVBoxLayout>

TfSelFont::TfSelFont(QWidget* aOwner) : QDialog(aOwner, Qt::Popup)
{
    setObjectName(QStringLiteral("fSelFont"));
    resize(220, 200);
    FontListBox = new QListWidget(this);
    FontListBox->setObjectName(QStringLiteral("FontListBox"));
    FontListBox->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FontListBox);
    connect(FontListBox, &QListWidget::currentRowChanged, this, &TfSelFont::FontListBoxChange);
}

void TfSelFont::LoadFonts(const QStringList& aFonts)
{
    FontListBox->clear();
    FontListBox->addItems(aFonts);
    if (!aFonts.isEmpty())
        FontListBox->setCurrentRow(0);
}

QString TfSelFont::GetSelectedFont() const
{
    const int row = FontListBox->currentRow();
    return row >= 0 && row < FontListBox->count() ? FontListBox->item(row)->text() : QString();
}

void TfSelFont::FontListBoxChange()
{
    if (fOnFontSelected)
        fOnFontSelected(this);
}
