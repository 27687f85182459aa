#include "document/KVR.FMX.SheetPaint.h"
#include "document/KVR.FMX.SheetWalk.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBase2DCode.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "render/TKVRDraw.h"
#include <QBuffer>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Puts the document's record back however the paint ends: the screen goes on
// showing the record it showed.
class TRecordGuard
{
public:
    explicit TRecordGuard(TKVRBaseLabel& aDoc) : fDoc(aDoc), fLabel(aDoc.GetLabelIndex()) {}
    ~TRecordGuard() { fDoc.MoveToLabel(fLabel); }
    TRecordGuard(const TRecordGuard&) = delete;
    TRecordGuard& operator=(const TRecordGuard&) = delete;

private:
    TKVRBaseLabel& fDoc;
    int64_t fLabel;
};

double Pixels(int64_t aMicrometres, int32_t aDpi)
{
    return double(aMicrometres) * aDpi / 25400.0;
}

}  // namespace

QStringList KVRPaintSheet(TVXLabelFMX& aDoc, TKVRDraw& aDraw, int32_t aPage, uint16_t aBits)
{
    const TKVRMeasure& m = aDoc.GetMeasure();
    const TKVRBasePrintInfo& info = aDoc.GetPrintInfo();
    // The print job's walk: a sheet or start cell it refuses is refused here too.
    TKVRSheetWalk walk(m.GetRows(), m.GetColumns(), info.GetFirstRow(), info.GetFirstCol(), info.GetTotalLabels());
    const int64_t page = std::max(aPage, 1);
    walk.SkipTo(page);
    TRecordGuard keep(aDoc);
    // The record of the page's first label.
    aDoc.MoveToLabel(walk.Done());
    // Data-bound elements are painted through a fresh cell copy, which shows
    // the record of its label; copies a run left in the document are not painted.
    const int32_t count = aDoc.GetItemsCount();
    std::vector<QByteArray> records(size_t(count) + 1);
    for (int32_t i = 1; i <= count; ++i) {
        TKVRBaseItem* item = aDoc.GetItem(i);
        if (item->GetPreview() || !item->GetIsData())
            continue;
        QBuffer stream(&records[size_t(i)]);
        stream.open(QIODevice::WriteOnly);
        TBinaryWriter writer(&stream);
        item->Write(writer);
    }
    QStringList refused;
    TKVRSheetWalk::TCell cell;
    while (walk.Next(cell) && cell.Page == page) {
        const int64_t label = walk.Done();
        aDraw.ScreenOffsetY = float(Pixels(m.GetSize(5) + int64_t(cell.Row - 1) * m.GetSize(3) +
                                               int64_t(cell.Row - 1) * m.GetSize(7),
                                           aDraw.ResolutionY));
        aDraw.ScreenOffsetX = float(Pixels(m.GetSize(4) + int64_t(cell.Col - 1) * m.GetSize(2) +
                                               int64_t(cell.Col - 1) * m.GetSize(6),
                                           aDraw.ResolutionX));
        aDoc.DrawBackImage(aDraw.kC, aDraw);
        for (int32_t i = 1; i <= count; ++i) {
            TKVRBaseItem* item = aDoc.GetItem(i);
            if (item->GetPreview() || !KVRGoesToOutput(aDoc, *item, aBits))
                continue;
            if (records[size_t(i)].isEmpty()) {
                item->DrawElement(&aDraw);
                continue;
            }
            QBuffer stream(&records[size_t(i)]);
            stream.open(QIODevice::ReadOnly);
            TBinaryReader reader(&stream);
            TKVRBaseItem* copy = aDoc.CreateFromStream(reader, TVXLabelFMX::KVRStreamVersion, KVRReadType::CellCopy);
            std::unique_ptr<TKVRBaseItem> owned = aDoc.DetachItem(copy);
            owned->PreviewPos(int16_t(cell.Col), int16_t(cell.Row));
            // Codes keep their stored value on screen: the copy takes the record's.
            if (auto* code = dynamic_cast<TKVRBase2DCode*>(owned.get()))
                code->SetCode(code->PrintValue());
            auto* barcode = dynamic_cast<TKVRBaseBarcode*>(owned.get());
            if (barcode)
                barcode->SetCode(barcode->PrintValue());
            owned->DrawElement(&aDraw);
            if (barcode && !barcode->GetValid())
                refused << QStringLiteral("label %1 (record %2), element %3: \"%4\"")
                               .arg(label)
                               .arg(aDoc.GetRecordIndex() + 1)
                               .arg(item->GetID().isEmpty() ? QString::number(i) : item->GetID(),
                                    barcode->PrintValue());
        }
        aDoc.NextData();
    }
    return refused;
}
