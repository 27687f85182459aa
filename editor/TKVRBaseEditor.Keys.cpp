// The editor's command keys: selection cycling, ortho and grid, cancel,
// delete, copy and paste, nudging and resizing; the editing keys of the
// one-line text being written and of the coordinate box.
#include "document/KVR.FMX.h"
#include "document/KVR.FMX.Openers.h"
#include "editor/TKVRBackEditor.h"
#include "editor/TKVRBaseEditor.h"
#include "editor/TKVRCoordEntry.h"
#include "editor/TKVRInfoEd.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "platform/rtl/text/TXTUtils.h"
#include <QClipboard>
#include <QGuiApplication>
#include <initializer_list>

using namespace KVRShift;

namespace {
constexpr uint16_t kBackspace = 8, kTab = 9, kEnter = 13, kEsc = 27, kLeft = 37, kUp = 38, kRight = 39,
                   kDown = 40, kDelete = 46, kKeyC = 67, kKeyV = 86, kF8 = 119, kF9 = 120;

bool IsArrow(uint16_t aKey)
{
    return aKey >= kLeft && aKey <= kDown;
}

// Deletes the character at aPos (from 1) and says how many code units went.
int32_t DeleteAt(QString& aText, int32_t aPos)
{
    const qsizetype before = aText.size();
    return TXTUtils::DeleteCharPos(aText, aPos, 0) ? int32_t(before - aText.size()) : 0;
}
}  // namespace

void TKVRBaseEditor::InputKeyDown(QObject*, uint16_t& Key, TShiftState Shift)
{
    TVXLabelFMX* doc = fBaseLab;
    if (!doc)
        return;
    const TShiftState mods = Shift & (ssShift | ssAlt | ssCtrl);
    if (Key == kTab) {
        // The text being written ends before another element takes the keys.
        if (doc->GetTextObject())
            doc->ResetAction();
        if (mods == ssShift)
            doc->SelectPrior();
        else
            doc->SelectNext();
        return;
    }
    if (!doc->GetEditable())
        return;
    if (Key == kF8) {
        SetOrtoLines(!fOrtoLines);
        return;
    }
    if (Key == kF9) {
        const bool on = !fSnap.testFlag(skGrid);
        TKVRSnapOptions snap = fSnap;
        snap.setFlag(skGrid, on);
        SetSnap(snap);
        fInfoEdSnap->SetState(on ? TKVRStateInfo::siOn : TKVRStateInfo::siOff);
        return;
    }
    if (fBackEdit->fInserting) {
        if (Key == kEsc) {
            fBitText = false;
            ResetInputText(false);
            doc->ResetAction();
        } else if (fOptions.testFlag(eoCoordInput)) {
            InputBoxKey(Key);
        }
        return;
    }
    if (doc->GetAct().fDrawType == 10 && !((mods & ssCtrl) && !IsArrow(Key))) {
        TextKey(Key, Shift);
        return;
    }
    CommandKey(Key, mods);
}

void TKVRBaseEditor::CommandKey(uint16_t aKey, TShiftState aMods)
{
    TVXLabelFMX* doc = fBaseLab;
    TAct& act = doc->GetAct();
    if (aKey == kKeyV && aMods == ssCtrl) {
        if (act.fDrawType == 10)
            PasteFromClipBoard();
        else
            doc->PasteSelection();
        return;
    }
    if (aKey == kEsc)
        doc->ResetAction();
    if (doc->GetSelectionCount() < 1)
        return;
    const bool refLines = fShowRefLines;
    if (aKey == kDelete) {
        if (act.fCurAction == TAct::ActSelect) {
            if (act.fPos1 < 1)
                doc->DeleteSelection();
            else
                doc->DeletePoint(act.fPos1);
        } else if (act.fCurAction == TAct::ActDrag && act.fMoveType == KVRMoveType::Vertex) {
            doc->DeletePoint(act.fPos1);
        }
        return;
    }
    if (aMods == ssCtrl) {
        if (aKey == kKeyC) {
            doc->CopySelection();
            return;
        }
        if (!IsArrow(aKey))
            return;
        const bool grid = fSnap.testFlag(skGrid);
        const int64_t incX = fGrid->BaseIncX(), incY = fGrid->BaseIncY();
        const float mx = GetMoveX(), my = GetMoveY();
        switch (aKey) {
        case kLeft: grid ? doc->MoveEditor(1, 0, incX, 0, refLines, true) : doc->MoveSelection(-mx, 0, refLines, true); break;
        case kRight: grid ? doc->MoveEditor(-1, 0, incX, 0, refLines, true) : doc->MoveSelection(mx, 0, refLines, true); break;
        case kUp: grid ? doc->MoveEditor(0, 1, 0, incY, refLines, true) : doc->MoveSelection(0, -my, refLines, true); break;
        default: grid ? doc->MoveEditor(0, -1, 0, incY, refLines, true) : doc->MoveSelection(0, my, refLines, true); break;
        }
        return;
    }
    if (aMods == ssShift && IsArrow(aKey)) {
        const float step = aKey == kLeft || aKey == kRight ? GetMoveX() : GetMoveY();
        const uint8_t direction = aKey == kLeft    ? KVRMoveOpt::Left
                                  : aKey == kRight ? KVRMoveOpt::Right
                                  : aKey == kUp    ? KVRMoveOpt::Up
                                                   : KVRMoveOpt::Down;
        doc->MoveSize(step, direction, refLines, true);
    }
}

// Keys of the one-line text being written; the arrows move the caret of a
// rich text too, its other keys come with its mark-up editing.
void TKVRBaseEditor::TextKey(uint16_t aKey, TShiftState aShift)
{
    TVXLabelFMX* doc = fBaseLab;
    TKVRBaseItem* text = doc->GetTextObject();
    if (fBackEdit->MoveTextCaret(aKey, aShift) || !text || text->GetKind() != KVRItemKind::Text)
        return;
    TKVRDraw& d = *fBackEdit->fDrw;
    const int32_t length = int32_t(d.aTxt.size());
    d.aPos = std::clamp(d.aPos, 0, length);
    switch (aKey) {
    case kBackspace:
        if (length > 0) {
            const int32_t gone = DeleteAt(d.aTxt, d.aPos);
            if (gone > 0) {
                d.aPos -= gone;
                fBackEdit->HandTextToObject();
                doc->UpdateEditing(true);
            }
        }
        return;
    case kDelete:
        // The next character goes; the text stays in writing.
        if (d.aPos < length && DeleteAt(d.aTxt, d.aPos + 1) > 0) {
            fBackEdit->HandTextToObject();
            doc->UpdateEditing(true);
        }
        return;
    case kEnter:
        ValidateImputText(true);
        return;
    default:
        return;
    }
}

void TKVRBaseEditor::ValidateImputText(bool aReset)
{
    if (aReset && fBaseLab) {
        fBaseLab->Clear(KVRClear::Selection, true);
        fBackEdit->unsetCursor();
        fBaseLab->GetAct().Reset();
    }
    fBackEdit->FollowInputMethod();
    fBackEdit->DrawEditor();
}

void TKVRBaseEditor::ResetInputText(bool aRedraw)
{
    feText.clear();
    fPosInput = 0;
    if (aRedraw)
        fBackEdit->DrawEditor();
}

void TKVRBaseEditor::PasteFromClipBoard()
{
    TVXLabelFMX* doc = fBaseLab;
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!doc || doc->GetAct().fDrawType != 10 || !clipboard || !doc->GetTextObject())
        return;
    const QString pasted = clipboard->text();
    if (pasted.isEmpty())
        return;
    // A rich text takes the clipboard's text as it takes typing.
    if (fBackEdit->TypeRichText(pasted))
        return;
    // Pasted at the caret, even at 0: what was typed before it stays.
    TKVRDraw& d = *fBackEdit->fDrw;
    const int32_t caret = std::clamp(d.aPos, 0, int32_t(d.aTxt.size()));
    d.aTxt = TKVRCoordEntry::InsertAt(d.aTxt, pasted, caret);
    d.aPos = caret + int32_t(pasted.size());
    d.aSelStart = d.aSelEnd = 0;
    fBackEdit->HandTextToObject();
    doc->UpdateEditing(true);
}

// ---------------------------------------------------------------- the coordinate box

void TKVRBaseEditor::InputBoxKey(uint16_t aKey)
{
    const int32_t length = int32_t(feText.size());
    switch (aKey) {
    case kLeft:
        if (length > 0 && fPosInput > 0) {
            --fPosInput;
            fBackEdit->DrawInput();
        }
        break;
    case kRight:
        if (fPosInput < length) {
            ++fPosInput;
            fBackEdit->DrawInput();
        }
        break;
    case kBackspace:
        if (length > 0 && DeleteAt(feText, fPosInput) > 0) {
            --fPosInput;
            fBackEdit->DrawInput();
        }
        break;
    case kDelete:
        if (fPosInput < length && DeleteAt(feText, fPosInput + 1) > 0)
            fBackEdit->DrawInput();
        break;
    case kEnter:
        if (length > 0)
            EnterInput();
        break;
    default:
        break;
    }
}

namespace {
bool WithinDocument(int64_t aMicrometres)
{
    return aMicrometres >= -KVRMaxCoordinate && aMicrometres <= KVRMaxCoordinate;
}

// A typed value the document cannot hold is refused: the user is told, the
// box keeps what was typed.
bool Refused(std::initializer_list<int64_t> aMicrometres)
{
    for (const int64_t v : aMicrometres)
        if (!WithinDocument(v)) {
            if (const auto& show = KVRLabelOpeners().ShowMessage)
                show(TKVRMsg::GetErrorValue(QStringLiteral("CoordRange")));
            return true;
        }
    return false;
}
}  // namespace

// What the box holds goes to the running action as a point or a length; an
// entry that does not read, or that lies outside the document's coordinate
// range, stays as typed.
void TKVRBaseEditor::EnterInput()
{
    TKVRBackEditor& s = *fBackEdit;
    const TKVRCoordEntry e = TKVRCoordEntry::Read(feText);
    const auto placePoint = [&](int64_t x, int64_t y) {
        fInput.PointX = x;
        fInput.PointY = y;
        fInput.PixelX = s.ScreenMMX(x);
        fInput.PixelY = s.ScreenMMY(y);
        s.InputText();
    };
    switch (e.Kind) {
    case TKVRCoordEntry::TKind::Base:
        if (fInput.HasBase())
            placePoint(fInput.BaseX, fInput.BaseY);
        break;
    case TKVRCoordEntry::TKind::Relative: {
        int64_t x = s.BaseMM(e.A), y = s.BaseMM(e.B);
        const int64_t bx = fInput.HasBase() ? fInput.BaseX : 0, by = fInput.HasBase() ? fInput.BaseY : 0;
        // Each term within the range, so that the sums cannot overflow.
        if (Refused({x, y, bx, by}) || Refused({x + bx, y + by}))
            break;
        fInput.X = e.A;
        fInput.Y = e.B;
        placePoint(x + bx, y + by);
        break;
    }
    case TKVRCoordEntry::TKind::Length: {
        // The length, then the point it reaches: that point is refused as a
        // typed one is, never held at the range's edge.
        if (Refused({s.BaseMM(e.A)}))
            break;
        const std::optional<TKVRPto> end = fBaseLab ? fBaseLab->LengthReaches(s.BaseMM(e.A)) : std::nullopt;
        if (end && Refused({end->X, end->Y}))
            break;
        fInput.Value = e.A;
        fInput.Length = s.BaseMM(e.A);
        fInput.LengthPixels = s.ScreenMMX(fInput.Length);
        s.InputValue();
        break;
    }
    case TKVRCoordEntry::TKind::Point:
        if (Refused({s.BaseMM(e.A), s.BaseMM(e.B)}))
            break;
        fInput.X = e.A;
        fInput.Y = e.B;
        placePoint(s.BaseMM(e.A), s.BaseMM(e.B));
        break;
    case TKVRCoordEntry::TKind::None:
        break;
    }
}
