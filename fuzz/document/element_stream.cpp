// The single-element stream: a version and one record either make one element
// in the document, with a numeric id of its own, or raise and leave it as it was. The element written again
// reads back to the same record, and paints on screen without harm.
#include "fuzz/document/LabelFuzzSupport.h"
#include "fuzz/support/FuzzTarget.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Types.h"
#include "render/TKVRDraw.h"
#include <QImage>

using namespace KVRLabelFuzz;

namespace {

TKVRBaseItem* ReadElementRecord(TVXLabelFMX& aDoc, QByteArray aBytes)
{
    QBuffer buffer(&aBytes);
    buffer.open(QIODevice::ReadOnly);
    return aDoc.CreateElementFromStream(buffer);
}

// A small preview: enough to run every painting road of the element.
void Paint(TKVRBaseItem& aItem)
{
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    TKVRDraw draw;
    draw.SetResolution(24, 24, 1);
    draw.SetStandardWidths();
    draw.DrawState = KVRDrawState::Preview;
    draw.kC = TSkCanvas::Make(&image);
    draw.kP = std::make_shared<TSkPaint>();
    aItem.DrawElement(&draw);
}

}  // namespace

KVR_FUZZ_TARGET(element_stream)
{
    if (data.size() > kMaxInput)
        return;
    TVXLabelFMX doc;
    FillDocument(doc);
    const QByteArray before = SaveEti(doc);
    const int32_t count = doc.GetItemsCount();
    TKVRBaseItem* item = nullptr;
    if (!Reads([&] { item = ReadElementRecord(doc, data.toByteArray()); })) {
        KVR_FUZZ_CHECK(SaveEti(doc) == before, "a failed element read changed the document");
        return;
    }
    KVR_FUZZ_CHECK(item && doc.GetItemsCount() == count + 1 && doc.GetItem(count + 1) == item,
                   "an element read is not the document's last element");
    KVR_FUZZ_CHECK(NumIDsUnique(doc), "an element read took a numeric id the document has");
    const QByteArray record = ElementRecord(*item);
    TVXLabelFMX again;
    TKVRBaseItem* back = nullptr;
    KVR_FUZZ_CHECK(Reads([&] { back = ReadElementRecord(again, record); }), "a written element does not read");
    KVR_FUZZ_CHECK(back && ElementRecord(*back) == record, "a written element reads to another one");
    Paint(*item);
}
