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

// One element of every kind, through the document's creators where it has
// them and through the factory for the rest.
void FillEveryKind(TVXLabelFMX& aDoc)
{
    const int64_t chain[] = {1000, 2000, 9000, 4000, 5000, 12000};
    TKVRBaseLabel& d = aDoc;
    d.AddBasePoint(1000, 1000);
    d.AddBaseLine(0, 0, 20000, 5000);
    d.AddBaseArrowLine(0, 5000, 20000, 0);
    d.AddBasePolyLine(chain);
    d.AddBaseArc(30000, 30000, 5000, 10.0f, 250.0f);
    d.AddBaseRectangle(1000, 2000, 30000, 15000);
    d.AddBasePolygon(chain);
    d.AddBaseCircle3P(0, 0, 5000, 0, 10000, 0);
    d.AddBaseEllipse(40000, 20000, 8000, 3000);
    d.AddBaseText(5000, 60000);
    d.AddBaseParagraph(5000, 70000, 40000, 20000);
    d.AddBaseBarcode(50000, 5000, QStringLiteral("5901234123457"), TKVRBarType(0));
    d.AddBasePDF417(50000, 30000, QStringLiteral("PDF"));
    d.AddBaseDataMatrix(50000, 50000, QStringLiteral("DM"));
    d.AddBaseQRCode(50000, 70000, QStringLiteral("QR"));
    TKVRFactory::AddBaseImage(&aDoc, 0, 80000, 10000, 10000, QStringLiteral("none.png"));
    TKVRBaseItem* a = d.AddBaseFlow(60000, 0, 20000, 10000, 4);
    TKVRBaseItem* b = d.AddBaseFlow(60000, 40000, 20000, 10000, 1);
    d.AddBaseLink(a->GetNumID(), b->GetNumID(), 3, 1, 2);
    d.AddBaseTable(0, 100000, 50000, 20000);
    d.AddBasePolyText(0, 130000);
    d.AddBaseRank(0, 140000, 30000, 6000);
    d.AddBaseNutriScore(0, 150000, 40000, 15000);
    d.AddBaseLevel(70000, 100000, 8000);
    d.AddBaseSymbol(70000, 130000);
    d.AddBaseBezier(chain);
    d.AddBaseDimAngle(0, 0, 10000, 0, 0, 0, 0, 10000, 3000, -4000);
    d.AddBaseSector3P(0, 0, 4000, 0, 10000, 0, 0.0f, 120.0f);
    d.AddBasePackage(90000, 0, 30000, 20000);
    d.AddBaseRichText(90000, 40000, 30000, 20000);
}

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
    FillEveryKind(doc);
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
