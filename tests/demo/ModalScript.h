#pragma once
// Answers the modal windows a road through the demo opens, in order, as a
// user would: each step waits until a modal window of its kind is in front,
// then acts on it. Polled, so a step armed before a long print still finds
// the message box that follows it.
#include <QApplication>
#include <QDialog>
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
    bool Done() const { return fSteps.empty(); }
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
        if (fSteps.empty() || !form || !form->isVisible() || !form->inherits(fSteps.front().Class))
            return;
        TStep step = std::move(fSteps.front());
        fSteps.pop_front();
        fSeen << QString::fromLatin1(form->metaObject()->className());
        step.Act(form);
    }

    QTimer fTimer;
    std::deque<TStep> fSteps;
    QStringList fSeen;
};
