#pragma once
// Message, confirmation and input boxes and file choices. Every dialog asks
// the user through here, so a test can answer in the user's place; the
// forms themselves stay real.
#include <QString>
#include <functional>

class QWidget;

class TKVRPrompts
{
public:
    struct THandlers
    {
        std::function<void(QWidget* aParent, const QString& aText)> Message;
        std::function<bool(QWidget* aParent, const QString& aText)> Confirm;
        // False when cancelled; aValue holds the starting text and the answer.
        std::function<bool(QWidget* aParent, const QString& aCaption, const QString& aPrompt, QString& aValue)>
            Input;
        // Empty when cancelled. aFilter in Qt's form: "Name (*.a *.b);;Other (*.c)".
        std::function<QString(QWidget* aParent, const QString& aCaption, const QString& aFolder,
                              const QString& aFilter)>
            OpenFile;
    };

    TKVRPrompts() = delete;
    static void ShowMessage(QWidget* aParent, const QString& aText);
    static bool Confirm(QWidget* aParent, const QString& aText);
    static bool InputQuery(QWidget* aParent, const QString& aCaption, const QString& aPrompt, QString& aValue);
    static QString OpenFileName(QWidget* aParent, const QString& aCaption, const QString& aFolder,
                                const QString& aFilter);

    // Replaces the boxes (tests); a handler left empty keeps the real box.
    static void SetHandlers(THandlers aHandlers);
    // Back to the real boxes.
    static void Reset();
};
