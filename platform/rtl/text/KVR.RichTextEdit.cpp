#include "platform/rtl/text/KVR.RichTextEdit.h"
#include <algorithm>
#include <array>
#include <functional>
#include <tuple>

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
            } else {
                Strays.push_back(tag);
            }
        }
        for (const auto& stack : open)
            for (const TRichTextTag& tag : stack)
                Pairs.push_back(MakePair(tag, {int32_t(aMarkup.size()), 0, tag.Kind, true}));
    }

    int32_t PlainLength() const { return int32_t(fItems.size()); }
    // Just before the plain character at p (after every tag before it).
    int32_t RichStart(int32_t p) const
    {
        return p >= 0 && p < PlainLength() ? fItems[size_t(p)].first : p < 0 ? 0 : int32_t(fMarkup.size());
    }
    // Just after the plain character before p (before every tag after it).
    int32_t RichEnd(int32_t p) const
    {
        return p <= 0 ? 0 : fItems[size_t(std::min(p, PlainLength()) - 1)].second;
    }
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
    // Closing tags while no pair of their kind is open: the parser passes over them.
    std::vector<TRichTextTag> Strays;

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

bool IsAlignKind(TKind aKind)
{
    return aKind == TKind::Left || aKind == TKind::Center || aKind == TKind::Right;
}

// Kinds whose pairs carry a value: the innermost pair is the one shown.
bool HasValue(TKind aKind)
{
    return aKind == TKind::FontName || aKind == TKind::FontSize || aKind == TKind::FontColor;
}

bool SameTag(const TMarkupMap& aMap, const TPair& aPair, const QString& aOpen)
{
    return aMap.TextOf(aPair.Open).compare(aOpen, Qt::CaseInsensitive) == 0;
}

// The pair of a kind that shows at plain character p: the innermost one
// holding it (the last opened), none when no pair of the kind holds it.
const TPair* ShownAt(const TMarkupMap& aMap, TKind aKind, int32_t p)
{
    const TPair* shown = nullptr;
    for (const TPair& pair : aMap.Pairs)
        if (pair.Open.Kind == aKind && pair.PlainStart <= p && p < pair.PlainEnd &&
            (!shown || pair.Open.Start > shown->Open.Start))
            shown = &pair;
    return shown;
}

// Pairs whose order counts together: the alignment shown is the last one
// opened of any of the three kinds; every other kind stands alone.
int Family(TKind aKind)
{
    return IsAlignKind(aKind) ? int(TKind::Left) : int(aKind);
}

// Past the closing tags that follow a mark-up position.
int32_t PastClosings(const TMarkupMap& aMap, int32_t aAt)
{
    for (const TRichTextTag& t : aMap.Tags)
        if (t.Start == aAt && t.Closing)
            aAt += t.Length;
    return aAt;
}

// The chosen pairs leave the plain range [start, end): a pair reaching out
// of it is closed before it and opened again after it, a tag inside it goes.
// Where a pair closes, the pairs of its family opened after it and still
// open there close with it, innermost first; those staying open again at
// once, in their order. Where pairs open again, every pair of the family
// that was open there opens again in the order it had. So each kind's
// nesting, and the format of the text around the range, stay as they were.
QString SplitOut(const QString& aMarkup, const TMarkupMap& aMap, int32_t aStart, int32_t aEnd,
                 const std::vector<const TPair*>& aPairs)
{
    const auto leaves = [&](const TPair& p) { return std::find(aPairs.begin(), aPairs.end(), &p) != aPairs.end(); };
    const int32_t atStart = PastClosings(aMap, aMap.RichEnd(aStart)), atEnd = PastClosings(aMap, aMap.RichEnd(aEnd));
    // The pairs of a family open at a mark-up position, outermost first.
    const auto openAt = [&](int aFamily, int32_t aAt) {
        std::vector<const TPair*> open;
        for (const TPair& p : aMap.Pairs)
            if (Family(p.Open.Kind) == aFamily && p.Open.Start < aAt && p.Close.Start >= aAt)
                open.push_back(&p);
        std::sort(open.begin(), open.end(), [](const TPair* a, const TPair* b) { return a->Open.Start < b->Open.Start; });
        return open;
    };
    std::vector<int> families;
    for (const TPair* p : aPairs)
        if (std::find(families.begin(), families.end(), Family(p->Open.Kind)) == families.end())
            families.push_back(Family(p->Open.Kind));
    std::vector<TEdit> edits;
    for (const int family : families) {
        const std::vector<const TPair*> before = openAt(family, atStart);
        const auto firstBefore = std::find_if(before.begin(), before.end(), [&](const TPair* p) { return leaves(*p); });
        if (firstBefore != before.end()) {
            QString tags;
            for (auto it = before.rbegin(); it != std::make_reverse_iterator(firstBefore); ++it)
                tags += CloseTagOf((*it)->Open.Kind);
            for (auto it = firstBefore; it != before.end(); ++it)
                if (!leaves(**it))
                    tags += aMap.TextOf((*it)->Open);
            edits.push_back({atStart, 0, tags});
        }
        const std::vector<const TPair*> after = openAt(family, atEnd);
        const auto firstAfter = std::find_if(after.begin(), after.end(), [&](const TPair* p) { return leaves(*p); });
        if (firstAfter != after.end()) {
            QString tags;
            for (auto it = after.rbegin(); it != std::make_reverse_iterator(firstAfter); ++it)
                if (!leaves(**it))
                    tags += CloseTagOf((*it)->Open.Kind);
            for (auto it = firstAfter; it != after.end(); ++it)
                tags += aMap.TextOf((*it)->Open);
            edits.push_back({atEnd, 0, tags});
        }
        for (const TPair* p : aPairs) {
            if (Family(p->Open.Kind) != family)
                continue;
            if (std::find(before.begin(), before.end(), p) == before.end())
                edits.push_back({p->Open.Start, p->Open.Length, {}});
            if (std::find(after.begin(), after.end(), p) == after.end())
                edits.push_back({p->Close.Start, p->Close.Length, {}});
        }
    }
    return ApplyEdits(aMarkup, std::move(edits));
}

// The pairs of a kind that share a character with the range, but not those
// reaching beyond it, which stay around it when `keepAround`.
std::vector<const TPair*> PairsIn(const TMarkupMap& aMap, int32_t aStart, int32_t aEnd,
                                  const std::function<bool(TKind)>& aKind, bool aKeepAround)
{
    std::vector<const TPair*> found;
    for (const TPair& pair : aMap.Pairs) {
        if (!aKind(pair.Open.Kind) || pair.PlainStart >= aEnd || pair.PlainEnd <= aStart ||
            pair.PlainStart >= pair.PlainEnd)
            continue;
        const bool around = pair.PlainStart <= aStart && aEnd <= pair.PlainEnd &&
                            (pair.PlainStart < aStart || aEnd < pair.PlainEnd);
        if (!(aKeepAround && around))
            found.push_back(&pair);
    }
    return found;
}

// A new pair of a kind from mark-up position aFrom to aTo. Closing tags of
// the kind that the parser passed over between them go: the new pair would
// end at the first of them.
std::vector<TEdit> PutPair(const TMarkupMap& aMap, int32_t aFrom, int32_t aTo, const QString& aOpen, TKind aKind)
{
    std::vector<TEdit> edits{{aFrom, 0, aOpen}};
    for (const TRichTextTag& t : aMap.Strays)
        if (t.Kind == aKind && t.Start >= aFrom && t.Start + t.Length <= aTo)
            edits.push_back({t.Start, t.Length, {}});
    edits.push_back({aTo, 0, CloseTagOf(aKind)});
    return edits;
}

// The range wrapped: the opening tag just before its first character, the
// closing one just after its last, so the pair nests inside the spans there.
QString Wrap(const QString& aMarkup, int32_t aStart, int32_t aEnd, const QString& aOpen, TKind aKind)
{
    const TMarkupMap map(aMarkup);
    const int32_t at = map.RichStart(aStart);
    return ApplyEdits(aMarkup, PutPair(map, at, aStart >= aEnd ? at : map.RichEnd(aEnd), aOpen, aKind));
}

bool IsBlankOnly(const QString& aPlain, const TPair& aPair)
{
    const QStringView inner = QStringView(aPlain).mid(aPair.PlainStart, aPair.PlainEnd - aPair.PlainStart);
    return std::all_of(inner.begin(), inner.end(), [](QChar c) { return c == u' '; });
}

bool IsStyleKind(TKind aKind)
{
    return aKind == TKind::Bold || aKind == TKind::Italic || aKind == TKind::Underline;
}

using TPlace = std::tuple<TKind, int32_t, int32_t>;

// Bold, italic and underline pairs holding nothing but blanks, by kind and
// plain range.
std::vector<TPlace> BlankStylePairs(const QString& aMarkup)
{
    const TMarkupMap map(aMarkup);
    const QString plain = GetPlainText(aMarkup);
    std::vector<TPlace> places;
    for (const TPair& pair : map.Pairs)
        if (IsStyleKind(pair.Open.Kind) && IsBlankOnly(plain, pair))
            places.emplace_back(pair.Open.Kind, pair.PlainStart, pair.PlainEnd);
    return places;
}

// Bold, italic and underline pairs that the edit left with nothing but
// blanks go, their blanks kept; pieces of pairs that held only blanks before
// (a fill-in line) and the one the edit has just put stay.
QString DropMadeBlank(const QString& aMarkup, const std::vector<TPlace>& aBefore, const TPlace& aPut)
{
    const TMarkupMap map(aMarkup);
    const QString plain = GetPlainText(aMarkup);
    std::vector<TEdit> edits;
    for (const TPair& pair : map.Pairs) {
        const TPlace place{pair.Open.Kind, pair.PlainStart, pair.PlainEnd};
        const bool wasBlank = std::any_of(aBefore.begin(), aBefore.end(), [&](const TPlace& b) {
            return std::get<0>(b) == pair.Open.Kind && std::get<1>(b) <= pair.PlainStart && pair.PlainEnd <= std::get<2>(b);
        });
        if (!IsStyleKind(pair.Open.Kind) || !IsBlankOnly(plain, pair) || place == aPut || wasBlank)
            continue;
        edits.push_back({pair.Open.Start, pair.Open.Length, {}});
        edits.push_back({pair.Close.Start, pair.Close.Length, {}});
    }
    return ApplyEdits(aMarkup, std::move(edits));
}

// Stores an edit of the format only when the text reads as before: taking
// tags out can join a "<" and a ">" of the text into a tag.
bool StoreFormat(QString& aMarkup, const QString& aNew)
{
    if (aNew == aMarkup || GetPlainText(aNew) != GetPlainText(aMarkup))
        return false;
    aMarkup = aNew;
    return true;
}

// The text of an insert as the mark-up holds it: a line feed is a line break.
QString InsertMarkup(const QString& aInsert)
{
    QString out = aInsert;
    out.replace(u'\n', QStringLiteral("<BR>"));
    return out;
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
    // The range has the format when every character of it shows it: for a
    // value the innermost pair of the kind is the one shown.
    const auto shows = [&](int32_t p) -> const TPair* {
        if (HasValue(kind)) {
            const TPair* shown = ShownAt(map, kind, p);
            return shown && SameTag(map, *shown, open) ? shown : nullptr;
        }
        for (const TPair& pair : map.Pairs)
            if (pair.Open.Kind == kind && pair.PlainStart <= p && p < pair.PlainEnd)
                return &pair;
        return nullptr;
    };
    bool covered = true;
    for (int32_t p = start; p < end && covered; ++p)
        covered = plain.at(p) == u'\n' || shows(p);
    std::vector<const TPair*> leaving;
    if (covered) {
        // A selection that reaches one end of the span and misses the other
        // by a character means the whole span: a hand selection rarely hits
        // both ends. Strictly inside, it splits the span.
        for (int32_t p = start; p < end; ++p) {
            const TPair* pair = shows(p);
            if (!pair)
                continue;
            if (pair->PlainStart <= start && end <= pair->PlainEnd &&
                ((pair->PlainStart == start && pair->PlainEnd - end <= 1) ||
                 (pair->PlainEnd == end && start - pair->PlainStart <= 1))) {
                start = pair->PlainStart;
                end = pair->PlainEnd;
            }
            break;
        }
        // Off: a value leaves only where it shows, so the value beneath
        // shows again; a style leaves the range altogether.
        if (HasValue(kind)) {
            for (int32_t p = start; p < end; ++p)
                if (const TPair* pair = shows(p); pair && std::find(leaving.begin(), leaving.end(), pair) == leaving.end())
                    leaving.push_back(pair);
        } else {
            leaving = PairsIn(map, start, end, [kind](TKind k) { return k == kind; }, false);
        }
    } else {
        // On: the pairs of the kind inside the range go; those around it stay
        // outside the new pair.
        leaving = PairsIn(map, start, end, [kind](TKind k) { return k == kind; }, true);
    }
    QString next = SplitOut(markup, map, start, end, leaving);
    if (GetPlainText(next) != plain)
        return false;
    TPlace put{kind, -1, -1};
    if (!covered && HasValue(kind)) {
        // A value beneath the pairs that left may already be the one chosen.
        const TMarkupMap after(next);
        bool shown = true;
        for (int32_t p = start; p < end && shown; ++p) {
            const TPair* pair = ShownAt(after, kind, p);
            shown = plain.at(p) == u'\n' || (pair && SameTag(after, *pair, open));
        }
        covered = shown;
    }
    if (!covered) {
        // The tag's name upper case, a value as given.
        const qsizetype colon = open.indexOf(u':');
        next = Wrap(next, start, end, colon < 0 ? open.toUpper() : open.left(colon).toUpper() + open.mid(colon), kind);
        put = {kind, start, end};
    }
    return StoreFormat(markup, DropMadeBlank(next, BlankStylePairs(markup), put));
}

bool ApplyRichTextColorPair(QString& markup, int32_t start, int32_t end, TAlphaColor color)
{
    Order(markup, start, end);
    if (start == end)
        return false;
    const TMarkupMap map(markup);
    // The chosen colour replaces the one the range shows: colour pairs inside
    // it go, one reaching beyond it stays around the new pair.
    const QString next = SplitOut(markup, map, start, end,
                                  PairsIn(map, start, end, [](TKind k) { return k == TKind::FontColor; }, true));
    if (GetPlainText(next) != GetPlainText(markup))
        return false;
    return StoreFormat(markup, Wrap(next, start, end, RichTextColorTag(color), TKind::FontColor));
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

    const TMarkupMap whole(markup);
    QString next = SplitOut(markup, whole, first, last, PairsIn(whole, first, last, IsAlignKind, false));
    if (GetPlainText(next) != plain)
        return false;
    // Alignment pairs left empty inside the paragraph go too.
    const TMarkupMap split(next);
    std::vector<TEdit> empties;
    for (const TPair& pair : split.Pairs)
        if (IsAlignKind(pair.Open.Kind) && pair.PlainStart == pair.PlainEnd && pair.Open.Start >= split.RichEnd(first) &&
            pair.Close.Start + pair.Close.Length <= split.RichStart(last)) {
            empties.push_back({pair.Open.Start, pair.Open.Length, {}});
            empties.push_back({pair.Close.Start, pair.Close.Length, {}});
        }
    next = ApplyEdits(next, std::move(empties));
    if (GetPlainText(next) != plain)
        return false;
    // The new pair holds the whole paragraph: past the closing tags after
    // the break before it, up to the opening tags before the break after it.
    // An alignment opened after its last character holds the paragraphs
    // after it (never closed, or closed there): the new pair ends before it,
    // or its closing tag would end that one.
    const TMarkupMap map(next);
    int32_t from = map.RichEnd(first), to = map.RichStart(last);
    for (const TRichTextTag& t : map.Tags)
        if (t.Start == from && t.Closing && from < to)
            from += t.Length;
    for (const TRichTextTag& t : map.Tags)
        if (IsAlignKind(t.Kind) && !t.Closing && t.Start >= std::max(from, map.RichEnd(last)) && t.Start < to) {
            to = t.Start;
            break;
        }
    for (auto t = map.Tags.rbegin(); t != map.Tags.rend(); ++t)
        if (t->Start + t->Length == to && !t->Closing && t->Kind != TKind::Break && to > from)
            to = t->Start;
    const QString open = QString::fromUtf16(opens[size_t(align)]);
    return StoreFormat(markup, ApplyEdits(next, PutPair(map, from, to, open, kinds[size_t(align)])));
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
        next.insert(std::clamp(PlainPosToRichPos(next, start), 0, int32_t(next.size())), InsertMarkup(insert));
    // What was typed must read as typed: the mark-up has no escape for a tag.
    if (GetPlainText(next) != plain.left(start) + insert + plain.mid(end))
        return false;
    markup = next;
    return true;
}
