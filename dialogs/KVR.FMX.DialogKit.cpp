#include "dialogs/KVR.FMX.DialogKit.h"
#include "document/KVR.FMX.FontNames.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/fmx/TCanvas.h"
#include <QKeyEvent>
#include <algorithm>
#include <cmath>
#include <QMouseEvent>
#include <QPainter>
#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>

int32_t KVRShowModal(QDialog& aForm)
{
    return aForm.exec() == QDialog::Accepted ? 1 : 2;
}

int KVRComboContentWidth(QComboBox& aBox)
{
    const QComboBox::SizeAdjustPolicy policy = aBox.sizeAdjustPolicy();
    aBox.setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const int closed = aBox.sizeHint().width();
    aBox.setSizeAdjustPolicy(policy);
    // The open list is as wide as the box; its rows may hold more than text.
    QAbstractItemView* list = aBox.view();
    const int scroll = aBox.count() > aBox.maxVisibleItems() ? list->verticalScrollBar()->sizeHint().width() : 0;
    const int open = list->sizeHintForColumn(0) + 2 * list->frameWidth() + scroll + 4;
    return std::max(closed, open);
}

TKVRElidedLabel::TKVRElidedLabel(QWidget* aParent, const QString& aName) : QLabel(aParent)
{
    setObjectName(aName);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void TKVRElidedLabel::SetFullText(const QString& aText)
{
    fFull = aText;
    setToolTip(aText);
    Elide();
}

QSize TKVRElidedLabel::sizeHint() const
{
    return {fontMetrics().averageCharWidth() * 8, QLabel::sizeHint().height()};
}

QSize TKVRElidedLabel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

void TKVRElidedLabel::resizeEvent(QResizeEvent* aEvent)
{
    QLabel::resizeEvent(aEvent);
    Elide();
}

void TKVRElidedLabel::Elide()
{
    // One line: breaks read as blanks.
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n\\t\\x{2028}\\x{2029}]+"));
    QString line = fFull;
    line.replace(breaks, QStringLiteral(" "));
    setText(fontMetrics().elidedText(line, Qt::ElideRight, std::max(0, contentsRect().width())));
}

void KVRShowFont(QComboBox& aBox, const QString& aFont)
{
    QStringList fonts;
    for (int i = 0; i < aBox.count(); ++i)
        fonts << aBox.itemText(i);
    aBox.setCurrentIndex(KVRFontRow(fonts, aFont));
}

void KVRSetDefaultButton(QDialog& aForm, QPushButton* aDefault)
{
    // A dialog makes its first auto-default button the default when shown,
    // and a focused one takes Enter: only aDefault may.
    for (QPushButton* button : aForm.findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(button == aDefault);
    }
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
