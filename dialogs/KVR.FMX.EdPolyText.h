#pragma once
// The item editor of a poly-text: lists the items of the document's selected
// poly-text and writes every change into it at once (no OK: closing keeps
// what was changed). Each change is one edit bracket of the document, and a
// handler does nothing once the selection is no longer the element the
// dialog opened on.
#include "dialogs/KVR.FMX.DialogKit.h"
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QAction;
class QPushButton;
class TVXLabelFMX;
class TKVRBasePoly;
class TKVRDataPoly;

class TfEdPoly : public QDialog
{
    Q_OBJECT

public:
    explicit TfEdPoly(QWidget* aOwner = nullptr);

    void Ini(TVXLabelFMX* aLabel);
    void FillLanguage();
    void FillFonts();
    void FillFields();
    void FillColumns();
    void ShowColumn();
    void AdjustUpDown();

    void butAddClick();
    void butDeleteClick();
    void butUpClick() { MoveItem(-1); }
    void butDownClick() { MoveItem(1); }
    void lbColumnsChange();
    void edTextChange();
    void cBoxFieldsChange();
    void menuClearClick();
    void edFormatChange();
    void edIAChange();
    void ckAddParenthesisChange();
    void cbFontNameChange();
    void seFontHeightChange();
    void ckBoldChange();
    void ckItalicChange();
    void ckFillChange();
    void shBackColorMouseDown(TKVRColorRect* Sender);

    QListWidget* lbColumns;
    QPushButton* butAdd;
    QPushButton* butDelete;
    QPushButton* butUp;
    QPushButton* butDown;
    QLabel* labText;
    QLineEdit* edText;
    QLabel* labField;
    QComboBox* cBoxFields;
    QMenu* PopMenu;
    QAction* menuClear;
    QLabel* labFormat;
    QLineEdit* edFormat;
    QLabel* labIA;
    QLineEdit* edIA;
    QCheckBox* ckAddParenthesis;
    QLabel* labFontName;
    QComboBox* cbFontName;
    QLabel* labFontHeight;
    TKVRFloatBox* seFontHeight;
    QCheckBox* ckBold;
    QCheckBox* ckItalic;
    QLabel* labFontColor;
    TKVRColorRect* shFontColor;
    TKVRColorRect* shBackColor;
    QCheckBox* ckFill;

private:
    // The dialog's element while it is still the document's only selected
    // element; null otherwise.
    TKVRBasePoly* Element() const;
    // Writes into the selected line's item inside one edit bracket; nothing
    // without the element or a selected line.
    template <typename F>
    void WriteItem(F&& aWrite);
    void MoveItem(int aStep);

    TVXLabelFMX* fLabel = nullptr;
    TKVRBasePoly* fElement = nullptr;
    bool fIntro = false;
};

// Opens the item editor on the document's selected poly-text; false when the
// selection is none.
bool KVREditPolyText(TVXLabelFMX& aLabel);
