#include "dialogs/KVR.FMX.ColorPanel.h"
#include "platform/rtl/KVR.Math.h"
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int KStrip = 18;  // width of the hue and alpha strips
constexpr int KGap = 6;

QColor ToQColor(TAlphaColor c)
{
    return QColor::fromRgba(c);  // QRgb is ARGB as well
}

}  // namespace

TKVRColorPanel::TKVRColorPanel(QWidget* aParent) : QWidget(aParent)
{
    setObjectName(QStringLiteral("ColorPanel"));
    setMinimumSize(120, 80);
    setCursor(Qt::CrossCursor);
}

void TKVRColorPanel::SetColor(TAlphaColor aValue)
{
    if (aValue == fColor)
        return;
    fColor = aValue;
    const QColor hsv = ToQColor(aValue).toHsv();
    if (hsv.hsvHueF() >= 0)
        fHue = float(hsv.hsvHueF());
    if (hsv.valueF() > 0)
        fSat = float(hsv.hsvSaturationF());
    fVal = float(hsv.valueF());
    update();
    emit Change();
}

QRect TKVRColorPanel::SquareRect() const
{
    return QRect(0, 0, std::max(1, width() - 2 * (KStrip + KGap)), height());
}

QRect TKVRColorPanel::HueRect() const
{
    return QRect(SquareRect().right() + 1 + KGap, 0, KStrip, height());
}

QRect TKVRColorPanel::AlphaRect() const
{
    return QRect(HueRect().right() + 1 + KGap, 0, KStrip, height());
}

void TKVRColorPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect sq = SquareRect();
    QLinearGradient sat(sq.topLeft(), sq.topRight());
    sat.setColorAt(0, Qt::white);
    sat.setColorAt(1, QColor::fromHsvF(fHue, 1, 1));
    p.fillRect(sq, sat);
    QLinearGradient val(sq.topLeft(), sq.bottomLeft());
    val.setColorAt(0, QColor(0, 0, 0, 0));
    val.setColorAt(1, Qt::black);
    p.fillRect(sq, val);

    const QRect hue = HueRect();
    QLinearGradient hues(hue.topLeft(), hue.bottomLeft());
    for (int i = 0; i <= 6; ++i)
        hues.setColorAt(i / 6.0, QColor::fromHsvF(qMin(i / 6.0, 0.9999), 1, 1));
    p.fillRect(hue, hues);

    const QRect alpha = AlphaRect();
    for (int y = 0; y < alpha.height(); y += KStrip / 2)
        for (int x = 0; x < 2; ++x)
            p.fillRect(alpha.left() + x * KStrip / 2, y, KStrip / 2, KStrip / 2,
                       ((y / (KStrip / 2)) + x) % 2 ? QColor(200, 200, 200) : Qt::white);
    QColor opaque = ToQColor(fColor);
    opaque.setAlpha(255);
    QColor clear = opaque;
    clear.setAlpha(0);
    QLinearGradient alphas(alpha.topLeft(), alpha.bottomLeft());
    alphas.setColorAt(0, opaque);
    alphas.setColorAt(1, clear);
    p.fillRect(alpha, alphas);

    // Markers: a ring on the square, a bar across each strip.
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    const QPointF at(sq.left() + fSat * (sq.width() - 1), sq.top() + (1 - fVal) * (sq.height() - 1));
    p.setPen(QPen(fVal > 0.5f ? Qt::black : Qt::white, 1.5));
    p.drawEllipse(at, 5, 5);
    p.setPen(QPen(Qt::black, 2));
    const int hy = hue.top() + int(fHue * (hue.height() - 1));
    p.drawLine(hue.left(), hy, hue.right(), hy);
    const int ay = alpha.top() + int((1 - (fColor >> 24) / 255.0) * (alpha.height() - 1));
    p.drawLine(alpha.left(), ay, alpha.right(), ay);
}

void TKVRColorPanel::mousePressEvent(QMouseEvent* aEvent)
{
    if (aEvent->button() != Qt::LeftButton)
        return;
    const QPoint at = aEvent->position().toPoint();
    fDrag = SquareRect().contains(at) ? TPart::Square
            : HueRect().contains(at) ? TPart::Hue
            : AlphaRect().contains(at) ? TPart::Alpha
                                       : TPart::None;
    Pick(fDrag, at);
}

void TKVRColorPanel::mouseMoveEvent(QMouseEvent* aEvent)
{
    Pick(fDrag, aEvent->position().toPoint());
}

void TKVRColorPanel::Pick(TPart aPart, const QPoint& aAt)
{
    auto share = [](int aPos, int aStart, int aLength) {
        return std::clamp(float(aPos - aStart) / float(std::max(1, aLength - 1)), 0.0f, 1.0f);
    };
    int alpha = int(fColor >> 24);
    switch (aPart) {
    case TPart::None:
        return;
    case TPart::Square:
        fSat = share(aAt.x(), SquareRect().left(), SquareRect().width());
        fVal = 1 - share(aAt.y(), SquareRect().top(), SquareRect().height());
        break;
    case TPart::Hue:
        fHue = std::min(share(aAt.y(), HueRect().top(), HueRect().height()), 0.9999f);
        break;
    case TPart::Alpha:
        alpha = RoundHalfEven32((1 - share(aAt.y(), AlphaRect().top(), AlphaRect().height())) * 255.0);
        break;
    }
    const QColor picked = QColor::fromHsvF(fHue, fSat, fVal);
    const TAlphaColor color = AlphaColor(uint8_t(picked.red()), uint8_t(picked.green()), uint8_t(picked.blue()),
                                         uint8_t(alpha));
    // The marker follows the pick even when the colour comes out the same.
    update();
    if (color != fColor) {
        fColor = color;
        emit Change();
    }
}
