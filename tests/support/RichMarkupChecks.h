#pragma once
// What every rich-text edit must leave, for the tests and the fuzz target.
#include "platform/rtl/text/KVR.RichText.h"
#include <array>

// The pairs of every kind open and close in order (the parser's rule), and
// none stays open.
inline bool RichMarkupBalanced(const QString& aMarkup)
{
    std::array<int, 10> depth{};
    for (const TRichTextTag& t : GetRichTextTags(aMarkup)) {
        if (t.Kind == TRichTextTagKind::Break)
            continue;
        int& d = depth[size_t(t.Kind)];
        d += t.Closing ? -1 : 1;
        if (d < 0)
            return false;
    }
    for (int d : depth)
        if (d != 0)
            return false;
    return true;
}
