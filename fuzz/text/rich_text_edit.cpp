// In-place rich-text edits in random order: typing, deleting, line breaks,
// bold/italic/underline, fonts, sizes, colours and alignments at random
// ranges, on an empty text or, when the input begins with '<', on mark-up of
// random tags and text such as a hand writes (closing tags with no partner,
// pairs never closed, pairs crossing). After each edit no more tags lack a
// partner than before (mark-up the edits made stays balanced), the plain
// text is what a model of the typing says, a refused edit changed nothing,
// no character outside the edited range changed its format or alignment (but
// for blanks left alone in a bold, italic or underline pair, which the pair
// leaves), and the range shows what the edit put: a style toggled on or off
// throughout, the colour, font or size chosen, the paragraph's alignment.
#include "fuzz/support/FuzzTarget.h"
#include "platform/rtl/text/KVR.RichText.h"
#include "platform/rtl/text/KVR.RichTextEdit.h"
#include "tests/support/RichMarkupChecks.h"
#include <array>
#include <vector>

namespace {

// The same, but a blank may have lost bold, italic or underline: a pair the
// edit leaves holding nothing but blanks goes.
bool SameOrStyleDropped(const QChar aChar, const TRichShown& aOld, const TRichShown& aNew)
{
    if (aOld == aNew)
        return true;
    if (aChar != u' ')
        return false;
    TRichShown dropped = aOld;
    dropped.Format.Bold = dropped.Format.Bold && aNew.Format.Bold;
    dropped.Format.Italic = dropped.Format.Italic && aNew.Format.Italic;
    dropped.Format.Underline = dropped.Format.Underline && aNew.Format.Underline;
    return dropped == aNew;
}

// Characters outside [aFrom, aTo) of the old text show as they did; after a
// replacement, those after it stand aShift further on.
bool OutsideKept(const QString& aPlain, const std::vector<TRichShown>& aOld, const std::vector<TRichShown>& aNew,
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

// Pieces of hand-written mark-up: text, and tags of every kind alone.
const std::array<const char*, 28> kPieces = {
    "a", "b", " ", "<", ">", "<BR>", "<B>", "</B>", "<i>", "</I>", "<U>", "</u>",
    "<FN:A>", "<FN:Times>", "</FN>", "<FS:1000>", "<FS:2000>", "</FS>",
    "<FC:FF0000>", "<FC:1A2B3C>", "</FC>", "<L>", "</L>", "<C>", "</C>", "<R>", "</R>", "<b>"};

// What the edit puts on the range's characters: a style on or off, or one
// value shown throughout.
bool Shows(const TRichShown& aShown, int aWhat, const QString& aValue)
{
    switch (aWhat) {
    case 0: return aShown.Format.Bold;
    case 1: return aShown.Format.Italic;
    case 2: return aShown.Format.Underline;
    case 3: return aShown.Format.FontName == aValue;
    case 4: return aShown.Format.FontHeight == aValue.toInt();
    case 5: return aShown.Format.Color == aValue.toUInt(nullptr, 16);
    default: return aShown.HasAlign && int(aShown.Align) == aValue.toInt();
    }
}

bool ShownThroughout(const std::vector<TRichShown>& aShown, int32_t aFrom, int32_t aTo, int aWhat,
                     const QString& aValue)
{
    for (int32_t p = aFrom; p < aTo; ++p)
        if (!aShown[size_t(p)].Break && !Shows(aShown[size_t(p)], aWhat, aValue))
            return false;
    return true;
}

bool ShownNowhere(const std::vector<TRichShown>& aShown, int32_t aFrom, int32_t aTo, int aWhat, const QString& aValue)
{
    for (int32_t p = aFrom; p < aTo; ++p)
        if (!aShown[size_t(p)].Break && Shows(aShown[size_t(p)], aWhat, aValue))
            return false;
    return true;
}

} // namespace

KVR_FUZZ_TARGET(rich_text_edit)
{
    if (data.size() > 1024)
        return;
    qsizetype at = 0;
    const auto next = [&]() -> uint8_t { return at < data.size() ? uint8_t(data[at++]) : 0; };
    QString markup;
    if (!data.isEmpty() && data[0] == '<') {
        ++at;
        for (int n = next() % 32; n > 0; --n)
            markup += QString::fromUtf8(kPieces[next() % kPieces.size()]);
    }
    QString model = GetPlainText(markup);  // the plain text the edits must leave
    while (at < data.size()) {
        const uint8_t op = next();
        const int32_t length = int32_t(model.size());
        int32_t lo = next() % (length + 1), hi = next() % (length + 1);
        if (lo > hi)
            std::swap(lo, hi);
        const QString before = markup, plainBefore = model;
        const std::vector<TRichShown> shown = RichShownOf(markup);
        bool done = false;
        // The characters that may change their format: the range, and one
        // more each side where a toggle takes a whole pair it nearly covers.
        int32_t from = std::max(lo - 1, 0), to = hi + 1, shift = 0;
        // What the range shows after a format edit: -1 nothing checked,
        // otherwise what Shows() tells, with the value put.
        int what = -1;
        QString value;
        bool toggled = false;  // a toggle: on where the range did not show it throughout, else off
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
            what = int(k);
            toggled = true;
            break;
        }
        case 3: {
            static const std::array<const char*, 3> names = {"A", "Times", "Arial"};
            value = QString::fromUtf8(names[next() % 3]);
            done = ToggleRichTextPair(markup, lo, hi, RichTextFontNameTag(value), QStringLiteral("</FN>"));
            what = 3;
            toggled = true;
            break;
        }
        case 4: {
            value = QString::number(1000 * (1 + next() % 3));
            done = ToggleRichTextPair(markup, lo, hi, RichTextSizeTag(value.toInt()), QStringLiteral("</FS>"));
            what = 4;
            toggled = true;
            break;
        }
        case 5: {
            static const std::array<TAlphaColor, 3> colors = {0xFFFF0000, 0xFF00FF00, 0xFF1A2B3C};
            const TAlphaColor color = colors[next() % 3];
            done = ApplyRichTextColorPair(markup, lo, hi, color);
            what = 5;
            value = QString::number(color, 16);
            break;
        }
        case 6: {
            const int align = next() % 3;
            done = ApplyRichTextParagraphAlign(markup, lo, align);
            // The caret's paragraph, its line breaks aside.
            from = lo > 0 ? int32_t(model.lastIndexOf(u'\n', lo - 1)) + 1 : 0;
            const qsizetype breakAt = model.indexOf(u'\n', lo);
            to = breakAt < 0 ? length : int32_t(breakAt);
            what = 6;
            value = QString::number(align);
            break;
        }
        }
        KVR_FUZZ_CHECK(RichMarkupUnmatched(markup) <= RichMarkupUnmatched(before),
                       "a tag lost its partner or a pair was left open");
        KVR_FUZZ_CHECK(GetPlainText(markup) == model, "the plain text is not the text typed");
        if (!done) {
            KVR_FUZZ_CHECK(markup == before, "a refused edit changed the mark-up");
            continue;
        }
        const std::vector<TRichShown> after = RichShownOf(markup);
        KVR_FUZZ_CHECK(OutsideKept(plainBefore, shown, after, from, to, shift), "a character outside the range changed");
        if (what < 0)
            continue;
        // The paragraph for an alignment, else the range as asked.
        const int32_t first = what == 6 ? from : lo, last = what == 6 ? to : hi;
        if (!toggled || !ShownThroughout(shown, first, last, what, value))
            KVR_FUZZ_CHECK(ShownThroughout(after, first, last, what, value), "the range does not show what was put");
        else if (what < 3)
            KVR_FUZZ_CHECK(ShownNowhere(after, first, last, what, value), "a style toggled off shows in the range");
    }
}
