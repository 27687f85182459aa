#pragma once
// The label-sheet dialog: label and paper sizes, gaps, margins, rows and
// columns with a picture of the sheet; the print settings and the counters;
// the data source. Nothing but counters and JSON data changes the document
// while it is open; the label's EditProperties writes the rest back on OK.
#include "dialogs/KVR.FMX.WholeBox.h"
#include "platform/rtl/label/KVR.Units.h"
#include <QDialog>
#include <QRectF>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class TKVRFloatBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QWidget;
class TKVRCounter;
class TKVRData;
struct TKVRDataset;
class TKVRPaintBox;
class TVXLabelFMX;

// The sheet picture: the paper fitted into an area, its cells, and which of
// them print (from the first label on, row by row). Lengths in any one unit.
struct TKVRSheetPicture
{
    QRectF Paper;
    std::vector<QRectF> Cells;
    int FirstPrinted = 0;  // index into Cells of the first label to print
};
TKVRSheetPicture KVRSheetPicture(double aAreaWidth, double aAreaHeight, double aPaperWidth, double aPaperHeight,
                                 double aLabelWidth, double aLabelHeight, double aMarLeft, double aMarTop,
                                 double aGapX, double aGapY, int aRows, int aColumns, int aFirstRow, int aFirstCol);

class TfLabelling : public QDialog
{
    Q_OBJECT

public:
    explicit TfLabelling(QWidget* aOwner = nullptr);
    ~TfLabelling() override;

    void Ini(TVXLabelFMX* aLabel);
    // What OK writes into the label, in one bracket; the chosen CSV file is
    // read last (it raises when it cannot be).
    void WriteBack(TVXLabelFMX& aLabel) const;
    // The data set and repeat field to store: the stored ones unless the
    // user picked others.
    QString GetData() const;
    QString GetFieldRepeat() const;
    // The CSV file to read on OK; empty when the user chose none.
    QString GetNewCsvFile() const;
    double PaperW() const;
    double PaperH() const;
    // Lengths of the boxes in micrometres.
    int64_t Length(const TKVRFloatBox* aBox) const;

    QTabWidget* PageLab;
    QWidget* TabDimension;
    QWidget* TabPrinting;
    QWidget* TabData;
    QLineEdit* edName;
    QComboBox* cbPapers;
    TKVRFloatBox* sePaperWidth;
    TKVRFloatBox* sePaperHeight;
    TKVRFloatBox* seWidth;
    TKVRFloatBox* seHeight;
    TKVRFloatBox* seGapX;
    TKVRFloatBox* seGapY;
    TKVRFloatBox* seMargLeft;
    TKVRFloatBox* seMargTop;
    TKVRWholeBox* seRows;
    TKVRWholeBox* seColumns;
    QRadioButton* RaBuVer;
    QRadioButton* RaBuHor;
    TKVRWholeBox* edFirstRow;
    TKVRWholeBox* edFirstCol;
    TKVRWholeBox* edNumLabs;
    TKVRWholeBox* edRepetition;
    QListWidget* ListBoxCounters;
    QPushButton* butAddCounter;
    QPushButton* butSaveCounter;
    QPushButton* butDeleteCounter;
    QLineEdit* EdCounterName;
    TKVRWholeBox* seCounterStep;
    TKVRWholeBox* seNumFrom;
    TKVRWholeBox* seNumTo;
    QLineEdit* edTextBefore;
    QLineEdit* edTextAfter;
    QLineEdit* edFormat;
    QCheckBox* ckLinkData;
    QCheckBox* ckSaveJson;
    QComboBox* cbData;
    QComboBox* cbFieldRepeat;
    QLineEdit* butEdCsvFile;
    QPushButton* butSelFile;
    QTableWidget* sgFields;
    QPushButton* butJson;
    QCheckBox* cbContinousPaper;
    TKVRPaintBox* paintLab;
    QPushButton* butOK;
    QPushButton* butCancel;

    bool fIntro = false;
    bool fNeedSaveCounter = false;
    TVXLabelFMX* fLabel = nullptr;
    float avWidth = 0, avHeight = 0;

    void FillLanguage();
    void FillPapers();
    void CheckPapers();
    void cbPapersChange();
    void RaBuVerClick();
    void RaBuHorClick();
    void CheckContinuous();
    void cbContinousPaperChange() { CheckContinuous(); }
    void seWidthChange();
    void paintLabPaint(class QPainter& aPainter);
    void FillCounterList();
    void ShowCounter();
    void EdCounterNameChange();
    // True unless the user kept unsaved counter boxes after a refused save.
    bool CheckSaveCounter();
    void ListBoxCountersChange();
    void butAddCounterClick();
    // False when the counter could not be written ("RepeatName").
    bool butSaveCounterClick();
    void FillData();
    void FillFieldRepeat();
    void FillCsvFields();
    // The grid's rows: the fields of aSet (none: the grid is emptied).
    void ShowFields(const TKVRDataset* aSet);
    void cbDataChange();
    void butSelFileClick();
    void butJsonClick();
    void PageLabChange();
    void butOKClick();

public slots:
    void reject() override;

private:
    TKVRUnits Units() const;
    void SetOrientation(bool aLandscape);
    void SwapPaper();
    void SetLengthRanges();
    // The list row of a counter of the document, -1 when none.
    int RowOf(const TKVRCounter* aCounter) const;

    bool fLandscape = false;            // the orientation the paper boxes hold
    TKVRCounter* fShownCounter = nullptr;  // the counter the boxes show
    bool fNewCounter = false;           // the boxes hold a counter not yet added
    bool fDataPicked = false;           // the user chose a data set
    bool fRepeatPicked = false;         // the user chose a repeat field
    std::unique_ptr<TKVRData> fChosenCsv;  // the CSV file chosen here, read for its fields
    int fShownTab = 0;
};
