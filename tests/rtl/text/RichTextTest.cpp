#include "platform/rtl/text/KVR.RichText.h"
#include <gtest/gtest.h>

namespace {

TRichTextFormat Base(int32_t height = 6000)
{
    TRichTextFormat f;
    f.FontName = QStringLiteral("Arial");
    f.FontHeight = height;
    f.Color = 0xFF102030u;
    return f;
}

struct TParsed
{
    TRichTextFormats Formats;
    TRichTextRuns Runs;
    const TRichTextFormat& Format(size_t run) const { return Formats.at(size_t(Runs.at(run).FormatIndex)); }
};

TParsed Parse(const QString& markup, const TRichTextFormat& base = Base(), bool share = true)
{
    TParsed p;
    ParseRichTextInto(markup, base, p.Formats, p.Runs, share);
    for (const TRichTextParsedSegment& r : p.Runs) {
        EXPECT_GE(r.FormatIndex, 0);
        EXPECT_LT(size_t(r.FormatIndex), p.Formats.size());
    }
    return p;
}

// 1000 micrometres a character, blanks included: layouts that need no font.
int32_t Mono(const QString& text, const TRichTextFormat&)
{
    return int32_t(text.size()) * 1000;
}

TRichTextDrawSegments Layout(const QString& markup, int64_t w, int64_t h = 0, float scale = 1.0f,
                             TKVRHorzAlign align = TKVRHorzAlign::Left, const TRichTextFormat& base = Base())
{
    const TParsed p = Parse(markup, base);
    TRichTextDrawSegments segs;
    CalcPrintLayout(p.Runs, p.Formats, segs, w, h, base.FontHeight, scale, align, Mono);
    return segs;
}

QStringList Texts(const TRichTextDrawSegments& segs)
{
    QStringList t;
    for (const TRichTextDrawSegment& s : segs)
        t << s.Text;
    return t;
}

struct TAt
{
    int32_t Index = -1;
    int32_t Offset = -1;
    bool operator==(const TAt&) const = default;
};
std::ostream& operator<<(std::ostream& os, const TAt& a)
{
    return os << "(" << a.Index << ", " << a.Offset << ")";
}
TAt At(const TRichTextDrawSegments& segs, int32_t pos)
{
    TAt a;
    EXPECT_TRUE(GetSegmentAtPlainPos(segs, pos, a.Index, a.Offset)) << "position " << pos;
    return a;
}

}  // namespace

// ---- Mark-up -------------------------------------------------------------

TEST(RichTextMarkup, PairsNestPerKindAndOverlapSafely)
{
    const TParsed p = Parse(QStringLiteral("<B>a<I>b</I>c</B>d"));
    ASSERT_EQ(p.Runs.size(), 4u);
    EXPECT_EQ(p.Runs[0].Text, "a");
    EXPECT_TRUE(p.Format(0).Bold && !p.Format(0).Italic);
    EXPECT_TRUE(p.Format(1).Bold && p.Format(1).Italic);
    EXPECT_EQ(p.Runs[2].FormatIndex, p.Runs[0].FormatIndex);  // equal formats share one entry
    EXPECT_NE(Parse(QStringLiteral("<B>a<I>b</I>c</B>d"), Base(), false).Runs[2].FormatIndex, p.Runs[0].FormatIndex);
    EXPECT_EQ(p.Runs[3].FormatIndex, 0);                      // outside every tag: the base format
    EXPECT_EQ(p.Format(3), Base());

    const TParsed s = Parse(QStringLiteral("<FS:4000>x<FS:8000>y</FS>z</FS>w"));
    ASSERT_EQ(s.Runs.size(), 4u);
    EXPECT_EQ(s.Format(0).FontHeight, 4000);
    EXPECT_EQ(s.Format(1).FontHeight, 8000);
    EXPECT_EQ(s.Format(2).FontHeight, 4000);
    EXPECT_EQ(s.Format(3).FontHeight, 6000);

    const TParsed n = Parse(QStringLiteral("<FN:Times New Roman><FC:FF0000>a<FN:Courier New><FC:00FF00>b</FC></FN>c</FC></FN>"));
    ASSERT_EQ(n.Runs.size(), 3u);
    EXPECT_EQ(n.Format(0).FontName, "Times New Roman");
    EXPECT_EQ(n.Format(0).Color, 0xFFFF0000u);
    EXPECT_EQ(n.Format(1).FontName, "Courier New");
    EXPECT_EQ(n.Format(1).Color, 0xFF00FF00u);
    EXPECT_EQ(n.Format(2), n.Format(0));

    // Overlapping pairs: each closing tag ends its own kind.
    const TParsed o = Parse(QStringLiteral("<B>a<I>b</B>c</I>d"));
    ASSERT_EQ(o.Runs.size(), 4u);
    EXPECT_TRUE(o.Format(2).Italic);
    EXPECT_FALSE(o.Format(2).Bold);
    EXPECT_EQ(o.Runs[3].FormatIndex, 0);

    const TParsed a = Parse(QStringLiteral("<C>a<R>b</R>c</C>d<L>e</L>"));
    ASSERT_EQ(a.Runs.size(), 5u);
    EXPECT_EQ(a.Runs[0].Align, TKVRHorzAlign::Center);
    EXPECT_EQ(a.Runs[1].Align, TKVRHorzAlign::Right);
    EXPECT_EQ(a.Runs[2].Align, TKVRHorzAlign::Center);
    EXPECT_FALSE(a.Runs[3].HasAlign);
    EXPECT_TRUE(a.Runs[4].HasAlign);
    EXPECT_EQ(a.Runs[4].Align, TKVRHorzAlign::Left);

    // A run ends only where format or alignment changes: empty pairs leave no trace.
    const TParsed e = Parse(QStringLiteral("ab<B></B>cd<I> </I>"));
    ASSERT_EQ(e.Runs.size(), 2u);
    EXPECT_EQ(e.Runs[0].Text, "abcd");
    EXPECT_EQ(e.Runs[1].Text, " ");
}

// Thousands of formats, each used twice: shared ones get one entry each and
// the base stays entry 0; unshared ones one per run. Each run's format was
// once searched for among all the formats before it.
TEST(RichTextMarkup, ManyFormatsShareByValue)
{
    constexpr int kSizes = 20000;
    QString markup = QStringLiteral("plain ");
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 1; i <= kSizes; ++i)
            markup += QStringLiteral("<FS:%1>%2</FS><B>b</B>").arg(100000 + i).arg(QChar(u'a' + pass));
    markup += QStringLiteral(" plain");
    // Runs: "plain ", then a sized run and a bold one per size and pass, then " plain".
    const TParsed shared = Parse(markup);
    ASSERT_EQ(shared.Runs.size(), size_t(4 * kSizes + 2));
    ASSERT_EQ(shared.Formats.size(), size_t(kSizes + 2));  // the base, the sizes and bold
    EXPECT_EQ(shared.Formats.front(), Base());
    EXPECT_EQ(shared.Runs.front().FormatIndex, 0);
    EXPECT_EQ(shared.Runs.back().FormatIndex, 0);
    const int32_t bold = shared.Runs[2].FormatIndex;
    EXPECT_TRUE(shared.Formats[size_t(bold)].Bold);
    for (int i = 0; i < kSizes; ++i) {
        const size_t first = size_t(1 + 2 * i), second = first + size_t(2 * kSizes);
        ASSERT_EQ(shared.Format(first).FontHeight, 100001 + i);
        ASSERT_EQ(shared.Runs[first].FormatIndex, shared.Runs[second].FormatIndex) << i;
        ASSERT_EQ(shared.Runs[first + 1].FormatIndex, bold) << i;
    }
    const TParsed own = Parse(markup, Base(), false);
    EXPECT_EQ(own.Formats.size(), size_t(4 * kSizes + 3));  // the base, then one per run
}

TEST(RichTextMarkup, TagsInAnyLetterCase)
{
    const QString m = QStringLiteral("<b>a</B><i>b</I><u>c</u><fn:Arial Black>d</Fn><fs:5000>e</fS><fc:1a2b3C>f</fc><c>g</C><Br>h");
    EXPECT_EQ(GetPlainText(m), "abcdefg\nh");
    const TParsed p = Parse(m);
    ASSERT_EQ(p.Runs.size(), 8u);
    EXPECT_TRUE(p.Format(0).Bold);
    EXPECT_TRUE(p.Format(1).Italic);
    EXPECT_TRUE(p.Format(2).Underline);
    EXPECT_EQ(p.Format(3).FontName, "Arial Black");
    EXPECT_EQ(p.Format(4).FontHeight, 5000);
    EXPECT_EQ(p.Format(5).Color, 0xFF1A2B3Cu);
    EXPECT_EQ(p.Runs[6].Align, TKVRHorzAlign::Center);
    EXPECT_TRUE(p.Runs[6].BreakAfter);
    EXPECT_EQ(p.Runs[7].Text, "h");
}

TEST(RichTextMarkup, LineBreakIsOnePlainCharacter)
{
    const QString m = QStringLiteral("a<BR>b");
    EXPECT_EQ(GetPlainText(m), "a\nb");
    EXPECT_EQ(PlainPosToRichPos(m, 1), 1);  // before the break
    EXPECT_EQ(PlainPosToRichPos(m, 2), 5);  // after it
    EXPECT_EQ(PlainPosToRichPos(m, 3), 6);
    EXPECT_EQ(RichPosToPlainPos(m, 5), 2);
    EXPECT_EQ(RichPosToPlainPos(m, 3), 1);  // inside the tag: counts up to it

    // Consecutive breaks get a run each, in the format at the break.
    const TParsed p = Parse(QStringLiteral("<FS:8000><BR></FS><BR>x<BR>"));
    ASSERT_EQ(p.Runs.size(), 3u);
    EXPECT_TRUE(p.Runs[0].Text.isEmpty() && p.Runs[0].BreakAfter);
    EXPECT_EQ(p.Format(0).FontHeight, 8000);
    EXPECT_TRUE(p.Runs[1].Text.isEmpty() && p.Runs[1].BreakAfter);
    EXPECT_EQ(p.Format(1).FontHeight, 6000);
    EXPECT_EQ(p.Runs[2].Text, "x");
    EXPECT_TRUE(p.Runs[2].BreakAfter);
    EXPECT_EQ(GetPlainText(QStringLiteral("<FS:8000><BR></FS><BR>x<BR>")), "\n\nx\n");
}

TEST(RichTextMarkup, UnknownAndBrokenTagsStayText)
{
    struct Case { QString Markup; QString Plain; };
    const Case cases[] = {
        {"a < b", "a < b"},
        {"<X>y</X>", "<X>y</X>"},
        {"<FS:abc>x</FS>", "<FS:abc>x"},  // a closing tag without its pair is dropped
        {"<B>x<B", "x<B"},
        {"a<>b", "a<>b"},
        {"<FC:12345>x", "<FC:12345>x"},
        {"<FC:GG0000>x", "<FC:GG0000>x"},
        {"<FS:0>x", "<FS:0>x"},
        {"<FS:99999999999>x", "<FS:99999999999>x"},
        {"<FN:>x", "<FN:>x"},
        {"<B >x", "<B >x"},
        {"<BR/>x", "<BR/>x"},
        {"<<B>x", "<x"},
        {"<FN:a<B>b", "<FN:ab"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Markup.toStdString());
        EXPECT_EQ(GetPlainText(c.Markup), c.Plain);
        const TParsed p = Parse(c.Markup);
        QString joined;
        for (const TRichTextParsedSegment& r : p.Runs)
            joined += r.Text;
        EXPECT_EQ(joined, c.Plain);
        for (int32_t i = 0; i <= c.Plain.size(); ++i)
            EXPECT_EQ(RichPosToPlainPos(c.Markup, PlainPosToRichPos(c.Markup, i)), i);
    }
    // The text of a broken tag keeps the format around it; a real tag after it still counts.
    const TParsed p = Parse(QStringLiteral("<B>x<B"));
    ASSERT_EQ(p.Runs.size(), 1u);
    EXPECT_TRUE(p.Format(0).Bold);
    const TParsed q = Parse(QStringLiteral("<FN:a<B>b"));
    ASSERT_EQ(q.Runs.size(), 2u);
    EXPECT_EQ(q.Runs[0].Text, "<FN:a");
    EXPECT_TRUE(q.Format(1).Bold);
    EXPECT_EQ(q.Format(1).FontName, "Arial");
}

TEST(RichTextMarkup, TagWritersRoundTripThroughTheParser)
{
    EXPECT_EQ(RichTextColorTag(0xFF1A2B3Cu), "<FC:1A2B3C>");
    EXPECT_EQ(RichTextColorTag(0x00000A0Bu), "<FC:000A0B>");
    EXPECT_EQ(RichTextSizeTag(4000), "<FS:4000>");
    EXPECT_EQ(RichTextFontNameTag(QStringLiteral("Liberation Serif")), "<FN:Liberation Serif>");
    EXPECT_EQ(RichTextFontNameTag(QStringLiteral("Odd<Name>")), "<FN:OddName>");

    const QString m = RichTextColorTag(0x801A2B3Cu) + "a" + RichTextSizeTag(12500) + "b</FS></FC>" +
                      RichTextFontNameTag(QStringLiteral("Liberation Serif")) + "c</FN>";
    const TParsed p = Parse(m);
    ASSERT_EQ(p.Runs.size(), 3u);
    EXPECT_EQ(p.Format(0).Color, 0xFF1A2B3Cu);  // alpha is not written: read back opaque
    EXPECT_EQ(p.Format(1).FontHeight, 12500);
    EXPECT_EQ(p.Format(2).FontName, "Liberation Serif");
    EXPECT_EQ(GetPlainText(m), "abc");
}

// What the editor does with the mapping: place pairs at a selection's ends,
// type at the caret, find the pair it wrapped before.
TEST(RichTextMarkup, EditorPositionsRoundTrip)
{
    const QString m = QStringLiteral("<C>ab<B>cd</B><I>e</I><BR><FC:00FF00>f</FC></C>g<FS:9000>h</FS>");
    const QString plain = GetPlainText(m);
    ASSERT_EQ(plain, "abcde\nfgh");
    int32_t last = -1;
    for (int32_t i = 0; i <= plain.size(); ++i) {
        const int32_t r = PlainPosToRichPos(m, i);
        EXPECT_GT(r, last);
        last = r;
        EXPECT_EQ(RichPosToPlainPos(m, r), i);
        EXPECT_EQ(GetPlainText(m.left(r)), plain.left(i));
        // Typing puts the character at the plain position.
        const QString typed = m.left(r) + u'Z' + m.mid(r);
        EXPECT_EQ(GetPlainText(typed), plain.left(i) + u'Z' + plain.mid(i));
    }
    EXPECT_EQ(PlainPosToRichPos(m, -3), 3);  // past the opening "<C>"
    EXPECT_EQ(PlainPosToRichPos(m, 99), m.size());
    EXPECT_EQ(RichPosToPlainPos(m, 999), plain.size());
    EXPECT_EQ(RichPosToPlainPos(m, -1), 0);

    // Wrapping any selection in a new pair makes exactly its characters underlined.
    for (int32_t s = 0; s < plain.size(); ++s) {
        for (int32_t e = s + 1; e <= plain.size(); ++e) {
            const int32_t r0 = PlainPosToRichPos(m, s), r1 = PlainPosToRichPos(m, e);
            const QString w = m.left(r0) + "<U>" + m.mid(r0, r1 - r0) + "</U>" + m.mid(r1);
            ASSERT_EQ(GetPlainText(w), plain);
            const TParsed p = Parse(w);
            int32_t pos = 0;
            for (size_t k = 0; k < p.Runs.size(); ++k) {
                for (qsizetype c = 0; c < p.Runs[k].Text.size(); ++c, ++pos)
                    EXPECT_EQ(p.Format(k).Underline, pos >= s && pos < e) << s << ".." << e << " at " << pos;
                pos += p.Runs[k].BreakAfter ? 1 : 0;
            }
            // The same selection maps back to just inside the new pair, so toggling finds it.
            EXPECT_TRUE(w.left(PlainPosToRichPos(w, s)).endsWith("<U>")) << s << ".." << e;
            EXPECT_TRUE(w.mid(PlainPosToRichPos(w, e)).startsWith("</U>")) << s << ".." << e;
        }
    }
}

// ---- Layout --------------------------------------------------------------

TEST(RichTextLayout, WrapsOnlyAtBlanks)
{
    EXPECT_TRUE(Layout(QString(), 5000).empty());

    TRichTextDrawSegments s = Layout(QStringLiteral("A B"), 3000);
    ASSERT_EQ(Texts(s), QStringList({"A", " ", "B"}));
    EXPECT_EQ(s[2].X, 2000);
    EXPECT_EQ(s[2].Y, 0);

    s = Layout(QStringLiteral("A B"), 2000);
    ASSERT_EQ(Texts(s), QStringList({"A", "B"}));
    EXPECT_EQ(s[1].X, 0);
    EXPECT_EQ(s[1].Y, 6000);

    // A word made of two runs is never broken between them.
    s = Layout(QStringLiteral("ab<B>cd</B> e"), 3000);
    ASSERT_EQ(Texts(s), QStringList({"ab", "cd", "e"}));
    EXPECT_EQ(s[1].Y, 0);
    EXPECT_EQ(s[1].X, 2000);
    EXPECT_EQ(s[2].Y, 6000);

    // Several blanks give one blank segment; leading and trailing ones none.
    s = Layout(QStringLiteral("  A   B  "), 50000);
    ASSERT_EQ(Texts(s), QStringList({"A", " ", "B"}));
    EXPECT_EQ(s[2].X, 2000);

    // A blank that ends one run is placed with the next run's word and takes
    // that run's format: an underline or size stops at its own words.
    struct BlankCase
    {
        const char* markup;
        QStringList texts;
        size_t blank;      // the blank segment carried over
        bool underlined;   // its format
        int32_t height;
    };
    const BlankCase blanks[] = {
        {"A <U><FS:9000>B</FS></U>", {"A", " ", "B"}, 1, true, 9000},
        {"Top <U>under </U>next", {"Top", " ", "under", " ", "next"}, 3, false, 6000},
        {"<U>x </U><U>y</U>", {"x", " ", "y"}, 1, true, 6000},
    };
    for (const BlankCase& c : blanks) {
        const TParsed p = Parse(QString::fromUtf8(c.markup));
        TRichTextDrawSegments u;
        CalcPrintLayout(p.Runs, p.Formats, u, 50000, 0, 6000, 1.0f, TKVRHorzAlign::Left, Mono);
        ASSERT_EQ(Texts(u), c.texts) << c.markup;
        const TRichTextDrawSegment& b = u[c.blank];
        EXPECT_EQ(p.Formats[size_t(b.FormatIndex)].Underline, c.underlined) << c.markup;
        EXPECT_EQ(b.Height, c.height) << c.markup;
        // The blank's format is the one of the word after it.
        EXPECT_EQ(b.FormatIndex, u[c.blank + 1].FormatIndex) << c.markup;
    }
}

TEST(RichTextLayout, AlignsEachLine)
{
    EXPECT_EQ(Layout(QStringLiteral("<C>ab</C>"), 5000)[0].X, 1500);
    EXPECT_EQ(Layout(QStringLiteral("<C>abcd</C>"), 5001)[0].X, 500);  // div truncates
    EXPECT_EQ(Layout(QStringLiteral("<R>ab</R>"), 5000)[0].X, 3000);
    EXPECT_EQ(Layout(QStringLiteral("<C>abcdefg</C>"), 5000)[0].X, 0);
    EXPECT_EQ(Layout(QStringLiteral("<R>abcdefg</R>"), 5000)[0].X, 0);
    // Text outside alignment tags follows the layout's alignment; "<L>" still means left.
    EXPECT_EQ(Layout(QStringLiteral("ab"), 5000, 0, 1.0f, TKVRHorzAlign::Right)[0].X, 3000);
    const TRichTextDrawSegments s = Layout(QStringLiteral("<L>ab</L><BR>cd"), 5000, 0, 1.0f, TKVRHorzAlign::Center);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].X, 0);
    EXPECT_EQ(s[0].Align, TKVRHorzAlign::Left);
    EXPECT_EQ(s[1].X, 1500);
    EXPECT_EQ(s[1].Align, TKVRHorzAlign::Center);

    // A line whose runs disagree follows its first segment, whatever run ends it.
    struct MixCase
    {
        const char* markup;
        int64_t firstX;  // width 10000: "aaa bbb" is 7000 wide
    };
    const MixCase mixes[] = {
        {"<L>aaa </L><R>bbb</R>", 0},
        {"<R>aaa </R><L>bbb</L>", 3000},
        {"<C>aaa </C><R>bbb</R>", 1500},
        {"<L>aaa</L> <R>bbb</R>", 0},
    };
    for (const MixCase& m : mixes) {
        const TRichTextDrawSegments t = Layout(QString::fromUtf8(m.markup), 10000);
        ASSERT_EQ(Texts(t), QStringList({"aaa", " ", "bbb"})) << m.markup;
        EXPECT_EQ(t[0].X, m.firstX) << m.markup;
        EXPECT_EQ(t[2].X, m.firstX + 4000) << m.markup;
    }
    // A wrapped line starts with the run that carries on: its own alignment.
    const TRichTextDrawSegments w = Layout(QStringLiteral("<L>aaa </L><R>bbb</R>"), 5000);
    ASSERT_EQ(Texts(w), QStringList({"aaa", "bbb"}));
    EXPECT_EQ(w[0].X, 0);
    EXPECT_EQ(w[1].X, 2000);
}

TEST(RichTextLayout, LineHeightsGapsAndRoom)
{
    // Runs of 4 and 8 mm on one line: the next line starts 8 mm lower.
    TRichTextDrawSegments s = Layout(QStringLiteral("<FS:4000>a</FS> <FS:8000>b</FS><BR>c"), 50000);
    ASSERT_EQ(Texts(s), QStringList({"a", " ", "b", "c"}));
    EXPECT_TRUE(s[2].LineEnd);
    EXPECT_EQ(s[3].Y, 8000);

    // A further break adds only the gap.
    const QString twoBreaks = QStringLiteral("<FS:4000>A<BR><BR>B</FS>");
    s = Layout(twoBreaks, 50000, 0, 1.0f);
    ASSERT_EQ(Texts(s), QStringList({"A", "B"}));
    EXPECT_EQ(s[1].Y, 4000);
    s = Layout(twoBreaks, 50000, 0, 1.5f);  // base font 6000: gap 3000
    EXPECT_EQ(s[1].Y, 10000);

    // A first empty line keeps a placeholder of the run's height.
    s = Layout(QStringLiteral("<FS:5000><BR></FS>A"), 50000);
    ASSERT_EQ(Texts(s), QStringList({"", "A"}));
    EXPECT_TRUE(s[0].LineEnd);
    EXPECT_EQ(s[0].Width, 0);
    EXPECT_EQ(s[0].Height, 5000);
    EXPECT_EQ(s[1].Y, 5000);

    // A box too low for the second line keeps only the first.
    s = Layout(QStringLiteral("A<BR>B C"), 50000, 9000);
    EXPECT_EQ(Texts(s), QStringList({"A"}));
    s = Layout(QStringLiteral("A B C"), 2000, 9000);
    EXPECT_EQ(Texts(s), QStringList({"A"}));
    s = Layout(QStringLiteral("A B C"), 2000, 12000);
    EXPECT_EQ(Texts(s), QStringList({"A", "B"}));
}

TEST(RichTextLayout, FormatIndexOutsideTheFormatsIsSafe)
{
    TRichTextFormats formats{Base(4000)};
    TRichTextRuns runs(3);
    runs[0].Text = QStringLiteral("ab");
    runs[0].FormatIndex = 7;
    runs[1].Text = QStringLiteral(" cd");
    runs[1].FormatIndex = -3;
    runs[2].Text = QStringLiteral(" ef");
    runs[2].FormatIndex = 0;
    runs[2].Align = TKVRHorzAlign(9);  // not an alignment: left
    runs[2].HasAlign = true;
    TRichTextDrawSegments segs;
    std::vector<int32_t> heights;
    const TKVRMeasureTextFunc measure = [&](const QString& t, const TRichTextFormat& f) {
        heights.push_back(f.FontHeight);
        return Mono(t, f);
    };
    CalcPrintLayout(runs, formats, segs, 50000, 0, 4000, 1.0f, TKVRHorzAlign::Left, measure);
    ASSERT_EQ(Texts(segs), QStringList({"ab", " ", "cd", " ", "ef"}));
    for (const TRichTextDrawSegment& s : segs) {
        EXPECT_EQ(s.FormatIndex, 0);
        EXPECT_EQ(s.Height, 4000);
        EXPECT_EQ(s.Align, TKVRHorzAlign::Left);
    }
    for (int32_t h : heights)
        EXPECT_EQ(h, 4000);

    // No formats, no measure: nothing to lay out, and no crash.
    CalcPrintLayout(runs, TRichTextFormats{}, segs, 50000, 0, 4000, 1.0f, TKVRHorzAlign::Left, Mono);
    EXPECT_TRUE(segs.empty());
    CalcPrintLayout(runs, formats, segs, 50000, 0, 4000, 1.0f, TKVRHorzAlign::Left, TKVRMeasureTextFunc{});
    EXPECT_TRUE(segs.empty());
    // A negative width from the measure counts as none.
    CalcPrintLayout(runs, formats, segs, 50000, 0, 4000, 1.0f, TKVRHorzAlign::Left,
                    [](const QString&, const TRichTextFormat&) { return -500; });
    ASSERT_FALSE(segs.empty());
    for (const TRichTextDrawSegment& s : segs)
        EXPECT_EQ(s.X, 0);
}

// ---- Positions -----------------------------------------------------------

TEST(RichTextPositions, SegmentBorders)
{
    int32_t i = 0, o = 0;
    EXPECT_FALSE(GetSegmentAtPlainPos({}, 0, i, o));

    // "ab cd" <BR> "ef": ab[0,2) blank[2,3) cd[3,5) break at 5, ef[6,8)
    TRichTextDrawSegments s = Layout(QStringLiteral("ab c<B>d</B><BR>ef"), 50000);
    ASSERT_EQ(Texts(s), QStringList({"ab", " ", "c", "d", "ef"}));
    EXPECT_FALSE(GetSegmentAtPlainPos(s, -1, i, o));
    // Where a segment ends and the next begins, the next takes it; 5 is the end
    // of line 1 before the break, 6 the start of line 2.
    const std::pair<int32_t, TAt> borders[] = {{0, {0, 0}}, {1, {0, 1}}, {2, {1, 0}}, {3, {2, 0}}, {4, {3, 0}},
                                               {5, {3, 1}}, {6, {4, 0}}, {8, {4, 2}}, {20, {4, 2}}};
    for (const auto& [pos, at] : borders)
        EXPECT_EQ(At(s, pos), at) << pos;

    // Wrapped at a blank: the blank belongs to the end of line 1.
    s = Layout(QStringLiteral("ab cd"), 3000);
    ASSERT_EQ(Texts(s), QStringList({"ab", "cd"}));
    EXPECT_EQ(At(s, 2), (TAt{0, 2}));
    EXPECT_EQ(At(s, 3), (TAt{1, 0}));
    EXPECT_EQ(GetPlainPosAtSegment(s, 0, 2), 2);
    EXPECT_EQ(GetPlainPosAtSegment(s, 1, 0), 3);

    // Folded blanks: inside them is after the blank segment, whose end is the next word.
    s = Layout(QStringLiteral("a   b"), 50000);
    ASSERT_EQ(Texts(s), QStringList({"a", " ", "b"}));
    EXPECT_EQ(At(s, 1), (TAt{1, 0}));
    EXPECT_EQ(At(s, 2), (TAt{1, 1}));
    EXPECT_EQ(At(s, 3), (TAt{1, 1}));
    EXPECT_EQ(At(s, 4), (TAt{2, 0}));
    EXPECT_EQ(GetPlainPosAtSegment(s, 1, 1), 4);
    EXPECT_EQ(GetPlainPosAtSegment(s, 1, 0), 1);
    EXPECT_EQ(GetPlainPosAtSegment(s, 9, 9), 5);   // clamped to the last segment's end
    EXPECT_EQ(GetPlainPosAtSegment(s, -1, -1), 0);

    // Leading blanks go to the first word; blanks before a break to the line's end.
    s = Layout(QStringLiteral("  a  <BR>  b"), 50000);
    ASSERT_EQ(Texts(s), QStringList({"a", "b"}));
    EXPECT_EQ(At(s, 0), (TAt{0, 0}));
    EXPECT_EQ(At(s, 4), (TAt{0, 1}));
    EXPECT_EQ(At(s, 5), (TAt{0, 1}));  // the break itself
    EXPECT_EQ(At(s, 6), (TAt{1, 0}));
    EXPECT_EQ(At(s, 8), (TAt{1, 0}));

    // Two breaks: between them the caret goes to the next line's start.
    s = Layout(QStringLiteral("a<BR><BR>b"), 50000);
    EXPECT_EQ(At(s, 1), (TAt{0, 1}));
    EXPECT_EQ(At(s, 2), (TAt{1, 0}));
    EXPECT_EQ(At(s, 3), (TAt{1, 0}));

    // A final break: the last segment's end; a first empty line: its placeholder.
    s = Layout(QStringLiteral("a<BR>"), 50000);
    EXPECT_EQ(At(s, 2), (TAt{0, 1}));
    s = Layout(QStringLiteral("<BR>a"), 50000);
    EXPECT_EQ(At(s, 0), (TAt{0, 0}));
    EXPECT_EQ(At(s, 1), (TAt{1, 0}));
}

// Caret, selection and the editor's hit test share the mapping: every plain
// position has one place on the page, places move forward with the position,
// and a place turned back into a position lands on the same place.
TEST(RichTextPositions, OneMappingBothWays)
{
    const QString m = QStringLiteral("<C>Lorem  ipsum</C> dolor <B>sit</B>amet,<BR><BR>  con <FS:9000>sec</FS>tetur <R>adi pisc</R> elit ");
    const QString plain = GetPlainText(m);
    const TRichTextDrawSegments s = Layout(m, 12000);
    ASSERT_GT(s.size(), 8u);
    auto place = [&](int32_t index, int32_t offset) {
        const TRichTextDrawSegment& g = s[size_t(index)];
        return std::pair<int64_t, int64_t>(g.Y, g.X + 1000 * offset);
    };
    std::pair<int64_t, int64_t> before{-1, -1};
    for (int32_t p = 0; p <= plain.size(); ++p) {
        const TAt a = At(s, p);
        ASSERT_GE(a.Index, 0);
        ASSERT_LT(size_t(a.Index), s.size());
        ASSERT_GE(a.Offset, 0);
        ASSERT_LE(a.Offset, s[size_t(a.Index)].Text.size());
        const auto here = place(a.Index, a.Offset);
        EXPECT_TRUE(here.first > before.first || (here.first == before.first && here.second >= before.second)) << p;
        before = here;
    }
    for (int32_t i = 0; i < int32_t(s.size()); ++i) {
        for (int32_t k = 0; k <= s[size_t(i)].Text.size(); ++k) {
            const int32_t p = GetPlainPosAtSegment(s, i, k);
            const TAt a = At(s, p);
            if (k == s[size_t(i)].Text.size() && s[size_t(i)].Text == " " && size_t(i) + 1 < s.size() &&
                s[size_t(i) + 1].Y != s[size_t(i)].Y)
                continue;  // a blank that ends a line: its end is the next line's start
            EXPECT_EQ(place(a.Index, a.Offset), place(i, k)) << "segment " << i << " offset " << k;
        }
    }
    // Every plain character the layout shows is covered by exactly the segment that shows it.
    for (const TRichTextDrawSegment& g : s) {
        if (g.Text != " ") {
            EXPECT_EQ(plain.mid(g.PlainStart, g.Text.size()), g.Text);
        }
    }
}
