// Links between elements found by name, symbols from library files, and the
// layer defaults that new elements read.
#include "tests/document/FactoryTestSupport.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRLink.h"
#include "elements/TKVRSymbol.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/KVR.SymLibrary.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace FactoryTest;

namespace {

TKVRFlow* NamedFlow(TKVRBaseLabel& aDoc, const QString& aName, int64_t aX, bool aCopy = false)
{
    auto* f = aCopy ? new TKVRFlow(&aDoc, true) : TKVRFactory::AddBaseFlow(&aDoc, aX, 0, 20000, 10000, 1);
    if (aCopy)
        f->SetBase(2, 20000, 10000);
    f->SetID(aName);
    return f;
}

TEST(FactoryLink, ByNamesWithTheSymbolsAnchorOffset)
{
    TKVRSharedFMX doc;
    SetUpLayers(doc);
    TKVRFlow* a = NamedFlow(doc, QStringLiteral("A"), 0);
    TKVRFlow* b = NamedFlow(doc, QStringLiteral("B"), 50000);
    TKVRSymbol* s = TKVRFactory::AddBaseSymbol(&doc, 100000, 0);
    s->SetID(QStringLiteral("S"));

    TKVRLink* l = TKVRFactory::AddLink(&doc, QStringLiteral("A"), QStringLiteral("B"), 2, 4, 1);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->GetFromID(), a->GetNumID());
    EXPECT_EQ(l->GetToID(), b->GetNumID());
    EXPECT_EQ(l->GetFromIndex(), 2);
    EXPECT_EQ(l->GetToIndex(), 4);
    EXPECT_EQ(l->GetLinkType(), 1);
    EXPECT_EQ(l->GetColor(), LayerColor);
    EXPECT_EQ(l->GetBasePenWidth(), LayerPen);
    // The link's elbow was laid out from both ends: right side of A, left side of B.
    EXPECT_EQ(l->FromPoint, (TKVRPto{20000, 5000}));
    EXPECT_EQ(l->ToPoint, (TKVRPto{50000, 5000}));

    TKVRLink* toSymbol = TKVRFactory::AddLink(&doc, QStringLiteral("S"), QStringLiteral("A"), 1, 3, 0);
    ASSERT_NE(toSymbol, nullptr);
    EXPECT_EQ(toSymbol->GetFromID(), s->GetNumID());
    EXPECT_EQ(toSymbol->GetFromIndex(), 51);
    EXPECT_EQ(toSymbol->GetToIndex(), 3);
}

TEST(FactoryLink, NothingForMissingNamesElementsWithoutAnchorsOrCopies)
{
    TKVRSharedFMX doc;
    NamedFlow(doc, QStringLiteral("A"), 0);
    TKVRFactory::AddBaseLine(&doc, 0, 0, 1000, 0)->SetID(QStringLiteral("L"));
    NamedFlow(doc, QStringLiteral("C"), 0, true);  // a per-cell copy only
    const int32_t before = doc.GetItemsCount();

    EXPECT_EQ(TKVRFactory::AddLink(&doc, QStringLiteral("A"), QStringLiteral("nobody"), 1, 1, 0), nullptr);
    EXPECT_EQ(TKVRFactory::AddLink(&doc, QStringLiteral("nobody"), QStringLiteral("A"), 1, 1, 0), nullptr);
    EXPECT_EQ(TKVRFactory::AddLink(&doc, QStringLiteral("A"), QStringLiteral("L"), 1, 1, 0), nullptr);
    EXPECT_EQ(TKVRFactory::AddLink(&doc, QStringLiteral("C"), QStringLiteral("A"), 1, 1, 0), nullptr);
    EXPECT_EQ(TKVRFactory::AddLink(&doc, QStringLiteral("A"), QStringLiteral("C"), 1, 1, 0), nullptr);
    EXPECT_EQ(TKVRFactory::AddLink(&doc, QString(), QStringLiteral("A"), 1, 1, 0), nullptr);
    EXPECT_EQ(doc.GetItemsCount(), before);
    EXPECT_EQ(doc.SearchItem(QStringLiteral("C"), false), nullptr);
}

TEST(FactoryLink, ACopyListedFirstNeverStandsForItsOriginal)
{
    TKVRSharedFMX doc;
    NamedFlow(doc, QStringLiteral("D"), 0, true);
    TKVRFlow* original = NamedFlow(doc, QStringLiteral("D"), 40000);
    TKVRFlow* other = NamedFlow(doc, QStringLiteral("E"), 80000);
    EXPECT_EQ(doc.SearchItem(QStringLiteral("D"), false), original);
    TKVRLink* l = TKVRFactory::AddLink(&doc, QStringLiteral("E"), QStringLiteral("D"), 0, 0, 0);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->GetFromID(), other->GetNumID());
    EXPECT_EQ(l->GetToID(), original->GetNumID());
}

// ---------------------------------------------------------------- symbols

std::unique_ptr<TKVRBaseLibSymbol> Definition(const char* aName)
{
    const std::string text = std::string("{\"Version\":1,\"Name\":\"") + aName +
                             "\",\"Category\":\"Tests\",\"ID\":\"{T}\",\"Units\":\"mm\",\"InsertX\":5,\"InsertY\":5,"
                             "\"Def\":[{\"Type\":\"PenWidth\",\"Value\":0.5},"
                             "{\"Type\":\"Circle\",\"Center\":[5,5],\"Radius\":5},"
                             "{\"Type\":\"Line\",\"Points\":[0,5,10,5]}],\"Links\":[0,5,10,5]}";
    auto symbol = std::make_unique<TKVRBaseLibSymbol>();
    QString error;
    EXPECT_TRUE(symbol->ReadJson(TJsonObject::parse(text), error)) << error.toStdString();
    return symbol;
}

class FactorySymbol : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const auto gear = Definition("Gear");
        const auto valve = Definition("Valve");
        KVRSymLib::WriteFile(dir.filePath(QStringLiteral("parts.lyp")), {gear.get(), valve.get()});
        SetUpLayers(doc);
        doc.SetLibraryFolder(dir.path());
    }
    QTemporaryDir dir;
    TKVRSharedFMX doc;
};

TEST_F(FactorySymbol, ByLibraryAndNameTakesNoLayerDefaults)
{
    TKVRSymbol* s = TKVRFactory::AddSymbol(&doc, 10.0f, 20.0f, QStringLiteral("parts.lyp"), QStringLiteral("Valve"));
    ASSERT_NE(s, nullptr);
    ASSERT_NE(s->GetSymbol(), nullptr);
    EXPECT_EQ(s->GetSymbol()->GetName(), QStringLiteral("Valve"));
    EXPECT_EQ(doc.GetCurSymbol().get(), s->GetSymbol());
    EXPECT_EQ(s->GetPoints(), (std::vector<TKVRPto>{{10000, 20000}}));
    EXPECT_NE(s->GetColor(), LayerColor);
    EXPECT_NE(s->GetBasePenWidth(), LayerPen);
    // Its link points are anchors: the left one 5 mm left of the insertion point.
    EXPECT_EQ(s->QueryInterface<IKVRLinkTarget>()->GetAnchor(1), (TKVRPto{5000, 20000}));

    // The current symbol stays for the next one; the name without its extension finds the file too.
    TKVRSymbol* again = TKVRFactory::AddBaseSymbol(&doc, 0, 0);
    EXPECT_EQ(again->GetSymbol(), s->GetSymbol());
    TKVRSymbol* gear = TKVRFactory::AddSymbol(&doc, 0, 0, QStringLiteral("parts"), QStringLiteral("Gear"));
    ASSERT_NE(gear, nullptr);
    EXPECT_EQ(gear->GetSymbol()->GetName(), QStringLiteral("Gear"));
}

TEST_F(FactorySymbol, NothingWhenTheSymbolCannotBeLoaded)
{
    ASSERT_TRUE(doc.LoadSymbolByName(QStringLiteral("parts.lyp"), QStringLiteral("Gear")));
    const auto current = doc.GetCurSymbol();
    QFile bad(dir.filePath(QStringLiteral("bad.lyp")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("[{\"Version\":1,\"Name\":");
    bad.close();

    EXPECT_EQ(TKVRFactory::AddSymbol(&doc, 0, 0, QStringLiteral("parts.lyp"), QStringLiteral("Pump")), nullptr);
    EXPECT_EQ(TKVRFactory::AddSymbol(&doc, 0, 0, QStringLiteral("none.lyp"), QStringLiteral("Gear")), nullptr);
    EXPECT_EQ(TKVRFactory::AddSymbol(&doc, 0, 0, QStringLiteral("bad.lyp"), QStringLiteral("Gear")), nullptr);
    EXPECT_EQ(TKVRFactory::AddSymbol(&doc, 0, 0, QStringLiteral("parts.lyp"), QString()), nullptr);
    EXPECT_EQ(doc.GetItemsCount(), 0);
    EXPECT_EQ(doc.GetCurSymbol(), current);
}

// ---------------------------------------------------------------- layer defaults

}  // namespace
