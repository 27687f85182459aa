// The seeds of the document readers' fuzz targets are what these documents
// write: every element kind with layers, a counter, data and a library
// symbol. With KVR_FUZZ_SEED_DIR set, the test writes them there
// (<dir>/<target>/<name>), as fuzz/seeds/ holds them.
#include "fuzz/document/LabelFuzzSupport.h"
#include "tests/document/FactoryTestSupport.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/KVR.SymLibrary.h"
#include "platform/rtl/model/TKVRBaseFlow.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

using KVRLabelFuzz::ElementRecord;
using KVRLabelFuzz::SaveEti;

const char* kLibrary = R"([
 {"Version":1,"Name":"Valve","Category":"Pipes/Valves","ID":"{A1}","Units":"mm","InsertX":5,"InsertY":2.5,
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

void FillEveryKind(TVXLabelFMX& aDoc)
{
    TKVRBaseLabel& d = aDoc;
    d.AddLayer(QStringLiteral("Marks"))->Color = 0xFF2040A0u;
    d.SetActiveLayer(1);
    auto* counter = new TKVRCounter(&aDoc);
    counter->Name = QStringLiteral("Serial");
    counter->SetStep(2);
    d.GetData().SaveJson = true;
    d.GetData().SetJson(R"([{"Name":"Größe Ä"},{"Name":"second"}])");
    TKVRLibSymbolList symbols = KVRSymLib::ReadText(kLibrary);
    auto current = std::shared_ptr<TKVRBaseLibSymbol>(std::move(symbols[0]));
    d.SetCurSymbol(current);
    d.AddSymbol(std::move(symbols[1]), false);

    FactoryTest::AddEveryKind(aDoc);
}

std::vector<TKVRBaseItem*> Items(const TKVRBaseLabel& aDoc, std::initializer_list<int32_t> aIndices)
{
    std::vector<TKVRBaseItem*> items;
    for (int32_t i : aIndices)
        items.push_back(aDoc.GetItem(i));
    return items;
}

// target -> file name -> bytes
using TSeeds = std::map<std::string, std::map<std::string, QByteArray>>;

TSeeds MakeSeeds()
{
    TSeeds seeds;
    TVXLabelFMX empty;
    TVXLabelFMX every;
    FillEveryKind(every);
    seeds["eti_file"]["empty.eti"] = SaveEti(empty);
    seeds["eti_file"]["every-kind.eti"] = SaveEti(every);
    seeds["json_file"]["empty.json"] = QByteArray::fromStdString(empty.GetJson().dump(2));
    seeds["json_file"]["every-kind.json"] = QByteArray::fromStdString(every.GetJson().dump(2));
    for (int32_t i = 1; i <= every.GetItemsCount(); ++i) {
        const TKVRBaseItem* item = every.GetItem(i);
        seeds["element_stream"]["kind-" + std::to_string(item->GetKind()) + ".bin"] = ElementRecord(*item);
    }
    every.CopyToClipboard(Items(every, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    seeds["paste_selection"]["shapes-and-codes.bin"] = every.GetClipboard().data();
    every.CopyToClipboard(Items(every, {16, 17, 18, 19, 20, 21, 22, 23, 24, 25}));
    seeds["paste_selection"]["flows-link-tables.bin"] = every.GetClipboard().data();
    every.CopyToClipboard(Items(every, {26, 27, 28, 29, 30}));
    seeds["paste_selection"]["dims-package-rich.bin"] = every.GetClipboard().data();
    seeds["symbol_library"]["three-symbols.lyp"] = kLibrary;
    seeds["symbol_library"]["empty.lyp"] = "[]";
    return seeds;
}

TEST(FuzzSeeds, TheRoundTripDocumentsHoldEveryKindAndReadBack)
{
    const TSeeds seeds = MakeSeeds();
    ASSERT_EQ(seeds.size(), 5u);
    EXPECT_EQ(seeds.at("element_stream").size(), 29u);  // one record of each kind

    // The every-kind file loads and saves to the same bytes.
    const QByteArray every = seeds.at("eti_file").at("every-kind.eti");
    QByteArray copy = every;
    QBuffer in(&copy);
    in.open(QIODevice::ReadOnly);
    TVXLabelFMX doc;
    doc.LoadFromStream(in);
    std::set<int32_t> kinds;
    for (int32_t i = 1; i <= doc.GetItemsCount(); ++i)
        kinds.insert(doc.GetItem(i)->GetKind());
    EXPECT_EQ(kinds.size(), 29u);
    EXPECT_EQ(doc.GetSymbolCount(), 1);
    EXPECT_EQ(SaveEti(doc), every);

    // Each clipboard seed pastes whole.
    int32_t pasted = 0;
    for (const auto& [name, bytes] : seeds.at("paste_selection")) {
        doc.GetClipboard().close();
        doc.GetClipboard().setData(bytes);
        const int32_t before = doc.GetItemsCount();
        doc.PasteSelection();
        pasted += doc.GetItemsCount() - before;
    }
    EXPECT_EQ(pasted, 30);

    if (const QString dir = qEnvironmentVariable("KVR_FUZZ_SEED_DIR"); !dir.isEmpty()) {
        for (const auto& [target, files] : seeds) {
            const QString folder = QDir(dir).filePath(QString::fromStdString(target));
            ASSERT_TRUE(QDir().mkpath(folder));
            for (const auto& [name, bytes] : files) {
                QFile file(QDir(folder).filePath(QString::fromStdString(name)));
                ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                ASSERT_EQ(file.write(bytes), bytes.size());
            }
        }
    }
}

}  // namespace
