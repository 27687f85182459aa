// Keys on the real editor: commands, the coordinate box and the one-line text
// being written, read back from the document.
#include "tests/editor/EditorInput.h"
#include "editor/TKVRCoordEntry.h"
#include "document/KVR.FMX.Openers.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include "platform/rtl/text/TXTUtils.h"
#include <QClipboard>
#include <QImage>
#include <QInputMethodEvent>
#include <gtest/gtest.h>

namespace {
TKVRRect Box(const TKVRBaseItem* aItem)
{
    const TKVRPto a = aItem->GetPoint(1), b = aItem->GetPoint(2);
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

// A text placed with the text action at (20, 30) mm and written by the keys.
TKVRBaseText* WriteText(TEditorInput& in, const QString& aText)
{
    in.doc.StartAction(15);
    in.Click(in.Px(20000, 30000));
    auto* text = dynamic_cast<TKVRBaseText*>(in.doc.GetTextObject());
    if (text)
        in.Type(aText);
    return text;
}
}  // namespace

TEST(EditorKeys, TabCyclesAReadOnlyDocumentAndKeepsTheFocus)
{
    TEditorInput in;
    TKVRBaseItem* a = in.doc.AddBaseRectangle(10000, 10000, 5000, 5000);
    TKVRBaseItem* b = in.doc.AddBaseRectangle(30000, 10000, 5000, 5000);
    in.doc.SelectItem(a, false);
    in.doc.SetEditable(false);
    in.Key(Qt::Key_Tab);
    EXPECT_EQ(in.doc.Select(), b);
    in.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(in.doc.Select(), a);
    in.Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(in.doc.Select(), b);
    EXPECT_EQ(in.editor.focusWidget(), in.Surface());
    // Nothing else works on it.
    in.Key(Qt::Key_Delete);
    EXPECT_EQ(in.doc.GetItemsCount(), 2);
}

TEST(EditorKeys, F8AndF9ToggleOrthoGridAndTheirIndicators)
{
    TEditorInput in;
    in.editor.SetEditorOptions(eoOrtoInfo | eoSnapInfo | eoCoordInput);
    in.Key(Qt::Key_F8);
    EXPECT_TRUE(in.editor.GetOrtoLines());
    EXPECT_EQ(in.editor.GetOrtoInfo()->GetState(), TKVRStateInfo::siOn);
    in.Key(Qt::Key_F9);
    EXPECT_TRUE(in.editor.GetSnap().testFlag(skGrid));
    EXPECT_EQ(in.editor.GetSnapInfo()->GetState(), TKVRStateInfo::siOn);
    in.Key(Qt::Key_F8);
    in.Key(Qt::Key_F9);
    EXPECT_FALSE(in.editor.GetOrtoLines());
    EXPECT_EQ(in.editor.GetOrtoInfo()->GetState(), TKVRStateInfo::siOff);
    EXPECT_FALSE(in.editor.GetSnap().testFlag(skGrid));
    EXPECT_EQ(in.editor.GetSnapInfo()->GetState(), TKVRStateInfo::siOff);
}

TEST(EditorKeys, CopyPasteDeleteAndEscape)
{
    TEditorInput in;
    TKVRBaseItem* a = in.doc.AddBaseRectangle(10000, 10000, 5000, 5000);
    in.doc.SelectItem(a, false);
    in.Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(in.doc.GetItemsCount(), 1) << "Ctrl+X does nothing";
    in.Key(Qt::Key_C, Qt::ControlModifier);
    in.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(in.doc.GetItemsCount(), 2);
    in.Key(Qt::Key_Delete);
    EXPECT_EQ(in.doc.GetItemsCount(), 1);
    // Esc drops the points of a drawing.
    in.doc.StartAction(4);
    in.Click({200, 200});
    EXPECT_EQ(in.doc.GetAct().NumPoints(), 1);
    in.Key(Qt::Key_Escape);
    EXPECT_EQ(in.doc.GetAction(), TAct::ActSelect);
    in.Click({300, 250});
    EXPECT_EQ(in.doc.GetItemsCount(), 1);
}

// Ctrl+arrows move by the move step, or a grid step with the grid on;
// Shift+arrows resize; arrows alone do nothing.
TEST(EditorKeys, ArrowsNudgeAndResize)
{
    struct Row
    {
        Qt::Key Key;
        Qt::KeyboardModifiers Mods;
        bool Grid;
        int64_t Left, Top, Right, Bottom;  // in move steps (grid steps with the grid)
    };
    const Row rows[] = {
        {Qt::Key_Right, Qt::ControlModifier, false, 1, 0, 1, 0}, {Qt::Key_Left, Qt::ControlModifier, false, -1, 0, -1, 0},
        {Qt::Key_Up, Qt::ControlModifier, false, 0, -1, 0, -1},  {Qt::Key_Down, Qt::ControlModifier, true, 0, 1, 0, 1},
        {Qt::Key_Left, Qt::ControlModifier, true, -1, 0, -1, 0},  {Qt::Key_Right, Qt::ShiftModifier, false, 0, 0, 1, 0},
        {Qt::Key_Left, Qt::ShiftModifier, false, 0, 0, -1, 0},    {Qt::Key_Down, Qt::ShiftModifier, false, 0, 0, 0, 1},
        {Qt::Key_Right, Qt::NoModifier, false, 0, 0, 0, 0},       {Qt::Key_Right, Qt::AltModifier, false, 0, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.Key << " " << int(r.Mods) << " " << r.Grid);
        TEditorInput in;
        in.editor.SetMoveX(2.0f);
        in.editor.SetMoveY(3.0f);
        TKVRBaseItem* a = in.doc.AddBaseRectangle(20000, 20000, 10000, 10000);
        in.doc.SelectItem(a, false);
        if (r.Grid)
            in.Key(Qt::Key_F9);
        const int64_t sx = r.Grid ? in.editor.GetGrid()->BaseIncX() : 2000;
        const int64_t sy = r.Grid ? in.editor.GetGrid()->BaseIncY() : 3000;
        const TKVRRect before = Box(a);
        in.Key(r.Key, r.Mods);
        const TKVRRect after = Box(a);
        EXPECT_EQ(after.Left - before.Left, r.Left * sx);
        EXPECT_EQ(after.Right - before.Right, r.Right * sx);
        EXPECT_EQ(after.Top - before.Top, r.Top * sy);
        EXPECT_EQ(after.Bottom - before.Bottom, r.Bottom * sy);
    }
}

// After the document is gone, the keys, the double click and a release
// reach nothing.
TEST(EditorKeys, NothingWithoutADocument)
{
    TEditorInput in;
    in.doc.AddBaseRectangle(20000, 20000, 10000, 10000);
    in.doc.SelectItem(in.Last(), false);
    in.editor.SetLabel(nullptr);
    for (const Qt::Key k : {Qt::Key_Tab, Qt::Key_Delete, Qt::Key_F8, Qt::Key_Escape, Qt::Key_A, Qt::Key_Return})
        in.Key(k);
    in.Key(Qt::Key_V, Qt::ControlModifier);
    in.DoubleClick({200, 200});
    in.Release({200, 200});
    in.Move({220, 200}, Qt::LeftButton);
    EXPECT_EQ(in.doc.GetItemsCount(), 1);
    EXPECT_EQ(in.doc.GetSelectionCount(), 1);
    EXPECT_FALSE(in.editor.GetOrtoLines());
}

// ---------------------------------------------------------------- coordinate box

TEST(EditorCoordEntry, ReadsAsTheEntryMeans)
{
    using K = TKVRCoordEntry::TKind;
    struct Row
    {
        const char* Text;
        K Kind;
        float A, B;
    };
    const Row rows[] = {{"12.5,7", K::Point, 12.5f, 7},   {"12.5", K::Length, 12.5f, 0},
                        {"@3,4", K::Relative, 3, 4},      {"12,5.7", K::Point, 12, 5.7f},
                        {"@", K::Base, 0, 0},             {"@3", K::None, 0, 0},
                        {"-2,-3.5", K::Point, -2, -3.5f}, {"1..2", K::None, 0, 0},
                        {"<", K::None, 0, 0},             {",", K::None, 0, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Text);
        const TKVRCoordEntry e = TKVRCoordEntry::Read(QString::fromLatin1(r.Text));
        EXPECT_EQ(e.Kind, r.Kind);
        if (e.Kind != K::None) {
            EXPECT_FLOAT_EQ(e.A, r.A);
            EXPECT_FLOAT_EQ(e.B, r.B);
        }
    }
    EXPECT_FALSE(TKVRCoordEntry::Accepts("12,5", u',', 4));
    EXPECT_FALSE(TKVRCoordEntry::Accepts("@1", u'@', 0));
    EXPECT_FALSE(TKVRCoordEntry::Accepts("12", u'-', 1));
    EXPECT_TRUE(TKVRCoordEntry::Accepts("12,", u'-', 3));
    EXPECT_FALSE(TKVRCoordEntry::Accepts("-1", u'-', 0));
    EXPECT_FALSE(TKVRCoordEntry::Accepts("1", u'a', 1));
    QString s = QStringLiteral("a\U0001F600b");
    EXPECT_TRUE(TXTUtils::DeleteCharPos(s, 3));
    EXPECT_EQ(s, QStringLiteral("ab")) << "a surrogate pair goes whole";
    EXPECT_FALSE(TXTUtils::DeleteCharPos(s, 3));
}

// A far point is a long entry: the white box grows to hold it all.
TEST(EditorCoordEntry, ALongEntryStaysInsideItsBox)
{
    TEditorInput in;
    in.doc.StartAction(4);
    in.Type("1,1");
    const double narrow = in.Surface()->InputRect().width();
    in.Key(Qt::Key_Backspace);
    in.Key(Qt::Key_Backspace);
    in.Key(Qt::Key_Backspace);
    in.Type("-9000000000000,-9000000000000");
    const QRect box = in.Surface()->InputRect().toRect();
    const QImage shown = in.Surface()->grab().toImage();
    EXPECT_GT(box.width(), narrow);
    // No text pixel right or left of the box, white just inside its edges.
    for (const int x : {box.left() + 1, box.right() - 1})
        EXPECT_EQ(QColor(shown.pixel(x, box.center().y())), QColor(Qt::white)) << x;
    int outside = 0;
    for (int y = box.top() + 2; y < box.bottom() - 2; ++y)
        for (const int x : {box.left() - 3, box.right() + 3})
            outside += QColor(shown.pixel(x, y)).lightness() < 60;
    EXPECT_EQ(outside, 0);
    in.Key(Qt::Key_Escape);
}

TEST(EditorCoordEntry, TypedPointsLengthsAndRelativePoints)
{
    TEditorInput in;
    in.doc.StartAction(4);
    in.Type("12.5,7");
    EXPECT_TRUE(in.editor.fBitText);
    EXPECT_EQ(in.editor.GetInputText(), "12.5,7");
    // The box shows white at the top, with its red caret after the text.
    const QRect box = in.Surface()->InputRect().toRect();
    const QImage shown = in.Surface()->grab().toImage();
    EXPECT_LT(box.top(), 5);
    EXPECT_EQ(QColor(shown.pixel(box.left() + 2, box.center().y())), QColor(Qt::white));
    int red = 0;
    for (int x = box.left(); x < box.right(); ++x)
        red += QColor(shown.pixel(x, box.center().y())) == QColor(Qt::red);
    EXPECT_EQ(red, 1);
    in.Key(Qt::Key_Return);
    ASSERT_EQ(in.doc.GetAct().NumPoints(), 1);
    EXPECT_EQ(in.doc.GetAct().GetPoint(0), (TKVRPto{12500, 7000}));
    EXPECT_FALSE(in.editor.fBitText);
    // 3 right of the point and 4 below it.
    in.Type("@3,4");
    in.Key(Qt::Key_Return);
    ASSERT_EQ(in.doc.GetItemsCount(), 1);
    EXPECT_EQ(in.Last()->GetPoint(2), (TKVRPto{15500, 11000}));

    // A length runs on from the first point; a second comma is refused.
    in.doc.StartAction(4);
    in.Type("12,5,7");
    EXPECT_EQ(in.editor.GetInputText(), "12,57");
    for (int i = 0; i < 5; ++i)
        in.Key(Qt::Key_Backspace);
    in.Type("12,5.7");
    in.Key(Qt::Key_Return);
    EXPECT_EQ(in.doc.GetAct().GetPoint(0), (TKVRPto{12000, 5700}));
    in.Type("12.5");
    in.Key(Qt::Key_Return);
    ASSERT_EQ(in.doc.GetItemsCount(), 2);
    EXPECT_EQ(in.Last()->GetPoint(2), (TKVRPto{24500, 5700}));

    // A point left of and above the label is a base as any other.
    in.doc.StartAction(4);
    in.Type("-12,-5");
    in.Key(Qt::Key_Return);
    in.Type("@3,4");
    in.Key(Qt::Key_Return);
    ASSERT_EQ(in.doc.GetItemsCount(), 3);
    EXPECT_EQ(in.Last()->GetPoint(2), (TKVRPto{-9000, -1000}));
}

TEST(EditorCoordEntry, AtAloneWithoutAPointDoesNothing)
{
    TEditorInput in;
    in.doc.StartAction(4);
    in.Type("@");
    in.Key(Qt::Key_Return);
    EXPECT_EQ(in.doc.GetAct().NumPoints(), 0);
    EXPECT_EQ(in.editor.GetInputText(), "@");
    // Left, Delete and Backspace edit at the box's caret.
    in.Type("1,2");
    in.Key(Qt::Key_Left);
    in.Key(Qt::Key_Left);
    in.Key(Qt::Key_Backspace);
    EXPECT_EQ(in.editor.GetInputText(), "@,2");
    in.Key(Qt::Key_Delete);
    EXPECT_EQ(in.editor.GetInputText(), "@2");
}

// A0 at 1:5,000 spans 5.9 × 10^9 µm: typed points beyond 2^31 hold.
TEST(EditorCoordEntry, PointsBeyond32BitsHold)
{
    TEditorInput in(841000, 1189000);
    in.doc.GetMeasure().SetDrawScale(5000);
    in.doc.SendInfo();
    in.doc.StartAction(4);
    in.Type("3000000,1100000");
    in.Key(Qt::Key_Return);
    ASSERT_EQ(in.doc.GetAct().NumPoints(), 1);
    EXPECT_EQ(in.doc.GetAct().GetPoint(0), (TKVRPto{3000000000LL, 1100000000LL}));
    in.Type("@1000000,-50000");
    in.Key(Qt::Key_Return);
    ASSERT_EQ(in.doc.GetItemsCount(), 1);
    EXPECT_EQ(in.Last()->GetPoint(2), (TKVRPto{4000000000LL, 1050000000LL}));
}

// Entries the document cannot hold are refused with a message: nothing is
// placed and the box keeps what was typed. Large ones it holds are placed,
// and the view paints them past its edge.
TEST(EditorCoordEntry, EntriesOutsideTheCoordinateRangeAreRefused)
{
    struct Row
    {
        const char* First;  // a point typed before, or none
        const char* Entry;
        bool Placed;
        uint8_t Action = 4;  // a line; 7 a polyline
        const char* Second = nullptr;  // a point typed after the first
    };
    const Row rows[] = {
        {nullptr, "600000000,5", true},
        {"10,10", "600000000,-600000000", true},
        {"10,10", "@99999999999999999999999,0", false},
        {"10,10", "@0,-99999999999999999999999", false},
        {nullptr, "9100000000000,0", false},
        {nullptr, "-99999999999999999999999,1", false},
        {"10,10", "99999999999999999999999", false},
        // Each term within the range, their sum not.
        {"9000000000000,0", "@9000000000000,0", false},
        // A length whose end the range holds, and ones whose end leaves it:
        // along x from one point, backwards, and down a polyline's last side.
        {"9000000000000,0", "7000000", true},
        {"9000000000000,0", "8000000000", false},
        {"-9000000000000,0", "-8000000000", false},
        {"5,9000000000000", "8000000000", false, 7, "@0,1"},
    };
    TKVRLabelOpeners& openers = KVRLabelOpeners();
    const auto keep = openers.ShowMessage;
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.First ? r.First : "") + " then " + r.Entry);
        QStringList told;
        openers.ShowMessage = [&told](const QString& aText) { told << aText; };
        TEditorInput in;
        in.doc.StartAction(r.Action);
        int32_t points = 0;
        for (const char* p : {r.First, r.Second})
            if (p) {
                in.Type(QString::fromLatin1(p));
                in.Key(Qt::Key_Return);
                ASSERT_EQ(in.doc.GetAct().NumPoints(), ++points);
            }
        const int32_t before = in.doc.GetAct().NumPoints();
        in.Type(QString::fromLatin1(r.Entry));
        in.Key(Qt::Key_Return);
        in.Surface()->grab();
        if (r.Placed) {
            EXPECT_TRUE(told.isEmpty());
            // The second point makes the line; a first one waits for it.
            EXPECT_EQ(r.First ? in.doc.GetItemsCount() : in.doc.GetAct().NumPoints(), 1);
            EXPECT_TRUE(in.editor.GetInputText().isEmpty());
            continue;
        }
        ASSERT_EQ(told.size(), 1);
        EXPECT_EQ(told.front(), TKVRMsg::GetErrorValue(QStringLiteral("CoordRange")));
        EXPECT_EQ(in.doc.GetAct().NumPoints(), before);
        EXPECT_EQ(in.doc.GetItemsCount(), 0);
        EXPECT_EQ(in.editor.GetInputText(), QString::fromLatin1(r.Entry));
        EXPECT_TRUE(in.editor.fBitText);
    }
    openers.ShowMessage = keep;
}

// ---------------------------------------------------------------- one-line text

TEST(EditorText, TypingBackspaceDeleteAndEnter)
{
    TEditorInput in;
    TKVRBaseText* text = WriteText(in, "Hello");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->GetText(), "Hello");
    in.Key(Qt::Key_Left);
    in.Key(Qt::Key_Left);
    in.Key(Qt::Key_Delete);
    EXPECT_EQ(text->GetText(), "Helo");
    in.Key(Qt::Key_Backspace);
    EXPECT_EQ(text->GetText(), "Heo");
    in.Type("y");
    EXPECT_EQ(text->GetText(), "Heyo");
    in.Key(Qt::Key_Left, Qt::ControlModifier);
    in.Type("(");
    EXPECT_EQ(text->GetText(), "(Heyo");
    in.Key(Qt::Key_Return);
    EXPECT_EQ(in.doc.GetAction(), TAct::ActSelect);
    EXPECT_EQ(in.doc.GetItemsCount(), 1);
    in.Type("zz");
    EXPECT_EQ(text->GetText(), "(Heyo") << "a text no longer written takes no keys";
}

TEST(EditorText, PasteAtCaretZeroKeepsTheText)
{
    TEditorInput in;
    TKVRBaseText* text = WriteText(in, "abc");
    ASSERT_TRUE(text);
    for (int i = 0; i < 3; ++i)
        in.Key(Qt::Key_Left);
    QGuiApplication::clipboard()->setText(QStringLiteral("XY"));
    in.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text->GetText(), "XYabc");
    in.Type("-");
    EXPECT_EQ(text->GetText(), "XY-abc");
}

TEST(EditorText, InputMethodCommitsAccentsAndPairsWhole)
{
    TEditorInput in;
    TKVRBaseText* text = WriteText(in, "caf");
    ASSERT_TRUE(text);
    EXPECT_TRUE(in.Surface()->testAttribute(Qt::WA_InputMethodEnabled));
    const QWidget* surface = in.Surface();
    const QRect before = surface->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    for (const QString& s : {QStringLiteral("é"), QStringLiteral("\U0001F600")}) {
        QInputMethodEvent e;
        e.setCommitString(s);
        QApplication::sendEvent(in.Surface(), &e);
    }
    EXPECT_EQ(text->GetText(), QStringLiteral("café\U0001F600"));
    // The input method's caret follows the typing.
    const QRect after = surface->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_GT(after.x(), before.x() + 5);
    EXPECT_EQ(after.y(), before.y());
    EXPECT_GT(before.height(), 5);
    in.Key(Qt::Key_Backspace);
    EXPECT_EQ(text->GetText(), QStringLiteral("café"));
    in.Key(Qt::Key_Return);
    EXPECT_FALSE(in.Surface()->testAttribute(Qt::WA_InputMethodEnabled));
}

// Tab while writing ends the writing first: the keys do not move on to the
// next element.
TEST(EditorText, TabEndsTheWriting)
{
    TEditorInput in;
    TKVRBaseItem* other = in.doc.AddBaseRectangle(60000, 10000, 5000, 5000);
    TKVRBaseText* text = WriteText(in, "ab");
    ASSERT_TRUE(text);
    in.Key(Qt::Key_Tab);
    EXPECT_EQ(in.doc.GetTextObject(), nullptr);
    in.Type("cd");
    EXPECT_EQ(text->GetText(), "ab");
    EXPECT_EQ(in.doc.GetItemsCount(), 2);
    (void)other;
}

// Only the text being written takes the keys: a selected rich text does not.
TEST(EditorText, ASelectedRichTextTakesNoKeys)
{
    for (const bool editable : {true, false}) {
        TEditorInput in;
        TKVRBaseRichText* rich = in.doc.AddBaseRichText(20000, 20000, 30000, 10000);
        rich->SetRichTextValue(QStringLiteral("<B>bold</B>"));
        in.doc.SelectItem(rich, false);
        in.doc.SetEditable(editable);
        in.Type("zz");
        in.Key(Qt::Key_Backspace);
        EXPECT_EQ(rich->GetRichText(), QStringLiteral("<B>bold</B>"));
    }
}

// A click on a character's trailing half puts the caret after it: the right
// half in left-to-right text, the left half of a right-to-left letter, which
// is painted from the right.
TEST(EditorText, ClickOnTheTrailingHalfOfACharacter)
{
    struct Row
    {
        QString Text;
        double Share;  // of the text's width from its left, in letters
        int32_t Caret;
    };
    const QString hebrew = QStringLiteral("\u05E9\u05E9\u05E9\u05E9");
    const Row rows[] = {
        {QStringLiteral("WWWW"), 1.75, 2}, {QStringLiteral("WWWW"), 1.25, 1}, {QStringLiteral("WWWW"), 0.1, 0},
        {hebrew, 1.75, 2},                 {hebrew, 1.25, 3},                 {hebrew, 0.1, 4},
        {hebrew, 3.3, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Text.toStdString() + " at " + std::to_string(row.Share));
        TEditorInput in;
        in.editor.SetZoom(TKVRZoom::zm200);
        TKVRBaseText* text = WriteText(in, QString());
        ASSERT_TRUE(text);
        QInputMethodEvent commit;
        commit.setCommitString(row.Text);
        QCoreApplication::sendEvent(in.Surface(), &commit);
        ASSERT_EQ(text->GetText(), row.Text);
        in.Key(Qt::Key_Return);
        in.Surface()->grab();  // laid out as painted
        const TKVRRect b = text->GetBounds();
        in.DoubleClick(in.Px((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2));
        ASSERT_EQ(in.doc.GetTextObject(), text);
        const int64_t w = (b.Right - b.Left) / 4;
        const int y = in.Surface()->ScreenMMY((b.Top + b.Bottom) / 2);
        in.Click({in.Surface()->ScreenMMX(b.Left + int64_t(double(w) * row.Share)), y});
        ASSERT_EQ(in.doc.GetAction(), TAct::ActEditText);
        in.Type("x");
        QString want = row.Text;
        want.insert(row.Caret, u'x');
        EXPECT_EQ(text->GetText(), want);
    }
}

// In a polyline a typed length runs on along the last side, and the point it
// reaches is the base of the next relative entry.
TEST(EditorCoordEntry, LengthsAndRelativePointsChainInAPolyline)
{
    TEditorInput in;
    in.doc.StartAction(7);
    for (const char* entry : {"10,10", "20", "@0,5", "4"}) {
        in.Type(QString::fromLatin1(entry));
        in.Key(Qt::Key_Return);
    }
    const TAct& act = in.doc.GetAct();
    ASSERT_EQ(act.NumPoints(), 4);
    EXPECT_EQ(act.GetPoint(1), (TKVRPto{30000, 10000}));
    EXPECT_EQ(act.GetPoint(2), (TKVRPto{30000, 15000}));
    EXPECT_EQ(act.GetPoint(3), (TKVRPto{30000, 19000}));
}
