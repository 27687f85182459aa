#pragma once
// The long-text dialog: a multi-line text edited in a memo.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The memo's raw text (lines apart by U+2029, every other character as
// typed) as a text in the line ends of aOriginal: lines kept from its start
// or its end keep their own line ends, new lines take its commonest one.
QString KVRWithLineEndsOf(const QString& aRaw, const QString& aOriginal);

class TfMem : public QDialog
{
    Q_OBJECT

public:
    explicit TfMem(QWidget* aOwner = nullptr);

    // Without aKeepSize the form takes the smaller size of short texts.
    void Ini(const QString& aText, bool aKeepSize);
    // The text given to Ini when the memo is unchanged; else the memo's
    // text, every character kept, in that text's line ends.
    QString GetText() const;

    QPlainTextEdit* MemText;
    QPushButton* butOK;
    QPushButton* butCancel;

    void FormShow();

protected:
    void showEvent(QShowEvent* aEvent) override;

private:
    QString fOriginal;
    QString fShown;  // the memo's raw text as Ini left it
};
