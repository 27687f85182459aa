#pragma once
// What every dialog form shares: the modal result as the forms give it, and
// the colour rectangles of their colour fields.
#include "platform/rtl/System.UITypes.h"
#include "platform/rtl/label/KVR.Units.h"
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QWidget>
#include <cstdint>
#include <functional>

// 1 when the form was accepted (OK), 2 otherwise.
int32_t KVRShowModal(QDialog& aForm);

// Enter confirms the box it is typed in and presses aDefault (the form's OK),
// or nothing when the form has none: no other button, focused or first in
// line, takes Enter. Call once the form's buttons are made.
void KVRSetDefaultButton(QDialog& aForm, class QPushButton* aDefault);

// The width a drop-down box needs to show each of its entries whole, closed
// and in its open list (rows its item delegate draws included).
int KVRComboContentWidth(class QComboBox& aBox);

// Selects aFont in a font list, or the family its text is drawn with when
// the font is not installed (KVRFontRow).
void KVRShowFont(class QComboBox& aBox, const QString& aFont);

// A control of a form laid out by hand: named as the form names it, placed.
template <typename T>
T* KVRPlaced(T* aWidget, const char* aName, const QRect& aGeometry)
{
    aWidget->setObjectName(QString::fromLatin1(aName));
    aWidget->setGeometry(aGeometry);
    return aWidget;
}

// A colour rectangle with the hand cursor: shows the stored ARGB colour
// (translucent colours over a chequer board), or an empty slot as an empty
// frame, and reports a press.
class TKVRColorRect : public QWidget
{
    Q_OBJECT

public:
    explicit TKVRColorRect(QWidget* aParent = nullptr, const QString& aName = {});
    TAlphaColor GetColor() const { return fColor; }
    // Shows the colour; an empty rectangle is filled again.
    void SetColor(TAlphaColor aValue);
    // Shows that no colour is held (a free saved-colour slot).
    void SetEmpty();
    bool IsEmpty() const { return fEmpty; }
    int32_t Tag() const { return fTag; }
    void SetTag(int32_t aValue) { fTag = aValue; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(class QMouseEvent* aEvent) override;

private:
    TAlphaColor fColor = TAlphaColors::White;
    bool fEmpty = false;
    int32_t fTag = 0;
};

// The list of a drop-down picker: a click chooses, as do Enter and Return;
// the arrow keys, page keys and typed letters only move through the list,
// as in any list. Only a row other than the one last chosen is offered.
class TKVRChoiceList : public QListWidget
{
    Q_OBJECT

public:
    explicit TKVRChoiceList(QWidget* aParent = nullptr, const QString& aName = {});

signals:
    void Chosen();

protected:
    void keyPressEvent(QKeyEvent* aEvent) override;
    void focusInEvent(QFocusEvent* aEvent) override;

private:
    void Offer(int aRow);

    int fChosen = -1;
    bool fBrowsing = false;  // a key moves the current row
};

// A spin box of lengths in a label unit: decimals enough for a micrometre,
// and the value it was given handed back whole while the user leaves it
// alone (OK without an edit writes back what was read). A value beyond the
// bounds shows, and is handed back, clamped.
class TKVRFloatBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit TKVRFloatBox(QWidget* aParent = nullptr, const QString& aName = {});
    // Decimals that show a micrometre of aUnits.
    void SetUnits(TKVRUnits aUnits);
    void SetExact(double aValue);
    double Exact() const;
    // A length held in micrometres, shown in aUnits; while untouched it is
    // handed back to the micrometre, which a unit's decimals cannot hold at
    // the top of the coordinate range.
    void SetLength(int64_t aMicrometres, TKVRUnits aUnits);
    int64_t Length(TKVRUnits aUnits) const;

private:
    bool Untouched() const;

    double fExact = 0;
    double fShown = 0;
    int64_t fLength = 0;
    TKVRUnits fLengthUnits = TKVRUnits::Millimetre;
    bool fHasLength = false;
};

// A one-line label of plain text from outside (a file, a document) that
// never widens its form: a text longer than its width ends in "…", and the
// whole text is its tool tip.
class TKVRElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TKVRElidedLabel(QWidget* aParent = nullptr, const QString& aName = {});
    void SetFullText(const QString& aText);
    const QString& FullText() const { return fFull; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* aEvent) override;

private:
    void Elide();

    QString fFull;
};

// A paint box: its owner paints it through OnPaint.
class TKVRPaintBox : public QWidget
{
    Q_OBJECT

public:
    explicit TKVRPaintBox(QWidget* aParent = nullptr, const QString& aName = {});
    std::function<void(class QPainter& aPainter)> OnPaint;

protected:
    void paintEvent(QPaintEvent*) override;
};
