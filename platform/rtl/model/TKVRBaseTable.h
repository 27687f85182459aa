#pragma once
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Model.TableRows.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/model/TKVR2DItem.h"
#include "platform/rtl/text/KVR.TextLines.h"
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

// Settings of one cell of a table (a column's header, body or footer) and of
// its title: font, alignment, line spacing, wrapping, fill and a text.
// Stored as visible (bool), text (string), font record, horizontal and
// vertical alignment (bytes 0-2), interline (Single), wrap, filled (bools),
// back colour (uint32).
struct TKVRTableCell
{
    bool Visible = true;
    QString Text;
    TKVRFontInfo Font;
    TKVRHorzAlign HorzAlign = TKVRHorzAlign::Left;
    TKVRVertAlign VertAlign = TKVRVertAlign::Center;
    float Interline = 1.0f;
    bool Wrap = false;
    bool Filled = false;
    TAlphaColor BackColor = TAlphaColors::White;

    float GetFontHeight() const { return float(Font.Height) / 1000.0f; }
    int32_t GetBaseFontHeight() const { return Font.Height; }
    void Write(TBinaryWriter& aWriter) const;
    void Read(TBinaryReader& aReader);
    TJsonObject WriteJson() const;
    void ReadJson(const TJsonObject& aJson);
};

// The title band: a cell of its own with the band's height (µm of paper) and
// the metrics and lines its layout leaves. Stored as the cell, then the height (int32).
struct TKVRBaseTitle : TKVRTableCell
{
    int32_t BaseHeight = 8000;
    // Layout results.
    int32_t Ascent = 0;
    int32_t Descent = 0;
    double Ratio = 1.0;
    TxtLines Lines;

    TKVRBaseTitle() { Visible = false; Font.Height = 5000; Font.Bold = true; HorzAlign = TKVRHorzAlign::Center; }
    void SetBaseSize(int32_t /*aWidth*/, int32_t aAscent, int32_t aDescent, double aRatio)
    {
        Ascent = aAscent;
        Descent = aDescent;
        Ratio = aRatio;
    }
    void SetLines(const TxtLines& aLines) { Lines = aLines; }
};

// One laid-out cell: its height, lines and text (µm of paper), and its band
// (0 header, 1 body, 2 footer).
struct TKVRRowCol
{
    int32_t Height = 0;
    TxtLines Lines;
    QString Text;
    bool Done = false;
    uint8_t Band = 0;
};

// Footer contents of a column as stored. The first four codes are those of
// the earliest files; the statistics added later follow them.
namespace KVRFooterType {
constexpr uint8_t Text = 0;     // the footer cell's own text
constexpr uint8_t Count = 1;    // number of body rows
constexpr uint8_t Sum = 2;      // sum of the rows that hold a number
constexpr uint8_t Average = 3;  // their mean
constexpr uint8_t Minimum = 4;
constexpr uint8_t Maximum = 5;
constexpr uint8_t Median = 6;
constexpr uint8_t Variance = 7;  // of the population of the numeric rows
constexpr uint8_t StdDev = 8;
constexpr uint8_t Last = StdDev;
}

// The footer statistic as the column editor numbers it (0 none, 1 count,
// 2 minimum, 3 maximum, 4 sum, 5 mean, 6 median, 7 variance, 8 standard
// deviation) and its stored code.
enum class TKVRFooter : uint8_t { None, Count, Min, Max, Sum, Mean, Median, Variance, StdDev };
uint8_t KVRFooterCode(TKVRFooter aFooter);
TKVRFooter KVRFooterOf(uint8_t aCode);

// Set in a stored code byte (a column's footer type, the table's grid type)
// when the record carries what later versions added after it; the earliest
// records never set it and read as they always did.
constexpr uint8_t KVRTableExtended = 0x80;

class TKVRBaseTable;

// A column: width in percent of the table, header, body and footer cells, the
// data field its rows come from (its own rows when it has none) and the
// footer contents. Format shapes the footer's value, ValueFormat the body rows
// that read as numbers. Laid-out cells by line index: 0 header, 1 the design
// line of the body, 2 footer, r + 2 body row r (from 1).
// The setters mark the table that holds the column changed.
class TKVRColumn
{
public:
    float Width = 25.0f;
    TKVRTableCell Header;
    TKVRTableCell Body;
    TKVRTableCell Footer;
    QString FieldName;
    QString Format;
    QString ValueFormat;
    bool Fixed = false;
    uint8_t FooterType = KVRFooterType::Text;
    QStringList Rows;

    void SetField(const QString& aName);
    // Keeps the width within 1..100 percent and answers what it kept.
    float SetPercent(float aValue);
    void SetFooter(TKVRFooter aValue);
    TKVRFooter GetFooter() const { return KVRFooterOf(FooterType); }
    // For edits written straight into the members (cells, formats).
    void Changed();

    // Laid-out cell of a line index; an empty cell for an index never laid out.
    const TKVRRowCol& GetLineTxt(int32_t aIndex) const;
    void SetData(int32_t aIndex, const TKVRRowCol& aCell);
    int32_t GetLineCount() const { return int32_t(fLines.size()); }
    // Font metrics of a band: 1 header, 2 body, 3 footer.
    void FontSettings(int32_t aBand, int32_t aAsc, int32_t aDes, int32_t aUnd, double aRatio);
    int32_t AscFont(int32_t aBand) const;
    int32_t UndFont(int32_t aBand) const;
    double RatFont(int32_t aBand) const;
    // Drops the body rows of the last output layout.
    void ResetPrint();

    void Write(TBinaryWriter& aWriter) const;
    void Read(TBinaryReader& aReader);
    TJsonObject WriteJson() const;
    void ReadJson(const TJsonObject& aJson);

private:
    friend class TKVRBaseTable;
    TKVRBaseTable* fOwner = nullptr;
    struct TBandFont
    {
        int32_t Asc = 0, Und = 0;
        double Ratio = 1.0;
    };
    std::vector<TKVRRowCol> fLines;
    std::array<TBandFont, 4> fFonts{};
};

// A data table: an optional title, one header, body and footer cell per
// column, grid lines and a frame in the box of points 1 and 2. The body rows
// come from the current record (a bound column's field, one row per line of
// its text) or from each column's own rows.
//
// Binary after the filled header: title cell and height, header height, row
// height, footer height (int32 µm), fixed size (bool), grid type (byte 0-3,
// KVRTableExtended set when the data set follows the columns), grid colour
// (uint32), grid width, padding x, padding y (int32 µm), selected column
// (int32, -1 all), column count (int32) and each column: width (Single,
// percent), field name, format (strings), footer type (byte 0-8,
// KVRTableExtended set when fixed and values' format follow the rows),
// header, body and footer cells, row count (int32) and the rows (strings),
// [fixed (bool), values' format (string)]; [the data set (string)]; then
// the box (2 points).
class TKVRBaseTable : public TKVR2DItem
{
public:
    // Property rows (KVR.Model.PropTables.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    TKVRBaseTable(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseTable(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    // ---- element slots
    TJsonObject WriteJson() const override;
    bool GetIsData() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override { NormalizeBox(); }
    // aEmpty: every column shows its own rows; otherwise bound columns take
    // the current record.
    // The rows are laid out again before the next painting.
    void FillData(bool aEmpty) override
    {
        FillTable(!aEmpty, true);
        Changed();
    }
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    // Fills the rows (from the record when aData) and the footer texts; the
    // design positions are set for the editor unless aOutput.
    void FillTable(bool aData, bool aOutput);

    // ---- title, bands and columns
    TKVRBaseTitle& Title() { return fTitle; }
    const TKVRBaseTitle& Title() const { return fTitle; }
    int32_t GetHeaderHeight() const { return fHeaderHeight; }
    void SetHeaderHeight(int32_t aValue) { fHeaderHeight = std::max(aValue, 0); Changed(); }
    int32_t GetRowHeight() const { return fRowHeight; }
    void SetRowHeight(int32_t aValue) { fRowHeight = std::max(aValue, 0); Changed(); }
    int32_t GetFooterHeight() const { return fFooterHeight; }
    void SetFooterHeight(int32_t aValue) { fFooterHeight = std::max(aValue, 0); Changed(); }
    bool GetFixedSize() const { return fFixedSize; }
    void SetFixedSize(bool aValue) { fFixedSize = aValue; Changed(); }
    uint8_t GetGridType() const { return fGridType; }
    void SetGridType(uint8_t aValue) { fGridType = aValue > 3 ? 3 : aValue; }
    TAlphaColor GetGridColor() const { return fGridColor; }
    void SetGridColor(TAlphaColor aValue) { fGridColor = aValue; }
    float GetGridWidth() const { return float(fGridWidth) / 1000.0f; }
    void SetGridWidth(float aValue);
    int32_t GetBasePadX() const { return fPadX; }
    int32_t GetBasePadY() const { return fPadY; }
    void SetBasePadX(int32_t aValue) { fPadX = std::max(aValue, 0); Changed(); }
    void SetBasePadY(int32_t aValue) { fPadY = std::max(aValue, 0); Changed(); }
    // The editor's selected column; one outside 1..count (-1 among them) is none, -1.
    int32_t GetSelColumn() const { return fSelColumn >= 1 && fSelColumn <= GetColumnCount() ? fSelColumn : -1; }
    void SetSelColumn(int32_t aValue) { fSelColumn = aValue; }

    int32_t GetColumnCount() const { return int32_t(fColumns.size()); }
    // Counted from 1; an index outside 1..count raises std::out_of_range.
    TKVRColumn& GetColumn(int32_t aIndex);
    const TKVRColumn& GetColumn(int32_t aIndex) const;
    TKVRColumn& AddColumn(float aWidth);
    // Removes column aIndex (from 1); false, and nothing removed, outside 1..count.
    bool DeleteColumn(int32_t aIndex);
    // The data set the columns' fields come from; empty: the label's selected one.
    QString GetDetail() const { return fDetail; }
    void SetDetail(const QString& aValue) { fDetail = aValue; Changed(); }
    // The data set whose fields the columns offer.
    QString GetSymData() const;

    // Body rows filled by FillTable, and of them the rows the last output
    // layout placed (the ones that fit).
    int32_t GetPrintCount() const { return fPrintCount; }
    int32_t GetShownCount() const { return fShownCount; }

    // ---- line positions: lower edge of each band from the table's top (µm of paper)
    int32_t GetLineCount() const { return int32_t(fLinePos.size()); }
    // 0 for an index outside 0..count - 1.
    int64_t GetLinePos(int32_t aIndex) const;
    // The last position (the laid-out height); 0 without positions.
    int64_t GetLastLinePos() const { return fLinePos.empty() ? 0 : fLinePos.back(); }
    void SetLinePositions(std::vector<int64_t> aPositions, int32_t aShown);

    // The table's width and height on paper (µm), held within 32 bits.
    int32_t BaseScaleWidth() const;
    int32_t BaseScaleHeight() const;
    // Width of column aIndex (from 1) in µm of paper.
    int32_t ColumnWidth(int32_t aIndex) const;

    // Band heights of the title and header as they count in the layout.
    int32_t TitleBand() const { return fTitle.Visible ? fTitle.BaseHeight : 0; }

private:
    friend class TKVRColumn;
    void SetDesignLines();
    void ColumnChanged();

    TKVRBaseTitle fTitle;
    int32_t fHeaderHeight = 6000;
    int32_t fRowHeight = 6000;
    int32_t fFooterHeight = 6000;
    bool fFixedSize = false;
    uint8_t fGridType = 3;
    TAlphaColor fGridColor = TAlphaColors::Black;
    int32_t fGridWidth = 250;
    int32_t fPadX = 1000;
    int32_t fPadY = 500;
    int32_t fSelColumn = -1;
    QString fDetail;
    std::vector<std::unique_ptr<TKVRColumn>> fColumns;

    int32_t fPrintCount = 0;
    int32_t fShownCount = 0;
    std::vector<int64_t> fLinePos;
};
