#include "examples/demo/ElementsPage.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace {
// Elements sit at millimetre positions from the page's top-left corner; the
// screen shows them at the widget's resolution, 10 px in from the corner.
constexpr float kScreenMargin = 10.0f;
}

ElementsPage::ElementsPage(const QString& title, const Builder& build, QWidget* parent)
    : ShowcasePage(title, parent), fDocument(std::make_unique<TVXLabelFMX>())
{
    // The page is one A4 label, so exports and prints show all of it.
    TKVRMeasure& m = fDocument->GetMeasure();
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(210000);
    m.SetHeight(297000);
    if (build)
        build(*fDocument);
    // The whole sheet, so nothing that lies on it is cut off.
    const auto pixels = [](int64_t aMicrometres, int aDpi) { return int(double(aMicrometres) * aDpi / 25400.0); };
    setMinimumSize(std::max(minimumWidth(), pixels(m.GetPaperWidth(), logicalDpiX()) + 2 * int(kScreenMargin)),
                   std::max(minimumHeight(), pixels(m.GetPaperHeight(), logicalDpiY()) + 2 * int(kScreenMargin)));
}

void ElementsPage::PaintSample(TKVRDraw& draw)
{
    draw.SetResolution(draw.ResolutionX, draw.ResolutionY, fDocument->GetMeasure().GetDrawScale());
    draw.DrawState = KVRDrawState::Preview;
    draw.ScreenOffsetX = kScreenMargin;
    draw.ScreenOffsetY = kScreenMargin;
    for (int32_t i = 1; i <= fDocument->GetItemsCount(); ++i)
        fDocument->GetItem(i)->DrawElement(&draw);
}

bool ElementsPage::PrintToPdf(const QString& fileName)
{
    QPdfWriter pdf(fileName);
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(Title());
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    TCanvas canvas(painter);
    canvas.BeginScene();
    TKVRDraw draw;
    draw.SetResolution(pdf.resolution(), pdf.resolution(), fDocument->GetMeasure().GetDrawScale());
    draw.SetStandardWidths();
    draw.pC = &canvas;
    draw.DrawState = KVRDrawState::Print;
    for (int32_t i = 1; i <= fDocument->GetItemsCount(); ++i)
        fDocument->GetItem(i)->PrintElement(&draw);
    canvas.EndScene();
    return painter.end();
}
