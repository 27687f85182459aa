#pragma once
// The editor frame: places the drawing surface, two scroll bars, the zoom box,
// the units button, the ortho and snap indicators and two icon buttons by its
// placing table, holds the options, watches one label document and reacts to
// its changes, and computes the zoom and the surface's scrollable geometry.
#include "editor/KVR.FMX.Editor.Types.h"
#include "editor/TKVREditorOptions.h"
#include "editor/TKVRFrameLayout.h"
#include "editor/TKVRSettingsValues.h"
#include "editor/TKVRViewLayout.h"
#include "platform/rtl/label/KVR.EditTypes.h"
#include "platform/rtl/label/TKVRInputS.h"
#include "platform/rtl/label/KVR.Observer.h"
#include "platform/rtl/label/KVR.Units.h"
#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QPushButton;
class QScrollBar;
class TKVRBackEditor;
class TKVRBaseItem;
class TKVRInfoEd;
class TResButton;
class TVXLabelFMX;
class TKVRBaseLibSymbol;

// Button, shift state and the pointer in the label's unit.
using TKVRMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton aButton, TShiftState aShift, float x, float y)>;
using TKVRMouseMoveEvent = std::function<void(QObject* Sender, TShiftState aShift, float x, float y)>;

// The symbol browser the editor opens to place a symbol: true with the chosen
// symbol (and the category to open next time), false when the user cancels.
class IKVRSymbolBrowser
{
public:
    virtual ~IKVRSymbolBrowser() = default;
    virtual bool Browse(TVXLabelFMX& aDoc, QString& aLastCat, std::unique_ptr<TKVRBaseLibSymbol>& aSymbol) = 0;
};

// The symbol browser of every editor that has none of its own; the dialogs
// fill it in at their start-up.
IKVRSymbolBrowser*& KVRDefaultSymbolBrowser();

class TKVRBaseEditor : public QWidget, public IVXObserver
{
    Q_OBJECT

public:
    explicit TKVRBaseEditor(QWidget* aParent = nullptr);
    ~TKVRBaseEditor() override;

    // ---- document and observer
    TVXLabelFMX* GetLabel() const { return fBaseLab; }
    // Another document detaches the editor from the first.
    void SetLabel(TVXLabelFMX* aLabel);
    void UpdateCtrl(TVXChange aChange, const TVXChangeValue& aValue) override;
    uint8_t TypeDest() const override { return 0; }
    void DocumentDestroyed() override;

    TKVRUnits Units() const;
    int32_t DrawScale() const;
    void ShowUnits();
    // The zoom box shows the zoom in use.
    void ShowZoom();
    void BeginUpdate();
    void EndUpdate();
    void IniEdition(bool aInserting);
    void UpdateRulers(bool aRelayout);

    // ---- zoom and layout
    TKVRZoom GetZoom() const { return fZoom; }
    void SetZoom(TKVRZoom aZoom);
    float GetZScale() const { return fZScale; }
    void ZoomChange(int aIndex);
    void IncZoom();
    void DecZoom();
    // Zoom, rulers, gaps and totals of the surface.
    void CheckDScroll();
    void AdjustCtrls();
    void UpdateLayout();
    void ScrollToItem(TKVRBaseItem* aItem);
    void FillLanguage();

    // ---- buttons and dialogs
    void ClickUnits();
    void MouseDownRotate(Qt::MouseButton aButton);
    bool SelectSymbol();
    IKVRSymbolBrowser* fSymbolBrowser = nullptr;
    // Opens the settings dialog and writes back what the user confirmed.
    void EditSettings();
    void ClickSettings() { EditSettings(); }
    IKVRSettingsDialog* fSettingsDialog = nullptr;

    // ---- options
    TKVREditorOptions GetOptions() const { return fOptions; }
    void SetEditorOptions(TKVREditorOptions aOptions);
    bool GetEnabledMouseFilter() const { return fEnabledfMouseFilter; }
    void SetEnabledfMouseFilter(bool aValue);
    int32_t GetGap() const { return fGap; }
    void SetGap(int32_t aValue);
    TKVRGrid* GetGrid() const { return fGrid.get(); }
    void SetGrid(const TKVRGrid* aGrid);
    TKVRRulers* GetRulers() const { return fRulers.get(); }
    void SetRulers(const TKVRRulers* aRulers);
    TKVRSelColors* GetSelectionColors() const { return fSelColors.get(); }
    TVKRLabelPos GetLabelPos() const { return fLabelPos; }
    void SetLabelPos(TVKRLabelPos aValue);
    int32_t GetMargin() const { return fMargin; }
    void SetMargin(int32_t aValue);
    TAlphaColor GetMarginColor() const { return fMarginColor; }
    void SetMarginColor(TAlphaColor aValue);
    float GetMoveX();
    void SetMoveX(float aValue);
    float GetMoveY();
    void SetMoveY(float aValue);
    float MinMoveValue() const;
    float MaxMoveValue() const;
    bool GetOrtoLines() const { return fOrtoLines; }
    void SetOrtoLines(bool aValue);
    TKVRSnapOptions GetSnap() const { return fSnap; }
    void SetSnap(TKVRSnapOptions aValue);
    int32_t GetSizeRef() const { return fSizeRef; }
    void SetSizeRef(int32_t aValue);
    int32_t GetSizePoint() const { return fSizePoint; }
    void SetSizePoint(int32_t aValue);
    bool GetShowRefLines() const { return fShowRefLines; }
    void SetShowRefLines(bool aValue) { fShowRefLines = aValue; }
    TAlphaColor GetBackColor() const { return fBackColor; }
    float SizeSelection(int16_t aMode) const;
    void AlignSelectedLeft();
    void AlignSelectedRight();
    void AlignSelectedTop();
    void AlignSelectedBottom();
    void Assign(const TKVRBaseEditor& aSource);

    TKVRMouseEvent OnMouseDown;
    TKVRMouseEvent OnMouseUp;
    TKVRMouseMoveEvent OnMouseMove;

    // The children, for hosts and tests that look at them.
    TKVRBackEditor* GetSurface() const { return fBackEdit; }
    QScrollBar* GetHorzScroll() const { return fHorzScroll; }
    QScrollBar* GetVertScroll() const { return fVertScroll; }
    QComboBox* GetZoomBox() const { return fEbZoom; }
    QPushButton* GetUnitsButton() const { return fEbUnits; }
    TKVRInfoEd* GetOrtoInfo() const { return fInfoEdOrto; }
    TKVRInfoEd* GetSnapInfo() const { return fInfoEdSnap; }
    TResButton* GetSettingsButton() const { return fEbSettings; }
    TResButton* GetRotateButton() const { return fEbRotate; }
    const TKVRFrameLayout& GetFrameLayout() const { return fLayout; }

    bool fBitText = false;

    // ---- command keys and the coordinate box (TKVRBaseEditor.Keys.cpp)
    // Key is the key's number (Backspace 8, Tab 9, Enter 13, Esc 27, arrows
    // 37 to 40, Delete 46, letters by their capital, F4 115, F8 119, F9 120).
    void InputKeyDown(QObject* Sender, uint16_t& Key, TShiftState Shift);
    // Ends the text being written; aReset also ends the action.
    void ValidateImputText(bool aReset);
    void ResetInputText(bool aRedraw);
    // Clipboard text into the text being written, at the caret.
    void PasteFromClipBoard();
    QString GetInputText() const { return feText; }
    int32_t GetInputPos() const { return fPosInput; }
    // The coordinate box: its text and caret, and what Enter read from it.
    QString feText;
    int32_t fPosInput = 0;
    TKVRInputS fInput;

protected:
    void resizeEvent(QResizeEvent* aEvent) override;

private:
    // Keys of the coordinate box while drawing; Enter feeds the entry.
    void InputBoxKey(uint16_t aKey);
    void EnterInput();
    // Keys of the one-line text being written.
    void TextKey(uint16_t aKey, TShiftState aShift);
    void CommandKey(uint16_t aKey, TShiftState aShift);
    void AddCtrls();
    void ChangeScrollHorz(int aValue);
    void ChangeScrollVert(int aValue);
    void ReactToAction(uint8_t aAction, bool aFromState);
    void StartText(bool aPending);
    // The text being written or edited in place ends on the surface: caret,
    // selection, coordinate box and drawing state go.
    void EndTextEditing();
    void AlignSelected(int16_t aSide);
    void SetCursorShape(Qt::CursorShape aShape);
    void CrosshairAndStart(bool aInserting);
    int32_t ClampMove(int64_t aStep) const;

    TVXLabelFMX* fBaseLab = nullptr;
    TKVRBackEditor* fBackEdit = nullptr;
    QScrollBar* fHorzScroll = nullptr;
    QScrollBar* fVertScroll = nullptr;
    std::unique_ptr<TKVRRulers> fRulers;
    TKVRInfoEd* fInfoEdOrto = nullptr;
    TKVRInfoEd* fInfoEdSnap = nullptr;
    TAlphaColor fBackColor = 0xFFFFFFFF;
    TAlphaColor fMarginColor = 0xFFC0C0C0;
    TVKRLabelPos fLabelPos = TVKRLabelPos::lbTopLeft;
    std::unique_ptr<TKVRGrid> fGrid;
    int32_t fMoveX = 1000, fMoveY = 1000;
    TKVRSnapOptions fSnap;
    bool fOrtoLines = false;
    TKVRZoom fZoom = TKVRZoom::zm100;
    float fZScale = 1.0f;
    int32_t fMargin = 15;
    int32_t fSizeRef = 6;
    int32_t fSizePoint = 3;
    bool fLinked = false;
    TKVREditorOptions fOptions = TKVREditorOptions(0xFF);
    QComboBox* fEbZoom = nullptr;
    QPushButton* fEbUnits = nullptr;
    TResButton* fEbSettings = nullptr;
    TResButton* fEbRotate = nullptr;
    std::unique_ptr<TKVRSelColors> fSelColors;
    int32_t fGap = 8;
    bool fEnabledfMouseFilter = false;
    bool fShowRefLines = false;
    TKVRFrameLayout fLayout;
    QString fLastCat;

    friend class TKVRBackEditor;
};
