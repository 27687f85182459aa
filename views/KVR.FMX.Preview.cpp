#include "views/KVR.FMX.Preview.h"
#include "document/KVR.FMX.SheetPaint.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/skia/TSkCanvas.h"
#include "platform/skia/TSkPaint.h"
#include "render/TKVRDraw.h"
#include <QPainter>
#include <QCoreApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <QtDebug>

namespace {

// Clears a flag for as long as it lives, whatever ends the scope.
class TBusy
{
public:
    explicit TBusy(bool& aReady) : fReady(aReady) { fReady = false; }
    ~TBusy() { fReady = true; }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    bool& fReady;
};

}  // namespace

TKVRBasePreview::TKVRBasePreview(QWidget* aParent) : QWidget(aParent), fDrw(std::make_unique<TKVRDraw>())
{
    fDrw->DrawState = KVRDrawState::Preview;
    fDrw->SetResolution(logicalDpiX(), logicalDpiY(), 1);
    fDrw->SetStandardWidths();
    AddCtrls();
}

TKVRBasePreview::~TKVRBasePreview()
{
    if (fBaseLab)
        fBaseLab->Detach(this);
}

void TKVRBasePreview::AddCtrls()
{
    fScrollBarH = new QScrollBar(Qt::Horizontal, this);
    fScrollBarV = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {fScrollBarH, fScrollBarV}) {
        bar->hide();
        bar->setSingleStep(1);
    }
    connect(fScrollBarH, &QScrollBar::valueChanged, this, &TKVRBasePreview::UpdateHorzScroll);
    connect(fScrollBarV, &QScrollBar::valueChanged, this, &TKVRBasePreview::UpdateVertScroll);
    fScrollBarsize = fScrollBarV->sizeHint().width();
}

void TKVRBasePreview::SetLabel(TVXLabelFMX* aLabel)
{
    if (!KVRWatchLabel(this, fBaseLab, aLabel))
        return;
    if (fBaseLab) {
        // A host's document may never have prepared a run: the control
        // prepares what it paints rather than showing a blank sheet.
        if (!fBaseLab->GetPrintInfo().GetPrepared())
            PrepareRun();
    }
    UpdatePreview();
}

void TKVRBasePreview::PrepareRun()
{
    if (!fBaseLab || fPreparing)
        return;
    fPreparing = true;
    fPrepareError.clear();
    try {
        fBaseLab->CheckPrintData();
    } catch (const std::exception& e) {
        // Told where the page would be, not thrown out of a view.
        fPrepareError = QString::fromUtf8(e.what());
    }
    // Each cell is painted from a copy of its own: the run's copies would
    // only stay in the label as elements it does not have.
    fBaseLab->Clear(KVRClear::Copies, true);
    fPreparing = false;
}

void TKVRBasePreview::DocumentDestroyed()
{
    fBaseLab = nullptr;
    UpdatePreview();
}

void TKVRBasePreview::SetViewType(TKVRViewType aValue)
{
    if (aValue > 1 || aValue == fViewType)
        return;
    fViewType = aValue;
    UpdatePreview();
}

void TKVRBasePreview::SetBackColor(uint32_t aValue)
{
    fBackColor = aValue;
    Redraw();
}

void TKVRBasePreview::SetMargin(int32_t aValue)
{
    if (aValue < 0 || aValue == fMargin)
        return;
    fMargin = aValue;
    UpdatePreview();
}

void TKVRBasePreview::UpdateCtrl(TVXChange aChange, const TVXChangeValue&)
{
    switch (aChange) {
    case KVRChange::Loaded:
        // Another document in the same object: its own run.
        PrepareRun();
        UpdatePreview();
        break;
    case KVRChange::Size:
    case KVRChange::Units:
    case KVRChange::Update:
    case KVRChange::State:
        UpdatePreview();
        break;
    case KVRChange::BackColor:
    case KVRChange::Items:
    case KVRChange::List:
    case KVRChange::EndText:
    case KVRChange::Text:
        // Whatever changes what prints changes the sheet shown.
        Redraw();
        break;
    default:
        break;  // selection and editing gestures print nothing
    }
}

void TKVRBasePreview::SetContentWidth(int32_t aValue)
{
    if (aValue == fContentWidth)
        return;
    fContentWidth = aValue;
    UpdateScrollBars();
}

void TKVRBasePreview::SetContentHeight(int32_t aValue)
{
    if (aValue == fContentHeight)
        return;
    fContentHeight = aValue;
    UpdateScrollBars();
}

void TKVRBasePreview::wheelEvent(QWheelEvent* aEvent)
{
    // As a scroll area does: mostly sideways turns the horizontal bar.
    const QPoint delta = aEvent->angleDelta();
    const bool sideways = std::abs(delta.x()) > std::abs(delta.y());
    QScrollBar* bar = sideways ? fScrollBarH : fScrollBarV;
    if (!(sideways ? GetHorzScrollBarVisible() : GetVertScrollBarVisible())) {
        aEvent->ignore();
        return;
    }
    QCoreApplication::sendEvent(bar, aEvent);
}

void TKVRBasePreview::UpdatePreview()
{
    AdjustSizes();
    UpdateScrollBars();
}

void TKVRBasePreview::AdjustSizes()
{
    if (width() <= 0 || height() <= 0)
        return;
    TBusy busy(fReady);
    double pw = 0, ph = 0;
    if (fBaseLab) {
        // The paper is paper: the drawing scale shrinks the model on it, not the sheet.
        pw = MicrometresToPixels(double(fBaseLab->GetMeasure().GetPaperWidth()), fDrw->ResolutionX);
        ph = MicrometresToPixels(double(fBaseLab->GetMeasure().GetPaperHeight()), fDrw->ResolutionY);
    }
    fLayout = KVRPreviewLayout(width(), height(), fMargin, fScrollBarsize, pw, ph, fViewType);
    SetContentWidth(fLayout.ContentWidth);
    SetContentHeight(fLayout.ContentHeight);
}

void TKVRBasePreview::UpdateScrollBars()
{
    // A bar's range is what lies beyond the view; a page is the view.
    const auto Fit = [](QScrollBar* aBar, bool aVisible, int32_t aContent, int32_t aView, int32_t& aPos) {
        if (aVisible) {
            aBar->setRange(0, aContent - aView);
            aBar->setPageStep(aView);
            aBar->setSingleStep(std::max(aView / 10, 1));
            aBar->show();
        } else {
            aPos = 0;
            aBar->setValue(0);
            aBar->hide();
        }
    };
    Fit(fScrollBarH, GetHorzScrollBarVisible(), fContentWidth, width(), fHorzScrollPos);
    Fit(fScrollBarV, GetVertScrollBarVisible(), fContentHeight, height(), fVertScrollPos);
    const int32_t barH = fScrollBarH->sizeHint().height();
    fScrollBarH->setGeometry(0, height() - barH, width() - (fScrollBarV->isVisible() ? fScrollBarsize : 0), barH);
    fScrollBarV->setGeometry(width() - fScrollBarsize, 0, fScrollBarsize,
                             height() - (fScrollBarH->isVisible() ? barH : 0));
    Redraw();
}

void TKVRBasePreview::UpdateHorzScroll(int aValue)
{
    fHorzScrollPos = aValue;
    if (fHorzScrollPos != fLastHorzPos) {
        fLastHorzPos = fHorzScrollPos;
        Redraw();
    }
}

void TKVRBasePreview::UpdateVertScroll(int aValue)
{
    fVertScrollPos = aValue;
    if (fVertScrollPos != fLastVertPos) {
        fLastVertPos = fVertScrollPos;
        Redraw();
    }
}

float TKVRBasePreview::FX() const
{
    return KVRPixelsPerUnit(fDrw->ResolutionX, fLayout.ZScale, fBaseLab ? fBaseLab->GetUnits() : TKVRUnits::Millimetre);
}

float TKVRBasePreview::FY() const
{
    return KVRPixelsPerUnit(fDrw->ResolutionY, fLayout.ZScale, fBaseLab ? fBaseLab->GetUnits() : TKVRUnits::Millimetre);
}

int32_t TKVRBasePreview::DMX() const
{
    return fLayout.MarginLeft - fHorzScrollPos - (fScrollBarV->isVisible() ? fScrollBarsize / 2 : 0);
}

int32_t TKVRBasePreview::DMY() const
{
    return fLayout.MarginTop - fVertScrollPos - (fScrollBarH->isVisible() ? fScrollBarH->height() / 2 : 0);
}

void TKVRBasePreview::resizeEvent(QResizeEvent* aEvent)
{
    QWidget::resizeEvent(aEvent);
    UpdatePreview();
}

void TKVRBasePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgba(fBackColor));
    if (!fReady || !fBaseLab || !fLayout.Valid)
        return;
    TBusy busy(fReady);
    // A run without pages shows why on its paper, and says so.
    const QString reason = !fPrepareError.isEmpty() ? fPrepareError
                           : fBaseLab->GetPrintInfo().GetNumPages() < 1 ? fBaseLab->NoLabelsReason()
                                                                         : QString();
    if (!reason.isEmpty()) {
        PaintReason(painter, reason);
        fPaintError = reason;
        return;
    }
    // Nothing may leave an event handler: a failing paint shows the
    // background and is told once, not at every repaint.
    QString error;
    try {
        Draw(painter);
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    } catch (...) {
        error = QStringLiteral("The page cannot be painted");
    }
    fDrw->kC.reset();
    fDrw->kP.reset();
    if (!error.isEmpty()) {
        painter.resetTransform();
        painter.setClipping(false);
        painter.fillRect(rect(), QColor::fromRgba(fBackColor));
        if (error != fPaintError)
            qWarning().noquote() << "Preview:" << error;
    }
    fPaintError = error;
}

void TKVRBasePreview::PaintReason(QPainter& aPainter, const QString& aReason)
{
    const QRect paper(DMX(), DMY(), fLayout.cw, fLayout.ch);
    aPainter.fillRect(paper, QColor::fromRgba(fBaseLab->GetBackSurf().GetBackColor()));
    QFont font = aPainter.font();
    font.setPixelSize(std::clamp(fLayout.cw / 30, 8, 28));
    aPainter.setFont(font);
    aPainter.setPen(QColor(0x80, 0x20, 0x20));
    // In the part of the paper in view, however it is scrolled.
    const QRect shown = paper.intersected(rect());
    const int room = shown.width() / 10;
    aPainter.drawText(shown.adjusted(room, room, -room, -room), Qt::AlignCenter | Qt::TextWordWrap, aReason);
}

void TKVRBasePreview::Draw(QPainter& aPainter)
{
    TVXLabelFMX& doc = *fBaseLab;
    const float z = fLayout.ZScale;
    ISkCanvas canvas = TSkCanvas::Make(&aPainter);
    ISkPaint paint = std::make_shared<TSkPaint>();
    paint->SetAntiAlias(true);
    paint->SetStrokeCap(TSkStrokeCap::Round);
    paint->SetStrokeJoin(TSkStrokeJoin::Round);
    paint->SetColor(doc.GetBackSurf().GetBackColor());
    paint->SetStyle(TSkPaintStyle::Fill);
    const float x = float(DMX()), y = float(DMY());
    canvas->DrawRect(TRectF{x, y, x + float(fLayout.cw), y + float(fLayout.ch)}, paint);
    canvas->Translate(x, y);
    canvas->Scale(z, z);
    TKVRDraw& d = *fDrw;
    d.SetResolution(d.ResolutionX, d.ResolutionY, doc.GetMeasure().GetDrawScale());
    d.SetStandardWidths();
    d.DrawState = KVRDrawState::Preview;
    d.Zoom = z;
    d.kC = canvas;
    d.kP = paint;
    KVRPaintSheet(doc, d, doc.GetPrintInfo().GetCurPage(), TKVRBaseItem::StatePrintable);
}
