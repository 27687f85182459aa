#pragma once
#include <QByteArray>
#include <QChar>
#include <QString>
#include <cstdint>
#include <string_view>
#include <vector>

// Linear symbologies. The numbers are stored in documents: never renumber.
enum class TKVRBarType : uint8_t {
    EAN13 = 0,
    EAN8 = 1,
    UPCA = 2,
    UPCE = 3,
    Code39 = 4,        // upper-case letters, digits and - . space $ / + %
    Code39Ext = 5,     // full ASCII 0-127 through Code 39 shift pairs
    Code93 = 6,        // the Code 39 character set
    Code93Ext = 7,     // full ASCII 0-127
    Codabar = 8,       // with start and stop characters A to D
    Code128A = 9,      // characters 0-95
    Code128B = 10,     // characters 32-127, code set B only
    Code128 = 11,      // characters 32-127, code sets chosen freely
    Code128C = 12,     // digit pairs
    GS1_128A = 13,     // GS1 data, AIs in parentheses: "(01)09501101530003"
    GS1_128B = 14,
    GS1_128 = 15,
    GS1_128C = 16,     // numeric AIs only
    ITF = 17,          // Interleaved 2 of 5, even digit count
    ITF14 = 18,        // 13 digits, or 14 with their check digit
    Industrial25 = 19, // Code 2 of 5 Industrial
    Code11 = 20,       // digits and hyphen
    MSI = 21,          // MSI Plessey
    Postnet = 22,      // 5, 9 or 11 digits; short bars
};
constexpr int KVRBarTypeCount = 23;

// Code 128 code set that the encoding starts from; Auto lets the encoder choose.
enum class TKVR128AutoType : uint8_t {
    Auto = 0,
    A = 1,
    B = 2,
    C = 3,
};

// The subset PrepareBarcode hands on for full-ASCII Code 39 with its check
// character (code sets mean nothing to Code 39): FillBarPattern then takes the
// prepared value's last character as that check character, which stands for
// itself even where it is a shift character ($ % / +).
inline constexpr TKVR128AutoType KVRCode39CheckedSubset = TKVR128AutoType::C;

// Width class of one pattern character, in modules M of the bar width.
// Any other value repeats the previous character's width.
enum class TKVRDrawWidth : uint8_t {
    Module = 0,      // M
    Ratio = 1,       // M x the wide-to-narrow ratio
    Double = 2,      // 2M
    Triple = 3,      // 3M
    Quadruple = 4,   // 4M
    OneAndHalf = 5,  // 1.5M
};

// What a pattern character paints. Values from Space up are spaces.
enum class TKVRDrawBar : uint8_t {
    Full = 0,   // the whole bar height
    Short = 1,  // the lower two fifths
    Guard = 2,  // down into the human-readable text
    Space = 3,
};

// One pattern character laid out from the start of the bars: its edges and
// what it paints.
struct TKVRBarElement
{
    double Left = 0.0;
    double Right = 0.0;
    TKVRDrawBar Bar = TKVRDrawBar::Space;
};

// A set of 8-bit characters.
class TAnsiCharSet
{
public:
    constexpr TAnsiCharSet() = default;
    static constexpr TAnsiCharSet Of(std::string_view chars)
    {
        TAnsiCharSet s;
        for (char c : chars)
            s.Include(static_cast<uint8_t>(c));
        return s;
    }
    static constexpr TAnsiCharSet Range(uint8_t first, uint8_t last)
    {
        TAnsiCharSet s;
        for (int c = first; c <= last; ++c)
            s.Include(static_cast<uint8_t>(c));
        return s;
    }
    constexpr void Include(uint8_t c) { fBits[c >> 6] |= uint64_t{1} << (c & 63); }
    // Character codes outside 0..255 are never members.
    constexpr bool Contains(int c) const { return c >= 0 && c < 256 && ((fBits[c >> 6] >> (c & 63)) & 1u); }
    constexpr bool Contains(char c) const { return Contains(int(static_cast<uint8_t>(c))); }
    bool Contains(QChar c) const { return Contains(int(c.unicode())); }
    constexpr TAnsiCharSet operator+(const TAnsiCharSet& o) const
    {
        TAnsiCharSet s;
        for (int i = 0; i < 4; ++i)
            s.fBits[i] = fBits[i] | o.fBits[i];
        return s;
    }

private:
    uint64_t fBits[4] = {0, 0, 0, 0};
};

inline constexpr TAnsiCharSet ValidFullCode39 =
    TAnsiCharSet::Of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%");
inline constexpr TAnsiCharSet ValidCode93 = ValidFullCode39;
inline constexpr TAnsiCharSet ValidCodabar = TAnsiCharSet::Of("0123456789-$:/.+ABCD");
inline constexpr TAnsiCharSet ValidCode11 = TAnsiCharSet::Of("0123456789-");

// A value checked, prepared and turned into bars in one go.
struct TKVREncodedBars
{
    bool Valid = false;
    QByteArray Prepared;  // PrepareBarcode's value
    QByteArray Pattern;   // FillBarPattern's pattern; empty when not valid
};

// The linear barcode encoder: validation, preparation and the bar pattern
// that the painters decode with FillBarData. Values are 8-bit (Latin-1) strings.
class TBarcode
{
public:
    // True when the value encodes exactly as given: every character in the
    // symbology's set, the length allowed, nothing padded, replaced or dropped,
    // and its prepared value (check characters included) encodes too.
    // aOption is accepted for the callers and changes nothing.
    static bool IsValidCode(const QByteArray& aCode, TKVRBarType aType, bool aChecksum, bool aOption);
    // The same for text; a character outside Latin-1 makes it invalid.
    static bool IsValidCode(const QString& aCode, TKVRBarType aType, bool aChecksum, bool aOption);
    static bool IsValidCode(const char* aCode, TKVRBarType aType, bool aChecksum, bool aOption)
    {
        return IsValidCode(QByteArray(aCode), aType, aChecksum, aOption);
    }

    // Whether a typed character belongs to the symbology's set. Backspace never does.
    static bool IsValidKey(TKVRBarType aType, QChar aChar);

    // The value to encode (check characters that the symbology shows included)
    // with the encoder's human-readable text and the subset to hand to
    // FillBarPattern (the Code 128 code set, or KVRCode39CheckedSubset).
    // Empty results for an invalid value. aOption and aPoly change nothing.
    static QByteArray PrepareBarcode(const QByteArray& aCode, TKVRBarType aType, bool aChecksum,
                                     bool aOption, bool aPoly, QByteArray& oText,
                                     TKVR128AutoType& oSubset);

    // Bar pattern of a prepared value, one character per bar or space; empty
    // when the value does not encode. Without the number shown, guard bars
    // are plain full bars.
    static QByteArray FillBarPattern(const QByteArray& aCode, TKVRBarType aType,
                                     TKVR128AutoType aSubset, bool aShowNumber);

    // IsValidCode, PrepareBarcode and FillBarPattern of one text value. The
    // three share the thread's last few encodings: a value asked for again
    // (a printed label is checked, then printed) is not encoded again.
    static TKVREncodedBars EncodeBars(const QString& aCode, TKVRBarType aType, bool aChecksum, bool aOption,
                                      bool aPoly, bool aShowNumber);

    // Decodes one pattern character.
    static void FillBarData(char aChar, TKVRDrawWidth& oWidth, TKVRDrawBar& oBar);
    // The pattern character of a width class and bar kind.
    static char BarChar(TKVRDrawWidth aWidth, TKVRDrawBar aBar);
    // The elements of a pattern for a module width and a wide-to-narrow ratio,
    // in any unit: the one place that turns width classes into widths.
    static std::vector<TKVRBarElement> LayOutPattern(const QByteArray& aPattern, double aModule, double aRatio);

    // Width of the bars in micrometres for a module width in millimetres.
    static int32_t BarCodeWidth(const QByteArray& aPattern, float aBarWidth, float aFactor);

    // Centres of the digit groups, in pixels from the start of the bars for a
    // module width aModule in pixels. UPCEPos's c2 and UPCAPos's c3 are the left
    // edge of the check digit written one module right of the last bar.
    static void Ean13Pos(const QByteArray& aPattern, float aModule, float aRatio, float& oC1, float& oC2);
    static void Ean8Pos(const QByteArray& aPattern, float aModule, float aRatio, float& oC1, float& oC2);
    static void UPCAPos(const QByteArray& aPattern, float aModule, float aRatio, float& oC1, float& oC2,
                        float& oC3);
    static void UPCEPos(const QByteArray& aPattern, float aModule, float aRatio, float& oC1, float& oC2);

    // The text with diacritics taken off its letters ("Ñandú" -> "Nandu").
    static QString RemoveAccented(const QString& aText);
};
