#pragma once
// What every dialog form shares: the modal result as the forms give it, and
// the colour rectangles of their colour fields.
#include "platform/rtl/System.UITypes.h"
#include <QDialog>
#include <QWidget>
#include <cstdint>
#include <functional>

// 1 when the form was accepted (OK), 2 otherwise.
int32_t KVRShowModal(QDialog& aForm);

// A colour rectangle with the hand cursor: shows the stored ARGB colour
// (translucent colours over a chequer board) and reports a press.
class TKVRColorRect : public QWidget
{
    Q_OBJECT

public:
    explicit TKVRColorRect(QWidget* aParent = nullptr, const QString& aName = {});
    TAlphaColor GetColor() const { return fColor; }
    void SetColor(TAlphaColor aValue);
    int32_t Tag() const { return fTag; }
    void SetTag(int32_t aValue) { fTag = aValue; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(class QMouseEvent* aEvent) override;

private:
    TAlphaColor fColor = TAlphaColors::White;
    int32_t fTag = 0;
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
