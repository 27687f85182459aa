#include "platform/rtl/codes/KVR.Barcode.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/codes/KVR.Code39.h"
#include <zint.h>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// One module of a symbol, bottom row first: what stands there.
enum ModuleKind : uint8_t { kSpace = 0, kShortBar = 1, kFullBar = 2 };
using TModules = std::vector<uint8_t>;

// ---- The zint adapter: the only place that talks to the engine ----

struct ZintResult
{
    bool ok = false;
    TModules modules;
    QByteArray text;         // human-readable text, Latin-1
    bool textCut = false;    // zint's text buffer was too small for it
};

ZintResult ZintEncode(int symbology, int inputMode, int option2, const QByteArray& data)
{
    ZintResult r;
    std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> s(ZBarcode_Create(), ZBarcode_Delete);
    if (!s || data.isEmpty())
        return r;
    s->symbology = symbology;
    s->input_mode = inputMode;
    s->option_2 = option2;
    const int ret = ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                                    static_cast<int>(data.size()));
    // Warnings fail too: zint warns when it substituted data or the result is not standard.
    if (ret != 0 || s->rows < 1 || s->width < 1)
        return r;
    const int width = s->width;
    const int last = s->rows - 1;
    auto bit = [&](int row, int col) { return (s->encoded_data[row][col >> 3] >> (col & 7)) & 1; };
    r.modules.resize(static_cast<size_t>(width));
    for (int c = 0; c < width; ++c) {
        // Multi-row linear symbols (postal codes) keep their tall parts in the top
        // row: a bar only in the lower rows is a short bar.
        if (!bit(last, c))
            r.modules[c] = kSpace;
        else
            r.modules[c] = bit(0, c) ? kFullBar : kShortBar;
    }
    const size_t n = strnlen(reinterpret_cast<const char*>(s->text), sizeof s->text);
    r.textCut = n >= sizeof s->text - 1;
    r.text = QString::fromUtf8(reinterpret_cast<const char*>(s->text), static_cast<qsizetype>(n)).toLatin1();
    r.ok = true;
    return r;
}

// ---- Symbology rules ----

constexpr TAnsiCharSet kDigits = TAnsiCharSet::Of("0123456789");
constexpr TAnsiCharSet kAscii = TAnsiCharSet::Range(0, 127);
constexpr TAnsiCharSet kSetA = TAnsiCharSet::Range(0, 95);
constexpr TAnsiCharSet kSetB = TAnsiCharSet::Range(32, 127);
constexpr TAnsiCharSet kNone;

bool IsKnown(TKVRBarType t) { return static_cast<int>(t) < KVRBarTypeCount; }

// The characters a value of the symbology may hold (and the keys the inspector takes).
TAnsiCharSet CharSetOf(TKVRBarType t)
{
    switch (t) {
    case TKVRBarType::EAN13:
    case TKVRBarType::EAN8:
    case TKVRBarType::UPCA:
    case TKVRBarType::UPCE:
    case TKVRBarType::Code128C:
    case TKVRBarType::ITF:
    case TKVRBarType::ITF14:
    case TKVRBarType::Industrial25:
    case TKVRBarType::MSI:
    case TKVRBarType::Postnet:
        return kDigits;
    case TKVRBarType::Code39:
        return ValidFullCode39;
    case TKVRBarType::Code39Ext:
    case TKVRBarType::Code93Ext:
        return kAscii;
    case TKVRBarType::Code93:
        return ValidCode93;
    case TKVRBarType::Codabar:
        return ValidCodabar;
    case TKVRBarType::Code128A:
    case TKVRBarType::GS1_128A:
        return kSetA;
    case TKVRBarType::Code128B:
    case TKVRBarType::Code128:
    case TKVRBarType::GS1_128B:
    case TKVRBarType::GS1_128:
        return kSetB;
    case TKVRBarType::GS1_128C:
        return kDigits + TAnsiCharSet::Of("()");  // AIs are written in parentheses
    case TKVRBarType::Code11:
        return ValidCode11;
    }
    return kNone;
}

// Symbologies built of narrow and wide elements only: their wide elements
// take the ratio, so the user's wide-to-narrow factor applies.
bool IsTwoWidth(TKVRBarType t)
{
    switch (t) {
    case TKVRBarType::Code39:
    case TKVRBarType::Code39Ext:
    case TKVRBarType::Codabar:
    case TKVRBarType::ITF:
    case TKVRBarType::ITF14:
    case TKVRBarType::Industrial25:
    case TKVRBarType::Code11:
    case TKVRBarType::MSI:
        return true;
    default:
        return false;
    }
}

TKVR128AutoType SubsetOf(TKVRBarType t)
{
    switch (t) {
    case TKVRBarType::Code128A:
    case TKVRBarType::GS1_128A:
        return TKVR128AutoType::A;
    case TKVRBarType::Code128B:
    case TKVRBarType::GS1_128B:
        return TKVR128AutoType::B;
    case TKVRBarType::Code128C:
    case TKVRBarType::GS1_128C:
        return TKVR128AutoType::C;
    default:
        return TKVR128AutoType::Auto;
    }
}

struct Analysis
{
    bool ok = false;
    QByteArray prepared;  // what is encoded, check characters that show included
    QByteArray text;      // the encoder's human-readable text
    TModules modules;
};

// Full-ASCII Code 39 with its check character, computed over the Code 39
// characters that carry the text. The prepared value is the text and that
// character as it stands, which may be a shift character ($ % / +): it is
// encoded as itself, never expanded. With add false the value is such a
// prepared value and its last character must be its check character.
Analysis AnalyseCheckedFullAscii(const QByteArray& code, bool add)
{
    Analysis a;
    const QByteArray body = add ? code : code.chopped(1);
    if (body.isEmpty())
        return a;
    const QByteArray expanded = KVRCode39::FullAscii(body);
    const char check = KVRCode39::CheckChar(expanded);
    if (expanded.isEmpty() || check == '\0' || (!add && code.back() != check))
        return a;
    ZintResult z = ZintEncode(BARCODE_CODE39, DATA_MODE, 0, expanded + check);
    if (!z.ok)
        return a;
    a.prepared = body + check;
    // The text as the engine shows full ASCII: control characters as spaces.
    for (const char c : body)
        a.text += (static_cast<uint8_t>(c) < 32 || c == 127) ? ' ' : c;
    a.text += check;
    a.modules = std::move(z.modules);
    a.ok = true;
    return a;
}

// Validates and encodes a value. A value is accepted only when the encoder
// takes it as it stands: a value the engine would pad, upper-case, prefix or
// cut is refused rather than silently changed.
Analysis Analyse(const QByteArray& code, TKVRBarType type, bool checksum, TKVR128AutoType subset)
{
    Analysis a;
    if (code.isEmpty() || !IsKnown(type))
        return a;
    const TAnsiCharSet set = CharSetOf(type);
    for (char c : code)
        if (!set.Contains(c))
            return a;

    const qsizetype len = code.size();
    auto lengthIs = [len](qsizetype x, qsizetype y) { return len == x || len == y; };
    int symbology = 0;
    int mode = DATA_MODE;
    int option2 = 0;
    bool fromText = true;  // the prepared value is the encoder's text
    QByteArray data = code;

    switch (type) {
    case TKVRBarType::EAN13:
        if (!lengthIs(12, 13))
            return a;
        // Given with its check digit, the engine verifies it instead of adding one.
        symbology = len == 13 ? BARCODE_EANX_CHK : BARCODE_EANX;
        break;
    case TKVRBarType::EAN8:
        if (!lengthIs(7, 8))
            return a;
        symbology = len == 8 ? BARCODE_EANX_CHK : BARCODE_EANX;
        break;
    case TKVRBarType::UPCA:
        if (!lengthIs(11, 12))
            return a;
        symbology = BARCODE_UPCA;
        break;
    case TKVRBarType::UPCE:
        if (!lengthIs(7, 8))
            return a;
        symbology = BARCODE_UPCE;
        break;
    case TKVRBarType::Code39:
        symbology = BARCODE_CODE39;
        option2 = checksum ? 1 : 0;
        break;
    case TKVRBarType::Code39Ext:
        if (checksum || subset == KVRCode39CheckedSubset)
            return AnalyseCheckedFullAscii(code, checksum);
        symbology = BARCODE_EXCODE39;
        fromText = false;
        break;
    case TKVRBarType::Code93:
    case TKVRBarType::Code93Ext:
        symbology = BARCODE_CODE93;  // its two check characters are always there
        fromText = false;
        break;
    case TKVRBarType::Codabar:
        symbology = BARCODE_CODABAR;
        option2 = checksum ? 2 : 0;  // 2: add the check character and show it
        break;
    case TKVRBarType::Code128A:
    case TKVRBarType::Code128B:
    case TKVRBarType::Code128:
    case TKVRBarType::Code128C:
        if (type == TKVRBarType::Code128C && len % 2 != 0)
            return a;
        symbology = subset == TKVR128AutoType::B ? BARCODE_CODE128B : BARCODE_CODE128;
        fromText = false;  // the text shows control characters as spaces
        break;
    case TKVRBarType::GS1_128A:
    case TKVRBarType::GS1_128B:
    case TKVRBarType::GS1_128:
    case TKVRBarType::GS1_128C:
        symbology = BARCODE_GS1_128;
        mode = GS1_MODE | GS1PARENS_MODE;
        break;
    case TKVRBarType::ITF:
        if ((len + (checksum ? 1 : 0)) % 2 != 0)
            return a;  // the engine would put a 0 in front
        symbology = BARCODE_C25INTER;
        option2 = checksum ? 1 : 0;
        break;
    case TKVRBarType::ITF14:
        if (!lengthIs(13, 14))
            return a;
        symbology = BARCODE_ITF14;
        data = code.left(13);  // a 14th digit is the check digit, compared below
        break;
    case TKVRBarType::Industrial25:
        symbology = BARCODE_C25IND;
        option2 = checksum ? 1 : 0;
        break;
    case TKVRBarType::Code11:
        symbology = BARCODE_CODE11;
        option2 = checksum ? 0 : 2;  // 0: two check digits, 2: none
        break;
    case TKVRBarType::MSI:
        symbology = BARCODE_MSI_PLESSEY;
        option2 = checksum ? 1 : 0;  // 1: modulo 10, shown
        break;
    case TKVRBarType::Postnet:
        symbology = BARCODE_POSTNET;  // check digit always added, no text
        fromText = false;
        break;
    }

    ZintResult z = ZintEncode(symbology, mode, option2, data);
    if (!z.ok)
        return a;
    if (fromText) {
        QByteArray t = z.text;
        if (type == TKVRBarType::Code39 && t.size() >= 2 && t.startsWith('*') && t.endsWith('*'))
            t = t.mid(1, t.size() - 2);
        // The engine shows a space check character as "_", which Code 39 has not.
        if (type == TKVRBarType::Code39 && checksum && t.size() == len + 1 && t.endsWith('_')) {
            t.back() = ' ';
            if (z.text.endsWith("_*"))
                z.text[z.text.size() - 2] = ' ';
        }
        bool same = t.startsWith(code);
        if (type == TKVRBarType::Codabar && checksum)  // the check character goes before the stop
            same = t.size() == len + 1 && t.startsWith(code.chopped(1)) && t.endsWith(code.right(1));
        if (z.textCut || !same)
            return a;
        a.prepared = t;
    } else {
        a.prepared = code;
    }
    a.text = z.text;
    a.modules = std::move(z.modules);
    a.ok = true;
    return a;
}

// Analyse with the thread's last few answers kept, keyed by everything the
// analysis depends on. Checking, preparing and patterning a record's value
// ask for the same two analyses (the value, then its prepared form) several
// times, and a print checks each record before it prints it: the engine
// encodes each of them once.
Analysis Analysed(const QByteArray& code, TKVRBarType type, bool checksum, TKVR128AutoType subset)
{
    struct TEntry
    {
        QByteArray Code;
        TKVRBarType Type = TKVRBarType::EAN13;
        bool Checksum = false;
        TKVR128AutoType Subset = TKVR128AutoType::Auto;
        bool Set = false;
        Analysis Result;
    };
    static constexpr size_t kEntries = 4;
    thread_local std::array<TEntry, kEntries> entries;
    thread_local size_t next = 0;
    for (const TEntry& e : entries)
        if (e.Set && e.Type == type && e.Checksum == checksum && e.Subset == subset && e.Code == code)
            return e.Result;
    TEntry& slot = entries[next];
    next = (next + 1) % kEntries;
    slot = {code, type, checksum, subset, true, Analyse(code, type, checksum, subset)};
    return slot.Result;
}

// The subset that FillBarPattern needs for a prepared value.
TKVR128AutoType PreparedSubset(TKVRBarType type, bool checksum)
{
    if (type == TKVRBarType::Code39Ext && checksum)
        return KVRCode39CheckedSubset;
    return SubsetOf(type);
}

// A value and its prepared form. The painters encode the prepared value
// again, check characters included and nothing added: a value is valid only
// when that gives the same bars (check characters can push it past the
// engine's length limit).
Analysis AnalysePrepared(const QByteArray& code, TKVRBarType type, bool checksum, TKVR128AutoType& oSubset)
{
    oSubset = PreparedSubset(type, checksum);
    Analysis a = Analysed(code, type, checksum, SubsetOf(type));
    if (!a.ok)
        return a;
    const Analysis again = Analysed(a.prepared, type, false, oSubset);
    if (!again.ok || again.modules != a.modules)
        return {};
    return a;
}

// ---- Pattern characters ----
// A character is '0' + 16 x kind + width class: full bars '0'..'5', short bars
// '@'..'E', guard bars 'P'..'U', spaces '`'..'e'.

constexpr uint8_t kPatternBase = 0x30;

char MakeChar(uint8_t width, uint8_t bar)
{
    return static_cast<char>(kPatternBase + bar * 16 + width);
}

struct Range
{
    int from, to;  // modules [from, to)
};

// Modules whose bars reach down into the text.
std::vector<Range> GuardRanges(TKVRBarType t, size_t modules)
{
    switch (t) {
    case TKVRBarType::EAN13:
        if (modules == 95)
            return {{0, 3}, {45, 50}, {92, 95}};
        break;
    case TKVRBarType::EAN8:
        if (modules == 67)
            return {{0, 3}, {31, 36}, {64, 67}};
        break;
    case TKVRBarType::UPCA:
        // The number system and check digits stand outside: their bars are long too.
        if (modules == 95)
            return {{0, 10}, {45, 50}, {85, 95}};
        break;
    case TKVRBarType::UPCE:
        if (modules == 51)
            return {{0, 3}, {45, 51}};
        break;
    default:
        break;
    }
    return {};
}

QByteArray PatternOf(const TModules& m, TKVRBarType type, bool showNumber)
{
    const std::vector<Range> guards = showNumber ? GuardRanges(type, m.size()) : std::vector<Range>{};
    auto kindAt = [&](size_t i) -> uint8_t {
        switch (m[i]) {
        case kSpace:
            return static_cast<uint8_t>(TKVRDrawBar::Space);
        case kShortBar:
            return static_cast<uint8_t>(TKVRDrawBar::Short);
        default:
            for (const Range& g : guards)
                if (static_cast<int>(i) >= g.from && static_cast<int>(i) < g.to)
                    return static_cast<uint8_t>(TKVRDrawBar::Guard);
            return static_cast<uint8_t>(TKVRDrawBar::Full);
        }
    };
    const bool twoWidth = IsTwoWidth(type);
    QByteArray p;
    p.reserve(static_cast<qsizetype>(m.size()));
    size_t i = 0;
    while (i < m.size()) {
        const uint8_t kind = kindAt(i);
        size_t j = i + 1;
        while (j < m.size() && kindAt(j) == kind)
            ++j;
        size_t run = j - i;
        if (twoWidth) {
            p += MakeChar(static_cast<uint8_t>(run == 1 ? TKVRDrawWidth::Module : TKVRDrawWidth::Ratio), kind);
        } else {
            // Fixed multiples of the module; longer runs split into adjacent pieces.
            while (run > 4) {
                p += MakeChar(static_cast<uint8_t>(TKVRDrawWidth::Quadruple), kind);
                run -= 4;
            }
            const TKVRDrawWidth w = run == 1 ? TKVRDrawWidth::Module : static_cast<TKVRDrawWidth>(run);
            p += MakeChar(static_cast<uint8_t>(w), kind);
        }
        i = j;
    }
    return p;
}

// Centre of the elements [from, to), or a share of the whole width when the
// pattern is not of the symbology's shape.
float GroupCentre(const std::vector<TKVRBarElement>& e, size_t elements, size_t from, size_t to, double share)
{
    if (e.size() == elements)
        return static_cast<float>((e[from].Left + e[to - 1].Right) / 2);
    return static_cast<float>((e.empty() ? 0.0 : e.back().Right) * share);
}

// Right edge of the bars.
double BarsEnd(const std::vector<TKVRBarElement>& e)
{
    return e.empty() ? 0.0 : e.back().Right;
}

}  // namespace

bool TBarcode::IsValidCode(const QByteArray& aCode, TKVRBarType aType, bool aChecksum, bool /*aOption*/)
{
    TKVR128AutoType subset;
    return AnalysePrepared(aCode, aType, aChecksum, subset).ok;
}

bool TBarcode::IsValidCode(const QString& aCode, TKVRBarType aType, bool aChecksum, bool aOption)
{
    for (QChar c : aCode)
        if (c.unicode() > 0xFF)
            return false;  // would turn into '?' as an 8-bit string
    return IsValidCode(aCode.toLatin1(), aType, aChecksum, aOption);
}

TKVREncodedBars TBarcode::EncodeBars(const QString& aCode, TKVRBarType aType, bool aChecksum, bool aOption,
                                     bool aPoly, bool aShowNumber)
{
    TKVREncodedBars bars;
    bars.Valid = IsValidCode(aCode, aType, aChecksum, aOption);
    if (bars.Valid) {
        QByteArray text;
        TKVR128AutoType subset = TKVR128AutoType::Auto;
        bars.Prepared = PrepareBarcode(aCode.toLatin1(), aType, aChecksum, aOption, aPoly, text, subset);
        bars.Pattern = FillBarPattern(bars.Prepared, aType, subset, aShowNumber);
    }
    return bars;
}

bool TBarcode::IsValidKey(TKVRBarType aType, QChar aChar)
{
    if (aChar.unicode() == 8)
        return false;  // backspace edits, it is never data
    return CharSetOf(aType).Contains(aChar);
}

QByteArray TBarcode::PrepareBarcode(const QByteArray& aCode, TKVRBarType aType, bool aChecksum,
                                    bool /*aOption*/, bool /*aPoly*/, QByteArray& oText,
                                    TKVR128AutoType& oSubset)
{
    Analysis a = AnalysePrepared(aCode, aType, aChecksum, oSubset);
    if (!a.ok) {
        oText.clear();
        oSubset = TKVR128AutoType::Auto;
        return {};
    }
    oText = a.text;
    return a.prepared;
}

QByteArray TBarcode::FillBarPattern(const QByteArray& aCode, TKVRBarType aType, TKVR128AutoType aSubset,
                                    bool aShowNumber)
{
    // A prepared value already holds its check characters: encode it without adding more.
    const Analysis a = Analysed(aCode, aType, false, aSubset);
    if (!a.ok)
        return {};
    return PatternOf(a.modules, aType, aShowNumber);
}

void TBarcode::FillBarData(char aChar, TKVRDrawWidth& oWidth, TKVRDrawBar& oBar)
{
    const uint8_t v = static_cast<uint8_t>(static_cast<uint8_t>(aChar) - kPatternBase);
    oWidth = static_cast<TKVRDrawWidth>(v & 0x0F);
    const uint8_t bar = v >> 4;
    oBar = bar >= static_cast<uint8_t>(TKVRDrawBar::Space) ? TKVRDrawBar::Space : static_cast<TKVRDrawBar>(bar);
}

char TBarcode::BarChar(TKVRDrawWidth aWidth, TKVRDrawBar aBar)
{
    const uint8_t w = static_cast<uint8_t>(aWidth) & 0x0F;
    const uint8_t b = static_cast<uint8_t>(aBar) > 3 ? 3 : static_cast<uint8_t>(aBar);
    return MakeChar(w, b);
}

std::vector<TKVRBarElement> TBarcode::LayOutPattern(const QByteArray& aPattern, double aModule, double aRatio)
{
    std::vector<TKVRBarElement> out;
    out.reserve(static_cast<size_t>(aPattern.size()));
    double x = 0.0;
    double w = aModule;
    for (char c : aPattern) {
        TKVRDrawWidth width;
        TKVRDrawBar bar;
        FillBarData(c, width, bar);
        switch (width) {
        case TKVRDrawWidth::Module: w = aModule; break;
        case TKVRDrawWidth::Ratio: w = aModule * aRatio; break;
        case TKVRDrawWidth::Double: w = 2 * aModule; break;
        case TKVRDrawWidth::Triple: w = 3 * aModule; break;
        case TKVRDrawWidth::Quadruple: w = 4 * aModule; break;
        case TKVRDrawWidth::OneAndHalf: w = 1.5 * aModule; break;
        default: break;  // the previous width
        }
        out.push_back({x, x + w, bar});
        x += w;
    }
    return out;
}

int32_t TBarcode::BarCodeWidth(const QByteArray& aPattern, float aBarWidth, float aFactor)
{
    return RoundHalfEven32(BarsEnd(LayOutPattern(aPattern, double(aBarWidth) * 1000.0, aFactor)));
}

void TBarcode::Ean13Pos(const QByteArray& aPattern, float aModule, float aRatio, float& oC1, float& oC2)
{
    // Guard (3 elements), 6 digits of 4 elements, centre guard (5), 6 digits, guard.
    const auto x = LayOutPattern(aPattern, aModule, aRatio);
    oC1 = GroupCentre(x, 59, 3, 27, 24.0 / 95);
    oC2 = GroupCentre(x, 59, 32, 56, 71.0 / 95);
}

void TBarcode::Ean8Pos(const QByteArray& aPattern, float aModule, float aRatio, float& oC1, float& oC2)
{
    const auto x = LayOutPattern(aPattern, aModule, aRatio);
    oC1 = GroupCentre(x, 43, 3, 19, 17.0 / 67);
    oC2 = GroupCentre(x, 43, 24, 40, 50.0 / 67);
}

void TBarcode::UPCAPos(const QByteArray& aPattern, float aModule, float aRatio, float& oC1, float& oC2,
                       float& oC3)
{
    // Digits 2 to 6 and 7 to 11; the first and last digits stand outside the bars.
    const auto x = LayOutPattern(aPattern, aModule, aRatio);
    oC1 = GroupCentre(x, 59, 7, 27, 27.5 / 95);
    oC2 = GroupCentre(x, 59, 32, 52, 67.5 / 95);
    oC3 = static_cast<float>(BarsEnd(x) + aModule);
}

void TBarcode::UPCEPos(const QByteArray& aPattern, float aModule, float aRatio, float& oC1, float& oC2)
{
    // Guard (3), 6 digits of 4 elements, end guard (6); the check digit stands right of the bars.
    const auto x = LayOutPattern(aPattern, aModule, aRatio);
    oC1 = GroupCentre(x, 33, 3, 27, 24.0 / 51);
    oC2 = static_cast<float>(BarsEnd(x) + aModule);
}

QString TBarcode::RemoveAccented(const QString& aText)
{
    const QString d = aText.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(d.size());
    for (QChar c : d) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        // Letters whose stroke is part of the letter and does not decompose.
        switch (c.unicode()) {
        case u'\u00D8': out += QLatin1Char('O'); break;
        case u'\u00F8': out += QLatin1Char('o'); break;
        case u'\u0110': out += QLatin1Char('D'); break;
        case u'\u0111': out += QLatin1Char('d'); break;
        case u'\u0141': out += QLatin1Char('L'); break;
        case u'\u0142': out += QLatin1Char('l'); break;
        default: out += c; break;
        }
    }
    return out.normalized(QString::NormalizationForm_C);
}
