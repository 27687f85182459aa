// The editor offscreen: its children's places, its reactions to the
// document's changes, and the faults it must not have.
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "elements/TKVRRectangle.h"
#include <QComboBox>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {
// A document of aWidth x aHeight micrometres shown in a 600 x 600 editor.
struct TEditorOn
{
    explicit TEditorOn(int64_t aWidth = 100000, int64_t aHeight = 60000, QSize aSize = {600, 600})
    {
        doc.GetMeasure().SetWidth(aWidth);
        doc.GetMeasure().SetHeight(aHeight);
        editor.resize(aSize);
        editor.show();
        editor.SetLabel(&doc);
    }
    TVXLabelFMX doc;
    TKVREditor editor;
};
}  // namespace

TEST(EditorFrame, ChildrenByOptions)
{
    struct Row
    {
        int Options;
        QRect Horz, Vert;
        bool ZoomShown, SnapShown;
    };
    const Row rows[] = {
        {255, {122, 578, 456, 22}, {578, 44, 22, 534}, true, true},
        {0, {0, 578, 578, 22}, {578, 0, 22, 578}, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Options);
        TEditorOn on;
        on.editor.SetEditorOptions(TKVREditorOptions(r.Options));
        EXPECT_EQ(on.editor.GetHorzScroll()->geometry(), r.Horz);
        EXPECT_EQ(on.editor.GetVertScroll()->geometry(), r.Vert);
        EXPECT_EQ(on.editor.GetSurface()->geometry(), QRect(0, 0, 578, 578));
        EXPECT_EQ(on.editor.GetZoomBox()->isVisible(), r.ZoomShown);
        EXPECT_EQ(on.editor.GetSnapInfo()->isVisible(), r.SnapShown);
        EXPECT_EQ(on.editor.GetSettingsButton()->isVisible(), r.ZoomShown);
    }
}

TEST(EditorFrame, UpdateBracketStopsPaintingUntilItCloses)
{
    TEditorOn on;
    const TKVRDimScroll& d = on.editor.GetSurface()->fDScroll;
    ASSERT_TRUE(d.Ready);
    on.doc.BeginUpdate();
    EXPECT_FALSE(d.Ready);
    on.editor.UpdateCtrl(KVRChange::Items, {});
    EXPECT_FALSE(d.Ready);
    on.doc.EndUpdate();
    EXPECT_TRUE(d.Ready);
}

TEST(EditorFrame, SizeChangeRelaysAndScrollBarsFollow)
{
    TEditorOn on(1189000, 841000);  // A0 across: far wider than the view
    const TKVRDimScroll& d = on.editor.GetSurface()->fDScroll;
    EXPECT_EQ(d.PixW, 4494);
    EXPECT_EQ(d.TotalW, 15 + 18 + 4494 + 15);
    EXPECT_EQ(on.editor.GetHorzScroll()->maximum(), d.TotalW - d.ViewW);
    EXPECT_EQ(on.editor.GetHorzScroll()->pageStep(), d.ViewW);
    on.editor.GetHorzScroll()->setValue(300);
    EXPECT_EQ(d.ScrollX, 300);
    on.editor.SetZoom(TKVRZoom::zmFitAll);
    EXPECT_FALSE(on.editor.GetHorzScroll()->isEnabled());
    EXPECT_EQ(d.ScrollX, 0);
}

TEST(EditorFrame, ScrollToTheSelectedElementCentresIt)
{
    TEditorOn on(1189000, 841000);
    TKVRRectangle* r = TKVRFactory::AddBaseRectangle(&on.doc, 600000, 400000, 20000, 20000);
    QScrollBar* h = on.editor.GetHorzScroll();
    QScrollBar* v = on.editor.GetVertScroll();
    on.doc.Notify(KVRChange::ScrollTo);  // nothing selected: nothing moves
    EXPECT_EQ(h->value(), 0);
    EXPECT_EQ(v->value(), 0);
    on.doc.SelectItem(r, false);
    on.doc.Notify(KVRChange::ScrollTo);
    TKVRBackEditor& s = *on.editor.GetSurface();
    EXPECT_NEAR(s.ScreenMMX(610000), s.width() / 2, 1);
    EXPECT_NEAR(s.ScreenMMY(410000), s.height() / 2, 1);
    // Near the far corner the view stops at the end of the content.
    on.doc.SelectItem(TKVRFactory::AddBaseRectangle(&on.doc, 1170000, 820000, 10000, 10000), false);
    on.doc.Notify(KVRChange::ScrollTo);
    EXPECT_EQ(h->value(), h->maximum());
    EXPECT_EQ(v->value(), v->maximum());
}

TEST(EditorFrame, AlignToTheGuideInEveryUnit)
{
    for (TKVRUnits units : {TKVRUnits::Millimetre, TKVRUnits::Inch, TKVRUnits::Centimetre}) {
        SCOPED_TRACE(int(units));
        TEditorOn on(200000, 200000);
        on.doc.SetUnits(units);
        TKVRRectangle* r = TKVRFactory::AddBaseRectangle(&on.doc, 5000, 7000, 10000, 10000);
        on.doc.SelectItem(r, false);
        on.editor.GetRulers()->fAlignLeft = 2000;  // 2 label units
        on.editor.GetRulers()->fAlignTop = 3000;
        on.editor.AlignSelectedLeft();
        on.editor.AlignSelectedBottom();
        EXPECT_EQ(on.doc.SelectionBounds(1), 2 * MicrometresPerUnit(units));
        EXPECT_EQ(on.doc.SelectionBounds(4), 3 * MicrometresPerUnit(units));
    }
}

TEST(EditorFrame, ComputedZoomKeepsAUsableFactor)
{
    TEditorOn tiny(100000, 60000, {40, 40});
    tiny.editor.SetZoom(TKVRZoom::zmFitAll);
    EXPECT_FLOAT_EQ(tiny.editor.GetZScale(), 1.0f);
    TEditorOn empty(0, 60000);
    empty.editor.SetZoom(TKVRZoom::zmFitAll);
    EXPECT_FLOAT_EQ(empty.editor.GetZScale(), 1.0f);
}

TEST(EditorFrame, UnitsButtonCyclesByEditorMode)
{
    struct Row
    {
        uint8_t Mode;
        TKVRUnits From, To;
    };
    const Row rows[] = {
        {0, TKVRUnits::Millimetre, TKVRUnits::Inch}, {0, TKVRUnits::Centimetre, TKVRUnits::Millimetre},
        {0, TKVRUnits::Metre, TKVRUnits::Metre},     {2, TKVRUnits::Metre, TKVRUnits::Foot},
        {2, TKVRUnits::Yard, TKVRUnits::Millimetre},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << int(r.Mode) << " " << int(r.From));
        TEditorOn on;
        on.doc.SetEditorMode(r.Mode);
        on.doc.SetUnits(r.From);
        on.editor.GetUnitsButton()->click();
        EXPECT_EQ(on.doc.GetUnits(), r.To);
        EXPECT_EQ(on.editor.GetUnitsButton()->text(), SymUnit(r.To, false));
    }
}

TEST(EditorFrame, ZoomBoxAndClampedProperties)
{
    TEditorOn on;
    QComboBox* box = on.editor.GetZoomBox();
    ASSERT_EQ(box->count(), 18);
    emit box->activated(14);  // the blank item
    EXPECT_EQ(on.editor.GetZoom(), TKVRZoom::zm100);
    emit box->activated(7);
    EXPECT_EQ(on.editor.GetZoom(), TKVRZoom::zm200);
    EXPECT_FLOAT_EQ(on.editor.GetZScale(), 2.0f);
    on.editor.setProperty("Gap", 45);
    on.editor.setProperty("Margin", -3);
    on.editor.setProperty("RulersSize", 40);
    EXPECT_EQ(on.editor.GetGap(), 30);
    EXPECT_EQ(on.editor.GetMargin(), 0);
    EXPECT_EQ(on.editor.GetRulers()->GetSize(), 30);
    on.editor.SetMoveX(0.05f);
    EXPECT_FLOAT_EQ(on.editor.GetMoveX(), 0.1f);
    on.editor.GetGrid()->SetIncX(5000);
    EXPECT_FLOAT_EQ(on.editor.GetGrid()->GetIncX(), 1000.0f);
    on.doc.GetMeasure().SetDrawScale(100);
    EXPECT_FLOAT_EQ(on.editor.GetGrid()->MaxInc(), 1000.0f);
    EXPECT_FLOAT_EQ(on.editor.GetGrid()->MinInc(), 10.0f);
}

TEST(EditorFrame, SymbolPickCancelledResetsTheAction)
{
    struct TCancel : IKVRSymbolBrowser
    {
        bool Browse(TVXLabelFMX&, QString&, std::unique_ptr<TKVRBaseLibSymbol>&) override { return false; }
    } cancel;
    TEditorOn on;
    on.editor.fSymbolBrowser = &cancel;
    on.doc.StartAction(TAct::ActSymbol);
    const QCursor before = on.editor.GetSurface()->cursor();
    on.doc.Notify(KVRChange::PickSymbol);
    EXPECT_EQ(on.doc.GetAction(), TAct::ActSelect);
    EXPECT_EQ(on.editor.GetSurface()->cursor().shape(), before.shape());
}

TEST(EditorFrame, DocumentDyingFirstLeavesTheEditorDetached)
{
    TKVREditor editor;
    editor.resize(300, 300);
    {
        TVXLabelFMX doc;
        editor.SetLabel(&doc);
        EXPECT_EQ(doc.GetObserverCount(), 1);
    }
    EXPECT_EQ(editor.GetLabel(), nullptr);
    TVXLabelFMX first, second;
    editor.SetLabel(&first);
    editor.SetLabel(&second);
    EXPECT_EQ(first.GetObserverCount(), 0);
    EXPECT_EQ(second.GetObserverCount(), 1);
}

TEST(EditorFrame, RotateButtonTurnsTheLabelWithEitherButton)
{
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        SCOPED_TRACE(int(button));
        TEditorOn on(100000, 60000);
        QWidget* rotate = on.editor.GetRotateButton();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), rotate->mapToGlobal(QPointF(5, 5)), button, button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(rotate, &press);
        EXPECT_EQ(on.doc.GetMeasure().GetSize(2), 60000);
        EXPECT_EQ(on.editor.GetSurface()->fDScroll.BaseW, 60000);  // the size change reached the surface
    }
}

TEST(EditorFrame, TextEditingStartsOnlyWithATextObject)
{
    TEditorOn on;
    TKVRDraw& drw = *on.editor.GetSurface()->fDrw;
    for (TVXChange change : {KVRChange::StartText, KVRChange::Text}) {
        SCOPED_TRACE(int(change));
        drw.aTxt = "kept";
        on.editor.UpdateCtrl(change, {});
        EXPECT_EQ(drw.aTxt, "kept");
        EXPECT_EQ(drw.DrawState, KVRDrawState::Editor);
    }
    on.doc.GetAct().fCurAction = TAct::ActWriteText;
    on.doc.GetAct().fCurState = 11;  // writing, but nothing selected
    on.editor.UpdateCtrl(KVRChange::Action, {});
    EXPECT_EQ(drw.aTxt, "kept");
}

TEST(EditorFrame, KeepingAnElementInViewScrollsOnlyWhenItIsOut)
{
    TEditorOn on(1189000, 841000);
    QScrollBar* h = on.editor.GetHorzScroll();
    TKVRBaseItem* near = TKVRFactory::AddBaseRectangle(&on.doc, 100000, 100000, 10000, 10000);
    on.doc.SelectItem(near, false);  // an element knows its bounds once selected or painted
    on.editor.ScrollToItem(near);
    EXPECT_EQ(h->value(), 0);  // in view already
    TKVRBaseItem* far = TKVRFactory::AddBaseRectangle(&on.doc, 600000, 20000, 10000, 10000);
    on.doc.SelectItem(far, false);
    on.editor.ScrollToItem(far);
    TKVRBackEditor& s = *on.editor.GetSurface();
    EXPECT_NEAR(s.ScreenMMX(605000), s.width() / 2, 1);
    on.editor.ScrollToItem(nullptr);
    EXPECT_NEAR(s.ScreenMMX(605000), s.width() / 2, 1);
}
