// Editing geometry of every kind, on the factory's every-kind document: hit
// tests at the tolerance, insides, rectangles, snaps, sizing handles past the
// opposite edge, point deletes down to the least count and quarter turns.
#include "tests/document/FactoryTestSupport.h"
#include "tests/support/LabelDocuments.h"
#include "elements/TKVRLine.h"
#include "platform/rtl/model/TKVRBaseBezier.h"
#include "platform/rtl/model/TKVRBasePolyLine.h"
#include "platform/rtl/model/TKVRBasePolygon.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include <cmath>
#include <map>

namespace {

constexpr int64_t Tol = 1000;

struct TEveryKind
{
    TVXLabelFMX Doc;
    std::map<int32_t, TKVRBaseItem*> ByKind;
    TEveryKind()
    {
        BuildEveryKind(Doc);
        for (int32_t i = 1; i <= Doc.GetItemsCount(); ++i) {
            TKVRBaseItem* it = Doc.GetItem(i);
            it->CalcValues(0);
            if (!ByKind.count(it->GetKind()))
                ByKind[it->GetKind()] = it;
        }
    }
};

TKVRRect BoundsLeftMiddle(const TKVRBaseItem* aItem, int64_t& aX, int64_t& aY)
{
    const TKVRRect b = aItem->GetBounds();
    aX = b.Left;
    aY = b.Top + b.Height() / 2;
    return b;
}

}  // namespace

// A point of each kind's outline (from the factory's inputs, or the laid-out
// box for kinds whose box comes from their content), the way out of it, and
// whether the middle of its bounds hits.
TEST(ElementEdit, PickAtTheToleranceAndInside)
{
    TEveryKind e;
    struct TRow
    {
        int32_t Kind;
        int64_t X, Y;   // on the outline; X = Y = INT64_MIN: the bounds' left middle
        double DX, DY;  // outwards
        bool Inside;
    };
    constexpr int64_t B = INT64_MIN;
    const TRow rows[] = {
        {1, 1000, 2000, -1, 0, true},          {2, 0, 0, -1, 0, false},
        {3, 0, 5000, -1, 0, false},           {4, 1000, 2000, -1, 0, false},
        {5, 30000, 35000, 0, 1, false},       {6, 1000, 9500, -1, 0, false},
        {7, 1000, 2000, -1, 0, false},        {8, 0, 0, -1, 0, false},
        {9, 32000, 20000, -1, 0, false},      {10, B, B, -1, 0, true},
        {11, B, B, -1, 0, true},              {12, B, B, -1, 0, true},
        {13, B, B, -1, 0, true},              {14, B, B, -1, 0, true},
        {15, B, B, -1, 0, true},              {16, B, B, -1, 0, true},
        {17, B, B, -1, 0, true},              {18, 70000, 0, 0, -1, false},
        {19, B, B, -1, 0, true},              {20, B, B, -1, 0, true},
        {21, B, B, -1, 0, true},              {22, B, B, -1, 0, true},
        {23, 62000, 100000, -1, 0, true},     {24, B, B, -1, 0, true},
        {25, 1000, 2000, -1, 0, false},       {26, 3000, -4000, 0.6, -0.8, false},
        {27, 10099, -1000, 1, 0, false},          {28, B, B, -1, 0, true},
        {29, B, B, -1, 0, true},
    };
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.Kind);
        TKVRBaseItem* it = e.ByKind.at(r.Kind);
        int64_t x = r.X, y = r.Y;
        if (x == B)
            BoundsLeftMiddle(it, x, y);
        // Diagonal ways lose a micrometre to rounding.
        const int64_t slack = (r.DX != 0 && r.DY != 0) ? 3 : 1;
        auto at = [&](double d) {
            return std::pair{x + RoundHalfEven(r.DX * d), y + RoundHalfEven(r.DY * d)};
        };
        // The ink reaches half the pen beyond the outline.
        const double reach = double(Tol) + double(it->GetBasePenWidth()) / 2.0 * it->GetDrawScale();
        const auto [ix, iy] = at(reach - double(slack));
        const auto [ox, oy] = at(reach + double(slack));
        EXPECT_TRUE(it->Pick(ix, iy, Tol, false));
        EXPECT_FALSE(it->Pick(ox, oy, Tol, false));
        const TKVRRect b = it->GetBounds();
        if (r.Inside) {
            EXPECT_TRUE(it->Pick(b.Left + b.Width() / 2, b.Top + b.Height() / 2, 0, false));
        }

        // Rectangles: the bounds hold it; one around the outline point only touches it.
        const TKVRRect around{x - 10, y - 10, x + 10, y + 10};
        EXPECT_TRUE(it->SearchRect({b.Left - 1, b.Top - 1, b.Right + 1, b.Bottom + 1}, false));
        EXPECT_TRUE(it->SearchRect(around, true));
        // The point, the factory's Bézier of three points (no whole segment) and its
        // symbol without a definition are one point here.
        if (r.Kind != KVRItemKind::Point && r.Kind != KVRItemKind::Bezier && r.Kind != KVRItemKind::Symbol) {
            EXPECT_FALSE(it->SearchRect(around, false));
        }
        const auto [fx, fy] = at(5.0 * double(Tol));
        EXPECT_FALSE(it->SearchRect({fx - 10, fy - 10, fx + 10, fy + 10}, true));
    }
}

// A shape's inside hits only while it is filled.
TEST(ElementEdit, FilledShapesHitInside)
{
    TEveryKind e;
    const int64_t curve[] = {0, 0, 1000, 0, 2000, 0, 3000, 0, 4000, 1000, 5000, 2000, 6000, 0};
    TKVRBaseItem* bezier = static_cast<TKVRBaseLabel&>(e.Doc).AddBaseBezier(curve);
    for (const int32_t kind : {6, 7, 8, 9, 25, 27}) {
        SCOPED_TRACE(kind);
        auto* shape = dynamic_cast<TKVR2DItem*>(kind == 25 ? bezier : e.ByKind.at(kind));
        ASSERT_NE(shape, nullptr);
        // A point inside every one of them: just off the centre of their box.
        const TKVRRect b = shape->GetBounds();
        const std::map<int32_t, std::pair<int64_t, int64_t>> inner{{7, {6000, 6000}}, {25, {4500, 500}}, {27, {6000, 1000}}};
        const auto [x, y] = inner.count(kind) ? inner.at(kind)
                                              : std::pair{b.Left + b.Width() / 2, b.Top + b.Height() / 2};
        // No pen: its ink (1:50 here) would cover these small shapes' middles.
        shape->SetBasePenWidth(0);
        shape->SetFilled(false);
        EXPECT_FALSE(shape->Pick(x, y, 0, false));
        shape->SetFilled(true);
        EXPECT_TRUE(shape->Pick(x, y, 0, false));
        EXPECT_FALSE(shape->Pick(x, y, 0, true));
    }
}

TEST(ElementEdit, SnapKinds)
{
    TEveryKind e;
    TKVRBaseLabel& d = e.Doc;
    const int64_t cross[] = {0, 0, 10000, 10000, 10000, 0, 0, 10000};
    TKVRBaseItem* zigzag = d.AddBasePolyLine(cross);
    struct TRow
    {
        const char* Name;
        TKVRBaseItem* Item;
        TKVRSnap Snap;
        int64_t X, Y, RefX, RefY;
        bool Found;
        int64_t WantX, WantY;
        uint8_t Shape;
    };
    const TRow rows[] = {
        {"end of the line", e.ByKind.at(2), KVRSnap::End, 10, -10, -1, -1, true, 0, 0, 0},
        {"middle of the line", e.ByKind.at(2), KVRSnap::Middle, 10010, 2490, -1, -1, true, 10000, 2500, 0},
        {"centre of the ellipse", e.ByKind.at(9), KVRSnap::Centre, 40100, 20100, -1, -1, true, 40000, 20000, 1},
        {"foot on the line", e.ByKind.at(2), KVRSnap::OnElement, 9900, 2900, -1, -1, true, 10000, 2500, 2},
        {"symbol insertion point", e.ByKind.at(24), KVRSnap::Reference, 70100, 130100, -1, -1, true, 70000, 130000, 0},
        {"polyline crossing itself", zigzag, KVRSnap::Cross, 5100, 4900, -1, -1, true, 5000, 5000, 2},
        {"tangent to the circle", e.ByKind.at(8), KVRSnap::Tangent, 7500, 4300, 15000, 0, true, 7500, 4330, 1},
        {"tangent needs a reference", e.ByKind.at(8), KVRSnap::Tangent, 7500, 4300, -1, -1, false, 0, 0, 0},
        {"perpendicular foot", e.ByKind.at(2), KVRSnap::Perpendicular, 10100, 2500, 9000, 6500, true, 10000, 2500, 2},
        {"grid is the editor's", e.ByKind.at(2), KVRSnap::Grid, 0, 0, -1, -1, false, 0, 0, 0},
        {"end beyond the tolerance", e.ByKind.at(2), KVRSnap::End, -Tol - 1, 0, -1, -1, false, 0, 0, 0},
    };
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.Name);
        TKVRRef ref;
        ref.RefX = r.RefX;
        ref.RefY = r.RefY;
        EXPECT_EQ(r.Item->CheckPoint(r.X, r.Y, Tol, r.Snap, ref), r.Found);
        EXPECT_EQ(ref.Found, r.Found);
        if (r.Found) {
            EXPECT_EQ(ref.X, r.WantX);
            EXPECT_EQ(ref.Y, r.WantY);
            EXPECT_EQ(ref.Shape, r.Shape);
        }
    }
}

// Each sizing handle of a box dragged past the opposite edge: the box flips,
// never a negative size, and the grab becomes the mirrored handle.
TEST(ElementEdit, SizingHandlesPastTheOppositeEdge)
{
    struct TRow
    {
        TKVRMoveType Type;
        int64_t X, Y;
        TKVRRect Want;
        TKVRMoveType WantType;
    };
    // The box is (1000, 2000) to (31000, 17000).
    const TRow rows[] = {
        {11, 40000, 20000, {31000, 17000, 40000, 20000}, 18}, {12, 0, 20000, {1000, 17000, 31000, 20000}, 17},
        {13, 0, 20000, {0, 17000, 1000, 20000}, 16},          {14, 40000, 0, {31000, 2000, 40000, 17000}, 15},
        {15, 0, 0, {0, 2000, 1000, 17000}, 14},               {16, 40000, 0, {31000, 0, 40000, 2000}, 13},
        {17, 0, 0, {1000, 0, 31000, 2000}, 12},               {18, 0, 0, {0, 0, 1000, 2000}, 11},
    };
    for (const TRow& r : rows) {
        SCOPED_TRACE(int(r.Type));
        TKVRSharedFMX doc;
        TKVRBaseItem* box = doc.AddBaseRectangle(1000, 2000, 30000, 15000);
        TKVRMoveType t = r.Type;
        ASSERT_TRUE(box->MovePoint(t, 0, r.X, r.Y));
        EXPECT_EQ(t, r.WantType);
        EXPECT_EQ(box->GetPoint(1), (TKVRPto{r.Want.Left, r.Want.Top}));
        EXPECT_EQ(box->GetPoint(2), (TKVRPto{r.Want.Right, r.Want.Bottom}));
    }
}

TEST(ElementEdit, DeletePointDownToTheLeastCount)
{
    TKVRSharedFMX doc;
    const int64_t three[] = {0, 0, 5000, 0, 5000, 5000};
    const int64_t seven[] = {0, 0, 1000, 0, 2000, 0, 3000, 0, 4000, 1000, 5000, 2000, 6000, 0};
    struct TRow
    {
        const char* Name;
        TKVRBaseItem* Item;
        int32_t Index;
        std::vector<int32_t> Counts;  // point count after each delete of Index
    };
    const TRow rows[] = {
        {"polyline", doc.AddBasePolyLine(three), 1, {2, 2}},
        {"polygon", doc.AddBasePolygon(three), 2, {3}},
        {"Bezier by its middle anchor", doc.AddBaseBezier(seven), 4, {4, 4}},
        {"Bezier control point", doc.AddBaseBezier(seven), 2, {7}},
        {"line has no free list", doc.AddBaseLine(0, 0, 1, 1), 1, {2}},
    };
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.Name);
        for (const int32_t want : r.Counts) {
            const int32_t before = r.Item->NumPoints();
            EXPECT_EQ(r.Item->DeletePoint(r.Index), want < before);
            EXPECT_EQ(r.Item->NumPoints(), want);
        }
    }
    // The Bézier curve lost its middle anchor with both controls beside it.
    EXPECT_EQ(rows[2].Item->GetPoints(),
              (std::vector<TKVRPto>{{0, 0}, {1000, 0}, {5000, 2000}, {6000, 0}}));
}

// Four quarter turns, or a turn and its opposite, give back every point; one
// turn swaps the width and height of the bounds.
TEST(ElementEdit, QuarterTurns)
{
    TEveryKind e;
    for (const auto& [kind, it] : e.ByKind) {
        SCOPED_TRACE(kind);
        // A dimension's points 5, 6 and 8 are laid out again from its inputs.
        auto points = [&, kind = kind, it = it] {
            std::vector<TKVRPto> p = it->GetPoints();
            if (kind == KVRItemKind::Dim)
                p = {p[0], p[1], p[2], p[3], p[6]};
            return p;
        };
        const std::vector<TKVRPto> before = points();
        const TKVRRect b = it->GetBounds();
        it->RotateLeft();
        const TKVRRect t = it->GetBounds();
        // A connector's route follows its ends, which turn with their nodes; a
        // table's height follows its rows.
        if (kind != KVRItemKind::Link && kind != KVRItemKind::Table) {
            EXPECT_NEAR(double(t.Width()), double(b.Height()), 1.0);
            EXPECT_NEAR(double(t.Height()), double(b.Width()), 1.0);
        }
        it->RotateRight();
        EXPECT_EQ(points(), before);
        for (int i = 0; i < 4; ++i)
            it->RotateLeft();
        EXPECT_EQ(points(), before);
    }
}

// Per-cell copies are never hit, snapped, moved or turned; moves stop at the
// coordinate limit.
TEST(ElementEdit, CellCopiesAndTheCoordinateLimit)
{
    TKVRSharedFMX doc;
    auto* copy = new TKVRLine(&doc, true);
    copy->SetBase(1, 0, 0);
    copy->SetBase(2, 1000, 0);
    TKVRRef ref;
    EXPECT_FALSE(copy->Pick(500, 0, Tol, false));
    EXPECT_FALSE(copy->SearchRect({-10, -10, 2000, 10}, true));
    EXPECT_FALSE(copy->CheckPoint(0, 0, Tol, KVRSnap::End, ref));
    copy->BaseMove(0, 0, 5000, 5000, 0, true);
    copy->RotateLeft();
    EXPECT_EQ(copy->GetPoints(), (std::vector<TKVRPto>{{0, 0}, {1000, 0}}));

    TKVRBaseItem* line = doc.AddBaseLine(0, 0, 1000, 0);
    line->BaseMove(0, 0, INT64_MAX, INT64_MIN, 0, true);
    EXPECT_EQ(line->GetPoints(), (std::vector<TKVRPto>{{KVRMaxCoordinate - 1000, -KVRMaxCoordinate},
                                                       {KVRMaxCoordinate, -KVRMaxCoordinate}}));
}
