#include "views/KVR.FMX.ViewLibrary.h"
#include "document/KVR.FMX.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "elements/TKVRSymbol.h"
#include "platform/rtl/model/TKVRLibrary.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "platform/skia/TSkCanvas.h"
#include "platform/skia/TSkPaint.h"
#include "render/TKVRDraw.h"
#include <QFileInfo>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QToolTip>
#include <exception>

TKVRBaseViewLib::TKVRBaseViewLib(QWidget* aParent)
    : QWidget(aParent), fDrw(std::make_unique<TKVRDraw>()), fSymLib(std::make_unique<TKVRLibrary>())
{
    fDrw->DrawState = KVRDrawState::Library;
    fDrw->SetResolution(96, 96, 1);
    fDrw->SetStandardWidths();
    setMouseTracking(true);
    fScrollBar = new QScrollBar(Qt::Vertical, this);
    fScrollBar->hide();
    fScrollBar->setSingleStep(1);
    connect(fScrollBar, &QScrollBar::valueChanged, this, &TKVRBaseViewLib::UpdateVertScroll);
    fScrollBarsize = fScrollBar->sizeHint().width();
}

TKVRBaseViewLib::~TKVRBaseViewLib() = default;

TVXLabelFMX* TKVRBaseViewLib::GetLabel() const
{
    return fBaseLab;
}

void TKVRBaseViewLib::SetLabel(TVXLabelFMX* aLabel)
{
    if (aLabel == fBaseLab)
        return;
    fBaseLab = aLabel;
    // Counts and indices go with the library.
    fSymLib->Clear();
    fDocumentShown = false;
    fNumSym = fIdxSymbol = fIdxPosition = fIdxLastPos = 0;
    AdjustSizes();
    UpdateScrollBars();
}

const TKVRLibrary* TKVRBaseViewLib::Library()
{
    if (fDocumentShown && !fBaseLab) {
        fSymLib->Clear();
        fDocumentShown = false;
        fNumSym = fIdxSymbol = fIdxPosition = fIdxLastPos = 0;
    }
    return fSymLib.get();
}

bool TKVRBaseViewLib::LoadSymbols(const QString& aFile, const QString& aCategory, QString* aError)
{
    bool loaded = true;
    {
        const QScopedValueRollback<bool> busy(fReady, false);
        fIdxSymbol = fIdxPosition = fIdxLastPos = 0;
        fSymLib->Clear();
        fDocumentShown = false;
        try {
            if (aFile.compare(TKVRMsg::GetDialogsValue(QStringLiteral("CurDrawing")), Qt::CaseInsensitive) == 0) {
                fSymLib->AssignLib(fBaseLab.data());
                fDocumentShown = fBaseLab;
            } else if (QFileInfo(aFile).isFile()) {
                fSymLib->LoadFromFile(aFile, aCategory);
            }
        } catch (const std::exception& e) {
            fSymLib->Clear();
            loaded = false;
            if (aError)
                *aError = QString::fromUtf8(e.what());
        }
        fNumSym = fSymLib->GetNumSymbols();
        AdjustSizes();
    }
    UpdateScrollBars();
    return loaded;
}

QString TKVRBaseViewLib::GetCatList(const QString& aFile) const
{
    return fBaseLab ? TKVRLibrary::CategoryList(aFile) : QString();
}

const TKVRBaseLibSymbol* TKVRBaseViewLib::GetSelection() const
{
    if (fDocumentShown && !fBaseLab)
        return nullptr;
    return fSymLib->GetSymbol(fIdxSymbol);
}

void TKVRBaseViewLib::AdjustSizes()
{
    fGrid = KVRLibGrid(width(), height(), fSymbolWidth, fSymbolHeight, fGap, fScrollBarsize, fNumSym);
}

void TKVRBaseViewLib::UpdateScrollBars()
{
    fTopRow = fVertScrollPos = 0;
    const QSignalBlocker block(fScrollBar);
    if (fGrid.ScrollBar) {
        fScrollBar->setRange(0, fGrid.MaxTopRow);
        fScrollBar->setPageStep(fGrid.VisibleRows);
        fScrollBar->setValue(0);
        fScrollBar->setGeometry(width() - fScrollBarsize, 0, fScrollBarsize, height());
        fScrollBar->show();
    } else {
        fScrollBar->setRange(0, 0);
        fScrollBar->hide();
    }
    Redraw();
}

void TKVRBaseViewLib::UpdateVertScroll(int aValue)
{
    if (!fReady)
        return;
    fTopRow = std::clamp(aValue, 0, fGrid.MaxTopRow);
    fVertScrollPos = fTopRow * fGrid.RowStep();
    Redraw();
}

void TKVRBaseViewLib::resizeEvent(QResizeEvent* aEvent)
{
    QWidget::resizeEvent(aEvent);
    {
        const QScopedValueRollback<bool> busy(fReady, false);
        AdjustSizes();
    }
    UpdateScrollBars();
}

void TKVRBaseViewLib::SetFrameColor(TAlphaColor aValue)
{
    fFrameColor = aValue;
    Redraw();
}

void TKVRBaseViewLib::SetGap(int32_t aValue)
{
    SetCellValue(fGap, aValue, 0);
}

void TKVRBaseViewLib::SetSymbolWidth(int32_t aValue)
{
    SetCellValue(fSymbolWidth, aValue, TKVRLibGrid::MinCell);
}

void TKVRBaseViewLib::SetSymbolHeight(int32_t aValue)
{
    SetCellValue(fSymbolHeight, aValue, TKVRLibGrid::MinCell);
}

void TKVRBaseViewLib::SetCellValue(int32_t& aField, int32_t aValue, int32_t aMin)
{
    if (aValue < aMin || aValue == aField)
        return;
    aField = aValue;
    AdjustSizes();
    UpdateScrollBars();
}

void TKVRBaseViewLib::MoveTo(int32_t aIndex)
{
    const TKVRLibrary* lib = Library();
    const TKVRBaseLibSymbol* symbol = lib->GetSymbol(aIndex);
    if (!symbol) {
        const bool reported = fIdxLastPos != 0 || fIdxPosition != 0;
        fIdxPosition = fIdxLastPos = 0;
        setToolTip(QString());
        if (reported && OnChangePos)
            OnChangePos(this, QString(), QString(), TKVRUnits::Millimetre);
        return;
    }
    fIdxPosition = aIndex;
    if (aIndex == fIdxLastPos)
        return;
    fIdxLastPos = aIndex;
    // Names come from files: shown as they are, never as mark-up.
    setToolTip(fShowHintOnMove ? symbol->GetName().toHtmlEscaped() : QString());
    if (OnChangePos)
        OnChangePos(this, symbol->GetName(), symbol->GetNote(), symbol->GetUnits());
}

void TKVRBaseViewLib::mouseMoveEvent(QMouseEvent* aEvent)
{
    QWidget::mouseMoveEvent(aEvent);
    const QPoint p = aEvent->position().toPoint();
    MoveTo(fGrid.IndexAt(p.x() - DMX(), p.y() - DMY(), fNumSym));
}

void TKVRBaseViewLib::leaveEvent(QEvent* aEvent)
{
    QWidget::leaveEvent(aEvent);
    MoveTo(0);
}

void TKVRBaseViewLib::wheelEvent(QWheelEvent* aEvent)
{
    // The wheel anywhere over the grid scrolls it, as over its bar.
    if (fScrollBar->isVisible())
        QCoreApplication::sendEvent(fScrollBar, aEvent);
    else
        QWidget::wheelEvent(aEvent);
}

void TKVRBaseViewLib::mousePressEvent(QMouseEvent* aEvent)
{
    QWidget::mousePressEvent(aEvent);
    if (aEvent->button() != Qt::LeftButton)
        return;
    const QPoint p = aEvent->position().toPoint();
    MoveTo(fGrid.IndexAt(p.x() - DMX(), p.y() - DMY(), fNumSym));
    if (fIdxPosition > 0 && fIdxPosition != fIdxSymbol) {
        fIdxSymbol = fIdxPosition;
        Redraw();
        emit SelectionChanged();
    }
}

void TKVRBaseViewLib::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgba(fColor));
    if (!fReady || fGrid.Cols < 1 || Library()->GetNumSymbols() < 1)
        return;
    const QScopedValueRollback<bool> busy(fReady, false);
    try {
        Draw(painter);
    } catch (const std::exception&) {
        // A symbol that cannot be painted leaves its cell empty; the
        // others were painted before it.
    }
    fDrw->kC.reset();
    fDrw->kP.reset();
}

void TKVRBaseViewLib::Draw(QPainter& aPainter)
{
    ISkCanvas canvas = TSkCanvas::Make(&aPainter);
    ISkPaint paint = std::make_shared<TSkPaint>();
    paint->SetAntiAlias(true);
    paint->SetStrokeCap(TSkStrokeCap::Round);
    paint->SetStrokeJoin(TSkStrokeJoin::Round);
    canvas->Translate(float(DMX()), float(DMY()));
    TKVRDraw& d = *fDrw;
    d.kC = canvas;
    d.kP = paint;
    const TKVRLibrary& lib = *fSymLib;
    // Only the rows in view are painted.
    const int32_t first = fTopRow * fGrid.Cols + 1;
    const int32_t last = std::min(fNumSym, (fTopRow + fGrid.VisibleRows + 1) * fGrid.Cols);
    for (int32_t i = first; i <= last; ++i) {
        const QRect cell = fGrid.CellRect(i);
        const TRectF box(float(cell.left()), float(cell.top()), float(cell.left() + cell.width()),
                         float(cell.top() + cell.height()));
        paint->SetPathEffect(nullptr);
        paint->SetAntiAlias(false);
        paint->SetStyle(TSkPaintStyle::Fill);
        paint->SetColor(0xFFFFFFFF);
        canvas->DrawRect(box, paint);
        paint->SetStyle(TSkPaintStyle::Stroke);
        const bool selected = i == fIdxSymbol;
        paint->SetColor(selected ? fSelectionColor : fFrameColor);
        paint->SetStrokeWidth(selected ? 2.0f : 1.0f);
        canvas->DrawRect(box, paint);

        const TKVRBaseLibSymbol* symbol = lib.GetSymbol(i);
        TKVRSymbolFit fit;
        d.aConf.Reset();
        d.aConf.Ini(0xFF000000, 0xFFFFFFFF, true, 0, 0.1f);
        if (!symbol || !KVRFitSymbol(TKVRSymbol::LibBounds(*symbol, d.aConf), cell, d.PixelsPerMicX, fit))
            continue;
        const TKVRSkCanvasSave save(*canvas);
        // Pens and texts beyond the bounds stay inside the cell.
        canvas->ClipRect(box);
        canvas->Translate(float(fit.DX), float(fit.DY));
        canvas->Scale(float(fit.Scale), float(fit.Scale));
        paint->SetAntiAlias(true);
        // Pens at real-world or microscopic scale stay seen, and in their cell.
        d.FitScale = float(fit.Scale);
        d.FitPenMin = 1.0f;
        d.FitPenMax = float(fit.PenMax);
        TKVRSymbol::DrawSymbol(&d, symbol, 1.0f);
        d.FitScale = 0.0f;
    }
}
