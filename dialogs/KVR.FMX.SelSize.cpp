#include "dialogs/KVR.FMX.SelSize.h"
#include <QListWidget>
#include <QVBoxLayout>

TfSelSize::TfSelSize(QWidget* aOwner) : QDialog(aOwner, Qt::Popup)
{
    setObjectName(QStringLiteral("fSelSize"));
    resize(100, 200);
    SizeListBox = new TKVRChoiceList(this, QStringLiteral("SizeListBox"));
    SizeListBox->setFocus();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SizeListBox);
    connect(SizeListBox, &TKVRChoiceList::Chosen, this, &TfSelSize::SizeListBoxChange);
}

void TfSelSize::LoadSizes()
{
    SizeListBox->clear();
    for (int32_t n = 4; n <= 15; ++n) {
        auto* item = new QListWidgetItem(QStringLiteral("%1 mm").arg(n), SizeListBox);
        item->setData(Qt::UserRole, n);
    }
    SizeListBox->setCurrentRow(-1);
}

int32_t TfSelSize::GetSelectedSize() const
{
    const int row = SizeListBox->currentRow();
    if (row < 0 || row >= SizeListBox->count())
        return 0;
    return SizeListBox->item(row)->data(Qt::UserRole).toInt();
}

void TfSelSize::SizeListBoxChange()
{
    if (fOnSizeSelected)
        fOnSizeSelected(this);
}
