// The caret and selection of a rich text edited in place: clicks, drags,
// double clicks and arrows on the real editor, read back as plain positions
// and checked against what the element paints.
#include "tests/editor/EditorInput.h"
#include "editor/TKVRRichTextCaret.h"
#include "elements/KVR.FMX.ElementPaint.h"
#include "elements/TKVRRichText.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "render/TKVRDraw.h"
#include <QImage>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {
// A rich text at (10, 10) mm, selected and clicked once, so that it is edited in place.
struct TRichEditing : TEditorInput
{
    explicit TRichEditing(const QString& aMarkup, int64_t aWidth = 40000, int64_t aHeight = 30000,
                          TKVRAngle aAngle = TKVRAngle::Angle0, TKVRZoom aZoom = TKVRZoom::zm100)
        : TEditorInput(100000, 60000, {1100, 900})
    {
        editor.SetEditorOptions(eoCoordInput | eoWheel | eoDblClick | eoRichText);
        editor.SetZoom(aZoom);
        rich = dynamic_cast<TKVRRichText*>(doc.AddBaseRichText(10000, 10000, aWidth, aHeight));
        rich->SetFontName(QStringLiteral("DejaVu Sans"));
        rich->SetBaseFontHeight(8000);
        rich->SetPenWidth(0.0f);
        rich->SetAngle(aAngle);
        rich->SetRichTextValue(aMarkup);
        doc.SelectItem(rich, false);
        Surface()->grab();  // laid out as painted
        const TKVRRect b = rich->GetBounds();
        Click(Px((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2));
    }

    bool Editing() const { return doc.GetTextObject() == rich; }
    const TKVRDraw& Drw() const { return *Surface()->fDrw; }
    int32_t Caret() const { return Drw().aPos; }
    std::pair<int32_t, int32_t> Selection() const
    {
        return {std::min(Drw().aSelStart, Drw().aSelEnd), std::max(Drw().aSelStart, Drw().aSelEnd)};
    }

    // The surface pixel of a point of the text area as the element paints it
    // (pixels at zoom 1, lines along x): placed at the area's corner, turned
    // by its quarter turn, zoomed and moved with the view.
    QPoint AreaToSurface(double aX, double aY) const
    {
        const TKVRDraw* d = &Drw();
        const TPointF origin = TextAreaOrigin(rich->GetAngle(), ScreenBox(*rich, d),
                                              PaperToPixels(rich->GetScalePadX(), d->ResolutionX),
                                              PaperToPixels(rich->GetScalePadY(), d->ResolutionY));
        const TPointF t = TDraw2D::RotatePoint(TPointF(float(aX), float(aY)), TPointF(), rich->GetAngle());
        const double z = Surface()->ZScale();
        return {int(std::lround(Surface()->TranslateX() + z * (origin.X + t.X))),
                int(std::lround(Surface()->TranslateY() + z * (origin.Y + t.Y)))};
    }
    // A point on the character after plain position aPos, aAlong of its
    // painted width from its left, half-way down its line.
    QPoint OnChar(int32_t aPos, double aAlong) const
    {
        const TRectF a = rich->CaretLine(&Drw(), aPos), b = rich->CaretLine(&Drw(), aPos + 1);
        return AreaToSurface(a.Left + aAlong * (b.Left - a.Left), (a.Top + a.Bottom) / 2.0);
    }

    TKVRRichText* rich = nullptr;
};

// Columns of a row range that hold dark ink (the text is black on white).
std::vector<bool> InkColumns(const QImage& aImage, int aTop, int aBottom)
{
    std::vector<bool> ink(size_t(aImage.width()), false);
    for (int y = std::max(aTop, 0); y <= std::min(aBottom, aImage.height() - 1); ++y)
        for (int x = 0; x < aImage.width(); ++x) {
            const QColor c = aImage.pixelColor(x, y);
            if (c.red() < 110 && c.green() < 110 && c.blue() < 110)
                ink[size_t(x)] = true;
        }
    return ink;
}
}  // namespace

// ---------------------------------------------------------------- clicks

TEST(RichTextCaret, AClickLandsOnTheCharacterItIsOn)
{
    struct TCase
    {
        const char* Markup;
        int64_t Width;
        int32_t Char;    // the character clicked, as a plain position
        double Along;    // where on it
        int32_t Caret;
    };
    static const TCase kCases[] = {
        // Before and after "c" in the second paragraph: the break is one plain character.
        {"ab<BR>cd", 40000, 3, 0.25, 3},
        {"ab<BR>cd", 40000, 3, 0.75, 4},
        {"<B>ab</B><BR><I>cd</I>", 40000, 4, 0.75, 5},
        // The first word of a wrapped line: the blank dropped at the wrap counts.
        {"alpha beta gamma", 26000, 11, 0.25, 11},
        {"alpha beta gamma", 26000, 12, 0.75, 13},
        // Folded blanks: the right half of the blank segment is before the next word.
        {"ab   cd", 40000, 2, 0.75, 5},
        // A centred line: the characters where they are painted.
        {"<C>ab</C>", 40000, 1, 0.75, 2},
        {"<R>ab</R>", 40000, 0, 0.25, 0},
    };
    for (const TCase& c : kCases) {
        SCOPED_TRACE(c.Markup + std::string(" at ") + std::to_string(c.Char));
        TRichEditing in(QString::fromUtf8(c.Markup), c.Width);
        ASSERT_TRUE(in.Editing());
        in.Click(in.OnChar(c.Char, c.Along));
        EXPECT_EQ(in.Caret(), c.Caret);
        EXPECT_EQ(in.Selection().first, in.Selection().second);
    }
}

// Left of a centred line is its start, right of any line its end; below the
// last line ending in a break is the empty line after it.
TEST(RichTextCaret, ClicksBesideTheLines)
{
    TRichEditing in(QStringLiteral("<C>ab</C><BR>cd<BR>"), 60000, 30000);
    ASSERT_TRUE(in.Editing());
    const TRectF first = in.rich->CaretLine(&in.Drw(), 0);
    in.Click(in.AreaToSurface(2, (first.Top + first.Bottom) / 2));
    EXPECT_EQ(in.Caret(), 0);
    in.Click(in.AreaToSurface(first.Left + 60, (first.Top + first.Bottom) / 2));
    EXPECT_EQ(in.Caret(), 2);
    const TRectF second = in.rich->CaretLine(&in.Drw(), 3);
    in.Click(in.AreaToSurface(second.Left + 60, (second.Top + second.Bottom) / 2));
    EXPECT_EQ(in.Caret(), 5);
    in.Click(in.AreaToSurface(2, second.Bottom + 20));
    EXPECT_EQ(in.Caret(), 6);
}

// The point is turned back with the element before the hit test.
TEST(RichTextCaret, ClicksOnATurnedRichText)
{
    for (const TKVRAngle angle : {TKVRAngle::Angle90, TKVRAngle::Angle180, TKVRAngle::Angle270}) {
        SCOPED_TRACE(int(angle));
        TRichEditing in(QStringLiteral("ab<BR>cd"), 30000, 40000, angle);
        ASSERT_TRUE(in.Editing());
        for (const auto& [pos, along, caret] : {std::tuple{3, 0.75, 4}, {1, 0.25, 1}, {4, 0.75, 5}, {0, 0.75, 1}}) {
            in.Click(in.OnChar(pos, along));
            EXPECT_EQ(in.Caret(), caret) << "on " << pos << " at " << along;
        }
    }
}

TEST(RichTextCaret, ClicksAtTheZoomExtremes)
{
    for (const TKVRZoom zoom : {TKVRZoom::zm25, TKVRZoom::zm500}) {
        SCOPED_TRACE(int(zoom));
        TRichEditing in(QStringLiteral("ab<BR>cd"), 40000, 30000, TKVRAngle::Angle0, zoom);
        ASSERT_TRUE(in.Editing());
        in.Click(in.OnChar(3, 0.8));
        EXPECT_EQ(in.Caret(), 4);
        in.Click(in.OnChar(1, 0.2));
        EXPECT_EQ(in.Caret(), 1);
    }
}

// The painted caret stands between the clicked glyph and the next one.
TEST(RichTextCaret, ThePaintedCaretFollowsTheClickedGlyph)
{
    TRichEditing in(QStringLiteral("ab<BR>cd"));
    ASSERT_TRUE(in.Editing());
    // The caret paints in the focused surface only.
    in.editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&in.editor));
    in.Surface()->setFocus();
    const TRectF line = in.rich->CaretLine(&in.Drw(), 3);
    const QPoint top = in.AreaToSurface(line.Left, line.Top), bottom = in.AreaToSurface(line.Left, line.Bottom);
    // The ink of "c" and "d" along the second line, from the picture alone.
    const std::vector<bool> ink = InkColumns(in.editor.GetSurface()->grab().toImage(), top.y() + 2, bottom.y() - 2);
    int c0 = top.x();
    while (c0 < int(ink.size()) && !ink[size_t(c0)])
        ++c0;
    int c1 = c0;
    while (c1 + 1 < int(ink.size()) && ink[size_t(c1 + 1)])
        ++c1;
    int d0 = c1 + 1;
    while (d0 < int(ink.size()) && !ink[size_t(d0)])
        ++d0;
    ASSERT_LT(d0, int(ink.size()));
    in.Click({(c0 + c1) / 2 + 2, (top.y() + bottom.y()) / 2});
    ASSERT_EQ(in.Caret(), 4);
    const QImage painted = in.editor.GetSurface()->grab().toImage();
    int caretX = -1;
    for (int x = c0; x <= d0 + 1 && caretX < 0; ++x)
        if (painted.pixelColor(x, (top.y() + bottom.y()) / 2) == QColor(255, 0, 0))
            caretX = x;
    EXPECT_GE(caretX, c1 - 1);
    EXPECT_LE(caretX, d0);
}

// A Ctrl press presses the text instead; its click places the caret by the
// same hit test.
TEST(RichTextCaret, ACtrlClickPlacesTheCaretToo)
{
    TRichEditing in(QStringLiteral("ab<BR>cd"));
    ASSERT_TRUE(in.Editing());
    in.Click(in.OnChar(3, 0.75), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(in.Caret(), 4);
    EXPECT_EQ(in.doc.GetAct().fCurAction, TAct::ActEditText);
    EXPECT_TRUE(in.Editing());
}

// ---------------------------------------------------------------- drag and double click

TEST(RichTextCaret, ADragSelectsAndAClickEndsTheSelection)
{
    TRichEditing in(QStringLiteral("alpha <B>beta</B> gamma"), 60000);
    ASSERT_TRUE(in.Editing());
    in.Drag(in.OnChar(1, 0.3), in.OnChar(8, 0.7));
    EXPECT_EQ(in.Selection(), std::make_pair(1, 9));
    EXPECT_EQ(in.Caret(), 9);
    // Backwards too.
    in.Drag(in.OnChar(12, 0.7), in.OnChar(6, 0.2));
    EXPECT_EQ(in.Selection(), std::make_pair(6, 13));
    EXPECT_EQ(in.Caret(), 6);
    in.Click(in.OnChar(2, 0.2));
    EXPECT_EQ(in.Selection().first, in.Selection().second);
    EXPECT_EQ(in.Caret(), 2);
    EXPECT_EQ(in.rich->GetRichText(), QStringLiteral("alpha <B>beta</B> gamma"));
}

TEST(RichTextCaret, ADoubleClickSelectsAWord)
{
    struct TCase
    {
        const char* Markup;
        int64_t Width;
        int32_t Char;
        std::pair<int32_t, int32_t> Word;
    };
    static const TCase kCases[] = {
        {"alpha beta gamma", 60000, 7, {6, 10}},
        // A word of several formats is one word.
        {"alpha be<B>t</B>a gamma", 60000, 6, {6, 10}},
        // On a wrapped line and after a break: plain positions.
        {"alpha beta gamma", 26000, 13, {11, 16}},
        {"ab<BR>cd ef", 40000, 7, {6, 8}},
        // A blank takes the word on its left.
        {"ab   cd", 40000, 2, {0, 2}},
    };
    for (const TCase& c : kCases) {
        SCOPED_TRACE(c.Markup);
        TRichEditing in(QString::fromUtf8(c.Markup), c.Width);
        ASSERT_TRUE(in.Editing());
        in.DoubleClick(in.OnChar(c.Char, 0.5));
        EXPECT_EQ(in.Selection(), c.Word);
        EXPECT_EQ(in.Caret(), c.Word.second);
        EXPECT_TRUE(in.Editing());
    }
}

// A double click on a rich text that is only selected edits it and selects the word.
TEST(RichTextCaret, ADoubleClickStartsTheEditing)
{
    TEditorInput in(100000, 60000, {1100, 900});
    in.editor.SetEditorOptions(eoDblClick | eoRichText);
    auto* rich = dynamic_cast<TKVRRichText*>(in.doc.AddBaseRichText(10000, 10000, 60000, 20000));
    rich->SetBaseFontHeight(8000);
    rich->SetRichTextValue(QStringLiteral("alpha beta"));
    in.Surface()->grab();
    // "alpha" lies in the left third of the box, on its first line.
    const TKVRRect b = rich->GetBounds();
    in.DoubleClick(in.Px(b.Left + 8000, b.Top + 5000));
    EXPECT_EQ(in.doc.GetTextObject(), rich);
    const TKVRDraw& d = *in.Surface()->fDrw;
    EXPECT_EQ(std::min(d.aSelStart, d.aSelEnd), 0);
    EXPECT_EQ(std::max(d.aSelStart, d.aSelEnd), 5);
}

// ---------------------------------------------------------------- keys

TEST(RichTextCaret, ArrowsShiftAndCtrl)
{
    TRichEditing in(QStringLiteral("ab <B>cd</B><BR>ef"), 40000);
    ASSERT_TRUE(in.Editing());
    in.Click(in.OnChar(0, 0.2));
    ASSERT_EQ(in.Caret(), 0);
    struct TStep
    {
        Qt::Key Key;
        Qt::KeyboardModifiers Mods;
        int32_t Caret;
        std::pair<int32_t, int32_t> Sel;
    };
    const TStep kSteps[] = {
        {Qt::Key_Right, {}, 1, {0, 0}},
        {Qt::Key_Right, Qt::ShiftModifier, 2, {1, 2}},
        {Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier, 3, {1, 3}},  // over the blank
        {Qt::Key_Right, Qt::ControlModifier, 6, {0, 0}},                      // "cd" and the break
        {Qt::Key_Right, Qt::ControlModifier, 8, {0, 0}},
        {Qt::Key_Right, {}, 8, {0, 0}},                                       // at the end
        {Qt::Key_Left, Qt::ControlModifier, 6, {0, 0}},
        {Qt::Key_Left, Qt::ShiftModifier, 5, {5, 6}},
        {Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier, 3, {3, 6}},
        {Qt::Key_Left, {}, 2, {0, 0}},
    };
    for (const TStep& s : kSteps) {
        in.Key(s.Key, s.Mods);
        EXPECT_EQ(in.Caret(), s.Caret) << "after " << &s - kSteps;
        if (s.Sel.first == s.Sel.second)
            EXPECT_EQ(in.Selection().first, in.Selection().second) << "after " << &s - kSteps;
        else
            EXPECT_EQ(in.Selection(), s.Sel) << "after " << &s - kSteps;
    }
    EXPECT_EQ(in.rich->GetRichText(), QStringLiteral("ab <B>cd</B><BR>ef"));
}

// Up and Down keep the caret's x across wrapped lines and a break.
TEST(RichTextCaret, UpAndDownKeepTheColumn)
{
    // Three lines: "aaaa bbbb" wrapped as "aaaa" / "bbbb", then "cccc" after a break.
    TRichEditing in(QStringLiteral("aaaa bbbb<BR>cccc"), 22000, 30000);
    ASSERT_TRUE(in.Editing());
    ASSERT_NE(in.rich->CaretLine(&in.Drw(), 2).Top, in.rich->CaretLine(&in.Drw(), 7).Top) << "the text wraps";
    in.Click(in.OnChar(2, 0.1));
    ASSERT_EQ(in.Caret(), 2);
    // The wrapped line, then the one after the break.
    for (int32_t expected : {7, 12}) {
        in.Key(Qt::Key_Down);
        EXPECT_EQ(in.Caret(), expected);
    }
    in.Key(Qt::Key_Down);
    EXPECT_EQ(in.Caret(), 12) << "no line below";
    in.Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(in.Caret(), 7);
    EXPECT_EQ(in.Selection(), std::make_pair(7, 12));
    in.Key(Qt::Key_Up);
    EXPECT_EQ(in.Caret(), 2);
    in.Key(Qt::Key_Up);
    EXPECT_EQ(in.Caret(), 2) << "no line above";
}

// ---------------------------------------------------------------- pure geometry

// Fixed-width characters: 1000 µm each, lines 5000 µm apart.
TEST(RichTextCaretGeometry, LinesWordsAndTheLineAfterABreak)
{
    const auto seg = [](const char* aText, int64_t aX, int64_t aY, int32_t aStart, int32_t aLength, bool aEnd) {
        TRichTextDrawSegment s;
        s.Text = QString::fromUtf8(aText);
        s.X = aX;
        s.Y = aY;
        s.Width = int32_t(s.Text.size()) * 1000;
        s.Height = 4000;
        s.PlainStart = aStart;
        s.PlainLength = aLength;
        s.LineEnd = aEnd;
        return s;
    };
    // "ab cd<BR>ef<BR>": "ab cd" centred at 2000, "ef", then the empty line after the break.
    const TRichTextDrawSegments segs = {seg("ab", 2000, 0, 0, 2, false), seg(" ", 4000, 0, 2, 1, false),
                                        seg("cd", 5000, 0, 3, 2, true), seg("ef", 0, 5000, 6, 2, true)};
    const TKVRRichTextCaret caret(segs, [](const TRichTextDrawSegment&, int32_t n) { return n * 1000.0; });
    struct THitCase
    {
        double X, Y;
        int32_t Position;
    };
    const THitCase kHits[] = {{0, 1000, 0},      {2400, 1000, 0}, {2600, 1000, 1}, {4600, 1000, 3},
                              {9000, 1000, 5},   {-500, -800, 0}, {1600, 5500, 8}, {1600, 4600, 0},
                              {500, 12000, 9}};
    for (const THitCase& h : kHits)
        EXPECT_EQ(caret.HitTest(h.X, h.Y).Position, h.Position) << h.X << ", " << h.Y;
    EXPECT_EQ(caret.LineMove(1, false), 8);   // x 3000 is past "ef": its end
    EXPECT_EQ(caret.LineMove(6, true), 0);    // x 0 is left of the centred line
    EXPECT_EQ(caret.LineMove(7, false), 9);   // into the line after the break
    EXPECT_EQ(caret.LineMove(9, true), 6);
    EXPECT_EQ(caret.LineMove(9, false), 9);
    int32_t a = 0, b = 0;
    ASSERT_TRUE(caret.WordAt(1, a, b));
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(0, 2));
    ASSERT_TRUE(caret.WordAt(3, a, b));
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(6, 8));
    EXPECT_FALSE(caret.WordAt(4, a, b));
    const TRichTextDrawSegments none;
    const TKVRRichTextCaret empty(none, [](const TRichTextDrawSegment&, int32_t) { return 0.0; });
    EXPECT_EQ(empty.LineMove(3, true), 3);
    EXPECT_EQ(empty.HitTest(10, 10).Position, 0);
}

// ---------------------------------------------------------------- with the formatting

// What the mouse and the arrows select is what the toolbar and the keys change.
TEST(RichTextCaret, TheSelectedWordIsTheOneFormattedAndTyped)
{
    TRichEditing in(QStringLiteral("alpha <I>beta</I><BR>gamma"), 60000);
    ASSERT_TRUE(in.Editing());
    // Double click on "beta", then B on the toolbar.
    in.DoubleClick(in.OnChar(7, 0.5));
    ASSERT_EQ(in.Selection(), std::make_pair(6, 10));
    in.Surface()->grab();
    const std::vector<TRectF> bar = in.Surface()->fToolbarRects;
    ASSERT_EQ(bar.size(), 10u);
    const auto button = [&](size_t i) {
        return QPointF((bar[i].Left + bar[i].Right) / 2, (bar[i].Top + bar[i].Bottom) / 2).toPoint();
    };
    in.Click(button(1));
    EXPECT_EQ(in.rich->GetRichText(), QStringLiteral("alpha <I><B>beta</B></I><BR>gamma"));
    // A click on the right half of "g" of "gamma", Shift+Right over "am": underlined.
    in.Surface()->grab();
    in.Click(in.OnChar(11, 0.75));
    ASSERT_EQ(in.Caret(), 12);
    in.Key(Qt::Key_Right, Qt::ShiftModifier);
    in.Key(Qt::Key_Right, Qt::ShiftModifier);
    in.Click(button(3));
    EXPECT_EQ(in.rich->GetRichText(), QStringLiteral("alpha <I><B>beta</B></I><BR>g<U>am</U>ma"));
    // Typed over the selection, then Backspace and Up into the first line.
    in.Type(QStringLiteral("AM"));
    EXPECT_EQ(in.rich->GetPlainText(), QStringLiteral("alpha beta\ngAMma"));
    EXPECT_EQ(in.rich->GetRichText(), QStringLiteral("alpha <I><B>beta</B></I><BR>g<U>AM</U>ma"));
    in.Key(Qt::Key_Backspace);
    in.Key(Qt::Key_Up);
    in.Type(QStringLiteral("+"));
    // "gA" is about as wide as "alp": the caret keeps its column on the line above.
    EXPECT_EQ(in.rich->GetRichText(), QStringLiteral("alp+ha <I><B>beta</B></I><BR>g<U>A</U>ma"));
}

// Right-to-left letters are painted from the right: a click, the painted
// caret and the shaded selection follow the letters where they stand. The
// oracle is the ink of the picture, not the caret geometry.
TEST(RichTextCaret, RightToLeftFollowsThePaintedOrder)
{
    struct TCase
    {
        const char* Markup;
        bool RightEnd;   // clicked just inside the right end of the ink, else the left end
        int32_t Caret;
        int32_t SelFrom, SelTo;  // a selection whose shade must lie on that end
    };
    static const TCase kCases[] = {
        // "shalom": its first letter is the rightmost.
        {"\u05E9\u05DC\u05D5\u05DD", true, 0, 0, 1},
        {"\u05E9\u05DC\u05D5\u05DD", false, 4, 3, 4},
        // A right-to-left word after a left-to-right one: its start is at the right end.
        {"abc \u05E9\u05DC\u05D5\u05DD", true, 4, 4, 5},
        {"<B>\u05E9\u05DC\u05D5\u05DD</B> abc", false, 4, 3, 4},
    };
    for (const TCase& c : kCases) {
        SCOPED_TRACE(std::string(c.Markup) + (c.RightEnd ? " right" : " left"));
        TRichEditing in(QString::fromUtf8(c.Markup), 60000);
        ASSERT_TRUE(in.Editing());
        in.editor.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&in.editor));
        in.Surface()->setFocus();
        const TRectF line = in.rich->CaretLine(&in.Drw(), 0);
        const QPoint top = in.AreaToSurface(0, line.Top), bottom = in.AreaToSurface(0, line.Bottom);
        const int middle = (top.y() + bottom.y()) / 2;
        const std::vector<bool> ink = InkColumns(in.Surface()->grab().toImage(), top.y() + 2, bottom.y() - 2);
        const auto first = std::find(ink.begin() + top.x(), ink.end(), true);
        ASSERT_NE(first, ink.end());
        const int x0 = int(first - ink.begin());
        const int x1 = int(ink.rend() - std::find(ink.rbegin(), ink.rend(), true)) - 1;
        const int edge = c.RightEnd ? x1 : x0;
        in.Click({c.RightEnd ? x1 - 2 : x0 + 2, middle});
        EXPECT_EQ(in.Caret(), c.Caret);
        // The red caret stands at that edge of the ink.
        const QImage painted = in.Surface()->grab().toImage();
        int caretX = -1;
        for (int x = x0 - 4; x <= x1 + 4 && caretX < 0; ++x)
            if (painted.pixelColor(x, middle) == QColor(255, 0, 0))
                caretX = x;
        EXPECT_NEAR(caretX, edge, 3);
        // One letter selected at that end is shaded there.
        const std::vector<TRectF> shade = in.rich->SelectionRects(&in.Drw(), c.SelFrom, c.SelTo);
        ASSERT_EQ(shade.size(), 1u);
        const int left = in.AreaToSurface(shade[0].Left, 0).x(), right = in.AreaToSurface(shade[0].Right, 0).x();
        EXPECT_NEAR(c.RightEnd ? right : left, edge, 3);
        EXPECT_LT(right - left, (x1 - x0) / 2);
    }
}
