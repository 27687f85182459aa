#pragma once
#include <QByteArray>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Error-correction setting of a PDF417 element: levels 0 to 8 carry 2^(level + 1)
// error-correction codewords.
using TKVRPdf417CorrectionLevel = uint8_t;
namespace KVRPdf417CorrectionLevel {
constexpr TKVRPdf417CorrectionLevel Level0 = 0;
constexpr TKVRPdf417CorrectionLevel Level1 = 1;
constexpr TKVRPdf417CorrectionLevel Level2 = 2;
constexpr TKVRPdf417CorrectionLevel Level3 = 3;
constexpr TKVRPdf417CorrectionLevel Level4 = 4;
constexpr TKVRPdf417CorrectionLevel Level5 = 5;
constexpr TKVRPdf417CorrectionLevel Level6 = 6;
constexpr TKVRPdf417CorrectionLevel Level7 = 7;
constexpr TKVRPdf417CorrectionLevel Level8 = 8;
}

// Element widths of one symbol character, alternately bar and space, bar first; 17 modules.
using TPdf417Widths = std::array<uint8_t, 8>;
// One cluster: the widths of every codeword value 0..928.
using TPdf417Cluster = std::array<TPdf417Widths, 929>;

// The three clusters of the standard (0, 3 and 6), for rows r mod 3 = 0, 1 and 2.
// Generated at build time from codes/data/pdf417_clusters.txt.
extern const TPdf417Cluster PDF417_A;
extern const TPdf417Cluster PDF417_B;
extern const TPdf417Cluster PDF417_C;
// Start pattern (17 modules) and stop pattern (18 modules), bar first.
extern const std::array<uint8_t, 8> StartPat;
extern const std::array<uint8_t, 9> StopPat;

// A complete symbol: every codeword in reading order, row by row
// (Columns x Rows entries: length descriptor, data, padding, error correction).
struct TPdf417Symbol
{
    std::vector<uint16_t> CodeWords;
    uint16_t Columns = 0;  // data columns, 1..30
    uint16_t Rows = 0;     // 3..90
    int32_t Level = 0;     // numeric error-correction level, 0..8
};

// PDF417 encoder: text, byte and numeric compaction, Reed-Solomon error
// correction over GF(929) and the choice of columns and rows.
class TPDF417
{
public:
    static constexpr int32_t MaxCodeWords = 928;  // data + error correction in one symbol
    static constexpr int32_t MaxColumns = 30;
    static constexpr int32_t MinRows = 3;
    static constexpr int32_t MaxRows = 90;
    static constexpr uint16_t PadCodeWord = 900;

    // Codewords used by the last successful Encode of this thread, the length
    // descriptor in slot 0 included; 0 after a failure. Per thread, because
    // screen and print encode on different threads.
    static inline thread_local int32_t fUsedCWords = 0;

    // Compacts aValue (8-bit characters of the system's code page, marked by
    // the ECI that KVRCodePage::EciOf names) into aCodeWords[1..]; slot 0 is kept
    // for the length descriptor and every slot after the data is set to 900 (pad).
    // False, with fUsedCWords 0, when the value is empty or cannot fit in any
    // symbol (or in aCodeWords).
    static bool Encode(std::span<uint16_t> aCodeWords, const QByteArray& aValue);

    // Numeric level (0..8) of a correction setting; values above 8 count as 8.
    static int32_t GetCorrecLevel(TKVRPdf417CorrectionLevel aLevel);
    // Error-correction codewords of a numeric level: 2^(level + 1).
    static int32_t ErrorCount(int32_t aLevel);

    // Chooses data columns and rows for aUsed data codewords and aErrorCount
    // error-correction codewords. aColumns / aRows are the element's settings:
    // 0 (or less) chooses freely, other values are clamped to 1..30 and 3..90 and
    // kept. False (and 0 x 0) when the codewords cannot fit, e.g. more than 928 in
    // all or more than a fixed grid holds.
    static bool AdjustSize(uint16_t& oColumns, uint16_t& oRows, int32_t aErrorCount, int32_t aUsed,
                           int32_t aColumns, int32_t aRows);

    // Writes aErrorCount Reed-Solomon codewords after the first aDataCount codewords.
    // False, leaving the array alone, when the counts do not fit the array or the
    // standard, or a data codeword is not a codeword value (0..928).
    static bool CalculateECC(std::span<uint16_t> aCodeWords, int32_t aDataCount, int32_t aErrorCount);

    // The whole sequence an element runs: Encode, level, AdjustSize, length
    // descriptor and error correction. False, with oSymbol empty, when the value
    // does not fit a symbol of that level and size.
    static bool EncodeSymbol(const QByteArray& aValue, TKVRPdf417CorrectionLevel aLevel, int32_t aColumns,
                             int32_t aRows, TPdf417Symbol& oSymbol);

    // Widths of codeword aCodeWord in the cluster of row aRow, or nullptr when
    // the row is negative or the codeword is not 0..928.
    static const TPdf417Widths* GetPattern(int32_t aRow, int32_t aCodeWord);

    // Left and right row indicator codewords of row aRow.
    static void RowIndicators(int32_t aRow, int32_t aRows, int32_t aColumns, int32_t aLevel, int32_t& oLeft,
                              int32_t& oRight);
};
