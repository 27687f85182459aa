#include "examples/demo/ShowcasePage.h"
#include "platform/skia/System.Skia.h"
#include <QPainter>
#include <utility>

ShowcasePage::ShowcasePage(QString title, QWidget* parent) : QWidget(parent), fTitle(std::move(title))
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setMinimumSize(900, 640);
}

void ShowcasePage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TKVRDraw draw;
    draw.SetResolution(logicalDpiX(), logicalDpiY());
    draw.SetStandardWidths();
    draw.kC = TSkCanvas::Make(&painter);
    draw.kP = std::make_shared<TSkPaint>();
    PaintSample(draw);
    draw.kC.reset();
}
