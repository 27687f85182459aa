// Pointer input on the real editor: drawing, snapping, selecting, dragging,
// handles, guides, the host's events and the wheel, read back from the document.
#include "tests/editor/EditorInput.h"
#include "platform/rtl/model/TKVRBaseLine.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include <QImage>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <cmath>

namespace {
TKVRRect Box(const TKVRBaseItem* aItem)
{
    const TKVRPto a = aItem->GetPoint(1), b = aItem->GetPoint(2);
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

// How many pixels of a square about p have the colour's hue on white: the
// rubber band is antialiased, so its pixels are blends.
int Near(const QImage& aImage, QPoint p, int aHalf, QRgb aColour)
{
    const QColor want = QColor(aColour).toHsv();
    int n = 0;
    for (int y = p.y() - aHalf; y <= p.y() + aHalf; ++y)
        for (int x = p.x() - aHalf; x <= p.x() + aHalf; ++x) {
            const QColor c = QColor(aImage.pixel(x, y)).toHsv();
            if (c.saturation() > 60 && std::abs(c.hue() - want.hue()) < 15)
                ++n;
        }
    return n;
}

bool WheelEvent(TEditorInput& in, int aDelta, Qt::KeyboardModifiers m)
{
    const QPointF p(200, 200);
    QWheelEvent e(p, in.Surface()->mapToGlobal(p), QPoint(), QPoint(0, aDelta), Qt::NoButton, m, Qt::NoScrollPhase,
                  false);
    QApplication::sendEvent(in.Surface(), &e);
    return e.isAccepted();
}
}  // namespace

// Two clicks make a line at the micrometres of the pixels: the label's corner
// lies at (15, 15); 25,400 / 96 µm a pixel at 100 %, times the drawing scale.
TEST(EditorMouse, TwoClicksMakeALineAtTheConvertedPoints)
{
    for (const int32_t scale : {1, 5000}) {
        SCOPED_TRACE(scale);
        TEditorInput in;
        in.doc.GetMeasure().SetDrawScale(scale);
        in.doc.SendInfo();
        in.doc.StartAction(4);
        in.Click({100, 120});
        in.Move({300, 200});
        in.Click({300, 200});
        ASSERT_EQ(in.doc.GetItemsCount(), 1);
        const TKVRBaseItem* line = in.Last();
        EXPECT_EQ(line->GetPoint(1).X, 22490 * int64_t(scale));  // 85 px
        EXPECT_EQ(line->GetPoint(1).Y, 27781 * int64_t(scale));  // 105 px
        EXPECT_EQ(line->GetPoint(2).X, 75406 * int64_t(scale));  // 285 px
        EXPECT_EQ(line->GetPoint(2).Y, 48948 * int64_t(scale));  // 185 px
        EXPECT_EQ(in.doc.GetAction(), TAct::ActSelect);
    }
}

TEST(EditorMouse, F9PutsThePointsOnTheGrid)
{
    TEditorInput in;
    in.Key(Qt::Key_F9);
    ASSERT_TRUE(in.editor.GetSnap().testFlag(skGrid));
    const int64_t step = in.editor.GetGrid()->BaseIncX();
    ASSERT_GT(step, 0);
    in.doc.StartAction(4);
    in.Click({103, 121});
    in.Move({297, 211});
    in.Click({297, 211});
    ASSERT_EQ(in.doc.GetItemsCount(), 1);
    for (const int i : {1, 2}) {
        const TKVRPto p = in.Last()->GetPoint(i);
        EXPECT_EQ(p.X % step, 0) << p.X;
        EXPECT_EQ(p.Y % in.editor.GetGrid()->BaseIncY(), 0) << p.Y;
    }
    EXPECT_LE(std::abs(in.Last()->GetPoint(1).X - in.MMX(103)), step / 2);
}

// With ortho a click as far across as down keeps the anchor's X; the anchor
// is held in micrometres, so a zoom between the clicks changes nothing.
TEST(EditorMouse, OrthoKeepsTheAnchorAfterAZoom)
{
    struct Row
    {
        TKVRZoom Zoom;
        QPoint Step;
        bool Vertical;
    };
    const Row rows[] = {{TKVRZoom::zm100, {40, 40}, true},  {TKVRZoom::zm200, {40, 40}, true},
                        {TKVRZoom::zm200, {41, 40}, false}, {TKVRZoom::zm75, {-30, 30}, true},
                        {TKVRZoom::zm500, {-60, 20}, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.Zoom));
        TEditorInput in;
        in.Key(Qt::Key_F8);
        ASSERT_TRUE(in.editor.GetOrtoLines());
        in.doc.StartAction(4);
        in.Click({101, 117});
        const TKVRPto anchor = in.doc.GetAct().GetPoint(0);
        in.editor.SetZoom(r.Zoom);
        const QPoint to = in.Px(anchor.X, anchor.Y) + r.Step;
        in.Move(to);
        in.Click(to);
        ASSERT_EQ(in.doc.GetItemsCount(), 1);
        const TKVRPto a = in.Last()->GetPoint(1), b = in.Last()->GetPoint(2);
        EXPECT_EQ(a, anchor);
        if (r.Vertical)
            EXPECT_EQ(b.X, anchor.X);
        else
            EXPECT_EQ(b.Y, anchor.Y);
    }
}

// End, middle and centre snapping: the end 0.3 mm beside a middle wins.
TEST(EditorMouse, EndSnapWinsOverAMiddleAtTheSameSpot)
{
    TEditorInput in;
    in.doc.AddBaseLine(0, 10000, 20000, 10000);       // middle (10000, 10000)
    in.doc.AddBaseLine(10300, 10000, 10300, 30000);   // end (10300, 10000)
    in.editor.SetSnap(skEnd | skMiddle | skCenter);
    in.doc.StartAction(4);
    in.Click(in.Px(10000, 10000));
    in.Move(in.Px(70000, 50000));
    in.Click(in.Px(70000, 50000));
    ASSERT_EQ(in.doc.GetItemsCount(), 3);
    EXPECT_EQ(in.Last()->GetPoint(1), (TKVRPto{10300, 10000}));
}

TEST(EditorMouse, RightButtonEndsAPolyline)
{
    TEditorInput in;
    in.doc.StartAction(7);
    for (const QPoint p : {QPoint(100, 100), QPoint(200, 120), QPoint(250, 220)})
        in.Click(p);
    EXPECT_EQ(in.doc.GetItemsCount(), 0);
    in.Click({300, 200}, Qt::RightButton);
    ASSERT_EQ(in.doc.GetItemsCount(), 1);
    EXPECT_EQ(in.Last()->NumPoints(), 3);
    EXPECT_EQ(in.Last()->GetPoint(3), (TKVRPto{in.MMX(250), in.MMY(220)}));
}

TEST(EditorMouse, RubberBandAndSnapMarkerArePainted)
{
    TEditorInput in;
    in.doc.AddBaseLine(50000, 40000, 80000, 40000);
    in.editor.SetSnap(skEnd);
    in.doc.StartAction(4);
    in.Click({100, 100});
    in.Move({200, 100});
    const QColor draw = QColor::fromRgba(in.editor.GetSelectionColors()->fDraw);
    QImage img = in.Surface()->grab().toImage();
    EXPECT_GT(Near(img, {150, 100}, 1, draw.rgb()), 0) << "rubber band";
    EXPECT_EQ(Near(img, {150, 140}, 1, draw.rgb()), 0);
    // Near the end of the line the marker shows and the band ends on it.
    const QPoint end = in.Px(50000, 40000);
    in.Move(end + QPoint(3, 2));
    img = in.Surface()->grab().toImage();
    EXPECT_GT(Near(img, end, 6, in.editor.GetSelectionColors()->fRefPoint), 8) << "snap marker";
    in.Click(end + QPoint(3, 2));
    ASSERT_EQ(in.doc.GetItemsCount(), 2);
    EXPECT_EQ(in.Last()->GetPoint(2), (TKVRPto{50000, 40000}));
}

TEST(EditorMouse, ClickRectangleAndDragSelectAndMove)
{
    TEditorInput in;
    TKVRBaseItem* rect = in.doc.AddBaseRectangle(20000, 20000, 20000, 10000);
    TKVRBaseItem* line = in.doc.AddBaseLine(60000, 20000, 80000, 30000);
    // A click on the rectangle's edge selects it.
    in.Click(in.Px(20000, 25000));
    ASSERT_EQ(in.doc.Select(), rect);
    // A rectangle drawn rightwards from an empty spot takes what lies inside.
    in.Drag(in.Px(55000, 15000), in.Px(90000, 40000));
    EXPECT_EQ(in.doc.Select(), line);
    // A drag moves the element by the micrometres of the pixels.
    const QPoint from = in.Px(20000, 25000), to = from + QPoint(40, 23);
    const TKVRRect before = Box(rect);
    in.Drag(from, to);
    const TKVRRect after = Box(rect);
    EXPECT_EQ(after.Left - before.Left, in.MMX(to.x()) - in.MMX(from.x()));
    EXPECT_EQ(after.Top - before.Top, in.MMY(to.y()) - in.MMY(from.y()));
    EXPECT_EQ(in.doc.GetAction(), TAct::ActSelect);
}

// Each sizing handle moves its edges and no other; the cursor over it is the
// one of its direction.
TEST(EditorMouse, SizingHandlesAndTheirCursors)
{
    struct Row
    {
        uint8_t Kind;
        bool Left, Top, Right, Bottom;
        Qt::CursorShape Cursor;
    };
    const Row rows[] = {
        {8, true, true, false, false, Qt::SizeFDiagCursor},   {9, false, true, false, false, Qt::SizeVerCursor},
        {10, false, true, true, false, Qt::SizeBDiagCursor},  {11, true, false, false, false, Qt::SizeHorCursor},
        {12, false, false, true, false, Qt::SizeHorCursor},   {13, true, false, false, true, Qt::SizeBDiagCursor},
        {14, false, false, false, true, Qt::SizeVerCursor},   {15, false, false, true, true, Qt::SizeFDiagCursor},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.Kind));
        TEditorInput in;
        TKVRBaseItem* rect = in.doc.AddBaseRectangle(30000, 20000, 30000, 20000);
        in.doc.SelectItem(rect, false);
        QPoint handle;
        for (int32_t i = 1; i <= in.doc.GetSelPointCount(); ++i)
            if (in.doc.GetSelPoint(i).Kind == r.Kind)
                handle = {in.Surface()->CoordDX(in.doc.GetSelPoint(i).X, true),
                          in.Surface()->CoordDY(in.doc.GetSelPoint(i).Y, true)};
        ASSERT_FALSE(handle.isNull());
        in.Move(handle + QPoint(2, -1));
        EXPECT_EQ(in.Surface()->cursor().shape(), r.Cursor);
        in.Move(handle + QPoint(30, 30));
        EXPECT_FALSE(in.Surface()->testAttribute(Qt::WA_SetCursor));

        const TKVRRect before = Box(rect);
        const QPoint to = handle + QPoint(12, 8);
        in.Drag(handle, to);
        const TKVRRect after = Box(rect);
        const int64_t dx = in.MMX(to.x()) - in.MMX(handle.x()), dy = in.MMY(to.y()) - in.MMY(handle.y());
        EXPECT_EQ(after.Left - before.Left, r.Left ? dx : 0);
        EXPECT_EQ(after.Right - before.Right, r.Right ? dx : 0);
        EXPECT_EQ(after.Top - before.Top, r.Top ? dy : 0);
        EXPECT_EQ(after.Bottom - before.Bottom, r.Bottom ? dy : 0);
    }
}

TEST(EditorMouse, LineEndHandleMovesOnePoint)
{
    TEditorInput in;
    TKVRBaseItem* line = in.doc.AddBaseLine(20000, 20000, 60000, 30000);
    in.doc.SelectItem(line, false);
    const QPoint end = in.Px(60000, 30000);
    in.Move(end);
    EXPECT_EQ(in.Surface()->cursor().shape(), Qt::SizeAllCursor);
    in.Drag(end, end + QPoint(-20, 30));
    EXPECT_EQ(line->GetPoint(1), (TKVRPto{20000, 20000}));
    EXPECT_EQ(line->GetPoint(2), (TKVRPto{in.MMX(end.x() - 20), in.MMY(end.y() + 30)}));
}

// Outside the label a click starts nothing; a release there still ends the
// drag, and the element no longer follows the pointer.
TEST(EditorMouse, OutsideTheLabel)
{
    TEditorInput in;
    TKVRBaseItem* rect = in.doc.AddBaseRectangle(20000, 20000, 20000, 10000);
    in.doc.SelectItem(rect, false);
    in.Click({5, 300});
    EXPECT_EQ(in.doc.Select(), rect);
    EXPECT_EQ(in.doc.GetAction(), TAct::ActSelect);
    EXPECT_EQ(in.doc.GetState(), 0);

    const QPoint from = in.Px(20000, 25000);
    in.Move(from);
    in.Press(from);
    in.Move(from + QPoint(20, 0), Qt::LeftButton);
    in.Move({560, 300}, Qt::LeftButton);
    in.Release({560, 300});
    EXPECT_EQ(in.doc.GetAction(), TAct::ActSelect);
    const TKVRRect kept = Box(rect);
    in.Move(from + QPoint(60, 30));
    EXPECT_EQ(Box(rect), kept);
    EXPECT_EQ(kept.Left, 20000 + in.MMX(from.x() + 20) - in.MMX(from.x()));
}

TEST(EditorMouse, GuideDraggedLeftOfTheLabelStoresZero)
{
    TEditorInput in;
    in.editor.GetRulers()->SetVisible(rvTop | rvLeft);
    in.editor.GetRulers()->SetShowAlign(true);
    TKVRRulers& rulers = *in.editor.GetRulers();
    const QPoint grip(in.Surface()->CoordDX(float(rulers.fAlignLeft) / 1000.0f, true), in.Surface()->fDScroll.RulerT / 2);
    in.Press(grip);
    in.Move({grip.x() + 40, 200}, Qt::LeftButton);
    EXPECT_EQ(rulers.fAlignLeft % 1000, 0);
    EXPECT_GT(rulers.fAlignLeft, 10000);
    in.Move({2, 200}, Qt::LeftButton);
    in.Release({2, 200});
    EXPECT_EQ(rulers.fAlignLeft, 0);
    EXPECT_EQ(rulers.fDraggingAlign, 0);
}

TEST(EditorMouse, HostEventsInLabelUnits)
{
    TEditorInput in;
    in.doc.SetUnits(TKVRUnits::Centimetre);
    float mx = -1, my = -1, dx = -1, ux = -1;
    Qt::MouseButton button = Qt::NoButton;
    in.editor.OnMouseMove = [&](QObject*, TShiftState, float x, float y) { mx = x, my = y; };
    in.editor.OnMouseDown = [&](QObject*, Qt::MouseButton b, TShiftState, float x, float) { dx = x, button = b; };
    in.editor.OnMouseUp = [&](QObject*, Qt::MouseButton, TShiftState, float x, float) { ux = x; };
    in.Move(in.Px(25000, 12000));
    EXPECT_NEAR(mx, 2.5f, 0.03f);
    EXPECT_NEAR(my, 1.2f, 0.03f);
    in.Click(in.Px(40000, 12000), Qt::RightButton);
    EXPECT_NEAR(dx, 4.0f, 0.03f);
    EXPECT_NEAR(ux, 4.0f, 0.03f);
    EXPECT_EQ(button, Qt::RightButton);
    mx = -1;
    in.Move({5, 5});
    EXPECT_EQ(mx, -1) << "outside the label";
}

TEST(EditorMouse, WheelScrollsAndZooms)
{
    TEditorInput in(400000, 400000);
    QScrollBar* horz = in.editor.GetHorzScroll();
    QScrollBar* vert = in.editor.GetVertScroll();
    ASSERT_TRUE(horz->isEnabled() && vert->isEnabled());
    const int lines = QApplication::wheelScrollLines();
    EXPECT_TRUE(WheelEvent(in, -120, {}));
    EXPECT_EQ(vert->value(), 10 * lines);
    EXPECT_TRUE(WheelEvent(in, -120, Qt::ShiftModifier | Qt::ControlModifier));
    EXPECT_EQ(horz->value(), 10 * lines);
    EXPECT_EQ(in.editor.GetZoom(), TKVRZoom::zm100);
    EXPECT_TRUE(WheelEvent(in, 120, Qt::ControlModifier));
    EXPECT_EQ(in.editor.GetZoom(), TKVRZoom::zm125);
    // A touchpad's small deltas make one step together.
    for (int i = 0; i < 7; ++i)
        WheelEvent(in, 15, Qt::ControlModifier);
    EXPECT_EQ(in.editor.GetZoom(), TKVRZoom::zm125);
    WheelEvent(in, 15, Qt::ControlModifier);
    EXPECT_EQ(in.editor.GetZoom(), TKVRZoom::zm150);
    // Without the wheel option the event goes on to the parent.
    in.editor.SetEditorOptions(eoCoordInput);
    EXPECT_FALSE(WheelEvent(in, 120, Qt::ControlModifier));
    EXPECT_EQ(in.editor.GetZoom(), TKVRZoom::zm150);
}

// The slider of a text's maximum width: its cursor follows the text's turn,
// a drag shortens what the editor shows.
TEST(EditorMouse, TextWidthSlider)
{
    for (const TKVRAngle turn : {TKVRAngle::Angle0, TKVRAngle::Angle90}) {
        SCOPED_TRACE(int(turn));
        TEditorInput in;
        TKVRBaseText* text = in.doc.AddBaseText(30000, 30000);
        text->SetText(QStringLiteral("WWWWWWWW"));
        text->SetAngle(turn);
        in.doc.SelectItem(text, false);
        in.Surface()->grab();  // laid out as painted
        QPoint slider;
        for (int32_t i = 1; i <= in.doc.GetSelPointCount(); ++i)
            if (in.doc.GetSelPoint(i).Kind == KVRSelKind::Slider)
                slider = {in.Surface()->CoordDX(in.doc.GetSelPoint(i).X, true),
                          in.Surface()->CoordDY(in.doc.GetSelPoint(i).Y, true)};
        ASSERT_FALSE(slider.isNull());
        in.Move(slider);
        EXPECT_EQ(in.Surface()->cursor().shape(), turn == TKVRAngle::Angle0 ? Qt::SizeHorCursor : Qt::SizeVerCursor);
        const QPoint back = turn == TKVRAngle::Angle0 ? QPoint(-30, 0) : QPoint(0, 30);
        in.Drag(slider, slider + back);
        EXPECT_GT(text->GetMaxWidth(), 0);
        EXPECT_NEAR(text->GetMaxWidth(), text->GetTextWidth() - (in.MMX(30) - in.MMX(0)), 300);
        // Dragged past the end the whole text shows again.
        in.Surface()->grab();
        in.Drag(slider + back, slider + back * -3);
        EXPECT_EQ(text->GetMaxWidth(), 0);
    }
}
