#include "platform/rtl/text/KVR.RichTextEdit.h"
#include <algorithm>
#include <array>

namespace {

using TKind = TRichTextTagKind;

QString CloseTagOf(TKind aKind)
{
    static const std::array<const char16_t*, 9> names = {u"</B>",  u"</I>",  u"</U>", u"</FN>", u"</FS>",
                                                         u"</FC>", u"</L>", u"</C>", u"</R>"};
    return QString::fromUtf16(names[size_t(aKind)]);
}

// A pair as the parser reads it: an opening tag and its own closing tag (one
// of zero length at the end of the text when it was never closed), with the
// plain range between them.
struct TPair
{
    TRichTextTag Open;
    TRichTextTag Close;
    int32_t PlainStart = 0;
    int32_t PlainEnd = 0;
};

// The mark-up read once: its tags, its pairs and where each plain character
// stands in it.
class TMarkupMap
{
public:
    explicit TMarkupMap(const QString& aMarkup) : Tags(GetRichTextTags(aMarkup)), fMarkup(aMarkup)
    {
        size_t t = 0;
        int32_t i = 0;
        while (i < aMarkup.size()) {
            if (t < Tags.size() && Tags[t].Start == i) {
                if (Tags[t].Kind == TKind::Break)
                    fItems.push_back({i, i + Tags[t].Length});
                i += Tags[t].Length;
                ++t;
                continue;
            }
            fItems.push_back({i, i + 1});
            ++i;
        }
        std::array<std::vector<TRichTextTag>, 9> open;
        for (const TRichTextTag& tag : Tags) {
            if (tag.Kind == TKind::Break)
                continue;
            auto& stack = open[size_t(tag.Kind)];
            if (!tag.Closing) {
                stack.push_back(tag);
            } else if (!stack.empty()) {
                Pairs.push_back(MakePair(stack.back(), tag));
                stack.pop_back();
            }
        }
        for (const auto& stack : open)
            for (const TRichTextTag& tag : stack)
                Pairs.push_back(MakePair(tag, {int32_t(aMarkup.size()), 0, tag.Kind, true}));
    }

    int32_t PlainLength() const { return int32_t(fItems.size()); }
    // Just before the plain character at p (after every tag before it).
    int32_t RichStart(int32_t p) const { return p < PlainLength() ? fItems[size_t(p)].first : int32_t(fMarkup.size()); }
    // Just after the plain character before p (before every tag after it).
    int32_t RichEnd(int32_t p) const { return p > 0 ? fItems[size_t(p - 1)].second : 0; }
    // Plain characters that begin before a mark-up position.
    int32_t PlainBefore(int32_t aRich) const
    {
        return int32_t(std::lower_bound(fItems.begin(), fItems.end(), aRich,
                                        [](const auto& item, int32_t r) { return item.first < r; }) -
                       fItems.begin());
    }
    QString TextOf(const TRichTextTag& aTag) const { return fMarkup.mid(aTag.Start, aTag.Length); }

    std::vector<TRichTextTag> Tags;
    std::vector<TPair> Pairs;

private:
    TPair MakePair(const TRichTextTag& aOpen, const TRichTextTag& aClose) const
    {
        return {aOpen, aClose, PlainBefore(aOpen.Start + aOpen.Length), PlainBefore(aClose.Start)};
    }

    const QString& fMarkup;
    std::vector<std::pair<int32_t, int32_t>> fItems;  // mark-up range of each plain character
};

// One change of the mark-up: at a position, characters removed and text put.
struct TEdit
{
    int32_t At = 0;
    int32_t Remove = 0;
    QString Insert;
};

QString ApplyEdits(const QString& aMarkup, std::vector<TEdit> aEdits)
{
    std::stable_sort(aEdits.begin(), aEdits.end(), [](const TEdit& a, const TEdit& b) { return a.At < b.At; });
    QString out;
    int32_t i = 0;
    for (const TEdit& e : aEdits) {
        if (e.At > i) {
            out += aMarkup.mid(i, e.At - i);
            i = e.At;
        }
        out += e.Insert;
        i = std::max(i, e.At + e.Remove);
    }
    out += aMarkup.mid(i);
    return out;
}

void Order(const QString& aMarkup, int32_t& aStart, int32_t& aEnd)
{
    const int32_t length = int32_t(GetPlainText(aMarkup).size());
    aStart = std::clamp(aStart, 0, length);
    aEnd = std::clamp(aEnd, 0, length);
    if (aStart > aEnd)
        std::swap(aStart, aEnd);
}

// The pairs of the kinds that hold a character of [start, end) leave it: a
// pair reaching out of the range is closed before it and opened again after it.
QString SplitOut(const QString& aMarkup, int32_t aStart, int32_t aEnd, const std::vector<TKind>& aKinds)
{
    const TMarkupMap map(aMarkup);
    std::vector<TEdit> edits;
    for (const TPair& pair : map.Pairs) {
        if (std::find(aKinds.begin(), aKinds.end(), pair.Open.Kind) == aKinds.end() ||
            pair.PlainStart >= aEnd || pair.PlainEnd <= aStart || pair.PlainStart >= pair.PlainEnd)
            continue;
        if (pair.PlainStart < aStart)
            edits.push_back({map.RichEnd(aStart), 0, CloseTagOf(pair.Open.Kind)});
        else
            edits.push_back({pair.Open.Start, pair.Open.Length, {}});
        if (aEnd < pair.PlainEnd)
            edits.push_back({map.RichEnd(aEnd), 0, map.TextOf(pair.Open)});
        else
            edits.push_back({pair.Close.Start, pair.Close.Length, {}});
    }
    return ApplyEdits(aMarkup, std::move(edits));
}

// The range wrapped: the opening tag just before its first character, the
// closing one just after its last, so the pair nests inside the spans there.
QString Wrap(const QString& aMarkup, int32_t aStart, int32_t aEnd, const QString& aOpen, const QString& aClose)
{
    const TMarkupMap map(aMarkup);
    const int32_t at = map.RichStart(aStart);
    if (aStart >= aEnd)
        return ApplyEdits(aMarkup, {{at, 0, aOpen + aClose}});
    return ApplyEdits(aMarkup, {{at, 0, aOpen}, {map.RichEnd(aEnd), 0, aClose}});
}

// Bold, italic and underline pairs with nothing but blanks inside go; the
// blanks stay.
QString DropBlankPairs(QString aMarkup)
{
    for (bool changed = true; changed;) {
        changed = false;
        const std::vector<TRichTextTag> tags = GetRichTextTags(aMarkup);
        for (size_t i = 0; i < tags.size() && !changed; ++i) {
            const TRichTextTag& open = tags[i];
            const bool dropped = open.Kind == TKind::Bold || open.Kind == TKind::Italic || open.Kind == TKind::Underline;
            if (open.Closing || !dropped)
                continue;
            const auto next = std::find_if(tags.begin() + ptrdiff_t(i) + 1, tags.end(),
                                           [&](const TRichTextTag& t) { return t.Kind == open.Kind; });
            if (next == tags.end() || !next->Closing)
                continue;
            const int32_t inner = open.Start + open.Length;
            const QStringView between = QStringView(aMarkup).mid(inner, next->Start - inner);
            if (std::all_of(between.begin(), between.end(), [](QChar c) { return c == u' '; })) {
                aMarkup.remove(next->Start, next->Length);
                aMarkup.remove(open.Start, open.Length);
                changed = true;
            }
        }
    }
    return aMarkup;
}

bool Store(QString& aMarkup, const QString& aNew)
{
    if (aNew == aMarkup)
        return false;
    aMarkup = aNew;
    return true;
}

}  // namespace

bool ToggleRichTextPair(QString& markup, int32_t start, int32_t end, const QString& open, const QString& close)
{
    Order(markup, start, end);
    const std::vector<TRichTextTag> tag = GetRichTextTags(open + close);
    if (start == end || tag.size() != 2 || tag[0].Closing || !tag[1].Closing || tag[0].Kind != tag[1].Kind)
        return false;
    const TKind kind = tag[0].Kind;
    const QString plain = GetPlainText(markup);
    const TMarkupMap map(markup);
    bool covered = true;
    for (int32_t p = start; p < end && covered; ++p) {
        covered = plain.at(p) == u'\n' ||
                  std::any_of(map.Pairs.begin(), map.Pairs.end(), [&](const TPair& pair) {
                      return pair.Open.Kind == kind && pair.PlainStart <= p && p < pair.PlainEnd &&
                             map.TextOf(pair.Open).compare(open, Qt::CaseInsensitive) == 0;
                  });
    }
    // A selection that misses a span's ends by a character at most means the
    // whole span: a hand selection rarely hits the ends exactly.
    for (const TPair& pair : map.Pairs)
        if (covered && pair.Open.Kind == kind && pair.PlainStart <= start && end <= pair.PlainEnd &&
            start - pair.PlainStart <= 1 && pair.PlainEnd - end <= 1 &&
            map.TextOf(pair.Open).compare(open, Qt::CaseInsensitive) == 0) {
            start = pair.PlainStart;
            end = pair.PlainEnd;
            break;
        }
    QString next = SplitOut(markup, start, end, {kind});
    if (!covered) {
        // The tag's name upper case, a value as given.
        const qsizetype colon = open.indexOf(u':');
        next = Wrap(next, start, end, colon < 0 ? open.toUpper() : open.left(colon).toUpper() + open.mid(colon),
                    CloseTagOf(kind));
    }
    return Store(markup, DropBlankPairs(next));
}

bool ApplyRichTextColorPair(QString& markup, int32_t start, int32_t end, TAlphaColor color)
{
    Order(markup, start, end);
    if (start == end)
        return false;
    const TMarkupMap map(markup);
    for (const TPair& pair : map.Pairs)
        if (pair.Open.Kind == TKind::FontColor && pair.PlainStart <= start && start < pair.PlainEnd)
            return false;
    const QString next = SplitOut(markup, start, end, {TKind::FontColor});
    return Store(markup, Wrap(next, start, end, RichTextColorTag(color), CloseTagOf(TKind::FontColor)));
}

bool ApplyRichTextParagraphAlign(QString& markup, int32_t caret, int32_t align)
{
    if (align < 0 || align > 2 || markup.isEmpty())
        return false;
    static const std::array<TKind, 3> kinds = {TKind::Left, TKind::Center, TKind::Right};
    static const std::array<const char16_t*, 3> opens = {u"<L>", u"<C>", u"<R>"};
    const QString plain = GetPlainText(markup);
    caret = std::clamp(caret, 0, int32_t(plain.size()));
    const int32_t first = caret > 0 ? int32_t(plain.lastIndexOf(u'\n', caret - 1)) + 1 : 0;
    const qsizetype breakAt = plain.indexOf(u'\n', caret);
    const int32_t last = breakAt < 0 ? int32_t(plain.size()) : int32_t(breakAt);

    QString next = SplitOut(markup, first, last, {kinds.begin(), kinds.end()});
    // Alignment pairs left empty inside the paragraph go too.
    const TMarkupMap split(next);
    const auto isAlign = [&](TKind k) { return std::find(kinds.begin(), kinds.end(), k) != kinds.end(); };
    std::vector<TEdit> empties;
    for (const TPair& pair : split.Pairs)
        if (isAlign(pair.Open.Kind) && pair.PlainStart == pair.PlainEnd && pair.Open.Start >= split.RichEnd(first) &&
            pair.Close.Start + pair.Close.Length <= split.RichStart(last)) {
            empties.push_back({pair.Open.Start, pair.Open.Length, {}});
            empties.push_back({pair.Close.Start, pair.Close.Length, {}});
        }
    next = ApplyEdits(next, std::move(empties));
    // The new pair holds the whole paragraph: past the closing tags after
    // the break before it, up to the opening tags before the break after it.
    const TMarkupMap map(next);
    int32_t from = map.RichEnd(first), to = map.RichStart(last);
    for (const TRichTextTag& t : map.Tags)
        if (t.Start == from && t.Closing && from < to)
            from += t.Length;
    for (auto t = map.Tags.rbegin(); t != map.Tags.rend(); ++t)
        if (t->Start + t->Length == to && !t->Closing && t->Kind != TKind::Break && to > from)
            to = t->Start;
    return Store(markup, ApplyEdits(next, {{from, 0, QString::fromUtf16(opens[size_t(align)])},
                                           {to, 0, CloseTagOf(kinds[size_t(align)])}}));
}

bool ReplaceRichTextRange(QString& markup, int32_t start, int32_t end, const QString& insert)
{
    Order(markup, start, end);
    const QString plain = GetPlainText(markup);
    const TMarkupMap map(markup);
    std::vector<TEdit> edits;
    if (start < end) {
        const int32_t from = map.RichStart(start), to = map.RichEnd(end);
        const auto inside = [&](const TRichTextTag& t) { return t.Start >= from && t.Start + t.Length <= to; };
        // The characters, line breaks included, one by one: a tag that stays
        // between them keeps its place.
        for (int32_t p = start; p < end; ++p)
            edits.push_back({map.RichStart(p), map.RichEnd(p + 1) - map.RichStart(p), {}});
        for (const TPair& pair : map.Pairs)
            if (inside(pair.Open) && inside(pair.Close)) {
                edits.push_back({pair.Open.Start, pair.Open.Length, {}});
                edits.push_back({pair.Close.Start, pair.Close.Length, {}});
            }
    }
    QString next = ApplyEdits(markup, std::move(edits));
    if (!insert.isEmpty())
        next.insert(std::clamp(PlainPosToRichPos(next, start), 0, int32_t(next.size())), insert);
    if (GetPlainText(next) != plain.left(start) + GetPlainText(insert) + plain.mid(end))
        return false;
    return Store(markup, next);
}
