#pragma once
#include "dialogs/KVR.FMX.Prompts.h"
#include "document/KVR.FMX.h"
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

// Acts on the modal form once it is shown: aAct gets the form.
inline void WhenModal(std::function<void(QWidget*)> aAct)
{
    QTimer::singleShot(0, [aAct = std::move(aAct)] {
        QWidget* form = QApplication::activeModalWidget();
        if (form)
            aAct(form);
    });
}

// Clicks the named button of the modal form once it is shown.
inline void ClickWhenModal(const QString& aButton)
{
    WhenModal([aButton](QWidget* aForm) {
        if (auto* button = aForm->findChild<QPushButton*>(aButton))
            button->click();
        else if (auto* dialog = qobject_cast<QDialog*>(aForm))
            dialog->reject();
    });
}

// The prompts answered by the test: every input box gets Answer (empty is a
// cancel) and counts in Asked; messages are kept. Back to the defaults after.
struct TScriptedPrompts
{
    int Asked = 0;
    QString Answer;
    QStringList Messages;
    TScriptedPrompts()
    {
        TKVRPrompts::THandlers h;
        h.Input = [this](QWidget*, const QString&, const QString&, QString& aValue) {
            ++Asked;
            aValue = Answer;
            return !Answer.isEmpty();
        };
        h.Message = [this](QWidget*, const QString& aText) { Messages << aText; };
        TKVRPrompts::SetHandlers(h);
    }
    ~TScriptedPrompts() { TKVRPrompts::Reset(); }
    TScriptedPrompts(const TScriptedPrompts&) = delete;
    TScriptedPrompts& operator=(const TScriptedPrompts&) = delete;
};

// Counts the edit brackets a document closes: one per change its views hear of.
struct TBracketCount : IVXObserver
{
    TVXLabelFMX& Doc;
    int Ends = 0;
    explicit TBracketCount(TVXLabelFMX& aDoc) : Doc(aDoc) { Doc.Attach(this); }
    ~TBracketCount() override { Doc.Detach(this); }
    void UpdateCtrl(TVXChange aChange, const TVXChangeValue& aValue) override
    {
        if (aChange == KVRChange::Update && aValue.Begin == 1)
            ++Ends;
    }
    uint8_t TypeDest() const override { return 9; }
    void DocumentDestroyed() override {}
};
