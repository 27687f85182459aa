#include "dialogs/KVR.FMX.Prompts.h"
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

TKVRPrompts::THandlers& Handlers()
{
    static TKVRPrompts::THandlers handlers;
    return handlers;
}

}  // namespace

void TKVRPrompts::ShowMessage(QWidget* aParent, const QString& aText)
{
    if (Handlers().Message)
        return Handlers().Message(aParent, aText);
    QMessageBox::information(aParent, QString(), aText);
}

bool TKVRPrompts::Confirm(QWidget* aParent, const QString& aText)
{
    if (Handlers().Confirm)
        return Handlers().Confirm(aParent, aText);
    return QMessageBox::question(aParent, QString(), aText) == QMessageBox::Yes;
}

bool TKVRPrompts::InputQuery(QWidget* aParent, const QString& aCaption, const QString& aPrompt, QString& aValue)
{
    if (Handlers().Input)
        return Handlers().Input(aParent, aCaption, aPrompt, aValue);
    bool ok = false;
    const QString answer = QInputDialog::getText(aParent, aCaption, aPrompt, QLineEdit::Normal, aValue, &ok);
    if (ok)
        aValue = answer;
    return ok;
}

QString TKVRPrompts::OpenFileName(QWidget* aParent, const QString& aCaption, const QString& aFolder,
                                  const QString& aFilter)
{
    if (Handlers().OpenFile)
        return Handlers().OpenFile(aParent, aCaption, aFolder, aFilter);
    return QFileDialog::getOpenFileName(aParent, aCaption, aFolder, aFilter);
}

void TKVRPrompts::SetHandlers(THandlers aHandlers)
{
    Handlers() = std::move(aHandlers);
}

void TKVRPrompts::Reset()
{
    Handlers() = {};
}
