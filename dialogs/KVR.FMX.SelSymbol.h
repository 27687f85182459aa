#pragma once
// The symbol browser: the categories of the library files in a folder (and
// the open drawing's own symbols) in a tree, the chosen category's symbols in
// a library view, the name, units and note of the symbol under the pointer.
#include "dialogs/KVR.FMX.DialogKit.h"
#include "editor/TKVRBaseEditor.h"
#include "platform/rtl/label/KVR.Units.h"
#include <QDialog>
#include <QStringList>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TKVRBaseLibSymbol;
class TKVRViewLibrary;
class TVXLabelFMX;

class TfSelSymbol : public QDialog
{
    Q_OBJECT

public:
    // Item data of the tree: the library's index in listCategories (-1: the
    // current drawing), the item's running number, its category path.
    static constexpr int LibraryRole = Qt::UserRole;
    static constexpr int NumberRole = Qt::UserRole + 1;
    static constexpr int PathRole = Qt::UserRole + 2;

    explicit TfSelSymbol(QWidget* aOwner = nullptr);
    ~TfSelSymbol() override;

    // Lists the ".lyp" files of aFolder that the label's OnReadSymEvent
    // accepts. Files that cannot be read are left out and named in one
    // message after the listing.
    void Ini(TVXLabelFMX* aLabel, const QString& aFolder, const QString& aLastCat);
    // The symbol selected in the view; it stays the form's.
    const TKVRBaseLibSymbol* GetSelection() const;

    struct TLibraryEntry
    {
        QString File;
        QStringList Categories;
    };

    QTreeWidget* tvCategory;
    // Names and notes come from files: shortened to their room, whole as tool tips.
    TKVRElidedLabel* labName;
    QLabel* labUnits;
    TKVRElidedLabel* labNote;
    QPushButton* butOK;
    QPushButton* butCancel;
    TKVRViewLibrary* KVRViewLibrary;

    std::vector<TLibraryEntry> listCategories;  // sorted by file, ignoring case
    QString lastFile;
    QString fLastCat;
    bool fReading = true;
    int fIndex = -2;

    void tvCategoryChange();
    void KVRViewLibraryChangePos(QObject* aSender, const QString& aName, const QString& aNote, TKVRUnits aUnits);

private:
    void FillTree(bool aCurrentDrawing);
    QTreeWidgetItem* FindOrAdd(QTreeWidgetItem* aParent, const QString& aText, int aLibrary, const QString& aPath,
                               int& aNumber);
    void CheckOK();
};

// The suite's symbol browser over the label's library folder, for editors
// without one of their own: true with a copy of the chosen symbol, which the
// caller owns.
class TKVRSymbolBrowser : public IKVRSymbolBrowser
{
public:
    bool Browse(TVXLabelFMX& aLabel, QString& aLastCat, std::unique_ptr<TKVRBaseLibSymbol>& aSymbol) override;
};
