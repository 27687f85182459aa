// The editor moved to another document, the label's measures changed under
// it, and the zoom box through the wheel: what the user sees follows.
#include "tests/editor/EditorInput.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QComboBox>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {
// A rich text selected and clicked into: edited in place.
TKVRBaseRichText* EditRich(TEditorInput& in, const QString& aMarkup)
{
    in.editor.SetEditorOptions(in.editor.GetOptions() | eoRichText);
    TKVRBaseRichText* rich = in.doc.AddBaseRichText(20000, 20000, 40000, 15000);
    rich->SetRichTextValue(aMarkup);
    in.doc.SelectItem(rich, false);
    const TKVRRect b = rich->GetBounds();
    in.Click(in.Px((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2));
    return in.doc.GetTextObject() == rich ? rich : nullptr;
}

void CtrlWheel(TEditorInput& in, int aDelta)
{
    const QPointF p(200, 200);
    QWheelEvent e(p, in.Surface()->mapToGlobal(p), QPoint(), QPoint(0, aDelta), Qt::NoButton, Qt::ControlModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(in.Surface(), &e);
}
}  // namespace

// What was under way on the first document ends there; the second starts
// clean: no coordinate box, no text being written, no rich-text selection
// applied to its rich text.
TEST(EditorAcrossDocuments, AnotherDocumentEndsTheEditingUnderWay)
{
    enum class TKind { Box, Text, RichSelection };
    const std::pair<const char*, TKind> rows[] = {
        {"coordinate box", TKind::Box}, {"text being written", TKind::Text}, {"rich-text selection", TKind::RichSelection}};
    for (const auto& [name, kind] : rows) {
        SCOPED_TRACE(name);
        TEditorInput in;
        TVXLabelFMX other;
        other.GetMeasure().SetWidth(100000);
        other.GetMeasure().SetHeight(60000);
        TKVRBaseRichText* otherRich = other.AddBaseRichText(20000, 20000, 40000, 15000);
        otherRich->SetRichTextValue(QStringLiteral("xy"));
        switch (kind) {
        case TKind::Box:
            in.doc.StartAction(4);
            in.Type("3,4");
            ASSERT_TRUE(in.editor.fBitText);
            break;
        case TKind::Text:
            in.doc.StartAction(TAct::ActWriteText);
            in.Click(in.Px(20000, 30000));
            in.Type("ab");
            ASSERT_NE(in.doc.GetTextObject(), nullptr);
            break;
        case TKind::RichSelection:
            ASSERT_NE(EditRich(in, QStringLiteral("ab")), nullptr);
            in.Key(Qt::Key_Home);
            in.Key(Qt::Key_Right);
            in.Key(Qt::Key_Right, Qt::ShiftModifier);
            ASSERT_NE(in.Surface()->fDrw->aSelStart, in.Surface()->fDrw->aSelEnd);
            break;
        }
        in.editor.SetLabel(&other);
        EXPECT_EQ(in.doc.GetAction(), TAct::ActSelect);
        EXPECT_EQ(in.doc.GetTextObject(), nullptr);
        EXPECT_FALSE(in.editor.fBitText);
        EXPECT_TRUE(in.editor.GetInputText().isEmpty());
        EXPECT_TRUE(in.Surface()->fDrw->aTxt.isEmpty());
        EXPECT_EQ(in.Surface()->fDrw->aSelStart, in.Surface()->fDrw->aSelEnd);
        // Keys on the new document open no box and write nothing.
        in.Type("5");
        EXPECT_FALSE(in.editor.fBitText);
        // The toolbar over the new document's rich text changes nothing
        // without a selection made in it.
        other.SelectItem(otherRich, false);
        in.Surface()->grab();
        const std::vector<TRectF> rects = in.Surface()->fToolbarRects;
        if (in.Surface()->fToolbarVisible && rects.size() > 1) {
            const QPoint bold = QPointF((rects[1].Left + rects[1].Right) / 2, (rects[1].Top + rects[1].Bottom) / 2).toPoint();
            in.Press(bold);
            in.Release(bold);
        }
        EXPECT_EQ(otherRich->GetRichText(), QStringLiteral("xy"));
        in.editor.SetLabel(nullptr);
    }
}

// The label's size and drawing scale, changed in code or in a bracket as the
// sheet dialog writes them, lay the view out again: the surface spans the new
// label, and a press outside it does nothing.
TEST(EditorAcrossDocuments, TheViewFollowsTheLabelsMeasures)
{
    struct Row
    {
        const char* Name;
        bool Bracket;
        int64_t Width, Height;
        int32_t Scale;
    };
    const Row rows[] = {{"A4 to a small label in code", false, 70000, 37125, 1},
                        {"A4 to a small label in a bracket", true, 70000, 37125, 1},
                        {"drawing scale", true, 210000, 297000, 10}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TEditorInput in(210000, 297000, {900, 700});
        if (r.Bracket)
            in.doc.BeginUpdate(true);
        in.doc.GetMeasure().SetWidth(r.Width);
        in.doc.GetMeasure().SetHeight(r.Height);
        in.doc.GetMeasure().SetDrawScale(r.Scale);
        if (r.Bracket)
            in.doc.EndUpdate();
        const TKVRDimScroll& d = in.Surface()->fDScroll;
        EXPECT_EQ(d.BaseW, r.Width);
        EXPECT_EQ(d.BaseH, r.Height);
        EXPECT_EQ(d.ScaledW, r.Width * r.Scale);
        EXPECT_NEAR(in.Surface()->MaxX() - in.Surface()->CMX(),
                    in.Surface()->ScreenMMX(r.Width * r.Scale) - in.Surface()->ScreenMMX(0), 1);
        // Past the new label's right edge, inside the old one.
        in.doc.StartAction(4);
        const QPoint outside = in.Px(r.Width * r.Scale + 5000 * r.Scale, 10000 * r.Scale);
        in.Click(outside);
        EXPECT_EQ(in.doc.GetAct().NumPoints(), 0);
    }
}

// The zoom box shows the zoom every wheel step leaves, and the computed modes.
TEST(EditorAcrossDocuments, TheZoomBoxShowsTheZoom)
{
    TEditorInput in;
    in.editor.SetEditorOptions(in.editor.GetOptions() | eoZoomBox);
    QComboBox* box = in.editor.GetZoomBox();
    const std::pair<int, const char*> steps[] = {{120, "125 %"}, {120, "150 %"}, {-120, "125 %"}, {-120, "100 %"},
                                                 {-120, "75 %"},  {-120, "50 %"},  {-120, "25 %"},  {-120, "25 %"}};
    for (const auto& [delta, shown] : steps) {
        CtrlWheel(in, delta);
        EXPECT_EQ(box->currentText(), QString::fromLatin1(shown));
    }
    in.editor.SetZoom(TKVRZoom::zmWidth);
    EXPECT_EQ(box->currentText(), TKVRMsg::GetPropValue(QStringLiteral("Width")));
    CtrlWheel(in, 120);
    EXPECT_TRUE(box->currentText().endsWith(QStringLiteral(" %")));
    EXPECT_EQ(box->currentIndex(), int(in.editor.GetZoom()));
}
