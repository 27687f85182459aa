// The caret and selection of the rich text being edited in place: a click
// becomes a plain position where the text is painted, a drag selects, a
// double click selects a word, the arrows move the caret by characters,
// words and lines. The mark-up itself is not touched here.
#include "document/KVR.FMX.h"
#include "editor/TKVRBackEditor.h"
#include "editor/TKVRBaseEditor.h"
#include "editor/TKVRRichTextCaret.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "elements/TKVRRichText.h"
#include "render/TKVRCalc.h"
#include "render/TKVRDraw.h"
#include <QTransform>
#include <algorithm>
#include <stdexcept>

using namespace KVRShift;

namespace {
constexpr uint16_t kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

TKVRRichText* RichTextOf(const TVXLabelFMX* aDoc)
{
    TKVRBaseItem* one = aDoc ? aDoc->Select() : nullptr;
    return one && one->GetKind() == KVRItemKind::RichText ? dynamic_cast<TKVRRichText*>(one) : nullptr;
}

// The caret geometry of a rich text, measured as its layout measured it:
// each segment in its format, the element's font where the format has none.
TKVRRichTextCaret CaretOf(const TKVRRichText& aText)
{
    return TKVRRichTextCaret(aText.GetDrawSegments(), [&aText](const TRichTextDrawSegment& aSegment, int32_t aChars) {
        TRichTextFormat f = aText.FormatAt(aSegment.FormatIndex);
        f.FontName = f.FontName.trimmed();
        if (f.FontName.isEmpty())
            f.FontName = aText.GetFontName();
        int32_t asc = 0, des = 0, und = 0, lh = 0;
        double ratio = 0.0;
        try {
            TKVRCalc::FontSettings(f.FontName, std::max(f.FontHeight, 1), f.Bold, f.Italic, asc, des, und, lh, ratio);
        } catch (const std::runtime_error&) {
            return 0.0;  // a family no typeface is made of took no room
        }
        return double(TKVRCalc::CalcTxtSize(aSegment.Text.left(aChars)));
    });
}

// Surface pixels to micrometres of the rich text's area, undoing what the
// paint does: the surface's translation and zoom, then the element's
// placement and quarter turn of its text area.
QPointF AreaPoint(const TKVRBackEditor& aSurface, const TKVRRichText& aText, float aX, float aY)
{
    const TKVRDraw* d = aSurface.fDrw.get();
    const TPointF origin = TextAreaOrigin(aText.GetAngle(), ScreenBox(aText, d),
                                          PaperToPixels(aText.GetScalePadX(), d->ResolutionX),
                                          PaperToPixels(aText.GetScalePadY(), d->ResolutionY));
    const double z = aSurface.ZScale() / std::max(aSurface.ScaleFactor, 1);
    QTransform toSurface;
    toSurface.translate(aSurface.TranslateX(), aSurface.TranslateY());
    toSurface.scale(z, z);
    toSurface.translate(origin.X, origin.Y);
    toSurface.rotate(TurnDegrees(aText.GetAngle()));
    const QPointF local = toSurface.inverted().map(QPointF(aX, aY));
    return {local.x() * 25400.0 / std::max(d->ResolutionX, 1), local.y() * 25400.0 / std::max(d->ResolutionY, 1)};
}
}  // namespace

// ---------------------------------------------------------------- hit test and line moves

bool TKVRBackEditor::CalcRichTextHitTestFromClick(float x, float y, int32_t& oPos, int32_t& oSegment, int32_t& oChar)
{
    oPos = oSegment = oChar = 0;
    const TKVRRichText* rich = RichTextOf(Document());
    if (!rich)
        return false;
    const TKVRRichTextCaret caret = CaretOf(*rich);
    if (caret.Empty())
        return false;
    const QPointF p = AreaPoint(*this, *rich, x, y);
    const TKVRRichTextCaret::THit hit = caret.HitTest(p.x(), p.y());
    oPos = hit.Position;
    oSegment = hit.Segment;
    oChar = hit.Char;
    return true;
}

int32_t TKVRBackEditor::CalcRichTextCursorPosFromClick(float x, float y)
{
    int32_t pos = 0, segment = 0, character = 0;
    return CalcRichTextHitTestFromClick(x, y, pos, segment, character) ? pos : 0;
}

int32_t TKVRBackEditor::CalcRichTextLineMove(int32_t aPos, bool aUp)
{
    const TKVRRichText* rich = RichTextOf(Document());
    return rich ? CaretOf(*rich).LineMove(aPos, aUp) : aPos;
}

// ---------------------------------------------------------------- pointer

bool TKVRBackEditor::PressOnEditedRichText(float X, float Y)
{
    TVXLabelFMX* doc = Document();
    TKVRRichText* rich = RichTextOf(doc);
    if (!rich || doc->GetAct().fCurAction != TAct::ActEditText || !doc->PickItem(rich, fBaseX, fBaseY, Gap(), false))
        return false;
    fTextClickPos = PO = LP = QPointF(X, Y);
    fDraggingRichTextSel = true;
    fRichTextRefusal.clear();
    TKVRDraw& d = *fDrw;
    d.aPos = d.aSelStart = d.aSelEnd = CalcRichTextCursorPosFromClick(X, Y);
    doc->UpdateEditing(true);
    return true;
}

void TKVRBackEditor::DragRichTextSelection(float X, float Y)
{
    TKVRDraw& d = *fDrw;
    const int32_t pos = CalcRichTextCursorPosFromClick(X, Y);
    if (pos == d.aSelEnd && pos == d.aPos)
        return;
    d.aSelEnd = d.aPos = pos;
    if (TVXLabelFMX* doc = Document())
        doc->UpdateEditing(true);
}

void TKVRBackEditor::EndRichTextSelection(float X, float Y)
{
    fDraggingRichTextSel = false;
    TVXLabelFMX* doc = Document();
    if (!doc)
        return;
    TKVRDraw& d = *fDrw;
    if (d.aSelStart == d.aSelEnd)
        d.aPos = CalcRichTextCursorPosFromClick(X, Y);
    doc->UpdateEditing(true);
}

bool TKVRBackEditor::SelectRichTextWord()
{
    TVXLabelFMX* doc = Document();
    TKVRRichText* rich = RichTextOf(doc);
    if (!rich || !fEditor->GetOptions().testFlag(eoRichText))
        return false;
    // A double click on a rich text that is only selected edits it, as a click on it does.
    if (doc->GetTextObject() != rich && doc->GetAct().fCurAction == TAct::ActSelect)
        doc->PickEditor(BaseMMX(float(fTextClickPos.x())), BaseMMY(float(fTextClickPos.y())), Gap(), 0, false);
    if (doc->GetTextObject() != rich)
        return true;
    int32_t pos = 0, segment = 0, character = 0, start = 0, end = 0;
    if (!CalcRichTextHitTestFromClick(float(fTextClickPos.x()), float(fTextClickPos.y()), pos, segment, character) ||
        !CaretOf(*rich).WordAt(segment, start, end))
        return true;
    TKVRDraw& d = *fDrw;
    d.aSelStart = start;
    d.aSelEnd = d.aPos = end;
    doc->GetAct().SetCurAction(TAct::ActEditText);
    doc->UpdateEditing(true);
    update();
    return true;
}

// ---------------------------------------------------------------- keys

bool TKVRBackEditor::MoveTextCaret(uint16_t aKey, TShiftState aShift)
{
    if (aKey < kLeft || aKey > kDown)
        return false;
    TVXLabelFMX* doc = Document();
    TKVRBaseItem* edited = doc ? doc->GetTextObject() : nullptr;
    if (!edited)
        return false;
    const auto* rich = dynamic_cast<const TKVRRichText*>(edited);
    TKVRDraw& d = *fDrw;
    // A rich text's positions count its plain text.
    const QString text = rich ? rich->GetPlainText() : d.aTxt;
    const int32_t length = int32_t(text.size());
    d.aPos = std::clamp(d.aPos, 0, length);
    const bool right = aKey == kRight;
    int32_t pos = d.aPos;
    if (aKey == kUp || aKey == kDown) {
        if (!rich)
            return true;
        pos = std::clamp(CalcRichTextLineMove(pos, aKey == kUp), 0, length);
    } else if (right ? pos >= length : (pos <= 0 || length == 0)) {
        return true;
    } else if (aShift & ssCtrl) {
        pos = right ? FindNextWordBoundary(text, pos) : FindPrevWordBoundary(text, pos);
    } else {
        // A surrogate pair is one character.
        const int32_t step = right ? (text.at(pos).isHighSurrogate() && pos + 1 < length ? 2 : 1)
                                   : (text.at(pos - 1).isLowSurrogate() && pos >= 2 ? 2 : 1);
        pos += right ? step : -step;
    }
    const bool selecting = aShift & ssShift;
    if (selecting && d.aSelStart == d.aSelEnd)
        d.aSelStart = d.aPos;
    d.aPos = pos;
    if (selecting)
        d.aSelEnd = pos;
    else
        d.aSelStart = d.aSelEnd = 0;
    doc->UpdateEditing(true);
    return true;
}
