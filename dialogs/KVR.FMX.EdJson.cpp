#include "dialogs/KVR.FMX.EdJson.h"
#include "dialogs/KVR.FMX.Mem.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "platform/rtl/model/KVR.Model.Json.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <optional>

namespace {

const QString kNotValid = QStringLiteral("JSON is not valid");

// The text parsed as a JSON object (ordered keys, 64-bit integers kept).
std::optional<TJsonObject> ParseObject(const QString& aText)
{
    if (aText.isEmpty())
        return std::nullopt;
    try {
        TJsonObject json = TJsonObject::parse(aText.toStdString());
        if (json.is_object())
            return json;
    } catch (const nlohmann::json::exception&) {
    }
    return std::nullopt;
}

QString Pretty(const TJsonObject& aJson)
{
    return QString::fromStdString(aJson.dump(2)).replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

}  // namespace

TfJsonData::TfJsonData(QWidget* aOwner) : QDialog(aOwner)
{
    setObjectName(QStringLiteral("fJsonData"));
    setWindowTitle(QStringLiteral("JSON Data"));
    resize(665, 508);
    MemJson = new QPlainTextEdit(this);
    MemJson->setObjectName(QStringLiteral("MemJson"));
    MemJson->setLineWrapMode(QPlainTextEdit::NoWrap);
    const auto button = [this](const char* aName) {
        auto* b = new QPushButton(this);
        b->setObjectName(QLatin1String(aName));
        b->setAutoDefault(false);
        return b;
    };
    butLoad = button("butLoad");
    butFormat = button("butFormat");
    butOK = button("butOK");
    butCancel = button("butCancel");
    auto* grid = new QGridLayout(this);
    grid->addWidget(MemJson, 0, 0, 1, 5);
    grid->addWidget(butLoad, 1, 0);
    grid->addWidget(butFormat, 1, 1);
    grid->setColumnStretch(2, 1);
    grid->addWidget(butOK, 1, 3);
    grid->addWidget(butCancel, 1, 4);
    connect(butFormat, &QPushButton::clicked, this, &TfJsonData::butFormatClick);
    connect(butLoad, &QPushButton::clicked, this, &TfJsonData::butLoadClick);
    connect(butOK, &QPushButton::clicked, this, &TfJsonData::butOKClick);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfJsonData::IniDialog(const QString& aText)
{
    butOK->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Ok")));
    butCancel->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Cancel")));
    butFormat->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Format")));
    butLoad->setText(QStringLiteral("  ") + TKVRMsg::GetDialogsValue(QStringLiteral("LoadJson")));
    const auto json = ParseObject(aText);
    fShown = json ? Pretty(*json) : QString();
    MemJson->setPlainText(fShown);
}

QString TfJsonData::MemoText() const
{
    return KVRWithLineEndsOf(MemJson->document()->toRawText(), fShown);
}

QString TfJsonData::CompactJson(const QString& aText)
{
    const auto json = ParseObject(aText);
    return json ? QString::fromStdString(json->dump()) : QString();
}

QString TfJsonData::GetJson() const
{
    return CompactJson(MemoText());
}

void TfJsonData::butFormatClick()
{
    const auto json = ParseObject(MemoText());
    if (json) {
        fShown = Pretty(*json);
        MemJson->setPlainText(fShown);
    }
    else
        TKVRPrompts::ShowMessage(this, kNotValid);
}

void TfJsonData::butLoadClick()
{
    const QString file = TKVRPrompts::OpenFileName(this, QString(), QDir::currentPath(),
                                                   TKVRMsg::GetDialogsValue(QStringLiteral("FilterJson")) +
                                                       QStringLiteral(" (*.json)"));
    if (file.isEmpty())
        return;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        TKVRPrompts::ShowMessage(this, in.errorString());
        return;
    }
    fShown = QString::fromUtf8(in.readAll());
    MemJson->setPlainText(fShown);
}

void TfJsonData::butOKClick()
{
    const QString text = MemoText();
    if (text.isEmpty())
        reject();
    else if (ParseObject(text))
        accept();
    else
        TKVRPrompts::ShowMessage(this, kNotValid);
}
