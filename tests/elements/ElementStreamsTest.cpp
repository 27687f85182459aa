// Every element kind through its own class-level readers: binary and JSON
// round trips of an element with values other than the defaults, the preview
// flag, damaged records and values no element can hold, and painting that
// leaves the element as it was.
#include "elements/TKVRArc.h"
#include "elements/TKVRArrowLine.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRBezier.h"
#include "elements/TKVRCircle.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRDim.h"
#include "elements/TKVREllipse.h"
#include "elements/TKVRImage.h"
#include "elements/TKVRLevel.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRNutriScore.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRPackage.h"
#include "elements/TKVRParagraph.h"
#include "elements/TKVRPoint.h"
#include "elements/TKVRPolyLine.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRPolygon.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRank.h"
#include "elements/TKVRRectangle.h"
#include "elements/TKVRRichText.h"
#include "elements/TKVRSector.h"
#include "elements/TKVRSymbol.h"
#include "elements/TKVRTable.h"
#include "elements/TKVRText.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "tests/elements/FlowLinkTestSupport.h"
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>

namespace {

using JsonReadFn = std::function<TKVRBaseItem*(TKVRBaseLabel*, int32_t, const TJsonObject&)>;
using MakeFn = std::function<TKVRBaseItem*(TKVRBaseLabel&)>;

// A kind, with the JSON of an element whose values are not the defaults.
struct TKindCase
{
    const char* Name;
    const char* Json;
    BinaryReadFn Read;
    JsonReadFn ReadJson;
};

template <class T>
TKindCase Kind(const char* aName, const char* aJson)
{
    return {aName, aJson, &T::Read, &T::ReadFromJson};
}

const std::vector<TKindCase>& Cases()
{
    static const std::vector<TKindCase> cases = {
        Kind<TKVRPoint>("Point", R"({"Points":[[-1,123456789012]]})"),
        Kind<TKVRLine>("Line", R"({"Points":[[5000,5000],[40000,25000]]})"),
        Kind<TKVRArrowLine>("ArrowLine", R"({"FromType":4,"ToType":9,"FromColor":4294901760,"ToColor":4278255360,
            "SizeFrom":2.5,"SizeTo":1.25,"FontName":"Liberation Serif","FontColor":4278190335,"FontHeight":4200,
            "Bold":true,"Underline":true,"Text":"Cota «Ø» 12 – µm","TextPos":4,"Points":[[5000,5000],[45000,20000]]})"),
        Kind<TKVRPolyLine>("PolyLine", R"({"FromType":4,"ToType":9,"FromColor":4294901760,"ToColor":4278255360,
            "SizeFrom":2.5,"SizeTo":1.25,"Points":[[5000,5000],[20000,25000],[30000,8000],[45000,28000]]})"),
        Kind<TKVRArc>("Arc", R"({"FromType":4,"ToType":9,"SizeFrom":2.5,"SizeTo":1.25,"EndAngle":3.141592653589793,
            "SweepAngle":3.141592653589793,"Radius":10000})"),
        Kind<TKVRRectangle>("Rectangle", R"({"Filled":true,"BackColor":2164256256,"Alpha":0,"Radius":1500,
            "Points":[[100,200],[30100,20200]]})"),
        Kind<TKVRPolygon>("Polygon", R"({"Filled":true,"Points":[[5000,5000],[40000,8000],[20000,30000]]})"),
        Kind<TKVRCircle>("Circle", R"({"Filled":true,"BackColor":4278255615,"Points":[[10000,2000],[40000,32000]]})"),
        Kind<TKVREllipse>("Ellipse", R"({"Filled":true,"Points":[[5000,10000],[45000,25000]]})"),
        Kind<TKVRLevel>("Level", R"({"LevelType":2,"Value":42.5,"MaxValue":80.0,"LevelColor":4289352960,
            "AngleGap":45.0,"Angle":3,"Text":"53 %","FontName":"Liberation Serif","FontHeight":4200,"Bold":true,
            "FillType":1,"FillName":"LEVEL","Format":"0.0","Points":[[2000,2000],[18000,18000]]})"),
        Kind<TKVRBezier>("Bezier", R"({"Filled":true,"FromType":4,"ToType":9,"SizeFrom":2.5,"SizeTo":1.25,
            "Points":[[2000,15000],[7000,25000],[17000,25000],[22000,15000],[27000,5000],[37000,5000],
            [42000,15000]]})"),
        Kind<TKVRDim>("Dim", R"({"DimType":7,"DimExt":true,"Text":"40.00","Points":[[0,30000],[40000,30000],[0,29000],
            [40000,29000],[0,20000],[40000,20000],[0,18000],[40000,18000]]})"),
        Kind<TKVRSector>("Sector", R"({"Filled":true,"AngleStart":30.0,"AngleGap":359.9,
            "Points":[[20000,10000],[26000,16000]]})"),
        Kind<TKVRPackage>("Package", R"({"Radius":1500,"SizeLength":120.5,"SizeHeight":0.0,"NameLength":"Largo",
            "Style":5,"BoxColor":4287317267,"Format":"0.0","SizesFontHeight":1800,"FillType":2,"FillName":"BOX",
            "Drills":[{"X":10.0,"Y":20.0,"D":5.0},{"X":100.25,"Y":60.0,"D":8.0}],
            "Slots":[{"X1":5.0,"Y1":5.0,"X2":40.0,"Y2":5.0,"Width":3.0}],"Points":[[2000,2000],[48000,32000]]})"),
        Kind<TKVRText>("Text", R"({"Filled":true,"BackColor":4293844428,"Alpha":0,"FontName":"Liberation Serif",
            "FontColor":4279246896,"FontHeight":4000,"Bold":true,"Italic":true,"Underline":true,"Strikeout":true,
            "Scale":2.0,"Text":"Visible","HorzAlign":2,"VertAlign":1,"Angle":3,"PaddingX":700,"PaddingY":300,
            "Radius":1500,"MaxWidth":40000,"FillType":2,"FillName":"Price","Format":"#,##0.00",
            "Points":[[5000,5000]]})"),
        Kind<TKVRParagraph>("Paragraph", R"({"Filled":true,"Alpha":0,"FontName":"Liberation Serif","FontHeight":4000,
            "Bold":true,"Italic":true,"Underline":true,"Strikeout":true,"Scale":2.0,"Text":"Visible","HorzAlign":2,
            "VertAlign":1,"Angle":3,"PaddingX":700,"PaddingY":300,"Radius":1500,"FillType":2,"FillName":"Price",
            "Format":"#,##0.00","AutoGrow":true,"AutoShrink":true,"Points":[[3000,3000],[48000,30000]]})"),
        Kind<TKVRRichText>("RichText", R"({"Filled":true,"BackColor":4293844428,"FontName":"Liberation Serif",
            "FontColor":4279246896,"FontHeight":4000,"Bold":true,"Scale":2.0,
            "Text":"<B>Fett</B> und <FC:FF0000>rot</FC><BR><C>Mitte – µm</C>","HorzAlign":2,"VertAlign":1,
            "Angle":3,"PaddingX":700,"PaddingY":300,"Radius":1500,"FillType":2,"FillName":"Price",
            "AutoGrow":true,"AutoShrink":true,"Points":[[3000,3000],[48000,30000]]})"),
        Kind<TKVRBarcode>("Barcode", R"({"Filled":true,"BackColor":4279246896,"Angle":3,"BarWidth":0.41,
            "BarHeight":12.5,"BarWidthFactor":2.75,"Distance":0.3,"PaddingX":1.5,"PaddingY":0.25,"HorzAlign":2,
            "ShowNumber":false,"Checksum":true,"E128Auto":2,"FontName":"Courier New","FontHeight":2750,
            "BarCode":"Réf-€","CodeType":6,"FillType":2,"FillName":"Article","Format":"000","Points":[[5000,5000]]})"),
        Kind<TKVRQRCode>("QRCode", R"({"Filled":true,"BackColor":2164228096,"Angle":2,"BarWidth":0.37,
            "BarHeight":0.91,"Ratio":1.25,"PaddingX":0.5,"PaddingY":3.25,"HorzAlign":1,"VertAlign":2,
            "Code":"Stream é €","FillType":3,"FillName":"Field","Format":"#0.00","Points":[[-4200,987654321]],
            "Encoding":4,"ErrorLevel":2})"),
        Kind<TKVRDataMatrix>("DataMatrix", R"({"Filled":true,"Angle":2,"BarWidth":0.37,"BarHeight":0.91,
            "Ratio":1.25,"PaddingX":0.5,"PaddingY":3.25,"HorzAlign":1,"VertAlign":2,"Code":"Stream é €",
            "FillType":3,"FillName":"Field","Points":[[10000,5000]]})"),
        Kind<TKVRPDF417>("PDF417", R"({"Filled":true,"Angle":2,"BarWidth":0.37,"BarHeight":0.91,"Ratio":1.25,
            "PaddingX":0.5,"HorzAlign":1,"VertAlign":2,"Code":"Stream é €","FillType":3,"FillName":"Field",
            "Points":[[10000,5000]],"CorrectionLevel":7,"Truncated":true,"Columns":4,"Rows":-1})"),
        Kind<TKVRImage>("Image", R"({"Filled":true,"BackColor":2148676694,"Filter":1,"Embeded":true,
            "ImageAlign":2,"Frame":1,"Padding":250,"Radius":1200,"KeepProportions":false,"Angle":3,"FillName":"Foto",
            "ImageData":"iVBORw0KGgoAAAANSUhEUgAAACgAAAAUCAIAAABwJOjsAAAACXBIWXMAAA7EAAAOxAGVKw4bAAAAKklEQVRIiWP8z0A+YGQgXzcTBfZSBEYtHrV41OJRi0ctHrV41OJRi+kPAGYwAieCDD04AAAAAElFTkSuQmCC",
            "Points":[[2000,2000],[12000,12000]]})"),
        Kind<TKVRFlow>("Flow", R"({"ID":"D1","Alpha":0,"FlowType":12,"FontName":"Liberation Serif",
            "FontColor":4279246896,"FontHeight":3500,"Bold":true,"Italic":true,"Underline":true,"Strikeout":true,
            "Text":"Decide «Ø»\r\nnow","PaddingX":1500,"PaddingY":700,"Scale":1.25,"Gradient":2,
            "GradientToColor":4278255360,"ShadowDX":0.5,"ShadowDY":-0.25,"ShadowColor":2147483648,
            "Points":[[1000,2000],[41000,27000]]})"),
        // Between the two nodes every test document holds.
        Kind<TKVRLink>("Link", R"({"LinkType":6,"FromID":1,"ToID":2,"FromIndex":3,"ToIndex":-1,"FromType":11,
            "ToType":8,"FromColor":4278255360,"ToColor":4278190335,
            "Points":[[5000,20000],[35000,20000],[-7,30000]]})"),
        Kind<TKVRTable>("Table", R"({"Filled":true,"Title":{"Visible":true,"Text":"Stock"},"FixedSize":true,
            "GridType":2,"Columns":[{"Width":60.0,"Header":{"Text":"Item"},"Body":{"FontName":"Courier New","Wrap":true},
            "Footer":{"Text":"Total"},"Rows":["Bolt","Écrou","Washer"]},{"Width":40.0,"FieldName":"Qty",
            "FooterType":2,"Rows":["10","20","30"]}],"Points":[[10000,10000],[110000,40000]]})"),
        Kind<TKVRPolyText>("PolyText", R"({"Filled":true,"PolyType":2,"Angle":3,"Radius":1500,"ErrorLevel":2,
            "Items":[{"Text":"Größe ","AI":"01"},{"FontName":"Courier New","Text":"42","FillType":1,
            "FillName":"Size"}]})"),
        Kind<TKVRRank>("Rank", R"({"NumID":41,"ID":"stars","RankType":3,"RankPos":2,"Gap":0.25,"DrawEmpty":false,
            "Position":4,"Maximum":7,"FillType":1,"FillName":"STARS","Format":"0","Points":[[5000,5000],[17000,55000]]})"),
        Kind<TKVRNutriScore>("NutriScore", R"({"NumID":7,"NutriType":1,"Title":"Nährwert","TitleAlign":2,
            "ShowTitle":false,"Value":"d","Angle":3,"Radio":1.5,"InnerRadio":0.75,"Monochrome":true,"FillType":2,
            "FillName":"SCORE","Format":"0","Points":[[5000,5000],[65000,35000]]})"),
        // No letter survives both roads.
        Kind<TKVRNutriScore>("NutriScoreWithoutLetter",
                             R"({"Value":"","Monochrome":true,"Points":[[5000,5000],[65000,35000]]})"),
        // The record carries the definition: a document without any library reads it.
        Kind<TKVRSymbol>("Symbol", R"({"ID":"gauge","Scale":1.25,"Angle":0.26,"Symbol":{"Version":1,"Name":"Test",
            "Category":"Tests","ID":"{T}","Units":"mm","InsertX":0,"InsertY":0,"Def":[{"Type":"PenWidth","Value":0.4},
            {"Type":"LineType","Value":3},{"Type":"Rectangle","Points":[0,0,30,16]},{"Type":"Fill","Value":true},
            {"Type":"Circle","Center":[24,8],"Radius":3},{"Type":"Text","Text":"Gauge","Point":[15,2]}],
            "Links":[0,8,30,8]},"Points":[[12000,9000]]})"),
        Kind<TKVRSymbol>("SymbolWithoutDefinition", R"({"Scale":2.0})"),
    };
    return cases;
}

const TKindCase& Named(const std::string& aName)
{
    return *std::find_if(Cases().begin(), Cases().end(), [&](const TKindCase& c) { return c.Name == aName; });
}

// The kind's element, with a pen that is not a new element's, in a document
// that holds two flowchart nodes a connector can link.
TKVRBaseItem* Make(TKVRBaseLabel& aLabel, const TKindCase& aKind, const char* aMore = "{}")
{
    flowtest::Node(aLabel, 0, 0, 10000, 10000);
    flowtest::Node(aLabel, 30000, 0, 40000, 10000);
    TJsonObject j = TJsonObject::parse(R"({"State":1,"Options":16,"Color":4279383126,"PenWidth":700,"LineType":5})");
    j.update(TJsonObject::parse(aKind.Json));
    j.update(TJsonObject::parse(aMore));
    return aKind.ReadJson(&aLabel, KVRFileVersion, j);
}

// Every kind's records: binary and JSON round trips, the preview flag of the
// per-cell copy, and damaged records that leave no element.
void ExpectRecordsRoundTrip(const TKindCase& kc)
{
    TKVRBaseLabel label;
    label.SetDataValue(QStringLiteral("BOX"), QStringLiteral("10x20x30"));
    label.SetDataValue(QStringLiteral("LEVEL"), QStringLiteral("75"));
    TKVRBaseItem* original = Make(label, kc);
    original->CalcValues(0);
    const QByteArray bytes = WriteBinary(*original);
    const QByteArray json = WriteJsonText(*original);
    // The populated element differs from a fresh one: the test sees its fields.
    EXPECT_NE(WriteBinary(*kc.ReadJson(&label, KVRFileVersion, TJsonObject::object())), bytes);

    const int before = label.GetItemsCount();
    EXPECT_EQ(RoundTripBinary(label, *original, kc.Read), bytes);
    TKVRBaseItem* copy = label.GetItem(before + 1);
    if (auto* rich = dynamic_cast<TKVRRichText*>(copy)) {
        // A read rich text comes with its formats and runs.
        EXPECT_GT(rich->GetFormats().size(), 1u);
        EXPECT_EQ(rich->GetPlainText(), QStringLiteral("Fett und rot\nMitte – µm"));
    }
    EXPECT_EQ(WriteJsonText(*copy), json) << "the binary reader fills what the JSON writer shows";
    copy->CalcValues(0);
    EXPECT_EQ(WriteBinary(*copy), bytes) << "a layout changes nothing that is stored";

    // Through text, as a file carries it.
    TKVRBaseItem* fromJson = kc.ReadJson(&label, KVRFileVersion, TJsonObject::parse(json.toStdString()));
    EXPECT_EQ(WriteJsonText(*fromJson), json);
    EXPECT_EQ(WriteBinary(*fromJson), bytes);

    // The copy paints as the original. Painting reads the element and writes
    // nothing into it: the export paints on its own thread while the user works on.
    const TScreenPaper a = PaintScreenAndPaper(*original, 300, 200, 150), b = PaintScreenAndPaper(*copy, 300, 200, 150);
    EXPECT_TRUE(a.Screen == b.Screen);
    EXPECT_TRUE(a.Paper == b.Paper);
    TKVRDraw bare;  // a context without canvases takes nothing
    copy->DrawElement(&bare);
    copy->PrintElement(&bare);
    EXPECT_EQ(WriteJsonText(*copy), json);
    EXPECT_FALSE(copy->GetNeedsCalc());
    EXPECT_EQ(label.GetItemsCount(), before + 2);

    // Only the per-cell copy is read as a preview element; JSON never makes one.
    for (TKVRReadType type : {KVRReadType::File, KVRReadType::Paste, KVRReadType::CellCopy}) {
        TKVRBaseItem* e = ReadRecord(label, bytes, kc.Read, type);
        EXPECT_EQ(e->GetPreview(), type == KVRReadType::CellCopy) << int(type);
        EXPECT_EQ(WriteBinary(*e), bytes);
    }
    EXPECT_FALSE(fromJson->GetPreview());
    // Every shorter prefix of the record raises and leaves no element.
    EXPECT_GT(CheckTruncatedRecords(label, *original, kc.Read), 10);
}

// Each element sets the pen, dash, fill and font it needs: painted after
// elements that leave a wide dashed red pen, a fill and a bold font on the
// canvases (in a corner left out of the comparison), it paints as it does
// alone, with its own pen and without one.
void ExpectPaintsAsAlone(const TKindCase& kc)
{
    auto outsideCorner = [](QImage img) {
        QPainter(&img).fillRect(QRect(255, 155, 45, 45), Qt::white);
        return img;
    };
    for (const char* pen : {R"({})", R"({"PenWidth":0})"}) {
        SCOPED_TRACE(pen);
        TKVRBaseLabel label;
        TKVRBaseItem* e = Make(label, kc, pen);
        // The text first: its underline strokes solid; the rectangle last leaves its dash.
        const std::vector<TKVRBaseItem*> before = {
            TKVRText::ReadFromJson(&label, KVRFileVersion, TJsonObject::parse(R"({"Text":"Hg","FontHeight":9000,
                "Bold":true,"Italic":true,"Underline":true,"FontColor":4294901760,"Points":[[49000,32000]]})")),
            TKVRPolyLine::ReadFromJson(&label, KVRFileVersion, TJsonObject::parse(R"({"Color":4294901760,
                "PenWidth":3000,"LineType":7,"FromType":4,"ToType":4,"FromColor":4278255360,"ToColor":4278255360,
                "Points":[[49000,32000],[50000,33000],[49500,33500]]})")),
            TKVRRectangle::ReadFromJson(&label, KVRFileVersion, TJsonObject::parse(R"({"Color":4294901760,
                "PenWidth":2000,"LineType":3,"Filled":true,"BackColor":4278255360,"Points":[[49000,32000],[50500,33500]]})"))};
        e->CalcValues(0);
        const TScreenPaper alone = PaintScreenAndPaper(*e, 300, 200, 150);
        ScreenSurface screen(300, 200, 150);
        PaperSurface paper(300, 200, 150);
        for (TKVRBaseItem* other : before) {
            other->DrawElement(&screen.draw);
            other->PrintElement(&paper.draw);
        }
        e->DrawElement(&screen.draw);
        e->PrintElement(&paper.draw);
        EXPECT_TRUE(outsideCorner(screen.Finish()) == outsideCorner(alone.Screen));
        EXPECT_TRUE(outsideCorner(paper.Finish()) == outsideCorner(alone.Paper));
    }
}

TEST(ElementStreams, EveryKindsRecordsRoundTripAndDamageLeavesNoElement)
{
    for (const TKindCase& kc : Cases()) {
        SCOPED_TRACE(kc.Name);
        ExpectRecordsRoundTrip(kc);
    }
}

TEST(ElementStreams, EveryKindPaintsAsAloneAfterOtherElements)
{
    for (const TKindCase& kc : Cases()) {
        SCOPED_TRACE(kc.Name);
        ExpectPaintsAsAlone(kc);
    }
}

// A count far beyond what the record holds (or one that does not fit it) is
// refused before anything is allocated, and leaves no element.
TEST(ElementStreamsDamage, CountsThatDoNotFitTheRecordAreRefused)
{
    struct TCountCase
    {
        const char* Name;
        MakeFn Make;
        BinaryReadFn Read;
        int FromEnd;  // bytes from the count's first byte to the record's end
        std::vector<int32_t> Counts;
    };
    const std::vector<TCountCase> cases = {
        {"image picture",
         [](TKVRBaseLabel& l) {
             auto* e = new TKVRImage(&l, false);
             e->SetFileName("a.png");
             return e;
         },
         TKVRImage::Read, 4 + 2 * 16 + 4, {0x7FFFFFFF}},
        {"link points", [](TKVRBaseLabel& l) { return Make(l, Named("Link")); }, TKVRLink::Read, 3 * 16 + 4,
         {0x7FFFFFFF}},
        {"table columns", [](TKVRBaseLabel& l) { return new TKVRTable(&l, false); }, TKVRTable::Read, 4 + 2 * 16 + 4,
         {0x7F000000}},
        {"poly-text items", [](TKVRBaseLabel& l) { return new TKVRPolyText(&l, false); }, TKVRPolyText::Read,
         4 + 16 + 4, {0x7F000000}},
        {"rank points", [](TKVRBaseLabel& l) { return new TKVRRank(&l, false); }, TKVRRank::Read, 2 * 16 + 4,
         {0x7FFFFFFF, 3, -1}},
        {"score points", [](TKVRBaseLabel& l) { return Make(l, Named("NutriScoreWithoutLetter")); }, TKVRNutriScore::Read, 2 * 16 + 4,
         {0x7FFFFFFF, 3, -1}},
    };
    for (const TCountCase& c : cases)
        for (int32_t count : c.Counts) {
            SCOPED_TRACE(std::string(c.Name) + " " + std::to_string(count));
            TKVRBaseLabel label;
            QByteArray bytes = WriteBinary(*c.Make(label));
            const qsizetype at = bytes.size() - c.FromEnd;
            for (int b = 0; b < 4; ++b)
                bytes[at + b] = char((uint32_t(count) >> (8 * b)) & 0xFF);
            const int before = label.GetItemsCount();
            EXPECT_ANY_THROW(ReadRecord(label, bytes, c.Read));
            EXPECT_EQ(label.GetItemsCount(), before);
        }
}

// Values no element of the kind can hold are refused with the reader's
// error, and leave no element behind.
TEST(ElementStreamsDamage, ImpossibleJsonValuesAreRefused)
{
    enum TError { Json, Data, Any };
    struct TBad
    {
        JsonReadFn Read;
        const char* Text;
        TError Error;
    };
    const JsonReadFn text = TKVRText::ReadFromJson, para = TKVRParagraph::ReadFromJson, flow = TKVRFlow::ReadFromJson,
                     link = TKVRLink::ReadFromJson, image = TKVRImage::ReadFromJson, bar = TKVRBarcode::ReadFromJson,
                     dm = TKVRDataMatrix::ReadFromJson, qr = TKVRQRCode::ReadFromJson,
                     table = TKVRTable::ReadFromJson, poly = TKVRPolyText::ReadFromJson,
                     rank = TKVRRank::ReadFromJson, score = TKVRNutriScore::ReadFromJson,
                     symbol = TKVRSymbol::ReadFromJson, rich = TKVRRichText::ReadFromJson;
    const TBad rows[] = {
        {text, R"({"PaddingX":[true]})", Any},
        {para, R"({"Text":[true]})", Any},
        {rich, R"({"Points":[true]})", Any},
        {text, R"({"Radius":-5})", Data},
        {para, R"({"Radius":-5})", Data},
        {image, R"({"Type":16,"Filter":9})", Json},
        {image, R"({"Type":16,"Frame":9})", Json},
        {image, R"({"Type":16,"ImageAlign":256})", Json},
        {image, R"({"Type":16,"Angle":-1})", Json},
        {image, R"({"Type":16,"ImageData":"%%%"})", Json},
        {bar, R"({"Type":12,"BarWidth":0})", Data},
        {bar, R"({"Type":12,"FontHeight":-5})", Data},
        {bar, R"({"Type":12,"Angle":256})", Json},
        {bar, R"({"Type":12,"BarCode":5})", Json},
        {dm, R"({"Type":14,"BarWidth":0})", Data},
        {dm, R"({"Type":14,"Ratio":-1})", Data},
        {dm, R"({"Type":14,"PaddingX":-2})", Data},
        {dm, R"({"Type":14,"VertAlign":256})", Json},
        {qr, R"({"Type":15,"ErrorLevel":4})", Data},
        {flow, R"({"PaddingX":-5})", Data},
        {flow, R"({"Scale":-1.0})", Data},
        {flow, R"({"FlowType":"process"})", Json},
        {flow, R"({"FlowType":300})", Json},
        {flow, R"({"Text":12})", Json},
        {flow, R"({"Scale":"x"})", Json},
        {flow, R"({"Points":5})", Json},
        {flow, R"({"Points":[1,2]})", Json},
        {flow, R"({"ShadowColor":-1})", Json},
        {link, R"({"LinkType":"arc"})", Json},
        {link, R"({"FromIndex":70000})", Json},
        {link, R"({"ToIndex":-70000})", Json},
        {link, R"({"ToID":1.5})", Json},
        {link, R"({"FromType":true})", Json},
        {link, R"({"Points":[[1,"2"]]})", Json},
        {table, R"({"Type":19,"Columns":5})", Json},
        {table, R"({"Type":19,"GridType":9})", Json},
        {table, R"({"Type":19,"Columns":[{"Header":{"HorzAlign":7}}]})", Json},
        {table, R"({"Type":19,"Columns":[{"Rows":[1,2]}]})", Json},
        {table, R"({"Type":19,"RowHeight":-1})", Json},
        {table, R"({"Type":19,"Title":{"Interline":0}})", Json},
        {table, R"({"Type":19,"Columns":[{"Footer":{"FontHeight":-1}}]})", Json},
        {poly, R"({"Type":20,"Items":3})", Json},
        {poly, R"({"Type":20,"Items":[7]})", Json},
        {poly, R"({"Type":20,"Angle":4})", Json},
        {poly, R"({"Type":20,"BarWidth":0})", Json},
        {poly, R"({"Type":20,"ErrorLevel":9})", Json},
        {poly, R"({"Type":20,"Items":[{"FontHeight":-5}]})", Json},
        {rank, R"({"Type":21,"Maximum":70000})", Any},
        {rank, R"({"Type":21,"Position":-1})", Any},
        {rank, R"({"Type":21,"Gap":"wide"})", Any},
        {rank, R"({"Type":21,"RankType":300})", Any},
        {rank, R"({"Type":21,"DrawEmpty":3})", Any},
        {rank, R"({"Type":21,"Points":[[0,0]]})", Any},
        {score, R"({"Type":22,"Value":"AB"})", Any},
        {score, R"({"Type":22,"Value":3})", Any},
        {score, R"({"Type":22,"Angle":4})", Any},
        {score, R"({"Type":22,"TitleAlign":3})", Any},
        {score, R"({"Type":22,"Gap":"x"})", Any},
        {score, R"({"Type":22,"AColor":-1})", Any},
        {score, R"({"Type":22,"Points":[[0,0],[1]]})", Any},
        {symbol, R"({"Scale":"big"})", Any},
        {symbol, R"({"Angle":[]})", Any},
        {symbol, R"({"Symbol":5})", Any},
        {symbol, R"({"Points":[1,2]})", Any},
    };
    TKVRBaseLabel label;
    for (const TBad& r : rows) {
        SCOPED_TRACE(r.Text);
        const TJsonObject j = TJsonObject::parse(r.Text);
        if (r.Error == Json)
            EXPECT_THROW(r.Read(&label, KVRFileVersion, j), EKVRJsonError);
        else if (r.Error == Data)
            EXPECT_THROW(r.Read(&label, KVRFileVersion, j), EKVRDataError);
        else
            EXPECT_ANY_THROW(r.Read(&label, KVRFileVersion, j));
    }
    EXPECT_EQ(label.GetItemsCount(), 0);
}

// A scale and a font height of 0 mean "not stored" and read as the defaults,
// so a damaged record never gives an invisible text.
TEST(ElementStreamsDamage, ZeroScaleAndFontHeightReadAsTheDefaults)
{
    TKVRBaseLabel label;
    auto* node = dynamic_cast<TKVRFlow*>(
        TKVRFlow::ReadFromJson(&label, KVRFileVersion, TJsonObject::parse(R"({"Scale":0.0,"FontHeight":0})")));
    ASSERT_NE(node, nullptr);
    EXPECT_FLOAT_EQ(node->GetScaleX(), 1.0f);
    EXPECT_EQ(node->GetBaseFontHeight(), TKVRBaseFlow::DefaultFontHeight);
}

}  // namespace
