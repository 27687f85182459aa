#pragma once
// The text-size list that drops down under the rich-text toolbar (a popup
// like the font list).
#include "dialogs/KVR.FMX.DialogKit.h"
#include <QDialog>
#include <functional>

class TfSelSize : public QDialog
{
    Q_OBJECT

public:
    explicit TfSelSize(QWidget* aOwner = nullptr);

    // 4 to 15 mm, nothing selected.
    void LoadSizes();
    // Millimetres; 0 without a selection.
    int32_t GetSelectedSize() const;

    TKVRChoiceList* SizeListBox;
    std::function<void(QObject* Sender)> fOnSizeSelected;

    void SizeListBoxChange();
};
