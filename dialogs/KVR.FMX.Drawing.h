#pragma once
// The drawing-sheet dialog: name, title-block texts, note, paper size and
// orientation, and the drawing scale with the area it gives.
#include "dialogs/KVR.FMX.WholeBox.h"
#include <QDialog>

class TKVRFloatBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TVXLabelFMX;

class TfDrawing : public QDialog
{
    Q_OBJECT

public:
    explicit TfDrawing(QWidget* aOwner = nullptr);

    void Ini(TVXLabelFMX* aLabel);
    // What OK writes into the label, in one bracket.
    void WriteBack(TVXLabelFMX& aLabel) const;
    // The note in the line ends of the stored one.
    QString GetNote() const;

    QLineEdit* edName;
    QLineEdit* edTitle;
    QLineEdit* edAuthor;
    QLineEdit* edProject;
    QLineEdit* edPromoter;
    QLineEdit* edDate;
    QPlainTextEdit* memNote;
    TKVRFloatBox* sePaperWidth;
    TKVRFloatBox* sePaperHeight;
    QLabel* labUnitWidth;
    QLabel* labUnitHeight;
    TKVRWholeBox* seScale;
    QLabel* labScale;
    QLabel* labDrawArea;
    QRadioButton* RaBuVer;
    QRadioButton* RaBuHor;
    QPushButton* butOK;
    QPushButton* butCancel;

    bool fIntro = false;
    TVXLabelFMX* fLabel = nullptr;

    void FillLanguage();
    void ShowDrawArea();
    void seScaleChange() { ShowDrawArea(); }
    void RaBuVerChange();

private:
    bool fLandscape = false;
    QString fNote;  // the stored note, for its line ends
};
