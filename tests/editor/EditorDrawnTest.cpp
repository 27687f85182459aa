// A document drawn with the mouse and the keys alone, kind after kind; with
// KVR_EDITOR_SHOT set the window stays up that many seconds (for a screenshot
// under Xvfb) and its picture is saved as editor-drawn.png.
#include "tests/editor/EditorInput.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <QImage>
#include <gtest/gtest.h>

TEST(EditorDrawn, EveryClickedKindLandsInTheDocument)
{
    TEditorInput in(100000, 70000, {640, 480});
    in.editor.SetZoom(TKVRZoom::zm125);
    struct Row
    {
        uint8_t Action;
        std::vector<QPoint> Clicks;  // in millimetres
        int32_t Kind;
    };
    const Row rows[] = {
        {4, {{8, 8}, {40, 14}}, KVRItemKind::Line},
        {6, {{10, 20}, {38, 34}}, KVRItemKind::Rectangle},
        {11, {{60, 16}, {70, 16}}, KVRItemKind::Circle},
        {14, {{60, 44}, {74, 44}, {60, 38}}, KVRItemKind::Ellipse},
        {13, {{10, 60}, {22, 46}, {36, 60}}, KVRItemKind::Arc},
        {38, {{44, 52}, {90, 52}, {70, 62}}, KVRItemKind::Dim},
    };
    int32_t count = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.Action));
        in.doc.StartAction(r.Action);
        for (const QPoint& mm : r.Clicks) {
            const QPoint p = in.Px(mm.x() * 1000, mm.y() * 1000);
            in.Move(p);
            in.Click(p);
        }
        ASSERT_EQ(in.doc.GetItemsCount(), ++count);
        EXPECT_EQ(in.Last()->GetKind(), r.Kind);
    }
    // A polyline ends with the right button, a text is typed in place.
    in.doc.StartAction(7);
    for (const QPoint mm : {QPoint(44, 24), QPoint(52, 34), QPoint(44, 34), QPoint(52, 24)})
        in.Click(in.Px(mm.x() * 1000, mm.y() * 1000));
    in.Click(in.Px(52000, 24000), Qt::RightButton);
    EXPECT_EQ(in.Last()->GetKind(), KVRItemKind::PolyLine);
    in.doc.StartAction(15);
    in.Click(in.Px(78000, 8000));
    in.Type(QStringLiteral("Drawn"));
    in.Key(Qt::Key_Return);
    EXPECT_EQ(in.Last()->GetKind(), KVRItemKind::Text);
    // The rectangle is dragged by its edge and selected.
    in.Drag(in.Px(10000, 27000), in.Px(12000, 29000));
    EXPECT_EQ(in.doc.Select(), in.doc.GetItem(2));
    EXPECT_EQ(in.doc.GetItemsCount(), count + 2);

    if (const int seconds = qEnvironmentVariableIntValue("KVR_EDITOR_SHOT"); seconds > 0) {
        in.Move(in.Px(90000, 30000));
        in.Surface()->grab().save(QStringLiteral("editor-drawn.png"));
        QTest::qWait(seconds * 1000);
    }
}
