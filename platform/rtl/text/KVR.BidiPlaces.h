#pragma once
// Where the characters of a piece of text stand as the shaper paints it: in
// the direction of its first strong character, runs of the other direction
// (and numbers among right-to-left letters) reversed inside it. Built from
// the advances of the text's logical prefixes, so it measures as the caller's
// font does; positions are code-unit boundaries, a surrogate pair is one
// character. A caret, a click and a selection follow the painted order with it.
#include <QString>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class TKVRBidiPlaces
{
public:
    // aPrefix(k): the advance of the first k code units, k at a character boundary.
    TKVRBidiPlaces(const QString& aText, const std::function<double(int32_t)>& aPrefix);

    // Where the caret of boundary k stands, from the text's left edge: after
    // the character before it as painted (before the first character for 0).
    double CaretX(int32_t k) const;
    // The boundary a click at x means: in a character's leading half the
    // boundary before it, in its trailing half the one after it; left or
    // right of the text, as at its painted edge.
    int32_t BoundaryAt(double x) const;
    // The painted stretches [left, right) of the characters between two
    // boundaries, joined where they touch, left to right.
    std::vector<std::pair<double, double>> Spans(int32_t aFrom, int32_t aTo) const;

private:
    struct TChar
    {
        int32_t Start = 0;
        int32_t Length = 1;
        double Left = 0;
        double Width = 0;
        bool RightToLeft = false;
    };
    std::vector<TChar> fChars;  // in logical order
};
