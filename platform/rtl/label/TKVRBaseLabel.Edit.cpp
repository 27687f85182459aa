// The document's edit calls, each one bracket: selecting, dragging, handles,
// snaps, texts edited in place, deletes and the label's quarter turns.
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/geometry/KVR.Outline.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/model/TKVRBaseTextItem.h"
#include "platform/rtl/KVR.Math.h"
#include <QBuffer>
#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>

// ---------------------------------------------------------------- one edit

namespace {
// An element's own data, written and read back as the files hold it.
QByteArray ItemData(const TKVRBaseItem& aItem)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TBinaryWriter writer(&buffer);
    aItem.WriteData(writer);
    return bytes;
}

void RestoreItemData(TKVRBaseItem& aItem, QByteArray& aBytes)
{
    QBuffer buffer(&aBytes);
    buffer.open(QIODevice::ReadOnly);
    TBinaryReader reader(&buffer);
    aItem.ReadData(KVRFileVersion, reader, KVRReadType::File);
    aItem.UpdateBounds();
}
}  // namespace

void TKVRBaseLabel::ReadBack(TKVRBaseItem& aItem)
{
    QByteArray bytes = ItemData(aItem);
    RestoreItemData(aItem, bytes);
}

TKVRBaseLabel::TEditBracket::TEditBracket(TKVRBaseLabel& aDoc)
    : fDoc(aDoc), fExceptions(std::uncaught_exceptions()), fAct(aDoc.fAct), fSelection(aDoc.fSelection),
      fUnits(aDoc.fUnits), fMeasure(aDoc.fMeasure), fLabelRotation(aDoc.fLabelRotation),
      fLastNumID(aDoc.fLastNumID)
{
    fDoc.BeginUpdate(true);
}

void TKVRBaseLabel::TEditBracket::Keep(TKVRBaseItem* aItem)
{
    if (!aItem)
        return;
    for (const auto& saved : fSaved)
        if (saved.first == aItem)
            return;
    fSaved.emplace_back(aItem, ItemData(*aItem));
}

void TKVRBaseLabel::TEditBracket::KeepSelection()
{
    for (TKVRBaseItem* item : fDoc.fSelection)
        Keep(item);
}

TKVRBaseLabel::TEditBracket::~TEditBracket()
{
    if (std::uncaught_exceptions() > fExceptions) {
        // The edit failed: what it changed goes back, what it made goes away,
        // and the views hear of nothing but the closing bracket.
        try {
            for (int32_t i = fDoc.GetItemsCount(); i >= 1; --i)
                if (fDoc.GetItem(i)->GetNumID() > fLastNumID)
                    fAdded.push_back(fDoc.GetItem(i));
            std::sort(fAdded.begin(), fAdded.end());
            fAdded.erase(std::unique(fAdded.begin(), fAdded.end()), fAdded.end());
            for (TKVRBaseItem* item : fAdded)
                fDoc.DetachItem(item);  // freed on leaving
            for (auto& [item, bytes] : fSaved) {
                if (fDoc.IndexOf(item) == 0)
                    continue;  // left the document inside the edit
                RestoreItemData(*item, bytes);
            }
        } catch (...) {
            // What was written a moment ago reads back; nothing more can be done here.
        }
        fDoc.fPending.clear();
        for (TKVRBaseItem* item : fDoc.fSelection)
            item->SetItemState(0);
        fDoc.fSelection.clear();
        for (TKVRBaseItem* item : fSelection)
            if (fDoc.IndexOf(item) > 0) {
                item->SetItemState(1);
                fDoc.fSelection.push_back(item);
            }
        fDoc.fAct = fAct;
        fDoc.fUnits = fUnits;
        fDoc.fMeasure = fMeasure;
        fDoc.fLabelRotation = fLabelRotation;
        fDoc.fLastNumID = std::max(fDoc.fLastNumID, fLastNumID);
    } else if (!fDoc.GetModified() && KeptChanged()) {
        // Before the views hear of it: a host asks "save changes?" by this.
        fDoc.SetModified(true);
    }
    fDoc.EndUpdate();
}

bool TKVRBaseLabel::TEditBracket::KeptChanged() const
{
    for (const auto& [item, bytes] : fSaved)
        if (fDoc.IndexOf(item) == 0 || ItemData(*item) != bytes)
            return true;
    return false;
}

// ---------------------------------------------------------------- the selection as a whole

int64_t TKVRBaseLabel::SelectionBounds(int16_t aSide) const
{
    if (fSelection.empty() || aSide < 1 || aSide > 4)
        return -1;
    TKVRRect box = fSelection.front()->GetBounds();
    for (const TKVRBaseItem* item : fSelection) {
        const TKVRRect b = item->GetBounds();
        box = {std::min(box.Left, b.Left), std::min(box.Top, b.Top), std::max(box.Right, b.Right),
               std::max(box.Bottom, b.Bottom)};
    }
    switch (aSide) {
    case 1: return box.Left;
    case 2: return box.Right;
    case 3: return box.Top;
    default: return box.Bottom;
    }
}

float TKVRBaseLabel::SizeSelection(int16_t aMode) const
{
    if (fSelection.empty() || aMode < 1 || aMode > 4)
        return -1.0f;
    return float(double(SelectionBounds(aMode)) / double(MicrometresPerUnit(fUnits)));
}

TKVRRefLine TKVRBaseLabel::GetRefLine(int32_t aIndex) const
{
    if (aIndex < 1 || aIndex > GetRefLineCount())
        throw std::out_of_range("Reference line index out of range");
    return fRefLines[size_t(aIndex - 1)];
}

bool TKVRBaseLabel::HasBackMargins() const
{
    const TKVRLayer* layer = FindLayer(fBackLayer - 1);
    return layer && (layer->GetImgMarLeft() > 0 || layer->GetImgMarTop() > 0 || layer->GetImgMarRight() > 0 ||
                     layer->GetImgMarBottom() > 0);
}

void TKVRBaseLabel::CopySelection()
{
    CopyToClipboard(fSelection);
}

void TKVRBaseLabel::DeleteSelection()
{
    if (!fEditable || fSelection.empty())
        return;
    TEditBracket edit(*this);
    const std::vector<TKVRBaseItem*> items = fSelection;
    ClearSelection();
    fAct.Reset();
    for (TKVRBaseItem* item : items)
        DetachItem(item);  // freed on leaving
    SetModified(true);
    Notify(KVRChange::List);
}

void TKVRBaseLabel::ResetAction()
{
    TEditBracket edit(*this);
    // A drag under way is cancelled: what it moved goes back.
    if (PutBackDrag()) {
        SetModified(true);
        Notify(KVRChange::Items);
    }
    // A text being written ends with its action.
    EndText();
    fAct.Reset();
    fRefLines.clear();
    Notify(KVRChange::Reset);
}

void TKVRBaseLabel::UpdateEditing(bool)
{
    if (GetTextObject())
        Notify(KVRChange::Text);
}

// ---------------------------------------------------------------- what the elements answer

namespace {

bool IsTextKind(const TKVRBaseItem* aItem)
{
    return aItem && (aItem->GetKind() == KVRItemKind::Text || aItem->GetKind() == KVRItemKind::RichText);
}

} // namespace

// ---------------------------------------------------------------- picking and selecting

bool TKVRBaseLabel::PickItem(TKVRBaseItem* aItem, int64_t x, int64_t y, int64_t aGap, bool) const
{
    return aItem && !aItem->GetPreview() && aItem->Pick(x, y, aGap, false);
}

bool TKVRBaseLabel::SearchSelectedText(int64_t x, int64_t y, int64_t aGap, TShiftState)
{
    TKVRBaseItem* item = Select();
    return IsTextKind(item) && PickItem(item, x, y, aGap, false);
}

TKVRBaseItem* TKVRBaseLabel::GetTextObject() const
{
    const uint8_t action = fAct.fCurAction;
    const bool writing = action == TAct::ActWriteText || action == TAct::ActEditText || action == TAct::ActPressText;
    TKVRBaseItem* item = Select();
    return writing && fAct.fCurState == 11 && IsTextKind(item) ? item : nullptr;
}

void TKVRBaseLabel::EndText()
{
    TKVRBaseItem* item = GetTextObject();
    if (!item)
        return;
    const bool newText = fAct.fCurAction == TAct::ActWriteText;
    fAct.SetState(0);
    fAct.fDrawType = 0;
    Notify(KVRChange::EndText);
    // A new text left empty was never written: it goes.
    const auto* text = dynamic_cast<const TKVRBaseTextItem*>(item);
    if (newText && text && text->GetText().isEmpty()) {
        DetachItem(item);  // freed on leaving
        Notify(KVRChange::List);
    }
}

void TKVRBaseLabel::SelectClick(int64_t x, int64_t y, int64_t aGap, TShiftState aShift)
{
    TKVRBaseItem* hit = nullptr;
    // The element painted last lies on top.
    for (int32_t i = GetItemsCount(); i >= 1 && !hit; --i)
        if (PickItem(GetItem(i), x, y, aGap, false))
            hit = GetItem(i);
    if (!hit) {
        // An empty spot starts a selection rectangle.
        if (!(aShift & KVRShift::ssShift))
            ClearSelection();
        fAct.SetState(1);
        fAct.fDrawType = 1;
        fAct.fParam = aShift & KVRShift::ssShift;
        fAct.ClearPoints();
        fAct.AddPoint(x, y);
        Notify(KVRChange::State);
        return;
    }
    if (aShift & KVRShift::ssShift) {
        if (IsSelected(hit))
            UnSelectItem(hit);
        else
            SelectItem(hit, true);
        return;
    }
    if (hit->GetKind() == KVRItemKind::RichText && Select() == hit && fEditable) {
        // A click on the selected rich text edits it in place.
        fAct.SetCurAction(TAct::ActEditText);
        fAct.SetState(11);
        fAct.fDrawType = 10;
        Notify(KVRChange::Action);
        return;
    }
    if (!IsSelected(hit))
        SelectItem(hit, false);
    // The whole element is grabbed now: no point of it is named any more, so
    // Delete removes the selection.
    fAct.fPos1 = 0;
    if (!fEditable)
        return;
    // The selection follows the pointer from here, keeping where it was grabbed.
    fAct.SetCurAction(TAct::ActDrag);
    fAct.fMoveType = 1;
    fAct.fCurEditor = true;
    fAct.AddPoint(x - SelectionBounds(1), y - SelectionBounds(3));
}

void TKVRBaseLabel::SelectRect(int64_t x, int64_t y)
{
    const TKVRPto from = fAct.GetPoint(0);
    const bool add = fAct.fParam != 0;
    const TKVRRect r{std::min(from.X, x), std::min(from.Y, y), std::max(from.X, x), std::max(from.Y, y)};
    // Drawn leftwards the rectangle takes what it touches, rightwards what lies inside it.
    const bool touching = x < from.X;
    std::vector<TKVRBaseItem*> items = add ? fSelection : std::vector<TKVRBaseItem*>{};
    if (r.Left != r.Right || r.Top != r.Bottom)
        for (int32_t i = 1; i <= GetItemsCount(); ++i) {
            TKVRBaseItem* item = GetItem(i);
            if (!item->GetPreview() && item->SearchRect(r, touching) &&
                std::find(items.begin(), items.end(), item) == items.end())
                items.push_back(item);
        }
    fAct.Reset();
    SetSelection(std::move(items));
    Notify(KVRChange::State);
}

void TKVRBaseLabel::PickEditor(int64_t x, int64_t y, int64_t aGap, TShiftState aShift, bool)
{
    // Pointer positions are held at the door: the grab offsets and drawn
    // sides taken from them below are then sums that cannot overflow.
    x = KVRHeldCoordinate(x);
    y = KVRHeldCoordinate(y);
    fLastGap = std::max<int64_t>(aGap, 0);
    TEditBracket edit(*this);
    switch (fAct.fCurAction) {
    case TAct::ActWriteText:
    case TAct::ActEditText:
    case TAct::ActPressText:
        if (fAct.fCurState == 11) {
            // A click away from the text ends its editing and selects what it hits.
            EndText();
            fAct.Reset();
            Notify(KVRChange::Reset);
            SelectClick(x, y, aGap, aShift);
            return;
        }
        break;
    case TAct::ActSelect:
    case TAct::ActDrag:
        fAct.fCurAction = TAct::ActSelect;
        SelectClick(x, y, aGap, aShift);
        return;
    default:
        break;
    }
    if (fEditable)
        DrawClick(x, y, edit);
}

void TKVRBaseLabel::PickEditor(int64_t aLength, TShiftState aShift)
{
    if (const std::optional<TKVRPto> end = LengthReaches(aLength))
        PickEditor(end->X, end->Y, fLastGap, aShift, false);
}

std::optional<TKVRPto> TKVRBaseLabel::LengthReaches(int64_t aLength) const
{
    if (!fEditable || !IsDrawAction(fAct.fCurAction) || fAct.NumPoints() == 0)
        return std::nullopt;
    // Along the last side drawn, or across to the right from the first point.
    const int32_t n = fAct.NumPoints();
    const TKVRPto last = fAct.GetPoint(n - 1);
    double ux = 1.0, uy = 0.0;
    if (n >= 2) {
        const TKVRPto before = fAct.GetPoint(n - 2);
        const double dx = double(last.X - before.X), dy = double(last.Y - before.Y), len = std::hypot(dx, dy);
        if (len > 0.0) {
            ux = dx / len;
            uy = dy / len;
        }
    }
    const double length = double(aLength);
    return TKVRPto{RoundHalfEven(double(last.X) + ux * length), RoundHalfEven(double(last.Y) + uy * length)};
}

void TKVRBaseLabel::RightButton(int64_t, int64_t, int64_t aGap, TShiftState)
{
    fLastGap = std::max<int64_t>(aGap, 0);
    const uint8_t action = fAct.fCurAction;
    if (!IsDrawAction(action) || fAct.NumPoints() == 0)
        return;
    TEditBracket edit(*this);
    // Point by point ends here; any other drawing starts again.
    if (action == 7 || action == 9 || action == 10) {
        Drawn(MakeDrawn(edit), edit);
        return;
    }
    Drawn(nullptr, edit);
}

// ---------------------------------------------------------------- dragging

void TKVRBaseLabel::DragBy(int64_t aDx, int64_t aDy, bool aRefLines)
{
    if (fSelection.empty())
        return;
    // Moves stay within the coordinate range.
    aDx = std::clamp(aDx, -KVRMaxCoordinate - SelectionBounds(1), KVRMaxCoordinate - SelectionBounds(2));
    aDy = std::clamp(aDy, -KVRMaxCoordinate - SelectionBounds(3), KVRMaxCoordinate - SelectionBounds(4));
    fRefLines.clear();
    if (aDx == 0 && aDy == 0)
        return;
    for (TKVRBaseItem* item : fSelection)
        item->BaseMove(0, 0, aDx, aDy, 0, true);
    if (aRefLines) {
        // Where an edge or a centre of the selection lines up with another element's.
        const int64_t sx[3] = {SelectionBounds(1), (SelectionBounds(1) + SelectionBounds(2)) / 2, SelectionBounds(2)};
        const int64_t sy[3] = {SelectionBounds(3), (SelectionBounds(3) + SelectionBounds(4)) / 2, SelectionBounds(4)};
        for (const auto& other : fItems) {
            if (other->GetPreview() || IsSelected(other.get()))
                continue;
            const TKVRRect b = other->GetBounds();
            const int64_t ox[3] = {b.Left, (b.Left + b.Right) / 2, b.Right};
            const int64_t oy[3] = {b.Top, (b.Top + b.Bottom) / 2, b.Bottom};
            for (int64_t a : sx)
                for (int64_t o : ox)
                    if (a == o)
                        fRefLines.push_back({a, std::min(sy[0], oy[0]), a, std::max(sy[2], oy[2])});
            for (int64_t a : sy)
                for (int64_t o : oy)
                    if (a == o)
                        fRefLines.push_back({std::min(sx[0], ox[0]), a, std::max(sx[2], ox[2]), a});
        }
    }
    SetModified(true);
    Notify(KVRChange::Items);
}

void TKVRBaseLabel::DragHandle(int64_t x, int64_t y, bool aAbsolute, bool)
{
    // Handles belong to one element; several selected show only their frames.
    TKVRBaseItem* item = Select();
    if (!item)
        return;
    TKVRMoveType type = fAct.fMoveType;
    if (!aAbsolute) {
        std::vector<TKVRSelPoint> points;
        item->GetSelPoints(points);
        const auto grabbed = std::find_if(points.begin(), points.end(), [this, type](const TKVRSelPoint& p) {
            return KVRMoveTypeOf(p.Kind) == type && p.Index == fAct.fPos1;
        });
        if (grabbed == points.end())
            return;
        x = KVRHeldCoordinate(grabbed->X + x);
        y = KVRHeldCoordinate(grabbed->Y + y);
    }
    // A sizing handle dragged past the opposite edge becomes the handle it now is.
    if (!item->MovePoint(type, fAct.fPos1, KVRHeldCoordinate(x), KVRHeldCoordinate(y)))
        return;
    fAct.fMoveType = type;
    SetModified(true);
    Notify(KVRChange::Items);
}

void TKVRBaseLabel::MoveEditor(int64_t x, int64_t y, int64_t gx, int64_t gy, bool aRefLines, bool aFlag)
{
    if (!fEditable || fSelection.empty())
        return;
    x = KVRHeldCoordinate(x);
    y = KVRHeldCoordinate(y);
    if (aFlag) {
        // A keyboard nudge of one step: x and y give the direction (previous minus current).
        TEditBracket edit(*this);
        edit.KeepSelection();
        DragBy(KVRToInteger<int64_t>(-double(x) * double(gx)), KVRToInteger<int64_t>(-double(y) * double(gy)),
               aRefLines);
        return;
    }
    const uint8_t action = fAct.fCurAction;
    if ((action != TAct::ActDrag && action != TAct::ActPressText) || !fAct.fCurEditor)
        return;
    TEditBracket edit(*this);
    edit.KeepSelection();
    KeepDragStart();
    const uint8_t type = fAct.fMoveType;
    if (type <= 1 || type == 19)
        DragBy(-x, -y, aRefLines);
    else if (gx >= 0 && gy >= 0)
        DragHandle(gx, gy, true, aRefLines);
    else
        DragHandle(-x, -y, false, aRefLines);
}

void TKVRBaseLabel::MoveEditorTo(int64_t x, int64_t y, bool aRefLines)
{
    const uint8_t action = fAct.fCurAction;
    const uint8_t type = fAct.fMoveType;
    if (!fEditable || fSelection.empty() || action != TAct::ActDrag || !fAct.fCurEditor || type <= 1 || type == 19)
        return;
    TEditBracket edit(*this);
    edit.KeepSelection();
    KeepDragStart();
    DragHandle(KVRHeldCoordinate(x), KVRHeldCoordinate(y), true, aRefLines);
}

void TKVRBaseLabel::MoveGridEditor(int64_t x, int64_t y, int64_t aIncX, int64_t aIncY, bool aRefLines)
{
    if (!fEditable || fSelection.empty() || fAct.fCurAction != TAct::ActDrag || fAct.NumPoints() == 0)
        return;
    TEditBracket edit(*this);
    edit.KeepSelection();
    KeepDragStart();
    // The corner where the selection was grabbed lands on the grid.
    const TKVRPto grab = fAct.GetPoint(0);
    const int64_t left = GridRound(KVRHeldDifference(x, grab.X), aIncX),
                  top = GridRound(KVRHeldDifference(y, grab.Y), aIncY);
    DragBy(left - SelectionBounds(1), top - SelectionBounds(3), aRefLines);
}

void TKVRBaseLabel::KeepDragStart()
{
    if (fAct.fCurAction != TAct::ActDrag || fDragStartSerial == fAct.fDragSerial)
        return;
    fDragStart.clear();
    for (TKVRBaseItem* item : fSelection)
        fDragStart.emplace_back(item, ItemData(*item));
    fDragStartSerial = fAct.fDragSerial;
}

bool TKVRBaseLabel::PutBackDrag()
{
    std::vector<std::pair<TKVRBaseItem*, QByteArray>> start;
    start.swap(fDragStart);
    if (fAct.fCurAction != TAct::ActDrag || fDragStartSerial != fAct.fDragSerial || start.empty())
        return false;
    fRefLines.clear();
    for (auto& [item, bytes] : start)
        if (IndexOf(item) > 0)
            RestoreItemData(*item, bytes);
    return true;
}

void TKVRBaseLabel::UpEditor(int64_t x, int64_t y)
{
    const uint8_t action = fAct.fCurAction;
    if (action == TAct::ActSelect && fAct.fCurState == 1 && fAct.NumPoints() > 0) {
        TEditBracket edit(*this);
        SelectRect(x, y);
        return;
    }
    if (action != TAct::ActDrag && action != TAct::ActPressText)
        return;
    TEditBracket edit(*this);
    fRefLines.clear();
    if (action == TAct::ActPressText) {
        // The text moved; its editing goes on.
        fAct.SetCurAction(TAct::ActEditText);
        Notify(KVRChange::Text);
        return;
    }
    fDragStart.clear();
    // The grabbed point stays named, so Delete can remove it.
    const int16_t grabbed = fAct.fPos1;
    fAct.SetCurAction(TAct::ActSelect);
    fAct.fPos1 = grabbed;
    TVXChangeValue value;
    value.Item = Select();
    Notify(KVRChange::Selection, value);
    Notify(KVRChange::State);
}

// ---------------------------------------------------------------- the selection as a whole

void TKVRBaseLabel::MoveSelection(float aDx, float aDy, bool aRefLines, bool)
{
    const double unit = double(MicrometresPerUnit(fUnits));
    MoveSelectionBy(RoundHalfEven(double(aDx) * unit), RoundHalfEven(double(aDy) * unit), aRefLines);
}

void TKVRBaseLabel::MoveSelectionBy(int64_t aDx, int64_t aDy, bool aRefLines)
{
    if (!fEditable || fSelection.empty())
        return;
    TEditBracket edit(*this);
    edit.KeepSelection();
    DragBy(KVRHeldCoordinate(aDx), KVRHeldCoordinate(aDy), aRefLines);
}

void TKVRBaseLabel::MoveSize(float aStep, uint8_t aDirection, bool, bool)
{
    if (!fEditable || fSelection.empty() || aDirection < KVRMoveOpt::Left || aDirection > KVRMoveOpt::Down)
        return;
    TEditBracket edit(*this);
    edit.KeepSelection();
    const int64_t step = KVRHeldCoordinate(RoundHalfEven(double(aStep) * double(MicrometresPerUnit(fUnits))));
    // Left and up shrink, right and down grow, at the right or bottom edge of
    // each element that has sizing handles; never below nothing.
    const bool across = aDirection == KVRMoveOpt::Left || aDirection == KVRMoveOpt::Right;
    const int64_t delta = aDirection == KVRMoveOpt::Left || aDirection == KVRMoveOpt::Up ? -step : step;
    const TKVRSelKind handle = across ? KVRSelKind::SizeRight : KVRSelKind::SizeBottom;
    bool changed = false;
    for (TKVRBaseItem* item : fSelection) {
        std::vector<TKVRSelPoint> points;
        item->GetSelPoints(points);
        const auto at = std::find_if(points.begin(), points.end(), [handle](const TKVRSelPoint& p) { return p.Kind == handle; });
        if (at == points.end())
            continue;
        const TKVRRect b = item->GetBounds();
        TKVRMoveType type = KVRMoveTypeOf(handle);
        const int64_t x = across ? std::max(b.Left, KVRHeldCoordinate(at->X + delta)) : at->X;
        const int64_t y = across ? at->Y : std::max(b.Top, KVRHeldCoordinate(at->Y + delta));
        changed = item->MovePoint(type, at->Index, x, y) || changed;
    }
    if (changed) {
        SetModified(true);
        Notify(KVRChange::Items);
    }
}

void TKVRBaseLabel::DeletePoint(int32_t aIndex)
{
    TKVRBaseItem* item = Select();
    if (!fEditable || !item)
        return;
    TEditBracket edit(*this);
    edit.Keep(item);
    if (item->DeletePoint(aIndex)) {
        fAct.fPos1 = 0;
        SetModified(true);
        Notify(KVRChange::Items);
    }
}

// ---------------------------------------------------------------- handles and snapping

int32_t TKVRBaseLabel::GetSelPointCount() const
{
    fSelPoints.clear();
    const double unit = double(MicrometresPerUnit(fUnits));
    const auto add = [this, unit](const TKVRSelPoint& p, TKVRBaseItem* aOwner) {
        fSelPoints.push_back({float(double(p.X) / unit), float(double(p.Y) / unit), float(double(p.X2) / unit),
                              float(double(p.Y2) / unit), p.Kind, aOwner, p.Index});
    };
    if (TKVRBaseItem* item = Select()) {
        std::vector<TKVRSelPoint> points;
        item->GetSelPoints(points);
        for (const TKVRSelPoint& p : points)
            add(p, item);
        return int32_t(fSelPoints.size());
    }
    // Several selected: each shows its frame; handles would not say whose they are.
    for (TKVRBaseItem* item : fSelection) {
        const TKVRRect b = item->GetBounds();
        add({b.Left, b.Top, b.Right, b.Bottom, KVRSelKind::Frame, 0}, item);
    }
    return int32_t(fSelPoints.size());
}

TKVRSInfo TKVRBaseLabel::GetSelPoint(int32_t aIndex) const
{
    if (aIndex < 1 || aIndex > int32_t(fSelPoints.size()))
        GetSelPointCount();
    if (aIndex < 1 || aIndex > int32_t(fSelPoints.size()))
        throw std::out_of_range("Selection point index out of range");
    return fSelPoints[size_t(aIndex - 1)];
}

bool TKVRBaseLabel::SearchPoint(int64_t x, int64_t y, int64_t aGap, TKVRSnap aKind, TKVRRef& aRef, bool aMoving)
{
    aRef.Found = false;
    // A dragged point never snaps to its own element.
    const auto candidate = [&](const TKVRBaseItem* aItem) {
        return !aItem->GetPreview() && !(aMoving && IsSelected(aItem));
    };
    double best = -1.0;
    const auto take = [&](int64_t aX, int64_t aY, uint8_t aShape) {
        const double d = std::hypot(double(aX - x), double(aY - y));
        if (d <= double(aGap) && (best < 0.0 || d < best)) {
            best = d;
            aRef.X = aX;
            aRef.Y = aY;
            aRef.Shape = aShape;
            aRef.Found = true;
        }
    };
    if (aKind == KVRSnap::Cross) {
        // Where the outlines of two elements near the pointer cross (each element's own crossings too).
        std::vector<TKVROutline> near;
        for (const auto& item : fItems) {
            const TKVRBaseItem* e = item.get();
            if (!candidate(e))
                continue;
            TKVROutline outline;
            e->GetOutline(outline);
            double l, t, r, b;
            const double gap = double(aGap);
            if (!outline.Extent(l, t, r, b) || x < l - gap || x > r + gap || y < t - gap || y > b + gap)
                continue;
            TKVRRef ref = aRef;
            if (e->CheckPoint(x, y, aGap, aKind, ref))
                take(ref.X, ref.Y, ref.Shape);
            near.push_back(std::move(outline));
        }
        std::vector<TKVRGPoint> crossings;
        for (size_t i = 0; i < near.size(); ++i)
            for (size_t j = i + 1; j < near.size(); ++j)
                near[i].Crossings(near[j], crossings);
        for (const TKVRGPoint& p : crossings)
            take(RoundHalfEven(p.X), RoundHalfEven(p.Y), TKVRRef::ShapeCross);
        return aRef.Found;
    }
    for (const auto& item : fItems) {
        if (!candidate(item.get()))
            continue;
        TKVRRef ref = aRef;
        if (item->CheckPoint(x, y, aGap, aKind, ref))
            take(ref.X, ref.Y, ref.Shape);
    }
    return aRef.Found;
}

// ---------------------------------------------------------------- double click and turns

void TKVRBaseLabel::DoDblClick()
{
    TKVRBaseItem* item = Select();
    if (!item || !fEditable)
        return;
    if (item->GetKind() != KVRItemKind::Text) {
        EditItemDialog(item);
        return;
    }
    TEditBracket edit(*this);
    fAct.SetCurAction(TAct::ActEditText);
    fAct.SetState(11);
    fAct.fDrawType = 10;
    Notify(KVRChange::StartText);
}

void TKVRBaseLabel::TurnLabel(bool aLeft)
{
    if (!fEditable)
        return;
    TEditBracket edit(*this);
    for (const auto& item : fItems)
        edit.Keep(item.get());
    const int64_t width = fMeasure.GetWidth(), height = fMeasure.GetHeight();
    // The label's corner that comes to the top left carries the elements
    // along; they stand at the drawing scale, the sizes are paper.
    const auto scaled = [this](int64_t aPaper) {
        return int64_t(std::min<__int128>(__int128(aPaper) * fMeasure.GetDrawScale(), KVRMaxCoordinate));
    };
    const TKVRPto offset = aLeft ? TKVRPto{0, scaled(width)} : TKVRPto{scaled(height), 0};
    for (const auto& item : fItems)
        item->TurnQuarter(aLeft, offset);
    fMeasure.SetWidth(height);
    fMeasure.SetHeight(width);
    SetLabelRotation(uint8_t(fLabelRotation + (aLeft ? 1 : 3)));
    SetModified(true);
    LabelRotated();
    SendSize();
}

void TKVRBaseLabel::RotateLeft()
{
    TurnLabel(true);
}

void TKVRBaseLabel::RotateRight()
{
    TurnLabel(false);
}
