#pragma once
// What every rich-text edit must leave, for the tests and the fuzz target.
#include "platform/rtl/text/KVR.RichText.h"
#include <array>
#include <vector>

// Tags without a partner, by the parser's rule that pairs of each kind nest
// on their own: closing tags while no pair of their kind is open (the parser
// passes over them), and opening tags never closed.
inline int RichMarkupUnmatched(const QString& aMarkup)
{
    std::array<int, 10> depth{};
    int unmatched = 0;
    for (const TRichTextTag& t : GetRichTextTags(aMarkup)) {
        if (t.Kind == TRichTextTagKind::Break)
            continue;
        int& d = depth[size_t(t.Kind)];
        if (!t.Closing)
            ++d;
        else if (d > 0)
            --d;
        else
            ++unmatched;
    }
    for (int d : depth)
        unmatched += d;
    return unmatched;
}

// The pairs of every kind open and close in order, and none stays open.
inline bool RichMarkupBalanced(const QString& aMarkup)
{
    return RichMarkupUnmatched(aMarkup) == 0;
}

// What a plain character shows as the parser reads the mark-up: its format
// and its paragraph's alignment; a line break shows nothing.
struct TRichShown
{
    TRichTextFormat Format;
    TKVRHorzAlign Align = TKVRHorzAlign::Left;
    bool HasAlign = false;
    bool Break = false;

    bool operator==(const TRichShown& o) const
    {
        return Break == o.Break && (Break || (Format == o.Format && Align == o.Align && HasAlign == o.HasAlign));
    }
};

// One entry per plain character of the mark-up.
inline std::vector<TRichShown> RichShownOf(const QString& aMarkup)
{
    TRichTextFormat base;
    TRichTextFormats formats;
    TRichTextRuns runs;
    ParseRichTextInto(aMarkup, base, formats, runs, true);
    std::vector<TRichShown> shown;
    for (const TRichTextParsedSegment& run : runs) {
        const TRichShown s{formats[size_t(run.FormatIndex)], run.Align, run.HasAlign, false};
        shown.insert(shown.end(), size_t(run.Text.size()), s);
        if (run.BreakAfter)
            shown.push_back({base, TKVRHorzAlign::Left, false, true});
    }
    return shown;
}
