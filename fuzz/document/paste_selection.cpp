// The clipboard stream: a paste adds all its elements or none (the document's
// saved bytes unchanged), and numeric ids stay unique. What was pasted copies
// and pastes again to the same clipboard bytes.
#include "fuzz/document/LabelFuzzSupport.h"
#include "fuzz/support/FuzzTarget.h"
#include <algorithm>
#include <cstring>
#include <vector>

using namespace KVRLabelFuzz;

namespace {

void SetClipboard(TKVRBaseLabel& aDoc, const QByteArray& aBytes)
{
    QBuffer& clip = aDoc.GetClipboard();
    clip.close();
    clip.setData(aBytes);
}

// The elements from the 1-based index aFirst on.
std::vector<TKVRBaseItem*> ItemsFrom(const TKVRBaseLabel& aDoc, int32_t aFirst)
{
    std::vector<TKVRBaseItem*> items;
    for (int32_t i = aFirst; i <= aDoc.GetItemsCount(); ++i)
        items.push_back(aDoc.GetItem(i));
    return items;
}

}  // namespace

KVR_FUZZ_TARGET(paste_selection)
{
    if (data.size() > kMaxInput)
        return;
    TVXLabelFMX doc;
    FillDocument(doc);
    const QByteArray before = SaveEti(doc);
    const int32_t count = doc.GetItemsCount();
    SetClipboard(doc, data.toByteArray());
    if (!Reads([&] { doc.PasteSelection(); })) {
        KVR_FUZZ_CHECK(SaveEti(doc) == before, "a failed paste changed the document");
        return;
    }
    int32_t declared = 0;
    if (data.size() >= 4)
        std::memcpy(&declared, data.data(), 4);
    KVR_FUZZ_CHECK(doc.GetItemsCount() - count == std::max(declared, 0), "a paste added another number of elements");
    KVR_FUZZ_CHECK(NumIDsUnique(doc), "a paste left two elements with one numeric id");

    doc.CopyToClipboard(ItemsFrom(doc, count + 1));
    const QByteArray copied = doc.GetClipboard().data();
    TVXLabelFMX again;
    SetClipboard(again, copied);
    KVR_FUZZ_CHECK(Reads([&] { again.PasteSelection(); }), "copied elements do not paste");
    again.CopyToClipboard(ItemsFrom(again, 1));
    KVR_FUZZ_CHECK(again.GetClipboard().data() == copied, "copied elements paste to other ones");
}
