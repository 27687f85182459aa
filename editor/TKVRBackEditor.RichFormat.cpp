// Formatting a rich text in place: the mark-up edits of the toolbar, of the
// font and size lists and of the keys, and the toolbar itself. Positions are
// plain positions throughout (the caret, the selection and aTxt).
#include "document/KVR.FMX.Openers.h"
#include "document/KVR.FMX.FontNames.h"
#include "document/KVR.FMX.h"
#include "editor/TKVRBackEditor.h"
#include "editor/TKVRBaseEditor.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include "platform/rtl/text/KVR.RichTextEdit.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "platform/skia/TSkCanvas.h"
#include "platform/skia/TSkFont.h"
#include "platform/skia/TSkPaint.h"
#include "render/TKVRDraw.h"
#include <algorithm>
#include <array>

using namespace KVRShift;

namespace {
constexpr float kBarWidth = 304, kBarHeight = 30, kBarGap = 4, kButtonStep = 30, kButtonWidth = 26,
                kButtonHeight = 22;
constexpr std::array<const char16_t*, 10> kCaptions = {u"...", u"B", u"I", u"U", u"aBc",
                                                       u"Size", u"Clr", u"L", u"C", u"R"};
enum TButton : int32_t { bDialog, bBold, bItalic, bUnderline, bFont, bSize, bColor, bLeft, bCenter, bRight };
constexpr uint16_t kBackspace = 8, kEnter = 13, kDelete = 46;

void Ordered(const TKVRDraw& d, int32_t& aLo, int32_t& aHi)
{
    aLo = std::min(d.aSelStart, d.aSelEnd);
    aHi = std::max(d.aSelStart, d.aSelEnd);
}

// Characters a key takes before or after the caret: a surrogate pair is one.
int32_t StepBack(const QString& aText, int32_t aPos)
{
    return aPos >= 2 && aText.at(aPos - 1).isLowSurrogate() && aText.at(aPos - 2).isHighSurrogate() ? 2 : 1;
}
int32_t StepOn(const QString& aText, int32_t aPos)
{
    return aPos + 1 < aText.size() && aText.at(aPos).isHighSurrogate() && aText.at(aPos + 1).isLowSurrogate() ? 2 : 1;
}
}  // namespace

// ---------------------------------------------------------------- the element and the document

TKVRBaseRichText* TKVRBackEditor::SelectedRichText() const
{
    TVXLabelFMX* doc = Document();
    TKVRBaseItem* item = doc ? doc->Select() : nullptr;
    return item && item->GetKind() == KVRItemKind::RichText ? dynamic_cast<TKVRBaseRichText*>(item) : nullptr;
}

TKVRBaseRichText* TKVRBackEditor::EditedRichText() const
{
    TVXLabelFMX* doc = Document();
    TKVRBaseItem* item = doc ? doc->GetTextObject() : nullptr;
    return item && item->GetKind() == KVRItemKind::RichText ? dynamic_cast<TKVRBaseRichText*>(item) : nullptr;
}

bool TKVRBackEditor::StoreRichText(TKVRBaseRichText* aRich, const QString& aMarkup)
{
    TVXLabelFMX* doc = Document();
    if (!doc || !aRich || !doc->GetEditable())
        return false;
    doc->BeginUpdate(true);
    aRich->SetRichTextValue(aMarkup);
    doc->SetModified(true);
    doc->EndUpdate();
    return true;
}

void TKVRBackEditor::RichTextChanged(TKVRBaseRichText* aRich)
{
    TVXLabelFMX* doc = Document();
    // Only the text in editing has a caret and an edited text to follow.
    if (doc && doc->GetTextObject() == aRich) {
        fDrw->aTxt = aRich->GetPlainText();
        doc->UpdateEditing(true);
    }
    update();
}

// ---------------------------------------------------------------- mark-up edits

bool TKVRBackEditor::ApplyRichTextFormat(TKVRBaseRichText* aRich, int32_t aStart, int32_t aEnd, const QString& aOpen,
                                         const QString& aClose)
{
    if (!aRich)
        return false;
    QString markup = aRich->GetRichText();
    return ToggleRichTextPair(markup, aStart, aEnd, aOpen, aClose) && StoreRichText(aRich, markup);
}

bool TKVRBackEditor::ApplyRichTextColorFormat(TKVRBaseRichText* aRich, int32_t aStart, int32_t aEnd,
                                              const QString& aName, TAlphaColor aColor)
{
    // The mark-up knows one colour tag.
    if (!aRich || aName.compare(u"FC", Qt::CaseInsensitive) != 0)
        return false;
    QString markup = aRich->GetRichText();
    return ApplyRichTextColorPair(markup, aStart, aEnd, aColor) && StoreRichText(aRich, markup);
}

bool TKVRBackEditor::ApplyRichTextAlignment(TKVRBaseRichText* aRich, int32_t aCaret, TKVRHorzAlign aAlign)
{
    if (!aRich)
        return false;
    QString markup = aRich->GetRichText();
    return ApplyRichTextParagraphAlign(markup, aCaret, int32_t(aAlign)) && StoreRichText(aRich, markup);
}

bool TKVRBackEditor::ReplaceEditedRichText(int32_t aStart, int32_t aEnd, const QString& aInsert, int32_t aCaret)
{
    TKVRBaseRichText* rich = EditedRichText();
    if (!rich)
        return false;
    QString markup = rich->GetRichText();
    if (!ReplaceRichTextRange(markup, aStart, aEnd, aInsert)) {
        fRichTextRefusal = TKVRMsg::GetErrorValue(QStringLiteral("RichTextTag"));
        update();
        return false;
    }
    // A character typed over itself leaves the mark-up as it was, but the
    // caret still moves past it.
    if (markup != rich->GetRichText() && !StoreRichText(rich, markup))
        return false;
    TKVRDraw& d = *fDrw;
    d.aPos = aCaret;
    d.aSelStart = d.aSelEnd = 0;
    RichTextChanged(rich);
    return true;
}

namespace {
// The selection of the edited text, else the caret as an empty range, within
// the plain text.
void EditRange(const TKVRDraw& d, const QString& aPlain, int32_t& aLo, int32_t& aHi)
{
    Ordered(d, aLo, aHi);
    if (aLo == aHi)
        aLo = aHi = d.aPos;
    aLo = std::clamp(aLo, 0, int32_t(aPlain.size()));
    aHi = std::clamp(aHi, 0, int32_t(aPlain.size()));
}
}  // namespace

void TKVRBackEditor::InsertLineBreak()
{
    TKVRBaseRichText* rich = EditedRichText();
    if (!rich)
        return;
    int32_t lo, hi;
    EditRange(*fDrw, rich->GetPlainText(), lo, hi);
    ReplaceEditedRichText(lo, hi, QStringLiteral("\n"), lo + 1);
}

bool TKVRBackEditor::TypeRichText(const QString& aText)
{
    TKVRBaseRichText* rich = EditedRichText();
    if (!rich)
        return false;
    // Line ends of every platform are one line break.
    QString text = aText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    int32_t lo, hi;
    EditRange(*fDrw, rich->GetPlainText(), lo, hi);
    ReplaceEditedRichText(lo, hi, text, lo + int32_t(text.size()));
    return true;
}


bool TKVRBackEditor::RichTextKey(uint16_t aKey, TShiftState aShift)
{
    TKVRBaseRichText* rich = EditedRichText();
    if ((aKey != kBackspace && aKey != kDelete && aKey != kEnter) || (aShift & (ssCtrl | ssAlt)) || !rich)
        return false;
    if (aKey == kEnter) {
        InsertLineBreak();
        return true;
    }
    const QString text = rich->GetPlainText();
    int32_t lo, hi;
    EditRange(*fDrw, text, lo, hi);
    if (lo == hi) {
        // Backspace takes the character before the caret, Delete the next one.
        if (aKey == kBackspace && lo > 0)
            lo -= StepBack(text, lo);
        else if (aKey == kDelete && hi < text.size())
            hi += StepOn(text, hi);
        else
            return true;
    }
    ReplaceEditedRichText(lo, hi, QString(), lo);
    return true;
}

void TKVRBackEditor::ApplyFontNameToSelection(const QString& aName)
{
    TKVRBaseRichText* rich = SelectedRichText();
    int32_t lo, hi;
    Ordered(*fDrw, lo, hi);
    if (rich && lo != hi && !aName.trimmed().isEmpty() &&
        ApplyRichTextFormat(rich, lo, hi, RichTextFontNameTag(aName.trimmed()), QStringLiteral("</FN>")))
        RichTextChanged(rich);
}

void TKVRBackEditor::ApplySizeToSelection(int32_t aMillimetres)
{
    TKVRBaseRichText* rich = SelectedRichText();
    int32_t lo, hi;
    Ordered(*fDrw, lo, hi);
    // A size the tag cannot hold is no size.
    if (rich && lo != hi && aMillimetres >= 1 && aMillimetres <= INT32_MAX / 1000 &&
        ApplyRichTextFormat(rich, lo, hi, RichTextSizeTag(aMillimetres * 1000), QStringLiteral("</FS>")))
        RichTextChanged(rich);
}

// ---------------------------------------------------------------- the font and size lists

void TKVRBackEditor::FontFormSelected(const QString& aName)
{
    if (!aName.isEmpty())
        ApplyFontNameToSelection(aName);
}

void TKVRBackEditor::SizeFormSelected(int32_t aMillimetres)
{
    if (aMillimetres >= 1)
        ApplySizeToSelection(aMillimetres);
}

namespace {
// The screen point under a toolbar button's lower-left corner, or the
// surface's corner when that button was not painted.
QPoint ListPoint(const QWidget& aSurface, const std::vector<TRectF>& aRects, size_t aButton)
{
    const QPointF local = aRects.size() > aButton ? QPointF(aRects[aButton].Left, aRects[aButton].Bottom) : QPointF();
    return aSurface.mapToGlobal(local).toPoint();
}
}  // namespace

void TKVRBackEditor::ShowFontCombo()
{
    TVXLabelFMX* doc = Document();
    const auto& open = KVRLabelOpeners().SelectFontName;
    if (!doc || !open)
        return;
    open(KVRDialogFonts(doc, this), ListPoint(*this, fToolbarRects, bFont), [this](const QString& aName) { FontFormSelected(aName); });
}

void TKVRBackEditor::ShowSizePopup()
{
    const auto& open = KVRLabelOpeners().SelectTextSize;
    if (!Document() || !open)
        return;
    open(ListPoint(*this, fToolbarRects, bSize), [this](int32_t aSize) { SizeFormSelected(aSize); });
}

// ---------------------------------------------------------------- the toolbar

void TKVRBackEditor::DrawRichTextToolbar(TSkCanvas& aCanvas)
{
    fToolbarVisible = false;
    fToolbarRects.clear();
    TKVRBaseRichText* rich = SelectedRichText();
    if (!rich || !fEditor->GetOptions().testFlag(eoRichText))
        return;
    const TKVRPto p1 = rich->GetPoint(1), p2 = rich->GetPoint(2);
    // Above the element; under it when there is no room above; always inside the surface.
    float x = float(ScreenMMX(std::min(p1.X, p2.X)));
    float y = float(ScreenMMY(std::min(p1.Y, p2.Y))) - kBarHeight - kBarGap;
    if (x < 0)
        x = 0;
    if (float(width()) < x + kBarWidth)
        x = float(width()) - kBarWidth;
    if (y < 0)
        y = float(ScreenMMY(std::max(p1.Y, p2.Y))) + kBarGap;
    if (float(height()) < y + kBarHeight)
        y = float(height()) - kBarHeight;

    auto paint = std::make_shared<TSkPaint>();
    paint->SetAntiAlias(true);
    const auto fill = [&](TAlphaColor aColor) {
        paint->SetStyle(TSkPaintStyle::Fill);
        paint->SetColor(aColor);
    };
    const auto stroke = [&](TAlphaColor aColor) {
        paint->SetStyle(TSkPaintStyle::Stroke);
        paint->SetStrokeWidth(1);
        paint->SetColor(aColor);
    };
    const TRectF bar(x, y, x + kBarWidth, y + kBarHeight);
    fill(0xF0F0F0FF);
    aCanvas.DrawRoundRect(bar, 4, 4, paint);
    stroke(0xFFC0C0C0);
    aCanvas.DrawRoundRect(bar, 4, 4, paint);

    const auto font = std::make_shared<TSkFont>(TSkTypeface::MakeDefault(), 11.0f, 1.0f, 0.0f);
    for (size_t i = 0; i < kCaptions.size(); ++i) {
        const float left = x + kButtonStep * float(i) + kBarGap, top = y + kBarGap;
        const TRectF button(left, top, left + kButtonWidth, top + kButtonHeight);
        fToolbarRects.push_back(button);
        fill(0xFFFFFFFF);
        aCanvas.DrawRoundRect(button, 3, 3, paint);
        stroke(0xFF808080);
        aCanvas.DrawRoundRect(button, 3, 3, paint);
        fill(0xFF000000);
        const QString caption = QString::fromUtf16(kCaptions[i]);
        aCanvas.DrawSimpleText(caption, left + kButtonWidth / 2 - font->MeasureText(caption, paint) / 2, top + 16, font,
                               paint);
    }
    fToolbarVisible = true;
}

void TKVRBackEditor::DrawRichTextRefusal(TSkCanvas& aCanvas)
{
    TKVRBaseRichText* rich = EditedRichText();
    if (!rich)
        fRichTextRefusal.clear();
    fRichTextRefusalRect = TRectF();
    if (fRichTextRefusal.isEmpty())
        return;
    const auto font = std::make_shared<TSkFont>(TSkTypeface::MakeDefault(), 11.0f, 1.0f, 0.0f);
    auto paint = std::make_shared<TSkPaint>();
    paint->SetAntiAlias(true);
    const float w = font->MeasureText(fRichTextRefusal, paint) + 2 * kBarGap, h = kButtonHeight;
    // Under the text, above it when there is no room under it; inside the surface.
    const TKVRPto p1 = rich->GetPoint(1), p2 = rich->GetPoint(2);
    float x = std::max(0.0f, float(ScreenMMX(std::min(p1.X, p2.X))));
    float y = float(ScreenMMY(std::max(p1.Y, p2.Y))) + kBarGap;
    if (float(height()) < y + h)
        y = std::max(0.0f, float(ScreenMMY(std::min(p1.Y, p2.Y))) - h - kBarGap);
    if (float(width()) < x + w)
        x = std::max(0.0f, float(width()) - w);
    fRichTextRefusalRect = TRectF(x, y, x + w, y + h);
    paint->SetStyle(TSkPaintStyle::Fill);
    paint->SetColor(0xFFFFF4CC);
    aCanvas.DrawRoundRect(fRichTextRefusalRect, 3, 3, paint);
    paint->SetStyle(TSkPaintStyle::Stroke);
    paint->SetStrokeWidth(1);
    paint->SetColor(0xFFC62828);
    aCanvas.DrawRoundRect(fRichTextRefusalRect, 3, 3, paint);
    paint->SetStyle(TSkPaintStyle::Fill);
    aCanvas.DrawSimpleText(fRichTextRefusal, x + kBarGap, y + 15, font, paint);
}

QString TKVRBackEditor::ToolbarTip(float x, float y) const
{
    // The property each button sets, by its key in the property texts.
    static constexpr std::array<const char16_t*, kCaptions.size()> kTips = {
        nullptr, u"Bold", u"Italic", u"Underline", u"FontName", u"FontHeight", u"FontColor", nullptr, nullptr, nullptr};
    if (!fToolbarVisible || !Document())
        return QString();
    for (size_t i = 0; i < fToolbarRects.size() && i < kTips.size(); ++i) {
        const TRectF& r = fToolbarRects[i];
        if (r.Left <= x && x <= r.Right && r.Top <= y && y <= r.Bottom)
            return kTips[i] ? TKVRMsg::GetPropValue(QString::fromUtf16(kTips[i])) : QString();
    }
    return QString();
}

bool TKVRBackEditor::HandleToolbarClick(float x, float y)
{
    TVXLabelFMX* doc = Document();
    // A detached label has no toolbar, whatever the last paint showed.
    if (!doc) {
        fToolbarVisible = false;
        return false;
    }
    if (!fToolbarVisible)
        return false;
    const auto hit = std::find_if(fToolbarRects.begin(), fToolbarRects.end(), [&](const TRectF& r) {
        return r.Left <= x && x <= r.Right && r.Top <= y && y <= r.Bottom;
    });
    if (hit == fToolbarRects.end())
        return false;
    TKVRBaseRichText* rich = SelectedRichText();
    if (!rich)
        return true;
    const TKVRDraw& d = *fDrw;
    int32_t lo, hi;
    Ordered(d, lo, hi);
    static const std::array<std::pair<const char16_t*, const char16_t*>, 3> pairs = {
        {{u"<B>", u"</B>"}, {u"<I>", u"</I>"}, {u"<U>", u"</U>"}}};
    const auto button = int32_t(hit - fToolbarRects.begin());
    switch (button) {
    case bDialog:
        doc->DoDblClick();
        break;
    case bBold:
    case bItalic:
    case bUnderline: {
        const auto& pair = pairs[size_t(button - bBold)];
        if (ApplyRichTextFormat(rich, lo, hi, QString::fromUtf16(pair.first), QString::fromUtf16(pair.second)))
            RichTextChanged(rich);
        break;
    }
    case bFont:
        lo != hi ? ShowFontCombo() : doc->DoDblClick();
        break;
    case bSize:
        lo != hi ? ShowSizePopup() : doc->DoDblClick();
        break;
    case bColor: {
        const auto& select = KVRLabelOpeners().SelectColor;
        if (lo == hi || !select)
            break;
        // The dialog starts from the colour the selection begins with.
        uint32_t color = rich->GetFontColor();
        int32_t segment = 0, offset = 0;
        if (rich->GetSegmentAtPlainPos(lo, segment, offset)) {
            const int32_t format = rich->GetDrawSegments()[size_t(segment)].FormatIndex;
            if (format >= 0 && size_t(format) < rich->GetFormats().size())
                color = rich->GetFormats()[size_t(format)].Color;
        }
        if (select(color) && ApplyRichTextColorFormat(rich, lo, hi, QStringLiteral("FC"), color))
            RichTextChanged(rich);
        break;
    }
    default:
        if (ApplyRichTextAlignment(rich, d.aPos, TKVRHorzAlign(button - bLeft)))
            RichTextChanged(rich);
        break;
    }
    update();
    return true;
}
