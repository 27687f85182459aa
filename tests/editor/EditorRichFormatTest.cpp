// Formatting a rich text in place on the real editor: keys and toolbar
// clicks reach the document's mark-up, the toolbar sits where it fits, and
// the pickers answer through the label's openers.
#include "document/KVR.FMX.Openers.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "render/TKVRDraw.h"
#include "tests/editor/EditorInput.h"
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// A rich text selected and clicked: edited in place, the caret at aCaret.
TKVRBaseRichText* EditRich(TEditorInput& in, const QString& aMarkup, int32_t aCaret, int64_t x = 20000,
                           int64_t y = 20000)
{
    in.editor.SetEditorOptions(in.editor.GetOptions() | eoRichText);
    TKVRBaseRichText* rich = in.doc.AddBaseRichText(x, y, 40000, 15000);
    rich->SetRichTextValue(aMarkup);
    in.doc.SelectItem(rich, false);
    const TKVRRect b = rich->GetBounds();
    in.Click(in.Px((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2));
    TKVRDraw& d = *in.Surface()->fDrw;
    d.aPos = aCaret;
    d.aSelStart = d.aSelEnd = 0;
    return in.doc.GetTextObject() == rich ? rich : nullptr;
}

void Select(TEditorInput& in, int32_t aStart, int32_t aEnd)
{
    TKVRDraw& d = *in.Surface()->fDrw;
    d.aSelStart = aStart;
    d.aSelEnd = aEnd;
    d.aPos = aEnd;
}

// The toolbar as the last paint left it.
std::vector<TRectF> Toolbar(TEditorInput& in)
{
    in.Surface()->grab();
    return in.Surface()->fToolbarRects;
}

QPoint Centre(const TRectF& r)
{
    return QPointF((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2).toPoint();
}

// The label's openers, given back as they were.
struct TOpenersGuard
{
    TKVRLabelOpeners saved = KVRLabelOpeners();
    ~TOpenersGuard() { KVRLabelOpeners() = saved; }
};
}  // namespace

TEST(EditorRichFormat, TypingAcrossABreakAndABoldSpan)
{
    TEditorInput in;
    TKVRBaseRichText* rich = EditRich(in, QStringLiteral("ab<BR><B>cd</B>"), 3);
    ASSERT_TRUE(rich);
    in.Type("xy");
    EXPECT_EQ(rich->GetRichText(), QStringLiteral("ab<BR><B>xycd</B>"));
    EXPECT_EQ(in.Surface()->fDrw->aPos, 5);
    EXPECT_EQ(in.Surface()->fDrw->aTxt, QStringLiteral("ab\nxycd"));
    in.Surface()->fDrw->aPos = 2;
    in.Type("z");
    EXPECT_EQ(rich->GetRichText(), QStringLiteral("abz<BR><B>xycd</B>"));
    // A selection across the break and into the span is replaced.
    Select(in, 2, 5);
    in.Type("-");
    EXPECT_EQ(rich->GetRichText(), QStringLiteral("ab<B>-ycd</B>"));
    EXPECT_EQ(in.Surface()->fDrw->aPos, 3);
    EXPECT_EQ(in.Surface()->fDrw->aSelStart, in.Surface()->fDrw->aSelEnd);
}

TEST(EditorRichFormat, BackspaceDeleteAndEnter)
{
    TEditorInput in;
    TKVRBaseRichText* rich = EditRich(in, QStringLiteral("Hello <B>World</B>"), 6);
    ASSERT_TRUE(rich);
    in.Key(Qt::Key_Backspace);
    EXPECT_EQ(rich->GetRichText(), QStringLiteral("Hello<B>World</B>"));
    EXPECT_EQ(in.Surface()->fDrw->aPos, 5);
    // Delete takes the next character, the caret stays.
    in.Key(Qt::Key_Delete);
    EXPECT_EQ(rich->GetRichText(), QStringLiteral("Hello<B>orld</B>"));
    EXPECT_EQ(in.Surface()->fDrw->aPos, 5);
    EXPECT_EQ(in.doc.GetItemsCount(), 1);
    in.Key(Qt::Key_Return);
    EXPECT_EQ(rich->GetRichText(), QStringLiteral("Hello<B><BR>orld</B>"));
    EXPECT_EQ(in.Surface()->fDrw->aPos, 6);
    EXPECT_EQ(in.doc.GetTextObject(), rich);  // Enter does not end the editing
    // A line break over a selection that reaches into the span keeps it bold.
    Select(in, 4, 7);
    in.Key(Qt::Key_Enter);
    EXPECT_EQ(rich->GetRichText(), QStringLiteral("Hell<B><BR>rld</B>"));
    // Backspace at the start and Delete at the end change nothing.
    in.Surface()->fDrw->aPos = 0;
    in.Key(Qt::Key_Backspace);
    in.Surface()->fDrw->aPos = 8;
    in.Key(Qt::Key_Delete);
    EXPECT_EQ(rich->GetRichText(), QStringLiteral("Hell<B><BR>rld</B>"));
}

// Only the text being edited takes the keys.
TEST(EditorRichFormat, KeysNeedTheRichTextInEditing)
{
    TEditorInput in;
    in.editor.SetEditorOptions(in.editor.GetOptions() | eoRichText);
    TKVRBaseRichText* rich = in.doc.AddBaseRichText(20000, 20000, 40000, 15000);
    rich->SetRichTextValue(QStringLiteral("ab"));
    in.doc.SelectItem(rich, false);
    in.Surface()->fDrw->aPos = 1;
    in.Key(Qt::Key_Return);
    in.Key(Qt::Key_Backspace);
    EXPECT_EQ(rich->GetRichText(), QStringLiteral("ab"));
}

TEST(EditorRichFormat, ToolbarAboveTheTextOrUnderItAtTheTopAndInsideAtTheRight)
{
    struct Row
    {
        const char* Name;
        int64_t X, Y;
        bool Under;
    };
    for (const Row& row : {Row{"room above", 20000, 30000, false}, Row{"top edge", 20000, 0, true},
                           Row{"right edge", 130000, 30000, false}}) {
        SCOPED_TRACE(row.Name);
        TEditorInput in(200000, 100000);
        TKVRBaseRichText* rich = EditRich(in, QStringLiteral("abc"), 0, row.X, row.Y);
        ASSERT_TRUE(rich);
        const std::vector<TRectF> rects = Toolbar(in);
        ASSERT_EQ(rects.size(), 10u);
        ASSERT_TRUE(in.Surface()->fToolbarVisible);
        const TKVRRect b{std::min(rich->GetPoint(1).X, rich->GetPoint(2).X),
                         std::min(rich->GetPoint(1).Y, rich->GetPoint(2).Y),
                         std::max(rich->GetPoint(1).X, rich->GetPoint(2).X),
                         std::max(rich->GetPoint(1).Y, rich->GetPoint(2).Y)};
        const float top = float(in.Surface()->ScreenMMY(b.Top)), bottom = float(in.Surface()->ScreenMMY(b.Bottom));
        const float barTop = rects[0].Top - 4;
        if (row.Under)
            EXPECT_FLOAT_EQ(barTop, bottom + 4);
        else
            EXPECT_FLOAT_EQ(barTop, top - 34);
        const float barLeft = rects[0].Left - 4;
        EXPECT_GE(barLeft, 0);
        EXPECT_LE(barLeft + 304, float(in.Surface()->width()));
        if (row.X > 100000)
            EXPECT_FLOAT_EQ(barLeft + 304, float(in.Surface()->width()));
        else
            EXPECT_FLOAT_EQ(barLeft, float(in.Surface()->ScreenMMX(b.Left)));
        EXPECT_FLOAT_EQ(rects[9].Left - rects[0].Left, 270);
    }
}

TEST(EditorRichFormat, ToolbarClickWithoutRichTextIsTakenAndDetachedDoesNothing)
{
    TEditorInput in;
    TKVRBaseRichText* rich = EditRich(in, QStringLiteral("abc"), 0);
    ASSERT_TRUE(rich);
    const std::vector<TRectF> rects = Toolbar(in);
    ASSERT_EQ(rects.size(), 10u);
    TKVRBaseItem* other = in.doc.AddBaseRectangle(70000, 40000, 5000, 5000);
    in.doc.SelectItem(other, false);
    Select(in, 0, 3);
    // The toolbar of the last paint still takes the press, and changes nothing.
    EXPECT_TRUE(in.Surface()->HandleToolbarClick(Centre(rects[1]).x(), Centre(rects[1]).y()));
    EXPECT_EQ(rich->GetRichText(), QStringLiteral("abc"));
    EXPECT_FALSE(in.Surface()->HandleToolbarClick(rects[9].Right + 20, rects[9].Top));

    in.doc.SelectItem(rich, false);
    Toolbar(in);
    in.editor.SetLabel(nullptr);
    EXPECT_FALSE(in.Surface()->HandleToolbarClick(Centre(rects[1]).x(), Centre(rects[1]).y()));
    in.Press(Centre(rects[1]));
    in.Release(Centre(rects[1]));
    EXPECT_EQ(rich->GetRichText(), QStringLiteral("abc"));
    in.Surface()->grab();
    EXPECT_FALSE(in.Surface()->fToolbarVisible);
    EXPECT_TRUE(in.Surface()->fToolbarRects.empty());
}

TEST(EditorRichFormat, EveryToolbarButtonWritesItsMarkup)
{
    TOpenersGuard guard;
    TEditorInput in;
    TKVRBaseRichText* rich = EditRich(in, QStringLiteral("one two<BR>three"), 0);
    ASSERT_TRUE(rich);
    const std::vector<TRectF> rects = Toolbar(in);
    ASSERT_EQ(rects.size(), 10u);
    QStringList offered;
    QPoint fontAt, sizeAt;
    in.doc.OnGetFontListEvent = [](QObject*, QStringList& aFonts) { aFonts = {"Noto Sans", "Noto Serif"}; };
    KVRLabelOpeners().SelectFontName = [&](const QStringList& aFonts, const QPoint& aAt,
                                           const std::function<void(const QString&)>& aChosen) {
        offered = aFonts;
        fontAt = aAt;
        aChosen(aFonts.last());
    };
    KVRLabelOpeners().SelectTextSize = [&](const QPoint& aAt, const std::function<void(int32_t)>& aChosen) {
        sizeAt = aAt;
        aChosen(4);
    };
    uint32_t offeredColor = 0;
    KVRLabelOpeners().SelectColor = [&](uint32_t& aColor) {
        offeredColor = aColor;
        aColor = 0xFF1A2B3C;
        return true;
    };
    struct Step
    {
        int Button;
        int32_t Start, End;
        const char* Markup;
    };
    const Step steps[] = {
        {1, 0, 3, "<B>one</B> two<BR>three"},
        {2, 4, 7, "<B>one</B> <I>two</I><BR>three"},
        {3, 8, 13, "<B>one</B> <I>two</I><BR><U>three</U>"},
        {1, 0, 3, "one <I>two</I><BR><U>three</U>"},
        {6, 0, 3, "<FC:1A2B3C>one</FC> <I>two</I><BR><U>three</U>"},
        {4, 4, 7, "<FC:1A2B3C>one</FC> <I><FN:Noto Serif>two</FN></I><BR><U>three</U>"},
        {5, 8, 13, "<FC:1A2B3C>one</FC> <I><FN:Noto Serif>two</FN></I><BR><U><FS:4000>three</FS></U>"},
        {8, 10, 10, "<FC:1A2B3C>one</FC> <I><FN:Noto Serif>two</FN></I><BR><C><U><FS:4000>three</FS></U></C>"},
        {9, 10, 10, "<FC:1A2B3C>one</FC> <I><FN:Noto Serif>two</FN></I><BR><R><U><FS:4000>three</FS></U></R>"},
        {7, 1, 1, "<L><FC:1A2B3C>one</FC> <I><FN:Noto Serif>two</FN></I></L><BR><R><U><FS:4000>three</FS></U></R>"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Button);
        Select(in, step.Start, step.End);
        in.Surface()->fDrw->aPos = step.End;
        in.Click(Centre(rects[size_t(step.Button)]));
        EXPECT_EQ(rich->GetRichText(), QString::fromUtf8(step.Markup));
        EXPECT_EQ(in.doc.GetTextObject(), rich);  // the click on the toolbar keeps the editing
    }
    EXPECT_EQ(offered, QStringList({"Noto Sans", "Noto Serif"}));
    EXPECT_EQ(fontAt, in.Surface()->mapToGlobal(QPointF(rects[4].Left, rects[4].Bottom)).toPoint());
    EXPECT_EQ(sizeAt, in.Surface()->mapToGlobal(QPointF(rects[5].Left, rects[5].Bottom)).toPoint());
    EXPECT_EQ(offeredColor, rich->GetFontColor());
    EXPECT_EQ(in.Surface()->fDrw->aTxt, rich->GetPlainText());

    // A cancelled colour and an empty selection change nothing.
    const QString before = rich->GetRichText();
    KVRLabelOpeners().SelectColor = [](uint32_t&) { return false; };
    Select(in, 4, 7);
    in.Click(Centre(rects[6]));
    Select(in, 2, 2);
    for (int button : {1, 6})
        in.Click(Centre(rects[size_t(button)]));
    EXPECT_EQ(rich->GetRichText(), before);

    // The saved label keeps the mark-up.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("rich.eti"));
    ASSERT_TRUE(in.doc.SaveToFile(file, KVRExt::Binary));
    TVXLabelFMX reread;
    ASSERT_TRUE(reread.LoadFromFile(file));
    ASSERT_EQ(reread.GetItemsCount(), 1);
    auto* again = dynamic_cast<TKVRBaseRichText*>(reread.GetItem(1));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->GetRichText(), before);
}

// Mark-up written by hand, a closing tag with no pair open and a centre
// never closed: the toolbar's bold and right reach every character they
// cover, as the element lays them out, and the next paragraph stays centred.
TEST(EditorRichFormat, ToolbarOnHandWrittenMarkupFormatsAllItCovers)
{
    TEditorInput in;
    TKVRBaseRichText* rich = EditRich(in, QStringLiteral("one</B> two<C></I><BR>three"), 0);
    ASSERT_TRUE(rich);
    const std::vector<TRectF> rects = Toolbar(in);
    ASSERT_EQ(rects.size(), 10u);
    Select(in, 0, 7);
    in.Click(Centre(rects[1]));
    in.Surface()->fDrw->aPos = 1;
    in.Click(Centre(rects[9]));
    EXPECT_EQ(rich->GetRichText(), QStringLiteral("<R><B>one two</B></R><C></I><BR>three"));
    in.Surface()->grab();
    ASSERT_FALSE(rich->GetDrawSegments().empty());
    for (const TRichTextDrawSegment& s : rich->GetDrawSegments()) {
        SCOPED_TRACE(s.Text.toStdString());
        const bool first = s.PlainStart < 7;
        EXPECT_EQ(rich->GetFormats()[size_t(s.FormatIndex)].Bold, first);
        EXPECT_EQ(s.Align, first ? TKVRHorzAlign::Right : TKVRHorzAlign::Center);
    }
}

// Zoomed far in or out, the toolbar stays whole on the surface and paints
// white buttons on its band.
TEST(EditorRichFormat, ToolbarInsideTheSurfaceAtZoomExtremes)
{
    for (const TKVRZoom zoom : {TKVRZoom::zm25, TKVRZoom::zm500}) {
        SCOPED_TRACE(int(zoom));
        TEditorInput in(200000, 100000);
        ASSERT_TRUE(EditRich(in, QStringLiteral("<B><FC:C62828>abc</FC></B>"), 0, 150000, 60000));
        in.editor.SetZoom(zoom);
        const QImage shot = in.Surface()->grab().toImage();
        const std::vector<TRectF> rects = in.Surface()->fToolbarRects;
        ASSERT_EQ(rects.size(), 10u);
        EXPECT_GE(rects.front().Left - 4, 0);
        EXPECT_GE(rects.front().Top - 4, 0);
        EXPECT_LE(rects.back().Right + 4, float(in.Surface()->width()));
        EXPECT_LE(rects.back().Bottom + 4, float(in.Surface()->height()));
        const int y = int((rects[1].Top + rects[1].Bottom) / 2);
        EXPECT_EQ(shot.pixelColor(int(rects[1].Left) + 3, int(rects[1].Top) + 3), QColor(Qt::white));
        // The band ($F0F0F0FF: a faint blue, nearly opaque) between two buttons.
        const QColor band = shot.pixelColor(int(rects[1].Left) - 2, y);
        EXPECT_NE(band, QColor(Qt::white));
        EXPECT_GT(band.blue(), band.red());
        EXPECT_GT(band.lightness(), 220);
    }
}

// Typing and pasting into a rich text by the keys: what is typed or pasted
// goes in at the caret over the selection, or is refused with a sign when
// the mark-up would read it as a tag; it is never dropped in silence.
TEST(EditorRichFormat, TypingAndPastingByTheKeys)
{
    const QString refusal = TKVRMsg::GetErrorValue(QStringLiteral("RichTextTag"));
    // What reaches the surface: typed keys, Ctrl+V, an input method's commit
    // or one key event carrying several characters.
    enum class TBy { Keys, Paste, Commit, Compressed };
    struct Row
    {
        const char* Name;
        const char* Markup;
        int32_t Caret, SelStart, SelEnd;
        TBy By;
        const char* Text;
        const char* After;
        int32_t CaretAfter;
        bool Refused;
    };
    const Row rows[] = {
        {"paste at the caret", "ab<B>cd</B>", 2, 0, 0, TBy::Paste, "XYZ", "ab<B>XYZcd</B>", 5, false},
        {"paste over a selection", "ab<B>cd</B>", 4, 2, 4, TBy::Paste, "XYZ", "ab<B>XYZ</B>", 5, false},
        {"pasted line ends are breaks", "ab", 1, 0, 0, TBy::Paste, "X\r\nY\rZ", "aX<BR>Y<BR>Zb", 6, false},
        {"a pasted tag is refused", "ab", 1, 0, 0, TBy::Paste, "x<B>y", "ab", 1, true},
        {"retyping the selected character", "abc", 2, 1, 2, TBy::Keys, "bx", "abxc", 3, false},
        {"typing <B>x keeps x, refuses >", "", 0, 0, 0, TBy::Keys, "<B>x", "<Bx", 3, true},
        {"typing <C>", "ab", 1, 0, 0, TBy::Keys, "<C>", "a<Cb", 3, true},
        {"typing <BR>", "ab", 2, 0, 0, TBy::Keys, "<BR>", "ab<BR", 5, true},
        {"typing <FN:Arial>", "", 0, 0, 0, TBy::Keys, "<FN:Arial>", "<FN:Arial", 9, true},
        {"plain < and > go in", "ab", 1, 0, 0, TBy::Keys, "< >", "a< >b", 4, false},
        {"a commit holding a tag", "ab", 1, 0, 0, TBy::Commit, "<B>", "ab", 1, true},
        {"a commit of text", "ab", 1, 0, 0, TBy::Commit, "xy", "axyb", 3, false},
        {"compressed keys holding a tag", "ab", 1, 0, 0, TBy::Compressed, "<B>", "ab", 1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        TEditorInput in;
        TKVRBaseRichText* rich = EditRich(in, QString::fromUtf8(row.Markup), row.Caret);
        ASSERT_TRUE(rich);
        TKVRDraw& d = *in.Surface()->fDrw;
        d.aSelStart = row.SelStart;
        d.aSelEnd = row.SelEnd;
        const QString text = QString::fromUtf8(row.Text);
        switch (row.By) {
        case TBy::Keys:
            in.Type(text);
            break;
        case TBy::Paste:
            QGuiApplication::clipboard()->setText(text);
            in.Key(Qt::Key_V, Qt::ControlModifier);
            break;
        case TBy::Commit: {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QCoreApplication::sendEvent(in.Surface(), &commit);
            break;
        }
        case TBy::Compressed: {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
            QCoreApplication::sendEvent(in.Surface(), &press);
            break;
        }
        }
        EXPECT_EQ(rich->GetRichText(), QString::fromUtf8(row.After));
        EXPECT_EQ(d.aPos, row.CaretAfter);
        EXPECT_EQ(d.aTxt, rich->GetPlainText());
        if (!row.Refused) {
            EXPECT_EQ(d.aSelStart, d.aSelEnd);
        }
        // The refusal is painted under the text, in the note's colours.
        EXPECT_EQ(in.Surface()->fRichTextRefusal, row.Refused ? refusal : QString());
        const QImage shot = in.Surface()->grab().toImage();
        const TRectF note = in.Surface()->fRichTextRefusalRect;
        EXPECT_EQ(note.Right > note.Left, row.Refused);
        if (row.Refused) {
            EXPECT_EQ(shot.pixelColor(int(note.Left) + 2, int((note.Top + note.Bottom) / 2)), QColor(0xFF, 0xF4, 0xCC));
        }
        // The next key goes in at the caret.
        const QString before = rich->GetPlainText();
        in.Type(QStringLiteral("q"));
        EXPECT_EQ(rich->GetPlainText(), before.left(row.CaretAfter) + u'q' + before.mid(row.CaretAfter));
        // A click that places the caret takes the note away.
        const TKVRRect b = rich->GetBounds();
        in.Click(in.Px((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2));
        EXPECT_TRUE(in.Surface()->fRichTextRefusal.isEmpty());
    }
}
