#pragma once
// The editor's drawing surface: paints the label, its grid, elements, rulers,
// guides, handles and the rubber band, and converts between the document's
// micrometres, the label's unit and its own pixels (96 dpi, device-independent).
#include "editor/TKVRSurfaceCoords.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/label/KVR.EditTypes.h"
#include "platform/rtl/label/TMouseFilterS.h"
#include "platform/rtl/model/KVR.Model.Edit.h"
#include "render/TKVRDraw.h"
#include <QPointF>
#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class TKVRBaseEditor;
class TKVRBaseItem;
class TKVRBaseRichText;
class TVXLabelFMX;
class QPainter;
class TSkCanvas;
class TSkPaint;
class TSkFont;
class TSkPath;
struct TKVRRulerSteps;

class TKVRBackEditor : public QWidget, public TKVRSurfaceCoords
{
    Q_OBJECT

public:
    explicit TKVRBackEditor(TKVRBaseEditor* aEditor);
    ~TKVRBackEditor() override;

    float ZScale() const override;
    int32_t DrawScale() const override;
    TKVRUnits Units() const override;

    // Relayout: zoom, rulers, gaps, scroll bars; nothing while the surface has no size.
    void Relayout();
    // Brings the element's centre to the middle of the view, as far as the
    // scroll bars reach; nothing without an element.
    void ScrollItem(TKVRBaseItem* aItem);
    // Scrolls only when the element's centre lies out of view.
    void EnsureItemVisible(TKVRBaseItem* aItem);
    void ResetPoints(bool aTakeLinkType);
    void DrawLinkPointColor();
    void DrawShape() { update(); }
    // Repaints while painting is enabled; the pending changes are done.
    void DrawEditor();
    void EmptyHandles();
    void SetGap();
    void AdjustGrid();
    int64_t GridX(int64_t aValue) const;
    int64_t GridY(int64_t aValue) const;
    // The collected points move with the view.
    void MoveScrollPoint(int32_t aDx, int32_t aDy);

    // The outline of the rubber band of draw types 4, 13, 20 and 22; empty for others.
    std::shared_ptr<TSkPath> GetPath(uint8_t aDrawType) const;

    // The text of a ruler label: one decimal only below a whole label step.
    static QString TickText(double aPos, double aLabelStep);

    // Paints the whole view on the canvas (the paint event's body).
    void Draw(const std::shared_ptr<TSkCanvas>& aCanvas, const QRectF& aDest);

    // ---- pointer input (TKVRBackEditor.Mouse.cpp): pixels of the surface
    void MouseDown(QObject* Sender, Qt::MouseButton Button, TShiftState Shift, float X, float Y);
    void MouseMove(QObject* Sender, TShiftState Shift, float X, float Y);
    void MouseUp(QObject* Sender, Qt::MouseButton Button, TShiftState Shift, float X, float Y);
    // One wheel step per call; Handled stays false when the editor leaves
    // the wheel to its parent.
    void MouseWheel(QObject* Sender, TShiftState Shift, int32_t WheelDelta, bool& Handled);
    void DblClick();
    // Handle hit test of a press; true when the press was taken.
    bool CheckDown(float X, float Y);
    // The cursor over the handles while selecting.
    void CheckMove(float X, float Y);
    // The base point of typed coordinates and of ortho: the point just placed.
    void SetBasePoint(const QPointF& aPixel);
    static TShiftState ShiftOf(Qt::KeyboardModifiers aModifiers, Qt::MouseButtons aButtons);

    // ---- keys, the coordinate box and the one-line caret (TKVRBackEditor.Keys.cpp)
    void KeyDown(QObject* Sender, uint16_t& Key, QString& KeyChar, TShiftState Shift);
    void KeyUp(QObject*, uint16_t&, QString&, TShiftState) {}
    // Builds the box's font and rectangle and shows it.
    void PrepareInput();
    // The box's rectangle, wide enough for the entry.
    void PlaceInput();
    // Repaints a shown box, else shows it.
    void DrawInput();
    // Feeds the typed point, or the typed length, to the running action.
    void InputText();
    void InputValue();
    // The caret of a click at surface x in the one-line text being written.
    int32_t CalcCursorPosFromClick(float x);
    // The caret of the text being written, in surface pixels; empty without one.
    QRect CaretRect() const;
    static int32_t FindPrevWordBoundary(const QString& aText, int32_t aPos);
    static int32_t FindNextWordBoundary(const QString& aText, int32_t aPos);
    // The text being written takes the edited text; false without one.
    bool HandTextToObject();
    // The input method is on while a text is written or the box shows.
    void FollowInputMethod();
    // The box's rectangle, valid while it shows.
    QRectF InputRect() const { return fInputRect; }

    // ---- the rich text's caret and selection (TKVRBackEditor.RichCaret.cpp): surface pixels, plain positions
    // The caret of a point in the selected rich text, with its segment and the
    // character boundary in it; false without a laid-out rich text.
    bool CalcRichTextHitTestFromClick(float x, float y, int32_t& oPos, int32_t& oSegment, int32_t& oChar);
    // The hit test's position, 0 when it fails.
    int32_t CalcRichTextCursorPosFromClick(float x, float y);
    // The caret one line up or down at its x; unchanged at the first or last line.
    int32_t CalcRichTextLineMove(int32_t aPos, bool aUp);
    // Arrows in the text being edited: by characters, by words with Ctrl,
    // by lines in a rich text; Shift selects. False for other keys.
    bool MoveTextCaret(uint16_t aKey, TShiftState aShift);
    // A left press on the rich text being edited: caret there, selection drag
    // under way; false when the press is not on it.
    bool PressOnEditedRichText(float X, float Y);
    void DragRichTextSelection(float X, float Y);
    // The end of the drag: a click without a range places the caret.
    void EndRichTextSelection(float X, float Y);
    // The double click's word in the selected rich text; false when the
    // double click is not the rich text's.
    bool SelectRichTextWord();

    // ---- rich-text formatting and its toolbar (TKVRBackEditor.RichFormat.cpp).
    // Selections are plain positions; each change is stored through the
    // document and answers true when the mark-up changed.
    bool ApplyRichTextFormat(TKVRBaseRichText* aRich, int32_t aStart, int32_t aEnd, const QString& aOpen,
                             const QString& aClose);
    // aName: the colour tag's name, "FC".
    bool ApplyRichTextColorFormat(TKVRBaseRichText* aRich, int32_t aStart, int32_t aEnd, const QString& aName,
                                  TAlphaColor aColor);
    bool ApplyRichTextAlignment(TKVRBaseRichText* aRich, int32_t aCaret, TKVRHorzAlign aAlign);
    // A line break replaces the selection, or goes in at the caret.
    void InsertLineBreak();
    void ApplyFontNameToSelection(const QString& aName);
    void ApplySizeToSelection(int32_t aMillimetres);
    // The font and size lists under their toolbar buttons.
    void ShowFontCombo();
    void ShowSizePopup();
    // The lists' choices.
    void FontFormSelected(const QString& aName);
    void SizeFormSelected(int32_t aMillimetres);
    // Paints the toolbar over a selected rich text and records its buttons.
    void DrawRichTextToolbar(TSkCanvas& aCanvas);
    // True when the press lies on a button of the last painted toolbar.
    bool HandleToolbarClick(float x, float y);
    // The tool tip of the last painted toolbar's button under the point:
    // what the button sets, for the buttons whose caption is a sign; empty
    // elsewhere.
    QString ToolbarTip(float x, float y) const;
    // Typing, pasting, Backspace, Delete and Enter in the rich text being
    // edited; false when no rich text is edited (the key is not taken).
    bool TypeRichText(const QString& aText);
    bool RichTextKey(uint16_t aKey, TShiftState aShift);
    // The selected rich text, and the one being edited in place.
    TKVRBaseRichText* SelectedRichText() const;
    TKVRBaseRichText* EditedRichText() const;
    // New mark-up through the document; false when it may not be edited.
    bool StoreRichText(TKVRBaseRichText* aRich, const QString& aMarkup);
    // The editing state follows a changed rich text; the surface repaints.
    void RichTextChanged(TKVRBaseRichText* aRich);
    // The plain range [aStart, aEnd) of the edited rich text becomes the
    // plain text aInsert (a line feed is a line break); the caret goes to
    // aCaret and the selection ends, also when the text reads as before.
    // Text the mark-up cannot hold as typed is refused with a sign.
    bool ReplaceEditedRichText(int32_t aStart, int32_t aEnd, const QString& aInsert, int32_t aCaret);
    // Why the last text typed or pasted into the edited rich text did not go
    // in; painted under the text until a click places the caret or the
    // editing ends.
    QString fRichTextRefusal;
    TRectF fRichTextRefusalRect;  // where it was last painted, surface pixels
    void DrawRichTextRefusal(TSkCanvas& aCanvas);
    // The toolbar's buttons as last painted, in surface pixels.
    std::vector<TRectF> fToolbarRects;
    bool fToolbarVisible = false;

    TKVRBaseEditor* fEditor;
    std::unique_ptr<TKVRDraw> fDrw;
    TKVRChanges fChanges = 0;
    // Ruler tick state.
    double maxUnit = 0, posL = 0, aPosT = 0, aSize1 = 0, aSize2 = 0;
    int32_t pos100 = -1, pos50 = -1, pos10 = -1, pos5 = -1, pos2 = -1, pos1 = -1, pos01 = -1, pos02 = -1,
            pos05 = -1;
    float fIncS = 1000;
    // Handle rectangles the pointer input grabs.
    QRect hNW, hN, hNE, hO, hE, hSW, hS, hSE, hP1, hP2;
    std::vector<QRect> hPol;
    // Rubber band: centre, second point, anchor, last point, reference and snap point.
    QPointF CO, PO2, PO, LP, RP, SP;
    bool fInserting = false;
    int32_t fGap = 0;
    int64_t fBaseX = 0, fBaseY = 0, fLBaseX = 0, fLBaseY = 0, fDiv = 0;
    float fRadio = 0, fRadio2 = 0, fCx = 0, fCy = 0;
    double fAng1 = 0, fAng2 = 0, fAng3 = 0;
    bool fClock = false;
    TVXLink fLink;
    TKVRRef fRef;
    std::unique_ptr<TMouseFilterS> fMouseFilter;
    int32_t ScaleFactor = 1;
    // Points painted by the last grid pass, for checking what a paint costs.
    int64_t fGridPoints = 0;
    // Where the last press on the text being edited was.
    QPointF fTextClickPos;
    // A left drag extends a rich-text selection.
    bool fDraggingRichTextSel = false;

protected:
    void paintEvent(QPaintEvent* aEvent) override;
    void resizeEvent(QResizeEvent* aEvent) override;
    bool event(QEvent* aEvent) override;
    bool focusNextPrevChild(bool aNext) override;
    void mousePressEvent(QMouseEvent* aEvent) override;
    void mouseMoveEvent(QMouseEvent* aEvent) override;
    void mouseReleaseEvent(QMouseEvent* aEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* aEvent) override;
    void wheelEvent(QWheelEvent* aEvent) override;
    void keyPressEvent(QKeyEvent* aEvent) override;
    void focusInEvent(QFocusEvent* aEvent) override;
    void focusOutEvent(QFocusEvent* aEvent) override;
    void inputMethodEvent(QInputMethodEvent* aEvent) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery aQuery) const override;

private:
    void SetUpContext(const std::shared_ptr<TSkCanvas>& aCanvas);
    void DrawGrid(TSkCanvas& aCanvas, const std::shared_ptr<TSkPaint>& aPaint, const QRectF& aVisible);
    void DrawRefLines(TSkCanvas& aCanvas);
    void DrawSelPoints(TSkCanvas& aCanvas);
    void DrawRubberBand(TSkCanvas& aCanvas, const std::shared_ptr<TSkPaint>& aPaint);
    void DrawSnapMarker(TSkCanvas& aCanvas, const std::shared_ptr<TSkPaint>& aPaint);
    // Rulers and guides.
    void PaintRulers(TSkCanvas& aCanvas);
    void DrawAlignLines(TSkCanvas& aCanvas);
    TKVRRulerSteps CheckTickPos(bool aVertical, const std::function<double(double)>& aNumberRoom);
    std::function<double(double)> NumberRoom(const std::shared_ptr<TSkFont>& aFont,
                                             const std::shared_ptr<TSkPaint>& aText) const;
    void PaintCorner(TSkCanvas& aCanvas, const std::shared_ptr<TSkPaint>& aText, const std::shared_ptr<TSkFont>& aFont,
                     float L, float T);
    void PaintLeftRightRuler(TSkCanvas& aCanvas, const std::shared_ptr<TSkPaint>& aBand,
                             const std::shared_ptr<TSkPaint>& aText, const std::shared_ptr<TSkFont>& aFont,
                             float aTextHeight);
    void PaintTopBottomRuler(TSkCanvas& aCanvas, const std::shared_ptr<TSkPaint>& aBand,
                             const std::shared_ptr<TSkPaint>& aText, const std::shared_ptr<TSkFont>& aFont,
                             float aTextHeight);
    std::shared_ptr<TSkPaint> LPaint;

    // One pointer or key event of the surface as one step. The document
    // puts itself back when it raises; then the rubber band, the pointer,
    // the base of typed points and the action go back here too, and no
    // exception reaches Qt's event loop. A drawing the document refuses for
    // reaching past the coordinate range is told only with aTellRefusal,
    // other errors always.
    void Step(const std::function<void()>& aEvent, bool aTellRefusal);

    // Pointer input.
    TVXLabelFMX* Document() const;
    int64_t Gap() const;
    // The pointer in micrometres (fBaseX, fBaseY); true inside the label.
    bool PointerAt(float X, float Y);
    // The document while the pointer may act on it: editable, or selecting.
    TVXLabelFMX* EditableDocument() const;
    // A press while a text is edited in place.
    void PressOnEditedText(TShiftState aShift, float X, float Y);
    void MoveEdited(TShiftState aShift, float X, float Y);
    void MoveDrawing(float X, float Y);
    // The object-snap search; the tracked point goes onto a hit.
    bool SearchSnap(bool aMoving, bool aTangents, QPointF& aTracked);
    void SetCursorKind(int32_t aCursor);
    // Wheel deltas not yet summed to a whole step.
    int32_t fWheelRest = 0;

    // Keys and the one-line text.
    void TypeText(const QString& aText);

    void PaintInput(QPainter& aPainter);
    QFont InputFont() const;
    QRectF fInputRect;
};
