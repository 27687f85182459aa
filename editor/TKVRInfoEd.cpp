#include "editor/TKVRInfoEd.h"
#include "platform/rtl/KVR.Math.h"
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <stdexcept>

TKVRInfoEd::TKVRInfoEd(QWidget* aOwner, TKVRTypeInfo aType) : QWidget(aOwner), fInfType(aType)
{
}

void TKVRInfoEd::SetState(TKVRStateInfo aState)
{
    if (fState == TKVRStateInfo::siNone || fState == aState)
        return;
    fState = aState;
    update();
}

int32_t TKVRInfoEd::GetSize() const
{
    return fState == TKVRStateInfo::siNone ? 0 : height();
}

int32_t TKVRInfoEd::GetAllSize() const
{
    const int32_t size = GetSize();
    return size < 1 ? size : size + 4;
}

void TKVRInfoEd::paintEvent(QPaintEvent*)
{
    if (fState == TKVRStateInfo::siNone)
        return;
    const bool on = fState == TKVRStateInfo::siOn;
    const QColor stroke = QColor::fromRgba(on ? 0xFF0000FF : 0xFF808080);
    const QColor fill = QColor::fromRgba(on ? 0xFFFFFFFF : 0xFFC0C0C0);
    const float w = float(width()), h = float(height());
    QPainter p(this);
    p.fillRect(rect(), fill);
    p.setPen(QPen(stroke, 1));
    if (fInfType == TKVRTypeInfo::tiSnapToGrid) {
        p.drawLine(QPointF(w / 2, 2), QPointF(w / 2, h - 2));
        p.drawLine(QPointF(2, h / 2), QPointF(w - 2, h / 2));
        if (on)
            p.fillRect(QRectF(w / 2 - 2, h / 2 - 2, 4, 4), QColor::fromRgba(0xFFFF0000));
    } else {
        p.drawLine(QPointF(2, 2), QPointF(h / 2 + 2, 2));
        p.drawLine(QPointF(h / 2 + 2, 2), QPointF(h / 2 + 2, h - 2));
        p.drawLine(QPointF(h / 2 + 2, h - 2), QPointF(h, h - 2));
    }
}

TResButton::TResButton(QWidget* aOwner) : QPushButton(aOwner)
{
    setIconSize(QSize(18, 18));  // 2 pixels in from each side of a 22-pixel button
}

void TResButton::SetResName(const QString& aName)
{
    if (aName == FResName)
        return;
    FResName = aName;
    if (aName.isEmpty()) {
        setIcon(QIcon());
        return;
    }
    for (const QString& form : {aName, aName.toLower(), aName.toUpper()}) {
        const QString path = QStringLiteral(":/kvr/editor/") + form + QStringLiteral(".png");
        if (QFile::exists(path)) {
            setIcon(QIcon(path));
            return;
        }
    }
    throw std::runtime_error(QStringLiteral("Recurso RCDATA \"%1\" no encontrado.").arg(aName).toStdString());
}

void TResButton::mousePressEvent(QMouseEvent* aEvent)
{
    if (OnMouseDown)
        OnMouseDown(aEvent->button());
    QPushButton::mousePressEvent(aEvent);
}
