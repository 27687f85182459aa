// Elements made by the factory on the label component go through its label
// files and come back the same, with the layer's new defaults.
#include "tests/document/FactoryTestSupport.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRSymbol.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include <QTemporaryDir>
#include <set>
#include <typeinfo>

using namespace FactoryTest;

namespace {

TEST(FactoryFiles, EveryKindReadsBackFromBothFormats)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TVXLabelFMX doc;
    SetUpLayers(doc);
    auto symbol = std::make_shared<TKVRBaseLibSymbol>();
    QString error;
    ASSERT_TRUE(symbol->ReadJson(TJsonObject::parse(R"({"Version":1,"Name":"Dot","Units":"mm","InsertX":0,
        "InsertY":0,"Def":[{"Type":"Circle","Center":[0,0],"Radius":2}]})"),
                                 error))
        << error.toStdString();
    doc.SetCurSymbol(symbol);
    AddEveryKind(doc);
    ASSERT_EQ(doc.GetItemsCount(), 30);
    std::set<int32_t> kinds;
    for (int32_t i = 1; i <= doc.GetItemsCount(); ++i)
        kinds.insert(doc.GetItem(i)->GetKind());
    EXPECT_EQ(kinds.size(), 29u);

    for (const auto& [name, format] : {std::pair{"a.eti", KVRExt::Binary}, std::pair{"a.json", KVRExt::Json}}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(doc.SaveToFile(path, format));
        TVXLabelFMX back;
        ASSERT_TRUE(back.LoadFromFile(path));
        ASSERT_EQ(back.GetItemsCount(), doc.GetItemsCount());
        for (int32_t i = 1; i <= doc.GetItemsCount(); ++i) {
            const TKVRBaseItem* e = doc.GetItem(i);
            const TKVRBaseItem* r = back.GetItem(i);
            SCOPED_TRACE(e->GetKind());
            EXPECT_EQ(r->GetKind(), e->GetKind());
            EXPECT_EQ(r->GetLayer(), 1);
            EXPECT_EQ(r->GetColor(), e->GetColor());
            EXPECT_EQ(r->GetBasePenWidth(), e->GetBasePenWidth());
            EXPECT_EQ(r->GetNumID(), e->GetNumID());
            ASSERT_FALSE(e->GetPoints().empty() && e->GetKind() != KVRItemKind::Link);
            EXPECT_EQ(r->GetPoint(1), e->GetPoint(1));
        }
        // The layer's font flags are part of the file.
        EXPECT_TRUE(back.GetLayer(1)->GetBold());
        EXPECT_TRUE(back.GetLayer(1)->GetItalic());
        EXPECT_EQ(back.GetLayer(1)->GetPenWidth(), 0.7f);
    }
}

// The component's creators are the factory's, as the document's contract says.
TEST(FactoryFiles, TheLabelComponentCreatesThroughTheFactory)
{
    TVXLabelFMX label;
    SetUpLayers(label);
    TKVRBaseLabel& doc = label;
    TKVRBaseItem* line = doc.AddBaseLine(0, 0, 1000, 0);
    EXPECT_EQ(typeid(*line), typeid(TKVRLine));
    EXPECT_EQ(line->GetColor(), LayerColor);
    EXPECT_EQ(line->GetBasePenWidth(), LayerPen);
    EXPECT_EQ(line->GetPoint(2), (TKVRPto{1000, 0}));
    EXPECT_EQ(typeid(*doc.AddBaseSymbol(5, 5)), typeid(TKVRSymbol));
}

}  // namespace
