#include "dialogs/KVR.FMX.Mem.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>

QString KVRWithLineEndsOf(const QString& aEdited, const QString& aOriginal)
{
    if (!aOriginal.contains(QLatin1String("\r\n")))
        return aEdited;
    QString text = aEdited;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

TfMem::TfMem(QWidget* aOwner) : QDialog(aOwner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("fMem"));
    resize(680, 460);
    MemText = new QPlainTextEdit(this);
    MemText->setObjectName(QStringLiteral("MemText"));
    butOK = new QPushButton(this);
    butOK->setObjectName(QStringLiteral("butOK"));
    butCancel = new QPushButton(this);
    butCancel->setObjectName(QStringLiteral("butCancel"));
    connect(butOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);

    // The memo fills the form; the buttons keep to the lower right corner.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->addWidget(MemText, 0, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->addWidget(butOK, 1, 1);
    grid->addWidget(butCancel, 1, 2);
}

void TfMem::Ini(const QString& aText, bool aKeepSize)
{
    if (!aKeepSize)
        resize(440, 340);
    setWindowTitle(TKVRMsg::GetPropValue(QStringLiteral("Text")).trimmed());
    butOK->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Ok")));
    butCancel->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Cancel")));
    fOriginal = aText;
    MemText->setPlainText(aText);
}

QString TfMem::GetText() const
{
    return KVRWithLineEndsOf(MemText->toPlainText(), fOriginal);
}

void TfMem::FormShow()
{
    MemText->setFocus();
}

void TfMem::showEvent(QShowEvent* aEvent)
{
    QDialog::showEvent(aEvent);
    FormShow();
}
