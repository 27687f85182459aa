#include "dialogs/KVR.FMX.SelSymbol.h"
#include "dialogs/KVR.FMX.DialogKit.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "platform/rtl/model/TKVRLibrary.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "views/KVR.FMX.ViewLibrary.h"
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <exception>

namespace {

QLabel* PlainLabel(QWidget* aParent, const QString& aName)
{
    auto* label = new QLabel(aParent);
    label->setObjectName(aName);
    // Names and notes come from files: never taken as mark-up.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString CurDrawing()
{
    return TKVRMsg::GetDialogsValue(QStringLiteral("CurDrawing"));
}

}  // namespace

TfSelSymbol::TfSelSymbol(QWidget* aOwner) : QDialog(aOwner)
{
    setObjectName(QStringLiteral("fSelSymbol"));
    resize(794, 511);
    tvCategory = new QTreeWidget(this);
    tvCategory->setObjectName(QStringLiteral("tvCategory"));
    tvCategory->setHeaderHidden(true);
    labName = new TKVRElidedLabel(this, QStringLiteral("labName"));
    labUnits = PlainLabel(this, QStringLiteral("labUnits"));
    labNote = new TKVRElidedLabel(this, QStringLiteral("labNote"));
    butOK = new QPushButton(this);
    butOK->setObjectName(QStringLiteral("butOK"));
    butCancel = new QPushButton(this);
    butCancel->setObjectName(QStringLiteral("butCancel"));
    KVRViewLibrary = new TKVRViewLibrary(this);
    KVRViewLibrary->setObjectName(QStringLiteral("KVRViewLibrary"));

    auto* left = new QGridLayout;
    left->addWidget(tvCategory, 0, 0, 1, 2);
    left->addWidget(labName, 1, 0);
    left->addWidget(labUnits, 1, 1);
    left->addWidget(labNote, 2, 0, 1, 2);
    left->addWidget(butOK, 3, 0);
    left->addWidget(butCancel, 3, 1);
    left->setRowStretch(0, 1);
    left->setRowMinimumHeight(1, 26);
    left->setRowMinimumHeight(2, 32);
    left->setRowMinimumHeight(3, 32);
    left->setColumnStretch(0, 1);
    left->setColumnStretch(1, 1);
    auto* box = new QHBoxLayout(this);
    box->addLayout(left, 1);
    box->addWidget(KVRViewLibrary, 2);

    connect(butOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(tvCategory, &QTreeWidget::currentItemChanged, this, &TfSelSymbol::tvCategoryChange);
    connect(KVRViewLibrary, &TKVRBaseViewLib::SelectionChanged, this, &TfSelSymbol::CheckOK);
    KVRViewLibrary->OnChangePos = [this](QObject* aSender, const QString& aName, const QString& aNote,
                                         TKVRUnits aUnits) { KVRViewLibraryChangePos(aSender, aName, aNote, aUnits); };
    CheckOK();
}

TfSelSymbol::~TfSelSymbol() = default;

void TfSelSymbol::Ini(TVXLabelFMX* aLabel, const QString& aFolder, const QString&)
{
    setWindowTitle(QStringLiteral("    ") + TKVRMsg::GetDialogsValue(QStringLiteral("SymbolLib")));
    butOK->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Ok")));
    butCancel->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Cancel")));
    fIndex = -2;
    KVRViewLibrary->SetLabel(aLabel);
    KVRViewLibraryChangePos(KVRViewLibrary, QString(), QString(), TKVRUnits::Millimetre);
    listCategories.clear();

    const QDir dir(aFolder);
    if (aFolder.isEmpty() || !dir.exists() || !QFileInfo(dir.absolutePath()).isReadable()) {
        TKVRPrompts::ShowMessage(this, QStringLiteral("Incorrect path or search mask"));
        FillTree(false);
        return;
    }
    QStringList damaged;
    const QStringList files = dir.entryList({QStringLiteral("*.lyp")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : files) {
        const QString file = dir.absoluteFilePath(name);
        bool accept = true;
        // Asked before the file is read, so a refused file is never opened.
        if (aLabel && aLabel->OnReadSymEvent)
            aLabel->OnReadSymEvent(aLabel, file, accept);
        if (!accept)
            continue;
        try {
            listCategories.push_back({file, TKVRLibrary::CategoryList(file).split(QLatin1Char('\n'))});
        } catch (const std::exception& e) {
            damaged.append(QString::fromUtf8(e.what()));
        }
    }
    FillTree(aLabel && aLabel->GetSymbolCount() > 0);
    if (!damaged.isEmpty())
        TKVRPrompts::ShowMessage(this, QStringLiteral("These symbol libraries cannot be read and were left out:\n") +
                                           damaged.join(QLatin1Char('\n')));
}

QTreeWidgetItem* TfSelSymbol::FindOrAdd(QTreeWidgetItem* aParent, const QString& aText, int aLibrary,
                                        const QString& aPath, int& aNumber)
{
    const int count = aParent ? aParent->childCount() : tvCategory->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* item = aParent ? aParent->child(i) : tvCategory->topLevelItem(i);
        if (item->text(0) == aText && item->data(0, LibraryRole).toInt() == aLibrary)
            return item;
    }
    auto* item = aParent ? new QTreeWidgetItem(aParent) : new QTreeWidgetItem(tvCategory);
    item->setText(0, aText);
    item->setData(0, LibraryRole, aLibrary);
    item->setData(0, NumberRole, aNumber++);
    item->setData(0, PathRole, aPath);
    return item;
}

void TfSelSymbol::FillTree(bool aCurrentDrawing)
{
    fReading = true;
    tvCategory->setUpdatesEnabled(false);
    tvCategory->clear();
    int number = 1;
    if (aCurrentDrawing) {
        auto* item = new QTreeWidgetItem(tvCategory);
        item->setText(0, CurDrawing());
        item->setData(0, LibraryRole, -1);
        item->setData(0, NumberRole, -1);
        item->setData(0, PathRole, QStringLiteral("*"));
    }
    for (size_t i = 0; i < listCategories.size(); ++i) {
        const TLibraryEntry& entry = listCategories[i];
        for (const QString& category : entry.Categories) {
            // Empty levels ("/lead//double/") make no item; symbols without
            // a category are filed under their library's name.
            QStringList parts = category.split(QLatin1Char('/'), Qt::SkipEmptyParts);
            const bool none = parts.isEmpty();
            if (none)
                parts = {QFileInfo(entry.File).completeBaseName()};
            QTreeWidgetItem* parent = nullptr;
            QStringList path;
            for (qsizetype p = 0; p < parts.size(); ++p) {
                path.append(parts[p]);
                // The last level loads its category as the file spells it.
                const QString itemPath = none                     ? category
                                         : p + 1 == parts.size() ? category
                                                                 : path.join(QLatin1Char('/'));
                parent = FindOrAdd(parent, parts[p], int(i), itemPath, number);
            }
        }
    }
    tvCategory->setUpdatesEnabled(true);
    fReading = false;
}

void TfSelSymbol::tvCategoryChange()
{
    QTreeWidgetItem* item = tvCategory->currentItem();
    if (fReading || !item || item->data(0, NumberRole).toInt() == fIndex)
        return;
    fIndex = item->data(0, NumberRole).toInt();
    const int library = item->data(0, LibraryRole).toInt();
    QString error;
    bool loaded = true;
    if (library < 0) {
        loaded = KVRViewLibrary->LoadSymbols(CurDrawing(), QStringLiteral("*"), &error);
    } else if (size_t(library) < listCategories.size()) {
        lastFile = listCategories[size_t(library)].File;
        fLastCat = item->text(0);
        loaded = KVRViewLibrary->LoadSymbols(lastFile, item->data(0, PathRole).toString(), &error);
    }
    CheckOK();
    if (!loaded)
        TKVRPrompts::ShowMessage(this, error);
}

void TfSelSymbol::KVRViewLibraryChangePos(QObject*, const QString& aName, const QString& aNote, TKVRUnits aUnits)
{
    labName->SetFullText(aName);
    labUnits->setText(aName.isEmpty() ? QString() : SymUnit(aUnits, false));
    labNote->SetFullText(aName.isEmpty() ? QString() : aNote);
}

const TKVRBaseLibSymbol* TfSelSymbol::GetSelection() const
{
    return KVRViewLibrary->GetSelection();
}

void TfSelSymbol::CheckOK()
{
    butOK->setEnabled(GetSelection() != nullptr);
}

bool TKVRSymbolBrowser::Browse(TVXLabelFMX& aLabel, QString& aLastCat, std::unique_ptr<TKVRBaseLibSymbol>& aSymbol)
{
    TfSelSymbol form(QApplication::activeWindow());
    form.Ini(&aLabel, aLabel.GetLibraryFolder(), aLastCat);
    if (KVRShowModal(form) != 1 || !form.GetSelection())
        return false;
    // The document gets a copy: the form's symbols go with the form.
    auto copy = std::make_unique<TKVRBaseLibSymbol>();
    QString error;
    if (!copy->ReadJson(form.GetSelection()->WriteJson(), error)) {
        TKVRPrompts::ShowMessage(QApplication::activeWindow(), error);
        return false;
    }
    aLastCat = form.fLastCat;
    aSymbol = std::move(copy);
    return true;
}
