// Creators keep the document in layer order, stable within a layer: after
// every creator the list is what a full stable sort of the list before it,
// plus the new element, would give, whatever happened in between (layers
// changed, elements deleted, added without sorting, pasted or loaded).
#include "tests/document/FactoryTestSupport.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRText.h"
#include <QTemporaryDir>
#include <algorithm>

using namespace FactoryTest;

namespace {

enum class TOp { Add, Relayer, Delete, Raw, Paste, Reload };

struct TStep
{
    TOp Op;
    int A = 0;  // layer (Add, Raw, Relayer) or position (Delete)
    int B = 0;  // position (Relayer), count (Raw)
};

class TOrderModel
{
public:
    explicit TOrderModel(TVXLabelFMX& aDoc) : fDoc(aDoc) {}

    void Run(const TStep& s)
    {
        switch (s.Op) {
        case TOp::Add:
            fDoc.SetActiveLayer(s.A);
            fExpected.push_back(TKVRFactory::AddLine(&fDoc, 1.0f, 1.0f, 2.0f, float(fExpected.size())));
            Sort();
            break;
        case TOp::Relayer:
            if (!fExpected.empty())
                fExpected[size_t(s.B) % fExpected.size()]->SetLayer(s.A);
            break;
        case TOp::Delete:
            if (!fExpected.empty()) {
                TKVRBaseItem* gone = fExpected[size_t(s.A) % fExpected.size()];
                fExpected.erase(std::find(fExpected.begin(), fExpected.end(), gone));
                fDoc.DeleteItem(fDoc.IndexOf(gone));
            }
            break;
        case TOp::Raw:
            // Constructed straight onto the list: nothing sorts them.
            fDoc.SetActiveLayer(s.A);
            for (int i = 0; i < s.B; ++i)
                fExpected.push_back(new TKVRText(&fDoc));
            break;
        case TOp::Paste: {
            const std::vector<TKVRBaseItem*> some(fExpected.begin(),
                                                  fExpected.begin() + std::min<ptrdiff_t>(3, ptrdiff_t(fExpected.size())));
            fDoc.CopyToClipboard(some);
            const int32_t before = fDoc.GetItemsCount();
            fDoc.PasteSelection();
            Resync(before);
            break;
        }
        case TOp::Reload: {
            QTemporaryDir dir;
            const QString file = dir.filePath(QStringLiteral("order.eti"));
            ASSERT_TRUE(fDoc.SaveToFile(file, KVRExt::Binary));
            ASSERT_TRUE(fDoc.LoadFromFile(file));
            Resync(0);
            break;
        }
        }
    }

    void Check(const char* aWhere) const
    {
        ASSERT_EQ(fDoc.GetItemsCount(), int32_t(fExpected.size())) << aWhere;
        for (size_t i = 0; i < fExpected.size(); ++i)
            ASSERT_EQ(fDoc.GetItem(int32_t(i + 1)), fExpected[i])
                << aWhere << ": element " << i + 1 << " of layer " << fDoc.GetItem(int32_t(i + 1))->GetLayer();
    }

private:
    void Sort()
    {
        std::stable_sort(fExpected.begin(), fExpected.end(),
                         [](const TKVRBaseItem* a, const TKVRBaseItem* b) { return a->GetLayer() < b->GetLayer(); });
    }

    // After a paste or a load the document's own list is the reference from
    // element aFrom on (its order is checked by the next creator).
    void Resync(int32_t aFrom)
    {
        fExpected.resize(size_t(aFrom));
        for (int32_t i = aFrom + 1; i <= fDoc.GetItemsCount(); ++i)
            fExpected.push_back(fDoc.GetItem(i));
    }

    TVXLabelFMX& fDoc;
    std::vector<TKVRBaseItem*> fExpected;
};

}  // namespace

TEST(FactoryLayerOrder, CreatorsLeaveTheDocumentAsAFullStableSortWould)
{
    const std::vector<std::vector<TStep>> scripts = {
        // Plain runs over three layers, lower and higher than what is there.
        {{TOp::Add, 1}, {TOp::Add, 0}, {TOp::Add, 2}, {TOp::Add, 1}, {TOp::Add, 0}, {TOp::Add, 2}, {TOp::Add, 0}},
        // A layer changed in the sorted part: the next creator sorts it in.
        {{TOp::Add, 2}, {TOp::Add, 1}, {TOp::Add, 0}, {TOp::Relayer, 2, 0}, {TOp::Add, 1}, {TOp::Relayer, 0, 3},
         {TOp::Add, 2}},
        // Deletions before and after the new element's place.
        {{TOp::Add, 0}, {TOp::Add, 1}, {TOp::Add, 2}, {TOp::Add, 1}, {TOp::Delete, 1}, {TOp::Add, 0},
         {TOp::Delete, 0}, {TOp::Delete, 2}, {TOp::Add, 1}},
        // A few and many elements added unsorted, then a creator.
        {{TOp::Add, 2}, {TOp::Raw, 0, 2}, {TOp::Add, 1}, {TOp::Raw, 1, 12}, {TOp::Raw, 0, 3}, {TOp::Add, 2},
         {TOp::Add, 0}},
        // Pasted and reloaded elements, then creators.
        {{TOp::Add, 2}, {TOp::Add, 0}, {TOp::Add, 1}, {TOp::Paste}, {TOp::Add, 0}, {TOp::Relayer, 1, 0},
         {TOp::Reload}, {TOp::Add, 2}, {TOp::Add, 0}},
    };
    for (size_t n = 0; n < scripts.size(); ++n) {
        SCOPED_TRACE(n);
        TVXLabelFMX doc;
        SetUpLayers(doc);
        TOrderModel model(doc);
        for (const TStep& step : scripts[n]) {
            model.Run(step);
            model.Check("after a step");
        }
    }
}

// A long mixed run: every creator's result against the full sort.
TEST(FactoryLayerOrder, LongMixedRunMatchesTheFullSort)
{
    TVXLabelFMX doc;
    SetUpLayers(doc);
    TOrderModel model(doc);
    uint32_t seed = 12345;
    const auto next = [&seed](uint32_t aBelow) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % aBelow);
    };
    for (int i = 0; i < 400; ++i) {
        const int pick = next(20);
        if (pick < 14)
            model.Run({TOp::Add, next(3)});
        else if (pick < 16)
            model.Run({TOp::Relayer, next(3), next(1000)});
        else if (pick < 18)
            model.Run({TOp::Delete, next(1000)});
        else
            model.Run({TOp::Raw, next(3), 1 + next(10)});
        model.Check("in the run");
        if (HasFatalFailure())
            return;
    }
}
