#include "tests/support/LabelDocuments.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRPoint.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRichText.h"
#include "elements/TKVRParagraph.h"
#include "elements/TKVRSymbol.h"
#include "elements/TKVRText.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/label/TKVRMapping.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/KVR.SymLibrary.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include <QBuffer>
#include <QImage>
#include <QFile>
#include <stdexcept>

const char* const kSymbolLibrary = R"([
 {"Version":1,"Name":"Valve","Category":"Pipes/Välves","ID":"{A1}","Units":"mm","InsertX":5,"InsertY":2.5,
  "Note":"Gate valve","Def":[
   {"Type":"PenWidth","Value":0.35},{"Type":"Fill","Value":true},{"Type":"RoundCap","Value":true},
   {"Type":"ScalePen","Value":false},{"Type":"FColor","Value":4278190335},{"Type":"BColor","Value":4294967040},
   {"Type":"LineType","Value":3},{"Type":"Line","Points":[0,0,10,5]},{"Type":"Circle","Center":[5,2.5],"Radius":1.25},
   {"Type":"Ellipse","Center":[5,2.5],"RadiusX":4,"RadiusY":2},{"Type":"Rectangle","Points":[0,0,10,5],"Radius":0.5},
   {"Type":"Polyline","Points":[0,0,5,5,10,0],"Closed":true},{"Type":"Arc","Center":[5,0],"Radius":2,"Start":180,"Sweep":180},
   {"Type":"Bezier","Points":[0,0,2,4,8,4,10,0],"Closed":false},{"Type":"Path","Value":true},
   {"Type":"Line","Points":[0,5,10,5]},{"Type":"Path","Value":false},
   {"Type":"Sector","Center":[5,2.5],"Radius":2,"Start":0,"Sweep":90}],"Links":[0,2.5,10,2.5]},
 {"Version":1,"Name":"Label","Category":"Text","ID":"{B2}","Units":"in","InsertX":0,"InsertY":0,"Def":[
   {"Type":"FontColor","Value":4294901760},{"Type":"FontHeight","Value":4},{"Type":"FontName","Value":"Liberation Serif"},
   {"Type":"Bold","Value":true},{"Type":"Italic","Value":false},{"Type":"Underline","Value":true},
   {"Type":"FontScale","Value":1.5},{"Type":"Text","Text":"Ñandú €","Point":[0.5,0.25],"Angle":30,"HAlign":1,"VAlign":2}]},
 {"Version":1,"Name":"Empty","Category":"","ID":"","Units":"cm","InsertX":0,"InsertY":0,"Def":[]}
])";

void BuildEveryKind(TVXLabelFMX& aDoc)
{
    // Every label setting differs from its default.
    aDoc.SetEditorMode(1);
    aDoc.SetUnits(TKVRUnits::Inch);
    TKVRMeasure& m = aDoc.GetMeasure();
    m.LabelName = QStringLiteral("Étiquette");
    m.Title = QStringLiteral("Plan — ĉapelo");
    m.Note = QStringLiteral("line 1\nline 2");
    m.SetWidth(70000);
    m.SetHeight(37000);
    m.SetPaperWidth(215900);
    m.SetMarLeft(7000);
    m.SetGapY(2500);
    m.SetRows(8);
    m.SetColumns(3);
    m.SetDrawScale(50);
    aDoc.GetPrintInfo().SetFirstRow(2);
    aDoc.GetPrintInfo().SetRepetition(3);
    aDoc.GetPrintInfo().SetWithData(true);
    TKVRLayer* marks = aDoc.AddLayer(QStringLiteral("Marks"));
    marks->Color = 0xFF2040A0u;
    marks->PenWidth = 1250;
    marks->FontHeight = 3500;
    marks->Italic = true;
    aDoc.GetLayer(0)->Bold = true;
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    picture.save(&png, "PNG");
    marks->ImgEmbed = true;
    marks->ImgBytes = png.data();
    marks->ImgFileName = QStringLiteral("fondo ñ.png");
    marks->ImgMarLeft = 3;
    marks->ImgMarBottom = 2.5f;
    aDoc.SetActiveLayer(1);
    aDoc.SetBackLayer(2);
    aDoc.SetLabelRotation(3);
    aDoc.AddDimStyle()->SetName(QStringLiteral("Second"));
    aDoc.SetActiveDimStyle(1);
    TKVRMapping& map = aDoc.GetMapping();
    map.SetAllowed(0x1001);
    map.SetProvider(12);
    map.SetZoom(17);
    map.LoadMap(QStringLiteral("-33,4489"), QStringLiteral("-70.6693"), 10, 10);
    map.SetShowCenter(true);
    map.SetImageFile(QStringLiteral("/maps/Añón/-33.4489_-70.6693_17.png"));
    map.SetApiKey(QStringLiteral("secret"));  // the session's, never the file's
    auto* counter = new TKVRCounter(&aDoc);
    counter->Name = QStringLiteral("Serial");
    counter->SetStep(2);
    counter->SetNumFrom(100);
    counter->Format = QStringLiteral("0000");
    counter->TextBefore = QStringLiteral("Nº ");
    aDoc.GetData().SaveJson = true;
    aDoc.GetData().SetJson(R"([{"Name":"Größe Ä"},{"Name":"second"}])");
    aDoc.GetData().SetFieldRepeat(QStringLiteral("Copies"));
    aDoc.GetBackSurf().SetBackColor(0xFFFFF0C0u);
    aDoc.SetOptions(0x05);
    aDoc.GetSettings().SetTermSize(4.5f);
    TKVRLibSymbolList symbols = KVRSymLib::ReadText(kSymbolLibrary);
    if (symbols.size() != 3)
        throw std::runtime_error("the symbol library does not read");
    aDoc.AddSymbol(std::move(symbols[0]), false);
    AddEveryKindElements(aDoc);
}

void AddEveryKindElements(TVXLabelFMX& aDoc)
{
    TKVRLibSymbolList symbols = KVRSymLib::ReadText(kSymbolLibrary);
    if (symbols.size() != 3)
        throw std::runtime_error("the symbol library does not read");
    auto shown = std::shared_ptr<TKVRBaseLibSymbol>(std::move(symbols[1]));

    // Through the document's own creators, which the label component forwards to the factory.
    TKVRBaseLabel& d = aDoc;
    const int64_t chain[] = {1000, 2000, 9000, 4000, 5000, 12000};
    TKVRBaseItem* point = d.AddBasePoint(1000, 2000);
    d.AddBaseLine(0, 0, 20000, 5000);
    d.AddBaseArrowLine(0, 5000, 20000, 0);
    d.AddBasePolyLine(chain);
    d.AddBaseArc(30000, 30000, 5000, 10.0f, 250.0f);
    d.AddBaseRectangle(1000, 2000, 30000, 15000);
    d.AddBasePolygon(chain);
    d.AddBaseCircle3P(0, 0, 5000, 5000, 10000, 0);
    d.AddBaseEllipse(40000, 20000, 8000, 3000);
    TKVRBaseText* text = d.AddBaseText(5000, 60000);
    text->SetText(QStringLiteral("Größe — 日本語 ✓"));
    text->SetFillType(1);
    text->SetFillName(QStringLiteral("Name"));
    text->SetID(QStringLiteral("title"));
    d.AddBaseParagraph(5000, 70000, 40000, 20000)->SetText(QStringLiteral("Ünïcödé paragraph"));
    TKVRBaseBarcode* barcode = d.AddBaseBarcode(50000, 5000, QStringLiteral("5901234123457"), TKVRBarType(0));
    barcode->SetFillType(1);
    barcode->SetFillName(QStringLiteral("Name"));
    d.AddBasePDF417(50000, 30000, QStringLiteral("PDF"));
    d.AddBaseDataMatrix(50000, 50000, QStringLiteral("DM"));
    d.AddBaseQRCode(50000, 70000, QStringLiteral("QR"));
    TKVRFactory::AddBaseImage(&aDoc, 0, 80000, 10000, 10000, QStringLiteral("none.png"));  // the component adds none
    TKVRBaseItem* flow = d.AddBaseFlow(60000, 0, 20000, 10000, 4);
    d.AddBaseLink(flow->GetNumID(), point->GetNumID(), 3, 1, 2);
    d.AddBaseTable(0, 100000, 50000, 20000);
    d.AddBasePolyText(0, 130000);
    d.AddBaseRank(0, 140000, 30000, 6000);
    d.AddBaseNutriScore(0, 150000, 40000, 15000);
    d.AddBaseLevel(70000, 100000, 8000);
    d.AddBaseSymbol(70000, 130000)->SetSymbol(shown);
    d.AddBaseBezier(chain);
    d.AddBaseDimAngle(0, 0, 10000, 0, 0, 0, 0, 10000, 3000, -4000);
    d.AddBaseSector3P(0, 0, 4000, 4000, 10000, 0, 0.0f, 120.0f);
    d.AddBasePackage(90000, 0, 30000, 20000);
    d.AddBaseRichText(90000, 40000, 30000, 20000)->SetText(QStringLiteral("<B>fett</B> ß"));
}

void BuildSheet(TVXLabelFMX& aDoc, const QString& aCsvFile, int aRecords, bool aLinks)
{
    QByteArray csv = aLinks ? "Name,Code,Link\n" : "Name,Code\n";
    csv.reserve(aRecords * 48);
    for (int i = 1; i <= aRecords; ++i) {
        csv += QStringLiteral("Lbl-%1,C%2").arg(i, 2, 10, QLatin1Char('0')).arg(i, 4, 10, QLatin1Char('0')).toUtf8();
        csv += aLinks ? QStringLiteral(",https://example.org/a/%1\n").arg(i).toUtf8() : QByteArray("\n");
    }
    WriteAll(aCsvFile, csv);
    // The file is the document's source: the run's memory is the document's alone.
    csv = QByteArray();
    TKVRMeasure& m = aDoc.GetMeasure();
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(70000);
    m.SetHeight(37000);
    m.SetMarTop(500);
    m.SetColumns(3);
    m.SetRows(8);
    m.LabelName = QStringLiteral("Sheet test");
    aDoc.GetData().LoadCsv(aCsvFile);
    aDoc.GetPrintInfo().SetWithData(true);
    auto bind = [](auto* aItem, const char* aField) {
        aItem->SetFillType(1);
        aItem->SetFillName(QString::fromLatin1(aField));
        aItem->SetID(QString::fromLatin1(aField).toLower());
    };
    TKVRText* text = TKVRFactory::AddBaseText(&aDoc, 3000, 3000);
    text->SetText(QStringLiteral("Name"));
    bind(text, "Name");
    TKVRBarcode* code = TKVRFactory::AddBaseBarcode(&aDoc, 3000, 12000, QStringLiteral("C0000"), TKVRBarType::Code128);
    code->SetBarHeight(15.0f);
    bind(code, "Code");
    if (aLinks)
        bind(TKVRFactory::AddBaseQRCode(&aDoc, 46000, 8000, QStringLiteral("https://example.org/a/0")), "Link");
}

std::vector<int32_t> KindsOf(const TKVRBaseLabel& aDoc)
{
    std::vector<int32_t> kinds;
    for (int32_t i = 1; i <= aDoc.GetItemsCount(); ++i)
        kinds.push_back(aDoc.GetItem(i)->GetKind());
    return kinds;
}

std::string Snapshot(const TKVRBaseLabel& aDoc)
{
    return aDoc.GetJson().dump();
}

QByteArray SaveEti(const TVXLabelFMX& aDoc)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    aDoc.SaveToStream(buffer);
    return bytes;
}

QByteArray ElementRecord(const TKVRBaseItem& aItem, int32_t aVersion)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TBinaryWriter writer(&buffer);
    writer.WriteInt32(aVersion);
    aItem.Write(writer);
    return bytes;
}

QByteArray ReadAll(const QString& aFileName)
{
    QFile f(aFileName);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + aFileName.toStdString());
    return f.readAll();
}

void WriteAll(const QString& aFileName, const QByteArray& aBytes)
{
    QFile f(aFileName);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(aBytes) != aBytes.size())
        throw std::runtime_error("cannot write " + aFileName.toStdString());
}
