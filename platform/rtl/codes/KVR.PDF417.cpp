#include "platform/rtl/codes/KVR.PDF417.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/codes/KVR.CodePage.h"
#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------------------
// Symbol character tables
// ---------------------------------------------------------------------------

namespace {
struct TClusterEntry
{
    int Cluster;
    int Value;
    TPdf417Widths Widths;
};

constexpr TClusterEntry ClusterEntries[] = {
#include "KVR.PDF417.Clusters.inc"
};

// Every entry must be one of 929 values of cluster 0, 3 or 6, 17 modules wide,
// obey the cluster rule, and appear exactly once: a damaged table fails the build.
constexpr bool ClusterTableIsSound()
{
    std::array<bool, 3 * 929> seen{};
    for (const TClusterEntry& e : ClusterEntries) {
        if (e.Cluster != 0 && e.Cluster != 3 && e.Cluster != 6)
            return false;
        if (e.Value < 0 || e.Value > 928)
            return false;
        int sum = 0;
        for (const uint8_t w : e.Widths) {
            if (w < 1 || w > 6)
                return false;
            sum += w;
        }
        if (sum != 17)
            return false;
        const TPdf417Widths& w = e.Widths;
        if ((w[0] - w[2] + w[4] - w[6] + 9) % 9 != e.Cluster)
            return false;
        bool& slot = seen[static_cast<size_t>(e.Cluster / 3 * 929 + e.Value)];
        if (slot)
            return false;
        slot = true;
    }
    for (const bool s : seen)
        if (!s)
            return false;
    return true;
}
static_assert(std::size(ClusterEntries) == 3 * 929, "the PDF417 table needs 929 codewords per cluster");
static_assert(ClusterTableIsSound(), "the PDF417 cluster table is damaged");

constexpr TPdf417Cluster BuildCluster(int aCluster)
{
    TPdf417Cluster result{};
    for (const TClusterEntry& e : ClusterEntries)
        if (e.Cluster == aCluster)
            result[static_cast<size_t>(e.Value)] = e.Widths;
    return result;
}
}

const TPdf417Cluster PDF417_A = BuildCluster(0);
const TPdf417Cluster PDF417_B = BuildCluster(3);
const TPdf417Cluster PDF417_C = BuildCluster(6);
const std::array<uint8_t, 8> StartPat = {8, 1, 1, 1, 1, 1, 1, 3};
const std::array<uint8_t, 9> StopPat = {7, 1, 1, 3, 1, 1, 1, 2, 1};

// ---------------------------------------------------------------------------
// High-level encoding
// ---------------------------------------------------------------------------

namespace {
constexpr uint16_t LatchText = 900;
constexpr uint16_t LatchByte = 901;
constexpr uint16_t LatchNumeric = 902;
constexpr uint16_t LatchByte6 = 924;  // byte compaction of a multiple of 6 bytes
constexpr uint16_t EciMarker = 927;

// Runs of at least this many digits go to numeric compaction, of this many
// text characters to text compaction (the standard's suggested thresholds).
constexpr int MinNumericRun = 13;
constexpr int MinTextRun = 5;

// No value longer than this fits any symbol (2710 digits in numeric compaction).
constexpr qsizetype MaxValueLength = 2710;

enum class TSubMode { Alpha, Lower, Mixed, Punct };

constexpr int SubAlphaSpace = 26;
constexpr int SubLatchLower = 27;     // from alpha and mixed
constexpr int SubShiftAlpha = 27;     // from lower
constexpr int SubLatchMixed = 28;     // from alpha and lower
constexpr int SubLatchAlpha = 28;     // from mixed
constexpr int SubLatchPunct = 25;     // from mixed
constexpr int SubShiftPunct = 29;     // from alpha, lower and mixed
constexpr int SubPunctLatchAlpha = 29;

// Characters of the mixed and punctuation sub-modes by value; 0 marks a control value.
constexpr char MixedChars[25] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '&', '\r', '\t',
                                 ',', ':', '#', '-', '.', '$', '/', '+', '%', '*', '=', '^'};
constexpr char PunctChars[29] = {';', '<', '>', '@', '[', '\\', ']', '_', '`', '~', '!', '\r', '\t', ',', ':',
                                 '\n', '-', '.', '$', '/', '"', '|', '*', '(', ')', '?', '{', '}', '\''};

int MixedValue(uint8_t ch)
{
    if (ch == ' ')
        return SubAlphaSpace;
    for (int i = 0; i < 25; ++i)
        if (static_cast<uint8_t>(MixedChars[i]) == ch)
            return i;
    return -1;
}

int PunctValue(uint8_t ch)
{
    for (int i = 0; i < 29; ++i)
        if (static_cast<uint8_t>(PunctChars[i]) == ch)
            return i;
    return -1;
}

bool IsUpper(uint8_t ch) { return ch == ' ' || (ch >= 'A' && ch <= 'Z'); }
bool IsLower(uint8_t ch) { return ch == ' ' || (ch >= 'a' && ch <= 'z'); }
bool IsDigit(uint8_t ch) { return ch >= '0' && ch <= '9'; }
bool IsText(uint8_t ch) { return (ch >= 32 && ch <= 126) || ch == '\t' || ch == '\n' || ch == '\r'; }

// Value of a character in a text sub-mode; -1 when the sub-mode has none for it.
int SubValue(TSubMode m, uint8_t ch)
{
    switch (m) {
    case TSubMode::Alpha: return IsUpper(ch) ? (ch == ' ' ? SubAlphaSpace : ch - 'A') : -1;
    case TSubMode::Lower: return IsLower(ch) ? (ch == ' ' ? SubAlphaSpace : ch - 'a') : -1;
    case TSubMode::Mixed: return MixedValue(ch);
    case TSubMode::Punct: return PunctValue(ch);
    }
    return -1;
}

class THighLevelEncoder
{
public:
    explicit THighLevelEncoder(const QByteArray& aValue)
        : fData(reinterpret_cast<const uint8_t*>(aValue.constData())), fLength(static_cast<int>(aValue.size())),
          fEci(KVRCodePage::EciOf(aValue))
    {
    }

    // The data codewords (without length descriptor).
    std::vector<uint16_t> Run()
    {
        enum class TMode { Text, Byte, Numeric } mode = TMode::Text;  // a symbol starts in text compaction
        // Without an ECI readers take 8-bit bytes for code page 437 or guess:
        // say which code page the bytes are in.
        if (fEci != 0) {
            fOut.push_back(EciMarker);
            fOut.push_back(static_cast<uint16_t>(fEci));
        }
        int p = 0;
        while (p < fLength) {
            const int digits = CountDigits(p);
            if (digits >= MinNumericRun) {
                fOut.push_back(LatchNumeric);
                Numeric(p, digits);
                mode = TMode::Numeric;
                p += digits;
                continue;
            }
            const int text = CountText(p);
            if (text >= MinTextRun || (text > 0 && p + text == fLength)) {
                if (mode != TMode::Text)
                    fOut.push_back(LatchText);
                Text(p, text);
                mode = TMode::Text;
                p += text;
                continue;
            }
            const int bytes = CountBinary(p);
            Bytes(p, bytes);
            mode = TMode::Byte;
            p += bytes;
        }
        return std::move(fOut);
    }

private:
    int CountDigits(int p) const
    {
        int q = p;
        while (q < fLength && IsDigit(fData[q]))
            ++q;
        return q - p;
    }

    // Text characters from p, stopping before a run that numeric compaction takes.
    int CountText(int p) const
    {
        int q = p;
        while (q < fLength) {
            const int digits = CountDigits(q);
            if (digits >= MinNumericRun)
                break;
            if (digits > 0) {
                q += digits;
                continue;
            }
            if (!IsText(fData[q]))
                break;
            ++q;
        }
        return q - p;
    }

    // Characters from p up to the next run that numeric or text compaction takes.
    int CountBinary(int p) const
    {
        int q = p;
        while (q < fLength) {
            if (CountDigits(q) >= MinNumericRun || CountText(q) >= MinTextRun)
                break;
            ++q;
        }
        return std::max(q - p, 1);
    }

    void Text(int p, int count)
    {
        std::vector<int> v;
        TSubMode sub = TSubMode::Alpha;  // every text latch starts in alpha
        auto latch = [&](int code, TSubMode to) {
            v.push_back(code);
            sub = to;
        };
        // One character sent from another sub-mode, which stays in force after it.
        auto shift = [&](int code, TSubMode from, int& i) {
            v.push_back(code);
            v.push_back(SubValue(from, fData[i++]));
        };
        const int end = p + count;
        for (int i = p; i < end;) {
            const uint8_t ch = fData[i];
            if (const int value = SubValue(sub, ch); value >= 0) {
                v.push_back(value);
                ++i;
                continue;
            }
            switch (sub) {
            case TSubMode::Alpha:
                if (IsLower(ch))
                    latch(SubLatchLower, TSubMode::Lower);
                else if (MixedValue(ch) >= 0)
                    latch(SubLatchMixed, TSubMode::Mixed);
                else
                    shift(SubShiftPunct, TSubMode::Punct, i);
                break;
            case TSubMode::Lower:
                if (IsUpper(ch))
                    shift(SubShiftAlpha, TSubMode::Alpha, i);
                else if (MixedValue(ch) >= 0)
                    latch(SubLatchMixed, TSubMode::Mixed);
                else
                    shift(SubShiftPunct, TSubMode::Punct, i);
                break;
            case TSubMode::Mixed:
                if (IsUpper(ch))
                    latch(SubLatchAlpha, TSubMode::Alpha);
                else if (IsLower(ch))
                    latch(SubLatchLower, TSubMode::Lower);
                else if (i + 1 < end && PunctValue(fData[i + 1]) >= 0)
                    latch(SubLatchPunct, TSubMode::Punct);
                else
                    shift(SubShiftPunct, TSubMode::Punct, i);
                break;
            case TSubMode::Punct:
                latch(SubPunctLatchAlpha, TSubMode::Alpha);
                break;
            }
        }
        if (v.size() % 2 != 0)
            v.push_back(SubShiftPunct);  // pad: a shift with nothing after it
        for (size_t k = 0; k < v.size(); k += 2)
            fOut.push_back(static_cast<uint16_t>(30 * v[k] + v[k + 1]));
    }

    void Bytes(int p, int count)
    {
        fOut.push_back(count % 6 == 0 ? LatchByte6 : LatchByte);
        int i = p;
        const int end = p + count;
        // Six bytes as five base-900 digits; the rest one codeword per byte.
        for (; end - i >= 6; i += 6) {
            uint64_t value = 0;
            for (int k = 0; k < 6; ++k)
                value = (value << 8) | fData[i + k];
            uint16_t digits[5];
            for (int k = 4; k >= 0; --k) {
                digits[k] = static_cast<uint16_t>(value % 900);
                value /= 900;
            }
            fOut.insert(fOut.end(), digits, digits + 5);
        }
        for (; i < end; ++i)
            fOut.push_back(fData[i]);
    }

    void Numeric(int p, int count)
    {
        // Groups of up to 44 digits, each led by a 1, as base-900 numbers.
        for (int start = p; start < p + count; start += 44) {
            const int n = std::min(44, p + count - start);
            std::vector<int> decimal;
            decimal.reserve(static_cast<size_t>(n) + 1);
            decimal.push_back(1);
            for (int k = 0; k < n; ++k)
                decimal.push_back(fData[start + k] - '0');
            std::vector<uint16_t> base900;
            while (!(decimal.size() == 1 && decimal[0] == 0)) {
                // decimal := decimal div 900, remainder to base900 (long division)
                std::vector<int> quotient;
                int rem = 0;
                for (const int d : decimal) {
                    rem = rem * 10 + d;
                    const int q = rem / 900;
                    rem %= 900;
                    if (!quotient.empty() || q != 0)
                        quotient.push_back(q);
                }
                base900.push_back(static_cast<uint16_t>(rem));
                decimal = quotient.empty() ? std::vector<int>{0} : std::move(quotient);
            }
            fOut.insert(fOut.end(), base900.rbegin(), base900.rend());
        }
    }

    const uint8_t* fData;
    int fLength;
    int fEci;
    std::vector<uint16_t> fOut;
};

// Coefficients g[0..k-1] of the generator (x - 3)(x - 3^2)..(x - 3^k), leading 1 omitted.
std::vector<int> Generator(int k)
{
    std::vector<int> g(static_cast<size_t>(k) + 1, 0);
    g[0] = 1;
    int root = 1;
    for (int i = 1; i <= k; ++i) {
        root = root * 3 % 929;
        // multiply by (x - root): new[j] = old[j-1] - root * old[j]
        for (int j = i; j >= 0; --j) {
            const int shifted = j > 0 ? g[static_cast<size_t>(j) - 1] : 0;
            g[static_cast<size_t>(j)] = (shifted + 929 - root * g[static_cast<size_t>(j)] % 929) % 929;
        }
    }
    g.pop_back();
    return g;
}

bool IsErrorCount(int32_t e)
{
    return e >= 2 && e <= 512 && (e & (e - 1)) == 0;
}

int32_t CeilDiv(int32_t a, int32_t b)
{
    return (a + b - 1) / b;
}
}

bool TPDF417::Encode(std::span<uint16_t> aCodeWords, const QByteArray& aValue)
{
    fUsedCWords = 0;
    std::fill(aCodeWords.begin(), aCodeWords.end(), PadCodeWord);
    if (aValue.isEmpty() || aValue.size() > MaxValueLength)
        return false;
    const std::vector<uint16_t> data = THighLevelEncoder(aValue).Run();
    const int32_t used = static_cast<int32_t>(data.size()) + 1;
    // Room for the smallest error correction (2 codewords) must remain.
    if (used + 2 > MaxCodeWords || static_cast<size_t>(used) > aCodeWords.size())
        return false;
    aCodeWords[0] = static_cast<uint16_t>(used);
    std::copy(data.begin(), data.end(), aCodeWords.begin() + 1);
    fUsedCWords = used;
    return true;
}

int32_t TPDF417::GetCorrecLevel(TKVRPdf417CorrectionLevel aLevel)
{
    return std::min<int32_t>(aLevel, 8);
}

int32_t TPDF417::ErrorCount(int32_t aLevel)
{
    return 2 << std::clamp(aLevel, 0, 8);
}

bool TPDF417::AdjustSize(uint16_t& oColumns, uint16_t& oRows, int32_t aErrorCount, int32_t aUsed, int32_t aColumns,
                         int32_t aRows)
{
    oColumns = 0;
    oRows = 0;
    if (aUsed < 1 || !IsErrorCount(aErrorCount) || aUsed + aErrorCount > MaxCodeWords)
        return false;
    const int32_t total = aUsed + aErrorCount;
    const auto fits = [total](int32_t c, int32_t r) {
        return c >= 1 && c <= MaxColumns && r >= MinRows && r <= MaxRows && c * r >= total && c * r <= MaxCodeWords;
    };
    int32_t columns = aColumns > 0 ? std::min(aColumns, MaxColumns) : 0;
    int32_t rows = aRows > 0 ? std::clamp(aRows, MinRows, MaxRows) : 0;
    if (columns > 0 && rows == 0)
        rows = std::max(MinRows, CeilDiv(total, columns));
    else if (rows > 0 && columns == 0)
        columns = std::max(1, CeilDiv(total, rows));
    else if (columns == 0 && rows == 0) {
        // About three times as wide as high in modules for the usual row height;
        // the nearest column count that gives a valid grid.
        const int32_t target = std::clamp(RoundHalfEven32(std::sqrt(total / 3.0)), 1, MaxColumns);
        for (int32_t d = 0; d < MaxColumns && columns == 0; ++d) {
            for (const int32_t c : {target + d, target - d}) {
                const int32_t r = std::max(MinRows, CeilDiv(total, std::max(c, 1)));
                if (fits(c, r)) {
                    columns = c;
                    rows = r;
                    break;
                }
            }
        }
    }
    if (!fits(columns, rows))
        return false;
    oColumns = static_cast<uint16_t>(columns);
    oRows = static_cast<uint16_t>(rows);
    return true;
}

bool TPDF417::CalculateECC(std::span<uint16_t> aCodeWords, int32_t aDataCount, int32_t aErrorCount)
{
    if (aDataCount < 1 || !IsErrorCount(aErrorCount) || aDataCount + aErrorCount > MaxCodeWords ||
        static_cast<size_t>(aDataCount + aErrorCount) > aCodeWords.size())
        return false;
    for (int32_t i = 0; i < aDataCount; ++i)
        if (aCodeWords[static_cast<size_t>(i)] > 928)
            return false;
    const std::vector<int> g = Generator(aErrorCount);
    const size_t k = static_cast<size_t>(aErrorCount);
    // Remainder of data(x) * x^k divided by the generator, in a shift register.
    std::vector<int> e(k, 0);
    for (int32_t i = 0; i < aDataCount; ++i) {
        const int t = (aCodeWords[static_cast<size_t>(i)] + e[k - 1]) % 929;
        for (size_t j = k - 1; j > 0; --j)
            e[j] = (e[j - 1] + 929 - t * g[j] % 929) % 929;
        e[0] = (929 - t * g[0] % 929) % 929;
    }
    for (size_t j = 0; j < k; ++j)
        aCodeWords[static_cast<size_t>(aDataCount) + j] = static_cast<uint16_t>(e[k - 1 - j] == 0 ? 0 : 929 - e[k - 1 - j]);
    return true;
}

bool TPDF417::EncodeSymbol(const QByteArray& aValue, TKVRPdf417CorrectionLevel aLevel, int32_t aColumns,
                           int32_t aRows, TPdf417Symbol& oSymbol)
{
    oSymbol = TPdf417Symbol{};
    std::vector<uint16_t> words(static_cast<size_t>(MaxCodeWords), PadCodeWord);
    if (!Encode(words, aValue))
        return false;
    const int32_t level = GetCorrecLevel(aLevel);
    const int32_t e = ErrorCount(level);
    uint16_t columns = 0;
    uint16_t rows = 0;
    if (!AdjustSize(columns, rows, e, fUsedCWords, aColumns, aRows))
        return false;
    const int32_t n = columns * rows - e;
    words.resize(static_cast<size_t>(columns) * rows);
    words[0] = static_cast<uint16_t>(n);
    if (!CalculateECC(words, n, e))
        return false;
    oSymbol.CodeWords = std::move(words);
    oSymbol.Columns = columns;
    oSymbol.Rows = rows;
    oSymbol.Level = level;
    return true;
}

const TPdf417Widths* TPDF417::GetPattern(int32_t aRow, int32_t aCodeWord)
{
    if (aRow < 0 || aCodeWord < 0 || aCodeWord > 928)
        return nullptr;
    static const TPdf417Cluster* const clusters[3] = {&PDF417_A, &PDF417_B, &PDF417_C};
    return &(*clusters[aRow % 3])[static_cast<size_t>(aCodeWord)];
}

void TPDF417::RowIndicators(int32_t aRow, int32_t aRows, int32_t aColumns, int32_t aLevel, int32_t& oLeft,
                            int32_t& oRight)
{
    const int32_t t = 30 * (aRow / 3);
    const int32_t rowInfo = (aRows - 1) / 3;
    const int32_t levelInfo = (aRows - 1) % 3 + 3 * aLevel;
    const int32_t columnInfo = aColumns - 1;
    switch (aRow % 3) {
    case 0:
        oLeft = t + rowInfo;
        oRight = t + columnInfo;
        break;
    case 1:
        oLeft = t + levelInfo;
        oRight = t + rowInfo;
        break;
    default:
        oLeft = t + columnInfo;
        oRight = t + levelInfo;
        break;
    }
}
