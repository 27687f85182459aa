#pragma once
// The symbols a library view shows: one category of a ".lyp" file, which the
// library owns, or the open document's own symbols, which it only shows.
#include "platform/rtl/model/KVR.SymLibrary.h"
#include <QString>
#include <cstdint>
#include <vector>

class TKVRBaseLabel;

class TKVRLibrary
{
public:
    TKVRLibrary() = default;
    TKVRLibrary(const TKVRLibrary&) = delete;
    TKVRLibrary& operator=(const TKVRLibrary&) = delete;

    // Shows the document's symbols; they stay the document's, so the caller
    // clears the library before the document goes.
    void AssignLib(const TKVRBaseLabel* aLabel);
    // The symbols of aFile filed under aCategory exactly ("*": all of them).
    // Raises as the file reader does; the library is then empty.
    void LoadFromFile(const QString& aFile, const QString& aCategory);
    // The categories of aFile, one "/"-joined path per line, in the order
    // they first appear. Raises as the file reader does.
    static QString CategoryList(const QString& aFile);
    void Clear();

    int32_t GetNumSymbols() const { return int32_t(fShown.size()); }
    // From 1; null outside 1..GetNumSymbols().
    const TKVRBaseLibSymbol* GetSymbol(int32_t aIndex) const;

private:
    TKVRLibSymbolList fOwn;
    std::vector<const TKVRBaseLibSymbol*> fShown;
};
