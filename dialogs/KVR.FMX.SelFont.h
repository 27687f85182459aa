#pragma once
// The font-family list that drops down under the rich-text toolbar: a
// popup, so Esc or a click outside closes it without a choice.
#include "dialogs/KVR.FMX.DialogKit.h"
#include <QDialog>
#include <QStringList>
#include <functional>

class TfSelFont : public QDialog
{
    Q_OBJECT

public:
    explicit TfSelFont(QWidget* aOwner = nullptr);

    // One entry per family: a name the font database gives with its foundry,
    // "C059 [UKWN]", is listed as "C059", once. Selects the first font; set
    // fOnFontSelected afterwards, so this calls nothing.
    void LoadFonts(const QStringList& aFonts);
    // Empty without a selection.
    QString GetSelectedFont() const;

    TKVRChoiceList* FontListBox;
    std::function<void(QObject* Sender)> fOnFontSelected;

    void FontListBoxChange();
};
