// The editing roads of the document driven by scripted calls in micrometres,
// as the editor makes them: drawing every kind, selecting, dragging, copying,
// turning, and the rules every edit keeps.
#include "tests/document/FactoryTestSupport.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRLink.h"
#include "elements/TKVRPolyLine.h"
#include "elements/TKVRRectangle.h"
#include "elements/TKVRText.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <QBuffer>
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "platform/rtl/model/TKVRBaseArc.h"
#include "platform/rtl/model/TKVRBaseArrowLine.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/model/TKVRBaseBezier.h"
#include "platform/rtl/model/TKVRBaseCircle.h"
#include "platform/rtl/model/TKVRBaseDataMatrix.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/model/TKVRBaseEllipse.h"
#include "platform/rtl/model/TKVRBaseLevel.h"
#include "platform/rtl/model/TKVRBaseLine.h"
#include "platform/rtl/model/TKVRBaseNutri.h"
#include "platform/rtl/model/TKVRBasePDF417.h"
#include "platform/rtl/model/TKVRBasePackage.h"
#include "platform/rtl/model/TKVRBasePara.h"
#include "platform/rtl/model/TKVRBasePoint.h"
#include "platform/rtl/model/TKVRBasePoly.h"
#include "platform/rtl/model/TKVRBasePolyLine.h"
#include "platform/rtl/model/TKVRBasePolygon.h"
#include "platform/rtl/model/TKVRBaseQRCode.h"
#include "platform/rtl/model/TKVRBaseRank.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include "platform/rtl/model/TKVRBaseSector.h"
#include "platform/rtl/model/TKVRBaseSymbol.h"
#include "platform/rtl/model/TKVRBaseTable.h"
#include <numbers>
#include <functional>
#include <stdexcept>

using namespace FactoryTest;

namespace {

// Records every change a document reports.
struct TRecorder : IVXObserver
{
    std::vector<std::pair<TVXChange, TVXChangeValue>> Changes;
    void UpdateCtrl(TVXChange aChange, const TVXChangeValue& aValue) override { Changes.emplace_back(aChange, aValue); }
    uint8_t TypeDest() const override { return 0; }
    // The codes reported inside one bracket, or a failure when the changes
    // since the last call were not exactly one bracket.
    std::vector<int> OneBracket()
    {
        std::vector<int> codes;
        const auto changes = std::exchange(Changes, {});
        if (changes.size() < 2 || changes.front().first != KVRChange::Update || changes.front().second.Begin != 0 ||
            changes.back().first != KVRChange::Update || changes.back().second.Begin != 1) {
            ADD_FAILURE() << "not one bracket: " << changes.size() << " changes";
            return codes;
        }
        for (size_t i = 1; i + 1 < changes.size(); ++i)
            codes.push_back(changes[i].first);
        return codes;
    }
};

// An element's record without its numeric id, to compare two documents' elements.
std::string Record(const TKVRBaseItem* aItem)
{
    TJsonObject json = aItem->WriteJson();
    json.erase("NumID");
    return json.dump();
}

struct TRoad
{
    const char* Name;
    uint8_t Action;
    int32_t Param;
    std::vector<TKVRPto> Clicks;
    bool RightButton;
    std::function<TKVRBaseItem*(TKVRBaseLabel&)> Factory;
};

constexpr int64_t kGap = 2000;

} // namespace

TEST(EditRoads, EveryKindIsDrawnAsTheFactoryMakesIt)
{
    const TKVRPto a{10000, 20000}, b{40000, 35000}, c{25000, 50000}, d{60000, 10000};
    const std::vector<TRoad> roads = {
        {"point", 3, 0, {a}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBasePoint(a.X, a.Y); }},
        {"line", 4, 0, {a, b}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseLine(a.X, a.Y, b.X, b.Y); }},
        {"arrow", 5, 0, {a, b}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseArrowLine(a.X, a.Y, b.X, b.Y); }},
        {"rectangle", 6, 0, {b, a}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseRectangle(a.X, a.Y, 30000, 15000); }},
        {"polyline", 7, 0, {a, b, c}, true, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBasePolyLine(Flat({a, b, c})); }},
        {"circle 3P", 8, 0, {a, b, c}, false,
         [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseCircle3P(a.X, a.Y, b.X, b.Y, c.X, c.Y); }},
        {"polygon", 9, 0, {a, b, c}, true, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBasePolygon(Flat({a, b, c})); }},
        {"bezier", 10, 0, {a, b, c, d, a}, true, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseBezier(Flat({a, b, c, d})); }},
        {"circle", 11, 0, {a, {a.X + 3000, a.Y + 4000}}, false,
         [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseCircle(a.X, a.Y, 5000); }},
        {"circle 2P", 12, 0, {a, b}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseCircle2P(a.X, a.Y, b.X, b.Y); }},
        {"arc", 13, 0, {a, c, b}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseArc(a.X, a.Y, c.X, c.Y, b.X, b.Y); }},
        {"ellipse axes", 14, 0, {a, {a.X + 9000, a.Y}, {a.X, a.Y + 4000}}, false,
         [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseEllipse(a.X, a.Y, 9000, 4000); }},
        {"ellipse box", 18, 0, {a, b}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseEllipse(25000, 27500, 15000, 7500); }},
        {"paragraph", 19, 0, {a, b}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseParagraph(a.X, a.Y, 30000, 15000); }},
        {"rich text", 24, 0, {a, b}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseRichText(a.X, a.Y, 30000, 15000); }},
        {"barcode", 25, 11, {a}, false,
         [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseBarcode(a.X, a.Y, QString(), TKVRBarType(11)); }},
        {"pdf417", 26, 0, {a}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBasePDF417(a.X, a.Y, QString()); }},
        {"datamatrix", 27, 0, {a}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseDataMatrix(a.X, a.Y, QString()); }},
        {"qr", 28, 0, {a}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseQRCode(a.X, a.Y, QString()); }},
        {"table", 29, 0, {a, b}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseTable(a.X, a.Y, 30000, 15000); }},
        {"poly-text", 32, 0, {a}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBasePolyText(a.X, a.Y); }},
        {"rank", 33, 0, {a, b}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseRank(a.X, a.Y, 30000, 15000); }},
        {"nutri", 34, 0, {a, b}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseNutriScore(a.X, a.Y, 30000, 15000); }},
        {"level", 35, 0, {a, {a.X, a.Y + 6000}}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseLevel(a.X, a.Y, 6000); }},
        {"sector", 36, 0, {a, {a.X + 5000, a.Y}, {a.X, a.Y + 5000}}, false,
         [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseSector(a.X, a.Y, 5000, 0.0f, 90.0f); }},
        {"package", 37, 0, {a, b}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBasePackage(a.X, a.Y, 30000, 15000); }},
        {"dimension", 38, 0, {a, b, c}, false,
         [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseDim(a.X, a.Y, b.X, b.Y, c.X, c.Y); }},
        {"flow", 39, 2, {a, b}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseFlow(a.X, a.Y, 30000, 15000, 2); }},
        {"radius", 47, 0, {a, {a.X, a.Y + 7000}}, false,
         [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseDimRadial1(a.X, a.Y, 7000, float(std::numbers::pi / 2)); }},
        {"symbol", 20, 0, {a}, false, [&](TKVRBaseLabel& l) -> TKVRBaseItem* { return l.AddBaseSymbol(a.X, a.Y); }},
    };
    for (const TRoad& road : roads) {
        SCOPED_TRACE(road.Name);
        TRecorder views;
        TVXLabelFMX doc, expected;
        SetUpLayers(doc);
        SetUpLayers(expected);
        doc.Attach(&views);
        doc.StartAction(road.Action, road.Param);
        if (road.Action == TAct::ActSymbol) {
            EXPECT_EQ(views.OneBracket(), std::vector<int>{KVRChange::PickSymbol});
            auto symbol = std::make_unique<TKVRBaseLibSymbol>();
            symbol->SetName(QStringLiteral("Valve"));
            doc.AddSymbol(std::move(symbol), true);
            // Filing the chosen symbol is an edit of its own.
            EXPECT_EQ(views.OneBracket(), std::vector<int>{});
            EXPECT_TRUE(doc.GetModified());
            expected.SetCurSymbol(doc.GetCurSymbol());
        } else {
            EXPECT_EQ(views.OneBracket(), std::vector<int>{KVRChange::Action});
        }
        for (size_t i = 0; i < road.Clicks.size(); ++i) {
            doc.PickEditor(road.Clicks[i].X, road.Clicks[i].Y, kGap, 0, false);
            const bool last = i + 1 == road.Clicks.size() && !road.RightButton;
            const std::vector<int> codes = last ? std::vector<int>{KVRChange::List, KVRChange::Selection, KVRChange::Reset}
                                                : std::vector<int>{KVRChange::State};
            EXPECT_EQ(views.OneBracket(), codes);
        }
        if (road.RightButton) {
            doc.RightButton(0, 0, kGap, 0);
            EXPECT_EQ(views.OneBracket(), (std::vector<int>{KVRChange::List, KVRChange::Selection, KVRChange::Reset}));
        }
        ASSERT_EQ(doc.GetItemsCount(), 1);
        EXPECT_EQ(doc.Select(), doc.GetItem(1));
        EXPECT_EQ(doc.GetAction(), TAct::ActSelect);
        EXPECT_EQ(Record(doc.GetItem(1)), Record(road.Factory(expected)));
    }
}

TEST(EditRoads, ATextIsWrittenAndEditedInPlace)
{
    TRecorder views;
    TVXLabelFMX doc;
    doc.Attach(&views);
    doc.StartAction(TAct::ActWriteText);
    views.OneBracket();
    doc.PickEditor(5000, 6000, kGap, 0, false);
    EXPECT_EQ(views.OneBracket(), (std::vector<int>{KVRChange::List, KVRChange::Selection, KVRChange::StartText}));
    auto* text = dynamic_cast<TKVRText*>(doc.GetTextObject());
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->GetText().isEmpty());
    // The editor hands the typed text over and says so.
    text->SetText(QStringLiteral("Lot"));
    doc.UpdateEditing(true);
    EXPECT_EQ(views.Changes.size(), 1u);
    EXPECT_EQ(views.Changes.front().first, KVRChange::Text);
    views.Changes.clear();
    // Enter: the selection goes, and with it the editing.
    doc.Clear(KVRClear::Selection, true);
    EXPECT_EQ(views.Changes.front().first, KVRChange::EndText);
    views.Changes.clear();
    doc.GetAct().Reset();
    EXPECT_EQ(doc.GetItemsCount(), 1);

    // A double click edits it again; a click elsewhere ends that.
    doc.SelectItem(text, false);
    views.Changes.clear();
    doc.DoDblClick();
    EXPECT_EQ(views.OneBracket(), std::vector<int>{KVRChange::StartText});
    EXPECT_EQ(doc.GetTextObject(), text);
    doc.PickEditor(90000, 40000, kGap, 0, false);
    const std::vector<int> codes = views.OneBracket();
    EXPECT_NE(std::find(codes.begin(), codes.end(), KVRChange::EndText), codes.end());
    EXPECT_EQ(doc.GetTextObject(), nullptr);
    EXPECT_EQ(text->GetText(), QStringLiteral("Lot"));

    // A new text left empty is not kept.
    doc.StartAction(TAct::ActWriteText);
    doc.PickEditor(5000, 30000, kGap, 0, false);
    doc.ResetAction();
    EXPECT_EQ(doc.GetItemsCount(), 1);
}

TEST(EditRoads, SelectDragCopyPasteAndDelete)
{
    TRecorder views;
    TVXLabelFMX doc;
    TKVRBaseItem* r = doc.AddBaseRectangle(10000, 10000, 20000, 10000);
    TKVRBaseItem* l = doc.AddBaseLine(60000, 10000, 90000, 10000);
    doc.Attach(&views);
    TKVRBaseItem* selected = nullptr;
    doc.OnSelectItem = [&](QObject*, TKVRBaseItem* aItem) { selected = aItem; };

    // A click on the line selects it and grabs it; the drag moves it.
    doc.PickEditor(75000, 10500, kGap, 0, false);
    EXPECT_EQ(doc.Select(), l);
    EXPECT_EQ(selected, l);
    EXPECT_EQ(doc.GetAction(), TAct::ActDrag);
    views.Changes.clear();
    doc.MoveEditor(-1000, -2000, -1, -1, false, false);
    EXPECT_EQ(views.OneBracket(), std::vector<int>{KVRChange::Items});
    doc.UpEditor(76000, 12500);
    EXPECT_EQ(l->GetPoint(1), (TKVRPto{61000, 12000}));
    EXPECT_EQ(doc.GetAction(), TAct::ActSelect);

    // A rectangle drawn rightwards takes what lies inside it.
    doc.PickEditor(5000, 5000, kGap, 0, false);
    doc.UpEditor(35000, 25000);
    EXPECT_EQ(doc.Select(), r);

    // Copy and paste: an equal element, and the selection.
    doc.CopySelection();
    views.Changes.clear();
    doc.PasteSelection();
    const std::vector<int> codes = views.OneBracket();
    EXPECT_NE(std::find(codes.begin(), codes.end(), KVRChange::List), codes.end());
    ASSERT_EQ(doc.GetItemsCount(), 3);
    EXPECT_EQ(doc.GetSelectionCount(), 1);
    EXPECT_NE(doc.Select(), r);
    EXPECT_EQ(Record(doc.Select()), Record(r));

    // Tab runs round the elements; Delete removes the selection.
    doc.SelectNext();
    EXPECT_EQ(doc.Select(), doc.GetItem(1));
    doc.DeleteSelection();
    EXPECT_EQ(doc.GetItemsCount(), 2);
    EXPECT_EQ(doc.GetSelectionCount(), 0);
}

TEST(EditRoads, ANewSelectionForgetsTheGrabbedPoint)
{
    TVXLabelFMX doc;
    const std::vector<int64_t> pts = Flat({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}});
    TKVRBaseItem* poly = doc.AddBasePolyLine(pts);
    TKVRBaseItem* line = doc.AddBaseLine(50000, 0, 80000, 0);
    doc.SelectItem(poly, false);
    doc.GetAct().SetMove(7, 3);  // the editor grabbed vertex 3
    doc.UpEditor(10000, 10000);
    doc.PickEditor(65000, 0, kGap, 0, false);
    doc.UpEditor(65000, 0);
    ASSERT_EQ(doc.Select(), line);
    // The editor's Delete: the grabbed point when one is named, else the selection.
    if (doc.GetAct().fPos1 < 1)
        doc.DeleteSelection();
    else
        doc.DeletePoint(doc.GetAct().fPos1);
    EXPECT_EQ(doc.GetItemsCount(), 1);
    EXPECT_EQ(poly->NumPoints(), 4);
}

TEST(EditRoads, ReadOnlyRefusesChangesButSelects)
{
    TVXLabelFMX doc;
    TKVRBaseItem* line = doc.AddBaseLine(0, 0, 30000, 0);
    doc.SelectItem(line, false);
    doc.CopySelection();
    doc.SetEditable(false);
    const std::string before = Record(line);
    const int64_t width = doc.GetMeasure().GetWidth();
    doc.StartAction(4);
    EXPECT_EQ(doc.GetAction(), TAct::ActSelect);
    doc.PickEditor(15000, 0, kGap, 0, false);
    doc.MoveEditor(-5000, 0, -1, -1, false, false);
    doc.MoveSelection(3.0f, 0.0f, false, true);
    doc.MoveEditor(1, 0, 1000, 0, false, true);
    doc.RotateLeft();
    doc.PasteSelection();
    doc.DeleteSelection();
    EXPECT_EQ(doc.GetItemsCount(), 1);
    EXPECT_EQ(Record(line), before);
    EXPECT_EQ(doc.GetMeasure().GetWidth(), width);
    // Selecting, Tab and the unit still work.
    doc.ClearSelection();
    doc.SelectNext();
    EXPECT_EQ(doc.Select(), line);
    doc.SetUnits(TKVRUnits::Inch);
    EXPECT_EQ(doc.GetUnits(), TKVRUnits::Inch);
}

TEST(EditRoads, AFailedEditChangesNothing)
{
    TRecorder views;
    struct TFailingDoc : TVXLabelFMX
    {
        TKVRBaseLine* AddBaseLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2) override
        {
            TVXLabelFMX::AddBaseLine(x1, y1, x2, y2);
            throw std::runtime_error("no room");
        }
    } doc;
    TKVRBaseItem* r = doc.AddBaseRectangle(0, 0, 10000, 10000);
    doc.SelectItem(r, false);
    doc.Attach(&views);
    doc.StartAction(4);
    doc.PickEditor(1000, 1000, kGap, 0, false);
    views.Changes.clear();
    EXPECT_THROW(doc.PickEditor(9000, 1000, kGap, 0, false), std::runtime_error);
    // The line is gone, the action waits for its second point, and the views
    // heard only the bracket.
    EXPECT_TRUE(views.OneBracket().empty());
    EXPECT_EQ(doc.GetItemsCount(), 1);
    EXPECT_EQ(doc.GetAct().NumPoints(), 1);
    EXPECT_EQ(doc.GetAction(), 4);
}

TEST(EditRoads, FarAnchorsAndLengthsAtOneToFiveThousand)
{
    // A0 at 1:5,000 spans about 5.9e9 micrometres: far past 2^31.
    TVXLabelFMX doc;
    doc.GetMeasure().SetDrawScale(5000);
    const int64_t far = int64_t(3) << 31;
    TKVRFlow* from = TKVRFactory::AddBaseFlow(&doc, far, far, 4000000, 2000000, 1);
    TKVRFlow* to = TKVRFactory::AddBaseFlow(&doc, far + 20000000, far, 4000000, 2000000, 1);
    const TKVRPto right = from->GetAnchor(2), left = to->GetAnchor(4);
    const int64_t gap = 8 * 5000;

    doc.StartAction(TAct::ActLink, 0);
    TVXLink link;
    ASSERT_TRUE(doc.SearchLink(right.X + 100, right.Y - 100, link));
    EXPECT_EQ(link.Node, from->GetNumID());
    EXPECT_EQ(link.AnchorA, 2);
    EXPECT_EQ((TKVRPto{link.X, link.Y}), right);
    doc.PickEditor(link.Node, link.AnchorA, 0, 0, false);
    ASSERT_TRUE(doc.SearchLink(left.X, left.Y, link));
    doc.PickEditor(link.Node, link.AnchorB, 0, 0, false);
    ASSERT_EQ(doc.GetItemsCount(), 3);
    auto* made = dynamic_cast<TKVRLink*>(doc.Select());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetFromIndex(), 2);
    EXPECT_EQ(made->GetToIndex(), 4);

    // A typed length past 2^31 continues the line.
    doc.StartAction(4);
    doc.PickEditor(far, far, gap, 0, false);
    doc.PickEditor(far, 0);
    TKVRBaseItem* line = doc.Select();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetPoint(2), (TKVRPto{2 * far, far}));
}

TEST(EditRoads, SizingHandlesGridStepsAndPointDeletes)
{
    // Each sizing handle of a rectangle dragged past the opposite corner: the
    // box turns over instead of getting a negative size.
    const struct
    {
        TKVRSelKind Handle;
        TKVRPto To;
        TKVRRect Box;
    } rows[] = {
        {KVRSelKind::SizeTopLeft, {50000, 40000}, {30000, 20000, 50000, 40000}},
        {KVRSelKind::SizeTop, {0, 40000}, {10000, 20000, 30000, 40000}},
        {KVRSelKind::SizeTopRight, {0, 40000}, {0, 20000, 10000, 40000}},
        {KVRSelKind::SizeLeft, {50000, 0}, {30000, 10000, 50000, 20000}},
        {KVRSelKind::SizeRight, {0, 0}, {0, 10000, 10000, 20000}},
        {KVRSelKind::SizeBottomLeft, {50000, 0}, {30000, 0, 50000, 10000}},
        {KVRSelKind::SizeBottom, {0, 0}, {10000, 0, 30000, 10000}},
        {KVRSelKind::SizeBottomRight, {0, 0}, {0, 0, 10000, 10000}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(int(row.Handle));
        TVXLabelFMX doc;
        TKVRBaseItem* r = doc.AddBaseRectangle(10000, 10000, 20000, 10000);
        r->SetBasePenWidth(0);
        r->UpdateBounds();
        doc.SelectItem(r, false);
        // The editor grabs the handle, then hands on the step (previous minus current position).
        std::vector<TKVRSelPoint> handles;
        r->GetSelPoints(handles);
        const auto grabbed = std::find_if(handles.begin(), handles.end(),
                                          [&](const TKVRSelPoint& h) { return h.Kind == row.Handle; });
        ASSERT_NE(grabbed, handles.end());
        doc.GetAct().SetMove(KVRMoveTypeOf(row.Handle), grabbed->Index);
        const TKVRPto half{(grabbed->X + row.To.X) / 2, (grabbed->Y + row.To.Y) / 2};
        doc.MoveEditor(grabbed->X - half.X, grabbed->Y - half.Y, -1, -1, false, false);
        doc.MoveEditor(half.X - row.To.X, half.Y - row.To.Y, -1, -1, false, false);
        doc.UpEditor(row.To.X, row.To.Y);
        EXPECT_EQ(r->GetPoint(1), (TKVRPto{row.Box.Left, row.Box.Top}));
        EXPECT_EQ(r->GetPoint(2), (TKVRPto{row.Box.Right, row.Box.Bottom}));
    }

    // Dragged with the grid, the frame's corner lands in whole steps.
    TVXLabelFMX doc;
    TKVRBaseItem* r = doc.AddBaseRectangle(10000, 10000, 20000, 10000);
    r->SetBasePenWidth(0);
    doc.PickEditor(10000, 15000, kGap, 0, false);
    ASSERT_EQ(doc.GetAction(), TAct::ActDrag);
    doc.MoveGridEditor(17600, 21400, 5000, 5000, false);
    EXPECT_EQ(r->GetPoint(1), (TKVRPto{20000, 15000}));
    doc.UpEditor(17600, 21400);

    // Points go one by one down to the kind's least count.
    TKVRBaseItem* poly = doc.AddBasePolyLine(Flat({{0, 0}, {1000, 0}, {2000, 0}, {3000, 0}}));
    doc.SelectItem(poly, false);
    for (int i = 0; i < 4; ++i)
        doc.DeletePoint(1);
    EXPECT_EQ(poly->NumPoints(), poly->LeastPoints());
}

TEST(EditRoads, FourQuarterTurnsGiveBackEveryPoint)
{
    TRecorder views;
    TVXLabelFMX doc;
    doc.GetMeasure().SetWidth(100000);
    doc.GetMeasure().SetHeight(60000);
    doc.AddBaseLine(10000, 5000, 70000, 45000);
    doc.AddBaseRectangle(20000, 10000, 30000, 20000);
    doc.AddBasePolyLine(Flat({{1000, 2000}, {3000, 50000}, {99000, 59000}}));
    doc.AddBaseArc(10000, 30000, 20000, 20000, 30000, 30000);
    std::vector<std::vector<TKVRPto>> before;
    for (int32_t i = 1; i <= doc.GetItemsCount(); ++i)
        before.push_back(doc.GetItem(i)->GetPoints());
    int turns = 0;
    doc.OnLabelRotate = [&](QObject*) { ++turns; };
    doc.Attach(&views);

    doc.RotateLeft();
    const std::vector<int> codes = views.OneBracket();
    EXPECT_NE(std::find(codes.begin(), codes.end(), KVRChange::Size), codes.end());
    EXPECT_EQ(doc.GetMeasure().GetWidth(), 60000);
    EXPECT_EQ(doc.GetMeasure().GetHeight(), 100000);
    EXPECT_EQ(doc.GetLabelRotation(), 1);
    // The line's start, 10 mm from the left and 5 mm from the top, is now
    // 5 mm from the left and 10 mm from the bottom.
    EXPECT_EQ(doc.GetItem(1)->GetPoint(1), (TKVRPto{5000, 90000}));
    doc.RotateLeft();
    doc.RotateRight();
    doc.RotateLeft();
    doc.RotateLeft();
    doc.RotateLeft();
    EXPECT_EQ(turns, 6);
    EXPECT_EQ(doc.GetLabelRotation(), 0);
    for (int32_t i = 1; i <= doc.GetItemsCount(); ++i)
        EXPECT_EQ(doc.GetItem(i)->GetPoints(), before[size_t(i - 1)]) << i;
}

TEST(EditRoads, CallsThatLandedReportTheirChanges)
{
    const auto element = [] {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        TBinaryWriter writer(&buffer);
        writer.WriteInt32(KVRFileVersion);
        TVXLabelFMX source;
        source.AddBaseLine(0, 0, 1000, 1000)->Write(writer);
        return bytes;
    }();
    const struct
    {
        const char* Name;
        std::function<void(TVXLabelFMX&)> Call;
        bool Bracket;
        std::vector<int> Codes;
    } rows[] = {
        {"units", [](auto& d) { d.SetUnits(TKVRUnits::Inch); }, false, {KVRChange::Units}},
        {"measures", [](auto& d) { d.GetMeasure().SendInfo(); }, false, {KVRChange::Loaded}},
        {"load", [](auto& d) {
             QBuffer file;
             file.open(QIODevice::ReadWrite);
             TVXLabelFMX().SaveToStream(file);
             file.seek(0);
             d.LoadFromStream(file);
         }, false, {KVRChange::Selection, KVRChange::Loaded}},
        {"mermaid", [](auto& d) { TKVRFactory::LoadMermaid(&d, QStringLiteral("graph TD\nA-->B\n")); }, true,
         {KVRChange::Selection, KVRChange::Loaded}},
        {"gantt", [](auto& d) { TKVRFactory::LoadGantt(&d, QStringLiteral("GxControl:Gantt: Plan\n")); }, true,
         {KVRChange::Units, KVRChange::Selection, KVRChange::Loaded}},
        {"element stream", [&](auto& d) {
             QBuffer stream;
             stream.setData(element);
             stream.open(QIODevice::ReadOnly);
             d.CreateElementFromStream(stream);
         }, true, {KVRChange::List}},
        {"clear selection", [](auto& d) { d.Clear(KVRClear::Selection, true); }, false, {KVRChange::Selection}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TRecorder views;
        TVXLabelFMX doc;
        doc.SelectItem(doc.AddBaseRectangle(0, 0, 1000, 1000), false);
        doc.StartAction(4);
        doc.Attach(&views);
        views.Changes.clear();
        row.Call(doc);
        if (row.Bracket) {
            EXPECT_EQ(views.OneBracket(), row.Codes);
        } else {
            std::vector<int> codes;
            for (const auto& change : views.Changes)
                codes.push_back(change.first);
            EXPECT_EQ(codes, row.Codes);
        }
    }

    // The information event tells where the selection is.
    TVXLabelFMX doc;
    doc.SelectItem(doc.AddBaseRectangle(10000, 20000, 30000, 5000), false);
    doc.Select()->SetBasePenWidth(0);
    doc.Select()->UpdateBounds();
    QString message;
    doc.OnInfoMsg = [&](QObject*, const QString& aText) { message = aText; };
    doc.FireInfoEvent(false);
    EXPECT_EQ(message, QStringLiteral("X: 10.00  Y: 20.00  W: 30.00  H: 5.00"));
}

TEST(EditRoads, SnapsAcrossTheDocument)
{
    TVXLabelFMX doc;
    TKVRBaseItem* a = doc.AddBaseLine(0, 0, 40000, 40000);
    doc.AddBaseLine(0, 40000, 40000, 0);
    doc.AddBaseCircle(80000, 20000, 10000);
    const struct
    {
        TKVRSnap Kind;
        TKVRPto Pointer;
        bool Found;
        TKVRPto At;
    } rows[] = {
        {KVRSnap::End, {39500, 500}, true, {40000, 0}},
        {KVRSnap::Cross, {20600, 19500}, true, {20000, 20000}},  // where the two lines cross
        {KVRSnap::Centre, {80900, 20900}, true, {80000, 20000}},
        {KVRSnap::Middle, {10000, 30000}, false, {}},
        {KVRSnap::Grid, {0, 0}, false, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(int(row.Kind));
        TKVRRef ref;
        EXPECT_EQ(doc.SearchPoint(row.Pointer.X, row.Pointer.Y, 2000, row.Kind, ref, false), row.Found);
        if (row.Found) {
            EXPECT_EQ((TKVRPto{ref.X, ref.Y}), row.At);
        }
    }
    // A point being dragged never snaps to its own element.
    doc.SelectItem(a, false);
    TKVRRef ref;
    EXPECT_FALSE(doc.SearchPoint(500, 500, 2000, KVRSnap::End, ref, true));
    EXPECT_TRUE(doc.SearchPoint(500, 500, 2000, KVRSnap::End, ref, false));
}

TEST(EditRoads, DoubleClicksAndTheRichText)
{
    TVXLabelFMX doc;
    TKVRBaseItem* rich = doc.AddBaseRichText(10000, 10000, 30000, 10000);
    TKVRBaseItem* box = doc.AddBaseRectangle(60000, 10000, 20000, 10000);
    TKVRBaseItem* dialog = nullptr;
    doc.OnEditItemDialog = [&](QObject*, TKVRBaseItem* aItem) { dialog = aItem; };
    doc.SelectItem(box, false);
    doc.DoDblClick();
    EXPECT_EQ(dialog, box);

    // A click on the selected rich text edits it in place.
    doc.SelectItem(rich, false);
    doc.PickEditor(20000, 15000, kGap, 0, false);
    EXPECT_EQ(doc.GetAction(), TAct::ActEditText);
    EXPECT_EQ(doc.GetTextObject(), rich);
    doc.DoDblClick();
    EXPECT_EQ(dialog, rich);
}
