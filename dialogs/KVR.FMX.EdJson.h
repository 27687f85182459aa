#pragma once
// A JSON text editor that accepts only a JSON object: the labelling data and
// typed symbol definitions.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TfJsonData : public QDialog
{
    Q_OBJECT

public:
    explicit TfJsonData(QWidget* aOwner = nullptr);

    // Shows aText indented when it is a JSON object; otherwise the memo stays empty.
    void IniDialog(const QString& aText);
    // The memo's JSON written compactly (keys in their order, integers whole);
    // empty when the memo is empty or not a JSON object.
    QString GetJson() const;

    // A JSON object written compactly; empty when aText is not one.
    static QString CompactJson(const QString& aText);

    QPlainTextEdit* MemJson;
    QPushButton* butOK;
    QPushButton* butCancel;
    QPushButton* butFormat;
    QPushButton* butLoad;

    void butFormatClick();
    void butLoadClick();
    void butOKClick();

private:
    // The memo's text with every character as typed: the plain text would
    // turn no-break spaces into blanks and line separators into line ends.
    QString MemoText() const;

    QString fShown;  // the text Ini put in the memo
};
