#pragma once
// Margins of a layer's background picture, in the label's units as the
// layer stores them; the layer dialog writes them back on OK.
#include "dialogs/KVR.FMX.DialogKit.h"
#include <QDialog>

class QLabel;
class QPushButton;
class TKVRLayer;
class TVXLabelFMX;

class TfBackMargins : public QDialog
{
    Q_OBJECT

public:
    explicit TfBackMargins(QWidget* aOwner = nullptr);

    // aLayer counts from 0.
    void Ini(TVXLabelFMX* aLabel, int32_t aLayer);
    void FillLanguage();
    // The four margins into aLayer: each as it was read unless it was edited.
    void WriteBack(TKVRLayer& aLayer) const;

    QPushButton* butOK;
    QPushButton* butCancel;
    QLabel* labMarginTop;
    TKVRFloatBox* seMarginTop;
    QLabel* labMarginLeft;
    TKVRFloatBox* seMarginLeft;
    QLabel* labMarginBottom;
    TKVRFloatBox* seMarginBottom;
    QLabel* labMarginRight;
    TKVRFloatBox* seMarginRight;
};
