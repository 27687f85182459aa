#include "tests/rtl/model/ModelTestSupport.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/model/TKVRBaseLine.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

using TLine = TConcrete<TKVRBaseLine>;
using TDim = TConcrete<TKVRBaseDim>;

// A document with layers 0..3 ("0", "A", "B", "C") and one line on each.
struct TLayeredDoc
{
    TKVRBaseLabel Doc;
    std::vector<TLine*> Lines;
    TLayeredDoc()
    {
        for (const char* name : {"A", "B", "C"})
            Doc.AddLayer(QString::fromLatin1(name));
        for (int32_t i = 0; i < Doc.GetLayerCount(); ++i) {
            Doc.SetActiveLayer(i);
            Lines.push_back(new TLine(&Doc, false));
        }
    }
    QString Names() const
    {
        QStringList names;
        Doc.GetLayersNames(names);
        return names.join(QLatin1Char(','));
    }
    std::vector<int32_t> ItemLayers() const
    {
        std::vector<int32_t> out;
        for (const TLine* l : Lines)
            out.push_back(l->GetLayer());
        return out;
    }
};

TEST(LayerOps, ExchangeMovesElementsActiveAndBackgroundWithTheirLayers)
{
    TLayeredDoc t;
    ASSERT_EQ(t.Doc.GetLayersCount(), 4);
    t.Doc.SetActiveLayer(3);
    t.Doc.SetBackLayer(3);  // counts from 1: layer index 2, "B"
    t.Doc.SetImgReload(false);
    ASSERT_TRUE(t.Doc.ExchangeLayers(3, 2));
    EXPECT_EQ(t.Names(), "0,A,C,B");
    EXPECT_EQ(t.ItemLayers(), (std::vector<int32_t>{0, 1, 3, 2}));
    EXPECT_EQ(t.Doc.GetActiveLayer()->GetName(), "C");
    EXPECT_EQ(t.Doc.FindLayer(t.Doc.GetBackLayer() - 1)->GetName(), "B");
    EXPECT_TRUE(t.Doc.GetImgReload());
    for (int32_t i = 0; i < t.Doc.GetLayerCount(); ++i)
        EXPECT_EQ(t.Doc.GetLayer(i)->GetIndex(), i);
    // A swap that touches neither leaves the background picture alone.
    t.Doc.SetImgReload(false);
    ASSERT_TRUE(t.Doc.ExchangeLayers(0, 1));
    EXPECT_FALSE(t.Doc.GetImgReload());
    EXPECT_FALSE(t.Doc.ExchangeLayers(3, 4));
    EXPECT_FALSE(t.Doc.ExchangeLayers(-1, 0));
}

TEST(LayerOps, DeleteSendsElementsToTheDefaultLayerAndRenumbersTheRest)
{
    struct TCase
    {
        int32_t Gone, Active, Back;
        bool Done;
        const char* Names;
        std::vector<int32_t> Items;
        int32_t ActiveAfter, BackAfter;
    };
    const TCase cases[] = {
        {1, 1, 2, true, "0,B,C", {0, 0, 1, 2}, 0, 0},   // active and background deleted
        {2, 3, 4, true, "0,A,C", {0, 1, 0, 2}, 2, 3},   // those above move down
        {3, 1, 0, true, "0,A,B", {0, 1, 2, 0}, 1, 0},   // the last; no background stays none
        {0, 2, 1, false, "0,A,B,C", {0, 1, 2, 3}, 2, 1}, // the default layer stays
        {4, 2, 1, false, "0,A,B,C", {0, 1, 2, 3}, 2, 1}, // no such layer
    };
    for (const TCase& c : cases) {
        TLayeredDoc t;
        t.Doc.SetActiveLayer(c.Active);
        t.Doc.SetBackLayer(c.Back);
        EXPECT_EQ(t.Doc.DeleteLayer(c.Gone), c.Done) << c.Gone;
        EXPECT_EQ(t.Names(), c.Names) << c.Gone;
        EXPECT_EQ(t.ItemLayers(), c.Items) << c.Gone;
        EXPECT_EQ(t.Doc.GetActiveLayerIndex(), c.ActiveAfter) << c.Gone;
        EXPECT_EQ(t.Doc.GetBackLayer(), c.BackAfter) << c.Gone;
    }
}

TEST(LayerOps, LayerOrderFollowsAnExchange)
{
    TLayeredDoc t;
    t.Doc.SetLayerZOrder(true);
    ASSERT_TRUE(t.Doc.ExchangeLayers(0, 3));
    for (int32_t i = 2; i <= t.Doc.GetItemsCount(); ++i)
        EXPECT_LE(t.Doc.GetItem(i - 1)->GetLayer(), t.Doc.GetItem(i)->GetLayer());
    EXPECT_EQ(t.Doc.GetItem(1), t.Lines[3]);
}

TEST(LayerOps, TypedLengthsRoundHalfToEvenMicrometres)
{
    TKVRLayer l(0);
    l.SetPenWidth(0.0625f);  // 62.5 µm
    EXPECT_EQ(l.PenWidth, 62);
    l.SetPenWidth(0.1875f);  // 187.5 µm
    EXPECT_EQ(l.PenWidth, 188);
    l.SetPenWidth(-1.0f);
    EXPECT_EQ(l.PenWidth, 0);
    l.SetFontHeight(3.5f);
    EXPECT_EQ(l.FontHeight, 3500);
    l.SetImgMarTop(-2.0f);
    l.SetImgMarLeft(std::numeric_limits<float>::quiet_NaN());
    l.SetImgMarRight(4.25f);
    EXPECT_EQ(l.GetImgMarTop(), 0.0f);
    EXPECT_EQ(l.GetImgMarLeft(), 0.0f);
    EXPECT_EQ(l.GetImgMarRight(), 4.25f);
}

TEST(DimStyleOps, DeleteKeepsEveryOtherDimensionOnItsStyle)
{
    TKVRBaseLabel doc;
    for (const char* name : {"B", "C", "D"})
        doc.AddDimStyle()->SetName(QString::fromLatin1(name));
    std::vector<TDim*> dims;
    for (int32_t s = 0; s < 4; ++s) {
        dims.push_back(new TDim(&doc, TVXDimType(0), false));
        dims.back()->SetDimStyleIndex(s);
    }
    doc.SetActiveDimStyle(2);  // "C"
    ASSERT_TRUE(doc.DeleteActiveDimStyle());
    EXPECT_EQ(doc.GetDimStylesCount(), 3);
    EXPECT_EQ(doc.GetActiveDimStyleIndex(), 0);
    std::vector<QString> names;
    for (const TDim* d : dims)
        names.push_back(d->GetDimStyle().GetName());
    EXPECT_EQ(names, (std::vector<QString>{"Standard", "B", "Standard", "D"}));
    // The default style is never deleted.
    EXPECT_FALSE(doc.DeleteActiveDimStyle());
    EXPECT_EQ(doc.GetDimStylesCount(), 3);
}

TEST(DimStyleOps, ResetMendsTheActiveStyleAndCalcLaysDimensionsOutAgain)
{
    TKVRBaseLabel doc;
    doc.AddDimStyle();
    doc.SetActiveDimStyle(7);
    doc.ResetDimStyles();
    EXPECT_EQ(doc.GetActiveDimStyleIndex(), 0);
    EXPECT_EQ(doc.GetDimStylesCount(), 2);

    auto* d = new TDim(&doc, TVXDimType(0), false);
    doc.CalcDimPoints(d, 0, 0, 40000, 0, 20000, -10000);
    ASSERT_EQ(d->GetPoint(7), (TKVRPto{0, -12000}));
    doc.GetDimStyle(0).SetExtGap(0.5f);
    doc.GetDimStyle(0).SetDimBreak(0.25f);
    doc.CalcDimValues();
    EXPECT_EQ(d->GetPoint(7), (TKVRPto{0, -10500}));
    EXPECT_EQ(d->GetPoint(3), (TKVRPto{0, -250}));
}

TEST(DimStyleOps, MillimetreViewsAndTheGapNeverPassesTheSize)
{
    TKVRDimStyle s;
    s.SetExtSize(2.0f);
    s.SetExtGap(0.5f);
    EXPECT_EQ(s.GetLeaderLength(), 2000);
    EXPECT_EQ(s.GetExtBeyond(), 500);
    EXPECT_FLOAT_EQ(s.GetExtGap(), 0.5f);
    s.SetExtSize(0.3f);
    EXPECT_EQ(s.GetExtBeyond(), 300);
    EXPECT_FLOAT_EQ(s.GetExtSize(), 0.3f);
    s.SetDimBreak(0.0625f);  // 62.5 µm rounds to even
    EXPECT_EQ(s.GetExtOffset(), 62);
    s.SetDimBreak(-3.0f);
    EXPECT_EQ(s.GetExtOffset(), 0);
}

}  // namespace
