// In-place rich-text edits in random order: typing, deleting, line breaks,
// bold/italic/underline, fonts, sizes, colours and alignments at random
// ranges. After each edit the pairs are balanced, the plain text is what a
// model of the typing says, a refused edit changed nothing, and no character
// outside the edited range changed its format or alignment (but for blanks
// left alone in a bold, italic or underline pair, which the pair leaves).
#include "fuzz/support/FuzzTarget.h"
#include "platform/rtl/text/KVR.RichText.h"
#include "platform/rtl/text/KVR.RichTextEdit.h"
#include "tests/support/RichMarkupChecks.h"
#include <array>
#include <vector>

namespace {

// What a plain character shows: its format and its paragraph's alignment.
struct TShown
{
    TRichTextFormat Format;
    TKVRHorzAlign Align = TKVRHorzAlign::Left;
    bool HasAlign = false;
    bool Break = false;

    bool operator==(const TShown& o) const
    {
        return Break == o.Break && (Break || (Format == o.Format && Align == o.Align && HasAlign == o.HasAlign));
    }
};

std::vector<TShown> ShownOf(const QString& aMarkup)
{
    TRichTextFormat base;
    TRichTextFormats formats;
    TRichTextRuns runs;
    ParseRichTextInto(aMarkup, base, formats, runs, true);
    std::vector<TShown> shown;
    for (const TRichTextParsedSegment& run : runs) {
        const TShown s{formats[size_t(run.FormatIndex)], run.Align, run.HasAlign, false};
        shown.insert(shown.end(), size_t(run.Text.size()), s);
        if (run.BreakAfter)
            shown.push_back({base, TKVRHorzAlign::Left, false, true});
    }
    return shown;
}

// The same, but a blank may have lost bold, italic or underline: a pair the
// edit leaves holding nothing but blanks goes.
bool SameOrStyleDropped(const QChar aChar, const TShown& aOld, const TShown& aNew)
{
    if (aOld == aNew)
        return true;
    if (aChar != u' ')
        return false;
    TShown dropped = aOld;
    dropped.Format.Bold = dropped.Format.Bold && aNew.Format.Bold;
    dropped.Format.Italic = dropped.Format.Italic && aNew.Format.Italic;
    dropped.Format.Underline = dropped.Format.Underline && aNew.Format.Underline;
    return dropped == aNew;
}

// Characters outside [aFrom, aTo) of the old text show as they did; after a
// replacement, those after it stand aShift further on.
bool OutsideKept(const QString& aPlain, const std::vector<TShown>& aOld, const std::vector<TShown>& aNew,
                 int32_t aFrom, int32_t aTo, int32_t aShift)
{
    if (int64_t(aNew.size()) != int64_t(aOld.size()) + aShift)
        return false;
    for (int32_t p = 0; p < int32_t(aOld.size()); ++p) {
        if (p >= aFrom && p < aTo)
            continue;
        const int32_t q = p < aFrom ? p : p + aShift;
        if (!SameOrStyleDropped(aPlain.at(p), aOld[size_t(p)], aNew[size_t(q)]))
            return false;
    }
    return true;
}

const QString kAlphabet = QStringLiteral("<>/BICRLFNSU:ab \n");

} // namespace

KVR_FUZZ_TARGET(rich_text_edit)
{
    if (data.size() > 1024)
        return;
    qsizetype at = 0;
    const auto next = [&]() -> uint8_t { return at < data.size() ? uint8_t(data[at++]) : 0; };
    QString markup;
    QString model;  // the plain text the edits must leave
    while (at < data.size()) {
        const uint8_t op = next();
        const int32_t length = int32_t(model.size());
        int32_t lo = next() % (length + 1), hi = next() % (length + 1);
        if (lo > hi)
            std::swap(lo, hi);
        const QString before = markup, plainBefore = model;
        const std::vector<TShown> shown = ShownOf(markup);
        bool done = false;
        // The characters that may change their format: the range, and one
        // more each side where a toggle takes a whole pair it nearly covers.
        int32_t from = std::max(lo - 1, 0), to = hi + 1, shift = 0;
        bool style = false;
        TRichTextTagKind styleKind = TRichTextTagKind::Bold;
        switch (op % 8) {
        case 0:
        case 1:
        case 7: {
            // Typing (over the range), deleting it, or a line break.
            QString text;
            if (op % 8 == 0)
                for (int n = 1 + next() % 4; n > 0; --n)
                    text += kAlphabet.at(next() % kAlphabet.size());
            else if (op % 8 == 7)
                text = QStringLiteral("\n");
            done = ReplaceRichTextRange(markup, lo, hi, text);
            if (done)
                model = model.left(lo) + text + model.mid(hi);
            from = lo;
            to = hi;
            shift = int32_t(text.size()) - (hi - lo);
            break;
        }
        case 2: {
            static const std::array<std::pair<const char*, const char*>, 3> pairs = {
                {{"<B>", "</B>"}, {"<I>", "</I>"}, {"<U>", "</U>"}}};
            const size_t k = next() % 3;
            done = ToggleRichTextPair(markup, lo, hi, QString::fromUtf8(pairs[k].first),
                                      QString::fromUtf8(pairs[k].second));
            style = true;
            styleKind = TRichTextTagKind(k);
            break;
        }
        case 3: {
            static const std::array<const char*, 3> names = {"A", "Times", "Arial"};
            done = ToggleRichTextPair(markup, lo, hi, RichTextFontNameTag(QString::fromUtf8(names[next() % 3])),
                                      QStringLiteral("</FN>"));
            break;
        }
        case 4:
            done = ToggleRichTextPair(markup, lo, hi, RichTextSizeTag(1000 * (1 + next() % 3)), QStringLiteral("</FS>"));
            break;
        case 5: {
            static const std::array<TAlphaColor, 3> colors = {0xFFFF0000, 0xFF00FF00, 0xFF1A2B3C};
            done = ApplyRichTextColorPair(markup, lo, hi, colors[next() % 3]);
            break;
        }
        case 6: {
            done = ApplyRichTextParagraphAlign(markup, lo, next() % 3);
            // The caret's paragraph, its line breaks aside.
            from = lo > 0 ? int32_t(model.lastIndexOf(u'\n', lo - 1)) + 1 : 0;
            const qsizetype breakAt = model.indexOf(u'\n', lo);
            to = breakAt < 0 ? length : int32_t(breakAt);
            break;
        }
        }
        KVR_FUZZ_CHECK(RichMarkupBalanced(markup), "the pairs are not balanced");
        KVR_FUZZ_CHECK(GetPlainText(markup) == model, "the plain text is not the text typed");
        if (!done) {
            KVR_FUZZ_CHECK(markup == before, "a refused edit changed the mark-up");
            continue;
        }
        const std::vector<TShown> after = ShownOf(markup);
        KVR_FUZZ_CHECK(OutsideKept(plainBefore, shown, after, from, to, shift), "a character outside the range changed");
        if (style) {
            // Toggled: the range shows the style throughout, or nowhere.
            bool first = true, value = false;
            for (int32_t p = lo; p < hi; ++p) {
                const TShown& s = after[size_t(p)];
                if (s.Break)
                    continue;
                const bool v = styleKind == TRichTextTagKind::Bold     ? s.Format.Bold
                               : styleKind == TRichTextTagKind::Italic ? s.Format.Italic
                                                                       : s.Format.Underline;
                KVR_FUZZ_CHECK(first || v == value, "a toggled range shows the style in part");
                first = false;
                value = v;
            }
        }
    }
}
