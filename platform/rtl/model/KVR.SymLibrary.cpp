#include "platform/rtl/model/KVR.SymLibrary.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.SaveFile.h"
#include <QFile>
#include <QSaveFile>
#include <string>

namespace {
std::string Size(qint64 aBytes)
{
    return std::to_string(aBytes) + " bytes";
}
}  // namespace

TKVRLibSymbolList KVRSymLib::ReadText(const QByteArray& aText)
{
    if (aText.size() > KVRSymLibMaxBytes)
        throw EKVRDataError("Symbol library too large: " + Size(aText.size()) + ", at most " +
                            Size(KVRSymLibMaxBytes));
    TJsonObject root;
    try {
        root = TJsonObject::parse(aText.constBegin(), aText.constEnd());
    } catch (const nlohmann::json::exception& e) {
        throw EKVRJsonError(std::string("Invalid JSON in symbol library: ") + e.what());
    }
    if (!root.is_array())
        throw EKVRJsonError("A symbol library must be a JSON array of symbols");
    TKVRLibSymbolList symbols;
    symbols.reserve(root.size());
    for (size_t i = 0; i < root.size(); ++i) {
        auto symbol = std::make_unique<TKVRBaseLibSymbol>();
        QString error;
        if (!symbol->ReadJson(root[i], error))
            throw EKVRJsonError("Symbol " + std::to_string(i + 1) + ": " + error.toStdString());
        symbols.push_back(std::move(symbol));
    }
    return symbols;
}

TKVRLibSymbolList KVRSymLib::ReadFile(const QString& aFileName)
{
    const std::string name = "\"" + aFileName.toStdString() + "\"";
    QFile file(aFileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EKVRDataError("Cannot open symbol library " + name + ": " + file.errorString().toStdString());
    // Read one byte past the limit, so a file that grows meanwhile is still refused.
    const QByteArray text = file.read(KVRSymLibMaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw EKVRDataError("Cannot read symbol library " + name + ": " + file.errorString().toStdString());
    try {
        return ReadText(text);
    } catch (const EKVRDataError& e) {
        throw EKVRDataError(name + ": " + e.what());
    } catch (const EKVRJsonError& e) {
        throw EKVRJsonError(name + ": " + e.what());
    }
}

QByteArray KVRSymLib::WriteText(const std::vector<const TKVRBaseLibSymbol*>& aSymbols)
{
    TJsonObject root = TJsonObject::array();
    for (const TKVRBaseLibSymbol* s : aSymbols)
        if (s)
            root.push_back(s->WriteJson());
    return QByteArray::fromStdString(root.dump(1, '\t') + "\n");
}

void KVRSymLib::WriteFile(const QString& aFileName, const std::vector<const TKVRBaseLibSymbol*>& aSymbols)
{
    const QByteArray text = WriteText(aSymbols);
    QSaveFile file(aFileName);
    // Unbuffered, so a short write (a full disk) is seen rather than committed.
    const QString failure =
        file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ? KVRCommitWhole(file, text) : file.errorString();
    if (!failure.isEmpty())
        throw EKVRDataError("Cannot write symbol library \"" + aFileName.toStdString() + "\": " + failure.toStdString());
}
