// The mark-up the in-place rich-text editing writes, without a screen: each
// row is an edit at plain positions and the mark-up it must leave.
#include "platform/rtl/text/KVR.RichTextEdit.h"
#include "tests/support/RichMarkupChecks.h"
#include <gtest/gtest.h>
#include <functional>
#include <optional>

namespace {
struct Row
{
    const char* Name;
    QString Before;
    std::function<bool(QString&)> Edit;
    QString After;  // equal to Before: the edit must answer false
    std::optional<bool> Answer = std::nullopt;  // when it differs from After != Before
};

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
        {"strictly inside, a character from each end, splits the span", "x<B>hello</B>y", Toggle(2, 5),
         "x<B>h</B>ell<B>o</B>y"},
        {"middle letter of a bold word splits it", "<B>abc</B>", Toggle(1, 2), "<B>a</B>b<B>c</B>"},
        {"from the span's start, a character short of its end", "x<B>hello</B>y", Toggle(1, 5), "xhelloy"},
        {"to the span's end, a character short of its start", "x<B>hello</B>y", Toggle(2, 6), "xhelloy"},
        {"two characters short splits it", "x<B>hello</B>y", Toggle(3, 5), "x<B>he</B>ll<B>o</B>y"},
        {"middle word of a bold span", "<B>one two three</B>", Toggle(4, 7), "<B>one </B>two<B> three</B>"},
        {"no empty pair left", "<B>ab </B>", Toggle(0, 2), "ab "},
        {"a blank-only pair elsewhere stays", "x<I> </I>y", Toggle(0, 1), "<B>x</B><I> </I>y"},
        {"a fill-in line keeps its underline", "Name: <U>   </U>", Toggle(0, 4), "<B>Name</B>: <U>   </U>"},
        {"underline put on blanks stays", "Name:    ", Toggle(6, 9, "<U>", "</U>"), "Name: <U>   </U>"},
        {"part of a fill-in line loses its underline, the rest keeps it", "Name: <U>   </U>",
         Toggle(8, 9, "<U>", "</U>"), "Name: <U>  </U> "},
        {"bold word elsewhere untouched", "<B>ab</B> ab", Toggle(3, 5), "<B>ab</B> <B>ab</B>"},
        {"unbold leaves the other bold word", "<B>ab</B> <B>ab</B>", Toggle(3, 5), "<B>ab</B> ab"},
        {"two spans across the gap kept balanced", "<B>ab</B>cd<B>ef</B>", Toggle(1, 5), "<B>a</B><B>bcde</B><B>f</B>"},
        {"pair put after closing tags", "<B>a</B>b", Toggle(1, 2, "<I>", "</I>"), "<B>a</B><I>b</I>"},
        {"nests inside a span opening at the start", "a<I>bc</I>", Toggle(1, 3), "a<I><B>bc</B></I>"},
        {"italic and underline", "ab", Toggle(0, 1, "<i>", "</i>"), "<I>a</I>b"},
        {"empty selection", "abc", Toggle(1, 1), "abc"},
        {"font name keeps its case", "abc", Toggle(0, 2, "<FN:Noto Sans>", "</FN>"), "<FN:Noto Sans>ab</FN>c"},
        {"another font nests inside the first", "<FN:A>abc</FN>", Toggle(1, 2, "<FN:B>", "</FN>"),
         "<FN:A>a<FN:B>b</FN>c</FN>"},
        {"Arial chosen for a word shown in Times inside Arial", "<FN:Arial>aa <FN:Times>word</FN> bb</FN>",
         Toggle(3, 7, "<FN:Arial>", "</FN>"), "<FN:Arial>aa word bb</FN>"},
        {"Arial off inside Times leaves Times", "<FN:Times>aa <FN:Arial>word</FN> bb</FN>",
         Toggle(3, 7, "<FN:Arial>", "</FN>"), "<FN:Times>aa word bb</FN>"},
        {"a font on a word replaces the one it shows", "<FN:A>word</FN>", Toggle(0, 4, "<FN:B>", "</FN>"),
         "<FN:B>word</FN>"},
        {"fonts reopened after the range in their order", "x<FN:A>y<FN:B>zw</FN>v</FN>",
         Toggle(0, 3, "<FN:C>", "</FN>"), "<FN:C>xyz</FN><FN:A><FN:B>w</FN>v</FN>"},
        {"sizes reopened after the range in their order", "x<FS:1000>y<FS:2000>zw</FS>v</FS>",
         Toggle(0, 3, "<FS:3000>", "</FS>"), "<FS:3000>xyz</FS><FS:1000><FS:2000>w</FS>v</FS>"},
        {"colours reopened after the range in their order", "x<FC:111111>y<FC:222222>zw</FC>v</FC>",
         Color(0, 3, 0xFF333333), "<FC:333333>xyz</FC><FC:111111><FC:222222>w</FC>v</FC>"},
        {"taking bold away would join <c> into a tag", "<B><c</B>>", Toggle(0, 3), "<B><c</B>>"},
        {"a font that would make a tag", "<FN:A><c</FN>>", Toggle(0, 3, "<FN:A>", "</FN>"), "<FN:A><c</FN>>"},
        {"a size that would make a tag", "<FS:1000><c</FS>>", Toggle(0, 3, "<FS:2000>", "</FS>"),
         "<FS:1000><c</FS>>"},
        {"size 4 mm", "abc", Toggle(1, 3, "<FS:4000>", "</FS>"), "a<FS:4000>bc</FS>"},
        {"colour 1A2B3C", "abc", Color(0, 2, 0xFF1A2B3C), "<FC:1A2B3C>ab</FC>c"},
        {"a red word recoloured", "<FC:FF0000>ab</FC>c", Color(0, 2, 0xFF445566), "<FC:445566>ab</FC>c"},
        {"one letter of a red word recoloured", "<FC:FF0000>abc</FC>", Color(1, 2, 0xFF445566),
         "<FC:FF0000>a<FC:445566>b</FC>c</FC>"},
        {"the same colour again", "<FC:112233>ab</FC>c", Color(0, 2, 0xFF112233), "<FC:112233>ab</FC>c"},
        {"a colour that would make a tag", "<FC:112233><c</FC>>", Color(0, 3, 0xFF445566), "<FC:112233><c</FC>>"},
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
        {"alignments reopened after the paragraph in their order", "<L>ab<C>cd<BR>ef</C>gh</L>", Align(1, 2),
         "<R>abcd</R><L><C><BR>ef</C>gh</L>"},
        {"alignment that would join < and C> into a tag", "x <<R>C> y</R>", Align(1, 1), "x <<R>C> y</R>"},
        {"alignment of an empty text", "", Align(0, 1), ""},
        {"backspace after Hello keeps World bold", "Hello <B>World</B>", Replace(5, 6, ""), "Hello<B>World</B>"},
        {"typing joins the span at the caret", "a<B>b</B>", Replace(2, 2, "c"), "a<B>bc</B>"},
        {"typing across a break", "ab<BR>cd", Replace(3, 3, "x"), "ab<BR>xcd"},
        {"line break over a selection", "abcd", Replace(1, 3, "\n"), "a<BR>d"},
        {"line break over a tag keeps the pair balanced", "ab<B>cd</B>", Replace(1, 3, "\n"), "a<B><BR>d</B>"},
        {"a pair inside the range goes with it", "a<B>b</B>c", Replace(0, 3, "\n"), "<BR>"},
        {"a character typed over itself is done", "abc", Replace(1, 2, "b"), "abc", true},
        {"typing a tag at once is refused", "ab", Replace(1, 1, "<B>"), "ab"},
        {"typing a line-break tag is refused", "ab", Replace(1, 1, "<BR>"), "ab"},
        {"typing a font tag is refused", "ab", Replace(2, 2, "<FN:Arial>"), "ab"},
        {"deleting a break", "ab<BR>cd", Replace(2, 3, ""), "abcd"},
        {"typing cannot make a tag", "<", Replace(1, 1, "B>"), "<"},
        {"deleting cannot make a tag", "<xB>", Replace(1, 2, ""), "<xB>"},
    };
    for (const Row& row : rows) {
        QString markup = row.Before;
        const bool changed = row.Edit(markup);
        EXPECT_EQ(markup, row.After) << row.Name;
        EXPECT_EQ(changed, row.Answer.value_or(row.Before != row.After)) << row.Name;
        EXPECT_TRUE(RichMarkupBalanced(markup)) << row.Name << ": " << markup.toStdString();
    }
}

// Mark-up written by hand: closing tags with no pair open (the reader passes
// over them) and pairs never closed (they hold the rest of the text). An edit
// formats its whole range as the reader then shows it, or answers false and
// leaves the text; it never leaves a tag more without its partner. Each mask
// tells, per plain character after the edit, whether it shows what the edit
// put ('x'), does not ('.'), or is a line break (' ').
TEST(RichTextFormat, EditsOnHandWrittenMarkupDoAllOrNothing)
{
    const auto bold = [](const TRichShown& s) { return s.Format.Bold; };
    const auto italic = [](const TRichShown& s) { return s.Format.Italic; };
    const auto underline = [](const TRichShown& s) { return s.Format.Underline; };
    const auto fontA = [](const TRichShown& s) { return s.Format.FontName == "A"; };
    const auto size4 = [](const TRichShown& s) { return s.Format.FontHeight == 4000; };
    const auto colour = [](const TRichShown& s) { return s.Format.Color == 0xFF445566; };
    const auto left = [](const TRichShown& s) { return s.HasAlign && s.Align == TKVRHorzAlign::Left; };
    const auto right = [](const TRichShown& s) { return s.HasAlign && s.Align == TKVRHorzAlign::Right; };
    const struct
    {
        const char* Name;
        QString Before;
        std::function<bool(QString&)> Edit;
        QString After;
        std::function<bool(const TRichShown&)> Shows;
        const char* Mask;
    } rows[] = {
        {"bold over a stray closer", "a</B>b", Toggle(0, 2), "<B>ab</B>", bold, "xx"},
        {"bold over blanks and a stray closer", "  </B>a", Toggle(0, 3), "<B>  a</B>", bold, "xxx"},
        {"a stray closer after the range stays", "a</B>b", Toggle(0, 1), "<B>a</B></B>b", bold, "x."},
        {"a stray closer of another kind stays", "a</I>b", Toggle(0, 2), "<B>a</I>b</B>", bold, "xx"},
        {"italic over a lower-case stray closer", "a</i>bc", Toggle(0, 3, "<I>", "</I>"), "<I>abc</I>", italic, "xxx"},
        {"underline over a pair and a stray closer", "x<U>a</U>b</U>c", Toggle(0, 4, "<U>", "</U>"), "<U>xabc</U>",
         underline, "xxxx"},
        {"bold off the start of an unclosed bold", "<B>abc", Toggle(0, 1), "a<B>bc", bold, ".xx"},
        {"bold before an unclosed bold", "a<B>bc", Toggle(0, 1), "<B>a</B><B>bc", bold, "xxx"},
        {"bold over the end of a pair and a stray closer", "<B>ab</B></B>cd", Toggle(1, 3), "<B>a</B><B>bc</B>d",
         bold, "xxx."},
        {"font over a stray closer", "a</FN>b", Toggle(0, 2, "<FN:A>", "</FN>"), "<FN:A>ab</FN>", fontA, "xx"},
        {"font inside an unclosed font", "<FN:Times>abc", Toggle(1, 2, "<FN:A>", "</FN>"),
         "<FN:Times>a<FN:A>b</FN>c", fontA, ".x."},
        {"font off the start of an unclosed font", "<FN:A>abc", Toggle(0, 1, "<FN:A>", "</FN>"), "a<FN:A>bc", fontA,
         ".xx"},
        {"size over a stray closer", "a</FS>b", Toggle(0, 2, "<FS:4000>", "</FS>"), "<FS:4000>ab</FS>", size4, "xx"},
        {"colour over a stray closer", "a</FC>b", Color(0, 2, 0xFF445566), "<FC:445566>ab</FC>", colour, "xx"},
        {"colour over a pair and a stray closer", "<FC:FF0000>a</FC>b</FC>c", Color(0, 3, 0xFF445566),
         "<FC:445566>abc</FC>", colour, "xxx"},
        {"colour inside an unclosed colour", "<FC:FF0000>abc", Color(1, 2, 0xFF445566),
         "<FC:FF0000>a<FC:445566>b</FC>c", colour, ".x."},
        {"right over a stray closer", "a</R>b", Align(0, 2), "<R>ab</R>", right, "xx"},
        {"right over a stray closer before a break", "a</R><BR>b", Align(0, 2), "<R>a</R><BR>b", right, "x ."},
        {"right on the first paragraph of an unclosed centre", "<C>ab<BR>cd", Align(0, 2), "<R>ab</R><C><BR>cd",
         right, "xx .."},
        {"right on the second paragraph of an unclosed centre", "<C>ab<BR>cd", Align(4, 2), "<C>ab<BR></C><R>cd</R>",
         right, ".. xx"},
        {"right before alignments opened for the next paragraph", "ab<C><R></I><BR>cd", Align(0, 2),
         "<R>ab</R><C><R></I><BR>cd", right, "xx xx"},
        {"left over a stray closer, before an unclosed left", ":a</L><L></R><BR>b", Align(0, 0),
         "<L>:a</L><L></R><BR>b", left, "xx x"},
        {"a stray closer holding a tag apart stays: bold refused", "<</B>B>x", Toggle(0, 4), "<</B>B>x", bold, "...."},
        {"a stray closer holding a tag apart stays: alignment refused", "<</R>R>x", Align(0, 2), "<</R>R>x", right,
         "...."},
    };
    for (const auto& row : rows) {
        QString markup = row.Before;
        const bool changed = row.Edit(markup);
        EXPECT_EQ(markup.toStdString(), row.After.toStdString()) << row.Name;
        EXPECT_EQ(changed, row.Before != row.After) << row.Name;
        EXPECT_LE(RichMarkupUnmatched(markup), RichMarkupUnmatched(row.Before)) << row.Name;
        const std::vector<TRichShown> shown = RichShownOf(markup);
        QString mask;
        for (const TRichShown& s : shown)
            mask += s.Break ? u' ' : row.Shows(s) ? u'x' : u'.';
        EXPECT_EQ(mask.toStdString(), row.Mask) << row.Name << ": " << markup.toStdString();
    }
}
