#pragma once
// The text-size list that drops down under the rich-text toolbar (a popup
// like the font list).
#include <QDialog>
#include <functional>

class QListWidget;

class TfSelSize : public QDialog
{
    Q_OBJECT

public:
    explicit TfSelSize(QWidget* aOwner = nullptr);

    // 4 to 15 mm, nothing selected.
    void LoadSizes();
    // Millimetres; 0 without a selection.
    int32_t GetSelectedSize() const;

    QListWidget* SizeListBox;
    std::function<void(QObject* Sender)> fOnSizeSelected;

    void SizeListBoxChange();
};
