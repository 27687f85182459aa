// Rows of values an element lays out itself, across a save and a reload
// (.eti and JSON): the grid shows them laid out before anything is drawn,
// takes no edit of them (the layout would undo it) and offers in a list only
// the entries the element may take.
#include "inspector/KVR.FMX.Inspector.h"
#include "platform/rtl/model/TKVRBaseArc.h"
#include "platform/rtl/model/TKVRBaseArrowLine.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/model/TKVRBaseFlow.h"
#include "platform/rtl/model/TKVRBaseLink.h"
#include <QComboBox>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

std::string K(const char* aPrefix, int aPart) { return aPrefix + std::to_string(aPart); }

constexpr int DimKindPos = 560;
int XPos(int aPoint) { return 1000 + 2 * aPoint; }
int YPos(int aPoint) { return 1001 + 2 * aPoint; }

struct TPart
{
    int Row = -1, Part = 0, Top = 0;
};

TPart Find(const TKVRBaseInspector& aGrid, int aPos, int aCode)
{
    int top = 0;
    for (int r = 0; r < int(aGrid.GetRows().size()); ++r) {
        const TJsonObject& row = aGrid.GetRows()[size_t(r)];
        for (int j = 1; j <= row["N"].get<int>(); ++j)
            if (row[K("P", j)] == aPos && (row[K("Prop", j)].get<int>() & 0xFF) == aCode)
                return {r, j, top};
        top += row["H"].get<int>();
    }
    return {};
}

void ClickBox(TKVRBaseInspector& aGrid, const TPart& aPart, int aCode)
{
    const TJsonObject& row = aGrid.GetRows()[size_t(aPart.Row)];
    const TKVRInsCol col = TKVRInsCol(row[K("C", aPart.Part)].get<int>());
    const QPoint at(int(XPosCtrl(col, TKVRInsProp(aCode), 10) + WidthCtrl(col, TKVRInsProp(aCode), 10) / 2),
                    aPart.Top + row[K("TV", aPart.Part)].get<int>() + int(HeightCtrl(TKVRInsProp(aCode), 96) / 2));
    QTest::mouseClick(aGrid.viewport(), Qt::LeftButton, {}, at);
}

// The n-th element (from 0) of kind aKind.
TKVRBaseItem* Nth(const TVXLabelFMX& aDoc, int aKind, int aNth)
{
    for (int32_t i = 1; i <= aDoc.GetItemsCount(); ++i)
        if (aDoc.GetItem(i)->GetKind() == aKind && aNth-- == 0)
            return aDoc.GetItem(i);
    return nullptr;
}

constexpr int ArrowKind = 3, ArcKind = 5, LinkKind = 18, DimKind = 26;

TEST(InspectorLaidOut, ReloadedElementsShowLaidOutPointsAndTakeOnlyWhatTheyKeep)
{
    QTemporaryDir dir;
    TVXLabelFMX doc;
    auto* arrow = doc.AddBaseArrowLine(0, 0, 60000, 0);
    arrow->SetText(QStringLiteral("Caption"));
    arrow->SetTextPos(4);  // in a gap of the line
    doc.AddBaseArc(0, 20000, 10000, 10000, 20000, 20000);
    auto* a = doc.AddBaseFlow(0, 50000, 20000, 10000, 1);
    auto* b = doc.AddBaseFlow(60000, 80000, 20000, 10000, 1);
    doc.AddBaseLink(a->GetNumID(), b->GetNumID(), 2, 4, 1);  // elbow: its points follow the ends
    doc.AddBaseLink(a->GetNumID(), b->GetNumID(), 3, 1, 4);  // arc: its pass point is the user's
    doc.AddBaseDim(0, 100000, 40000, 100000, 20000, 110000);
    doc.AddBaseDimRadial1(20000, 150000, 10000, 0.5f);
    // The places the layout gives, as a drawing would leave them.
    for (int32_t i = 1; i <= doc.GetItemsCount(); ++i)
        doc.GetItem(i)->CalcValues(0);
    ASSERT_NE(arrow->GetPoint(3).X, 0);

    struct TCase
    {
        const char* Name;
        int Kind, Nth;
        std::vector<int> Shown;     // laid-out points: shown, not taken
        std::vector<int> Editable;  // the user's points
    };
    const TCase cases[] = {
        {"arrow line", ArrowKind, 0, {3, 4}, {1, 2}},
        {"arc", ArcKind, 0, {1, 2, 3}, {}},
        {"elbow connector", LinkKind, 0, {1}, {}},
        {"arc connector", LinkKind, 1, {}, {1}},
    };
    for (const auto& [suffix, format] : {std::pair{".eti", KVRExt::Binary}, std::pair{".json", KVRExt::Json}}) {
        SCOPED_TRACE(suffix);
        const QString file = dir.filePath(QStringLiteral("laid-out") + QLatin1String(suffix));
        ASSERT_TRUE(doc.SaveToFile(file, format));
        TVXLabelFMX loaded;
        ASSERT_TRUE(loaded.LoadFromFile(file));
        TKVRInspector grid;
        grid.resize(240, 1500);
        grid.SetLabel(&loaded);
        grid.show();
        for (const TCase& c : cases) {
            SCOPED_TRACE(c.Name);
            TKVRBaseItem* saved = Nth(doc, c.Kind, c.Nth);
            TKVRBaseItem* item = Nth(loaded, c.Kind, c.Nth);
            ASSERT_TRUE(saved && item);
            loaded.SelectItem(item, false);
            for (const int k : c.Shown)
                for (const bool x : {true, false}) {
                    SCOPED_TRACE((x ? "X" : "Y") + std::to_string(k));
                    const int pos = x ? XPos(k) : YPos(k);
                    const TPart part = Find(grid, pos, KVRInsProp::Number);
                    ASSERT_GE(part.Row, 0);
                    const TJsonObject& row = grid.GetRows()[size_t(part.Row)];
                    // As saved, up to the micrometres an arc's points may
                    // keep from where they were put.
                    const int64_t place = x ? item->GetPoint(k).X : item->GetPoint(k).Y;
                    const int64_t was = x ? saved->GetPoint(k).X : saved->GetPoint(k).Y;
                    EXPECT_LE(std::llabs(place - was), TKVRBaseArc::PointSlack);
                    EXPECT_NEAR(row[K("Value", part.Part)].get<double>(), item->FromBase(place), 1e-9);
                    EXPECT_EQ(row.value(K("RO", part.Part), false), true);
                    ClickBox(grid, part, KVRInsProp::Number);
                    EXPECT_FALSE(grid.GetEdit().Active);
                    // Sent anyway: the element keeps its place and says so.
                    const TJsonObject reply = loaded.UpdateProp(KVRInsProp::Number, 0, KVRInsTypeBase::Points, pos,
                                                                {{"ext", item->FromBase(place) + 5}});
                    EXPECT_EQ(x ? item->GetPoint(k).X : item->GetPoint(k).Y, place);
                    EXPECT_NEAR(reply.value("ext", 0.0), item->FromBase(place), 1e-9);
                }
            for (const int k : c.Editable) {
                SCOPED_TRACE("X" + std::to_string(k));
                const TPart part = Find(grid, XPos(k), KVRInsProp::Number);
                ASSERT_GE(part.Row, 0);
                EXPECT_FALSE(grid.GetRows()[size_t(part.Row)].value(K("RO", part.Part), false));
                ClickBox(grid, part, KVRInsProp::Number);
                EXPECT_TRUE(grid.GetEdit().Active);
                const int64_t x = item->GetPoint(k).X + 5000;
                loaded.UpdateProp(KVRInsProp::Number, 0, KVRInsTypeBase::Points, XPos(k), {{"ext", item->FromBase(x)}});
                EXPECT_EQ(item->GetPoint(k).X, x);
            }
        }
        // A dimension's kind changes within its family only: the list offers
        // that family, for a linear and a radial dimension.
        struct TFamily
        {
            int Nth, First, Last;
        };
        for (const TFamily f : {TFamily{0, KVRDimType::Aligned, KVRDimType::Vertical},
                                TFamily{1, KVRDimType::Radial1, KVRDimType::Diameter2}}) {
            SCOPED_TRACE(f.Nth);
            TKVRBaseItem* dim = Nth(loaded, DimKind, f.Nth);
            ASSERT_TRUE(dim);
            loaded.SelectItem(dim, false);
            const TPart part = Find(grid, DimKindPos, KVRInsProp::List);
            ASSERT_GE(part.Row, 0);
            ClickBox(grid, part, KVRInsProp::List);
            QComboBox* list = grid.GetComboList();
            ASSERT_TRUE(list->isVisible());
            auto* view = qobject_cast<QListView*>(list->view());
            ASSERT_TRUE(view);
            QStringList offered;
            for (int i = 0; i < list->count(); ++i)
                if (!view->isRowHidden(i))
                    offered << list->itemText(i);
            QStringList family;
            for (int t = f.First; t <= f.Last; ++t)
                family << ItemList(KVRListProp::DimTypes, t);
            EXPECT_EQ(offered.join(u'|').toStdString(), family.join(u'|').toStdString());
            EXPECT_EQ(list->currentIndex(), int(static_cast<TKVRBaseDim*>(dim)->GetDimType()));
            // The last of the family is taken.
            emit list->activated(f.Last);
            EXPECT_EQ(static_cast<TKVRBaseDim*>(dim)->GetDimType(), f.Last);
        }
    }
}

}  // namespace
