#pragma once
// The preview control: the current sheet of a label document as it prints,
// the whole page or the page's width in view, scrolling when larger.
#include "document/KVR.FMX.h"
#include "platform/rtl/label/KVR.Observer.h"
#include "views/KVR.FMX.PreviewLayout.h"
#include <QString>
#include <QWidget>
#include <memory>

class QScrollBar;
class TKVRDraw;

class TKVRBasePreview : public QWidget, public IVXObserver
{
    Q_OBJECT

public:
    explicit TKVRBasePreview(QWidget* aParent = nullptr);
    ~TKVRBasePreview() override;

    // Watches aLabel (null: none); the label watched before is let go.
    void SetLabel(TVXLabelFMX* aLabel);
    TVXLabelFMX* GetLabel() const { return fBaseLab; }
    TKVRViewType GetViewType() const { return fViewType; }
    void SetViewType(TKVRViewType aValue);
    uint32_t GetBackColor() const { return fBackColor; }
    void SetBackColor(uint32_t aValue);
    int32_t GetMargin() const { return fMargin; }
    void SetMargin(int32_t aValue);

    // ---- the document's views: 3 lays the page out again; 6 and 7 repaint.
    void UpdateCtrl(TVXChange aChange, const TVXChangeValue& aValue) override;
    uint8_t TypeDest() const override { return 2; }
    void DocumentDestroyed() override;

    void SetContentWidth(int32_t aValue);
    void SetContentHeight(int32_t aValue);
    int32_t GetContentWidth() const { return fContentWidth; }
    int32_t GetContentHeight() const { return fContentHeight; }
    void AdjustSizes();
    void UpdateScrollBars();
    void UpdatePreview();
    void Redraw() { update(); }
    bool GetHorzScrollBarVisible() const { return fContentWidth > width(); }
    bool GetVertScrollBarVisible() const { return fContentHeight > height(); }
    QScrollBar* ScrollBarH() const { return fScrollBarH; }
    QScrollBar* ScrollBarV() const { return fScrollBarV; }
    // Pixels of the zoomed page per document unit, per axis.
    float FX() const;
    float FY() const;
    // Corner of the page in the control, scrolled.
    int32_t DMX() const;
    int32_t DMY() const;
    const TKVRPreviewLayout& GetLayout() const { return fLayout; }
    // Why the last paint showed no labels (a run refused or empty, a
    // failure), empty when it painted them.
    QString GetPaintError() const { return fPaintError; }

protected:
    void paintEvent(QPaintEvent* aEvent) override;
    void resizeEvent(QResizeEvent* aEvent) override;
    // Scrolls the page as the bars do.
    void wheelEvent(QWheelEvent* aEvent) override;

private:
    TVXLabelFMX* fBaseLab = nullptr;  // not owned; the dying document tells us
    bool fReady = true;
    std::unique_ptr<TKVRDraw> fDrw;
    uint32_t fBackColor = 0xFF808080;
    int32_t fContentWidth = 0, fContentHeight = 0;
    QScrollBar* fScrollBarH = nullptr;
    QScrollBar* fScrollBarV = nullptr;
    int32_t fScrollBarsize = 0;
    int32_t fHorzScrollPos = 0, fVertScrollPos = 0;
    int32_t fLastHorzPos = -1, fLastVertPos = -1;
    TKVRViewType fViewType = 0;
    int32_t fMargin = 10;
    TKVRPreviewLayout fLayout;
    QString fPaintError;
    QString fPrepareError;  // why the run could not be prepared
    bool fPreparing = false;

    void AddCtrls();
    // The document's run, for a document that has not prepared one.
    void PrepareRun();
    void PaintReason(class QPainter& aPainter, const QString& aReason);
    void UpdateHorzScroll(int aValue);
    void UpdateVertScroll(int aValue);
    void Draw(class QPainter& aPainter);
};

class TKVRPreview : public TKVRBasePreview
{
    Q_OBJECT
    Q_PROPERTY(TVXLabelFMX* Zorvel READ GetLabel WRITE SetLabel)
    Q_PROPERTY(uint8_t ViewType READ GetViewType WRITE SetViewType)
    Q_PROPERTY(uint32_t BackColor READ GetBackColor WRITE SetBackColor)
    Q_PROPERTY(int32_t Margin READ GetMargin WRITE SetMargin)

public:
    explicit TKVRPreview(QWidget* aParent = nullptr) : TKVRBasePreview(aParent) {}
};
