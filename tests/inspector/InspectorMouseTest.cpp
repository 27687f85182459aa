// The mouse on the inspector, offscreen, on a real document: what a click
// on each kind of part changes in the element, and where it does nothing.
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include "tests/inspector/InspectorFixture.h"
#include <QComboBox>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The middle of the part's value box, as the row model lays it out.
QPoint BoxCentre(const TKVRBaseInspector& aGrid, int aPos, int aCode)
{
    int r = 0, j = 0, top = 0;
    if (!FindShownPart(aGrid, aPos, aCode, r, j, top))
        return {-1, -1};
    const TJsonObject& row = aGrid.GetRows()[size_t(r)];
    const TKVRInsCol col = TKVRInsCol(row[K("C", j)].get<int>());
    const double unit = 10;
    return QPoint(int(XPosCtrl(col, TKVRInsProp(aCode), unit) + WidthCtrl(col, TKVRInsProp(aCode), unit) / 2),
                  top + row[K("TV", j)].get<int>() + int(HeightCtrl(TKVRInsProp(aCode), 96) / 2));
}

TJsonObject Value(const TKVRBaseInspector& aGrid, int aPos, int aCode)
{
    int r = 0, j = 0, top = 0;
    return FindShownPart(aGrid, aPos, aCode, r, j, top) ? aGrid.GetRows()[size_t(r)][K("Value", j)] : TJsonObject();
}

struct TFixture : TInspectorFixture
{    void Click(QPoint aAt) { QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, aAt); }
};

constexpr int FilledPos = 150, LayerPos = 100, AlignPos = 1, PositionPos = 2;

TEST(InspectorMouse, ACheckBoxClickTogglesTheElement)
{
    TFixture f;
    f.Doc.SelectItem(f.Rect, false);
    ASSERT_FALSE(f.Grid.GetVertScrollBarVisible());
    const bool before = f.Rect->GetFilled();
    const QPoint at = BoxCentre(f.Grid, FilledPos, KVRInsProp::Check);
    f.Click(at);
    EXPECT_EQ(f.Rect->GetFilled(), !before);
    EXPECT_EQ(Value(f.Grid, FilledPos, KVRInsProp::Check), !before);
    f.Click(at);
    EXPECT_EQ(f.Rect->GetFilled(), before);
    // Hand over the box, arrow beside the caption's left end.
    QTest::mouseMove(f.Grid.viewport(), at);
    EXPECT_EQ(f.Grid.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(f.Grid.viewport(), QPoint(1, at.y()));
    EXPECT_EQ(f.Grid.viewport()->cursor().shape(), Qt::ArrowCursor);
    // A document that may not be edited takes no clicks.
    f.Doc.SetEditable(false);
    f.Click(at);
    EXPECT_EQ(f.Rect->GetFilled(), before);
}

TEST(InspectorMouse, ARowShownInPartTakesNoClick)
{
    TFixture f;
    f.Doc.SelectItem(f.Rect, false);
    int r = 0, j = 0, top = 0;
    ASSERT_TRUE(FindShownPart(f.Grid, FilledPos, KVRInsProp::Check, r, j, top));
    const QPoint at = BoxCentre(f.Grid, FilledPos, KVRInsProp::Check);
    // The control ends just below the box: the row is cut.
    f.Grid.resize(240, at.y() + 6);
    ASSERT_LT(f.Grid.viewport()->height(), top + f.Grid.GetRows()[size_t(r)]["H"].get<int>());
    ASSERT_EQ(f.Grid.GetTopIndex(), 0);
    const bool before = f.Rect->GetFilled();
    f.Click(at);
    EXPECT_EQ(f.Rect->GetFilled(), before);
}

// The option boxes are hit where they are painted: their centres are read
// from the picture (the chosen one in pure red), then clicked.
TEST(InspectorMouse, OptionBoxesAreHitAtTheirPaintedCentres)
{
    TFixture f;
    f.Doc.SelectItem(f.Text, false);
    f.Grid.SetSelButColor(0xFFFF0000);
    int r = 0, j = 0, top = 0;
    ASSERT_TRUE(FindShownPart(f.Grid, AlignPos, KVRInsProp::AlignPos, r, j, top));
    const int h = f.Grid.GetRows()[size_t(r)]["H"].get<int>();
    // centres[group][box]
    QPoint centres[2][3];
    for (int group = 0; group < 2; ++group)
        for (int k = 0; k < 3; ++k) {
            f.Doc.UpdateProp(KVRInsProp::AlignPos, KVRInsType::AlignPosKind, KVRInsType::AlignPosType, group + 1,
                             {{"int", k}});
            const QImage image = f.Grid.grab().toImage();
            // The red box of this group: the left ones for group 0.
            QRect red;
            for (int y = top; y < top + h; ++y)
                for (int x = group == 0 ? 0 : 120; x < (group == 0 ? 120 : 240); ++x)
                    if (image.pixelColor(x, y) == QColor(255, 0, 0))
                        red |= QRect(x, y, 1, 1);
            ASSERT_FALSE(red.isEmpty()) << group << " " << k;
            centres[group][k] = red.center();
        }
    // Now alignment 2 and position 2 are chosen.
    struct TCase { int Group, Box; };
    for (const TCase c : {TCase{0, 0}, TCase{0, 1}, TCase{1, 0}, TCase{1, 1}, TCase{0, 2}}) {
        f.Click(centres[c.Group][c.Box]);
        const int got = c.Group == 0 ? int(f.Text->GetHorzAlign()) : int(f.Text->GetVertAlign());
        EXPECT_EQ(got, c.Box) << c.Group << " " << c.Box;
    }
    // Between two boxes nothing changes; a chosen box sends nothing.
    const int items = f.Count.Items;
    const QPoint between = (centres[0][0] + centres[0][1]) / 2;
    f.Click(between);
    EXPECT_EQ(int(f.Text->GetHorzAlign()), 2);
    f.Click(centres[0][2]);
    EXPECT_EQ(f.Count.Items, items);
    QTest::mouseMove(f.Grid.viewport(), centres[1][1]);
    EXPECT_EQ(f.Grid.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(f.Grid.viewport(), between);
    EXPECT_EQ(f.Grid.viewport()->cursor().shape(), Qt::ArrowCursor);
}

// A barcode's three alignment boxes, without and with the scroll bar (which
// narrows their gaps): each is hit at the centre painted for it (the chosen
// one read in pure red from the picture), the third too; between two boxes
// nothing; the chosen box sends nothing.
TEST(InspectorMouse, AlignmentBoxesAreHitWhereTheyArePainted)
{
    TFixture f;
    auto* code = f.Doc.AddBaseBarcode(0, 40000, QStringLiteral("400638133393"), TKVRBarType(0));
    ASSERT_TRUE(code);
    f.Doc.SelectItem(code, false);
    f.Grid.SetSelButColor(0xFFFF0000);
    auto choose = [&](int k) {
        f.Doc.UpdateProp(KVRInsProp::HorzAlign, KVRInsType::AlignPosKind, KVRInsType::AlignType, 1, {{"int", k}});
    };
    for (const bool bar : {false, true}) {
        SCOPED_TRACE(bar ? "bar shown" : "no bar");
        f.Grid.resize(240, bar ? 160 : 900);
        ASSERT_EQ(f.Grid.GetVertScrollBarVisible(), bar);
        int r = 0, j = 0, top = 0;
        ASSERT_TRUE(FindShownPart(f.Grid, 1, KVRInsProp::HorzAlign, r, j, top));
        if (bar) {
            // The alignment's row at the top of the grid.
            f.Grid.GetScrollBar()->setValue(std::min(r, f.Grid.GetLastTopIndex()));
            ASSERT_TRUE(FindShownPart(f.Grid, 1, KVRInsProp::HorzAlign, r, j, top));
        }
        const int h = f.Grid.GetRows()[size_t(r)]["H"].get<int>();
        ASSERT_LE(top + h, f.Grid.viewport()->height());
        QRect boxes[3];
        for (int k = 0; k < 3; ++k) {
            choose(k);
            const QImage image = f.Grid.grab().toImage();
            for (int y = top; y < top + h; ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixelColor(x, y) == QColor(255, 0, 0))
                        boxes[k] |= QRect(x, y, 1, 1);
            ASSERT_FALSE(boxes[k].isEmpty()) << k;
            ASSERT_LT(boxes[k].right(), f.Grid.viewport()->width()) << k;
        }
        ASSERT_LT(boxes[0].right(), boxes[1].left());
        ASSERT_LT(boxes[1].right(), boxes[2].left());
        // The whole painted box takes the click: its centre and just inside
        // its left and right edges.
        for (int k = 0; k < 3; ++k) {
            const QRect& b = boxes[k];
            const int y = b.center().y();
            for (const QPoint at : {b.center(), QPoint(b.left() + 2, y), QPoint(b.right() - 2, y)}) {
                choose((k + 1) % 3);
                f.Click(at);
                EXPECT_EQ(int(code->GetHorzAlign()), k) << k << " at " << at.x();
            }
        }
        choose(2);
        const QPoint centres[3] = {boxes[0].center(), boxes[1].center(), boxes[2].center()};
        const int items = f.Count.Items;
        for (const QPoint between : {(centres[0] + centres[1]) / 2, (centres[1] + centres[2]) / 2}) {
            f.Click(between);
            EXPECT_EQ(int(code->GetHorzAlign()), 2);
            QTest::mouseMove(f.Grid.viewport(), between);
            EXPECT_EQ(f.Grid.viewport()->cursor().shape(), Qt::ArrowCursor);
        }
        f.Click(centres[2]);
        EXPECT_EQ(f.Count.Items, items);
        QTest::mouseMove(f.Grid.viewport(), centres[2]);
        EXPECT_EQ(f.Grid.viewport()->cursor().shape(), Qt::PointingHandCursor);
    }
}

// A caption longer than its half column is cut there with an ellipsis; the
// pointer over it shows the whole caption, over one that fits nothing.
TEST(InspectorMouse, ACutCaptionShowsWholeAsATip)
{
    TFixture f;
    f.Doc.SelectItem(f.Rect, false);
    struct TCase
    {
        int Pos, Code;
        const char* Tip;
    };
    const TCase cases[] = {{120, KVRInsProp::Number, "Pen width"}, {260, KVRInsProp::Number, ""}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Pos);
        int r = 0, j = 0, top = 0;
        ASSERT_TRUE(FindShownPart(f.Grid, c.Pos, c.Code, r, j, top));
        const TJsonObject& row = f.Grid.GetRows()[size_t(r)];
        ASSERT_EQ(row[K("C", j)].get<int>(), int(KVRInsCol::Left));
        f.Grid.grab();
        const QPoint at(int(XPosTitle(KVRInsCol::Left, 10)) + 10, top + row[K("T", j)].get<int>() + 5);
        QTest::mouseMove(f.Grid.viewport(), at);
        EXPECT_EQ(f.Grid.viewport()->toolTip(), QString::fromLatin1(c.Tip));
    }
}

// The list lies over the value box; its choice goes to every selected
// element, also the entry already shown; a new selection hides it and it
// then sends nothing.
TEST(InspectorMouse, AListChoiceGoesToItsPartOnly)
{
    TFixture f;
    f.Doc.AddLayer(QStringLiteral("Second"));
    f.Doc.SelectItem(f.Rect, false);
    f.Doc.SelectItem(f.Text, true);
    ASSERT_EQ(f.Doc.GetSelectionCount(), 2);
    f.Text->SetLayer(1);
    ASSERT_EQ(f.Rect->GetLayer(), 0);
    const QPoint at = BoxCentre(f.Grid, LayerPos, KVRInsProp::List);
    f.Click(at);
    QComboBox* list = f.Grid.GetComboList();
    ASSERT_TRUE(list->isVisible());
    EXPECT_TRUE(list->geometry().contains(at));
    EXPECT_EQ(list->count(), 2);
    // The entry the rows show (the first element's) is sent to both.
    emit list->activated(list->currentIndex());
    EXPECT_EQ(f.Text->GetLayer(), f.Rect->GetLayer());
    f.Click(at);
    ASSERT_TRUE(list->isVisible());
    f.Doc.SelectItem(f.Rect, false);
    EXPECT_FALSE(list->isVisible());
    const int layer = f.Rect->GetLayer();
    emit list->activated(1 - layer);
    EXPECT_EQ(f.Rect->GetLayer(), layer);
    // One element: the entry shown is not sent again; another one is.
    f.Click(at);
    ASSERT_TRUE(list->isVisible());
    const int items = f.Count.Items;
    emit list->activated(list->currentIndex());
    EXPECT_EQ(f.Count.Items, items);
    f.Click(at);
    emit list->activated(1 - layer);
    EXPECT_EQ(f.Rect->GetLayer(), 1 - layer);
}

// A click on a number opens its box; a click on another part moves it there.
TEST(InspectorMouse, AClickOnANumberOpensItsBox)
{
    TFixture f;
    f.Doc.SelectItem(f.Rect, false);
    f.Click(BoxCentre(f.Grid, 260, KVRInsProp::Number));
    ASSERT_TRUE(f.Grid.GetEdit().Active);
    int r = 0, j = 0, top = 0;
    ASSERT_TRUE(FindShownPart(f.Grid, 260, KVRInsProp::Number, r, j, top));
    EXPECT_EQ(f.Grid.GetEdit().Row, r);
    EXPECT_EQ(f.Grid.GetEdit().Text, QStringLiteral("20"));
    f.Click(BoxCentre(f.Grid, FilledPos, KVRInsProp::Check));
    EXPECT_FALSE(f.Grid.GetEdit().Active);
}

}  // namespace
