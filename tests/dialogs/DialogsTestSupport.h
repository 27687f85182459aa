#pragma once
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
