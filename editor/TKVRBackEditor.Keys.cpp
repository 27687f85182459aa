// Keys of the drawing surface: characters go into the coordinate box or into
// the one-line text being written, everything else to the editor's command
// keys; the coordinate box itself and the caret of the one-line text.
#include "document/KVR.FMX.h"
#include "editor/TKVRBackEditor.h"
#include "editor/TKVRBaseEditor.h"
#include "editor/TKVRCoordEntry.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Utils.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include "platform/rtl/text/KVR.BidiPlaces.h"
#include "platform/skia/TSkFont.h"
#include "platform/skia/TSkPaint.h"
#include "render/KVR.FMX.Text.h"
#include "render/TKVRDraw.h"
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QInputMethod>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>
#include <QTransform>
#include <cmath>
#include <optional>

using namespace KVRShift;

namespace {
// The key's number, as the command keys count them; 0 for keys they ignore.
uint16_t KeyNumber(int aKey, Qt::KeyboardModifiers aModifiers)
{
    switch (aKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_F4: return 115;
    case Qt::Key_F8: return 119;
    case Qt::Key_F9: return 120;
    default: break;
    }
    if (aKey >= Qt::Key_A && aKey <= Qt::Key_Z)
        return uint16_t(aKey);
    if (aKey >= Qt::Key_0 && aKey <= Qt::Key_9)
        return uint16_t((aModifiers & Qt::KeypadModifier) ? 96 + (aKey - Qt::Key_0) : aKey);
    return 0;
}

// The event's text when it is something to type: Ctrl+C's "\x03" is not.
QString TypedText(const QString& aText)
{
    for (const QChar c : aText)
        if (!c.isSurrogate() && !c.isPrint())
            return {};
    return aText;
}
}  // namespace

// ---------------------------------------------------------------- Qt's events

// Tab and Backtab stay on the surface: they cycle the selection.
bool TKVRBackEditor::focusNextPrevChild(bool)
{
    return false;
}

void TKVRBackEditor::keyPressEvent(QKeyEvent* aEvent)
{
    uint16_t key = KeyNumber(aEvent->key(), aEvent->modifiers());
    TShiftState shift = ShiftOf(aEvent->modifiers(), Qt::NoButton);
    if (aEvent->key() == Qt::Key_Backtab)
        shift |= ssShift;
    // Ctrl makes a command of the key, whatever text it carries.
    const bool command = (aEvent->modifiers() & Qt::ControlModifier) && !(aEvent->modifiers() & Qt::AltModifier);
    QString typed = command ? QString() : TypedText(aEvent->text());
    // A typed point the document refuses is told, and stays in the box: the
    // step never reached the box's reset.
    Step([&] { KeyDown(this, key, typed, shift); }, true);
    aEvent->accept();
}

void TKVRBackEditor::inputMethodEvent(QInputMethodEvent* aEvent)
{
    if (!aEvent->commitString().isEmpty()) {
        uint16_t key = 0;
        QString typed = aEvent->commitString();
        Step([&] { KeyDown(this, key, typed, 0); }, true);
    }
    aEvent->accept();
}

QVariant TKVRBackEditor::inputMethodQuery(Qt::InputMethodQuery aQuery) const
{
    if (aQuery == Qt::ImEnabled)
        return testAttribute(Qt::WA_InputMethodEnabled);
    if (aQuery == Qt::ImCursorRectangle) {
        if (fEditor->fBitText)
            return fInputRect.toRect();
        return CaretRect();
    }
    return QWidget::inputMethodQuery(aQuery);
}

void TKVRBackEditor::FollowInputMethod()
{
    TVXLabelFMX* doc = Document();
    const bool on = fEditor->fBitText || (doc && doc->GetTextObject());
    if (on != testAttribute(Qt::WA_InputMethodEnabled)) {
        setAttribute(Qt::WA_InputMethodEnabled, on);
        if (hasFocus())
            QGuiApplication::inputMethod()->update(Qt::ImEnabled);
    }
    if (on && hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

// ---------------------------------------------------------------- keys

void TKVRBackEditor::KeyDown(QObject* Sender, uint16_t& Key, QString& KeyChar, TShiftState Shift)
{
    TVXLabelFMX* doc = Document();
    if (!KeyChar.isEmpty() && doc) {
        if (fInserting && fEditor->GetOptions().testFlag(eoCoordInput)) {
            if (KeyChar.size() == 1 &&
                TKVRCoordEntry::Accepts(fEditor->feText, KeyChar.at(0), fEditor->fPosInput)) {
                fEditor->feText = TKVRCoordEntry::InsertAt(fEditor->feText, KeyChar, fEditor->fPosInput);
                ++fEditor->fPosInput;
                DrawInput();
                Key = 0;
                return;
            }
        } else if (!doc->GetAct().fCurEditor && doc->GetTextObject()) {
            TypeText(KeyChar);
            Key = 0;
            return;
        }
    }
    // The rich text being edited takes its editing keys.
    if (Key != 0 && RichTextKey(Key, Shift)) {
        Key = 0;
        return;
    }
    if (Key != 0)
        fEditor->InputKeyDown(Sender, Key, Shift);
    // Tab never takes the focus away from the surface.
    if (Key == 9)
        Key = 0;
}

bool TKVRBackEditor::HandTextToObject()
{
    TVXLabelFMX* doc = Document();
    auto* text = doc ? dynamic_cast<TKVRBaseText*>(doc->GetTextObject()) : nullptr;
    if (!text || !doc->GetEditable())
        return false;
    text->SetText(fDrw->aTxt);
    doc->SetModified(true);
    return true;
}

// Typed text goes in at the caret of the text being written; a rich text
// takes it into its mark-up.
void TKVRBackEditor::TypeText(const QString& aText)
{
    if (TypeRichText(aText))
        return;
    TVXLabelFMX* doc = Document();
    if (!doc || !dynamic_cast<TKVRBaseText*>(doc->GetTextObject()) || !doc->GetEditable())
        return;
    TKVRDraw& d = *fDrw;
    const int32_t caret = d.aPos < 0 ? int32_t(d.aTxt.size()) : d.aPos;
    d.aTxt = TKVRCoordEntry::InsertAt(d.aTxt, aText, caret);
    d.aPos = std::min<int32_t>(caret, int32_t(d.aTxt.size() - aText.size())) + int32_t(aText.size());
    d.aSelStart = d.aSelEnd = 0;
    HandTextToObject();
    doc->UpdateEditing(true);
}

// ---------------------------------------------------------------- the coordinate box

QFont TKVRBackEditor::InputFont() const
{
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(std::max(ScalePos(15, fDPIY), 1));
    return font;
}

void TKVRBackEditor::PrepareInput()
{
    PlaceInput();
    fEditor->fBitText = true;
    FollowInputMethod();
    update();
}

void TKVRBackEditor::PlaceInput()
{
    const QFontMetricsF m(InputFont());
    // A longer entry widens the box about its centre instead of running past it.
    const double w = std::max(m.horizontalAdvance(QStringLiteral("@8888888,8888888")),
                              m.horizontalAdvance(fEditor->feText) + 8);
    const double h = std::fabs(m.ascent()) + std::fabs(m.descent()) + 4;
    fInputRect = QRectF((width() - w) / 2.0, 2.0, w, h);
}

void TKVRBackEditor::DrawInput()
{
    if (fEditor->fBitText) {
        PlaceInput();
        update();
        FollowInputMethod();
    } else {
        PrepareInput();
    }
}

void TKVRBackEditor::PaintInput(QPainter& aPainter)
{
    if (!fEditor->fBitText)
        return;
    const QFont font = InputFont();
    const QFontMetricsF m(font);
    aPainter.save();
    aPainter.setRenderHint(QPainter::Antialiasing, false);
    aPainter.fillRect(fInputRect, Qt::white);
    aPainter.setFont(font);
    aPainter.setPen(Qt::black);
    const QString& text = fEditor->feText;
    const double left = fInputRect.center().x() - m.horizontalAdvance(text) / 2.0;
    aPainter.drawText(QPointF(left, fInputRect.top() + 2 + m.ascent()), text);
    const double caret = left + m.horizontalAdvance(text.left(fEditor->fPosInput)) + 1;
    aPainter.setPen(QPen(QColor(0xFF, 0, 0), 1));
    aPainter.drawLine(QPointF(caret, fInputRect.top() + 2), QPointF(caret, fInputRect.bottom() - 2));
    aPainter.restore();
}

void TKVRBackEditor::InputText()
{
    TVXLabelFMX* doc = Document();
    const uint8_t action = doc ? doc->GetAction() : 0;
    if (doc && fInserting) {
        const TKVRInputS& input = fEditor->fInput;
        fBaseX = input.PointX;
        fBaseY = input.PointY;
        LP = QPointF(input.PixelX, input.PixelY);
        // The typed point is the anchor of the rubber band that follows.
        PO = LP;
        SetBasePoint(LP);
        doc->PickEditor(fBaseX, fBaseY, Gap(), 0, false);
        DrawShape();
    }
    fEditor->fBitText = false;
    fEditor->ResetInputText(!(action == 7 || action == 9 || action == 10));
    FollowInputMethod();
}

void TKVRBackEditor::InputValue()
{
    TVXLabelFMX* doc = Document();
    if (doc && fInserting) {
        doc->PickEditor(fEditor->fInput.Length, 0);
        // The point the length reached is the next one's base and anchor.
        const TAct& act = doc->GetAct();
        if (act.NumPoints() > 0) {
            fBaseX = act.GetPointX(act.NumPoints() - 1);
            fBaseY = act.GetPointY(act.NumPoints() - 1);
            PO = LP = QPointF(ScreenMMX(fBaseX), ScreenMMY(fBaseY));
            SetBasePoint(LP);
        }
    }
    fEditor->ResetInputText(true);
}

// ---------------------------------------------------------------- the one-line caret

namespace {
// The one-line text being written as it paints: its font, its height and the
// transform from the text's own frame (x along the text from its start, y
// down from its top) to surface pixels.
struct TTextRoad
{
    std::shared_ptr<TSkFont> Font;
    std::shared_ptr<TSkPaint> Paint = std::make_shared<TSkPaint>();
    float Height = 0;
    QTransform ToSurface;
};

std::optional<TTextRoad> TextRoadOf(const TKVRBackEditor& aSurface, TVXLabelFMX* aDoc)
{
    auto* text = aDoc ? dynamic_cast<TKVRBaseText*>(aDoc->GetTextObject()) : nullptr;
    if (!text)
        return std::nullopt;
    const TKVRDraw& d = *aSurface.fDrw;
    TTextRoad road;
    const auto typeface =
        TSkTypeface::MakeFromName(text->GetFontName(), GetFontStyle(text->GetBold(), text->GetItalic()));
    road.Font = std::make_shared<TSkFont>(typeface, float(text->GetFontHeight() * d.TextFactor * text->GetRatio()),
                                          text->GetScale(), 0.0f);
    TSkFontMetrics m;
    road.Font->GetMetrics(m);
    road.Height = std::fabs(m.Ascent) + std::fabs(m.Descent);
    const float shown = road.Font->MeasureText(text->GetDisplayText(), road.Paint);
    const TKVRPto ref = text->GetPoint(1);
    const TPointF o = DrawTxtPos(ref.DrawX(&d), ref.DrawY(&d), ModelToPixels(*text, text->GetBasePadX(), d.ResolutionX, &d),
                                 ModelToPixels(*text, text->GetBasePadY(), d.ResolutionY, &d), shown, road.Height,
                                 text->GetHorzAlign(), text->GetVertAlign(), text->GetAngle());
    // The canvas is at zoom 1 inside the surface's translation and zoom.
    const double z = aSurface.ZScale() / std::max(aSurface.ScaleFactor, 1);
    road.ToSurface.translate(aSurface.TranslateX(), aSurface.TranslateY());
    road.ToSurface.scale(z, z);
    road.ToSurface.translate(o.X, o.Y);
    road.ToSurface.rotate(TurnDegrees(text->GetAngle()));
    return road;
}
}  // namespace

namespace {
// Where the characters of the text being written stand as its font paints them.
TKVRBidiPlaces PlacesOf(const TTextRoad& aRoad, const QString& aText)
{
    return TKVRBidiPlaces(aText, [&](int32_t k) { return double(aRoad.Font->MeasureText(aText.left(k), aRoad.Paint)); });
}
}  // namespace

QRect TKVRBackEditor::CaretRect() const
{
    const std::optional<TTextRoad> road = TextRoadOf(*this, Document());
    if (!road)
        return {};
    const float x = float(PlacesOf(*road, fDrw->aTxt).CaretX(std::max(fDrw->aPos, 0)));
    return road->ToSurface.mapRect(QRectF(x, 0, 1, road->Height)).toAlignedRect();
}

int32_t TKVRBackEditor::CalcCursorPosFromClick(float x)
{
    TVXLabelFMX* doc = Document();
    const TKVRDraw& d = *fDrw;
    const std::optional<TTextRoad> road = TextRoadOf(*this, doc);
    if (!road || d.aTxt.isEmpty() || doc->GetSelectionCount() < 1)
        return 0;
    const QPointF local = road->ToSurface.inverted().map(QPointF(x, fTextClickPos.y()));
    // The character under the click, as the text paints: in its leading half
    // (the right one of a right-to-left letter) the caret goes before it.
    return PlacesOf(*road, d.aTxt).BoundaryAt(local.x());
}

namespace {
bool IsWordSeparator(QChar c)
{
    switch (c.unicode()) {
    case u'\n': case u'\r': case u' ': case u'!': case u'"': case u'\'': case u'(': case u')': case u',':
    case u'-': case u'.': case u':': case u';': case u'?': case u'[': case u']': case u'{': case u'}':
        return true;
    default:
        return false;
    }
}
}  // namespace

int32_t TKVRBackEditor::FindPrevWordBoundary(const QString& aText, int32_t aPos)
{
    if (aPos < 1)
        return aPos;
    aPos = std::min<int32_t>(aPos, int32_t(aText.size()));
    while (aPos > 0 && IsWordSeparator(aText.at(aPos - 1)))
        --aPos;
    while (aPos > 0 && !IsWordSeparator(aText.at(aPos - 1)))
        --aPos;
    return aPos;
}

int32_t TKVRBackEditor::FindNextWordBoundary(const QString& aText, int32_t aPos)
{
    if (aPos >= aText.size())
        return aPos;
    aPos = std::max(aPos, 0);
    while (aPos < aText.size() && !IsWordSeparator(aText.at(aPos)))
        ++aPos;
    while (aPos < aText.size() && IsWordSeparator(aText.at(aPos)))
        ++aPos;
    return aPos;
}

// The window's shortcuts leave the keys the surface works with to it.
bool TKVRBackEditor::event(QEvent* aEvent)
{
    if (aEvent->type() == QEvent::ShortcutOverride) {
        const auto* k = static_cast<QKeyEvent*>(aEvent);
        const Qt::KeyboardModifiers mods = k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        const int key = k->key();
        const bool ours = key == Qt::Key_Delete || key == Qt::Key_Backspace || key == Qt::Key_Escape ||
                          key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Left ||
                          key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down ||
                          (mods == Qt::ControlModifier && (key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X)) ||
                          (testAttribute(Qt::WA_InputMethodEnabled) && !TypedText(k->text()).isEmpty());
        if (ours) {
            aEvent->accept();
            return true;
        }
    }
    if (aEvent->type() == QEvent::ToolTip) {
        // The rich-text toolbar is painted: its buttons' tips are found by position.
        const auto* help = static_cast<QHelpEvent*>(aEvent);
        const QString tip = ToolbarTip(float(help->pos().x()), float(help->pos().y()));
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(aEvent);
}
