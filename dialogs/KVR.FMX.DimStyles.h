#pragma once
// The dimension-style dialog: the label's styles, the active one edited in
// place. Every change goes into the label at once, each in its own bracket
// so the views follow; closing keeps what was changed. The selected row is
// always the active style.
#include "dialogs/KVR.FMX.DialogKit.h"
#include "platform/fmx/FMX.Types.h"
#include <QDialog>
#include <QStyledItemDelegate>
#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TKVRDimStyle;
class TVXLabelFMX;

// Rows of the head-type list: a sample line ending in the row's head (the
// item's Qt::UserRole), in the colours aColors gives, then the row's name.
class TKVRDimHeadDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    TKVRDimHeadDelegate(std::function<std::pair<TAlphaColor, TAlphaColor>()> aColors, QObject* aParent);
    void paint(QPainter* aPainter, const QStyleOptionViewItem& aOption, const QModelIndex& aIndex) const override;
    QSize sizeHint(const QStyleOptionViewItem& aOption, const QModelIndex& aIndex) const override;

private:
    std::function<std::pair<TAlphaColor, TAlphaColor>()> fColors;
};

class TfDimStls : public QDialog
{
    Q_OBJECT

public:
    explicit TfDimStls(QWidget* aOwner = nullptr);
    ~TfDimStls() override;

    void Ini(TVXLabelFMX* aLabel);

    QComboBox* cbDimStyles;
    QLabel* labActiveDim;
    QPushButton* seAddStyle;
    QPushButton* seDelStyle;
    TKVRPaintBox* paintLab;
    QLabel* labFontName;
    QComboBox* cbFontName;
    QLabel* labFontHeight;
    QDoubleSpinBox* seFontHeight;
    QLabel* labFontColor;
    TKVRColorRect* ShColFontColor;
    QCheckBox* ckBold;
    QCheckBox* ckItalic;
    QCheckBox* ckUnderline;
    QLabel* labPrefix;
    QLineEdit* edPrefix;
    QLabel* labFormat;
    QLineEdit* edFormat;
    QLabel* labSuffix;
    QLineEdit* edSuffix;
    QLabel* labLineType;
    QComboBox* cbLineType;
    QLabel* labTextPos;
    QComboBox* cbPosText;
    QLabel* labHeadType;
    QComboBox* cbHeadType;
    QLabel* labHeadSize;
    QDoubleSpinBox* seHeadSize;
    QLabel* labArrowOpen;
    QSpinBox* seArrowOpen;
    QLabel* labDimColor;
    TKVRColorRect* shDimColor;
    QLabel* labExtColor;
    TKVRColorRect* shExtColor;
    QLabel* labFillColor;
    TKVRColorRect* shFillColor;
    QLabel* labHeadColor;
    TKVRColorRect* shHeadColor;
    QLabel* labExtSize;
    QDoubleSpinBox* seExtSize;
    QLabel* labExtGap;
    QDoubleSpinBox* seExtGap;
    QLabel* labDimBreak;
    QDoubleSpinBox* seDimBreak;
    QLabel* labDimPenWidth;
    QDoubleSpinBox* seDimPenWidth;
    QLabel* labExtPenWidth;
    QDoubleSpinBox* seExtPenWidth;
    TKVRDimHeadDelegate* DrawHeadTypePaint;

    // The list row of the active style found by Ini; -1 when none.
    int32_t idx = -1;
    // The outline of the sample part, P0 to P5.
    TPolygon points;

    void FillLanguage();
    void FillFonts();
    void ShowStyle();

    void cbDimStylesChange();
    void cbFontNameChange();
    void cbHeadTypeChange();
    void cbLineTypeChange();
    void cbPosTextChange();
    void ckBoldChange();
    void ckItalicChange();
    void ckUnderlineChange();
    void edFormatChange();
    void edPrefixChange();
    void edSuffixChange();
    void seAddStyleClick();
    void seDelStyleClick();
    void seArrowOpenChange();
    void seDimBreakChange();
    void seDimPenWidthChange();
    void seExtGapChange();
    void seExtPenWidthChange();
    void seExtSizeChange();
    void seFontHeightChange();
    void seHeadSizeChange();
    void ShColFontColorMouseDown(TKVRColorRect* Sender);
    void paintLabPaint(class QPainter& aPainter);
    void FormCreate();
    void FormDestroy();

private:
    // Runs aChange on the active style inside one bracket, lays the
    // dimensions out again and repaints the sample; nothing while filling.
    void Write(const std::function<void(TKVRDimStyle&)>& aChange);
    // A size box: the style takes the value, the box shows what it kept.
    void SizeChange(QDoubleSpinBox* aBox, void (TKVRDimStyle::*aSet)(float), float (TKVRDimStyle::*aGet)() const);
    // Selects the active style's row, muted.
    void SelectActiveRow();

    bool fIntro = false;
    bool fDrawing = false;
    TVXLabelFMX* fLabel = nullptr;
};
