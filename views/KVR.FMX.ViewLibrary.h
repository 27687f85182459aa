#pragma once
// The symbol-library view: the symbols of one library category, or of the
// open document, as a grid of equal cells with a vertical scroll bar. It
// reports the symbol under the pointer and selects one on a click.
#include "platform/rtl/System.UITypes.h"
#include "platform/rtl/label/KVR.Units.h"
#include "views/KVR.FMX.ViewLibLayout.h"
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QScrollBar;
class TKVRDraw;
class TKVRLibrary;
class TKVRBaseLibSymbol;
class TVXLabelFMX;

// Sender, name, note and units of the symbol under the pointer; an empty
// name when there is none.
using TKVRInfoSymEvent =
    std::function<void(QObject* Sender, const QString& aName, const QString& aNote, TKVRUnits aUnits)>;

class TKVRBaseViewLib : public QWidget
{
    Q_OBJECT

public:
    explicit TKVRBaseViewLib(QWidget* aParent = nullptr);
    ~TKVRBaseViewLib() override;

    // The document whose folder and symbols the view may show. The view
    // observes nothing: a document that dies is simply forgotten.
    void SetLabel(TVXLabelFMX* aLabel);
    // Out of line: the document is only declared here, for hosts that include this header alone.
    TVXLabelFMX* GetLabel() const;
    // Loads one category of a library file ("*": all), or the document's own
    // symbols when aFile is the current-drawing caption. False with the
    // reader's error when the file cannot be read; the view is then empty.
    bool LoadSymbols(const QString& aFile, const QString& aCategory, QString* aError = nullptr);
    // The file's categories, one "/"-joined path per line; empty without a
    // document. Raises as the file reader does.
    QString GetCatList(const QString& aFile) const;
    // The selected symbol, null when none; it stays the view's.
    const TKVRBaseLibSymbol* GetSelection() const;
    int32_t GetNumSymbols() const { return fNumSym; }
    uint8_t TypeDest() const { return 3; }

    void AdjustSizes();
    void UpdateScrollBars();
    bool GetVertScrollBarVisible() const { return fGrid.ScrollBar; }
    QScrollBar* ScrollBar() const { return fScrollBar; }
    const TKVRLibGrid& Grid() const { return fGrid; }
    int32_t DMX() const { return 0; }
    int32_t DMY() const { return -fVertScrollPos; }
    void Redraw() { update(); }

    TAlphaColor GetFrameColor() const { return fFrameColor; }
    void SetFrameColor(TAlphaColor aValue);
    int32_t GetGap() const { return fGap; }
    void SetGap(int32_t aValue);
    int32_t GetSymbolWidth() const { return fSymbolWidth; }
    void SetSymbolWidth(int32_t aValue);
    int32_t GetSymbolHeight() const { return fSymbolHeight; }
    void SetSymbolHeight(int32_t aValue);
    int32_t GetIdSelection() const { return fIdxSymbol; }
    bool GetShowHintOnMove() const { return fShowHintOnMove; }
    void SetShowHintOnMove(bool aValue) { fShowHintOnMove = aValue; }
    // The symbol under the pointer, 0 none.
    int32_t GetIdxPosition() const { return fIdxPosition; }

    TKVRInfoSymEvent OnChangePos;

signals:
    // A click chose another symbol.
    void SelectionChanged();

public:

    QSize sizeHint() const override { return {400, 300}; }

protected:
    void paintEvent(QPaintEvent* aEvent) override;
    void resizeEvent(QResizeEvent* aEvent) override;
    void mousePressEvent(QMouseEvent* aEvent) override;
    void mouseMoveEvent(QMouseEvent* aEvent) override;
    void leaveEvent(QEvent* aEvent) override;
    void wheelEvent(QWheelEvent* aEvent) override;

private:
    QPointer<TVXLabelFMX> fBaseLab;
    bool fReady = true;
    std::unique_ptr<TKVRDraw> fDrw;
    std::unique_ptr<TKVRLibrary> fSymLib;
    bool fDocumentShown = false;  // fSymLib shows fBaseLab's own symbols
    QScrollBar* fScrollBar = nullptr;
    TAlphaColor fColor = 0xFFFFFFFF;
    TAlphaColor fFrameColor = 0xFF808080;
    TAlphaColor fSelectionColor = 0xFFFF0000;
    int32_t fScrollBarsize = 0;
    int32_t fVertScrollPos = 0;
    int32_t fTopRow = 0;
    int32_t fSymbolWidth = 80, fSymbolHeight = 80;
    bool fShowHintOnMove = true;
    int32_t fGap = 10;
    TKVRLibGrid fGrid;
    int32_t fNumSym = 0;
    int32_t fIdxSymbol = 0;
    int32_t fIdxPosition = 0;
    int32_t fIdxLastPos = 0;

    // The library, emptied first when the document it shows has gone.
    const TKVRLibrary* Library();
    void MoveTo(int32_t aIndex);
    // A gap or cell side below aMin is refused; a change lays the grid out again.
    void SetCellValue(int32_t& aField, int32_t aValue, int32_t aMin);
    void UpdateVertScroll(int aValue);
    void Draw(class QPainter& aPainter);
};

class TKVRViewLibrary : public TKVRBaseViewLib
{
    Q_OBJECT
    Q_PROPERTY(TVXLabelFMX* Zorvel READ GetLabel WRITE SetLabel DESIGNABLE false)
    Q_PROPERTY(uint FrameColor READ GetFrameColor WRITE setFrameColor)
    Q_PROPERTY(int Gap READ GetGap WRITE setGap)
    Q_PROPERTY(int SymbolWidth READ GetSymbolWidth WRITE setSymbolWidth)
    Q_PROPERTY(int SymbolHeight READ GetSymbolHeight WRITE setSymbolHeight)
    Q_PROPERTY(int IdSelection READ GetIdSelection)
    Q_PROPERTY(bool ShowHintOnMove READ GetShowHintOnMove WRITE setShowHintOnMove)

public:
    explicit TKVRViewLibrary(QWidget* aParent = nullptr) : TKVRBaseViewLib(aParent) {}

    // The names forms compiled by uic call.
    void setFrameColor(uint aValue) { SetFrameColor(aValue); }
    void setGap(int aValue) { SetGap(aValue); }
    void setSymbolWidth(int aValue) { SetSymbolWidth(aValue); }
    void setSymbolHeight(int aValue) { SetSymbolHeight(aValue); }
    void setShowHintOnMove(bool aValue) { SetShowHintOnMove(aValue); }
};
