#include "platform/rtl/text/KVR.BidiPlaces.h"
#include <algorithm>

namespace {

enum class TClass : uint8_t { L, R, Number, Neutral };

TClass ClassOf(char32_t aCode, TClass aPrevious)
{
    switch (QChar::direction(aCode)) {
    case QChar::DirL:
    case QChar::DirLRE:
    case QChar::DirLRO:
    case QChar::DirLRI:
        return TClass::L;
    case QChar::DirR:
    case QChar::DirAL:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirRLI:
        return TClass::R;
    case QChar::DirEN:
    case QChar::DirAN:
        return TClass::Number;
    case QChar::DirNSM:
        return aPrevious;  // a mark goes with its base
    default:
        return TClass::Neutral;
    }
}

}  // namespace

TKVRBidiPlaces::TKVRBidiPlaces(const QString& aText, const std::function<double(int32_t)>& aPrefix)
{
    std::vector<TClass> classes;
    TClass previous = TClass::Neutral;
    for (int32_t i = 0; i < aText.size();) {
        const bool pair = i + 1 < aText.size() && aText.at(i).isHighSurrogate() && aText.at(i + 1).isLowSurrogate();
        const char32_t code = pair ? QChar::surrogateToUcs4(aText.at(i), aText.at(i + 1)) : aText.at(i).unicode();
        TChar c;
        c.Start = i;
        c.Length = pair ? 2 : 1;
        fChars.push_back(c);
        previous = ClassOf(code, previous);
        classes.push_back(previous);
        i += c.Length;
    }
    const auto firstStrong = std::find_if(classes.begin(), classes.end(),
                                          [](TClass c) { return c == TClass::L || c == TClass::R; });
    const bool rtlBase = firstStrong != classes.end() && *firstStrong == TClass::R;
    // Numbers after left-to-right letters (or at the start of a left-to-right
    // text) read as those letters.
    TClass strong = rtlBase ? TClass::R : TClass::L;
    for (TClass& c : classes) {
        if (c == TClass::L || c == TClass::R)
            strong = c;
        else if (c == TClass::Number && strong == TClass::L)
            c = TClass::L;
    }
    // Levels: even left to right, odd right to left; neutrals take the
    // direction of both neighbours when they agree, else the text's.
    const int baseLevel = rtlBase ? 1 : 0;
    const auto levelOf = [&](TClass c) {
        if (c == TClass::R)
            return 1;
        if (c == TClass::Number)
            return 2;
        return rtlBase ? 2 : 0;
    };
    const auto side = [](TClass c) { return c == TClass::Number ? TClass::R : c; };
    std::vector<int> levels(classes.size(), baseLevel);
    for (size_t i = 0; i < classes.size(); ++i) {
        if (classes[i] != TClass::Neutral) {
            levels[i] = levelOf(classes[i]);
            continue;
        }
        size_t j = i;
        while (j < classes.size() && classes[j] == TClass::Neutral)
            ++j;
        const TClass before = i > 0 ? side(classes[i - 1]) : (rtlBase ? TClass::R : TClass::L);
        const TClass after = j < classes.size() ? side(classes[j]) : (rtlBase ? TClass::R : TClass::L);
        const int level = before == after ? (before == TClass::R ? 1 : (rtlBase ? 2 : 0)) : baseLevel;
        std::fill(levels.begin() + ptrdiff_t(i), levels.begin() + ptrdiff_t(j), level);
        i = j - 1;
    }
    // Visual order: from the highest level down to 1, every run at that
    // level or above is reversed.
    std::vector<size_t> order(fChars.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const int highest = levels.empty() ? 0 : *std::max_element(levels.begin(), levels.end());
    for (int level = highest; level >= 1; --level) {
        for (size_t i = 0; i < order.size();) {
            if (levels[order[i]] < level) {
                ++i;
                continue;
            }
            size_t j = i;
            while (j < order.size() && levels[order[j]] >= level)
                ++j;
            std::reverse(order.begin() + ptrdiff_t(i), order.begin() + ptrdiff_t(j));
            i = j;
        }
    }
    double previousEnd = 0;
    for (TChar& c : fChars) {
        const double end = aPrefix(c.Start + c.Length);
        c.Width = std::max(0.0, end - previousEnd);
        previousEnd = end;
    }
    double x = 0;
    for (size_t v : order) {
        TChar& c = fChars[v];
        c.Left = x;
        c.RightToLeft = levels[v] % 2 == 1;
        x += c.Width;
    }
}

double TKVRBidiPlaces::CaretX(int32_t k) const
{
    if (fChars.empty())
        return 0;
    if (k <= 0) {
        const TChar& first = fChars.front();
        return first.RightToLeft ? first.Left + first.Width : first.Left;
    }
    // The character that ends at or holds k.
    const auto after = std::upper_bound(fChars.begin(), fChars.end(), k - 1,
                                        [](int32_t p, const TChar& c) { return p < c.Start; });
    const TChar& c = *std::prev(after);
    return c.RightToLeft ? c.Left : c.Left + c.Width;
}

int32_t TKVRBidiPlaces::BoundaryAt(double x) const
{
    if (fChars.empty())
        return 0;
    const TChar* hit = nullptr;
    for (const TChar& c : fChars)
        if (c.Left <= x && x < c.Left + c.Width)
            hit = &c;
    if (!hit) {
        // Outside the text: its leftmost or its rightmost character.
        const auto byLeft = [](const TChar& a, const TChar& b) { return a.Left < b.Left; };
        const bool left = x < 0 || std::all_of(fChars.begin(), fChars.end(), [&](const TChar& c) { return c.Width <= 0; });
        hit = left ? &*std::min_element(fChars.begin(), fChars.end(), byLeft)
                   : &*std::max_element(fChars.begin(), fChars.end(), byLeft);
        x = left ? hit->Left : hit->Left + hit->Width;
    }
    const double middle = hit->Left + hit->Width / 2;
    const bool leading = hit->RightToLeft ? x >= middle : x <= middle;
    return leading ? hit->Start : hit->Start + hit->Length;
}

std::vector<std::pair<double, double>> TKVRBidiPlaces::Spans(int32_t aFrom, int32_t aTo) const
{
    if (aFrom > aTo)
        std::swap(aFrom, aTo);
    std::vector<std::pair<double, double>> spans;
    for (const TChar& c : fChars)
        if (c.Start >= aFrom && c.Start + c.Length <= aTo && c.Width > 0)
            spans.emplace_back(c.Left, c.Left + c.Width);
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<double, double>> joined;
    for (const auto& s : spans) {
        if (!joined.empty() && s.first <= joined.back().second + 1e-9)
            joined.back().second = std::max(joined.back().second, s.second);
        else
            joined.push_back(s);
    }
    return joined;
}
