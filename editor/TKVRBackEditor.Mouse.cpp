// Pointer input of the drawing surface: presses, moves and releases become
// the document's edit calls (select, drag a handle or the selection, place a
// point of a drawing), with grid, ortho and object snapping; the guides are
// dragged on their rulers; the wheel scrolls and zooms.
#include "document/KVR.FMX.h"
#include "editor/TKVRBackEditor.h"
#include "editor/TKVRBaseEditor.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/model/IKVROrientation.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

using namespace KVRShift;

namespace {
// The class library's cursor numbers.
constexpr int32_t crDefault = 0, crCross = -3, crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9,
                  crSizeAll = -22;

bool IsTextAction(uint8_t aAction)
{
    return aAction == TAct::ActEditText || aAction == TAct::ActPressText;
}

// One wheel notch as Qt counts it.
constexpr int32_t kWheelStep = 120;
}  // namespace

TVXLabelFMX* TKVRBackEditor::Document() const
{
    return fEditor->GetLabel();
}

int64_t TKVRBackEditor::Gap() const
{
    return int64_t(fGap) * std::max(DrawScale(), 1);
}

bool TKVRBackEditor::PointerAt(float X, float Y)
{
    fBaseX = BaseMMX(X);
    fBaseY = BaseMMY(Y);
    return fBaseX >= 0 && fBaseX <= fDScroll.ScaledW && fBaseY >= 0 && fBaseY <= fDScroll.ScaledH;
}

TVXLabelFMX* TKVRBackEditor::EditableDocument() const
{
    TVXLabelFMX* doc = Document();
    return doc && (doc->GetEditable() || doc->GetAct().fCurAction == TAct::ActSelect) ? doc : nullptr;
}

TShiftState TKVRBackEditor::ShiftOf(Qt::KeyboardModifiers aModifiers, Qt::MouseButtons aButtons)
{
    TShiftState s = 0;
    if (aModifiers & Qt::ShiftModifier)
        s |= ssShift;
    if (aModifiers & Qt::AltModifier)
        s |= ssAlt;
    if (aModifiers & Qt::ControlModifier)
        s |= ssCtrl;
    if (aButtons & Qt::LeftButton)
        s |= ssLeft;
    if (aButtons & Qt::RightButton)
        s |= ssRight;
    if (aButtons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

void TKVRBackEditor::SetBasePoint(const QPointF& aPixel)
{
    TKVRInputS& input = fEditor->fInput;
    input.BaseX = fBaseX;
    input.BaseY = fBaseY;
    input.BasePlaced = true;
    input.BasePixelX = float(aPixel.x());
    input.BasePixelY = float(aPixel.y());
    fLBaseX = fBaseX;
    fLBaseY = fBaseY;
}

void TKVRBackEditor::SetCursorKind(int32_t aCursor)
{
    switch (aCursor) {
    case crCross: setCursor(Qt::CrossCursor); break;
    case crSizeNESW: setCursor(Qt::SizeBDiagCursor); break;
    case crSizeNS: setCursor(Qt::SizeVerCursor); break;
    case crSizeNWSE: setCursor(Qt::SizeFDiagCursor); break;
    case crSizeWE: setCursor(Qt::SizeHorCursor); break;
    case crSizeAll: setCursor(Qt::SizeAllCursor); break;
    default: unsetCursor(); break;
    }
}

// ---------------------------------------------------------------- Qt's events

// A refused press is dropped without a word, as one off the label is.
void TKVRBackEditor::mousePressEvent(QMouseEvent* aEvent)
{
    const QPointF p = aEvent->position();
    const TShiftState shift = ShiftOf(aEvent->modifiers(), aEvent->buttons());
    Step([&] { MouseDown(this, aEvent->button(), shift, float(p.x()), float(p.y())); }, false);
}

void TKVRBackEditor::mouseMoveEvent(QMouseEvent* aEvent)
{
    const QPointF p = aEvent->position();
    const TShiftState shift = ShiftOf(aEvent->modifiers(), aEvent->buttons());
    Step([&] { MouseMove(this, shift, float(p.x()), float(p.y())); }, false);
}

void TKVRBackEditor::mouseReleaseEvent(QMouseEvent* aEvent)
{
    const QPointF p = aEvent->position();
    const TShiftState shift = ShiftOf(aEvent->modifiers(), aEvent->buttons());
    Step([&] { MouseUp(this, aEvent->button(), shift, float(p.x()), float(p.y())); }, false);
}

// Qt sends a double click in place of the second press: the left one is the
// double click alone; another button presses as usual, so that the actions
// still see it.
void TKVRBackEditor::mouseDoubleClickEvent(QMouseEvent* aEvent)
{
    if (aEvent->button() == Qt::LeftButton) {
        // The double click's point is where the word is looked for.
        fTextClickPos = aEvent->position();
        Step([this] { DblClick(); }, false);
    } else {
        mousePressEvent(aEvent);
    }
}

// Touchpads send small deltas: they are summed to whole steps.
void TKVRBackEditor::wheelEvent(QWheelEvent* aEvent)
{
    if (!fEditor->GetOptions().testFlag(eoWheel)) {
        aEvent->ignore();
        return;
    }
    const QPoint angle = aEvent->angleDelta();
    const int32_t delta = angle.y() != 0 ? angle.y() : angle.x();
    if ((delta > 0 && fWheelRest < 0) || (delta < 0 && fWheelRest > 0))
        fWheelRest = 0;
    fWheelRest += delta;
    bool handled = true;
    const TShiftState shift = ShiftOf(aEvent->modifiers(), aEvent->buttons());
    while (std::abs(fWheelRest) >= kWheelStep) {
        const int32_t step = fWheelRest > 0 ? kWheelStep : -kWheelStep;
        fWheelRest -= step;
        handled = false;
        MouseWheel(this, shift, step, handled);
    }
    aEvent->setAccepted(handled);
}

void TKVRBackEditor::focusInEvent(QFocusEvent* aEvent)
{
    QWidget::focusInEvent(aEvent);
    fDrw->aFocused = true;
    update();
}

void TKVRBackEditor::focusOutEvent(QFocusEvent* aEvent)
{
    QWidget::focusOutEvent(aEvent);
    fDrw->aFocused = false;
    update();
}

// ---------------------------------------------------------------- press

void TKVRBackEditor::MouseDown(QObject*, Qt::MouseButton Button, TShiftState Shift, float X, float Y)
{
    // The rich-text toolbar takes its clicks first.
    if (Button == Qt::LeftButton && HandleToolbarClick(X, Y))
        return;
    TKVRRulers& rulers = *fEditor->GetRulers();
    if (rulers.GetShowAlign() && Button == Qt::LeftButton) {
        const TKVRShowRulers visible = rulers.GetVisible();
        const float guideX = float(CoordDX(float(double(rulers.fAlignLeft) / 1000.0), true));
        const float guideY = float(CoordDY(float(double(rulers.fAlignTop) / 1000.0), true));
        if (visible.testFlag(rvTop) && std::fabs(X - guideX) < 6 && Y >= 0 && Y <= fDScroll.RulerT) {
            rulers.fDraggingAlign = 1;
            return;
        }
        if (visible.testFlag(rvLeft) && std::fabs(Y - guideY) < 6 && X >= 0 && X <= fDScroll.RulerL) {
            rulers.fDraggingAlign = 2;
            return;
        }
    }
    TVXLabelFMX* doc = Document();
    if (!doc || (Shift & ssDouble))
        return;
    setFocus(Qt::MouseFocusReason);
    if (!EditableDocument())
        return;
    const bool inside = PointerAt(X, Y);
    // A press on the rich text being edited places its caret, also on a part
    // of the text past the label's edge; Ctrl presses it to move it.
    if (Button == Qt::LeftButton && !(Shift & ssCtrl) && PressOnEditedRichText(X, Y))
        return;
    if (!inside)
        return;
    TAct& act = doc->GetAct();
    if (fEditor->OnMouseDown)
        fEditor->OnMouseDown(this, Button, Shift, WorldX(X, true), WorldY(Y, true));
    if (Button != Qt::LeftButton) {
        if (Button == Qt::RightButton)
            doc->RightButton(fBaseX, fBaseY, Gap(), Shift);
        return;
    }
    if (act.fCurAction == TAct::ActSelect) {
        if (!CheckDown(X, Y)) {
            PO = LP = QPointF(X, Y);
            doc->PickEditor(fBaseX, fBaseY, Gap(), Shift, false);
            // The click that starts editing a rich text puts the caret there.
            PressOnEditedRichText(X, Y);
        }
        return;
    }
    if (act.fCurAction == TAct::ActEditText) {
        if (!CheckDown(X, Y))
            PressOnEditedText(Shift, X, Y);
        return;
    }
    if (fEditor->fBitText) {
        fEditor->fBitText = false;
        fEditor->ResetInputText(false);
    }
    const uint8_t action = act.fCurAction, state = act.fCurState;
    const bool grid = fEditor->GetSnap().testFlag(skGrid);
    const bool ortho = !act.fCurEditor && (act.fDrawType == 3 || act.fDrawType == 17) && fEditor->GetOrtoLines();
    if (fInserting && fRef.Found) {
        PO = LP;
        fBaseX = fRef.X;
        fBaseY = fRef.Y;
        SetBasePoint(LP);
        doc->PickEditor(fBaseX, fBaseY, Gap(), Shift, false);
        return;
    }
    if (fInserting && grid && !ortho) {
        AdjustGrid();
        if ((action == 8 || action == 13) && state == 3)
            DrawShape();
        PO = LP;
        SetBasePoint(LP);
        doc->PickEditor(fBaseX, fBaseY, Gap(), Shift, false);
        return;
    }
    if (ortho) {
        // The anchor is the last point placed, kept in micrometres: pixels
        // are a rounding off and go stale with a zoom. The line is
        // constrained first; with the grid on, its free coordinate then
        // lands on the grid.
        const QPointF anchor(ScreenMMX(fLBaseX), ScreenMMY(fLBaseY));
        PO = anchor;
        const double dx = std::fabs(X - anchor.x()), dy = std::fabs(Y - anchor.y());
        if (dx <= dy) {
            fBaseX = fRef.Found ? fRef.X : fLBaseX;
            fBaseY = fRef.Found ? fRef.Y : (grid ? GridY(fBaseY) : fBaseY);
            doc->PickEditor(fBaseX, fBaseY, Gap(), Shift, false);
            const double y = grid && !fRef.Found ? ScreenMMY(fBaseY) : Y;
            PO.setY(y);
            LP = QPointF(PO.x(), y);
        } else {
            fBaseY = fRef.Found ? fRef.Y : fLBaseY;
            fBaseX = fRef.Found ? fRef.X : (grid ? GridX(fBaseX) : fBaseX);
            doc->PickEditor(fBaseX, fBaseY, Gap(), Shift, false);
            const double x = grid && !fRef.Found ? ScreenMMX(fBaseX) : X;
            PO.setX(x);
            LP = QPointF(x, PO.y());
        }
        SetBasePoint(LP);
        return;
    }
    if ((action == 8 || action == 13) && state == 3)
        DrawShape();
    else if (action == 14 && state == 7)
        CO = QPointF(X, Y);
    else if (action == 14 && state == 8)
        PO2 = QPointF(X, Y);
    else if (action == TAct::ActLink || action == TAct::ActPolyLink) {
        // The view's pick gap goes along: the anchor searches that follow
        // take it as their tolerance, so an anchor is hit as any point is.
        if (!fLink.Found) {
            if (action == TAct::ActPolyLink && state == 5) {
                doc->PickEditor(fBaseX, fBaseY, Gap(), Shift, false);
                PO = LP;
            }
        } else if (state == 2) {
            PO = LP;
            doc->PickEditor(fLink.Node, fLink.AnchorA, Gap(), Shift, false);
        } else if (state == 3) {
            doc->PickEditor(fLink.Node, fLink.AnchorB, Gap(), Shift, false);
        } else if (state == 5) {
            act.SetState(10);
            doc->PickEditor(fLink.Node, fLink.AnchorB, Gap(), Shift, false);
        }
        return;
    }
    PO = LP = QPointF(X, Y);
    if (fRef.Found) {
        fBaseX = fRef.X;
        fBaseY = fRef.Y;
    }
    doc->PickEditor(fBaseX, fBaseY, Gap(), Shift, false);
    SetBasePoint(LP);
}

// A press while a text is edited in place: on the text it presses it (a
// drag moves it, a click places the caret), elsewhere it ends the editing.
void TKVRBackEditor::PressOnEditedText(TShiftState aShift, float X, float Y)
{
    TVXLabelFMX* doc = Document();
    TAct& act = doc->GetAct();
    if (doc->SearchSelectedText(fBaseX, fBaseY, Gap(), aShift)) {
        fTextClickPos = PO = LP = QPointF(X, Y);
        act.SetCurAction(TAct::ActPressText);
        return;
    }
    if (!doc->GetTextObject()) {
        act.Reset();
        return;
    }
    act.fText = fDrw->aTxt;
    if (TKVRBaseItem* one = doc->Select(); one && one->GetKind() == KVRItemKind::RichText)
        fDrw->aTxt = dynamic_cast<TKVRBaseRichText&>(*one).GetPlainText();
    else
        HandTextToObject();
    doc->PickEditor(fBaseX, fBaseY, Gap(), aShift, fEditor->GetShowRefLines());
}

bool TKVRBackEditor::CheckDown(float X, float Y)
{
    TVXLabelFMX* doc = Document();
    if (!doc)
        return false;
    TAct& act = doc->GetAct();
    const bool inLabel = CMX() <= X && X <= MaxX() && CMY() <= Y && Y <= MaxY();
    const int32_t count = doc->GetSelPointCount();
    const auto on = [&](const TKVRSInfo& aInfo, int32_t aRadius) {
        return TDraw2D::CursorOnPosS(CoordDX(aInfo.X, true), CoordDY(aInfo.Y, true), aRadius, X, Y);
    };
    if (inLabel)
        for (int32_t i = 1; i <= count; ++i) {
            const TKVRSInfo info = doc->GetSelPoint(i);
            if (info.Kind == KVRSelKind::Slider && on(info, 8)) {
                LP = QPointF(X, Y);
                act.SetMove(KVRMoveType::Slider, 0);
                doc->FireInfoEvent(true);
                return true;
            }
        }
    if (IsTextAction(act.fCurAction))
        return false;
    if (!inLabel)
        return true;
    for (int32_t i = 1; i <= count; ++i) {
        const TKVRSInfo info = doc->GetSelPoint(i);
        const uint8_t kind = info.Kind;
        if (kind == 0 || kind == 1 || kind == 19 || kind == 24 || kind == 25 || kind == 27 || !on(info, 4))
            continue;
        // The handle's move type and index, and whether the press is the
        // anchor (PO) or the last point (LP) of the drag that follows.
        int32_t type = -1, index = 0;
        bool anchor = false;
        switch (kind) {
        case 2: type = 6, index = 1, anchor = true; break;
        case 3: type = 6, index = info.Index; break;
        case 4:
        case 16:
        case 17:
        case 18: return true;
        case 5: type = 7, index = info.Index; break;
        case 6: type = 4, index = info.Index; break;
        case 7: type = 5, index = info.Index; break;
        case 20: type = 2, anchor = true; break;
        case 21: type = 8, anchor = true; break;
        case 22: type = 9, anchor = true; break;
        case 23: type = 3, anchor = true; break;
        case 26: type = 10, index = info.Index, anchor = true; break;
        default:
            if (kind >= KVRSelKind::SizeTopLeft && kind <= KVRSelKind::SizeBottomRight)
                type = KVRMoveType::SizeTopLeft + (kind - KVRSelKind::SizeTopLeft);
            break;
        }
        if (type < 0)
            continue;
        (anchor ? PO : LP) = QPointF(X, Y);
        act.SetMove(uint8_t(type), int16_t(index));
        doc->FireInfoEvent(true);
        return true;
    }
    return false;
}

void TKVRBackEditor::CheckMove(float X, float Y)
{
    SetCursorKind(crDefault);
    TVXLabelFMX* doc = Document();
    if (!doc || IsTextAction(doc->GetAct().fCurAction))
        return;
    const int32_t count = doc->GetSelPointCount();
    for (int32_t i = 1; i <= count; ++i) {
        const TKVRSInfo info = doc->GetSelPoint(i);
        int32_t cursor = 1;  // none
        switch (info.Kind) {
        case 2: case 3: case 4: case 5: case 6: case 7: case 18: case 20: case 21: case 22: case 23: case 26:
            cursor = crSizeAll;
            break;
        case 8: case 15: cursor = crSizeNWSE; break;
        case 9: case 14: cursor = crSizeNS; break;
        case 10: case 13: cursor = crSizeNESW; break;
        case 11: case 12: case 16: cursor = crSizeWE; break;
        case 17: cursor = crCross; break;
        case 27: {
            const IKVROrientation* o = info.Owner ? info.Owner->QueryInterface<IKVROrientation>() : nullptr;
            const int32_t turn = o ? o->GetOrientation() : 0;
            cursor = turn == 1 || turn == 3 ? crSizeNS : crSizeWE;
            break;
        }
        default: break;
        }
        if (cursor == 1 || !TDraw2D::CursorOnPosS(CoordDX(info.X, true), CoordDY(info.Y, true), 4, X, Y))
            continue;
        SetCursorKind(cursor);
        return;
    }
}

// ---------------------------------------------------------------- move

void TKVRBackEditor::MouseMove(QObject*, TShiftState Shift, float X, float Y)
{
    TKVRRulers& rulers = *fEditor->GetRulers();
    if (rulers.fDraggingAlign > 0) {
        const bool vertical = rulers.fDraggingAlign == 1;
        const float world = vertical ? WorldX(X, true) : WorldY(Y, true);
        const int64_t v = std::max<int64_t>(0, RoundHalfEven(double(world)) * 1000);
        int64_t& guide = vertical ? rulers.fAlignLeft : rulers.fAlignTop;
        if (v != guide) {
            guide = v;
            update();
        }
        return;
    }
    // The selection follows the pointer, also past the label's edge.
    if (fDraggingRichTextSel && (Shift & ssLeft)) {
        DragRichTextSelection(X, Y);
        return;
    }
    TVXLabelFMX* doc = EditableDocument();
    if (!doc || !PointerAt(X, Y))
        return;
    TAct& act = doc->GetAct();
    if (fEditor->OnMouseMove)
        fEditor->OnMouseMove(this, Shift, WorldX(X, true), WorldY(Y, true));
    if (act.fCurAction == TAct::ActSelect) {
        if (act.fCurState == 0)
            CheckMove(X, Y);
        else if (act.fCurState == 1) {
            LP = QPointF(X, Y);
            DrawShape();
        }
        return;
    }
    if (act.fCurEditor) {
        MoveEdited(Shift, X, Y);
        return;
    }
    if (act.fCurAction == TAct::ActLink || act.fCurAction == TAct::ActPolyLink) {
        if (fLink.Found)
            DrawShape();
        if (doc->SearchLink(fBaseX, fBaseY, Gap(), fLink)) {
            LP = QPointF(ScreenMMX(fLink.X), ScreenMMY(fLink.Y));
            DrawShape();
            return;
        }
        fLink.Found = false;
        // A bend follows the pointer; it is placed by the next press.
        LP = QPointF(X, Y);
        DrawShape();
        return;
    }
    MoveDrawing(X, Y);
}

// A grabbed handle or element follows the pointer (action 2, or a pressed text).
void TKVRBackEditor::MoveEdited(TShiftState aShift, float X, float Y)
{
    TVXLabelFMX* doc = Document();
    TAct& act = doc->GetAct();
    // A rich-text selection drag is the rich-text editing's.
    if (act.fCurAction != TAct::ActDrag && act.fCurAction != TAct::ActPressText)
        return;
    if (fEditor->GetEnabledMouseFilter() && !fMouseFilter->FilterMouseMove(aShift, X, Y))
        return;
    PO = QPointF(X, Y);
    if (LP == PO)
        return;
    const bool grid = fEditor->GetSnap().testFlag(skGrid);
    const bool refLines = fEditor->GetShowRefLines();
    const TKVRGrid& g = *fEditor->GetGrid();
    const int64_t dx = BaseMMX(float(LP.x())) - BaseMMX(float(PO.x()));
    const int64_t dy = BaseMMY(float(LP.y())) - BaseMMY(float(PO.y()));
    const uint8_t type = act.fMoveType;
    if (type == KVRMoveType::Whole) {
        if (grid)
            doc->MoveGridEditor(BaseMMX(X), BaseMMY(Y), g.BaseIncX(), g.BaseIncY(), refLines);
        else
            doc->MoveEditor(dx, dy, -1, -1, refLines, false);
    } else if ((type >= 2 && type <= 10) || type == KVRMoveType::Slider) {
        fRef.Found = fRef.Shown = false;
        bool found = false;
        if (type == KVRMoveType::Point || type == KVRMoveType::Vertex) {
            TKVRBaseItem* one = doc->GetSelectionCount() == 1 ? doc->GetSelection(1) : nullptr;
            const bool tangents = type == KVRMoveType::Point && one && one->NumPoints() == 2;
            if (tangents) {
                const TKVRPto other = one->GetPoint(act.fPos1 == 1 ? 2 : 1);
                fRef.RefX = other.X;
                fRef.RefY = other.Y;
            }
            found = SearchSnap(true, tangents, PO);
        }
        if (found)
            doc->MoveEditorTo(fRef.X, fRef.Y, refLines);
        else if (!grid)
            doc->MoveEditorTo(BaseMMX(X), BaseMMY(Y), refLines);
        else
            doc->MoveEditor(dx, dy, GridX(fBaseX), GridY(fBaseY), refLines, false);
    } else if (!grid) {
        doc->MoveEditor(dx, dy, -1, -1, refLines, false);
    } else if (type == KVRMoveType::Grid) {
        doc->MoveGridEditor(BaseMMX(X), BaseMMY(Y), g.BaseIncX(), g.BaseIncY(), refLines);
    } else {
        doc->MoveEditor(dx, dy, GridX(fBaseX), GridY(fBaseY), refLines, false);
    }
    LP = PO;
}

// The rubber band of a drawing follows the pointer, snapped.
void TKVRBackEditor::MoveDrawing(float X, float Y)
{
    TVXLabelFMX* doc = Document();
    const TAct& act = doc->GetAct();
    fRef.Found = fRef.Shown = false;
    const uint8_t action = act.fCurAction, state = act.fCurState;
    const bool tangents = ((action == 4 || action == 5 || action == 38 || action == 47) && (state == 2 || state == 3)) ||
                          (action == 7 && (state == 2 || state == 5));
    if (tangents) {
        fRef.RefX = state == 2 ? -1 : fLBaseX;
        fRef.RefY = state == 2 ? -1 : fLBaseY;
    }
    const bool grid = fEditor->GetSnap().testFlag(skGrid);
    if (!SearchSnap(false, tangents, LP)) {
        if (fEditor->GetOrtoLines() && (act.fDrawType == 3 || act.fDrawType == 17)) {
            // Constrained first, then the free coordinate on the grid.
            if (act.fDrawType == 3)
                PO = QPointF(ScreenMMX(fLBaseX), ScreenMMY(fLBaseY));
            if (std::fabs(X - PO.x()) <= std::fabs(Y - PO.y()))
                LP = QPointF(PO.x(), grid ? ScreenMMY(GridY(fBaseY)) : Y);
            else
                LP = QPointF(grid ? ScreenMMX(GridX(fBaseX)) : X, PO.y());
        } else if (grid) {
            AdjustGrid();
        } else if (act.fDrawType == 11) {
            LP = state == 8 ? QPointF(X, PO.y()) : QPointF(CO.x(), Y);
        } else {
            LP = QPointF(X, Y);
        }
    }
    DrawShape();
}

// End, middle, centre, tangent, perpendicular, on the element, crossing,
// symbol reference: the first kind that finds a point wins.
bool TKVRBackEditor::SearchSnap(bool aMoving, bool aTangents, QPointF& aTracked)
{
    static constexpr TKVRSnap kOrder[] = {KVRSnap::End,      KVRSnap::Middle,        KVRSnap::Centre,
                                          KVRSnap::Tangent,  KVRSnap::Perpendicular, KVRSnap::OnElement,
                                          KVRSnap::Cross,    KVRSnap::Reference};
    TVXLabelFMX* doc = Document();
    const TKVRSnapOptions snap = fEditor->GetSnap();
    for (TKVRSnap kind : kOrder) {
        if (!(uint32_t(snap) & (1u << kind)))
            continue;
        if ((kind == KVRSnap::Tangent || kind == KVRSnap::Perpendicular) && !aTangents)
            continue;
        if (!doc->SearchPoint(fBaseX, fBaseY, Gap(), kind, fRef, aMoving))
            continue;
        fRef.Shown = true;
        fRef.PixelX = ScreenMMX(fRef.X);
        fRef.PixelY = ScreenMMY(fRef.Y);
        aTracked = QPointF(fRef.PixelX, fRef.PixelY);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- release

void TKVRBackEditor::MouseUp(QObject*, Qt::MouseButton Button, TShiftState Shift, float X, float Y)
{
    TKVRRulers& rulers = *fEditor->GetRulers();
    if (rulers.fDraggingAlign > 0) {
        rulers.fDraggingAlign = 0;
        return;
    }
    if (fDraggingRichTextSel) {
        EndRichTextSelection(X, Y);
        fMouseFilter->ResetPos();
        return;
    }
    TVXLabelFMX* doc = Document();
    if (!doc)
        return;
    if (PointerAt(X, Y) && fEditor->OnMouseUp)
        fEditor->OnMouseUp(this, Button, Shift, WorldX(X, true), WorldY(Y, true));
    // Qt hands the release to the surface wherever it happens: a drag or a
    // rectangle ends at the pointer held inside the label.
    const int64_t x = std::clamp<int64_t>(fBaseX, 0, std::max<int64_t>(fDScroll.ScaledW, 0));
    const int64_t y = std::clamp<int64_t>(fBaseY, 0, std::max<int64_t>(fDScroll.ScaledH, 0));
    TAct& act = doc->GetAct();
    if ((act.fCurAction == TAct::ActSelect && act.fCurState == 1) || act.fCurAction == TAct::ActDrag) {
        doc->UpEditor(x, y);
    } else if (act.fCurAction == TAct::ActPressText) {
        if (std::fabs(X - fTextClickPos.x()) < 3 && std::fabs(Y - fTextClickPos.y()) < 3) {
            const TKVRBaseItem* one = doc->Select();
            fDrw->aPos = one && one->GetKind() == KVRItemKind::RichText
                             ? CalcRichTextCursorPosFromClick(float(fTextClickPos.x()), float(fTextClickPos.y()))
                             : CalcCursorPosFromClick(float(fTextClickPos.x()));
            fDrw->aSelStart = fDrw->aSelEnd = 0;
            act.SetCurAction(TAct::ActEditText);
            doc->UpdateEditing(true);
        } else {
            doc->UpEditor(x, y);
        }
    }
    fMouseFilter->ResetPos();
}

// ---------------------------------------------------------------- wheel and double click

void TKVRBackEditor::MouseWheel(QObject*, TShiftState Shift, int32_t WheelDelta, bool& Handled)
{
    if (!fEditor->GetOptions().testFlag(eoWheel)) {
        Handled = false;
        return;
    }
    int32_t lines = QApplication::wheelScrollLines();
    if (lines < 1)
        lines = 3;
    const auto scroll = [&](QScrollBar* aBar) {
        if (!aBar->isEnabled())
            return false;
        for (int32_t i = 0; i < lines; ++i)
            aBar->setValue(aBar->value() + (WheelDelta < 1 ? 10 : -10));
        return true;
    };
    if (Shift & ssShift) {
        if (!scroll(fEditor->GetHorzScroll()))
            return;
    } else if (!(Shift & ssCtrl)) {
        if (!scroll(fEditor->GetVertScroll()))
            return;
    } else if (WheelDelta < 1) {
        fEditor->DecZoom();
    } else {
        fEditor->IncZoom();
    }
    Handled = true;
}

void TKVRBackEditor::DblClick()
{
    TVXLabelFMX* doc = Document();
    if (!doc || !fEditor->GetOptions().testFlag(eoDblClick))
        return;
    if (!SelectRichTextWord())
        doc->DoDblClick();
}
