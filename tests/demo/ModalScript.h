#pragma once
// Answers the modal windows a road through the demo opens, in order, as a
// user would: each step waits until a modal window of its kind is in front,
// then acts on it. Polled, so a step armed before a long print still finds
// the message box that follows it.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <utility>

class TModalScript
{
public:
    using TAct = std::function<void(QWidget* aForm)>;

    TModalScript()
    {
        fTimer.setInterval(20);
        QObject::connect(&fTimer, &QTimer::timeout, [this] { Poll(); });
        fTimer.start();
    }
    ~TModalScript()
    {
        // A window left open by a failed step must not keep the test waiting.
        fTimer.stop();
        while (QWidget* form = QApplication::activeModalWidget()) {
            auto* dialog = qobject_cast<QDialog*>(form);
            if (!dialog)
                break;
            dialog->reject();
        }
    }
    TModalScript(const TModalScript&) = delete;
    TModalScript& operator=(const TModalScript&) = delete;

    // When a modal window whose class inherits aClass is in front: aAct on it.
    TModalScript& Then(const char* aClass, TAct aAct)
    {
        fSteps.push_back({aClass, std::move(aAct)});
        return *this;
    }
    // A modal window no step waits for is closed at once (and seen as
    // "!Class"), so a road that opens the wrong one fails instead of waiting.
    TModalScript& Strictly()
    {
        fStrict = true;
        return *this;
    }
    bool Done() const { return fSteps.empty(); }

    // Acts of the user's that steps often take.
    // A click on the message box's button (a box without it is closed unanswered).
    static TAct Press(QMessageBox::StandardButton aButton)
    {
        return [aButton](QWidget* aForm) {
            auto* box = qobject_cast<QMessageBox*>(aForm);
            if (QAbstractButton* button = box ? box->button(aButton) : nullptr)
                QTest::mouseClick(button, Qt::LeftButton);
            else if (auto* dialog = qobject_cast<QDialog*>(aForm))
                dialog->reject();
        };
    }
    // The file dialog's type chosen (when aType is given), aFile named in
    // its name box, the dialog accepted. (The dialog leaves a name box that
    // has the focus as it is: the name is then written as typed.)
    static TAct ChooseFile(const QString& aFile, const QString& aType = QString())
    {
        return [aFile, aType](QWidget* aForm) {
            auto* dialog = qobject_cast<QFileDialog*>(aForm);
            if (!aType.isEmpty())
                dialog->selectNameFilter(aType);
            dialog->selectFile(aFile);
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            if (name && name->text() != QFileInfo(aFile).fileName())
                name->setText(QFileInfo(aFile).fileName());
            static_cast<QDialog*>(dialog)->accept();
        };
    }
    // Class names of the windows answered, in order.
    const QStringList& Seen() const { return fSeen; }

private:
    struct TStep
    {
        const char* Class;
        TAct Act;
    };
    void Poll()
    {
        QWidget* form = QApplication::activeModalWidget();
        if (!form || !form->isVisible())
            return;
        if (fSteps.empty() || !form->inherits(fSteps.front().Class)) {
            auto* dialog = qobject_cast<QDialog*>(form);
            if (fStrict && dialog) {
                fSeen << '!' + QString::fromLatin1(form->metaObject()->className());
                dialog->reject();
            }
            return;
        }
        TStep step = std::move(fSteps.front());
        fSteps.pop_front();
        fSeen << QString::fromLatin1(form->metaObject()->className());
        step.Act(form);
    }

    QTimer fTimer;
    std::deque<TStep> fSteps;
    QStringList fSeen;
    bool fStrict = false;
};
