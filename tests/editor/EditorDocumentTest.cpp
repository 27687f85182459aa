// What the editor does to its document and takes from another editor: the
// label turned by the rotate button at any drawing scale, the option handed
// to the document, the guide alignment, and the scroll bars Assign copies.
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "elements/TKVRRectangle.h"
#include "platform/rtl/KVR.Math.h"
#include <QScrollBar>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdint>

namespace {
constexpr int64_t kA4W = 210000, kA4H = 297000;
}

// One turn (four would cancel the error): the offset was the paper's size
// while the points carry the drawing scale. A rectangle at (10, 20)-(40, 60)
// mm of paper.
TEST(EditorDocument, RotateButtonTurnsTheLabelAtEveryDrawingScale)
{
    struct Row
    {
        Qt::MouseButton Button;
        TKVRRect Paper;  // where the rectangle lands, millimetres of paper
    };
    const Row rows[] = {
        {Qt::LeftButton, {20, 170, 60, 200}},   // (x, y) -> (y, W - x)
        {Qt::RightButton, {237, 10, 277, 40}},  // (x, y) -> (H - y, x)
    };
    for (int32_t scale : {1, 10, 5000})
        for (const Row& r : rows) {
            SCOPED_TRACE(testing::Message() << "1:" << scale << (r.Button == Qt::LeftButton ? " left" : " right"));
            TVXLabelFMX doc;
            doc.GetMeasure().SetWidth(kA4W);
            doc.GetMeasure().SetHeight(kA4H);
            doc.GetMeasure().SetDrawScale(scale);
            const int64_t mm = 1000 * int64_t(scale);
            TKVRBaseItem* rect = TKVRFactory::AddBaseRectangle(&doc, 10 * mm, 20 * mm, 30 * mm, 40 * mm);
            TKVREditor editor;
            editor.SetLabel(&doc);
            editor.MouseDownRotate(r.Button);
            // The stored corners, in whatever order the turn left them.
            TKVRRect b{INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN};
            for (const TKVRPto& p : rect->GetPoints()) {
                b.Left = std::min(b.Left, p.X);
                b.Top = std::min(b.Top, p.Y);
                b.Right = std::max(b.Right, p.X);
                b.Bottom = std::max(b.Bottom, p.Y);
            }
            EXPECT_EQ(b.Left, r.Paper.Left * mm);
            EXPECT_EQ(b.Top, r.Paper.Top * mm);
            EXPECT_EQ(b.Right, r.Paper.Right * mm);
            EXPECT_EQ(b.Bottom, r.Paper.Bottom * mm);
            EXPECT_EQ(doc.GetMeasure().GetWidth(), kA4H);
            EXPECT_EQ(doc.GetMeasure().GetHeight(), kA4W);
        }
}

// Option bit 11 goes to the document when the options or the document
// change, and into the drawing context at each paint.
TEST(EditorDocument, OptionBitElevenReachesDocumentAndContext)
{
    TVXLabelFMX first, second;
    TKVREditor editor;
    editor.resize(300, 200);
    editor.show();
    const TKVREditorOptions plain = editor.GetOptions();
    first.SetEditorFlag(true);
    editor.SetLabel(&first);
    EXPECT_FALSE(first.GetEditorFlag());
    editor.SetEditorOptions(plain | eoDocFlag);
    EXPECT_TRUE(first.GetEditorFlag());
    editor.SetLabel(&second);
    EXPECT_TRUE(second.GetEditorFlag());
    const TKVRDraw& context = *editor.GetSurface()->fDrw;
    editor.GetSurface()->grab();
    EXPECT_TRUE(context.OptionFlag);
    editor.SetEditorOptions(plain);
    EXPECT_FALSE(second.GetEditorFlag());
    editor.GetSurface()->grab();
    EXPECT_FALSE(context.OptionFlag);
}

// An edge on the guide: a float on the way left it a micrometre or so short,
// and a second align moved it again.
TEST(EditorDocument, AlignToGuidesEndsExactlyOnThem)
{
    struct Row
    {
        TKVRUnits Units;
        int32_t Scale;
    };
    const Row rows[] = {{TKVRUnits::Inch, 5000}, {TKVRUnits::Millimetre, 1}, {TKVRUnits::Foot, 250}, {TKVRUnits::Yard, 3}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << int(r.Units) << " at 1:" << r.Scale);
        TVXLabelFMX doc;
        doc.GetMeasure().SetDrawScale(r.Scale);
        doc.SetUnits(r.Units);
        TKVREditor editor;
        editor.SetLabel(&doc);
        const int64_t s = r.Scale;
        doc.SelectItem(TKVRFactory::AddBaseRectangle(&doc, 7400001 * s / 1000, 3300003 * s / 1000, 12345 * s, 6789 * s),
                       false);
        TKVRRulers& rulers = *editor.GetRulers();
        rulers.fAlignLeft = 12345;  // 12.345 label units
        rulers.fAlignTop = 777;
        const double unit = double(MicrometresPerUnit(r.Units));
        const int64_t left = RoundHalfEven(12.345 * unit), top = RoundHalfEven(0.777 * unit);
        const std::tuple<void (TKVRBaseEditor::*)(), int16_t, int64_t> sides[] = {
            {&TKVRBaseEditor::AlignSelectedLeft, 1, left},
            {&TKVRBaseEditor::AlignSelectedTop, 3, top},
            {&TKVRBaseEditor::AlignSelectedRight, 2, left},
            {&TKVRBaseEditor::AlignSelectedBottom, 4, top},
        };
        for (const auto& [align, side, guide] : sides) {
            SCOPED_TRACE(side);
            (editor.*align)();
            EXPECT_EQ(doc.SelectionBounds(side), guide);
            doc.SetModified(false);
            (editor.*align)();
            EXPECT_FALSE(doc.GetModified());
            EXPECT_EQ(doc.SelectionBounds(side), guide);
        }
    }
}

// Assign took the document, rulers, grid and the rest, but not the scroll bars.
TEST(EditorDocument, AssignTakesTheScrollBars)
{
    TVXLabelFMX doc;
    doc.GetMeasure().SetWidth(kA4W);
    doc.GetMeasure().SetHeight(kA4H);
    TKVREditor source, copy;
    for (TKVREditor* e : {&source, &copy}) {
        e->resize(400, 300);
        e->show();
    }
    source.SetLabel(&doc);
    source.SetZoom(TKVRZoom::zm200);
    source.GetHorzScroll()->setValue(120);
    source.GetVertScroll()->setValue(345);
    copy.Assign(source);
    EXPECT_EQ(copy.GetLabel(), &doc);
    EXPECT_EQ(copy.GetHorzScroll()->value(), 120);
    EXPECT_EQ(copy.GetVertScroll()->value(), 345);
    EXPECT_EQ(copy.GetSurface()->fDScroll.ScrollX, 120);
    EXPECT_EQ(copy.GetSurface()->fDScroll.ScrollY, 345);
    EXPECT_EQ(copy.GetSurface()->ScreenMMX(50000), source.GetSurface()->ScreenMMX(50000));
}
