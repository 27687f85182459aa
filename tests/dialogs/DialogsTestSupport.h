#pragma once
#include "document/KVR.FMX.h"
#include <QApplication>
#include <QDialog>
#include <QPushButton>
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
