#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseTable.h"
#include <cstdint>
#include <vector>

// Where the bands of a laid-out table are painted, in micrometres of paper
// from the table's top edge; one answer for the screen and the printer.
struct TKVRTableGeometry
{
    int64_t TitleBottom = 0;   // 0 without a title band
    int64_t BodyTop = 0;       // below the title and the header
    // Painted body rows: line index and top of each.
    std::vector<int32_t> RowLine;
    std::vector<int64_t> RowTop;
    int64_t BodyBottom = 0;    // lower edge of the last painted row
    int64_t FooterTop = 0;
    int64_t Bottom = 0;        // the table's laid-out lower edge
    std::vector<int64_t> GridLines;  // horizontal grid lines
};

// A data table: title, header, body rows from the data and a footer, laid out
// with the font cache and painted alike on screen and paper. The layout keeps
// the rows that fit on the label (or in the box, with a fixed size), from the
// first; the footer follows the last of them.
class TKVRTable : public TKVRBaseTable, public TKVRClassReaders<TKVRTable>
{
public:
    TKVRTable(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRTable(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    void CalcValues(int16_t aMode) override;
    // The box, and the laid-out rows and footer below it.
    void CheckFit(TKVRExtent& aExtent) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    // Fills the current record's rows, lays them out and prints that layout.
    void Print(TKVRBaseDraw* aDraw) override;

    // The bands as painted: the editor shows the design line and puts the
    // footer at the box's lower edge; other states the rows of the last layout.
    TKVRTableGeometry Geometry(bool aEditor) const;

private:
    void LayTitle();
    void LayHeader(TKVRColumn& aColumn, int32_t aWidth);
    // The body rows of the data, and the design line with aDesign.
    void LayBody(int32_t aIndex, bool aDesign);
    void LayFooter(TKVRColumn& aColumn, int32_t aWidth);
    // A body cell of line aLine measured in the column's body font, which is selected.
    TKVRRowCol MeasureBody(const TKVRColumn& aColumn, int32_t aWidth, int32_t aLine) const;
    void PlaceRows();
};
