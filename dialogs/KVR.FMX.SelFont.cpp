#include "dialogs/KVR.FMX.SelFont.h"
#include <QSet>
#include <QListWidget>
#include <QRegularExpression>
#include <QVBoxLayout>

TfSelFont::TfSelFont(QWidget* aOwner) : QDialog(aOwner, Qt::Popup)
{
    setObjectName(QStringLiteral("fSelFont"));
    resize(220, 200);
    FontListBox = new TKVRChoiceList(this, QStringLiteral("FontListBox"));
    FontListBox->setFocus();  // the keys go to the list once the popup shows
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FontListBox);
    connect(FontListBox, &TKVRChoiceList::Chosen, this, &TfSelFont::FontListBoxChange);
}

void TfSelFont::LoadFonts(const QStringList& aFonts)
{
    static const QRegularExpression foundry(QStringLiteral("\\s+\\[[^\\]]*\\]$"));
    QStringList families;
    QSet<QString> seen;
    for (QString font : aFonts) {
        font.remove(foundry);
        const QString key = font.toCaseFolded();
        if (font.isEmpty() || seen.contains(key))
            continue;
        seen.insert(key);
        families << font;
    }
    FontListBox->clear();
    FontListBox->addItems(families);
    if (!families.isEmpty())
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
