#pragma once
// The font-family list that drops down under the rich-text toolbar: a
// popup, so Esc or a click outside closes it without a choice.
#include <QDialog>
#include <QStringList>
#include <functional>

class QListWidget;

class TfSelFont : public QDialog
{
    Q_OBJECT

public:
    explicit TfSelFont(QWidget* aOwner = nullptr);

    // Selects the first font; set fOnFontSelected afterwards, so this calls nothing.
    void LoadFonts(const QStringList& aFonts);
    // Empty without a selection.
    QString GetSelectedFont() const;

    QListWidget* FontListBox;
    std::function<void(QObject* Sender)> fOnFontSelected;

    void FontListBoxChange();
};
