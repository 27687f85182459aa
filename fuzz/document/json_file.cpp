// ".json" label files: any text either loads whole or raises and leaves the
// document as it was. A file that loads saves again, and that saved file
// loads and saves to the same text. Saved as ".eti", it loads there too and
// saves to the same bytes again: no value passes one reader that the other refuses.
#include "fuzz/document/LabelFuzzSupport.h"
#include "fuzz/support/FuzzTarget.h"

using namespace KVRLabelFuzz;

KVR_FUZZ_TARGET(json_file)
{
    if (data.size() > kMaxInput)
        return;
    TVXLabelFMX doc;
    FillDocument(doc);
    const QByteArray before = SaveJson(doc);
    if (!LoadJson(doc, data)) {
        KVR_FUZZ_CHECK(SaveJson(doc) == before, "a failed load changed the document");
        return;
    }
    const QByteArray saved = SaveJson(doc);
    TVXLabelFMX again;
    KVR_FUZZ_CHECK(LoadJson(again, saved), "a saved file does not load");
    KVR_FUZZ_CHECK(SaveJson(again) == saved, "a saved file loads to another document");
    const QByteArray binary = SaveEti(doc);
    TVXLabelFMX other;
    KVR_FUZZ_CHECK(Reads([&] { LoadEti(other, binary); }), "a document read from JSON does not load from .eti");
    KVR_FUZZ_CHECK(SaveEti(other) == binary, "a document read from JSON loads from .eti to another one");
}
