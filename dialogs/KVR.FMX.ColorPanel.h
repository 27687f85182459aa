#pragma once
// A colour chooser: a saturation-value square, a hue strip and an alpha
// strip. The colour is kept as the ARGB value it was given, so showing a
// colour never changes it; only the user's picks are made from hue,
// saturation and value.
#include "platform/rtl/System.UITypes.h"
#include <QWidget>

class TKVRColorPanel : public QWidget
{
    Q_OBJECT

public:
    explicit TKVRColorPanel(QWidget* aParent = nullptr);
    TAlphaColor GetColor() const { return fColor; }
    // Sends Change when the colour differs.
    void SetColor(TAlphaColor aValue);

signals:
    void Change();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* aEvent) override;
    void mouseMoveEvent(QMouseEvent* aEvent) override;
    void mouseReleaseEvent(QMouseEvent*) override { fDrag = TPart::None; }

private:
    enum class TPart { None, Square, Hue, Alpha };
    QRect SquareRect() const;
    QRect HueRect() const;
    QRect AlphaRect() const;
    void Pick(TPart aPart, const QPoint& aAt);

    TAlphaColor fColor = TAlphaColors::White;
    // Kept apart from the colour: a grey has no hue, a black no saturation.
    float fHue = 0;
    float fSat = 0;
    float fVal = 1;
    TPart fDrag = TPart::None;
};
