// The mark-up the in-place rich-text editing writes, without a screen: each
// row is an edit at plain positions and the mark-up it must leave.
#include "platform/rtl/text/KVR.RichTextEdit.h"
#include <gtest/gtest.h>
#include <functional>

namespace {
struct Row
{
    const char* Name;
    QString Before;
    std::function<bool(QString&)> Edit;
    QString After;  // equal to Before: the edit must answer false
};

// The pairs of every kind open and close in order (the parser's rule).
bool Balanced(const QString& aMarkup)
{
    int depth[10] = {};
    for (const TRichTextTag& t : GetRichTextTags(aMarkup)) {
        if (t.Kind == TRichTextTagKind::Break)
            continue;
        int& d = depth[int(t.Kind)];
        d += t.Closing ? -1 : 1;
        if (d < 0)
            return false;
    }
    for (int d : depth)
        if (d != 0)
            return false;
    return true;
}

auto Toggle(int32_t s, int32_t e, const char* open = "<B>", const char* close = "</B>")
{
    return [=](QString& m) { return ToggleRichTextPair(m, s, e, QString::fromUtf8(open), QString::fromUtf8(close)); };
}
auto Color(int32_t s, int32_t e, TAlphaColor c)
{
    return [=](QString& m) { return ApplyRichTextColorPair(m, s, e, c); };
}
auto Align(int32_t caret, int32_t a)
{
    return [=](QString& m) { return ApplyRichTextParagraphAlign(m, caret, a); };
}
auto Replace(int32_t s, int32_t e, const char* text)
{
    return [=](QString& m) { return ReplaceRichTextRange(m, s, e, QString::fromUtf8(text)); };
}
}  // namespace

TEST(RichTextFormat, EditsLeaveTheMarkupOfTheTable)
{
    const Row rows[] = {
        {"bold on the middle three", "abcde", Toggle(1, 4), "a<B>bcd</B>e"},
        {"bold again takes it off", "a<B>bcd</B>e", Toggle(1, 4), "abcde"},
        {"ends given the other way round", "a<B>bcd</B>e", Toggle(4, 1), "abcde"},
        {"lower-case pair is found", "a<b>bcd</b>e", Toggle(1, 4), "abcde"},
        {"the whole text", "<B>abc</B>", Toggle(0, 3), "abc"},
        {"a character short of both ends takes the whole span", "x<B>hello</B>y", Toggle(2, 5), "xhelloy"},
        {"two characters short splits it", "x<B>hello</B>y", Toggle(3, 5), "x<B>he</B>ll<B>o</B>y"},
        {"middle word of a bold span", "<B>one two three</B>", Toggle(4, 7), "<B>one </B>two<B> three</B>"},
        {"no empty pair left", "<B>ab </B>", Toggle(0, 2), "ab "},
        {"blank-only pair dropped", "x<I> </I>y", Toggle(0, 1), "<B>x</B> y"},
        {"bold word elsewhere untouched", "<B>ab</B> ab", Toggle(3, 5), "<B>ab</B> <B>ab</B>"},
        {"unbold leaves the other bold word", "<B>ab</B> <B>ab</B>", Toggle(3, 5), "<B>ab</B> ab"},
        {"two spans across the gap kept balanced", "<B>ab</B>cd<B>ef</B>", Toggle(1, 5), "<B>a</B><B>bcde</B><B>f</B>"},
        {"pair put after closing tags", "<B>a</B>b", Toggle(1, 2, "<I>", "</I>"), "<B>a</B><I>b</I>"},
        {"nests inside a span opening at the start", "a<I>bc</I>", Toggle(1, 3), "a<I><B>bc</B></I>"},
        {"italic and underline", "ab", Toggle(0, 1, "<i>", "</i>"), "<I>a</I>b"},
        {"empty selection", "abc", Toggle(1, 1), "abc"},
        {"font name keeps its case", "abc", Toggle(0, 2, "<FN:Noto Sans>", "</FN>"), "<FN:Noto Sans>ab</FN>c"},
        {"another font splits the first", "<FN:A>abc</FN>", Toggle(1, 2, "<FN:B>", "</FN>"),
         "<FN:A>a</FN><FN:B>b</FN><FN:A>c</FN>"},
        {"size 4 mm", "abc", Toggle(1, 3, "<FS:4000>", "</FS>"), "a<FS:4000>bc</FS>"},
        {"colour 1A2B3C", "abc", Color(0, 2, 0xFF1A2B3C), "<FC:1A2B3C>ab</FC>c"},
        {"colour kept on a coloured selection", "<FC:112233>ab</FC>c", Color(0, 2, 0xFF445566),
         "<FC:112233>ab</FC>c"},
        {"colour kept inside a coloured span", "<FC:112233>abc</FC>", Color(1, 2, 0xFF445566),
         "<FC:112233>abc</FC>"},
        {"colour pair beginning inside is split", "ab<FC:112233>cd</FC>", Color(1, 3, 0xFF445566),
         "a<FC:445566>bc</FC><FC:112233>d</FC>"},
        {"colour after a coloured character", "<FC:112233>a</FC>b", Color(1, 2, 0xFF445566),
         "<FC:112233>a</FC><FC:445566>b</FC>"},
        {"centre the second paragraph", "ab<BR>cd", Align(4, 1), "ab<BR><C>cd</C>"},
        {"then right", "ab<BR><C>cd</C>", Align(4, 2), "ab<BR><R>cd</R>"},
        {"caret just before a break", "ab<BR>cd", Align(2, 1), "<C>ab</C><BR>cd"},
        {"caret just after a break", "ab<BR>cd", Align(3, 2), "ab<BR><R>cd</R>"},
        {"a pair over two paragraphs is split", "<C>ab<BR>cd</C>", Align(4, 2), "<C>ab<BR></C><R>cd</R>"},
        {"the pair holds the paragraph's tags", "<B>ab</B><BR><I>cd</I>", Align(4, 1),
         "<B>ab</B><BR><C><I>cd</I></C>"},
        {"left is written as a pair", "abc", Align(1, 0), "<L>abc</L>"},
        {"empty paragraph", "ab<BR><BR>cd", Align(3, 1), "ab<BR><C></C><BR>cd"},
        {"no such alignment", "abc", Align(1, 3), "abc"},
        {"alignment of an empty text", "", Align(0, 1), ""},
        {"backspace after Hello keeps World bold", "Hello <B>World</B>", Replace(5, 6, ""), "Hello<B>World</B>"},
        {"typing joins the span at the caret", "a<B>b</B>", Replace(2, 2, "c"), "a<B>bc</B>"},
        {"typing across a break", "ab<BR>cd", Replace(3, 3, "x"), "ab<BR>xcd"},
        {"line break over a selection", "abcd", Replace(1, 3, "<BR>"), "a<BR>d"},
        {"line break over a tag keeps the pair balanced", "ab<B>cd</B>", Replace(1, 3, "<BR>"), "a<B><BR>d</B>"},
        {"a pair inside the range goes with it", "a<B>b</B>c", Replace(0, 3, "<BR>"), "<BR>"},
        {"deleting a break", "ab<BR>cd", Replace(2, 3, ""), "abcd"},
        {"typing cannot make a tag", "<", Replace(1, 1, "B>"), "<"},
        {"deleting cannot make a tag", "<xB>", Replace(1, 2, ""), "<xB>"},
    };
    for (const Row& row : rows) {
        QString markup = row.Before;
        const bool changed = row.Edit(markup);
        EXPECT_EQ(markup, row.After) << row.Name;
        EXPECT_EQ(changed, row.Before != row.After) << row.Name;
        EXPECT_TRUE(Balanced(markup)) << row.Name << ": " << markup.toStdString();
    }
}
