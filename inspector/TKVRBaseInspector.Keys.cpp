// Keys into the grid's own painted box: caret moves, typed characters, the
// steps of number boxes and their spin repeat, Alt codes and pasting. Every
// accepted key is sent to the document at once; Return only closes.
//
// Number boxes show FormatFloat's point whatever the locale and read their
// text with the C locale: nothing here goes through the system's locale.
#include "document/KVR.FMX.h"
#include "inspector/TKVRBaseInspector.h"
#include "inspector/TKVRInspectorRows.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/codes/KVR.Barcode.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/text/KVR.FormatFloat.h"
#include "platform/rtl/text/TXTUtils.h"
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QTimer>
#include <cmath>

using namespace KVRInspectorRows;

namespace {

// The box's text as a number; group separators are shown by some formats.
bool ReadNumber(QString aText, double& aValue)
{
    bool ok = false;
    aValue = QLocale::c().toDouble(aText.remove(QLatin1Char(',')), &ok);
    return ok && std::isfinite(aValue);
}

// The document's reply read back from micrometres may differ in the last bits.
bool SameNumber(double aReply, double aTyped)
{
    return std::abs(aReply - aTyped) <= 1e-9 * std::max(1.0, std::abs(aTyped));
}

// Text a plain text box takes: any printable character (one code point,
// maybe two UTF-16 halves); the element holds whatever it is given.
bool IsTypedText(const QString& aText)
{
    return !aText.isEmpty() && QChar::isPrint(aText.toUcs4().front());
}

// A number's digits without a leading zero before another digit ("05" is 5,
// "-05" is -5, "0.5" stays); aCaret follows.
QString WithoutLeadingZero(QString aText, int32_t& aCaret)
{
    const qsizetype at = aText.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (aText.size() > at + 1 && aText.at(at) == QLatin1Char('0') && aText.at(at + 1).isDigit()) {
        aText.remove(at, 1);
        if (aCaret > at)
            --aCaret;
    }
    return aText;
}

}  // namespace

// ---------------------------------------------------------------- Qt's events

void TKVRBaseInspector::keyPressEvent(QKeyEvent* aEvent)
{
    const Qt::KeyboardModifiers mods = aEvent->modifiers();
    const QString text = aEvent->text();
    // Printable text without Ctrl or Alt is typed; everything else is a key
    // (the scroll area's own arrow-key scrolling is not wanted).
    if (IsTypedText(text) && !(mods & (Qt::ControlModifier | Qt::AltModifier)))
        for (const QChar c : text)
            KDown(0, c, mods);
    else
        KDown(aEvent->key(), QChar(), mods);
    aEvent->accept();
}

void TKVRBaseInspector::keyReleaseEvent(QKeyEvent* aEvent)
{
    KUp(aEvent->key(), QChar(), aEvent->modifiers());
    aEvent->accept();
}

void TKVRBaseInspector::inputMethodEvent(QInputMethodEvent* aEvent)
{
    for (const QChar c : aEvent->commitString())
        KDown(0, c, {});
    aEvent->accept();
}

// ---------------------------------------------------------------- keys

void TKVRBaseInspector::KDown(int aKey, QChar aKeyChar, Qt::KeyboardModifiers aShift)
{
    if (!fEdit.Active)
        return;
    const bool number = IsNumberBoxOpen();
    if (aKey == 0) {
        if (number) {
            TypeNumber(aKeyChar);
            return;
        }
        // A character beyond the BMP comes in two halves: it is typed whole.
        if (aKeyChar.isHighSurrogate()) {
            fHighSurrogate = aKeyChar;
            return;
        }
        QString typed(aKeyChar);
        if (aKeyChar.isLowSurrogate())
            typed.prepend(fHighSurrogate);
        fHighSurrogate = QChar();
        // The barcode's symbology has its own characters.
        if ((fJsonA[size_t(fEdit.Row)].value(Key("Prop", fEdit.Part), 0) & 0xFF) == KVRInsProp::BarValue
                ? !KeyBarcodeValid(aKeyChar)
                : !IsTypedText(typed))
            return;
        if (fEdit.SelectAll)
            SetEditText(typed, int32_t(typed.size()));
        else
            SetEditText(QString(fEdit.Text).insert(std::clamp<qsizetype>(fEdit.CursorPos, 0, fEdit.Text.size()), typed),
                        fEdit.CursorPos + int32_t(typed.size()));
        return;
    }
    switch (aKey) {
    case Qt::Key_Up:
        if (number)
            IncValue();
        return;
    case Qt::Key_Down:
        if (number)
            DecValue();
        return;
    case Qt::Key_Left:
        if (fEdit.CursorPos > 0) {
            --fEdit.CursorPos;
            fEdit.SelectAll = false;
            DrawEdit();
        }
        return;
    case Qt::Key_Right:
        if (fEdit.CursorPos < fEdit.Text.size())
            ++fEdit.CursorPos;
        else if (number)
            return;
        fEdit.SelectAll = false;
        DrawEdit();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: CloseEdit(); return;
    case Qt::Key_Backspace: {
        if (fEdit.Text.isEmpty())
            return;
        if (fEdit.SelectAll) {
            fEdit.SelectAll = false;
            // A cleared number box shows "0" with the caret behind it, so
            // that the next digit replaces it.
            if (number)
                SendTypedNumber(QStringLiteral("0"), 1);
            else
                SetEditText(QString(), 0);
            return;
        }
        QString text = fEdit.Text;
        if (!TXTUtils::DeleteCharPos(text, fEdit.CursorPos, fEdit.InputType))
            return;
        // Two halves of one character go together.
        const int32_t caret = fEdit.CursorPos - int32_t(fEdit.Text.size() - text.size());
        if (!number)
            SetEditText(text, caret);
        else if (text.isEmpty())
            SendTypedNumber(QStringLiteral("0"), 1);
        else
            SendTypedNumber(text, caret);
        return;
    }
    default: break;
    }
    if (number)
        return;
    if (aKey == Qt::Key_V && (aShift & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        PasteFromClipBoard();
        return;
    }
    if (aShift & Qt::AltModifier) {
        if (!fAltActive) {
            fAltActive = true;
            fAltCode.clear();
        }
        if ((aShift & Qt::KeypadModifier) && aKey >= Qt::Key_0 && aKey <= Qt::Key_9)
            fAltCode += QChar('0' + (aKey - Qt::Key_0));
    }
}

void TKVRBaseInspector::KUp(int, QChar, Qt::KeyboardModifiers aShift)
{
    if (!fEdit.Active || IsNumberBoxOpen() || !fAltActive || (aShift & Qt::AltModifier))
        return;
    fAltActive = false;
    const QString code = fAltCode;
    fAltCode.clear();
    bool ok = false;
    const uint32_t number = code.toUInt(&ok);
    if (!ok)
        return;
    // Only the low 16 bits name the character; Linux sends no character of
    // its own after the sequence, so nothing is swallowed afterwards.
    const QChar c(char16_t(number & 0xFFFF));
    if (fEdit.SelectAll)
        SetEditText(QString(c), 1);
    else
        SetEditText(QString(fEdit.Text).insert(std::clamp<qsizetype>(fEdit.CursorPos, 0, fEdit.Text.size()), c),
                    fEdit.CursorPos + 1);
}

void TKVRBaseInspector::SetEditText(const QString& aText, int32_t aCursorPos)
{
    const TPartId id = PartId(fEdit.Row, fEdit.Part);
    fEdit.Text = aText;
    fEdit.CursorPos = std::clamp<int32_t>(aCursorPos, 0, int32_t(aText.size()));
    fEdit.SelectAll = false;
    SendValue(id, "txt", aText.toStdString());
    DrawEdit();
}

bool TKVRBaseInspector::KeyBarcodeValid(QChar aKeyChar) const
{
    if (aKeyChar == QChar(8) || !fBaseLab)
        return false;
    // One barcode selected: with several, whose symbology would it be?
    const auto* code = dynamic_cast<const TKVRBarcodeIntf*>(fBaseLab->Select());
    return code && TBarcode::IsValidKey(code->GetBarType(), aKeyChar);
}

void TKVRBaseInspector::PasteFromClipBoard()
{
    if (!fEdit.Active || fEdit.InputType != KVRInputType::Text)
        return;
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QString text = clipboard ? clipboard->text() : QString();
    if (text.isEmpty())
        return;
    if (fEdit.SelectAll)
        SetEditText(text, int32_t(text.size()));
    else
        SetEditText(QString(fEdit.Text).insert(std::clamp<qsizetype>(fEdit.CursorPos, 0, fEdit.Text.size()), text),
                    fEdit.CursorPos + int32_t(text.size()));
}

// ---------------------------------------------------------------- numbers

void TKVRBaseInspector::TypeNumber(QChar aKeyChar)
{
    const bool decimal = fEdit.InputType == KVRInputType::Decimal;
    const bool point = aKeyChar == QLatin1Char(',') || aKeyChar == QLatin1Char('.');
    if (aKeyChar == QLatin1Char('-')) {
        TypeMinus();
        return;
    }
    if (point && !decimal)
        return;
    const qsizetype shownPoint = fEdit.Text.indexOf(QLatin1Char('.'));
    if (point && shownPoint >= 0) {
        // A point shown: the key only puts the caret behind it.
        fEdit.CursorPos = int32_t(shownPoint + 1);
        fEdit.SelectAll = false;
        DrawEdit();
        return;
    }
    if (!point && (!aKeyChar.isDigit() || aKeyChar.unicode() > '9'))
        return;
    QString text;
    int32_t caret = fEdit.CursorPos + 1;
    if (point) {
        // A whole number shows no point: it goes in at the caret, so that
        // "3,5" and "3.5" both type 3.5.
        const qsizetype at = std::clamp<qsizetype>(fEdit.CursorPos, 0, fEdit.Text.size());
        text = fEdit.SelectAll ? QStringLiteral("0.") : QString(fEdit.Text).insert(at, QLatin1Char('.'));
        caret = fEdit.SelectAll ? 2 : int32_t(at + 1);
    } else if (fEdit.SelectAll) {
        text = QString(aKeyChar);
        caret = 1;
    } else if (aKeyChar == QLatin1Char('0') && fEdit.CursorPos == 0) {
        // A leading zero adds nothing: the integer box ignores it, the
        // decimal box sends its value again.
        if (!decimal)
            return;
        text = fEdit.Text.isEmpty() ? QStringLiteral("0") : fEdit.Text;
        caret = 0;
    } else if (fEdit.CursorPos == 0 && fEdit.Text.startsWith(QLatin1Char('0'))) {
        // "0.50" with the caret in front: the digit takes the zero's place.
        text = QString(aKeyChar) + fEdit.Text.mid(1);
        caret = 1;
    } else
        text = QString(fEdit.Text).insert(std::clamp<qsizetype>(fEdit.CursorPos, 0, fEdit.Text.size()), aKeyChar);
    double exact = 0;
    if (!ReadNumber(text, exact))
        return;
    if (point && exact == fEdit.Value) {
        // "3." is still 3: nothing to send yet.
        fEdit.SelectAll = false;
        fEdit.Text = text;
        fEdit.CursorPos = caret;
        DrawEdit();
        return;
    }
    SendTypedNumber(text, caret);
}

void TKVRBaseInspector::TypeMinus()
{
    // Only a range that reaches below zero (or has no bounds) takes a sign.
    if (fEdit.MaxValue > fEdit.MinValue && fEdit.MinValue >= 0)
        return;
    if (fEdit.SelectAll || fEdit.Text.isEmpty() || fEdit.Text == QLatin1String("0")) {
        // A sign alone is no number yet: shown, not sent.
        fEdit.SelectAll = false;
        fEdit.Text = QStringLiteral("-");
        fEdit.CursorPos = 1;
        DrawEdit();
        return;
    }
    if (fEdit.CursorPos != 0 || fEdit.Text.startsWith(QLatin1Char('-')))
        return;
    SendTypedNumber(QLatin1Char('-') + fEdit.Text, 1);
}

void TKVRBaseInspector::SendTypedNumber(const QString& aText, int32_t aCursorPos)
{
    int32_t caret = aCursorPos;
    const QString text = WithoutLeadingZero(aText, caret);
    fEdit.SelectAll = false;
    double exact = 0;
    if (!ReadNumber(text, exact)) {
        // "-" or "" on the way to a number: shown, nothing sent.
        fEdit.Text = text;
        fEdit.CursorPos = std::clamp<int32_t>(caret, 0, int32_t(text.size()));
        DrawEdit();
        return;
    }
    const bool decimal = fEdit.InputType == KVRInputType::Decimal;
    const double typed = decimal ? RoundHalfEven(exact * 1000.0) / 1000.0 : RoundHalfEven(exact);
    fEdit.Value = typed;
    // Short of a minimum above zero, more digits may still reach it: the
    // typed text stays while the document gets the minimum.
    const bool below = fEdit.MaxValue > fEdit.MinValue && typed < fEdit.MinValue && typed >= 0;
    UpdateNumberProp(false);
    if (!fEdit.Active)
        return;
    if (below) {
        fEdit.Text = text;
        fEdit.Value = typed;
    } else if (SameNumber(fEdit.Value, exact))
        // The document took what was typed: its digits stay as typed ("3.0"
        // and "3.50" keep their zeros, so the next digit lands where typed).
        fEdit.Text = text;
    fEdit.CursorPos = std::clamp<int32_t>(caret, 0, int32_t(fEdit.Text.size()));
    DrawEdit();
}

void TKVRBaseInspector::UpdateNumberProp(bool aZero)
{
    if (!IsNumberBoxOpen() || fEdit.Row < 0 || fEdit.Row >= int32_t(fJsonA.size()))
        return;
    const TPartId id = PartId(fEdit.Row, fEdit.Part);
    const bool decimal = fEdit.InputType == KVRInputType::Decimal;
    double value = fEdit.Value;
    if (fEdit.MaxValue > fEdit.MinValue)
        value = std::clamp(value, fEdit.MinValue, fEdit.MaxValue);
    const char* key = decimal ? "ext" : "int";
    // The send may rebuild the rows: the notification keeps the box over
    // its part (or closes it); the box's own state is kept here.
    const TDataEdit edit = fEdit;
    RestorePoints();
    if (fEdit.Active && decimal)
        SendValue(id, key, value);
    else if (fEdit.Active)
        SendValue(id, key, int64_t(RoundHalfEven(value)));
    if (!fEdit.Active) {
        CloseEdit();
        return;
    }
    const int32_t row = fEdit.Row, part = fEdit.Part, top = fEdit.Top;
    fEdit = edit;
    fEdit.Row = row;
    fEdit.Part = part;
    fEdit.Top = top;
    const TJsonObject& shown = PartValue(fJsonA[size_t(row)], "Value", part);
    // Put in order, the value sent may stand in the other point's row: the
    // box still holds it.
    fEdit.Value = shown.is_number() && !PointTook(value) ? shown.get<double>() : value;
    fEdit.Text = aZero ? QStringLiteral("0") : NumberText(fEdit.Value);
    fEdit.CursorPos = std::min<int32_t>(fEdit.CursorPos, int32_t(fEdit.Text.size()));
    DrawEdit();
}

void TKVRBaseInspector::KeepPoints()
{
    fKept.clear();
    if (!IsNumberBoxOpen() || fEdit.Row < 0 || fEdit.Row >= int32_t(fJsonA.size()))
        return;
    auto isPoints = [](const TJsonObject& aRow) {
        return aRow.value("Kind", -1) == 0 && aRow.value("Type", -1) == int(KVRInsTypeBase::Points);
    };
    if (!isPoints(fJsonA[size_t(fEdit.Row)]))
        return;
    for (int32_t r = 0; r < int32_t(fJsonA.size()); ++r) {
        const TJsonObject& row = fJsonA[size_t(r)];
        if (!isPoints(row))
            continue;
        for (int32_t j = 1; j <= row.value("N", 0); ++j) {
            const TJsonObject& value = PartValue(row, "Value", j);
            // Laid-out points follow the others.
            if ((r != fEdit.Row || j != fEdit.Part) && value.is_number() && !row.value(Key("RO", j), false) &&
                (row.value(Key("Prop", j), 0) & 0xFF) == KVRInsProp::Number)
                fKept.push_back({PartId(r, j), j, value.get<double>()});
        }
    }
}

void TKVRBaseInspector::RestorePoints()
{
    for (const TKeptValue& k : fKept) {
        const TJsonObject shown = ShownValue(k.Id);
        if (fEdit.Active && shown.is_number() && shown.get<double>() != k.Value)
            SendValue(k.Id, "ext", k.Value);
    }
}

bool TKVRBaseInspector::PointTook(double aValue) const
{
    return std::any_of(fKept.begin(), fKept.end(), [&](const TKeptValue& k) {
        const TJsonObject shown = ShownValue(k.Id);
        return k.Part == fEdit.Part && shown.is_number() && SameNumber(shown.get<double>(), aValue);
    });
}

void TKVRBaseInspector::IncValue()
{
    if (IsNumberBoxOpen() && fEdit.Value + fEdit.Step <= fEdit.MaxValue) {
        fEdit.Value += fEdit.Step;
        UpdateNumberProp(false);
    }
}

void TKVRBaseInspector::DecValue()
{
    if (IsNumberBoxOpen() && fEdit.Value - fEdit.Step >= fEdit.MinValue) {
        fEdit.Value -= fEdit.Step;
        UpdateNumberProp(false);
    }
}

void TKVRBaseInspector::IniTimer(int32_t aType)
{
    fTimer->stop();
    fTypeTimer = aType;
    fTimer->start(100);
}

void TKVRBaseInspector::OnTimer()
{
    // A closed box has nothing to step.
    if (!IsNumberBoxOpen()) {
        fTimer->stop();
        return;
    }
    if (fTypeTimer == 0)
        IncValue();
    else if (fTypeTimer == 1)
        DecValue();
}

bool TKVRBaseInspector::IsTimerActive() const
{
    return fTimer->isActive();
}

bool TKVRBaseInspector::IsNumberBoxOpen() const
{
    return fEdit.Active && (fEdit.InputType == KVRInputType::Decimal || fEdit.InputType == KVRInputType::Integer);
}
