#pragma once
// The property inspector's logic: a fixed-width, owner-drawn property grid
// that watches one label document, asks the selected elements for their rows
// on every change of the selection or of a property, keeps those rows,
// scrolls and paints them. Row geometry is the document's row model
// (platform/rtl/model/KVR.Model.Props.h); pixels are 96 dpi logical pixels.
#include "inspector/KVR.FMX.Inspector.Types.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/System.UITypes.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/label/KVR.Observer.h"
#include "platform/rtl/model/KVR.Model.Props.h"
#include <QAbstractScrollArea>
#include <QImage>
#include <vector>

class QComboBox;
class QScrollBar;
class QTimer;
class TCanvas;
class TVXLabelFMX;

class TKVRBaseInspector : public QAbstractScrollArea, public IVXObserver
{
    Q_OBJECT

public:
    // The grid is laid out for this width at least; a wider control widens
    // its columns.
    static constexpr int32_t ControlWidth = 240;

    explicit TKVRBaseInspector(QWidget* aParent = nullptr);
    ~TKVRBaseInspector() override;

    // ---- document and observer
    TVXLabelFMX* GetLabel() const { return fBaseLab; }
    // Another document detaches the inspector from the first, closes the
    // box and shows the new document's selection.
    void SetLabel(TVXLabelFMX* aLabel);
    void UpdateCtrl(TVXChange aChange, const TVXChangeValue& aValue) override;
    uint8_t TypeDest() const override { return 1; }
    void DocumentDestroyed() override;

    // ---- published state
    TKVRInpectorBaseTypes GetBaseTypes() const { return fInsTypesBase; }
    void SetBaseTypes(TKVRInpectorBaseTypes aValue) { fInsTypesBase = aValue; }
    TKVRInpectorTypes GetTypes() const { return fInsTypes; }
    void SetTypes(TKVRInpectorTypes aValue) { fInsTypes = aValue; }
    TVXInspectorOptions GetOptions() const { return fOptions; }
    void SetOptions(TVXInspectorOptions aValue) { fOptions = aValue; }
    TAlphaColor GetBackColor() const { return fBackColor; }
    void SetBackColor(TAlphaColor aValue);
    TAlphaColor GetTitleColor() const { return fTitleColor; }
    void SetTitleColor(TAlphaColor aValue) { fTitleColor = aValue; }
    TAlphaColor GetValueColor() const { return fValueColor; }
    void SetValueColor(TAlphaColor aValue) { fValueColor = aValue; }
    TAlphaColor GetEditColor() const { return fEditColor; }
    void SetEditColor(TAlphaColor aValue) { fEditColor = aValue; }
    TAlphaColor GetSelColor() const { return fSelColor; }
    void SetSelColor(TAlphaColor aValue) { fSelColor = aValue; }
    TAlphaColor GetSelButColor() const { return fSelButColor; }
    void SetSelButColor(TAlphaColor aValue) { fSelButColor = aValue; }
    TAlphaColor GetArrowColor() const { return fArrowColor; }
    void SetArrowColor(TAlphaColor aValue) { fArrowColor = aValue; }
    // Reads the widget's palette where a style would give colours: Base to
    // the back and edit colours, Text to the value and caption colours (and
    // the check box's), Highlight, HighlightedText, Button and ButtonText to
    // the selection and button colours. Run on every palette change.
    void GetStyleColors();

    // ---- rows
    // The rows (one JSON object each, in display order).
    const TJsonObject& GetRows() const { return fJsonA; }
    TJsonObject& GetRows() { return fJsonA; }
    // Recounts the rows and the scroll range and repaints; aReset closes
    // the edit box and scrolls back to the first row.
    void FillInspector(bool aReset);
    bool GetVertScrollBarVisible() const;
    void UpdateScrollBars();
    void UpdateVertScroll();
    // Finds the part with (kind, pos, type) from the first shown row on:
    // aSPos and aSNum then name it.
    bool LocatePos(int32_t aKind, int32_t aPos, int32_t aType);
    // Applies the "Link" array of an UpdateProp reply to the shown numbers.
    void UpdateLinkedProp(const TJsonObject& aResult);
    void ResetValue();
    void CheckScroll() {}
    int32_t GetTopIndex() const { return fTopIndex; }
    int32_t GetNumRows() const { return fNumRows; }
    int32_t GetVisibleRows() const { return fVisibleRows; }
    // The least top index that shows the last row whole.
    int32_t GetLastTopIndex() const { return fLastTop; }
    QScrollBar* GetScrollBar() const { return fScrollBar; }
    QComboBox* GetComboList() const { return fComboList; }
    const TDataEdit& GetEdit() const { return fEdit; }

    // ---- in-place box of text and number parts (keys and mouse drive it)
    // Opens the box of part aPart (from 1) of row aRow when the row is
    // shown and the part edits in place; paints it.
    void Edit(int32_t aRow, int32_t aPart);
    // Paints the open box into its image and repaints the grid.
    void DrawEdit();

    // ---- keys into the open box
    // aKey is a Qt::Key for a key, 0 for a typed character aKeyChar.
    void KDown(int aKey, QChar aKeyChar, Qt::KeyboardModifiers aShift);
    void KUp(int aKey, QChar aKeyChar, Qt::KeyboardModifiers aShift);
    // The selected barcode's symbology takes the character.
    bool KeyBarcodeValid(QChar aKeyChar) const;
    void PasteFromClipBoard();
    // Steps of a number box, within its bounds; the timer repeats them
    // every 100 ms (0 up, 1 down) while the box is open.
    void IncValue();
    void DecValue();
    void IniTimer(int32_t aType);
    void OnTimer();
    // Sends the number box's value and shows the reply.
    void UpdateNumberProp(bool aZero);
    bool IsTimerActive() const;
    bool IsNumberBoxOpen() const;

    // ---- mouse (viewport coordinates)
    // Acts on the part under the point: opens its box or list, toggles a
    // check box, chooses an option box or opens the part's dialog.
    void MDown(Qt::MouseButton aButton, Qt::KeyboardModifiers aShift, int32_t aX, int32_t aY);
    // The hand cursor over the parts a click acts on.
    void MMove(Qt::KeyboardModifiers aShift, int32_t aX, int32_t aY);
    void MUp(Qt::MouseButton aButton, Qt::KeyboardModifiers aShift, int32_t aX, int32_t aY);
    void DblClick();
    // Opens the editor of part aPart of row aRow: the list, the check box's
    // toggle or the part's dialog.
    void PropEditor(int32_t aRow, int32_t aPart);

protected:
    void paintEvent(QPaintEvent* aEvent) override;
    void resizeEvent(QResizeEvent* aEvent) override;
    void changeEvent(QEvent* aEvent) override;
    void scrollContentsBy(int, int) override {}
    void keyPressEvent(QKeyEvent* aEvent) override;
    void keyReleaseEvent(QKeyEvent* aEvent) override;
    void inputMethodEvent(QInputMethodEvent* aEvent) override;
    void mousePressEvent(QMouseEvent* aEvent) override;
    void mouseMoveEvent(QMouseEvent* aEvent) override;
    void mouseReleaseEvent(QMouseEvent* aEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* aEvent) override;

    // Paints the grid (every caller passes -1, -1: every row and part).
    void Draw(TCanvas& aCanvas, int32_t aRow, int32_t aPart);

    // ---- fields
    TVXLabelFMX* fBaseLab = nullptr;
    bool fLinked = false;
    TKVRInpectorBaseTypes fInsTypesBase = KVRInsTypeBase::All;
    TKVRInpectorTypes fInsTypes = KVRInsType::Default;
    TAlphaColor fTitleColor = 0xFF000000, fValueColor = 0xFF0000FF, fEditColor = 0xFFFFFFFF,
                fSelColor = 0xFF000080, fSelTextColor = 0xFFFFFFFF, fSelButColor = 0xFF008080,
                fArrowColor = 0xFF808080, fBackColor = 0xFFFFFFFF, fButColor = 0, fButPresColor = 0,
                fCapButColor = 0xFF000000, fCapButPresColor = 0xFF008080, fCheckBorder = 0xFF808080,
                fCheckLine = 0xFF000000;
    TVXInspectorOptions fOptions = KVRFmxInspector::ioEditProp | KVRFmxInspector::ioReserved;
    QScrollBar* fScrollBar = nullptr;
    TJsonObject fJsonA = TJsonObject::array();
    const TJsonObject* fJsonO = nullptr;
    TJsonObject fJsonV = TJsonObject::object();
    TDataEdit fEdit;
    int32_t fTopIndex = 0;
    int32_t fNumRows = 0;
    int32_t fVisibleRows = 0;
    int32_t fLastTop = 0;
    int32_t fLeftGap = 11;
    int32_t fRightGap = 4;
    float fContentHeight = 0;
    int32_t fScrollBarsize = 0;
    int32_t aSPos = 0;
    int32_t aSNum = 0;
    TRectF fRectF;
    float posy = 0;
    QString cadS;
    std::vector<TPointF> fArrowPts = std::vector<TPointF>(3);
    double fSize24 = 10;
    QTimer* fTimer = nullptr;
    QComboBox* fComboList = nullptr;
    QImage fBackEdit;
    int32_t fDPIX = 96;
    int32_t fDPIY = 96;
    bool fImgMap = false;

private:
    // A part as the document names it: rows may be rebuilt by any send, so
    // a part is held by this, never by a row index or reference.
    struct TPartId
    {
        int32_t Kind = 0, Type = 0, Pos = 0;
        TKVRInsProp Code = 0;
    };
    TPartId PartId(int32_t aRow, int32_t aPart) const;
    // Finds the part in the current rows.
    bool FindPart(const TPartId& aId, int32_t& aRow, int32_t& aPart) const;
    // Sends one value of the part (under its own key only) to the document
    // and keeps the reply in the part's row, if the row is still shown.
    void SendValue(const TPartId& aId, const char* aKey, const TJsonObject& aValue);
    // Option box aBox of group aGroup (0 or 1) of part aPart of a row whose
    // top is at aTop: where it is painted and hit.
    TRectF OptionBox(const TJsonObject& aRow, int32_t aPart, int32_t aGroup, int32_t aBox, float aTop) const;
    // The option box under (aX, aY), group and box, or false.
    bool OptionAt(const TJsonObject& aRow, int32_t aPart, float aTop, int32_t aX, int32_t aY, int32_t& aGroup,
                  int32_t& aBox) const;
    // The "..." button of a dialog part (codes 5, 9, 10, 11) of a row whose
    // top is at aTop, or with aMap the picture's map button: where it is
    // painted and hit.
    TRectF ButtonBox(const TJsonObject& aRow, int32_t aPart, float aTop, bool aMap) const;
    // The part's value box (or button) lies under (aX, aY).
    bool PartAt(const TJsonObject& aRow, int32_t aPart, float aTop, int32_t aX, int32_t aY) const;
    // Acts on a click on part aPart of row aRow; false when the click does
    // not act on it.
    bool ClickPart(int32_t aRow, int32_t aPart, float aTop, int32_t aX, int32_t aY);
    // Shows the list editor over the value box of a code-8 part.
    void OpenList(int32_t aRow, int32_t aPart, int32_t aTop);
    void OnComboChange(int aIndex);
    void CloseEdit();
    // A text box's new text: sent, and the box repainted.
    void SetEditText(const QString& aText, int32_t aCursorPos);
    // A typed digit, comma or point into a number box.
    void TypeNumber(QChar aKeyChar);
    // A minus into a number box whose range goes below zero.
    void TypeMinus();
    // The number box's new text, typed or left by a deletion: sent when it
    // reads as a number; the box keeps the typed digits where the document
    // took them, or while they are still short of the minimum.
    void SendTypedNumber(const QString& aText, int32_t aCursorPos);
    TPartId fListPart;
    // The other point coordinates of the open box's element as they stood
    // when the box opened (or were last changed elsewhere). An element that
    // keeps its points in order swaps them when a typed value passes the
    // other one on its way ("125" passing 80 on the way to 125.5): each send
    // puts them back first, so that only the box's value changes them.
    struct TKeptValue
    {
        TPartId Id;
        int32_t Part = 0;  // X or Y: the part's place in its row
        double Value = 0;
    };
    std::vector<TKeptValue> fKept;
    // Keeps the open box's other point coordinates as the rows now show them.
    void KeepPoints();
    // Sends back those the box's own sends have moved.
    void RestorePoints();
    // A point of the same axis took aValue: the element put it in order.
    bool PointTook(double aValue) const;
    // The value the rows show for the part, or null.
    TJsonObject ShownValue(const TPartId& aId) const;
    // The open list ends in a line saying that no data is bound.
    bool fNoFieldsLine = false;
    // The captions cut at their box in the last paint, with their whole text.
    struct TCutCaption
    {
        TRectF Box;
        QString Name;
    };
    std::vector<TCutCaption> fCutCaptions;
    int32_t fTypeTimer = 0;
    // Digits typed on the keypad while Alt is held: one character on release.
    QString fAltCode;
    // The first half of a character beyond the BMP, waiting for its second.
    QChar fHighSurrogate;
    bool fAltActive = false;
    // Counts changes of the selection: a queued editor opens for its own.
    uint64_t fSelectionChanges = 0;

    // Asks the selected elements for their rows.
    void Rebuild();
    void ClearRows();
    // The open box over its row as the grid now stands, or closed when the
    // row is not shown whole.
    void PlaceEdit();
    // The open box's left and width from its part's column in aRow; true
    // when they changed.
    bool PlaceEditAcross(const TJsonObject& aRow);
    // The open box shows its part's value anew, and keeps the other points
    // as they now stand.
    void ReloadEdit();
    // A number box's text for aValue, in its part's edit format.
    QString NumberText(double aValue) const;
    // An edit of the grid's own is on its way to the document.
    bool fSending = false;
    // Width of the grid: the viewport's, so nothing lies under the scroll bar.
    int32_t GridWidth() const;
    // The width the grid's columns are laid out for, in 96-dpi pixels.
    int32_t LayoutWidth() const;
    // The value of a code-8 part as its list shows it.
    QString ListText(TVXListProp aList, const TJsonObject& aValue) const;
    void DrawButton(TCanvas& aCanvas, const TRectF& aBox, const QString& aCaption);
    void DrawOptions(TCanvas& aCanvas, const TJsonObject& aRow, int32_t aPart);
    void DrawValue(TCanvas& aCanvas, const TJsonObject& aRow, int32_t aPart);
};
