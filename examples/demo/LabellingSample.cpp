#include "examples/demo/LabellingSample.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRectangle.h"
#include "elements/TKVRText.h"
#include "platform/rtl/label/TKVRLayer.h"
#include <QDir>
#include <QFile>

namespace {

// Visible, printed and exported: new elements carry the first two only.
constexpr uint16_t kShown = 0x0001 | 0x0002 | 0x0008;

const char* const kProducts =
    "Name,Price,Code,EAN\n"
    "Hex bolt M6,0.12 EUR,BLT-M6-0040,4006381333931\n"
    "Wing nut M8,0.35 EUR,NUT-W8-0100,5901234123457\n"
    "Washer 10 mm,0.04 EUR,WSH-10-0500,4012345678902\n"
    "Wood screw 4x40,0.08 EUR,SCR-44-1000,9780201379624\n"
    "Wall plug 6 mm,0.05 EUR,PLG-06-0300,4006381333948\n"
    "Hinge 60 mm,2.40 EUR,HNG-60-0012,7622210449283\n"
    "Cable tie 200,0.03 EUR,TIE-20-2000,5000112637922\n"
    "Threaded rod M10,3.90 EUR,ROD-10-0008,4005808262373\n";

template <class T>
T* Shown(T* aItem)
{
    aItem->SetState(kShown);
    return aItem;
}

TKVRText* FieldText(TVXLabelFMX& aDoc, float aX, float aY, const QString& aField, float aHeight, bool aBold)
{
    TKVRText* text = Shown(TKVRFactory::AddText(&aDoc, aX, aY));
    text->SetText(aField);
    text->SetFillType(1);
    text->SetFillName(aField);
    text->SetFontHeight(aHeight);
    text->SetBold(aBold);
    text->SetPenWidth(0.0f);  // no frame round the text
    return text;
}

}  // namespace

TLabellingSample WriteLabellingSample(const QString& aFolder)
{
    TLabellingSample sample;
    if (!QDir().mkpath(aFolder))
        return sample;
    const QString data = QDir(aFolder).filePath("products.csv");
    QFile csv(data);
    if (!csv.open(QIODevice::WriteOnly) || csv.write(kProducts) < 0)
        return sample;
    csv.close();

    TVXLabelFMX doc;
    TKVRMeasure& m = doc.GetMeasure();
    m.LabelName = "Product labels";
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(70000);
    m.SetHeight(42300);
    m.SetMarTop(0);
    m.SetColumns(3);
    m.SetRows(7);
    TKVRLayer* layer = doc.GetActiveLayer();
    layer->SetState(kShown);
    layer->FontName = "DejaVu Sans";
    layer->PenWidth = 300;

    Shown(TKVRFactory::AddRectangle(&doc, 2, 2, 66, 38.3f));
    FieldText(doc, 5, 5, "Name", 4.0f, true);
    FieldText(doc, 5, 11, "Price", 3.5f, false);
    TKVRBarcode* code = Shown(TKVRFactory::AddBarcode(&doc, 5, 17, "BLT-M6-0040", TKVRBarType::Code128));
    code->SetBarWidth(0.25f);
    code->SetBarHeight(9.0f);
    code->SetFillType(1);
    code->SetFillName("Code");
    TKVRBarcode* ean = Shown(TKVRFactory::AddBarcode(&doc, 5, 30, "4006381333931", TKVRBarType::EAN13));
    ean->SetBarWidth(0.25f);
    ean->SetBarHeight(6.0f);
    ean->SetFillType(1);
    ean->SetFillName("EAN");
    TKVRQRCode* qr = Shown(TKVRFactory::AddQRCode(&doc, 49, 5, "BLT-M6-0040"));
    qr->SetBarWidth(0.7f);
    qr->SetBarHeight(0.7f);
    qr->SetFillType(1);
    qr->SetFillName("Code");

    const QString label = QDir(aFolder).filePath("product-labels.eti");
    try {
        doc.GetData().LoadCsv(data);
        // Linked as the sheet dialog's "Link data" links it: one label per record.
        doc.SetLinkData(true);
        doc.SaveToFile(label, KVRExt::Binary);
    } catch (const std::exception&) {
        return sample;
    }
    sample.LabelFile = label;
    sample.DataFile = data;
    return sample;
}
