#pragma once
// The column editor of a table: lists the columns of the document's selected
// table and writes every change into it at once (no OK: closing keeps what
// was changed). Each change is one edit bracket of the document, and a
// handler does nothing once the selection is no longer the table the dialog
// opened on. Moving columns is not offered: Up and Down stay disabled.
#include "dialogs/KVR.FMX.DialogKit.h"
#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class TVXLabelFMX;
class TKVRBaseTable;
class TKVRColumn;
struct TKVRTableCell;

class TfEdTable : public QDialog
{
    Q_OBJECT

public:
    // The controls one cell (body, header, footer) shares with the others.
    struct TCellControls
    {
        QLabel* labHeight = nullptr;
        TKVRFloatBox* seHeight = nullptr;
        QCheckBox* ckFill = nullptr;
        QLabel* labBack = nullptr;
        TKVRColorRect* shBack = nullptr;
        QLabel* labFont = nullptr;
        QComboBox* cbFont = nullptr;
        QLabel* labFontHeight = nullptr;
        QDoubleSpinBox* seFontHeight = nullptr;
        QLabel* labFontColor = nullptr;
        TKVRColorRect* shFontColor = nullptr;
        QCheckBox* ckBold = nullptr;
        QCheckBox* ckItalic = nullptr;
        QCheckBox* ckUnderline = nullptr;
        QButtonGroup* horzAlign = nullptr;
        std::array<QToolButton*, 3> horz{};
    };

    explicit TfEdTable(QWidget* aOwner = nullptr);

    void Ini(TVXLabelFMX* aLabel);
    void FillLanguage();
    void FillFonts();
    void FillColumns();
    void ShowColumn();
    void AdjustUpDown();

    void butAddClick();
    void butDeleteClick();
    void lbColumnsChange();
    void cBoxFieldsChange();
    void seWidthChange();
    void edHeaderTextChange();
    void rcNoneChange();
    void ShColColorMouseDown(TKVRColorRect* Sender);

    QListWidget* lbColumns;
    QPushButton* butAdd;
    QPushButton* butDelete;
    QPushButton* butUp;
    QPushButton* butDown;
    QTabWidget* PColumns;
    QWidget* tabColumn;
    QWidget* tabHeader;
    QWidget* tabFooter;
    // Column page.
    QLabel* labField;
    QComboBox* cBoxFields;
    QLabel* labWidth;
    QSpinBox* seWidth;
    QCheckBox* ckFixed;
    QLabel* labFormat;
    QLineEdit* edFormat;
    QLabel* labRowInterline;
    QDoubleSpinBox* seRowInterline;
    QButtonGroup* vertAlign;
    std::array<QToolButton*, 3> vert{};
    QCheckBox* ckWrapText;
    // Header page.
    QCheckBox* CBVisibleHead;
    QLabel* labHeaderText;
    QLineEdit* edHeaderText;
    QLabel* labHeadInterline;
    QDoubleSpinBox* seHeadInterline;
    // Footer page.
    QButtonGroup* footOperation;
    std::array<QRadioButton*, 9> rcFooter{};  // rcNone .. rcStdDev
    QLabel* labFooterFormat;
    QLineEdit* edFooterFormat;
    // Body (0), header (1) and footer (2).
    std::array<TCellControls, 3> cells;

protected:
    void keyPressEvent(QKeyEvent* aEvent) override;

private:
    TCellControls MakeCell(QWidget* aPage, int aTop, int aCell);
    TKVRBaseTable* Element() const;
    // The selected column of the dialog's table; null without one.
    TKVRColumn* Column() const;
    TKVRTableCell& Cell(TKVRColumn& aColumn, int aCell) const;
    // Writes into the selected column inside one edit bracket; nothing while
    // loading, without the table or a selected column.
    template <typename F>
    void Write(F&& aWrite);
    void ShowCell(const TKVRTableCell& aCell, int aIndex);

    TVXLabelFMX* fLabel = nullptr;
    TKVRBaseTable* fElement = nullptr;
    bool fIntro = false;
    bool fNoFields = false;
};

// Opens the column editor on the document's selected table; false when the
// selection is none.
bool KVREditTable(TVXLabelFMX& aLabel);
