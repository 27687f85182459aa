#pragma once
// The layer dialog: every change goes into the label at once, each in its
// own bracket so the views follow; closing keeps what was changed.
#include "dialogs/KVR.FMX.DialogKit.h"
#include <QDialog>
#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TKVRLayer;
class TVXLabelFMX;

class TfLayers : public QDialog
{
    Q_OBJECT

public:
    explicit TfLayers(QWidget* aOwner = nullptr);

    void Ini(TVXLabelFMX* aLabel);
    // The list row of layer i is i; -1 with no row selected.
    int32_t SelectedLayer() const { return fSelRow; }

    QPushButton* butAdd;
    QPushButton* butDelete;
    QCheckBox* ckLayerZPos;
    QPushButton* butUp;
    QPushButton* butDown;
    QListWidget* lbLayers;
    QLabel* labName;
    QLineEdit* edName;
    QLabel* labFontName;
    QComboBox* cbFontName;
    QLabel* labBackColor;
    TKVRColorRect* shBackColor;
    QLabel* labColor;
    TKVRColorRect* shColor;
    QLabel* labFontColor;
    TKVRColorRect* shFontColor;
    QCheckBox* ckActive;
    QCheckBox* ckVisible;
    QCheckBox* ckPrint;
    QCheckBox* ckSelect;
    QCheckBox* ckExport;
    QLabel* labFontHeight;
    TKVRFloatBox* seFontHeight;
    QLabel* labPenWidth;
    TKVRFloatBox* sePenWidth;
    QPushButton* butApplyValues;
    QPushButton* butBackImage;
    QPushButton* butBackMap;
    QPushButton* butBackMargins;
    QCheckBox* ckPrintBack;
    QCheckBox* ckExportBack;

    void FillLanguage();
    void FillLayers();
    void ShowLayer();
    void AdjustUpDown();

    void lbLayersChange();
    void butAddClick();
    void butDeleteClick();
    void butUpClick();
    void butDownClick();
    void edNameChange();
    void cbFontNameChange();
    void seFontHeightChange();
    void sePenWidthChange();
    void ckActiveChange();
    void ckLayerZPosClick();
    void shBackColorMouseDown(TKVRColorRect* Sender);
    void butBackMapClick();
    void butBackMarginsClick();
    void butCloseClick();

private:
    // The selected layer, or null (no row, or the dialog is filling itself).
    TKVRLayer* Editable() const;
    // Runs aChange on the selected layer inside one update bracket.
    void Write(const std::function<void(TKVRLayer&)>& aChange);
    void OptionChange(QCheckBox* aBox, uint16_t aBit);
    // Moves the selected layer by aStep rows, the row and selection with it.
    void MoveLayer(int32_t aStep);

    bool fIntro = false;
    TVXLabelFMX* fLabel = nullptr;
    int32_t fDPIX = 96;
    int32_t fSelRow = -1;
};
