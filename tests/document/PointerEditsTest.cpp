// The document's editing calls scripted as the editor's pointer and keys
// make them: grabs, drags, snaps, clicks of the drawing actions and Delete.
#include "tests/document/FactoryTestSupport.h"
#include "tests/support/LabelDocuments.h"
#include "platform/rtl/geometry/KVR.Outline.h"
#include "platform/rtl/model/KVR.Model.Edit.h"
#include "platform/rtl/model/TKVRBaseLine.h"
#include "platform/rtl/model/TKVRBasePolyLine.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseArc.h"
#include "platform/rtl/model/TKVRBaseBezier.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/model/TKVRBaseLink.h"
#include <QBuffer>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

using namespace FactoryTest;

namespace {

constexpr int64_t kGap = 2000;

// Delete as the editor's key handler sends it while selecting.
void PressDelete(TKVRBaseLabel& aDoc)
{
    if (aDoc.GetAct().fPos1 < 1)
        aDoc.DeleteSelection();
    else
        aDoc.DeletePoint(aDoc.GetAct().fPos1);
}

std::vector<TKVRSelPoint> Handles(const TKVRBaseItem* aItem)
{
    std::vector<TKVRSelPoint> h;
    aItem->GetSelPoints(h);
    return h;
}

std::optional<TKVRPto> Snap(TKVRBaseLabel& aDoc, TKVRPto aAt, TKVRSnap aKind, int64_t aGap = kGap)
{
    TKVRRef ref;
    if (!aDoc.SearchPoint(aAt.X, aAt.Y, aGap, aKind, ref, false))
        return std::nullopt;
    return TKVRPto{ref.X, ref.Y};
}

}  // namespace

TEST(PointerEdits, DeleteAfterDraggingTheWholeElementRemovesIt)
{
    TVXLabelFMX doc;
    TKVRBaseItem* poly =
        doc.AddBasePolyLine(Flat({{0, 0}, {10000, 0}, {20000, 10000}, {30000, 0}, {40000, 0}}));
    doc.PickEditor(5000, 0, kGap, 0, false);
    doc.UpEditor(5000, 0);
    ASSERT_EQ(doc.Select(), poly);
    // Vertex 3 grabbed by its handle and dragged.
    doc.GetAct().SetMove(KVRMoveType::Vertex, 3);
    doc.MoveEditorTo(20000, 12000, false);
    doc.UpEditor(20000, 12000);
    EXPECT_EQ(poly->GetPoint(3), (TKVRPto{20000, 12000}));
    // Then the whole polyline by its body.
    doc.PickEditor(35000, 0, kGap, 0, false);
    ASSERT_EQ(doc.GetAction(), TAct::ActDrag);
    doc.MoveEditor(0, -1000, -1, -1, false, false);
    doc.UpEditor(35000, 1000);
    EXPECT_EQ(poly->GetPoint(1), (TKVRPto{0, 1000}));
    PressDelete(doc);
    EXPECT_EQ(doc.GetItemsCount(), 0);
}

TEST(PointerEdits, CurvesSnapToTheirAnchorsAndTheirOwnMiddles)
{
    TVXLabelFMX doc;
    // Two spans, each symmetric about its middle: (15, -15) and (45, 15) mm.
    doc.AddBaseBezier(Flat({{0, 0}, {10000, -20000}, {20000, -20000}, {30000, 0},
                            {40000, 20000}, {50000, 20000}, {60000, 0}}));
    EXPECT_EQ(Snap(doc, {29000, 900}, KVRSnap::End), (TKVRPto{30000, 0}));
    EXPECT_EQ(Snap(doc, {59000, -500}, KVRSnap::End), (TKVRPto{60000, 0}));
    EXPECT_EQ(Snap(doc, {15000, -15000}, KVRSnap::End), std::nullopt) << "no end inside a span";
    EXPECT_EQ(Snap(doc, {15600, -14500}, KVRSnap::Middle), (TKVRPto{15000, -15000}));
    EXPECT_EQ(Snap(doc, {44000, 15500}, KVRSnap::Middle), (TKVRPto{45000, 15000}));
    EXPECT_EQ(Snap(doc, {7000, -11000}, KVRSnap::Middle), std::nullopt) << "no middle of a chord";
    EXPECT_EQ(Snap(doc, {30000, 0}, KVRSnap::Middle, 10000), std::nullopt);

    // A connector routed as one curve: its ends are the anchors it joins.
    TVXLabelFMX links;
    TKVRBaseItem* a = links.AddBaseFlow(0, 0, 20000, 10000, 1);
    TKVRBaseItem* b = links.AddBaseFlow(80000, 60000, 20000, 10000, 1);
    auto* curve = links.AddBaseLink(a->GetNumID(), b->GetNumID(), 2, 4, 5);
    ASSERT_NE(curve, nullptr);
    curve->UpdateRoute();
    EXPECT_EQ(Snap(links, {21000, 5500}, KVRSnap::End), (TKVRPto{20000, 5000}));
    TKVROutline route;
    curve->GetOutline(route);
    // The curve passes its middle at half its length; no chord end lies there.
    EXPECT_EQ(Snap(links, {50000, 35000}, KVRSnap::End, 5000), std::nullopt);
    const std::optional<TKVRPto> middle = Snap(links, {50000, 35000}, KVRSnap::Middle, 5000);
    ASSERT_TRUE(middle.has_value());
    EXPECT_LT(route.Distance(double(middle->X), double(middle->Y)), 2.0);
    EXPECT_NEAR(double(middle->X), 50000.0, 1.0) << "the route is symmetric about its middle";
    EXPECT_NEAR(double(middle->Y), 35000.0, 1.0);
}

TEST(PointerEdits, ClicksThatGiveNoSizeMakeNothingAndTheActionStartsAgain)
{
    const TKVRPto a{10000, 20000}, b{40000, 35000}, c{25000, 50000};
    const struct
    {
        const char* Name;
        uint8_t Action;
        std::vector<TKVRPto> Clicks;
        int64_t Typed;  // a length typed after the clicks, 0 none
        std::vector<TKVRPto> Good;
    } rows[] = {
        {"arc through a line", 13, {{0, 0}, {10000, 0}, {20000, 0}}, 0, {a, c, b}},
        {"circle through a line", 8, {{0, 0}, {20000, 0}, {10000, 0}}, 0, {a, c, b}},
        {"circle on two spots", 8, {a, a, b}, 0, {a, c, b}},
        {"rectangle clicked once", 6, {a, a}, 0, {a, b}},
        {"rectangle of a typed length", 6, {a}, 30000, {a, b}},
        {"flat rectangle", 6, {a, {b.X, a.Y}}, 0, {a, b}},
        {"paragraph clicked once", 19, {a, a}, 0, {a, b}},
        {"ellipse box clicked once", 18, {a, a}, 0, {a, b}},
        {"line clicked once", 4, {a, a}, 0, {a, b}},
        {"circle clicked once", 11, {a, a}, 0, {a, b}},
        {"circle on a diameter clicked once", 12, {a, a}, 0, {a, b}},
        {"dimension of one spot", 38, {a, a, c}, 0, {a, b, c}},
        {"radius clicked once", 47, {a, a}, 0, {a, b}},
        {"sector clicked once", 36, {a, a, b}, 0, {a, b, c}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TVXLabelFMX doc;
        doc.StartAction(row.Action);
        const uint8_t first = doc.GetState();
        for (const TKVRPto& p : row.Clicks)
            doc.PickEditor(p.X, p.Y, kGap, 0, false);
        if (row.Typed > 0)
            doc.PickEditor(row.Typed, 0);
        EXPECT_EQ(doc.GetItemsCount(), 0);
        EXPECT_EQ(doc.GetAction(), row.Action);
        EXPECT_EQ(doc.GetState(), first);
        EXPECT_EQ(doc.GetAct().NumPoints(), 0);
        // The action waits for its first point again and draws as usual.
        for (const TKVRPto& p : row.Good)
            doc.PickEditor(p.X, p.Y, kGap, 0, false);
        EXPECT_EQ(doc.GetItemsCount(), 1);
    }
}

TEST(PointerEdits, ConnectorHandlesBoundsAndPickingFollowWhatIsPainted)
{
    for (const uint8_t type : {uint8_t(0), uint8_t(5), uint8_t(6)}) {
        SCOPED_TRACE(int(type));
        TVXLabelFMX doc;
        TKVRBaseItem* a = doc.AddBaseFlow(10000, 10000, 20000, 10000, 1);
        TKVRBaseItem* b = doc.AddBaseFlow(80000, 10000, 20000, 10000, 1);
        const TKVRPto bend{55000, -125000};
        TKVRBaseLink* link = doc.AddBasePolyLink(a->GetNumID(), b->GetNumID(), 2, 4, type, Flat({bend}));
        ASSERT_NE(link, nullptr);
        link->UpdateRoute();
        const bool painted = type == 6;
        const std::vector<TKVRSelPoint> handles = Handles(link);
        const bool vertex = std::any_of(handles.begin(), handles.end(),
                                        [](const TKVRSelPoint& h) { return h.Kind == KVRSelKind::Vertex; });
        EXPECT_EQ(vertex, painted);
        EXPECT_EQ(link->GetBounds().Top <= bend.Y, painted);
        EXPECT_EQ(link->Pick(bend.X, bend.Y, kGap, false), painted);
        // Not painted, not edited either; the points stay in the element.
        EXPECT_EQ(link->GetNumLinkPoints(), 1);
        TKVRMoveType move = KVRMoveType::Vertex;
        EXPECT_EQ(link->MovePoint(move, 1, 0, 0), painted);
    }
}

TEST(PointerEdits, APointDraggedWithTheGridLandsOnTheTopLeftNode)
{
    TVXLabelFMX doc;
    TKVRBaseItem* line = doc.AddBaseLine(5000, 5000, 20000, 20000);
    doc.SelectItem(line, false);
    // End 1 grabbed at (5, 5) mm; the pointer moves to (0.7, 0.4) mm, whose
    // grid node is the label's corner.
    doc.GetAct().SetMove(KVRMoveType::Point, 1);
    doc.MoveEditor(5000 - 700, 5000 - 400, 0, 0, false, false);
    EXPECT_EQ(line->GetPoint(1), (TKVRPto{0, 0}));
    doc.MoveEditor(700 - 5700, 400 - 5400, 5000, 5000, false, false);
    EXPECT_EQ(line->GetPoint(1), (TKVRPto{5000, 5000}));
    // Without the grid it follows the steps; a snap puts it on the snap point.
    doc.MoveEditor(-300, 200, -1, -1, false, false);
    EXPECT_EQ(line->GetPoint(1), (TKVRPto{5300, 4800}));
    doc.MoveEditorTo(0, 0, false);
    EXPECT_EQ(line->GetPoint(1), (TKVRPto{0, 0}));
    // A host's pointer at the ends of the range stops at the coordinate limit.
    doc.MoveEditorTo(std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(), false);
    EXPECT_EQ(line->GetPoint(1), (TKVRPto{-KVRMaxCoordinate, KVRMaxCoordinate}));
    doc.MoveEditorTo(0, 0, false);
    doc.UpEditor(0, 0);
    EXPECT_EQ(line->GetPoint(2), (TKVRPto{20000, 20000}));
}

TEST(PointerEdits, AClickOnThePensInkPicks)
{
    for (const int32_t scale : {1, 5000}) {
        SCOPED_TRACE(scale);
        TVXLabelFMX doc;
        doc.GetMeasure().SetDrawScale(scale);
        const int64_t mm = 1000 * int64_t(scale);
        TKVRBaseItem* r = doc.AddBaseRectangle(10 * mm, 10 * mm, 40 * mm, 30 * mm);
        r->SetBasePenWidth(6000);  // 6 mm of paper
        r->UpdateBounds();
        const int64_t gap = 2 * mm;
        // Beside the left side: 2.9 mm is on the ink, 5.1 mm past ink and gap.
        EXPECT_TRUE(doc.PickItem(r, 10 * mm - 29 * mm / 10, 25 * mm, gap, false));
        EXPECT_TRUE(doc.PickItem(r, 10 * mm + 29 * mm / 10, 25 * mm, gap, false));
        EXPECT_FALSE(doc.PickItem(r, 10 * mm - 51 * mm / 10, 25 * mm, gap, false));
        // The editor's click selects it there.
        doc.PickEditor(10 * mm - 29 * mm / 10, 25 * mm, gap, 0, false);
        EXPECT_EQ(doc.Select(), r);
    }
}

TEST(PointerEdits, TheArcsMiddleHandleStaysUnderThePointer)
{
    TVXLabelFMX doc;
    const TKVRPto a{10000, 20000}, c{25000, 50000}, b{40000, 35000};
    doc.StartAction(13);
    for (const TKVRPto& p : {a, c, b})
        doc.PickEditor(p.X, p.Y, kGap, 0, false);
    auto* arc = dynamic_cast<TKVRBaseArc*>(doc.Select());
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->GetPoint(1), a);
    EXPECT_EQ(arc->GetPoint(3), b);
    // The chord runs along (2, 1); its bisector along (-1, 2) through (25, 27.5) mm.
    doc.GetAct().SetMove(KVRMoveType::ArcMiddle, 2);
    const TKVRPto to{25000 - 5000, 27500 + 10000};
    // Beside the bisector the handle stays on it, where the arc's middle is.
    doc.MoveEditorTo(to.X + 2000, to.Y + 1000, false);
    EXPECT_EQ(arc->GetPoint(2), to);
    // A step of the pointer moves it by that step.
    doc.MoveEditor(200, -400, -1, -1, false, false);
    doc.UpEditor(0, 0);
    const TKVRPto moved{to.X - 200, to.Y + 400};
    EXPECT_EQ(arc->GetPoint(2), moved);
    EXPECT_EQ(arc->GetPoint(1), a) << "the start stays where it was put";
    EXPECT_EQ(arc->GetPoint(3), b);
    const auto offArc = [&](const TKVRPto& p) {
        return std::hypot(double(p.X - arc->GetBaseCenterX()), double(p.Y - arc->GetBaseCenterY())) -
               double(arc->GetBaseRadio());
    };
    EXPECT_NEAR(offArc(moved), 0.0, 1.0);
    EXPECT_NEAR(offArc(a), 0.0, 1.0);
    EXPECT_NEAR(offArc(b), 0.0, 1.0);
}

TEST(PointerEdits, AnInsertedCurvePointLiesOnTheClick)
{
    TVXLabelFMX doc;
    auto* curve = doc.AddBaseBezier(Flat({{0, 0}, {10000, -20000}, {30000, -25000}, {40000, 0}}));
    // The curve's own point at t = 0.3, rounded: 0.343 p0 + 0.441 p1 + 0.189 p2 + 0.027 p3.
    const TKVRPto on{RoundHalfEven(0.441 * 10000 + 0.189 * 30000 + 0.027 * 40000),
                     RoundHalfEven(0.441 * -20000 + 0.189 * -25000)};
    for (const TKVRPto& click : {on, TKVRPto{on.X + 300, on.Y - 400}}) {
        auto* copy = doc.AddBaseBezier(Flat({{0, 0}, {10000, -20000}, {30000, -25000}, {40000, 0}}));
        ASSERT_TRUE(copy->InsertPoint(click.X, click.Y, 0));
        ASSERT_EQ(copy->NumPoints(), 7);
        EXPECT_EQ(copy->GetPoint(4), click);
        EXPECT_EQ(copy->GetPoint(1), curve->GetPoint(1));
        EXPECT_EQ(copy->GetPoint(7), curve->GetPoint(4));
    }
}

TEST(PointerEdits, AnAngleDimensionReloadsUnchanged)
{
    const struct
    {
        TKVRPto A1, A2, B1, B2, Pick;
    } rows[] = {
        // Crossings that are no whole micrometre: a layout of the laid-out
        // points took the middle's rounded distance and moved an end by one.
        {{8805, 37303}, {55537, 52577}, {50054, 4135}, {16716, 7727}, {32468, 49870}},
        {{42568, 35482}, {603, 57752}, {24982, 44989}, {14195, 27663}, {47569, 1903}},
        {{14338, 49869}, {30120, 18991}, {1408, 27274}, {54891, 36467}, {42093, 6553}},
        {{12183, 41245}, {47424, 56357}, {19424, 7922}, {48702, 21803}, {58692, 47283}},
    };
    for (const auto& row : rows) {
        TVXLabelFMX doc;
        TKVRBaseDim* dim = doc.AddBaseDimAngle(row.A1.X, row.A1.Y, row.A2.X, row.A2.Y, row.B1.X, row.B1.Y, row.B2.X,
                                               row.B2.Y, row.Pick.X, row.Pick.Y);
        ASSERT_NE(dim, nullptr);
        dim->CalcValues(0);
        const std::vector<TKVRPto> laidOut = dim->GetPoints();

        QBuffer file;
        file.setData(SaveEti(doc));
        file.open(QIODevice::ReadOnly);
        TVXLabelFMX again;
        again.LoadFromStream(file);
        ASSERT_EQ(again.GetItemsCount(), 1);
        again.GetItem(1)->CalcValues(0);
        EXPECT_EQ(again.GetItem(1)->GetPoints(), laidOut);
    }
}
