// ".eti" label files: any bytes either load whole or raise and leave the
// document as it was. A file that loads saves again, and that saved file
// loads and saves to the same bytes. Saved as ".json", it loads there too
// and saves to the same text again.
#include "fuzz/document/LabelFuzzSupport.h"
#include "fuzz/support/FuzzTarget.h"

using namespace KVRLabelFuzz;

KVR_FUZZ_TARGET(eti_file)
{
    if (data.size() > kMaxInput)
        return;
    TVXLabelFMX doc;
    FillDocument(doc);
    const QByteArray before = SaveEti(doc);
    if (!Reads([&] { LoadEti(doc, data.toByteArray()); })) {
        KVR_FUZZ_CHECK(SaveEti(doc) == before, "a failed load changed the document");
        return;
    }
    const QByteArray saved = SaveEti(doc);
    TVXLabelFMX again;
    KVR_FUZZ_CHECK(Reads([&] { LoadEti(again, saved); }), "a saved file does not load");
    KVR_FUZZ_CHECK(SaveEti(again) == saved, "a saved file loads to another document");
    const QByteArray text = SaveJson(doc);
    TVXLabelFMX other;
    KVR_FUZZ_CHECK(LoadJson(other, text), "a document read from .eti does not load from JSON");
    KVR_FUZZ_CHECK(SaveJson(other) == text, "a document read from .eti loads from JSON to another one");
}
