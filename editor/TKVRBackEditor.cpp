#include "editor/TKVRBackEditor.h"
#include "document/KVR.FMX.h"
#include "document/KVR.FMX.Openers.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "editor/TKVRBaseEditor.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/skia/TSkCanvas.h"
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <exception>
#include <optional>
#include <tuple>

TKVRBackEditor::TKVRBackEditor(TKVRBaseEditor* aEditor)
    : QWidget(aEditor), fEditor(aEditor), fDrw(std::make_unique<TKVRDraw>()),
      fMouseFilter(std::make_unique<TMouseFilterS>())
{
    fDScroll.Ready = false;
    EmptyHandles();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // The right button belongs to the drawing actions.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setAttribute(Qt::WA_OpaquePaintEvent);
    fLink.Reset(true, true);
    fRef.Reset();
    // Device-independent pixels at 96 dpi, whatever the screen says.
    fDPIX = 96;
    fDPIY = 96;
    TKVRFactory::SetDPI(96, 96);
    fMouseFilter->SetInterval(70);
    fMouseFilter->SetDistance(20);
}

TKVRBackEditor::~TKVRBackEditor()
{
    fDScroll.Ready = false;
}

float TKVRBackEditor::ZScale() const
{
    return fEditor->fZScale;
}

int32_t TKVRBackEditor::DrawScale() const
{
    return fEditor->DrawScale();
}

TKVRUnits TKVRBackEditor::Units() const
{
    return fEditor->Units();
}

void TKVRBackEditor::resizeEvent(QResizeEvent* aEvent)
{
    QWidget::resizeEvent(aEvent);
    Relayout();
}

void TKVRBackEditor::Relayout()
{
    if (width() == 0 || height() == 0)
        return;
    fDScroll.Ready = false;
    fEditor->CheckDScroll();
    // setRange may move a value, emitting valueChanged while not Ready: the
    // handlers then move nothing, and the values are read back below.
    const auto place = [](QScrollBar* aBar, int32_t aTotal, int32_t aView) {
        const TKVRScrollRange r = ScrollRange(aTotal, aView, aBar->value());
        aBar->setRange(0, r.Maximum);
        aBar->setPageStep(std::max(aView, 1));
        aBar->setSingleStep(10);
        aBar->setValue(r.Value);
        aBar->setEnabled(r.Enabled);
        return aBar->value();
    };
    fDScroll.ViewH = height();
    fDScroll.ScrollY = place(fEditor->fVertScroll, fDScroll.TotalH, fDScroll.ViewH);
    fDScroll.ViewW = width();
    fDScroll.ScrollX = place(fEditor->fHorzScroll, fDScroll.TotalW, fDScroll.ViewW);
    SetGap();
    fChanges = KVRChanges::Scroll;
    fDScroll.Ready = true;
    DrawEditor();
}

void TKVRBackEditor::ScrollItem(TKVRBaseItem* aItem)
{
    if (!aItem)
        return;
    const TKVRPto c = aItem->CenterPoint();
    const auto centre = [](QScrollBar* aBar, int32_t aContent, int32_t aHalf) {
        if (aBar->isEnabled())
            aBar->setValue(std::clamp(aContent - aHalf, aBar->minimum(), aBar->maximum()));
    };
    centre(fEditor->fVertScroll, ScreenMMY(c.Y) - OffsetY() + fDScroll.GapT + fDScroll.RulerT,
           RoundHalfEven32(height() / 2.0));
    centre(fEditor->fHorzScroll, ScreenMMX(c.X) - OffsetX() + fDScroll.GapL + fDScroll.RulerL,
           RoundHalfEven32(width() / 2.0));
}

void TKVRBackEditor::EnsureItemVisible(TKVRBaseItem* aItem)
{
    if (!fDScroll.Ready || !aItem)
        return;
    const TKVRPto c = aItem->CenterPoint();
    const int32_t x = ScreenMMX(c.X), y = ScreenMMY(c.Y);
    if (x >= 0 && x <= width() && y >= 0 && y <= height())
        return;
    const auto bring = [](QScrollBar* aBar, int32_t aContent, int32_t aSize) {
        if (aBar->isEnabled())
            aBar->setValue(std::clamp(aContent - aSize / 2, 0, aBar->maximum()));
    };
    bring(fEditor->fVertScroll, y - OffsetY() + fDScroll.GapT + fDScroll.RulerT, height());
    bring(fEditor->fHorzScroll, x - OffsetX() + fDScroll.GapL + fDScroll.RulerL, width());
}

void TKVRBackEditor::ResetPoints(bool aTakeLinkType)
{
    PO = LP = QPointF(0, 0);
    if (aTakeLinkType && fEditor->GetLabel())
        fLink.LinkType = fEditor->GetLabel()->GetAct().fCurLinkType;
    fLink.Reset(true, aTakeLinkType);
}

void TKVRBackEditor::DrawLinkPointColor()
{
    fDrw->aLinkPoint = fEditor->GetSelectionColors()->GetLinkPoint();
}

void TKVRBackEditor::DrawEditor()
{
    if (fDScroll.Ready)
        update();
    fChanges = 0;
}

void TKVRBackEditor::EmptyHandles()
{
    hNW = hN = hNE = hO = hE = hSW = hS = hSE = hP1 = hP2 = QRect();
    hPol.clear();
}

void TKVRBackEditor::SetGap()
{
    fGap = PickGap(fEditor->GetGap());
}

void TKVRBackEditor::AdjustGrid()
{
    fBaseX = GridRound(fBaseX, fEditor->GetGrid()->BaseIncX());
    fBaseY = GridRound(fBaseY, fEditor->GetGrid()->BaseIncY());
    LP = QPointF(ScreenMMX(fBaseX), ScreenMMY(fBaseY));
}

int64_t TKVRBackEditor::GridX(int64_t aValue) const
{
    return fEditor->GetSnap().testFlag(skGrid) ? GridRound(aValue, fEditor->GetGrid()->BaseIncX()) : -1;
}

int64_t TKVRBackEditor::GridY(int64_t aValue) const
{
    return fEditor->GetSnap().testFlag(skGrid) ? GridRound(aValue, fEditor->GetGrid()->BaseIncY()) : -1;
}

void TKVRBackEditor::MoveScrollPoint(int32_t aDx, int32_t aDy)
{
    const QPointF d(aDx, aDy);
    for (QPointF* p : {&CO, &PO2, &PO, &LP, &SP})
        *p += d;
}

void TKVRBackEditor::paintEvent(QPaintEvent* aEvent)
{
    QPainter painter(this);
    Draw(TSkCanvas::Make(&painter), QRectF(aEvent->rect()));
    PaintInput(painter);
}

void TKVRBackEditor::Step(const std::function<void()>& aEvent, bool aTellRefusal)
{
    TVXLabelFMX* doc = Document();
    const auto marks = std::make_tuple(CO, PO2, PO, LP, fBaseX, fBaseY, fLBaseX, fLBaseY, fEditor->fInput);
    // The surface steps the action on itself at times (a connector's last anchor).
    const std::optional<TAct> act = doc ? std::optional<TAct>(doc->GetAct()) : std::nullopt;
    QString why;
    try {
        aEvent();
        return;
    } catch (const EKVRCoordRange& e) {
        if (aTellRefusal)
            why = QString::fromUtf8(e.what());
    } catch (const std::exception& e) {
        why = QString::fromUtf8(e.what());
    }
    std::tie(CO, PO2, PO, LP, fBaseX, fBaseY, fLBaseX, fLBaseY, fEditor->fInput) = marks;
    if (act && Document() == doc)
        doc->GetAct() = *act;
    update();
    if (const auto& show = KVRLabelOpeners().ShowMessage; show && !why.isEmpty())
        show(why);
}
