#include "dialogs/KVR.FMX.WholeBox.h"
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

TKVRWholeBox::TKVRWholeBox(QWidget* aParent, const QString& aName) : QAbstractSpinBox(aParent)
{
    setObjectName(aName);
    // Typing follows the value at once, so OK after typing reads what is shown.
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        fHasExact = false;
        Interpret();
    });
    ShowValue();
}

void TKVRWholeBox::setRange(int64_t aMin, int64_t aMax)
{
    fMin = aMin;
    fMax = std::max(aMin, aMax);
    setValue(fValue);
    ShowValue();
}

void TKVRWholeBox::setValue(int64_t aValue)
{
    const int64_t v = std::clamp(aValue, fMin, fMax);
    fHasExact = false;
    const bool changed = v != fValue;
    fValue = v;
    ShowValue();
    if (changed)
        emit valueChanged(fValue);
}

void TKVRWholeBox::SetExact(int64_t aValue)
{
    setValue(aValue);
    fExact = aValue;
    fHasExact = true;
}

int64_t TKVRWholeBox::Exact() const
{
    return fHasExact ? fExact : fValue;
}

void TKVRWholeBox::stepBy(int aSteps)
{
    // Saturates at the bounds instead of wrapping round the 64-bit range.
    const __int128 v = __int128(fValue) + aSteps;
    setValue(int64_t(std::clamp<__int128>(v, fMin, fMax)));
    selectAll();
}

QAbstractSpinBox::StepEnabled TKVRWholeBox::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    StepEnabled out = StepNone;
    if (fValue > fMin)
        out |= StepDownEnabled;
    if (fValue < fMax)
        out |= StepUpEnabled;
    return out;
}

QValidator::State TKVRWholeBox::validate(QString& aInput, int&) const
{
    const QString text = aInput.trimmed();
    if (text.isEmpty() || text == QLatin1String("-") || text == QLatin1String("+"))
        return QValidator::Intermediate;
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok) {
        // Digits beyond the 64-bit range, or not digits at all.
        const QString digits = text.startsWith(u'-') || text.startsWith(u'+') ? text.mid(1) : text;
        const bool allDigits = !digits.isEmpty() && std::all_of(digits.begin(), digits.end(),
                                                                [](QChar c) { return c.isDigit(); });
        return allDigits ? QValidator::Intermediate : QValidator::Invalid;
    }
    return v >= fMin && v <= fMax ? QValidator::Acceptable : QValidator::Intermediate;
}

void TKVRWholeBox::fixup(QString& aInput) const
{
    aInput = QString::number(fValue);
}

void TKVRWholeBox::Interpret()
{
    QString text = lineEdit()->text();
    int pos = 0;
    if (validate(text, pos) != QValidator::Acceptable)
        return;
    const int64_t v = text.trimmed().toLongLong();
    if (v == fValue)
        return;
    fValue = v;
    emit valueChanged(fValue);
}

void TKVRWholeBox::ShowValue()
{
    const QString text = QString::number(fValue);
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

QSize TKVRWholeBox::sizeHint() const
{
    // The base box measures no text of its own values: room for the longest bound.
    QSize hint = QAbstractSpinBox::sizeHint();
    const QFontMetrics fm(fontMetrics());
    const int text = std::max(fm.horizontalAdvance(QString::number(fMin)), fm.horizontalAdvance(QString::number(fMax)));
    hint.rwidth() += text;
    return hint;
}

QSize TKVRWholeBox::minimumSizeHint() const
{
    return sizeHint();
}

void TKVRWholeBox::keyPressEvent(QKeyEvent* aEvent)
{
    // Enter confirms what was typed; the form then sees the key (its default button).
    if (aEvent->key() == Qt::Key_Return || aEvent->key() == Qt::Key_Enter) {
        Interpret();
        ShowValue();
    }
    QAbstractSpinBox::keyPressEvent(aEvent);
}

void TKVRWholeBox::focusOutEvent(QFocusEvent* aEvent)
{
    Interpret();
    ShowValue();
    QAbstractSpinBox::focusOutEvent(aEvent);
}
