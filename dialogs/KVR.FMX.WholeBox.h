#pragma once
// A spin box of whole numbers over the full 64-bit range: counters, sheet
// counts and the drawing scale hold values a 32-bit box cannot show.
#include <QAbstractSpinBox>
#include <cstdint>
#include <limits>

class TKVRWholeBox : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit TKVRWholeBox(QWidget* aParent = nullptr, const QString& aName = {});

    int64_t minimum() const { return fMin; }
    int64_t maximum() const { return fMax; }
    // The value shown is kept within the bounds.
    void setRange(int64_t aMin, int64_t aMax);
    int64_t value() const { return fValue; }
    void setValue(int64_t aValue);

    // The value read from the document, handed back whole while the user
    // leaves the box alone, even beyond the bounds (which it shows clamped):
    // OK without an edit writes back what was read.
    void SetExact(int64_t aValue);
    int64_t Exact() const;

    void stepBy(int aSteps) override;
    QValidator::State validate(QString& aInput, int& aPos) const override;
    void fixup(QString& aInput) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void valueChanged(int64_t aValue);

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* aEvent) override;
    void focusOutEvent(QFocusEvent* aEvent) override;

private:
    // The typed text, when it is a number, becomes the value.
    void Interpret();
    void ShowValue();

    int64_t fMin = std::numeric_limits<int64_t>::min();
    int64_t fMax = std::numeric_limits<int64_t>::max();
    int64_t fValue = 0;
    int64_t fExact = 0;
    bool fHasExact = false;
};
