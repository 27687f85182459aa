#pragma once
// The long-text dialog: a multi-line text edited in a memo.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The memo's text with the line ends of aOriginal: the memo turns CR LF
// into LF, so an unchanged CR LF text must read back as it was.
QString KVRWithLineEndsOf(const QString& aEdited, const QString& aOriginal);

class TfMem : public QDialog
{
    Q_OBJECT

public:
    explicit TfMem(QWidget* aOwner = nullptr);

    // Without aKeepSize the form takes the smaller size of short texts.
    void Ini(const QString& aText, bool aKeepSize);
    // The memo's text in the line ends of the text given to Ini.
    QString GetText() const;

    QPlainTextEdit* MemText;
    QPushButton* butOK;
    QPushButton* butCancel;

    void FormShow();

protected:
    void showEvent(QShowEvent* aEvent) override;

private:
    QString fOriginal;
};
