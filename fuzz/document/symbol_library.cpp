// ".lyp" symbol libraries: any text either reads into definitions or raises.
// A library that reads writes again, and that text reads to the same definitions.
#include "fuzz/support/FuzzTarget.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.SymLibrary.h"

namespace {

QByteArray Write(const TKVRLibSymbolList& aSymbols)
{
    std::vector<const TKVRBaseLibSymbol*> list;
    for (const auto& s : aSymbols)
        list.push_back(s.get());
    return KVRSymLib::WriteText(list);
}

}  // namespace

KVR_FUZZ_TARGET(symbol_library)
{
    if (data.size() > 64 * 1024)
        return;
    TKVRLibSymbolList symbols;
    try {
        symbols = KVRSymLib::ReadText(data.toByteArray());
    } catch (const EKVRJsonError&) {
        return;
    } catch (const EKVRDataError&) {
        return;
    }
    const QByteArray written = Write(symbols);
    TKVRLibSymbolList back;
    try {
        back = KVRSymLib::ReadText(written);
    } catch (const std::exception& e) {
        KVR_FUZZ_CHECK(false, "a written library does not read");
    }
    KVR_FUZZ_CHECK(back.size() == symbols.size(), "a written library reads to another number of symbols");
    KVR_FUZZ_CHECK(Write(back) == written, "a written library reads to other definitions");
}
