#include "platform/rtl/model/TKVRLibrary.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include <QSet>
#include <QStringList>

void TKVRLibrary::Clear()
{
    fShown.clear();
    fOwn.clear();
}

void TKVRLibrary::AssignLib(const TKVRBaseLabel* aLabel)
{
    Clear();
    if (!aLabel)
        return;
    for (int32_t i = 1; i <= aLabel->GetSymbolCount(); ++i)
        fShown.push_back(aLabel->GetSymbol(i));
}

void TKVRLibrary::LoadFromFile(const QString& aFile, const QString& aCategory)
{
    Clear();
    TKVRLibSymbolList read = KVRSymLib::ReadFile(aFile);
    const bool all = aCategory == QStringLiteral("*");
    for (auto& symbol : read)
        if (all || symbol->GetCategory() == aCategory)
            fOwn.push_back(std::move(symbol));
    for (const auto& symbol : fOwn)
        fShown.push_back(symbol.get());
}

QString TKVRLibrary::CategoryList(const QString& aFile)
{
    QStringList lines;
    QSet<QString> seen;
    for (const auto& symbol : KVRSymLib::ReadFile(aFile)) {
        const QString category = symbol->GetCategory();
        if (!seen.contains(category)) {
            seen.insert(category);
            lines.append(category);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

const TKVRBaseLibSymbol* TKVRLibrary::GetSymbol(int32_t aIndex) const
{
    if (aIndex < 1 || aIndex > GetNumSymbols())
        return nullptr;
    return fShown[size_t(aIndex - 1)];
}
