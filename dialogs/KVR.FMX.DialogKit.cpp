#include "dialogs/KVR.FMX.DialogKit.h"
#include "platform/fmx/TCanvas.h"
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
    if (fColor == aValue)
        return;
    fColor = aValue;
    update();
}

void TKVRColorRect::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(painter);
    const TRectF box(0, 0, width(), height());
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
