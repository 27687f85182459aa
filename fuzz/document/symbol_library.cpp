// ".lyp" symbol libraries: any text either reads into definitions or raises.
// A library that reads writes again, and that text reads to the same
// definitions; each symbol also goes through a label file's binary form unchanged.
#include "fuzz/support/FuzzTarget.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/KVR.SymLibrary.h"
#include <QBuffer>

namespace {

QByteArray Write(const TKVRLibSymbolList& aSymbols)
{
    std::vector<const TKVRBaseLibSymbol*> list;
    for (const auto& s : aSymbols)
        list.push_back(s.get());
    return KVRSymLib::WriteText(list);
}

// The symbol as a label file carries it, read back.
std::unique_ptr<TKVRBaseLibSymbol> ThroughBinary(const TKVRBaseLibSymbol& aSymbol)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    TBinaryWriter writer(&out);
    aSymbol.Write(writer);
    out.close();
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    TBinaryReader reader(&in);
    std::unique_ptr<TKVRBaseLibSymbol> back;
    try {
        back = TKVRBaseLibSymbol::Read(reader);
    } catch (const EKVRDataError&) {
    }
    KVR_FUZZ_CHECK(back, "a symbol written for a label file does not read");
    return back;
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
    bool read = true;
    try {
        back = KVRSymLib::ReadText(written);
    } catch (const EKVRJsonError&) {
        read = false;
    } catch (const EKVRDataError&) {
        read = false;
    }
    KVR_FUZZ_CHECK(read, "a written library does not read");
    KVR_FUZZ_CHECK(back.size() == symbols.size(), "a written library reads to another number of symbols");
    KVR_FUZZ_CHECK(Write(back) == written, "a written library reads to other definitions");
    for (const auto& symbol : symbols)
        KVR_FUZZ_CHECK(ThroughBinary(*symbol)->WriteJson() == symbol->WriteJson(),
                       "a symbol reads from a label file to another definition");
}
