#pragma once
// The colour picker: a colour panel, the four channels in spin boxes and
// eight swatches of colours saved for the life of the process.
#include "dialogs/KVR.FMX.ColorPanel.h"
#include "dialogs/KVR.FMX.DialogKit.h"
#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

// The picker seeded with ioColor, shown modally over aOwner; on OK true,
// with the chosen colour in ioColor.
bool KVRPickColor(QWidget* aOwner, TAlphaColor& ioColor);

class TfSelColor : public QDialog
{
    Q_OBJECT

public:
    explicit TfSelColor(QWidget* aOwner = nullptr);

    // aText is not read (callers pass an empty text).
    void Ini(const QString& aText, TAlphaColor aColor);
    TAlphaColor GetSelColor() const { return ColorPanel->GetColor(); }
    // The form's colour rectangle of that name, any case; null when none.
    TKVRColorRect* SearchRec(const QString& aName) const;

    TKVRColorPanel* ColorPanel;
    TKVRColorRect* RectanglePreview;
    QSpinBox* seRed;
    QSpinBox* seGreen;
    QSpinBox* seBlue;
    QSpinBox* seAlpha;
    TKVRColorRect* rec01;
    TKVRColorRect* rec02;
    TKVRColorRect* rec03;
    TKVRColorRect* rec04;
    TKVRColorRect* rec05;
    TKVRColorRect* rec06;
    TKVRColorRect* rec07;
    TKVRColorRect* rec08;
    QPushButton* butSave;
    QPushButton* butOK;
    QPushButton* butCancel;

    void ColorPanelChange();
    void seRedChange();
    void rec01Click(TKVRColorRect* Sender);
    void butSaveClick();

private:
    // Set while the boxes and the panel follow each other.
    bool fAsign = false;
    TKVRColorRect* fSelRec = nullptr;
};
