#include "platform/rtl/text/KVR.RichText.h"
#include <QHashFunctions>
#include <algorithm>
#include <limits>
#include <unordered_map>

namespace {

enum class TRichTag : uint8_t {
    None,
    Bold, BoldEnd,
    Italic, ItalicEnd,
    Underline, UnderlineEnd,
    FontName, FontNameEnd,
    FontSize, FontSizeEnd,
    FontColor, FontColorEnd,
    Left, LeftEnd,
    Center, CenterEnd,
    Right, RightEnd,
    Break,
};

struct TRichTagMatch
{
    TRichTag Tag = TRichTag::None;
    qsizetype Length = 0;  // characters of the mark-up the tag takes
    QString Name;
    int32_t Size = 0;
    TAlphaColor Color = 0;
};

bool IsOpening(TRichTag t)
{
    switch (t) {
    case TRichTag::Bold: case TRichTag::Italic: case TRichTag::Underline:
    case TRichTag::FontName: case TRichTag::FontSize: case TRichTag::FontColor:
    case TRichTag::Left: case TRichTag::Center: case TRichTag::Right:
        return true;
    default:
        return false;
    }
}

bool ParseSize(const QString& digits, int32_t& size)
{
    if (digits.isEmpty())
        return false;
    int64_t v = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c.unicode() - u'0');
        if (v > std::numeric_limits<int32_t>::max())
            return false;
    }
    if (v < 1)
        return false;
    size = int32_t(v);
    return true;
}

bool ParseColor(const QString& hex, TAlphaColor& color)
{
    if (hex.size() != 6)
        return false;
    uint32_t v = 0;
    for (const QChar c : hex) {
        const char16_t u = c.unicode();
        uint32_t d;
        if (u >= u'0' && u <= u'9')
            d = u - u'0';
        else if (u >= u'A' && u <= u'F')
            d = u - u'A' + 10;
        else if (u >= u'a' && u <= u'f')
            d = u - u'a' + 10;
        else
            return false;
        v = (v << 4) | d;
    }
    color = 0xFF000000u | v;
    return true;
}

// The tag that begins at s[i] ('<'), or None when no complete known tag does.
TRichTagMatch MatchRichTag(const QString& s, qsizetype i)
{
    TRichTagMatch m;
    // A tag ends at the first '>' and holds no '<'; stopping at the next '<'
    // keeps the scan linear over texts full of '<'.
    qsizetype close = -1;
    for (qsizetype k = i + 1; k < s.size(); ++k) {
        if (s[k] == u'>') {
            close = k;
            break;
        }
        if (s[k] == u'<')
            return m;
    }
    if (close < 0)
        return m;
    const QString body = s.mid(i + 1, close - i - 1);
    const QString up = body.toUpper();
    struct Simple { const char16_t* Text; TRichTag Tag; };
    static const Simple simple[] = {
        {u"B", TRichTag::Bold}, {u"/B", TRichTag::BoldEnd},
        {u"I", TRichTag::Italic}, {u"/I", TRichTag::ItalicEnd},
        {u"U", TRichTag::Underline}, {u"/U", TRichTag::UnderlineEnd},
        {u"/FN", TRichTag::FontNameEnd}, {u"/FS", TRichTag::FontSizeEnd}, {u"/FC", TRichTag::FontColorEnd},
        {u"L", TRichTag::Left}, {u"/L", TRichTag::LeftEnd},
        {u"C", TRichTag::Center}, {u"/C", TRichTag::CenterEnd},
        {u"R", TRichTag::Right}, {u"/R", TRichTag::RightEnd},
        {u"BR", TRichTag::Break},
    };
    for (const Simple& e : simple) {
        if (up == QStringView(e.Text)) {
            m.Tag = e.Tag;
            break;
        }
    }
    if (m.Tag == TRichTag::None) {
        const QString value = body.mid(3);
        if (up.startsWith(u"FN:")) {
            m.Name = value.trimmed();
            if (!m.Name.isEmpty())
                m.Tag = TRichTag::FontName;
        } else if (up.startsWith(u"FS:")) {
            if (ParseSize(value, m.Size))
                m.Tag = TRichTag::FontSize;
        } else if (up.startsWith(u"FC:")) {
            if (ParseColor(value, m.Color))
                m.Tag = TRichTag::FontColor;
        }
    }
    if (m.Tag != TRichTag::None)
        m.Length = close - i + 1;
    return m;
}

// Walks the mark-up item by item: one text character or one tag at a time.
// Calls item(richStart, richLength, tag) with tag None for a text character.
template <typename F>
void ScanRichText(const QString& markup, F&& item)
{
    qsizetype i = 0;
    while (i < markup.size()) {
        if (markup[i] == u'<') {
            const TRichTagMatch m = MatchRichTag(markup, i);
            if (m.Tag != TRichTag::None) {
                if (!item(i, m.Length, m))
                    return;
                i += m.Length;
                continue;
            }
        }
        if (!item(i, qsizetype(1), TRichTagMatch{}))
            return;
        ++i;
    }
}

bool IsPlain(const TRichTagMatch& m)
{
    return m.Tag == TRichTag::None || m.Tag == TRichTag::Break;
}

// The format state while parsing: one stack per kind, so pairs nest and a
// closing tag ends the innermost open pair of its own kind whatever the order.
class TRichTextState
{
public:
    explicit TRichTextState(const TRichTextFormat& base) : fBase(base) {}

    void Apply(const TRichTagMatch& m)
    {
        switch (m.Tag) {
        case TRichTag::Bold: ++fBold; break;
        case TRichTag::BoldEnd: Drop(fBold); break;
        case TRichTag::Italic: ++fItalic; break;
        case TRichTag::ItalicEnd: Drop(fItalic); break;
        case TRichTag::Underline: ++fUnderline; break;
        case TRichTag::UnderlineEnd: Drop(fUnderline); break;
        case TRichTag::FontName: fNames.push_back(m.Name); break;
        case TRichTag::FontNameEnd: Pop(fNames); break;
        case TRichTag::FontSize: fSizes.push_back(m.Size); break;
        case TRichTag::FontSizeEnd: Pop(fSizes); break;
        case TRichTag::FontColor: fColors.push_back(m.Color); break;
        case TRichTag::FontColorEnd: Pop(fColors); break;
        case TRichTag::Left: fAligns.push_back(TKVRHorzAlign::Left); break;
        case TRichTag::Center: fAligns.push_back(TKVRHorzAlign::Center); break;
        case TRichTag::Right: fAligns.push_back(TKVRHorzAlign::Right); break;
        case TRichTag::LeftEnd: PopAlign(TKVRHorzAlign::Left); break;
        case TRichTag::CenterEnd: PopAlign(TKVRHorzAlign::Center); break;
        case TRichTag::RightEnd: PopAlign(TKVRHorzAlign::Right); break;
        case TRichTag::None:
        case TRichTag::Break:
            break;
        }
    }

    TRichTextFormat Format() const
    {
        TRichTextFormat f = fBase;
        if (fBold > 0)
            f.Bold = true;
        if (fItalic > 0)
            f.Italic = true;
        if (fUnderline > 0)
            f.Underline = true;
        if (!fNames.empty())
            f.FontName = fNames.back();
        if (!fSizes.empty())
            f.FontHeight = fSizes.back();
        if (!fColors.empty())
            f.Color = fColors.back();
        return f;
    }

    bool HasAlign() const { return !fAligns.empty(); }
    TKVRHorzAlign Align() const { return fAligns.empty() ? TKVRHorzAlign::Left : fAligns.back(); }

private:
    static void Drop(int32_t& n)
    {
        if (n > 0)
            --n;
    }
    template <typename T>
    static void Pop(std::vector<T>& v)
    {
        if (!v.empty())
            v.pop_back();
    }
    // A closing alignment tag ends the innermost pair of its own kind.
    void PopAlign(TKVRHorzAlign a)
    {
        for (auto it = fAligns.rbegin(); it != fAligns.rend(); ++it) {
            if (*it == a) {
                fAligns.erase(std::next(it).base());
                return;
            }
        }
    }

    TRichTextFormat fBase;
    int32_t fBold = 0;
    int32_t fItalic = 0;
    int32_t fUnderline = 0;
    std::vector<QString> fNames;
    std::vector<int32_t> fSizes;
    std::vector<TAlphaColor> fColors;
    std::vector<TKVRHorzAlign> fAligns;
};

struct TFormatHash
{
    size_t operator()(const TRichTextFormat& f) const noexcept
    {
        return qHashMulti(0, f.FontName, f.FontHeight, f.Color, f.BackColor, f.Bold, f.Italic, f.Underline,
                          f.Strikeout);
    }
};

// Shared formats by value, so that a text of thousands of formats is not
// searched through once per run.
using TFormatIndex = std::unordered_map<TRichTextFormat, int32_t, TFormatHash>;

int32_t FormatIndexOf(TRichTextFormats& formats, TFormatIndex& index, const TRichTextFormat& f, bool share)
{
    if (share) {
        const auto it = index.find(f);
        if (it != index.end())
            return it->second;
    }
    formats.push_back(f);
    const int32_t at = int32_t(formats.size() - 1);
    if (share)
        index.emplace(f, at);
    return at;
}

}  // namespace

void ParseRichTextInto(const QString& markup, const TRichTextFormat& base, TRichTextFormats& formats,
                       TRichTextRuns& runs, bool shareFormats)
{
    formats.clear();
    runs.clear();
    formats.push_back(base);
    TFormatIndex index;
    if (shareFormats)
        index.emplace(base, 0);

    TRichTextState state(base);
    TRichTextParsedSegment run;  // the run being collected; empty text means not begun
    bool changed = true;         // the state changed since the run's key was taken
    TRichTextFormat runFormat = base;

    auto begin = [&] {
        runFormat = state.Format();
        run.FormatIndex = -1;  // assigned when the run is stored, so unused formats get no entry
        run.Align = state.Align();
        run.HasAlign = state.HasAlign();
        changed = false;
    };
    auto store = [&] {
        run.FormatIndex = FormatIndexOf(formats, index, runFormat, shareFormats);
        runs.push_back(run);
        run = TRichTextParsedSegment{};
    };

    ScanRichText(markup, [&](qsizetype start, qsizetype, const TRichTagMatch& m) {
        if (m.Tag == TRichTag::None) {
            if (!run.Text.isEmpty() && changed) {
                const TRichTextFormat f = state.Format();
                if (!(f == runFormat) || state.Align() != run.Align || state.HasAlign() != run.HasAlign)
                    store();
                else
                    changed = false;
            }
            if (run.Text.isEmpty())
                begin();
            run.Text += markup[start];
        } else if (m.Tag == TRichTag::Break) {
            // The run before the break ends the line; consecutive breaks get
            // an empty run each, in the format at the break.
            if (run.Text.isEmpty())
                begin();
            run.BreakAfter = true;
            store();
        } else {
            state.Apply(m);
            changed = true;
        }
        return true;
    });
    if (!run.Text.isEmpty())
        store();
}

QString GetPlainText(const QString& markup)
{
    QString plain;
    plain.reserve(markup.size());
    ScanRichText(markup, [&](qsizetype start, qsizetype, const TRichTagMatch& m) {
        if (m.Tag == TRichTag::None)
            plain += markup[start];
        else if (m.Tag == TRichTag::Break)
            plain += u'\n';
        return true;
    });
    return plain;
}

int32_t PlainPosToRichPos(const QString& markup, int32_t plainPos)
{
    qsizetype rich = 0;
    int32_t count = 0;
    bool placed = plainPos <= 0;
    ScanRichText(markup, [&](qsizetype start, qsizetype length, const TRichTagMatch& m) {
        if (!placed) {
            if (IsPlain(m)) {
                ++count;
                rich = start + length;
                placed = count >= plainPos;
            }
            return true;
        }
        // Past the opening tags that follow the position, no further.
        if (!IsOpening(m.Tag))
            return false;
        rich = start + length;
        return true;
    });
    if (!placed)
        rich = markup.size();
    return int32_t(rich);
}

int32_t RichPosToPlainPos(const QString& markup, int32_t richPos)
{
    int32_t count = 0;
    ScanRichText(markup, [&](qsizetype start, qsizetype length, const TRichTagMatch& m) {
        if (start + length > richPos)
            return false;
        if (IsPlain(m))
            ++count;
        return true;
    });
    return count;
}

std::vector<TRichTextTag> GetRichTextTags(const QString& markup)
{
    std::vector<TRichTextTag> tags;
    ScanRichText(markup, [&](qsizetype start, qsizetype length, const TRichTagMatch& m) {
        if (m.Tag != TRichTag::None) {
            // The tag list pairs each kind with its closing tag, "<BR>" last.
            const int code = int(m.Tag) - 1;
            tags.push_back({int32_t(start), int32_t(length), TRichTextTagKind(code / 2),
                            m.Tag != TRichTag::Break && code % 2 == 1});
        }
        return true;
    });
    return tags;
}

QString RichTextFontNameTag(const QString& family)
{
    QString name = family;
    name.remove(u'<');
    name.remove(u'>');
    return QStringLiteral("<FN:") + name + u'>';
}

QString RichTextSizeTag(int32_t micrometres)
{
    return QStringLiteral("<FS:") + QString::number(micrometres) + u'>';
}

QString RichTextColorTag(TAlphaColor color)
{
    return QStringLiteral("<FC:") + QString::number(color & 0xFFFFFFu, 16).toUpper().rightJustified(6, u'0') + u'>';
}
