// The open edit box as the user meets it: on its row while the grid
// scrolls, showing what the element holds after changes made elsewhere,
// gone with its document, and every edit marking the document modified.
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include "tests/inspector/InspectorFixture.h"
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

constexpr int PenPos = 120, FilledPos = 150, WidthPos = 260, TextPos = 180, X1Pos = 1002, LineTypePos = 121;

double PenWidth(const TKVRBaseItem& aItem) { return aItem.GetBasePenWidth() / 1000.0; }

// Opens the part's box by a click on it.
void OpenBox(TInspectorFixture& f, int aPos, int aCode)
{
    const QPoint at = PartCentre(f.Grid, aPos, aCode);
    ASSERT_GE(at.y(), 0);
    QTest::mouseClick(f.Grid.viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(f.Grid.GetEdit().Active);
}

// The box lies where the grid now shows its part's value box.
void ExpectOnItsPart(const TKVRBaseInspector& aGrid, int aPos, int aCode)
{
    int r = 0, j = 0, top = 0;
    ASSERT_TRUE(FindShownPart(aGrid, aPos, aCode, r, j, top));
    EXPECT_EQ(aGrid.GetEdit().Row, r);
    EXPECT_EQ(aGrid.GetEdit().Top, top + aGrid.GetRows()[size_t(r)][K("TV", j)].get<int>());
}

void Wheel(QWidget* aViewport, int aNotches)
{
    const QPoint at(100, 20);
    QWheelEvent wheel(at, aViewport->mapToGlobal(at), {}, QPoint(0, -120 * aNotches), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(aViewport, &wheel);
}

}  // namespace

// Scrolled by the bar or the wheel, the pen width's box stays on its row
// while that row shows, and Up steps the pen width; scrolled out, the box
// closes and keys change nothing.
TEST(InspectorEditBox, TheOpenBoxFollowsItsRowOrCloses)
{
    enum TBy { Bar, WheelDown, WheelUp };
    const struct
    {
        const char* Name;
        TBy By;
        int Amount;   // rows for the bar, notches for the wheel
        bool Open;    // the pen width's row still shows
    } steps[] = {
        {"bar down one row", Bar, 1, true},
        {"bar back", Bar, 0, true},
        {"bar down two rows", Bar, 2, true},
        {"wheel down one notch", WheelDown, 1, false},
    };
    TInspectorFixture f;
    f.Grid.resize(240, 160);
    f.Doc.SelectItem(f.Rect, false);
    ASSERT_TRUE(f.Grid.GetVertScrollBarVisible());
    OpenBox(f, PenPos, KVRInsProp::Number);
    const bool filled = f.Rect->GetFilled();
    for (const auto& s : steps) {
        SCOPED_TRACE(s.Name);
        if (s.By == Bar)
            f.Grid.GetScrollBar()->setValue(s.Amount);
        else
            Wheel(f.Grid.viewport(), s.By == WheelDown ? s.Amount : -s.Amount);
        ASSERT_EQ(f.Grid.GetEdit().Active, s.Open);
        // Where it is painted, before any key.
        if (s.Open)
            ExpectOnItsPart(f.Grid, PenPos, KVRInsProp::Number);
        const double pen = PenWidth(*f.Rect);
        QTest::keyClick(&f.Grid, Qt::Key_Up);
        QTest::keyClick(&f.Grid, '7');
        if (s.Open) {
            ExpectOnItsPart(f.Grid, PenPos, KVRInsProp::Number);
            EXPECT_GT(PenWidth(*f.Rect), pen);
        } else
            EXPECT_EQ(PenWidth(*f.Rect), pen);
        EXPECT_EQ(f.Rect->GetFilled(), filled);
    }
    // Back in view, the row is clicked open again.
    f.Grid.GetScrollBar()->setValue(0);
    OpenBox(f, PenPos, KVRInsProp::Number);
    ExpectOnItsPart(f.Grid, PenPos, KVRInsProp::Number);
}

// Changed elsewhere while its box is open, the element's value shows in the
// box, and the next step starts from it; the other point stays where it was
// moved to.
TEST(InspectorEditBox, TheOpenBoxShowsChangesMadeElsewhere)
{
    const struct
    {
        const char* Name;
        void (*Change)(TInspectorFixture&);
        double X1, X2;  // after the change
    } cases[] = {
        {"moved by a toolbar command", [](TInspectorFixture& f) { f.Doc.MoveSelectionBy(5000, 0, false); }, 5, 25},
        {"set by code", [](TInspectorFixture& f) {
             f.Doc.UpdateProp(KVRInsProp::Number, 0, KVRInsTypeBase::Points, X1Pos, {{"ext", 12.5}});
         }, 12.5, 20},
        {"the other point set by code", [](TInspectorFixture& f) {
             f.Doc.UpdateProp(KVRInsProp::Number, 0, KVRInsTypeBase::Points, X1Pos + 2, {{"ext", 30}});
         }, 0, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TInspectorFixture f;
        f.Doc.SelectItem(f.Rect, false);
        OpenBox(f, X1Pos, KVRInsProp::Number);
        ASSERT_EQ(f.Grid.GetEdit().Text, QStringLiteral("0"));
        c.Change(f);
        ASSERT_TRUE(f.Grid.GetEdit().Active);
        EXPECT_EQ(f.Grid.GetEdit().Text, QString::number(c.X1));
        QTest::keyClick(&f.Grid, Qt::Key_Up);
        EXPECT_EQ(f.Rect->GetPoint(1).X, std::llround((c.X1 + 1) * 1000));
        EXPECT_EQ(f.Rect->GetPoint(2).X, std::llround(c.X2 * 1000));
        EXPECT_EQ(f.Grid.GetEdit().Text, QString::number(c.X1 + 1));
    }
}

// Another document: the box closes, the new document's selection shows at
// once, and keys reach neither document.
TEST(InspectorEditBox, AnotherDocumentShowsItsOwnRows)
{
    TInspectorFixture f;
    f.Doc.SelectItem(f.Rect, false);
    OpenBox(f, WidthPos, KVRInsProp::Number);
    TVXLabelFMX other;
    TKVRBaseText* text = other.AddBaseText(0, 0);
    text->SetText(QStringLiteral("kept"));
    other.SelectItem(text, false);
    const int64_t width = f.Rect->GetPoint(2).X;
    f.Grid.SetLabel(&other);
    EXPECT_FALSE(f.Grid.GetEdit().Active);
    EXPECT_EQ(PartShown(f.Grid, TextPos, KVRInsProp::Text), "kept");
    EXPECT_TRUE(PartShown(f.Grid, WidthPos, KVRInsProp::Number).is_null());
    QTest::keyClick(&f.Grid, Qt::Key_Up);
    QTest::keyClick(&f.Grid, 'x');
    EXPECT_EQ(text->GetText(), QStringLiteral("kept"));
    EXPECT_EQ(f.Rect->GetPoint(2).X, width);
    // No document: no rows.
    f.Grid.SetLabel(nullptr);
    EXPECT_EQ(f.Grid.GetNumRows(), 0);
    f.Grid.SetLabel(&f.Doc);
    EXPECT_EQ(PartShown(f.Grid, WidthPos, KVRInsProp::Number), 20.0);
    // A document that goes takes its rows and its box with it.
    {
        TVXLabelFMX gone;
        gone.SelectItem(gone.AddBaseRectangle(0, 0, 5000, 5000), false);
        f.Grid.SetLabel(&gone);
        OpenBox(f, WidthPos, KVRInsProp::Number);
    }
    EXPECT_EQ(f.Grid.GetLabel(), nullptr);
    EXPECT_EQ(f.Grid.GetNumRows(), 0);
    EXPECT_FALSE(f.Grid.GetEdit().Active);
}

// Each kind of edit through the grid marks the document modified; a click
// that changes nothing does not.
TEST(InspectorEditBox, EditsMarkTheDocumentModified)
{
    const struct
    {
        const char* Name;
        void (*Edit)(TInspectorFixture&);
        bool Modified;
    } cases[] = {
        {"check box", [](TInspectorFixture& f) {
             f.Doc.SelectItem(f.Rect, false);
             QTest::mouseClick(f.Grid.viewport(), Qt::LeftButton, {}, PartCentre(f.Grid, FilledPos, KVRInsProp::Check));
         }, true},
        {"number typed", [](TInspectorFixture& f) {
             f.Doc.SelectItem(f.Rect, false);
             OpenBox(f, WidthPos, KVRInsProp::Number);
             QTest::keyClick(&f.Grid, '5');
         }, true},
        {"spin step", [](TInspectorFixture& f) {
             f.Doc.SelectItem(f.Rect, false);
             OpenBox(f, WidthPos, KVRInsProp::Number);
             QTest::keyClick(&f.Grid, Qt::Key_Down);
         }, true},
        {"text typed", [](TInspectorFixture& f) {
             f.Doc.SelectItem(f.Text, false);
             OpenBox(f, TextPos, KVRInsProp::Text);
             QTest::keyClick(&f.Grid, 'z');
         }, true},
        {"list entry chosen", [](TInspectorFixture& f) {
             f.Doc.SelectItem(f.Rect, false);
             QTest::mouseClick(f.Grid.viewport(), Qt::LeftButton, {}, PartCentre(f.Grid, LineTypePos, KVRInsProp::List));
             QTest::keyClick(f.Grid.GetComboList(), Qt::Key_Down);
         }, true},
        {"box opened, Return", [](TInspectorFixture& f) {
             f.Doc.SelectItem(f.Rect, false);
             OpenBox(f, WidthPos, KVRInsProp::Number);
             QTest::keyClick(&f.Grid, Qt::Key_Return);
         }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TInspectorFixture f;
        f.Doc.SetModified(false);
        c.Edit(f);
        EXPECT_EQ(f.Doc.GetModified(), c.Modified);
    }
}
