#pragma once
// The editor's settings: grid, steps, snaps, rulers, guide and reference
// lines with their colours, and the document's line-end colours and size.
// The dialog only shows them; the editor writes back what OK confirmed.
#include "dialogs/KVR.FMX.DialogKit.h"
#include "editor/TKVRSettingsValues.h"
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TfSettings : public QDialog
{
    Q_OBJECT

public:
    explicit TfSettings(QWidget* aOwner = nullptr);

    void Ini(TVXLabelFMX* aLabel, TKVRBaseEditor* aEditor);
    void FillLanguage();
    // 0 none, 1 points, 2 lines; 0 when no radio button is on.
    uint8_t GridStyle() const;
    // The controls' values as the editor writes them back.
    TKVRSettingsValues GetValues() const;

    QGroupBox* RGrid;
    QRadioButton* RB1;
    QRadioButton* RB2;
    QRadioButton* RB3;
    QLabel* labGridX;
    TKVRFloatBox* seGridX;
    QLabel* labGridY;
    TKVRFloatBox* seGridY;
    QLabel* labMoveX;
    TKVRFloatBox* seMoveX;
    QLabel* labMoveY;
    TKVRFloatBox* seMoveY;
    QLabel* labGridColor;
    TKVRColorRect* shpGridColor;
    QLabel* labUnitColor;
    TKVRColorRect* shpUnitColor;
    QCheckBox* ckOrtoLines;
    QLabel* labGap;
    QSpinBox* SEGap;
    QCheckBox* ckShowSizes;
    QLabel* labSizeColor;
    TKVRColorRect* shSizeColor;
    QCheckBox* ckShowRefLines;
    QLabel* labRefLinesColor;
    TKVRColorRect* shRefLinesColor;
    QCheckBox* ckShowAlignLines;
    QLabel* labAlignLinesColor;
    TKVRColorRect* shAlignLinesColor;
    QLabel* labAlignTextColor;
    TKVRColorRect* shAlignTextColor;
    QCheckBox* ckPoint;
    QCheckBox* ckSnap;
    QCheckBox* ckMiddlePoint;
    QCheckBox* ckCenterPoint;
    QCheckBox* ckEndPoint;
    QCheckBox* ckRefSymbol;
    QCheckBox* ckCrossPoint;
    QCheckBox* ckTangentPoint;
    QCheckBox* ckPerpendicularPoint;
    QCheckBox* ckLeftRuler;
    QCheckBox* ckTopRuler;
    QCheckBox* ckRightRuler;
    QCheckBox* ckBottomRuler;
    QGroupBox* gbLineTerm;
    QLabel* labTermColor;
    TKVRColorRect* shpTermColor;
    QLabel* labFillTermColor;
    TKVRColorRect* shpFillTermColor;
    QLabel* labTermSize;
    TKVRFloatBox* spinEdTermSize;
    QPushButton* butOK;
    QPushButton* butCancel;

    // Any colour box: the colour picker on its colour; OK there recolours the box.
    void shSizeColorMouseDown(TKVRColorRect* Sender);
};

// The editors' settings dialog: TfSettings shown modally over the active window.
class TKVRSettingsDialog : public IKVRSettingsDialog
{
public:
    bool Edit(TVXLabelFMX& aDoc, TKVRBaseEditor& aEditor, TKVRSettingsValues& aValues) override;
};
