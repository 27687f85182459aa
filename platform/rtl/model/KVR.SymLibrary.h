#pragma once
// Symbol-library files (".lyp"): a UTF-8 JSON array of symbol definitions.
// Reading is all or nothing: a damaged file raises an error that names the
// file and the symbol at fault, and hands back no symbol.
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

// Largest library file read (bytes).
constexpr qint64 KVRSymLibMaxBytes = 16 * 1024 * 1024;

using TKVRLibSymbolList = std::vector<std::unique_ptr<TKVRBaseLibSymbol>>;

namespace KVRSymLib {
// Raise EKVRJsonError (bad JSON, a rejected definition) or EKVRDataError
// (too large, unreadable file).
TKVRLibSymbolList ReadText(const QByteArray& aText);
TKVRLibSymbolList ReadFile(const QString& aFileName);
// Indented UTF-8 JSON; the file is replaced only once it is written whole
// (raises EKVRDataError when it cannot be).
QByteArray WriteText(const std::vector<const TKVRBaseLibSymbol*>& aSymbols);
void WriteFile(const QString& aFileName, const std::vector<const TKVRBaseLibSymbol*>& aSymbols);
}
