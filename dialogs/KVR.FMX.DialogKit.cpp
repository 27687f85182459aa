#include "dialogs/KVR.FMX.DialogKit.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/fmx/TCanvas.h"
#include <QKeyEvent>
#include <cmath>
#include <QMouseEvent>
#include <QPainter>

int32_t KVRShowModal(QDialog& aForm)
{
    return aForm.exec() == QDialog::Accepted ? 1 : 2;
}

TKVRColorRect::TKVRColorRect(QWidget* aParent, const QString& aName) : QWidget(aParent)
{
    setObjectName(aName);
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(16, 16);
}

void TKVRColorRect::SetColor(TAlphaColor aValue)
{
    if (fColor == aValue && !fEmpty)
        return;
    fColor = aValue;
    fEmpty = false;
    update();
}

void TKVRColorRect::SetEmpty()
{
    if (fEmpty)
        return;
    fEmpty = true;
    update();
}

void TKVRColorRect::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(painter);
    const TRectF box(0, 0, width(), height());
    if (fEmpty) {
        // No fill, a frame and a stroke across: a free slot never passes for a saved white.
        canvas.Stroke().SetColor(palette().color(QPalette::Mid).rgba());
        canvas.DrawRect(TRectF(0.5f, 0.5f, width() - 0.5f, height() - 0.5f), 0, 0, NoCorners, 1);
        canvas.DrawLine(TPointF(width() - 3.0f, 3.0f), TPointF(3.0f, height() - 3.0f), 1);
        return;
    }
    if ((fColor >> 24) != 0xFF) {
        // The chequer board shows how much of what lies below comes through.
        canvas.Fill().SetColor(TAlphaColors::White);
        canvas.FillRect(box, 0, 0, NoCorners, 1);
        canvas.Fill().SetColor(0xFFC8C8C8u);
        const int cell = 6;
        for (int y = 0; y < height(); y += cell)
            for (int x = (y / cell) % 2 * cell; x < width(); x += 2 * cell)
                canvas.FillRect(TRectF(x, y, x + cell, y + cell), 0, 0, NoCorners, 1);
    }
    canvas.Fill().SetColor(fColor);
    canvas.FillRect(box, 0, 0, NoCorners, 1);
    canvas.Stroke().SetColor(TAlphaColors::Gray);
    canvas.DrawRect(TRectF(0.5f, 0.5f, width() - 0.5f, height() - 0.5f), 0, 0, NoCorners, 1);
}

void TKVRColorRect::mousePressEvent(QMouseEvent* aEvent)
{
    if (aEvent->button() == Qt::LeftButton)
        emit clicked();
}

TKVRChoiceList::TKVRChoiceList(QWidget* aParent, const QString& aName) : QListWidget(aParent)
{
    setObjectName(aName);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QListWidget::currentRowChanged, this, [this](int aRow) {
        if (aRow < 0)
            fChosen = -1;  // emptied
        else if (!fBrowsing)
            Offer(aRow);
    });
    // A click on the row the keys moved to chooses it too.
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* aItem) { Offer(row(aItem)); });
}

void TKVRChoiceList::keyPressEvent(QKeyEvent* aEvent)
{
    if (aEvent->key() == Qt::Key_Return || aEvent->key() == Qt::Key_Enter) {
        Offer(currentRow());
        aEvent->accept();
        return;
    }
    fBrowsing = true;
    QListWidget::keyPressEvent(aEvent);
    fBrowsing = false;
}

void TKVRChoiceList::focusInEvent(QFocusEvent* aEvent)
{
    // A list view makes its first row current when it takes the focus: a
    // list that opens without a choice keeps none.
    QAbstractScrollArea::focusInEvent(aEvent);
    viewport()->update();
}

void TKVRChoiceList::Offer(int aRow)
{
    if (aRow < 0 || aRow == fChosen)
        return;
    fChosen = aRow;
    emit Chosen();
}

TKVRFloatBox::TKVRFloatBox(QWidget* aParent, const QString& aName) : QDoubleSpinBox(aParent)
{
    setObjectName(aName);
}

void TKVRFloatBox::SetUnits(TKVRUnits aUnits)
{
    setDecimals(int(std::ceil(std::log10(double(MicrometresPerUnit(aUnits))))));
}

void TKVRFloatBox::SetExact(double aValue)
{
    setValue(aValue);
    fExact = aValue;
    fShown = value();
    fHasLength = false;
}

void TKVRFloatBox::SetLength(int64_t aMicrometres, TKVRUnits aUnits)
{
    SetUnits(aUnits);
    SetExact(double(aMicrometres) / double(MicrometresPerUnit(aUnits)));
    fLength = aMicrometres;
    fLengthUnits = aUnits;
    fHasLength = true;
}

int64_t TKVRFloatBox::Length(TKVRUnits aUnits) const
{
    if (fHasLength && aUnits == fLengthUnits && Untouched())
        return fLength;
    return RoundHalfEven(Exact() * double(MicrometresPerUnit(aUnits)));
}

bool TKVRFloatBox::Untouched() const
{
    return value() == fShown && fExact >= minimum() && fExact <= maximum();
}

double TKVRFloatBox::Exact() const
{
    return Untouched() ? fExact : value();
}

TKVRPaintBox::TKVRPaintBox(QWidget* aParent, const QString& aName) : QWidget(aParent)
{
    setObjectName(aName);
}

void TKVRPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (OnPaint)
        OnPaint(painter);
}
