// Numeric ids of elements read into a document (paste, single-element
// stream): every element keeps one of its own, whether the id read is taken
// by the document, by another pasted element, or is the one a renumbered
// element would otherwise get.
#include "document/KVR.FMX.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRLink.h"
#include "tests/support/LabelDocuments.h"
#include <QBuffer>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

struct TPasteIds
{
    const char* Name;
    int32_t DocumentElements;  // ids 1..n
    std::vector<int32_t> PastedIds;
};

void PrintTo(const TPasteIds& aCase, std::ostream* aOut)
{
    *aOut << aCase.Name;
}

class PasteIds : public ::testing::TestWithParam<TPasteIds>
{};

TEST_P(PasteIds, EveryElementHasAnIdOfItsOwn)
{
    const TPasteIds& c = GetParam();
    TVXLabelFMX source;
    std::vector<TKVRBaseItem*> copied;
    for (int32_t id : c.PastedIds) {
        auto* flow = new TKVRFlow(&source, false);
        flow->SetNumID(id);
        copied.push_back(flow);
    }
    source.CopyToClipboard(copied);

    TVXLabelFMX doc;
    for (int32_t i = 0; i < c.DocumentElements; ++i)
        new TKVRFlow(&doc, false);
    doc.GetClipboard().setData(source.GetClipboard().data());
    doc.PasteSelection();
    ASSERT_EQ(doc.GetItemsCount(), c.DocumentElements + int32_t(c.PastedIds.size()));
    std::set<int32_t> ids;
    for (int32_t i = 1; i <= doc.GetItemsCount(); ++i) {
        const int32_t id = doc.GetItem(i)->GetNumID();
        EXPECT_GT(id, 0);
        EXPECT_TRUE(ids.insert(id).second) << "id " << id << " twice";
    }
    // The document's own elements keep theirs.
    for (int32_t i = 1; i <= c.DocumentElements; ++i)
        EXPECT_EQ(doc.GetItem(i)->GetNumID(), i);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasteIds,
    ::testing::Values(TPasteIds{"TakenThenTheNextFree", 5, {5, 6}}, TPasteIds{"TwicePastedFree", 1, {9, 9}},
                      TPasteIds{"TwicePastedTaken", 3, {3, 3}}, TPasteIds{"TakenAndHigherOnes", 2, {1, 3, 4, 2}},
                      TPasteIds{"RepeatedAndTaken", 2, {4, 4, 2}}),
    [](const auto& aInfo) { return std::string(aInfo.param.Name); });

// A pasted link keeps joining what it joined: the first pasted element of
// an id, renumbered when the document has that id.
TEST(PasteIdsLinks, LinksFollowTheFirstElementOfTheirId)
{
    TVXLabelFMX source;
    auto* a = new TKVRFlow(&source, false);
    auto* twin = new TKVRFlow(&source, false);
    auto* b = new TKVRFlow(&source, false);
    a->SetNumID(2);
    twin->SetNumID(2);
    b->SetNumID(7);
    auto* link = new TKVRLink(&source, false);
    link->SetNumID(8);
    link->SetFromID(2);
    link->SetToID(7);
    source.CopyToClipboard({a, twin, b, link});

    TVXLabelFMX doc;
    new TKVRFlow(&doc, false);
    new TKVRFlow(&doc, false);  // ids 1 and 2: the pasted 2 is taken
    doc.GetClipboard().setData(source.GetClipboard().data());
    doc.PasteSelection();
    ASSERT_EQ(doc.GetItemsCount(), 6);
    const auto* pasted = dynamic_cast<const TKVRLink*>(doc.GetItem(6));
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(doc.FindNumID(pasted->GetFromID()), doc.GetItem(3));
    EXPECT_EQ(doc.FindNumID(pasted->GetToID()), doc.GetItem(5));
    EXPECT_EQ(doc.GetItem(5)->GetNumID(), 7);
    EXPECT_NE(doc.GetItem(4)->GetNumID(), doc.GetItem(3)->GetNumID());
}

TKVRBaseItem* ReadElement(TVXLabelFMX& aDoc, const TKVRBaseItem& aItem)
{
    QByteArray bytes = ElementRecord(aItem);
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    return aDoc.CreateElementFromStream(in);
}

// An element read on its own keeps its id while no other element has it,
// and a link read on its own keeps joining what it joined.
TEST(ElementStreamIds, AnIdTakenIsReplacedAndAFreeOneKept)
{
    TVXLabelFMX source;
    auto* flow = new TKVRFlow(&source, false);
    auto* link = new TKVRLink(&source, false);
    link->SetFromID(1);
    link->SetToID(2);

    TVXLabelFMX doc;
    for (int i = 0; i < 3; ++i)
        new TKVRFlow(&doc, false);
    struct
    {
        int32_t Read;
        bool Kept;
    } cases[] = {{2, false}, {9, true}, {9, false}, {0, true}};
    for (const auto& c : cases) {
        flow->SetNumID(c.Read);
        const TKVRBaseItem* item = ReadElement(doc, *flow);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->GetNumID() == c.Read, c.Kept) << "read " << c.Read << ", given " << item->GetNumID();
        EXPECT_EQ(doc.GetItem(2)->GetNumID(), 2);
    }
    std::set<int32_t> ids;
    for (int32_t i = 1; i <= doc.GetItemsCount(); ++i) {
        if (doc.GetItem(i)->GetNumID() > 0) {
            EXPECT_TRUE(ids.insert(doc.GetItem(i)->GetNumID()).second) << doc.GetItem(i)->GetNumID();
        }
    }
    EXPECT_EQ(ids.size(), 6u);  // three flows, and three of the four read (one read 0)
    link->SetNumID(3);
    const auto* read = dynamic_cast<const TKVRLink*>(ReadElement(doc, *link));
    ASSERT_NE(read, nullptr);
    EXPECT_FALSE(ids.count(read->GetNumID()));
    EXPECT_GT(read->GetNumID(), 0);
    EXPECT_EQ(read->GetFromID(), 1);
    EXPECT_EQ(read->GetToID(), 2);
}

}  // namespace
