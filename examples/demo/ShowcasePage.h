#pragma once
#include "render/KVR.FMX.Types.h"
#include <QString>
#include <QWidget>

// One page of the demo: a widget that paints a sample through a drawing
// context, as the editor and the preview do.
class ShowcasePage : public QWidget
{
public:
    explicit ShowcasePage(QString title, QWidget* parent = nullptr);
    const QString& Title() const { return fTitle; }

protected:
    // Paints the sample; the context is set up for this widget's resolution.
    virtual void PaintSample(TKVRDraw& draw) = 0;
    void paintEvent(QPaintEvent* event) override;

private:
    QString fTitle;
};
