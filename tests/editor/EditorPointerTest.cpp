// Pointer faults a user meets with the mouse: connectors finished on an
// anchor, ortho with the grid, Esc during a drag, every tool's first click on
// the grid, the perpendicular foot on an ellipse and the symbol chosen in the
// browser. Each is driven by QTest events on the real editor.
#include "tests/editor/EditorInput.h"
#include "platform/rtl/model/TKVRBaseEllipse.h"
#include "platform/rtl/model/TKVRBaseFlow.h"
#include "platform/rtl/model/TKVRBaseLine.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "platform/rtl/model/TKVRBaseLink.h"
#include <gtest/gtest.h>
#include <cmath>

namespace {
// An observer that counts the brackets the document closes.
struct TBrackets : IVXObserver
{
    TVXLabelFMX& Doc;
    int Ends = 0;
    explicit TBrackets(TVXLabelFMX& aDoc) : Doc(aDoc) { Doc.Attach(this); }
    ~TBrackets() override { Doc.Detach(this); }
    void UpdateCtrl(TVXChange aChange, const TVXChangeValue& aValue) override
    {
        if (aChange == KVRChange::Update && aValue.Begin == 1)
            ++Ends;
    }
    uint8_t TypeDest() const override { return 9; }
};
}  // namespace

// A connector is finished by a click on the second node's anchor, or a few
// pixels off it, at every zoom and drawing scale; far off, nothing is made.
TEST(EditorPointer, ConnectorEndsOnAnAnchorWithinThePickGap)
{
    struct Row
    {
        TKVRZoom Zoom;
        int32_t Scale;
        int Off;
        bool Made;
    };
    std::vector<Row> rows;
    for (const auto& [zoom, scale] : {std::pair{TKVRZoom::zm100, 1}, std::pair{TKVRZoom::zm500, 1}, std::pair{TKVRZoom::zm100, 5000}})
        for (const int off : {0, 1, 2, 4})
            rows.push_back({zoom, scale, off, true});
    rows.push_back({TKVRZoom::zm100, 1, 20, false});
    rows.push_back({TKVRZoom::zm500, 5000, 20, false});
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "zoom " << int(r.Zoom) << " scale " << r.Scale << " off " << r.Off);
        TEditorInput in(100000, 60000, {700, 500});
        in.doc.GetMeasure().SetDrawScale(r.Scale);
        in.editor.SetZoom(r.Zoom);
        const int64_t s = r.Scale;
        TKVRBaseFlow* from = in.doc.AddBaseFlow(5000 * s, 5000 * s, 10000 * s, 6000 * s, 1);
        TKVRBaseFlow* to = in.doc.AddBaseFlow(22000 * s, 5000 * s, 10000 * s, 6000 * s, 1);
        const TKVRPto a = from->GetAnchor(2), b = to->GetAnchor(4);
        in.doc.StartAction(TAct::ActLink, 0);
        // Far off, only the second anchor is missed.
        const int offA = r.Made ? r.Off : 0;
        const QPoint pa = in.Px(a.X, a.Y) + QPoint(offA, -offA);
        in.Move(pa);
        in.Click(pa);
        ASSERT_EQ(in.doc.GetState(), 3) << "the first anchor was not taken";
        const QPoint pb = in.Px(b.X, b.Y) + QPoint(-r.Off, r.Off);
        in.Move(pb + QPoint(30, 0));
        in.Move(pb);
        in.Click(pb);
        if (!r.Made) {
            EXPECT_EQ(in.doc.GetItemsCount(), 2);
            EXPECT_EQ(in.doc.GetAction(), TAct::ActLink);
            continue;
        }
        ASSERT_EQ(in.doc.GetItemsCount(), 3);
        const auto* link = dynamic_cast<const TKVRBaseLink*>(in.Last());
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->GetFromID(), from->GetNumID());
        EXPECT_EQ(link->GetToID(), to->GetNumID());
        EXPECT_EQ(link->GetFromIndex(), 2);
        EXPECT_EQ(link->GetToIndex(), 4);
        EXPECT_EQ(in.doc.GetAction(), TAct::ActSelect);
    }
}

// F8 with the grid on: the line stays square to its anchor, and its free
// coordinate lands on the grid.
TEST(EditorPointer, OrthoWithTheGridConstrainsFirstThenSnapsTheFreeCoordinate)
{
    struct Row
    {
        TKVRZoom Zoom;
        double Across, Down;  // grid steps from the anchor
        bool Vertical;
    };
    const Row rows[] = {{TKVRZoom::zm100, 1.4, 4.3, true}, {TKVRZoom::zm100, 4.3, -1.4, false}, {TKVRZoom::zm200, -1.3, -3.6, true},
                        {TKVRZoom::zm50, 3.7, 1.2, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << int(r.Zoom) << " " << r.Across << " " << r.Down);
        TEditorInput in(150000, 120000, {900, 800});
        in.editor.SetZoom(r.Zoom);
        in.Key(Qt::Key_F9);
        in.Key(Qt::Key_F8);
        ASSERT_TRUE(in.editor.GetSnap().testFlag(skGrid));
        ASSERT_TRUE(in.editor.GetOrtoLines());
        const int64_t gx = in.editor.GetGrid()->BaseIncX(), gy = in.editor.GetGrid()->BaseIncY();
        in.doc.StartAction(4);
        in.Click(in.Px(5 * gx + gx / 3, 5 * gy + gy / 4));
        ASSERT_EQ(in.doc.GetAct().NumPoints(), 1);
        const TKVRPto anchor = in.doc.GetAct().GetPoint(0);
        const QPoint to = in.Px(anchor.X + int64_t(r.Across * gx), anchor.Y + int64_t(r.Down * gy));
        in.Move(to);
        in.Click(to);
        ASSERT_EQ(in.doc.GetItemsCount(), 1);
        const TKVRPto b = in.Last()->GetPoint(2);
        if (r.Vertical) {
            EXPECT_EQ(b.X, anchor.X);
            EXPECT_EQ(b.Y % gy, 0) << b.Y;
            EXPECT_LE(std::abs(b.Y - in.MMY(to.y())), gy / 2 + 300);
        } else {
            EXPECT_EQ(b.Y, anchor.Y);
            EXPECT_EQ(b.X % gx, 0) << b.X;
            EXPECT_LE(std::abs(b.X - in.MMX(to.x())), gx / 2 + 300);
        }
    }
}

// Esc while the button is held puts what was dragged back where it was: the
// whole element, with and without the grid, and a grabbed end point.
TEST(EditorPointer, EscDuringADragPutsTheElementBack)
{
    struct Row
    {
        const char* Name;
        bool Grid;
        bool Handle;
    };
    const Row rows[] = {{"whole", false, false}, {"whole on the grid", true, false}, {"end point", false, true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TEditorInput in;
        TKVRBaseItem* line = in.doc.AddBaseLine(20000, 20000, 60000, 30000);
        const TKVRPto p1 = line->GetPoint(1), p2 = line->GetPoint(2);
        if (r.Grid)
            in.Key(Qt::Key_F9);
        const QPoint mid = in.Px(40000, 25000);
        in.Click(mid);
        ASSERT_EQ(in.doc.Select(), line);
        const QPoint grab = r.Handle ? in.Px(p2.X, p2.Y) : mid;
        in.Move(grab);
        in.Press(grab);
        ASSERT_EQ(in.doc.GetAction(), TAct::ActDrag);
        in.Move(grab + QPoint(30, 20), Qt::LeftButton);
        in.Move(grab + QPoint(70, 45), Qt::LeftButton);
        ASSERT_NE(line->GetPoint(2), p2) << "the drag moved nothing";
        in.Key(Qt::Key_Escape);
        EXPECT_EQ(line->GetPoint(1), p1);
        EXPECT_EQ(line->GetPoint(2), p2);
        // What the pointer does until the button is up moves nothing more.
        in.Move(grab + QPoint(90, 60), Qt::LeftButton);
        in.Release(grab + QPoint(90, 60));
        EXPECT_EQ(line->GetPoint(1), p1);
        EXPECT_EQ(line->GetPoint(2), p2);
        EXPECT_EQ(in.doc.GetAction(), TAct::ActSelect);
    }
}

// With the grid on, the first click of every tool lands on the same grid point.
TEST(EditorPointer, EveryToolsFirstClickTakesTheSameGridPoint)
{
    struct Row
    {
        const char* Name;
        uint8_t Action;
    };
    const Row rows[] = {{"point", 3}, {"line", 4}, {"text", TAct::ActWriteText}, {"rectangle", 6}, {"flow", 39}};
    for (const int32_t scale : {1, 50})
        for (const Row& r : rows) {
            SCOPED_TRACE(testing::Message() << r.Name << " 1:" << scale);
            TEditorInput in;
            in.doc.GetMeasure().SetDrawScale(scale);
            in.Key(Qt::Key_F9);
            const int64_t gx = in.editor.GetGrid()->BaseIncX(), gy = in.editor.GetGrid()->BaseIncY();
            const TKVRPto grid{3 * gx, 2 * gy};
            // A pixel or two off the grid point.
            const QPoint at = in.Px(grid.X, grid.Y) + QPoint(1, -1);
            in.doc.StartAction(r.Action);
            in.Move(at);
            in.Click(at);
            const TKVRPto placed = in.doc.GetAct().NumPoints() > 0 ? in.doc.GetAct().GetPoint(0)
                                   : in.doc.GetItemsCount() > 0  ? in.Last()->GetPoint(1)
                                                                 : TKVRPto{-1, -1};
            EXPECT_EQ(placed, grid);
        }
}

// A line drawn towards an ellipse snaps to the foot of the perpendicular
// from its first point, as it does on a circle: the point found lies on the
// outline and the line meets the outline square.
TEST(EditorPointer, PerpendicularSnapFindsTheFootOnAnEllipse)
{
    struct Row
    {
        const char* Name;
        int64_t RX, RY;
        TKVRPto From;
        TKVRPto Near;  // where the pointer goes, in micrometres
    };
    const Row rows[] = {
        {"ellipse on its axis", 20000, 10000, {190000, 50000}, {170300, 50100}},
        {"circle on its axis", 20000, 20000, {190000, 50000}, {170300, 50100}},
        {"ellipse off its axes", 20000, 10000, {185000, 80000}, {166900, 55700}},
        {"tall ellipse from above", 10000, 25000, {140000, 10000}, {148200, 25800}},
    };
    const TKVRPto c{150000, 50000};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TEditorInput in(220000, 100000, {1000, 600});
        in.editor.SetSnap(skPerpendicular);
        in.doc.AddBaseEllipse(c.X, c.Y, r.RX, r.RY);
        in.doc.StartAction(4);
        in.Click(in.Px(r.From.X, r.From.Y));
        ASSERT_EQ(in.doc.GetAct().NumPoints(), 1);
        const TKVRPto from = in.doc.GetAct().GetPoint(0);
        const QPoint near = in.Px(r.Near.X, r.Near.Y);
        in.Move(near);
        in.Click(near);
        ASSERT_EQ(in.doc.GetItemsCount(), 2);
        const TKVRPto p = in.Last()->GetPoint(2);
        // On the outline: (x/rx)^2 + (y/ry)^2 = 1, to a micrometre.
        const double ux = double(p.X - c.X) / double(r.RX), uy = double(p.Y - c.Y) / double(r.RY);
        EXPECT_NEAR(std::hypot(ux, uy), 1.0, 1.5 / double(std::min(r.RX, r.RY)));
        // Square: the line's direction against the outline's tangent there.
        const double tx = -double(r.RX) * uy, ty = double(r.RY) * ux;
        const double lx = double(p.X - from.X), ly = double(p.Y - from.Y);
        EXPECT_NEAR((lx * tx + ly * ty) / (std::hypot(lx, ly) * std::hypot(tx, ty)), 0.0, 1e-3);
        // And it is the foot near the pointer.
        EXPECT_LT(std::hypot(double(p.X - r.Near.X), double(p.Y - r.Near.Y)), 2000.0);
    }
}

// The symbol chosen in the browser is filed in the document as one edit,
// which the document counts as a change.
TEST(EditorPointer, SymbolChosenInTheBrowserIsOneEditThatModifies)
{
    struct TChoose : IKVRSymbolBrowser
    {
        TBrackets* Seen = nullptr;
        int EndsAtChoice = -1;
        bool Browse(TVXLabelFMX&, QString&, std::unique_ptr<TKVRBaseLibSymbol>& aSymbol) override
        {
            EndsAtChoice = Seen->Ends;
            aSymbol = std::make_unique<TKVRBaseLibSymbol>();
            aSymbol->SetName(QStringLiteral("Valve"));
            return true;
        }
    } browser;
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "held already" : "new");
        TEditorInput in;
        in.editor.fSymbolBrowser = &browser;
        if (held) {
            auto same = std::make_unique<TKVRBaseLibSymbol>();
            same->SetName(QStringLiteral("Valve"));
            in.doc.AddSymbol(std::move(same), false);
        }
        TBrackets brackets(in.doc);
        browser.Seen = &brackets;
        in.doc.SetModified(false);
        // The browser opens inside the starting action's bracket, whose end
        // follows the choice's.
        in.doc.StartAction(TAct::ActSymbol);
        EXPECT_EQ(in.doc.GetSymbolCount(), 1);
        EXPECT_EQ(in.doc.GetModified(), !held);
        EXPECT_EQ(brackets.Ends - browser.EndsAtChoice, 2);
        // The symbol is then placed by a click.
        in.Click(in.Px(30000, 30000));
        EXPECT_EQ(in.doc.GetItemsCount(), 1);
    }
}
